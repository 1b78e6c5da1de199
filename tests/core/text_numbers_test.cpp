#include "core/text_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/shared_state.h"

namespace {

std::string Str(double v, int decimals) {
    char buf[64];
    DoubleToStr(buf, sizeof buf, v, decimals);
    return buf;
}

// '-' then '+' are both skipped; no blanks are skipped; no exponent form. A
// value beyond int32_t is held at its end and said not to fit (it wrapped:
// 4294967297 read as 1, 10^34 - 45 as -45).
TEST(ParseNumbers, SignsDigitsFractionsAndStops) {
    const std::string longDigits = std::string(32, '9') + "55";
    const struct { const char* text; int32_t value; bool fits; } ints[] = {
        {"123abc", 123, true}, {"-45", -45, true}, {"-+7", -7, true}, {"+8", 8, true}, {" 9", 0, true},
        {"-", 0, true}, {"2147483647", INT32_MAX, true}, {"-2147483648", INT32_MIN, true},
        {"2147483648", INT32_MAX, false}, {"-2147483649", INT32_MIN, false}, {"4294967297", INT32_MAX, false},
        {"-+4294967321", INT32_MIN, false}, {longDigits.c_str(), INT32_MAX, false},
        {"0000000000000000000000012", 12, true}};
    for (const auto& c : ints) {
        bool fits = !c.fits;
        EXPECT_EQ(ParseInt(c.text, &fits), c.value) << c.text;
        EXPECT_EQ(fits, c.fits) << c.text;
        EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
    }
    EXPECT_EQ(ParseInt(nullptr), 0);
    const struct { const char* text; double value; } doubles[] = {
        {"  12.5x", 12.5}, {"12,25", 12.25}, {"-0.75", -0.75}, {"+3", 3.0}, {"1e5", 1.0}, {"abc", 0.0}};
    for (const auto& c : doubles) EXPECT_DOUBLE_EQ(ParseDouble(c.text), c.value) << c.text;
    EXPECT_EQ(ParseDouble(nullptr), 0.0);
}

// Names compared as the user sees them: case and blanks aside.
TEST(SameName, CaseAndBlanksAside) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {{"M 42", "m42", true},       {" Vega\t", "VEGA", true}, {"", "  ", true},
                 {"Vega", "Vegas", false},    {"M 42", "M 41", false},   {"\xC9ta", "\xE9ta", false}};
    for (const auto& c : cases) EXPECT_EQ(SameNameCaseAndBlanksAside(c.a, c.b), c.same) << c.a << "|" << c.b;
}

// A negative count of decimals means 6, above 6 means 8.
TEST(DoubleToStr, RoundsHalfUpWithCarry) {
    EXPECT_EQ(Str(2.9999, 2), "3.00");
    EXPECT_EQ(Str(0.125, 2), "0.13");
    EXPECT_EQ(Str(-1.5, 0), "-2");
    EXPECT_EQ(Str(-0.25, 1), "-0.3");
    EXPECT_EQ(Str(0.0, 3), "0.000");
    EXPECT_EQ(Str(12.3456789, -1), "12.345679");
    EXPECT_EQ(Str(1.0, 7), "1.00000000");
}

TEST(DoubleToStr, NeverOverrunsItsBuffer) {
    char small[6];
    DoubleToStr(small, sizeof small, 123456.789, 4);
    EXPECT_EQ(std::string(small), "12345");
    char buf[64];
    DoubleToStr(buf, sizeof buf, 1e300, 2);
    EXPECT_LT(std::string(buf).size(), sizeof buf);
}

// The default condition is 3.
TEST(SkyConditionAndSinCos, Values) {
    ResetSharedState();
    EXPECT_EQ(GetSkyConditionValue(), 24);
    const int expected[5] = {14, 19, 22, 24, 29};
    for (int i = 0; i < 5; ++i) {
        currentSite.skyCondition = static_cast<int16_t>(i);
        EXPECT_EQ(GetSkyConditionValue(), expected[i]);
    }
    ResetSharedState();
    double s = 0, c = 0;
    SinCos(0.5235987755982988, &s, &c);  // 30 degrees: sine first
    EXPECT_NEAR(s, 0.5, 1e-15);
    EXPECT_NEAR(c, 0.8660254037844386, 1e-15);
}

}  // namespace
