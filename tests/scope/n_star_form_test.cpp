// The N-star form (2100) over the running program with the sky chart for the
// star choices: 51 N 0 E, zone 0, 5 March 2024 21:10 by the device clock, no
// telescope drive (a chosen star's reading is its own place). Named bright
// stars are placed by azimuth and altitude at that time (PlaceAt of the chart
// tests). The plots' expected pixels follow from their stated geometry at
// 240 x 320, 96 dpi: squares of side 83 with corners at (73, 130) and
// (156, 130), so centres at (114, 171) and (197, 171), and an error (d1, d2)
// drawn at (d1, d2) x 41.5 / h pixels from the centre.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/scope_chart_fixture.h"
#include "core/preferences.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/n_star.h"
#include "scope/n_star_list.h"
#include "scope/pointing_model.h"
#include "support/program_fixture.h"
#include "ui/night_colors.h"

namespace {

using namespace sky_chart_test;

constexpr int kNStarMenuCommand = 1006;
constexpr uint32_t kWhite = 0xF8F8F8;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xC80000;  // RGB(200, 0, 0) at 5 bits a channel
constexpr int kCentre1X = 114, kCentre2X = 197, kCentreY = 171;

// Three stars well apart, and a fourth within 0.3 deg of the first.
const NamedStar kStars[] = {
    {"Adhara", 10, 180, 40}, {"Bellatrix", 20, 270, 35}, {"Capella", 30, 90, 50}, {"Dubhe", 40, 180.2, 40.1}};

class NStarForm : public ScopeChartTest {
protected:
    void SetUp() override { SetUpAt(240, 320, 96); }
    void SetUpAt(int width, int height, int dpi) {
        Start(width, height, dpi);
        WriteStars();
        Ui([] {
            ResetStarCatalog();
            ReopenDatabases(1);
            ResetNStarList();
            ResetNStar();
            ResetAlignmentModel();
            ResetPointingModel();
            preferences.word[kPrefDriveId] = 0;
            preferences.word[kPrefMountType] = 0;
            preferences.word[kPrefAlignMethod] = 1;
            preferences.word[kPrefRaFormat] = 1;
            preferences.word[kPrefDecFormat] = 0;
        });
    }
    void TearDown() override {
        ScopeChartTest::TearDown();
        Ui([] {
            ResetNStarList();
            ResetNStar();
            ResetAlignmentModel();
            ResetPointingModel();
        });
    }
    void WriteStars() { WriteNamedStars(folder.path(), kStars); }

