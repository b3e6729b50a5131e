#include "platform/gui/common_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QDir>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPrinter>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "platform/core/file_names.h"
#include "platform/gui/application.h"
#include "platform/gui/control_widget.h"
#include "platform/gui/form.h"
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
    // Qt reads the patterns from the name's last parentheses; a name that
    // shows them already, as Windows' filters often do, keeps them once.
    std::string name = parts[i];
    const std::string shown = "(" + parts[i + 1] + ")";
    if (name.size() >= shown.size() && name.compare(name.size() - shown.size(), shown.size(), shown) == 0)
      name.resize(name.size() - shown.size());
    else
      name += ' ';
    filters.append(ToQString(name + "(" + patterns + ")"));
  }
  return filters;
}

// Qt's file dialog, which for an open dialog with OpenedName checks the file
// the program will open instead of the name as chosen (Qt's check would find
// no "exp1.phn" where the program opens "EXP1.PHN").
class FileDialog final : public QFileDialog {
 public:
  FileDialog(const QString& title, std::function<std::string(const std::string&)> openedName)
      : QFileDialog(nullptr, title), openedName_(std::move(openedName)) {}

  QString Chosen() const { return opened_.isEmpty() ? selectedFiles().value(0) : opened_; }

  void accept() override {
    const QStringList chosen = selectedFiles();
    if (!openedName_ || chosen.size() != 1 || QFileInfo(chosen.first()).isDir()) return QFileDialog::accept();
    const std::string name = SystemNameOf(chosen.first());
    const QString opened = name.empty() ? QString() : NativeOf(openedName_(name));
    if (opened.isEmpty()) return QFileDialog::accept();
    if (!QFileInfo(opened).isFile()) {
      // Qt's own words for a name it does not find.
      const QString message = QCoreApplication::translate(
          "QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.");
      QMessageBox::warning(this, windowTitle(), message.arg(QFileInfo(opened).fileName()));
      return;
    }
    opened_ = opened;
    QDialog::accept();
  }

 private:
  std::function<std::string(const std::string&)> openedName_;
  QString opened_;
};

bool RunFileDialog(TOpenDialog& dialog, bool save) {
  EnsureQtApplication();
  FileDialog qt(ToQString(dialog.Title), save ? nullptr : dialog.OpenedName);
  qt.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  qt.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtFilters(dialog.Filter);
  if (!filters.isEmpty()) {
    qt.setNameFilters(filters);
    qt.selectNameFilter(filters.value(std::max(0, dialog.FilterIndex - 1)));
  }
  if (!dialog.DefaultExt.empty()) qt.setDefaultSuffix(ToQString(dialog.DefaultExt));
  if (!dialog.InitialDir.empty()) qt.setDirectory(NativeOf(dialog.InitialDir));
  if (!dialog.FileName.empty()) {
    // A bare name lies in the initial folder, not in the working directory
    // that the native form of a relative name would look in.
    std::string name = dialog.FileName;
    if (name.find_first_of("\\/:") == std::string::npos && !dialog.InitialDir.empty()) {
      const char last = dialog.InitialDir.back();
      name = dialog.InitialDir + (last == '\\' || last == '/' || last == ':' ? "" : "\\") + name;
    }
    qt.selectFile(NativeOf(name));
  }
  if (!(dialog.Options & ofOverwritePrompt)) qt.setOption(QFileDialog::DontConfirmOverwrite);
  if (qt.exec() != QDialog::Accepted || qt.Chosen().isEmpty()) return false;
  dialog.FileName = SystemNameOf(qt.Chosen());
  dialog.FilterIndex = static_cast<int>(filters.indexOf(qt.selectedNameFilter())) + 1;
  return true;
}

