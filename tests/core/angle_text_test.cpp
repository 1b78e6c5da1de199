#include "core/angle_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "support/recording_services.h"
#include "support/wrapped_difference.h"

namespace {

class AngleText : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override { ResetSharedState(); }
    static void SetFormats(int ra, int dec) {
        preferences.word[kPrefRaFormat] = ra;
        preferences.word[kPrefDecFormat] = dec;
    }
};

double Hms(double h, double m, double s) { return h + m / 60.0 + s / 3600.0; }
int32_t Fix(double value) { return static_cast<int32_t>(std::lround(value * kFixUnitsPerDegree)); }

template <typename T>
struct WriterCase {
    int code;
    T value;
    const char* expected;
};

// Checks each case of a writer, with the given format word set to the case's code.
template <typename T, std::size_t N>
void ExpectWrites(char* (*writer)(char*, std::size_t, T), int formatWord, const WriterCase<T> (&cases)[N]) {
    for (const WriterCase<T>& k : cases) {
        preferences.word[formatWord] = k.code;
        char buf[32];
        EXPECT_EQ(std::string(writer(buf, sizeof buf, k.value)), k.expected) << k.code << ' ' << k.value;
    }
}

// ---- Parsers ---------------------------------------------------------------

TEST_F(AngleText, ParseSexagesimalFields) {
    const struct Case { const char* text; std::array<int32_t, 4> resultAndFields; } cases[] = {
        // Plain decimals (point or comma alone) are not sexagesimal; decimal minutes (after a point,
        // or a comma unless commas separate the fields) give their whole seconds; leading blanks are
        // skipped; the sign stays on the first field.
        {"", {0, 0, 0, 0}},             {"12.5", {0, 12, 0, 0}},        {"12,5", {0, 12, 0, 0}},
        {"12", {1, 12, 0, 0}},          {"12:30:15", {1, 12, 30, 15}},  {"12h30m15", {1, 12, 30, 15}},
        {"12\xB0" "30'15", {1, 12, 30, 15}}, {"12h30.5", {1, 12, 30, 30}}, {"12h30.57", {1, 12, 30, 34}},
        {"40:0,9", {1, 40, 0, 54}},     {"12:34:56.7", {1, 12, 34, 56}},
        {"12,30,15", {1, 12, 30, 15}},  {" 12:30", {1, 12, 30, 0}},     {"-05:10:20", {1, -5, 10, 20}},
        {"05/12/2026", {1, 5, 12, 2026}},
        // A field beyond 32 bits is no value (it wrapped: 4294967297 read as 1); a plain decimal keeps its
        // integer part held at the range's end.
        {"4294967297", {-1, 0, 0, 0}},  {"12:4294967330:00", {-1, 0, 0, 0}}, {"-5:30:4294967297", {-1, 0, 0, 0}},
        {"4294967297.5", {0, INT32_MAX, 0, 0}},
    };
    for (const Case& k : cases) {
        std::array<int32_t, 4> got{0, -1, -1, -1};
        got[0] = ParseSexagesimal(k.text, ':', &got[1], &got[2], &got[3]);
        EXPECT_EQ(got, k.resultAndFields) << k.text;
    }
    std::array<int32_t, 4> got{-1, -1, -1, -1};
    got[0] = ParseSexagesimal(nullptr, ':', &got[1], &got[2], &got[3]);
    EXPECT_EQ(got, (std::array<int32_t, 4>{}));
}

TEST_F(AngleText, ParseSignedDegreesValues) {
    const struct Case { const char* text; double expected; } cases[] = {
        {"-00:30:00", -0.5}, {"12.5", 12.5},  {"12", 12.0},     {"", 0.0},         {"12,5", 12.5},
        {" 12:30", 12.5},    {"  -7:15", -7.25}, {"12\xB0" "30'15", 12.0 + 30.0 / 60 + 15.0 / 3600},
        {"-12\xB0" "30.5", -(12.0 + 30.5 / 60)}, {"-89:59:59", -(89.0 + 59.0 / 60 + 59.0 / 3600)},
    };
    for (const Case& k : cases) {
        EXPECT_NEAR(ParseSignedDegrees(k.text), k.expected, 1e-12) << k.text;
        EXPECT_NEAR(ParseSignedValue(k.text), k.expected, 1e-12) << k.text;
    }
    EXPECT_EQ(ParseSignedDegrees(nullptr), 0.0);
}

