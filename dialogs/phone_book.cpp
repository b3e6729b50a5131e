#include "dialogs/phone_book.h"

#include <memory>
#include <vector>

#include "dialogs/phone_book_entry.h"
#include "platform/core/ansi_case.h"
#include "platform/core/exception.h"
#include "utility/raw_handles.h"
#include "utility/replacement_file.h"

namespace dlg {
namespace {

constexpr std::size_t lineLimit = 255;
constexpr std::size_t blockSize = 64 * 1024;

std::string_view TrimmedBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Format's "%-w.ws" (left) and "%w.ws" (right): cut to width, padded with blanks.
void PutField(std::string& key, std::string_view text, std::size_t width, bool left) {
  text = text.substr(0, width);
  if (!left) key.append(width - text.size(), ' ');
  key.append(text);
  if (left) key.append(width - text.size(), ' ');
}

char OrderDigit(std::uint8_t kind, std::uint8_t useFor) {
  if (useFor < 1 || useFor > 3) return '4';
  static constexpr char digits[3][3] = {{'1', '2', '3'}, {'3', '1', '2'}, {'3', '2', '1'}};
  return digits[kind - 5][useFor - 1];
}

class HandleCloser {
 public:
  explicit HandleCloser(utl::Handle& handle) : handle_(handle) {}
  ~HandleCloser() { utl::CLOSEHANDLE(handle_); }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  utl::Handle& handle_;
};

// Calls onLine for each line of the file, without its line end and cut to
// lineLimit characters, as a text file's reader with a 255-character string
// sees it. Reads in blocks, so a long book needs no memory of its size.
template <class OnLine>
void ForEachLine(std::string_view fileName, OnLine&& onLine) {
  utl::Handle handle = utl::noHandle;
  if (utl::OPENHANDLE(fileName, utl::modeReadDenyNone, handle))
    throw cl::Exception("Cannot open \"" + std::string(fileName) + "\"");
  const HandleCloser closer(handle);
  std::vector<char> block(blockSize);
  // The start of a line that runs on into the next block; one character over
  // the limit, so that a CR before the LF can still be told apart.
  std::string carried;
  bool inLine = false;
  const auto finish = [&](std::string_view line) {
    if (line.size() > lineLimit) line = line.substr(0, lineLimit + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    onLine(line.substr(0, lineLimit));
  };
  for (;;) {
    std::int32_t count = static_cast<std::int32_t>(block.size());
    utl::READHANDLECOND(handle, block.data(), count);
    if (count < 0) throw cl::Exception("Cannot read \"" + std::string(fileName) + "\"");
    if (count == 0) break;
    const std::string_view data(block.data(), static_cast<std::size_t>(count));
    std::size_t at = 0;
    while (at < data.size()) {
      const auto end = data.find('\n', at);
      const std::string_view piece = data.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
      if (end == std::string_view::npos) {
        if (carried.size() <= lineLimit) carried.append(piece.substr(0, lineLimit + 1 - carried.size()));
        inLine = true;
        break;
      }
      if (inLine) {
        if (carried.size() <= lineLimit) carried.append(piece.substr(0, lineLimit + 1 - carried.size()));
        finish(carried);
        carried.clear();
        inLine = false;
      } else {
        finish(piece);
      }
      at = end + 1;
    }
  }
  if (inLine) finish(carried);
}

}  // namespace

std::string PhoneItemKey(const tPhoneBookItem& item, std::uint8_t kind) {
  if (kind > LastPhoneSortKind) return {};
  const std::string_view name = item.Name.View(), company = item.Company.View(), country = item.Country.View(),
                         area = item.Area.View(), number = item.Number.View();
  std::string key;
  key.reserve(150);
  switch (kind) {
    case 0:
      PutField(key, name, 31, true), PutField(key, company, 63, true);
      PutField(key, country, 10, false), PutField(key, area, 10, false), PutField(key, number, 31, false);
      break;
    case 1:
      PutField(key, company, 63, true), PutField(key, name, 31, true);
      PutField(key, country, 10, false), PutField(key, area, 10, false), PutField(key, number, 31, false);
      break;
    case 2:
      PutField(key, country, 10, false), PutField(key, name, 31, true), PutField(key, company, 63, true);
      PutField(key, area, 10, false), PutField(key, number, 31, false);
      break;
    case 3:
      PutField(key, area, 10, false), PutField(key, name, 31, true), PutField(key, company, 63, true);
      PutField(key, country, 10, false), PutField(key, number, 31, false);
      break;
    case 4:
      PutField(key, number, 31, false), PutField(key, name, 31, true), PutField(key, company, 63, true);
      PutField(key, area, 10, false), PutField(key, country, 10, false);
      break;
    default:
      key += OrderDigit(kind, item.UseFor);
      PutField(key, name, 31, true), PutField(key, company, 63, true);
      PutField(key, country, 10, false), PutField(key, area, 10, false), PutField(key, number, 31, false);
      break;
  }
  if (key.size() > lineLimit) key.resize(lineLimit);
  for (char& c : key) c = cl::AnsiLowerChar(c);
  return key;
}

bool IsPhoneItemValid(const tPhoneBookItem& item) {
  return !TrimmedBlanks(item.Name.View()).empty() && !TrimmedBlanks(item.Number.View()).empty();
}

void LoadPhoneBook(std::string_view fileName, cl::TStrings& list, std::uint8_t kind) {
  ForEachLine(fileName, [&](std::string_view line) {
    line = TrimmedBlanks(line);
    // A blank line would come back as an entry of empty texts.
    if (line.empty()) return;
    auto entry = std::make_unique<tPhoneBookEntry>(tPhoneBookItem::FromLine(line));
    const std::string key = PhoneItemKey(entry->Item, kind);
    try {
      const int index = list.AddObject(key, entry.get());
      // A sorted list that ignores duplicates keeps its own row and leaves
      // the entry with us.
      if (index >= 0 && index < list.Count() && list.Objects(index) == entry.get()) entry.release();
    } catch (const cl::Exception&) {
    }
  });
}

bool SavePhoneBook(std::string_view fileName, const cl::TStrings& list) {
  try {
    utl::ReplacementFile file(fileName);
    if (!file.Ready()) return true;
    std::string text;
    const auto flush = [&] {
      const bool failed =
          !text.empty() && utl::WRITEHANDLE(file.File(), text.data(), static_cast<std::int32_t>(text.size()));
      text.clear();
      return failed;
    };
    for (int i = 0; i < list.Count(); ++i) {
      const cl::TObject* object = list.Objects(i);
      if (!object) continue;
      const tPhoneBookItem* item = PhoneItemOf(object);
      if (!item) return true;
      text += item->Line();
      if (text.size() >= blockSize && flush()) return true;
    }
    if (flush()) return true;
    return file.Commit();
  } catch (...) {
    return true;
  }
}

}  // namespace dlg
