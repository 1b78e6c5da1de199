// Positions typed into the sky chart (buttons 1889 and 1890) in the running
// program (the sky of sky_chart_fixture.h).
#include "chart/chart_manual_input.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "catalog/designations.h"
#include "catalog/user_lists.h"
#include "chart/horizon_projection.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "sky_chart_fixture.h"
#include "support/meeus_horizon.h"

namespace {

using namespace sky_chart_test;

constexpr int kFirstField = 2952, kSecondField = 2954, kOk = 2955, kCancel = 2956;

class ChartManualInput : public SkyChartTest {
protected:
    void Open() {
        const auto centre = PlaceAt(180, 60);
        Put({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second)}, 0);
        SetWord(kPrefChartZoom, 5);
        SkyChartTest::Open();
    }
    // The chart centre's place under the middle of the screen.
    std::pair<float, float> CentreRaDec() {
        float ra = 0, dec = 0;
        Ui([&] { ChartPointToRaDec(120, 160, &ra, &dec); });
        return {ra, dec};
    }
    // Opens the dialog of `button`, sets the fields given, answers with
    // `answer`; the first field's text as the dialog showed it.
    std::string Input(int button, int answer, const char* first = nullptr, const char* second = nullptr) {
        FormCommand(button);
        pl::Hwnd dialog = pl::GetActiveWindow();
        EXPECT_NE(dialog, GetCurrentFormDialog());
        const std::string shown = pl::GetDlgItemText(dialog, kFirstField);
        Ui([=] {
            if (first) pl::SetDlgItemText(dialog, kFirstField, first);
            if (second) pl::SetDlgItemText(dialog, kSecondField, second);
            pl::SendMessage(dialog, pl::WM_COMMAND, static_cast<pl::WParam>(answer), 0);
        });
        return shown;
    }
    static const SelectionEntry& Current() { return selectionList[GetSelectionIndex(selectionCurrentRow)]; }
};

// Ok on the untouched fields in each of the four formats of "RA Format" and
// "Dec Format" adds the chart centre as a user object within the format's
// resolution: 0.0001 h and degree (four decimals), 1 s and 1" (two sexagesimal
// forms), 0.1 min and 0.1' (tenths of a minute, rounded up).
TEST_F(ChartManualInput, OkKeepsTheCentreInEveryFormat) {
    Start();
    Open();
    const struct {
        int format;
        const char* pattern;  // of the right ascension shown, digits as 9
        double raHours, decDegrees;
    } cases[] = {{0, "9.9999", 0.0001, 0.0001},
                 {1, "99:99:99", 1 / 3600.0, 1 / 3600.0},
                 {2, "99h99m99", 1 / 3600.0, 1 / 3600.0},
                 {3, "99h99.9", 0.1 / 60, 0.1 / 60}};
    int number = 30000;
    for (const auto& c : cases) {
        SetWord(kPrefRaFormat, c.format);
        SetWord(kPrefDecFormat, c.format);
        const auto centre = CentreRaDec();
        std::string shown = Input(kChartManualRaDec, kOk);
        for (char& ch : shown) ch = std::isdigit(static_cast<unsigned char>(ch)) ? '9' : ch;
        EXPECT_EQ(shown, c.pattern);
        ASSERT_GE(selectionCurrentRow, 0) << c.format;
        const SelectionEntry& e = Current();
        EXPECT_EQ(e.number, number++) << c.format;
        EXPECT_EQ(e.designation, kDesignationUser);
        EXPECT_EQ(e.objectType, 19);
        EXPECT_STREQ(e.name, "Manual Input");
        EXPECT_NEAR(e.rightAscension, centre.first, c.raHours) << c.format;
        EXPECT_NEAR(e.declination, centre.second, c.decDegrees) << c.format;
    }
    SetWord(kPrefRaFormat, 1);
    SetWord(kPrefDecFormat, 1);
}

// Cancel adds nothing, yet the chart is drawn again; the next accepted input
// takes the next number.
TEST_F(ChartManualInput, CancelAddsNothingAndTheNumbersRunOn) {
    Start();
    Open();
    Input(kChartManualRaDec, kOk);
    EXPECT_EQ(Current().number, 30000);
    const int count = selectionCount;
    Ui([] { chartState.chartSelectionIndex = -7; });
    Input(kChartManualAltAz, kCancel);
    EXPECT_EQ(selectionCount, count);
    EXPECT_EQ(chartState.chartSelectionIndex, selectionCurrentRow);  // as the redraw leaves it
    Input(kChartManualRaDec, kOk);
    EXPECT_EQ(Current().number, 30001);
}

