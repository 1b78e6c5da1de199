// The location form's controls (1200) in the running program: how a site is
// selected and shown, how its fields are read back and checked.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalog/record_writer.h"
#include "chart/chart_state.h"
#include "chart/sky_rotation.h"
#include "core/preferences.h"
#include "core/preferences_file.h"
#include "core/program_hooks.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/location_form.h"
#include "tools/observer_site.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

// The form with its controls and nothing more: the procedure of the tests.
pl::LResult LocationControlsProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static pl::ShActivateInfo activate{};
    switch (message) {
    case pl::WM_INITDIALOG:
        InitFormWindow(form, pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR);
        InitLocationControls(form);
        return 1;
    case pl::WM_COMMAND:
        if (pl::LoWord(wParam) == kCmdCloseForm) {
            ReleaseLocationControls(form);
            DestroyCurrentForm();
        }
        return 1;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activate, 0); return 1;
    default: return 0;
    }
}

// What the chart looked like when the horizon positions were declared stale.
struct RefreshTrace {
    int calls = 0;
    int chartDirty = 0;
    int rotationFlag = 0;
} trace;

class LocationControls : public ProgramTest {
protected:
    void SetUp() override {
        ResetSiteSelection();
        record_writer::Bytes db = record_writer::RecordDbBytes(
            1, 64, {record_writer::LocationBytes("Paris", "Saint-Germain-en-Laye", 48.85f, 2.35f, 60)});
        std::ofstream(folder.path() / "data" / "zendavori_location.ppc", std::ios::binary)
            .write(reinterpret_cast<const char*>(db.data()), static_cast<std::streamsize>(db.size()));
    }
    void TearDown() override { ResetSiteSelection(); }
    // Starts the program and opens the form; `before` runs on the fresh state first.
    void Open(void (*before)() = nullptr) {
        if (before) before();
        ASSERT_TRUE(StartProgram());
        Ui([] {
            CloseCurrentForm();
            SetCurrentFormId(kLocationForm);
            pl::CreateDialog(kLocationForm, mainWindow, LocationControlsProc);
        });
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, kLatitudeField), nullptr);
    }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    void SetText(int id, const std::string& text) {
        Ui([this, id, text] { pl::SetDlgItemText(form, id, text); });
    }
    bool PrefsSaved() const { return std::filesystem::exists(folder.path() / kPreferencesFile); }
    pl::Hwnd form = nullptr;
};

// A first start shows saved site 0 under "Site1"; a later start keeps the
// site of the earlier run that no saved site holds.
TEST_F(LocationControls, FirstSelectionTakesSavedSiteZeroOnlyOnAFirstStart) {
    Open();
    Ui([] { SelectLocation(); });
    EXPECT_STREQ(currentSite.name, "");
    EXPECT_EQ((std::vector{currentSite.latitude, currentSite.longitude}), (std::vector{0.0f, 0.0f}));
    EXPECT_EQ((std::vector<int>{currentSite.zoneMinutes, currentSite.elevation, currentSite.skyCondition}),
              (std::vector{0, 0, 3}));
    pl::Hwnd sites = pl::GetDlgItem(form, kSiteList);
    EXPECT_EQ(pl::ListViewGetItemText(sites, pl::ListViewGetSelectionMark(sites)), "Site1");
    EXPECT_EQ(siteLoaded, 1);
}

TEST_F(LocationControls, FirstSelectionKeepsASiteOfAnEarlierRun) {
    Open([] {
        SetObserverSite(-2.35, 48.85, 60);
        std::strcpy(currentSite.name, "Kept");
        SavePreferences();
        ResetSharedState();
    });
    Ui([] { SelectLocation(); });
    EXPECT_STREQ(currentSite.name, "Kept");
    EXPECT_FLOAT_EQ(currentSite.latitude, 48.85f);
    EXPECT_EQ(Text(kLongitudeField).back(), 'E');
    EXPECT_EQ(savedSiteIndex, 0);
}

// Record longitude +2.35 E, zone 60, daylight saving on: site longitude -2.35,
// zone 120 (the field shows 60), elevation 0; 11 characters of the second
// name, of which a saved site keeps 10.
TEST_F(LocationControls, LocationRecordBecomesTheSite) {
    Open();
    Ui([] {
        currentSite.daylightSaving = 1;
        currentSite.elevation = 300;
        savedSiteIndex = 1;
        locationListChoice = 0;
        SelectLocation();
    });
    EXPECT_NEAR(currentSite.longitude, -2.35, 1.0 / 3600);
    EXPECT_EQ(currentSite.zoneMinutes, 120);
    EXPECT_EQ(currentSite.elevation, 0);
    EXPECT_EQ(Text(kZoneField), "60");
    Shot("location_controls.png");
    EXPECT_STREQ(currentSite.name, "Saint-Germa");
    EXPECT_EQ(Text(kSiteNameField), "Saint-Germa");
    Ui([] { EXPECT_TRUE(ApplySiteFields()); });
    EXPECT_STREQ(currentSite.savedSites[1].name, "Saint-Germ");
    EXPECT_EQ(currentSite.savedSites[1].zoneMinutes, 120);
}

