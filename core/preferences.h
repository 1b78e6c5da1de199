// The preference words: one block of 32-bit words that every subsystem reads
// directly. It starts at zero; ValidatePreferences gives it its defaults and
// brings it into range at every start, then the words the user sets are taken
// back from the preferences file of the last run (core/preferences_file.h).
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

constexpr int kPreferenceWordCount = 288;

struct SiteRecord;  // core/shared_state.h

struct PreferencesBlock {
    int32_t word[kPreferenceWordCount];

    float GetFloat(int index) const {
        float f;
        std::memcpy(&f, &word[index], sizeof f);
        return f;
    }
    void SetFloat(int index, float value) { std::memcpy(&word[index], &value, sizeof value); }

    // A double in two words: the low 32 bits of its encoding first.
    double GetDouble(int index) const {
        uint64_t bits = static_cast<uint32_t>(word[index]) | uint64_t{static_cast<uint32_t>(word[index + 1])} << 32;
        return std::bit_cast<double>(bits);
    }
    void SetDouble(int index, double value) {
        uint64_t bits = std::bit_cast<uint64_t>(value);
        word[index] = static_cast<int32_t>(static_cast<uint32_t>(bits));
        word[index + 1] = static_cast<int32_t>(static_cast<uint32_t>(bits >> 32));
    }
};

extern PreferencesBlock preferences;

// Indexes of the preference words (the page label in quotes where there is one).
enum PreferenceWord : int {
    kPrefDriveId = 0,        // "Scope Drive": row of the drive list, 0 = none
    kPrefScopePort = 1,      // "Scope Port": row of the serial port list
    kPrefGpsPort = 3,        // "GPS Port"
    kPrefRaFormat = 5,       // "RA Format": 0 decimal, 1 "23:45:00", 2 "23h45m00", 3 "23h45.0"
    kPrefDecFormat = 6,      // "Dec Format": 0 decimal, 1 "-70:45:00", 2 degree sign, 3 tenths of a minute
    kPrefAlignMethod = 8,    // "Align Method": 0 two stars, 1 "External"
    kPrefMountType = 9,      // "Mount Type": 0 equatorial, 1 azimuth, 2 azimuth on an equatorial platform
    kPrefPositionMode = 10,  // 0 geocentric, 1 geoc. + refraction, 2 topocentric, 3 topo + refraction
    kPrefEncoderStepsAz = 11,   // "Encoders Steps": steps per turn, negative for a reversed encoder
    kPrefEncoderStepsAlt = 12,
    kPrefDiameter = 13,      // "Diameter": row of the aperture list, or millimetres after "Other"
    kPrefFRatio = 14,        // "F-Ratio": row f/4..f/15, or tenths after "Other"
    kPrefMaxSelectedItems = 18,  // "Max Selected items": rows 0..10 = 25, 50, 100, 150, ... 500 objects
    kPrefExperience = 19,    // observer: 0 "Beginner", 1 "Hobbyst", 2 "Expert"
    kPrefAge = 20,           // observer's age row: 0 "15", 1 "25" .. 7 "85", 8 ">95"
    kPrefVision = 21,        // observer's acuity row: 0 "2/10" .. 10 "12/10"
    kPrefHorizon = 22,       // "Horizon": row of 0, 2, 4, 5, 6, 8, 10 degrees
    kPrefTimeUpdate = 23,    // 0 automatic (follows the device clock), 1 manual
    kPrefNightMode = 24,     // "Night Mode": 0 off, 1 dark, 2 medium, 3 bright
    kPrefStarColor = 25,     // "Star Color": 0 colour, 1 black and white
    kPrefChartBackground = 26,  // "Background": 0 black, 1 dark blue, 2 white
    kPrefLineColor = 27,     // "Line Color": 0 blue, 1 red, 2 grey, 3 black
    kPrefStars = 28,         // "Stars": 0 all, 1 only constellation, 2 only default stars
    kPrefTimeStep = 29,      // "Time Step": row 0 "None" .. 17 "90 Days"
    kPrefHorizonProjection = 35,  // horizon chart by hour angle (0, fixed point) or by RA and LST (1)
    kPrefGrsLongitude = 37,  // float, System II longitude of the Great Red Spot, degrees
    kPrefPolarResolution = 38,  // float, field resolution of the polar drift reticle, arcseconds per pixel
    kPrefCurrentDeltaT = 39,     // float, seconds
    kPrefObjectNames = 41,   // "Obj. Names"
    kPrefHideGrid = 42,      // "Hide Grid"
    kPrefTelrad = 43,        // "Telrad"
    kPrefFovCcd = 44,        // "FOV: CCD"
    kPrefFovEyepiece = 45,   // "FOV: Eyepiece"
    kPrefEyepiece = 46,      // "Eyepiece": eyepiece record, 0 none
    kPrefStarsLegend = 47,   // "Stars Legend"
    kPrefCcdCamera = 48,     // CCD assistant: row of its camera list, 0 "User Data"
    kPrefCcdWidth = 49,      // sensor width, height (mm x 100), pixel width, height (um x 100): words 49..52
    kPrefCcdFocal = 53,      // focal length before the camera in mm (up to kCcdFocalMaxMm), 0 the telescope's
    kPrefStarLimitFirst = 54,    // star limit of zoom steps 5..9 (words 54..58)
    kPrefObjectLimitFirst = 65,  // object limit of zoom steps 0..9 (words 65..74)
    kPrefCardCatalog = 115,      // "Card Catalog": largest stellar catalogue file installed, 0 none .. 6
    kPrefFontSize = 116,         // "Font Size": 0 small, 1 medium, 2 large
    kPrefChartType = 117,        // "Chart Type" (chartView): 0 Sky Map .. 4 Equatorial Sky
    kPrefStarsSymbols = 120,     // "Stars Symbols"
    kPrefConstNames = 121,       // "Const. Names"
    kPrefConstLinesShown = 122,  // "Const. Lines" (shown)
    kPrefMoreStars = 123,        // "More Stars"
    kPrefMoreObjects = 124,      // "More Objects"
    kPrefAltAzGrid = 126,        // "Alt/Az Grid"
    kPrefEcliptic = 127,         // "Ecliptic"
    kPrefTelradRing1 = 128,      // Telrad ring radii in tenths of a degree (words 128..130)
    kPrefShowGrid = 131,         // "Show Grid"
    kPrefStarsAsPixel = 132,     // "Stars as Pixel"
    kPrefCameraPort = 133,       // "Camera Port"
    kPrefStartYear = 134,        // start date and time: year, month, day, hour, minute (words 134..138)
    kPrefStartMonth = 135,
    kPrefStartDay = 136,
    kPrefStartHour = 137,
    kPrefStartMinute = 138,
    kPrefLastForm = 139,         // the form last pushed on the form history
    kPrefZoomViewFirst = 140,    // chart orientation of zoom steps 0..9 (words 140..149)
    kPrefChartZoom = 153,        // zoom step the sky chart opens with (no page control)
    kPrefAlignmentSavedJd = 154, // double in words 154..155: Julian day the 2-star alignment was saved, 0 none
    kPrefSavedEncoderAlt = 220,  // encoder offsets kept for restoring the alignment: altitude,
    kPrefSavedEncoderAz = 221,   //   azimuth
    kPrefUserCatalogName = 222,  // text of kUserCatalogNameSize bytes (words 222..234), "usercatalogs" file
    kPrefHideToolBar = 235,      // "Hide ToolBar"
    kPrefHideSphereSky = 236,    // sphere views without grid samples, stars and names (no page control)
    kPrefObjDrilldown = 237,     // "Obj. Drilldown"
    kPrefCursor = 238,           // "Cursor": 0 fix, 1 blinking, 2 none
    kPrefDeltaTFormula = 239,    // "DeltaT Formula": 0 Chapront & Touze 1997, 1 JPL Horizon
    kPrefHideInfoBar = 240,      // "Hide InfoBar"
    kPrefHideCompass = 241,      // "Hide Compass"
    kPrefConnection = 242,       // "Connection": 0 upon need, 1 persistent
    kPrefConstLinesFigures = 243,  // "Const. Lines" (figures): 0 classic, 1 Rey
    kPrefPlatformDelay = 244,    // "EQPlatForm Delay": minutes in the low 16 bits
    kPrefDistFormat = 248,       // "Dist Format": 0 parsec, 1 light year, in the high 16 bits
    kPrefStartSecond = 252       // seconds of the current date and time
};
constexpr int kUserCatalogNameSize = 52;
constexpr char kDefaultUserCatalogName[] = "zendavori_user_catalog.pdb";

