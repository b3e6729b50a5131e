#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace brw {

// A link that names a program (".EXE"), which the browser starts instead of
// letting the viewer follow it.
struct TExeLink {
  std::string Program;     // the expanded file name, at most 255 characters
  std::string Parameters;  // the text after the first blank, else after the first "?"
};

// The program a clicked link names, or nullopt when the viewer follows the
// link itself: a link with a scheme other than "file:" (a colon at the third
// character or later; a drive letter's does not count), or a file that is no
// ".EXE". expandLinkFileName expands the link's file part as the frame viewer
// does against the current document.
std::optional<TExeLink> ExeLinkTarget(std::string_view url,
                                      const std::function<std::string(std::string_view)>& expandLinkFileName);

}  // namespace brw