// Each field at the ends of its range, one invalid at a time: an invalid
// value empties its field and stores nothing, refreshes nothing and saves
// nothing (an elevation of 32000 becomes 0); all valid stores the saved site
// and refreshes the chart's clock, then its horizon positions, then its
// rotation. Humidity is read to its third character.
TEST_F(LocationControls, ApplySiteFieldsChecksEveryRange) {
    Open();
    const struct {
        int field;
        const char* text;
        int daylight;
        bool valid;
        int16_t SiteRecord::*value;
        int kept;  // the site's value afterwards
    } cases[] = {
        {kZoneField, "-1440", 0, false, &SiteRecord::zoneMinutes, 0},
        {kZoneField, "1380", 1, false, &SiteRecord::zoneMinutes, 0},
        {kTemperatureField, "-71", 0, false, &SiteRecord::temperature, 10},
        {kTemperatureField, "60", 0, false, &SiteRecord::temperature, 10},
        {kPressureField, "899", 0, false, &SiteRecord::pressure, 1013},
        {kPressureField, "1101", 0, false, &SiteRecord::pressure, 1013},
        {kHumidityField, "100", 0, false, &SiteRecord::humidity, 40},
        {kElevationField, "32000", 0, false, &SiteRecord::elevation, 0},
        {kZoneField, "1439", 0, true, &SiteRecord::zoneMinutes, 1439},
        {kTemperatureField, "-70", 0, true, &SiteRecord::temperature, -70},
        {kTemperatureField, "59", 0, true, &SiteRecord::temperature, 59},
        {kPressureField, "1100", 0, true, &SiteRecord::pressure, 1100},
        {kHumidityField, "99", 0, true, &SiteRecord::humidity, 99},
    };
    HorizonProjectionHook chartHook = InstallHorizonProjectionHook(
        [] { trace = RefreshTrace{trace.calls + 1, chartState.chartDirty, skyRotation.flag}; });
    Ui([] { SelectLocation(); });
    for (const auto& c : cases) {
        Ui([&] {
            currentSite.daylightSaving = static_cast<int16_t>(c.daylight);
            for (auto [id, text] : {std::pair{kElevationField, "100"}, {kZoneField, "0"}, {kTemperatureField, "10"},
                                    {kPressureField, "1013"}, {kHumidityField, "40"}, {c.field, c.text}})
                SetField(id, text);
            currentSite.elevation = 100, currentSite.zoneMinutes = 0, currentSite.temperature = 10;
            currentSite.pressure = 1013, currentSite.humidity = 40;
            currentSite.savedSites[0] = SavedSite{};
            chartState.chartDirty = 0;
            skyRotation.flag = 1;
            trace = RefreshTrace{};
            std::filesystem::remove(folder.path() / kPreferencesFile);
            EXPECT_EQ(ApplySiteFields(), c.valid) << c.text;
        });
        EXPECT_EQ(currentSite.*c.value, c.kept) << c.text;
        EXPECT_EQ(Text(c.field), c.valid ? c.text : "") << c.text;
        EXPECT_EQ(currentSite.savedSites[0].elevation, c.valid ? 100 : 0) << c.text;
        EXPECT_EQ(currentSite.savedSites[0].skyCondition, c.valid ? 3 : 0) << c.text;
        EXPECT_EQ(trace.calls, c.valid ? 1 : 0) << c.text;
        if (c.valid) {
            EXPECT_EQ((std::vector{trace.chartDirty, trace.rotationFlag}), (std::vector{1, 1})) << c.text;
        }
        EXPECT_EQ(skyRotation.flag, c.valid ? -1 : 1) << c.text;
        EXPECT_EQ(PrefsSaved(), c.valid) << c.text;
    }
    InstallHorizonProjectionHook(chartHook);
}

// Coordinate texts in every form; a last "S" or "E" makes them negative.
TEST_F(LocationControls, CoordinateTextsAreReadWithTheirHemisphere) {
    Open();
    const struct {
        const char* latitude;
        const char* longitude;
        double north, west;
    } cases[] = {
        {"51\xB0" "28'38 S", "0\xB0" "07'39 E", -51.477222, -0.1275},
        {"12.5", "12.5", 12.5, 12.5},
        {"95 N", "181 W", 12.5, 12.5},  // no place: the site keeps its coordinates
    };
    for (const auto& c : cases) {
        SetText(kLatitudeField, c.latitude);
        SetText(kLongitudeField, c.longitude);
        Ui([] { ReadSiteCoordinates(); });
        EXPECT_NEAR(currentSite.latitude, c.north, 1e-5) << c.latitude;
        EXPECT_NEAR(currentSite.longitude, c.west, 1e-5) << c.longitude;
        EXPECT_FLOAT_EQ(currentSite.sinLatitude, static_cast<float>(std::sin(currentSite.latitude * M_PI / 180)));
    }
}

// Shown in each Dec format and read back, a site keeps its hemispheres and
// its place within half an arcsecond (6" in decimal minutes, whose tenth
// DegToStr truncates).
TEST_F(LocationControls, ShownSiteReadsBackInEveryFormat) {
    Open();
    const double places[][2] = {{51.477222, -0.1275}, {-33.856784, -151.215297}, {0.0042, 179.9}};
    for (int format = 0; format <= 3; ++format) {
        double tolerance = (format == 3 ? 6.0 : 0.5) / 3600;
        for (const auto& p : places) {
            Ui([&] {
                preferences.word[kPrefDecFormat] = format;
                SetObserverSite(p[1], p[0], 0);
                ShowSiteInForm();
            });
            EXPECT_NEAR(currentSite.latitude, p[0], tolerance) << format << " " << Text(kLatitudeField);
            EXPECT_NEAR(currentSite.longitude, p[1], tolerance) << format << " " << Text(kLongitudeField);
        }
    }
}

}  // namespace