    void OpenForm() {
        MainCommand(kNStarMenuCommand);
        ASSERT_EQ(GetCurrentFormId(), kNStarForm) << BoxText();
    }
    std::string Text(int id) const { return pl::GetDlgItemText(GetCurrentFormDialog(), id); }
    static int Position(const char* name) {
        for (int i = 0; i < selectionCount; ++i)
            if (std::strcmp(selectionList[i].name, name) == 0) return i;
        return -1;
    }
    // Add, the named entry chosen in the chart's object popup, the chart's
    // Back: the form takes the star.
    void ChooseOnChart(const char* name) {
        FormCommand(kNStarAdd);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        const int row = FindSelectionIndex(Position(name));
        ASSERT_GE(row, 0) << name;
        Choose(kChartObjectTrigger, kChartObjectList, row);
        FormCommand(kChartBack);
        ASSERT_EQ(GetCurrentFormId(), kNStarForm) << BoxText();
    }
    std::vector<std::string> Rows() const {
        pl::Hwnd list = Item(kNStarList);
        std::vector<std::string> rows;
        for (int i = 0; i < pl::ListViewGetItemCount(list); ++i) rows.push_back(pl::ListViewGetItemText(list, i));
        return rows;
    }
    // n entries straight into the list, each 10 deg apart, reading = place.
    void PutEntries(int n) {
        Ui([n] {
            AlignmentStar* list = GetAlignmentStarList();
            for (int i = 0; i < n; ++i) {
                AlignmentStar e{};
                std::snprintf(e.name, sizeof e.name, "E%d", i);
                e.kind = 54;
                e.ra = e.reading1 = e.model1 = e.corrected1 = e.measured1 = i * 15.0 + 5.0;
                e.dec = e.reading2 = e.model2 = e.corrected2 = e.measured2 = 20.0;
                list[i] = e;
            }
            alignmentStarCount = n;
            nStarCurrentRow = n - 1;
        });
    }
    // The 5 x 5 marker about (x, y) is all of one colour.
    bool MarkerAt(int x, int y, uint32_t colour) const {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (Pixel(x + dx, y + dy) != colour) return false;
        return true;
    }
    // The 5 x 5 marker about (x, y) is a ring of one colour round a white hole.
    bool HollowMarkerAt(int x, int y, uint32_t colour) const {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const bool ring = std::abs(dx) == 2 || std::abs(dy) == 2;
                if (Pixel(x + dx, y + dy) != (ring ? colour : kWhite)) return false;
            }
        return true;
    }
    // Two stars read at their own places make the identity alignment.
    void AlignOnThemselves() {
        Ui([] {
            AlignmentStar a{}, b{};
            a.ra = a.reading1 = 82.5, a.dec = a.reading2 = -10.25;
            b.ra = b.reading1 = 165.0, b.dec = b.reading2 = 40.0;
            alignStar1 = a, alignStar2 = b;
            std::snprintf(alignmentReferenceText, sizeof alignmentReferenceText, "21:10:00");
            ComputeAlignmentMatrix(alignmentReferenceText, &alignStar1, &alignStar2);
        });
        ASSERT_EQ(IsAlignmentValid(), 1);
    }
};

// Stars chosen on the chart join the list by name with their place in the
// "Obs :" fields and, with no drive, their own place as the reading; a star
// within 0.5 deg of right ascension and 1 deg of declination of an entry is
// refused with its message.
TEST_F(NStarForm, ChosenStarsJoinTheList) {
    OpenForm();
    EXPECT_EQ(Text(kMeanErrorField), "No stars");
    ChooseOnChart("Adhara");
    ChooseOnChart("Bellatrix");
    ASSERT_EQ(alignmentStarCount, 2);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Adhara", "Bellatrix"}));
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kNStarList)), 1);
    const AlignmentStar& b = GetAlignmentStarList()[1];
    EXPECT_EQ(b.measured1, b.ra);
    EXPECT_EQ(b.measured2, b.dec);
    EXPECT_EQ(Text(kObsRaField).size(), 8u);
    EXPECT_EQ(Text(kObsRaField), Text(kTrueAxis1Field));
    EXPECT_EQ(Text(kObsDecField), Text(kCalcAxis2Field));
    ChooseOnChart("Dubhe");
    EXPECT_EQ(BoxText(), "There is already a star selected at this position\n");
    AnswerAll();
    EXPECT_EQ(alignmentStarCount, 2);
}

// The program's own alignment: Add without a 2-star alignment is refused and
// the form stays; with one, three entries are not enough for Calc.
TEST_F(NStarForm, OwnAlignmentNeedsTwoStarsFirstAndFourEntries) {
    Ui([] { preferences.word[kPrefAlignMethod] = 0; });
    OpenForm();
    FormCommand(kNStarAdd);
    EXPECT_EQ(BoxText(), "Please do 2 stars alignment first\n");
    AnswerAll();
    EXPECT_EQ(GetCurrentFormId(), kNStarForm);
    AlignOnThemselves();
    for (const char* name : {"Adhara", "Bellatrix", "Capella"}) ChooseOnChart(name);
    ASSERT_EQ(alignmentStarCount, 3) << BoxText();
    FormCommand(kNStarCalc);
    EXPECT_EQ(BoxText(), "Please add at least 4 stars to do correction.\n");
    AnswerAll();
}

