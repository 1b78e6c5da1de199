// The Moon, Mars, Jupiter and a comet of an observing list made on 17 January 2027, used at
// London on 16 February 2027 21:10 by the device clock, against PyEphem
// (scripts/reference/list_bodies_pyephem.py): the charts take them where they are then.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "catalog/comet_satellite_db.h"
#include "catalog/designations.h"
#include "catalog/memo.h"
#include "catalog/object_lookup.h"
#include "catalog/record_db.h"
#include "catalog/user_lists.h"
#include "chart/compass_form.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/julian_day.h"
#include "ephemeris/planet_names.h"
#include "objects/list_panel_view.h"
#include "objects/observing_list_form.h"
#include "objects/selection_add.h"
#include "objects/selection_search.h"
#include "sky_chart_fixture.h"
#include "support/reference_table.h"
#include "tools/day_night_form.h"

namespace {

using namespace sky_chart_test;

const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "list_bodies_pyephem.csv");
constexpr std::size_t kEarlier = 0, kLater = 4, kListed = 4, kMercury = 8, kClock = 9;  // rows of the table
enum Path { kKept, kLoad, kMemo, kFinder, kSearch, kAfter1600AndNow };

// The entry of table row r at its place there, as the finder or the search makes it.
SelectionEntry EntryOf(std::size_t r) {
    const int number = int(ref.Get(r, "number"));
    const bool body = int(ref.Get(r, "designation")) == kDesignationPlanet;
    SelectionEntry e = ListEntry(body ? planetNameTable[number] : "C/2027 Z1", body ? kDesignationPlanet
                                 : kDesignationComet, number, body ? 27 : 13, float(ref.Get(r, "ra_h")),
                                 float(ref.Get(r, "dec_deg")));
    e.source = body ? kSourcePlanet : kSourceComet, e.sourceIndex = uint16_t(number);
    return e;
}

