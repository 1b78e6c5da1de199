#include "core/preferences.h"

#include <iterator>

PreferencesBlock preferences{};

namespace {

// One row per integer word with a default or a check; floats and texts follow in
// ValidatePreferences.
constexpr PreferenceRule kRules[] = {
    {kPrefRaFormat, 2, PrefCheck::Set, 0, 0},
    {kPrefDecFormat, 2, PrefCheck::Set, 0, 0},
    {kPrefPositionMode, 0, PrefCheck::Range, 0, 3},
    {kPrefMaxSelectedItems, 0, PrefCheck::Range, 0, 10},
    {kPrefExperience, 1, PrefCheck::Set, 0, 0},
    {kPrefAge, 2, PrefCheck::Set, 0, 0},
    {kPrefVision, 8, PrefCheck::Set, 0, 0},
    {kPrefTimeUpdate, 0, PrefCheck::Set, 0, 0},
    {kPrefNightMode, 0, PrefCheck::Range, 0, 3},
    {kPrefChartBackground, 2, PrefCheck::Set, 0, 0},
    {kPrefCardCatalog, 0, PrefCheck::Range, 0, 6},
};

void ApplyRule(const PreferenceRule& r) {
    int32_t& w = preferences.word[r.word];
    switch (r.check) {
    case PrefCheck::Set: w = r.defaultValue; break;
    case PrefCheck::Range:
        if (w < r.min || w > r.max) w = r.defaultValue;
        break;
    case PrefCheck::None: break;
    }
}

}  // namespace

int ValidatePreferences() {
    for (const PreferenceRule& r : kRules) ApplyRule(r);
    float dt = preferences.GetFloat(kPrefCurrentDeltaT);
    if (!(dt > 40.0f && dt <= 200.0f)) preferences.SetFloat(kPrefCurrentDeltaT, kDefaultDeltaT);
    preferences.SetFloat(kPrefGrsLongitude, kDefaultGrsLongitude);
    char* userCatalogName = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
    std::memset(userCatalogName, 0, kUserCatalogNameSize);
    std::memcpy(userCatalogName, kDefaultUserCatalogName, sizeof kDefaultUserCatalogName);
    return 1;
}

float GetCurrentDeltaT() { return preferences.GetFloat(kPrefCurrentDeltaT); }
