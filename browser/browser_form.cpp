#include "browser/browser_form.h"

#include <exception>
#include <memory>
#include <utility>

#include "browser/browser_settings.h"
#include "browser/document_save.h"
#include "browser/exe_link.h"
#include "browser/font_form.h"
#include "browser/font_sizes.h"
#include "browser/glyphs.h"
#include "browser/version_info.h"
#include "platform/core/exception.h"
#include "platform/core/program_start.h"
#include "platform/core/short_string.h"
#include "platform/gui/application.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/busy_cursor.h"
#include "platform/gui/printer.h"
#include "platform/gui/screen_facts.h"
#include "platform/gui/virtual_keys.h"
#include "utility/path_names.h"
#include "utility/short_strings.h"

namespace brw {

namespace {

std::string CutShort(std::string text) {
  if (text.size() > ShortString::MaxLength) text.resize(ShortString::MaxLength);
  return text;
}

// The folder part with its separator, and the name part, of a file name.
std::string FolderOf(const std::string& name) {
  const auto at = name.find_last_of("\\/:");
  return at == std::string::npos ? std::string() : name.substr(0, at + 1);
}
std::string NamePartOf(const std::string& name) {
  const auto at = name.find_last_of("\\/:");
  return at == std::string::npos ? name : name.substr(at + 1);
}

// The first "%s" of a text replaced by the argument.
std::string FormatText(std::string text, const std::string& argument) {
  if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
  return text;
}

// Each tool button with its menu item, in the order of TToolGlyph.
struct TToolButtonRow {
  const char* ButtonName;
  const char* ItemName;
  int Panel;  // 0 file, 1 edit, 2 browsing, 3 font
  int32_t Left;
  cl::TShortCut ShortCut;
  bool Busy;  // the handler runs inside the busy count
  void (TBrowserForm::*Handler)();
};

constexpr TToolButtonRow toolButtons[toolButtonCount] = {
    {"BBtn_FileOpen", "PMnu_OpenDoc", 0, 8, cl::scCtrl | 'O', true, &TBrowserForm::BBtn_FileOpenClick},
    {"BBtn_Reload", "PMnu_Reload", 0, 32, cl::scCtrl | 'R', true, &TBrowserForm::BBtn_ReloadClick},
    {"BBtn_Save", "PMnu_SaveDoc", 0, 64, cl::scCtrl | 'S', false, &TBrowserForm::BBtn_SaveClick},
    {"BBtn_Print", "PMnu_Print", 0, 88, cl::scCtrl | 'P', true, &TBrowserForm::BBtn_PrintClick},
    {"BBtn_SelectAll", "PMnu_SelectAll", 1, 8, cl::scCtrl | 'A', true, &TBrowserForm::BBtn_SelectAllClick},
    {"BBtn_Copy", "PMnu_Copy", 1, 32, cl::scCtrl | 'C', true, &TBrowserForm::BBtn_CopyClick},
    {"BBtn_Find", "PMnu_Find", 1, 64, cl::scCtrl | 'F', false, &TBrowserForm::BBtn_FindClick},
    {"BBtn_Home", "PMnu_Home", 2, 8, 0, true, &TBrowserForm::BBtn_HomeClick},
    {"BBtn_Back", "PMnu_Back", 2, 40, 0, true, &TBrowserForm::BBtn_BackClick},
    {"BBtn_Forward", "PMnu_Forward", 2, 64, 0, true, &TBrowserForm::BBtn_ForwardClick},
    {"BBtn_Font", "PMnu_Font", 3, 8, 0, true, &TBrowserForm::BBtn_FontClick},
    {"BBtn_IncFont", "PMnu_IncFont", 3, 40, 0, true, &TBrowserForm::BBtn_IncFontClick},
    {"BBtn_DecFont", "PMnu_DecFont", 3, 64, 0, true, &TBrowserForm::BBtn_DecFontClick},
};

// The start document as the viewer names the file it loaded: a relative name
// (as a command line may give it) is made full against the current directory.
std::string ExpandedDocumentName(const std::string& name) {
  return name.empty() ? name : CutShort(utl::FEXPAND(name));
}

}  // namespace

TBrowserForm::TBrowserForm(cl::TComponent* owner, std::vector<std::string> arguments) : cl::TForm(owner) {
  SetName("BrowserForm");
  SetBounds(0, 0, 640, 533);
  cl::TForm::SetPosition(cl::poDefaultPosOnly);
  SetKeyPreview(true);
  Font().SetName("System");
  Font().SetHeight(-13);
  SetCaption(" ");
  {
    const std::vector<std::uint8_t> iconFile = FormIconBitmapFile();
    cl::TBitmap icon;
    icon.LoadFromMemory(iconFile.data(), iconFile.size());
    SetIcon(icon);
  }
  CreateToolBar();
  CreateMenu();
  SetPopupMenu(popupMenu_);
  openDialog_ = cl::Make<cl::TOpenDialog>(*this);
  saveDialog_ = cl::Make<cl::TSaveDialog>(*this);
  saveDialog_->DefaultExt = "htm";
  printDialog_ = cl::Make<cl::TPrintDialog>(*this);
  printDialog_->FromPage = 1;
  printDialog_->ToPage = 1;
  printDialog_->MinPage = 1;
  printDialog_->MaxPage = 9999;
  printDialog_->Options = cl::poPageNums;
  findDialog_ = cl::Make<cl::TFindDialog>(*this);
  findDialog_->Options =
      cl::frDown | cl::frHideWholeWord | cl::frHideUpDown | cl::frDisableUpDown | cl::frDisableWholeWord;
  findDialog_->OnFind = [this](cl::TObject*) { FindDialogFind(); };
  timer_ = cl::Make<cl::TTimer>(*this);
  timer_->SetEnabled(false);
  timer_->SetInterval(200);
  timer_->OnTimer = [this] { Timer200msTimer(); };
  OnShow = [this](cl::TObject*) { FormShow(); };
  OnClose = [](cl::TObject*, cl::TCloseAction& action) { action = cl::caFree; };
  FormCreate(arguments);
}

TBrowserForm::~TBrowserForm() { SaveSettings(); }

void TBrowserForm::CreateToolBar() {
  auto* const topPanel = cl::Make<cl::TPanel>(*this);
  topPanel->SetName("TopPanel");
  topPanel->SetParent(this);
  topPanel->SetAlign(cl::alTop);
  topPanel->SetHeight(35);
  topPanel->SetBevelOuter(cl::bvNone);
  struct TSubPanel {
    const char* Name;
    int32_t Left, Top, Width;
  } const subPanels[] = {{"FileSubPanel", 8, 1, 121},
                         {"EditSubPanel", 152, 2, 97},
                         {"BrowserButtonSubPanel", 272, 1, 97},
                         {"FontButtonsSubpanel", 376, 1, 97}};
  cl::TPanel* panels[4] = {};
  for (int i = 0; i < 4; ++i) {
    cl::TPanel* const panel = cl::Make<cl::TPanel>(*topPanel);
    panel->SetName(subPanels[i].Name);
    panel->SetParent(topPanel);
    panel->SetBounds(subPanels[i].Left, subPanels[i].Top, subPanels[i].Width, 33);
    if (i == 0) panel->SetBevelInner(cl::bvLowered);
    panels[i] = panel;
  }
  for (int i = 0; i < toolButtonCount; ++i) {
    const TToolButtonRow& place = toolButtons[i];
    cl::TSpeedButton* const button = cl::Make<cl::TSpeedButton>(*this);
    button->SetName(place.ButtonName);
    button->SetParent(panels[place.Panel]);
    button->SetBounds(place.Left, 4, 24, 24);
    const std::vector<std::uint8_t> glyph = ToolGlyphBitmapFile(static_cast<TToolGlyph>(i));
    button->Glyph().LoadFromMemory(glyph.data(), glyph.size());
    button->SetNumGlyphs(2);
    button->SetShowHint(true);
    if (i == tbForward) button->SetLayout(cl::blGlyphRight);
    const auto handler = place.Handler;
    const bool busy = place.Busy;
    button->OnClick = [this, handler, busy](cl::TObject*) { busy ? RunBusy(handler) : (this->*handler)(); };
    buttons_[static_cast<size_t>(i)] = button;
  }
}

void TBrowserForm::CreateMenu() {
  popupMenu_ = cl::Make<cl::TPopupMenu>(*this);
  popupMenu_->SetName("PopupMenu");
  popupMenu_->OnPopup = [this](cl::TObject*) { PopupMenuPopup(); };
  cl::TMenuItem& items = popupMenu_->Items();
  auto addLine = [&items] {
    auto line = std::make_unique<cl::TMenuItem>();
    line->SetCaption("-");
    items.Add(std::move(line));
  };
  auto version = std::make_unique<cl::TMenuItem>();
  version->SetName("PMnu_Version");
  version->SetEnabled(false);
  versionItem_ = items.Add(std::move(version));
  for (int i = 0; i < toolButtonCount; ++i) {
    if (i == tbFileOpen || i == tbSelectAll || i == tbHome || i == tbFont) addLine();
    auto item = std::make_unique<cl::TMenuItem>();
    item->SetName(toolButtons[i].ItemName);
    item->SetShortCut(toolButtons[i].ShortCut);
    cl::TSpeedButton* const button = buttons_[static_cast<size_t>(i)];
    item->OnClick = [button](cl::TObject*) { button->Click(); };
    menuItems_[static_cast<size_t>(i)] = items.Add(std::move(item));
  }
}

void TBrowserForm::FormCreate(const std::vector<std::string>& arguments) {
  std::string fileVersion;
  std::string released;
  GetVersionStrings(arguments.empty() ? std::string() : arguments[0], fileVersion, released);

  SetCaption(TextByNumber(txtCaption));
  for (int i = 0; i < toolButtonCount; ++i) {
    buttons_[static_cast<size_t>(i)]->SetHint(TextByNumber(static_cast<std::uint16_t>(txtFirstHint + i)));
    menuItems_[static_cast<size_t>(i)]->SetCaption(
        TextByNumber(static_cast<std::uint16_t>(txtFirstMenuCaption + i)));
  }
  versionItem_->SetCaption(FormatText(TextByNumber(txtVersionItem), fileVersion));
  openDialog_->Filter = TextByNumber(txtOpenFilter);
  saveDialog_->Filter = TextByNumber(txtSaveFilter);

  iniFileName_ = BrowserIniFileName();
  if (arguments.size() > 1) {
    startDocument_ = CutShort(arguments[1]);
  } else {
    startDocument_ = CutShort(FolderOf(arguments.empty() ? std::string() : arguments[0]) + "index.htm");
  }
  SetWindowState(cl::wsMaximized);

  viewer_ = cl::Make<tDocFileViewer>(*this);
  viewer_->SetName("Viewer");
  viewer_->SetParent(this);
  viewer_->SetAlign(cl::alClient);
  viewer_->OnHistoryChange = [this](cl::TObject*) {
    SetActionEnabled(tbBack, busyCount_ == 0 && viewer_->BackButtonEnabled());
    SetActionEnabled(tbForward, busyCount_ == 0 && viewer_->FwdButtonEnabled());
  };
  // Form submissions are not sent anywhere.
  viewer_->SetOnFormSubmit([](cl::TObject*, const std::string&, const std::string&, const std::string&,
                              const std::string&, cl::TStringList&) {});
  viewer_->OnProcessing = [this](cl::TObject*, bool processingOn) { processingOn ? BeginBusy() : EndBusy(); };
  viewer_->OnHotSpotTargetClick = [this](cl::TObject* sender, const std::string& target, const std::string& url,
                                         bool& handled) { ViewerHotSpotTargetClick(sender, target, url, handled); };
  LoadSettings();
}

void TBrowserForm::FormShow() {
  OpenDocument(startDocument_);
  SetDocPosition(0);
  UpdateButtons();
}

void TBrowserForm::LoadSettings() {
  const TBrowserSettings settings(iniFileName_);
  const TWindowPlacement current{static_cast<std::int32_t>(WindowState()), BoundsRect()};
  const std::vector<cl::TRect> screens = cl::MonitorRects();
  const TWindowPlacement window = settings.LoadWindow(current, screens);
  if (window.State == wsNormalValue) {
    SetWindowState(cl::wsNormal);
    SetBoundsRect(window.Bounds);
  } else {
    SetWindowState(static_cast<cl::TWindowState>(window.State));
  }
  viewer_->SetDefaults(settings.LoadViewer());
}

void TBrowserForm::SaveSettings() {
  const TBrowserSettings settings(iniFileName_);
  const cl::TWindowState state = WindowState();
  TWindowPlacement window{static_cast<std::int32_t>(state), cl::TRect{}};
  if (state == cl::wsNormal) window.Bounds = BoundsRect();
  if (viewer_ == nullptr) {
    settings.Save(window, nullptr, {}, 0);
    return;
  }
  TViewerDefaults defaults;
  static_cast<html::TViewerDefaults&>(defaults) = viewer_->Defaults();
  settings.Save(window, &defaults, viewer_->GetDocumentName(), viewer_->GetPosition());
}

void TBrowserForm::OpenDocument(const std::string& name) {
  startDocument_ = name;
  try {
    viewer_->LoadFromFile(name);
    SetCaption(viewer_->DocumentTitle());
  } catch (const std::exception&) {
    viewer_->Clear();
    SetCaption("");
  }
}

std::string TBrowserForm::GetCurrentFile() { return CutShort(viewer_->CurrentFile()); }

void TBrowserForm::SetDocPosition(int32_t position) { viewer_->SetPosition(position); }

void TBrowserForm::ShowPopupMenu() {
  const cl::TPoint point = viewer_->ClientToScreen(cl::TPoint{viewer_->Width() / 3, viewer_->Height() / 4});
  popupMenu_->Popup(point.X, point.Y);
}

void TBrowserForm::SetActionEnabled(TToolButton button, bool enabled) {
  buttons_[static_cast<size_t>(button)]->SetEnabled(enabled);
  menuItems_[static_cast<size_t>(button)]->SetEnabled(enabled);
}

void TBrowserForm::BeginBusy() {
  if (busyCount_++ != 0) return;
  for (int i = 0; i < toolButtonCount; ++i) SetActionEnabled(static_cast<TToolButton>(i), false);
  timer_->SetEnabled(false);
}

void TBrowserForm::EndBusy() {
  if (busyCount_ <= 0) return;
  if (--busyCount_ == 0) UpdateButtons();
}

void TBrowserForm::SetDocumentActionsEnabled() {
  const bool hasDocument = viewer_->ActiveViewer() != nullptr && !GetCurrentFile().empty();
  for (const TToolButton button : {tbReload, tbSave, tbPrint, tbSelectAll, tbHome, tbFind})
    SetActionEnabled(button, hasDocument);
  SetActionEnabled(tbCopy, viewer_->SelLength() > 0);
}

void TBrowserForm::UpdateButtons() {
  SetActionEnabled(tbFileOpen, true);
  SetDocumentActionsEnabled();
  SetActionEnabled(tbBack, viewer_->BackButtonEnabled());
  SetActionEnabled(tbForward, viewer_->FwdButtonEnabled());
  for (const TToolButton button : {tbFont, tbIncFont, tbDecFont}) SetActionEnabled(button, true);
  timer_->SetEnabled(true);
  if (viewer_->CanFocus()) viewer_->SetFocus();
}

void TBrowserForm::RunBusy(void (TBrowserForm::*handler)()) {
  BeginBusy();
  struct TEnd {
    TBrowserForm& form;
    ~TEnd() { form.EndBusy(); }
  } const end{*this};
  (this->*handler)();
}

void TBrowserForm::BBtn_FileOpenClick() {
  const std::string current = GetCurrentFile();
  openDialog_->InitialDir = FolderOf(current);
  openDialog_->FileName = NamePartOf(current);
  if (openDialog_->Execute()) OpenDocument(CutShort(openDialog_->FileName));
}

void TBrowserForm::BBtn_ReloadClick() { viewer_->Reload(); }

void TBrowserForm::BBtn_SaveClick() {
  // The dialog starts at the document itself, in its folder under its name,
  // so that a copy is one change of name or folder away.
  const std::string current = GetCurrentFile();
  saveDialog_->InitialDir = FolderOf(current);
  saveDialog_->FileName = NamePartOf(current);
  if (!saveDialog_->Execute()) return;
  saveFileName_ = CutShort(saveDialog_->FileName);
  bool saved = false;
  {
    const cl::TBusyCursor busy;
    try {
      saved = SaveDocumentCopy(current, saveFileName_);
    } catch (const std::exception&) {
      saved = false;
    }
  }
  cl::Application().ProcessMessages();
  if (!saved) cl::MessageBox(TextByNumber(txtSaveFailed), Caption(), cl::MB_OK | cl::MB_ICONERROR);
}

void TBrowserForm::BBtn_PrintClick() {
  // The dialog names the PDF file it offers after the document.
  if (const html::TDocViewer* const active = viewer_->ActiveViewer()) cl::Printer().Title = active->DocumentTitle();
  if (!printDialog_->Execute()) return;
  if (printDialog_->PrintRange == cl::prPageNums) {
    viewer_->Print(printDialog_->FromPage, printDialog_->ToPage);
  } else {
    viewer_->Print(1, 9999);
  }
}

void TBrowserForm::BBtn_SelectAllClick() { viewer_->SelectAll(); }

void TBrowserForm::BBtn_CopyClick() { viewer_->CopyToClipboard(); }

void TBrowserForm::BBtn_FindClick() { findDialog_->Execute(); }

void TBrowserForm::FindDialogFind() {
  const std::string text = findDialog_->FindText;
  if (!viewer_->FindText(text, (findDialog_->Options & cl::frMatchCase) != 0))
    cl::MessageBox(FormatText(TextByNumber(txtFindFailed), text), Caption(), cl::MB_OK | cl::MB_ICONINFORMATION);
}

void TBrowserForm::BBtn_HomeClick() {
  if (utl::STRUPR(ExpandedDocumentName(startDocument_)) != utl::STRUPR(GetCurrentFile())) {
    try {
      viewer_->LoadFromFile(startDocument_);
    } catch (const std::exception&) {
      // Home stays where it is when its document cannot be shown.
    }
  }
  SetDocPosition(0);
}

void TBrowserForm::BBtn_BackClick() { viewer_->GoBack(); }

void TBrowserForm::BBtn_ForwardClick() { viewer_->GoForward(); }

void TBrowserForm::BBtn_FontClick() {
  try {
    const auto dialog = std::make_unique<TFontForm>(nullptr);
    dialog->SetFontName(viewer_->DefFontName());
    dialog->SetFontColor(viewer_->DefFontColor());
    dialog->SetFontSize(viewer_->DefFontSize());
    dialog->SetHotSpotColor(viewer_->DefHotSpotColor());
    dialog->SetBackground(viewer_->DefBackground());
    if (dialog->ShowModal() != cl::mrOk) return;
    viewer_->SetDefFontName(dialog->GetSelectedFontName());
    viewer_->SetDefFontColor(dialog->FontColor());
    viewer_->SetDefFontSize(dialog->FontSize());
    viewer_->SetDefHotSpotColor(dialog->HotSpotColor());
    viewer_->SetDefBackground(dialog->GetSelectedBackground());
    viewer_->Reload();
  } catch (const cl::Exception&) {
    // A choice the viewer cannot take is dropped, as a cancel would.
  }
}

void TBrowserForm::BBtn_IncFontClick() {
  viewer_->SetDefFontSize(NextFontSize(viewer_->DefFontName(), viewer_->DefFontSize(), +1));
  viewer_->Reload();
}

void TBrowserForm::BBtn_DecFontClick() {
  viewer_->SetDefFontSize(NextFontSize(viewer_->DefFontName(), viewer_->DefFontSize(), -1));
  viewer_->Reload();
}

void TBrowserForm::PopupMenuPopup() {
  for (size_t i = 0; i < buttons_.size(); ++i) menuItems_[i]->SetEnabled(buttons_[i]->Enabled());
}

// A frame set has no active viewer until one of its frames is entered, which
// no busy bracket marks: the document's actions follow the focus here too.
void TBrowserForm::Timer200msTimer() { SetDocumentActionsEnabled(); }

void TBrowserForm::ViewerHotSpotTargetClick(cl::TObject* sender, const std::string&, const std::string& url,
                                            bool& handled) {
  handled = false;
  auto* const viewer = dynamic_cast<html::TFrameSetViewer*>(sender);
  const auto link = ExeLinkTarget(url, [viewer](std::string_view name) {
    return viewer != nullptr ? viewer->ExpandLinkFileName(std::string(name)) : std::string(name);
  });
  if (!link) return;
  handled = true;
  win::StartProgram(link->Program, link->Parameters);  // failures are not reported
}

void TBrowserForm::KeyDown(uint16_t& key, cl::TShiftState shift) {
  const cl::TShiftState keys = shift & (cl::ssShift | cl::ssAlt | cl::ssCtrl);
  if (keys == 0 && key == cl::VK_ESCAPE) {
    key = 0;
    Close();
    return;
  }
  if (keys == cl::ssAlt && key == cl::VK_F10) {
    key = 0;
    ShowPopupMenu();
    return;
  }
  cl::TForm::KeyDown(key, shift);
}

}  // namespace brw
