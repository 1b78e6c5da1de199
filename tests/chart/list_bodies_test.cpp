// The Moon, Mars, Jupiter and a comet of a list made on 17 January 2027, used at London on 16 February
// 2027 21:10 by the device clock, against PyEphem (scripts/reference/list_bodies_pyephem.py).
#include "catalog/memo.h"
#include "catalog/object_lookup.h"
#include "catalog/user_lists.h"
#include "chart/compass_form.h"
#include "core/julian_day.h"
#include "ephemeris/planet_names.h"
#include "objects/list_panel.h"
#include "objects/selection_add.h"
#include "objects/selection_search.h"
#include "sky_chart_fixture.h"
#include "support/reference_table.h"
#include "tools/day_night_form.h"

namespace {

using namespace sky_chart_test;

const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "list_bodies_pyephem.csv");
enum Path { kKept, kLoad, kMemo, kFinder, kSearch, kAfter1600AndNow, kAfter1600AndCompassNow };
double Get(std::size_t r, const char* column) { return ref.Get(r, column); }
int Listed(std::size_t r) {  // rows 0..3 earlier, 4..8 later (with Mercury), 9.. the clock's
    for (int i = 0; i < selectionCount; ++i)
        if (selectionList[i].designation == Get(r, "designation") && selectionList[i].number == Get(r, "number"))
            return i;
    return selectionCount;
}
double Off(std::size_t r) {  // arcseconds from row r's place
    const SelectionEntry& e = selectionList[Listed(r)];
    return SeparationArcsec(e.rightAscension, e.declination, Get(r, "ra_h"), Get(r, "dec_deg"));
}

