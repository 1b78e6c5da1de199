// The chart's clock record: the local sidereal time of the chart time and the
// flags that tell which projections are current for it.
#pragma once

#include <cstdint>

struct ChartTimeRecord {
    int32_t lst;                     // local sidereal time, Fix24Angle
    float lstHours;                  // local sidereal time, hours [0, 24)
    uint32_t lastTickSeconds;        // seconds of the last clock step; 0 = never
    int32_t sphereViewReady;         // 1 once the sphere view is set up for the time
    int32_t horizonProjectionReady;  // 1 once the object table is projected for the horizon chart
};

extern ChartTimeRecord chartTimeRecord;

// Marks the horizon-view positions of the chart's object table stale, to be
// recomputed at the next drawing.
void InvalidateHorizonProjection();
