// Filling a text's "%s" places.
#include "core/fill.h"
#include "core/texts.h"

#include <gtest/gtest.h>

TEST(FillText, FillsPlacesInOrderAndLeavesValuesAlone) {
  EXPECT_EQ(FillText(texts::kCannotOpenFile, {"C:\\a %s.txt", "Access denied."}),
            "Cannot open file \"C:\\a %s.txt\". Access denied.");
  EXPECT_EQ(FillText(texts::kFailedToSetData, {"UninstallString"}),
            "Failed to set data for 'UninstallString'");
  EXPECT_EQ(FillText("%s and %s", {"one"}), "one and %s");
}
