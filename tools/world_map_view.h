// The location form's two world maps. The small map (bitmap 6010, 240 x 120
// units at (0, 24 units), west at the left) shows the site with a red cross.
// The large map replaces the form's fields: a band of 2415 x 1207 pixels for
// 360 x 180 degrees made of the halves 6015 (180 W to 0) and 6016 (0 to
// 180 E), drawn through an offscreen bitmap, scrolled by the stylus and
// wrapping east-west; a tap on it picks a place. Longitudes are degrees west
// positive, latitudes north positive. Everything draws into the current draw
// window, which is the form.
#pragma once

#include "ui/xywh_rect.h"

// The form's map switches (the eclipse form has a recentring switch of its own).
struct LocationMapState {
    int mapMode = 0;      // 1 while the large map replaces the fields
    int mapRecentre = 1;  // set: the next drawing of the large map centres it on its point
    int picked = 0;       // 1 once a tap on the large map has written a place into the fields
    int markX = 0;        // where the target mark was last drawn on the large map (pixels)
    int markY = 0;
};
extern LocationMapState locationMap;

// The large map's place on the form (pixels).
void SetWorldMapRect(const XywhRect& rect);
const XywhRect& GetWorldMapRect();

// Draws the large map into its offscreen bitmap (made of the screen's size on
// first use) and copies it to the form at the rectangle: recentred on the
// point while locationMap.mapRecentre is set, the vertical offset kept within
// the map, the horizontal one wrapped to the band (the picture depends only on
// it modulo 2415, so a drag of 2415 pixels brings the same picture back). The
// sea (153, 153, 203) and the land white by day; black and the night filter's
// red at night. False, with "Can't allocate offscreen Buffer to draw map",
// when the bitmaps cannot be made.
bool DrawWorldMap(const XywhRect& rect, double longitude, double latitude);

// A tap at (x, y) on the large map: the map drawn again, the place's
// longitude and latitude in degrees and decimal minutes at its top left, the
// latitude and longitude fields written with their letters as the form shows
// them, the zone field written, and the target mark at the point; locationMap.picked is set. The
// site does not change.
void PickOnWorldMap(int x, int y);

// The large map on opening: centred on the site as far as the map scrolls,
// the site's longitude and latitude at its top left and the target mark on
// the site's own pixel (off the centre where the map could not scroll
// further). The fields are left as they are and locationMap.picked cleared,
// so that the site stays exactly as it is until a tap picks a place.
void ShowSiteOnWorldMap(double longitude, double latitude);

// Moves the large map by (dx, dy) pixels and draws it again for the point.
void DragWorldMap(int dx, int dy, double longitude, double latitude);

// Frees the offscreen bitmap and the map halves.
void FreeWorldMap();

// True when the form is tall enough (more than 260 units) for the small map.
bool SmallWorldMapShown();

// Draws the small map and the red cross of (longitude, latitude) on it.
void DrawSmallWorldMap(double longitude, double latitude);

// The place of a tap at (x, y) pixels on the small map; false outside it
// (x 0..240, y 24..144 units).
bool SmallWorldMapPlace(int x, int y, double* longitude, double* latitude);

// Back to the start of a run: no map, form view, recentring on (tests).
void ResetWorldMap();
