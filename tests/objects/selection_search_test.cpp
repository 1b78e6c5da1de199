// The criteria search: one-shot criteria, the elevation and magnitude tests,
// the fill limit, the planets and comets steps and the Name order; comets of
// the observing list moved to another date.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_catalog.h"
#include "catalog/object_lookup.h"
#include "catalog/record_db.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/selection_search.h"
#include "objects/selection_sort.h"
#include "orbits/comet_place.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "support/catalog_fixture.h"
#include "support/object_file_fixture.h"
#include "support/recording_services.h"
#include "support/reference_table.h"

namespace {

class SelectionSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetCatalogState();
        pl::UseVirtualClock(pl::LocalTime{2024, 3, 5, 12, 0, 0});
        SetSiteLatitude(currentSite, 51.0);
        currentSite.longitude = 0.0f;
        currentSite.skyCondition = 3;
        currentSite.humidity = 40;
        currentSite.pressure = 1013;
        currentSite.temperature = 10;
        preferences.word[117] = 0;  // Sky Map: only the sky above the horizon
        preferences.word[13] = 8;
        selectionClassFilter = 0;
        ASSERT_EQ(AllocSelectionList(), 1);
    }
    void TearDown() override {
        FreeSelectionList();
        ResetCatalogState();
        pl::UseRealClock();
        InstallCometPlaceHook(previousCometPlace);
    }
    static std::string Name(int i) { return selectionList[i].name; }

    // The orbits' comet place, as the program installs it at start-up: the list's comets are placed through it.
    CometPlaceHook previousCometPlace = InstallCometPlaceHook(CometPlaceAt);

    fixture::CatalogFolder folder;
    RecordingServices services;
};

// At 12h local time on the Greenwich meridian the Sun is up (about 32 degrees at
// 51 N in early March) and at midnight it is not.
TEST_F(SelectionSearchTest, PlanetsStepListsTheSunOnlyWhenItIsUp) {
    PrepareSelection(7, 45, 27);
    BuildSelectionList();
    ASSERT_GE(selectionCount, 1);
    EXPECT_EQ(Name(0), "Sun");
    for (int i = 1; i < selectionCount; ++i) EXPECT_GT(selectionList[i].sourceIndex, selectionList[i - 1].sourceIndex);

    selectionShownCount = 0;
    pl::SetVirtualLocalTime(pl::LocalTime{2024, 3, 5, 0, 0, 0});
    PrepareSelection(7, 45, 27);
    BuildSelectionList();
    for (int i = 0; i < selectionCount; ++i) EXPECT_NE(Name(i), "Sun");
}

TEST_F(SelectionSearchTest, WholeSkyViewListsEveryBodyInBodyOrder) {
    preferences.word[117] = 2;
    PrepareSelection(7, 45, 27);
    EXPECT_EQ(selectionCriteria.elevation, 0);
    BuildSelectionList();
    const char* names[] = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
    ASSERT_EQ(selectionCount, 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Name(i), names[i]);
    EXPECT_EQ(selectionShownCount, 10);
    EXPECT_EQ(selectionCurrentRow, 0);
    EXPECT_EQ(selectionList[10].number, -1);
}

// The list's count when the last message was shown.
ServiceHooks recordingHooks;
int countAtMessage = -1;
int RecordCountAtMessage(const std::string& text, const std::string& detail) {
    countAtMessage = selectionCount;
    return recordingHooks.showInformation(text, detail);
}

