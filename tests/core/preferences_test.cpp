// The preference block's start values and range checks; every expected value is
// the block's table of defaults and checks.
#include "core/preferences.h"

#include <gtest/gtest.h>

#include <cmath>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "core/shared_state.h"
#include "support/test_site.h"

namespace {

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        previousClock = SetPreferenceClock(nullptr);
        ResetSharedState();
    }
    void TearDown() override {
        SetPreferenceClock(previousClock);
        ResetSharedState();
    }
    PreferenceClock previousClock = nullptr;
};

constexpr int32_t kUntouched = INT32_MIN;

// Start values of a block that began at zero; "set" words take their default whatever they
// held; range-checked words keep a value inside their range and take the table's replacement
// outside it; "none" words keep anything. Word 244 checks its low 16 bits as a signed delay;
// word 248 keeps only its low half (the format lives in the high half); word 16 loses its top
// byte.
TEST_F(Preferences, DefaultsSetWordsRangesAndHalfWords) {
    const struct { int word; int32_t given, expected; } cases[] = {
        {0, kUntouched, 5},   {5, kUntouched, 2},   {6, kUntouched, 2},    {139, kUntouched, 1950},
        {237, kUntouched, 1}, {0, 1234, 5},         {5, 1234, 2},          {19, 7, 1},
        {20, -3, 2},          {21, 99, 8},          {1, 9, 9},             {1, 10, 0},
        {10, 3, 3},           {10, 4, 0},           {11, 40000, -32127},   {12, -32128, -32127},
        {46, 401, 0},         {149, -1, 0},         {44, 99, 99},          {244, 0x00070000 | 9000, 0x00070000 | 9000},
        {244, 0xFFFF, 0},     {248, 0x00010005, 5}, {16, 0x7F123456, 0x00123456},
    };
    for (const auto& c : cases) {
        if (c.given != kUntouched) preferences.word[c.word] = c.given;
        ValidatePreferences();
        EXPECT_EQ(preferences.word[c.word], c.expected) << "word " << c.word << " given " << c.given;
    }
    EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), 66.184f);
    EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefGrsLongitude), 117.0f);
    EXPECT_STREQ(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]), "zendavori_user_catalog.pdb");
}

TEST_F(Preferences, DeltaTOfExactly40IsReplacedAnd40Point1Kept) {
    const struct { float given, expected; } cases[] = {
        {40.0f, 66.184f}, {40.1f, 40.1f}, {200.0f, 200.0f}, {200.5f, 66.184f}, {-5.0f, 66.184f}};
    for (const auto& c : cases) {
        preferences.SetFloat(kPrefCurrentDeltaT, c.given);
        ValidatePreferences();
        EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), c.expected) << c.given;
    }
}

// The site starts as "None" at 51 N whatever it held; saved sites out of range are reset
// field by field, and every saved site's sky condition starts at 3.
TEST_F(Preferences, SiteStartsAsNoneAt51North) {
    std::strcpy(currentSite.name, "Paris");
    SetTestSite(48.8, -2.3, 60, 9500);
    currentSite.daylightSaving = 1;
    currentSite.savedSites[0] = {"Home", 95.0f, -200.0f, 1, 9001, -800, 2};
    currentSite.savedSites[1] = {"Club", 45.0f, 120.0f, 0, 300, 120, 1};
    ValidatePreferences();
    const SiteRecord& s = currentSite;
    EXPECT_STREQ(s.name, "None");
    EXPECT_FLOAT_EQ(s.latitude, 51.0f);
    EXPECT_FLOAT_EQ(s.sinLatitude, static_cast<float>(std::sin(51.0 * M_PI / 180.0)));
    EXPECT_FLOAT_EQ(s.cosLatitude, static_cast<float>(std::cos(51.0 * M_PI / 180.0)));
    EXPECT_EQ((std::vector<int>{s.zoneMinutes, s.skyCondition, s.temperature, s.pressure, s.humidity, s.elevation,
                                s.daylightSaving}),
              (std::vector<int>{0, 3, 10, 1013, 40, 0, 1}));
    EXPECT_EQ(s.longitude, 0.0f);
    const SavedSite expectedSaved[2] = {{"Home", -90.0f, -180.0f, 3, 0, -720, 0},
                                        {"Club", 45.0f, 120.0f, 3, 300, 120, 1}};
    EXPECT_EQ(std::memcmp(s.savedSites, expectedSaved, sizeof expectedSaved), 0);
}

