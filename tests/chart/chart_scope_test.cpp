// The telescope popup of the sky chart (list 1912) and its goto button in the
// running program (the sky of sky_chart_fixture.h) with the simulated Meade
// mount: goto and its position modes, Improve Pointing, the telescope's place
// on the chart, the marker mode, the forms the rows open, the sync.
#include "chart/chart_scope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "chart/sphere_projection.h"
#include "core/program_hooks.h"
#include "platform/dialog.h"
#include "scope/serial_link.h"
#include "scope_chart_fixture.h"
#include "support/both_screens.h"
#include "support/reference_table.h"
#include "support/scripted_serial.h"
#include "ui/saved_screen.h"

namespace {

using namespace sky_chart_test;

constexpr int kCentreX = 120, kCentreY = 160;
constexpr int kTwoStarRow = 0, kNStarRow = 1, kGotoRow = 2, kGetScopeRow = 3, kAssistantRow = 4,
              kMarkerRow = 5, kImproveRow = 6, kChangeScopeRow = 7, kSyncRow = 8;
constexpr int kTypePlanet = 27, kTypeNebula = 19, kTypeStar = 30;
constexpr int kBBox = 3;

// The forms asked for (GotoForm asks the form table whether it can open one).
std::vector<int> askedForms;
FormCanOpenHook formTable = nullptr;
bool RecordAskedForm(int formId) {
    askedForms.push_back(formId);
    return formTable ? formTable(formId) : true;
}

class ChartScope : public ScopeChartTest {
protected:
    void Row(int row) { Choose(kChartScopeTrigger, kChartScopeList, row); }
    void RecordAskedForms() {
        Ui([] {
            askedForms.clear();
            formTable = InstallFormCanOpenHook(RecordAskedForm);
        });
    }
    std::vector<int> AskedForms() {
        std::vector<int> forms;
        Ui([&forms] { forms.swap(askedForms); });
        return forms;
    }
    // The chart drawn again and kept as the form's picture, as its commands leave it.
    void RedrawShown() {
        Ui([] {
            InitDrawWindowOwnDc(GetCurrentFormDialog());
            RedrawSkyChart();
            SaveScreen();
        });
    }
    // The chart open on `entries` with row `row` current, at zoom 5.
    void OpenWith(const std::vector<SelectionEntry>& entries, int row) {
        Put(entries, row);
        SetWord(kPrefChartZoom, 5);
        Open();
    }
    // The apparent place of date of a J2000 place, topocentric and refracted,
    // at the device clock (what a goto of mode 3 sends).
    static std::pair<double, double> Apparent(double ra, double dec) {
        double r = 0, d = 0, alt = 0, az = 0;
        ComputeApparentAltAz(ra, dec, &r, &d, &alt, &az, 3, 2024, 3, 5, 21, 10, 0);
        return {r, d};
    }
    static double Arcsec(std::pair<double, double> a, std::pair<double, double> b) {
        return SeparationArcsec(a.first, a.second, b.first, b.second);
    }
};

// Goto from the button 1892 and from row 2: the Sun is refused and the mount
// stays at rest; a nebula of designation 0 (a place of date) ends where it
// is; a galaxy and a star (J2000) end at their apparent topocentric place of
// date. The bodies and comets of the list go to their place at the device
// clock (TheTelescopeTakesTheBodyWhereItIsByTheDeviceClock).
TEST_F(ChartScope, GotoSendsEachKindInItsPositionMode) {
    Start();
    const auto high = PlaceAt(150, 50);
    const float ra = high.first, dec = high.second;
    const struct {
        const char* name;
        int designation, number, type;
        bool ofDate, byButton;
    } cases[] = {
        {"Nebula", 0, 3, kTypeNebula, true, false},
        {"NGC 224", kDesignationNgc, 224, kTypeNebula, false, true},
        {"Vega", kDesignationBrightStar, 12, kTypeStar, false, false},
    };
    OpenWith({Entry("Start", kDesignationNgc, 1, 2, ra, dec)}, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drive();
        Ui([] { scopeActive = 1; });
        Put({Entry(c.name, c.designation, c.number, c.type, ra, dec)}, 0);
        RedrawShown();
        ASSERT_EQ(std::string(chartSelection.name), c.name);
        if (c.byButton) FormCommand(kChartGoto);
        else Row(kGotoRow);
        EXPECT_EQ(TakeBox(), "");
        const auto expected = c.ofDate ? std::pair<double, double>(ra, dec) : Apparent(ra, dec);
        EXPECT_LT(Arcsec(MountAtRest(), expected), 0.5);
    }
    Drive();
    Put({Entry("Sun", kDesignationPlanet, 0, kTypePlanet, ra, dec)}, 0);
    RedrawShown();
    const auto before = ScreenSample(3);
    Row(kGotoRow);
    EXPECT_EQ(TakeBox(), "Sorry, GoTo to Sun is disable.\n");
    EXPECT_EQ(ScreenSample(3), before);
    EXPECT_EQ(MountAtRest(), (std::pair<double, double>(0.0, 0.0)));
    EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);
}