// The list stops at "Max Selected items" (25) in catalogue order, and a search
// cut there says how many objects it found: 40 user objects, the 89
// constellations; the 10 bodies fit without a word. The message comes once
// the list is built (its box lets the chart draw the list meanwhile).
TEST_F(SelectionSearchTest, SearchCutAtTheFillLimitSaysHowManyItFound) {
    recordingHooks = InstallServiceHooks({});
    ServiceHooks hooks = recordingHooks;
    hooks.showInformation = RecordCountAtMessage;
    InstallServiceHooks(hooks);
    std::vector<fixture::Bytes> records;
    for (int n = 1; n <= 40; ++n) {
        ObjectRecord o{};
        o.designationId = kDesignationUser;
        o.number = n;
        o.objectType = 16;
        o.rightAscension = 0.5f * n;
        o.magnitude = 9.0f;
        std::snprintf(o.name, sizeof o.name, "Obj%02d", n);
        records.push_back(fixture::ObjectBytes(o));
    }
    folder.WriteDb("usercatalogs\\user.pdb", 26, 64, records);
    std::strcpy(reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]), "user.pdb");
    ASSERT_TRUE(OpenUserCatalog());
    preferences.word[117] = 2;  // the whole sky: no elevation criterion
    preferences.word[18] = 0;   // 25 objects
    const struct {
        int catalogue, type, count;
        const char* first;
        std::vector<std::string> messages;
        bool add = false;  // appends to the list the row before left
    } cases[] = {
        {kDesignationUser, 0, 25, "Obj01",
         {"40 objects found and the list holds the first 25; raise Max Selected items to see them."}},
        // An Add to the full list: 25 of the 40 are listed already.
        {kDesignationUser, 0, 25, "Obj01", {"15 objects found and the list is full; raise Max Selected items to see them."}, true},
        {13, 0, 25, "Andromeda",  // the constellation's full name, not its abbreviation
         {"89 objects found and the list holds the first 25; raise Max Selected items to see them."}},
        {kDesignationPlanet, 27, 10, "Sun", {}},
    };
    for (const auto& c : cases) {
        selectionShownCount = c.add ? selectionCount : 0;
        PrepareSelection(0, c.catalogue, c.type);
        BuildSelectionList();
        EXPECT_EQ(selectionCount, c.count) << c.first;
        EXPECT_EQ(Name(0), c.first);
        EXPECT_EQ(services.Texts(), c.messages) << c.first;
        if (!c.messages.empty()) {
            EXPECT_EQ(countAtMessage, c.count) << c.first;
        }
        services.messages.clear();
    }
}

TEST_F(SelectionSearchTest, OneShotCriteria) {
    selectionCriteria.magnitude = 3;
    selectionCriteria.visibility = 2;
    preferences.word[22] = 6;  // horizon 10 degrees
    PrepareSelection(1, 0, 2);
    const SelectionCriteria& c = selectionCriteria;
    EXPECT_EQ(std::make_tuple(c.classByte, c.type, c.catalogue, c.magnitude, c.visibility, c.elevation, c.year, c.hour),
              std::make_tuple(1, 2, 0, 0, 0, 1, 2024, 12));
    EXPECT_NEAR(selectionElevationThreshold / 16777216.0, std::sin(10.0 * M_PI / 180.0), 1e-6);
    // 166 mm: 16 whole centimetres, 7.5 + 5 log10(16) = 13.52 -> 13.5.
    EXPECT_NEAR(c.scopeLimit, 13.5f, 1e-5);
    EXPECT_LE(c.eyeLimit, 7.0f);
}

// sin(alt) = cos(lat) cos(H) cos(dec) + sin(lat) sin(dec).
TEST_F(SelectionSearchTest, ElevationTestByHourAngle) {
    PrepareSelection(0, 0, 0);
    const int32_t horizon = 0;
    EXPECT_EQ(TestElevation(6.0f, 6.0f, 0.0f, horizon), 1);    // on the meridian: 39 degrees
    EXPECT_EQ(TestElevation(18.0f, 6.0f, 0.0f, horizon), 0);   // 12 h away: below
    EXPECT_EQ(TestElevation(18.0f, 6.0f, 60.0f, horizon), 1);  // circumpolar at 51 N
    EXPECT_EQ(TestElevation(0.0f, 23.0f, -30.0f, horizon), 1); // 1 h east, 9 degrees up
    const int32_t sin40 = static_cast<int32_t>(std::sin(40.0 * M_PI / 180.0) * 16777216.0);
    EXPECT_EQ(TestElevation(6.0f, 6.0f, 0.0f, sin40), 0);
}

TEST_F(SelectionSearchTest, ElevationNotVisibleKeepsExactlyWhatVisibleRejects) {
    SelectionCriteria c{};
    ObjectRecord r{};
    r.magnitude = 5.0f;
    selectionLst = 3.0f;
    for (float ra = 0.0f; ra < 24.0f; ra += 1.5f) {
        r.rightAscension = ra;
        c.elevation = 1;
        int visible = TestSelectionCriteria(c, r);
        c.elevation = 10;
        EXPECT_NE(TestSelectionCriteria(c, r), visible) << ra;
    }
}