// Only the first decimal of the minutes was read ("51:28.65" as 51 deg 28.6'),
// the seconds' decimals were dropped, and a decimal comma in the minutes was
// read as the seconds' separator ("40:0,9" as 40 deg 00' 09"). The mounts'
// replies ("HH:MM.T", "sDD*MM", "sDD*MM'SS") read as before. Values by hand.
TEST_F(AngleText, MinutesAndSecondsKeepEveryDecimal) {
    const struct Case { const char* text; double expected; } cases[] = {
        {"51:28.65", 51 + 28.65 / 60},        {"40:0,9", 40 + 0.9 / 60},          {"-33:52,13", -(33 + 52.13 / 60)},
        {"12:34:56.7", Hms(12, 34, 56.7)},    {"12:34:56,75", Hms(12, 34, 56.75)}, {"-0:0:0.5", -Hms(0, 0, 0.5)},
        {"147\xB0" "43,5'", 147 + 43.5 / 60}, {"12 30.125", 12 + 30.125 / 60},    {"12,30,15", Hms(12, 30, 15)},
        {"12,5\xB0", 12.5},                   {"05:30.0", 5.5},                    {"12:34.5", 12 + 34.5 / 60},
        {"+45*30", 45.5},                      {"-45*30'15", -Hms(45, 30, 15)},     {"-05\xDF" "07", -Hms(5, 7, 0)},
    };
    for (const Case& k : cases) EXPECT_NEAR(ParseSignedDegrees(k.text), k.expected, 1e-12) << k.text;
    EXPECT_NEAR(ParseHoursToDegrees("05:30.25"), 82.5625, 1e-12);
}

// Whole numbers beyond 32 bits wrapped: the memo's Dec "4294967341" was read
// as +45, "-4294967321" as -25, 10^34 - 45 as -45, an RA "4294967297" as 1 h.
TEST_F(AngleText, WholeNumberBeyond32BitsReadsAsNoValue) {
    const std::string longDigits = std::string(32, '9') + "55";
    for (const char* text : {"4294967341", "-4294967321", longDigits.c_str(), "4294967297", "10:4294967297:00"}) {
        EXPECT_TRUE(std::isnan(ParseSignedDegrees(text))) << text;
        EXPECT_TRUE(std::isnan(ParseHoursToDegrees(text))) << text;
    }
    EXPECT_EQ(ParseSignedDegrees("2147483647"), 2147483647.0);
}

// The text's sign once applied to the hours field alone, so "-00:30:00" read as +7.5 degrees.
TEST_F(AngleText, HoursSignAppliesToWholeValueNotOnlyHoursField) {
    const struct Case { const char* text; double degrees; } cases[] = {
        {"-00:30:00", -7.5}, {"-01:30:00", -22.5}, {"-00h30.0", -7.5}, {"12h30.5", 187.625}, {"5.5", 82.5},
        {"23:45:00", 356.25}, {"", 0.0}};
    for (const Case& k : cases) EXPECT_NEAR(ParseHoursToDegrees(k.text), k.degrees, 1e-12) << k.text;
}

// ---- Writers ---------------------------------------------------------------

// fmod of a tiny negative value plus 24 rounds to exactly 24.0, which once gave hour 24.
TEST_F(AngleText, HMSToStrByFormatNeverWritesHour24) {
    const WriterCase<double> cases[] = {
        {1, -1.0, "23:00:00"},          {1, 23.99999, "00:00:00"},      {0, 5.5, "5.5000"},
        {0, -1.0, "23.0000"},           {2, Hms(12, 30, 15), "12h30m15"}, {2, Hms(6, 7, 8.6), "06h07m09"},
        {3, Hms(12, 30, 0), "12h30.0"}, {3, Hms(12, 30, 1), "12h30.1"}, {3, Hms(12, 30, 57), "12h31.0"},
        {3, Hms(23, 59, 57), "00h00.0"}, {0, -1e-16, "0.0000"},         {1, -1e-16, "00:00:00"},
        {2, -1e-16, "00h00m00"},        {3, -1e-16, "00h00.0"},         {0, 23.99999, "0.0000"},
        {0, 23.99994, "23.9999"},
    };
    ExpectWrites(HMSToStr, kPrefRaFormat, cases);
}

