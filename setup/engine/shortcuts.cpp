#include "setup/engine/shortcuts.h"

#include "common/shell_folders.h"
#include "core/failure.h"
#include "core/names.h"
#include "core/removal.h"
#include "core/texts.h"
#include "win/files.h"
#include "win/registry.h"
#include "win/scoped.h"
#include "win/text.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <exception>

namespace {

// A failed save is not reported: that shortcut is missing.
void SaveLink(IPersistFile* file, const std::string& path) {
  file->Save(ToWide(path).c_str(), FALSE);
}

void SaveShortcuts(IPersistFile* file, const std::string& shortcutName,
                   const std::string& menuGroup) {
  const std::string link = LinkFileName(shortcutName);
  SaveLink(file, ReadShellFolder(kDesktopValue) + "\\" + link);
  const std::string group = GroupFolder(ReadShellFolder(kStartMenuValue), menuGroup);
  // One level only: without a "programs" folder the group shortcut is simply not saved.
  CreateFolder(group);
  SaveLink(file, group + link);
}

void RegisterUninstallEntry(const std::string& installFolder, const std::string& programName) {
  Registry registry(HKEY_LOCAL_MACHINE);
  // Not examined: a key that cannot be opened makes the first write fail, naming it.
  registry.OpenOrCreate(UninstallKey(programName));
  registry.WriteString("UninstallString", installFolder + "\\" + kUninstallerFileName);
  registry.WriteString("DisplayName", programName);
  registry.WriteString("Publisher", kPublisher);
  registry.WriteString("Author", kAuthor);
}

}  // namespace

void CreateShortcutsAndUninstallEntry(const std::string& installFolder,
                                      const std::string& programName,
                                      const std::string& shortcutName,
                                      const std::string& menuGroup) {
  ComPointer<IUnknown> object;
  HRESULT result =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                       IID_IUnknown, object.Out());
  if (FAILED(result)) throw Failure(SystemErrorText(result));
  ComPointer<IShellLinkW> link;
  ComPointer<IPersistFile> file;
  if (FAILED(object->QueryInterface(IID_IShellLinkW, link.Out())) ||
      FAILED(object->QueryInterface(IID_IPersistFile, file.Out())))
    throw Failure(texts::kInterfaceNotSupported);
  // Only the target and the working folder are set; their results are not examined.
  link->SetPath(ToWide(installFolder + "\\" + programName + ".EXE").c_str());
  link->SetWorkingDirectory(ToWide(installFolder).c_str());

  // Once the shortcuts have begun, the uninstall entry is always written; a failure of the
  // shortcuts goes on to the caller after it. Should both fail, the first failure is the one
  // reported.
  std::exception_ptr shortcutsFailure;
  try {
    SaveShortcuts(file.get(), shortcutName, menuGroup);
  } catch (...) {
    shortcutsFailure = std::current_exception();
  }
  try {
    RegisterUninstallEntry(installFolder, programName);
  } catch (...) {
    if (!shortcutsFailure) throw;
  }
  if (shortcutsFailure) std::rethrow_exception(shortcutsFailure);
}
