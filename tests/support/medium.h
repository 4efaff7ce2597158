// A distribution medium for the installer's end-to-end tests, laid out as on a CD: setup.exe
// and REG.CFG in the start folder, the payload in its source folder with the sample product
// as <ProgramName>.dat and the uninstaller as uninstall.dat, and the System and Fonts folders
// beside it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// The ten lines of REG.CFG (code page 1256 bytes).
struct MediumSettings {
  std::string title1 = "دفتر حساب نمونه";
  std::string title2 = "نسخه 1.0";
  std::string sourceFolder = "Payload";
  std::string defaultFolderName = "Daftar";
  std::string programName = "Daftar";
  std::string shortcutName = "دفتر حساب";
  std::string organization = "شركت نمونه سازان";
  std::string backgroundPicture;
  std::string menuGroup;
  std::string localeMode;
};

// REG.CFG's text: the ten settings, each followed by CR LF.
std::string RegCfgText(const MediumSettings& settings);

// The payload files of the sample medium, relative to the source folder, with their content.
struct PayloadFile {
  std::string path;
  std::string content;
};
std::vector<PayloadFile> SamplePayload(const MediumSettings& settings);

// Lays out the sample medium in folder (which exists and is empty): setup.exe, REG.CFG, the
// sample payload, System with SampleServer.dll and SYSTEM.TXT, Fonts with two fonts and
// FONT.TXT.
void MakeMedium(const std::string& folder, const MediumSettings& settings);
// The same with another payload.
void MakeMedium(const std::string& folder, const MediumSettings& settings,
                const std::vector<PayloadFile>& payload);

}  // namespace e2e
