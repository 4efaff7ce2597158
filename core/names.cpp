#include "core/names.h"

#include <vector>

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\windows\\CurrentVersion\\uninstall";
const char kPathSeparators[] = "\\/:";

// The non-empty parts of a text between the given separators.
std::vector<std::string> Parts(const std::string& text, const char* separators) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (start <= text.size()) {
    std::string::size_type end = text.find_first_of(separators, start);
    if (end == std::string::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::string UninstallKey(const std::string& programName) {
  return std::string(kUninstallKey) + "\\" + programName;
}

bool IsUninstallKeyOrAbove(const std::string& key) {
  const std::vector<std::string> parts = Parts(key.substr(0, key.find('\0')), "\\");
  const std::vector<std::string> uninstall = Parts(kUninstallKey, "\\");
  if (parts.size() > uninstall.size()) return false;
  for (size_t i = 0; i < parts.size(); ++i)
    if (!SameFileName(parts[i], uninstall[i])) return false;
  return true;
}

bool IsValidProgramName(const std::string& programName) {
  if (programName.empty() || IsDotName(programName)) return false;
  for (unsigned char c : programName)
    if (c < 0x20 || std::string("\\/:*?\"<>|").find(char(c)) != std::string::npos) return false;
  return true;
}

std::string LinkFileName(const std::string& shortcutName) {
  std::string name = shortcutName + ".lnk";
  size_t last = name.find_last_of(kPathSeparators);
  return last == std::string::npos ? name : name.substr(last + 1);
}

bool IsValidShortcutName(const std::string& shortcutName) {
  for (const std::string& part : Parts(shortcutName, kPathSeparators))
    if (part == "..") return false;
  return true;
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
