// A calling program of the suite as the dialog library meets it: it opens
// libbranutl.so and libbrandlg.so at run time and calls their exports with
// its own objects and records, built by the public headers. Each check runs
// in its own child with a deadline; a crash, a hang or a wrong answer fails
// it. The program first copies itself into a scratch directory that holds a
// brannik.ini and a wave file, since the sound slots are read beside the
// program.
//
//   dialog_contract_host libbranutl.so libbrandlg.so
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "branutl/sound_slots.h"
#include "branutl/urls.h"
#include "brandlg/chooser.h"
#include "brandlg/confirmations.h"
#include "brandlg/editors.h"
#include "brandlg/message_boxes.h"
#include "brandlg/phone_book.h"
#include "platform/core/short_string.h"
#include "platform/core/string_list.h"
#include "dialogs/tests/sound_recorder.h"
#include "platform/core/test_support/exported_symbols.h"
#include "platform/core/test_support/unused_x_display.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned ChildDeadlineSeconds = 30;
constexpr int SoundDeadlineMs = 20000;
const char* const WaveName = "Poplach.wav";


}  // namespace


namespace {

int failures = 0;

void Fail(const std::string& what) {
  std::fprintf(stderr, "FAILED: %s\n", what.c_str());
  std::fflush(stderr);
  ++failures;
}

void Expect(bool condition, const std::string& what) {
  if (!condition) Fail(what);
}

struct Libraries {
  void* utl = nullptr;
  void* dlg = nullptr;
  template <class F>
  F* Find(void* library, const char* name) const {
    auto* found = reinterpret_cast<F*>(dlsym(library, name));
    if (!found) {
      std::fprintf(stderr, "FAILED: %s is not exported\n", name);
      std::exit(3);
    }
    return found;
  }
};
#define UTL(name) libs.Find<decltype(name)>(libs.utl, #name)
#define DLG(name) libs.Find<decltype(name)>(libs.dlg, #name)

Libraries Open(const char* utlPath, const char* dlgPath) {
  Libraries libs;
  libs.utl = dlopen(utlPath, RTLD_NOW | RTLD_LOCAL);
  libs.dlg = dlopen(dlgPath, RTLD_NOW | RTLD_LOCAL);
  if (!libs.utl || !libs.dlg) {
    std::fprintf(stderr, "FAILED: %s\n", dlerror());
    std::exit(2);
  }
  return libs;
}

template <std::size_t N>
void SetText(std::uint8_t (&field)[N], const std::string& text) {
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  field[0] = static_cast<std::uint8_t>(n);
  text.copy(reinterpret_cast<char*>(field + 1), n);
}

template <std::size_t N>
std::string TextOf(const std::uint8_t (&field)[N]) {
  return std::string(reinterpret_cast<const char*>(field + 1), field[0] < N ? field[0] : N - 1);
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

std::string ConfiguredIni() { return std::string("[Sounds]\r\nSND_04=") + WaveName + "\r\n"; }

const std::string Line1 = "\"Nov\xE1k Jan\", \"Firma\", \"+420-2-12345678\", \"SMS\"\r\n";
const std::string Line2 = "\"Own\", \"\", \"+421-7-555\", \"FAX\"\r\n";

// The rows of a loaded book are entries at the header's offsets; the entry
// calls take a row's object as it is, and an entry the program built.
void RowsAreEntries(const Libraries& libs, const fs::path& dir) {
  WriteFile(dir / "book.phn", Line1);
  const ShortString name = ShortString::From((dir / "book.phn").string());
  cl::TStringList list(true);
  Expect(DLG(LOADPHONEBOOK)(&name, &list, 0) == 0 && list.Count() == 1, "LOADPHONEBOOK reads the book");
  if (list.Count() != 1) return;
  const auto* row = reinterpret_cast<const tPhoneBookItem*>(list.Objects(0));
  Expect(row->ClassPointer != nullptr, "a row's entry is the library's object");
  Expect(TextOf(row->Name) == "Nov\xE1k Jan" && TextOf(row->Company) == "Firma" && TextOf(row->Country) == "+420" &&
             TextOf(row->Area) == "2" && TextOf(row->Number) == "12345678" && row->UseFor == 3,
         "a row's fields lie at the header's offsets");
  ShortString key{};
  DLG(PHONEITEM2KEY)(row, 0, &key);
  Expect(key.Str() == list[0], "PHONEITEM2KEY takes a row's object as it is");
  Expect(DLG(ISPHONEITEMVALID)(row) == 1, "ISPHONEITEMVALID takes a row's object as it is");

  tPhoneBookItem own{};
  SetText(own.Name, "Own");
  SetText(own.Number, "555");
  Expect(DLG(ISPHONEITEMVALID)(&own) == 1, "ISPHONEITEMVALID takes an entry built by the header");
  DLG(PHONEITEM2KEY)(&own, 0, &key);
  Expect(key.Str().rfind("own ", 0) == 0, "PHONEITEM2KEY takes an entry built by the header");
  cl::TStringList other(false);
  Expect(DLG(ISPHONEITEMVALID)(reinterpret_cast<const tPhoneBookItem*>(&other)) == 0,
         "another object is no entry");
  Expect(DLG(EDITPHONEITEM)(reinterpret_cast<tPhoneBookItem*>(&other), 0x0E) == 2,
         "EDITPHONEITEM refuses another object without a form");
}

// SAVEPHONEBOOK on every object a program can put in a row.
void SavingAnyRowObject(const Libraries& libs, const fs::path& dir) {
  WriteFile(dir / "save.phn", "old\r\n");
  const ShortString name = ShortString::From((dir / "save.phn").string());
  cl::TStringList loaded(true);
  WriteFile(dir / "one.phn", Line1);
  const ShortString one = ShortString::From((dir / "one.phn").string());
  DLG(LOADPHONEBOOK)(&one, &loaded, 0);
  tPhoneBookItem own{};
  SetText(own.Name, "Own");
  SetText(own.Country, "+421");
  SetText(own.Area, "7");
  SetText(own.Number, "555");
  own.UseFor = 2;
  cl::TStringList rows(false);
  if (loaded.Count() == 1) rows.AddObject("loaded", loaded.Objects(0));
  rows.AddObject("own", reinterpret_cast<cl::TObject*>(&own));
  rows.AddObject("none", nullptr);
  Expect(DLG(SAVEPHONEBOOK)(&name, &rows) == 0, "SAVEPHONEBOOK writes entries of either origin");
  Expect(ReadFile(dir / "save.phn") == Line1 + Line2, "the saved book holds both entries");

  cl::TStringList foreign(false);
  rows.AddObject("foreign", &foreign);
  Expect(DLG(SAVEPHONEBOOK)(&name, &rows) == 1, "a row of another class fails the save");
  Expect(ReadFile(dir / "save.phn") == Line1 + Line2, "a failed save keeps the old book whole");
  Expect(DLG(SAVEPHONEBOOK)(&name, nullptr) == 1, "no list fails the save");
  const ShortString nowhere = ShortString::From((dir / "no/such/dir/X.PHN").string());
  rows.Delete(rows.Count() - 1);
  Expect(DLG(SAVEPHONEBOOK)(&nowhere, &rows) == 1, "a book that cannot be made fails the save");
  for (const std::string& left : Names(dir))
    Expect(left.rfind("~brn", 0) != 0, "a failed save leaves nothing behind: " + left);
}

// A program started where no window system answers gets each dialog's
// failure answer, with its buffers as they were, and goes on.
void EachDialogAnswersItsFailure(const Libraries& libs, const fs::path&) {
  const ShortString text = ShortString::From("Zpr\xE1va");
  struct Box {
    const char* name;
    std::function<std::uint16_t()> show;
  } const boxes[] = {
      {"SHOWMESSAGE", [&] { return DLG(SHOWMESSAGE)(&text); }},
      {"SHOWMESSAGEPOS", [&] { return DLG(SHOWMESSAGEPOS)(&text, 100, 200); }},
      {"MESSAGEDLG", [&] { return DLG(MESSAGEDLG)(&text, 3, 3, 0); }},
      {"MESSAGEDLGPOS", [&] { return DLG(MESSAGEDLGPOS)(&text, 3, 3, 0, 100, 200); }},
      {"TOPMESSAGE", [&] { return DLG(TOPMESSAGE)(&text, 0, 4, 0); }},
      {"SHOWERROR", [&] { return DLG(SHOWERROR)(&text); }},
      {"ERROR", [&] { return DLG(ERROR)(20556); }},
      {"WARNING", [&] { return DLG(WARNING)(20556); }},
      {"CONFIRM", [&] { return DLG(CONFIRM)(20561); }},
      {"OK", [&] { return DLG(OK)(20556); }},
      {"EVENTOK", [&] { return DLG(EVENTOK)(); }},
  };
  for (const Box& box : boxes) Expect(box.show() == 0, std::string(box.name) + " answers 0");
  // The confirmations of sending answer nothing: they return.
  DLG(LETTERSENDOK)(2, 0, 0);
  DLG(POLLSENDOK)(2, 0, 0);
  DLG(QUERYSENDOK)(2, 0, 0);
  DLG(GETFSENDOK)(2, 0);
  DLG(SMSSENDOK)(2, 0);
  ShortString value = ShortString::From("p\xF9vodn\xED");
  Expect(DLG(INPUTQUERY)(&text, &text, &value) == 0 && value.Str() == "p\xF9vodn\xED",
         "INPUTQUERY answers false and keeps the value");
  ShortString result{};
  DLG(INPUTBOX)(&text, &text, &value, &result);
  Expect(result.Str() == value.Str(), "INPUTBOX answers the default");
  std::uint8_t original[32] = {1}, current[32] = {2};
  Expect(DLG(EDITBITSET)(1, &text, original, current, "a\r\nb\r\n") == 3 && current[0] == 2,
         "EDITBITSET answers 3 and keeps the set");
  ShortString key = ShortString::From("k");
  Expect(DLG(SELECTFROMDUAL)(0, 0, &text, &text, &text, &text, &text, &key, &value) == 2 && key.Str() == "k",
         "SELECTFROMDUAL answers 2");
  tPhoneBookItem entry{};
  SetText(entry.Name, "Own");
  Expect(DLG(EDITPHONEITEM)(&entry, 0x0E) == 2 && TextOf(entry.Name) == "Own", "EDITPHONEITEM answers 2");
  DLG(EDITPAGELAYOUTS)(0);
  tAddressRecord records[1] = {};
  Expect(DLG(_CHOOSESTATIONS)(records, 0, 1, 0x03, 0x0F) == -1, "_CHOOSESTATIONS answers -1");
  char urls[32] = "fax:+420-2-111\r\n";
  Expect(DLG(CHOOSEPHONES)(urls, sizeof urls, 0x03, 0x0F) == 0 && std::string(urls) == "fax:+420-2-111\r\n",
         "CHOOSEPHONES answers false and keeps the text");
}

void NullArrayOfTheChooser(const Libraries& libs, const fs::path&) {
  Expect(DLG(_CHOOSESTATIONS)(nullptr, 0, 5, 0x03, 0x0F) == -1, "_CHOOSESTATIONS(NULL, 0, 5) answers -1");
}

// The dialog library takes the process's defaults and sound slots from the
// utility library, not from a copy of its own.
void ProcessStateIsTheUtilityLibrarys(const char* dlgPath) {
  const std::set<std::string> imported = cl::testing::ImportedSymbols(dlgPath);
  for (const char* name : {"URIGETDEFAULTCOUNTRY", "URIGETDEFAULTCITY", "BEEP"})
    Expect(imported.count(name) == 1, std::string("libbrandlg.so takes ") + name + " from libbranutl.so");
}

// The error box's sound is the one the utility library's slot table holds
// (slot 4, set in brannik.ini beside the program). The box itself waits for
// a user; the child goes once the sound has been asked for.
void ErrorSoundPlaysTheConfiguredSlot(const char* utlPath, const char* dlgPath, const fs::path& dir) {
  int channel[2];
  if (pipe(channel) != 0) return Fail("no pipe");
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(ChildDeadlineSeconds);
    close(channel[0]);
    const int report = channel[1];
    // Each request goes down the pipe to the checking process.
    dlg::testing::OnSoundRequest([report](const std::string& request) {
      const std::string line = request + '\n';
      [[maybe_unused]] const auto n = write(report, line.data(), line.size());
    });
    const Libraries libs = Open(utlPath, dlgPath);
    DLG(ERROR)(20556);
    _exit(0);
  }
  close(channel[1]);
  std::string heard;
  pollfd ready{channel[0], POLLIN, 0};
  if (poll(&ready, 1, SoundDeadlineMs) == 1) {
    char buffer[512];
    const ssize_t n = read(channel[0], buffer, sizeof buffer);
    if (n > 0) heard.assign(buffer, static_cast<std::size_t>(n));
  }
  close(channel[0]);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  const std::string wanted = "file " + (dir / "WAV" / WaveName).string() + "\n";
  Expect(heard == wanted, "ERROR plays the utility library's slot 4: heard \"" + heard + "\"");
}

// The writes of brannik.ini while a child opens the libraries named and
// closes them again.
int IniWritesAtUnload(const std::vector<const char*>& paths, const fs::path& dir) {
  // Unchanged values are not written again: each run starts from the same file.
  WriteFile(dir / "brannik.ini", ConfiguredIni());
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch < 0 || inotify_add_watch(watch, dir.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
    Fail("no inotify");
    return -1;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(ChildDeadlineSeconds);
    std::vector<void*> opened;
    for (const char* path : paths) opened.push_back(dlopen(path, RTLD_NOW | RTLD_LOCAL));
    for (auto it = opened.rbegin(); it != opened.rend(); ++it)
      if (*it == nullptr || dlclose(*it) != 0) _exit(2);
    // A library that stays loaded past its close writes back at exit.
    std::exit(0);
  }
  int status = -1;
  waitpid(child, &status, 0);
  Expect(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the libraries unload cleanly");
  int writes = 0;
  alignas(inotify_event) char buffer[4096];
  for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* at = buffer; at < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0 && std::strcmp(event->name, "brannik.ini") == 0) ++writes;
      at += sizeof(inotify_event) + event->len;
    }
  }
  close(watch);
  return writes;
}

