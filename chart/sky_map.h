// The sphere renderer: one orthographic picture of the sky (chart/sphere_projection.h) in a
// rectangle. It draws the chart's Whole Sky, Visible Sky and Equatorial Sky views and the small
// sky pictures of the other forms.
//
// Before the call, the caller must:
//   - set the frame and the chart colours with SetChartView (chart/sky_rotation.h). That
//     also projects the bright-star table for the frame;
//   - fill the projection words of its object table with ProjectObjectList for that frame.
//     Records left unprojected are drawn at stale places.
//
// Layers, bottom up:
//   - the objects and bright stars are projected (points more than 30 pixels beyond the
//     rectangle are skipped);
//   - constellation lines ("Const. Lines", word 122);
//   - with `full`, the stars of the stellar catalogue from zoom 5 and the drill-down objects
//     ("Obj. Drilldown", word 237);
//   - the grid below zoom 12;
//   - the bright stars with their letters ("Stars Symbols", word 120);
//   - constellation names (word 121, with `full`);
//   - the ecliptic (word 127, with `full`);
//   - the tracks between objects of one source (SetChartFlagA, with `full`);
//   - the star legend (word 47);
//   - the objects: symbols, from zoom 8 the Sun's disc, the Moon's picture and the outlines of
//     extended objects at their true size, and the names ("Obj. Names", word 41). The first
//     object within 12 design pixels of the centre is the centre object, with a pointer;
//   - from zoom 5 the Telrad rings, the camera sensor frame and the eyepiece field (words
//     43..45), each at its true angular size;
//   - the status lines and the legend dials;
//   - the target mark on the centre.
//
// A picture with full 0 and "More Stars" (word 123) off shows, below zoom 6, only the stars at
// the ends of constellation lines, and none of its bright stars can be tapped afterwards.
#pragma once

#include <cstdint>

#include "catalog/selection_entry.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// Draws the picture and returns the shown row (FindSelectionIndex) of its centre object, or -1.
//   objects, count  the caller's table (the selection list or a form's own table of selection
//                   entries). With count 1 the one object is drawn whatever its magnitude.
//   rect            {x, y, width, height} of the picture in the current draw window.
//   surface         null: the picture is drawn straight into the current draw window, clipped
//                   to rect (lines and pixels written straight into a DIB are not clipped, and
//                   may reach 30 pixels beyond it). Otherwise it is drawn into `surface` with its corner at (0, 0) and
//                   copied to (rect.x, rect.y) of the current draw window.
//   zoom            0..13; the field of view is GetZoomFovForIndex(zoom).
//   centreAngle     degrees: the centre's right ascension in the equatorial frame, or its frame
//                   angle atan2(p, q) = -azimuth in the horizontal frame (CentreChartOnRaDec).
//   centreElevation degrees: the centre's declination or altitude.
//   full            1 for the chart's own picture (catalogue stars, names, ecliptic, tracks,
//                   outlines); 0 for a simple picture.
// Afterwards:
//   - skyMapView holds the picture's centre in window coordinates, its scales and centre angles;
//   - each bright star and each object record holds its screen point and its hidden word
//     (0 drawn). The points are relative to the picture's corner when a surface is used;
//   - with `full`, the chart's screen lists hold the catalogue stars and objects drawn, in
//     window coordinates (a list whose layer did not run is emptied).
// The object selected on the chart (the current row of the selection list) is drawn whatever
// its magnitude and class when `objects` is the selection list.
int DrawSkyMap(SelectionEntry* objects, int count, const XywhRect& rect, DrawWindowRecord* surface, int zoom,
               float centreAngle, float centreElevation, int full);