// "External": one entry is enough to fit the pointing model; its index
// errors are the reading less the prediction.
TEST_F(NStarForm, ExternalFitsOneEntry) {
    PutEntries(1);
    Ui([] { GetAlignmentStarList()[0].measured1 += 0.25; });
    OpenForm();
    FormCommand(kNStarCalc);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_NEAR(pointingCoefficients[0], 0.25 * kDegToRad, 1e-12);
    EXPECT_NEAR(GetAlignmentStarList()[0].corrected1, 5.25, 1e-9);
}

// Twenty entries: a further choice on the chart adds nothing and says nothing.
TEST_F(NStarForm, TwentyFirstChoiceAddsNothing) {
    PutEntries(20);
    OpenForm();
    EXPECT_EQ(Rows().size(), 20u);
    ChooseOnChart("Capella");
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(alignmentStarCount, 20);
    EXPECT_EQ(nStarPendingChoice, -1);
}

// Del: the current row goes; deleting the last row moves the current row up;
// on an empty list "Sorry, there is no more star to delete.".
TEST_F(NStarForm, DeleteMovesTheCurrentRowUp) {
    PutEntries(3);
    OpenForm();
    Tap(RowCentre(Item(kNStarList), 1));
    EXPECT_EQ(nStarCurrentRow, 1);
    FormCommand(kNStarDel);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"E0", "E2"}));
    EXPECT_EQ(nStarCurrentRow, 1);
    FormCommand(kNStarDel);
    EXPECT_EQ(Rows(), std::vector<std::string>{"E0"});
    EXPECT_EQ(nStarCurrentRow, 0);
    FormCommand(kNStarDel);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(nStarCurrentRow, -1);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    FormCommand(kNStarDel);
    EXPECT_EQ(BoxText(), "Sorry, there is no more star to delete.\n");
    AnswerAll();
    FormCommand(kNStarSync);
    EXPECT_EQ(BoxText(), "Please add at least one stars.\n");
    AnswerAll();
}

// Sync with no drive takes the reading typed in the "True:" fields; with
// "External" the correction is fitted at once. A reading that does not read
// is refused with the number field's message and changes nothing.
TEST_F(NStarForm, SyncTakesTheTypedReading) {
    PutEntries(1);
    OpenForm();
    Ui([] {
        SetField(kTrueAxis1Field, "01:30:00");
        SetField(kTrueAxis2Field, "19:30:00");
    });
    FormCommand(kNStarSync);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    const AlignmentStar& e = GetAlignmentStarList()[0];
    EXPECT_DOUBLE_EQ(e.measured1, 22.5);
    EXPECT_DOUBLE_EQ(e.measured2, 19.5);
    EXPECT_NEAR(pointingCoefficients[1], -0.5 * kDegToRad, 1e-12);
    EXPECT_NEAR(e.corrected2, 19.5, 1e-9);
    Ui([] { SetField(kTrueAxis2Field, "95"); });
    FormCommand(kNStarSync);
    EXPECT_NE(BoxText().find("between -90 and 90"), std::string::npos) << BoxText();
    AnswerAll();
    EXPECT_DOUBLE_EQ(GetAlignmentStarList()[0].measured2, 19.5);
}

