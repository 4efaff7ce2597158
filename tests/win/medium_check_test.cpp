// The medium checker on a real folder, listed as Windows lists it: the hidden and system
// entries that the installer passes over are found through their attributes.
#include "tests/support/driver.h"
#include "tests/support/files.h"
#include "tools/medium_check/medium_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

TEST(MediumCheckOnWindows, FindsHiddenAndSystemEntriesOfThePayload) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("REG.CFG"),
                 "Daftar\r\n1.0\r\nPayload\r\nDaftar\r\nDaftar\r\nDaftar\r\n"
                 "Org\r\n\r\n\r\n\r\n");
  // In System, hidden files are installed like the others: nothing to report.
  e2e::MakeEntries(folder.Path(), {{"Payload\\Daftar.dat", "MZ"},
                                   {"Payload\\uninstall.dat", "MZ"},
                                   {"Payload\\Thumbs.db", "x", FILE_ATTRIBUTE_SYSTEM},
                                   {"Payload\\.cache\\a.bin", "x"},
                                   {"Payload\\.cache\\", "", FILE_ATTRIBUTE_HIDDEN},
                                   {"System\\Lib.dll", "MZ", FILE_ATTRIBUTE_HIDDEN},
                                   {"System\\SYSTEM.TXT", "lib.DLL\r\n"}});

  std::unique_ptr<MediumFolder> medium = OpenMediumFolder(folder.Path());
  ASSERT_TRUE(medium);
  std::vector<std::string> problems, notes;
  for (const MediumFinding& finding : CheckMedium(*medium))
    (finding.kind == MediumFinding::kNote ? notes : problems).push_back(FindingLine(finding));
  std::sort(problems.begin(), problems.end());  // in the order Wine lists them
  EXPECT_EQ(problems,
            (std::vector<std::string>{
                "warning: the installer passes over the hidden folder \"Payload\\.cache\" and "
                "everything in it.",
                "warning: the installer passes over the system file \"Payload\\Thumbs.db\"."}));
  ASSERT_FALSE(notes.empty());
  EXPECT_EQ(notes[0],
            "note: the payload holds 2 files in 0 folders, 4 bytes in all; the installer wants "
            "that much free space on the target drive.");
}

// The program itself, started in the medium folder as an author may start it.
TEST(MediumCheckOnWindows, ProgramEndsWithOneOnAnErrorOnly) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("REG.CFG"), "Daftar\r\n1.0\r\nPayload\r\nDaftar\r\nDaftar\r\n");
  e2e::MakeFolders(folder.Path("Payload"));
  e2e::WriteFile(folder.Path("Payload\\Daftar.dat"), "MZ");
  e2e::WriteFile(folder.Path("Payload\\uninstall.dat"), "MZ");
  {
    // Warnings only: REG.CFG of five lines.
    e2e::Process check(e2e::ProgramPath("medium_check.exe"), folder.Path());
    EXPECT_EQ(check.WaitExit(), 0);
  }
  DeleteFileA(folder.Path("Payload\\uninstall.dat").c_str());
  e2e::Process check(e2e::ProgramPath("medium_check.exe"), folder.Path());
  EXPECT_EQ(check.WaitExit(), 1);
}

TEST(MediumCheckOnWindows, NoFolderNoMedium) {
  e2e::ScratchFolder folder;
  EXPECT_FALSE(OpenMediumFolder(folder.Path("absent")));
}
