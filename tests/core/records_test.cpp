#include "core/records.h"

#include <gtest/gtest.h>

TEST(PlayerRecLayout, Placeholder) { EXPECT_EQ(bb::PlayerRec::Size, 86u); }
