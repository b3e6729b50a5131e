#include "html/frames/frame_source.h"

#include "html/document/url_path.h"
#include "platform/core/ending_file.h"
#include "platform/core/ansi_case.h"
#include "platform/core/blank_trim.h"
#include "utility/path_names.h"
#include "utility/same_text.h"

namespace html {

namespace {

// From the last "." of the last name component, lower-cased and cut to 5.
std::string ExtensionOf(std::string_view name) {
  const std::size_t nameStart = name.find_last_of("\\/:");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (nameStart != std::string_view::npos && dot < nameStart)) return {};
  return cl::AnsiLowerCase(name.substr(dot, 5));
}

bool IsSeparatorChar(char ch) { return ch == '\\' || ch == '/'; }

}  // namespace

TSplitLink SplitAnchor(std::string_view link) {
  const std::size_t hash = link.find('#');
  if (hash == std::string_view::npos) return {std::string(link), {}};
  return {std::string(link.substr(0, hash)), std::string(link.substr(hash))};
}

bool IsImageFileName(std::string_view name) {
  const std::string ext = ExtensionOf(name);
  return ext == ".gif" || ext == ".jpg" || ext == ".jpeg" || ext == ".bmp" || ext == ".png";
}

bool IsTextFileName(std::string_view name) { return ExtensionOf(name) == ".txt"; }

std::string ExpandDocumentLink(std::string_view link, const TLinkContext& context) {
  std::string path = UrlToPathWithRoot(cl::Trim(link), context.ServerRoot);
  if (path.find(':') != std::string::npos || path.empty() || IsSeparatorChar(path.front())) return path;
  if (!context.BaseHref.empty()) {
    if (utl::SameText(context.BaseHref, "DosPath")) return utl::FEXPAND(path);
    return utl::DIRNAME(UrlToPath(context.BaseHref)) + path;
  }
  return context.Folder + path;
}

bool SameFileName(std::string_view a, std::string_view b) { return a == b; }

bool DocumentFileExists(const std::string& name) { return win::IsEndingFile(name); }

}  // namespace html
