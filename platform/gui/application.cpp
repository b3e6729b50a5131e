#include "platform/gui/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>

#include "platform/core/exception.h"
#include "platform/core/message_hooks.h"
#include "platform/core/places.h"
#include "platform/gui/common_dialogs.h"
#include "platform/gui/handler_guard.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/timer.h"
#include "platform/gui/window_system.h"

namespace cl {

namespace {

// Qt keeps references to argc and argv for the application's whole life.
int qtArgc = 1;
char qtProgramName[] = "brannik";
char* qtArgv[] = {qtProgramName, nullptr};

}  // namespace

void EnsureQtApplication() {
  static const bool hooked = [] {
    // The kernel layer's message pump and beep work through Qt from now on.
    win::SetMessagePumpHook([] {
      if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
    });
    win::SetBeepHook([] {
      if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
    });
    return true;
  }();
  (void)hooked;
  if (QCoreApplication* const existing = QCoreApplication::instance()) {
    // A console program's application object shows no windows, and Qt ends
    // the process at the first one; the caller is told instead.
    if (qobject_cast<QApplication*>(existing) == nullptr)
      throw Exception("The program's Qt application shows no windows");
    return;
  }
  // Qt ends the whole process when its window system does not answer; the
  // caller is told instead, so that a program without a display gets an
  // answer.
  if (!WindowSystemReachable(CurrentWindowSystemEnvironment(), RunningDisplayServers()))
    throw Exception("No window system to show windows on");
  // Never destroyed: Qt's application object must outlive every static
  // destructor that may still hold fonts or pixmaps.
  static QApplication* const ownApplication = new QApplication(qtArgc, qtArgv);
  (void)ownApplication;
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  // The program speaks Czech whatever the desktop's language: Qt's own
  // dialogs (files, printing, message-box buttons) take Qt's Czech texts.
  // A missing translation leaves them English.
  auto* const czech = new QTranslator(ownApplication);
  if (czech->load(QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(czech);
  }
  // Windows hide rather than close (the layer decides when the program ends).
  QApplication::setQuitOnLastWindowClosed(false);
}

TApplication& Application() {
  static TApplication application;
  return application;
}

void TApplication::Terminate() {
  terminated_ = true;
  if (QCoreApplication::instance() != nullptr) QCoreApplication::quit();
}

void TApplication::ProcessMessages() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
  FireDueTimers();
  FreeReleased();
}

void TApplication::ProcessMessagesExceptInput() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  FireDueTimers();
  FreeReleased();
}

std::string TApplication::Title() const {
  std::string name = win::GetModuleFileName();
  name.erase(0, name.find_last_of("\\/") + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

void TApplication::HandleException(const std::exception& error) {
  // The silent abort ends an operation and is never shown.
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return;
  if (exceptionHandler_) {
    exceptionHandler_(error);
    return;
  }
  const auto* own = dynamic_cast<const Exception*>(&error);
  const std::string text = own != nullptr ? own->Message() : error.what();
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return;
  // The error box goes through the dialog seam, so a test's script sees it;
  // on the offscreen platform without a script the text goes to stderr.
  if (DialogSeamInstalled() || (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
                                QGuiApplication::platformName() != "offscreen")) {
    MessageBox(text, Title(), MB_OK | MB_ICONERROR);
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

void TApplication::SetExceptionHandler(std::function<void(const std::exception&)> handler) {
  exceptionHandler_ = std::move(handler);
}

int TApplication::Run() {
  EnsureQtApplication();
  if (terminated_) return 0;
  return QApplication::exec();
}

}  // namespace cl

// Fontconfig keeps its caches until the process ends; the leak checker of the
// sanitizer builds is told so. Default visibility lets the checker find it.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  // Qt's weak pointers to windows freed under the application object, which
  // is never destroyed, keep their 16-byte counters until the process ends.
  // On an X server Qt's session bus connection keeps its buffers likewise.
  return "leak:libfontconfig.so\nleak:QtSharedPointer::ExternalRefCountData::getAndRef\nleak:libdbus-1.so\n";
}
