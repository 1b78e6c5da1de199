// The sphere renderer's picture context and the layers drawn outside sky_map.cpp: set up
// once per DrawSkyMap (chart/sky_map.h), read by every layer.
#pragma once

#include <cstdint>

#include "catalog/selection_entry.h"
#include "chart/sphere_projection.h"
#include "core/fixed_trig.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

struct SkyMapPicture {
    SelectionEntry* objects;
    int count;
    XywhRect rect;               // the picture in the current draw window
    XywhRect area;               // the picture in drawing coordinates (corner 0, 0 on a surface)
    DrawWindowRecord* surface;   // null: drawn straight into the draw window
    int zoom;
    bool full;
    SphereFrame frame;           // centre, signed whole-pixel scales, centre angles, margin bounds
    Fix24Angle alpha0, delta0;
    int flipX, flipY;            // ApplyChartFlip of the zoom step
    float starLimit, objectLimit;
    int32_t objectThreshold;     // magnitude x 10 drawn up to
    bool visibleOnly;            // Visible Sky: nothing with s < 0
    int selected;                // position of the chart's selection in `objects`, -1 for none
};

// The screen point of a chart triple when it faces the viewer (depth > 0) and lies within the
// margin bounds.
bool SkyMapPointInside(const SphereFrame& frame, int32_t p, int32_t q, int32_t s, int32_t* x, int32_t* y);

// Half the picture's own pixels per arcminute at its centre: a diameter in arcminutes times it
// is the radius in pixels. The overlays and the true-size discs and outlines take their sizes
// as full diameters (eyepiece and sensor fields, Telrad rings, object sizes).
double SkyMapPixelsPerArcminHalf(const SkyMapPicture& picture);

// The shown objects in the class filter (and the selection): symbols, true sizes from zoom 8,
// names and the centre object's pointer. Returns the position of the centre object, or -1.
int DrawSkyMapObjects(const SkyMapPicture& picture);

// From zoom 5: the Telrad rings, the sensor frame and the eyepiece field about the centre.
void DrawSkyMapOverlays(const SkyMapPicture& picture);
