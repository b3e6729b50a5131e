#include "html/parse/parser_blocks.h"

#include "html/document/block_sections.h"
#include "html/document/list_items.h"
#include "html/document/preformated.h"
#include "html/document/section_list.h"

namespace html {

namespace {

// List items take the styles in force through their first run.
template <class Item>
std::unique_ptr<TSection> Styled(std::unique_ptr<Item> item, const TMyFont& font, cl::TFontStyles styles) {
  if (styles) item->Fonts[0]->ChangeFont([&](TMyFont& f) { f.SetStyle(font.Style() | styles); });
  return item;
}

}  // namespace

std::unique_ptr<TSectionBase> NewParagraphSpace() { return std::make_unique<TParagraphSpace>(); }
std::unique_ptr<TSectionBase> NewHeadingSpace(int32_t level) { return std::make_unique<THeadingSpace>(level); }
std::unique_ptr<TSectionBase> NewHorzLine(const TAttributeList& attributes) {
  return std::make_unique<THorzLine>(attributes);
}
std::unique_ptr<TSectionBase> NewPage() { return std::make_unique<TPage>(); }

std::unique_ptr<TSection> NewPreSection(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                        cl::TFontStyles styles) {
  return std::make_unique<TPreFormated>(level, Justification::Left, link, font, styles);
}

std::unique_ptr<TSection> NewOrderedItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                         cl::TFontStyles styles, char numberStyle, int32_t number) {
  return Styled(std::make_unique<TOListItem>(level, link, font, numberStyle, number), font, styles);
}

std::unique_ptr<TSection> NewBulletItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                        cl::TFontStyles styles, bool noBullet) {
  auto item = std::make_unique<TUListItem>(level, link, font);
  item->SetNoBullet(noBullet);
  return Styled(std::move(item), font, styles);
}

std::unique_ptr<TSection> NewDefinitionItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                            cl::TFontStyles styles) {
  return Styled(std::make_unique<TDListItem>(level, link, font), font, styles);
}

void SetPreFont(const TSectionList& document, TMyFont& font) {
  font.UsesPreFont = true;
  font.OwnName = false;
  font.SetName(document.DefaultPreFontName);
  font.SetRelSize(document, 10);
}

}  // namespace html
