// The browser: shows local HTML, image and text files in one window.
#include <memory>
#include <string>
#include <vector>

#include "browser/browser_form.h"
#include "platform/core/cp1250.h"
#include "platform/core/places.h"
#include "platform/gui/application.h"

int main(int argc, char** argv) {
  cl::EnsureQtApplication();
  // The system's names are code page 1250; the command line is UTF-8.
  std::vector<std::string> arguments{win::GetModuleFileName()};
  for (int i = 1; i < argc; ++i) arguments.push_back(win::Utf8ToCp1250(argv[i]).value_or(argv[i]));
  auto form = std::make_unique<brw::TBrowserForm>(nullptr, std::move(arguments));
  cl::Application().SetMainForm(form.get());
  form->Show();
  const int result = cl::Application().Run();
  form.reset();
  return result;
}
