#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "browser/doc_file_viewer.h"
#include "browser/texts.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/form.h"
#include "platform/gui/menu.h"
#include "platform/gui/panel.h"
#include "platform/gui/speed_button.h"
#include "platform/gui/timer.h"

namespace brw {

// The tool-bar buttons in their order (the texts' order too).
enum TToolButton : int {
  tbFileOpen, tbReload, tbSave, tbPrint, tbSelectAll, tbCopy, tbFind, tbHome, tbBack, tbForward, tbFont,
  tbIncFont, tbDecFont,
};

// The browser's main window: a tool bar, a context menu mirroring it, the
// common dialogs and the document viewer filling the rest. Every action is a
// thin call into the viewer, bracketed by a busy count that keeps the
// buttons (and the menu items with their shortcuts) off meanwhile.
class TBrowserForm : public cl::TForm {
 public:
  // arguments: the program's file first, then the command line's; only the
  // first of those is used, as the start document.
  TBrowserForm(cl::TComponent* owner, std::vector<std::string> arguments);
  ~TBrowserForm() override;

  // Loads a document and makes it the Home document (also when it fails);
  // a failure leaves an empty viewer and caption, without a message.
  void OpenDocument(const std::string& name);
  std::string GetCurrentFile();
  void SetDocPosition(int32_t position);
  void ShowPopupMenu();
  void UpdateButtons();
  void BeginBusy();
  void EndBusy();

  // Handlers, each shared by a button and its menu item.
  void BBtn_FileOpenClick();
  void BBtn_ReloadClick();
  void BBtn_SaveClick();
  void BBtn_PrintClick();
  void BBtn_SelectAllClick();
  void BBtn_CopyClick();
  void BBtn_FindClick();
  void FindDialogFind();
  void BBtn_HomeClick();
  void BBtn_BackClick();
  void BBtn_ForwardClick();
  void BBtn_FontClick();
  void BBtn_IncFontClick();
  void BBtn_DecFontClick();
  void PopupMenuPopup();
  void Timer200msTimer();
  void ViewerHotSpotTargetClick(cl::TObject* sender, const std::string& target, const std::string& url,
                                bool& handled);

  void KeyDown(uint16_t& key, cl::TShiftState shift) override;

  tDocFileViewer& Viewer() { return *viewer_; }
  cl::TSpeedButton& Button(TToolButton button) { return *buttons_[static_cast<size_t>(button)]; }
  cl::TMenuItem& MenuItem(TToolButton button) { return *menuItems_[static_cast<size_t>(button)]; }
  cl::TMenuItem& VersionItem() { return *versionItem_; }
  cl::TPopupMenu& Menu() { return *popupMenu_; }
  cl::TTimer& Timer200ms() { return *timer_; }
  cl::TFindDialog& FindDialog() { return *findDialog_; }
  const std::string& StartDocument() const { return startDocument_; }
  const std::string& IniFileName() const { return iniFileName_; }

 private:
  void FormCreate(const std::vector<std::string>& arguments);
  void FormShow();
  void CreateToolBar();
  void CreateMenu();
  void LoadSettings();
  void SaveSettings();
  // A button and its menu item go on and off together, so that a disabled
  // action's shortcut does nothing either.
  void SetActionEnabled(TToolButton button, bool enabled);
  // The actions that need a document with an active viewer, and Copy.
  void SetDocumentActionsEnabled();
  void RunBusy(void (TBrowserForm::*handler)());

  tDocFileViewer* viewer_ = nullptr;
  std::array<cl::TSpeedButton*, toolButtonCount> buttons_{};
  std::array<cl::TMenuItem*, toolButtonCount> menuItems_{};
  cl::TMenuItem* versionItem_ = nullptr;
  cl::TPopupMenu* popupMenu_ = nullptr;
  cl::TTimer* timer_ = nullptr;
  cl::TOpenDialog* openDialog_ = nullptr;
  cl::TSaveDialog* saveDialog_ = nullptr;
  cl::TPrintDialog* printDialog_ = nullptr;
  cl::TFindDialog* findDialog_ = nullptr;
  std::string iniFileName_;
  std::string startDocument_;
  int32_t busyCount_ = 0;
  std::string saveFileName_;
};

}  // namespace brw
