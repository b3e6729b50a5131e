#pragma once

#include <memory>
#include <string>

#include "platform/gui/colors.h"
#include "platform/gui/geometry.h"

namespace cl {
class TBitmap;
class TObject;
class TStream;
class TStringList;
class TWinControl;
}  // namespace cl

namespace html {
class TFormControlObj;

// Everything the document asks of whatever shows it (the viewer, or a stub in
// tests and tools). A document without a host keeps its defaults: no
// application pictures, names as given, errors kept in its own list.
class TDocumentHost {
 public:
  virtual ~TDocumentHost() = default;

  // The object the document's events name as their sender.
  virtual cl::TObject* EventSender() { return nullptr; }
  // The application's own pictures, asked for before any file. False when the
  // host hands out none that way; a bitmap handed back belongs to the image
  // cache from then on.
  virtual bool RequestBitmap(const std::string& /*name*/, cl::TBitmap*& /*bitmap*/, cl::TColor& /*colour*/) {
    return false;
  }
  virtual bool RequestImage(const std::string& /*name*/, cl::TStream*& /*stream*/) { return false; }
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