// A goto that the mount takes asks for the scope control form, which opens
// in place of the chart with no box.
TEST_F(ChartScope, ASuccessfulGotoAsksForTheScopeForm) {
    Start();
    const auto high = PlaceAt(150, 50);
    OpenWith({Entry("NGC 1", kDesignationNgc, 1, 2, high.first, high.second)}, 0);
    Drive();
    RecordAskedForms();
    FormCommand(kChartGoto);
    EXPECT_EQ(scopeFormRequested, 1);
    EXPECT_EQ(AskedForms(), std::vector<int>{2400});
    EXPECT_EQ(TakeBox(), "");
    EXPECT_EQ(GetCurrentFormId(), 2400);
}

// Improve Pointing with the source "External" and EQ output: without a row,
// its message; without a drive, the entry's reading is its own apparent place
// (mode 3, device clock: RA x 15 and Dec), so the refit leaves no correction;
// with the simulated mount 0.5 deg east of it, the reading is the mount's and
// the refit's index error of axis 1 is that half degree. The name keeps 9
// characters.
TEST_F(ChartScope, ImprovePointingTakesTheSelectionAsAReferenceStar) {
    Start();
    const auto place = PlaceAt(200, 45);
    OpenWith({Entry("Andromeda Gx", kDesignationNgc, 224, 2, place.first, place.second)}, -1);
    Drive(0);
    Row(kImproveRow);
    EXPECT_EQ(TakeBox(), "No Object or Star selected.\n");
    EXPECT_EQ(alignmentStarCount, 0);

    Ui([] { selectionCurrentRow = 0; });
    RedrawShown();
    Row(kImproveRow);
    EXPECT_EQ(TakeBox(), "");
    ASSERT_EQ(alignmentStarCount, 1);
    const AlignmentStar& e = GetAlignmentStarList()[0];
    const auto apparent = Apparent(place.first, place.second);
    EXPECT_EQ(std::string(e.name), "Andromeda");
    EXPECT_EQ(e.index, 224);
    EXPECT_EQ(e.kind, kDesignationNgc);
    EXPECT_NEAR(e.measured1, apparent.first * 15.0, 1e-9);
    EXPECT_NEAR(e.measured2, apparent.second, 1e-9);
    EXPECT_NEAR(e.ra, apparent.first * 15.0, 1e-9);
    EXPECT_NEAR(pointingCoefficients[0], 0.0, 1e-12);

    Drive(kMeadeLx200Gps);
    MountAt({apparent.first + 0.5 / 15.0, apparent.second});
    Row(kImproveRow);
    EXPECT_EQ(TakeBox(), "");
    ASSERT_EQ(alignmentStarCount, 1);
    EXPECT_NEAR(GetAlignmentStarList()[0].measured1, apparent.first * 15.0 + 0.5, 1e-6);
    EXPECT_NEAR(pointingCoefficients[0], 0.5 * 3.14159265358979323846 / 180.0, 1e-8);
}

