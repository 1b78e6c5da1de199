// The observing list's current entry across the sky chart, against PyEphem
// (scripts/reference/list_current_entry_pyephem.py): 40 N 105 W, zone -7 h, the device clock on
// 3 February 2027 01:10, a list of 4 Vesta, Jupiter, Mars, the Moon and P/1998 VS24, of which
// 4 Vesta and the Moon are below the horizon then and on the night planned five days ahead: the
// views of the visible sky show the other three on other rows than the list form.
#include "catalog/object_display.h"
#include "catalog/record_db.h"
#include "catalog/user_lists.h"
#include "objects/list_panel_view.h"
#include "objects/observing_list_form.h"
#include "objects/selection_add.h"
#include "objects/selection_sort.h"
#include "scope/n_star.h"
#include "scope/scope_control_form.h"
#include "scope/two_star.h"
#include "scope_chart_fixture.h"
#include "support/reference_table.h"
#include "tools/observer_log.h"
#include "tools/observer_log_form.h"
#include "ui/control_records.h"
#include "ui/popup_list.h"

namespace {

using namespace sky_chart_test;

const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "list_current_entry_pyephem.csv");
constexpr int kEntries = 5, kNow = 0, kAhead = 1, kVs24 = 4;
std::size_t Row(int night, int entry) { return static_cast<std::size_t>(night * kEntries + entry); }

