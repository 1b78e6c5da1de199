#include "support/location_records_entry.h"

#include <cmath>
#include <cstring>
#include <fstream>

#include "core/shared_state.h"
#include "support/recording_services.h"
#include "support/temp_program_folder.h"
#include "tools/observer_site.h"

namespace {

int CheckRecord(const LocationDbRecord& r) {
    if (!(std::fabs(r.latitude) <= 90.0f && std::fabs(r.longitude) <= 180.0f && std::abs(r.zoneMinutes) <= 1439))
        return 1;
    if (strnlen(r.firstName, sizeof r.firstName) > 24 || strnlen(r.secondName, sizeof r.secondName) > 24) return 2;
    ResetSiteRecord(currentSite);
    TakeLocationRecord(r);
    return strnlen(currentSite.name, sizeof currentSite.name) > 11 || !std::isfinite(currentSite.sinLatitude) ? 3 : 0;
}

}  // namespace

int RunLocationRecords(const uint8_t* data, std::size_t size) {
    TempProgramFolder folder("location_records");
    std::filesystem::create_directories(folder.path() / "data");
    std::ofstream(folder.path() / "data" / "zendavori_location.ppc", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    RecordingServices services;
    for (int index = -1; index < 70; ++index) {
        LocationDbRecord record;
        std::memset(&record, 0x7F, sizeof record);
        if (!GetLocationRecord(index, &record)) continue;
        if (int failed = CheckRecord(record)) return failed;
    }
    return 0;
}
