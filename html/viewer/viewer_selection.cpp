#include <algorithm>

#include "html/viewer/doc_viewer.h"
#include "html/document/image_obj.h"
#include "html/forms/windowless_controls.h"
#include "html/viewer/paint_panel.h"
#include "html/viewer/scroll_bar_32.h"
#include "platform/core/ansi_case.h"
#include "platform/core/short_string.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/messages.h"
#include "utility/path_names.h"

namespace html {

namespace {

constexpr int32_t AutoScrollStepSize = 16;

// Digits, ASCII letters, the upper block (0xC0-0xFF without the signs 0xD7
// and 0xF7) and every other letter code page 1250 has: the cased ones (š, ť,
// ž, ś, ź, ł, ą, ş, ľ, ż and their capitals) and µ, which has no capital.
bool IsWordCharacter(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) return true;
  if (byte >= 0xC0) return byte != 0xD7 && byte != 0xF7;
  return byte == 0xB5 || (byte >= 0x80 && cl::AnsiUpperChar(ch) != cl::AnsiLowerChar(ch));
}

}  // namespace

int32_t TDocViewer::DocumentY(int y) const { return y + sectionList_->ScrollY - marginHeight_; }

std::optional<TLinkHit> TDocViewer::GetLinkAt(int x, int y) {
  return sectionList_->LinkAt(paintPanel_->Canvas(), x, DocumentY(y));
}

void TDocViewer::PanelMouseDown(cl::TObject*, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  if (CanFocus()) SetFocus();
  linkActivated_ = false;
  if (button != cl::mbLeft) return;
  linkPressed_ = true;
  mouseSelecting_ = true;
  const auto place = sectionList_->CaretAtXY(paintPanel_->Canvas(), x, DocumentY(y));
  selAnchor_ = place ? place->Position : -1;
  if (selAnchor_ < 0) return;
  if (sectionList_->SelTo != sectionList_->SelFrom) paintPanel_->Invalidate();
  sectionList_->SelFrom = sectionList_->SelTo = selAnchor_;
  caretPos_ = selAnchor_;
}

void TDocViewer::PanelMouseMove(cl::TObject*, cl::TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
  std::string newUrl, newTarget;
  std::optional<TObjectHit> hit;
  if (const auto link = GetLinkAt(x, y)) {
    paintPanel_->SetCursor(LinkCursor);
    if (link->FormControl == nullptr && link->UrlTarget) {
      newUrl = link->UrlTarget->Url;
      newTarget = link->UrlTarget->Target;
    }
  } else if ((OnImageClick || OnImageOver) && (hit = sectionList_->ObjectAtXY(x, DocumentY(y)))) {
    paintPanel_->SetCursor(cl::crArrow);
    if (OnImageOver) OnImageOver(this, hit->Image, shift, hit->XOff, hit->YOff);
  } else {
    const auto place = sectionList_->CaretAtXY(paintPanel_->Canvas(), x, DocumentY(y));
    paintPanel_->SetCursor(place && place->InText ? Cursor() : cl::crArrow);
  }
  if (newUrl != url_) {
    url_ = newUrl;
    target_ = newTarget;
    if (OnHotSpotCovered) OnHotSpotCovered(this, newUrl);
  }
  if ((shift & cl::ssLeft) == 0) return;
  lastMouse_ = {x + paintPanel_->Left(), y + paintPanel_->Top()};
  if (!autoScrolling_ && (y <= 0 || y > Height())) {
    autoScrolling_ = true;
    cl::PostMessage(*this, WM_AUTO_SCROLL, 0, 0);
  }
  if (!noSelect_) ExtendSelection(x, y);
}

void TDocViewer::ExtendSelection(int x, int y) {
  if (!mouseSelecting_ || selAnchor_ < 0) return;
  y = std::clamp(y, 0, Height());
  const auto place = sectionList_->CaretAtXY(paintPanel_->Canvas(), x, DocumentY(y));
  const int32_t caret = place ? place->Position : -1;
  if (caret >= 0 && caret != caretPos_ && !noSelect_) {
    sectionList_->SelFrom = std::min(selAnchor_, caret);
    sectionList_->SelTo = std::max(selAnchor_, caret);
    paintPanel_->Invalidate();
  }
  if (caret >= 0) caretPos_ = caret;
}

// One step every 100 ms while the mouse stays outside with the button held:
// a timer, so nothing spins and nothing runs once the viewer is gone.
void TDocViewer::AutoScrollStep() {
  const int y = lastMouse_.Y;
  if (!autoScrolling_ || !paintPanel_->MouseCapture() || (y > 0 && y <= Height())) {
    StopAutoScroll();
    return;
  }
  int32_t step = AutoScrollStepSize;
  if (y < -15) {
    step = -8 * AutoScrollStepSize;
  } else if (y <= 0) {
    step = -AutoScrollStepSize;
  } else if (y > Height() + 15) {
    step = 8 * AutoScrollStepSize;
  }
  const int32_t position = std::max(0, std::min(VScrollBarPosition() + step, MaxVScroll()));
  sectionList_->SetScrollOffset(position);
  vScrollBar_->SetPosition(position);
  ExtendSelection(lastMouse_.X - paintPanel_->Left(), y - paintPanel_->Top());
  paintPanel_->Invalidate();
  paintPanel_->Update();
}