void FixedClock(int32_t fields[6]) {
    const int32_t now[6] = {2024, 3, 5, 21, 47, 33};
    std::memcpy(fields, now, sizeof now);
}

// The start date words come from the clock, and validation alone gives the same block whatever
// the user changed in between (what the user set comes back from the preferences file).
TEST_F(Preferences, StartDateFromTheClockAndValidationForgetsTheBlock) {
    SetPreferenceClock(FixedClock);
    ValidatePreferences();
    const int32_t expected[6] = {2024, 3, 5, 21, 47, 33};
    const int words[6] = {kPrefStartYear, kPrefStartMonth,  kPrefStartDay,
                          kPrefStartHour, kPrefStartMinute, kPrefStartSecond};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(preferences.word[words[i]], expected[i]) << i;
    const PreferencesBlock first = preferences;
    const SiteRecord firstSite = currentSite;
    preferences.word[kPrefRaFormat] = 0;
    preferences.word[kPrefNightMode] = 2;
    currentSite.longitude = 7.0f;
    preferences = PreferencesBlock{};  // a new run starts from zero
    ValidatePreferences();
    EXPECT_EQ(std::memcmp(&first, &preferences, sizeof first), 0);
    EXPECT_EQ(std::memcmp(&firstSite, &currentSite, sizeof firstSite), 0);
}

// A block read back from the preferences file: a user's setting is taken within its range (its
// popup's rows, the block's check, what its field accepts), else it gets its default; halves of
// words and numbers likewise; words the user does not set keep their start values.
TEST_F(Preferences, SavedWordsAreTakenWithinTheirRanges) {
    SetPreferenceClock(FixedClock);
    const struct { int word; uint32_t saved, expected; } cases[] = {
        {kPrefDriveId, 20, 20}, {kPrefDriveId, 21, 5}, {kPrefDiameter, 300, 300}, {kPrefDiameter, 0xFFFFFFFF, 8},
        {kPrefHorizon, 7, 7},   {kPrefHorizon, 8, 0},  {kPrefStarLimitFirst + 3, 7, 7}, {kPrefStarLimitFirst + 4, 7, 2},
        {kPrefSavedEncoderAz, 0xFFFFFFB3, 0xFFFFFFB3},  {kPrefPlatformDelay, 0xABCD0078, 0x78},
        {kPrefPlatformDelay, 0xFFFF, 0},                {kPrefDistFormat, 0x00010005, 0x00010000},
        {kPrefDistFormat, 0x00020000, 0},               {kPrefStartSecond, 59, 33}, {kPrefLastForm, 1200, 1950},
        {48, 14, 14},           {48, 15, 0},           {53, 1660, 1660},
    };
    for (const auto& c : cases) {
        ValidatePreferences();
        PreferencesBlock saved = preferences;
        saved.word[c.word] = static_cast<int32_t>(c.saved);
        TakeSavedPreferences(saved);
        EXPECT_EQ(preferences.word[c.word], static_cast<int32_t>(c.expected)) << "word " << c.word << " saved " << c.saved;
    }
    PreferencesBlock saved = preferences;
    saved.SetFloat(kPrefGrsLongitude, NAN);
    saved.SetFloat(kPrefCurrentDeltaT, 40.0f);
    saved.SetDouble(kPrefAlignmentSavedJd, INFINITY);
    TakeSavedPreferences(saved);
    EXPECT_EQ(preferences.GetFloat(kPrefGrsLongitude), 117.0f);
    EXPECT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), 66.184f);
    EXPECT_EQ(preferences.GetDouble(kPrefAlignmentSavedJd), 0.0);
}

// The checklists' five labels of 30 bytes from byte 308 are taken, each ended within its bytes.
TEST_F(Preferences, SavedChecklistLabelsAreTakenEnded) {
    ValidatePreferences();
    PreferencesBlock saved = preferences;
    char* labels = reinterpret_cast<char*>(saved.word) + 308;
    std::memcpy(labels, "Collimate", 10);
    std::memset(labels + 120, 'x', 30);
    TakeSavedPreferences(saved);
    const char* taken = reinterpret_cast<const char*>(preferences.word) + 308;
    EXPECT_STREQ(taken, "Collimate");
    EXPECT_EQ(std::string(taken + 120), std::string(29, 'x'));
    EXPECT_EQ(preferences.word[kPrefCardCatalog], saved.word[kPrefCardCatalog]);
}

