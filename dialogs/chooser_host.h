#pragma once

#include <cstdint>

namespace cl {
class TFont;
}

namespace dlg {

class tAddressSelection;
class tGlyphStrip;

// The chooser's mode flags.
enum tChooserMode : std::uint8_t {
  ModeAllStations = 0x01,      // every station the user may reach
  ModeNetworkUse = 0x02,       // phone entries may be used for network calls
  ModeFaxUse = 0x04,           // ... for fax
  ModeSmsUse = 0x08,           // ... for SMS
  ModeNetworkStations = 0x10,  // only reachable stations of the suite's network
  ModeOneRecipient = 0x20,     // a single recipient at most
};

// What a page of the recipient chooser asks of the form it sits on.
class tChooserHost {
 public:
  virtual int CurrentPage() const = 0;
  virtual std::uint8_t ModeFlags() const = 0;
  // The rows of the addresses chosen show as taken.
  virtual const tAddressSelection& Selection() const = 0;
  // The look of every list's rows: the glyph strip and the rows' font.
  virtual const tGlyphStrip& Glyphs() const = 0;
  virtual const cl::TFont& RowFont() const = 0;
  // Forgets the lists' remembered focused rows; the buttons follow.
  virtual void ResetDrawCache() = 0;
  // The buttons and menu items of the current page follow its rows.
  virtual void UpdateButtons() = 0;

 protected:
  ~tChooserHost() = default;
};

}  // namespace dlg
