// The site operations that need no form, and the saved inputs of the
// location database's fuzz target.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/record_db.h"
#include "support/catalog_fixture.h"
#include "support/fuzz_corpus.h"
#include "support/location_records_entry.h"
#include "support/recording_services.h"
#include "support/test_site.h"
#include "tools/observer_site.h"

namespace {

// -longitude / 15 hours to the nearest hour, halves away from zero.
TEST(ObserverSite, ZoneOfALongitude) {
    for (auto [longitude, zone] : {std::pair{22.5, -120}, {-22.5, 120}, {7.4, 0}, {7.5, -60}, {-180.0, 720}})
        EXPECT_EQ(ZoneMinutesFromLongitude(longitude), zone) << longitude;
}

// SetObserverSite writes only the coordinates (with the sine and cosine) and
// the zone; putting back the values read before restores the record bit for bit.
TEST(ObserverSite, TemporarySiteComesBackWhole) {
    ResetWithDefaults();
    SetTestSite(48.8566, -2.3522, 60, 35);
    const SiteRecord before = currentSite;
    SetObserverSite(-139.69, 35.68, 540);
    EXPECT_EQ((std::vector<double>{currentSite.latitude, currentSite.longitude, double(currentSite.zoneMinutes)}),
              (std::vector<double>{35.68f, -139.69f, 540}));
    EXPECT_EQ(std::memcmp(currentSite.name, before.name, sizeof before.name), 0);
    EXPECT_EQ(currentSite.elevation, 35);
    SetObserverSite(before.longitude, before.latitude, before.zoneMinutes);
    EXPECT_EQ(std::memcmp(&currentSite, &before, sizeof before), 0);
}

// A tap at 0, 0 on the small map: "User Tap", zone 0, the list choice dropped.
TEST(ObserverSite, MapTapNamesTheSiteUserTap) {
    fixture::CatalogFolder folder;
    RecordingServices services;
    ResetWithDefaults();
    locationListChoice = 4;
    currentSite.daylightSaving = 1;
    SetSiteFromMapTap(0.0, 0.0);
    EXPECT_STREQ(currentSite.name, "User Tap");
    EXPECT_EQ((std::vector{currentSite.latitude, currentSite.cosLatitude}), (std::vector{0.0f, 1.0f}));
    EXPECT_EQ(currentSite.zoneMinutes, 0);
    EXPECT_EQ(locationListChoice, -1);
    EXPECT_TRUE(services.messages.empty());
    ResetSharedState();
}

// A location database cut after two places with a header counting 65535
// (a saved input of its fuzz target): read row by row as the location list
// does, opening the file for each, it is reported once and both places read.
TEST(ObserverSite, CutLocationDatabaseIsReportedOnceAndItsPlacesRead) {
    fixture::CatalogFolder folder;
    RecordingServices services;
    std::ifstream in(std::filesystem::path(ZENDAVORI_SOURCE_DIR) /
                         "fuzz/corpus/location_records/header_counts_65535_two_present",
                     std::ios::binary);
    folder.WriteRaw("data\\zendavori_location.ppc",
                    fixture::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    ResetRecordDbReports();
    std::vector<std::string> names;
    for (int row = 0; row < 100; ++row) {
        LocationDbRecord record{};
        if (GetLocationRecord(row, &record)) names.push_back(record.firstName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Paris", "Sydney"}));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"zendavori_location.ppc is damaged"});
    ResetRecordDbReports();
}

// The seeds and every input that ever found a fault in the location
// database's reader (fuzz/corpus/location_records) pass its checks.
TEST(ObserverSite, LocationRecordsCorpusPassesTheChecks) {
    EXPECT_GE(ReplayFuzzCorpus("location_records", RunLocationRecords), 8);
    ResetSharedState();
}

}  // namespace
