#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogs/phone_book_item.h"
#include "platform/core/string_list.h"

namespace dlg {

// The key an entry is listed under: kinds 0-4 lead with the name, company,
// country, area or number, kinds 5-7 with an order digit that puts network,
// fax or SMS numbers first. Lower case; empty for a kind above 7.
std::string PhoneItemKey(const tPhoneBookItem& item, std::uint8_t kind);
constexpr std::uint8_t LastPhoneSortKind = 7;

// A name and a number, blanks aside.
bool IsPhoneItemValid(const tPhoneBookItem& item);

// Appends one row a line of the book: the entry's key for kind and the entry
// as its object (tPhoneBookItem), which the list then owns. A blank line
// gives an entry of empty texts and UseFor 1. A row the list refuses frees
// its entry. Throws when the file cannot be read; the rows added before stay.
void LoadPhoneBook(std::string_view fileName, cl::TStrings& list, std::uint8_t kind);

// Writes the entries of the list's rows, in list order, as the book's lines;
// rows without an object are passed over. An entry is the library's object
// or one a caller built by the public header. The new book takes the old
// one's place only when written in full: on any failure, and for a row whose
// object is not an entry, the old book stays as it was and this throws.
void SavePhoneBook(std::string_view fileName, const cl::TStrings& list);

}  // namespace dlg