TEST_F(AngleText, UnknownHourFormatWritesLetterFormAndComplains) {
    RecordingServices rec;
    ExpectWrites(HMSToStr, kPrefRaFormat,
                 {WriterCase<double>{4, Hms(12, 30, 15), "12h30m15"}, {-1, Hms(12, 30, 15), "12h30m15"}});
    ExpectWrites(HmsFixToStr, kPrefRaFormat, {WriterCase<int32_t>{9, Fix(12.5), "12h30m00"}});
    const std::vector<std::string> expected = {"HMSToStr Unkown hour format", "HMSToStr Unkown hour format",
                                               "HmsFixToStr Unknown hour format."};
    EXPECT_EQ(rec.Texts(), expected);
    for (const RecordedMessage& m : rec.messages) EXPECT_EQ(m.detail, "");
}

// Truncating, whatever the format code; 360 - 1e-14 is 360.0 and must not give hour 24.
TEST_F(AngleText, HoursToHMSTextTruncatesAndNeverWritesHour24) {
    const WriterCase<double> cases[] = {{0, -15.0, "23:00:00"}, {3, 7.5, "00:30:00"}, {1, 359.9999, "23:59:59"},
                                        {1, 360.0, "00:00:00"}, {1, -1e-14, "00:00:00"}};
    ExpectWrites(HoursToHMSText, kPrefRaFormat, cases);
}

// Whole degrees to the nearest, half away from zero (-0.7 is -1, not the 0 a cut toward zero
// gave); an azimuth within one turn, 359.6 reading 0; nothing that is not a number reads 0.
TEST_F(AngleText, WholeDegreesRoundToTheNearest) {
    const struct {
        double degrees;
        int whole, azimuth;
    } cases[] = {{-0.7, -1, 359},  {-0.4, 0, 0},       {-13.7, -14, 346}, {77.796, 78, 78},   {2.5, 3, 3},
                 {359.6, 360, 0},   {359.4, 359, 359}, {720.7, 721, 1},   {-359.6, -360, 0}, {NAN, 0, 0},
                 {3e9, 0, 120}};
    for (const auto& c : cases) {
        EXPECT_EQ(WholeDegrees(c.degrees), c.whole) << c.degrees;
        EXPECT_EQ(WholeAzimuth(c.degrees), c.azimuth) << c.degrees;
    }
}

