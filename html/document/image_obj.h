#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "html/document/attributes.h"
#include "html/document/free_list.h"
#include "html/document/image_align.h"
#include "html/document/object_hit.h"
#include "html/document/transparency.h"
#include "platform/core/object.h"

namespace cl {
class TBitmap;
class TCanvas;
class TGraphic;
}  // namespace cl

namespace html {
class TAnimatedImage;
class TCell;
class TFontObj;
class TFormControlObj;
class TImageSource;
struct TFetchedImage;
class TSectionList;

// One inline image standing at mark 4 of a section's text: what the line
// layout and the hit tests read, and its picture from the document's image
// source (the cache's; animated pictures plug in through TAnimatedImage).
class TImageObj : public cl::TObject {
 public:
  using enum ImageAlign;

  TImageObj(int32_t pos, const TAttributeList& attributes);
  // For a print copy that belongs to master.
  TImageObj(TSectionList& master, const TImageObj& source);
  ~TImageObj() override;

  // Works out the display size for the width available.
  virtual void LayoutImage(TSectionList& document, cl::TCanvas& canvas, const TFontObj* fontObj,
                           int32_t availableWidth);
  // Draws at x; topY and baselineY are document coordinates.
  virtual void Draw(cl::TCanvas& canvas, int32_t x, int32_t topY, int32_t baselineY, const TFontObj* fontObj);
  virtual std::unique_ptr<TImageObj> Clone(TSectionList& master) const;
  // The picture this pending object waited for has come (no image: it
  // cannot be had); the next layout sizes it. Others keep what they show.
  void InsertImage(TSectionList& document, const TFetchedImage& fetched);

  bool Floating() const { return ObjAlign == AlignLeft || ObjAlign == AlignRight; }
  // The point lies on the picture as last drawn (document coordinates).
  bool Hit(int32_t x, int32_t y) const;

  int32_t Pos = 0;
  int32_t ObjHeight = 0, ObjWidth = 0;  // space in the line, border included
  int32_t SpecHeight = 0, SpecWidth = 0;
  bool PercentWidth = false;
  int32_t ImageHeight = 0, ImageWidth = 0;
  bool ImageKnown = false;
  std::string Source;
  std::string Alt;
  ImageAlign ObjAlign = AlignBottom;
  bool NoBorder = false;
  TSectionList* ParentSectionList = nullptr;
  cl::TGraphic* Image = nullptr;      // the cache's, or the unit's default or error bitmap
  cl::TBitmap* MaskImage = nullptr;  // the cache's
  TTransparency TransparencyKind = trOpaque;
  bool IsMap = false;
  bool UseMap = false;
  bool Bordered = false;
  int32_t Left = 0, Top = 0;  // where the picture was last drawn
  std::string MapName;
  int32_t HSpace = 5;
  TFormControlObj* ImageFormControl = nullptr;
  TCell* ImageCell = nullptr;
  // A float's X from its cell's left edge, given when it is registered.
  int32_t FloatX = 0;

 private:
  void DrawImageAt(cl::TCanvas& canvas, int32_t x, int32_t y);
  // Takes a fetched picture (the error bitmap when there is none); an
  // animation joins the document's.
  void TakePicture(TSectionList& document, const TFetchedImage& fetched);
  // No picture of its own: images off, not had (yet), or no image side.
  bool IsPlaceholder(bool showImages) const;

  // The animated picture in Image: this object's own copy, or the cache's.
  TAnimatedImage* Animation() const;

  TImageSource* images_ = nullptr;  // the document's, from the first layout or the copy
  // A copy of an animation that another image object (or the cache) plays.
  std::unique_ptr<TAnimatedImage> ownAnimation_;
};

// value * numerator / denominator for picture sizes: 0 (never -1) for a
// denominator of 0.
int32_t ScaledSize(int32_t value, int32_t numerator, int32_t denominator);

// The images of one section in text order.
class TImageObjList : public TFreeList<TImageObj> {
 public:
  TImageObjList() = default;
  TImageObjList(TSectionList& master, const TImageObjList& source);

  // The image at pos, or null (binary search: images are in text order).
  TImageObj* FindImage(int32_t pos) const;
  // Index of the first image at or after pos; Count() when none.
  int FirstAtOrAfter(int32_t pos) const;
  // The first image whose picture holds the point, with the point inside it.
  std::optional<TObjectHit> PtInObject(int32_t x, int32_t y) const;
};

}  // namespace html
