// The world map of a solar eclipse: its plain latitude-longitude projection
// (2415 x 1207 pixels, 180 degrees west at the left edge, north at the top;
// longitudes positive west), the pan that places it in a view, and the table
// of the shadow's positions every 5 minutes with the limits of equal magnitude
// on each position's meridian. The state is kept by the eclipse form for the
// selected event; UI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "eclipse/besselian.h"
#include "eclipse/local_eclipse.h"

struct EclipseEvent;

constexpr int kMapWidth = 2415;     // pixels for 360 degrees of longitude
constexpr int kMapHalfWidth = 1207;  // each land bitmap, 1207 x 1207
constexpr double kMapPixelsPerLongitude = 6.708333333333334;
constexpr double kMapPixelsPerLatitude = 6.705555555555556;
constexpr int kMapPositionCapacity = 60;
constexpr int kMapLimitCount = 10;  // magnitudes 0, 0.25, 0.5, 0.75, 0.99, each on side -1 then +1
constexpr int kMapJoinLimit = 80;   // successive positions at least this far apart in x are not joined

// One position of the shadow.
struct MapPosition {
    double latitude;   // shadow centre, degrees
    double longitude;  // degrees west
    double time;       // hours UT
    int32_t umbraSemiMajor;  // km, along the Sun's azimuth
    int32_t umbraRadius;     // km, across it
    int32_t limitY[kMapLimitCount];  // map y of the limits on the centre's meridian
    int32_t unused[2];
    int32_t screenX, screenY;  // set when the track is laid out
    int32_t azimuthMod180;     // degrees, the ellipse's orientation
    int32_t trackAngle;        // degrees
    int32_t hour, minute;      // the step's time (UT)
};

// The map state of the eclipse form (mapRecentre and mapPositionCount are
// declared with the form).
extern int mapPanX, mapPanY;   // screen place of map x 0, map y 0, relative to the view
extern int mapDragging;        // the pen has moved more than 3 pixels since it went down
extern MapPosition* mapPositions;  // kMapPositionCapacity entries, or null

// Map x and y of a place (integer parts of (180 - longitude) x 6.708333 and
// (90 - latitude) x 6.705556).
int MapX(double longitude);
int MapY(double latitude);

// The place of a map point (the inverse used for taps): longitude 180 - x x
// 0.14906832298136646, less 360 above 180; latitude 90 - y x 0.14913007456503727.
void MapPointToPlace(double mapX, double mapY, double* latitude, double* longitude);

// The pan that centres a view of `width` x `height` (whose left edge is x) on
// a place: x pan (x + width) / 2 - MapX, y pan height / 2 - MapY.
void CentreMapPan(int x, int width, int height, double latitude, double longitude, int* panX, int* panY);

// The y pan held so that the map covers a view of that height: within
// [height - 1207, 0].
int ClampMapPanY(int panY, int height);

// Where the two land halves go for an x pan: the map repeats every 2415
// pixels (the halves' 2 x 1207 leave its last column, at 180 degrees, to the
// sea). From x0 = the pan reduced into 0..2414, the western half (180 W to 0)
// at x0 and the eastern one 2415 - 1207 to its left while x0 is at most 1207,
// else the western half one map to the left (x0 - 2415) and the eastern one
// after it; either way the two cover the first 1207 pixels of the view. The
// track is laid out with the western half's x as the pan.
struct MapHalves {
    int westX;
    int eastX;
    int panX;
};
MapHalves WrapMapPan(int panX);

// The screen place of a position for a pan: x = MapX + panX, less 2415 when
// that exceeds 2415; y = MapY + panY + top.
void PlaceMapPoint(double latitude, double longitude, int panX, int panY, int top, int* x, int* y);

// Fills the table from the shadow every 5 minutes: a pass back from the
// event's hour and minute, then a pass forward from them, each ending at the
// first instant whose shadow axis misses the Earth, at 60 steps, or when the
// table holds 60 entries. Each entry copies the umbra of ComputeUmbraEllipseAt
// (into *result) and the map y of the limit latitudes (ComputeLimitLatitude of
// the elements on the centre's meridian). `progress`, when given, is told each
// step's time before its entry is added. Returns the number of entries.
int ComputeMapPositions(const EclipseEvent& event, const BesselianElements& elements, double deltaT,
                        LocalEclipseResult* result, MapPosition* table, void (*progress)(int hour, int minute));

// A position of the result's shadow centre, time, axes and angles (no step
// time, no limits).
MapPosition MapPositionFromResult(const LocalEclipseResult& result);

// One line of the track between two positions: limit j of entry i - 1 to
// limit j of entry i.
struct MapTrackLine {
    int x1, y1, x2, y2;
};

// Lays the table out for a pan (screen x and y of every entry, as
// PlaceMapPoint) and returns the limit lines joining each entry to the one
// before it when their x differ by less than 80 pixels (none across the map's
// wrap).
std::vector<MapTrackLine> LayOutMapTrack(MapPosition* table, int count, int panX, int panY, int top);

// "%02d:%02d" of a position's time t (hours UT) rounded once to the whole
// minute, the hours modulo 24 (9:59:35 reads 10:00, 23:59:30 00:00).
void MapTimeLabel(double t, char* text, int size);

// The contacts at a tapped place (latitude, west longitude, sea level): five
// LocalContactSteps each for the first contact, greatest eclipse and the last
// contact, every search starting at `startHour` (UT); the obscuration at
// greatest rounded to a whole percent. A place the penumbra never reaches has
// no eclipse (its contacts are the time of greatest approach), nor has one
// where the Sun stays below the horizon from the first to the last contact
// (SunStaysBelowHorizon).
struct TapContacts {
    double start, greatest, end;  // hours UT
    int percent;
    bool eclipse;  // the magnitude at greatest is above 0
};
TapContacts ComputeTapContacts(const BesselianElements& elements, double deltaT, int startHour, double latitude,
                               double longitude);

// The panel's three lines: "Partial Start at %dh%02dm%02d UT", "Greatest at
// %dh%02dm%02d UT, %d%%" and "Partial End at %dh%02dm%02d UT", each time
// rounded once to the whole second and read on the clock of its day (24.5 h is
// 0h30m00); for a place without eclipse "No Eclipse found!" and two empty lines.
struct TapPanelLines {
    std::string start, greatest, end;
};
TapPanelLines FormatTapContacts(const TapContacts& contacts);
