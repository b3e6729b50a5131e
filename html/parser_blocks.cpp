#include "html/parser_blocks.h"

#include "html/section_list.h"

std::unique_ptr<TSectionBase> NewParagraphSpace() { return std::make_unique<TSectionBase>(); }
std::unique_ptr<TSectionBase> NewHeadingSpace(int32_t) { return std::make_unique<TSectionBase>(); }
std::unique_ptr<TSectionBase> NewHorzLine(const TAttributeList&) { return std::make_unique<TSectionBase>(); }
std::unique_ptr<TSectionBase> NewPage() { return std::make_unique<TSectionBase>(); }

std::unique_ptr<TSection> NewPreSection(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                        cl::TFontStyles styles) {
  return std::make_unique<TSection>(level, 1, link, font, styles);
}

std::unique_ptr<TSection> NewOrderedItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                         cl::TFontStyles styles, char, int32_t number) {
  auto item = std::make_unique<TSection>(level, 1, link, font, styles);
  item->ListType = 1;
  item->ListNumb = number;
  return item;
}

std::unique_ptr<TSection> NewBulletItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                        cl::TFontStyles styles, bool) {
  auto item = std::make_unique<TSection>(level, 1, link, font, styles);
  item->ListType = 2;
  return item;
}

std::unique_ptr<TSection> NewDefinitionItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                            cl::TFontStyles styles) {
  auto item = std::make_unique<TSection>(level, 1, link, font, styles);
  item->ListType = 3;
  return item;
}

void SetPreFont(const TSectionList& document, TMyFont& font) {
  font.UsesPreFont = true;
  font.SetName(document.DefaultPreFontName);
  font.SetRelSize(document, 10);
}
