#include "dialogs/phone_book_item.h"

#include "utility/phone_text.h"
#include "utility/station_url.h"

namespace dlg {
namespace {

// A field goes between quotes and the entry on one line: a quote in it would
// end the field and a line break the entry, so neither may stay.
std::string FieldText(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '"') c = '\'';
    else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return out;
}

}  // namespace

// Plain loops: the fields are short, and a book's load takes four a line.
std::string_view TakeField(std::string_view& line) {
  const char* at = line.data();
  const char* const end = at + line.size();
  const auto skipBlanks = [&at, end] {
    while (at != end && *at == ' ') ++at;
  };
  skipBlanks();
  if (at != end && *at == '"') ++at;
  const char* const start = at;
  const char* close = start;
  while (close != end && *close != '"') ++close;
  const std::string_view field(start, static_cast<std::size_t>(close - start));
  // Without a closing quote the comma is looked for within the field itself.
  at = close != end ? close + 1 : start;
  const char* comma = at;
  while (comma != end && *comma != ',') ++comma;
  if (comma != end) at = comma + 1;
  skipBlanks();
  line = std::string_view(at, static_cast<std::size_t>(end - at));
  return field;
}

std::string TakeField(std::string& line) {
  std::string_view rest(line);
  std::string field(TakeField(rest));
  line.erase(0, line.size() - rest.size());
  return field;
}

tPhoneBookItem tPhoneBookItem::FromLine(std::string_view line) {
  tPhoneBookItem item;
  item.Name.Assign(TakeField(line));
  item.Company.Assign(TakeField(line));
  const utl::PhoneParts phone = utl::URISPLITPHONE(TakeField(line));
  item.Country.Assign(phone.country);
  item.Area.Assign(phone.area);
  item.Number.Assign(phone.number);
  item.UseFor = utl::URISCHEME2USEFOR(TakeField(line));
  if (item.UseFor == 0) item.UseFor = 1;
  return item;
}

void tPhoneBookItem::Assign(const tPhoneBookItem& source) {
  Reserved = source.Reserved;
  Taken = source.Taken;
  Name.Assign(source.Name.View());
  Company.Assign(source.Company.View());
  Country.Assign(source.Country.View());
  Area.Assign(source.Area.View());
  Number.Assign(source.Number.View());
  UseFor = source.UseFor;
}

std::string tPhoneBookItem::PhoneText() const {
  return Country.Str() + "-" + Area.Str() + "-" + Number.Str();
}

std::string tPhoneBookItem::Line() const {
  return "\"" + FieldText(Name.View()) + "\", \"" + FieldText(Company.View()) + "\", \"" +
         FieldText(PhoneText()) + "\", \"" + FieldText(utl::URIUSEFOR2SCHEME(UseFor)) + "\"\r\n";
}

void tPhoneBookItem::SetUseForFromFlags(std::uint8_t flags) {
  if (flags & 0x02) UseFor = 1;
  else if (flags & 0x04) UseFor = 2;
  else if (flags & 0x08) UseFor = 3;
  else UseFor = 1;
}

void tPhoneBookItem::LimitUseFor(std::uint8_t flags) {
  const std::uint8_t bit = UseFor == 1 ? 0x02 : UseFor == 2 ? 0x04 : UseFor == 3 ? 0x08 : 0;
  if (!(flags & bit)) SetUseForFromFlags(flags);
}

}  // namespace dlg
