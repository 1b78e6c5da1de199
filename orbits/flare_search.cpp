#include "orbits/flare_search.h"

#include <cmath>
#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "orbits/flare_daylight.h"
#include "orbits/flare_peak.h"
#include "orbits/pass_search.h"
#include "orbits/satellite_search_display.h"

namespace {

// The element set of the Next and Flare searches.
SatelliteElements flareElements;

// The window of a Next or Flare search and the Sun's daylight around the
// form's date and the next day.
struct FlareWindow {
    double start, end;
    FlareDaylight daylight;
};

FlareWindow MakeFlareWindow(const SatelliteFormState& form) {
    const int zone = currentSite.zoneMinutes;
    FlareWindow w{};
    if (form.flareMode) {
        w.start = JulianDayFromDateTime(form.year, form.month, form.day, 0, 0, 0, zone);
        w.end = w.start + 2.0;
    } else {
        w.start = JulianDayFromDateTime(form.year, form.month, form.day, form.hour, form.minute, form.second, zone) -
                  1.0 / 24.0;
        w.end = w.start + 0.5;
    }
    w.daylight = ComputeFlareDaylight(form.year, form.month, form.day);
    return w;
}

// The flare steps of one pass (elements' passRiseJd .. passSetJd): false when
// the pass gives no flare row, with *t moved past daylight or deep night.
bool CheckFlare(PassRow* row, SatelliteElements* el, const FlareWindow& w, double* t) {
    const double rise = el->passRiseJd, set = el->passSetJd;
    const double fiveMinutes = 0.003472222222222222, twoHours = 2.0 / 24.0;
    const FlareDaylight& d = w.daylight;
    for (int k = 0; k < kFlareDaylightSpans; ++k) {
        if (rise > d.start[k] && set < d.end[k]) {
            *t = d.end[k] + fiveMinutes;
            return false;
        }
    }
    if (rise > d.end[1] + twoHours && set < d.start[2] - twoHours) {  // the deep night after the date's daylight
        *t = d.start[2] - twoHours;
        return false;
    }
    double peak = 0.0, angle = 0.0;
    if (!FindFlarePeak(rise, el, &peak, &angle)) return false;
    ComputeSatelliteLookAngles(peak, el);
    if (!(el->elevation >= MinimumPassElevation(satelliteFormState.minElevationIndex))) return false;
    if (InFlareDaylight(w.daylight, peak)) return false;
    row->peakLocalJd = peak + currentSite.zoneMinutes / 1440.0;
    row->peakAngle = angle;
    return true;
}

bool PassesNameFilter(const char* name, bool flare) {
    return flare ? std::strncmp(name, "IR", 2) == 0 : std::strncmp(name, "IRI", 3) != 0;
}

// The passes of record `index` into the form's rows: every flare of the
// window (Flare), or the first pass of the window that reaches the minimum
// elevation (Next). A record whose fields are out of range is passed over.
// False when the record cannot be read, which ends the search after its one
// message.
bool SearchSatellite(int index, const FlareWindow& w) {
    SatelliteFormState& form = satelliteFormState;
    const bool flare = form.flareMode != 0;
    SatelliteRecord record;
    if (!GetSatelliteRecord(index, &record)) return false;
    char name[kSatelliteLineSize];
    GetSatelliteLine(record.nameLine, name);
    if (!PassesNameFilter(name, flare)) return true;
    SatelliteElements* el = &flareElements;
    *el = SatelliteElements{};
    const ObserverSite observer = SiteObserver();
    if (!InitSatelliteElements(&record, el) || !IsSatelliteVisibleFromSite(el, observer.latitude)) return true;
    for (double t = w.start; form.resultCount < kMaxPassRows;) {
        StepBusyIndicator(1);
        int textX, textY;
        ShowSearchProgressBox(name, &textX, &textY);
        if (!FindNextPass(t, w.end, &el->passRiseJd, &el->passSetJd, el, &observer, textX, textY)) return true;
        PassRow* row = &form.results[form.resultCount];
        FillPassRow(row, index, record, el);
        row->peakLocalJd = row->riseLocalJd;
        t = NextPassStart(el);
        bool used = flare ? CheckFlare(row, el, w, &t)
                          : row->maxElevation >= MinimumPassElevation(form.minElevationIndex);
        if (!used) continue;  // the next pass within the window
        SortPassRows(form.results, ++form.resultCount);
        ShowSearchRows(form.resultCount, true);
        if (!flare && !form.transitMode) return true;
    }
    return true;
}

}  // namespace

int SearchFlares(int /*recordIndex*/) {
    SatelliteFormState& form = satelliteFormState;
    if (!form.results) return 0;
    PrepareSearchDisplay();
    if (form.resultCount > 1 && form.results[0].satelliteIndex == form.results[1].satelliteIndex) {
        form.resultCount = 0;
    } else if (form.resultCount > 0) {
        EndBusyIndicator(0);
        return ShowSearchDetails(form.selectedResult);
    }
    const FlareWindow window = MakeFlareWindow(form);
    const int count = GetSatelliteCount();
    for (int index = 0; index < count && form.resultCount < kMaxPassRows; ++index)
        if (!SearchSatellite(index, window)) break;
    EndBusyIndicator(0);
    return ShowSearchDetails(form.selectedResult);
}

int FlareIntensity(double angle) {
    if (!(std::fabs(angle) < 1e8)) return 0;
    return (2 * (static_cast<int>(std::trunc(10.0 * angle)) - 14)) / 3;
}
