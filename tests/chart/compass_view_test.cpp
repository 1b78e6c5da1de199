// The compass chart's altitude graph drawn into a 16-bit picture, read back
// through the text log.
#include "chart/compass_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/compass_chart.h"
#include "platform/text_log.h"
#include "support/draw_fixture.h"

namespace {

class CompassGraph : public DrawFixture {};

// A path a little below 45 degrees, from azimuth 0 on the hour (its label,
// written above the point, would stand on "45°") eastwards with an hour
// every six points: the hour that would cover "45°" is left out, and so is
// the next, which would run into it; the others are drawn, and no two texts
// of the graph meet (hour labels were written over "45°").
TEST_F(CompassGraph, HourLabelsKeepOffTheGridLabels) {
    const CompassLayout layout = ComputeCompassLayout(240, 320, 1.0, 1.0);
    CompassPathPoint path[kCompassPathPoints];
    for (int i = 0; i < kCompassPathPoints; ++i) {
        path[i].place.valid = true;
        path[i].place.azimuth = i * 4.0;
        path[i].place.altitude = 41.0;
        path[i].hour = (i / 6) % 24;
        path[i].minute = (i % 6) * 10;
    }
    DrawWindowRecord* r = DibWindow(240, 320);
    pl::StartTextLog();
    DrawAltitudeCurve(layout, GetCompassPalette(0), path);
    std::vector<pl::TextRun> runs = pl::LoggedTexts(pl::SurfaceSerialOf(r->dc));
    pl::StopTextLog();
    std::vector<std::string> hours;
    for (const pl::TextRun& run : runs)
        if (run.text.size() == 2 && run.text[0] == '0') hours.push_back(run.text);
    EXPECT_GE(hours.size(), 4u);
    EXPECT_EQ(std::count(hours.begin(), hours.end(), "00"), 0);  // at azimuth 0, over "45°"
    for (size_t i = 0; i < runs.size(); ++i)
        for (size_t j = i + 1; j < runs.size(); ++j)
            EXPECT_TRUE(pl::Intersect(runs[i].ink, runs[j].ink).IsEmpty())
                << "\"" << runs[i].text << "\" meets \"" << runs[j].text << "\"";
}

// An hour on the curve's last few degrees before north is labelled on the
// left of its place: on the right the box cut "03" to "0".
TEST_F(CompassGraph, HourAtTheRightEdgeIsLabelledWhole) {
    const CompassLayout layout = ComputeCompassLayout(240, 320, 1.0, 1.0);
    CompassPathPoint path[kCompassPathPoints];
    for (int i = 0; i < kCompassPathPoints; ++i) {
        const int fromLast = kCompassPathPoints - 1 - i;
        path[i].place.valid = fromLast < 6;  // the last hour alone on the curve
        path[i].place.azimuth = 359.0 - fromLast * 2.0;
        path[i].place.altitude = 20.0;
        path[i].hour = (27 - (fromLast + 5) / 6) % 24;
        path[i].minute = (6 - fromLast % 6) % 6 * 10;
    }
    DrawWindowRecord* r = DibWindow(240, 320);
    pl::StartTextLog();
    DrawAltitudeCurve(layout, GetCompassPalette(0), path);
    std::vector<pl::TextRun> runs = pl::LoggedTexts(pl::SurfaceSerialOf(r->dc));
    pl::StopTextLog();
    EXPECT_TRUE(std::any_of(runs.begin(), runs.end(), [](const pl::TextRun& run) { return run.text == "03"; }));
    for (const pl::TextRun& run : runs) EXPECT_FALSE(run.cut) << run.text;
}

}  // namespace
