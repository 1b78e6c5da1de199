// The chart's clock record, state record and chart record: the local sidereal
// time of the chart time, the flags that tell which projections are current for
// it, the zoom and limits of the current drawing, the geometry, offscreen
// picture and colours of the drawing, and the object selected on the chart.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"
#include "catalog/selection_entry.h"
#include "platform/color.h"
#include "platform/types.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

struct ChartTimeRecord {
    int32_t lst;                     // local sidereal time, Fix24Angle
    float lstHours;                  // local sidereal time, hours [0, 24)
    uint32_t lastTickSeconds;        // seconds of the last clock step; 0 = never
    int32_t sphereViewReady;         // 1 once the sphere view is set up for the time
    int32_t horizonProjectionReady;  // 1 once the object table is projected for the horizon chart
    int32_t scrolling;               // non-zero while a drag-scroll redraw runs
    int32_t chartRotation;           // rotation of the Sky Map, degrees
    int32_t scrollDx;                // drag offsets of the current drag, pixels
    int32_t scrollDy;
};

struct ChartState {
    int32_t xSign;
    int32_t ySign;
    float starLimit;            // magnitude limits of the current zoom step
    float objectLimit;
    int32_t chartZoomIndex;     // zoom step 0..13 of the last drawing; -1 until set
    int32_t zoomSlotSky;        // zoom step of every view but the Horizon View
    int32_t zoomSlotHorizon;    // zoom step of the Horizon View
    int32_t chartWidth;         // screen width and height, pixels
    int32_t chartHeight;
    int32_t originX;            // the chart's centre point, pixels
    int32_t originY;
    int32_t horizonScale;       // 16.16 fixed point
    int32_t chartDirty;         // 1: positions to be computed again
    int32_t chartSelectionIndex;  // selection row as last drawn (-2 after a zoom change)
    float lastLstHours;         // sidereal time of the last SetChartDateTime
};

// The redraw's colours, rebuilt at every drawing: the fixed ones and the roles
// that the colour scheme gives them.
struct ChartPalette {
    pl::ColorRef grid, label, darkBlue, black, red, darkRed, white, lightGrey, purple, yellow, horizon;
    pl::ColorRef background, star, object, text, line;
};

// What the redraw and the overlays draw with. The screen size and the origin are
// chartState's.
struct ChartRecord {
    pl::Rect chartRect;         // left 0, top 21 x scaleY, right = width, bottom = height
    int32_t xScale;             // signed scales of the horizon chart: xSign or ySign x horizonScale,
    int32_t yScale;             // read with 10 fraction bits by the screen formula
    DrawWindowRecord* offscreen;  // the chart picture, 16 bits, screen size; null while closed
    pl::Rect clip;
    XywhRect pictureBox;        // {0, 21 scaleY, 40 scaleX, 40 scaleY}
    XywhRect viewRect;          // rectangle of the sphere views
    float centreLongitude;      // sphere view centre, degrees (SetChartCentre)
    float centreLatitude;
    ChartPalette palette;
    pl::ColorRef starColours[6];  // blue-white to orange
};

extern ChartTimeRecord chartTimeRecord;
extern ChartState chartState;
extern ChartRecord chartRecord;
// The object selected on the chart; an empty selection is type 0 with size 16.
extern ObjectRecord chartSelection;

// Installs the chart's answers to InvalidateHorizonProjection and
// MarkChartScreenListEmpty (core/program_hooks.h): the horizon-view positions
// of the object table are recomputed at the next drawing; the star screen list
// is emptied. Start-up.
void InstallChartStateHooks();

// The horizon chart's centre point (pixels) and signed scales, as the projections use them.
void GetChartViewRect(int32_t* originX, int32_t* originY, int32_t* xScale, int32_t* yScale);

// Rows of the chart form's popups: the selection row as last drawn (0 when
// negative), the class filter (0..6, All .. Planet; any other value 0) and the
// view (chartView + 5).
int GetChartSelectionRow();
int GetChartClassFilterRow();
int GetChartViewRow();

// The list entry becomes the chart's selection: its displayed fields
// (CopyObjectDisplayFields; the distance stays), its number and its name, so
// that no name of an earlier selection is drawn beside it. Nothing for a null
// entry.
void SetChartSelectionRecord(const SelectionEntry* entry);

// The chart's selection, 16 words, copied out or in.
void CopyChartState16(ObjectRecord* out);
void SetChartState16(const ObjectRecord* in);

// The sphere view centre (degrees) and its rectangle {x, y, w, h}; each output may be null.
void GetChartCentre(float* longitude, float* latitude, int32_t rect[4]);
// a and b (the frame angle and the elevation, degrees) become the sphere view
// centre. The selection keeps its own record and place: the centre is held
// apart from it.
void SetChartCentre(float a, float b);
void GetChartLstHours(float* hours);

// The chart form's object list (1907) gets the shown row count when that is
// 0 or more; nothing while the chart form is not open.
void RefreshChartObjectList();

// Centres a sphere view on a place (right ascension hours, declination
// degrees): the centre becomes the place's frame angle atan2(p, q) in
// [0, 360) and its elevation asin s, in degrees. In views 0 and 1, which
// centre on the selection, the centre words take the place itself and move
// nothing. The save-under boxes are freed and no list row is current
// afterwards; the selection keeps its record.
void CentreChartOnRaDec(double raHours, double decDegrees);

// False while `record` is a listed body or comet that the refresh marked
// without a place for the chart's date (placeUnknown): the chart neither
// centres on it nor shows, sends or measures from a place of it.
bool ChartRecordHasPlace(const ObjectRecord& record);

// Closing the chart form: the light bitmap set, the zoom step kept in
// preference word 153 for the next opening, the object screen list emptied,
// the save-under boxes, the label and legend patches, the marker strips, the
// icon strip and the chart picture freed. Returns 1.
int ReleaseSkyChart();

// The records and the selection back at their start values (tests).
void ResetChartState();
