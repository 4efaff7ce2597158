// The failure box's text and the gauge's percentage.
#include "core/display.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(FailureBoxText, FullStopAfterCharactersAboveTheFullStop) {
  EXPECT_EQ(FailureBoxText("Stream read error"), "Stream read error.");
  EXPECT_EQ(FailureBoxText("The file was not found."), "The file was not found.");
  EXPECT_EQ(FailureBoxText("Error #53"), "Error #53.");        // '3' is above '.'
  EXPECT_EQ(FailureBoxText("Failed (x)"), "Failed (x)");       // ')' is below '.'
  EXPECT_EQ(FailureBoxText("a-"), "a-");                       // '-' is below '.'
  EXPECT_EQ(FailureBoxText("a/"), "a/.");                      // '/' is just above
  EXPECT_EQ(FailureBoxText("\xE4\xD5\xC8"), "\xE4\xD5\xC8.");  // bytes count unsigned
  EXPECT_EQ(FailureBoxText(""), "");
}

TEST(GaugePercent, ClampedWholePercentages) {
  EXPECT_EQ(GaugePercent(0, 100), 0);
  EXPECT_EQ(GaugePercent(42, 100), 42);
  EXPECT_EQ(GaugePercent(1, 3), 33);
  EXPECT_EQ(GaugePercent(2, 3), 66);
  EXPECT_EQ(GaugePercent(-5, 100), 0);
  EXPECT_EQ(GaugePercent(150, 100), 100);
  EXPECT_EQ(GaugePercent(0, 0), 0);
  EXPECT_EQ(GaugePercent(10, 0), 0);
  EXPECT_EQ(GaugePercent(10, -3), 0);
  const int64_t kMax = INT64_MAX;
  EXPECT_EQ(GaugePercent(kMax / 2, kMax), 49);
  EXPECT_EQ(GaugePercent(kMax - 1, kMax), 99);
  EXPECT_EQ(GaugePercent(kMax, kMax), 100);
  EXPECT_EQ(GaugePercent(kMax / 100 * 37 + kMax / 1000, kMax), 37);
  EXPECT_EQ(GaugePercent(int64_t(3) << 40, int64_t(4) << 40), 75);
}
