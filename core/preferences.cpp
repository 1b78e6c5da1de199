#include "core/preferences.h"


#include "core/shared_state.h"

PreferencesBlock preferences{};

namespace {

PreferenceClock preferenceClock = nullptr;

// One row per integer word with a default or a check; the start words of a
// run of equal rows are listed one by one. For a Range row `defaultValue` is
// the value a word outside [min, max] receives (its start value is the 0 the
// block begins with). Floats, texts, half words and the date follow in
// ValidatePreferences.
constexpr PreferenceRule kRules[] = {
    {kPrefDriveId, 5, PrefCheck::Set, 0, 0},
    {kPrefScopePort, 0, PrefCheck::Range, 0, 9},
    {2, 0, PrefCheck::Range, 0, 9},
    {kPrefGpsPort, 0, PrefCheck::Range, 0, 9},
    {4, 2, PrefCheck::Set, 0, 0},
    {kPrefRaFormat, 2, PrefCheck::Set, 0, 0},
    {kPrefDecFormat, 2, PrefCheck::Set, 0, 0},
    {7, 0, PrefCheck::Range, 0, 1},
    {kPrefAlignMethod, 1, PrefCheck::Set, 0, 0},
    {kPrefMountType, 0, PrefCheck::Range, 0, 2},
    {kPrefPositionMode, 0, PrefCheck::Range, 0, 3},
    {kPrefEncoderStepsAz, -32127, PrefCheck::Range, -32127, 32127},
    {kPrefEncoderStepsAlt, -32127, PrefCheck::Range, -32127, 32127},
    {kPrefDiameter, 8, PrefCheck::Set, 0, 0},
    {kPrefFRatio, 6, PrefCheck::Set, 0, 0},
    {17, 0, PrefCheck::Set, 0, 0},
    {kPrefMaxSelectedItems, 0, PrefCheck::Range, 0, 10},
    {kPrefExperience, 1, PrefCheck::Set, 0, 0},
    {kPrefAge, 2, PrefCheck::Set, 0, 0},
    {kPrefVision, 8, PrefCheck::Set, 0, 0},
    {kPrefHorizon, 0, PrefCheck::Range, 0, 7},
    {kPrefTimeUpdate, 0, PrefCheck::Set, 0, 0},
    {kPrefNightMode, 0, PrefCheck::Range, 0, 3},
    {kPrefStarColor, 0, PrefCheck::Set, 0, 0},
    {kPrefChartBackground, 2, PrefCheck::Set, 0, 0},
    {kPrefLineColor, 2, PrefCheck::Set, 0, 0},
    {kPrefStars, 0, PrefCheck::Range, 0, 3},
    {kPrefTimeStep, 0, PrefCheck::Range, 0, 17},
    {kPrefHorizonProjection, 0, PrefCheck::Range, 0, 1},
    {36, 27, PrefCheck::Set, 0, 0},
    {40, 1, PrefCheck::Set, 0, 0},
    {kPrefObjectNames, 0, PrefCheck::Set, 0, 0},
    {kPrefHideGrid, 0, PrefCheck::Set, 0, 0},
    {kPrefTelrad, 0, PrefCheck::Range, 0, 1},
    {kPrefFovCcd, 0, PrefCheck::None, 0, 0},
    {kPrefFovEyepiece, 0, PrefCheck::None, 0, 0},
    {kPrefEyepiece, 0, PrefCheck::Range, 0, 400},
    {kPrefStarsLegend, 0, PrefCheck::Range, 0, 1},
    {48, 0, PrefCheck::Range, 0, 9},
    {49, 0, PrefCheck::Range, 0, 20000},
    {50, 0, PrefCheck::Range, 0, 20000},
    {51, 0, PrefCheck::Range, 0, 10000},
    {52, 0, PrefCheck::Range, 0, 10000},
    {53, 0, PrefCheck::Range, 0, 20000},
    {76, 0, PrefCheck::Range, 0, 2},
    {kPrefCardCatalog, 0, PrefCheck::Range, 0, 6},
    {kPrefFontSize, 1, PrefCheck::Set, 0, 0},
    {kPrefChartType, 2, PrefCheck::Set, 0, 0},
    {118, 0, PrefCheck::Set, 0, 0},
    {119, 1, PrefCheck::Set, 0, 0},
    {kPrefStarsSymbols, 1, PrefCheck::Set, 0, 0},
    {kPrefConstNames, 1, PrefCheck::Set, 0, 0},
    {kPrefConstLinesShown, 1, PrefCheck::Set, 0, 0},
    {kPrefMoreStars, 1, PrefCheck::Set, 0, 0},
    {kPrefMoreObjects, 1, PrefCheck::Set, 0, 0},
    {125, 0, PrefCheck::Set, 0, 0},
    {kPrefAltAzGrid, 0, PrefCheck::Set, 0, 0},
    {kPrefEcliptic, 1, PrefCheck::Set, 0, 0},
    {kPrefTelradRing1, 5, PrefCheck::Set, 0, 0},
    {kPrefTelradRing1 + 1, 20, PrefCheck::Set, 0, 0},
    {kPrefTelradRing1 + 2, 40, PrefCheck::Set, 0, 0},
    {kPrefShowGrid, 1, PrefCheck::Set, 0, 0},
    {kPrefStarsAsPixel, 0, PrefCheck::Set, 0, 0},
    {kPrefCameraPort, 0, PrefCheck::Range, 0, 9},
    {kPrefLastForm, 1950, PrefCheck::Set, 0, 0},
    {150, 0, PrefCheck::Set, 0, 0},
    {153, 0, PrefCheck::Set, 0, 0},
    {154, 0, PrefCheck::Set, 0, 0},
    {155, 0, PrefCheck::Set, 0, 0},
    {220, 0, PrefCheck::Set, 0, 0},
    {221, 0, PrefCheck::Set, 0, 0},
    {kPrefHideToolBar, 0, PrefCheck::Set, 0, 0},
    {236, 0, PrefCheck::Set, 0, 0},
    {kPrefObjDrilldown, 1, PrefCheck::Set, 0, 0},
    {kPrefCursor, 0, PrefCheck::Range, 0, 2},
    {kPrefDeltaTFormula, 0, PrefCheck::None, 0, 0},
    {kPrefHideInfoBar, 0, PrefCheck::Set, 0, 0},
    {kPrefHideCompass, 0, PrefCheck::Set, 0, 0},
    {kPrefConnection, 0, PrefCheck::Range, 0, 1},
    {kPrefConstLinesFigures, 0, PrefCheck::Range, 0, 1},
};

// Runs of words that share one rule: (first word, count, default, check, min, max).
struct PreferenceRun {
    int first;
    int count;
    PreferenceRule rule;
};

constexpr PreferenceRun kRuns[] = {
    {kPrefStarLimitFirst, 11, {0, 2, PrefCheck::Set, 0, 0}},     // 54..58 star limits, 59..64
    {kPrefObjectLimitFirst, 11, {0, 3, PrefCheck::Set, 0, 0}},   // 65..74 object limits, 75
    {kPrefZoomViewFirst, 10, {0, 0, PrefCheck::Range, 0, 3}},    // 140..149 views of the zoom steps
};

int32_t Checked(int32_t value, const PreferenceRule& r) {
    switch (r.check) {
    case PrefCheck::Set: return r.defaultValue;
    case PrefCheck::Range: return (value < r.min || value > r.max) ? r.defaultValue : value;
    case PrefCheck::None: break;
    }
    return value;
}

void ApplyRule(int word, const PreferenceRule& r) { preferences.word[word] = Checked(preferences.word[word], r); }

// Word 244 keeps a 16-bit signed delay in its low half; word 248 a 16-bit
// distance format in its high half; word 16's highest byte is cleared.
void ApplyHalfWords() {
    uint32_t w244 = static_cast<uint32_t>(preferences.word[kPrefPlatformDelay]);
    int16_t delay = static_cast<int16_t>(w244 & 0xFFFF);
    if (delay < 0 || delay > 10000) delay = 0;
    w244 = (w244 & 0xFFFF0000u) | static_cast<uint16_t>(delay);
    preferences.word[kPrefPlatformDelay] = static_cast<int32_t>(w244);
    uint32_t w248 = static_cast<uint32_t>(preferences.word[kPrefDistFormat]) & 0xFFFFu;
    preferences.word[kPrefDistFormat] = static_cast<int32_t>(w248);
    uint32_t w16 = static_cast<uint32_t>(preferences.word[16]) & 0x00FFFFFFu;
    preferences.word[16] = static_cast<int32_t>(w16);
}

void ApplyFloatsAndText() {
    float dt = preferences.GetFloat(kPrefCurrentDeltaT);
    if (!(dt > 40.0f && dt <= 200.0f)) preferences.SetFloat(kPrefCurrentDeltaT, kDefaultDeltaT);
    preferences.SetFloat(kPrefGrsLongitude, kDefaultGrsLongitude);
    char* userCatalogName = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
    std::memset(userCatalogName, 0, kUserCatalogNameSize);
    std::memcpy(userCatalogName, kDefaultUserCatalogName, sizeof kDefaultUserCatalogName);
}

template <typename T>
void KeepWithin(T* value, int min, int max, int outside) {
    if (*value < min || *value > max) *value = static_cast<T>(outside);
}

// The site's start values and the checks of the three stored positions.
void ApplySiteDefaults(SiteRecord& site) {
    SetSiteStartValues(site);
    KeepWithin(&site.elevation, 0, 9000, 0);
    KeepWithin(&site.daylightSaving, 0, 1, 0);
    for (SavedSite& s : site.savedSites) {
        KeepWithin(&s.latitude, -90, 90, -90);
        KeepWithin(&s.longitude, -180, 180, -180);
        KeepWithin(&s.elevation, 0, 9000, 0);
        KeepWithin(&s.zoneMinutes, -720, 720, -720);
        KeepWithin(&s.daylightSaving, 0, 1, 0);
    }
}

void ApplyStartDate() {
    if (!preferenceClock) return;
    int32_t now[6] = {};
    preferenceClock(now);
    for (int i = 0; i < 5; ++i) preferences.word[kPrefStartYear + i] = now[i];
    preferences.word[kPrefStartSecond] = now[5];
}

}  // namespace

PreferenceClock SetPreferenceClock(PreferenceClock clock) {
    PreferenceClock previous = preferenceClock;
    preferenceClock = clock;
    return previous;
}

int ValidatePreferences() {
    for (const PreferenceRule& r : kRules) ApplyRule(r.word, r);
    for (const PreferenceRun& run : kRuns)
        for (int i = 0; i < run.count; ++i) ApplyRule(run.first + i, run.rule);
    ApplyHalfWords();
    ApplyFloatsAndText();
    ApplySiteDefaults(currentSite);
    ApplyStartDate();
    return 1;
}

float GetCurrentDeltaT() { return preferences.GetFloat(kPrefCurrentDeltaT); }
