// The 2-star alignment form (1300) over the running program with the sky
// chart for the star choices: 51 N 0 E, zone 0, 5 March 2024 21:10 by the
// device clock, no telescope drive. Five named bright stars are placed by
// azimuth and altitude at that time (PlaceAt of the chart tests); the expected
// places and readings come from Meeus's formulas, not from the program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/sky_chart_fixture.h"
#include "core/preferences.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/alignment_restore.h"
#include "scope/encoder_box.h"
#include "scope/scope_form.h"
#include "scope/scope_dispatch.h"
#include "scope/two_star.h"
#include "support/meeus_horizon.h"
#include "support/program_fixture.h"
#include "ui/night_colors.h"

namespace {

using namespace sky_chart_test;

constexpr int kTextInputEdit = 137;
constexpr int kTextInputTitle = 136;
constexpr double kArcsecond = 1.0 / 3600.0;

// A and its right-angle neighbours B (west) and C (east) between 20 and 60
// degrees high; D too high for a first star; E opposite A (no second star).
const NamedStar kStars[] = {{"Adhara", 10, 180, 40}, {"Bellatrix", 20, 270, 35}, {"Capella", 30, 90, 50},
                            {"Deneb", 40, 200, 75},  {"Elnath", 50, 0, 40}};

// The sidereal time of a clock time given as hours x 15 on 5 March 2024.
double SiderealAt(double timeDegrees) { return MeeusSiderealTime(2024, 3, 5, timeDegrees / 15.0); }

// Separation (degrees) of two directions given as azimuth and altitude.
double Separation(double az1, double alt1, double az2, double alt2) {
    const double c = std::sin(alt1 * kDegToRad) * std::sin(alt2 * kDegToRad) +
                     std::cos(alt1 * kDegToRad) * std::cos(alt2 * kDegToRad) * std::cos((az1 - az2) * kDegToRad);
    return std::acos(std::min(1.0, c)) / kDegToRad;
}

class TwoStarForm : public SkyChartTest {
protected:
    void SetUp() override {
        Start();
        WriteStars();
        Ui([] {
            ResetStarCatalog();
            ReopenDatabases(1);
            ResetTwoStar();
            ResetAlignmentModel();
            ResetEncoderBox();
            alignStar1 = alignStar2 = AlignmentStar{};
            alignStar1.index = alignStar2.index = -1;
            alignmentReferenceText[0] = '\0';
            restoreOffered = 0;
            preferences.word[kPrefDriveId] = 0;
            preferences.word[kPrefMountType] = 0;
            preferences.word[kPrefRaFormat] = 1;
            preferences.word[kPrefDecFormat] = 0;
        });
    }
    void TearDown() override {
        Ui([] {
            SetPlatformMode(0);
            ResetTwoStar();
            ResetAlignmentModel();
            ResetAlignmentRestore();
        });
    }
    void WriteStars() { WriteNamedStars(folder.path(), kStars); }

    void OpenForm() {
        MainCommand(1005);
        ASSERT_EQ(GetCurrentFormId(), kTwoStarForm) << BoxText();
    }
    void Press(int id) { FormCommand(id); }
    std::string Text(int id) const { return pl::GetDlgItemText(GetCurrentFormDialog(), id); }
    bool Shown(int id) const { return pl::IsWindowVisible(Item(id)); }
    // The list position of a named entry, -1 when it is not listed.
    static int Position(const char* name) {
        for (int i = 0; i < selectionCount; ++i)
            if (std::strcmp(selectionList[i].name, name) == 0) return i;
        return -1;
    }
    // Star button `button`, the named entry chosen in the chart's object
    // popup, the chart's Back: the form takes the star.
    void ChooseOnChart(int button, const char* name) {
        Press(button);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        const int row = FindSelectionIndex(Position(name));
        ASSERT_GE(row, 0) << name;
        Choose(kChartObjectTrigger, kChartObjectList, row);
        ASSERT_EQ(selectionCurrentRow, row) << name;
        FormCommand(kChartBack);
        ASSERT_EQ(GetCurrentFormId(), kTwoStarForm) << BoxText();
    }
    // Types into a star field through its text input; returns the input's title.
    std::string Type(int field, const std::string& text) {
        pl::Hwnd form = GetCurrentFormDialog();
        Ui([form, field] { pl::PostMessage(form, kMsgEditField, static_cast<pl::WParam>(field), 0); });
        pl::Hwnd input = pl::GetActiveWindow();
        EXPECT_NE(input, form);
        std::string title = pl::GetDlgItemText(input, kTextInputTitle);
        Ui([input, text] {
            pl::SetDlgItemText(input, kTextInputEdit, text);
            pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0);
        });
        return title;
    }
    static void ExpectTransform(const double expected[3][3], double tolerance) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_NEAR(alignmentModel.transform[i][j], expected[i][j], tolerance) << i << "," << j;
    }
};

