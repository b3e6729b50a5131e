#include "dialogs/header_manager.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "platform/core/blank_trim.h"
#include "platform/core/exception.h"
#include "platform/gui/header.h"
#include "utility/bk_file.h"
#include "utility/owned_handle.h"
#include "utility/raw_handles.h"

namespace dlg {
namespace {

constexpr std::uint8_t headerFileKind = 55;
constexpr std::uint8_t headerFileSecond = 32;
constexpr std::uint16_t headerFileVersion = 1;
constexpr std::int32_t headerSize = 32;
constexpr std::int32_t blockSize = tHeaderManager::Headers * tHeaderManager::Sections * 4;
constexpr std::int32_t recordSize = 2 + blockSize;
static_assert(recordSize == 1158);
// The 17th section's text has the number of the next header's first.
constexpr int captionsPerHeader = 16;
constexpr std::size_t captionLength = 31;

// Captions and widths lose blanks alone at their ends.
constexpr std::string_view Blanks = " ";

// A decimal integer as a whole, with an optional sign.
bool ReadWidth(std::string_view number, std::int32_t& width) {
  if (!number.empty() && number.front() == '+') {
    number.remove_prefix(1);
    if (!number.empty() && number.front() == '-') return false;
  }
  if (number.empty()) return false;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), width);
  return error == std::errc() && end == number.data() + number.size();
}

// The open file when it is a header file: BK magic and version 1.
utl::Handle CheckFile(const std::string& name) {
  utl::Handle handle = utl::noHandle;
  if (utl::OPENHANDLE(name, utl::modeReadWrite, handle)) return utl::noHandle;
  tBKHeader header{};
  if (utl::READHANDLE(handle, &header, sizeof header) || header.magic[0] != 'B' ||
      header.magic[1] != 'K' || header.version != headerFileVersion) {
    utl::CLOSEHANDLE(handle);
    return utl::noHandle;
  }
  return handle;
}

// A fresh, empty header file in place of whatever was there.
utl::Handle CreateHeaderFile(const std::string& name) {
  tBKHeader header{};
  utl::FILLBKHEADER(header, true, headerFileKind, headerFileSecond, headerFileVersion);
  try {
    utl::SaveBKFile(name, 0, header, nullptr, 0);
  } catch (...) {
    // A file that cannot be made means no widths kept, never an error.
    return utl::noHandle;
  }
  utl::Handle handle = utl::noHandle;
  if (utl::OPENHANDLE(name, utl::modeReadWrite, handle)) return utl::noHandle;
  return handle;
}

struct RecordSearch {
  bool failed = false;
  std::int32_t found = -1;  // the record's position
  std::int32_t end = 0;     // where a new record goes: after the last whole one
};

// Only whole records count: a partial one at the end is no record, and a
// new one is written over it, on the grid.
RecordSearch FindRecord(utl::Handle handle, std::uint16_t key) {
  RecordSearch search;
  std::int32_t size = 0;
  if (utl::SEEKHANDLEEND(handle, size) || size < headerSize) {
    search.failed = true;
    return search;
  }
  const std::int32_t records = (size - headerSize) / recordSize;
  search.end = headerSize + records * recordSize;
  for (std::int32_t i = 0; i < records; ++i) {
    const std::int32_t position = headerSize + i * recordSize;
    std::uint16_t recordKey = 0;
    if (utl::SEEKHANDLETO(handle, position) || utl::READHANDLE(handle, &recordKey, 2)) {
      search.failed = true;
      return search;
    }
    if (recordKey == key) {
      search.found = position;
      return search;
    }
  }
  return search;
}

}  // namespace

tHeaderManager::tHeaderManager(std::string fileName, std::uint16_t textBase, TextSource texts)
    : textBase_(textBase), fileName_(std::move(fileName)), texts_(std::move(texts)) {
  LoadCaptions();
  LoadWidths();
}

tHeaderManager::~tHeaderManager() { SaveWidths(); }