// The plots: an entry off by (1, -0.5) deg, current, sits black at
// 41.5 / 8 x (1, -0.5) = (5, -3) pixels from the first centre at the first
// scale row; another, off by (-2, 1), red at (-10, 5). After the correction,
// errors of 16 and 16.5 deg (2 h and more) on axis 2 lie beyond the square:
// each is pinned hollow 37 pixels below the second centre, inside the frame
// (the square's edge 41 pixels away, less the marker's half and a clear
// pixel), and nothing is drawn 83 pixels below it any more. The scale popup's
// second row (h = 4) doubles the distances.
TEST_F(NStarForm, PlotsPlaceAndColourTheMarkers) {
    PutEntries(3);
    Ui([] {
        AlignmentStar* l = GetAlignmentStarList();
        l[0].reading1 += 1.0, l[0].reading2 -= 0.5;
        l[0].corrected1 += 1.0, l[0].corrected2 -= 0.5;
        l[1].reading1 -= 2.0, l[1].reading2 += 1.0;
        l[1].corrected2 += 16.0;
        l[2] = l[1];
        l[2].ra += 40.0;
        nStarCurrentRow = 0;
    });
    OpenForm();
    Shot("n_star_plots.png");
    EXPECT_TRUE(MarkerAt(kCentre1X + 5, kCentreY - 3, kBlack));
    EXPECT_TRUE(MarkerAt(kCentre1X - 10, kCentreY + 5, kRed));
    EXPECT_TRUE(MarkerAt(kCentre2X + 5, kCentreY - 3, kBlack));
    EXPECT_EQ(Pixel(kCentre1X - 5, kCentreY + 3), kWhite);  // nothing at the mirrored place
    EXPECT_TRUE(HollowMarkerAt(kCentre2X, kCentreY + 37, kRed));
    EXPECT_EQ(Pixel(kCentre2X, kCentreY + 83), kWhite);
    Ui([] {
        GetAlignmentStarList()[1].corrected2 += 0.5;
        GetAlignmentStarList()[2].corrected2 += 0.5;
        RedrawNStarForm();
    });
    EXPECT_TRUE(HollowMarkerAt(kCentre2X, kCentreY + 37, kRed));
    EXPECT_EQ(Pixel(kCentre2X, kCentreY + 86), kWhite);
    Choose(kScale1Trigger, kScale1List, 1);
    EXPECT_EQ(nStarScale1, 1);
    EXPECT_TRUE(MarkerAt(kCentre1X + 10, kCentreY - 5, kBlack));
    EXPECT_TRUE(MarkerAt(kCentre2X + 5, kCentreY - 3, kBlack));
}

// Improve Pointing on the chart with the mount 12 deg south of the selected
// object's apparent place (the simulated mount, source "External"): the
// entry's error before the correction, +12 deg on axis 2, passes the first
// plot's half-width of 8 deg ("10°"). Its marker was drawn 62 pixels below
// the centre, outside the square and over the "10°" popup under it; it is
// pinned hollow 37 pixels below the centre, and the strip under the square
// looks as it does for an entry without error.
TEST_F(NStarForm, ImprovePointingErrorPastTheScaleIsDrawnInsideItsPlot) {
    const auto place = PlaceAt(200, 45);
    Put({Entry("Target", kDesignationNgc, 5, 2, place.first, place.second)}, 0);
    SetWord(kPrefChartZoom, 5);
    Open();
    Drive();
    double ra = 0, dec = 0, altitude = 0, azimuth = 0;
    ComputeApparentAltAz(place.first, place.second, &ra, &dec, &altitude, &azimuth, 3, 2024, 3, 5, 21, 10, 0);
    MountAt({ra, dec - 12.0});
    Choose(kChartScopeTrigger, kChartScopeList, 6);  // Improve Pointing
    ASSERT_EQ(alignmentStarCount, 1) << BoxText();
    const AlignmentStar& e = GetAlignmentStarList()[0];
    EXPECT_NEAR(e.reading2 - e.measured2, 12.0, 0.01);
    OpenForm();
    Shot("n_star_improve_pointing.png");
    EXPECT_TRUE(HollowMarkerAt(kCentre1X, kCentreY + 37, kBlack));  // the current and only entry
    const auto strip = [this] {  // 30 rows under the square's bottom edge at 130 + 83 = 213
        std::vector<uint32_t> pixels;
        for (int y = 214; y < 244; ++y)
            for (int x = kCentre1X - 10; x <= kCentre1X + 10; ++x) pixels.push_back(Pixel(x, y));
        return pixels;
    };
    const std::vector<uint32_t> withError = strip();
    Ui([] {
        AlignmentStar& first = GetAlignmentStarList()[0];
        first.reading2 = first.measured2;
        RedrawNStarForm();
    });
    EXPECT_EQ(withError, strip());
}