constexpr double kIdentity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

// EQ output, no drive: star 1 leaves the list with only the first-star
// candidates, star 2 with the right-angle ones; each reading is the star's own
// place, so Align gives the identity (to the rounding of the shown readings,
// 0.5 s of time). The save time is now (Julian day of 2024 March 5 21:10 UT by
// Meeus, chapter 7: 2460375.3819) and the pair is saved; back to the home form.
TEST_F(TwoStarForm, StarsChosenOnTheChartAlignAsThemselves) {
    OpenForm();
    ChooseOnChart(kChooseStar1, "Adhara");
    EXPECT_EQ(Position("Deneb"), -1);  // 75 degrees high: no first star
    EXPECT_STREQ(alignStar1.name, "Adhara");
    EXPECT_EQ(Text(kRaField1).size(), 8u);
    EXPECT_EQ(Text(kAxis1Field1), Text(kRaField1));  // the reading is the place itself
    ChooseOnChart(kChooseStar2, "Bellatrix");
    EXPECT_EQ(Position("Elnath"), -1);  // opposite star 1: no second star
    EXPECT_GE(Position("Capella"), 0);
    EXPECT_GE(Position("Adhara"), 0);
    Press(kReadStar1);
    Press(kReadStar2);
    for (const AlignmentStar* s : {&alignStar1, &alignStar2}) {
        EXPECT_NEAR(s->reading1, s->ra, 0.5 * 15 * kArcsecond);
        EXPECT_NEAR(s->reading2, s->dec, 0.0001);
    }
    Press(kTwoStarAlign);
    ASSERT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ(IsAlignmentValid(), 1);
    ExpectTransform(kIdentity, 5e-5);
    EXPECT_NEAR(preferences.GetDouble(kPrefAlignmentSavedJd), 2460375.3819, 1.0 / 86400 * 60);
    EXPECT_EQ(std::memcmp(&savedAlignStar1, &alignStar1, sizeof alignStar1), 0);
    EXPECT_EQ(std::memcmp(&savedAlignStar2, &alignStar2, sizeof alignStar2), 0);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
}

// AZ output, no drive: the readings are the computed azimuth and altitude of
// the chosen places; after Align a third star ten minutes later goes through
// SkyToScope to its azimuth and altitude by Meeus's formulas within 1".
TEST_F(TwoStarForm, AltAzReadingsPredictAThirdStarWithinAnArcsecond) {
    Ui([] { preferences.word[kPrefMountType] = 1; });
    OpenForm();
    EXPECT_EQ(Text(kAxis1Label), "Scope Azt");
    EXPECT_EQ(Text(kAxis2Label), "Scope Alt");
    ChooseOnChart(kChooseStar1, "Adhara");
    ChooseOnChart(kChooseStar2, "Capella");
    Press(kReadStar2);
    for (const AlignmentStar* s : {&alignStar1, &alignStar2}) {
        double az, alt;
        MeeusHorizon(SiderealAt(s->time), s->ra / 15.0, s->dec, 51.0, &az, &alt);
        EXPECT_NEAR(s->reading1, az, 0.0001) << s->name;
        EXPECT_NEAR(s->reading2, alt, 0.0001) << s->name;
    }
    Press(kTwoStarAlign);
    ASSERT_EQ(BoxCount(), 0) << BoxText();
    AlignmentStar third{};
    third.time = alignStar1.time + 10.0 * 15.0 / 60.0;
    third.ra = (kLstHours - 2.0) * 15.0;
    third.dec = 20.0;
    Ui([&third] { SkyToScope(&third); });
    double az, alt;
    MeeusHorizon(SiderealAt(third.time), third.ra / 15.0, third.dec, 51.0, &az, &alt);
    EXPECT_LT(Separation(third.model1 / kDegToRad, third.model2 / kDegToRad, az, alt), kArcsecond);
}