// Magnitude criterion 3 is 4.0; criterion 2 is the telescope's limit.
TEST_F(SelectionSearchTest, MagnitudeZeroCountsAs99AndNegativeAlwaysPasses) {
    const std::tuple<int, float, int> cases[] = {{3, 0.0f, 0}, {3, -1.5f, 1}, {3, 4.1f, 0}, {2, 4.1f, 1}};
    for (auto [criterion, magnitude, passes] : cases) {
        SelectionCriteria c{};
        c.magnitude = static_cast<int16_t>(criterion);
        c.scopeLimit = 13.5f;
        ObjectRecord r{};
        r.magnitude = magnitude;
        EXPECT_EQ(TestSelectionCriteria(c, r), passes) << criterion << " " << magnitude;
    }
}

TEST_F(SelectionSearchTest, NebulaTypeStandsForItsClass) {
    SelectionCriteria c{};
    c.type = 19;
    c.classByte = 4;
    ObjectRecord r{};
    r.objectType = 25;  // planetary nebula, class 4
    EXPECT_EQ(TestSelectionCriteria(c, r), 1);
    r.objectType = 16;  // galaxy
    EXPECT_EQ(TestSelectionCriteria(c, r), 0);
}

TEST_F(SelectionSearchTest, NameOrderPutsPlanetsMessierCaldwellFirst) {
    struct E {
        int source, index, designation, number;
    } entries[] = {{11, 0, 54, 3}, {3, 4, 42, 7}, {2, 30, 42, 224}, {1, 5, 45, 5}, {2, 0, 42, 1952},
                   {6, 0, 42, 891}, {1, 0, 45, 0}, {11, 0, 29, 70000}, {6, 0, 42, 40000}};
    int n = 0;
    for (const E& e : entries) {
        SelectionEntry& s = selectionList[n++];
        s = SelectionEntry{};
        s.source = static_cast<uint16_t>(e.source);
        s.sourceIndex = static_cast<uint16_t>(e.index);
        s.designation = static_cast<int16_t>(e.designation);
        s.number = e.number;
    }
    SortSelectionByName(n, true);
    const int expected[][2] = {{45, 0}, {45, 5}, {42, 1952}, {42, 224}, {42, 7},
                               {29, 70000}, {42, 891}, {42, 40000}, {54, 3}};
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(selectionList[i].designation, expected[i][0]) << i;
        EXPECT_EQ(selectionList[i].number, expected[i][1]) << i;
    }
}

// A search that adds to the list lists each Messier object once, whatever
// became of the list before: loaded from its file, an entry removed (M31,
// which the search then adds again), sorted, carried into a larger
// allocation. The list holds M31 as the finder lists it (Messier 40, number
// 30, row 30), M1 as the object step does (NGC 1952) and M2 as the Messier
// step does (row 1).
TEST_F(SelectionSearchTest, AddingSearchListsEachObjectOnceAfterTheListChanged) {
    std::vector<fixture::Bytes> records;
    for (const ObjectRecord& o : fixture::SharedObjectRecords()) records.push_back(fixture::ObjectBytes(o));
    folder.WriteDb("data\\zendavori_obj_1k.ppc", 26, 64, records);
    ASSERT_TRUE(OpenRecordDb(&objectDb, "pl00", "ZDV1", "data\\", "zendavori_obj_1k.ppc"));
    UseObjectFileRanges(false);
    ASSERT_TRUE(pl::MakeDirectory("userlists"));
    preferences.word[117] = 2;  // the whole sky
    preferences.word[18] = 3;   // 150 objects
    const auto searchMessier = [] {
        PrepareSelection(0, kDesignationMessier, 0);
        BuildSelectionList();
        return selectionCount;
    };
    AllocSelectionList();
    selectionShownCount = 0;
    const int messierObjects = searchMessier();
    ObjectRecord m2;
    ASSERT_TRUE(GetMessierObjectRecord(1, &m2));
    const std::tuple<int, int, ObjectRecord> listed[] = {{30, 2, fixture::SharedObject(kDesignationMessier, 30)},
                                                         {0, 6, fixture::SharedObject(kDesignationNgc, 1952)},
                                                         {1, 2, m2}};
    const std::function<void()> changes[] = {[] {
                                                 SaveUserList("kept");
                                                 AllocSelectionList();
                                                 LoadUserList("kept.lst", 0);
                                             },
                                             [] { RemoveSelectionEntry(0); },
                                             [] { SortSelectionList(kSortByName); },
                                             [] {
                                                 preferences.word[18] = 4;  // 200 objects
                                                 CarryListToNewCapacity();
                                             }};
    for (const std::function<void()>& change : changes) {
        AllocSelectionList();
        selectionShownCount = 0;
        for (const auto& [index, source, rec] : listed)
            selectionCount = selectionShownCount += MakeSelectionEntry(index, source, selectionList, &rec);
        change();
        selectionShownCount = selectionCount;
        EXPECT_EQ(searchMessier(), messierObjects) << &change - changes;
    }
}

