#include <gtest/gtest.h>
#include "driver/number_layout.h"
TEST(Smoke, Layout) { EXPECT_EQ(regmap::format_real(1.2, regmap::kFluidMenuLayout), "   1.200E+00"); }