void TDocViewer::StopAutoScroll() {
  autoScrolling_ = false;
  autoScrollTimer_->SetEnabled(false);
}

void TDocViewer::PanelMouseUp(cl::TObject*, cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (OnImageClick || OnRightClick) {
    const std::optional<TObjectHit> hit = sectionList_->ObjectAtXY(x, DocumentY(y));
    if (hit && OnImageClick) OnImageClick(this, hit->Image, button, shift, hit->XOff, hit->YOff);
    if (button == cl::mbRight && OnRightClick) {
      TRightClickParameters parameters;
      if (hit) {
        parameters.Image = hit->Image;
        parameters.ImageX = hit->XOff;
        parameters.ImageY = hit->YOff;
      }
      if (const auto link = GetLinkAt(x, y); link && link->UrlTarget) {
        parameters.URL = link->UrlTarget->Url;
        parameters.Target = link->UrlTarget->Target;
      }
      OnRightClick(this, parameters);
    }
  }
  if (button != cl::mbLeft) return;
  ExtendSelection(x, y);
  mouseSelecting_ = false;
  StopAutoScroll();
  if (!linkPressed_) return;
  linkPressed_ = false;
  if (sectionList_->SelTo > sectionList_->SelFrom) return;
  const auto link = GetLinkAt(x, y);
  if (!link) return;
  // An image form control took its click point in the hit test.
  if (auto* image = dynamic_cast<TImageFormControlObj*>(link->FormControl)) {
    image->ImageClick();
    return;
  }
  if (link->FormControl != nullptr || !link->UrlTarget) return;
  url_ = link->UrlTarget->Url;
  target_ = link->UrlTarget->Target;
  linkActivated_ = true;
  FollowLink();
}

bool TDocViewer::HotSpotClickHandled() {
  bool handled = false;
  if (OnHotSpotClick) OnHotSpotClick(this, url_, handled);
  return handled;
}

void TDocViewer::FollowLink() {
  if (HotSpotClickHandled()) return;
  const int32_t oldPos = Position();
  std::string s = url_;
  if (!s.empty() && s[0] == '#') {
    if (PositionTo(s)) BumpHistory(currentFile_, documentTitle_, oldPos, fileType_);
    return;
  }
  std::string dest;
  if (const auto hash = s.find('#'); hash != std::string::npos) {
    dest = s.substr(hash, ShortString::MaxLength);
    s.erase(hash);
  }
  s = ExpandLinkFileName(s);
  const std::string ext = cl::AnsiUpperCase(utl::SplitPath(s).extension).substr(0, 5);
  if (ext == ".HTM" || ext == ".HTML") {
    if (s != currentFile_) {
      LoadFromFile(s + dest);
    } else if (PositionTo(dest)) {
      BumpHistory(currentFile_, documentTitle_, oldPos, ftHTML);
    }
  } else if (ext == ".BMP" || ext == ".GIF" || ext == ".JPG" || ext == ".JPEG" || ext == ".PNG") {
    LoadImageFile(s);
  }
}

void TDocViewer::SelectWord(int x, int y) {
  if (noSelect_ || processing_ || linkActivated_) return;
  const auto place = sectionList_->CaretAtXY(paintPanel_->Canvas(), x, DocumentY(y));
  caretPos_ = place ? place->Position : -1;
  // Beyond the end of a line's text nothing is selected.
  if (!place || !place->InText) return;
  const auto hit = sectionList_->CharAt(caretPos_);
  if (!hit || !IsWordCharacter(hit->Character)) return;
  TSectionBase* const owner = hit->Owner;
  int32_t end = caretPos_ + 1;
  while (IsWordChar(end, owner)) ++end;
  int32_t start = caretPos_;
  while (start > 0 && IsWordChar(start - 1, owner)) --start;
  sectionList_->SelFrom = start;
  sectionList_->SelTo = end;
  paintPanel_->Invalidate();
}

bool TDocViewer::IsWordChar(int32_t position, TSectionBase* owner) {
  const auto hit = sectionList_->CharAt(position);
  return hit && hit->Owner == owner && IsWordCharacter(hit->Character);
}

void TDocViewer::SelectAll() {
  if (sectionList_->Count() == 0 || noSelect_) return;
  const TSectionBase* last = sectionList_->Items(sectionList_->Count() - 1);
  sectionList_->SelFrom = 0;
  sectionList_->SelTo = last->FirstPos + last->PosCount;
  Invalidate();
  paintPanel_->Invalidate();
}

void TDocViewer::SetNoSelect(bool noSelect) {
  if (noSelect == noSelect_) return;
  noSelect_ = noSelect;
  if (!noSelect) return;
  sectionList_->SelFrom = sectionList_->SelTo = -1;
  paintPanel_->Repaint();
}

void TDocViewer::CopyToClipboard() {
  sectionList_->CopySelectionToClipboard([](std::string_view text) { cl::Clipboard().SetAsText(text); });
}

int32_t TDocViewer::SelLength() { return sectionList_->SelectionLength(); }

void TDocViewer::SetSelLength(int32_t length) {
  if (length != 0) return;
  sectionList_->SelTo = sectionList_->SelFrom;
  paintPanel_->Invalidate();
}

int32_t TDocViewer::SelStart() const { return sectionList_->SelFrom; }

}  // namespace html
