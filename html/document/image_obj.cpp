#include "html/document/image_obj.h"

#include <algorithm>
#include <cstdlib>

#include "html/document/animated_image.h"
#include "html/document/font_obj.h"
#include "html/document/frame_drawing.h"
#include "html/document/image_source.h"
#include "platform/gui/bitmap.h"
#include "html/document/html_common.h"
#include "html/document/section_list.h"
#include "platform/core/ansi_case.h"
#include "platform/core/mul_div.h"
#include "platform/gui/canvas.h"

namespace html {

namespace {

std::string CacheKey(const std::string& name) { return cl::AnsiUpperCase(TrimBlanks(name)); }

}  // namespace

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
        } else if (a->IntValue > 0) {
          // Zero or less would stretch the picture mirrored or to nothing.
          SpecWidth = a->IntValue;
        }
        break;
      case HeightSy:
        // Given at all, a height is at least one pixel: HEIGHT=0 is a line.
        SpecHeight = std::max<int32_t>(1, a->IntValue);
        break;
      case HSpaceSy: HSpace = std::min<int64_t>(20, std::llabs(int64_t(a->IntValue))); break;
      case TranspSy: TransparencyKind = trLowerLeft; break;
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
      Image(source.Image),
      MaskImage(source.MaskImage),
      TransparencyKind(source.TransparencyKind),
      IsMap(source.IsMap),
      HSpace(source.HSpace),
      images_(master.ImageSource) {
  if (!Source.empty() && images_) images_->AddUse(CacheKey(Source));
  if (const TAnimatedImage* animation = source.Animation()) {
    ownAnimation_ = animation->CreateCopy();
    Image = ownAnimation_.get();
  }
}

TImageObj::~TImageObj() {
  if (ParentSectionList) {
    if (TAnimatedImage* animation = Animation()) ParentSectionList->AnimatedImages.Remove(animation);
    // A picture that arrives later must not find this object waiting.
    cl::TStringList& waiting = ParentSectionList->DelayedImages;
    for (int i = waiting.Count() - 1; i >= 0; --i)
      if (waiting.Objects(i) == this) waiting.Delete(i);
  }
  if (!Source.empty() && images_) images_->ReleaseUse(CacheKey(Source));
}

TAnimatedImage* TImageObj::Animation() const { return dynamic_cast<TAnimatedImage*>(Image); }

std::unique_ptr<TImageObj> TImageObj::Clone(TSectionList& master) const {
  return std::make_unique<TImageObj>(master, *this);
}

int32_t ScaledSize(int32_t value, int32_t numerator, int32_t denominator) {
  return denominator == 0 ? 0 : std::max(0, win::MulDiv(value, numerator, denominator));
}

