#include "dialogs/disk.h"

#include "platform/core/blank_trim.h"
#include "platform/core/environment.h"
#include "platform/core/file_names.h"
#include "platform/core/file_system.h"
#include "platform/core/places.h"
#include "utility/path_names.h"

namespace dlg {
namespace {

// Directories and BKU lose blanks alone at their ends.
constexpr std::string_view Blanks = " ";

bool EndsWithSeparator(std::string_view path) { return !path.empty() && utl::IsSeparator(path.back()); }

std::string WithSeparator(std::string path) {
  if (!EndsWithSeparator(path)) path += '/';
  return path;
}

// The directory's last component, when it is BIN in any case.
bool IsBinDirectory(std::string_view directory) {
  if (directory.size() < 4) return false;
  const auto tail = directory.substr(directory.size() - 4);
  return utl::IsSeparator(tail[3]) && win::SameNameIgnoringCase(tail.substr(0, 3), "BIN") &&
         (directory.size() == 4 || utl::IsSeparator(directory[directory.size() - 5]));
}

}  // namespace

tDisk::tDisk(std::string_view programDirectory, std::string_view currentDirectory,
             std::string_view windowsDirectory, const std::optional<std::string>& bku,
             std::string_view programName)
    // The header file is named by the program's name part as a path split
    // gives it: at most 12 characters.
    : programName_(programName.substr(0, 12)) {
  std::string directory(cl::TrimOf(programDirectory, Blanks));
  if (directory.empty()) directory = std::string(cl::TrimOf(currentDirectory, Blanks));
  if (!directory.empty()) directory = WithSeparator(directory);
  if (IsBinDirectory(directory))
    base_ = directory.substr(0, directory.size() - 4);
  else
    base_ = WithSeparator(std::string(windowsDirectory));
  // BKU is used as it stands save for the blanks; a missing separator is
  // added so that file names never run into the directory's last component.
  const std::string fromEnvironment = bku ? std::string(cl::TrimOf(*bku, Blanks)) : std::string();
  configDir_ = fromEnvironment.empty() ? base_ + "CFG/" : WithSeparator(fromEnvironment);
}

tDisk tDisk::FromSystem() {
  const std::string program = win::GetModuleFileName();
  const utl::PathParts parts = utl::SplitPath(program);
  const std::string current = win::GetCurrentDirectory().value_or(std::string());
  return tDisk(parts.directory, current, win::GetWindowsDirectory(),
               win::GetEnvironmentVariable("BKU"), parts.name);
}

std::string tDisk::ListDir() const { return base_ + "LST/"; }

std::string tDisk::StatesListFile() const { return ListDir() + "states.lst"; }

std::string tDisk::AreaListFile(std::string_view country) const {
  std::string code(cl::TrimOf(country, Blanks));
  if (!code.empty() && code.front() == '+') code.erase(0, 1);
  return ListDir() + "tto" + code + ".lst";
}

std::string tDisk::StationListBase() const { return ListDir() + "BKlst"; }

std::string tDisk::HeaderWidthsFile() const { return configDir_ + programName_ + ".hdr"; }

std::string tDisk::ConfigFile(std::string_view fileName) const { return configDir_ + std::string(fileName); }

const tDisk& GlobalDisk() {
  static const tDisk disk = tDisk::FromSystem();
  return disk;
}

}  // namespace dlg