// A comet file whose header counts 65535 records with two present: one message
// when it opens, none from the search, which lists both records (Halley's 1986
// elements twice, whole sky).
TEST_F(SelectionSearchTest, CometSearchOverACutFileShowsNoBoxPerMissingRecord) {
    CometRecord halley{};
    std::snprintf(halley.name, sizeof halley.name, "1P/Halley");
    halley.kind = 13, halley.day = 9.4589f, halley.perihelionDistance = 0.587104f, halley.eccentricity = 0.967143f;
    halley.argPerihelion = 111.8657f, halley.node = 58.8601f, halley.inclination = 162.2422f;
    halley.absoluteMagnitude = 5.5f, halley.slope = 8.0f, halley.year = 1986, halley.month = 2;
    folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, {fixture::CometBytes(halley), fixture::CometBytes(halley)},
                   65535);
    ResetRecordDbReports();
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc"));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"zendavori_comet.ppc is damaged"});
    services.messages.clear();
    preferences.word[117] = 2;
    PrepareSelection(0, kDesignationComet, 0);
    BuildSelectionList();
    EXPECT_TRUE(services.messages.empty()) << services.Texts().front();
    std::vector<int> numbers;
    for (int i = 0; i < selectionCount; ++i) numbers.push_back(selectionList[i].number);
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{0, 1}));
}

}  // namespace

namespace {

// A comet (orbit 0 of tests/reference/comet_places.csv, perihelion 2000
// February 26.0) and three damaged copies: a NaN inclination, H = 1e30 and a
// perihelion of 1e-28 AU, whose places were once reported with a
// not-a-number declination or an infinite magnitude.
std::vector<fixture::Bytes> CometsWithDamagedCopies(CometRecord* good) {
    *good = CometRecord{};
    std::strcpy(good->name, "C/1999 Test");
    good->kind = 13, good->year = 2000, good->month = 2, good->day = 26.0f;
    good->perihelionDistance = 1.2f, good->eccentricity = 0.5f;
    good->argPerihelion = 30.0f, good->node = 80.0f, good->inclination = 10.0f;
    good->absoluteMagnitude = 6.0f, good->slope = 10.0f;
    std::vector<fixture::Bytes> records{fixture::CometBytes(*good)};
    const std::pair<float CometRecord::*, float> damages[] = {{&CometRecord::inclination, std::nanf("")},
                                                              {&CometRecord::absoluteMagnitude, 1e30f},
                                                              {&CometRecord::perihelionDistance, 1e-28f}};
    for (auto [field, value] : damages) {
        CometRecord damaged = *good;
        damaged.*field = value;
        std::strcpy(damaged.name, "Damaged");
        records.push_back(fixture::CometBytes(damaged));
    }
    return records;
}

// The comets step lists the comet and skips the damaged records. The entry
// moved to the search's own time keeps its place: both are of the equinox of
// the date, as the chart and the telescope take them (the date refresh once
// gave the J2000 place, 17' away in 2024).
TEST_F(SelectionSearchTest, CometSearchSkipsDamagedOrbits) {
    CometRecord good;
    folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, CometsWithDamagedCopies(&good));
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl00", "ZDV1", "data\\", "zendavori_comet.ppc"));
    preferences.word[117] = 2;  // the whole sky: no elevation test
    PrepareSelection(0, kDesignationComet, 0);
    selectionCriteria.magnitude = 0;
    BuildSelectionList();
    ASSERT_EQ(selectionCount, 1);
    EXPECT_EQ(Name(0), "C/1999 Test");
    EXPECT_TRUE(std::isfinite(selectionList[0].declination));
    const SelectionEntry found = selectionList[0];
    RefreshMovingSelectionEntries(2024, 3, 5, 12, 0, 0);
    EXPECT_EQ(std::make_pair(selectionList[0].rightAscension, selectionList[0].declination),
              std::make_pair(found.rightAscension, found.declination));
}

