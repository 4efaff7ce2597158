// INSTALL.CFG written into an install folder and read back.
#include "common/record_file.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

TEST(ProductRecordFile, WritesTheSixLinesReplacingAPayloadsOwnFile) {
  e2e::ScratchFolder folder;
  e2e::WriteFile(folder.Path("INSTALL.CFG"), std::string(500, 'p'));  // copied from the payload
  ProductRecord record{"\xC8\xD1\xE4\xC7\xE3\xE5", "Two", "Product", "Viewer", "Tools\\Viewer", ""};
  WriteProductRecord(folder.Path(), record);
  EXPECT_EQ(e2e::ReadAll(folder.Path("INSTALL.CFG")),
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
  e2e::ScratchFolder folder;
  std::string longTitle(70000, 't');
  e2e::WriteFile(folder.Path("INSTALL.CFG"), longTitle + "\nTwo\nProduct\nViewer\n");
  ProductRecord read;
  unsigned long error = 0;
  ASSERT_TRUE(ReadProductRecord(folder.Path("INSTALL.CFG"), &read, &error)) << error;
  EXPECT_EQ(read.Title1, longTitle);
  EXPECT_EQ(read.ProgramName, "Viewer");
  EXPECT_EQ(read.ShortcutName, "");
  EXPECT_EQ(read.Organization, "");
}

TEST(ProductRecordFile, AFolderThatCannotTakeTheRecordIsNotReported) {
  e2e::ScratchFolder folder;
  WriteProductRecord(folder.Path("missing"), ProductRecord{});
  EXPECT_FALSE(e2e::Exists(folder.Path("missing\\INSTALL.CFG")));
}
