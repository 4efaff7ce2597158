// REG.CFG as the installer reads it at start-up: the ten settings and the names it accepts.
#include "core/names.h"
#include "core/setup_config.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const SetupConfig config = ParseSetupConfig(bytes);
  FUZZ_EXPECT(config.Title1.size() + config.ProgramName.size() + config.LocaleMode.size() <= size);
  DefaultInstallPath("C:\\WINDOWS", config.DefaultFolderName);
  DefaultInstallPath(config.Title1, config.DefaultFolderName);
  if (IsValidProgramName(config.ProgramName)) {
    // A name the installer accepts makes a key one level below the list of programs.
    FUZZ_EXPECT(!IsUninstallKeyOrAbove(UninstallKey(config.ProgramName)));
    FUZZ_EXPECT(config.ProgramName.find_first_of(std::string("\\/:\0", 4)) == std::string::npos);
  }
  const std::string link = LinkFileName(config.ShortcutName);
  FUZZ_EXPECT(link.find_first_of("\\/:") == std::string::npos);
  IsValidShortcutName(config.ShortcutName);
  GroupFolder(config.Title2, config.MenuGroup);
  return 0;
}
