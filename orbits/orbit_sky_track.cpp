#include "orbits/orbit_sky_track.h"

#include <cstring>

#include "core/constellation.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "orbits/comet_position.h"

namespace {

constexpr int kTrackSourceIndex = 11;
constexpr int kCometDesignation = 12;
constexpr int kCometSource = 12;

}  // namespace

int BuildOrbitSkyTrack(SelectionEntry* track, const CometRecord& record, int index, int year, int month, int day,
                       int stepDays, int zoneMinutes) {
    std::memset(track, 0, sizeof(SelectionEntry) * kOrbitTrackPoints);
    int solved = 0;
    for (int point = 0; point < kOrbitTrackPoints; ++point) {
        SelectionEntry& e = track[point];
        FormatDate(e.name, sizeof e.name, day, month, year);
        e.number = index;
        e.sourceIndex = kTrackSourceIndex;
        e.designation = kCometDesignation;
        e.objectType = static_cast<int16_t>(record.kind);
        e.source = kCometSource;
        const double jd = JulianDayFromDateTime(year, month, day, 0, 0, 0, zoneMinutes);
        float ra = 0, dec = 0, delta = 0, r = 0, elongation = 0, phase = 0;
        if (ComputeCometPosition(&record, jd, year, &ra, &dec, &delta, &r, &elongation, &phase)) {
            e.rightAscension = ra;
            e.declination = dec;
            e.constellation = static_cast<int16_t>(FindConstellation(ra, dec, jd));
            ++solved;
        } else {
            e.horizonHidden = 1;
        }
        AddDaysToDate(&year, &month, &day, stepDays);
    }
    return solved;
}
