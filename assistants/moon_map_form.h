// The Moon map (form 6020): the near side of the Moon lit for currentDateTime,
// scrolled with the stylus or the keys, stepped by hours, mirrored for the
// telescope's view, with a feature picked by a tap or from the feature popup,
// circled, described and shown as a picture. The picture is made by
// moon_map_view.h; the map works on currentDateTime itself and changes it.
#pragma once

#include <cstdint>

#include "platform/types.h"

constexpr int kMoonMapForm = 6020;
constexpr int kMoonMapNeverDrawn = -12345;

// Kept while the program runs (the form's state survives its closing).
struct MoonMapState {
    int32_t zoomLevel = 1;       // 1: the 320 map, 2: the 960 map
    int32_t mapSize = 320;       // side of the map rendered last
    int32_t blitFactor = 1;      // zoom of the copy to the screen
    int32_t lastPenX = kMoonMapNeverDrawn;  // screen place of the last scroll; -1 after a zoom change
    int32_t lastPenY = 0;
    int32_t scrollX = 0;         // top left of the visible part, map pixels
    int32_t scrollY = 0;
    int32_t selectedFeature = -1;  // lunar feature record, -1 none
    int32_t orientationRow = -1;   // 0 none, 1 top-bottom, 2 both, 3 left-right
    int32_t flipX = 0;
    int32_t flipY = 0;
    int32_t penDownX = 0;
    int32_t penDownY = 0;
    uint8_t penDown = 0;
    uint8_t moved = 0;
    int32_t viewWidth = 0;       // the screen
    int32_t viewHeight = 0;
    int32_t bottomStrip = 0;     // 22 x scaleY: the strip of the controls
};
extern MoonMapState moonMapState;

// The state of a fresh start, the map freed (tests).
void ResetMoonMapState();

// The form's dialog procedure.
pl::LResult MoonMapProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
