// The chart's per-zoom tables and options that other forms set.
#include "chart/chart_views.h"

#include <gtest/gtest.h>

namespace {

// The star dots' zoom step is kept within the chart's steps 0..13.
TEST(ChartViews, StarDotSizesKeepAZoomStep) {
    const struct {
        int zoom, kept;
    } cases[] = {{0, 0}, {6, 6}, {13, 13}, {14, 13}, {-2, 0}};
    for (const auto& c : cases) {
        SetStarDotSizes(c.zoom);
        EXPECT_EQ(GetStarDotZoom(), c.kept) << c.zoom;
    }
    SetStarDotSizes(0);
}

}  // namespace
