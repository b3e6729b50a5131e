#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/gui/component.h"
#include "platform/gui/control.h"

namespace cl {

// Options of the open and save dialogs.
using TOpenOptions = uint32_t;
constexpr TOpenOptions ofOverwritePrompt = 1, ofHideReadOnly = 2, ofPathMustExist = 4, ofFileMustExist = 8;

// The open-file dialog. Filter is the class library's "text|patterns|..."
// list (patterns separated by ";"); FilterIndex counts from 1. Names are code
// page 1250 in the system's own forms.
class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner = nullptr) : TComponent(owner) {}

  std::string FileName;
  std::string InitialDir;
  std::string Filter;
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string Title;
  TOpenOptions Options = ofHideReadOnly;
  // The file the program opens for a chosen name, where that is another
  // (system names both): the open dialog then checks that this file exists,
  // not the name as typed, and returns it in FileName. Empty: the name itself.
  std::function<std::string(const std::string& chosen)> OpenedName;

  // Shows the dialog; true when the user chose a file (FileName holds it).
  virtual bool Execute();
};

// The save-file dialog: a name without extension gets DefaultExt.
class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;
  bool Execute() override;
};

enum TPrintRange : uint8_t { prAllPages, prSelection, prPageNums };
using TPrintDialogOptions = uint32_t;
constexpr TPrintDialogOptions poPrintToFile = 1, poPageNums = 2, poSelection = 4, poDisablePrintToFile = 8;

// The print dialog: chooses the printer (Printer()), the range and copies.
class TPrintDialog : public TComponent {
 public:
  explicit TPrintDialog(TComponent* owner = nullptr) : TComponent(owner) {}

  int FromPage = 0;
  int ToPage = 0;
  int MinPage = 0;
  int MaxPage = 0;
  int Copies = 1;
  TPrintRange PrintRange = prAllPages;
  TPrintDialogOptions Options = 0;

  bool Execute();
};

using TFindOptions = uint32_t;
constexpr TFindOptions frDown = 1, frFindNext = 2, frHideMatchCase = 4, frHideWholeWord = 8, frHideUpDown = 16,
                       frMatchCase = 32, frDisableMatchCase = 64, frDisableUpDown = 128,
                       frDisableWholeWord = 256, frWholeWord = 512;

// The modeless find dialog: Execute shows it and returns; each "find next"
// of the user sets FindText and Options (frFindNext on) and fires OnFind.
class TFindDialog : public TComponent {
 public:
  explicit TFindDialog(TComponent* owner = nullptr);
  ~TFindDialog() override;

  std::string FindText;
  TFindOptions Options = frDown;
  TNotifyEvent OnFind;

  bool Execute();
  void CloseDialog();
  bool Showing() const { return showing_; }
  // What the dialog does when the user asks for the next match.
  void Find();

 private:
  friend class QtDialogs;
  bool showing_ = false;
};

// Windows' message box: MB_ flags in, the ID of the button out.
constexpr uint32_t MB_OK = 0, MB_OKCANCEL = 1, MB_YESNOCANCEL = 3, MB_YESNO = 4, MB_ICONERROR = 0x10,
                   MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;
int MessageBox(const std::string& text, const std::string& caption, uint32_t flags);

// The seam between the system and the dialogs the user sees: Qt's dialogs
// unless a test installed a script.
class TDialogSeam {
 public:
  virtual ~TDialogSeam() = default;
  virtual bool RunOpen(TOpenDialog& dialog) = 0;
  virtual bool RunSave(TSaveDialog& dialog) = 0;
  virtual bool RunPrint(TPrintDialog& dialog) = 0;
  virtual void ShowFind(TFindDialog& dialog) = 0;
  virtual void CloseFind(TFindDialog& dialog) = 0;
  virtual int RunMessageBox(const std::string& text, const std::string& caption, uint32_t flags) = 0;
};

// Installs a seam (the caller keeps it alive); nullptr restores Qt's.
void SetDialogSeam(TDialogSeam* seam);
TDialogSeam& DialogSeam();
bool DialogSeamInstalled();
// Qt's dialogs themselves, for a seam that passes some of them on.
TDialogSeam& QtDialogSeam();

// The filter list as Qt's name filters ("text (patterns)").
std::string QtFilterOf(const std::string& filter);

}  // namespace cl
