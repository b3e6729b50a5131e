#include "suite/branlst/station_lists.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/core/file_names.h"

namespace {

constexpr std::uint16_t maxCode = 999;
constexpr std::uintmax_t maxListBytes = 16u << 20;  // far beyond any list

std::string FileName(std::uint16_t code) {
  char extension[8];
  std::snprintf(extension, sizeof extension, ".%03u", static_cast<unsigned>(code));
  return ListDirectory() + "BKlst" + extension;
}

std::optional<std::string> ReadFile(const std::string& systemName) {
  const auto native = win::NativeName(systemName);
  if (!native) return std::nullopt;
  std::error_code error;
  const auto size = std::filesystem::file_size(*native, error);
  if (error || size > maxListBytes) return std::nullopt;
  std::ifstream in(*native, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace

std::shared_ptr<const StationList> StationLists::List(std::uint16_t code) {
  if (code > maxCode) return nullptr;
  const std::lock_guard lock(mutex_);
  const auto found = lists_.find(code);
  if (found != lists_.end()) return found->second;
  const auto text = ReadFile(FileName(code));
  std::optional<StationList> parsed = text ? ParseStationList(*text) : std::nullopt;
  auto list = parsed ? std::make_shared<const StationList>(std::move(*parsed)) : nullptr;
  lists_.emplace(code, list);
  return list;
}

std::vector<std::uint16_t> StationLists::Codes() const {
  std::vector<std::uint16_t> codes;
  const auto native = win::NativeName(ListDirectory());
  if (!native) return codes;
  std::error_code error;
  for (std::filesystem::directory_iterator it(*native, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() != 9 || !win::SameNameIgnoringCase(name.substr(0, 6), "BKlst.")) continue;
    if (!std::all_of(name.begin() + 6, name.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    codes.push_back(static_cast<std::uint16_t>(std::stoi(name.substr(6))));
  }
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  return codes;
}

void StationLists::Forget() {
  const std::lock_guard lock(mutex_);
  lists_.clear();
}

StationLists& LoadedStationLists() {
  static StationLists lists;
  return lists;
}
