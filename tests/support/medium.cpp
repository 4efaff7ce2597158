#include "tests/support/medium.h"

#include "tests/support/driver.h"

namespace e2e {

std::string RegCfgText(const MediumSettings& s) {
  std::string text;
  for (const std::string* line :
       {&s.title1, &s.title2, &s.sourceFolder, &s.defaultFolderName, &s.programName,
        &s.shortcutName, &s.organization, &s.backgroundPicture, &s.menuGroup, &s.localeMode})
    text += *line + "\r\n";
  return text;
}

std::vector<PayloadFile> SamplePayload(const MediumSettings& settings) {
  return {
      {settings.programName + ".dat", ReadAll(ProgramPath("sample_product.exe"))},
      {"uninstall.dat", ReadAll(ProgramPath("uninstall.exe"))},
      {"readme.txt", "Sample product\r\n"},
      {"data\\sample data.csv", "a,b\r\n1,2\r\n"},
      {"data\\reports\\1405\\summary.txt", "summary of the year\r\n"},
      {"data\\گزارش.txt", "Persian name\r\n"},
  };
}

void MakeMedium(const std::string& folder, const MediumSettings& settings) {
  MakeMedium(folder, settings, SamplePayload(settings));
}

void MakeMedium(const std::string& folder, const MediumSettings& settings,
                const std::vector<PayloadFile>& files) {
  CopyFileTo(ProgramPath("setup.exe"), folder + "\\setup.exe");
  WriteFile(folder + "\\REG.CFG", RegCfgText(settings));
  const std::string payload = folder + "\\" + settings.sourceFolder;
  for (const PayloadFile& file : files) {
    const std::string path = payload + "\\" + file.path;
    MakeFolders(path.substr(0, path.rfind('\\')));
    WriteFile(path, file.content);
  }
  MakeFolders(folder + "\\System");
  CopyFileTo(ProgramPath("SampleServer.dll"), folder + "\\System\\SampleServer.dll");
  WriteFile(folder + "\\System\\SYSTEM.TXT", "SampleServer.dll\r\n");
  MakeFolders(folder + "\\Fonts");
  const std::string fonts = WindowsPath("/usr/share/fonts/truetype/farsiweb");
  CopyFileTo(fonts + "\\nazli.ttf", folder + "\\Fonts\\nazli.ttf");
  CopyFileTo(fonts + "\\titr.ttf", folder + "\\Fonts\\titr.ttf");
  WriteFile(folder + "\\Fonts\\FONT.TXT",
            "nazli.ttf\r\nNazli (TrueType)\r\ntitr.ttf\r\nTitr Bold (TrueType)\r\n");
}

}  // namespace e2e
