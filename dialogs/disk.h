#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dlg {

// Where the suite keeps its files: the programs in BIN, configuration in CFG
// and lists in LST, side by side under one base directory. Names are the
// system's (code page 1250); every open resolves them without regard to case,
// so no component is upper-cased here.
class tDisk {
 public:
  // programDirectory: the running program's directory; currentDirectory is
  // taken when it is empty; windowsDirectory serves when neither is a BIN
  // directory; bku: the value of BKU, nullopt when unset.
  tDisk(std::string_view programDirectory, std::string_view currentDirectory,
        std::string_view windowsDirectory, const std::optional<std::string>& bku,
        std::string_view programName);

  // From the running process: its file, the current directory, the Windows
  // directory and BKU.
  static tDisk FromSystem();

  const std::string& Base() const noexcept { return base_; }
  const std::string& ConfigDirName() const noexcept { return configDir_; }
  std::string ListDir() const;
  std::string StatesListFile() const;
  std::string AreaListFile(std::string_view country) const;
  std::string StationListBase() const;
  std::string HeaderWidthsFile() const;
  // A phone book of the configuration directory.
  std::string ConfigFile(std::string_view fileName) const;

 private:
  std::string base_;       // ends with a separator
  std::string configDir_;  // ends with a separator
  std::string programName_;
};

// The one layout of the loaded library, worked out on first use.
const tDisk& GlobalDisk();

}  // namespace dlg
