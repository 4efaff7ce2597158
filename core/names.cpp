#include "core/names.h"

std::string UninstallKey(const std::string& programName) {
  return "Software\\Microsoft\\windows\\CurrentVersion\\uninstall\\" + programName;
}

std::string LinkFileName(const std::string& shortcutName) {
  std::string name = shortcutName + ".lnk";
  size_t last = name.find_last_of("\\:");
  return last == std::string::npos ? name : name.substr(last + 1);
}

std::string GroupFolder(const std::string& startMenuFolder, const std::string& menuGroup) {
  return startMenuFolder + "\\programs\\" + menuGroup + "\\";
}

std::string UpperAtoZ(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return text;
}

bool SameFileName(const std::string& a, const std::string& b) {
  return UpperAtoZ(a) == UpperAtoZ(b);
}
