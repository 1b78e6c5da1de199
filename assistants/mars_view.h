// The View of the Mars mode of the planet detail form: the globe of Mars for a
// date and time with its orientation panel, the moons and the figures, and a
// tap on the globe naming the region under it.
#pragma once

#include "catalog/mars_features.h"
#include "platform/color.h"

// Draws the view into the rectangle (pixel constants of the 240 x 320 design
// times the display scale) for a local civil date and time of the current
// site: on views taller than 240 the orientation panel (DrawPlanetGlobeInfo,
// radius 25, no labels) with "Orientation:" in the left half of the top 84
// rows; "Satelites positions:" and the moons (DrawMarsSatellites, 120 high)
// in the right half; "View of Mars:" and the globe (bitmaps 6012/6013,
// radius 76, disc RGB(231, 134, 9)) centred 80 right of the left edge and 93
// below the panel (or 5 below the top); "Axis (\xB0): " and "Meridian Long.
// (\xB0): " at the bottom of the right half. The globe is turned by the
// central meridian, the position angle P (counter-clockwise in the screen)
// and -D_E, as the panel: the pole the Earth sees is the one drawn, within a
// few degrees of P (globe_transform.h; Mars's P stays within 45 degrees of 0).
// mirrorMode (0..3, globe_transform.h) holds for the view only. On a date
// Mars's theory does not cover, the panel and the globe are left out and the
// two values are blank.
void DrawMarsView(int left, int top, int width, int height, int year, int month, int day, int hour, int minute,
                  const pl::ColorRef moonColours[2], int mirrorMode);

// The globe's centre for a view rectangle: where DrawMarsView puts it.
void GetMarsViewGlobeCentre(int left, int top, int height, int* centreX, int* centreY);

// The first large region (types 3, 4, 9 of the Mars database) whose place on
// the globe last drawn (centred on centreX, centreY) lies within 15 pixels of
// the tap on both axes and on the visible side: its record is copied to
// *record and its name drawn there in white on a transparent background (font
// 5 on screens of scale 2 or more); returns 1. 0 when none (or no database).
int PickMarsGlobeFeature(MarsFeatureRecord* record, int centreX, int centreY, int tapX, int tapY);
