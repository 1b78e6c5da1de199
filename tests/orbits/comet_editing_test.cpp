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
#include <utility>
#include <vector>

#include "catalog/designations.h"
#include "catalog/listed_comets.h"
#include "catalog/listed_places.h"
#include "catalog/memo.h"
#include "catalog/selection_list.h"
#include "comet_db_fixture.h"
#include "core/julian_day.h"
#include "orbits/comet_lists.h"
#include "orbits/comet_position.h"
#include "platform/files.h"
#include "support/list_entries.h"

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

// Every refusal is the field's message with its range, and leaves the record
// as it was; the astronomers' day 0 and the next month's first are accepted.
TEST(CometElementTexts, RefusedFieldsKeepTheRecord) {
    struct Case {
        const char* what;
        CometElementTexts texts;
        bool comet;
        const char* message;
    };
    auto with = [](auto change) {
        CometElementTexts t = Texts();
        change(t);
        return t;
    };
    const char* const month = "Month must be a whole number between 1 and 12";
    const char* const year = "Year must be a whole number between -32768 and 32767";
    const char* const q = "Perihelion Distance must be between 0.00001 and 10000 AU";
    const char* const node = "Longitude Asc. Node must be between 0 and 360\xB0";
    const char* const inclination = "Inclination must be between 0 and 180\xB0";
    const char* const minorE = "Orbit Eccentricity must be between 0 and 0.99999";
    const Case cases[] = {
        {"month 13", Texts("13"), true, month},
        {"month 0", Texts("0"), true, month},
        {"day 32.5 of July", Texts("07", "32.5"), true, "Day must be between 0 and 32"},
        {"day 30.5 of February 2024", with([](CometElementTexts& t) { t.month = "2", t.day = "30.5"; }), true,
         "Day must be between 0 and 30"},
        {"year out of range", with([](CometElementTexts& t) { t.year = "40000"; }), true, year},
        {"letters", with([](CometElementTexts& t) { t.year = "20x4"; }), false, year},
        {"q 0", with([](CometElementTexts& t) { t.distance = "0"; }), true, q},
        {"q below the least single-precision value",
         with([](CometElementTexts& t) { t.distance = "0." + std::string(50, '0') + "1"; }), true, q},
        {"a negative", with([](CometElementTexts& t) { t.distance = "-2"; }), false,
         "Semi Major Axis must be between 0.00001 and 10000 AU"},
        {"M missing", with([](CometElementTexts& t) { t.distance = "2"; }), false,
         "Mean Anomaly must be between 0 and 360\xB0"},
        {"e negative", with([](CometElementTexts& t) { t.eccentricity = "-0.1"; }), true,
         "Orbit Eccentricity must be between 0 and 100"},
        {"e 1 of a minor planet", with([](CometElementTexts& t) { t.eccentricity = "1", t.meanAnomaly = "5"; }),
         false, minorE},
        {"e that the display shows as 1",
         with([](CometElementTexts& t) { t.eccentricity = "0.999996", t.meanAnomaly = "5"; }), false, minorE},
        {"q that the display shows as 0", with([](CometElementTexts& t) { t.distance = "0.000004"; }), true, q},
        {"angle not a number", with([](CometElementTexts& t) { t.node = "nan"; }), true, node},
        {"node 360.5", with([](CometElementTexts& t) { t.node = "360.5"; }), true, node},
        {"two signs", with([](CometElementTexts& t) { t.node = "+-5"; }), true, node},
        {"inclination empty", with([](CometElementTexts& t) { t.inclination = ""; }), true, inclination},
        {"magnitude infinite", with([](CometElementTexts& t) { t.magnitude = "inf"; }), true,
         "Absolute Magnitude must be between -100 and 100"},
        {"exponent form", with([](CometElementTexts& t) { t.distance = "1.5e-3"; }), true, q},
        {"hexadecimal", with([](CometElementTexts& t) { t.node = "0x10"; }), true, node},
        {"perihelion time beyond the years", with([](CometElementTexts& t) {
             t.distance = "5000", t.eccentricity = "0.1", t.meanAnomaly = "359";
         }),
         false, "The perihelion time of these elements falls outside the years -32767 to 32767"},
    };
    for (const Case& c : cases) {
        CometRecord record = TestComet("Kept", 2001, 2, 3.0f, 1.5f, 0.3f);
        const CometRecord before = record;
        std::string refused;
        EXPECT_FALSE(ReadCometElementTexts(c.texts, c.comet, &record, &refused)) << c.what;
        EXPECT_EQ(refused, c.message) << c.what;
        EXPECT_EQ(record_writer::CometBytes(record), record_writer::CometBytes(before)) << c.what;
    }
    CometRecord record{};
    std::string refused;
    EXPECT_TRUE(ReadCometElementTexts(Texts("1", "0"), true, &record, &refused));
    EXPECT_TRUE(ReadCometElementTexts(Texts("2", "30"), true, &record, &refused));  // 2024 is a leap year
    // Blanks and a sign around a number: the value checked is the value stored,
    // the single-precision value nearest to the text (18.952 was refused by a
    // reader that was not correctly rounded).
    CometElementTexts blanks = Texts(" 12");
    blanks.year = " 2023", blanks.node = " +18.952 ";
    ASSERT_TRUE(ReadCometElementTexts(blanks, true, &record, &refused));
    EXPECT_EQ(std::vector<float>({float(record.year), float(record.month), record.node}),
              std::vector<float>({2023, 12, 18.952f}));
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
    // The shown texts of `records` taken back with nothing edited keep every byte;
    // `save` writes each taken record with SaveCometRecord (else all at once by
    // the record writer) and reads it back as stored.
    void ExpectSavedAsShown(const std::vector<CometRecord>& records, bool save) {
        std::vector<CometRecord> taken;
        for (const CometRecord& r : records) {
            const CometElementTexts shown = CometElementTextsOf(r);
            CometRecord t = r;
            std::string refused;
            ASSERT_TRUE(ReadCometElementTexts(shown, r.kind == kCometRecordKind, &t, &refused)) << r.name << refused;
            EXPECT_EQ(record_writer::CometBytes(t), record_writer::CometBytes(r)) << r.name;
            if (save) {
                EXPECT_EQ(SaveCometRecord(static_cast<int>(taken.size()), t), static_cast<int>(taken.size()));
            }
            taken.push_back(t);
        }
        if (!save) OpenComets(taken);
        for (std::size_t i = 0; i < taken.size(); ++i) {
            CometRecord read{};
            ASSERT_TRUE(GetCometData(static_cast<int>(i), &read));
            EXPECT_EQ(record_writer::CometBytes(read), record_writer::CometBytes(taken[i])) << taken[i].name;
        }
    }
};

