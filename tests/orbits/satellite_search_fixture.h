// Common set-up of the satellite search tests: the form state with its
// buffers, a satellite database of verification sets in a temporary program
// folder, recorded messages and a recording search display.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "catalog/databases.h"
#include "core/julian_day.h"
#include "orbits/pass_search.h"
#include "orbits/satellite_search_display.h"
#include "platform/device_services.h"
#include "satellite_fixtures.h"
#include "support/aged_satellite_sets.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/verification_sets.h"

inline SatelliteElements VerificationElements(int number) {
    auto [line1, line2] = VerificationLines(number);
    return ElementsOf(line1, line2);
}

inline double SecondsApart(double a, double b) { return std::fabs(a - b) * 86400.0; }

// `row` (local Julian days at `zone` minutes) as skyfield's pass `want`: rise
// and set within 1 s, the culmination within 10 s and its elevation
// skyfield's highest altitude to the whole degree.
inline void ExpectRowOfPass(const PassRow& row, const AgedPass& want, double zone, const std::string& what) {
    EXPECT_LT(SecondsApart(row.riseLocalJd - zone / 1440.0, want.rise), 1.0) << what;
    EXPECT_LT(SecondsApart(row.setLocalJd - zone / 1440.0, want.set), 1.0) << what;
    EXPECT_LT(SecondsApart(row.maxLocalJd - zone / 1440.0, want.culmination), 10.0) << what;
    EXPECT_TRUE(WholeDegreesOf(row.maxElevation, want.maxAltitude)) << what << " " << row.maxElevation;
}

// What the searches showed: the name line of every progress box, the row
// count of every redraw, every row whose details were asked for.
struct SearchDisplayLog {
    std::vector<std::string> boxNames;
    std::vector<int> rowCounts;
    std::vector<int> detailRows;
};

class SatelliteSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWithDefaults();
        ResetCatalogState();
        ResetSatelliteFormState();
        pl::ResetDeviceServices();
        log = SearchDisplayLog{};
        services.messages.clear();
        satelliteFormState.record = &record;
        satelliteFormState.elements = &elements;
        satelliteFormState.results = rows;
        satelliteFormState.transitMode = 0;  // the Pass view; the other views set their flags
        previousDisplay = InstallSatelliteSearchDisplay(RecordingDisplay());
    }
    void TearDown() override {
        InstallSatelliteSearchDisplay(previousDisplay);
        ResetSatelliteFormState();
        ResetCatalogState();
        SetSearchedSatellite(nullptr);
    }
    void Restart() {
        TearDown();
        SetUp();
    }

    // The satellites (name line, verification set) as the satellite database.
    void OpenSatellites(const std::vector<std::pair<std::string, int>>& satellites) {
        OpenElementSets(NamedVerificationSets(satellites));
    }
    void OpenElementSets(const std::vector<NamedElementSet>& sets) {
        std::vector<fixture::Bytes> records;
        for (const NamedElementSet& set : sets)
            records.push_back(fixture::SatelliteBytes(set.name, set.line1, set.line2));
        folder.WriteDb("data\\zendavori_satellites.ppc", 1, 213, records);
        ASSERT_TRUE(OpenRecordDb(&satelliteDb, "pl00", "ZDV1", "data\\", "zendavori_satellites.ppc"));
    }

    // The form's date and time: the local time of the UT Julian day `jd`.
    static void SetFormTime(double jd) {
        SatelliteFormState& f = satelliteFormState;
        JDToCalendar(jd + currentSite.zoneMinutes / 1440.0 + 0.5 / 86400.0, &f.year, &f.month, &f.day, &f.hour,
                     &f.minute, &f.second);
    }

    static std::vector<PassRow> Rows() {
        return std::vector<PassRow>(rows, rows + satelliteFormState.resultCount);
    }

    static SatelliteSearchDisplay RecordingDisplay() {
        SatelliteSearchDisplay d;
        d.showProgressBox = [](const char* name, int* x, int* y) {
            log.boxNames.push_back(name ? name : "");
            *x = 20, *y = 150;
        };
        d.showRows = [](int count, bool) { log.rowCounts.push_back(count); };
        d.showDetails = [](int row) {
            log.detailRows.push_back(row);
            return 7;
        };
        return d;
    }

    static inline SearchDisplayLog log;
    static inline PassRow rows[kMaxPassRows];
    fixture::CatalogFolder folder;
    RecordingServices services;
    SatelliteRecord record{};
    SatelliteElements elements{};
    SatelliteSearchDisplay previousDisplay;
};
