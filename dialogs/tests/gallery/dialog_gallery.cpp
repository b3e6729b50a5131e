// Opens the dialogs of libbrandlg.so one after another on the sample data,
// so that a person can look at them: close each to see the next. The suite's
// directory layout is a fresh temporary one holding the sample station lists
// and a small phone book; it goes when the program ends.
//
//   dialog_gallery [name ...]    only the dialogs named (e.g. _CHOOSESTATIONS)
//   dialog_gallery --close-each [name ...]
//                                each dialog is closed as soon as it shows, for
//                                a run without a person (offscreen); the status
//                                is 1 when a dialog showed no window
//   A name that is no dialog's: the names there are on stderr, status 2.

#include <dlfcn.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "brandlg/chooser.h"
#include "brandlg/confirmations.h"
#include "brandlg/editors.h"
#include "brandlg/message_boxes.h"
#include "brandlg/phone_book.h"
#include "platform/core/short_string.h"
#include "platform/gui/test_support/modal_closer.h"

namespace {

namespace fs = std::filesystem;

class Library {
 public:
  explicit Library(const char* path) : handle_(dlopen(path, RTLD_NOW)) {}
  ~Library() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool Loaded() const { return handle_ != nullptr; }
  template <class F>
  F* Find(const char* name) const {
    return reinterpret_cast<F*>(dlsym(handle_, name));
  }

