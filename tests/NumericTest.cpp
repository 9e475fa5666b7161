#include <gtest/gtest.h>

#include "core/Numeric.h"
#include "core/Random.h"

TEST(Numeric, RoundsHalvesToEvenAndWrapsStores) {
    struct Case {
        double in;
        long long rounded;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2},
                 {-2.6, -3}, {3.0, 3}, {1e300, 9000000000000000000LL}, {NAN, 0}};
    for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.rounded) << c.in;
    EXPECT_EQ(Wrap16(32768), -32768);
    EXPECT_EQ(Wrap16(-32769), 32767);
    EXPECT_EQ(Wrap16(65536 + 7), 7);
    EXPECT_EQ(RoundToInt16(40000.5), Wrap16(40000));
}

TEST(Numeric, FloorSignAndSteps) {
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(0.999), 0);
    EXPECT_EQ(Int(-3.0), -3);
    EXPECT_EQ(Sign(-7), -1);
    EXPECT_EQ(Sign(0), 0);
    EXPECT_EQ(Sign(0.1), 1);
    // Steps use pi = 3.1415, so straight down is not exactly 0 across: 32 * cos(90 deg) ~ 0.0015.
    EXPECT_EQ(StepX(32, 90), 0);
    EXPECT_EQ(StepY(32, 90), 32);
    EXPECT_EQ(StepY(32, 270), -32);
    EXPECT_EQ(StepX(10, 180), -10);
    // 3 * sin(150 deg) is 1.5002 with this pi: rounds to 2, not to the even 2 by accident of halves.
    EXPECT_EQ(RoundToInt16(3 * SinDeg(150)), 2);
}

TEST(Numeric, RandomIsSeededAndInRange) {
    Random01 a(7), b(7), c(8);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.Next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        ASSERT_EQ(x, b.Next());
        differs |= x != c.Next();
    }
    EXPECT_TRUE(differs);
}
