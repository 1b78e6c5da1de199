// The screens that read a list's planets, comets and asteroids without a chart, and the list's
// date, against PyEphem (scripts/reference/listed_places_pyephem.py): London, the device clock on
// 16 February 2027 21:10 (23:10 once it has run on), a last list kept on 17 January or planned
// for 21 February.
#include <cstdio>

#include "catalog/record_db.h"
#include "catalog/user_lists.h"
#include "objects/criteria_form.h"
#include "objects/observing_list_form.h"
#include "objects/selection_sort.h"
#include "orbits/comet_position.h"
#include "platform/focus.h"
#include "sky_chart_fixture.h"
#include "support/reference_table.h"
#include "tools/edit_date_time.h"
#include "tools/observer_log.h"

namespace {

using namespace sky_chart_test;

const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "listed_places_pyephem.csv");
constexpr int kBodies = 6;              // rows of a case: Moon, Mars, Jupiter, 4 Vesta, the comet, M31
enum Night { kKept, kNow, kAhead, kLater };  // the reference's cases, in its order
enum Scenario { kKeptList, kPlannedInCriteria, kPlannedList };
std::size_t Row(int night, int body) { return static_cast<std::size_t>(night * kBodies + body); }

// Within 1' for the Moon, 2' for the others of `night`'s reference; `place` in hours and degrees.
void ExpectAt(int night, int body, double ra, double dec, const char* reader) {
    const std::size_t r = Row(night, body);
    EXPECT_LT(SeparationArcsec(ra, dec, ref.Get(r, "ra_h"), ref.Get(r, "dec_deg")), body == 0 ? 60.0 : 120.0)
        << reader << " " << ref.Text(r, "name");
}

// The memo `file` holds the moving bodies at their places of `night`.
void ExpectMemoAt(const std::filesystem::path& file, int night) {
    std::ifstream memo(file);
    EXPECT_TRUE(memo.is_open()) << file;
    std::string line;
    for (int b = 0; b < kBodies - 1; ++b) {
        double ra = -1.0, dec = 0.0;  // fields 6 and 7 of the body's line
        std::getline(memo, line);
        EXPECT_EQ(std::sscanf(line.c_str(), "%*[^;];%*[^;];%*[^;];%*[^;];%*[^;];%lf;%lf", &ra, &dec), 2) << line;
        ExpectAt(night, b, ra, dec, "memo");
    }
}

