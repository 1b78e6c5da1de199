#include "support/location_records_entry.h"

#include <cmath>
#include <cstring>

#include "core/shared_state.h"
#include "support/fuzz_folder.h"
#include "support/recording_services.h"
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
    FuzzFolder folder;
    folder.Write("data\\zendavori_location.ppc", data, size);
    RecordingServices services;
    // Each record read opens the file again (as the program does): the first
    // records, and those at the end of the longest inputs.
    for (int index = -1; index < 70; index = index == 15 ? 60 : index + 1) {
        LocationDbRecord record;
        std::memset(&record, 0x7F, sizeof record);
        if (!GetLocationRecord(index, &record)) continue;
        if (int failed = CheckRecord(record)) return failed;
    }
    return 0;
}
