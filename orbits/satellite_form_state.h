// The satellites form's state, one record for the program, kept between
// openings of the form (never saved). The computation reads and writes it: the
// searches fill its rows, the geometry decodes its current record. The form
// (orbits/screens) owns its lifecycle: it allocates the four buffers when it
// opens and frees them when it closes, and keeps its drawing surfaces (the
// offscreen picture and the bits under the satellite marker) itself.
#pragma once

#include "catalog/comet_satellite_db.h"
#include "catalog/selection_entry.h"
#include "orbits/two_line_elements.h"

// One row of the result list of the pass, Next, flare and Moon-transit
// searches. Times are LOCAL Julian days (universal time plus the site's zone).
struct PassRow {
    double riseLocalJd;
    double setLocalJd;
    double maxLocalJd;      // culmination: the highest elevation between rise and set
    double peakLocalJd;     // flare peak or closest approach to the Moon; the rise in Next
    double peakAngle;       // degrees: reflection angle or distance from the Moon; 0 in Next
    int32_t durationSeconds;  // (set - rise) x 86400 + 0.5, truncated
    int32_t maxElevation;     // degrees at the culmination, + 0.5, truncated
    int32_t satelliteIndex;   // record of the satellite database
    char name[32];            // first 20 characters of the name line, terminated
};

constexpr int kMaxPassRows = 30;
constexpr int kSatelliteSkyObjectCount = 40;

enum SatelliteView : int {
    kSatelliteViewInfo = 0,
    kSatelliteViewSky = 1,
    kSatelliteViewPass = 2,
    kSatelliteViewNext = 3,
    kSatelliteViewFlare = 4,
    kSatelliteViewTransit = 5,
    kSatelliteViewGlobe = 6,
    kSatelliteViewData = 7,
};

struct SatelliteFormState {
    int view;  // SatelliteView
    int year, month, day, hour, minute, second;  // the form's local civil time; year -1 until first opened
    int satelliteIndex;                          // current record, -1 until chosen
    int fovIndex;                                // row of the sky view's field-of-view popup
    double startJd;                              // UT start of the sky view's track
    int trackSpan;                               // minutes of the track; -1 one period
    int timeMode;                                // 0 Clock, 1 Track, 2..5 +1', +2', +5', +10'
    int minElevationIndex;                       // 0..9: 2, 5, 10 .. 45 degrees
    int resultCount;                             // rows of the last search; 0 searches again
    int flareMode;                               // 1 after the Flare view was shown
    int transitMode;                             // 1 while the Transit view searches
    int selectedResult;                          // row last tapped, -1 none
    int mapReady;
    int dragging;
    int penDown;
    int lastPenX, lastPenY;
    float viewCentreAzimuth, viewCentreAltitude;  // degrees
    struct {
        int x, y, w, h;
    } drawRect;                                  // pixels
    int drawCentreX, drawCentreY;
    int screenWidth, screenHeight;
    SatelliteRecord* record;                     // the current satellite's record
    SatelliteElements* elements;                 // its elements and latest position
    SelectionEntry* skyObjects;                  // kSatelliteSkyObjectCount entries
    int skyObjectCount;
    PassRow* results;                            // kMaxPassRows rows
    int globeLongitude, globeLatitude;           // degrees
    int savedChartType;
    int savedObjectNames;
};

extern SatelliteFormState satelliteFormState;

// The start values of the program: year, satelliteIndex and selectedResult
// -1, fovIndex 1, transitMode 1, every other field 0 and no buffers. Does not
// free buffers (the form frees its own).
void ResetSatelliteFormState();

// Minimum elevation of a pass in degrees for a row of the minimum-elevation
// popup: 2, 5, 10, 15 .. 45; a row outside 0..9 counts as the nearest row.
int MinimumPassElevation(int index);

// The order of the result rows: with flareMode set by peak time (1 when a's is
// later, 0 when equal, -1 otherwise); otherwise by rise time, and at equal
// rise times by maximum elevation (a's minus b's).
int CompareFlareRows(const PassRow* a, const PassRow* b);

// Sorts the first `count` rows with CompareFlareRows (stable).
void SortPassRows(PassRow* rows, int count);