// At unload the sound slots are written back by the utility library alone:
// the dialog library adds no writes of its own.
void BranniksIniIsWrittenOnlyByTheUtilityLibrary(const char* utlPath, const char* dlgPath, const fs::path& dir) {
  const int alone = IniWritesAtUnload({utlPath}, dir);
  const int both = IniWritesAtUnload({utlPath, dlgPath}, dir);
  Expect(alone > 0, "the utility library writes its slots back at unload");
  Expect(both == alone, "brannik.ini written " + std::to_string(both) + " times with the dialog library, " +
                            std::to_string(alone) + " without");
  Expect(ReadFile(dir / "brannik.ini").find(std::string("SND_04=") + WaveName) != std::string::npos,
         "the slots written back keep the configured sound");
}

// A check in a child of its own: a crash or a hang fails only that check.
void InChild(const char* what, const std::function<void()>& check) {
  std::fflush(nullptr);
  // The child counts only its own failures, not those it was forked with.
  const int before = failures;
  const pid_t child = fork();
  if (child == 0) {
    alarm(ChildDeadlineSeconds);
    check();
    std::fflush(nullptr);
    _exit(failures == before ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) Fail(std::string(what) + ": signal " + std::to_string(WTERMSIG(status)));
  else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) Fail(what);
}

