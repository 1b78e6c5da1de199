#include "core/text_numbers.h"

#include <gtest/gtest.h>

#include "core/shared_state.h"

namespace {

std::string Str(double v, int decimals) {
    char buf[64];
    DoubleToStr(buf, sizeof buf, v, decimals);
    return buf;
}

TEST(ParseInt, SignsDigitsAndStops) {
    EXPECT_EQ(ParseInt(nullptr), 0);
    EXPECT_EQ(ParseInt("123abc"), 123);
    EXPECT_EQ(ParseInt("-45"), -45);
    EXPECT_EQ(ParseInt("-+7"), -7);  // '-' then '+' are both skipped
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt(" 9"), 0);  // no blanks are skipped
    EXPECT_EQ(ParseInt("-"), 0);
}

TEST(ParseDouble, FractionsWithPointOrComma) {
    EXPECT_EQ(ParseDouble(nullptr), 0.0);
    EXPECT_DOUBLE_EQ(ParseDouble("  12.5x"), 12.5);
    EXPECT_DOUBLE_EQ(ParseDouble("12,25"), 12.25);
    EXPECT_DOUBLE_EQ(ParseDouble("-0.75"), -0.75);
    EXPECT_DOUBLE_EQ(ParseDouble("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ParseDouble("1e5"), 1.0);  // no exponent form
    EXPECT_EQ(ParseDouble("abc"), 0.0);
}

TEST(DoubleToStr, RoundsHalfUpWithCarry) {
    EXPECT_EQ(Str(2.9999, 2), "3.00");
    EXPECT_EQ(Str(0.125, 2), "0.13");
    EXPECT_EQ(Str(-1.5, 0), "-2");
    EXPECT_EQ(Str(-0.25, 1), "-0.3");
    EXPECT_EQ(Str(0.0, 3), "0.000");
    EXPECT_EQ(Str(12.3456789, -1), "12.345679");  // negative count means 6
    EXPECT_EQ(Str(1.0, 7), "1.00000000");         // above 6 means 8
}

TEST(DoubleToStr, NeverOverrunsItsBuffer) {
    char small[6];
    DoubleToStr(small, sizeof small, 123456.789, 4);
    EXPECT_EQ(std::string(small), "12345");
    char buf[64];
    DoubleToStr(buf, sizeof buf, 1e300, 2);
    EXPECT_LT(std::string(buf).size(), sizeof buf);
}

TEST(SkyCondition, ValuesByIndex) {
    ResetSharedState();
    const int expected[5] = {14, 19, 22, 24, 29};
    for (int i = 0; i < 5; ++i) {
        currentSite.skyCondition = static_cast<int16_t>(i);
        EXPECT_EQ(GetSkyConditionValue(), expected[i]);
    }
    ResetSharedState();
    EXPECT_EQ(GetSkyConditionValue(), 24);  // default condition 3
}

TEST(SinCos, WritesSineThenCosine) {
    double s = 0, c = 0;
    SinCos(0.5235987755982988, &s, &c);
    EXPECT_NEAR(s, 0.5, 1e-15);
    EXPECT_NEAR(c, 0.8660254037844386, 1e-15);
}

}  // namespace
