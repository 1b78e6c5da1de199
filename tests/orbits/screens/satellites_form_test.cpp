#include "satellites_form_fixture.h"
#include "platform/screen.h"

namespace {

TEST_F(SatellitesFormTest, SmokeLarge) {
    WriteSatellites({{"CUBESAT 28057", 28057}, {"GEO 28626", 28626}, {"ISS 29238", 29238}});
    pl::SetScreenInfo({480, 640, 192});
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    Open();
    Shot("big_info.png");
    ChooseView(6);
    Shot("big_globe.png");
    ChooseView(1);
    Shot("big_sky.png");
    ChooseView(7);
    Shot("big_data.png");
    ChooseView(2);
    TapRow(2813, 1);
    Shot("big_pass.png");
}

TEST_F(SatellitesFormTest, Smoke) {
    WriteSatellites({{"CUBESAT 28057", 28057}, {"GEO 28626", 28626}, {"ISS 29238", 29238}});
    Start();
    SetFormTime(2006, 6, 26, 21, 0);
    Open();
    Shot("sat_info.png");
    ChooseView(6);
    Shot("sat_globe.png");
    ChooseView(1);
    Shot("sat_sky.png");
    ChooseView(7);
    Shot("sat_data.png");
    ChooseView(2);
    TapRow(2813, 1);
    Shot("sat_pass.png");
}

}  // namespace