// A list file of the earlier rows (dated then) and `others` user objects after them.
std::string ListFile(int others) {
    std::string file(kUserListHeaderSize, '\0');
    const int32_t words[] = {2027, 1, 17, 21, 10, int32_t(kListed) + others};
    for (int k = 0; k < 6; ++k) StoreU32(reinterpret_cast<uint8_t*>(file.data()), 44 + 4 * k, uint32_t(words[k]));
    for (int i = 0; i < int(kListed) + others; ++i) {
        uint8_t bytes[kSelectionEntrySize];
        StoreSelectionEntry(i < int(kListed) ? EntryOf(i) : ListEntry("Own", kDesignationUser, i, 16, 1.0f, 10.0f), bytes);
        file.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    return file;
}

class ListBodies : public SkyChartTest, public ::testing::WithParamInterface<std::tuple<ChartScreen, Path>> {
protected:
    // The comet of the reference script and the list files, then the program started at the later time.
    void StartLater(Path path) {
        WriteDefaultStars(folder.path());
        CometRecord c{};
        c.kind = 13, c.year = 2027, c.month = 3, c.day = 10.0f, c.perihelionDistance = 1.1f, c.eccentricity = 0.8f;
        c.argPerihelion = 60.0f, c.node = 90.0f, c.inclination = 40.0f, c.absoluteMagnitude = 8.0f, c.slope = 10.0f;
        WriteFile(folder.path() / "data" / "zendavori_comet.ppc", record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(c)}));
        std::ofstream(folder.path() / "userlists" / "earlier.lst", std::ios::binary) << ListFile(0);
        if (path == kKept) std::ofstream(folder.path() / "userlists" / "last_list.lst", std::ios::binary) << ListFile(30);
        const ChartScreen& s = std::get<0>(GetParam());
        Boot(s.width, s.height, s.dpi, {2027, 2, 16, 21, 10, 0});
        AnswerAll();  // a kept list cut at its load says so
        Ui([] { SetTestSite(51.5074, 0.1278, 0); });
    }
    static int Position(std::size_t r) {
        for (int i = 0; i < selectionCount; ++i)
            if (selectionList[i].designation == ref.Get(r, "designation") && selectionList[i].number == ref.Get(r, "number")) return i;
        return -1;
    }
    // The entry's mark, the view's centre and the view's point of row r's place.
    std::array<pl::Point, 3> Points(int p, std::size_t r) {
        std::array<pl::Point, 3> points{};
        Ui([&] {
            const SelectionEntry& e = selectionList[p];
            const float ra = float(ref.Get(r, "ra_h")), dec = float(ref.Get(r, "dec_deg"));
            int32_t a = 0, b = 0, s = 0;
            points[0] = {e.screenX, e.screenY};
            if (chartView >= 2) points[0] = {e.screenX + chartRecord.viewRect.x, e.screenY + chartRecord.viewRect.y};
            if (chartView < 2) {
                ProjectHorizonPlace(chartTimeRecord.lstHours, ra, dec, e.designation, &a, &b);
                HorizonPointToScreen(a, b, &points[2].x, &points[2].y);
                points[1] = {chartState.chartWidth / 2, chartState.chartHeight / 2};
                return;
            }
            const SphereFrame f = MakeSphereFrame(skyMapView);
            ProjectListPlace(ra, dec, e.designation, &a, &b, &s);
            const SpherePoint point = SphereForward(f, a, b, s);
            points[1] = {f.cx, f.cy}, points[2] = {point.x, point.y};
        });
        return points;
    }
    // Each entry up at the later time, chosen in every view at 30 degrees: near its place then, drawn
    // where the view draws that place, in the view's centre.
    void CheckChart() {
        Open();
        for (std::size_t r = kLater; r < kLater + kListed; ++r) {
            ASSERT_GE(Position(r), 0) << r;
            const SelectionEntry& e = selectionList[Position(r)];
            EXPECT_LT(SeparationArcsec(e.rightAscension, e.declination, ref.Get(r, "ra_h"), ref.Get(r, "dec_deg")),
                      r == kLater ? 60.0 : 120.0) << e.name;
        }
        for (int view = 0; view < 5; ++view) {
            Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
            Zoom(6);
            for (std::size_t r = kLater; r < kLater + kListed; ++r) {
                Choose(kChartObjectTrigger, kChartObjectList, FindSelectionIndex(Position(r)));
                const std::array<pl::Point, 3> q = Points(Position(r), r);
                for (int k : {1, 2})
                    EXPECT_LE(std::max(std::abs(q[k].x - q[0].x), std::abs(q[k].y - q[0].y)), 1) << r << " view " << view;
            }
        }
    }
    // The compass chart's texts of each listed body: the reference rounded to the whole degree.
    void CheckCompass() {
        MainCommand(40015);
        for (std::size_t r = kLater; r <= kMercury; ++r) {
            if (Position(r) < 0) continue;
            Choose(2837, 2838, FindSelectionIndex(Position(r)));
            char texts[40];
            std::snprintf(texts, sizeof texts, "Alt %ld\xB0 Az %ld\xB0", std::lround(ref.Get(r, "alt_deg")),
                          std::lround(ref.Get(r, "az_deg")));
            EXPECT_EQ(std::string(compassChartState.altitudeText) + " " + compassChartState.azimuthText, texts) << r;
        }
    }
    // The place texts of the list form (its own, criteria, time) for every row.
    std::string ListTexts() {
        std::string texts;
        Ui([] { GotoForm(kObservingListFormId); });
        Ui([&texts] {
            for (int row = 0; row < selectionShownCount; ++row, texts += "|")
                UpdateListPanel(row), texts += pl::GetDlgItemText(GetCurrentFormDialog(), 1804) + pl::GetDlgItemText(GetCurrentFormDialog(), 1805);
        });
        return texts;
    }
};