// The list file: the bodies at their places of the night kept (M31 at the script's J2000 place,
// 0h42m44.3s +41d16'09"), dated `night`.
std::string ListFile(int night) {
    std::string file(kUserListHeaderSize + kBodies * kSelectionEntrySize, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(file.data());
    const std::size_t d = Row(night, 0);
    for (int k = 0; k < 5; ++k) StoreU32(bytes, 44 + 4 * k, uint32_t(ref.Get(d, ref.columns[4 + k])));
    StoreU32(bytes, 64, kBodies);
    constexpr int kTypes[] = {27, 27, 27, 18, 13, 16}, kSources[] = {1, 1, 1, 12, 12, 15};
    for (int b = 0; b < kBodies; ++b) {
        const std::size_t r = Row(kKept, b);
        const bool m31 = b == kBodies - 1;
        SelectionEntry e = ListEntry(ref.Text(r, "name").c_str(), int(ref.Get(r, "designation")),
                                     int(ref.Get(r, "number")), kTypes[b], m31 ? 0.712306f : float(ref.Get(r, "ra_h")),
                                     m31 ? 41.269167f : float(ref.Get(r, "dec_deg")));
        e.source = uint16_t(kSources[b]), e.sourceIndex = uint16_t(e.number);
        StoreSelectionEntry(e, bytes + kUserListHeaderSize + kSelectionEntrySize * b);
    }
    return file;
}

// 4 Vesta and the script's comet.
void WriteComets(const std::filesystem::path& home) {
    WriteVestaAndComet(home, "C/2027 Z1", 2027, 3, 10.0f, 1.1f, 0.8f, 60.0f, 90.0f, 40.0f);
}

class ListedReaders : public SkyChartTest, public ::testing::WithParamInterface<std::tuple<ChartScreen, Scenario>> {
protected:
    // The list's moving entries back at the places of the night kept, as a reader that takes
    // the stored words would find them.
    void Stale() { Ui([] { RefreshMovingSelectionEntries(2027, 1, 17, 21, 10, 0); }); }
    double Field(int id) {
        char text[32] = "";
        Ui([id, &text] { GetField(id, text, sizeof text); });
        return std::atof(text);
    }
    // currentDateTime's first `fields` fields (year, month, day, hour, minute) are `night`'s.
    void ExpectTime(int night, const char* where, int fields = 5) {
        const std::size_t d = Row(night, 0);
        const int32_t* t = &currentDateTime.year;
        for (int k = 0; k < fields; ++k) EXPECT_EQ(t[k], ref.Get(d, ref.columns[4 + k])) << where << " " << k;
    }
};

// A last list kept 30 days before: the memo export, the observer log's new entry and the sort by RA
// (each finding the list's places of the night kept) take the places of the program's time; the
// list form opened first shows them at that time (4 Vesta, the comet and M31 in the form's
// topocentric and geocentric conventions), and its chart the device clock's time. A list planned
// five days ahead (its date set in the criteria form, or its file's date): the form and its chart
// keep that date, also past the chart clock's step. Before, each reader took the night kept, the
// list form made it the program's time and precessed a comet's place of date again (22' for Vesta).
TEST_P(ListedReaders, ListedBodiesAreReadAtTheScreensTime) {
    const auto [screen, scenario] = GetParam();
    WriteDefaultStars(folder.path());
    WriteComets(folder.path());
    std::ofstream(folder.path() / "userlists" / "last_list.lst") << ListFile(scenario == kPlannedList ? kAhead : kKept);
    Boot(screen.width, screen.height, screen.dpi, {2027, 2, 16, 21, 10, 0});
    Ui([] {
        SetTestSite(51.5074, 0.1278, 0);
        preferences.word[kPrefRaFormat] = preferences.word[kPrefDecFormat] = 0;  // decimal hours and degrees
        preferences.word[kPrefPositionMode] = 2;
        chartView = 2;  // the Whole Sky: no question for a body below the horizon
    });
    const int night = scenario == kKeptList ? kNow : kAhead;
    if (scenario == kKeptList) {
        Stale();
        MainCommand(1034);
        AnswerAll();
        ExpectMemoAt(folder.path() / "userlists" / "20270216_zendamemo_2110.txt", kNow);
        for (int b = 0; b < kBodies - 1; ++b) {
            Stale();
            Ui([b] { selectionCurrentRow = b, OpenObserverLogNewEntry(); });
            ExpectAt(kNow, b, observerLogState.record->rightAscension, observerLogState.record->declination, "log");
        }
        Stale();
        Ui([] { SortSelectionList(kSortByRa); });
        for (int i = 0, b = 0; i < kBodies; ++i, b = 0) {
            const SelectionEntry& e = selectionList[i];
            EXPECT_TRUE(i == 0 || e.rightAscension >= selectionList[i - 1].rightAscension) << i;
            while (ref.Text(Row(kNow, b), "name") != e.name) ++b;
            if (b < kBodies - 1) ExpectAt(kNow, b, e.rightAscension, e.declination, "sort");  // M31 keeps J2000
        }
        Ui([] { SortSelectionList(kSortByName); });  // the file's order again: row b is body b
    }
    Stale();
    Ui([] { GotoForm(kObservingListFormId); });
    if (scenario == kPlannedInCriteria) {  // the day 21 picked in the date editor, then back to the list
        FormCommand(kListCriteria);
        Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), kCriteriaDateField)));
        Ui([] {
            Set(kDayList, 20);
            pl::PostMessage(pl::GetActiveWindow(), pl::WM_COMMAND, pl::MakeWParam(kDayTrigger, kDayList), 0);
        });
        Tap(Centre(pl::GetDlgItem(pl::GetActiveWindow(), kDateTimeOk)));
        FormCommand(kCriteriaBack);
    }
    for (int mode : {2, 0})
        for (int b = mode == 2 ? 0 : 3; b < kBodies; ++b) {
            Ui([mode, b] { preferences.word[kPrefPositionMode] = mode, Set(kListRows, b); });
            FormCommand(kListRows);
            ExpectAt(night, b, Field(1804), Field(1805), mode == 2 ? "list form" : "list form, geocentric");
        }
    ExpectTime(night, "list form");
    FormCommand(kListSky);
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    ExpectTime(night, "chart");
    harness.advance(150000);  // past the chart clock's step
    ExpectTime(night, "chart, after its clock's step", 3);
}

INSTANTIATE_TEST_SUITE_P(ScenariosOnBothScreens, ListedReaders,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens),
                                            ::testing::Values(kKeptList, kPlannedInCriteria, kPlannedList)));

enum Reader { kLogEntry, kMemoExport };
class ListedReadersOnTheClock : public SkyChartTest,
                                public ::testing::WithParamInterface<std::tuple<ChartScreen, Reader>> {};

// The kept list on the list form, left there while the device clock runs on two hours: the observer
// log's new entry (whose own time is the device clock's) and the memo export (named for the
// program's time) take the places of 23:10. They took those of the program's time as a screen last
// stored it (21:10, the Moon 1 degree off).
TEST_P(ListedReadersOnTheClock, ReadersWithoutAClockOfTheirOwnTakeTheRunningClock) {
    const auto [screen, reader] = GetParam();
    WriteDefaultStars(folder.path());
    WriteComets(folder.path());
    std::ofstream(folder.path() / "userlists" / "last_list.lst") << ListFile(kKept);
    Boot(screen.width, screen.height, screen.dpi, {2027, 2, 16, 21, 10, 0});
    Ui([] {
        SetTestSite(51.5074, 0.1278, 0);
        preferences.word[kPrefRaFormat] = preferences.word[kPrefDecFormat] = 0;  // decimal hours and degrees
        GotoForm(kObservingListFormId);
    });
    harness.advance(2 * 3600 * 1000);
    if (reader == kMemoExport) {
        MainCommand(1034);
        AnswerAll();
        ExpectMemoAt(folder.path() / "userlists" / "20270216_zendamemo_2310.txt", kLater);
    }
    for (int b = 0; reader == kLogEntry && b < kBodies - 1; ++b) {
        Ui([b] { selectionCurrentRow = b, OpenObserverLogNewEntry(); });
        ExpectAt(kLater, b, observerLogState.record->rightAscension, observerLogState.record->declination, "log");
    }
}

INSTANTIATE_TEST_SUITE_P(ReadersOnBothScreens, ListedReadersOnTheClock,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens),
                                            ::testing::Values(kLogEntry, kMemoExport)));

}  // namespace
