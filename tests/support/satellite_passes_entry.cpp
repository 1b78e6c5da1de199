#include "support/satellite_passes_entry.h"

#include <cmath>
#include <cstring>

#include "core/shared_state.h"
#include "orbits/pass_search.h"
#include "orbits/satellite_record_check.h"

namespace {

constexpr double kFallbackStart = 2453911.5;  // 2006-06-25 0h UT
constexpr long kMostElevationsPerPass = 5000;
constexpr int kMostPasses = 1000;

// The epoch moved by `days` when that lies between 1900 and 2100, else a
// fixed date: the form's date of a search is always an ordinary one.
double SearchStart(double epochJd, double days) {
    const double start = epochJd + days;
    return start >= 2415020.5 && start <= 2488069.5 ? start : kFallbackStart;
}

}  // namespace

int RunSatellitePasses(const uint8_t* data, std::size_t size) {
    if (!CheckSatelliteRecordBytes(data, size)) return 1;
    SatelliteRecord record;
    std::memset(&record, ' ', sizeof record);
    if (size > 0) std::memcpy(&record, data, size < sizeof record ? size : sizeof record);
    SatelliteElements el{};
    InitSatelliteElements(&record, &el);
    const double latitude = size > sizeof record ? (data[sizeof record] - 128) / 128.0 * 90.0 : 51.5;
    ResetSiteRecord(currentSite);  // zone 0: the rows' local times are UT
    SetSiteLatitude(currentSite, latitude);
    currentSite.longitude = 0.0f;
    const ObserverSite observer = ObserverFromCurrentSite(0.0);
    const double days = size > sizeof record + 1 ? (data[sizeof record + 1] - 128) * 100.0 : 0.0;
    const double start = SearchStart(el.epochJd, days), end = start + 1.0;
    double t = start, previousSet = 0.0;
    for (int passes = 0; FindNextPass(t, end, &el.passRiseJd, &el.passSetJd, &el, &observer, 0, 0); ++passes) {
        const double rise = el.passRiseJd, set = el.passSetJd;
        if (!std::isfinite(rise) || !std::isfinite(set) || rise > set || set < t) return 2;
        if (rise > end) return 5;
        if (rise <= previousSet) return 6;
        previousSet = set;
        PassRow row;
        FillPassRow(&row, 0, record, &el);
        if (row.maxLocalJd < rise || row.maxLocalJd > set) return 2;
        if (SatelliteEvaluationCount() > kMostElevationsPerPass) return 3;
        const double next = NextPassStart(&el);
        if (!(next > t) || passes == kMostPasses) return 4;
        t = next;
    }
    SetSearchedSatellite(nullptr);
    return SatelliteEvaluationCount() > kMostElevationsPerPass ? 3 : 0;
}