// The five entries at the reference's places, dated five days ahead (a list planned) or 20 January
// (kept before: used at the program's time); with `markedBelow` the projection words and horizon
// marks of a chart that placed every entry below its horizon, as a list saved from it keeps them.
std::string ListFile(bool ahead, bool markedBelow) {
    std::string file(kUserListHeaderSize + kEntries * kSelectionEntrySize, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(file.data());
    const int kept[] = {2027, 1, 20, 1, 10};
    for (int k = 0; k < 5; ++k) StoreU32(bytes, 44 + 4 * k, uint32_t(ahead ? ref.Get(Row(kAhead, 0), ref.columns[4 + k]) : kept[k]));
    StoreU32(bytes, 64, kEntries);
    for (int i = 0; i < kEntries; ++i) {
        const std::size_t r = Row(kNow, i);
        const bool body = int(ref.Get(r, "designation")) == kDesignationPlanet;
        SelectionEntry e = ListEntry(ref.Text(r, "name").c_str(), int(ref.Get(r, "designation")), int(ref.Get(r, "number")),
                                     body ? 27 : i == 0 ? 18 : 13, float(ref.Get(r, "ra_h")), float(ref.Get(r, "dec_deg")));
        e.source = uint16_t(body ? kSourcePlanet : kSourceComet), e.sourceIndex = uint16_t(e.number);
        if (markedBelow) e.chartZ = -(1 << 24), e.horizonHidden = 1;
        StoreSelectionEntry(e, bytes + kUserListHeaderSize + kSelectionEntrySize * i);
    }
    return file;
}

class ListCurrentEntry : public ScopeChartTest, public ::testing::WithParamInterface<ChartScreen> {
protected:
    void BootOnList(bool markedBelow = false) {
        WriteDefaultStars(folder.path());
        WriteVestaAndComet(folder.path(), "P/1998 VS24", 2026, 10, 1.0f, 3.4f, 0.25f, 10.0f, 150.0f, 4.6f);
        std::ofstream(folder.path() / "userlists" / "last_list.lst") << ListFile(false, markedBelow);
        std::ofstream(folder.path() / "userlists" / "planned.lst") << ListFile(true, markedBelow);
        Boot(GetParam().width, GetParam().height, GetParam().dpi, {2027, 2, 3, 1, 10, 0});
        Ui([] { SetTestSite(40.0, 105.0, -7 * 60), GotoForm(kObservingListFormId); });
    }
    // The Moon (entry 3, below the horizon) current on the list; Sky, Yes to the Whole Sky, then
    // the Visible Sky, whose rows leave the Moon out.
    void OpenVisibleSkyOnTheMoon() {
        BootOnList();
        Ui([] { chartView = 0; });
        Tap(RowCentre(Item(kListRows), 3));
        FormCommand(kListSky);
        Answer(pl::IDYES);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        Choose(kChartViewsTrigger, kChartViewsList, 8);  // "• Visible Sky"
    }
    static std::string Name(int position) { return position >= 0 && position < selectionCount ? selectionList[position].name : ""; }
    // What the list form's highlighted row, its panel and the current row name, when the same.
    std::string ListCurrent() {
        std::string s[3];
        Ui([&s] {
            s[0] = Name(GetSelectionIndex(Get(kListRows))), s[2] = Name(GetSelectionIndex(selectionCurrentRow));
            s[1] = pl::GetDlgItemText(GetCurrentFormDialog(), kListPanelName);
        });
        return s[0] == s[1] && s[0] == s[2] ? s[0] : s[0] + "|" + s[1] + "|" + s[2];
    }
    // What the chart's title (the object popup's label) and the popup's row name, when the same.
    std::string ChartTitle() {
        std::string title = "no chart", row;
        Ui([&] {
            if (const PopupRecord* r = RecordOf<PopupRecord>(Item(kChartObjectTrigger)))
                title = r->label == std::string(" ") ? "" : r->label, row = Name(GetSelectionIndex(r->selection));
        });
        return title == row ? title : title + "|" + row;
    }
    std::vector<std::string> ChartRows() {
        std::vector<std::string> rows;
        Ui([&rows] { for (int row = 0; row < selectionShownCount; ++row) rows.push_back(Name(GetSelectionIndex(row))); });
        return rows;
    }
    void PickOnChart(const std::string& name) {
        const std::vector<std::string> rows = ChartRows();
        const int row = static_cast<int>(std::find(rows.begin(), rows.end(), name) - rows.begin());
        ASSERT_LT(row, static_cast<int>(rows.size())) << name;
        Choose(kChartObjectTrigger, kChartObjectList, row);
    }
    void Open(int command, int form) {
        FormCommand(command);
        ASSERT_EQ(GetCurrentFormId(), form) << BoxText();
    }
    // Within 2' of entry `entry`'s place on `night` (hours and degrees).
    static void ExpectPlace(int night, int entry, double a, double b, const char* what) {
        const std::size_t r = Row(night, entry);
        EXPECT_LT(SeparationArcsec(a, b, ref.Get(r, "ra_h"), ref.Get(r, "dec_deg")), 120.0) << what << ref.Text(r, "name");
    }
};

// Three picks on the Visible Sky's popup, whose rows are the entries above the horizon: each time
// the list form's current entry, its panel, the observer log's new entry, the chart its Sky opens
// and the mount its Goto sends are the one picked; a sort by altitude keeps it current. The list
// took the chart's row as a row of its own (VS24, the chart's row 2, became Mars).
TEST_P(ListCurrentEntry, TheEntryPickedOnTheChartStaysTheListsCurrentEntry) {
    BootOnList();
    Tap(RowCentre(Item(kListRows), kVs24));
    Open(kListSky, kSkyChartFormId);
    Choose(kChartViewsTrigger, kChartViewsList, 8);  // "• Visible Sky"
    std::vector<std::string> above;
    for (int i = 0; i < kEntries; ++i)
        if (ref.Get(Row(kNow, i), "alt_deg") > 0.0) above.push_back(ref.Text(Row(kNow, i), "name"));
    EXPECT_EQ(ChartRows(), above);
    for (int entry : {kVs24, 1, 2}) {
        const std::string name = ref.Text(Row(kNow, entry), "name");
        SCOPED_TRACE(name);
        PickOnChart(name);
        EXPECT_EQ(ChartTitle(), name);
        Open(kChartBack, kObservingListFormId);
        EXPECT_EQ(ListCurrent(), name);
        Open(kListLog, 2600);
        EXPECT_EQ(observerLogState.record->name, name);
        Open(kLogCancel, kObservingListFormId);
        Open(kListSky, kSkyChartFormId);
        EXPECT_EQ(ChartTitle(), name);
        Drive();
        Open(kChartGoto, kScopeControlForm);
        const auto sent = MountAtRest();
        ExpectPlace(kNow, entry, sent.first, sent.second, "goto ");
        Open(kScopeOk, kSkyChartFormId);
        Ui([] { preferences.word[kPrefDriveId] = 0, GotoForm(kObservingListFormId); });
        Open(kListSky, kSkyChartFormId);
    }
    Open(kChartBack, kObservingListFormId);
    Choose(kListSortTrigger, kListSortList, kSortByAltitude);  // Jupiter, Mars, VS24, 4 Vesta, the Moon
    EXPECT_EQ(ListCurrent(), "Mars");
    EXPECT_EQ(selectionCurrentRow, 1);
}

// The alignments' choices in the Visible Sky. N stars, the list's first entry current (4 Vesta,
// below the horizon): the title and popup name no entry, then the one picked; the title said
// 4 Vesta, the popup Jupiter. Two stars, Jupiter then Mars chosen: choosing star 1 again opens the
// chart on Jupiter; the form kept star 1's row of the list's rows, which is Mars on the chart's.
TEST_P(ListCurrentEntry, TheAlignmentChartsNameTheEntryChosen) {
    BootOnList();
    Ui([] { preferences.word[kPrefDriveId] = preferences.word[kPrefMountType] = 0, GotoForm(kNStarForm); });
    Open(kNStarAdd, kSkyChartFormId);
    EXPECT_EQ(ChartTitle(), "");
    PickOnChart("P/1998 VS24");
    EXPECT_EQ(ChartTitle(), "P/1998 VS24");
    MainCommand(1005);
    for (auto [button, name] : {std::pair{kChooseStar1, "Jupiter"}, std::pair{kChooseStar2, "Mars"}}) {
        Open(button, kSkyChartFormId);
        PickOnChart(name);
        Open(kChartBack, kTwoStarForm);
    }
    Open(kChooseStar1, kSkyChartFormId);
    EXPECT_EQ(ChartTitle(), "Jupiter");
}

// The first Sky, in the Sky Map and in the Visible Sky, of a list planned five days ahead and of
// one without a date of its own, each loaded from a file whose marks place every entry below the
// horizon: the chart's title, popup and selection name the current entry (VS24) and its centre is
// at its place of the list's night. The chart built its rows from the file's marks before placing
// the entries and dropped the entry: it opened with nothing selected (the Visible Sky centred on
// the north horizon).
TEST_P(ListCurrentEntry, TheFirstSkyOpensOnTheCurrentEntry) {
    BootOnList(true);
    for (bool ahead : {false, true}) {  // a planned list's Sky holds its night as the program's time
        const std::size_t r = Row(ahead ? kAhead : kNow, kVs24);
        for (int view : {0, 3}) {
            SCOPED_TRACE(::testing::Message() << "ahead " << ahead << " view " << view);
            Ui([view, ahead] {
                chartView = view, LoadUserList(ahead ? "planned.lst" : "last_list.lst", 0);
                GotoForm(kObservingListFormId);
            });
            Tap(RowCentre(Item(kListRows), kVs24));
            Open(kListSky, kSkyChartFormId);
            EXPECT_EQ(ChartTitle() + chartSelection.name, "P/1998 VS24P/1998 VS24");
            float a = 0, b = 0;
            bool selected = true;
            Ui([&] {
                if (view == 0) GetHorizonChartCentre(&a, &b, &selected);
                else a = chartRecord.centreLongitude, b = chartRecord.centreLatitude;
            });
            EXPECT_TRUE(selected);
            if (view == 0) ExpectPlace(ahead ? kAhead : kNow, kVs24, a, b, "centre ");
            else  // the horizontal frame's angle is 360 degrees less the azimuth
                EXPECT_LT(SeparationArcsec(a / 15, b, (360 - ref.Get(r, "az_deg")) / 15, ref.Get(r, "alt_deg")), 120.0);
            Open(kChartBack, kObservingListFormId);
        }
    }
}

// The Moon (below the horizon) current on the list; Sky, Yes to the Whole Sky, then the Visible
// Sky, whose rows leave the Moon out: the chart names no entry, and back on the list the Moon is
// still current; the list took its first row (4 Vesta). Added again while the Visible Sky hides
// it, the Moon is current, not the last row that view shows (VS24).
TEST_P(ListCurrentEntry, AnEntryTheChartViewHidesStaysCurrent) {
    constexpr int kMoon = 3;
    const std::string moon = ref.Text(Row(kNow, kMoon), "name");
    ASSERT_LT(ref.Get(Row(kNow, kMoon), "alt_deg"), 0.0);
    ASSERT_NO_FATAL_FAILURE(OpenVisibleSkyOnTheMoon());
    EXPECT_EQ(ChartTitle(), "");
    Open(kChartBack, kObservingListFormId);
    EXPECT_EQ(ListCurrent(), moon);
    std::string held;
    Ui([&held] {
        chartView = 3;
        const SelectionEntry e = selectionList[kMoon];
        ObjectRecord rec{};
        CopyObjectDisplayFields(&rec, &e);
        rec.number = e.number;
        RemoveSelectionEntry(kMoon);
        AddObjectToSelection(&rec, kSourcePlanet, e.sourceIndex);
        held = Name(HeldSelectionEntry()) + "|" + std::to_string(CurrentSelectionEntry());
        GotoForm(kObservingListFormId);
    });
    EXPECT_EQ(held, moon + "|-1");
    EXPECT_EQ(ListCurrent(), moon);
}

// The Moon held aside by the Visible Sky, then a point of sky tapped: the point stays the chart's
// selection when a view that shows the Moon comes back (it was replaced by the Moon), and the
// list takes its first row. Then: Mars current, Sky Map, the chart's time moved until Mars has
// set: back on the list Mars is still current (4 Vesta was).
TEST_P(ListCurrentEntry, ASkyPointPickedReplacesTheEntryHeldAside) {
    ASSERT_NO_FATAL_FAILURE(OpenVisibleSkyOnTheMoon());
    Ui([] {
        const XywhRect v = chartRecord.viewRect;
        for (int d = 2; d < 40 && chartSelection.number >= 0; d += 3)
            IdentifySkyMapTap(v.x + v.width / 2 + d * GetScreenScale(), v.y + v.height / 2 + d * GetScreenScale());
    });
    Choose(kChartViewsTrigger, kChartViewsList, 7);  // every entry shown
    std::string selection;
    Ui([&selection] { selection = std::string(chartSelection.name) + " " + std::to_string(chartSelection.number); });
    EXPECT_EQ(selection, " -1");
    EXPECT_EQ(ChartTitle(), "");
    Open(kChartBack, kObservingListFormId);
    EXPECT_EQ(ListCurrent(), ref.Text(Row(kNow, 0), "name"));
}

TEST_P(ListCurrentEntry, AnEntryThatSetsOnTheChartStaysCurrent) {
    constexpr int kMars = 2;
    BootOnList();
    Ui([] { chartView = 0; });
    Tap(RowCentre(Item(kListRows), kMars));
    Open(kListSky, kSkyChartFormId);
    Ui([] {
        dateTimeFixed = 1;
        SetChartDateTime(nullptr, 2027, 2, 3, 10, 0);  // Mars at -15.5 degrees (PyEphem: set at 08:31)
        chartState.chartDirty = 1;
        RedrawSkyChart();
    });
    EXPECT_EQ(ChartTitle(), "");
    Open(kChartBack, kObservingListFormId);
    EXPECT_EQ(ListCurrent(), ref.Text(Row(kNow, kMars), "name"));
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ListCurrentEntry, ::testing::ValuesIn(kChartScreens));

}  // namespace
