#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/gui/common_dialogs.h"

namespace cl::testing {

// While it lives, the open, save, print and find dialogs and message boxes
// are the test's: each runs the matching script (which fills the dialog's
// fields, as the user would, and answers whether the user confirmed). A
// dialog without a script fails the test and is cancelled. Every call is
// written down.
class ScriptedDialogs : public TDialogSeam {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  std::function<bool(TOpenDialog&)> Open;
  std::function<bool(TSaveDialog&)> Save;
  std::function<bool(TPrintDialog&)> Print;
  // Called when the find dialog shows; the test then sets FindText and calls
  // the dialog's Find, as the user pressing "find next".
  std::function<void(TFindDialog&)> Find;
  // The find dialog is Qt's own window instead, which the test drives with
  // the find-dialog input of gui_test.h (Find is not called then).
  bool RealFind = false;
  std::function<int(const std::string& text, const std::string& caption, uint32_t flags)> Message;

  struct MessageCall {
    std::string text;
    std::string caption;
    uint32_t flags;
  };
  std::vector<std::string> Calls;  // "open", "save", "print", "find", "close find", "message"
  std::vector<MessageCall> Messages;

  bool RunOpen(TOpenDialog& dialog) override;
  bool RunSave(TSaveDialog& dialog) override;
  bool RunPrint(TPrintDialog& dialog) override;
  void ShowFind(TFindDialog& dialog) override;
  void CloseFind(TFindDialog& dialog) override;
  int RunMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override;
};

}  // namespace cl::testing
