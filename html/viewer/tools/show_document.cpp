// Shows one document file in a window: show_document [--quit] FILE
// With --quit it lays the document out, paints it once, prints what it
// shows and ends (the tests run it so on the offscreen platform).
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "html/viewer/doc_viewer.h"
#include "html/viewer/paint_panel.h"
#include "platform/gui/application.h"
#include "platform/gui/form.h"

using namespace html;

int main(int argc, char** argv) {
  bool quit = false;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quit") == 0) {
      quit = true;
    } else {
      file = argv[i];
    }
  }
  if (file.empty()) {
    std::fprintf(stderr, "usage: show_document [--quit] FILE\n");
    return 2;
  }
  cl::EnsureQtApplication();
  cl::TForm form(nullptr);
  form.SetBounds(40, 40, 640, 480);
  TDocViewer& viewer = *cl::Make<TDocViewer>(form);
  viewer.SetParent(&form);
  viewer.SetAlign(cl::alClient);
  viewer.SetViewImages(true);
  try {
    if (file.size() > 4 && (file.ends_with(".txt") || file.ends_with(".TXT"))) {
      viewer.LoadTextFile(file);
    } else {
      viewer.LoadFromFile(file);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  form.SetCaption(viewer.DocumentTitle().empty() ? viewer.CurrentFile() : viewer.DocumentTitle());
  form.Show();
  if (quit) {
    cl::Application().ProcessMessages();
    viewer.PaintPanel().Repaint();
    std::printf("title: %s\nfile: %s\nheight: %d\n", viewer.DocumentTitle().c_str(), viewer.CurrentFile().c_str(),
                viewer.DocHeight());
    return 0;
  }
  cl::Application().SetMainForm(&form);
  return cl::Application().Run();
}
