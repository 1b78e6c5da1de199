#include "support/comet_records_entry.h"

#include <cmath>
#include <fstream>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "orbits/comet_place.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"

namespace {

constexpr int kMostRecords = 64;

int CheckPlaces(CometRecord* comet) {
    for (double jd : {2451540.5, 2460310.5}) {
        CometPlace place{-1.0f, -1.0f, -1.0f, -1.0};
        if (!CometPlaceAt(comet, jd, 2000, &place)) {
            if (place.rightAscension != -1.0f || place.declination != -1.0f || place.distance != -1.0f ||
                place.magnitude != -1.0)
                return 2;
            continue;
        }
        if (!(place.rightAscension >= 0.0f && place.rightAscension <= 24.0f) ||
            !(std::fabs(place.declination) <= 90.0f) || !std::isfinite(place.distance) ||
            !std::isfinite(place.magnitude))
            return 1;
    }
    return 0;
}

}  // namespace

int RunCometRecords(const uint8_t* data, std::size_t size) {
    TempProgramFolder folder("comet_records");
    std::filesystem::create_directories(folder.path() / "data");
    std::ofstream(folder.path() / "data" / "zendavori_comet.ppc", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    RecordingServices services;
    int result = 0;
    if (OpenRecordDb(&cometDb, "pl00", "ZDV1", "data\\", "zendavori_comet.ppc")) {
        const int count = GetCometCount() < kMostRecords ? GetCometCount() : kMostRecords;
        for (int index = -1; index <= count && result == 0; ++index) {
            CometRecord comet;
            if (GetCometData(index, &comet)) result = CheckPlaces(&comet);
        }
    }
    CloseRecordDb(&cometDb);
    return result;
}