// Choosing star 1 again clears star 2 and the alignment; a galaxy picked on
// the chart is neither a star nor a solar-system body and is refused.
TEST_F(TwoStarForm, NewFirstStarClearsAndAGalaxyIsRefused) {
    OpenForm();
    ChooseOnChart(kChooseStar1, "Adhara");
    ChooseOnChart(kChooseStar2, "Bellatrix");
    Press(kTwoStarAlign);
    ASSERT_EQ(IsAlignmentValid(), 1);
    OpenForm();
    ChooseOnChart(kChooseStar1, "Adhara");
    EXPECT_EQ(IsAlignmentValid(), 0);
    EXPECT_EQ(alignStar2.index, -1);
    EXPECT_EQ(alignStar2.ra, 0.0);
    for (int id : {kRaField2, kDecField2, kTimeField2, kAxis1Field2, kAxis2Field2}) EXPECT_EQ(Text(id), "") << id;
    Press(kChooseStar2);
    Ui([] {  // a galaxy picked on the chart, not in the list
        ObjectRecord galaxy{};
        galaxy.objectType = 16;
        galaxy.rightAscension = 0.71f;
        galaxy.declination = 41.27f;
        chartSelection = galaxy;
        selectionCurrentRow = -1;
    });
    FormCommand(kChartBack);
    EXPECT_EQ(BoxText(), "Please select a star or an object.\n");
    AnswerAll();
    EXPECT_EQ(alignStar2.index, -1);
}

