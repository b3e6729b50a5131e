#pragma once

#include <string>

namespace html {

class TCell;
class TSectionBase;

// A readable dump of a laid-out document for tests: each section with its
// kind, level, alignment, text (marks as [img] and [ctl]), font runs, and
// lines with their extents.
// The section's class name, without the component's namespace.
std::string SectionKind(const TSectionBase& section);
std::string DumpDocument(const TCell& cell);
std::string DumpSection(const TSectionBase& section);
// Only the lines of a text section: "start+ln@indent" separated by blanks.
std::string DumpLines(const TSectionBase& section);

}  // namespace html
