// INSTALL.CFG written into an install folder and read back.
#include "common/record_file.h"
#include "tests/win/scratch.h"

#include <gtest/gtest.h>

TEST(ProductRecordFile, WritesTheSixLinesReplacingAPayloadsOwnFile) {
  ScratchFolder folder;
  WriteBytes(folder.Path("INSTALL.CFG"), std::string(500, 'p'));  // copied from the payload
  ProductRecord record{"\xC8\xD1\xE4\xC7\xE3\xE5", "Two", "Product", "Viewer", "Tools\\Viewer", ""};
  WriteProductRecord(folder.Path(), record);
  EXPECT_EQ(ReadBytes(folder.Path("INSTALL.CFG")),
            "\xC8\xD1\xE4\xC7\xE3\xE5\r\nTwo\r\nProduct\r\nViewer\r\nTools\\Viewer\r\n\r\n");

  // The uninstaller opens it as "install.cfg".
  ProductRecord read;
  unsigned long error = 0;
  ASSERT_TRUE(ReadProductRecord(folder.Path("install.cfg"), &read, &error)) << error;
  EXPECT_EQ(read.Title1, record.Title1);
  EXPECT_EQ(read.ProgramName, "Viewer");
  EXPECT_EQ(read.ShortcutName, "Tools\\Viewer");
  EXPECT_EQ(read.Organization, "");
}

TEST(ProductRecordFile, ReadsAShortHandWrittenRecordWithLongLines) {
  ScratchFolder folder;
  std::string longTitle(70000, 't');
  WriteBytes(folder.Path("INSTALL.CFG"), longTitle + "\nTwo\nProduct\nViewer\n");
  ProductRecord read;
  unsigned long error = 0;
  ASSERT_TRUE(ReadProductRecord(folder.Path("INSTALL.CFG"), &read, &error)) << error;
  EXPECT_EQ(read.Title1, longTitle);
  EXPECT_EQ(read.ProgramName, "Viewer");
  EXPECT_EQ(read.ShortcutName, "");
  EXPECT_EQ(read.Organization, "");
}

TEST(ProductRecordFile, AFolderThatCannotTakeTheRecordIsNotReported) {
  ScratchFolder folder;
  WriteProductRecord(folder.Path("missing"), ProductRecord{});
  EXPECT_EQ(ReadBytes(folder.Path("missing\\INSTALL.CFG")), "<missing>");
}