// The earlier rows as the finder lists them, then `others` user objects, as a list file of that time.
std::string ListFile(int others) {
    std::string file(kUserListHeaderSize + (4 + others) * kSelectionEntrySize, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(file.data());
    for (uint32_t k = 0, words[] = {2027, 1, 17, 21, 10, uint32_t(4 + others)}; k < 6; ++k)
        StoreU32(bytes, 44 + 4 * k, words[k]);
    for (int i = 0; i < 4 + others; ++i) {
        const int n = int(Get(i % 4, "number")), planet = i % 4 < 3;
        SelectionEntry e = ListEntry(planet ? planetNameTable[n] : "C/2027 Z1", planet ? 45 : 12, n, planet ? 27 : 13,
                                     float(Get(i % 4, "ra_h")), float(Get(i % 4, "dec_deg")));
        e.source = uint16_t(planet ? kSourcePlanet : kSourceComet), e.sourceIndex = uint16_t(n);
        StoreSelectionEntry(i < 4 ? e : ListEntry("Own", 63, i, 16, 1.0f, 10.0f), bytes + 68 + 76 * i);
    }
    return file;
}

class ListBodies : public SkyChartTest, public ::testing::WithParamInterface<std::tuple<ChartScreen, Path>> {};

// Every path to a list from an earlier night (kept and cut at its load, Load, Import Memo, the finder in
// geocentric mode, the search, the chart set to 1600 then Day/Night Now or the compass chart's now): the compass
// chart's texts, the places, the Sky Map's popup, centring and sidereal time are of the chart's time (they were of
// the list's night, 1600's), the list form's of its own, a finder entry keeps its place, a cut list is kept and
// the clock moves the Moon.
TEST_P(ListBodies, BodiesOfAnEarlierListAreWhereTheyAreAtTheChartsTime) {
    const auto [screen, path] = GetParam();
    WriteDefaultStars(folder.path());
    CometRecord c{};  // the reference script's comet, named as the list names it
    std::strcpy(c.name, "C/2027 Z1");
    c.kind = 13, c.year = 2027, c.month = 3, c.day = 10.0f, c.perihelionDistance = 1.1f, c.eccentricity = 0.8f;
    c.argPerihelion = 60.0f, c.node = 90.0f, c.inclination = 40.0f, c.absoluteMagnitude = 8.0f, c.slope = 10.0f;
    const record_writer::Bytes comet = record_writer::CometBytes(c);
    WriteFile(folder.path() / "data" / "zendavori_comet.ppc", record_writer::RecordDbBytes(1, 128, {comet}));
    std::ofstream(folder.path() / "userlists" / (path ? "earlier.lst" : "last_list.lst")) << ListFile(path ? 0 : 30);
    Boot(screen.width, screen.height, screen.dpi, {2027, 2, 16, 21, 10, 0});
    AnswerAll();  // the kept list was cut at its load
    Ui([path = path] {
        SetTestSite(51.5074, 0.1278, 0);
        if (path == kLoad || path == kMemo || path >= kAfter1600AndNow) LoadUserList("earlier.lst", 0);
        std::string memo(4096, '\0');
        for (int i = 0; path == kMemo && i < 4; ++i)
            FormatListLine(&memo[std::strlen(memo.data())], 256, &selectionList[i]);
        if (path == kMemo) ImportMemoText(memo.c_str());
        preferences.word[kPrefPositionMode] = 0;  // geocentric: not the list's kind of place
        ObjectRecord rec{};
        for (std::size_t r : {0, 1, 2, 3, 8})
            if (path == kFinder ? r < 8 : path == kAfter1600AndNow && r == 8)
                GetObjectByKind(int(Get(r, "designation")), int(Get(r, "number")), &rec, nullptr, 0, nullptr, 0, 1,
                                nullptr), AddObjectToSelection(&rec, -1);
        if (path == kSearch) SetCurrentDateTime(2027, 1, 17, 21, 10, 0), dateTimeFixed = 1;  // the criteria's time
        for (int catalogue : {45, 12})
            if (path == kSearch) PrepareSelection(0, catalogue, 0), BuildSelectionList();
        dateTimeFixed = 0;
    });
    if (path >= kAfter1600AndNow) {  // the chart's date form set to 1600-01-01, then Now or the compass's now
        Open();
        Ui([] { SetCurrentDateTime(1600, 1, 1, 21, 10, 0), dateTimeFixed = 1, RestartChartTime(); });
        Ui([path = path] { chartView = path == kAfter1600AndNow ? 2 : 0; });  // the Sky Map opens on its last one
        Redraw();
        Ui([path = path] { GotoForm(path == kAfter1600AndNow ? kDayNightForm : kCompassFormId); });
        FormCommand(path == kAfter1600AndNow ? kDayNightNow : 2835);
    }
    const std::vector<SelectionEntry> made(selectionList, selectionList + selectionCount);
    for (int step : {path % 2, 1 - path % 2}) {  // 0 the sky chart, 1 the compass chart: first on odd paths
        for (std::size_t r = 4; step == 1 && r < 9; ++r) {
            if (Listed(r) == selectionCount) continue;
            MainCommand(40015);
            Choose(2837, 2838, FindSelectionIndex(Listed(r)));
            char texts[40];
            std::snprintf(texts, sizeof texts, "Alt %ld\xB0 Az %ld\xB0", std::lround(Get(r, "alt_deg")),
                          std::lround(Get(r, "az_deg")));
            EXPECT_EQ(std::string(compassChartState.altitudeText) + " " + compassChartState.azimuthText, texts) << r;
        }
        for (std::size_t r = 4; step == 0 && r < 8; ++r) {
            if (r == 4) {
                Open();
                EXPECT_NEAR(chartTimeRecord.lstHours, Get(4, "lst_h"), 1.0 / 60);  // the sky of the time shown
                Choose(kChartViewsTrigger, kChartViewsList, 5);
            }
            Choose(kChartObjectTrigger, kChartObjectList, FindSelectionIndex(Listed(r)));
            EXPECT_LT(Off(r), r == 4 ? 60.0 : 120.0) << r;
            const SelectionEntry& e = selectionList[Listed(r)];
            EXPECT_LE(std::max(std::abs(e.screenX - chartState.chartWidth / 2),
                               std::abs(e.screenY - chartState.chartHeight / 2)), 1) << r;
        }
    }
    for (std::size_t i = 0; i < made.size(); ++i)  // the list form's object at the list's time, the finder's place
        Ui([&made, i, path = path] {
            EXPECT_EQ(BuildListPanelObject(selectionList[i], {2027, 1, 17, 21, 10, 0}).record.declination,
                      BuildListPanelObject(made[i], {2027, 1, 17, 21, 10, 0}).record.declination) << i;
            const SelectionEntry &e = selectionList[i], &m = made[i];
            const double moved = SeparationArcsec(m.rightAscension, m.declination, e.rightAscension, e.declination);
            EXPECT_LT(path == kFinder ? moved : 0.0, 1.0) << e.name;
        });
    for (std::size_t r = 9; path == kLoad && r < ref.rows.size(); ++r) {
        harness.advance(120000);
        EXPECT_LT(Off(r), 60.0) << r << " at minute " << currentDateTime.minute;
    }
    if (path != kKept) return;
    QuitProgram();
    std::ifstream kept(folder.path() / "userlists" / "last_list.lst");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), ListFile(30));
}

INSTANTIATE_TEST_SUITE_P(PathsOnBothScreens, ListBodies, ::testing::Combine(::testing::ValuesIn(kChartScreens),
                         ::testing::Values(kKept, kLoad, kMemo, kFinder, kSearch, kAfter1600AndNow,
                                           kAfter1600AndCompassNow)));

}  // namespace