// A user catalogue name is taken only when it ends within its 52 bytes and stays in "usercatalogs".
TEST_F(Preferences, SavedCatalogNameStaysInItsFolder) {
    for (const std::string& name : {std::string("mine.pdb"), std::string("../mine.pdb"), std::string("a/b.pdb"),
                                    std::string("a\\b.pdb"), std::string(kUserCatalogNameSize, 'x')}) {
        PreferencesBlock saved{};
        std::memcpy(&saved.word[kPrefUserCatalogName], name.data(), name.size());
        ValidatePreferences();
        TakeSavedPreferences(saved);
        EXPECT_STREQ(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]),
                     name == "mine.pdb" ? "mine.pdb" : kDefaultUserCatalogName) << name;
    }
}

// A site read back within the location form's ranges is taken whole, its name ended and its
// sine computed again: a zone beyond +12 h (summer east of the date line) and an elevation
// above 9000 m survive. One value out of range (not a number included) makes it the default
// site of a first start ("None", 51 N), not a place at -90, -180; a saved site out of range
// becomes an empty one. The result says whether all was taken.
TEST_F(Preferences, SavedSiteIsTakenWithTheSiteChecks) {
    SiteRecord good = {{}, -33.9f, -151.2f, 5.0f, 5.0f, 12000, 780, -70, 1100, 99, 4, {}, 1};
    std::memset(good.name, 'x', sizeof good.name);
    good.savedSites[2] = {"Club", 45.0f, 120.0f, 0, 31999, -1439, 1};
    ASSERT_TRUE(TakeSavedSite(good));
    const SiteRecord& s = currentSite;
    EXPECT_EQ(std::string(s.name), std::string(11, 'x'));
    EXPECT_EQ((std::vector<float>{s.latitude, s.longitude, s.sinLatitude}),
              (std::vector<float>{-33.9f, -151.2f, static_cast<float>(std::sin(double(-33.9f) * M_PI / 180.0))}));
    EXPECT_EQ((std::vector<int>{s.elevation, s.zoneMinutes, s.temperature, s.pressure, s.humidity, s.skyCondition,
                                s.daylightSaving}),
              (std::vector<int>{12000, 780, -70, 1100, 99, 4, 1}));
    EXPECT_EQ(std::memcmp(&s.savedSites[2], &good.savedSites[2], sizeof good.savedSites[2]), 0);

    SiteRecord saved = good;
    saved.latitude = NAN;
    saved.savedSites[1] = {"Club", NAN, 181.0f, -1, -1, -1440, 2};
    EXPECT_FALSE(TakeSavedSite(saved));
    EXPECT_STREQ(s.name, "None");
    EXPECT_EQ((std::vector<float>{s.latitude, s.longitude}), (std::vector<float>{51.0f, 0.0f}));
    EXPECT_EQ((std::vector<int>{s.elevation, s.zoneMinutes, s.temperature, s.pressure, s.humidity, s.skyCondition,
                                s.daylightSaving}),
              (std::vector<int>{0, 0, 10, 1013, 40, 3, 0}));
    const SavedSite empty{"", 0.0f, 0.0f, 3, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&s.savedSites[1], &empty, sizeof empty), 0);
    EXPECT_EQ(std::memcmp(&s.savedSites[2], &good.savedSites[2], sizeof good.savedSites[2]), 0);

    const struct {
        void (*spoil)(SiteRecord&);
        const char* what;
    } spoils[] = {
        {[](SiteRecord& r) { r.longitude = 1e30f; }, "longitude"},
        {[](SiteRecord& r) { r.zoneMinutes = 32767; }, "zone"},
        {[](SiteRecord& r) { r.elevation = 32000; }, "elevation"},
        {[](SiteRecord& r) { r.savedSites[0].zoneMinutes = 1440; }, "saved zone"},
    };
    for (const auto& c : spoils) {
        SiteRecord spoilt = good;
        c.spoil(spoilt);
        EXPECT_FALSE(TakeSavedSite(spoilt)) << c.what;
    }
}

}  // namespace
