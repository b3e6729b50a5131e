#include "platform/gui/common_dialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "platform/core/file_names.h"
#include "platform/gui/application.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/printer.h"
#include "platform/gui/printer_impl.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

TDialogSeam* installedSeam = nullptr;

// Native names from the system's and back; the dialogs live in native paths.
QString NativeOf(const std::string& name) {
  const std::optional<std::string> native = win::NativeName(name);
  return native ? QString::fromStdString(*native) : QString();
}

std::string SystemNameOf(const QString& native) { return win::SystemName(native.toStdString()).value_or(""); }

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

QStringList QtFilters(const std::string& filter) {
  QStringList filters;
  const std::vector<std::string> parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    std::replace(patterns.begin(), patterns.end(), ';', ' ');
    filters.append(ToQString(parts[i] + " (" + patterns + ")"));
  }
  return filters;
}

bool RunFileDialog(TOpenDialog& dialog, bool save) {
  EnsureQtApplication();
  QFileDialog qt(nullptr, ToQString(dialog.Title));
  qt.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  qt.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtFilters(dialog.Filter);
  if (!filters.isEmpty()) {
    qt.setNameFilters(filters);
    qt.selectNameFilter(filters.value(std::max(0, dialog.FilterIndex - 1)));
  }
  if (!dialog.DefaultExt.empty()) qt.setDefaultSuffix(ToQString(dialog.DefaultExt));
  if (!dialog.InitialDir.empty()) qt.setDirectory(NativeOf(dialog.InitialDir));
  if (!dialog.FileName.empty()) qt.selectFile(NativeOf(dialog.FileName));
  if (!(dialog.Options & ofOverwritePrompt)) qt.setOption(QFileDialog::DontConfirmOverwrite);
  if (qt.exec() != QDialog::Accepted || qt.selectedFiles().isEmpty()) return false;
  dialog.FileName = SystemNameOf(qt.selectedFiles().first());
  dialog.FilterIndex = static_cast<int>(filters.indexOf(qt.selectedNameFilter())) + 1;
  return true;
}

