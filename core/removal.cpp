#include "core/removal.h"

namespace {

const std::string::size_type kUninstallerSuffixLength = 14;  // "\Uninstall.exe"

std::string UpperAtoZ(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return text;
}

// Upper-cased a to z, "\" for "/", no trailing backslash ("C:\" becomes "C:").
std::string Normalized(const std::string& path) {
  std::string out = UpperAtoZ(path);
  for (char& c : out)
    if (c == '/') c = '\\';
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

// "C:", "" (a lone backslash: the current drive's root), "\\server" and "\\server\share".
bool IsRoot(const std::string& normalized) {
  if (normalized.empty()) return true;
  if (normalized.size() == 2 && normalized[1] == ':') return true;
  if (normalized.compare(0, 2, "\\\\") == 0) {
    std::string::size_type server = normalized.find('\\', 2);
    return server == std::string::npos || normalized.find('\\', server + 1) == std::string::npos;
  }
  return false;
}

// The path as a batch line takes it: quoted, and "%" doubled so that the interpreter does not
// read it as the start of a variable.
std::string BatchQuoted(const std::string& path) {
  std::string out = "\"";
  for (char c : path) {
    out += c;
    if (c == '%') out += '%';
  }
  return out + "\"";
}

}  // namespace

std::optional<std::string> InstallFolderFromUninstallString(const std::string& value) {
  if (value.size() <= kUninstallerSuffixLength) return std::nullopt;
  return value.substr(0, value.size() - kUninstallerSuffixLength);
}

bool IsUninstallerFileName(const std::string& name) {
  return UpperAtoZ(name) == "UNINSTALL.EXE";
}

bool IsProtectedFolder(const std::string& folder, const std::vector<std::string>& protectedFolders) {
  const std::string candidate = Normalized(folder);
  if (IsRoot(candidate)) return true;
  for (const std::string& each : protectedFolders) {
    if (each.empty()) continue;  // a shell folder the system does not name
    const std::string kept = Normalized(each);
    if (kept == candidate ||
        (kept.size() > candidate.size() && kept.compare(0, candidate.size(), candidate) == 0 &&
         kept[candidate.size()] == '\\'))
      return true;
  }
  return false;
}

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  std::string::size_type dot = name.rfind('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + extension;
}

std::string RemovalScript(const std::string& selfPath, const std::string& scriptPath,
                          int tries) {
  const std::string self = BatchQuoted(selfPath);
  const std::string folder = BatchQuoted(selfPath.substr(0, selfPath.rfind('\\') + 1));
  // The try counter grows by one letter per try; plain string comparison works in every
  // command interpreter, arithmetic does not.
  const std::string allTries(tries, 'x');
  const char* lineEnd = "\r\n";
  std::string script;
  for (const std::string& line : {
           std::string("@echo off"),
           std::string("set UisTries="),
           std::string(":Label1"),
           "del " + self,
           "if not Exist " + self + " goto Label2",
           std::string("set UisTries=%UisTries%x"),
           "if \"%UisTries%\"==\"" + allTries + "\" goto Label2",
           std::string("ping -n 2 127.0.0.1 >nul"),
           std::string("goto Label1"),
           std::string(":Label2"),
           std::string("cd.."),
           "rmdir " + folder,
           "del " + BatchQuoted(scriptPath),
       })
    script += line + lineEnd;
  return script;
}

std::string RemovalScriptCommand(const std::string& scriptPath) {
  return "\"" + scriptPath + "\"";
}
