#include "core/removal.h"

#include "core/names.h"

#include <algorithm>

namespace {

// "\Uninstall.exe", the end of an uninstall entry's value.
const std::string kUninstallerSuffix = std::string("\\") + kUninstallerFileName;

// The parts of a path between "\" and "/", upper-cased a to z, each without the dots and
// blanks that Windows drops from the end of a name; "." and ".." are kept as they are.
std::vector<std::string> NormalizedParts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  auto close = [&] {
    if (!IsDotName(part))
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (!part.empty()) parts.push_back(UpperAtoZ(part));
    part.clear();
  };
  for (char c : path) {
    if (c == '\\' || c == '/')
      close();
    else
      part += c;
  }
  close();
  return parts;
}

// A plain path of a folder on a drive: "X:" first, then names without ":", control bytes
// (NUL included), "." or "..".
bool IsPlainDrivePath(const std::string& path, const std::vector<std::string>& parts) {
  if (path.size() < 2 || path[1] != ':' || parts.empty() || parts[0].size() != 2 ||
      parts[0][0] < 'A' || parts[0][0] > 'Z')
    return false;
  for (size_t i = 1; i < parts.size(); ++i) {
    if (IsDotName(parts[i])) return false;
    for (unsigned char c : parts[i])
      if (c < 0x20 || c == ':') return false;
  }
  return true;
}

// Whether `inner` is `outer` or lies below it.
bool IsAtOrBelow(const std::vector<std::string>& inner, const std::vector<std::string>& outer) {
  return inner.size() >= outer.size() && std::equal(outer.begin(), outer.end(), inner.begin());
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
  if (value.size() <= kUninstallerSuffix.size()) return std::nullopt;
  return value.substr(0, value.size() - kUninstallerSuffix.size());
}

bool NamesUninstaller(const std::string& uninstallString) {
  return uninstallString.size() >= kUninstallerSuffix.size() &&
         SameFileName(uninstallString.substr(uninstallString.size() - kUninstallerSuffix.size()),
                      kUninstallerSuffix);
}

bool IsUninstallerFileName(const std::string& name) {
  return SameFileName(name, kUninstallerFileName);
}

bool IsProtectedFolder(const std::string& folder, const std::vector<std::string>& protectedFolders,
                       const std::vector<std::string>& protectedTrees) {
  const std::vector<std::string> candidate = NormalizedParts(folder);
  if (!IsPlainDrivePath(folder, candidate) || candidate.size() < 2) return true;
  for (const std::string& each : protectedFolders) {
    if (each.empty()) continue;  // a shell folder the system does not name
    if (IsAtOrBelow(NormalizedParts(each), candidate)) return true;
  }
  for (const std::string& each : protectedTrees) {
    if (each.empty()) continue;
    const std::vector<std::string> tree = NormalizedParts(each);
    if (IsAtOrBelow(tree, candidate) || IsAtOrBelow(candidate, tree)) return true;
  }
  return false;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return NormalizedParts(a) == NormalizedParts(b);
}

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  std::string::size_type dot = name.rfind('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + extension;
}

std::string RemovalScript(const std::string& selfPath, const std::string& scriptPath, int tries) {
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

std::string RemovalScriptCommand(const std::string& scriptPath) { return "\"" + scriptPath + "\""; }