// A rewritten record reads back equal, the others untouched; a new one is
// appended; a removed one is gone with the rest in order. A rewrite counts as
// a change of the list, whose comets are placed from the records; the list's
// entries of later records follow them, the removed one's has no place.
TEST_F(CometRecordStore, RewriteAppendRemove) {
    OpenComets({TestComet("A", 2024, 1, 1.0f, 1.0f, 0.5f), TestComet("B", 2024, 2, 2.0f, 2.0f, 0.5f)});
    CometRecord b = TestComet("B", 2024, 2, 2.0f, 2.0f, 0.5f);
    b.perihelionDistance = 1.23456f;
    const uint32_t listChanges = selectionListChanges;
    EXPECT_EQ(SaveCometRecord(1, b), 1);
    EXPECT_NE(selectionListChanges, listChanges);
    CometRecord read{};
    ASSERT_TRUE(GetCometData(1, &read));
    EXPECT_EQ(read.perihelionDistance, 1.23456f);
    ASSERT_TRUE(GetCometData(0, &read));
    EXPECT_STREQ(read.name, "A");
    EXPECT_EQ(SaveCometRecord(-1, TestComet("C", 2024, 3, 3.0f, 3.0f, 0.5f)), 2);
    EXPECT_EQ(GetCometCount(), 3);
    ASSERT_TRUE(AllocSelectionList());
    selectionList[0] = ListEntry("A", kDesignationComet, 0, 13, 0.0f, 0.0f);
    selectionList[1] = ListEntry("C", kDesignationComet, 2, 13, 0.0f, 0.0f);
    selectionCount = 2;
    ASSERT_TRUE(DeleteCometRecord(0));
    selectionList[0].placeUnknown = 0;  // as a list file loads it
    RefreshMovingSelectionEntries(2024, 2, 1, 0, 0, 0);
    EXPECT_EQ((std::vector<int64_t>{selectionList[0].number, selectionList[0].placeUnknown, selectionList[1].number}),
              (std::vector<int64_t>{-1, 1, 1}));
    FreeSelectionList();
    EXPECT_EQ(GetCometCount(), 2);
    ASSERT_TRUE(GetCometData(0, &read));
    EXPECT_STREQ(read.name, "B");
    ASSERT_TRUE(GetCometData(1, &read));
    EXPECT_STREQ(read.name, "C");
    EXPECT_FALSE(DeleteCometRecord(5));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder.root()) / "data" / "zendavori_comet.ppc.tmp"));
}

