#include "platform/core/profile_text.h"

#include <vector>

#include "platform/core/ansi_case.h"
#include "platform/core/blank_trim.h"

namespace win {
namespace {

constexpr std::string_view Blanks = " \t";

bool SameText(std::string_view a, std::string_view b) { return cl::AnsiCompareText(a, b) == 0; }

// One line of the text as the profile sees it.
struct Line {
  enum class Kind { Other, Section, Key } kind = Kind::Other;
  std::string_view name;   // section name or key
  std::string_view value;  // trimmed, quotes kept
};

Line Classify(std::string_view raw) {
  const std::string_view t = cl::TrimOf(raw, Blanks);
  if (t.empty() || t[0] == ';') return {};
  if (t[0] == '[') {
    const auto close = t.find(']');
    return {Line::Kind::Section, cl::TrimOf(t.substr(1, close == std::string_view::npos ? close : close - 1), Blanks),
            {}};
  }
  const auto equals = t.find('=');
  if (equals == std::string_view::npos) return {};
  return {Line::Kind::Key, cl::TrimOf(t.substr(0, equals), Blanks), cl::TrimOf(t.substr(equals + 1), Blanks)};
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// One line of the text: what the profile reads, and the end that followed it
// (a last line may end in a CR alone or in nothing). A CR before a line's LF
// belongs to the end; content and end together are the line's bytes.
struct RawLine {
  std::string_view content;
  std::string_view end;
};

std::vector<RawLine> SplitLines(std::string_view text) {
  std::vector<RawLine> lines;
  while (!text.empty()) {
    const auto lf = text.find('\n');
    const std::string_view whole = text.substr(0, lf == std::string_view::npos ? lf : lf + 1);
    std::string_view content = whole.substr(0, lf);
    if (content.ends_with('\r')) content.remove_suffix(1);
    lines.push_back({content, whole.substr(content.size())});
    text.remove_prefix(whole.size());
  }
  return lines;
}

// Where the first section of that name begins (the line after its header)
// and ends (its last line that is no blank or comment, plus one).
struct SectionRange {
  std::size_t body = 0;
  std::size_t end = 0;
  bool found = false;
};

SectionRange FindSection(const std::vector<RawLine>& lines, std::string_view section) {
  SectionRange range;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line line = Classify(lines[i].content);
    if (line.kind != Line::Kind::Section) continue;
    if (range.found) break;
    if (!SameText(line.name, section)) continue;
    range = {i + 1, i + 1, true};
  }
  if (!range.found) return range;
  for (std::size_t i = range.body; i < lines.size(); ++i) {
    const Line line = Classify(lines[i].content);
    if (line.kind == Line::Kind::Section) break;
    if (line.kind == Line::Kind::Key) range.end = i + 1;
  }
  return range;
}

}  // namespace

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  const auto lines = SplitLines(text);
  const SectionRange range = FindSection(lines, section);
  if (!range.found) return std::nullopt;
  for (std::size_t i = range.body; i < range.end; ++i) {
    const Line line = Classify(lines[i].content);
    if (line.kind == Line::Kind::Key && SameText(line.name, key)) return Unquoted(line.value);
  }
  return std::nullopt;
}

std::string WithProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value) {
  const std::string_view lineEnd = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  const auto lines = SplitLines(text);
  const SectionRange range = FindSection(lines, section);

  // Every line keeps its bytes, its end included, so each reads back as it
  // did; only the replaced key line and the inserted lines are new.
  std::string result;
  result.reserve(text.size() + section.size() + key.size() + value.size() + 8);
  auto copyLines = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) result.append(lines[i].content).append(lines[i].end);
  };
  // Before a new line: a last line without LF gets one; a CR it ended with
  // already reads as part of its end.
  auto addLine = [&](std::string_view content) {
    if (!result.empty() && !result.ends_with('\n')) result.append(result.ends_with('\r') ? "\n" : lineEnd);
    result.append(content).append(lineEnd);
  };
  const std::string newLine = std::string(key) + "=" + std::string(value);

  if (!range.found) {
    copyLines(0, lines.size());
    addLine("[" + std::string(section) + "]");
    addLine(newLine);
    return result;
  }
  for (std::size_t i = range.body; i < range.end; ++i) {
    const Line line = Classify(lines[i].content);
    if (line.kind != Line::Kind::Key || !SameText(line.name, key)) continue;
    copyLines(0, i);
    // The key keeps the spelling the file gave it.
    result.append(line.name).append("=").append(value).append(lines[i].end);
    copyLines(i + 1, lines.size());
    return result;
  }
  copyLines(0, range.end);
  addLine(newLine);
  copyLines(range.end, lines.size());
  return result;
}

}  // namespace win
