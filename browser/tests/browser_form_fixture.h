#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "browser/browser_form.h"
#include "html/testing/viewer_fixture.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/test_support/gui_test.h"
#include "platform/gui/test_support/scripted_dialogs.h"

using namespace html;

// The main window on fixture documents (the line format of ParseLines),
// with a Windows directory of the test's own.
class BrowserFormTest : public ::testing::Test {
 protected:
  BrowserFormTest() {
    cl::testing::EnsureGuiTestApplication();
    if (const char* old = std::getenv("BRANNIK_WINDIR")) oldWindir_ = old;
    setenv("BRANNIK_WINDIR", windir_.Path().c_str(), 1);
    docs_.Write("index.htm", "#title Start page\nFirst line\nSecond line\n");
    docs_.Write("other.htm", "#title Other page\nOther text\n");
  }
  ~BrowserFormTest() override {
    form_.reset();
    cl::testing::ProcessEvents();
    if (oldWindir_)
      setenv("BRANNIK_WINDIR", oldWindir_->c_str(), 1);
    else
      unsetenv("BRANNIK_WINDIR");
  }

  // Makes and shows the window as the program does with these command-line
  // arguments; the program's file is in the fixture folder.
  brw::TBrowserForm& Start(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), Doc("browser"));
    form_ = std::make_unique<brw::TBrowserForm>(nullptr, std::move(arguments));
    form_->Viewer().DocumentParser = [this](const TParseRequest& request) {
      if (onParse_) onParse_(request);
      return ParseLines(request, &parses_);
    };
    form_->Show();
    cl::testing::ProcessEvents();
    return *form_;
  }
  void Stop() {
    form_.reset();
    cl::testing::ProcessEvents();
  }

  std::string Doc(const std::string& name) const { return docs_ / name; }
  // The inner viewer that has the focus (the only one of a plain document).
  TDocViewer& Active() {
    TDocViewer* const active = form_->Viewer().ActiveViewer();
    EXPECT_NE(active, nullptr);
    if (active == nullptr) throw std::runtime_error("no active viewer");
    return *active;
  }
  std::vector<bool> EnabledButtons() {
    std::vector<bool> enabled;
    for (int i = 0; i < brw::toolButtonCount; ++i)
      enabled.push_back(form_->Button(static_cast<brw::TToolButton>(i)).Enabled());
    return enabled;
  }
  std::vector<bool> EnabledItems() {
    std::vector<bool> enabled;
    for (int i = 0; i < brw::toolButtonCount; ++i)
      enabled.push_back(form_->MenuItem(static_cast<brw::TToolButton>(i)).Enabled());
    return enabled;
  }

  const cl::testing::TempDirectory windir_;
  const cl::testing::TempDirectory docs_;
  std::optional<std::string> oldWindir_;
  std::vector<std::string> parses_;
  // Called as each document is parsed, while the viewer loads it.
  std::function<void(const TParseRequest&)> onParse_;
  std::unique_ptr<brw::TBrowserForm> form_;
};
