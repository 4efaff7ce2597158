// The medium checker on a real folder, listed as Windows lists it: the hidden and system
// entries that the installer passes over are found through their attributes.
#include "tests/e2e/driver.h"
#include "tests/win/scratch.h"
#include "tools/medium_check/medium_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

TEST(MediumCheckOnWindows, FindsHiddenAndSystemEntriesOfThePayload) {
  ScratchFolder folder;
  WriteBytes(folder.Path("REG.CFG"),
             "Daftar\r\n1.0\r\nPayload\r\nDaftar\r\nDaftar\r\nDaftar\r\n"
             "Org\r\n\r\n\r\n\r\n");
  MakeFolder(folder.Path("Payload"));
  WriteBytes(folder.Path("Payload\\Daftar.dat"), "MZ");
  WriteBytes(folder.Path("Payload\\uninstall.dat"), "MZ");
  WriteBytes(folder.Path("Payload\\Thumbs.db"), "x");
  SetAttributes(folder.Path("Payload\\Thumbs.db"), FILE_ATTRIBUTE_SYSTEM);
  MakeFolder(folder.Path("Payload\\.cache"));
  WriteBytes(folder.Path("Payload\\.cache\\a.bin"), "x");
  SetAttributes(folder.Path("Payload\\.cache"), FILE_ATTRIBUTE_HIDDEN);
  // In System, hidden files are installed like the others: nothing to report.
  MakeFolder(folder.Path("System"));
  WriteBytes(folder.Path("System\\Lib.dll"), "MZ");
  SetAttributes(folder.Path("System\\Lib.dll"), FILE_ATTRIBUTE_HIDDEN);
  WriteBytes(folder.Path("System\\SYSTEM.TXT"), "lib.DLL\r\n");

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
  ScratchFolder folder;
  WriteBytes(folder.Path("REG.CFG"), "Daftar\r\n1.0\r\nPayload\r\nDaftar\r\nDaftar\r\n");
  MakeFolder(folder.Path("Payload"));
  WriteBytes(folder.Path("Payload\\Daftar.dat"), "MZ");
  WriteBytes(folder.Path("Payload\\uninstall.dat"), "MZ");
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
  ScratchFolder folder;
  EXPECT_FALSE(OpenMediumFolder(folder.Path("absent")));
}
