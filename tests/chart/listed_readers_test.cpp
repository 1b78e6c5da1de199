// The screens that read a list's planets, comets and asteroids without a chart, and the list's
// date, against PyEphem (scripts/reference/listed_places_pyephem.py): London, the device clock on
// 16 February 2027 21:10 (23:10 once it has run on), a last list kept on 17 January or planned
// for 21 February. The observer log's entries and the list's date words at 40 N 105 W, zone -7 h
// (scripts/reference/log_places_pyephem.py).
#include <cstdio>

#include "catalog/record_db.h"
#include "catalog/user_lists.h"
#include "objects/criteria_form.h"
#include "objects/finder_form.h"
#include "objects/observing_list_form.h"
#include "objects/selected_object.h"
#include "objects/selection_sort.h"
#include "platform/focus.h"
#include "sky_chart_fixture.h"
#include "support/reference_table.h"
#include "tools/edit_date_time.h"
#include "tools/observer_log_form.h"
#include "tools/observer_log.h"

namespace {

using namespace sky_chart_test;

const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "listed_places_pyephem.csv");
constexpr int kBodies = 6;              // rows of a case: Moon, Mars, Jupiter, 4 Vesta, the comet, M31
enum Night { kKept, kNow, kAhead, kLater };  // the reference's cases, in its order
enum Scenario { kKeptList, kPlannedInCriteria, kPlannedList };
std::size_t Row(int night, int body) { return static_cast<std::size_t>(night * kBodies + body); }

// Within 1' for the Moon, 2' for the others of row `r` of `table`; `place` in hours and degrees.
void ExpectNear(const ReferenceTable& table, std::size_t r, double ra, double dec, const char* reader) {
    const double tolerance = table.Text(r, "name") == "Moon" ? 60.0 : 120.0;
    EXPECT_LT(SeparationArcsec(ra, dec, table.Get(r, "ra_h"), table.Get(r, "dec_deg")), tolerance)
        << reader << " " << table.Text(r, "case") << " " << table.Text(r, "name");
}

void ExpectAt(int night, int body, double ra, double dec, const char* reader) {
    ExpectNear(ref, Row(night, body), ra, dec, reader);
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

using DateWords = std::array<int32_t, 5>;  // year, month, day, hour, minute

// The list file: the bodies at their places of the night kept (M31 at the script's J2000 place,
// 0h42m44.3s +41d16'09"), dated `date`.
std::string ListFile(const DateWords& date) {
    std::string file(kUserListHeaderSize + kBodies * kSelectionEntrySize, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(file.data());
    for (int k = 0; k < 5; ++k) StoreU32(bytes, 44 + 4 * k, uint32_t(date[k]));
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

// The list file dated `night`.
std::string ListFile(int night) {
    DateWords date;
    for (int k = 0; k < 5; ++k) date[k] = int32_t(ref.Get(Row(night, 0), ref.columns[4 + k]));
    return ListFile(date);
}

// 4 Vesta and the script's comet.
void WriteComets(const std::filesystem::path& home) {
    WriteVestaAndComet(home, "C/2027 Z1", 2027, 3, 10.0f, 1.1f, 0.8f, 60.0f, 90.0f, 40.0f);
}

class ListedScreens : public SkyChartTest {
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

class ListedReaders : public ListedScreens,
                      public ::testing::WithParamInterface<std::tuple<ChartScreen, Scenario>> {};

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

// The observer log and the list's date at 40 N 105 W, zone -7 h: the device clock on 16 February
// 2027 21:10 local, a last list dated `listDate`.
const ReferenceTable logRef = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "log_places_pyephem.csv");
enum LogTime { kClock, kPlanned, kEdited };  // log_places_pyephem.csv's cases, in its order
constexpr int kMoving = kBodies - 1;         // the Moon .. the comet
std::size_t LogRow(int when, int body) { return static_cast<std::size_t>(when * kMoving + body); }

class AwayFromZoneZero : public ListedScreens, public ::testing::WithParamInterface<std::tuple<ChartScreen, int>> {
protected:
    void StartAt(const ChartScreen& screen, const DateWords& listDate) {
        WriteDefaultStars(folder.path());
        WriteComets(folder.path());
        std::ofstream(folder.path() / "userlists" / "last_list.lst") << ListFile(listDate);
        Boot(screen.width, screen.height, screen.dpi, {2027, 2, 16, 21, 10, 0});
        Ui([] {
            SetTestSite(40.0, 105.0, -7 * 60);
            preferences.word[kPrefRaFormat] = preferences.word[kPrefDecFormat] = 0;  // decimal hours and degrees
            preferences.word[kPrefPositionMode] = 2;
            chartView = 2;  // the Whole Sky: no question for a body below the horizon
        });
    }
    // The new entry's object place is `body`'s at `when`.
    void ExpectEntryAt(int when, int body, const char* where) {
        const ObserverLogRecord& r = *observerLogState.record;
        EXPECT_EQ(r.name, logRef.Text(LogRow(when, body), "name")) << where;
        ExpectNear(logRef, LogRow(when, body), r.rightAscension, r.declination, where);
    }
    // The entry's date set to 18 February 23:40 in the date and time form.
    void EditEntryDate() {
        Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), kLogDateField)));
        const pl::Hwnd form = pl::GetActiveWindow();
        Ui([form] { Set(kDayList, 17), pl::PostMessage(form, pl::WM_COMMAND, pl::MakeWParam(kDayTrigger, kDayList), 0); });
        Ui([form] { pl::SetDlgItemText(form, kHourField, "23"), pl::SetDlgItemText(form, kMinuteField, "40"); });
        Tap(Centre(pl::GetDlgItem(form, kDateTimeOk)));
    }
    // The date words the criteria hold, the time the last screen worked at, are `when`'s.
    void ExpectDates(int when, const char* where) {
        const std::size_t r = LogRow(when, 0);
        const SelectionCriteria& c = selectionCriteria;
        const int32_t* t = &currentDateTime.year;
        const int shown[] = {c.year, c.month, c.day, c.hour, c.minute};
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(shown[k], logRef.Get(r, logRef.columns[4 + k])) << where << " criteria " << k;
            EXPECT_EQ(t[k], logRef.Get(r, logRef.columns[4 + k])) << where << " " << k;
        }
    }
};

