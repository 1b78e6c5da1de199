// The Map view of the eclipse form for a solar eclipse: the world map (land
// bitmaps 6015 and 6016 over the sea) dragged with the stylus, the track of the
// shadow every 5 minutes (the umbra's ellipse, odd entries labelled with their
// time, the ten limit lines between successive positions), and on a tap the
// panel of the local circumstances at the tapped place. Draws into the current
// draw window (the form's), which must be set; reads and writes the form's
// state (eclipse/eclipse_form.h) and the map state (eclipse/eclipse_map.h).
#pragma once

#include "ui/xywh_rect.h"

// Draws the map into `rect` (the map's top-left corner at the pan, relative to
// the rectangle). compute 1: positions computed first when none are stored
// (with the "Please wait until positions are computated." text and a line per
// step), the map copied to the screen, the whole track drawn over it and the
// view saved in savedViewBits; compute 0 (while dragging): the map and only
// the umbra of umbraResult drawn offscreen, then copied. Drawing the track
// leaves umbraResult as it was found (a computation of the positions leaves it
// describing the umbra at greatest eclipse, the time of interest's minute and
// second at 0). "Can't allocate offscreen Buffer to draw map" when
// the picture cannot be made (nothing drawn). A lunar event with compute 1
// gets the lunar visibility curves over the map.
void DrawEclipseMap(int compute, const XywhRect& rect);

// Panning: no effect until the pen has moved more than 3 pixels in x or y from
// (*refX, *refY) (the pen-down point); that move starts the drag (returns 1);
// each later move pans by the movement since the reference, which follows the
// pen, and redraws with compute 0. Returns 1 when it acted.
int PanEclipseMap(int x, int y, int* refX, int* refY);

// The pen lifted in the Map view: after a drag the full redraw, else the tap
// at (x, y): the typed location becomes the tapped place, and inside the view
// the map comes back from savedViewBits with the panel over it. Clears the
// drag; returns 1.
int EndEclipseMapPen(int x, int y);

// Frees the position table (count 0) and the land bitmaps kept between draws.
void FreeEclipseMap();
