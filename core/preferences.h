// The preference words: one block of 32-bit words that every subsystem reads
// directly. It is not stored: it starts at zero and ValidatePreferences gives it
// its defaults and brings it into range at every start.
#pragma once

#include <cstdint>
#include <cstring>

constexpr int kPreferenceWordCount = 288;

struct PreferencesBlock {
    int32_t word[kPreferenceWordCount];

    float GetFloat(int index) const {
        float f;
        std::memcpy(&f, &word[index], sizeof f);
        return f;
    }
    void SetFloat(int index, float value) { std::memcpy(&word[index], &value, sizeof value); }
};

extern PreferencesBlock preferences;

// Indexes of the preference words.
enum PreferenceWord : int {
    kPrefDriveId = 0,
    kPrefRaFormat = 5,       // "RA Format": 0 decimal, 1 "23:45:00", 2 "23h45m00", 3 "23h45.0"
    kPrefDecFormat = 6,      // "Dec Format": 0 decimal, 1 "-70:45:00", 2 degree sign, 3 tenths of a minute
    kPrefPositionMode = 10,  // 0 geocentric, 1 geoc. + refraction, 2 topocentric, 3 topo + refraction
    kPrefMaxSelectedItems = 18,  // "Max Selected items": rows 0..10 = 25, 50, 100, 150, ... 500 objects
    kPrefExperience = 19,    // observer: 0 "Beginner", 1 "Hobbyst", 2 "Expert"
    kPrefAge = 20,           // observer's age row: 0 "15", 1 "25" .. 7 "85", 8 ">95"
    kPrefVision = 21,        // observer's acuity row: 0 "2/10" .. 10 "12/10"
    kPrefTimeUpdate = 23,    // 0 automatic (follows the device clock), 1 manual
    kPrefNightMode = 24,     // "Night Mode": 0 "Off", 1 "Dark", 2 "Medium", 3 "Bright"
    kPrefChartBackground = 26,  // "Background": 0 "Black", 1 "Dark Blue", 2 "White"
    kPrefGrsLongitude = 37,  // float, System II longitude of the Great Red Spot, degrees
    kPrefCurrentDeltaT = 39,     // float, seconds
    kPrefCardCatalog = 115,      // "Card Catalog": largest stellar catalogue file installed, 0 none .. 6
    kPrefUserCatalogName = 222   // text of kUserCatalogNameSize bytes (words 222..234), "usercatalogs" file
};

constexpr int kUserCatalogNameSize = 52;
constexpr char kDefaultUserCatalogName[] = "zendavori_user_catalog.pdb";

constexpr float kDefaultDeltaT = 66.184f;
constexpr float kDefaultGrsLongitude = 117.0f;

// How ValidatePreferences treats one word.
enum class PrefCheck {
    Set,    // the default is stored whatever the word held
    Range,  // a value outside [min, max] is replaced by the default
    None    // no check and no store
};

struct PreferenceRule {
    int word;
    int32_t defaultValue;
    PrefCheck check;
    int32_t min;
    int32_t max;
};

// Gives the words their defaults and range checks; returns 1.
int ValidatePreferences();

// The "Current DeltaT" preference in seconds.
float GetCurrentDeltaT();