// Alt/Az: Ok on the untouched fields keeps the centre's right ascension and
// declination within 0.01 degree; azimuth 180, altitude 45 at latitude 51 is
// on the meridian at declination 51 - 45 = 6 degrees, right ascension the
// sidereal time (8 h 06.4 min by Meeus, eq. 12.4).
TEST_F(ChartManualInput, AltAzBecomesRightAscensionAndDeclination) {
    Start();
    Open();
    const auto centre = CentreRaDec();
    Input(kChartManualAltAz, kOk);
    EXPECT_NEAR(Current().rightAscension * 15.0, centre.first * 15.0, 0.01);
    EXPECT_NEAR(Current().declination, centre.second, 0.01);
    Input(kChartManualAltAz, kOk, "180", "45");
    EXPECT_NEAR(Current().declination, 6.0, 0.01);
    EXPECT_NEAR(Current().rightAscension, chartTimeRecord.lstHours, 0.01 / 15);
    EXPECT_NEAR(Current().rightAscension, kLstHours, 0.01);
    EXPECT_EQ(Current().number, 30001);
}

// A coordinate out of its range, typed into the field, is refused at Ok with
// one box; the dialog stays open with the text, and Cancel adds nothing (RA
// 30 h and Dec 100 degrees became list entries). 24 h is the next day's 0 h,
// and 23:59:59.999 becomes 24 h in the float the entry keeps: both refused.
// The ends of the ranges pass.
TEST_F(ChartManualInput, OutOfRangeCoordinatesAreRefusedOnce) {
    Start();
    Open();
    const struct {
        int button;
        const char *first, *second, *box;
    } cases[] = {{kChartManualRaDec, "30:00:00", nullptr, "RA must be at least 0 and below 24 h"},
                 {kChartManualRaDec, "24:00:00", nullptr, "RA must be at least 0 and below 24 h"},
                 {kChartManualRaDec, "23:59:59.999", nullptr, "RA must be at least 0 and below 24 h"},
                 {kChartManualRaDec, nullptr, "100", "Dec must be between -90 and 90\xB0"},
                 {kChartManualAltAz, "360:00:01", nullptr, "Az must be between 0 and 360\xB0"},
                 {kChartManualAltAz, nullptr, "-91", "Alt must be between -90 and 90\xB0"}};
    const int count = selectionCount;
    for (const auto& c : cases) {
        Input(c.button, kOk, c.first, c.second);
        EXPECT_EQ(BoxCount(), 1);
        EXPECT_EQ(BoxText(), std::string(c.box) + "\nAs 12:30:00 or 12.5");
        AnswerAll();
        const pl::Hwnd dialog = pl::GetActiveWindow();
        EXPECT_EQ(pl::GetDlgItemText(dialog, c.first ? kFirstField : kSecondField), c.first ? c.first : c.second);
        Ui([dialog] { pl::SendMessage(dialog, pl::WM_COMMAND, kCancel, 0); });
        EXPECT_EQ(BoxCount(), 0);
        EXPECT_EQ(selectionCount, count) << c.box;
    }
    Input(kChartManualRaDec, kOk, "23:59:59", "+90");
    EXPECT_EQ(Current().number, 30000);
}

// RA 23:59:59 typed is kept; an Alt/Az place whose right ascension comes to
// 3e-7 h short of 24 h (the float rounds it to 24) is kept as 0 h. The next
// start reads both back (an entry at 24 h was dropped as damaged).
TEST_F(ChartManualInput, RightAscensionOf24HoursIsNeverKept) {
    Start();
    Open();
    // The right ascension kept for entry `number`, -1 when it is not listed.
    auto kept = [](int32_t number) {
        for (int i = 0; i < selectionCount; ++i)
            if (selectionList[i].number == number) return selectionList[i].rightAscension;
        return -1.0f;
    };
    Input(kChartManualRaDec, kOk, "23:59:59", "60");
    const float lastSecond = static_cast<float>(23 + 59 / 60.0 + 59 / 3600.0);
    EXPECT_EQ(kept(30000), lastSecond);
    double lst = 0, latitude = 0, az = 0, alt = 0;
    Ui([&] {
        lst = chartTimeRecord.lstHours;
        latitude = std::atan2(currentSite.sinLatitude, currentSite.cosLatitude) / kDegToRad;
    });
    MeeusHorizon(lst, 24.0 - 3e-7, 60.0, latitude, &az, &alt);
    char azText[16], altText[16];
    std::snprintf(azText, sizeof azText, "%.10f", az);
    std::snprintf(altText, sizeof altText, "%.10f", alt);
    Input(kChartManualAltAz, kOk, azText, altText);
    EXPECT_EQ(kept(30001), 0.0f);
    QuitProgram();
    ASSERT_EQ(AllocSelectionList(), 1);
    LoadUserList("last_list.lst", 0);
    const std::pair<float, float> read{kept(30000), kept(30001)};
    FreeSelectionList();
    EXPECT_EQ(read, std::make_pair(lastSecond, 0.0f));
}

}  // namespace
