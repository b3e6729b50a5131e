#pragma once

#include <cstdint>

#include "html/document/font_obj.h"
#include "html/document/free_list.h"

namespace html {

// The font runs of one section in increasing StartPos; the first starts at 0.
// Lookups by position are binary searches: a long paragraph can hold many runs.
class TFontList : public TFreeList<TFontObj> {
 public:
  TFontList() = default;
  explicit TFontList(const TFontList& source);

  void UpdateFonts(const TSectionList& document);
  // The font of the run holding pos (the last run starting at or before it).
  const TMyFont* GetFontAt(int32_t pos, int32_t& overhang) const;
  // Characters from pos to the next run start after pos; len - pos when none.
  int32_t GetFontCountAt(int32_t pos, int32_t len) const;
  // The run holding pos, and its index.
  TFontObj* GetFontObjAt(int32_t pos, int& index) const;
  TFontObj* GetFontObjAt(int32_t pos) const {
    int index;
    return GetFontObjAt(pos, index);
  }
  // Index of the run holding pos (0 before the first run).
  int IndexAt(int32_t pos) const;
};

}  // namespace html
