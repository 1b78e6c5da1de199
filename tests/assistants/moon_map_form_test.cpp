// The Moon map form (6020) in the running program over a lunar feature file
// with a feature every 2 map pixels in x, on a 240 x 320 screen at 96 dpi
// unless a test starts another.
#include "assistants/moon_map_form.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "assistants/moon_map_view.h"
#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

constexpr int kOrientationTrigger = 5985, kOrientationList = 5986, kInfo = 6021, kFeatureList = 6047,
              kZoomOut = 6037, kZoomIn = 6038;

// Feature k at map x 2k, y 480, map size 30; listed by name, whose order runs
// against x.
std::vector<MoonFeatureRecord> FeaturesByX() {
    std::vector<MoonFeatureRecord> features;
    for (int k = 0; k < 480; ++k) {
        MoonFeatureRecord m{2, static_cast<int16_t>(2 * k), 480, 30, -10.0f, 20.0f, 50.0f, ""};
        std::snprintf(m.name, sizeof m.name, "Crater %03d", 999 - k);
        features.push_back(m);
    }
    return features;
}

class MoonMapForm : public ProgramTest {
protected:
    void SetUp() override { Start(240, 320, 96); }
    void Start(int width, int height, int dpi) {
        std::vector<record_writer::Bytes> records;
        std::vector<MoonFeatureRecord> byX = FeaturesByX();
        for (auto it = byX.rbegin(); it != byX.rend(); ++it) records.push_back(record_writer::MoonBytes(*it));
        for (const MoonFeatureRecord& m : byX) records.push_back(record_writer::MoonBytes(m));
        record_writer::Bytes file = record_writer::RecordDbBytes(24, 44, records);
        std::FILE* f = std::fopen((folder.path() / "data" / "zendavori_moon.ppc").c_str(), "wb");
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
        ResetCatalogState();
        harness.changeScreen(width, height, dpi);
        harness.setLocalTime(pl::LocalTime{2024, 1, 20, 12, 0, 0});
        ASSERT_TRUE(StartProgram());
        Ui([] {
            ResetMoonMapState();
            currentSite.zoneMinutes = 0;
            currentDateTime = DateTime{2024, 1, 20, 12, 0, 0};
            GotoForm(kMoonMapForm);
        });
        ASSERT_EQ(GetCurrentFormId(), kMoonMapForm);
    }
    void TearDown() override { Ui([] { ResetMoonMapState(); }); }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    static const MoonMapState& S() { return moonMapState; }
    // The map x of the selected feature, -1 for none.
    static int SelectedX() { return S().selectedFeature < 0 ? -1 : 2 * (S().selectedFeature - 480); }
    void Unselect() {
        Ui([] { moonMapState.selectedFeature = -1, moonMapState.scrollX = 0, moonMapState.scrollY = 0; });
    }
    // Largest distance right of (x, y) on that screen row to a yellow pixel.
    int YellowReach(int x, int y) const {
        int reach = -1;
        for (int d = 0; d < 60; ++d)
            if ((harness.pixel(x + d, y) & 0xF8F8F8) == 0xF8F800) reach = d;
        return reach;
    }
};

// At level 1 the first open shows the map from (0, 0) with "+" offered;
// "+" and "-" switch to level 2 and back.
TEST_F(MoonMapForm, FirstOpenAndZoomLevels) {
    EXPECT_EQ((std::vector{S().zoomLevel, S().mapSize, S().scrollX, S().scrollY}), (std::vector{1, 320, 0, 0}));
    EXPECT_TRUE(pl::IsWindowVisible(Item(kZoomIn)));
    EXPECT_FALSE(pl::IsWindowVisible(Item(kZoomOut)));
    FormCommand(kZoomIn);
    EXPECT_EQ((std::vector{S().zoomLevel, S().mapSize}), (std::vector{2, 960}));
    EXPECT_TRUE(pl::IsWindowVisible(Item(kZoomOut)));
    FormCommand(kZoomOut);
    EXPECT_EQ((std::vector{S().zoomLevel, S().mapSize}), (std::vector{1, 320}));
    EXPECT_NE(moonMapBitmap, nullptr);
}

