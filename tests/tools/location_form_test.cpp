// The location form's controls (1200) in the running program: how a site is
// selected and shown, how its fields are read back and checked.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/record_writer.h"
#include "chart/chart_state.h"
#include "chart/sky_rotation.h"
#include "core/preferences_file.h"
#include "core/program_hooks.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/location_form.h"
#include "tools/observer_site.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

// The form with its controls and nothing more.
pl::LResult LocationControlsProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static pl::ShActivateInfo activate{};
    if (message == pl::WM_INITDIALOG) InitLocationControls(form);
    if (message == pl::WM_ACTIVATE) HandleFormActivate(form, wParam, lParam, &activate, 0);
    if (message == pl::WM_COMMAND && pl::LoWord(wParam) == kCmdCloseForm) {
        ReleaseLocationControls(form);
        DestroyCurrentForm();
    }
    return message == pl::WM_INITDIALOG || message == pl::WM_ACTIVATE || message == pl::WM_COMMAND;
}

// The chart as it was when its horizon positions were declared stale.
struct RefreshTrace {
    int calls, chartDirty, rotationFlag;
} trace;

class LocationControls : public ProgramTest {
protected:
    void SetUp() override {
        ResetSiteSelection();  // the form makes the first selection of the run
        record_writer::Bytes db = record_writer::RecordDbBytes(
            1, 64, {record_writer::LocationBytes("Paris", "Saint-Germain-en-Laye", 48.85f, 2.35f, 60)});
        std::ofstream(folder.path() / "data" / "zendavori_location.ppc", std::ios::binary)
            .write(reinterpret_cast<const char*>(db.data()), static_cast<std::streamsize>(db.size()));
        ASSERT_TRUE(StartProgram());
        Ui([] {
            CloseCurrentForm();
            SetCurrentFormId(kLocationForm);
            pl::CreateDialog(kLocationForm, mainWindow, LocationControlsProc);
            ShowSiteOnOpening();
        });
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, kLatitudeField), nullptr);
    }
    void TearDown() override { ResetSiteSelection(); }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    pl::Hwnd form = nullptr;
};

// Opening shows the site as it is: on a first start the start site under
// "Site1"; a site that a saved site holds under that saved site's row.
TEST_F(LocationControls, OpeningShowsTheSiteUnderTheSavedSiteHoldingIt) {
    EXPECT_STREQ(currentSite.name, "None");
    EXPECT_EQ((std::vector<double>{currentSite.latitude, currentSite.longitude, double(currentSite.zoneMinutes)}),
              (std::vector<double>{51, 0, 0}));
    pl::Hwnd sites = pl::GetDlgItem(form, kSiteList);
    EXPECT_EQ(pl::ListViewGetItemText(sites, pl::ListViewGetSelectionMark(sites)), "Site1");
    EXPECT_EQ(Text(kLatitudeField).back(), 'N');
    Ui([] {
        SetObserverSite(-2.35, 48.85, 60);
        std::strcpy(currentSite.name, "Kept");
        StoreSavedSite(2);
        ResetSiteSelection();
        ShowSiteOnOpening();
    });
    EXPECT_EQ(pl::ListViewGetItemText(sites, pl::ListViewGetSelectionMark(sites)), "Site3");
    EXPECT_STREQ(currentSite.name, "Kept");
    EXPECT_EQ(Text(kLongitudeField).back(), 'E');
}

// Record longitude +2.35 E, zone 60, daylight saving on: site longitude
// -2.35, zone 120 (the field shows 60), elevation 0; 11 characters of the
// second name, of which a saved site keeps 10.
TEST_F(LocationControls, LocationRecordBecomesTheSite) {
    Ui([] {
        currentSite.daylightSaving = 1;
        currentSite.elevation = 300;
        locationListChoice = 0;
        SelectLocation();
        EXPECT_TRUE(ApplySiteFields());
    });
    EXPECT_NEAR(currentSite.longitude, -2.35, 1.0 / 3600);
    EXPECT_EQ((std::vector{currentSite.zoneMinutes, currentSite.elevation}), (std::vector<int16_t>{120, 0}));
    EXPECT_EQ(Text(kZoneField), "60");
    EXPECT_STREQ(currentSite.name, "Saint-Germa");
    EXPECT_STREQ(currentSite.savedSites[0].name, "Saint-Germ");
    EXPECT_EQ(currentSite.savedSites[0].zoneMinutes, 120);
}

