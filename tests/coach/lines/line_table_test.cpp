#include "coach/lines/line_table.h"

#include <gtest/gtest.h>

TEST(LineCodes, Placeholder) { EXPECT_EQ(bb::lines::lineCode(6), "P3"); }