TEST_F(AngleText, DegToStrByFormat) {
    const WriterCase<double> cases[] = {
        {2, -0.25, "-00\xB0" "15'00"},    {0, -0.25, "-0.2500"},     {0, 400.5, "400.5000"},
        {1, 359.99999, "00:00:00"},       {1, -(89 + 59 / 60.0 + 59 / 3600.0), "-89:59:59"},
        {2, 400.5, "40\xB0" "30'00"},     {3, 12.5, "12\xB0" "30.0"}, {3, Hms(12, 30, 59), "12\xB0" "30.9"},
        {3, -70.75, "-70\xB0" "45.0"},    {5, -70.75, "-70:45:00"},   {-1, 70.75, "70:45:00"},
    };
    RecordingServices rec;
    ExpectWrites(DegToStr, kPrefDecFormat, cases);
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(AngleText, HmsFixToStrByFormat) {
    const WriterCase<int32_t> cases[] = {
        {0, Fix(5.05), "05.050"},        {1, Fix(12.5), "12:30:00"},
        {2, Fix(Hms(12, 30, 15)), "12h30m15"}, {2, Fix(Hms(12, 30, 15)) - 60, "12h30m14"},  // 0.6 s, truncated
        {3, Fix(Hms(12, 30, 57)), "12h30.9"},  {1, 24 * kFixUnitsPerDegree - 10, "00:00:00"},
        {1, -kFixUnitsPerDegree, "23:00:00"}, {0, 24 * kFixUnitsPerDegree, "00.000"},
    };
    ExpectWrites(HmsFixToStr, kPrefRaFormat, cases);
}

TEST_F(AngleText, AngleFixToStrByFormat) {
    const WriterCase<int32_t> cases[] = {
        {1, -10, "-00:00:00"},                 {0, Fix(12.345), "12.345"},
        {0, -Fix(5.05), "-05.050"},            {2, Fix(-70.75), "-70\xB0" "45'00"},
        {3, Fix(Hms(12, 30, 57)), "12\xB0" "31.0"}, {2, Fix(360.0), "00\xB0" "00'00"},
        {4, Fix(-70.75), "-70:45:00"},
    };
    RecordingServices rec;
    ExpectWrites(AngleFixToStr, kPrefDecFormat, cases);
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(AngleText, WritersNeverOverrunTheBuffer) {
    char buf[6];
    const std::string written[] = {HMSToStr(buf, sizeof buf, 12.5), HmsFixToStr(buf, sizeof buf, Fix(12.5)),
                                   DegToStr(buf, sizeof buf, -70.75), AngleFixToStr(buf, sizeof buf, Fix(-70.75))};
    for (const std::string& s : written) EXPECT_EQ(s.size(), sizeof buf - 1) << s;
}

TEST_F(AngleText, NonFiniteValuesAreWrittenAsSuch) {
    SetFormats(1, 1);
    char buf[32];
    EXPECT_EQ(std::string(HMSToStr(buf, sizeof buf, NAN)), "nan");
    EXPECT_EQ(std::string(DegToStr(buf, sizeof buf, -INFINITY)), "-inf");
    EXPECT_EQ(std::string(HoursToHMSText(buf, sizeof buf, INFINITY)), "inf");
}

// Beyond about 5e304 degrees the seconds product is infinite, and beyond
// about 3e306 the minutes product too: those fields are 0. The others as
// Python's IEEE doubles give them (math.fmod): 1e305 -> 280 degrees (1e305
// mod 360 in exact integers), minutes fmod(6e306, 60) = 12; 3e306 -> 160.
TEST_F(AngleText, DegToStrOfHugeAnglesWritesDefinedFields) {
    char buf[32];
    SetFormats(1, 1);
    EXPECT_EQ(std::string(DegToStr(buf, sizeof buf, 1e305)), "280:12:00");
    EXPECT_EQ(std::string(DegToStr(buf, sizeof buf, -3e306)), "-160:00:00");
    SetFormats(1, 3);
    EXPECT_EQ(std::string(DegToStr(buf, sizeof buf, 1e305)), "280\xB0" "12.0");
}

// ---- Round trips -----------------------------------------------------------

const double kHourGrid[] = {-5.25, -0.5, 0.0, 0.0001, 6.123456, 12.5, Hms(23, 59, 59.9), 23.5, 30.25};
const double kDegreeGrid[] = {-Hms(89, 59, 59), -45.5, -0.25, 0.0, 0.00001, 12.3456, 45.5, Hms(89, 59, 59), 179.99};

// Worst error of each code, in seconds of time or of arc: 4 decimals of the
// unit, the rounding or truncation of seconds, or a tenth of a minute.
const double kResolution[] = {0.18 + 1e-6, 0.5 + 1e-6, 0.5 + 1e-6, 6.0};
const double kFixResolution[] = {3.6 + 0.6, 0.6 + 1.0, 0.6 + 1.0, 6.0 + 0.6};

TEST_F(AngleText, EveryFormatRoundTrips) {
    char buf[32];
    auto hoursError = [](double back, double h) { return std::fabs(WrappedDifference(back / 15, h, 24.0)) * 3600; };
    for (int code = 0; code <= 3; ++code) {
        SetFormats(code, code);
        for (double h : kHourGrid) {
            EXPECT_LE(hoursError(ParseHoursToDegrees(HMSToStr(buf, sizeof buf, h)), h), kResolution[code]) << buf;
            const double hPositive = std::fmod(h + 24.0, 24.0);
            EXPECT_LE(hoursError(ParseHoursToDegrees(HmsFixToStr(buf, sizeof buf, Fix(hPositive))), hPositive),
                      kFixResolution[code]) << buf;
            EXPECT_LE(hoursError(ParseHoursToDegrees(HoursToHMSText(buf, sizeof buf, h * 15.0)), h), 1.0) << buf;
        }
        for (double d : kDegreeGrid) {
            EXPECT_LE(std::fabs(ParseSignedDegrees(DegToStr(buf, sizeof buf, d)) - d) * 3600, kResolution[code]) << buf;
            EXPECT_LE(std::fabs(ParseSignedDegrees(AngleFixToStr(buf, sizeof buf, Fix(d))) - d) * 3600,
                      kFixResolution[code]) << buf;
        }
    }
}

}  // namespace
