#include "html/document/list_items.h"

namespace html {

TUListItem::TUListItem(int32_t level, const TUrlTarget* link, const TMyFont& font) : TSection(level, Justification::Left, link, font) {
  ListType = ListKind::Bulleted;
}

TUListItem::TUListItem(TSectionList* master, const TUListItem& source)
    : TSection(master, source), noBullet_(source.noBullet_) {}

std::unique_ptr<TSectionBase> TUListItem::Clone(TSectionList* master) const {
  return std::make_unique<TUListItem>(master, *this);
}

TDListItem::TDListItem(int32_t level, const TUrlTarget* link, const TMyFont& font) : TUListItem(level, link, font) {
  ListType = ListKind::Other;
}

std::unique_ptr<TSectionBase> TDListItem::Clone(TSectionList* master) const {
  return std::make_unique<TDListItem>(master, *this);
}

TOListItem::TOListItem(int32_t level, const TUrlTarget* link, const TMyFont& font, char numberStyle, int32_t number)
    : TUListItem(level, link, font), numberStyle_(numberStyle) {
  ListType = ListKind::Numbered;
  ListNumb = number;
}

TOListItem::TOListItem(TSectionList* master, const TOListItem& source)
    : TUListItem(master, source), numberStyle_(source.numberStyle_) {}

std::unique_ptr<TSectionBase> TOListItem::Clone(TSectionList* master) const {
  return std::make_unique<TOListItem>(master, *this);
}

}  // namespace html
