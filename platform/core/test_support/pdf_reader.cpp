#include "platform/core/test_support/pdf_reader.h"

#include <array>
#include <cstdio>
#include <memory>

namespace cl::testing {
namespace {

std::string Quoted(const std::string& path) {
  std::string quoted = "'";
  for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string CommandOutput(const std::string& command) {
  std::string output;
  const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return output;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()) != nullptr) output += buffer.data();
  return output;
}

}  // namespace

std::string PdfInfo(const std::string& pdf) { return CommandOutput("pdfinfo " + Quoted(pdf) + " 2>&1"); }

int PdfPageCount(const std::string& pdf) {
  const std::string info = PdfInfo(pdf);
  const std::size_t pages = info.find("Pages:");
  return pages == std::string::npos ? -1 : std::stoi(info.substr(pages + 6));
}

std::string PdfText(const std::string& pdf, int page) {
  const std::string range = page > 0 ? "-f " + std::to_string(page) + " -l " + std::to_string(page) + " " : "";
  return CommandOutput("pdftotext " + range + Quoted(pdf) + " - 2>&1");
}

}  // namespace cl::testing
