#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "html/parse/document_parser.h"
#include "html/viewer/doc_viewer.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/form.h"
#include "platform/gui/test_support/gui_test.h"

namespace html {

// A shown viewer on the real parser, loading documents the test writes.
class PrintFixture : public ::testing::Test {
 protected:
  explicit PrintFixture(cl::FontEngineKind kind) : engine(kind) {}

  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetBounds(10, 10, 400, 300);
    viewer = cl::Make<TDocViewer>(*form);
    viewer->SetParent(form.get());
    viewer->SetBounds(0, 0, 300, 200);
    viewer->Parser = ParseDocument;
    form->Show();
    cl::testing::ProcessEvents();
  }
  void TearDown() override {
    form.reset();
    cl::testing::ProcessEvents();
  }

  void Load(const std::string& html, const std::string& name = "doc.htm") {
    viewer->LoadFromFile(dir.Write(name, html));
    cl::testing::ProcessEvents();
  }
  // Paragraph lines "<prefix>0" .. "<prefix>n-1", one a line.
  static std::string Lines(int n, const std::string& prefix = "line") {
    std::string html = "<p>";
    for (int i = 0; i < n; ++i) html += prefix + std::to_string(i) + "<br>";
    return html + "</p>";
  }

  cl::ScopedFontEngine engine;
  const cl::testing::TempDirectory dir;
  std::unique_ptr<cl::TForm> form;
  TDocViewer* viewer = nullptr;
};

}  // namespace html
