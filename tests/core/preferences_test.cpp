// The preference block's start values and range checks; every expected value is
// the block's table of defaults and checks.
#include "core/preferences.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/shared_state.h"

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

struct WordDefault {
    int word;
    int32_t expected;
};

// Start values of a block that began at zero.
TEST_F(Preferences, DefaultsOfAZeroBlock) {
    const WordDefault cases[] = {
        {0, 5},   {1, 0},   {4, 2},    {5, 2},     {6, 2},    {8, 1},    {11, 0},   {12, 0},
        {13, 8},  {14, 6},  {19, 1},   {20, 2},    {21, 8},   {23, 0},   {24, 0},   {26, 2},
        {27, 2},  {36, 27}, {40, 1},   {54, 2},    {58, 2},   {64, 2},   {65, 3},   {74, 3},
        {75, 3},  {116, 1}, {117, 2},  {119, 1},   {120, 1},  {124, 1},  {127, 1},  {128, 5},
        {129, 20}, {130, 40}, {131, 1}, {139, 1950}, {237, 1}, {238, 0}, {239, 0},  {244, 0},
    };
    for (const WordDefault& c : cases) EXPECT_EQ(preferences.word[c.word], c.expected) << "word " << c.word;
    EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), 66.184f);
    EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefGrsLongitude), 117.0f);
    EXPECT_STREQ(reinterpret_cast<const char*>(&preferences.word[kPrefUserCatalogName]),
                 "zendavori_user_catalog.pdb");
}

// "set" words take their default whatever they held.
TEST_F(Preferences, SetWordsAreStoredWhateverTheyHeld) {
    const WordDefault cases[] = {{0, 5}, {5, 2}, {6, 2}, {17, 0}, {26, 2}, {60, 2}, {70, 3}, {139, 1950}, {237, 1}};
    for (const WordDefault& c : cases) preferences.word[c.word] = 1234;
    ValidatePreferences();
    for (const WordDefault& c : cases) EXPECT_EQ(preferences.word[c.word], c.expected) << "word " << c.word;
}

struct RangeCase {
    int word;
    int32_t inside;
    int32_t outside;
    int32_t replacement;
};

// Range-checked words keep a value inside their range and take the table's
// replacement outside it; "none" words keep anything.
TEST_F(Preferences, RangeChecksKeepInsideAndReplaceOutside) {
    const RangeCase cases[] = {
        {1, 9, 10, 0},       {3, 4, -1, 0},       {7, 1, 2, 0},        {9, 2, 3, 0},
        {10, 3, 4, 0},       {11, -32127, 40000, -32127}, {12, 32127, -32128, -32127},
        {18, 10, 11, 0},     {22, 7, 8, 0},       {24, 3, 4, 0},       {28, 3, 4, 0},
        {29, 17, 18, 0},     {35, 1, 2, 0},       {43, 1, 2, 0},       {46, 400, 401, 0},
        {47, 1, 2, 0},       {48, 9, 10, 0},      {49, 20000, 20001, 0}, {51, 10000, 10001, 0},
        {53, 20000, -1, 0},  {76, 2, 3, 0},       {115, 6, 7, 0},      {133, 9, 10, 0},
        {140, 3, 4, 0},      {149, 3, -1, 0},     {238, 2, 3, 0},      {242, 1, 2, 0},
        {243, 1, 2, 0},
    };
    for (const RangeCase& c : cases) {
        preferences.word[c.word] = c.inside;
        ValidatePreferences();
        EXPECT_EQ(preferences.word[c.word], c.inside) << "word " << c.word;
        preferences.word[c.word] = c.outside;
        ValidatePreferences();
        EXPECT_EQ(preferences.word[c.word], c.replacement) << "word " << c.word;
    }
    for (int word : {44, 45, 239}) {
        preferences.word[word] = 99;
        ValidatePreferences();
        EXPECT_EQ(preferences.word[word], 99) << "word " << word;
    }
}

TEST_F(Preferences, DeltaTOfExactly40IsReplacedAnd40Point1Kept) {
    const struct {
        float given;
        float expected;
    } cases[] = {{40.0f, 66.184f}, {40.1f, 40.1f}, {200.0f, 200.0f}, {200.5f, 66.184f}, {-5.0f, 66.184f}};
    for (const auto& c : cases) {
        preferences.SetFloat(kPrefCurrentDeltaT, c.given);
        ValidatePreferences();
        EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), c.expected) << c.given;
    }
}

