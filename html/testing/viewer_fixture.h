#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "html/viewer/doc_viewer.h"
#include "html/document/my_font.h"
#include "html/viewer/paint_panel.h"
#include "html/viewer/scroll_bar_32.h"
#include "html/document/text_section.h"
#include "platform/core/memory_stream.h"
#include "platform/core/string_list.h"
#include "platform/core/test_support/temp_directory.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/font_engine.h"
#include "platform/gui/screen.h"
#include "platform/gui/form.h"
#include "platform/gui/test_support/gui_test.h"

namespace html {

// A section of a fixed height and no text.
class SpacerSection : public TSectionBase {
 public:
  explicit SpacerSection(int32_t height, int32_t width = 0) : height_(height), width_(width) {}
  TLayoutResult Layout(cl::TCanvas&, int32_t, IndentManager&, int32_t curs) override {
    FlowHeight = PaintHeight = height_;
    return {height_, width_, curs};
  }

 private:
  int32_t height_;
  int32_t width_;
};

// A stand-in for the parser that reads a line format: "#title T",
// "#base B", "#target T" (the BASE target), "#anchor NAME" (the next
// section), "#meta HTTPEQ|CONTENT", "#link URL|text[|target]" (a linked section), "#spacer H", "#wide W" (a line W
// pixels wide), "#fail" (raises after
// what came before); every other line is a paragraph.
inline TParseResult ParseLines(const TParseRequest& request, std::vector<std::string>* log = nullptr) {
  std::string text;
  switch (request.Source) {
    case TParseRequest::FromFile: {
      std::ifstream in(request.FileName, std::ios::binary);
      std::stringstream s;
      s << in.rdbuf();
      text = s.str();
      break;
    }
    case TParseRequest::FromBuffer: text = std::string(request.Buffer); break;
    case TParseRequest::FromStream: {
      std::vector<char> bytes(static_cast<size_t>(request.Stream->Size()));
      request.Stream->SetPosition(0);
      if (!bytes.empty()) request.Stream->ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
      text.assign(bytes.begin(), bytes.end());
      break;
    }
    case TParseRequest::FromStrings: text = request.Strings->Text(); break;
  }
  if (log) log->push_back((request.Kind == ftText ? "text:" : "html:") + std::to_string(request.Source));
  TParseResult result;
  TSectionList& document = *request.Document;
  std::istringstream lines(text);
  std::string line;
  auto font = [&] {
    auto f = std::make_unique<TMyFont>();
    f->UpdateFont(document, document.DefaultTextColor);
    f->SetRelSize(document, 12);
    return f;
  };
  std::vector<std::pair<std::string, int>> anchors;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto arg = [&](size_t n) { return line.size() > n ? line.substr(n) : std::string(); };
    if (line.rfind("#title ", 0) == 0) {
      result.Title = arg(7);
    } else if (line.rfind("#base ", 0) == 0) {
      result.Base = arg(6);
    } else if (line.rfind("#target ", 0) == 0) {
      result.BaseTarget = arg(8);
    } else if (line.rfind("#anchor ", 0) == 0) {
      std::string name = arg(8);
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      anchors.emplace_back(name, document.Count());
    } else if (line.rfind("#meta ", 0) == 0) {
      const std::string rest = arg(6);
      const auto bar = rest.find('|');
      if (request.OnMeta) request.OnMeta(rest.substr(0, bar), "", rest.substr(bar + 1));
    } else if (line.rfind("#link ", 0) == 0) {
      const std::string rest = arg(6);
      const auto bar = rest.find('|');
      const auto second = rest.find('|', bar + 1);
      const TUrlTarget link(rest.substr(0, bar), second == std::string::npos ? "" : rest.substr(second + 1));
      auto section = std::make_unique<TSection>(0, Justification::Left, &link, *font());
      section->AppendText(rest.substr(bar + 1, second == std::string::npos ? std::string::npos : second - bar - 1));
      document.AddSection(std::move(section));
    } else if (line.rfind("#spacer ", 0) == 0) {
      document.AddSection(std::make_unique<SpacerSection>(std::stoi(arg(8))));
    } else if (line.rfind("#wide ", 0) == 0) {
      document.AddSection(std::make_unique<SpacerSection>(16, std::stoi(arg(6))));
    } else if (line == "#fail") {
      throw cl::Exception("parse failed");
    } else {
      auto section = std::make_unique<TSection>(0, Justification::Left, nullptr, *font());
      section->AppendText(line);
      document.AddSection(std::move(section));
    }
  }
  // As the parser does: each anchor names the section that follows it.
  for (const auto& [name, index] : anchors)
    if (index < document.Count()) request.NameList->AddObject(name, document[index]);
  return result;
}

// A shown form with a 300 x 200 viewer on the fixed-pitch font engine (8 x 16
// pixel characters), its loads going through ParseLines.
class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetBounds(10, 10, 400, 300);
    viewer = cl::Make<TDocViewer>(*form);
    viewer->SetParent(form.get());
    viewer->SetBounds(0, 0, 300, 200);
    viewer->Parser = [this](const TParseRequest& request) { return ParseLines(request, &parses); };
    form->Show();
    cl::testing::ProcessEvents();
  }
  void TearDown() override {
    form.reset();
    cl::testing::ProcessEvents();
  }

  std::string Write(const std::string& name, const std::string& text) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }
  void LoadText(const std::string& text) {
    cl::TStringList lines;
    lines.SetText(text);
    viewer->LoadStrings(lines);
    cl::testing::ProcessEvents();
  }
  static std::string Lines(int n, const std::string& prefix = "line") {
    std::string text;
    for (int i = 0; i < n; ++i) text += prefix + std::to_string(i) + "\n";
    return text;
  }
  // Panel coordinates of character column/row of the document's text.
  int PanelX(int column) const { return viewer->MarginWidth() + column * 8 + 2; }
  int PanelY(int row) const { return viewer->MarginHeight() + row * 16 + 8 - viewer->VScrollBarPosition(); }

  cl::ScopedFontEngine engine{cl::FontEngineKind::FixedPitch};
  const cl::testing::TempDirectory temp;
  const std::filesystem::path dir = temp.Path();
  std::unique_ptr<cl::TForm> form;
  TDocViewer* viewer = nullptr;
  std::vector<std::string> parses;
};

}  // namespace html