void tHeaderManager::LoadCaptions() {
  try {
    if (texts_(textBase_).empty()) return;
    for (int h = 0; h < Headers; ++h) {
      for (int s = 0; s < captionsPerHeader; ++s) {
        const std::string text = texts_(static_cast<std::uint16_t>(textBase_ + 16 * h + s));
        if (text.empty()) break;
        const std::string_view whole = cl::TrimOf(text, Blanks);
        const auto bar = whole.find('|');
        std::string_view caption = whole;
        std::int32_t width = 0;
        bool widthRead = false;
        if (bar != std::string_view::npos) {
          caption = cl::TrimOf(whole.substr(bar + 1), Blanks);
          widthRead = ReadWidth(cl::TrimOf(whole.substr(0, bar), Blanks), width);
        }
        Section& section = table_[h][s];
        // The default width is that of the caption as the text gives it.
        section.width = widthRead ? width : static_cast<std::int32_t>(caption.size()) * 10;
        section.caption = std::string(caption.substr(0, captionLength));
      }
    }
  } catch (...) {
    // Texts that fail to load end the loading; the captions read stay.
  }
}

void tHeaderManager::LoadWidths() {
  WidthBlock block{};
  {
    const utl::OwnedHandle file(CheckFile(fileName_));
    if (!file.Valid()) return;
    const RecordSearch search = FindRecord(file.Get(), textBase_);
    if (search.failed || search.found < 0) return;
    if (utl::SEEKHANDLETO(file.Get(), search.found + 2) ||
        utl::READHANDLE(file.Get(), block.data(), blockSize))
      return;
  }
  for (int h = 0; h < Headers; ++h)
    for (int s = 0; s < Sections; ++s) {
      const std::int32_t width = block[h * Sections + s];
      if (width == 0) break;
      // A width no header can have keeps the text's default.
      if (width >= 1 && width <= MaxWidth) table_[h][s].width = width;
    }
}

void tHeaderManager::SaveWidths() const noexcept {
  utl::Handle handle = CheckFile(fileName_);
  if (handle == utl::noHandle) handle = CreateHeaderFile(fileName_);
  const utl::OwnedHandle file(handle);
  if (!file.Valid()) return;
  const RecordSearch search = FindRecord(file.Get(), textBase_);
  if (search.failed) return;
  const std::int32_t position = search.found >= 0 ? search.found : search.end;
  WidthBlock block{};
  for (int h = 0; h < Headers; ++h)
    for (int s = 0; s < Sections && !table_[h][s].caption.empty(); ++s) block[h * Sections + s] = table_[h][s].width;
  std::uint8_t record[recordSize];
  std::memcpy(record, &textBase_, 2);
  std::memcpy(record + 2, block.data(), blockSize);
  if (utl::SEEKHANDLETO(file.Get(), position)) return;
  // A partial record left at the end by an interrupted write goes with it.
  if (search.found < 0 && utl::TRUNCATEHANDLE(file.Get())) return;
  utl::WRITEHANDLE(file.Get(), record, recordSize);
}

void tHeaderManager::StoreHeaderWidths(std::span<const std::int32_t> widths, std::int32_t index) {
  if (!IsRow(index)) throw cl::Exception("Header layout " + std::to_string(index) + " out of range");
  for (std::size_t s = 0; s < widths.size() && s < static_cast<std::size_t>(Sections); ++s)
    table_[index][s].width = widths[s];
}

void tHeaderManager::StoreHeaderWidths(const cl::THeader& header, std::int32_t index) {
  std::vector<std::int32_t> widths;
  for (int s = 0; s < header.SectionCount() && s < Sections; ++s) widths.push_back(header.SectionWidth(s));
  StoreHeaderWidths(widths, index);
}

void tHeaderManager::ApplyToHeader(cl::THeader& header, std::int32_t storeIndex, std::int32_t showIndex) {
  if (!IsRow(showIndex)) throw cl::Exception("Header layout " + std::to_string(showIndex) + " out of range");
  if (IsRow(storeIndex)) StoreHeaderWidths(header, storeIndex);
  header.ClearSections();
  for (const Section& section : HeaderSections(showIndex)) header.AddSection(section.caption, section.width);
}

std::vector<tHeaderManager::Section> tHeaderManager::HeaderSections(std::int32_t index) const {
  std::vector<Section> sections;
  if (index < 0 || index >= Headers) return sections;
  for (const Section& section : table_[index]) {
    if (section.caption.empty()) break;
    sections.push_back(section);
  }
  return sections;
}

}  // namespace dlg
