#include "core/angle_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "support/recording_services.h"
#include "support/wrapped_difference.h"

namespace {

constexpr double kHour = kFixUnitsPerDegree;  // units per hour of HmsFixToStr

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
using Writer = char* (*)(char*, std::size_t, T);

// Text of a writer for one value, with the given format word set to code.
template <typename T>
std::string Text(Writer<T> writer, int formatWord, int code, T value) {
    preferences.word[formatWord] = code;
    char buf[32];
    return writer(buf, sizeof buf, value);
}

template <typename T>
struct WriterCase {
    int code;
    T value;
    const char* expected;
    const char* source;
};

template <typename T, std::size_t N>
void ExpectWrites(Writer<T> writer, int formatWord, const WriterCase<T> (&cases)[N]) {
    for (const WriterCase<T>& k : cases) EXPECT_EQ(Text(writer, formatWord, k.code, k.value), k.expected) << k.source;
}

// ---- Parsers ---------------------------------------------------------------

TEST_F(AngleText, PreferenceDefaultsAreLetterForms) {
    preferences = PreferencesBlock{};
    ValidatePreferences();
    EXPECT_EQ(preferences.word[kPrefRaFormat], 2);
    EXPECT_EQ(preferences.word[kPrefDecFormat], 2);
}

TEST_F(AngleText, ParseSexagesimalFields) {
    struct Case {
        const char* text;
        int result, a, b, c;
        const char* source;
    } cases[] = {
        {"", 0, 0, 0, 0, "empty text: not sexagesimal"},
        {"   ", 0, 0, 0, 0, "only blanks count as empty"},
        {"12.5", 0, 12, 0, 0, "plain decimal keeps its integer part"},
        {"12,5", 0, 12, 0, 0, "decimal comma with no other separator"},
        {"12", 1, 12, 0, 0, "bare integer"},
        {"12:30:15", 1, 12, 30, 15, "colon form"},
        {"12h30m15", 1, 12, 30, 15, "letter form"},
        {"12\xB0" "30'15", 1, 12, 30, 15, "degree-sign form"},
        {"12h30.5", 1, 12, 30, 30, "tenths of a minute: 6 s per tenth"},
        {"12h30.57", 1, 12, 30, 30, "only the first digit after the point counts"},
        {"12,30,15", 1, 12, 30, 15, "comma as a field separator when another follows"},
        {" 12:30", 1, 12, 30, 0, "leading blanks skipped"},
        {"-05:10:20", 1, -5, 10, 20, "sign stays with the first field"},
        {"05/12/2026", 1, 5, 12, 2026, "a date"},
    };
    for (const Case& k : cases) {
        int32_t a = -1, b = -1, c = -1;
        EXPECT_EQ(ParseSexagesimal(k.text, ':', &a, &b, &c), k.result) << k.source;
        EXPECT_EQ(a, k.a) << k.source;
        EXPECT_EQ(b, k.b) << k.source;
        EXPECT_EQ(c, k.c) << k.source;
    }
    int32_t a = -1, b = -1, c = -1;
    EXPECT_EQ(ParseSexagesimal(nullptr, ':', &a, &b, &c), 0);
    EXPECT_EQ(a + b + c, 0);
}

TEST_F(AngleText, ParseSignedDegreesValues) {
    struct Case {
        const char* text;
        double expected;
        const char* source;
    } cases[] = {
        {"-00:30:00", -0.5, "sign from the text, not the zero field"},
        {"12.5", 12.5, "plain decimal"},
        {"12", 12.0, "bare integer"},
        {"", 0.0, "empty"},
        {"abc", 0.0, "neither form"},
        {"12,5", 12.5, "decimal comma"},
        {"-1.25", -1.25, "negative decimal"},
        {" 12:30", 12.5, "leading blank"},
        {"  -7:15", -7.25, "blanks before the sign"},
        {"12\xB0" "30'15", 12.0 + 30.0 / 60 + 15.0 / 3600, "degree-sign form"},
        {"-12\xB0" "30.5", -(12.0 + 30.5 / 60), "tenths, negative"},
        {"-89:59:59", -(89.0 + 59.0 / 60 + 59.0 / 3600), "near the pole"},
    };
    for (const Case& k : cases) {
        EXPECT_NEAR(ParseSignedDegrees(k.text), k.expected, 1e-12) << k.source;
        EXPECT_EQ(ParseSignedValue(k.text), ParseSignedDegrees(k.text)) << k.source;
    }
    EXPECT_EQ(ParseSignedDegrees(nullptr), 0.0);
}

TEST_F(AngleText, ParseHoursToDegreesValues) {
    EXPECT_NEAR(ParseHoursToDegrees("12h30.5"), 187.625, 1e-12);  // 12h30m30s
    EXPECT_NEAR(ParseHoursToDegrees("5.5"), 82.5, 1e-12);
    EXPECT_NEAR(ParseHoursToDegrees("23:45:00"), 356.25, 1e-12);
    EXPECT_EQ(ParseHoursToDegrees(""), 0.0);
}

TEST_F(AngleText, HoursSignAppliesToWholeValueNotOnlyHoursField) {
    EXPECT_NEAR(ParseHoursToDegrees("-00:30:00"), -7.5, 1e-12);
    EXPECT_NEAR(ParseHoursToDegrees("-01:30:00"), -22.5, 1e-12);
    EXPECT_NEAR(ParseHoursToDegrees("-00h30.0"), -7.5, 1e-12);
}

// ---- Writers ---------------------------------------------------------------

TEST_F(AngleText, HMSToStrByFormat) {
    const WriterCase<double> cases[] = {
        {1, -1.0, "23:00:00", "negative hours reduced"},
        {1, 23.99999, "00:00:00", "60 s carry into the next day"},
        {0, 5.5, "5.5000", "decimal, no leading zero"},
        {0, -1.0, "23.0000", "decimal, reduced"},
        {2, Hms(12, 30, 15), "12h30m15", "letter form"},
        {2, Hms(6, 7, 8.4), "06h07m08", "seconds rounded down"},
        {2, Hms(6, 7, 8.6), "06h07m09", "seconds rounded up"},
        {3, Hms(12, 30, 0), "12h30.0", "tenths"},
        {3, Hms(12, 30, 1), "12h30.1", "1 s rounds the tenth up"},
        {3, Hms(12, 30, 57), "12h31.0", "57 s carries into the minute"},
        {3, Hms(23, 59, 57), "00h00.0", "tenth carry wraps the day"},
    };
    ExpectWrites<double>(HMSToStr, kPrefRaFormat, cases);
}

TEST_F(AngleText, HMSToStrNeverWritesHour24) {
    // fmod of a tiny negative value plus 24 rounds to exactly 24.0.
    const WriterCase<double> cases[] = {
        {0, -1e-16, "0.0000", "24.0 exactly"},     {1, -1e-16, "00:00:00", "24.0 exactly"},
        {2, -1e-16, "00h00m00", "24.0 exactly"},   {3, -1e-16, "00h00.0", "24.0 exactly"},
        {0, 23.99999, "0.0000", "rounds to 24"},   {0, 23.99994, "23.9999", "stays below 24"},
    };
    ExpectWrites<double>(HMSToStr, kPrefRaFormat, cases);
}

TEST_F(AngleText, UnknownHourFormatWritesLetterFormAndComplains) {
    RecordingServices rec;
    EXPECT_EQ(Text<double>(HMSToStr, kPrefRaFormat, 4, Hms(12, 30, 15)), "12h30m15");
    EXPECT_EQ(Text<double>(HMSToStr, kPrefRaFormat, -1, Hms(12, 30, 15)), "12h30m15");
    EXPECT_EQ(Text<int32_t>(HmsFixToStr, kPrefRaFormat, 9, Fix(12.5)), "12h30m00");
    const std::vector<std::string> expected = {"HMSToStr Unkown hour format", "HMSToStr Unkown hour format",
                                               "HmsFixToStr Unknown hour format."};
    EXPECT_EQ(rec.Texts(), expected);
    for (const RecordedMessage& m : rec.messages) EXPECT_EQ(m.detail, "");
}

TEST_F(AngleText, HoursToHMSTextTruncates) {
    // Written whatever the preferences: the code is ignored.
    const WriterCase<double> cases[] = {
        {0, -15.0, "23:00:00", "reduced"},
        {3, 7.5, "00:30:00", "half an hour"},
        {2, 187.5, "12:30:00", "12.5 h"},
        {1, 359.9999, "23:59:59", "truncated, not rounded"},
        {1, 360.0, "00:00:00", "full circle"},
        {1, -1e-14, "00:00:00", "360 - 1e-14 is 360.0: never hour 24"},
        {1, 15.0 * Hms(1, 2, 3.9), "01:02:03", "seconds truncated"},
    };
    ExpectWrites<double>(HoursToHMSText, kPrefRaFormat, cases);
}

TEST_F(AngleText, DegToStrByFormat) {
    const WriterCase<double> cases[] = {
        {2, -0.25, "-00\xB0" "15'00", "sign kept on a zero degrees field"},
        {0, -0.25, "-0.2500", "decimal, signed argument"},
        {0, 400.5, "400.5000", "decimal, not reduced"},
        {1, 359.99999, "00:00:00", "half arcsecond carries to 360, which wraps"},
        {1, -(89 + 59 / 60.0 + 59 / 3600.0), "-89:59:59", "colon form"},
        {2, 400.5, "40\xB0" "30'00", "degrees field mod 360"},
        {3, 12.5, "12\xB0" "30.0", "tenths"},
        {3, 12 + 30 / 60.0 + 59 / 3600.0, "12\xB0" "30.9", "tenth truncated"},
        {3, -70.75, "-70\xB0" "45.0", "negative tenths"},
        {5, -70.75, "-70:45:00", "unknown code: colon form"},
        {-1, 70.75, "70:45:00", "negative code: colon form"},
    };
    RecordingServices rec;
    ExpectWrites<double>(DegToStr, kPrefDecFormat, cases);
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(AngleText, HmsFixToStrByFormat) {
    const WriterCase<int32_t> cases[] = {
        {0, Fix(5.05), "05.050", "hours and thousandths"},
        {1, Fix(12.5), "12:30:00", "colon form"},
        {2, Fix(Hms(12, 30, 15)), "12h30m15", "letter form"},
        {2, Fix(Hms(12, 30, 15)) - 60, "12h30m14", "0.6 s added, then truncated"},
        {3, Fix(Hms(12, 30, 57)), "12h30.9", "tenth truncated"},
        {1, static_cast<int32_t>(24 * kHour) - 10, "00:00:00", "never hour 24"},
        {1, -static_cast<int32_t>(kHour), "23:00:00", "negative reduced, not 00:-59:-59"},
        {0, static_cast<int32_t>(24 * kHour), "00.000", "decimal, never hour 24"},
    };
    ExpectWrites<int32_t>(HmsFixToStr, kPrefRaFormat, cases);
}

TEST_F(AngleText, AngleFixToStrByFormat) {
    const WriterCase<int32_t> cases[] = {
        {1, -10, "-00:00:00", "sign stands on all-zero fields"},
        {0, Fix(12.345), "12.345", "degrees and thousandths"},
        {0, -Fix(5.05), "-05.050", "negative thousandths"},
        {2, Fix(-70.75), "-70\xB0" "45'00", "degree-sign form"},
        {3, Fix(12 + 30 / 60.0 + 57 / 3600.0), "12\xB0" "31.0", "tenth rounded up by 5 s"},
        {3, Fix(12.5), "12\xB0" "30.0", "whole minute"},
        {2, Fix(360.0), "00\xB0" "00'00", "degrees field mod 360"},
        {4, Fix(-70.75), "-70:45:00", "unknown code: colon form"},
    };
    RecordingServices rec;
    ExpectWrites<int32_t>(AngleFixToStr, kPrefDecFormat, cases);
    EXPECT_TRUE(rec.messages.empty());
}

TEST_F(AngleText, WritersNeverOverrunTheBuffer) {
    SetFormats(2, 2);
    char buf[6];
    for (int i = 0; i < 4; ++i) {
        buf[sizeof buf - 1] = 'x';
        switch (i) {
        case 0: HMSToStr(buf, sizeof buf, 12.5); break;
        case 1: HmsFixToStr(buf, sizeof buf, Fix(12.5)); break;
        case 2: DegToStr(buf, sizeof buf, -70.75); break;
        case 3: AngleFixToStr(buf, sizeof buf, Fix(-70.75)); break;
        }
        EXPECT_EQ(std::string(buf).size(), sizeof buf - 1) << i;
    }
}

TEST_F(AngleText, NonFiniteValuesAreWrittenAsSuch) {
    SetFormats(1, 1);
    char buf[32];
    EXPECT_EQ(std::string(HMSToStr(buf, sizeof buf, NAN)), "nan");
    EXPECT_EQ(std::string(DegToStr(buf, sizeof buf, -INFINITY)), "-inf");
    EXPECT_EQ(std::string(HoursToHMSText(buf, sizeof buf, INFINITY)), "inf");
}

// ---- Round trips -----------------------------------------------------------

const double kHourGrid[] = {-5.25, -0.5, 0.0, 0.0001, 6.123456, 12.5, Hms(23, 59, 59.9), 23.5, 30.25};
const double kDegreeGrid[] = {-(89 + 59 / 60.0 + 59 / 3600.0), -45.5, -0.25, 0.0, 0.00001, 12.3456, 45.5,
                              89 + 59 / 60.0 + 59 / 3600.0, 179.99};

// Worst error of each code, in seconds of time or of arc: 4 decimals of the
// unit, the rounding or truncation of seconds, or a tenth of a minute.
const double kHmsResolution[] = {0.18 + 1e-6, 0.5 + 1e-6, 0.5 + 1e-6, 6.0};
const double kFixResolution[] = {3.6 + 0.6, 0.6 + 1.0, 0.6 + 1.0, 6.0 + 0.6};
const double kDegResolution[] = {0.18 + 1e-6, 0.5 + 1e-6, 0.5 + 1e-6, 6.0};

TEST_F(AngleText, HourFormatsRoundTrip) {
    char buf[32];
    for (int code = 0; code <= 3; ++code) {
        SetFormats(code, 2);
        for (double h : kHourGrid) {
            const double back = ParseHoursToDegrees(HMSToStr(buf, sizeof buf, h)) / 15.0;
            EXPECT_LE(std::fabs(WrappedDifference(back, h, 24.0)) * 3600.0, kHmsResolution[code]) << code << " " << buf;
            const double hPositive = std::fmod(h + 24.0, 24.0);
            const double fixBack = ParseHoursToDegrees(HmsFixToStr(buf, sizeof buf, Fix(hPositive))) / 15.0;
            EXPECT_LE(std::fabs(WrappedDifference(fixBack, hPositive, 24.0)) * 3600.0, kFixResolution[code]) << code << " " << buf;
        }
    }
    for (double h : kHourGrid) {
        const double back = ParseHoursToDegrees(HoursToHMSText(buf, sizeof buf, h * 15.0)) / 15.0;
        EXPECT_LE(std::fabs(WrappedDifference(back, h, 24.0)) * 3600.0, 1.0) << buf;
    }
}

TEST_F(AngleText, DegreeFormatsRoundTrip) {
    char buf[32];
    for (int code = 0; code <= 3; ++code) {
        SetFormats(2, code);
        for (double d : kDegreeGrid) {
            const double back = ParseSignedDegrees(DegToStr(buf, sizeof buf, d));
            EXPECT_LE(std::fabs(back - d) * 3600.0, kDegResolution[code]) << code << " " << buf;
            const double fixBack = ParseSignedDegrees(AngleFixToStr(buf, sizeof buf, Fix(d)));
            EXPECT_LE(std::fabs(fixBack - d) * 3600.0, kFixResolution[code]) << code << " " << buf;
        }
    }
}

}  // namespace
