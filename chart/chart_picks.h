// What a tap on the chart picks becomes: the object record of a bright star,
// a catalogue star, a drill-down object or an empty sky point, its entry in the
// observing list, and the angular distance from the selection it replaces.
#pragma once

#include "catalog/object_catalog.h"

// Stellar files of this many stars or more are Tycho catalogues: their stars
// are named "TYC%d-%d-1". The horizon chart and the sphere views draw the line
// at different sizes.
constexpr int kTychoFromStarsHorizon = 140000;
constexpr int kTychoFromStarsSphere = 120000;

// Bright star `index` of brightStarTable: with a proper name (the name table's
// position as number, kind 54, the name cut to 19 characters), else its HR
// number and kind 28; right ascension in hours and declination in degrees from
// its Fix24Angle place, its constellation, type 30 (star), magnitude x 16 / 16
// and its B-V word (B-V x 10) in classCode.
ObjectRecord BrightStarPickRecord(int index);

// Star `position` of the open stellar file (its place in the file, as the
// star screen list holds it): number = the star's id, "HIP<id>" and kind 26,
// or "TYC<region>-<number>-1" and kind 60 when the file holds
// `tychoFromStars` stars or more; the constellation for the chart's date;
// type 30. False when the star cannot be read.
bool CatalogueStarPickRecord(int position, int tychoFromStars, ObjectRecord* record);

// Object `index` of the object database: kind and number of its first
// cross-reference when that has a kind above 0; a Messier or Caldwell number
// is kept one less (the list's Messier and Caldwell entries count from 0).
// False when it cannot be read.
bool DrilldownPickRecord(int index, ObjectRecord* record);

// An empty sky point: type 0, magnitude and B-V 0, the given number, size 16.
ObjectRecord SkyPointRecord(double raHours, double decDegrees, int number);

// Adds the record to the observing list (its source from its kind), refreshes
// the chart's object list and shows the current row in it. Returns the entry's
// position in selectionList, or -1 when no row holds it.
int AddPickToSelection(const ObjectRecord& record);

// Angular distance in degrees between two places (right ascension in hours,
// declination in degrees) by the haversine formula, exact for small and
// large separations alike.
double ChartPickDistance(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg);

// The distance from (ra1, dec1) to the chart's selection written with DegToStr
// at (x, y) in the chart's text colour, font 4 on a scaled screen; the blinking
// target mark then leaves it alone for three ticks (blinkPhase -3).
void DrawPickDistance(double ra1Hours, double dec1Deg, int x, int y);