// Typed stars reach the records: RA 05:30:00, Dec -10:15:00 read one hour
// further east, and a second star at 11 h, +40 the same: Align gives the
// rotation of 15 degrees about the pole. The text inputs carry their titles.
TEST_F(TwoStarForm, TypedStarsAreAlignedOn) {
    OpenForm();
    const struct {
        int field;
        const char* text;
        const char* title;
    } typed[] = {
        {kRaField1, "05:30:00", "Star1 Ra:"},   {kDecField1, "-10:15:00", "Star1 Dec:"},
        {kAxis1Field1, "06:30:00", "Star1 Hor:"}, {kAxis2Field1, "-10:15:00", "Star1 Elv:"},
        {kRaField2, "11:00:00", "Star2 Ra:"},   {kDecField2, "40:00:00", "Star2 Dec:"},
        {kAxis1Field2, "12:00:00", "Star2 Hor:"}, {kAxis2Field2, "40:00:00", "Star2 Elv:"},
        {kTimeField1, "21:10:00", "Star1 Time:"}, {kTimeField2, "21:15:00", "Star2 Time:"},
    };
    for (const auto& t : typed) EXPECT_EQ(Type(t.field, t.text), t.title) << t.field;
    ASSERT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_DOUBLE_EQ(alignStar1.ra, 82.5);
    EXPECT_DOUBLE_EQ(alignStar1.dec, -10.25);
    EXPECT_DOUBLE_EQ(alignStar1.reading1, 97.5);
    EXPECT_DOUBLE_EQ(alignStar2.time, 318.75);
    Press(kTwoStarAlign);
    ASSERT_EQ(BoxCount(), 0) << BoxText();
    const double c = std::cos(15.0 * kDegToRad), s = std::sin(15.0 * kDegToRad);
    const double rotation[3][3] = {{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
    ExpectTransform(rotation, 1e-9);
}

// Typed star places and readings are read as their fields take them: one
// decimal of the minutes was read, a decimal comma in them taken for the
// seconds' separator and the seconds' decimals dropped. EQ output: right
// ascensions, times and the first readings are hours (x 15). Values by hand,
// to 0.1".
TEST_F(TwoStarForm, TypedPlacesAndReadingsKeepEveryDecimal) {
    OpenForm();
    const double h = 15.0, m = 1 / 60.0, s = 1 / 3600.0;
    const struct {
        int field;
        const char* text;
        const double* read;
        double degrees;
    } typed[] = {
        {kRaField1, "05:30.25", &alignStar1.ra, (5 + 30.25 * m) * h},
        {kDecField1, "-10:15,5", &alignStar1.dec, -(10 + 15.5 * m)},
        {kAxis1Field1, "06:30:00.4", &alignStar1.reading1, (6 + 30 * m + 0.4 * s) * h},
        {kAxis2Field1, "-10:15:07,2", &alignStar1.reading2, -(10 + 15 * m + 7.2 * s)},
        {kTimeField1, "21:10,75", &alignStar1.time, (21 + 10.75 * m) * h},
        {kRaField2, "11:0,9", &alignStar2.ra, (11 + 0.9 * m) * h},
        {kDecField2, "40:0,9", &alignStar2.dec, 40 + 0.9 * m},
        {kAxis1Field2, "12:00.125", &alignStar2.reading1, (12 + 0.125 * m) * h},
        {kAxis2Field2, "40:00:00,5", &alignStar2.reading2, 40 + 0.5 * s},
        {kTimeField2, "21:15.25", &alignStar2.time, (21 + 15.25 * m) * h},
    };
    for (const auto& t : typed) {
        Type(t.field, t.text);
        ASSERT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_NEAR(*t.read, t.degrees, 0.1 * s) << t.text;
    }
}

// Clear: the ten fields empty, no star, no alignment, the reference at the
// clock's time.
TEST_F(TwoStarForm, ClearForgetsBothStars) {
    OpenForm();
    ChooseOnChart(kChooseStar1, "Adhara");
    ChooseOnChart(kChooseStar2, "Bellatrix");
    Press(kTwoStarAlign);
    OpenForm();
    harness.advance(65000);
    Press(kTwoStarClear);
    for (int id : {kTimeField1, kTimeField2, kRaField1, kRaField2, kDecField1, kDecField2, kAxis1Field1, kAxis1Field2,
                   kAxis2Field1, kAxis2Field2})
        EXPECT_EQ(Text(id), "") << id;
    EXPECT_EQ(alignStar1.index, -1);
    EXPECT_EQ(alignStar2.index, -1);
    EXPECT_EQ(alignStar1.reading1, 0.0);
    EXPECT_EQ(IsAlignmentValid(), 0);
    pl::LocalTime now;
    pl::GetLocalTime(&now);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    EXPECT_STREQ(alignmentReferenceText, expected);
    EXPECT_EQ(Text(kReferenceField), expected);
}

// Equal readings fix no frame: "Please, fill all values", then the form's
// "Fail to compute align matrix" / "Please verify inputs."; the form stays.
TEST_F(TwoStarForm, EqualReadingsFailToAlign) {
    OpenForm();
    Type(kRaField1, "05:30:00");
    Type(kRaField2, "11:00:00");
    for (int id : {kAxis1Field1, kAxis1Field2}) Type(id, "06:00:00");
    for (int id : {kAxis2Field1, kAxis2Field2}) Type(id, "20:00:00");
    Press(kTwoStarAlign);
    EXPECT_EQ(BoxText(), "Please, fill all values\n");
    Answer(pl::IDOK);
    EXPECT_EQ(BoxText(), "Fail to compute align matrix\nPlease verify inputs.");
    AnswerAll();
    EXPECT_EQ(IsAlignmentValid(), 0);
    EXPECT_EQ(GetCurrentFormId(), kTwoStarForm);
}

// An Align less than half a day old is offered at the next opening once the
// alignment is lost; Yes gives the same matrix back.
TEST_F(TwoStarForm, RestoreGivesTheSameMatrix) {
    OpenForm();
    Type(kRaField1, "05:30:00");
    Type(kDecField1, "-10:15:00");
    Type(kAxis1Field1, "06:30:00");
    Type(kAxis2Field1, "-10:15:00");
    Type(kRaField2, "11:00:00");
    Type(kDecField2, "40:00:00");
    Type(kAxis1Field2, "12:10:00");
    Type(kAxis2Field2, "41:00:00");
    Press(kTwoStarAlign);
    ASSERT_EQ(IsAlignmentValid(), 1);
    double aligned[3][3];
    std::memcpy(aligned, alignmentModel.transform, sizeof aligned);
    harness.advance(3 * 3600 * 1000);
    Ui([] {
        ClearAlignmentValid();
        std::memset(alignmentModel.transform, 0, sizeof alignmentModel.transform);
        restoreOffered = 1;
    });
    MainCommand(1005);
    EXPECT_EQ(BoxText(), "Would you want to restore your last alignment?\n");
    Answer(pl::IDYES);
    EXPECT_EQ(IsAlignmentValid(), 1);
    ExpectTransform(aligned, 0.0);
}

// The platform buttons: only for Encoder output; On shows Off and Reset, Off
// brings On back; the mode follows.
TEST_F(TwoStarForm, PlatformButtonsOnlyForEncoderOutput) {
    for (int type : {0, 1}) {
        Ui([type] { preferences.word[kPrefMountType] = type; });
        OpenForm();
        for (int id : {kPlatformOn, kPlatformOff, kPlatformReset}) EXPECT_FALSE(Shown(id)) << type << " " << id;
        MainCommand(1011);
    }
    Ui([] { preferences.word[kPrefMountType] = 2; });
    OpenForm();
    EXPECT_EQ(Text(kAxis1Label), "Scope Azt");
    EXPECT_TRUE(Shown(kPlatformOn));
    EXPECT_FALSE(Shown(kPlatformOff) || Shown(kPlatformReset));
    Press(kPlatformOn);
    EXPECT_EQ(GetPlatformMode(), 1);
    EXPECT_FALSE(Shown(kPlatformOn));
    EXPECT_TRUE(Shown(kPlatformOff) && Shown(kPlatformReset));
    Shot("two_star_platform.png");
    Press(kPlatformOff);
    EXPECT_EQ(GetPlatformMode(), 0);
    EXPECT_TRUE(Shown(kPlatformOn));
    EXPECT_FALSE(Shown(kPlatformOff) || Shown(kPlatformReset));
}

// Inf shows the form's help.
TEST_F(TwoStarForm, InfShowsTheHelp) {
    OpenForm();
    Press(kTwoStarInfo);
    EXPECT_EQ(BoxText(),
              "\x95 Tap Star1 to choose the first star.  Use scope control to center on this star and then tap "
              "Read. Repeat with Star2 and then tap Align.\n\x95 You can also manually enter stars, then press the "
              "Read button.");
    AnswerAll();
}

// The chart's telescope popup opens this form and the scope control form
// (as its rows "2-StarAligment" and "ScopeAssistant" do): Ok of each goes
// back to the chart.
TEST_F(TwoStarForm, FormsOpenedFromTheChartGoBackToIt) {
    Open();
    Ui([] { GotoForm(kTwoStarForm); });
    ASSERT_EQ(GetCurrentFormId(), kTwoStarForm);
    Press(kTwoStarOk);
    EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);
    Ui([] {
        scopeSimulation = 1;
        preferences.word[kPrefDriveId] = 5;
        OpenScopeForm(1);
    });
    ASSERT_EQ(GetCurrentFormId(), 2400) << BoxText();
    Press(2403);  // Ok
    EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    Ui([] { scopeSimulation = 0; });
}

// Day and night pictures of the form with two stars: at night no pixel of
// the form gives green or blue light.
TEST_F(TwoStarForm, DayAndNightPictures) {
    OpenForm();
    ChooseOnChart(kChooseStar1, "Adhara");
    ChooseOnChart(kChooseStar2, "Bellatrix");
    for (int night : {0, 3}) {
        Ui([night] {
            preferences.word[kPrefNightMode] = night;
            ApplyNightModeColors(night);
        });
        OpenForm();
        Shot(night ? "two_star_night.png" : "two_star_day.png");
        EXPECT_NE(Text(kRaField2), "");
        int notRed = 0;
        for (int y = 0; y < 294; ++y)
            for (int x = 0; x < 240; ++x) {
                uint32_t p = harness.pixel(x, y);
                notRed += ((p >> 8) & 0xFF) >= 0x20 || (p & 0xFF) >= 0x20;
            }
        if (night) {
            EXPECT_EQ(notRed, 0);
        } else {
            EXPECT_GT(notRed, 10000);  // a white form
        }
    }
    Ui([] {
        preferences.word[kPrefNightMode] = 0;
        ApplyNightModeColors(0);
    });
}

// The star filters at their edges.
TEST(TwoStarFilters, FirstAndSecondStarBounds) {
    const struct {
        double altitude;
        bool fits;
    } first[] = {{19.99, false}, {20.0, true}, {60.0, true}, {60.01, false}};
    for (const auto& c : first) EXPECT_EQ(FitsFirstStar(c.altitude), c.fits) << c.altitude;
    const struct {
        double az1, az, altitude;
        bool fits;
    } second[] = {
        {180, 270, 40, true},  {180, 90, 40, true},    {10, 130, 40, true},   {10, 131, 40, false},
        {10, 69, 40, false},   {10, 70, 40, true},     {300, 30, 40, false},  {30, 300, 40, false},
        {180, 270, 14.9, false}, {180, 270, 65.1, false}, {180, 270, 15, true}, {0, 0, 40, false},
    };
    for (const auto& c : second) EXPECT_EQ(FitsSecondStar(c.az1, c.az, c.altitude), c.fits) << c.az1 << " " << c.az;
}

}  // namespace
