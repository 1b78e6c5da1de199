// The Moon, Mars, Jupiter and a comet of a list made on 17 January 2027, used at London on 16 February
// 2027 21:10 by the device clock, against PyEphem (scripts/reference/list_bodies_pyephem.py).
#include "catalog/memo.h"
#include "catalog/object_lookup.h"
#include "catalog/user_lists.h"
#include "chart/compass_form.h"
#include "chart/sphere_projection.h"
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
enum Path { kKept, kLoad, kMemo, kFinder, kSearch, kAfter1600AndNow };
double Get(std::size_t r, const char* column) { return ref.Get(r, column); }
double Off(const SelectionEntry& e, std::size_t r) {  // arcseconds from row r's place
    return SeparationArcsec(e.rightAscension, e.declination, Get(r, "ra_h"), Get(r, "dec_deg"));
}
SelectionEntry& Listed(std::size_t r) {  // rows 0..3 earlier, 4..8 later (with Mercury), 9.. the clock's
    for (int i = 0; i < selectionCount; ++i)
        if (selectionList[i].designation == Get(r, "designation") && selectionList[i].number == Get(r, "number"))
            return selectionList[i];
    return selectionList[selectionCount];
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
// geocentric mode, the search, a chart set to 1600 then Day/Night Now): the compass chart's texts and the
// sky chart's places and centred marks in every view are those of the chart's time (they were the list's
// night's), the list form's are of the list's own time, a finder entry keeps its place through a refresh,
// the cut list is not saved over at the quit and the running chart clock moves the Moon at each step.
TEST_P(ListBodies, BodiesOfAnEarlierListAreWhereTheyAreAtTheChartsTime) {
    const auto [screen, path] = GetParam();
    WriteDefaultStars(folder.path());
    CometRecord c{};  // the reference script's comet
    c.kind = 13, c.year = 2027, c.month = 3, c.day = 10.0f, c.perihelionDistance = 1.1f, c.eccentricity = 0.8f;
    c.argPerihelion = 60.0f, c.node = 90.0f, c.inclination = 40.0f, c.absoluteMagnitude = 8.0f, c.slope = 10.0f;
    WriteFile(folder.path() / "data" / "zendavori_comet.ppc",
              record_writer::RecordDbBytes(1, 128, {record_writer::CometBytes(c)}));
    std::ofstream(folder.path() / "userlists" / (path == kKept ? "last_list.lst" : "earlier.lst"))
        << ListFile(path == kKept ? 30 : 0);
    Boot(screen.width, screen.height, screen.dpi, {2027, 2, 16, 21, 10, 0});
    AnswerAll();  // the kept list was cut at its load
    Ui([path = path] {
        SetTestSite(51.5074, 0.1278, 0);
        if (path == kLoad || path == kMemo || path == kAfter1600AndNow) LoadUserList("earlier.lst", 0);
        std::string memo(4096, '\0');
        for (int i = 0; path == kMemo && i < selectionCount; ++i)
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
        if (path == kSearch) dateTimeFixed = 0;  // the device's clock again
    });
    if (path == kAfter1600AndNow) {  // the chart's date set to 1600-01-01 as the date form's Ok does, then Now
        Open();
        Ui([] { SetCurrentDateTime(1600, 1, 1, 21, 10, 0), dateTimeFixed = 1, RestartChartTime(), chartView = 2; });
        Redraw();
        Ui([] { GotoForm(kDayNightForm); });
        FormCommand(kDayNightNow);
    }
    const std::vector<SelectionEntry> made(selectionList, selectionList + selectionCount);
    for (int step : {path % 2, 1 - path % 2}) {  // 0 the sky chart, 1 the compass chart: first on odd paths
        for (std::size_t r = 4; step == 1 && r < 9; ++r) {
            if (&Listed(r) == &selectionList[selectionCount]) continue;
            MainCommand(40015);
            Choose(2837, 2838, FindSelectionIndex(int(&Listed(r) - selectionList)));
            char texts[40];
            std::snprintf(texts, sizeof texts, "Alt %ld\xB0 Az %ld\xB0", std::lround(Get(r, "alt_deg")),
                          std::lround(Get(r, "az_deg")));
            EXPECT_EQ(std::string(compassChartState.altitudeText) + " " + compassChartState.azimuthText, texts) << r;
        }
        if (step == 0) Open();
        for (int view = 0; step == 0 && view < 5; ++view) {
            Choose(kChartViewsTrigger, kChartViewsList, 5 + view);
            Zoom(6);  // 30 degrees: the place's 2' under a pixel
            for (std::size_t r = 4; r < 8; ++r) {
                Choose(kChartObjectTrigger, kChartObjectList, FindSelectionIndex(int(&Listed(r) - selectionList)));
                const SelectionEntry& e = Listed(r);
                const SphereFrame f = MakeSphereFrame(skyMapView);
                const XywhRect& v = chartRecord.viewRect;
                const int x = view < 2 ? chartState.chartWidth / 2 : f.cx - v.x;
                const int y = view < 2 ? chartState.chartHeight / 2 : f.cy - v.y;
                EXPECT_LT(Off(e, r), r == 4 ? 60.0 : 120.0) << r;
                EXPECT_LE(std::max(std::abs(e.screenX - x), std::abs(e.screenY - y)), 1) << r << " view " << view;
            }
        }
    }
    for (std::size_t i = 0; i < made.size(); ++i) {  // the list form's object at the list's time: as before
        float now = 0.0f, before = 0.0f;
        Ui([&] {
            now = BuildListPanelObject(selectionList[i], DateTime{2027, 1, 17, 21, 10, 0}).record.declination;
            before = BuildListPanelObject(made[i], DateTime{2027, 1, 17, 21, 10, 0}).record.declination;
        });
        EXPECT_EQ(now, before) << i;
        const SelectionEntry& e = selectionList[i];
        const double moved = SeparationArcsec(made[i].rightAscension, made[i].declination, e.rightAscension,
                                              e.declination);
        if (path == kFinder) EXPECT_LT(moved, 1.0) << e.name;
    }
    for (std::size_t r = 9; path == kLoad && r < ref.rows.size(); ++r) {
        harness.advance(120000);
        EXPECT_LT(Off(Listed(r), r), 60.0) << r << " at minute " << currentDateTime.minute;
    }
    if (path != kKept) return;
    QuitProgram();
    std::ifstream kept(folder.path() / "userlists" / "last_list.lst", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), ListFile(30));
}

INSTANTIATE_TEST_SUITE_P(PathsOnBothScreens, ListBodies, ::testing::Combine(::testing::ValuesIn(kChartScreens),
                         ::testing::Values(kKept, kLoad, kMemo, kFinder, kSearch, kAfter1600AndNow)));

}  // namespace
