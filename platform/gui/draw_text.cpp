#include "platform/gui/draw_text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace cl {

namespace {

std::string WithoutPrefixes(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') shown += '&', ++i;
      continue;
    }
    shown += text[i];
  }
  return shown;
}

// Breaks one paragraph (no line ends) into lines no wider than width. Widths
// are additive, so each word is measured once.
void BreakParagraph(const TCanvas& canvas, std::string_view paragraph, int32_t width,
                    std::vector<std::string>& lines) {
  std::string line;
  int32_t lineWidth = 0;
  size_t pos = 0;
  const int32_t blankWidth = canvas.TextWidth(" ");
  auto flush = [&] {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
    line.clear();
    lineWidth = 0;
  };
  bool any = false;
  while (pos < paragraph.size()) {
    if (paragraph[pos] == ' ') {
      line += ' ';
      lineWidth += blankWidth;
      ++pos;
      continue;
    }
    const size_t end = std::min(paragraph.find(' ', pos), paragraph.size());
    std::string_view word = paragraph.substr(pos, end - pos);
    pos = end;
    int32_t wordWidth = canvas.TextWidth(word);
    if (lineWidth + wordWidth > width && any) flush();
    // A word that does not fit a line of its own is cut at the edge.
    while (wordWidth > width && word.size() > 1) {
      size_t fit = 0;
      int32_t fitWidth = 0;
      while (fit < word.size()) {
        const int32_t w = canvas.TextWidth(word.substr(fit, 1));
        if (fitWidth + w > width && fit > 0) break;
        fitWidth += w;
        ++fit;
      }
      if (fit == word.size()) break;
      line.append(word.substr(0, fit));
      flush();
      word = word.substr(fit);
      wordWidth = canvas.TextWidth(word);
    }
    if (!line.empty() && line.find_first_not_of(' ') == std::string::npos) {
      line.clear();
      lineWidth = 0;
    }
    line.append(word);
    lineWidth += wordWidth;
    any = true;
  }
  flush();
}

}  // namespace

TRect DrawText(TCanvas& canvas, std::string_view text, TRect rect, uint32_t format) {
  const std::string shown = (format & DT_NOPREFIX) != 0 ? std::string(text) : WithoutPrefixes(text);
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = std::min(shown.find_first_of("\r\n", start), shown.size());
    const std::string_view paragraph = std::string_view(shown).substr(start, end - start);
    if ((format & DT_WORDBREAK) != 0) {
      BreakParagraph(canvas, paragraph, std::max<int32_t>(rect.Width(), 1), lines);
    } else {
      lines.emplace_back(paragraph);
    }
    if (end >= shown.size()) break;
    start = end + 1;
    if (shown[end] == '\r' && start < shown.size() && shown[start] == '\n') ++start;
  }
  const int32_t lineHeight = canvas.GetTextMetrics().tmHeight;
  if ((format & DT_CALCRECT) != 0) {
    int32_t widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas.TextWidth(line));
    rect.Right = rect.Left + widest;
    rect.Bottom = rect.Top + lineHeight * static_cast<int32_t>(lines.size());
    return rect;
  }
  int32_t y = rect.Top;
  for (const std::string& line : lines) {
    int32_t x = rect.Left;
    if ((format & DT_CENTER) != 0) x = rect.Left + (rect.Width() - canvas.TextWidth(line)) / 2;
    if ((format & DT_RIGHT) != 0) x = rect.Right - canvas.TextWidth(line);
    canvas.TextOut(x, y, line);
    y += lineHeight;
  }
  return rect;
}

}  // namespace cl