// One field at a time at the ends of its range: an invalid value empties its
// field and is not taken (an elevation of 32000 becomes 0), no saved site,
// no chart refresh, no saved preferences; all valid stores the saved site
// and refreshes the chart's clock, then its horizon positions, then its
// rotation. Humidity is read to its third character.
TEST_F(LocationControls, ApplySiteFieldsChecksEveryRange) {
    using S = SiteRecord;
    const struct {
        int field;
        const char* text;
        int daylight;
        int16_t S::*value;
        int after;  // the site's value
    } cases[] = {
        {kZoneField, "-1440", 0, &S::zoneMinutes, 0},      {kZoneField, "1380", 1, &S::zoneMinutes, 0},
        {kTemperatureField, "-71", 0, &S::temperature, 10}, {kTemperatureField, "60", 0, &S::temperature, 10},
        {kPressureField, "899", 0, &S::pressure, 1013},     {kPressureField, "1101", 0, &S::pressure, 1013},
        {kHumidityField, "100", 0, &S::humidity, 40},       {kElevationField, "32000", 0, &S::elevation, 0},
        {kZoneField, "1439", 0, &S::zoneMinutes, 1439},     {kTemperatureField, "-70", 0, &S::temperature, -70},
        {kTemperatureField, "59", 0, &S::temperature, 59},  {kPressureField, "1100", 0, &S::pressure, 1100},
        {kHumidityField, "99", 0, &S::humidity, 99},
    };
    HorizonProjectionHook chartHook = InstallHorizonProjectionHook(
        [] { trace = RefreshTrace{trace.calls + 1, chartState.chartDirty, skyRotation.flag}; });
    for (const auto& c : cases) {
        bool valid = std::to_string(c.after) == c.text;  // the site took the text
        Ui([&] {
            currentSite.daylightSaving = static_cast<int16_t>(c.daylight);
            currentSite.savedSites[0] = SavedSite{};
            SetSiteStartValues(currentSite);
            for (auto [id, text] : {std::pair{kElevationField, "100"}, {kZoneField, "0"}, {kTemperatureField, "10"},
                                    {kPressureField, "1013"}, {kHumidityField, "40"}, {c.field, c.text}})
                SetField(id, text);
            chartState.chartDirty = 0;
            skyRotation.flag = 1;
            trace = RefreshTrace{};
            std::filesystem::remove(folder.path() / kPreferencesFile);
            EXPECT_EQ(ApplySiteFields(), valid) << c.text;
        });
        EXPECT_EQ(currentSite.*c.value, c.after) << c.text;
        EXPECT_EQ(Text(c.field), valid ? c.text : "") << c.text;
        EXPECT_EQ(currentSite.savedSites[0].elevation, valid ? 100 : 0) << c.text;
        EXPECT_EQ((std::vector{trace.calls, trace.chartDirty, trace.rotationFlag, skyRotation.flag}),
                  valid ? (std::vector{1, 1, 1, -1}) : (std::vector{0, 0, 0, 1}))
            << c.text;
        EXPECT_EQ(std::filesystem::exists(folder.path() / kPreferencesFile), valid) << c.text;
    }
    InstallHorizonProjectionHook(chartHook);
}

// Typed coordinates: a last "S" or "E" makes them negative; no place keeps
// the site's. Shown in each Dec format and read back, a site keeps its
// hemispheres and its place within 0.5" (6" in decimal minutes, whose tenth
// DegToStr truncates).
TEST_F(LocationControls, CoordinatesReadWithTheirHemispheres) {
    const struct {
        const char *latitude, *longitude;
        double north, west;
    } typed[] = {{"51\xB0" "28'38 S", "0\xB0" "07'39 E", -51.477222, -0.1275}, {"12.5", "12.5", 12.5, 12.5},
                 {"95 N", "181 W", 12.5, 12.5}};
    for (const auto& c : typed) {
        Ui([&] {
            SetField(kLatitudeField, c.latitude);
            SetField(kLongitudeField, c.longitude);
            ReadSiteCoordinates();
        });
        EXPECT_NEAR(currentSite.latitude, c.north, 1e-5) << c.latitude;
        EXPECT_NEAR(currentSite.longitude, c.west, 1e-5) << c.longitude;
        EXPECT_FLOAT_EQ(currentSite.sinLatitude, static_cast<float>(std::sin(currentSite.latitude * M_PI / 180)));
    }
    const double places[][2] = {{51.477222, -0.1275}, {-33.856784, -151.215297}, {0.0042, 179.9}};
    for (int format = 0; format <= 3; ++format)
        for (const auto& p : places) {
            Ui([&] {
                preferences.word[kPrefDecFormat] = format;
                SetObserverSite(p[1], p[0], 0);
                ShowSiteInForm();
                ReadSiteCoordinates();
            });
            double tolerance = (format == 3 ? 6.0 : 0.5) / 3600;
            EXPECT_NEAR(currentSite.latitude, p[0], tolerance) << format << " " << Text(kLatitudeField);
            EXPECT_NEAR(currentSite.longitude, p[1], tolerance) << format << " " << Text(kLongitudeField);
        }
}

}  // namespace
