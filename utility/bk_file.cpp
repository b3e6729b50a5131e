#include "utility/bk_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "utility/bk_append_journal.h"
#include "utility/bk_exception.h"
#include "utility/cipher.h"
#include "utility/file_operations.h"
#include "utility/owned_handle.h"
#include "utility/random_source.h"
#include "utility/raw_handles.h"
#include "utility/replacement_file.h"

namespace utl {

namespace {

constexpr std::uint16_t modeReadWriteDenyWrite = 0x22;
constexpr std::int32_t BlockSize = 32768;
// A reader starts again when a writer changed the file under it, that often.
constexpr int readAttempts = 8;

// An open handle that is closed on every path; its calls throw on failure.
class BKHandle {
 public:
  static BKHandle Open(std::string_view name, std::uint16_t mode) {
    BKHandle file(name);
    if (OPENHANDLE(name, mode, file.handle_.Slot())) throw xIOOpen(name);
    return file;
  }
  BKHandle(BKHandle&&) noexcept = default;
  BKHandle& operator=(BKHandle&&) = delete;

  void Read(void* buffer, std::int32_t count) {
    if (count > 0 && READHANDLE(handle_.Get(), buffer, count)) throw xIORead(name_);
  }
  // The bytes read, 0 at the end of the file.
  std::int32_t ReadSome(void* buffer, std::int32_t count) {
    READHANDLECOND(handle_.Get(), buffer, count);
    if (count < 0) throw xIORead(name_);
    return count;
  }
  void Write(const void* buffer, std::int32_t count) {
    if (count > 0 && WRITEHANDLE(handle_.Get(), buffer, count)) throw xIOWrite(name_);
  }
  void Seek(std::int32_t position) {
    if (SEEKHANDLETO(handle_.Get(), position)) throw xIOSeek(name_);
  }
  std::int32_t SeekEnd() {
    std::int32_t size = 0;
    if (SEEKHANDLEEND(handle_.Get(), size)) throw xIOSeek(name_);
    return size;
  }
  void EndHere() {
    if (TRUNCATEHANDLE(handle_.Get())) throw xIOWrite(name_);
  }
  void Flush() {
    if (FLUSHHANDLE(handle_.Get())) throw xIOWrite(name_);
  }
  // After a failed append: the old length and header again, as far as the
  // system lets; false when something stayed.
  bool Restore(std::int32_t size, const tBKHeader& header) noexcept {
    return !SEEKHANDLETO(handle_.Get(), size) && !TRUNCATEHANDLE(handle_.Get()) &&
           !SEEKHANDLETO(handle_.Get(), 0) && !WRITEHANDLE(handle_.Get(), &header, BKHeaderSize);
  }
  // As CLOSEHANDLE does, a failed close of the system is not reported.
  void Close() { static_cast<void>(handle_.Close()); }

