#include "html/document/html_common.h"

#include <charconv>

#include "platform/core/blank_trim.h"

namespace html {

std::string TrimBlanks(std::string_view s) { return std::string(cl::Trim(s)); }

std::int32_t IntValueOf(std::string_view s) {
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return 0;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return 0;
  return value;
}

std::unique_ptr<AllocRec> AllocBlock(std::int32_t size) {
  auto block = std::make_unique<AllocRec>();
  block->BlockSize = size > 0 ? size : 0;
  block->Memory = std::make_unique<char[]>(static_cast<std::size_t>(block->BlockSize));
  return block;
}

}  // namespace html