// Moving the observing list to another date leaves the entries of damaged
// comets as they were; the good comet gets its place and a magnitude.
TEST_F(SelectionSearchTest, MovingEntriesKeepDamagedCometsAsTheyWere) {
    CometRecord good;
    folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, CometsWithDamagedCopies(&good));
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl00", "ZDV1", "data\\", "zendavori_comet.ppc"));
    for (int i = 0; i < 4; ++i) {
        selectionList[i] = SelectionEntry{};
        selectionList[i].designation = kDesignationComet;
        selectionList[i].number = i;
        selectionList[i].mag10 = 77;
        selectionList[i].declination = -5.0f;
    }
    selectionCount = 4;
    RefreshMovingSelectionEntries(1999, 12, 28, 0, 0, 0);
    EXPECT_NE(selectionList[0].mag10, 77);
    EXPECT_NE(selectionList[0].declination, -5.0f);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(std::make_pair(selectionList[i].mag10, selectionList[i].declination),
                                          std::make_pair(77, -5.0f)) << i;
}

// Observing-list entries of ten comets moved to three dates each (zone 0)
// against PyEphem's astrometric places for the mean equinox of the date
// (tests/reference/comet_places_pyephem.csv, scripts/reference/comet_orbits.py):
// within 36"/delta (the low-precision Sun) + 80", which holds the year's
// equinox the entries are kept in, as the search and the chart take them. The
// entries once met a J2000 comet with the Sun of date, 38.5' off for C/2023 A3
// on 2024-10-08.
TEST_F(SelectionSearchTest, CometEntriesInTheFrameOfTheirDate) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places_pyephem.csv");
    ASSERT_EQ(t.rows.size(), 30u);
    std::vector<fixture::Bytes> records;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        if (!names.empty() && names.back() == t.Text(i, "name")) continue;
        names.push_back(t.Text(i, "name"));
        CometRecord c{};
        std::snprintf(c.name, sizeof c.name, "%s", t.Text(i, "name").c_str());
        c.kind = 13, c.year = static_cast<int16_t>(t.Get(i, "year")), c.month = static_cast<int16_t>(t.Get(i, "month"));
        c.day = static_cast<float>(t.Get(i, "day"));
        c.perihelionDistance = static_cast<float>(t.Get(i, "q")), c.eccentricity = static_cast<float>(t.Get(i, "e"));
        c.argPerihelion = static_cast<float>(t.Get(i, "w")), c.node = static_cast<float>(t.Get(i, "node"));
        c.inclination = static_cast<float>(t.Get(i, "i"));
        c.absoluteMagnitude = 6.0f, c.slope = 10.0f;
        records.push_back(fixture::CometBytes(c));
    }
    folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, records);
    ASSERT_TRUE(OpenRecordDb(&cometDb, "pl00", "ZDV1", "data\\", "zendavori_comet.ppc"));
    for (std::size_t i = 0; i < names.size(); ++i) {
        selectionList[i] = SelectionEntry{};
        selectionList[i].designation = kDesignationComet;
        selectionList[i].number = static_cast<int32_t>(i);
    }
    selectionCount = static_cast<int>(names.size());
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        RefreshMovingSelectionEntries(static_cast<int>(t.Get(i, "on_year")), static_cast<int>(t.Get(i, "on_month")),
                                      static_cast<int>(t.Get(i, "on_day")), 0, 0, 0);
        const std::size_t n = static_cast<std::size_t>(std::find(names.begin(), names.end(), t.Text(i, "name")) - names.begin());
        const SelectionEntry& e = selectionList[n];
        EXPECT_LE(SeparationArcsec(e.rightAscension, e.declination, t.Get(i, "ra_date"), t.Get(i, "dec_date")),
                  36.0 / t.Get(i, "delta") + 80.0)
            << names[n] << " " << t.Get(i, "on_year") << "-" << t.Get(i, "on_month");
    }
}

}  // namespace

