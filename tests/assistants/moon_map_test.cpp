// The Moon map's computation: picking a feature, the popup row of a picked
// feature, the header's new Moon and the information text.
#include "assistants/moon_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/date_text.h"
#include "support/recording_services.h"
#include "support/test_site.h"

namespace {

MoonFeatureRecord Feature(const char* name, int type, int x, int y, float latitude = 0, float longitude = 0) {
    MoonFeatureRecord m{static_cast<uint16_t>(type), static_cast<int16_t>(x), static_cast<int16_t>(y), 30,
                        latitude, longitude, 96.0f, ""};
    std::snprintf(m.name, sizeof m.name, "%s", name);
    return m;
}

// Records 0..n-1 by name, n..2n-1 by map x; `unreadable` fails one read.
std::vector<MoonFeatureRecord> records;
int unreadable = -1;
int Count() { return static_cast<int>(records.size() / 2); }
int Read(int i, MoonFeatureRecord* r) {
    if (i < 0 || i >= static_cast<int>(records.size()) || i == unreadable) return 0;
    *r = records[static_cast<size_t>(i)];
    return 1;
}

class MoonMapPick : public ::testing::Test {
protected:
    // Features every 2 map pixels at y 480 from x 0 to 198, names falling as x
    // grows; at x 100 first a feature at y 870, then 30 at y 900..929.
    void SetUp() override {
        std::vector<MoonFeatureRecord> byX;
        char name[24];
        for (int x = 0; x < 200; x += 2) {
            if (x == 100) {
                byX.push_back(Feature("Target", 2, 100, 870));
                for (int k = 0; k < 30; ++k) {
                    std::snprintf(name, sizeof name, "Column %02d", k);
                    byX.push_back(Feature(name, 2, 100, 900 + k));
                }
            }
            std::snprintf(name, sizeof name, "Plain %03d", 999 - x);
            byX.push_back(Feature(name, 2, x, 480));
        }
        records = byX;
        std::sort(records.begin(), records.end(),
                  [](const MoonFeatureRecord& a, const MoonFeatureRecord& b) { return std::string(a.name) < b.name; });
        records.insert(records.end(), byX.begin(), byX.end());
        unreadable = -1;
        previous = InstallMoonRecordHooks({Count, Read});
    }
    void TearDown() override { InstallMoonRecordHooks(previous); }
    // Map x and y of the record a pick returned.
    static std::pair<int, int> Place(int record) {
        if (record < 0) return {-1, -1};
        return {records[static_cast<size_t>(record)].sortKey, records[static_cast<size_t>(record)].mapY};
    }
    MoonRecordHooks previous;
};

// Nearest by Manhattan distance, the later record on a tie, at most 500; the
// feature beside a tap is found past 30 records of the same x (the ten
// records each side of the bisection point are all farther).
TEST_F(MoonMapPick, NearestFeatureWithinFiveHundred) {
    const struct {
        int mx, my;
        std::pair<int, int> place;
    } cases[] = {
        {50, 480, {50, 480}},   {51, 470, {52, 480}},      // tie between 50 and 52: the later
        {101, 870, {100, 870}},                            // past the column of 30
        {150, -20, {150, 480}}, {150, -21, {-1, -1}},      // 500 is near enough, 501 not
    };
    for (const auto& c : cases) EXPECT_EQ(Place(PickMoonFeature(c.mx, c.my)), c.place) << c.mx << " " << c.my;
}

TEST_F(MoonMapPick, NoRecordsOrAnUnreadableOne) {
    RecordingServices services;
    unreadable = (3 * Count() - 1) / 2;  // the first bisection point
    EXPECT_EQ(PickMoonFeature(150, 480), kMoonPickUnreadable);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Can't find moon record"});
    records.clear();
    EXPECT_EQ(PickMoonFeature(150, 480), -1);
}

// The popup row of each sorted record names the same feature.
TEST_F(MoonMapPick, ListRowsNameTheSameFeature) {
    std::vector<int> rows = BuildMoonListRows();
    ASSERT_EQ(static_cast<int>(rows.size()), Count());
    for (int i = 0; i < Count(); ++i) {
        const MoonFeatureRecord& sorted = records[static_cast<size_t>(Count() + i)];
        ASSERT_GE(rows[static_cast<size_t>(i)], 0);
        const MoonFeatureRecord& listed = records[static_cast<size_t>(rows[static_cast<size_t>(i)])];
        EXPECT_EQ(std::string(listed.name), sorted.name);
        EXPECT_EQ(Place(rows[static_cast<size_t>(i)]), Place(Count() + i));
    }
}

std::string DateAndTime(int day, int month, int year, const char* time) {
    char text[24];
    FormatDate(text, sizeof text, day, month, year);
    return std::string(text) + time;
}

// New Moons of USNO (UT): 2023-12-12 23:32, 2024-01-11 11:57, 2024-02-09
// 22:59. The lunation nearest the day before, or the one before it when that
// is later than the date read as UT.
TEST(MoonMapHeader, LastNewMoonBeforeTheDate) {
    ResetWithDefaults();
    const struct {
        DateTime now;
        std::string newMoon;
    } cases[] = {
        {{2024, 1, 20, 12, 0, 0}, DateAndTime(11, 1, 2024, " 11:57")},
        {{2024, 2, 8, 12, 0, 0}, DateAndTime(11, 1, 2024, " 11:57")},
        {{2024, 1, 11, 11, 0, 0}, DateAndTime(12, 12, 2023, " 23:32")},
    };
    for (const auto& c : cases) {
        std::string line1, line2;
        FormatMoonMapHeader(c.now, 0, &line1, &line2);
        EXPECT_EQ(line1, DateAndTime(c.now.day, c.now.month, c.now.year, c.now.hour == 12 ? " 12:00" : " 11:00"));
        EXPECT_EQ(line2, "New: " + c.newMoon);
    }
}

// The same new Moons (USNO, UT) away from zone 0: the date and time are the
// site's local time, compared with the new Moon's instant as UT and the new
// Moon shown in local time. 05:00 at -7 h is 12:00 UT, after the new Moon of
// 11:57 UT (04:57 local); 22:00 at +11 h is 11:00 UT, before it, so the one
// of 12 December 23:32 UT shows (13 December 10:32 local).
TEST(MoonMapHeader, LastNewMoonInTheSiteLocalTime) {
    ResetWithDefaults();
    const struct {
        int zone;
        DateTime now;
        std::string newMoon;
    } cases[] = {
        {-420, {2024, 1, 11, 5, 0, 0}, DateAndTime(11, 1, 2024, " 04:57")},
        {660, {2024, 1, 11, 22, 0, 0}, DateAndTime(13, 12, 2023, " 10:32")},
        {660, {2024, 1, 11, 23, 30, 0}, DateAndTime(11, 1, 2024, " 22:57")},
    };
    for (const auto& c : cases) {
        std::string line1, line2;
        FormatMoonMapHeader(c.now, c.zone, &line1, &line2);
        EXPECT_EQ(line2, "New: " + c.newMoon) << c.zone;
    }
}

// The text of a crater: the type word, the shown latitude, and the sunrise and
// sunset in local time: the same instant at zone 120 reads two hours later.
// A polar feature has no crossing.
TEST(MoonMapInformation, FeatureTextInLocalTime) {
    ResetWithDefaults();
    MoonFeatureRecord copernicus = Feature("Copernicus", 2, 300, 430, -9.62f, -20.08f);
    std::string utc = MoonFeatureInfoText(copernicus, {2024, 1, 20, 12, 0, 0}, 0);
    std::string local = MoonFeatureInfoText(copernicus, {2024, 1, 20, 14, 0, 0}, 120);
    const std::string head = "Crater  Copernicus\n\x95 Lat:     9.6\xB0\n\x95 Lon:     -20.1\xB0\n\x95 Diam: 96km"
                             "\n\nDates of best visibility\n\x95 Rise :";
    ASSERT_EQ(utc.substr(0, head.size()), head);
    ASSERT_EQ(local.substr(0, head.size()), head);
    auto hour = [](const std::string& text, const char* label) {
        size_t at = text.find(label) + std::strlen(label) + 11;
        return std::stoi(text.substr(at, 2)) * 60 + std::stoi(text.substr(at + 3, 2));
    };
    for (const char* label : {"Rise :", "Set :"})
        EXPECT_EQ((hour(local, label) - hour(utc, label) + 1440) % 1440, 120) << label;
    MoonFeatureRecord pole = Feature("Pole", 0, 480, 0, -89.9995f, 0);
    std::string polar = MoonFeatureInfoText(pole, {2024, 1, 20, 12, 0, 0}, 0);
    EXPECT_EQ(polar.substr(0, 5), " Pole");
    EXPECT_EQ(polar.substr(polar.find("visibility")), "visibility\n\x95 Rise :----\n\x95 Set :----");
}

}  // namespace
