#include "dialogs/phone_book_item.h"

#include "utility/phone_text.h"
#include "utility/station_url.h"

namespace dlg {
namespace {

// A field goes between quotes and the entry on one line: a quote in it would
// end the field and a line break the entry, so neither may stay.
char FieldChar(char c) {
  if (c == '"') return '\'';
  if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return ' ';
  return c;
}

void AppendField(std::string& out, std::string_view text) {
  for (const char c : text) out += FieldChar(c);
}

std::string JoinedPhone(const utl::PhoneParts& parts) {
  std::string text;
  text.reserve(parts.country.size() + parts.area.size() + parts.number.size() + 2);
  text.append(parts.country).append(1, '-').append(parts.area).append(1, '-').append(parts.number);
  return text;
}

// The phone text as every reader splits it back. The split trims the blanks
// around each part, cuts it, and drops an area's "0" after a country, so a
// text with something it drops (a control written as a blank at a part's end,
// a blank left at the end of a cut part, the "0" itself) would read back as
// another entry and the next save would write another line. Each reader takes
// the split text as it takes the unsplit one, but for an area with two
// leading zeros after a country, which no text keeps from one load to the next.
std::string StablePhoneText(const tPhoneBookItem& item) {
  std::string text;
  text.reserve(item.Country.View().size() + item.Area.View().size() + item.Number.View().size() + 2);
  AppendField(text, item.Country.View());
  text += '-';
  AppendField(text, item.Area.View());
  text += '-';
  AppendField(text, item.Number.View());
  // Only the first round may lengthen the text (by the country's "+"); every
  // later one shortens it or leaves it as it is, which ends the loop.
  for (;;) {
    std::string split = JoinedPhone(utl::URISPLITPHONE(text));
    if (split == text) return text;
    text = std::move(split);
  }
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

std::string tPhoneBookItem::Line() const {
  std::string line;
  AppendLine(line);
  return line;
}

void tPhoneBookItem::AppendLine(std::string& out) const {
  out += '"';
  AppendField(out, Name.View());
  out += "\", \"";
  AppendField(out, Company.View());
  out += "\", \"";
  out += StablePhoneText(*this);
  out += "\", \"";
  AppendField(out, utl::URIUSEFOR2SCHEME(UseFor));
  out += "\"\r\n";
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
