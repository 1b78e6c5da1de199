// The planets assistant's Sky View page: the sky chart's sphere picture of
// the horizontal frame (the Whole Sky view) at the assistant's date and time,
// with the present places of Mercury to Neptune and ten later places of a
// group of planets, a step of days apart (the Step popup), joined into tracks;
// panned with the arrow keys and the stylus, zoomed with the Field popup,
// and a tapped object named.
//
// Its table skyObjects: entries 0..6 the present places (at 0 h of the
// assistant's date) of Mercury .. Neptune named "%s %02d/%02d" (name, month,
// day); then for each planet g of the step's group, entries 7 + 10 g + s,
// s = 0..9, its place s + 1 steps later named "%s %5s" (name, the date's first
// five characters in the date order). Groups: steps 0..2 Mercury, Venus, Mars;
// 3..5 Mars, Jupiter, Saturn; 6..8 Jupiter, Saturn, Uranus, Neptune, Pluto.
// Places from the approximate planets (J2000, geocentric); each entry is a
// planet (type 27, source 1, number and source index the body) with its
// constellation.
#pragma once

#include "assistants/planet_assistant.h"
#include "catalog/selection_entry.h"

// Days of the Step popup's rows 0..8: 1, 2, 5, 7, 10, 14, 30, 60, 90 (1 for
// any other row).
int SkyViewStepDays(int step);

// Fills `table` (kSkyObjectCapacity entries, zeroed first) for the date and
// the Step row, stepping the busy indicator once per later date and ending
// it; returns the entries made (37 for steps 0..5, 57 for 6..8).
int BuildPlanetSkyObjects(const AssistantDate& date, int step, SelectionEntry* table);

// Draws the page into the current draw window (through assistantSurface when
// there is one): the area from 24 v to 22 v above the form's bottom erased,
// the table built into skyObjects, the chart frame set for the assistant's
// date and time, the table made the shown list and projected, and the picture
// drawn at skyViewZoom around skyViewCentre, which starts on Mercury's present
// place while it is (0, 0). chartRect becomes the area, skyViewPoint its
// centre. Nothing is drawn without skyObjects. currentDateTime is kept.
void DrawPlanetSkyView();

// The picture again from the kept table (final 1 for the full picture, 0 for
// the fast one used while moving).
void RedrawPlanetSkyMap(int final);

// The centre moved by (dAngle, dElevation) degrees: the angle brought into
// 0..360, the elevation held within -90..+90.
void MovePlanetSkyViewCentre(double dAngle, double dElevation);

// The view's direction in the chart frame of a place (Fix24Angle right
// ascension and declination): frame angle atan2(p, q) in 0..360 and elevation
// asin(s), degrees.
void PlanetSkyDirection(int32_t ra, int32_t dec, float* angle, float* elevation);

// The Field popup's row chosen (a row equal to skyViewZoom changes nothing):
// the place under skyViewPoint in the last picture becomes the centre, the
// zoom and the star dots follow the row, the stellar catalogue for it is
// selected (when the "Card Catalog" preference is set) and the picture drawn
// again; skyViewPoint becomes the area's centre.
void ZoomPlanetSkyView(int row);