// With the program's own alignment source and no two-star alignment the
// reference star's predicted place is 0, 0 and the list refuses it.
TEST_F(ChartScope, ImprovePointingWithoutAnAlignmentIsRefused) {
    Start();
    const auto place = PlaceAt(200, 45);
    OpenWith({Entry("Target", kDesignationNgc, 5, 2, place.first, place.second)}, 0);
    Drive(0);
    SetWord(kPrefAlignMethod, 0);
    Row(kImproveRow);
    EXPECT_EQ(TakeBox(), "Please do 2 stars alignment first.\n");
    EXPECT_EQ(alignmentStarCount, 0);
    for (double p : {improvePointingStar.reading1, improvePointingStar.reading2, improvePointingStar.model1,
                     improvePointingStar.model2, improvePointingStar.corrected1, improvePointingStar.corrected2})
        EXPECT_EQ(p, 0.0);
    EXPECT_EQ(std::string(improvePointingStar.name), "Target");
}

// "Get Scope RA&Dec": without a drive its message; a mount below the horizon
// leaves the chart as it is with its two-line message; a mount on a listed
// object makes that object the selection, in the chart's centre.
TEST_F(ChartScope, GetScopePositionCentresTheChartOnTheTelescope) {
    Start();
    const auto other = PlaceAt(120, 70);
    OpenOnCentreAnd(PlaceAt(180, 60), "Other", other, 5);
    Drive(0);
    Row(kGetScopeRow);
    EXPECT_EQ(TakeBox(), "No drive selected.\n");

    Drive();
    MountAt(OfDate(PlaceAt(10, -20)));
    const auto before = ScreenSample(3);
    const ObjectRecord selection = chartSelection;
    Row(kGetScopeRow);
    EXPECT_EQ(TakeBox(), "Your scope doesn't seem to point to the sky\nCheck your location information and current time.");
    EXPECT_EQ(ScreenSample(3), before);
    EXPECT_EQ(chartSelection.rightAscension, selection.rightAscension);
    EXPECT_EQ(selectionCurrentRow, 0);

    MountAt(OfDate(other));
    Row(kGetScopeRow);
    EXPECT_EQ(TakeBox(), "");
    ASSERT_GE(selectionCurrentRow, 0);
    EXPECT_EQ(std::string(selectionList[GetSelectionIndex(selectionCurrentRow)].name), "Other");
    EXPECT_LE(std::abs(selectionList[1].screenX - kCentreX), 1);
    EXPECT_LE(std::abs(selectionList[1].screenY - kCentreY), 1);
}

// In the Whole Sky the mount at the zenith of date (right ascension the local
// sidereal time, declination the latitude) centres the view on the zenith, and
// the selection becomes that place, a sky point (number -1) turned to J2000:
// the view's frame angles once became its right ascension and declination,
// under the name and type of the object selected before.
TEST_F(ChartScope, GetScopePositionCentresASphereViewOnTheZenith) {
    Start();
    SetWord(kPrefChartType, 2);
    OpenWith({Entry("Before", kDesignationNgc, 1, 2, 1.0f, 10.0f)}, 0);
    Drive();
    MountAt({kLstHours, 51.0});
    Row(kGetScopeRow);
    EXPECT_EQ(TakeBox(), "");
    EXPECT_NEAR(chartRecord.centreLatitude, 90.0, 0.1);
    EXPECT_EQ(selectionCurrentRow, -1);
    double ra = kLstHours, dec = 51.0;
    Ui([&ra, &dec] { MountPlaceToJ2000(&ra, &dec); });
    EXPECT_LT(SeparationArcsec(chartSelection.rightAscension, chartSelection.declination, ra, dec), 1.0);
    EXPECT_EQ(chartSelection.objectType, 0u);
    EXPECT_EQ(chartSelection.number, -1);
    EXPECT_EQ(chartSelection.name[0], '\0');
}

// The marker mode: without a drive the connect's refusal, the mode stays
// off; with the simulated mount it connects, timer 1 runs at 250 ms and
// "Stars" is kept; off again, "Stars" is put back, the telescope is let go and
// the timer runs by the chart's rule again.
TEST_F(ChartScope, TheMarkerModeConnectsAndLetsGo) {
    Start();
    OpenWith({Entry("Centre", kDesignationNgc, 1, 2, PlaceAt(180, 60).first, PlaceAt(180, 60).second)}, 0);
    ASSERT_EQ(chartTimerPeriodMs, 10000u);
    Drive(0);
    Row(kMarkerRow);
    EXPECT_EQ(TakeBox(), "Sorry, no scope drive is selected\n");
    EXPECT_EQ(scopeConnected, 0);
    EXPECT_EQ(chartTimerPeriodMs, 10000u);

    Drive();
    SetWord(kPrefStars, 2);
    Row(kMarkerRow);
    EXPECT_EQ(TakeBox(), "");
    EXPECT_EQ(scopeConnected, 1);
    EXPECT_EQ(chartTimerPeriodMs, 250u);
    SetWord(kPrefStars, 0);
    Row(kMarkerRow);
    EXPECT_EQ(scopeConnected, 0);
    EXPECT_EQ(preferences.word[kPrefStars], 2);
    EXPECT_EQ(chartTimerPeriodMs, 10000u);
}

