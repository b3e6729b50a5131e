#include "html/document/frame_drawing.h"

#include <string>

#include "platform/gui/gdi_constants.h"

namespace html {

namespace {

bool IsMonochrome(const cl::TCanvas& canvas) { return canvas.BitsPerPixel() == 1 && canvas.Planes() == 1; }

// Left and top edges in one colour, right and bottom edges in another.
void DrawFrame(cl::TCanvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
               cl::TColor topLeft, cl::TColor bottomRight) {
  canvas.Pen().SetColor(topLeft);
  canvas.MoveTo(x1, y2 - 1);
  canvas.LineTo(x1, y1);
  canvas.LineTo(x2 - 1, y1);
  canvas.Pen().SetColor(bottomRight);
  canvas.LineTo(x2 - 1, y2 - 1);
  canvas.LineTo(x1, y2 - 1);
}

bool IsWhite(cl::TColor color) { return (color & 0xFFFFFF) == cl::clWhite && !cl::IsSystemColor(color); }

}  // namespace

std::int32_t TextWidthOf(const cl::TCanvas& canvas, const char* text, std::int32_t count) {
  if (!text || count <= 0) return 0;
  return canvas.TextExtent(std::string_view(text, static_cast<std::size_t>(count))).cx;
}

void DrawWrappedText(cl::TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom, std::string_view text) {
  const std::int32_t lineHeight = canvas.TextHeight("A");
  canvas.SetTextAlign(win::TA_LEFT | win::TA_TOP);
  const cl::TRect box = cl::Rect(left, top, right, bottom);
  const auto drawLine = [&](const std::string& line) {
    canvas.ExtTextOut(left, top, win::ETO_CLIPPED, &box, line);
  };
  const auto isBlank = [](char ch) { return static_cast<unsigned char>(ch) <= ' '; };
  std::string line;
  std::size_t at = 0;
  while (lineHeight > 0 && top + lineHeight <= bottom) {
    while (at < text.size() && isBlank(text[at])) ++at;
    if (at >= text.size()) break;
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string word(text.substr(at, end - at));
    at = end;
    if (canvas.TextWidth(line + word) > right - left) {
      if (!line.empty()) drawLine(line);
      top += lineHeight;
      line = word + " ";
    } else {
      line += word + " ";
    }
  }
  if (!line.empty() && top + lineHeight <= bottom) drawLine(line);
}

void DrawSunkenBox(cl::TCanvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   bool raised) {
  const bool mono = IsMonochrome(canvas);
  const cl::TColor brushColor = canvas.Brush().Color();
  const cl::TBrushStyle brushStyle = canvas.Brush().Style();
  canvas.Brush().SetColor(cl::clWhite);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsSolid);
  canvas.FillRect(cl::Rect(x1, y1, x2 - 1, y2 - 1));
  canvas.Brush().SetColor(brushColor);
  canvas.Brush().SetStyle(brushStyle);

  const cl::TPenStyle penStyle = canvas.Pen().Style();
  const std::int32_t penWidth = canvas.Pen().Width();
  canvas.Pen().SetStyle(cl::TPenStyle::psInsideFrame);
  canvas.Pen().SetWidth(mono ? 1 : 2);
  if (mono)
    DrawFrame(canvas, x1, y1, x2, y2, cl::clBlack, cl::clBlack);
  else if (raised)
    DrawFrame(canvas, x1, y1, x2, y2, cl::clSilver, cl::clBtnShadow);
  else
    DrawFrame(canvas, x1, y1, x2, y2, cl::clBtnShadow, cl::clSilver);
  canvas.Pen().SetStyle(penStyle);
  canvas.Pen().SetWidth(penWidth);
}

void DrawBorder3D(const TBorderDocument& document, cl::TCanvas& canvas, std::int32_t x1, std::int32_t y1,
                  std::int32_t x2, std::int32_t y2, bool raised) {
  const bool whiteBackground =
      document.Printing || IsWhite(document.Background) ||
      ((document.Background & ~cl::PaletteRelative) == cl::clWindow &&
       (win::GetSysColor(5) & 0xFFFFFF) == cl::clWhite);
  const bool mono = document.Printing && IsMonochrome(canvas);
  const cl::TColor light = whiteBackground ? cl::clSilver : cl::clBtnHighlight;
  if (mono)
    DrawFrame(canvas, x1, y1, x2, y2, cl::clBlack, cl::clBlack);
  else if (raised)
    DrawFrame(canvas, x1, y1, x2, y2, light, cl::clBtnShadow);
  else
    DrawFrame(canvas, x1, y1, x2, y2, cl::clBtnShadow, light);
}

}  // namespace html
