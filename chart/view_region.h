// The part of the sky a chart rectangle shows, as the catalogue readers select
// their records: a declination band and a right-ascension window that hold
// every point of the rectangle.
#pragma once

#include "chart/sphere_projection.h"
#include "core/fixed_trig.h"
#include "platform/types.h"

struct SkyRegion {
    float decLowest;       // degrees, -90..90
    float decHighest;
    bool everyRa;          // the window holds every right ascension
    Fix24Angle raCentre;   // else: |ra - raCentre| <= raHalfWidth, taken across 0 h
    Fix24Angle raHalfWidth;
};

// The smallest cap about the rectangle's middle point that holds its corners and
// edge midpoints (a twentieth and half a degree wider), read back through the
// inverse projection of the view: the sphere views' (skyMapView) or the horizon
// chart's. A cap over a pole takes every right ascension.
SkyRegion RegionOfRect(const pl::Rect& bounds, bool sphere);

bool RegionHoldsRa(const SkyRegion& region, Fix24Angle ra);

// A view the readers draw into: its rectangle in drawing coordinates and its
// projection, the sphere views' (skyMapView's frame; in the Visible Sky view
// points below the horizon are left out) or the horizon chart's at `lst` (in
// the Horizon View a point outside is taken one panorama width towards it).
struct FieldView {
    pl::Rect bounds;
    bool sphere;
    SphereFrame frame;
    bool visibleOnly;
    Fix24Angle lst;
    bool panorama;
    int32_t panoramaWidth;
};

FieldView SphereFieldView(const pl::Rect& bounds);
FieldView HorizonFieldView(const pl::Rect& bounds, Fix24Angle lst);

// The screen point of a J2000 place in the view: false when it is on the far
// side (depth 0 or less), below the horizon or outside the rectangle
// (inclusive bounds).
bool PlaceInView(const FieldView& view, Fix24Angle ra, Fix24Angle dec, int* x, int* y);

// A horizon-chart pair (a, b) on screen, in the rectangle after the panorama wrap.
bool PairInView(const FieldView& view, int32_t a, int32_t b, int* x, int* y);