void TImageObj::LayoutImage(TSectionList& document, cl::TCanvas& canvas, const TFontObj* fontObj,
                            int32_t availableWidth) {
  ParentSectionList = &document;
  TImageSource* const images = document.ImageSource;
  if (!images_) images_ = images;
  const bool showImages = document.ImagesOn;
  if (showImages && !Image && images) {
    bool pending = false;
    if (!Source.empty()) {
      Source = document.ExpandImageName(Source);
      if (document.DelayedImages.IndexOf(CacheKey(Source)) >= 0) {
        pending = true;
      } else {
        const TFetchedImage fetched = images->FetchImage(document, Source, TransparencyKind);
        pending = fetched.Delayed;
        if (!pending) TakePicture(document, fetched);
      }
    }
    if (!Image && pending) {
      Image = images->DefaultBitmap();
      document.DelayedImages.AddObject(CacheKey(Source), this);
    } else if (!Image) {
      TakePicture(document, {});
    }
  }
  const cl::TGraphic* defaultPicture = images ? images->DefaultBitmap() : nullptr;
  const cl::TGraphic* picture = showImages ? Image : defaultPicture;
  const int32_t naturalWidth = picture ? picture->Width() : 0;
  const int32_t naturalHeight = picture ? picture->Height() : 0;
  // A picture without pixels has no proportions to scale by: it takes the
  // room a placeholder would.
  const bool placeholder = IsPlaceholder(showImages) || naturalWidth <= 0 || naturalHeight <= 0;
  if (!ImageKnown) {
    if (placeholder) {
      if (SpecWidth > 0 && SpecHeight > 0 && !PercentWidth) {
        ImageWidth = SpecWidth;
        ImageHeight = SpecHeight;
        ImageKnown = true;
      } else {
        ImageWidth = naturalWidth;
        ImageHeight = naturalHeight;
      }
    } else if (PercentWidth) {
      ImageWidth = ScaledSize(availableWidth, SpecWidth, 100);
      ImageHeight = SpecHeight > 0 ? SpecHeight : naturalHeight;
    } else if (SpecWidth > 0 && SpecHeight > 0) {
      ImageWidth = SpecWidth;
      ImageHeight = SpecHeight;
      ImageKnown = true;
    } else if (SpecHeight > 0) {
      ImageHeight = SpecHeight;
      ImageWidth = ScaledSize(SpecHeight, naturalWidth, naturalHeight);
      ImageKnown = true;
    } else if (SpecWidth > 0) {
      ImageWidth = SpecWidth;
      ImageHeight = ScaledSize(SpecWidth, naturalHeight, naturalWidth);
      ImageKnown = true;
    } else {
      ImageWidth = naturalWidth;
      ImageHeight = naturalHeight;
      ImageKnown = true;
    }
    if (placeholder && !ImageKnown) {
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

void TImageObj::TakePicture(TSectionList& document, const TFetchedImage& fetched) {
  Image = fetched.Image;
  TransparencyKind = fetched.Transparency;
  MaskImage = fetched.Mask;
  if (auto* animation = dynamic_cast<TAnimatedImage*>(Image)) {
    // The cache's animation plays for the object that fetched it first;
    // any other object plays a copy of its own.
    if (fetched.FromCache) {
      ownAnimation_ = animation->CreateCopy();
      Image = ownAnimation_.get();
    }
    if (Image) document.AnimatedImages.Add(Animation());
  }
  if (!Image && images_) {
    Image = images_->ErrorBitmap();
    MaskImage = images_->ErrorMask();
    TransparencyKind = trLowerLeft;
  }
}

void TImageObj::InsertImage(TSectionList& document, const TFetchedImage& fetched) {
  if (!images_ || Image != images_->DefaultBitmap()) return;
  ParentSectionList = &document;
  TakePicture(document, fetched);
  // The stand-in's size was never the picture's.
  ImageKnown = false;
}

void TImageObj::DrawImageAt(cl::TCanvas& canvas, int32_t x, int32_t y) {
  const int32_t scroll = ParentSectionList ? ParentSectionList->ScrollY : 0;
  Left = x;
  Top = y + scroll;
  if (!images_) return;
  const bool showImages = !ParentSectionList || ParentSectionList->ImagesOn;
  TAnimatedImage* const animation = showImages ? Animation() : nullptr;
  if (animation && !canvas.IsPrinter()) {
    animation->Drawn = true;
    try {
      animation->Draw(canvas, x, y, ImageWidth, ImageHeight);
    } catch (const std::exception&) {
    }
    return;
  }
  auto* bitmap = animation ? animation->CurrentFrameBitmap()
                           : dynamic_cast<cl::TBitmap*>(showImages ? Image : images_->DefaultBitmap());
  if (!bitmap || bitmap->Empty()) return;
  const bool fixed = bitmap == images_->DefaultBitmap() || bitmap == images_->ErrorBitmap();
  const int32_t width = fixed ? bitmap->Width() : ImageWidth;
  const int32_t height = fixed ? bitmap->Height() : ImageHeight;
  try {
    cl::TBitmap* mask = animation ? animation->CurrentFrameMask() : showImages ? MaskImage : nullptr;
    const TTransparency kind = animation && mask ? trGifColor : TransparencyKind;
    const bool masking = kind != trOpaque || bitmap == images_->ErrorBitmap();
    if (canvas.IsPrinter()) {
      images_->PrintPicture(canvas, *bitmap, masking ? mask : nullptr, x, y, width, height);
      return;
    }
    if (!fixed && showImages && !Source.empty() && !animation)
      images_->UseScaledCopy(CacheKey(Source), bitmap, mask, width, height);
    if (masking && mask)
      images_->DrawMasked(canvas, *bitmap, *mask, x, y, width, height);
    else if (fixed)
      canvas.Draw(x, y, *bitmap);
    else
      canvas.StretchDraw({x, y, x + width, y + height}, *bitmap);
  } catch (const std::exception&) {
    // A picture that cannot be drawn leaves its box empty.
  }
}

void TImageObj::Draw(cl::TCanvas& canvas, int32_t x, int32_t topY, int32_t baselineY, const TFontObj* fontObj) {
  const int32_t scroll = ParentSectionList ? ParentSectionList->ScrollY : 0;
  topY -= scroll;
  baselineY -= scroll;
  const bool showImages = !ParentSectionList || ParentSectionList->ImagesOn;
  const bool placeholder = IsPlaceholder(showImages);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  const cl::TColor fontColour = canvas.Font().Color();
  canvas.Font().SetColor(cl::clBlack);
  canvas.Font().SetSize(8);
  canvas.Font().SetName("Arial");
  const int32_t inset = placeholder ? 4 : 0;
  int32_t top = topY;
  if (ObjAlign == AlignMiddle && fontObj)
    top = baselineY + fontObj->Descent - fontObj->FontHeight / 2 - ObjHeight / 2;
  else if (ObjAlign == AlignBottom)
    top = baselineY - ObjHeight;
  const int32_t border = Bordered ? 1 : 0;
  if (!(placeholder && (ImageWidth < 24 || ImageHeight < 24)))
    DrawImageAt(canvas, x + inset + border, top + inset + border);
  else {
    Left = x + border;
    Top = top + border + scroll;
  }
  canvas.SetTextAlign(0);
  if (placeholder && !Bordered) {
    canvas.Font().SetColor(fontColour);
    if (!Alt.empty()) DrawWrappedText(canvas, x + 24, top + 4, x + ImageWidth - 2, top + ImageHeight - 1, Alt);
    TBorderDocument document;
    document.Printing = ParentSectionList && ParentSectionList->IsPrintCopy;
    if (ParentSectionList) document.Background = ParentSectionList->BackgroundColor;
    DrawBorder3D(document, canvas, x, top, x + ImageWidth - 1, top + ImageHeight - 1, false);
  }
  if (Bordered) {
    const cl::TColor linkColour = fontObj ? fontObj->RunFont->Color() : fontColour;
    canvas.Pen().SetColor(linkColour);
    canvas.Font().SetColor(linkColour);
    if (placeholder && !Alt.empty())
      DrawWrappedText(canvas, x + 24, top + 4, x + ImageWidth - 2, top + ImageHeight - 1, Alt);
    canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
    canvas.Rectangle(x, top, x + ObjWidth, top + ObjHeight);
  }
}

bool TImageObj::IsPlaceholder(bool showImages) const {
  if (!showImages || !images_) return true;
  return Image == images_->ErrorBitmap() || Image == images_->DefaultBitmap();
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

std::optional<TObjectHit> TImageObjList::PtInObject(int32_t x, int32_t y) const {
  for (const auto& image : *this)
    if (image->Hit(x, y)) return TObjectHit{image.get(), x - image->Left, y - image->Top};
  return std::nullopt;
}

}  // namespace html
