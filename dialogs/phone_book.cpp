#include "dialogs/phone_book.h"

#include <array>
#include <memory>
#include <optional>

#include "dialogs/phone_book_entry.h"
#include "dialogs/phone_book_file.h"
#include "platform/core/ansi_case.h"
#include "platform/core/blank_trim.h"
#include "platform/core/exception.h"

namespace dlg {
namespace {

// AnsiLowerChar for each byte, looked up: a book's load builds a key a line.
const std::array<char, 256>& LowerCaseTable() {
  static const std::array<char, 256> table = [] {
    std::array<char, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = cl::AnsiLowerChar(static_cast<char>(c));
    return t;
  }();
  return table;
}

// Format's "%-w.ws" (left) and "%w.ws" (right): cut to width, padded with
// blanks; the text goes in lower case, as the whole key does. Writes in place
// into a key already sized and blank, so a line's key costs no reallocation.
class KeyWriter {
 public:
  explicit KeyWriter(char* out) : out_(out) {}
  void Put(std::string_view text, std::size_t width, bool left) {
    text = text.substr(0, width);
    char* out = out_ + (left ? 0 : width - text.size());
    for (const char c : text) *out++ = lower_[static_cast<unsigned char>(c)];
    out_ += width;
  }
  void Put(char c) { *out_++ = lower_[static_cast<unsigned char>(c)]; }

 private:
  char* out_;
  const std::array<char, 256>& lower_ = LowerCaseTable();
};

// Name, company, country, area and number; the kinds from 5 on put the order
// digit in front.
constexpr std::size_t fieldsWidth = 31 + 63 + 10 + 10 + 31;

char OrderDigit(std::uint8_t kind, std::uint8_t useFor) {
  if (useFor < 1 || useFor > 3) return '4';
  static constexpr char digits[3][3] = {{'1', '2', '3'}, {'3', '1', '2'}, {'3', '2', '1'}};
  return digits[kind - 5][useFor - 1];
}

// The key of kind 0..7 into key, replacing what it held.
void MakeKey(std::string& key, const tPhoneBookItem& item, std::uint8_t kind) {
  key.assign(kind <= 4 ? fieldsWidth : fieldsWidth + 1, ' ');
  KeyWriter put(key.data());
  const std::string_view name = item.Name.View(), company = item.Company.View(), country = item.Country.View(),
                         area = item.Area.View(), number = item.Number.View();
  switch (kind) {
    case 0:
      put.Put(name, 31, true), put.Put(company, 63, true);
      put.Put(country, 10, false), put.Put(area, 10, false), put.Put(number, 31, false);
      break;
    case 1:
      put.Put(company, 63, true), put.Put(name, 31, true);
      put.Put(country, 10, false), put.Put(area, 10, false), put.Put(number, 31, false);
      break;
    case 2:
      put.Put(country, 10, false), put.Put(name, 31, true), put.Put(company, 63, true);
      put.Put(area, 10, false), put.Put(number, 31, false);
      break;
    case 3:
      put.Put(area, 10, false), put.Put(name, 31, true), put.Put(company, 63, true);
      put.Put(country, 10, false), put.Put(number, 31, false);
      break;
    case 4:
      put.Put(number, 31, false), put.Put(name, 31, true), put.Put(company, 63, true);
      put.Put(area, 10, false), put.Put(country, 10, false);
      break;
    default:
      put.Put(OrderDigit(kind, item.UseFor));
      put.Put(name, 31, true), put.Put(company, 63, true);
      put.Put(country, 10, false), put.Put(area, 10, false), put.Put(number, 31, false);
      break;
  }
  // At most 146 characters: within a short string.
}

}  // namespace

std::string PhoneItemKey(const tPhoneBookItem& item, std::uint8_t kind) {
  std::string key;
  if (kind <= LastPhoneSortKind) MakeKey(key, item, kind);
  return key;
}

bool IsPhoneItemValid(const tPhoneBookItem& item) {
  return !cl::TrimOf(item.Name.View(), " ").empty() && !cl::TrimOf(item.Number.View(), " ").empty();
}

void LoadPhoneBook(std::string_view fileName, cl::TStrings& list, std::uint8_t kind) {
  std::string key;
  ForEachPhoneBookEntry(fileName, [&](tPhoneBookItem&& read) {
    auto entry = std::make_unique<tPhoneBookItem>(read);
    if (kind <= LastPhoneSortKind) MakeKey(key, *entry, kind);
    try {
      const int index = list.AddObject(key, entry.get());
      // A sorted list that ignores duplicates keeps its own row and leaves
      // the entry with us.
      if (index >= 0 && index < list.Count() && list.Objects(index) == entry.get()) entry.release();
    } catch (const cl::Exception&) {
      // A row the list refuses (a sorted list that forbids duplicates) is
      // passed over and reading goes on.
    }
  });
}

void SavePhoneBook(std::string_view fileName, const cl::TStrings& list) {
  tPhoneBookWriter book(fileName);
  for (int i = 0; i < list.Count(); ++i) {
    // A row may hold an entry the caller built, which is no class-library
    // object: only its first slot tells what it is.
    const void* object = list.Objects(i);
    if (!object) continue;
    const std::optional<tPhoneBookItem> item = ReadCallerEntry(object);
    if (!item) throw cl::Exception("Row " + std::to_string(i) + " holds no phone-book entry");
    book.Write(*item);
  }
  book.Commit();
}

}  // namespace dlg
