#include "dialogs/phone_book_file.h"

#include "dialogs/text_file_lines.h"
#include "platform/core/blank_trim.h"
#include "platform/core/exception.h"

namespace dlg {
namespace {

// Lines are gathered into blocks of this size before each write.
constexpr std::size_t blockSize = 64 * 1024;

[[noreturn]] void CannotWrite(const std::string& fileName) {
  throw cl::Exception("Cannot write \"" + fileName + "\"");
}

}  // namespace

void ForEachPhoneBookEntry(std::string_view fileName, const std::function<void(tPhoneBookItem&& entry)>& onEntry) {
  ForEachTextLine(fileName,
                  [&](std::string_view line) { onEntry(tPhoneBookItem::FromLine(cl::TrimOf(line, " "))); });
}

tPhoneBookWriter::tPhoneBookWriter(std::string_view fileName) : fileName_(fileName), file_(fileName) {
  if (!file_.Ready()) CannotWrite(fileName_);
}

void tPhoneBookWriter::Write(const tPhoneBookItem& entry) {
  entry.AppendLine(text_);
  if (text_.size() >= blockSize) Flush();
}

void tPhoneBookWriter::Flush() {
  if (text_.empty()) return;
  if (utl::WRITEHANDLE(file_.File(), text_.data(), static_cast<std::int32_t>(text_.size()))) CannotWrite(fileName_);
  text_.clear();
}

void tPhoneBookWriter::Commit() {
  Flush();
  if (file_.Commit()) CannotWrite(fileName_);
}

}  // namespace dlg
