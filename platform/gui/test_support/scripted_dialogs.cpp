#include "platform/gui/test_support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace cl::testing {

ScriptedDialogs::ScriptedDialogs() { SetDialogSeam(this); }

ScriptedDialogs::~ScriptedDialogs() { SetDialogSeam(nullptr); }

bool ScriptedDialogs::RunOpen(TOpenDialog& dialog) {
  Calls.push_back("open");
  if (!Open) {
    ADD_FAILURE() << "An open dialog came without a script";
    return false;
  }
  return Open(dialog);
}

bool ScriptedDialogs::RunSave(TSaveDialog& dialog) {
  Calls.push_back("save");
  if (!Save) {
    ADD_FAILURE() << "A save dialog came without a script";
    return false;
  }
  return Save(dialog);
}

bool ScriptedDialogs::RunPrint(TPrintDialog& dialog) {
  Calls.push_back("print");
  if (!Print) {
    ADD_FAILURE() << "A print dialog came without a script";
    return false;
  }
  return Print(dialog);
}

void ScriptedDialogs::ShowFind(TFindDialog& dialog) {
  Calls.push_back("find");
  if (RealFind) {
    QtDialogSeam().ShowFind(dialog);
  } else if (Find) {
    Find(dialog);
  }
}

void ScriptedDialogs::CloseFind(TFindDialog& dialog) {
  Calls.push_back("close find");
  if (RealFind) QtDialogSeam().CloseFind(dialog);
}

int ScriptedDialogs::RunMessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  Calls.push_back("message");
  Messages.push_back({text, caption, flags});
  if (Message) return Message(text, caption, flags);
  // A plain OK box needs no script: it can only be confirmed.
  if ((flags & 0x0F) == MB_OK) return IDOK;
  ADD_FAILURE() << "A message box with choices came without a script: " << text;
  return IDCANCEL;
}

}  // namespace cl::testing