// Rows 0 and 1 open the 2-star and the N-star alignment forms, whose Ok comes
// back to the chart; row 4 opens nothing without a drive, and for an encoder
// box first clears its pending target, then opens the scope control form;
// row 7 clears the serial flag and opens preference page 1.
TEST_F(ChartScope, RowsOpenTheirForms) {
    Start();
    const struct {
        int row, form;
    } forms[] = {{kTwoStarRow, 1300}, {kNStarRow, 2100}};
    OpenWith({}, -1);
    RecordAskedForms();
    for (const auto& f : forms) {
        Row(f.row);
        EXPECT_EQ(AskedForms(), std::vector<int>{f.form});
        // The 2-star and the N-star forms open; the Ok of each comes back to the chart.
        EXPECT_EQ(TakeBox(), "");
        EXPECT_EQ(GetCurrentFormId(), f.form);
        FormCommand(f.form == 1300 ? 1319 : 2116);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId);
        AskedForms();
    }
    Drive(0);
    Row(kAssistantRow);
    EXPECT_EQ(TakeBox(), "Sorry, no scope drive is selected\n");
    EXPECT_EQ(AskedForms(), std::vector<int>{});
    EXPECT_EQ(GetCurrentFormId(), kSkyChartFormId);

    Drive(kBBox);
    Ui([] { SetPendingScopeTarget(5.0, 20.0); });
    Row(kAssistantRow);
    EXPECT_EQ(pendingScopeTarget.ra, 0.0);
    EXPECT_EQ(pendingScopeTarget.dec, -100.0);
    EXPECT_EQ(AskedForms(), std::vector<int>{2400});
    EXPECT_EQ(TakeBox(), "");
    EXPECT_EQ(GetCurrentFormId(), 2400);

    OpenWith({}, -1);
    Ui([] { serialPortState.status = 3; });
    Row(kChangeScopeRow);
    EXPECT_EQ(serialPortState.status, 0);
    EXPECT_EQ(GetCurrentFormId(), 1400);
}

// Sync Coord: the mount takes the chart centre's apparent place of date, reads
// it back, and the cross lands on the centre.
TEST_F(ChartScope, SyncPutsTheMountOnTheChartsCentre) {
    Start();
    const auto centre = PlaceAt(180, 60);
    OpenWith({Entry("Centre", kDesignationNgc, 1, 2, centre.first, centre.second)}, 0);
    Drive();
    Row(kSyncRow);
    EXPECT_EQ(TakeBox(), "");
    EXPECT_LT(Arcsec(MountAtRest(), Apparent(centre.first, centre.second)), 0.5);
    int drawn = 0;
    Ui([&drawn] {
        scopeConnected = 1;
        InitDrawWindowOwnDc(GetCurrentFormDialog());
        drawn = DrawScopeMarker(0.0f, 0.0f);
    });
    EXPECT_EQ(drawn, 1);
    EXPECT_LE(std::abs(markerX - kCentreX), 1);
    EXPECT_LE(std::abs(markerY - kCentreY), 1);
}

