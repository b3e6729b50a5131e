#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/gui/colors.h"
#include "platform/gui/font.h"
#include "platform/gui/gdi_objects.h"
#include "platform/gui/geometry.h"
#include "platform/gui/region.h"

namespace cl {

class TBitmap;

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode { pmCopy, pmNot, pmXor };
enum class TBrushStyle { bsSolid, bsClear };

class TPen {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width) { width_ = width < 1 ? 1 : width; }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style) { style_ = style; }
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode) { mode_ = mode; }

 private:
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = TPenStyle::psSolid;
  TPenMode mode_ = TPenMode::pmCopy;
};

// Setting the brush also sets the background the text is drawn on: its colour
// becomes the background colour, and bsClear makes text transparent.
class TBrush {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

 private:
  friend class TCanvas;
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  class TCanvas* canvas_ = nullptr;
};

// A device context with the class library's canvas state. Windows' pixel rules
// hold: rectangles exclude their right and bottom edges, a line excludes its
// end point. Colours are TColor values, resolved when drawn.
class TCanvas {
 public:
  // A memory context compatible with the screen (CreateCompatibleDC): draws
  // into the bitmap chosen with SelectBitmap, at first a 1x1 monochrome one.
  static std::unique_ptr<TCanvas> CreateCompatible();
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The font's colour becomes the text colour whenever the font changes.
  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }

  // Windows' context state; each setter returns the previous value.
  TColor TextColor() const { return textColor_; }
  TColor SetTextColor(TColor color);
  TColor BkColor() const { return bkColor_; }
  TColor SetBkColor(TColor color);
  int BkMode() const { return bkMode_; }
  int SetBkMode(int mode);
  uint32_t TextAlign() const { return textAlign_; }
  uint32_t SetTextAlign(uint32_t align);
  int StretchBltMode() const { return stretchMode_; }
  int SetStretchBltMode(int mode);

  // Lines and shapes.
  TPoint PenPos() const { return penPos_; }
  void MoveTo(int32_t x, int32_t y);
  void LineTo(int32_t x, int32_t y);
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points, int fillMode = 1);
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void FillRect(const TRect& rect);
  void FillRect(const TRect& rect, TColor color);
  void FrameRect(const TRect& rect);
  void FillRgn(const win::Region& region, TColor color);
  void SetPixel(int32_t x, int32_t y, TColor color);
  // The pixel's RGB value, or -1 outside the bitmap or on a window/printer.
  TColor GetPixel(int32_t x, int32_t y) const;

  // Text in the code page 1250. The reference point follows TextAlign.
  void TextOut(int32_t x, int32_t y, std::string_view text);
  void ExtTextOut(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text);
  TSize TextExtent(std::string_view text) const;
  int32_t TextWidth(std::string_view text) const { return TextExtent(text).cx; }
  int32_t TextHeight(std::string_view text) const { return TextExtent(text).cy; }
  TTextMetric GetTextMetrics() const { return font_.Metrics(); }

  // Bitmaps. The source must be a memory canvas or a bitmap's canvas. A
  // monochrome source gives the text colour for 0 and the background colour
  // for 1; a colour source onto a monochrome destination gives 1 where the
  // source pixel equals the source's background colour.
  bool BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const TCanvas& source, int32_t sx, int32_t sy,
              uint32_t rop);
  bool StretchBlt(int32_t x, int32_t y, int32_t width, int32_t height, const TCanvas& source, int32_t sx,
                  int32_t sy, int32_t sw, int32_t sh, uint32_t rop);
  // BLACKNESS, WHITENESS, DSTINVERT over a rectangle.
  bool PatBlt(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop);
  void Draw(int32_t x, int32_t y, TBitmap& bitmap);
  void StretchDraw(const TRect& rect, TBitmap& bitmap);

  // Palettes: selecting returns the previous one (the canvas never owns it);
  // realising answers the entries mapped, 0 on a device deeper than 8 bits.
  win::HPALETTE SelectPalette(win::HPALETTE palette, bool forceBackground);
  int RealizePalette();
  win::HPALETTE Palette() const { return palette_; }

  // Memory contexts: selects a bitmap (not owned) and returns the previous.
  win::HBITMAP SelectBitmap(win::HBITMAP bitmap);
  win::HBITMAP SelectedBitmap() const;

  // Coordinates. Drawing takes logical coordinates; the device gets
  // (logical - window origin) x viewport extent / window extent + viewport
  // origin, the extents counting only in MM_ANISOTROPIC (MM_TEXT is 1:1).
  int MapMode() const { return mapMode_; }
  int SetMapMode(int mode);
  TPoint WindowOrg() const { return windowOrg_; }
  TPoint SetWindowOrg(int32_t x, int32_t y);
  TPoint SetViewportOrg(int32_t x, int32_t y);
  TSize SetWindowExt(int32_t cx, int32_t cy);
  TSize SetViewportExt(int32_t cx, int32_t cy);
  TPoint LPtoDP(TPoint logical) const;
  TPoint DPtoLP(TPoint device) const;

  // Clipping. A selected region is in device coordinates, the clip
  // rectangles and the clip box in logical ones, as on Windows; no region
  // means the whole device.
  void SelectClipRgn(const win::Region* region);
  void IntersectClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void ExcludeClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
  TRect GetClipBox() const;
  std::optional<win::Region> ClipRegion() const { return clip_; }

  // Saves the context's state (colours, modes, text alignment, pen position,
  // clip, palette, mapping) and answers its level from 1; RestoreDC(-1)
  // brings back the last saved state, RestoreDC(n) the one of level n,
  // dropping the later ones. Font, Pen and Brush stay as they are.
  int SaveDC();
  bool RestoreDC(int level);

  // Device facts.
  int BitsPerPixel() const;
  int Planes() const { return 1; }
  // 2^bits for 8 bits or fewer, else -1 (as Windows answers NUMCOLORS).
  int NumColors() const;
  bool IsPrinter() const;
  // A printer that prints fewer colours (tests).
  void SetDeviceBitsPerPixel(int bits) { deviceBits_ = bits; }
  // 96 on the screen; a printer's resolution on a printer canvas.
  int PixelsPerInch() const;
  TSize Size() const;

  struct Target;  // platform/gui's own

 private:
  friend class TBitmap;
  friend class TBrush;
  friend struct CanvasAccess;
  explicit TCanvas(std::unique_ptr<Target> target);
  void BrushChanged();
  void FontChanged();

  std::unique_ptr<Target> target_;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  TColor textColor_ = clBlack;
  TColor bkColor_ = clWhite;
  int bkMode_ = 2;
  uint32_t textAlign_ = 0;
  int stretchMode_ = 1;
  TPoint penPos_;
  std::optional<win::Region> clip_;
  struct SavedState {
    TColor textColor, bkColor;
    int bkMode;
    uint32_t textAlign;
    int stretchMode;
    TPoint penPos;
    std::optional<win::Region> clip;
    win::HPALETTE palette;
    int mapMode;
    TPoint windowOrg, viewportOrg;
    TSize windowExt, viewportExt;
  };
  std::vector<SavedState> saved_;
  int mapMode_ = 1;
  TPoint windowOrg_;
  TPoint viewportOrg_;
  TSize windowExt_{1, 1};
  TSize viewportExt_{1, 1};
  win::HPALETTE palette_ = nullptr;
  int deviceBits_ = 0;
};

}  // namespace cl
