// Editing the comet database: the element texts read into a record with
// their checks, a minor planet's perihelion time from its mean anomaly
// against an exact Kepler solution, and records rewritten, appended and
// removed through a temporary file, a failed write leaving the file intact.
#include "orbits/comet_editing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>

#include "comet_db_fixture.h"
#include "core/julian_day.h"
#include "orbits/comet_lists.h"
#include "orbits/comet_position.h"
#include "platform/files.h"

namespace {

constexpr double kGauss = 0.01720209895;  // radians a day, AU^1.5

CometElementTexts Texts(const char* month = "07", const char* day = "9.5000") {
    CometElementTexts t;
    t.name = "Edited";
    t.year = "2024", t.month = month, t.day = day;
    t.distance = "0.90000", t.meanAnomaly = "", t.eccentricity = "0.60000";
    t.argPerihelion = "165.00000", t.node = "120.00000", t.inclination = "5.00000", t.magnitude = "8.50";
    return t;
}

// Kepler's equation by bisection: the eccentric anomaly of M (radians).
double EccentricAnomaly(double m, double e) {
    double lo = m - 1.0 - e, hi = m + 1.0 + e;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (mid - e * std::sin(mid) - m > 0 ? hi : lo) = mid;
    }
    return 0.5 * (lo + hi);
}

// Every refusal names the field's label and leaves the record as it was;
// the astronomers' day 0 and the last day's fraction are accepted.
TEST(CometElementTexts, RefusedFieldsKeepTheRecord) {
    struct Case {
        const char* what;
        CometElementTexts texts;
        bool comet;
        const char* label;
    };
    auto with = [](auto change) {
        CometElementTexts t = Texts();
        change(t);
        return t;
    };
    const Case cases[] = {
        {"month 13", Texts("13"), true, "Time of perihelion"},
        {"month 0", Texts("0"), true, "Time of perihelion"},
        {"day 32 of July", Texts("07", "32.0"), true, "Time of perihelion"},
        {"day 30 of February 2024", with([](CometElementTexts& t) { t.month = "2", t.day = "30"; }), true,
         "Time of perihelion"},
        {"year out of range", with([](CometElementTexts& t) { t.year = "40000"; }), true, "Time of perihelion"},
        {"letters", with([](CometElementTexts& t) { t.year = "20x4"; }), false, "Epoch"},
        {"q 0", with([](CometElementTexts& t) { t.distance = "0"; }), true, "Perihelion Distance"},
        {"a negative", with([](CometElementTexts& t) { t.distance = "-2"; }), false, "Semi Major Axis"},
        {"M missing", with([](CometElementTexts& t) { t.distance = "2"; }), false, "Mean Anomaly"},
        {"e negative", with([](CometElementTexts& t) { t.eccentricity = "-0.1"; }), true, "Orbit Eccentricity"},
        {"e 1 of a minor planet", with([](CometElementTexts& t) { t.eccentricity = "1", t.meanAnomaly = "5"; }),
         false, "Orbit Eccentricity"},
        {"angle not a number", with([](CometElementTexts& t) { t.node = "nan"; }), true, "Longitude Asc. Node"},
        {"inclination empty", with([](CometElementTexts& t) { t.inclination = ""; }), true, "Inclination"},
        {"magnitude infinite", with([](CometElementTexts& t) { t.magnitude = "inf"; }), true, "Absolute Magnitude"},
        {"exponent form", with([](CometElementTexts& t) { t.distance = "1.5e-3"; }), true, "Perihelion Distance"},
        {"hexadecimal", with([](CometElementTexts& t) { t.node = "0x10"; }), true, "Longitude Asc. Node"},
        {"perihelion time beyond the years", with([](CometElementTexts& t) {
             t.distance = "100000000", t.eccentricity = "0.1", t.meanAnomaly = "359";
         }),
         false, "Mean Anomaly"},
    };
    for (const Case& c : cases) {
        CometRecord record = TestComet("Kept", 2001, 2, 3.0f, 1.5f, 0.3f);
        const CometRecord before = record;
        std::string refused;
        EXPECT_FALSE(ReadCometElementTexts(c.texts, c.comet, &record, &refused)) << c.what;
        EXPECT_EQ(refused, c.label) << c.what;
        EXPECT_EQ(record_writer::CometBytes(record), record_writer::CometBytes(before)) << c.what;
    }
    CometRecord record{};
    std::string refused;
    EXPECT_TRUE(ReadCometElementTexts(Texts("1", "0"), true, &record, &refused));
    EXPECT_TRUE(ReadCometElementTexts(Texts("2", "29.99"), true, &record, &refused));  // 2024 is a leap year
    // Blanks before a whole number: the value checked is the value stored.
    CometElementTexts blanks = Texts(" 12");
    blanks.year = " 2023";
    ASSERT_TRUE(ReadCometElementTexts(blanks, true, &record, &refused));
    EXPECT_EQ(record.year, 2023);
    EXPECT_EQ(record.month, 12);
}

// A comet's texts are stored as they read and shown back the same.
TEST(CometElementTexts, CometRoundTrip) {
    CometRecord record = TestComet("Old", 2001, 2, 3.0f, 1.5f, 0.3f);
    record.slope = 7.5f;
    std::string refused;
    ASSERT_TRUE(ReadCometElementTexts(Texts(), true, &record, &refused));
    EXPECT_EQ(record.kind, kCometRecordKind);
    EXPECT_STREQ(record.name, "Edited");
    EXPECT_EQ(record.year, 2024);
    EXPECT_EQ(record.month, 7);
    EXPECT_EQ(record.day, 9.5f);
    EXPECT_EQ(record.perihelionDistance, 0.9f);
    EXPECT_EQ(record.slope, 7.5f);  // not shown, kept
    const CometElementTexts shown = CometElementTextsOf(record);
    EXPECT_EQ(shown.year, "2024");
    EXPECT_EQ(shown.month, "07");
    EXPECT_EQ(shown.day, "9.5000");
    EXPECT_EQ(shown.distance, "0.90000");
    EXPECT_EQ(shown.magnitude, "8.50");
}

