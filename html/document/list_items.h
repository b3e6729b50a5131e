#pragma once

#include <cstdint>
#include <memory>

#include "html/document/text_section.h"

namespace html {

// List items: text sections whose marker the text section draws from
// ListType (numbered, bulleted, other), ListNumb and the style.

// An item of UL, MENU or DIR: a bullet unless the list is PLAIN.
class TUListItem : public TSection {
 public:
  TUListItem(int32_t level, const TUrlTarget* link, const TMyFont& font);
  TUListItem(TSectionList* master, const TUListItem& source);

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  bool NoBullet() const override { return noBullet_; }
  void SetNoBullet(bool noBullet) { noBullet_ = noBullet; }

 private:
  bool noBullet_ = false;
};

// A DT or DD item: no marker.
class TDListItem : public TUListItem {
 public:
  TDListItem(int32_t level, const TUrlTarget* link, const TMyFont& font);
  TDListItem(TSectionList* master, const TDListItem& source) : TUListItem(master, source) {}

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
};

// An OL item numbered number in style ('1', 'a', 'A', 'i', 'I' as in TYPE).
class TOListItem : public TUListItem {
 public:
  TOListItem(int32_t level, const TUrlTarget* link, const TMyFont& font, char numberStyle, int32_t number);
  TOListItem(TSectionList* master, const TOListItem& source);

  std::unique_ptr<TSectionBase> Clone(TSectionList* master) const override;
  char NumberStyle() const override { return numberStyle_; }

 private:
  char numberStyle_ = '1';
};

}  // namespace html
