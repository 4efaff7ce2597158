#include "core/setup_config.h"

#include "core/lines.h"

SetupConfig ParseSetupConfig(const std::string& bytes) {
  std::vector<std::string> lines = FirstLines(bytes, 10);
  return {lines[0], lines[1], lines[2], lines[3], lines[4],
          lines[5], lines[6], lines[7], lines[8], lines[9]};
}

std::string DefaultInstallPath(const std::string& windowsFolder,
                               const std::string& defaultFolderName) {
  return windowsFolder.substr(0, 1) + ":\\" + defaultFolderName;
}