// Qt has no find dialog: a small one of ours, one per TFindDialog.
class FindWindow : public QDialog {
 public:
  explicit FindWindow(TFindDialog& owner) : owner_(owner) {
    setWindowTitle(QStringLiteral("Find"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Find what:")));
    text_ = new QLineEdit;
    row->addWidget(text_);
    layout->addLayout(row);
    matchCase_ = new QCheckBox(QStringLiteral("Match case"));
    wholeWord_ = new QCheckBox(QStringLiteral("Whole word"));
    down_ = new QCheckBox(QStringLiteral("Down"));
    layout->addWidget(matchCase_);
    layout->addWidget(wholeWord_);
    layout->addWidget(down_);
    auto* buttons = new QHBoxLayout;
    auto* next = new QPushButton(QStringLiteral("Find Next"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    next->setDefault(true);
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(next, &QPushButton::clicked, [this] { RunGuarded(&owner_, [this] { FindNext(); }); });
    QObject::connect(cancel, &QPushButton::clicked, [this] { owner_.CloseDialog(); });
  }
  void Load() {
    const TFindOptions options = owner_.Options;
    text_->setText(ToQString(owner_.FindText));
    matchCase_->setChecked(options & frMatchCase);
    wholeWord_->setChecked(options & frWholeWord);
    down_->setChecked(options & frDown);
    matchCase_->setVisible(!(options & frHideMatchCase));
    wholeWord_->setVisible(!(options & frHideWholeWord));
    down_->setVisible(!(options & frHideUpDown));
    matchCase_->setEnabled(!(options & frDisableMatchCase));
    wholeWord_->setEnabled(!(options & frDisableWholeWord));
    down_->setEnabled(!(options & frDisableUpDown));
  }

 private:
  void FindNext() {
    owner_.FindText = FromQString(text_->text());
    TFindOptions options = owner_.Options & ~(frMatchCase | frWholeWord | frDown);
    if (matchCase_->isChecked()) options |= frMatchCase;
    if (wholeWord_->isChecked()) options |= frWholeWord;
    if (down_->isChecked()) options |= frDown;
    owner_.Options = options;
    owner_.Find();
  }
  TFindDialog& owner_;
  QLineEdit* text_;
  QCheckBox* matchCase_;
  QCheckBox* wholeWord_;
  QCheckBox* down_;
};

std::map<TFindDialog*, std::unique_ptr<FindWindow>>& FindWindows() {
  static std::map<TFindDialog*, std::unique_ptr<FindWindow>> windows;
  return windows;
}

}  // namespace

class QtDialogs final : public TDialogSeam {
 public:
  bool RunOpen(TOpenDialog& dialog) override { return RunFileDialog(dialog, false); }
  bool RunSave(TSaveDialog& dialog) override { return RunFileDialog(dialog, true); }

  bool RunPrint(TPrintDialog& dialog) override {
    EnsureQtApplication();
    QPrinter& printer = PrinterAccess::QtPrinter(Printer());
    QPrintDialog qt(&printer);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    if (dialog.Options & poPageNums) options |= QAbstractPrintDialog::PrintPageRange;
    if (dialog.Options & poSelection) options |= QAbstractPrintDialog::PrintSelection;
    if (!(dialog.Options & poDisablePrintToFile)) options |= QAbstractPrintDialog::PrintToFile;
    qt.setOptions(options);
    qt.setMinMax(dialog.MinPage, dialog.MaxPage);
    qt.setFromTo(dialog.FromPage, dialog.ToPage);
    if (qt.exec() != QDialog::Accepted) return false;
    switch (qt.printRange()) {
      case QAbstractPrintDialog::PageRange:
        dialog.PrintRange = prPageNums;
        dialog.FromPage = qt.fromPage();
        dialog.ToPage = qt.toPage();
        break;
      case QAbstractPrintDialog::Selection: dialog.PrintRange = prSelection; break;
      default: dialog.PrintRange = prAllPages; break;
    }
    dialog.Copies = printer.copyCount();
    return true;
  }

  void ShowFind(TFindDialog& dialog) override {
    EnsureQtApplication();
    auto& window = FindWindows()[&dialog];
    if (window == nullptr) window = std::make_unique<FindWindow>(dialog);
    window->Load();
    window->show();
    window->raise();
    window->activateWindow();
  }

  void CloseFind(TFindDialog& dialog) override {
    const auto it = FindWindows().find(&dialog);
    if (it != FindWindows().end()) it->second->hide();
  }

  int RunMessageBox(const std::string& text, const std::string& caption, uint32_t flags) override {
    EnsureQtApplication();
    QMessageBox box;
    box.setText(ToQString(text));
    box.setWindowTitle(ToQString(caption));
    switch (flags & 0xF0) {
      case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
      case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
      case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
      case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
      default: break;
    }
    switch (flags & 0x0F) {
      case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case MB_YESNOCANCEL: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
      case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
      default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return IDYES;
      case QMessageBox::No: return IDNO;
      case QMessageBox::Cancel: return IDCANCEL;
      default: return IDOK;
    }
  }
};

TDialogSeam& DialogSeam() {
  static QtDialogs qtDialogs;
  return installedSeam != nullptr ? *installedSeam : qtDialogs;
}

void SetDialogSeam(TDialogSeam* seam) { installedSeam = seam; }

bool DialogSeamInstalled() { return installedSeam != nullptr; }

std::string QtFilterOf(const std::string& filter) { return FromQString(QtFilters(filter).join(";;")); }

bool TOpenDialog::Execute() { return DialogSeam().RunOpen(*this); }

bool TSaveDialog::Execute() {
  if (!DialogSeam().RunSave(*this)) return false;
  // A name without an extension gets the default one.
  if (!DefaultExt.empty()) {
    const size_t slash = FileName.find_last_of("\\/");
    const size_t dot = FileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) FileName += "." + DefaultExt;
  }
  return true;
}

bool TPrintDialog::Execute() { return DialogSeam().RunPrint(*this); }

TFindDialog::TFindDialog(TComponent* owner) : TComponent(owner) {}

TFindDialog::~TFindDialog() {
  if (showing_) DialogSeam().CloseFind(*this);
  FindWindows().erase(this);
}

bool TFindDialog::Execute() {
  showing_ = true;
  DialogSeam().ShowFind(*this);
  return true;
}

void TFindDialog::CloseDialog() {
  if (!showing_) return;
  showing_ = false;
  DialogSeam().CloseFind(*this);
}

void TFindDialog::Find() {
  Options |= frFindNext;
  if (OnFind) OnFind(this);
}

int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  return DialogSeam().RunMessageBox(text, caption, flags);
}

}  // namespace cl
