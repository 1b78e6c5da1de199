// The Map of the Mars mode of the planet detail form: the map of Mars
// scrolling around in longitude, the names of the large regions and the
// call-out of a chosen feature. Map pixels (the features' map x and y, 640 x
// 320) are drawn at the display scale; the scroll offsets are pixels of the
// rectangle, the map's longitude -180 at rect.x + scrollX.
#pragma once

#include "catalog/mars_features.h"
#include "ui/xywh_rect.h"

// Draws the map halves (firstBitmapId: -180..0, firstBitmapId + 1: 0..180)
// stretched to the display scale into the rectangle, as second, first,
// second, first from rect.x + scrollX - half width, so the map wraps around.
// The scroll is first clamped so that no gap shows: scrollY into [rect height
// - map height, 0], scrollX into [rect width - 2.5 half widths, half width],
// and written back.
void DrawMarsMap(int firstBitmapId, const XywhRect& rect, int* scrollX, int* scrollY);

// The names of the planitiae and plana of 1000 km or more (font 5) and the
// terrae of 500 km or more (font 4) of the Mars database, centred on their
// map place (x taken modulo the map width, so a name left of the map is drawn
// one map width right), at even pixels: white (240, 240, 240), black for a map
// y below 10 when GetScreenScale is not 1, RGB(1, 0, 0) in night mode.
void DrawMarsMapLabels(const XywhRect& rect, int scrollX, int scrollY);

// The call-out of a feature at its map place: a box above the place when it
// lies more than 60 pixels down the rectangle, else 13 below it, moved left
// when it would pass the right edge, holding " name", the size text of its
// type, its picture when the mars picture folder has one (prefix + name up to
// the first blank, 48 x 48 at most), "Lat: ..." and "Long: ..." (only the
// name for a type outside 0..9).
void DrawMarsFeatureCallout(const MarsFeatureRecord& feature, int scrollX, int scrollY, const XywhRect& rect);

// The screen place of a map pixel for the scroll: x taken modulo the map width.
void MarsMapToScreen(const XywhRect& rect, int scrollX, int scrollY, int mapX, int mapY, int* x, int* y);

// The feature's picture (prefix + name up to the first blank) from the mars
// picture folder in a 160 x 160 box with its caption. 1 when shown; 0 for a
// null record or a picture that is not there.
int ShowMarsFeaturePicture(const MarsFeatureRecord* feature);
