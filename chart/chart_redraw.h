// The sky chart's full redraw: the Sky Map (view 0) and the Horizon View (view
// 1) drawn layer by layer, first into the chart picture and then on the
// screen; the sphere views (2..4) handed to the sphere renderer. Every command,
// tap, timer tick and scroll of the chart ends in RedrawSkyChart.
//
// Before the first redraw the caller sets the chart picture
// (chartRecord.offscreen, screen-sized 16-bit; drawing goes straight to the
// screen without it), the zoom step (SetChartZoom) and the current draw window
// (the chart form). Layers of views 0 and 1, bottom up, into the picture: the
// grid (Sky Map below zoom 8) or the azimuth and altitude scale (Horizon View),
// the ecliptic (word 127), the constellation figures and names, the bright
// stars, from zoom 5 the catalogue stars (word 28 = 0), the drill-down objects
// (word 237) and the observing list; then on the screen: the compass letters
// (Sky Map), the star legend (word 47), the Telrad rings (43), the sensor
// frame (44, above zoom 6), the eyepiece field (45), the selected object's
// symbol and name, the azimuth and altitude dials, the target mark and the two
// status lines; the finished screen is copied back into the picture.
#pragma once

#include "catalog/object_catalog.h"
#include "chart/chart_state.h"

// The chart's selection as the status line computed it last: apparent right
// ascension (hours) and declination (degrees) of date, altitude and azimuth
// (degrees, azimuth from north through east). `placed` is false for the
// chart's selection while it has no place (ChartRecordHasPlace); the other
// fields then keep what they held.
struct ChartApparentPlace {
    double rightAscension;
    double declination;
    double altitude;
    double azimuth;
    bool placed;
};
extern ChartApparentPlace chartApparentPlace;

// Declination of the telescope marker's last drawing (-1000 after a redraw, so
// that the next timer tick draws the marker again).
extern double scopeMarkerLastDec;

// Phase of the blinking target mark (cursor mode 1) at the timer's ticks; a
// negative value counts the ticks during which the mark is left alone, as a
// pick's distance text stands beside it (a pick sets -3).
extern int32_t blinkPhase;

// The palette for night mode `night` (0 none; `intensity` its red level),
// colour scheme `background` (word 26) and line colour `lineColour` (word 27).
// A background outside 0..3 keeps `previous`'s text colour; the other roles
// are set in full.
ChartPalette BuildChartPalette(int night, int intensity, int background, int lineColour, const ChartPalette& previous);

// Signs, zoom step and magnitude limits of the view, the screen geometry, the
// clock step (at most every 120 s) and the palette.
void PrepareChartRedraw();

// Red, or black on a light background by day: the Telrad, the sensor and
// eyepiece fields and the telescope cross.
pl::ColorRef ChartOverlayColour();

// The whole chart for the current view, zoom, time and selection. A body or
// comet selected while no list row is current (one below the horizon is not
// among the shown rows) first takes its list entry's place for the chart's
// date.
void RedrawSkyChart();

// The place (right ascension hours, declination degrees, as the record gives
// it) that the Sky Map and Horizon View were last centred on: the selection's,
// or the zenith's when the selection lies below the horizon or has no place,
// the selection then keeping its own record. `centreIsSelection` (may be
// null) tells which.
void GetHorizonChartCentre(float* raHours, float* decDegrees, bool* centreIsSelection);

// The sphere view's centre (chartRecord's centre longitude and latitude, degrees) on a list
// place (hours, degrees) of designation `designation`, in the frame ProjectListPlace draws it
// in: a body's place of date is centred where its symbol stands among the stars.
void CentreSphereViewOn(float raHours, float decDegrees, int designation);

// The part of a chart rectangle the sky is drawn in: all of it but the right-hand tool column
// while that shows (ChartToolColumnLeft). The column keeps the chart's background, so nothing
// drawn on the chart, however large, reaches the tool strip.
XywhRect ChartSkyArea(const XywhRect& view);

// The tool column of `view` (window coordinates; ChartSkyArea) painted in `colour` on the
// current draw window, whose origin lies at (x0, y0) of the window. Lines and pixels drawn
// into a picture heed no clip, so the column is cleared after the sky is drawn.
void ClearChartToolColumn(const XywhRect& view, int x0, int y0, pl::ColorRef colour);

// A sphere view of the chart (views 2..4) drawn by DrawSkyMap over the observing list into the
// chart picture (or the screen without one) at chartRecord's view rectangle and centre, the
// chart's zoom step and `full`: on the chart's background (by day the palette's, as the Sky
// Map and Horizon View have it) and kept to ChartSkyArea. Returns DrawSkyMap's result.
int DrawChartSkyMap(int full);

// Status-line step 1: the apparent place, altitude and azimuth of `selected`
// for the chart date and time (mode -1 for Sun, Moon and planets, else the
// position mode of word 10) into chartApparentPlace; only `placed` (false)
// for the chart's selection while it has no place (ChartRecordHasPlace).
void ComputeChartSelectionPlace(const ObjectRecord* selected);

// ComputeChartSelectionPlace, then (unless "Hide InfoBar", word 240) the two
// status lines at the chart's bottom left in the palette's text colour on its
// background: the place (RA and Dec, or altitude
// and azimuth with a mount reading altitude and azimuth, word 9; blank for a
// selection without a place) and
// "<date> hh:mm LST:hh:mm  ". The record's type becomes 0 outside 0..41 and
// its constellation 0 outside 0..88.
void DrawChartStatusLine(double lstHours, ObjectRecord* selected);

// The second status line: "%s %02d:%02d LST:%02d:%02d  " of the date text, the
// hour and minute, and the sidereal time's whole hours and minutes (truncated:
// 23.9999 h reads 23:59).
void FormatChartTimeLine(char* buffer, int size, const char* date, int hour, int minute, double lstHours);

// The altitude of the Sky Map's centre (degrees): the selection's as the
// status line computed it last, 90 while the chart is centred on the zenith.
double ChartCentreAltitude();

// Pixels per arcminute, halved, at the chart centre of the horizon views: an
// overlay size that is a diameter in arcminutes times it is a true radius.
// Sky Map: the stereographic scale at the centre's zenith distance; Horizon
// View: the altitude scale.
double HorizonPixelsPerArcminHalf(double centreAltitudeDeg);

// The selection's thumbnail or picture mark in the picture box and its
// caption under it (on screens of display scale above 1), after the previous
// selection's are erased: nothing for a star, a sky point or no row. What lies
// under them is kept in patches and put back by RestoreChartLabel;
// ForgetChartLabel drops the patches when the whole picture is drawn anew.
void DrawChartSelectionLabel();
void RestoreChartLabel();
void ForgetChartLabel();

// Start values of the module (tests).
void ResetChartRedraw();