int RunChecks(const char* utlPath, const char* dlgPath, const fs::path& dir) {
  const auto withLibraries = [&](void (*check)(const Libraries&, const fs::path&)) {
    return [=] {
      const Libraries libs = Open(utlPath, dlgPath);
      check(libs, dir);
    };
  };
  InChild("row objects are entries", withLibraries(RowsAreEntries));
  InChild("saving any row object", withLibraries(SavingAnyRowObject));
  InChild("the chooser with a null array", withLibraries(NullArrayOfTheChooser));
  // Where no window system answers, as the session's variables name it.
  const std::string unusedDisplay = cl::testing::UnusedXDisplay();
  struct Session {
    const char* name;
    std::vector<std::pair<const char*, std::string>> variables;
  } const unanswered[] = {
      {"no display named", {}},
      {"an X display nobody serves", {{"DISPLAY", unusedDisplay}}},
      {"X named as Qt's platform, its display silent", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", unusedDisplay}}},
      {"a Wayland display nobody serves",
       {{"WAYLAND_DISPLAY", "brannik-no-compositor"}, {"XDG_RUNTIME_DIR", dir.string()}}},
  };
  for (const Session& session : unanswered) {
    InChild((std::string("the dialogs with ") + session.name).c_str(), [&] {
      for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE",
                               "XDG_RUNTIME_DIR"})
        unsetenv(name);
      for (const auto& [name, value] : session.variables) setenv(name, value.c_str(), 1);
      withLibraries(EachDialogAnswersItsFailure)();
    });
  }
  ProcessStateIsTheUtilityLibrarys(dlgPath);
  ErrorSoundPlaysTheConfiguredSlot(utlPath, dlgPath, dir);
  BranniksIniIsWrittenOnlyByTheUtilityLibrary(utlPath, dlgPath, dir);
  if (failures == 0) std::printf("the dialog library keeps its contract with a calling program\n");
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--here") == 0) return RunChecks(argv[2], argv[3], argv[4]);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s libbranutl.so libbrandlg.so\n", argv[0]);
    return 2;
  }
  // The scratch directory: this program, its brannik.ini, its wave file, and
  // the suite's layout (Windows directory, configuration).
  std::string pattern = (fs::temp_directory_path() / "dialog-contract-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 2;
  const fs::path dir = pattern;
  fs::copy_file("/proc/self/exe", dir / "host");
  fs::permissions(dir / "host", fs::perms::owner_all);
  fs::create_directories(dir / "WAV");
  WriteFile(dir / "WAV" / WaveName, "RIFF");
  WriteFile(dir / "brannik.ini", ConfiguredIni());
  setenv("BRANNIK_WINDIR", dir.c_str(), 1);
  setenv("BKU", (dir / "CFG").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  fs::create_directories(dir / "CFG");
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const std::string host = (dir / "host").string();
    execl(host.c_str(), host.c_str(), "--here", argv[1], argv[2], dir.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = -1;
  waitpid(child, &status, 0);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