// At night ("Bright", red at 204) the other entries are red at two thirds of
// that level (136) and the current one at the level itself, on black.
TEST_F(NStarForm, NightMarkersAreRedAtTwoThirds) {
    PutEntries(2);
    Ui([] {
        AlignmentStar* l = GetAlignmentStarList();
        l[0].reading1 += 1.0, l[0].reading2 -= 0.5;
        l[1].reading1 -= 2.0, l[1].reading2 += 1.0;
        nStarCurrentRow = 1;
        preferences.word[kPrefNightMode] = 3;
        ApplyNightModeColors(3);
    });
    OpenForm();
    EXPECT_TRUE(MarkerAt(kCentre1X + 5, kCentreY - 3, 0x880000));
    EXPECT_TRUE(MarkerAt(kCentre1X - 10, kCentreY + 5, 0xC80000));
    EXPECT_EQ(Pixel(kCentre1X - 5, kCentreY + 3), 0x000000);
    Ui([] {
        preferences.word[kPrefNightMode] = 0;
        ApplyNightModeColors(0);
    });
}

// Inf shows the form's help.
TEST_F(NStarForm, InfShowsTheHelp) {
    OpenForm();
    FormCommand(kNStarInfo);
    EXPECT_EQ(BoxText(),
              "Tap Add to choose 4 or more stars. For each, center it in your reticle eyepiece. Then tap Sync after "
              "each entry. In case of manual inputs tap Sync after.\nCalc will compute the pointing correction "
              "parameters.");
    AnswerAll();
}

// Save, an emptied list, Load: the same entries come back with their rows.
TEST_F(NStarForm, SaveThenLoadRestoresTheList) {
    PutEntries(4);
    OpenForm();
    FormCommand(kNStarSave);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    for (int i = 0; i < 4; ++i) FormCommand(kNStarDel);
    ASSERT_TRUE(Rows().empty());
    FormCommand(kNStarLoad);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"E0", "E1", "E2", "E3"}));
    EXPECT_EQ(GetAlignmentStarList()[3].ra, 50.0);
    EXPECT_EQ(nStarCurrentRow, 0);
}

// The form at the three screens a user has, by day and at night: every
// label inside the screen, and at night no green or blue light.
TEST_F(NStarForm, PicturesAtEachScreen) {
    PutEntries(5);
    OpenForm();
    Shot("n_star_240.png");
    for (int night : {3}) {
        Ui([night] {
            preferences.word[kPrefNightMode] = night;
            ApplyNightModeColors(night);
        });
        OpenForm();
        Shot("n_star_night.png");
        int notRed = 0;
        for (int y = 0; y < 294; ++y)
            for (int x = 0; x < 240; ++x) {
                uint32_t p = harness.pixel(x, y);
                notRed += ((p >> 8) & 0xFF) >= 0x20 || (p & 0xFF) >= 0x20;
            }
        EXPECT_EQ(notRed, 0);
    }
    Ui([] {
        preferences.word[kPrefNightMode] = 0;
        ApplyNightModeColors(0);
    });
}

class NStarFormLarge : public NStarForm {
protected:
    void SetUp() override { SetUpAt(480, 640, 192); }
};

// At 480 x 640, 192 dpi everything doubles: the marker of an entry off by
// (1, -0.5) deg sits at twice (5, -3) from the first centre at twice (114, 171).
TEST_F(NStarFormLarge, PlotsFollowTheDisplayScale) {
    PutEntries(5);
    Ui([] {
        AlignmentStar& e = GetAlignmentStarList()[4];
        e.reading1 += 1.0, e.reading2 -= 0.5;
    });
    OpenForm();
    Shot("n_star_480_192.png");
    EXPECT_EQ(Pixel(2 * kCentre1X + 10, 2 * kCentreY - 6), kBlack);
    EXPECT_EQ(Pixel(2 * kCentre1X + 10 + 4, 2 * kCentreY - 6 + 4), kBlack);
    EXPECT_EQ(Pixel(2 * kCentre1X - 10, 2 * kCentreY + 6), kWhite);
}

}  // namespace
