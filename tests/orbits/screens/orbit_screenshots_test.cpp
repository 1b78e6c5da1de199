// Every view of the orbit assistant drawn at 240 x 320 at 96 dpi, at
// 480 x 640 at 96 dpi and at 480 x 640 at 192 dpi (saved to
// ZENDAVORI_SHOT_DIR when set, to be looked at), with the controls each view
// shows lying inside the screen and apart.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "orbit_form_fixture.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/text_log.h"
#include "support/layout_check.h"

namespace {

class OrbitScreens : public OrbitFormTest, public ::testing::WithParamInterface<pl::ScreenInfo> {};

// The controls of the template (2547..2583 and the labels 138..154).
std::vector<int> OrbitControlIds() {
    std::vector<int> ids;
    for (int id = 2547; id <= 2583; ++id) ids.push_back(id);
    for (int id = 138; id <= 154; ++id) ids.push_back(id);
    return ids;
}

TEST_P(OrbitScreens, EveryViewDrawn) {
    const pl::ScreenInfo screen = GetParam();
    CometRecord minor = TestComet("Ceres", 2006, 8, 10.5f, 2.55f, 0.0797f, 73.0f, 80.3f, 10.6f, 3.34f, 0.12f);
    minor.kind = 18;
    minor.epochJulianDay = 2453000.5f;
    minor.semiMajorAxis = 2.766f;
    minor.meanAnomaly = 150.0f;
    WriteComets({TestComet("C/2006 P1 (McNaught)", 2007, 1, 12.8f, 0.1707f, 1.0f, 155.9f, 267.4f, 77.8f, 5.5f, 10.0f),
                 TestComet("2P/Encke", 2007, 4, 19.3f, 0.3393f, 0.8471f, 186.5f, 334.6f, 11.8f, 11.5f, 6.0f), minor});
    pl::SetScreenInfo(screen);
    Start();
    Open();
    Press(2561);  // the record popup dropped: symbol and name of each record
    Shot(("orbit_records_" + std::to_string(screen.width) + "_" + std::to_string(screen.dpi) + ".png").c_str());
    TapRow(2562, 0);
    EXPECT_EQ(orbitCometIndex, 0);
    const char* names[] = {"ephemeris", "best", "brightest", "3d", "sky", "data"};
    for (int view : {0, 1, 2, 3, 4, 5}) {
        ChooseView(view);
        AnswerAll();
        for (const std::string& fault : ControlsNotApart(form, OrbitControlIds(), screen.width, screen.height))
            ADD_FAILURE() << names[view] << ": " << fault;
        Shot(("orbit_" + std::string(names[view]) + "_" + std::to_string(screen.width) + "_" +
              std::to_string(screen.dpi) + ".png")
                 .c_str());
        if (view == 4) {
            Choose(2548, 2549, 4);  // 60 degrees
            EXPECT_EQ(orbitSkyFov, 4);
            Shot(("orbit_sky60_" + std::to_string(screen.width) + "_" + std::to_string(screen.dpi) + ".png").c_str());
        }
    }
}

// Keys redraw a view in place: after Page Down and Right the ephemeris table
// and the Best Dates list show no text over an older one.
TEST_P(OrbitScreens, KeysRedrawInPlace) {
    const pl::ScreenInfo screen = GetParam();
    WriteComets({TestComet("C/2006 P1 (McNaught)", 2007, 1, 12.8f, 0.1707f, 1.0f, 155.9f, 267.4f, 77.8f, 5.5f, 10.0f),
                 TestComet("2P/Encke", 2007, 4, 19.3f, 0.3393f, 0.8471f, 186.5f, 334.6f, 11.8f, 11.5f, 6.0f)});
    pl::SetScreenInfo(screen);
    Start();
    Open();
    for (int view : {0, 1}) {
        ChooseView(view);
        if (view == 1) TapRow(2547, 1);  // "Earth: ..." below the list
        Ui([] { pl::StartTextLog(); });
        harness.key(pl::VK_NEXT);
        harness.key(pl::VK_RIGHT);
        std::vector<std::string> faults;
        Ui([&] { faults = LayoutFaults(form); });
        Ui([] { pl::StopTextLog(); });
        for (const std::string& fault : faults) ADD_FAILURE() << view << ": " << fault;
        Shot(("orbit_keys_" + std::to_string(view) + "_" + std::to_string(screen.width) + ".png").c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, OrbitScreens,
                         ::testing::Values(pl::ScreenInfo{240, 320, 96}, pl::ScreenInfo{480, 640, 96},
                                           pl::ScreenInfo{480, 640, 192}));

}  // namespace
