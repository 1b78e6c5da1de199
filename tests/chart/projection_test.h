// Common set-up of the projection tests: defaults, a fixed chart time on a virtual clock, the
// rotation and views at their start, and angle conversions.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "catalog/stars.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/horizon_projection.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "platform/clock.h"
#include "support/test_site.h"

inline Fix24Angle FixHours(double hours) { return static_cast<Fix24Angle>(hours * 4392264.877774095); }
inline Fix24Angle FixDegrees(double degrees) { return static_cast<Fix24Angle>(degrees * 292817.65851827303); }
inline double Degrees(Fix24Angle a) { return a / 292817.65851827303; }
constexpr double kRad = M_PI / 180;

class ProjectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        ResetChartState();
        ResetHorizonProjection();
        ResetSkyRotation();
        ResetSkyMapView();
        ResetStarCatalog();
        pl::UseVirtualClock(pl::LocalTime{2026, 3, 5, 21, 10, 30});
        dateTimeFixed = 1;
    }
    void TearDown() override { pl::UseRealClock(); }
    // The horizon chart's centre and scales (10 fraction bits) and its site and rotation.
    static void UseHorizonChart(double latitude, int rotation, int32_t k = 65536, int view = 0) {
        SetTestSite(latitude, 0.0, 0);
        chartView = view;
        chartState.originX = 120;
        chartState.originY = 160;
        chartRecord.xScale = chartRecord.yScale = k;
        SetHorizonRotation(rotation);
    }
};
