#include "tests/e2e/medium.h"

#include "tests/e2e/driver.h"

#include <windows.h>

#include <stdexcept>

namespace e2e {

std::string RegCfgText(const MediumSettings& s) {
  std::string text;
  for (const std::string* line : {&s.title1, &s.title2, &s.sourceFolder, &s.defaultFolderName,
                                  &s.programName, &s.shortcutName, &s.organization,
                                  &s.backgroundPicture, &s.menuGroup, &s.localeMode})
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

void MakeMedium(const std::string& folder, const MediumSettings& settings, const std::vector<PayloadFile>& files) {
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

void CopyFileTo(const std::string& source, const std::string& target) {
  if (!CopyFileW(Wide1256(source).c_str(), Wide1256(target).c_str(), FALSE))
    throw std::runtime_error("cannot copy " + source + " to " + target);
}

void MakeFolders(const std::string& path) {
  if (path.size() <= 3 || IsFolder(path)) return;
  MakeFolders(path.substr(0, path.rfind('\\')));
  CreateDirectoryW(Wide1256(path).c_str(), nullptr);
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  if (!ReadFile(path, &bytes)) throw std::runtime_error("cannot read " + path);
  return bytes;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide1256(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide1256(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace e2e
