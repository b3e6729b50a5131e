#pragma once

#include <cstdint>
#include <string>

#include "html/document/attributes.h"
#include "html/document/form_control_obj.h"

namespace html {

// INPUT TYPE=hidden: a pair and nothing on the panel.
class THiddenFormControlObj : public TFormControlObj {
 public:
  THiddenFormControlObj(TSectionList* document, const TAttributeList& attributes);
  bool SubmitPair(int index, std::string& s) override;
};

// INPUT TYPE=image: the image in the text shows it; a click on the image
// submits the form with the point (x and y pairs, once).
class TImageFormControlObj : public TFormControlObj {
 public:
  TImageFormControlObj(TSectionList* document, const TAttributeList& attributes);
  bool SubmitPair(int index, std::string& s) override;
  void ImageClickAt(int32_t x, int32_t y) override;
  // The click the hit test kept becomes the point, and the form is submitted.
  void ImageClick();

  int32_t ClickX = -1;  // -1: not clicked
  int32_t ClickY = 0;
  int32_t PendingX = 0;
  int32_t PendingY = 0;
};

}  // namespace html
