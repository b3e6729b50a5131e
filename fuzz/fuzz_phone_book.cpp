// Arbitrary bytes as a phone book: it loads into a plain list and into sorted
// ones (whose refused rows must not leak), the book saved from what was
// loaded loads again with as many entries, and saving that gives the same file.
#include <cstdint>
#include <cstdlib>

#include "dialogs/phone_book.h"
#include "platform/core/string_list.h"
#include "scratch_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte: the sort kind (8 and 9 give no key) and how a sorted
  // list treats duplicates; the rest is the book.
  const std::uint8_t kind = data[0] % 10;
  const auto duplicates = static_cast<cl::TDuplicates>((data[0] / 10) % 3);
  const fuzz::ScratchDirectory& scratch = fuzz::Scratch();
  scratch.Write("book.phn", data + 1, size - 1);
  const std::string book = scratch.File("book.phn");
  const std::string saved = scratch.File("saved.phn");

  cl::TStringList loaded(true);
  dlg::LoadPhoneBook(book, loaded, kind);
  {
    cl::TStringList sorted(true);
    sorted.SetSorted(true);
    sorted.SetDuplicates(duplicates);
    dlg::LoadPhoneBook(book, sorted, kind);
    if (sorted.Count() > loaded.Count()) std::abort();
  }

  dlg::SavePhoneBook(saved, loaded);
  cl::TStringList reloaded(true);
  dlg::LoadPhoneBook(saved, reloaded, kind);
  if (reloaded.Count() != loaded.Count()) std::abort();
  const std::string again = scratch.File("again.phn");
  dlg::SavePhoneBook(again, reloaded);
  if (scratch.Read("saved.phn") != scratch.Read("again.phn")) std::abort();
  return 0;
}
