#include "core/preferences.h"

#include <cmath>
#include <string_view>

#include "core/shared_state.h"

PreferencesBlock preferences{};

namespace {

PreferenceClock preferenceClock = nullptr;

// One row per integer word with a default or a check; the start words of a
// run of equal rows are listed one by one. For a Range row `defaultValue` is
// the value a word outside [min, max] receives (its start value is the 0 the
// block begins with). Rows marked kept are the user's settings, read back from
// the preferences file within [min, max]: for Set and None rows that range is
// the rows of the word's popup, 0..1 for a check box, or the values its field
// accepts. Floats, texts, half words and the date follow in ValidatePreferences.
constexpr bool kKept = true;
constexpr PreferenceRule kRules[] = {
    {kPrefDriveId, 5, PrefCheck::Set, 0, 20, kKept},
    {kPrefScopePort, 0, PrefCheck::Range, 0, 9, kKept},
    {2, 0, PrefCheck::Range, 0, 9},
    {kPrefGpsPort, 0, PrefCheck::Range, 0, 9, kKept},
    {4, 2, PrefCheck::Set, 0, 0},
    {kPrefRaFormat, 2, PrefCheck::Set, 0, 3, kKept},
    {kPrefDecFormat, 2, PrefCheck::Set, 0, 3, kKept},
    {7, 0, PrefCheck::Range, 0, 1},
    {kPrefAlignMethod, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefMountType, 0, PrefCheck::Range, 0, 2, kKept},
    {kPrefPositionMode, 0, PrefCheck::Range, 0, 3, kKept},
    {kPrefEncoderStepsAz, -32127, PrefCheck::Range, -32127, 32127, kKept},
    {kPrefEncoderStepsAlt, -32127, PrefCheck::Range, -32127, 32127, kKept},
    {kPrefDiameter, 8, PrefCheck::Set, 0, 9999, kKept},  // row, or millimetres typed in 4 characters
    {kPrefFRatio, 6, PrefCheck::Set, 0, 1000, kKept},    // row, or tenths of f/1.2 .. f/100
    {17, 0, PrefCheck::Set, 0, 0},
    {kPrefMaxSelectedItems, 0, PrefCheck::Range, 0, 10, kKept},
    {kPrefExperience, 1, PrefCheck::Set, 0, 2, kKept},
    {kPrefAge, 2, PrefCheck::Set, 0, 8, kKept},
    {kPrefVision, 8, PrefCheck::Set, 0, 10, kKept},
    {kPrefHorizon, 0, PrefCheck::Range, 0, 7, kKept},
    {kPrefTimeUpdate, 0, PrefCheck::Set, 0, 1},  // not kept: the clock follows the device at every start
    {kPrefNightMode, 0, PrefCheck::Range, 0, 3, kKept},
    {kPrefStarColor, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefChartBackground, 2, PrefCheck::Set, 0, 2, kKept},
    {kPrefLineColor, 2, PrefCheck::Set, 0, 3, kKept},
    {kPrefStars, 0, PrefCheck::Range, 0, 3, kKept},
    {kPrefTimeStep, 0, PrefCheck::Range, 0, 17, kKept},
    {kPrefHorizonProjection, 0, PrefCheck::Range, 0, 1},
    {36, 27, PrefCheck::Set, 0, 0},
    {40, 1, PrefCheck::Set, 0, 0},
    {kPrefObjectNames, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefHideGrid, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefTelrad, 0, PrefCheck::Range, 0, 1, kKept},
    {kPrefFovCcd, 0, PrefCheck::None, 0, 1, kKept},
    {kPrefFovEyepiece, 0, PrefCheck::None, 0, 1, kKept},
    {kPrefEyepiece, 0, PrefCheck::Range, 0, 400, kKept},
    {kPrefStarsLegend, 0, PrefCheck::Range, 0, 1, kKept},
    {kPrefCcdCamera, 0, PrefCheck::Range, 0, 14, kKept},  // row of the CCD assistant's 15 cameras
    {kPrefCcdWidth, 0, PrefCheck::Range, 0, 20000, kKept},
    {kPrefCcdWidth + 1, 0, PrefCheck::Range, 0, 20000, kKept},
    {kPrefCcdWidth + 2, 0, PrefCheck::Range, 0, 10000, kKept},
    {kPrefCcdWidth + 3, 0, PrefCheck::Range, 0, 10000, kKept},
    {kPrefCcdFocal, 0, PrefCheck::Range, 0, kCcdFocalMaxMm, kKept},
    {76, 0, PrefCheck::Range, 0, 2},
    {kPrefCardCatalog, 0, PrefCheck::Range, 0, 6, kKept},
    {kPrefFontSize, 1, PrefCheck::Set, 0, 2, kKept},
    {kPrefChartType, 2, PrefCheck::Set, 0, 4, kKept},
    {118, 0, PrefCheck::Set, 0, 0},
    {119, 1, PrefCheck::Set, 0, 0},
    {kPrefStarsSymbols, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefConstNames, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefConstLinesShown, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefMoreStars, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefMoreObjects, 1, PrefCheck::Set, 0, 1, kKept},
    {125, 0, PrefCheck::Set, 0, 0},
    {kPrefAltAzGrid, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefEcliptic, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefTelradRing1, 5, PrefCheck::Set, 0, 99990, kKept},  // tenths of a degree typed in 4 characters
    {kPrefTelradRing1 + 1, 20, PrefCheck::Set, 0, 99990, kKept},
    {kPrefTelradRing1 + 2, 40, PrefCheck::Set, 0, 99990, kKept},
    {kPrefShowGrid, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefStarsAsPixel, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefCameraPort, 0, PrefCheck::Range, 0, 9, kKept},
    {kPrefLastForm, 1950, PrefCheck::Set, 0, 0},
    {150, 0, PrefCheck::Set, 0, 0},
    {153, 0, PrefCheck::Set, 0, 0},
    {kPrefAlignmentSavedJd, 0, PrefCheck::Set, 0, 0},
    {kPrefAlignmentSavedJd + 1, 0, PrefCheck::Set, 0, 0},
    {kPrefSavedEncoderAlt, 0, PrefCheck::Set, INT32_MIN, INT32_MAX, kKept},
    {kPrefSavedEncoderAz, 0, PrefCheck::Set, INT32_MIN, INT32_MAX, kKept},
    {kPrefHideToolBar, 0, PrefCheck::Set, 0, 1, kKept},
    {236, 0, PrefCheck::Set, 0, 0},
    {kPrefObjDrilldown, 1, PrefCheck::Set, 0, 1, kKept},
    {kPrefCursor, 0, PrefCheck::Range, 0, 2, kKept},
    {kPrefDeltaTFormula, 0, PrefCheck::None, 0, 1, kKept},
    {kPrefHideInfoBar, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefHideCompass, 0, PrefCheck::Set, 0, 1, kKept},
    {kPrefConnection, 0, PrefCheck::Range, 0, 1, kKept},
    {kPrefConstLinesFigures, 0, PrefCheck::Range, 0, 1, kKept},
};

// Runs of words that share one rule: (first word, count, default, check, min, max).
struct PreferenceRun {
    int first;
    int count;
    PreferenceRule rule;
};

// The page 4 popups have 6 to 8 rows, step by step.
constexpr PreferenceRun kRuns[] = {
    {kPrefStarLimitFirst, 1, {0, 2, PrefCheck::Set, 0, 6, kKept}},       // 45 deg
    {kPrefStarLimitFirst + 1, 3, {0, 2, PrefCheck::Set, 0, 7, kKept}},   // 30, 20, 10 deg
    {kPrefStarLimitFirst + 4, 1, {0, 2, PrefCheck::Set, 0, 6, kKept}},   // < 10 deg
    {kPrefStarLimitFirst + 5, 6, {0, 2, PrefCheck::Set, 0, 0}},          // 59..64
    {kPrefObjectLimitFirst, 2, {0, 3, PrefCheck::Set, 0, 5, kKept}},     // 180, 150 deg
    {kPrefObjectLimitFirst + 2, 1, {0, 3, PrefCheck::Set, 0, 6, kKept}}, // 120 deg
    {kPrefObjectLimitFirst + 3, 7, {0, 3, PrefCheck::Set, 0, 7, kKept}}, // 90 .. < 10 deg
    {kPrefObjectLimitFirst + 10, 1, {0, 3, PrefCheck::Set, 0, 0}},       // 75
    {kPrefZoomViewFirst, 10, {0, 0, PrefCheck::Range, 0, 3, kKept}},     // 140..149 views of the zoom steps
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

// A value outside [min, max] (a float that is not a number included) becomes `outside`.
template <typename T>
T InRange(T value, int min, int max, int outside) {
    return value >= min && value <= max ? value : static_cast<T>(outside);
}

template <typename T>
void KeepWithin(T* value, int min, int max, int outside) {
    *value = InRange(*value, min, max, outside);
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

int32_t Within(int32_t value, const PreferenceRule& r) {
    return value < r.min || value > r.max ? r.defaultValue : value;
}

void TakeSavedWords(const PreferencesBlock& saved) {
    for (const PreferenceRule& r : kRules)
        if (r.kept) preferences.word[r.word] = Within(saved.word[r.word], r);
    for (const PreferenceRun& run : kRuns)
        if (run.rule.kept)
            for (int w = run.first; w < run.first + run.count; ++w) preferences.word[w] = Within(saved.word[w], run.rule);
}

// The delay in the low half of word 244 and the distance format in the high
// half of word 248; the other halves keep their values.
void TakeSavedHalfWords(const PreferencesBlock& saved) {
    auto delay = InRange(static_cast<int16_t>(static_cast<uint32_t>(saved.word[kPrefPlatformDelay]) & 0xFFFFu), 0,
                         10000, 0);
    uint32_t w244 = static_cast<uint32_t>(preferences.word[kPrefPlatformDelay]) & 0xFFFF0000u;
    preferences.word[kPrefPlatformDelay] = static_cast<int32_t>(w244 | static_cast<uint16_t>(delay));
    uint32_t format = static_cast<uint32_t>(saved.word[kPrefDistFormat]) >> 16;
    if (format > 1) format = 0;
    uint32_t w248 = static_cast<uint32_t>(preferences.word[kPrefDistFormat]) & 0xFFFFu;
    preferences.word[kPrefDistFormat] = static_cast<int32_t>(w248 | format << 16);
}

void TakeSavedNumbers(const PreferencesBlock& saved) {
    float grs = saved.GetFloat(kPrefGrsLongitude);
    preferences.SetFloat(kPrefGrsLongitude, std::isfinite(grs) ? grs : kDefaultGrsLongitude);
    float dt = saved.GetFloat(kPrefCurrentDeltaT);
    preferences.SetFloat(kPrefCurrentDeltaT, dt > 40.0f && dt <= 200.0f ? dt : kDefaultDeltaT);
    double jd = saved.GetDouble(kPrefAlignmentSavedJd);
    preferences.SetDouble(kPrefAlignmentSavedJd, std::isfinite(jd) ? jd : 0.0);
}

// The user catalogue is a file of "usercatalogs": a name that is not ended
// within its bytes or reaches into another folder is not taken.
void TakeSavedCatalogName(const PreferencesBlock& saved) {
    const char* name = reinterpret_cast<const char*>(&saved.word[kPrefUserCatalogName]);
    std::string_view bytes(name, kUserCatalogNameSize);
    std::size_t end = bytes.find('\0');
    if (end == std::string_view::npos) return;
    std::string_view text = bytes.substr(0, end);
    if (text.find_first_of("/\\") != std::string_view::npos || text.find("..") != std::string_view::npos) return;
    std::memcpy(&preferences.word[kPrefUserCatalogName], name, kUserCatalogNameSize);
}

template <std::size_t N>
void CopyName(char (&to)[N], const char (&from)[N]) {
    std::memcpy(to, from, N);
    to[N - 1] = '\0';
}

// Zones and elevations as the location form accepts them (daylight saving
// included), so a site east of +12 h in summer or above 9000 m survives a
// restart.
constexpr int kZoneLimit = 1439;
constexpr int kElevationLimit = 31999;

bool InLimits(float value, float limit) { return value >= -limit && value <= limit; }  // false for NaN
bool InLimits(int16_t value, int min, int max) { return value >= min && value <= max; }

bool SiteInRange(const SiteRecord& s) {
    return InLimits(s.latitude, 90.0f) && InLimits(s.longitude, 180.0f) && InLimits(s.elevation, 0, kElevationLimit) &&
           InLimits(s.zoneMinutes, -kZoneLimit, kZoneLimit) && InLimits(s.temperature, -70, 59) &&
           InLimits(s.pressure, 900, 1100) && InLimits(s.humidity, 0, 99) && InLimits(s.skyCondition, 0, 4) &&
           InLimits(s.daylightSaving, 0, 1);
}

bool SavedSiteInRange(const SavedSite& s) {
    return InLimits(s.latitude, 90.0f) && InLimits(s.longitude, 180.0f) && InLimits(s.skyCondition, 0, 4) &&
           InLimits(s.elevation, 0, kElevationLimit) && InLimits(s.zoneMinutes, -kZoneLimit, kZoneLimit) &&
           InLimits(s.daylightSaving, 0, 1);
}

// A saved site read back whole, or, out of range, the empty one of a first start.
bool TakeSavedSavedSite(SavedSite& to, const SavedSite& from) {
    if (!SavedSiteInRange(from)) {
        to = SavedSite{};
        to.skyCondition = 3;
        return false;
    }
    to = from;
    to.name[sizeof to.name - 1] = '\0';
    return true;
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

bool ReadPreferenceClock(int32_t fields[6]) {
    if (!preferenceClock) return false;
    preferenceClock(fields);
    return true;
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

// The checklists' five user labels (bytes 308..457): each is taken with its
// last byte forced to end the text.
void TakeSavedChecklistLabels(const PreferencesBlock& saved) {
    constexpr std::size_t kOffset = 308, kLabelSize = 30, kLabels = 5;
    const auto* from = reinterpret_cast<const char*>(saved.word) + kOffset;
    auto* to = reinterpret_cast<char*>(preferences.word) + kOffset;
    std::memcpy(to, from, kLabelSize * kLabels);
    for (std::size_t i = 1; i <= kLabels; ++i) to[i * kLabelSize - 1] = '\0';
}

void TakeSavedPreferences(const PreferencesBlock& saved) {
    TakeSavedWords(saved);
    TakeSavedChecklistLabels(saved);
    TakeSavedHalfWords(saved);
    TakeSavedNumbers(saved);
    TakeSavedCatalogName(saved);
}

bool TakeSavedSite(const SiteRecord& saved) {
    SiteRecord& site = currentSite;
    const bool siteTaken = SiteInRange(saved);
    if (siteTaken) {
        site = saved;  // the saved sites are taken one by one below
        CopyName(site.name, saved.name);
        SetSiteLatitude(site, saved.latitude);
    } else {
        SetSiteStartValues(site);
        site.elevation = 0;
        site.daylightSaving = 0;
    }
    bool savedTaken = true;
    for (int i = 0; i < 3; ++i) savedTaken = TakeSavedSavedSite(site.savedSites[i], saved.savedSites[i]) && savedTaken;
    return siteTaken && savedTaken;
}

float GetCurrentDeltaT() { return preferences.GetFloat(kPrefCurrentDeltaT); }
