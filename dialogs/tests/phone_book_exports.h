#pragma once

// The phone-book and dual-list exports as a host declares them.

#include <cstdint>

#include "dialogs/phone_book_item.h"
#include "platform/core/short_string.h"
#include "platform/core/string_list.h"

extern "C" {
std::uint8_t SAVEPHONEBOOK(const ShortString* fileName, const cl::TStrings* list);
std::uint8_t LOADPHONEBOOK(const ShortString* fileName, cl::TStrings* list, std::uint8_t kind);
void PHONEITEM2KEY(const dlg::tPhoneBookItem* entry, std::uint8_t kind, ShortString* key);
std::uint8_t ISPHONEITEMVALID(const dlg::tPhoneBookItem* entry);
}

extern "C" {
std::uint16_t SELECTFROMDUAL(std::int32_t x, std::int32_t y, const ShortString* fileName,
                             const ShortString* formCaption, const ShortString* headerCaption1,
                             const ShortString* headerCaption2, const ShortString* current, ShortString* key,
                             ShortString* value);
}

extern "C" {
std::uint16_t EDITPHONEITEM(dlg::tPhoneBookItem* entry, std::uint8_t allowedUseFor);
}