 private:
  void* handle_;
};

struct Dialog {
  const char* name;
  std::function<void(const Library&)> show;
};

ShortString S(const char* text) { return ShortString::From(text); }

// A short-string field of a record the caller fills.
template <std::size_t N>
void SetText(std::uint8_t (&field)[N], const std::string& text) {
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  field[0] = static_cast<std::uint8_t>(n);
  text.copy(reinterpret_cast<char*>(field + 1), n);
}

template <class F, class... Args>
void Call(const Library& lib, const char* name, Args... args) {
  if (auto* f = lib.Find<F>(name)) {
    f(args...);
  } else {
    std::printf("  %s: not in this build of the library\n", name);
  }
}

std::vector<Dialog> Dialogs(const fs::path& windir) {
  static const ShortString message = S("Zpr\xE1va pro u\x9Eivatele.");
  return {
      {"SHOWMESSAGE", [](const Library& l) { Call<decltype(SHOWMESSAGE)>(l, "SHOWMESSAGE", &message); }},
      {"SHOWMESSAGEPOS", [](const Library& l) {
         Call<decltype(SHOWMESSAGEPOS)>(l, "SHOWMESSAGEPOS", &message, 40, 40);
       }},
      {"MESSAGEDLG", [](const Library& l) {
         for (std::uint8_t type = 0; type <= 4; ++type)
           Call<decltype(MESSAGEDLG)>(l, "MESSAGEDLG", &message, type, std::uint16_t{1 | 2 | 8}, 0);
       }},
      {"MESSAGEDLGPOS", [](const Library& l) {
         Call<decltype(MESSAGEDLGPOS)>(l, "MESSAGEDLGPOS", &message, std::uint8_t{2}, std::uint16_t{4}, 0, 60, 60);
       }},
      {"TOPMESSAGE", [](const Library& l) {
         Call<decltype(TOPMESSAGE)>(l, "TOPMESSAGE", &message, std::uint8_t{2}, std::uint16_t{4}, 0);
       }},
      {"SHOWERROR", [](const Library& l) { Call<decltype(SHOWERROR)>(l, "SHOWERROR", &message); }},
      {"INPUTQUERY", [](const Library& l) {
         const ShortString caption = S("Dotaz"), prompt = S("Jm\xE9no:");
         ShortString value = S("Nov\xE1k");
         Call<decltype(INPUTQUERY)>(l, "INPUTQUERY", &caption, &prompt, &value);
       }},
      {"INPUTBOX", [](const Library& l) {
         const ShortString caption = S("Vstup"), prompt = S("Text:"), value = S("v\xFD" "choz\xED");
         ShortString result{};
         Call<decltype(INPUTBOX)>(l, "INPUTBOX", &caption, &prompt, &value, &result);
       }},
      {"OK", [](const Library& l) { Call<decltype(OK)>(l, "OK", std::uint16_t{20562}); }},
      {"CONFIRM", [](const Library& l) { Call<decltype(CONFIRM)>(l, "CONFIRM", std::uint16_t{20561}); }},
      {"WARNING", [](const Library& l) { Call<decltype(WARNING)>(l, "WARNING", std::uint16_t{20563}); }},
      {"ERROR", [](const Library& l) { Call<decltype(ERROR)>(l, "ERROR", std::uint16_t{20556}); }},
      {"EVENTOK", [](const Library& l) { Call<decltype(EVENTOK)>(l, "EVENTOK"); }},
      {"LETTERSENDOK", [](const Library& l) {
         Call<decltype(LETTERSENDOK)>(l, "LETTERSENDOK", 3, std::uint8_t{0}, std::uint8_t{0});
       }},
      {"QUERYSENDOK", [](const Library& l) {
         Call<decltype(QUERYSENDOK)>(l, "QUERYSENDOK", 1, std::uint8_t{0}, std::uint8_t{0});
       }},
      {"POLLSENDOK", [](const Library& l) {
         Call<decltype(POLLSENDOK)>(l, "POLLSENDOK", 5, std::uint8_t{0}, std::uint8_t{0});
       }},
      {"GETFSENDOK", [](const Library& l) { Call<decltype(GETFSENDOK)>(l, "GETFSENDOK", 2, std::uint8_t{0}); }},
      {"SMSSENDOK", [](const Library& l) { Call<decltype(SMSSENDOK)>(l, "SMSSENDOK", 2, std::uint8_t{0}); }},
      {"_CHOOSESTATIONS", [](const Library& l) {
         std::vector<tAddressRecord> records(10);
         Call<decltype(_CHOOSESTATIONS)>(l, "_CHOOSESTATIONS", records.data(), std::uint16_t{0}, std::uint16_t{10},
                                         std::uint8_t{0x03}, std::uint8_t{0x0F});
       }},
      {"CHOOSEPHONES", [](const Library& l) {
         std::vector<char> urls(1024);
         Call<decltype(CHOOSEPHONES)>(l, "CHOOSEPHONES", urls.data(), std::uint16_t{1024}, std::uint8_t{0x03},
                                      std::uint8_t{0x1F});
       }},
      {"EDITPHONEITEM", [](const Library& l) {
         // An entry built by the header, as a calling program may.
         tPhoneBookItem entry{};
         SetText(entry.Name, "Nov\xE1k Jan");
         SetText(entry.Country, "420");
         SetText(entry.Area, "2");
         SetText(entry.Number, "12345678");
         entry.UseFor = 2;
         Call<decltype(EDITPHONEITEM)>(l, "EDITPHONEITEM", &entry, std::uint8_t{0x0E});
       }},
      {"SELECTFROMDUAL", [windir](const Library& l) {
         const ShortString file = ShortString::From((windir / "LST" / "states.lst").string());
         const ShortString caption = S("St\xE1ty"), first = S("St\xE1t"), second = S("P\xF8" "edvolba"),
                           current = S("");
         ShortString key{}, value{};
         Call<decltype(SELECTFROMDUAL)>(l, "SELECTFROMDUAL", 100, 100, &file, &caption, &first, &second, &current,
                                        &key, &value);
       }},
      {"EDITBITSET", [](const Library& l) {
         const ShortString caption = S("Vlastnosti");
         std::uint8_t original[32] = {0x05}, current[32] = {0x06};
         Call<decltype(EDITBITSET)>(l, "EDITBITSET", std::uint8_t{1}, &caption, original, current,
                                    "Fax\nSMS\nDopis\nAnketa");
       }},
      {"EDITPAGELAYOUTS", [](const Library& l) { Call<decltype(EDITPAGELAYOUTS)>(l, "EDITPAGELAYOUTS", 0); }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> names(argv + 1, argv + argc);
  const bool closeEach = !names.empty() && names.front() == "--close-each";
  if (closeEach) names.erase(names.begin());
  const fs::path windir = fs::temp_directory_path() / ("dialog_gallery-" + std::to_string(getpid()));
  const std::vector<Dialog> dialogs = Dialogs(windir);
  // A name that is no dialog shows none: the names there are go to stderr.
  const auto named = [&](const std::string& name) {
    return std::any_of(dialogs.begin(), dialogs.end(), [&](const Dialog& dialog) { return name == dialog.name; });
  };
  if (const auto unknown = std::find_if_not(names.begin(), names.end(), named); unknown != names.end()) {
    std::fprintf(stderr, "dialog_gallery: no dialog is named %s; the dialogs are:\n", unknown->c_str());
    for (const Dialog& dialog : dialogs) std::fprintf(stderr, "  %s\n", dialog.name);
    return 2;
  }
  std::optional<cl::testing::ModalCloser> closer;
  if (closeEach) closer.emplace();

  fs::create_directories(windir / "CFG");
  fs::copy(fs::path(BRANNIK_SOURCE_ROOT) / "suite/data/lst", windir / "LST");
  std::ofstream(windir / "CFG" / "SAMPLE.PHN", std::ios::binary)
      << "\"Nov\xE1k Jan\", \"Firma s.r.o.\", \"+420-2-12345678\", \"FAX\"\r\n"
         "\"Svoboda Petr\", \"\", \"+420-5-22334455\", \"SMS\"\r\n"
         "\"Centr\xE1la\", \"\", \"+420-2-2212345\", \"BKS\"\r\n";
  // The library fixes its layout when it loads: the Windows directory first.
  setenv("BRANNIK_WINDIR", windir.c_str(), 1);
  int status = 0;
  {
    const Library library(BRANDLG_PATH);
    if (!library.Loaded()) {
      std::fprintf(stderr, "cannot load %s: %s\n", BRANDLG_PATH, dlerror());
      status = 1;
    } else {
      for (const Dialog& dialog : dialogs) {
        if (!names.empty() && std::find(names.begin(), names.end(), dialog.name) == names.end()) continue;
        std::printf("%s\n", dialog.name);
        std::fflush(stdout);
        const int closedBefore = closer ? closer->Closed() : 0;
        dialog.show(library);
        if (closer && closer->Closed() == closedBefore) {
          std::fprintf(stderr, "  %s showed no window\n", dialog.name);
          status = 1;
        }
      }
    }
  }
  std::error_code ignored;
  fs::remove_all(windir, ignored);
  return status;
}
