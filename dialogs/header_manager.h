#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "dialogs/suite_texts.h"

namespace cl {
class THeader;
}

namespace dlg {

// Column layouts of the dialogs' list headers: captions and default widths
// from the suite's texts (TextBase + 16h + s for header h, section s, as
// "width|caption"), the widths the user dragged kept from one use to the next
// as this manager's record of the shared header file. The record is written
// when the manager goes.
class tHeaderManager {
 public:
  static constexpr int Headers = 17;
  static constexpr int Sections = 17;
  static constexpr std::int32_t MaxWidth = 2000;

  struct Section {
    std::int32_t width = 0;
    std::string caption;  // at most 31 characters
  };

  tHeaderManager(std::string fileName, std::uint16_t textBase, TextSource texts = SuiteText);
  ~tHeaderManager();
  tHeaderManager(const tHeaderManager&) = delete;
  tHeaderManager& operator=(const tHeaderManager&) = delete;

  // The widths of a header's first sections (at most 17 taken) into row
  // index; an index outside 0..16 throws.
  void StoreHeaderWidths(std::span<const std::int32_t> widths, std::int32_t index);
  // The widths of the header's first 17 sections into row index; an index
  // outside 0..16 throws.
  void StoreHeaderWidths(const cl::THeader& header, std::int32_t index);
  // A dialog switching one header between layouts: the widths it shows go
  // into row storeIndex (none for an index outside 0..16), then the header
  // is refilled from row showIndex. A showIndex outside 0..16 throws, the
  // header as it was.
  void ApplyToHeader(cl::THeader& header, std::int32_t storeIndex, std::int32_t showIndex);
  // Row index's sections up to the first empty caption; none for an index
  // outside 0..16.
  std::vector<Section> HeaderSections(std::int32_t index) const;

 private:
  using Row = std::array<Section, Sections>;
  using WidthBlock = std::array<std::int32_t, Headers * Sections>;

  void LoadCaptions();
  void LoadWidths();
  void SaveWidths() const noexcept;
  static bool IsRow(std::int32_t index) { return index >= 0 && index < Headers; }

  std::array<Row, Headers> table_{};
  std::uint16_t textBase_;
  std::string fileName_;
  TextSource texts_;
};

}  // namespace dlg
