// The state of the planet detail form (2460) that outlives it: its mode, view,
// date, zoom and orientation, the moon-event table and the events search
// cache. The menu commands, the home form, the object information form and
// the planets assistant choose the mode through the four setters, then open
// the form.
#pragma once

#include <cstdint>

enum PlanetDetailMode { kJupiterMode = 0, kSaturnMode = 1, kMarsMode = 2, kPhaseMode = 3 };

// Views (rows of the view popup) by mode.
enum PlanetDetailView {
    kSatellitesView = 0,  // every mode but Phase
    kRedSpotView = 1,     // Jupiter
    kRingsView = 1,       // Saturn
    kEventsView = 2,      // Jupiter and Saturn
    kMarsGlobeView = 1,   // Mars "View"
    kMarsMapView = 2,     // Mars "Map"
    kMarsSizeView = 3,    // Mars "Size"
};

// One event of a moon: moon index, kind 1..5 (the moon state codes), start
// day, hour, minute and end day, hour, minute; a start day of 0 is empty.
struct MoonEventSlot {
    int32_t moon;
    int32_t kind;
    int32_t startDay, startHour, startMinute;
    int32_t endDay, endHour, endMinute;
};
constexpr int kMoonEventSlots = 25;  // slot 5 m + (kind - 1) for moon m

// Year, month, day of the last events search (year -1 after a reset), and
// the form's hour and minute kept during a search.
enum EventSearchCacheField { kCacheYear = 0, kCacheMonth, kCacheDay, kCacheHour, kCacheMinute };

// Local civil date and time of the form; minute -1 until the first drawing.
struct PlanetDetailDate {
    int32_t year, month, day, hour, minute;
};

extern int32_t planetDetailMode;         // PlanetDetailMode, 0 at start
extern int32_t planetDetailView;         // row of the view popup
extern PlanetDetailDate planetDetailDate;
extern int32_t planetDetailZoom;         // 0 "1", 1 "2", 2 "4" (start), 3 "Max"
extern int32_t planetDetailOrientation;  // row 0..3 of the orientation popup
extern int32_t planetDetailSignX;        // orientation signs of the pictures, +1 or -1
extern int32_t planetDetailSignY;
extern MoonEventSlot planetMoonState[kMoonEventSlots];
extern int32_t eventSearchCache[5];

// Jupiter and Saturn: on a change of mode the moon-event table is cleared,
// the view becomes 0 and the cached search year -1. Mars: on a change the
// view becomes 1 (View). Phase: on a change zoom and view become 0 ("1",
// "Mercury"). Setting the mode in force changes nothing.
void SetJupiterAssistantMode();
void SetSaturnAssistantMode();
void SetMarsAssistantMode();
void SetPhaseAssistantMode();

int GetPlanetDetailMode();
int GetPlanetDetailOrientation();

// The orientation row and its signs: row 0 (+1, +1), 1 (+1, -1), 2 (-1, -1),
// 3 (-1, +1); a row outside 0..3 is taken as 0.
void SetPlanetDetailOrientation(int row);

// Clears the moon-event table and marks the search cache stale (year -1).
void ResetPlanetMoonEvents();

// Every value above back to its program-start value (tests).
void ResetPlanetDetailMode();