// Comet entries find their records by name (entry names as the list keeps them, 14
// characters; numbers as saved): a record renamed so that its name goes on after a space
// keeps its entry, a record of exactly the entry's name comes first, another comet whose
// name merely begins alike ("C/2027 Z10") is never taken, and a record holds one entry.
// The renamed record lost its entry, which was then shown without a place.
TEST_F(CometRecordStore, RenamedRecordKeepsItsEntryByItsName) {
    const struct {
        const char* why;
        std::vector<const char*> records;
        std::vector<std::pair<const char*, int>> entries;  // name, number held
        std::vector<int64_t> numbers;                      // afterwards
    } cases[] = {
        {"renamed", {"C/2027 Z10", "C/2027 Z1 (PanSTARRS)"}, {{"C/2027 Z1", 1}}, {1}},
        {"stale number", {"C/2027 Z10", "C/2027 Z1 (PanSTARRS)"}, {{"C/2027 Z1", 0}}, {1}},
        {"beyond the file", {"C/2027 Z1 (PanSTARRS)"}, {{"C/2027 Z1", 7}}, {0}},
        {"only alike", {"C/2027 Z10", "C/2027 Z1X"}, {{"C/2027 Z1", 0}}, {-1}},
        {"same name first", {"C/2027 Z1 (PanSTARRS)", "C/2027 Z1"}, {{"C/2027 Z1", 5}}, {1}},
        {"same name beats continued", {"P/2003 F2", "P/2003 F2 (NEAT)"},
         {{"P/2003 F2", 1}, {"P/2003 F2 (NEA", 2}}, {0, 1}},
        {"one entry a record", {"C/2027 Z1 (PanSTARRS)"}, {{"C/2027 Z1", 0}, {"C/2027 Z1", 0}}, {0, -1}},
        {"renamed, then its old name added", {"C/2027 Z1 (PanSTARRS)", "C/2027 Z1"}, {{"C/2027 Z1", 0}}, {0}},
    };
    for (const auto& c : cases) {
        std::vector<CometRecord> records;
        for (const char* name : c.records) records.push_back(TestComet(name, 2027, 3, 10.0f, 1.1f, 0.8f));
        OpenComets(records);
        ASSERT_TRUE(AllocSelectionList());
        selectionCount = 0;
        for (const auto& [name, number] : c.entries)
            selectionList[selectionCount++] = ListEntry(name, kDesignationComet, number, 13, 0.0f, 0.0f);
        MatchListedComets();
        std::vector<int64_t> numbers;
        for (int i = 0; i < selectionCount; ++i) numbers.push_back(selectionList[i].number);
        EXPECT_EQ(numbers, c.numbers) << c.why;
        FreeSelectionList();
    }
}