// A minor planet of epoch JD 2453000.5 shows 2003, 12, 27.0000 (Meeus's
// algorithm by hand: JD 2453000.5 is 2003 December 27, 0h).
TEST(CometElementTexts, MinorPlanetEpochShown) {
    CometRecord minor{};
    minor.kind = kMinorPlanetRecordKind;
    minor.epochJulianDay = 2453000.5f;
    minor.semiMajorAxis = 2.5f;
    minor.meanAnomaly = 30.0f;
    const CometElementTexts shown = CometElementTextsOf(minor);
    EXPECT_EQ(shown.year, "2003");
    EXPECT_EQ(shown.month, "12");
    EXPECT_EQ(shown.day, "27.0000");
    EXPECT_EQ(shown.distance, "2.50000");
    EXPECT_EQ(shown.meanAnomaly, "30.00000");
}

// A new minor planet from a 2.5, e 0.1, M 30 at the epoch JD 2453000.5: q is
// a (1 - e), and at the epoch its orbit gives the place of the exact Kepler
// solution of those elements (bisection here) within the distance it moves
// in a quarter of a day, the resolution of the single-precision perihelion
// time.
TEST(CometElementTexts, MinorPlanetPlaceAtItsEpoch) {
    for (double m : {30.0, 200.0, 359.0}) {
        CometElementTexts t = Texts("12", "27.0000");
        t.year = "2003", t.distance = "2.5", t.eccentricity = "0.1", t.meanAnomaly = std::to_string(m);
        CometRecord record{};
        std::string refused;
        ASSERT_TRUE(ReadCometElementTexts(t, false, &record, &refused)) << refused;
        EXPECT_EQ(record.kind, kMinorPlanetRecordKind);
        EXPECT_EQ(record.epochJulianDay, 2453000.5f);
        EXPECT_FLOAT_EQ(record.perihelionDistance, 2.25f);
        FillCometWorkWords(&record);
        float place[3];
        ASSERT_EQ(SolveOrbit(&record, 2453000.5, place), 1);
        const double a = 2.5, e = 0.1;
        const double ea = EccentricAnomaly(m * std::numbers::pi / 180.0, e);
        const double x = a * (std::cos(ea) - e), y = a * std::sqrt(1 - e * e) * std::sin(ea);
        const double r = std::hypot(x, y), speed = kGauss * std::sqrt(2.0 / r - 1.0 / a);
        EXPECT_LT(std::hypot(place[0] - x, place[1] - y), speed * 0.25) << m;
    }
}

class CometRecordStore : public CometDbTest {
protected:
    std::vector<char> FileBytes() const {
        std::ifstream in(std::filesystem::path(folder.root()) / "data" / "zendavori_comet.ppc", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

// A rewritten record reads back equal, the others untouched; a new one is
// appended; a removed one is gone with the rest in order.
TEST_F(CometRecordStore, RewriteAppendRemove) {
    OpenComets({TestComet("A", 2024, 1, 1.0f, 1.0f, 0.5f), TestComet("B", 2024, 2, 2.0f, 2.0f, 0.5f)});
    CometRecord b = TestComet("B", 2024, 2, 2.0f, 2.0f, 0.5f);
    b.perihelionDistance = 1.23456f;
    EXPECT_EQ(SaveCometRecord(1, b), 1);
    CometRecord read{};
    ASSERT_TRUE(GetCometData(1, &read));
    EXPECT_EQ(read.perihelionDistance, 1.23456f);
    ASSERT_TRUE(GetCometData(0, &read));
    EXPECT_STREQ(read.name, "A");
    EXPECT_EQ(SaveCometRecord(-1, TestComet("C", 2024, 3, 3.0f, 3.0f, 0.5f)), 2);
    EXPECT_EQ(GetCometCount(), 3);
    ASSERT_TRUE(DeleteCometRecord(0));
    EXPECT_EQ(GetCometCount(), 2);
    ASSERT_TRUE(GetCometData(0, &read));
    EXPECT_STREQ(read.name, "B");
    ASSERT_TRUE(GetCometData(1, &read));
    EXPECT_STREQ(read.name, "C");
    EXPECT_FALSE(DeleteCometRecord(5));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder.root()) / "data" / "zendavori_comet.ppc.tmp"));
}

// A write that fails part way (a full disk) leaves the database as it was,
// still open and readable, and says so.
TEST_F(CometRecordStore, FailedWriteLeavesTheDatabase) {
    OpenComets({TestComet("A", 2024, 1, 1.0f, 1.0f, 0.5f), TestComet("B", 2024, 2, 2.0f, 2.0f, 0.5f)});
    const std::vector<char> before = FileBytes();
    pl::FailWritesAfter(100);
    EXPECT_EQ(SaveCometRecord(0, TestComet("Z", 2024, 1, 1.0f, 9.0f, 0.5f)), -1);
    pl::FailWritesAfter(-1);
    EXPECT_EQ(FileBytes(), before);
    ASSERT_EQ(services.Texts(), std::vector<std::string>{"Could not save comet database"});
    CometRecord read{};
    ASSERT_TRUE(GetCometData(0, &read));
    EXPECT_STREQ(read.name, "A");
    EXPECT_EQ(GetCometCount(), 2);
}

}  // namespace
