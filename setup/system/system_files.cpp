#include "setup/system/system_files.h"

#include "core/system_payload.h"
#include "win/files.h"
#include "win/registry.h"
#include "win/scoped.h"
#include "win/windows_info.h"

#include <windows.h>

#include <optional>

namespace {
const char* const kFontTables[] = {
    "Software\\Microsoft\\windows\\CurrentVersion\\Fonts",
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
};

bool CallServerEntry(const std::string& path, const char* entryName) {
  if (!FileExists(path)) return false;
  ScopedLibrary library(LoadLibraryFile(path));
  if (!library.held()) return false;
  using EntryPoint = HRESULT(WINAPI*)();
  auto entry = reinterpret_cast<EntryPoint>(
      reinterpret_cast<void (*)()>(GetProcAddress(library.get(), entryName)));
  if (entry) entry();  // the library's own report of success is not examined
  return true;
}
}  // namespace

bool RegisterComServer(const std::string& path) {
  return CallServerEntry(path, "DllRegisterServer");
}
bool UnregisterComServer(const std::string& path) {
  return CallServerEntry(path, "DllUnregisterServer");
}

void InstallSystemFiles(const std::string& mediumFolder, const std::string& systemFolder) {
  const std::string payload = mediumFolder + "System";
  if (!FolderExists(payload)) return;
  ListFolder(payload + "\\*.*", kEveryEntryMask, [&](const ListedEntry& entry) {
    if (SkipsPayloadEntry(entry.name, uint32_t(entry.size), "SYSTEM.TXT")) return;
    const std::string target = systemFolder + entry.name;
    // The library in place stays until the medium's copy is whole. One in use or a read-only
    // file cannot be deleted: it stays as it is and the medium's copy is not installed.
    const std::string whole = CopyToPartialFile(payload + "\\" + entry.name, target);
    if ((FileExists(target) && !DeleteFileAt(target)) || !RenameFile(whole, target))
      DeleteFileAt(whole);
  });
  // Registration follows every copy and goes by what the system folder holds now.
  const std::string list = mediumFolder + "SYSTEM\\SYSTEM.TXT";
  if (!FileExists(list)) return;
  ForEachListFileLine(ReadWholeFile(list), [&](const std::string& line) {
    const std::string library = systemFolder + line;
    if (FileExists(library)) RegisterComServer(library);
    return true;
  });
}

void InstallSystemFiles() {
  InstallSystemFiles("", SystemFolderOf(WindowsFolder(), RunningWindowsVersion()));
}

void InstallFonts(const std::string& mediumFolder, const std::string& fontsFolder) {
  const std::string payload = mediumFolder + "Fonts";
  if (!FolderExists(payload)) return;
  std::optional<std::vector<FontPair>> fontList;
  const std::string list = mediumFolder + "FONTS\\FONT.TXT";
  if (FileExists(list)) fontList = ParseFontList(ReadWholeFile(list));
  std::size_t position = 0;
  ListFolder(payload + "\\*.*", kEveryEntryMask, [&](const ListedEntry& entry) {
    if (SkipsPayloadEntry(entry.name, uint32_t(entry.size), "FONT.TXT")) return;
    ++position;
    const std::string target = fontsFolder + entry.name;
    const FontValue value = FontValueFor(fontList, position, entry.name, fontsFolder);
    // A table that can be neither opened nor created makes the write raise its failure.
    Registry registry(HKEY_LOCAL_MACHINE);
    for (const char* table : kFontTables) {
      registry.OpenOrCreate(table);
      registry.WriteString(value.name, value.data);
      registry.Close();
    }
    if (!FileExists(target)) CopyFileContents(payload + "\\" + entry.name, target);
  });
}

void InstallFonts() { InstallFonts("", FontsFolderOf(WindowsFolder())); }
