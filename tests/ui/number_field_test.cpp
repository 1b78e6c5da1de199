// The number-field reader without a window: which texts each form takes,
// their values, the range check and the refusal's words.
#include "ui/number_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr NumberField kCount{1, "Shots", "", 5, 0, 9999, NumberForm::Count};
constexpr NumberField kSigned{2, "Steps", "", 7, -32127, 32127, NumberForm::Count};
constexpr NumberField kDecimal{3, "F-Ratio", "", 5, 1.2, 100, NumberForm::Decimal};
constexpr NumberField kOpenLow{4, "DeltaT", "", 6, 40, 200, NumberForm::Decimal, " s", true};
constexpr NumberField kHours{5, "Time", "", 10, 0, 24, NumberForm::Sexagesimal, " h"};
constexpr NumberField kDeclination{6, "Dec", "", 15, -90, 90, NumberForm::Sexagesimal};
constexpr NumberField kLatitude{7, "Latitude", "", 12, 0, 90, NumberForm::Latitude};
constexpr NumberField kLongitude{8, "Longitude", "", 12, 0, 180, NumberForm::Longitude};
// A right ascension kept as a float: 24 h, and a text that the float rounds to it, are refused.
constexpr NumberField kRightAscension{9, "RA", "", 15, 0, 24, NumberForm::Sexagesimal, " h", false, true, true};

constexpr double kArcsecond = 1.0 / 3600.0;

// Values worked by hand from the texts (d + m/60 + s/3600); the latitude of
// 51 28 38 S and the longitude of 0 07 39 E are the site-form examples,
// about -51.477 and -0.128.
TEST(ParseNumberField, AcceptedTextsAndTheirValues) {
    const struct {
        const NumberField& field;
        const char* text;
        double value;
    } cases[] = {
        {kCount, "12", 12},
        {kCount, "  0 ", 0},
        {kCount, "+7", 7},
        {kSigned, "-8192", -8192},
        {kSigned, "32127", 32127},
        {kDecimal, "6.35", 6.35},
        {kDecimal, "6,35", 6.35},
        {kDecimal, "100", 100},
        {kDecimal, "1.2", 1.2},
        {kDecimal, "5.", 5},
        {kOpenLow, "66.184", 66.184},
        {kOpenLow, "200", 200},
        {kOpenLow, "40.001", 40.001},
        {kHours, "12:30:00", 12.5},
        {kHours, "23h45m00", 23.75},
        {kHours, "10:20:30.5", 10 + 20 / 60.0 + 30.5 / 3600.0},
        {kHours, "0", 0},
        {kDeclination, "-00:30:00", -0.5},
        {kDeclination, "-70\xB0" "45'00", -70.75},
        {kDeclination, "-70\xB0" "45.0", -70.75},
        {kDeclination, "51\xB0" "28.6", 51 + 28.6 / 60},
        {kDeclination, "12 30 00", 12.5},
        {kDeclination, "45\xB0", 45},
        {kDeclination, "-12.5", -12.5},
        {kLatitude, "51\xB0" "28'38 S", -(51 + 28 / 60.0 + 38 / 3600.0)},
        {kLatitude, "51\xB0" "28'38 N", 51 + 28 / 60.0 + 38 / 3600.0},
        {kLatitude, "12:30:00 S", -12.5},
        {kLatitude, "12:30:00s", -12.5},
        {kLatitude, "51.5 n", 51.5},
        {kLatitude, "-12.5", -12.5},
        {kLatitude, "90 S", -90},
        {kLatitude, "12.5", 12.5},
        {kLongitude, "0\xB0" "07'39 E", -(7 / 60.0 + 39 / 3600.0)},
        {kLongitude, "5:00:00 E", -5},
        {kLongitude, "2.35 e", -2.35},
        {kLongitude, "180 W", 180},
        {kLongitude, "12.5", 12.5},
        {kLongitude, "147:43:00", 147 + 43 / 60.0},
        {kLongitude, "16\xB0" "44.8 E", -(16 + 44.8 / 60)},  // as the eclipse form shows a place
        {kRightAscension, "23:59:59", 23 + 59 / 60.0 + 59 / 3600.0},
        {kRightAscension, "23:59:59.99", 23 + 59 / 60.0 + 59.99 / 3600.0},  // 2.8e-6 h below 24: float 23.9999981
    };
    for (const auto& c : cases) {
        double value = -999;
        ASSERT_TRUE(ParseNumberField(c.field, c.text, &value)) << c.field.label << " '" << c.text << "'";
        EXPECT_NEAR(value, c.value, 1e-9) << c.text;
    }
    double latitude = 0;
    ASSERT_TRUE(ParseNumberField(kLatitude, "51\xB0" "28'38 S", &latitude));
    EXPECT_NEAR(latitude, -51.477, 0.001);
    EXPECT_NEAR(latitude, -51.4772222, kArcsecond / 10);
}

