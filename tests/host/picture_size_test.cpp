// The size bounds of the pictures the programs load: metafile headers of any value give a
// size or a refusal, never an overflowed number.
#include "core/picture_format.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MetafilePixels, ScalesToScreenPixelsWithinTheBound) {
  EXPECT_EQ(MetafilePixels(2540 * 2, 2540), 192);  // 2 inches in hundredths of a millimetre
  EXPECT_EQ(MetafilePixels(1440, 1440), 96);       // an inch in twips
  EXPECT_EQ(MetafilePixels(0, 1), 0);
  EXPECT_EQ(MetafilePixels(-96, 96), -96);  // a frame given right to left
  EXPECT_EQ(MetafilePixels(8000, 96), 8000);
  EXPECT_EQ(MetafilePixels(8001, 96), std::nullopt);
  EXPECT_EQ(MetafilePixels(-8001, 96), std::nullopt);
  // Extreme header values: 32-bit arithmetic would overflow on each of these.
  EXPECT_EQ(MetafilePixels(int64_t(INT_MAX) - INT_MIN, 2540), std::nullopt);
  EXPECT_EQ(MetafilePixels(int64_t(INT_MIN) - INT_MAX, 2540), std::nullopt);
  EXPECT_EQ(MetafilePixels(65534, 1), std::nullopt);
  EXPECT_EQ(MetafilePixels(65534, 0), std::nullopt);
  EXPECT_EQ(MetafilePixels(100, -1), std::nullopt);
}
