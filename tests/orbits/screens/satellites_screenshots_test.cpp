// Every view of the satellites assistant drawn at 240 x 320 at 96 dpi and at
// 480 x 640 at 192 dpi (saved to ZENDAVORI_SHOT_DIR when set, to be looked
// at), with the controls each view shows lying inside the screen and apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/screen.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "satellites_form_fixture.h"
#include "support/layout_check.h"
#include "ui/draw_window.h"

namespace {

class SatellitesScreens : public SatellitesFormTest, public ::testing::WithParamInterface<pl::ScreenInfo> {};

// The visible controls' rectangles neither leave the screen nor overlap
// (a popup's hidden list aside).
void ExpectControlsApart(pl::Hwnd form, const pl::ScreenInfo& screen, const char* view) {
    std::vector<int> ids;
    for (int id = 2801; id <= 2824; ++id) ids.push_back(id);
    for (const std::string& fault : ControlsNotApart(form, ids, screen.width, screen.height))
        ADD_FAILURE() << view << " " << fault;
}

TEST_P(SatellitesScreens, EveryViewDrawn) {
    const pl::ScreenInfo screen = GetParam();
    WriteSatellites({{"SUNSYNC 28057", 28057}, {"LEO 29238", 29238}, {"GEO 28626", 28626}});
    pl::SetScreenInfo(screen);
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    Open();
    const char* names[] = {"info", "sky", "pass", "next", "flare", "transit", "globe", "data"};
    for (int view : {0, 1, 2, 7, 6, 3}) {
        ChooseView(view);
        if (view == 2) TapRow(2813, 0);
        AnswerAll();
        ExpectControlsApart(form, screen, names[view]);
        Shot(("satellites_" + std::string(names[view]) + "_" + std::to_string(screen.width) + ".png").c_str());
    }
}

// The Data view's element lines, wrapped in fields 2819 and 2820, end within
// their fields and clear of the field's rules (lines a font height apart
// drifted off rules 13 units + 1 pixel apart, which crossed the second line).
TEST_P(SatellitesScreens, DataViewElementLinesStayOffTheRules) {
    const pl::ScreenInfo screen = GetParam();
    WriteSatellites({{"SUNSYNC 28057", 28057}});
    pl::SetScreenInfo(screen);
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    Open();
    pl::StartTextLog();
    ChooseView(kSatelliteViewData);
    int pitch = 0;
    Ui([&pitch] { pitch = ScaleY(13) + 1; });
    for (int id : {2819, 2820}) {
        pl::Hwnd field = pl::GetDlgItem(form, id);
        pl::Rect box;
        pl::GetWindowRect(field, &box);
        int pieces = 0;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
            if (run.window != field) continue;
            ++pieces;
            EXPECT_EQ(pl::Intersect(run.ink, box), run.ink) << id << " \"" << run.text << "\"";
            for (int rule = box.top + pitch; rule < box.bottom; rule += pitch)
                EXPECT_TRUE(rule < run.ink.top || rule >= run.ink.bottom) << id << " \"" << run.text << "\" " << rule;
        }
        EXPECT_EQ(pieces, 2) << id;
    }
    pl::StopTextLog();
}

INSTANTIATE_TEST_SUITE_P(Screens, SatellitesScreens,
                         ::testing::Values(pl::ScreenInfo{240, 320, 96}, pl::ScreenInfo{480, 640, 192}));

}  // namespace