namespace {

// A user catalogue whose records are one good object (RA 6 h, Dec +60, always
// up at 51 N) and objects whose places are no places: RA = +inf, 1e13 h, 24 h,
// -1 h, a NaN declination and Dec = 95. A search over it once never ended on
// the infinite or huge RA.
TEST_F(SelectionSearchTest, SearchOverInfiniteOrHugeRightAscensionEndsAndSkipsThem) {
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, float> places[] = {{inf, 10.0f}, {1e13f, 10.0f}, {6.0f, 60.0f}, {24.0f, 0.0f},
                                              {-1.0f, 0.0f}, {3.0f, std::nanf("")}, {3.0f, 95.0f}};
    std::vector<fixture::Bytes> records;
    int n = 0;
    for (auto [ra, dec] : places) {
        ObjectRecord o{};
        o.designationId = kDesignationUser;
        o.number = ++n;
        o.objectType = 16;
        o.rightAscension = ra;
        o.declination = dec;
        o.magnitude = 9.0f;
        std::snprintf(o.name, sizeof o.name, "Obj%d", n);
        records.push_back(fixture::ObjectBytes(o));
    }
    folder.WriteDb("usercatalogs\\user.pdb", 26, 64, records);
    char* name = reinterpret_cast<char*>(&preferences.word[kPrefUserCatalogName]);
    std::memset(name, 0, kUserCatalogNameSize);
    std::strcpy(name, "user.pdb");
    ASSERT_TRUE(OpenUserCatalog());
    PrepareSelection(0, kDesignationUser, 0);
    ASSERT_EQ(selectionCriteria.elevation, 1);  // the hour angle of every record is taken
    BuildSelectionList();
    ASSERT_EQ(selectionCount, 1);
    EXPECT_EQ(Name(0), "Obj3");
    ObjectRecord r{};
    EXPECT_FALSE(GetUserObjectRecord(0, &r));
    EXPECT_EQ(ReadUserObjectRecord(0, &r), kObjectDamaged);
    EXPECT_EQ(ReadUserObjectRecord(2, &r), kObjectRead);
}

// Hour angles a whole number of days apart give the same answer, however
// many: on the meridian at 51 N an equatorial object stands 39 degrees up.
TEST_F(SelectionSearchTest, ElevationReducesAnyHourAngleInOneStep) {
    PrepareSelection(0, 0, 0);
    EXPECT_EQ(TestElevation(6.0f, 6.0f + 24.0f * 1000.0f, 0.0f, 0), 1);
    EXPECT_EQ(TestElevation(6.0f, 18.0f - 24.0f * 1000.0f, 0.0f, 0), 0);
    // Not a place: answered at once, either way.
    const int infinite = TestElevation(6.0f, std::numeric_limits<float>::infinity(), 0.0f, 0);
    EXPECT_TRUE(infinite == 0 || infinite == 1);
}

TEST(SkyPlace, RangesOfRightAscensionAndDeclination) {
    const struct {
        double ra, dec;
        bool valid;
    } cases[] = {{0.0, -90.0, true},  {23.999, 90.0, true}, {24.0, 0.0, false},    {-0.001, 0.0, false},
                 {12.0, 90.01, false}, {12.0, -91.0, false}, {NAN, 0.0, false},    {1.0, NAN, false},
                 {INFINITY, 0.0, false}, {1.0, -INFINITY, false}};
    for (const auto& c : cases) EXPECT_EQ(IsSkyPlace(c.ra, c.dec), c.valid) << c.ra << " " << c.dec;
}

}  // namespace