// Word 244 checks its low 16 bits as a signed delay; word 248 keeps only its
// low half (the format lives in the high half); word 16 loses its top byte.
TEST_F(Preferences, HalfWords) {
    preferences.word[244] = static_cast<int32_t>(0x00070000 | 9000);
    preferences.word[248] = static_cast<int32_t>(0x00010005);
    preferences.word[16] = static_cast<int32_t>(0x7F123456);
    ValidatePreferences();
    EXPECT_EQ(preferences.word[244], 0x00070000 | 9000);
    EXPECT_EQ(preferences.word[248], 5);
    EXPECT_EQ(preferences.word[16], 0x00123456);
    preferences.word[244] = 0xFFFF;  // -1 as 16 bits
    ValidatePreferences();
    EXPECT_EQ(preferences.word[244], 0);
}

TEST_F(Preferences, SiteStartsAsNoneAt51North) {
    std::strcpy(currentSite.name, "Paris");
    SetSiteLatitude(currentSite, 48.8);
    currentSite.longitude = -2.3f;
    currentSite.zoneMinutes = 60;
    currentSite.elevation = 9500;
    currentSite.daylightSaving = 1;
    currentSite.savedSites[0] = {"Home", 95.0f, -200.0f, 1, 9001, -800, 2};
    currentSite.savedSites[1] = {"Club", 45.0f, 120.0f, 0, 300, 120, 1};
    ValidatePreferences();
    EXPECT_STREQ(currentSite.name, "None");
    EXPECT_FLOAT_EQ(currentSite.latitude, 51.0f);
    EXPECT_FLOAT_EQ(currentSite.sinLatitude, static_cast<float>(std::sin(51.0 * M_PI / 180.0)));
    EXPECT_FLOAT_EQ(currentSite.cosLatitude, static_cast<float>(std::cos(51.0 * M_PI / 180.0)));
    EXPECT_EQ(currentSite.longitude, 0.0f);
    EXPECT_EQ(currentSite.zoneMinutes, 0);
    EXPECT_EQ(currentSite.skyCondition, 3);
    EXPECT_EQ(currentSite.temperature, 10);
    EXPECT_EQ(currentSite.pressure, 1013);
    EXPECT_EQ(currentSite.humidity, 40);
    EXPECT_EQ(currentSite.elevation, 0);
    EXPECT_EQ(currentSite.daylightSaving, 1);
    const SavedSite& bad = currentSite.savedSites[0];
    EXPECT_EQ(bad.latitude, -90.0f);
    EXPECT_EQ(bad.longitude, -180.0f);
    EXPECT_EQ(bad.elevation, 0);
    EXPECT_EQ(bad.zoneMinutes, -720);
    EXPECT_EQ(bad.daylightSaving, 0);
    EXPECT_EQ(bad.skyCondition, 3);
    const SavedSite& good = currentSite.savedSites[1];
    EXPECT_EQ(good.latitude, 45.0f);
    EXPECT_EQ(good.longitude, 120.0f);
    EXPECT_EQ(good.elevation, 300);
    EXPECT_EQ(good.zoneMinutes, 120);
    EXPECT_EQ(good.daylightSaving, 1);
    EXPECT_EQ(good.skyCondition, 3);
    EXPECT_STREQ(good.name, "Club");
}

void FixedClock(int32_t fields[6]) {
    const int32_t now[6] = {2024, 3, 5, 21, 47, 33};
    std::memcpy(fields, now, sizeof now);
}

TEST_F(Preferences, StartDateWordsComeFromTheClock) {
    SetPreferenceClock(FixedClock);
    ValidatePreferences();
    const int32_t expected[5] = {2024, 3, 5, 21, 47};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(preferences.word[kPrefStartYear + i], expected[i]);
    EXPECT_EQ(preferences.word[kPrefStartSecond], 33);
}

// Two starts give the same block whatever the user changed in between.
TEST_F(Preferences, TwoStartsGiveIdenticalSettings) {
    SetPreferenceClock(FixedClock);
    ValidatePreferences();
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

}  // namespace