 private:
  explicit BKHandle(std::string_view name) : name_(name) {}
  std::string_view name_;
  OwnedHandle handle_;
};

void AddCovered(std::uint8_t check[2], const tBKHeader& header) {
  BKFCCEVAL(check, reinterpret_cast<const std::uint8_t*>(&header) + BKCheckedFrom,
            BKHeaderSize - BKCheckedFrom);
}

std::uint16_t Word(const std::uint8_t check[2]) {
  return static_cast<std::uint16_t>(check[0] | check[1] << 8);
}

void WriteTo(const ReplacementFile& file, std::string_view name, const void* data, std::int32_t count) {
  if (count > 0 && WRITEHANDLE(file.File(), data, count)) throw xIOWrite(name);
}

// Puts the written replacement in the file's place with the given attributes.
void CommitWithAttributes(ReplacementFile& file, std::string_view name, std::uint16_t attributes) {
  // Only the read-only bit of the attributes has an effect.
  if (file.SetReadOnly(attributes & 1)) throw xIOAttr(name);
  // A read-only old file would refuse the rename; it gets its bit back when
  // the rename fails.
  std::uint16_t previous = 0;
  const bool readOnly = !FILEATTR(name, false, previous) && (previous & 1);
  std::uint16_t none = 0;
  if (readOnly && FILEATTR(name, true, none)) throw xIOAttr(name);
  if (file.Commit()) {
    if (readOnly) FILEATTR(name, true, previous);
    throw xIOWrite(name);
  }
}

[[noreturn]] void BadCheck(std::string_view name, std::uint16_t computed, std::uint16_t stored) {
  xIOInternal bad("Check", name);
  char text[64];
  std::snprintf(text, sizeof text, "Bad BKfile, eval=%4.4x head=%4.4x", computed, stored);
  bad.SetMessage(text);
  throw bad;
}

// The file as a reader takes it: the header, and where the data end; while
// an append has not taken effect (or never will), at the size before it.
struct ReaderView {
  tBKHeader header;
  std::int32_t end;
  bool beforeAppend;
};

ReaderView Look(BKHandle& file, const std::optional<std::string>& journalName) {
  ReaderView view{};
  file.Read(&view.header, BKHeaderSize);
  view.end = file.SeekEnd();
  AppendJournal journal;
  view.beforeAppend = journalName && ReadAppendJournal(*journalName, journal) == JournalFound::Valid &&
                      journal.Unfinished(view.header, view.end);
  if (view.beforeAppend) view.end = journal.sizeBefore;
  file.Seek(BKHeaderSize);
  return view;
}

// Whether a wrong check may be an append's doing: the header changed since
// the reader took it, or an append's note turned up.
bool ChangedMeanwhile(BKHandle& file, const ReaderView& view, const std::optional<std::string>& journalName) {
  if (view.beforeAppend) return false;
  tBKHeader now;
  file.Seek(0);
  file.Read(&now, BKHeaderSize);
  AppendJournal journal;
  return std::memcmp(&now, &view.header, BKHeaderSize) != 0 ||
         (journalName && ReadAppendJournal(*journalName, journal) != JournalFound::None);
}

// Under a handle that keeps other writers out: the bytes of an append that
// never took effect are cut off, and its note goes.
void FinishUnfinishedAppend(BKHandle& file, std::string_view journalName, const tBKHeader& header,
                            std::int32_t& size) {
  AppendJournal journal;
  const JournalFound found = ReadAppendJournal(journalName, journal);
  if (found == JournalFound::None) return;
  if (found == JournalFound::Valid && journal.Unfinished(header, size) && size > journal.sizeBefore) {
    file.Seek(journal.sizeBefore);
    file.EndHere();
    size = journal.sizeBefore;
  }
  if (!RemoveAppendJournal(journalName)) throw xIODelete(journalName);
}

}  // namespace

void BKFCCEVAL(std::uint8_t check[2], const void* data, std::size_t length) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  std::uint8_t a = check[0], b = check[1];
  for (std::size_t i = 0; i < length; ++i) {
    a ^= p[i];
    b = static_cast<std::uint8_t>(b + p[i]);
  }
  check[0] = a;
  check[1] = b;
}

void BKFCCSUB(std::uint8_t check[2], const void* data, std::size_t length) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  std::uint8_t a = check[0], b = check[1];
  for (std::size_t i = 0; i < length; ++i) {
    a ^= p[i];
    b = static_cast<std::uint8_t>(b - p[i]);
  }
  check[0] = a;
  check[1] = b;
}

std::uint16_t BKCheckWord(const tBKHeader& header, const void* data, std::size_t length) {
  std::uint8_t check[2] = {0, 0};
  AddCovered(check, header);
  if (data) BKFCCEVAL(check, data, length);
  return Word(check);
}

std::uint16_t StoredCheckWord(const tBKHeader& header) {
  return static_cast<std::uint16_t>(header.checkA | header.checkB << 8);
}

