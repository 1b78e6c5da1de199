// The details of a result row of the satellites assistant as drawn, on both
// screens: the compass point beside each azimuth shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/screen.h"
#include "orbits/screens/satellite_form_parts.h"
#include "platform/text_log.h"
#include "satellites_form_fixture.h"
#include "support/both_screens.h"

namespace {

// The point at the least angular distance from a whole degree.
std::string NearestPoint(int degree) {
    static const char* const kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    int nearest = 0;
    for (int k = 1; k < 8; ++k)
        if (std::fabs(std::remainder(degree - 45.0 * k, 360.0)) < std::fabs(std::remainder(degree - 45.0 * nearest, 360.0)))
            nearest = k;
    return kPoints[nearest];
}

// The (degrees, point) of every "Az: D\xB0 P" and "Azt: D\xB0 P" drawn on the
// screen since the text log started.
std::vector<std::pair<int, std::string>> ShownAzimuths() {
    std::vector<std::pair<int, std::string>> shown;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
        for (const std::string label : {"Az: ", "Azt: "}) {
            if (run.text.rfind(label, 0) != 0) continue;
            const std::size_t degree = run.text.find("\xB0 ");
            if (degree == std::string::npos) continue;
            shown.push_back({std::atoi(run.text.c_str() + label.size()), run.text.substr(degree + 2)});
        }
    }
    return shown;
}

using SatelliteDetailsOnBothScreens = OnBothScreens<SatellitesFormTest>;

// The three verification sets near their epochs (June 2006): the details of
// the first Pass and Next rows tapped, and the Flare and Transit details of
// peaks every 10 minutes over a day for each satellite. Every azimuth drawn
// names the nearest of the eight points (171 degrees read "SE", the eighth of
// the circle it fell in from its start).
TEST_P(SatelliteDetailsOnBothScreens, AzimuthNamedThePointBeforeIt) {
    WriteSatellites({{"SUNSYNC 28057", 28057}, {"LEO 29238", 29238}, {"GEO 28626", 28626}});
    pl::SetScreenInfo(GetParam());
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    Open();
    std::vector<std::pair<int, std::string>> shown;
    const auto keep = [&shown] {
        for (const auto& azimuth : ShownAzimuths()) shown.push_back(azimuth);
        pl::StartTextLog();  // anew: the next details are drawn over these
    };
    std::size_t tapped = 0;  // rows, each with three azimuths (AOS, Max, LOS)
    for (int view : {kSatelliteViewPass, kSatelliteViewNext}) {
        ChooseView(view);
        const int rows = std::min(satelliteFormState.resultCount, 3);
        ASSERT_GT(rows, 0) << view;
        for (int row = 0; row < rows; ++row, ++tapped) {
            Ui([] { pl::StartTextLog(); });
            TapRow(2813, row);
            Ui(keep);
        }
    }
    EXPECT_EQ(shown.size(), 3 * tapped);
    const double start = satelliteFormState.startJd;
    for (int view : {kSatelliteViewFlare, kSatelliteViewTransit}) {
        for (int k = 0; k < 3 * 144; ++k) {
            Ui([&] {
                SatelliteFormState& s = satelliteFormState;
                s.view = view;
                s.flareMode = view == kSatelliteViewFlare;
                s.results[0] = PassRow{};
                s.results[0].peakLocalJd = s.results[0].riseLocalJd = start + (k / 3) * 10.0 / 1440.0;
                s.results[0].satelliteIndex = k % 3;
                s.resultCount = 1;
                pl::StartTextLog();
                ShowFlareDetails(0);
                keep();
            });
        }
    }
    Ui([] { pl::StopTextLog(); });
    EXPECT_EQ(shown.size(), 3 * tapped + 2u * 3u * 144u);
    std::set<int> degrees;
    for (const auto& [degree, point] : shown) {
        EXPECT_EQ(point, NearestPoint(degree)) << degree;
        degrees.insert(degree);
    }
    EXPECT_GT(degrees.size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(Screens, SatelliteDetailsOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