// The longest CCD focal length word 53 keeps, millimetres.
constexpr int32_t kCcdFocalMaxMm = 20000;

constexpr float kDefaultDeltaT = 66.184f;
constexpr float kDefaultGrsLongitude = 117.0f;

// How ValidatePreferences treats one word.
enum class PrefCheck {
    Set,    // the default is stored whatever the word held
    Range,  // a value outside [min, max] is replaced by the default
    None    // no check and no store
};

// For a word the user sets (`kept`: a page or a form's own setting writes it)
// [min, max] is also the range a value read back from the preferences file
// must be in; outside it the word gets `defaultValue`.
struct PreferenceRule {
    int word;
    int32_t defaultValue;
    PrefCheck check;
    int32_t min;
    int32_t max;
    bool kept = false;
};

// Reads the device's local date and time: year, month, day, hour, minute, second.
using PreferenceClock = void (*)(int32_t fields[6]);

// Installs the clock that ValidatePreferences takes the start date and time
// from (the shell installs the device clock). Without one the date words are
// left as they are. Returns the clock it replaces.
PreferenceClock SetPreferenceClock(PreferenceClock clock);

// Reads the installed clock (the device's local date and time) into `fields`;
// false, leaving them as they were, while none is installed.
bool ReadPreferenceClock(int32_t fields[6]);

// Gives the words their defaults and range checks, the site (currentSite) its
// start values and checks, and the start date and time words 134..138 and 252
// the device clock's. Returns 1.
int ValidatePreferences();

// Takes from `saved`, a block read back from the preferences file, the words
// the user sets (the page settings, texts and half words included) and the
// alignment's saved time and encoder offsets (words 154..155, 220, 221), each
// brought into its range: a value outside it, a float or double that is not
// finite and a catalogue name not ended within its bytes or naming another
// folder get the default. Every other word keeps its value: the start date and
// time come from the clock, not from the last run, and "Time Update" (word
// 23) starts Automatic, so a time fixed by hand lasts for its run only.
void TakeSavedPreferences(const PreferencesBlock& saved);

// Takes a site read back from the preferences file into currentSite with the
// ranges the location form accepts (coordinates, elevation 0..31999 m, zone
// -1439..1439 min, weather, sky condition and the flags; the names ended
// within their bytes; the sine and cosine of the latitude computed again). A
// site with any value out of range (not a number included) is replaced by the
// default site, as at a first start; a saved site out of range by an empty
// one. False when anything was replaced.
bool TakeSavedSite(const SiteRecord& saved);

// The "Current DeltaT" preference in seconds.
float GetCurrentDeltaT();
