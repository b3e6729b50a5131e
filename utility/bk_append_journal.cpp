#include "utility/bk_append_journal.h"

#include <array>
#include <cstring>
#include <thread>

#include "platform/core/file_names.h"
#include "platform/core/last_error.h"
#include "platform/core/replacing_write.h"
#include "utility/bk_exception.h"
#include "utility/file_operations.h"
#include "utility/owned_handle.h"
#include "utility/raw_handles.h"

namespace utl {

namespace {

constexpr char noteMagic[4] = {'B', 'K', 'a', 'j'};
// Magic, size before, length, the two headers; then a sum over all of them,
// so that a note torn by a killed process reads as no note.
constexpr std::size_t bodySize = sizeof noteMagic + 4 + 4 + 2 * sizeof(tBKHeader);
constexpr std::size_t noteSize = bodySize + 4;
using NoteBytes = std::array<std::uint8_t, noteSize>;
constexpr std::string_view noteSuffix = ".~append";
// A reader holds a note only for one small read.
constexpr int removalAttempts = 1000;

void PutWord(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetWord(const std::uint8_t* at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | at[i];
  return value;
}

// FNV-1a: a torn note is all it has to tell apart.
std::uint32_t BodySum(const NoteBytes& bytes) {
  std::uint32_t sum = 2166136261u;
  for (std::size_t i = 0; i < bodySize; ++i) sum = (sum ^ bytes[i]) * 16777619u;
  return sum;
}

NoteBytes Encode(const AppendJournal& journal) {
  NoteBytes bytes{};
  std::uint8_t* at = bytes.data();
  std::memcpy(at, noteMagic, sizeof noteMagic);
  PutWord(at + 4, static_cast<std::uint32_t>(journal.sizeBefore));
  PutWord(at + 8, static_cast<std::uint32_t>(journal.length));
  std::memcpy(at + 12, &journal.before, sizeof(tBKHeader));
  std::memcpy(at + 12 + sizeof(tBKHeader), &journal.after, sizeof(tBKHeader));
  PutWord(at + bodySize, BodySum(bytes));
  return bytes;
}

bool Decode(const NoteBytes& bytes, AppendJournal& journal) {
  const std::uint8_t* at = bytes.data();
  if (std::memcmp(at, noteMagic, sizeof noteMagic) != 0 || GetWord(at + bodySize) != BodySum(bytes)) return false;
  journal.sizeBefore = static_cast<std::int32_t>(GetWord(at + 4));
  journal.length = static_cast<std::int32_t>(GetWord(at + 8));
  std::memcpy(&journal.before, at + 12, sizeof(tBKHeader));
  std::memcpy(&journal.after, at + 12 + sizeof(tBKHeader), sizeof(tBKHeader));
  return journal.sizeBefore >= 0 && journal.length >= 0;
}

bool Same(const tBKHeader& a, const tBKHeader& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool Missing(std::uint32_t error) {
  return error == win::ERROR_FILE_NOT_FOUND || error == win::ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool AppendJournal::Unfinished(const tBKHeader& header, std::int32_t size) const {
  if (Same(header, after) && size >= sizeBefore + length) return false;
  return Same(header, before) && size >= sizeBefore;
}

std::optional<std::string> AppendJournalName(std::string_view name) {
  const auto native = win::NativeName(name);
  if (!native) return std::nullopt;
  const auto target = win::LinkTarget(*native);
  if (!target) return std::nullopt;
  const auto slash = target->rfind('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  return win::SystemName(target->substr(0, start) + "." + target->substr(start) + std::string(noteSuffix));
}

JournalFound ReadAppendJournal(std::string_view journalName, AppendJournal& journal) {
  OwnedHandle note;
  if (OPENHANDLE(journalName, modeReadDenyNone, note.Slot()))
    return Missing(win::GetLastError()) ? JournalFound::None : JournalFound::Unreadable;
  NoteBytes bytes{};
  std::int32_t count = noteSize;
  READHANDLECOND(note.Get(), bytes.data(), count);
  return count == static_cast<std::int32_t>(noteSize) && Decode(bytes, journal) ? JournalFound::Valid
                                                                                 : JournalFound::Unreadable;
}

void WriteAppendJournal(std::string_view journalName, const AppendJournal& journal) {
  if (!RemoveAppendJournal(journalName)) throw xIODelete(journalName);
  OwnedHandle note;
  bool made = false;
  if (OpenOrMakeNew(journalName, note.Slot(), made)) throw xIOCreate(journalName);
  const NoteBytes bytes = Encode(journal);
  const bool failed = WRITEHANDLE(note.Get(), bytes.data(), noteSize);
  note.Close();
  if (failed) {
    RemoveAppendJournal(journalName);
    throw xIOWrite(journalName);
  }
}

bool RemoveAppendJournal(std::string_view journalName) {
  for (int attempt = 0; attempt < removalAttempts; ++attempt) {
    if (!DELETEFILE(journalName)) return true;
    const std::uint32_t error = win::GetLastError();
    if (Missing(error)) return true;
    if (error != win::ERROR_SHARING_VIOLATION) return false;
    std::this_thread::yield();
  }
  return false;
}

}  // namespace utl