// Memo lines of comets are told apart by name, whatever number they carry: two
// comets of one number (-1, written while neither had a record, or a stale
// shared one) each get their own record; a name repeated is one comet, unless
// the comet file holds two orbits of that name (a list of both, exported and
// imported again, kept one).
TEST_F(CometRecordStore, MemoCometsOfOneNumberAreNotOneComet) {
    const struct {
        bool twoOrbitsOfZ1;
        std::vector<std::pair<const char*, int>> lines;  // name, number carried
        std::vector<std::string> entries;                // name and record afterwards
        std::vector<std::string> messages;
    } cases[] = {
        {false, {{"C/2027 Z1", -1}, {"C/2030 A1", -1}}, {"C/2027 Z1 0", "C/2030 A1 1"}, {}},
        {false, {{"C/2030 A1", 0}, {"C/2027 Z1", 0}}, {"C/2030 A1 1", "C/2027 Z1 0"}, {}},
        {false, {{"C/2027 Z1", 0}, {"C/2027 Z1", 1}}, {"C/2027 Z1 0"}, {"Already loaded:"}},
        {true, {{"C/2027 Z1", 0}, {"C/2027 Z1", 2}}, {"C/2027 Z1 0", "C/2027 Z1 2"}, {}},
        {true, {{"C/2027 Z1", 0}, {"C/2027 Z1", 2}, {"C/2027 Z1", 2}}, {"C/2027 Z1 0", "C/2027 Z1 2"}, {"Already loaded:"}},
    };
    for (const auto& c : cases) {
        std::vector<CometRecord> records{TestComet("C/2027 Z1", 2027, 3, 10.0f, 1.1f, 0.8f),
                                         TestComet("C/2030 A1", 2030, 1, 5.0f, 2.0f, 0.7f)};
        if (c.twoOrbitsOfZ1) records.push_back(TestComet("C/2027 Z1", 2027, 3, 11.0f, 1.1f, 0.8f));
        OpenComets(records);
        ASSERT_TRUE(AllocSelectionList());
        services.messages.clear();
        std::string text(1024, '\0');
        for (const auto& [name, number] : c.lines) {
            SelectionEntry e = ListEntry(name, kDesignationComet, number, 13, 1.0f, 2.0f);
            FormatListLine(&text[text.find('\0')], 256, &e);
        }
        ImportMemoText(text.c_str());
        std::vector<std::string> entries;
        for (int i = 0; i < selectionCount; ++i)
            entries.push_back(std::string(selectionList[i].name) + " " + std::to_string(selectionList[i].number));
        EXPECT_EQ(entries, c.entries) << text;
        EXPECT_EQ(services.Texts(), c.messages) << text;
        FreeSelectionList();
    }
}

