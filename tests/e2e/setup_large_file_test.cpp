// The installer during the copy of one file: its window handles the user's input in the
// middle of the file (the exit confirmation opens while the file is still incomplete), and an
// exit confirmed there ends the program only once the whole file is written. The copy is held by
// the test, not by the machine's speed: the copy's partial file is a Unix FIFO, so the installer's
// writes go no further than what the test has drained from it.
#include "setup/controls.h"
#include "tests/support/driver.h"
#include "tests/support/setup_driver.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace e2e;

namespace {

const size_t kChunk = 61440;  // what the installer copies at a time
const size_t kSize = 64 * kChunk + 1000;
const char kEndMark[] = "end of the file";

// The file: a pattern, and a mark in its last bytes.
std::string Content() {
  std::string bytes(kSize - sizeof kEndMark, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char('a' + i % 23);
  return bytes + std::string(kEndMark, sizeof kEndMark);
}

}  // namespace

TEST(SetupLargeFile, AnswersMidFileAndAnExitThereLeavesTheFileWhole) {
  // The install folder carries the code page, as both code-page runs may go at once.
  const std::string name = "LargeFile" + std::to_string(GetACP());
  const std::string target = "C:\\" + name;
  RemoveTree(target);
  MakeFolders(target);
  const std::string medium = NewTestFolder("large-file");
  CopyFileTo(ProgramPath("setup.exe"), medium + "\\setup.exe");
  MakeEntries(medium, {{"REG.CFG", "T1\r\nT2\r\nPayload\r\n" + name +
                                       "\r\nDaftar\r\nDaftar\r\nOrg\r\n\r\n\r\n0\r\n"},
                       {"Payload\\large.bin", Content()}});
  const std::string fifo = UnixPath(target + "\\large.bin.$$$");
  const std::string drained = UnixPath(medium + "\\drained.bin");
  ASSERT_TRUE(RunUnixShell("mkfifo '" + fifo + "' && : > '" + drained + "'", 10000));
  // Lets the copy go on by `bytes` more (blocks until the installer has written them).
  auto drain = [&](size_t bytes) {
    return RunUnixShell("head -c " + std::to_string(bytes) + " '" + fifo + "' >> '" + drained + "'",
                        60000);
  };
  auto drainedSize = [&] { return ReadAll(medium + "\\drained.bin").size(); };

  Process setup(ProgramPath("setup.exe"), medium);
  HWND window = WaitWindow(setup, "TForm1");
  ASSERT_TRUE(window);
  ASSERT_EQ(PathText(window), target);
  ClickControl(window, kNext1);
  ASSERT_TRUE(drain(kChunk)) << "the copy did not start";
  ClickControl(window, kCancel);
  // The click is handled between two chunks: the confirmation comes while the file is held.
  HWND exitBox = nullptr;
  while (!(exitBox = WaitWindow(setup, "TForm5", 100)) && drainedSize() < kSize / 2)
    ASSERT_TRUE(drain(kChunk));
  ASSERT_TRUE(exitBox) << "no exit confirmation within half the file";

  ClickControl(exitBox, kExitOk);
  EXPECT_EQ(setup.WaitExit(1000), -1) << "the installer ended with the file incomplete";
  ASSERT_TRUE(drain(kSize - drainedSize()));
  EXPECT_EQ(setup.WaitExit(60000), 0);
  // The whole file went through. (Wine cannot rename a FIFO: the partial copy keeps its
  // name, and nothing is left under the file's own name.)
  EXPECT_EQ(ReadAll(medium + "\\drained.bin"), Content());
  EXPECT_EQ(Names(target + "\\*"), std::vector<std::string>{"large.bin.$$$"});
  RemoveTree(target);
  RemoveTree(medium);
}
