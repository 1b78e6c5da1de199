// The chart's clock record and state record: the local sidereal time of the
// chart time, the flags that tell which projections are current for it, the
// zoom and limits of the current drawing, and the object selected on the chart.
#pragma once

#include <cstdint>

#include "catalog/object_catalog.h"

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
    int32_t chartWidth;
    int32_t chartHeight;
    int32_t originX;            // the chart's centre point, pixels
    int32_t originY;
    int32_t xScale;             // signed scales of the horizon chart: xSign or ySign x horizonScale,
    int32_t yScale;             // read with 10 fraction bits by the screen formula
    int32_t horizonScale;       // 16.16 fixed point
    int32_t chartDirty;         // 1: positions to be computed again
    int32_t chartSelectionIndex;  // selection row as last drawn (-2 after a zoom change)
    float lastLstHours;         // sidereal time of the last SetChartDateTime
};

extern ChartTimeRecord chartTimeRecord;
extern ChartState chartState;
// The object selected on the chart; an empty selection is type 0 with size 16.
extern ObjectRecord chartSelection;

// Installs the chart's answer to InvalidateHorizonProjection
// (core/program_hooks.h): the horizon-view positions of the object table are
// recomputed at the next drawing. Start-up.
void InstallChartStateHooks();

// The horizon chart's centre point (pixels) and signed scales, as the projections use them.
void GetChartViewRect(int32_t* originX, int32_t* originY, int32_t* xScale, int32_t* yScale);

// Both records and the selection back at their start values (tests).
void ResetChartState();