// Memo lines of comets against a file of like names, "" for a line without a number field: a
// line keeps the record of its number that still has its name, and the others take records by
// how strongly their names claim them (the name shown, then its first 14 characters, then the name
// continued) wherever their lines stand; a line left only records taken is refused with the
// first 30 characters of its line. A line of a name that no record shows whole, or that a record
// only continues, took the record of a later line showing that name, which was then refused.
TEST_F(CometRecordStore, MemoLineOfAStrongerClaimKeepsItsRecordWhereverItStands) {
    const std::vector<const char*> likeNamed = {"2P/Encke", "C/2027 Z1", "C/2027 Z1", "C/2027 Z1 (PanSTARRS)",
                                                "C/2027 Z10", "C/2030 A1", "C/2031 B1 (LINEAR-A)",
                                                "C/2031 B1 (LINEAR-B)"};
    const struct {
        const char* why;
        std::vector<const char*> records;
        std::vector<std::pair<const char*, const char*>> lines;  // name, number field
        std::vector<std::string> entries;                        // name and record afterwards
        std::vector<std::string> refused;                        // the lines told "Already loaded:"
    } cases[] = {
        {"a name no record shows whole, before one shown whole", likeNamed,
         {{"C/2031 B1 (LINEAR-C)", "-1"}, {"C/2031 B1 (LINEAR-A)", "-1"}},
         {"C/2031 B1 (LIN 7", "C/2031 B1 (LIN 6"}, {}},
        {"a continued name before the whole name", {"C/2027 Z1 (PanSTARRS)"},
         {{"C/2027 Z1", "-1"}, {"C/2027 Z1 (PanSTARRS)", "-1"}}, {"C/2027 Z1 (Pan 0"},
         {"Comet;-1;C/2027 Z1;COMET; ;01:"}},
        {"a number continuing the name, its other records taken", likeNamed,
         {{"C/2027 Z1", "3"}, {"C/2027 Z1", "1"}, {"C/2027 Z1", "2"}},
         {"C/2027 Z1 3", "C/2027 Z1 1", "C/2027 Z1 2"}, {}},
        {"numbers out of range, negative, empty and of another name", likeNamed,
         {{"C/2027 Z1", "99"}, {"C/2027 Z1", "-7"}, {"C/2027 Z1", ""}, {"C/2027 Z1", "5"}, {"C/2030 A1", "5"}},
         {"C/2027 Z1 1", "C/2027 Z1 2", "C/2030 A1 5"},
         {"Comet;;C/2027 Z1;COMET; ;01:00", "Comet;5;C/2027 Z1;COMET; ;01:0"}},
        {"one of two orbits three times, then without a number", likeNamed,
         {{"C/2027 Z1", "2"}, {"C/2027 Z1", "2"}, {"C/2027 Z1", "2"}, {"C/2027 Z1", "-1"}},
         {"C/2027 Z1 2", "C/2027 Z1 1"},
         {"Comet;2;C/2027 Z1;COMET; ;01:0", "Comet;2;C/2027 Z1;COMET; ;01:0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        std::vector<CometRecord> records;
        for (const char* name : c.records) records.push_back(TestComet(name, 2027, 3, 10.0f, 1.1f, 0.8f));
        OpenComets(records);
        ASSERT_TRUE(AllocSelectionList());
        services.messages.clear();
        std::string text;
        for (const auto& [name, number] : c.lines)
            text += std::string("Comet;") + number + ";" + name + ";COMET; ;01:00:00;10:00:00;9.0;0;0;0\n";
        ImportMemoText(text.c_str());
        std::vector<std::string> entries, refused;
        for (int i = 0; i < selectionCount; ++i)
            entries.push_back(std::string(selectionList[i].name) + " " + std::to_string(selectionList[i].number));
        for (const RecordedMessage& m : services.messages)
            refused.push_back(m.text == "Already loaded:" ? m.detail : m.text);
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(refused, c.refused);
        FreeSelectionList();
    }
}

// A record as the catalogue converter writes it: kind, name, year, month,
// day (of the perihelion time), epoch, then q, a, M, e, w, node, i, H and the
// slope.
CometRecord Converted(uint32_t kind, const char* name, int year, int month, const std::vector<float>& v) {
    CometRecord r = TestComet(name, year, month, v[0], v[2], v[5], v[6], v[7], v[8], v[9], v[10]);
    r.kind = kind;
    r.epochJulianDay = v[1], r.semiMajorAxis = v[3], r.meanAnomaly = v[4];
    return r;
}

// Records of the converted comet file (MPC comets and JPL minor planets as
// scripts/catalogues converts them): P/2000 R2 (LINEAR), which a reader that
// was not correctly rounded refused, the most eccentric (2I) and minor planets
// up to the largest semi-major axis ((2008 LC18)). The whole converted file
// (3949 records) goes through the same when scripts/run has made it beside
// the build.
TEST_F(CometRecordStore, ConvertedRecordsSavedUneditedKeepEveryByte) {
    const std::vector<CometRecord> sample = {
        Converted(13, "P/2000 R2 (LINEAR)", 2019, 6,
                  {17.8276997f, 0, 1.62464595f, 0, 0, 0.531472981f, 176.584198f, 160.285507f, 11.6871004f, 18, 10}),
        Converted(13, "2I/Borisov", 2019, 12,
                  {8.55490017f, 0, 2.00654793f, 0, 0, 3.35663605f, 209.125107f, 308.14801f, 44.0527f, 11, 10}),
        Converted(18, "1 Ceres (A801 AA)", 2018, 5,
                  {1.04049766f, 2459800.5f, 2.54906368f, 2.76661897f, 334.327179f, 0.0786357597f, 73.5316238f, 80.2664337f,
                   10.5867949f, 3.32999992f, 0.119999997f}),
        Converted(18, "(2008 LC18)", 1931, 1,
                  {3.82460642f, 2459800.5f, 27.6564693f, 30.0681343f, 199.989716f, 0.080206655f, 3.31927395f, 88.5259933f,
                   27.5326443f, 8.22999954f, 0.150000006f}),
    };
    OpenComets(sample);
    ExpectSavedAsShown(sample, true);
    EXPECT_TRUE(services.messages.empty());
    const std::filesystem::path converted =
        std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "build" / "release" / "data" / "zendavori_comet.ppc";
    if (!std::filesystem::exists(converted)) return;
    std::filesystem::copy_file(converted, std::filesystem::path(folder.root()) / "data" / "zendavori_comet.ppc",
                               std::filesystem::copy_options::overwrite_existing);
    CloseRecordDb(&cometDb);
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc"));
    std::vector<CometRecord> all(static_cast<std::size_t>(GetCometCount()));
    for (std::size_t i = 0; i < all.size(); ++i) ASSERT_TRUE(GetCometData(static_cast<int>(i), &all[i]));
    ExpectSavedAsShown(all, false);
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

// A comet file that cannot be read (record size 0, a header cut short,
// records of another size, a count below the records it holds) is not
// replaced by the new comet alone, comets read askew or those counted: it
// stays byte for byte, with one message naming it.
TEST_F(CometRecordStore, UnreadableFileIsLeftAsItIs) {
    const struct {
        std::size_t at;  // the header byte changed, or the length the file is cut to
        uint8_t value;
        bool cut;
    } damages[] = {{12, 0, false}, {10, 0, true}, {12, 100, false}, {12, 200, false}, {8, 2, false}};
    for (const auto& d : damages) {
        OpenComets(std::vector<CometRecord>(5, TestComet("A", 2024, 1, 1.0f, 1.0f, 0.5f)));
        std::vector<char> bytes = FileBytes();
        if (d.cut) bytes.resize(d.at);
        else bytes[d.at] = static_cast<char>(d.value);
        folder.WriteRaw("data\\zendavori_comet.ppc", fixture::Bytes(bytes.begin(), bytes.end()));
        CloseRecordDb(&cometDb);
        OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc");
        services.messages.clear();
        EXPECT_EQ(SaveCometRecord(-1, TestComet("NEW", 2025, 1, 1.0f, 1.0f, 0.5f)), -1) << d.at;
        ASSERT_EQ(services.messages.size(), 1u) << d.at;
        EXPECT_EQ(services.messages[0].text, "Could not save comet database");
        EXPECT_EQ(services.messages[0].detail, "data/zendavori_comet.ppc could not be read; it is left as it is.");
        EXPECT_EQ(FileBytes(), bytes) << d.at;
        EXPECT_FALSE(pl::FileExists("data\\zendavori_comet.ppc.tmp"));
    }
}

}  // namespace
