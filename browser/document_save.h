#pragma once

#include <string_view>

namespace brw {

// Saves a byte copy of the document's source file as target. The target is
// replaced only by a complete copy: the bytes go to a new file beside it,
// which then takes its name. Refused (false, target untouched) when there is
// no source, it cannot be read, or target is the source file itself.
bool SaveDocumentCopy(std::string_view source, std::string_view target);

}  // namespace brw