// Not a number of the field's form, or one outside its range, is refused and
// leaves the value alone: garbage after the number, an exponent, a fraction in
// a count, minutes or seconds of 60, a sign with a hemisphere letter, the
// other axis's letter, a value just past a bound, a signed longitude (which
// says no side: "-" is West and "+" East in the usual east-positive reading).
TEST(ParseNumberField, RefusedTextsLeaveTheValue) {
    const struct {
        const NumberField& field;
        const char* text;
    } cases[] = {
        {kCount, "abc"},         {kCount, ""},          {kCount, "   "},          {kCount, "12abc"},
        {kCount, "1e400"},       {kCount, "12.0"},      {kCount, "12.5"},         {kCount, "-1"},
        {kCount, "10000"},       {kCount, "-"},         {kCount, "1 2"},          {kSigned, "32128"},
        {kSigned, "-32128"},     {kDecimal, "1.1999"},  {kDecimal, "100.01"},     {kDecimal, "."},
        {kDecimal, "1e2"},       {kDecimal, "nan"},     {kDecimal, "inf"},        {kDecimal, "6.35.1"},
        {kOpenLow, "40"},        {kOpenLow, "200.001"}, {kOpenLow, "abc"},        {kOpenLow, "300"},
        {kHours, "24:00:01"},    {kHours, "12:60:00"},  {kHours, "12:30:60"},     {kHours, "12:"},
        {kHours, "-0:00:01"},    {kHours, "12:30:00 S"},{kHours, "12:30.5:10"},   {kDeclination, "90:00:01"},
        {kDeclination, "1e400"}, {kLatitude, "95 N"},   {kLatitude, "90.001"},    {kLatitude, "-12 S"},
        {kLatitude, "12 W"},     {kLatitude, "12 N x"}, {kLatitude, "N"},         {kLatitude, "1e400"},
        {kLongitude, "180.01 E"},{kLongitude, "1e400"}, {kLongitude, "12 N"},     {kLongitude, "+12 W"},
        {kLongitude, "-147:43:00"}, {kLongitude, " -12.5"}, {kLongitude, "-0"}, {kLongitude, "+147:43"},
        {kRightAscension, "24"}, {kRightAscension, "24:00:00"}, {kRightAscension, "23:59:59.999"},
    };
    for (const auto& c : cases) {
        double value = 42;
        EXPECT_FALSE(ParseNumberField(c.field, c.text, &value)) << c.field.label << " '" << c.text << "'";
        EXPECT_EQ(value, 42) << c.text;
    }
    double value = 42;
    EXPECT_FALSE(ParseNumberField(kCount, nullptr, &value));
    // Four hundred nines overflow to infinity, which is no number either.
    EXPECT_FALSE(ParseNumberField(kDecimal, std::string(400, '9').c_str(), &value));
    EXPECT_EQ(value, 42);
}

TEST(NumberFieldMessage, NamesTheFieldAndTheRange) {
    const struct {
        const NumberField& field;
        const char* message;
    } cases[] = {
        {kLatitude, "Latitude must be between 0 and 90"},
        {kCount, "Shots must be a whole number between 0 and 9999"},
        {kSigned, "Steps must be a whole number between -32127 and 32127"},
        {kDecimal, "F-Ratio must be between 1.2 and 100"},
        {kOpenLow, "DeltaT must be above 40 and at most 200 s"},
        {kHours, "Time must be between 0 and 24 h"},
        {kRightAscension, "RA must be at least 0 and below 24 h"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberFieldMessage(c.field), c.message);
}

TEST(FindNumberField, ByControlId) {
    const NumberField fields[] = {kCount, kLatitude};
    EXPECT_EQ(FindNumberField(fields, 7), &fields[1]);
    EXPECT_EQ(FindNumberField(fields, 3), nullptr);
}

}  // namespace