bool ISITBKFILE(const tBKHeader& header) { return header.magic[0] == 'B' && header.magic[1] == 'K'; }

void FILLBKHEADER(tBKHeader& header, bool withKey, std::uint8_t kind, std::uint8_t second,
                  std::uint16_t version) {
  RandomSource random;
  header.magic[0] = 'B';
  header.magic[1] = 'K';
  header.checkA = header.checkB = 0;
  std::uint16_t words[2] = {0, 0};
  if (withKey) {
    words[0] = static_cast<std::uint16_t>(random.Below(65535));
    words[1] = static_cast<std::uint16_t>(random.Below(65535));
    GETSESSIONKEY(words, SessionClockNow());
  }
  std::memcpy(header.keyWords, words, sizeof words);
  header.headerLength = BKHeaderSize;
  header.kind = kind;
  header.second = second;
  header.version = version;
  header.fv[0] = 'F';
  header.fv[1] = 'V';
  for (std::uint8_t& b : header.random) b = static_cast<std::uint8_t>(random.Below(255));
}

void LoadBKFile(std::string_view name, tBKHeader& header, void* data, std::size_t length) {
  if (length > 0 && !data) throw xInternal("No buffer for the data of a BK file");
  const auto journalName = AppendJournalName(name);
  const auto count = static_cast<std::int32_t>(length);
  for (int attempt = 1;; ++attempt) {
    BKHandle file = BKHandle::Open(name, modeReadDenyNone);
    const ReaderView view = Look(file, journalName);
    header = view.header;
    if (view.beforeAppend && count > view.end - static_cast<std::int32_t>(BKHeaderSize)) throw xIORead(name);
    file.Read(data, count);
    const std::uint16_t computed = BKCheckWord(header, data, length);
    if (computed == StoredCheckWord(header)) return;
    if (attempt < readAttempts && ChangedMeanwhile(file, view, journalName)) continue;
    BadCheck(name, computed, StoredCheckWord(header));
  }
}

void SaveBKFile(std::string_view name, std::uint16_t attributes, const tBKHeader& header,
                const void* data, std::size_t length) {
  if (!data) length = 0;
  tBKHeader copy = header;
  copy.magic[0] = 'B';
  copy.magic[1] = 'K';
  const std::uint16_t check = BKCheckWord(copy, data, length);
  copy.checkA = static_cast<std::uint8_t>(check);
  copy.checkB = static_cast<std::uint8_t>(check >> 8);
  // Written beside the old file, which stays whole until the new one is;
  // the save holds the file exclusively.
  ReplacementFile file(name, ReplacementFile::OldFile::Exclusive);
  if (!file.Ready()) throw xIOCreate(name);
  WriteTo(file, name, &copy, BKHeaderSize);
  WriteTo(file, name, data, static_cast<std::int32_t>(length));
  CommitWithAttributes(file, name, attributes);
  // The note of an append killed in the old file tells of nothing now; one
  // of an append begun since, in the new file, starts from its header.
  AppendJournal journal;
  const auto journalName = AppendJournalName(name);
  if (journalName && ReadAppendJournal(*journalName, journal) == JournalFound::Valid &&
      std::memcmp(&journal.before, &copy, BKHeaderSize) != 0)
    RemoveAppendJournal(*journalName);
}

void CheckBKFile(std::string_view name, tBKHeader& header) {
  const auto journalName = AppendJournalName(name);
  std::vector<std::uint8_t> block(BlockSize);
  for (int attempt = 1;; ++attempt) {
    BKHandle file = BKHandle::Open(name, modeReadDenyNone);
    const ReaderView view = Look(file, journalName);
    header = view.header;
    std::uint8_t check[2] = {0, 0};
    AddCovered(check, header);
    // Without an unfinished append, to the end of the file as it is now.
    for (std::int32_t at = BKHeaderSize; !view.beforeAppend || at < view.end;) {
      const std::int32_t want = view.beforeAppend ? std::min(BlockSize, view.end - at) : BlockSize;
      const std::int32_t got = file.ReadSome(block.data(), want);
      if (got == 0) break;
      BKFCCEVAL(check, block.data(), static_cast<std::size_t>(got));
      at += got;
    }
    if (Word(check) == StoredCheckWord(header)) return;
    if (attempt < readAttempts && ChangedMeanwhile(file, view, journalName)) continue;
    BadCheck(name, Word(check), StoredCheckWord(header));
  }
}

