#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/gui/bitmap.h"
#include "platform/gui/colors.h"
#include "platform/gui/geometry.h"

namespace cl {
class TObject;
class TStream;
class TStringList;
class TWinControl;
}  // namespace cl

namespace html {
class TFormControlObj;

// A picture the host hands over; the image cache owns the bitmap from then on.
struct HostBitmap {
  std::unique_ptr<cl::TBitmap> Bitmap;  // none: the picture fails
  cl::TColor Colour = -1;               // the transparent colour; -1: none
};

// Everything the document asks of whatever shows it (the viewer, or a stub in
// tests and tools). A document without a host keeps its defaults: no
// application pictures, names as given, errors kept in its own list.
class TDocumentHost {
 public:
  virtual ~TDocumentHost() = default;

  // The object the document's events name as their sender.
  virtual cl::TObject* EventSender() { return nullptr; }
  // The application's own pictures, asked for before any file; nullopt when
  // the host hands out none that way.
  virtual std::optional<HostBitmap> RequestBitmap(const std::string& /*name*/) { return std::nullopt; }
  // Asked next, the same way. The stream stays the host's: the document only
  // reads it (none: the picture fails; the image unit's WaitStream: it comes
  // later).
  virtual std::optional<cl::TStream*> RequestImage(const std::string& /*name*/) { return std::nullopt; }
  // A picture's name as the image side should look it up: a file name
  // (relative to the document) when pictures come from files.
  virtual std::string ExpandImageName(const std::string& name) { return name; }
  virtual void BackgroundChanged(cl::TColor /*colour*/) {}
  // A part of the document's window to paint again (an animation stepped).
  virtual void InvalidateArea(const cl::TRect& /*rect*/) {}
  // A section could not be laid out: called after the layout, never inside it.
  // False when the host does not take errors (the document keeps them).
  virtual bool ProcessError(const std::string& /*message*/) { return false; }

  // Form controls. The window their windows sit on; none: no windows shown.
  virtual cl::TWinControl* ControlParent() { return nullptr; }
  // Whether a form's submission goes anywhere; SubmitForm is asked only then.
  virtual bool TakesSubmissions() { return false; }
  virtual void SubmitForm(const std::string& /*action*/, const std::string& /*target*/,
                          const std::string& /*encType*/, const std::string& /*method*/,
                          std::unique_ptr<cl::TStringList> /*results*/) {}
  // A control was clicked; onClick is its ONCLICK text.
  virtual void ObjectClick(TFormControlObj& /*control*/, const std::string& /*onClick*/) {}
  // A control got the focus.
  virtual void ControlFocused(TFormControlObj& /*control*/) {}
};

}  // namespace html