// Qt has no find dialog: a small one of ours, one per TFindDialog, in the
// program's Czech (Windows' own is in the language of the system).
class FindWindow : public QDialog {
 public:
  explicit FindWindow(TFindDialog& owner) : owner_(owner) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral(u"Najít"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral(u"&Najít:"));
    row->addWidget(label);
    text_ = new QLineEdit;
    text_->setObjectName(QStringLiteral("FindText"));
    label->setBuddy(text_);
    row->addWidget(text_);
    layout->addLayout(row);
    matchCase_ = new QCheckBox(QStringLiteral(u"&Rozlišovat malá a velká písmena"));
    matchCase_->setObjectName(QStringLiteral("MatchCase"));
    wholeWord_ = new QCheckBox(QStringLiteral(u"&Jen celá slova"));
    wholeWord_->setObjectName(QStringLiteral("WholeWord"));
    down_ = new QCheckBox(QStringLiteral(u"&Dolů"));
    down_->setObjectName(QStringLiteral("Down"));
    layout->addWidget(matchCase_);
    layout->addWidget(wholeWord_);
    layout->addWidget(down_);
    auto* buttons = new QHBoxLayout;
    auto* next = new QPushButton(QStringLiteral(u"Najít &další"));
    next->setObjectName(QStringLiteral("FindNext"));
    auto* cancel = new QPushButton(QStringLiteral(u"Storno"));
    cancel->setObjectName(QStringLiteral("Cancel"));
    next->setDefault(true);
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(next, &QPushButton::clicked, [this] { RunGuarded(&owner_, [this] { FindNext(); }); });
    QObject::connect(cancel, &QPushButton::clicked, [this] { reject(); });
  }
  // Esc, the title bar's close and Storno all end the dialog as CloseDialog
  // does, so that the owner knows it is gone.
  void reject() override { owner_.CloseDialog(); }
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
    // As Windows' dialog: the text has the focus, selected, so typing
    // replaces what was searched for before.
    text_->selectAll();
    text_->setFocus(Qt::OtherFocusReason);
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

// The title as the window system shows it: Qt adds the program's name to
// a title that lacks it, and shows the name alone for an empty one.
QString ShownTitle(const QString& title) {
  const QString name = QGuiApplication::applicationDisplayName();
  if (title.isEmpty()) return name;
  if (name.isEmpty() || title.contains(name)) return title;
  return title + QStringLiteral(u" \u2014 ") + name;
}

// Windows makes a message box wide enough for its caption; Qt sizes it to the
// text alone, and a short text left the title cut ("b...k"). A spacer as wide
// as the title bar needs (the title, the icon and the buttons beside it)
// holds the box open; QMessageBox takes its layout's minimum width.
void FitCaption(QMessageBox& box) {
  auto* const grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  QFont titleFont = box.font();
  titleFont.setBold(true);
  const int titleBar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
  const int width = QFontMetrics(titleFont).horizontalAdvance(ShownTitle(box.windowTitle())) + 5 * titleBar;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

// The window a message box belongs to: an open modal form, else the main
// form while it shows, else the active window; none leaves it on the screen.
QWidget* MessageBoxOwner() {
  if (QWidget* const modal = QApplication::activeModalWidget()) return modal;
  const TForm* const main = Application().MainForm();
  if (main != nullptr && main->Showing()) return TControl::Access::Widget(*main);
  return QApplication::activeWindow();
}

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
    printer.setDocName(ToQString(Printer().Title));
    // With no queue the dialog offers a PDF file named after the document,
    // until the user names one himself.
    QString& offered = PrinterAccess::OfferedFileName(Printer());
    if (QPrinterInfo::availablePrinterNames().isEmpty() &&
        (printer.outputFileName().isEmpty() || printer.outputFileName() == offered)) {
      offered = QString::fromStdString(DefaultPrintFileName(QDir::currentPath().toStdString(), Printer().Title));
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(offered);
    }
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
    // Like Windows' box, it stands over the window the user works in.
    QMessageBox box(MessageBoxOwner());
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
    // Last: the icon lays the box out anew.
    FitCaption(box);
    switch (box.exec()) {
      case QMessageBox::Yes: return IDYES;
      case QMessageBox::No: return IDNO;
      case QMessageBox::Cancel: return IDCANCEL;
      default: return IDOK;
    }
  }
};

TDialogSeam& QtDialogSeam() {
  static QtDialogs qtDialogs;
  return qtDialogs;
}

TDialogSeam& DialogSeam() { return installedSeam != nullptr ? *installedSeam : QtDialogSeam(); }

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
