#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/core/short_string.h"

// The suite's configuration library: values by key number.

// A font as the configuration keeps it.
#pragma pack(push, 1)
struct tCfgFontItem {
  std::uint8_t reserved;   // not read by callers
  std::uint8_t faceLength;  // face name: a short string of at most 31 characters
  char face[31];
  std::int32_t size;   // points
  std::uint8_t style;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
};
#pragma pack(pop)
static_assert(sizeof(tCfgFontItem) == 38);
static_assert(offsetof(tCfgFontItem, faceLength) == 1);
static_assert(offsetof(tCfgFontItem, size) == 33);
static_assert(offsetof(tCfgFontItem, style) == 37);

// A page layout: margins and page size, in millimetres.
#pragma pack(push, 1)
struct tPageLayout {
  std::int32_t left, right, top, bottom;
  std::int32_t width, height;
};
#pragma pack(pop)
static_assert(sizeof(tPageLayout) == 24);
static_assert(offsetof(tPageLayout, bottom) == 12);
static_assert(offsetof(tPageLayout, height) == 20);

extern "C" {

// A key never written reads as 0 / the empty text.
std::int32_t CFGGETINTEGER(std::uint8_t key);
void CFGPUTINTEGER(std::uint8_t key, std::int32_t value);
void CFGGETSTRING(std::uint8_t key, ShortString* value);
void CFGPUTSTRING(std::uint8_t key, const ShortString* value);

// A font never configured reads as "MS Sans Serif", 8 points, plain.
void CFGGETFONTITEM(std::uint8_t fontId, tCfgFontItem* item);

// A layout never written reads as its default: A4, 20 mm margins.
void CFGGETPAGELAYOUT(std::uint8_t layoutId, tPageLayout* layout);
void CFGPUTPAGELAYOUT(std::uint8_t layoutId, const tPageLayout* layout);
void CFGDEFAULTPAGELAYOUT(std::uint8_t layoutId, tPageLayout* layout);
}
