#include "html/image_obj.h"

#include <algorithm>
#include <cstdlib>

#include "html/font_obj.h"
#include "html/html_common.h"
#include "html/section_list.h"
#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/canvas.h"

TImageObj::TImageObj(int32_t pos, const TAttributeList& attributes) : Pos(pos) {
  for (const auto& a : attributes) {
    switch (a->Code) {
      case SrcSy: Source = a->StrValue; break;
      case AltSy: Alt = a->StrValue; break;
      case AlignSy: {
        const std::string s = cl::AnsiUpperCase(a->StrValue);
        if (s == "TOP") ObjAlign = AlignTop;
        else if (s == "MIDDLE" || s == "ABSMIDDLE") ObjAlign = AlignMiddle;
        else if (s == "LEFT") ObjAlign = AlignLeft;
        else if (s == "RIGHT") ObjAlign = AlignRight;
        break;
      }
      case BorderSy: NoBorder = a->IntValue == 0; break;
      case WidthSy:
        if (a->StrValue.find('%') != std::string::npos) {
          if (a->IntValue > 0 && a->IntValue <= 100) {
            SpecWidth = a->IntValue;
            PercentWidth = true;
          }
        } else {
          SpecWidth = a->IntValue;
        }
        break;
      case HeightSy: SpecHeight = std::max(1, a->IntValue); break;
      case HSpaceSy: HSpace = std::min<int64_t>(20, std::llabs(int64_t(a->IntValue))); break;
      case TranspSy: TransparencyKind = 1; break;
      case IsMapSy: IsMap = true; break;
      case UseMapSy: {
        UseMap = true;
        MapName = TrimBlanks(cl::AnsiUpperCase(a->StrValue));
        if (MapName.size() > 1 && MapName[0] == '#') MapName.erase(0, 1);
        break;
      }
      default: break;
    }
  }
}

TImageObj::TImageObj(TSectionList& master, const TImageObj& source)
    : Pos(source.Pos),
      SpecHeight(source.SpecHeight),
      SpecWidth(source.SpecWidth),
      PercentWidth(source.PercentWidth),
      ImageHeight(source.ImageHeight),
      ImageWidth(source.ImageWidth),
      ImageKnown(source.ImageKnown),
      Source(source.Source),
      Alt(source.Alt),
      ObjAlign(source.ObjAlign),
      NoBorder(source.NoBorder),
      ParentSectionList(&master),
      TransparencyKind(source.TransparencyKind),
      IsMap(source.IsMap),
      HSpace(source.HSpace) {}

TImageObj::~TImageObj() = default;

std::unique_ptr<TImageObj> TImageObj::Clone(TSectionList& master) const {
  return std::make_unique<TImageObj>(master, *this);
}

void TImageObj::LayoutImage(TSectionList& document, cl::TCanvas& canvas, const TFontObj* fontObj,
                            int32_t availableWidth) {
  // Without a picture the size is the placeholder's: what was asked for,
  // grown to hold the icon and the ALT text.
  ParentSectionList = &document;
  if (!ImageKnown) {
    if (PercentWidth) {
      ImageWidth = win::MulDiv(availableWidth, SpecWidth, 100);
      ImageHeight = SpecHeight;
    } else if (SpecWidth > 0 && SpecHeight > 0) {
      ImageWidth = SpecWidth;
      ImageHeight = SpecHeight;
      ImageKnown = true;
    } else {
      ImageWidth = SpecWidth;
      ImageHeight = SpecHeight;
    }
    if (!ImageKnown) {
      int32_t w = 0, h = 0;
      if (!Alt.empty()) {
        canvas.Font().SetName("Arial");
        canvas.Font().SetSize(8);
        w = canvas.TextWidth(Alt) + 2;
        h = canvas.TextHeight(Alt);
      }
      ImageWidth = std::max(ImageWidth, w + 24);
      ImageHeight = std::max(ImageHeight, std::max(24, h));
    }
  }
  ObjHeight = ImageHeight;
  ObjWidth = ImageWidth;
  Bordered = fontObj && !fontObj->Link->Url.empty() && !NoBorder;
  if (Bordered) {
    ObjHeight += 2;
    ObjWidth += 2;
  }
}

void TImageObj::Draw(cl::TCanvas& canvas, int32_t x, int32_t topY, int32_t baselineY, const TFontObj* fontObj) {
  const int32_t scroll = ParentSectionList ? ParentSectionList->ScrollY : 0;
  topY -= scroll;
  baselineY -= scroll;
  int32_t top = topY;
  if (ObjAlign == AlignMiddle && fontObj)
    top = baselineY + fontObj->Descent - fontObj->FontHeight / 2 - ObjHeight / 2;
  else if (ObjAlign == AlignBottom)
    top = baselineY - ObjHeight;
  Left = x + (Bordered ? 1 : 0);
  Top = top + (Bordered ? 1 : 0) + scroll;
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  canvas.Pen().SetColor(Bordered && fontObj ? fontObj->RunFont->Color() : cl::clGray);
  canvas.Rectangle(x, top, x + ObjWidth, top + ObjHeight);
}

bool TImageObj::Hit(int32_t x, int32_t y) const {
  const int32_t width = ObjWidth - (Bordered ? 2 : 0);
  const int32_t height = ObjHeight - (Bordered ? 2 : 0);
  return x - Left >= 0 && x - Left < width && y - Top >= 0 && y - Top < height;
}

TImageObjList::TImageObjList(TSectionList& master, const TImageObjList& source) {
  for (const auto& image : source) Add(image->Clone(master));
}

int TImageObjList::FirstAtOrAfter(int32_t pos) const {
  const auto it = std::lower_bound(begin(), end(), pos, [](const auto& image, int32_t p) { return image->Pos < p; });
  return static_cast<int>(it - begin());
}

TImageObj* TImageObjList::FindImage(int32_t pos) const {
  const int index = FirstAtOrAfter(pos);
  return index < Count() && Items(index)->Pos == pos ? Items(index) : nullptr;
}

int32_t TImageObjList::DistanceToNextImage(int32_t pos) const {
  const int index = FirstAtOrAfter(pos);
  return index < Count() ? Items(index)->Pos - pos : 9999;
}

TImageObj* TImageObjList::PtInObject(int32_t x, int32_t y, int32_t& xOff, int32_t& yOff) const {
  for (const auto& image : *this)
    if (image->Hit(x, y)) {
      xOff = x - image->Left;
      yOff = y - image->Top;
      return image.get();
    }
  return nullptr;
}