// The chart on each screen at the device clock of a row of chart_scope_clock_pyephem.csv
// (rows 0, 1: case clock; 2..5: horizon), showing its chart time 10 days on, with the
// row's body or J2000 point current.
class ChartScopeScreens : public OnBothScreens<ChartScope> {
protected:
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "chart_scope_clock_pyephem.csv");
    void ShowRow(std::size_t i, int view) {
        auto at = [this, i](const std::string& p) {
            auto get = [&](const char* column) { return static_cast<int>(ref.Get(i, p + column)); };
            return pl::LocalTime{get("year"), get("month"), get("day"), get("hour"), get("minute"), 0};
        };
        const int body = static_cast<int>(ref.Get(i, "body"));
        const bool point = body < 0;  // a body starts at 0 h, 0 deg: the list's refresh places it
        SelectionEntry e = Entry("Object", point ? kDesignationNgc : kDesignationPlanet, body, point ? 2 : kTypePlanet,
                                 point ? ref.Get(i, "ra_h") : 0.0, point ? ref.Get(i, "dec_deg") : 0.0);
        e.sourceIndex = static_cast<uint16_t>(body);
        const pl::LocalTime c = at("chart_");
        harness.setLocalTime(at(""));
        Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
        Put({e}, 0);
        Ui([c] {
            currentDateTime = DateTime{c.year, c.month, c.day, c.hour, c.minute, 0}, dateTimeFixed = 1;
            RestartChartTime();
            RefreshMovingSelectionEntries(c.year, c.month, c.day, c.hour, c.minute, 0);
        });
        RedrawShown();
    }
    // Row `row` of the telescope popup (-1: the goto key) to the LX200, simulated or on the line.
    void Command(int row, bool simulated) {
        Drive(kMeadeLx200Gps, simulated);
        Ui([] { scopeActive = 1; });
        row < 0 ? FormCommand(kChartGoto) : Row(row);
    }
};

// Goto by row and key, Sync in the Sky Map and the Whole Sky on the Moon and
// Jupiter: the simulated LX200 gets the place at the device clock within 1',
// the list keeps the chart time's. They once sent that place. (Improve
// Pointing takes a body refracted as a star: tests/scope/scope_target_test.)
TEST_P(ChartScopeScreens, TheTelescopeTakesTheBodyWhereItIsByTheDeviceClock) {
    Start(GetParam().width, GetParam().height, GetParam().dpi);
    OpenWith({}, -1);
    ASSERT_EQ(ref.rows.size(), 6u);
    const struct { int row, view; } paths[] = {{kGotoRow, 0}, {-1, 0}, {kSyncRow, 0}, {kSyncRow, 2}};
    for (std::size_t i = 0; i < ref.rows.size() && ref.Text(i, "case") == "clock"; ++i)
        for (const auto& p : paths) {
            SCOPED_TRACE(::testing::Message() << "body " << ref.Get(i, "body") << " row " << p.row << " in " << p.view);
            ShowRow(i, p.view);
            const std::pair<float, float> kept{selectionList[0].rightAscension, selectionList[0].declination};
            Command(p.row, true);
            EXPECT_EQ(TakeBox(), "");
            const auto sent = MountAtRest();
            EXPECT_LT(Arcsec(sent, {ref.Get(i, "ra_h"), ref.Get(i, "dec_deg")}), 60.0);
            EXPECT_EQ(kept, std::pair(selectionList[0].rightAscension, selectionList[0].declination));
        }
}

// Goto by row and key on points at -10 and +1 degrees and on the Moon, up at
// the chart's time but at -10 degrees by the device clock: object
// information's one message, nothing on the serial line; at +20 degrees sent.
TEST_P(ChartScopeScreens, GotoBelowTheHorizonIsRefusedAndSendsNothing) {
    Start(GetParam().width, GetParam().height, GetParam().dpi);
    OpenWith({}, -1);
    ASSERT_EQ(ref.rows.size(), 6u);
    for (std::size_t i = 2; i < ref.rows.size(); ++i)
        for (int row : {kGotoRow, -1}) {
            const bool sent = ref.Get(i, "alt_deg") > 2.0;
            SCOPED_TRACE(::testing::Message() << "altitude " << ref.Get(i, "alt_deg") << " row " << row);
            ShowRow(i, 0);
            ScriptedSerial line;
            for (const char* reply : {"+45\xDF" "30'15#", "1", "1", "0"}) line.Reply(reply);
            Command(row, false);
            EXPECT_EQ(BoxCount(), sent ? 0 : 1);
            EXPECT_EQ(TakeBox(), sent ? "" : "This object is below the horizon\n");
            EXPECT_EQ(line.opens > 0 && line.written.find("#:MS#") != std::string::npos, sent) << line.written;
            Ui([] { ScopeDisconnect(); });
        }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ChartScopeScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
