// The solar views of the eclipse assistant (2700) over the running program,
// for the total eclipse of 2006 March 29 (row 1 of the list from 2006).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/databases.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"

namespace {

struct Screen {
    int width, height, dpi;
};

class SolarViews : public ProgramTest, public ::testing::WithParamInterface<Screen> {
protected:
    void SetUp() override {
        const Screen s = GetParam();
        harness.changeScreen(s.width, s.height, s.dpi);
        ResetScreenScale();
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ResetEclipseForm();
        ASSERT_TRUE(StartProgram());
        MainCommand(1029);
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, 2704), nullptr);
        Tap(RowCentre(pl::GetDlgItem(form, 2704), 1));
        ASSERT_EQ(selectedEclipse, 1);
    }
    void ChooseView(int row) {
        Tap(Centre(pl::GetDlgItem(form, 2702)));
        Tap(RowCentre(pl::GetDlgItem(form, 2703), row));
    }
    std::string Name(const char* view) const {
        return std::string("solar_") + view + "_" + std::to_string(GetParam().width) + ".png";
    }
    pl::Hwnd form = nullptr;
};

TEST_P(SolarViews, Shots) {
    for (int view : {kEclipseInfoView, kEclipsePathView, kEclipseMapView, kEclipseDiagramView}) {
        ChooseView(view);
        const char* names[] = {"list", "info", "path", "map", "diagram"};
        Shot(Name(names[view]).c_str());
    }
    ChooseView(kEclipseMapView);
    Tap(pl::Point{MapX(0.2) + mapPanX, MapY(5.55) + mapPanY + viewRect.y});
    Shot(Name("tap").c_str());
    harness.penDown(100, 100);
    harness.penMove(100, 104);
    harness.penMove(60, 104);
    harness.penUp(60, 104);
    Shot(Name("drag").c_str());
    ChooseView(kEclipseDiagramView);
    harness.penDown(100, 150);
    harness.penMove(110, 150);
    harness.penMove(140, 160);
    harness.penMove(150, 170);
    Shot(Name("rotating").c_str());
    harness.penUp(150, 170);
    Shot(Name("rotated").c_str());
}

INSTANTIATE_TEST_SUITE_P(Screens, SolarViews, ::testing::Values(Screen{240, 320, 96}, Screen{480, 640, 192}));

}  // namespace
