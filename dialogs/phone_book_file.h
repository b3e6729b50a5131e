#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dialogs/phone_book_item.h"
#include "utility/replacement_file.h"

namespace dlg {

// The entries of a phone book's lines in file order, through the layer's
// handles (read only, denying none). Each line is taken without the blanks
// at its ends; an empty line is an entry too, of empty texts and UseFor 1,
// so that a book keeps its lines from a load to a save. Throws when the file
// cannot be opened or read; the entries before a failure have been handed on.
void ForEachPhoneBookEntry(std::string_view fileName, const std::function<void(tPhoneBookItem&& entry)>& onEntry);

// A phone book written anew, one line an entry: the new book takes the old
// one's place only on Commit, so a failure (or an unfinished write) leaves the
// old book whole. Every failure throws.
class tPhoneBookWriter {
 public:
  explicit tPhoneBookWriter(std::string_view fileName);
  void Write(const tPhoneBookItem& entry);
  void Commit();

 private:
  void Flush();

  std::string fileName_;
  utl::ReplacementFile file_;
  std::string text_;
};

}  // namespace dlg
