// Target folders and the renames of the two programs, on real folders.
#include "core/texts.h"
#include "setup/engine/target.h"
#include "tests/support/files.h"
#include "win/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

namespace {

PayloadInventory WithFolders(std::vector<std::string> folders) {
  PayloadInventory inventory;
  for (const std::string& folder : folders) inventory.AddFolder(folder);
  return inventory;
}

// Records the warnings instead of showing them and ending the program.
struct Warnings {
  std::vector<std::string> shown;
  std::function<void(const char*)> Recorder() {
    return [this](const char* text) { shown.push_back(text); };
  }
};

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  ListFolder(folder + "\\*.*", 63, [&](const ListedEntry& entry) {
    if (entry.name != "." && entry.name != "..") names.insert(entry.name);
  });
  return names;
}

}  // namespace

TEST(CreateTargetFolders, CreatesEveryMissingLevelAndEveryPayloadFolder) {
  e2e::ScratchFolder folder;
  Warnings warnings;
  std::string install = folder.Path("One\\Two\\Product");
  EXPECT_TRUE(CreateTargetFolders(install, WithFolders({"Sub", "Sub\\Deep", "Other\\Far\\Away"}),
                                  warnings.Recorder()));
  EXPECT_TRUE(warnings.shown.empty());
  for (const char* below : {"", "\\Sub", "\\Sub\\Deep", "\\Other\\Far\\Away"})
    EXPECT_TRUE(FolderExists(install + below)) << below;
}

TEST(CreateTargetFolders, KeepsWhatAnExistingInstallFolderHolds) {
  e2e::ScratchFolder folder;
  Warnings warnings;
  std::string install = folder.Path("Product\\");  // an empty folder name leaves a backslash
  e2e::MakeFolders(folder.Path("Product"));
  e2e::MakeFolders(folder.Path("Product\\Sub"));
  e2e::WriteFile(folder.Path("Product\\Sub\\old.txt"), "old");
  e2e::WriteFile(folder.Path("Product\\Blocked"), "a file where a folder should go");
  EXPECT_TRUE(CreateTargetFolders(install, WithFolders({"Sub", "Blocked", "Blocked\\Deep", "New"}),
                                  warnings.Recorder()));
  EXPECT_TRUE(warnings.shown.empty());  // a subfolder that cannot be made is not reported
  EXPECT_EQ(e2e::ReadAll(folder.Path("Product\\Sub\\old.txt")), "old");
  EXPECT_TRUE(FolderExists(folder.Path("Product\\New")));
  EXPECT_TRUE(FileExists(folder.Path("Product\\Blocked")));
}

TEST(CreateTargetFolders, WarnsAndStopsWhenTheInstallFolderCannotBeMade) {
  e2e::ScratchFolder folder;
  DWORD drives = GetLogicalDrives();
  char letter = 'Q';
  while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
  ASSERT_FALSE(drives & (1u << (letter - 'A'))) << "every drive letter is in use";
  e2e::WriteFile(folder.Path("file"), "x");
  for (std::string install :
       {std::string(1, letter) + ":\\Product\\Deep", folder.Path("file\\Product")}) {
    SCOPED_TRACE(install);
    Warnings warnings;
    EXPECT_FALSE(CreateTargetFolders(install, WithFolders({"Sub"}), warnings.Recorder()));
    EXPECT_EQ(warnings.shown, std::vector<std::string>{texts::kInstallFolderNotCreatable});
    EXPECT_FALSE(FolderExists(install));
    EXPECT_FALSE(FolderExists(install + "\\Sub"));
  }
}

TEST(CreateFolderPath, RootsAndShortPathsNeedNothing) {
  for (const char* path : {"", "C", "C:", "C:\\", "\\\\", "Z:\\"})
    EXPECT_TRUE(CreateFolderPath(path)) << path;
}

TEST(RenamePayloadPrograms, PutsBothProgramsInPlaceUnderTheirNewNames) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("Viewer.dat"), "new viewer");
  e2e::WriteFile(folder.Path("uninstall.dat"), "new uninstaller");
  RenamePayloadPrograms(folder.Path(), "Viewer");
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"Viewer.EXE", "Uninstall.EXE"}));
  EXPECT_EQ(e2e::ReadAll(folder.Path("Viewer.EXE")), "new viewer");
  EXPECT_EQ(e2e::ReadAll(folder.Path("Uninstall.EXE")), "new uninstaller");
}

TEST(RenamePayloadPrograms, ReinstallationReplacesThePrograms) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("Viewer.EXE"), "old viewer");
  e2e::WriteFile(folder.Path("Uninstall.exe"), "old uninstaller");
  e2e::WriteFile(folder.Path("VIEWER.DAT"), "new viewer");  // letter case does not matter
  e2e::WriteFile(folder.Path("uninstall.dat"), "new uninstaller");
  RenamePayloadPrograms(folder.Path(), "Viewer");
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"Viewer.EXE", "Uninstall.EXE"}));
  EXPECT_EQ(e2e::ReadAll(folder.Path("Viewer.EXE")), "new viewer");
  EXPECT_EQ(e2e::ReadAll(folder.Path("Uninstall.EXE")), "new uninstaller");
}

TEST(RenamePayloadPrograms, WithoutDatFilesNothingChanges) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("Viewer.EXE"), "old viewer");
  e2e::MakeFolders(folder.Path("uninstall.dat"));  // a folder is not a file
  RenamePayloadPrograms(folder.Path(), "Viewer");
  EXPECT_EQ(Names(folder.Path()), (std::set<std::string>{"Viewer.EXE", "uninstall.dat"}));
  EXPECT_EQ(e2e::ReadAll(folder.Path("Viewer.EXE")), "old viewer");
}

TEST(RenamePayloadFile, AnOldTargetThatCannotBeDeletedStaysAndNothingIsReported) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("Viewer.EXE"), "old viewer");
  e2e::SetAttributes(folder.Path("Viewer.EXE"), FILE_ATTRIBUTE_READONLY);
  e2e::WriteFile(folder.Path("Viewer.dat"), "new viewer");
  RenamePayloadFile(folder.Path("Viewer.DAT"), folder.Path("Viewer.EXE"));
  EXPECT_EQ(e2e::ReadAll(folder.Path("Viewer.EXE")), "old viewer");
  EXPECT_EQ(e2e::ReadAll(folder.Path("Viewer.dat")), "new viewer");
  e2e::SetAttributes(folder.Path("Viewer.EXE"), FILE_ATTRIBUTE_NORMAL);
  RenamePayloadFile(folder.Path("missing.dat"), folder.Path("other.EXE"));  // silent
  EXPECT_FALSE(FileExists(folder.Path("other.EXE")));
}