void AppendToBKFile(std::string_view name, const void* data, std::int32_t length) {
  if (length < 0 || length > 0xFFFF) throw xInternal("BK data to append must be 0 to 65535 bytes");
  if (length > 0 && !data) throw xInternal("No data to append to a BK file");
  const auto journalName = AppendJournalName(name);
  if (!journalName) throw xIOOpen(name);
  BKHandle file = BKHandle::Open(name, modeReadWriteDenyWrite);
  tBKHeader header;
  file.Read(&header, BKHeaderSize);
  std::int32_t size = file.SeekEnd();
  FinishUnfinishedAppend(file, *journalName, header, size);
  if (length == 0) return;
  tBKHeader extended = header;
  std::uint8_t check[2] = {header.checkA, header.checkB};
  BKFCCEVAL(check, data, static_cast<std::size_t>(length));
  extended.checkA = check[0];
  extended.checkB = check[1];
  // The append takes effect with the write of the new header. The note
  // beside the file tells readers and the next writer, should this process
  // end before that, where the file ended. The data are on the disk before
  // the header covers them.
  WriteAppendJournal(*journalName, AppendJournal{size, length, header, extended});
  try {
    file.Seek(size);
    file.Write(data, length);
    file.Flush();
    file.Seek(0);
    file.Write(&extended, BKHeaderSize);
    file.Flush();
  } catch (...) {
    if (file.Restore(size, header)) RemoveAppendJournal(*journalName);
    throw;
  }
  file.Close();
  // A note that a reader keeps a moment longer still tells that the append
  // took effect.
  RemoveAppendJournal(*journalName);
}

void TruncateBKFile(std::string_view name, std::int32_t dataLength) {
  if (dataLength < 0) throw xInternal("A BK file cannot keep a negative length");
  BKHandle file = BKHandle::Open(name, modeReadWriteDenyWrite);
  tBKHeader header;
  file.Read(&header, BKHeaderSize);
  std::int32_t size = file.SeekEnd();
  if (const auto journalName = AppendJournalName(name)) FinishUnfinishedAppend(file, *journalName, header, size);
  if (dataLength > size - static_cast<std::int32_t>(BKHeaderSize))
    throw xInternal("A BK file cannot be cut beyond its data");
  // The kept part goes to a new file, so that a failure keeps the old one.
  ReplacementFile kept(name);
  if (!kept.Ready()) throw xIOCreate(name);
  WriteTo(kept, name, &header, BKHeaderSize);
  std::uint8_t check[2] = {0, 0};
  AddCovered(check, header);
  file.Seek(BKHeaderSize);
  std::vector<std::uint8_t> block(BlockSize);
  for (std::int32_t left = dataLength; left > 0;) {
    const std::int32_t count = std::min(left, BlockSize);
    file.Read(block.data(), count);
    BKFCCEVAL(check, block.data(), static_cast<std::size_t>(count));
    WriteTo(kept, name, block.data(), count);
    left -= count;
  }
  header.checkA = check[0];
  header.checkB = check[1];
  if (SEEKHANDLETO(kept.File(), 0)) throw xIOSeek(name);
  WriteTo(kept, name, &header, BKHeaderSize);
  // The rename needs the old file closed.
  file.Close();
  std::uint16_t attributes = 0;
  if (FILEATTR(name, false, attributes)) throw xIOAttr(name);
  CommitWithAttributes(kept, name, attributes);
}

}  // namespace utl