// Each path to a list made on an earlier night: the compass chart (texts) and the sky chart (places,
// marks, centring) take its bodies at the chart's time, the list form still shows its own time's
// places, a finder entry keeps its place through a refresh, and a kept list cut at its load is not
// saved over. The charts once drew, told and centred the places of the night the list was made.
TEST_P(ListBodies, BodiesOfAnEarlierListAreWhereTheyAreAtTheChartsTime) {
    const Path path = std::get<1>(GetParam());
    StartLater(path);
    Ui([path] {
        if (path == kLoad || path == kAfter1600AndNow) LoadUserList("earlier.lst", 0);
        std::string memo;
        for (std::size_t r = kEarlier; path == kMemo && r < kEarlier + kListed; ++r) {
            const SelectionEntry e = EntryOf(r);
            char line[256] = "";
            FormatListLine(line, sizeof line, &e);
            memo += line;
        }
        if (path == kMemo) ImportMemoText(memo.c_str());
        preferences.word[kPrefPositionMode] = 0;  // geocentric: the finder's place is not the list's
        for (std::size_t r = kEarlier; path == kFinder && r < kEarlier + kListed; ++r) {
            ObjectRecord rec{};
            GetObjectByKind(int(ref.Get(r, "designation")), int(ref.Get(r, "number")), &rec, nullptr, 0, nullptr, 0, 1, nullptr);
            AddObjectToSelection(&rec, -1);
        }
        SelectionCriteria& c = selectionCriteria;
        if (path == kSearch) {
            c.year = 2027, c.month = 1, c.day = 17, c.hour = 21, c.minute = 10;
            for (int catalogue : {kDesignationPlanet, kDesignationComet}) PrepareSelection(0, catalogue, 0), BuildSelectionList();
        }
    });
    if (path == kAfter1600AndNow) {
        ObjectRecord mercury{};
        Ui([&mercury] { GetObjectByKind(kDesignationPlanet, 2, &mercury, nullptr, 0, nullptr, 0, 1, nullptr), AddObjectToSelection(&mercury, -1), chartView = 2; });
        Ui([] { SetCurrentDateTime(1600, 1, 1, 21, 10, 0), dateTimeFixed = 1, RestartChartTime(); });
        Open();
        Ui([] { GotoForm(kDayNightForm); });
        FormCommand(kDayNightNow);
    }
    const std::vector<SelectionEntry> made(selectionList, selectionList + selectionCount);
    const SelectionCriteria own = selectionCriteria;
    const std::string listed = ListTexts();
    Ui([] { RestartChartTime(); });  // the list form took the list's own time: the device's again
    const bool compassFirst = path == kLoad || path == kFinder || path == kAfter1600AndNow;
    if (compassFirst) CheckCompass();
    CheckChart();
    if (!compassFirst) CheckCompass();
    for (std::size_t i = 0; path == kFinder && i < made.size(); ++i)
        EXPECT_LT(SeparationArcsec(made[i].rightAscension, made[i].declination, selectionList[i].rightAscension, selectionList[i].declination), 1.0) << made[i].name;
    Ui([own] { selectionCriteria = own; });  // the list's own time, which the chart's opening made its own
    EXPECT_EQ(ListTexts(), listed);
    if (path != kKept) return;
    QuitProgram();
    std::ifstream kept(folder.path() / "userlists" / "last_list.lst", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), ListFile(30));
}

INSTANTIATE_TEST_SUITE_P(PathsOnBothScreens, ListBodies,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens),
                                            ::testing::Values(kKept, kLoad, kMemo, kFinder, kSearch, kAfter1600AndNow)));

// The chart clock running for an hour moves the Moon with it at every step (it once stayed on the stars).
class RunningClock : public ListBodies {};
TEST_P(RunningClock, MoonFollowsTheChartClockStepByStep) {
    StartLater(kLoad);
    Ui([] { LoadUserList("earlier.lst", 0); });
    Open();
    for (std::size_t r = kClock; r < ref.rows.size(); ++r) {
        harness.advance(120000);
        ASSERT_EQ(currentDateTime.minute, ref.Get(r, "minute"));
        const SelectionEntry& moon = selectionList[Position(r)];
        EXPECT_LT(SeparationArcsec(moon.rightAscension, moon.declination, ref.Get(r, "ra_h"), ref.Get(r, "dec_deg")), 60.0) << r;
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, RunningClock,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens), ::testing::Values(kLoad)));

}  // namespace