class MoonMapFormHighResolution : public MoonMapForm {
protected:
    void SetUp() override { Start(480, 640, 192); }
};

// At twice the design's scale the first open shows level 2 from (120 x 2, 0).
TEST_F(MoonMapFormHighResolution, OpensAtLevelTwo) {
    EXPECT_EQ((std::vector{S().zoomLevel, S().mapSize, S().scrollX, S().scrollY}), (std::vector{2, 960, 240, 0}));
    Shot("moon_map_level2.png");
}

// A pen moved 4 or 5 pixels scrolls and still picks where it is lifted; from
// 6 pixels on it only scrolls. The circle's radius is (30 + 4) / 2.
TEST_F(MoonMapForm, SmallMovesPickAndLargerOnesDrag) {
    for (int dx : {4, 5, 6}) {
        Unselect();
        harness.penDown(100, 150);
        harness.penMove(100 - dx, 150);
        EXPECT_EQ(S().scrollX, dx);
        harness.penUp(100 - dx, 150);
        EXPECT_EQ(SelectedX(), dx < 6 ? 300 : -1) << dx;  // map x 3 (scroll + x)
    }
    Unselect();
    harness.tap(100, 150);
    ASSERT_EQ(SelectedX(), 300);
    EXPECT_EQ(YellowReach(100 - S().scrollX, 160 - S().scrollY), 17);
    Shot("moon_map_level1.png");
}

// Mirrored left-right, a tap at map x 100 picks the feature at 860; the
// popup shows the list row of that feature; at level 2 the circle's radius is
// 30 + 4.
TEST_F(MoonMapForm, MirroredPickSelectsTheFeatureInThePopup) {
    FormCommand(kZoomIn);
    Tap(Centre(Item(kOrientationTrigger)));
    Tap(RowCentre(Item(kOrientationList), 3));
    ASSERT_EQ((std::vector{S().flipX, S().flipY}), (std::vector{1, 0}));
    Unselect();
    harness.tap(100, 160);
    ASSERT_EQ(SelectedX(), 860);
    int row = pl::ListViewGetSelectionMark(Item(kFeatureList));
    EXPECT_EQ(row, 479 - 430);  // listed by falling x: "Crater 569" at 860
    EXPECT_EQ(YellowReach(100 - S().scrollX, 480 - S().scrollY), 34);  // drawn at 960 - 860
}

// Information without a selection asks for one; with one it describes it.
TEST_F(MoonMapForm, InformationOfTheSelectedFeature) {
    FormCommand(kInfo);
    EXPECT_EQ(BoxText(), "Please select first a feature by clicking on the map.\n");
    Answer(pl::IDOK);
    harness.tap(100, 150);
    FormCommand(kInfo);
    const std::string head = "Crater  Crater 849\n\x95 Lat:     10.0\xB0\n\x95 Lon:     20.0\xB0";
    EXPECT_EQ(BoxText().substr(0, head.size()), head);
    Answer(pl::IDOK);
}

// Right held for two polls steps the time three hours and renders again,
// clearing the selection; the header is written at the top left.
TEST_F(MoonMapForm, RightKeyStepsHoursAndBackCloses) {
    harness.tap(100, 150);
    ASSERT_GE(S().selectedFeature, 0);
    harness.key(pl::VK_RIGHT, 2);
    EXPECT_EQ((std::vector{currentDateTime.day, currentDateTime.hour}), (std::vector{20, 15}));
    EXPECT_EQ(S().selectedFeature, -1);
    EXPECT_NE(moonMapBitmap, nullptr);
    int white = 0;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 100; ++x) white += (harness.pixel(x, y) & 0xF8F8F8) == 0xF8F8F8;
    EXPECT_GT(white, 50);
    FormCommand(6022);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    EXPECT_EQ(moonMapBitmap, nullptr);
    EXPECT_EQ(BoxCount(), 0);
}

}  // namespace
