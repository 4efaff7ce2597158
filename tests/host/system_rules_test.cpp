// The version-dependent decisions and the rules for the System and Fonts
// folders of the medium.
#include "core/system_payload.h"
#include "core/windows_version.h"

#include <gtest/gtest.h>

TEST(WindowsVersionDecisions, FromWindows95ToWindows11) {
  struct Case {
    uint32_t getVersion;  // as GetVersion returns it (build number in the high word)
    const char* systemFolder;
    RestartWay restart;
    bool secondLocaleStep;
  };
  const RestartWay kExit = RestartWay::kExitWindows;
  const Case cases[] = {
      {0xC3B60004, "C:\\WINDOWS\\System\\", kExit, false},   // 4.0 Windows 95
      {0xC0000A04, "C:\\WINDOWS\\System\\", kExit, false},   // 4.10 Windows 98
      {0xC0005A04, "C:\\WINDOWS\\System\\", kExit, false},   // 4.90 Windows Me
      {0x08930005, "C:\\WINDOWS\\System32\\", kExit, true},  // 5.0 Windows 2000
      {0x0A280105, "C:\\WINDOWS\\System32\\", RestartWay::kShutdownByAddress, true},  // 5.1 XP
      {0x0ECE0205, "C:\\WINDOWS\\System32\\", kExit, true},  // 5.2 Server 2003
      {0x1DB10106, "C:\\WINDOWS\\System32\\", kExit, true},  // 6.1 Windows 7
      {0x4A610A0A, "C:\\WINDOWS\\System32\\", kExit, true},  // 10.0 Windows 10 and 11
  };
  for (const Case& c : cases) {
    WindowsVersion version = VersionFromGetVersion(c.getVersion);
    SCOPED_TRACE(std::to_string(version.major) + "." + std::to_string(version.minor));
    EXPECT_EQ(SystemFolderOf("C:\\WINDOWS", version), c.systemFolder);
    EXPECT_EQ(RestartWayFor(version), c.restart);
    EXPECT_EQ(RunsSecondLocaleStep(version), c.secondLocaleStep);
  }
  WindowsVersion me = VersionFromGetVersion(0xC0005A04);
  EXPECT_EQ(me.major, 4);
  EXPECT_EQ(me.minor, 90);
  EXPECT_EQ(FontsFolderOf("C:\\WINDOWS"), "C:\\WINDOWS\\Fonts\\");
}

TEST(WindowsVersionDecisions, AddressIsDottedDecimalInStoredOrder) {
  const unsigned char address[4] = {192, 168, 1, 20};
  EXPECT_EQ(DottedAddress(address), "192.168.1.20");
  const unsigned char high[4] = {255, 0, 10, 127};
  EXPECT_EQ(DottedAddress(high), "255.0.10.127");
}

TEST(PayloadEntries, SkipRules) {
  EXPECT_TRUE(SkipsPayloadEntry(".", 0, "SYSTEM.TXT"));
  EXPECT_TRUE(SkipsPayloadEntry("..", 0, "SYSTEM.TXT"));
  EXPECT_TRUE(SkipsPayloadEntry("sub", 0, "SYSTEM.TXT"));
  EXPECT_TRUE(SkipsPayloadEntry("SYSTEM.TXT", 40, "SYSTEM.TXT"));
  EXPECT_TRUE(SkipsPayloadEntry("FONT.TXT", 40, "FONT.TXT"));
  EXPECT_FALSE(SkipsPayloadEntry("system.txt", 40, "SYSTEM.TXT"));
  EXPECT_FALSE(SkipsPayloadEntry("FONT.TXT", 40, "SYSTEM.TXT"));
  EXPECT_FALSE(SkipsPayloadEntry("a.dll", 1, "SYSTEM.TXT"));
}

TEST(FontList, PairsInFileOrder) {
  auto pairs = ParseFontList("b.ttf\r\nFont B (TrueType)\r\na.ttf\nFont A\n");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].fileLine, "b.ttf");
  EXPECT_EQ(pairs[0].nameLine, "Font B (TrueType)");
  EXPECT_EQ(pairs[1].fileLine, "a.ttf");
  EXPECT_EQ(pairs[1].nameLine, "Font A");

  EXPECT_TRUE(ParseFontList("").empty());
  // Ctrl+Z ends the list.
  EXPECT_EQ(ParseFontList("a.ttf\r\nA\r\n\x1A"
                          "b.ttf\r\nB\r\n")
                .size(),
            1u);
  auto odd = ParseFontList("a.ttf\r\nA\r\nc.ttf\r\n");
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[1].fileLine, "c.ttf");
  EXPECT_EQ(odd[1].nameLine, "");

  std::string many;
  for (int i = 1; i <= 23; ++i)
    many += "f" + std::to_string(i) + ".ttf\r\nF" + std::to_string(i) + "\r\n";
  auto twenty = ParseFontList(many);
  ASSERT_EQ(twenty.size(), kFontListSlots);
  EXPECT_EQ(twenty.back().nameLine, "F20");
}

TEST(FontList, ValueNamesNeverEmpty) {
  const std::string folder = "C:\\WINDOWS\\Fonts\\";
  const std::optional<std::vector<FontPair>> none;
  const std::optional<std::vector<FontPair>> list{{{"b.ttf", "Font B"}, {"odd.ttf", ""}}};
  const std::optional<std::vector<FontPair>> empty{std::vector<FontPair>{}};
  struct Case {
    const std::optional<std::vector<FontPair>>& list;
    std::size_t position;
    const char* name;
    const char* data;
  };
  const Case cases[] = {
      {none, 1, "x.ttf", "C:\\WINDOWS\\Fonts\\x.ttf"},   // no FONT.TXT
      {list, 1, "Font B", "b.ttf"},                      // matched by position only
      {list, 2, "x.ttf", "C:\\WINDOWS\\Fonts\\x.ttf"},   // empty name line
      {list, 3, "x.ttf", "C:\\WINDOWS\\Fonts\\x.ttf"},   // past the last pair
      {empty, 1, "x.ttf", "C:\\WINDOWS\\Fonts\\x.ttf"},  // empty FONT.TXT
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    FontValue value = FontValueFor(c.list, c.position, "x.ttf", folder);
    EXPECT_EQ(value.name, c.name);
    EXPECT_EQ(value.data, c.data);
  }
}
