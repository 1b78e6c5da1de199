#include "chart/chart_views.h"

#include <algorithm>

#include "chart/sphere_projection.h"
#include "core/preferences.h"

int32_t& chartView = preferences.word[kPrefChartType];

const float skyMapFovTable[kZoomSteps] = {110, 100, 92, 87, 70, 61.1f, 40.1f, 26.65f, 13.4f, 6.7f, 3.55f, 2.05f, 1.35f, 0.7f};

int32_t chartFlagB = 1;

namespace {

int starDotZoom = 0;

}  // namespace

void SetStarDotSizes(int zoom) { starDotZoom = std::clamp(zoom, 0, kZoomSteps - 1); }

int GetStarDotZoom() { return starDotZoom; }

float GetZoomFovForIndex(unsigned zoom) { return zoom < kZoomSteps ? skyMapFovTable[zoom] : 75.0f; }

void FillZoomScaleTable(float* table) {
    static constexpr float kScales[kZoomSteps] = {0.0148148f, 0.0177778f, 0.0222222f, 0.0296296f, 0.0444444f,
                                                  0.0592593f, 0.0888889f, 0.133333f,  0.266667f,  0.533333f,
                                                  1.066667f,  1.777778f,  2.666667f,  5.333333f};
    for (int i = 0; i < kZoomSteps; ++i) table[i] = kScales[i];
}

void SetChartFlagA(int32_t value) { skyMapView.trackLines = value; }

void SetChartFlagB(int32_t value) { chartFlagB = value; }
