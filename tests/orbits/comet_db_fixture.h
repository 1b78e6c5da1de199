// A comet database written by the catalogue's record writer into a temporary
// program folder and opened as the program's comet database, with the
// messages shown recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/shared_state.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"

// A comet: name, perihelion date (day with fraction), q, e, angles in
// degrees, H and K.
inline CometRecord TestComet(const char* name, int year, int month, float day, float q, float e, float w = 0.0f,
                             float node = 0.0f, float inc = 0.0f, float h = 5.0f, float k = 10.0f) {
    CometRecord c{};
    c.kind = 13;
    std::strncpy(c.name, name, sizeof c.name - 1);
    c.year = static_cast<int16_t>(year), c.month = static_cast<int16_t>(month), c.day = day;
    c.perihelionDistance = q, c.eccentricity = e, c.argPerihelion = w, c.node = node, c.inclination = inc;
    c.absoluteMagnitude = h, c.slope = k;
    return c;
}

class CometDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetCatalogState();
    }
    void TearDown() override { ResetCatalogState(); }

    // Opens a copy of the comet file that scripts/run (scripts/catalogues)
    // made in build/release/data as the comet database; false where there is
    // none.
    bool OpenConvertedComets() {
        const std::filesystem::path converted =
            std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "build" / "release" / "data" / "zendavori_comet.ppc";
        if (!std::filesystem::exists(converted)) return false;
        std::filesystem::copy_file(converted, std::filesystem::path(folder.root()) / "data" / "zendavori_comet.ppc",
                                   std::filesystem::copy_options::overwrite_existing);
        EXPECT_TRUE(OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc"));
        return true;
    }

    void OpenComets(const std::vector<CometRecord>& comets) {
        std::vector<record_writer::Bytes> records;
        for (const CometRecord& c : comets) records.push_back(record_writer::CometBytes(c));
        folder.WriteDb("data\\zendavori_comet.ppc", 1, 128, records);
        CloseRecordDb(&cometDb);
        ASSERT_TRUE(OpenRecordDb(&cometDb, "pl11", "ZDV1", "data\\", "zendavori_comet.ppc"));
    }

    fixture::CatalogFolder folder;
    RecordingServices services;
};