using LogPlaces = AwayFromZoneZero;

// A list planned five days ahead, its Sky, then Log on each listed body from the list form, Log
// from the chart with the Moon selected and the Moon taken through the entry's finder: each entry
// holds the places of its own date and time (the device clock's), again after its date is changed
// in the date form, back from the finder (at the date chosen before it), and after "now". They took
// the list's date (the Moon 66 degrees off), the chart's, and the finder's target the time it was
// looked up at.
TEST_P(LogPlaces, NewEntryPlacesAreThoseOfItsOwnDateAndTime) {
    StartAt(std::get<0>(GetParam()), {2027, 2, 21, 21, 10});
    Ui([] { GotoForm(kObservingListFormId); });
    FormCommand(kListSky);
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    FormCommand(kChartBack);
    for (int b = 0; b < kMoving; ++b) {
        ASSERT_EQ(GetCurrentFormId(), kObservingListFormId) << BoxText();
        Ui([b] { selectionCurrentRow = b; });
        FormCommand(kListLog);
        ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
        ExpectEntryAt(kClock, b, "listed, new entry");
        EditEntryDate();
        ExpectEntryAt(kEdited, b, "listed, date changed");
        FormCommand(kLogCancel);
    }
    FormCommand(kListSky);
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    int moonRow = -1;
    Ui([&moonRow] { moonRow = FindSelectionIndex(0); });
    Choose(kChartObjectTrigger, kChartObjectList, moonRow);
    FormCommand(kChartLogEntry);
    ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
    ExpectEntryAt(kClock, 0, "the chart's selection");
    EditEntryDate();
    ExpectEntryAt(kEdited, 0, "the chart's selection, date changed");
    FormCommand(kLogFinder);
    Choose(kFinderCatalogTrigger, kFinderCatalogList, 5);  // the planets
    Choose(kFinderObjectTrigger, kFinderObjectList, 1);    // the Moon
    FormCommand(kFinderOk);
    ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
    ASSERT_TRUE(IsObjectSelected());
    ExpectEntryAt(kEdited, 0, "the finder's target");  // the entry keeps the date chosen before the finder
    EditEntryDate();
    ExpectEntryAt(kEdited, 0, "the finder's target, date changed");
    FormCommand(kLogNow);
    ExpectEntryAt(kClock, 0, "the finder's target, now");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, LogPlaces,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens), ::testing::Values(0)));

using ListDates = AwayFromZoneZero;
// The last case is a date; 67536 would be read as 2000 in the criteria's 16 bits.
const DateWords kListDates[] = {{2027, 13, 99, 30, 99}, {2027, 2, 30, 21, 10},  {2027, 2, 21, 99, 10},
                                {2027, 2, 21, -1, 10},  {32767, 2, 21, 21, 10}, {67536, 2, 21, 21, 10},
                                {2027, 2, 21, 21, 10}};

// A last list whose date words make no date and time: one message at start, the .bad copy equal
// to the file, the criteria, the list form (Mars) and its Sky at the program's time. A date five
// days ahead (the last case) is still the list's own. Such words were taken as a time after the
// device clock: the list form at "2027-13-99 30:99", its Sky at 2028-01-01 07:39.
TEST_P(ListDates, ListDateIsTheListsOwnOnlyWhenItIsADate) {
    const auto [screen, scenario] = GetParam();
    const DateWords& date = kListDates[scenario];
    const bool own = &date == &std::end(kListDates)[-1];
    StartAt(screen, date);
    const std::string file = ListFile(date), bad = (folder.path() / "userlists" / "last_list.lst.bad").string();
    if (!own) {
        EXPECT_EQ(BoxText(), "6 entries of last_list.lst were read; the file is kept as last_list.lst.bad.\n");
        Answer(pl::IDOK);
        std::ifstream copy(bad, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), file);
    }
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(std::filesystem::exists(bad), !own);
    const int when = own ? kPlanned : kClock;
    Ui([] { GotoForm(kObservingListFormId); });
    Ui([] { Set(kListRows, 1); });
    FormCommand(kListRows);
    ExpectNear(logRef, LogRow(when, 1), Field(1804), Field(1805), "list form");
    ExpectDates(when, "list form");
    FormCommand(kListSky);
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    ExpectDates(when, "chart");
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ListDates,
                         ::testing::Combine(::testing::ValuesIn(kChartScreens), ::testing::Range(0, 7)));

}  // namespace
