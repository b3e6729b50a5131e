#pragma once

#include <string>
#include <string_view>

namespace html {

// The document a frame shows when its file cannot be loaded: the picture
// for an unavailable image, then "Can't load " and the name, at most 255
// characters. The name is escaped, so it shows as written.
std::string FrameErrorDocument(std::string_view fileName);

}  // namespace html
