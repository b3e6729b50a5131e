#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/printer.h"
#include "platform/gui/test_support/gui_test.h"

// Qt's own dialogs behind the seam, as the user sees them.

namespace {

namespace t = cl::testing;

// Runs action on the next modal dialog once it is up, then cancels it. The
// poll gives up (failing the test) when none has come after 500 rounds.
class NextModalDialog {
 public:
  explicit NextModalDialog(std::function<void(QDialog&)> action) : action_(std::move(action)) {
    t::EnsureGuiTestApplication();
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(10);
  }
  ~NextModalDialog() {
    if (!ran_) ADD_FAILURE() << "No modal dialog came";
  }

 private:
  void Poll() {
    auto* const dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (++rounds_ > 500) timer_.stop();
      return;
    }
    timer_.stop();
    ran_ = true;
    action_(*dialog);
    dialog->reject();
  }

  std::function<void(QDialog&)> action_;
  QTimer timer_;
  int rounds_ = 0;
  bool ran_ = false;
};

int TitleWidth(const QWidget& window, const QString& title) {
  QFont bold = window.font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(title);
}

TEST(QtDialogs, AMessageBoxIsWideEnoughForItsCaption) {
  struct Case {
    const char* caption;
    const char* shownTitle;  // with the program's name that Qt adds
  } const cases[] = {
      {"", "brannik"},
      {"Brannik HTML Browser verze 2.21: odkaz nelze otev\xF8\xEDt", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    int width = 0;
    int needed = 0;
    {
      NextModalDialog next([&](QDialog& box) {
        width = box.width();
        const QString title = box.windowTitle().isEmpty() ? QString::fromUtf8(c.shownTitle) : box.windowTitle();
        needed = TitleWidth(box, title);
      });
      cl::MessageBox("x", c.caption, cl::MB_OK | cl::MB_ICONERROR);
    }
    EXPECT_GT(needed, 0);
    EXPECT_GE(width, needed);
  }
}

TEST(QtDialogs, MessageBoxesAndFileDialogsSpeakCzech) {
  std::vector<std::string> buttons;
  auto collect = [&](QDialog& dialog) {
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
      if (button->isVisible()) buttons.push_back(button->text().toStdString());
  };
  {
    NextModalDialog next(collect);
    cl::MessageBox("Ot\xE1zka", "", cl::MB_YESNOCANCEL | cl::MB_ICONQUESTION);
  }
  EXPECT_EQ(buttons, (std::vector<std::string>{"&Ano", "&Ne", "Zru\xC5\xA1it"}));

  const t::TempDirectory folder;
  // The working directory holds the name in other letters.
  const t::TempDirectory elsewhere;
  elsewhere.Write("DOKUMENT.HTM", "");
  struct InFolder {
    const std::filesystem::path before = std::filesystem::current_path();
    explicit InFolder(const std::filesystem::path& path) { std::filesystem::current_path(path); }
    ~InFolder() { std::filesystem::current_path(before); }
  } const inElsewhere(elsewhere.Path());
  cl::TSaveDialog save;
  save.InitialDir = folder.Path().string();
  save.FileName = "dokument.htm";
  std::string shownFolder, shownFile, accept;
  {
    NextModalDialog next([&](QDialog& dialog) {
      auto& files = static_cast<QFileDialog&>(dialog);
      shownFolder = files.directory().absolutePath().toStdString();
      shownFile = files.selectedFiles().value(0).toStdString();
      for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty()) accept += button->text().toStdString() + "|";
    });
    EXPECT_FALSE(save.Execute());
  }
  // The dialog opens in the folder it was given, with the name given, whatever
  // the working directory.
  EXPECT_EQ(shownFolder, folder.Path().string());
  EXPECT_EQ(shownFile, folder / "dokument.htm");
  EXPECT_EQ(accept.find("Save"), std::string::npos) << accept;
  EXPECT_EQ(accept.find("Cancel"), std::string::npos) << accept;
}

TEST(QtDialogs, WithoutAQueueThePrintDialogOffersAPdfFileNamedAfterTheDocument) {
  if (QPrinterInfo::availablePrinterNames().size() > 0) GTEST_SKIP() << "this machine has print queues";
  const t::TempDirectory elsewhere;
  struct InFolder {
    const std::filesystem::path before = std::filesystem::current_path();
    explicit InFolder(const std::filesystem::path& path) { std::filesystem::current_path(path); }
    ~InFolder() { std::filesystem::current_path(before); }
  } const inElsewhere(elsewhere.Path());
  cl::Printer().SetOutputFileName("");
  cl::Printer().Title = "Cen\xedk";
  std::vector<std::string> names;
  cl::TPrintDialog print;
  {
    NextModalDialog next([&](QDialog& dialog) {
      for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) names.push_back(edit->text().toStdString());
    });
    EXPECT_FALSE(print.Execute());
  }
  const std::string offered = (elsewhere.Path() / "Cen\xc3\xadk.pdf").string();
  EXPECT_NE(std::find(names.begin(), names.end(), offered), names.end()) << ::testing::PrintToString(names);
  EXPECT_EQ(cl::Printer().OutputFileName(), offered);
  // The next document's title gives the next name, as long as the user named none.
  cl::Printer().Title = "Jin\xfd";
  {
    NextModalDialog next([](QDialog&) {});
    EXPECT_FALSE(print.Execute());
  }
  EXPECT_EQ(cl::Printer().OutputFileName(), (elsewhere.Path() / "Jin\xc3\xbd.pdf").string());
  cl::Printer().SetOutputFileName("");
}

}  // namespace
