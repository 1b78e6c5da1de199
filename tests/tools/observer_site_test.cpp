// The site operations that need no form: the zone of a longitude, the
// temporary site of SetObserverSite, the small map's tap and damaged
// location records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/shared_state.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "support/test_site.h"
#include "tools/observer_site.h"

namespace {

// -longitude / 15 hours to the nearest hour, halves away from zero.
TEST(ObserverSite, ZoneOfALongitude) {
    const struct {
        double longitude;
        int zone;
    } cases[] = {{22.5, -120}, {-22.5, 120}, {7.4, 0}, {7.5, -60}, {-180.0, 720}};
    for (const auto& c : cases) EXPECT_EQ(ZoneMinutesFromLongitude(c.longitude), c.zone) << c.longitude;
}

// SetObserverSite writes only latitude, its sine and cosine, longitude and
// zone; putting the read values back restores them bit for bit (the sine and
// cosine are recomputed from the float latitude).
TEST(ObserverSite, TemporarySiteComesBackWhole) {
    ResetWithDefaults();
    SetTestSite(48.8566, -2.3522, 60, 35);
    currentSite.temperature = -5;
    const SiteRecord before = currentSite;
    SetObserverSite(-139.69, 35.68, 540);
    EXPECT_FLOAT_EQ(currentSite.latitude, 35.68f);
    EXPECT_EQ(currentSite.zoneMinutes, 540);
    EXPECT_EQ(currentSite.elevation, 35);
    EXPECT_EQ(currentSite.temperature, -5);
    EXPECT_STREQ(currentSite.name, before.name);
    SetObserverSite(before.longitude, before.latitude, before.zoneMinutes);
    EXPECT_EQ(std::memcmp(&currentSite, &before, sizeof before), 0);
}

class SiteFiles : public ::testing::Test {
protected:
    void SetUp() override { ResetWithDefaults(), ResetSiteSelection(); }
    void TearDown() override { ResetSharedState(), ResetSiteSelection(); }
    fixture::CatalogFolder folder;
    RecordingServices services;
};

// A tap at 0, 0 on the small map: "User Tap", zone 0, the list choice dropped.
TEST_F(SiteFiles, MapTapNamesTheSiteUserTap) {
    locationListChoice = 4;
    currentSite.daylightSaving = 1;
    SetSiteFromMapTap(0.0, 0.0);
    EXPECT_STREQ(currentSite.name, "User Tap");
    EXPECT_EQ(currentSite.latitude, 0.0f);
    EXPECT_EQ(currentSite.cosLatitude, 1.0f);
    EXPECT_EQ(currentSite.zoneMinutes, 0);
    EXPECT_EQ(locationListChoice, -1);
    EXPECT_TRUE(services.messages.empty());
}

// Records that are no place are refused, silently, like a missing file.
TEST_F(SiteFiles, DamagedLocationRecordsAreRefused) {
    using fixture::LocationBytes;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    LocationDbRecord record{};
    EXPECT_FALSE(GetLocationRecord(0, &record));
    folder.WriteDb("data\\zendavori_location.ppc", 1, 64,
                   {LocationBytes("Paris", "France", 48.85f, 2.35f, 60), LocationBytes("A", "B", nan, 0, 0),
                    LocationBytes("A", "B", 91.0f, 0, 0), LocationBytes("A", "B", 0, 0, 1500)});
    EXPECT_TRUE(GetLocationRecord(0, &record));
    EXPECT_FLOAT_EQ(record.longitude, -2.35f);
    for (int index : {1, 2, 3, 4, -1}) EXPECT_FALSE(GetLocationRecord(index, &record)) << index;
    EXPECT_STREQ(record.firstName, "Paris");
    EXPECT_TRUE(services.messages.empty());
}

}  // namespace
