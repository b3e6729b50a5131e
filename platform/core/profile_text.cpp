#include "platform/core/profile_text.h"

#include <vector>

#include "platform/core/ansi_case.h"

namespace win {
namespace {

constexpr std::string_view Blanks = " \t";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(Blanks) - first + 1);
}

bool SameText(std::string_view a, std::string_view b) { return cl::AnsiCompareText(a, b) == 0; }

// One line of the text as the profile sees it.
struct Line {
  enum class Kind { Other, Section, Key } kind = Kind::Other;
  std::string_view name;   // section name or key
  std::string_view value;  // trimmed, quotes kept
};

Line Classify(std::string_view raw) {
  const std::string_view t = Trim(raw);
  if (t.empty() || t[0] == ';') return {};
  if (t[0] == '[') {
    const auto close = t.find(']');
    return {Line::Kind::Section, Trim(t.substr(1, close == std::string_view::npos ? close : close - 1)),
            {}};
  }
  const auto equals = t.find('=');
  if (equals == std::string_view::npos) return {};
  return {Line::Kind::Key, Trim(t.substr(0, equals)), Trim(t.substr(equals + 1))};
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// The lines without their ends; a CR before a line end belongs to the end.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
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

SectionRange FindSection(const std::vector<std::string_view>& lines, std::string_view section) {
  SectionRange range;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line line = Classify(lines[i]);
    if (line.kind != Line::Kind::Section) continue;
    if (range.found) break;
    if (!SameText(line.name, section)) continue;
    range = {i + 1, i + 1, true};
  }
  if (!range.found) return range;
  for (std::size_t i = range.body; i < lines.size(); ++i) {
    const Line line = Classify(lines[i]);
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
    const Line line = Classify(lines[i]);
    if (line.kind == Line::Kind::Key && SameText(line.name, key)) return Unquoted(line.value);
  }
  return std::nullopt;
}

std::string WithProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value) {
  const std::string_view lineEnd = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  const auto lines = SplitLines(text);
  const std::string newLine = std::string(key) + "=" + std::string(value);
  std::string replacement;  // out holds views of it

  std::vector<std::string_view> out(lines.begin(), lines.end());
  const SectionRange range = FindSection(lines, section);
  const std::string header = "[" + std::string(section) + "]";
  if (!range.found) {
    out.push_back(header);
    out.push_back(newLine);
  } else {
    bool replaced = false;
    for (std::size_t i = range.body; i < range.end && !replaced; ++i) {
      const Line line = Classify(lines[i]);
      if (line.kind == Line::Kind::Key && SameText(line.name, key)) {
        // The key keeps the spelling the file gave it.
        replacement = std::string(line.name) + "=" + std::string(value);
        out[i] = replacement;
        replaced = true;
      }
    }
    if (!replaced) out.insert(out.begin() + static_cast<std::ptrdiff_t>(range.end), newLine);
  }

  std::string result;
  for (const std::string_view line : out) result.append(line).append(lineEnd);
  return result;
}

}  // namespace win
