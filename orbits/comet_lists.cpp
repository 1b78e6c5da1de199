#include "orbits/comet_lists.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "core/brent.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "orbits/comet_position.h"

CometMagEntry* CometMagList = nullptr;
int cometMagCount = 0;

namespace {

constexpr double kDaysBefore = 30.0;
constexpr double kCometDaysAfter = 30.0;
constexpr double kMinorPlanetDaysAfter = 90.0;
constexpr double kMinimumTolerance = 1.1574074074074075e-10;

// The record whose Earth distance the minimisation follows.
CometRecord distanceRecord{};

struct Place {
    int status;
    float ra, dec, delta, r, elongation, phase;
};

Place PlaceAt(const CometRecord& record, double jd, int equinoxYear) {
    Place p{};
    p.status = ComputeCometPosition(&record, jd, equinoxYear, &p.ra, &p.dec, &p.delta, &p.r, &p.elongation, &p.phase);
    return p;
}

// A new zero-filled list for every record; false (and the message) when it
// cannot be had.
bool MakeList() {
    FreeCometMagList();
    const int count = GetCometCount();
    CometMagList = new (std::nothrow) CometMagEntry[std::max(count, 1)]{};
    if (CometMagList) return true;
    ShowInformation("Can't allocate memory during initialization for CometMagList", "");
    return false;
}

void SetDate(CometMagEntry* e, int year, int month, int day, int hour, int minute) {
    e->year = year, e->month = month, e->day = day, e->hour = hour, e->minute = minute;
}

// Best Dates row of record `index` (work words filled); false when it is
// left out.
bool BestDateOf(int index, const CometRecord& record, double now, CometMagEntry* entry) {
    const double reference = CometReferenceDate(record);
    if (!(reference >= now - kDaysBefore)) return false;
    const Place at = PlaceAt(record, record.workPerihelionTime, record.year);
    if (at.status == 0) return false;
    const double m = ComputeCometMagnitude(&record, at.delta, at.r, at.phase);
    if (!IsCometMagnitudeListed(m)) return false;
    distanceRecord = record;
    const double after = record.kind == kMinorPlanetRecordKind ? kMinorPlanetDaysAfter : kCometDaysAfter;
    double closest = reference;
    const double least = BrentMinimize(&closest, reference - kDaysBefore, reference, reference + after,
                                       kMinimumTolerance, EarthDistanceAt);
    if (!std::isfinite(least) || !std::isfinite(closest)) return false;
    int second = 0;
    entry->index = index;
    JDToCalendar(closest, &entry->year, &entry->month, &entry->day, &entry->hour, &entry->minute, &second);
    entry->magnitude = static_cast<float>(ComputeCometMagnitude(&record, least, at.r, at.phase));
    return true;
}

// A new list of the rows `row` makes of the readable records (work words
// filled; false leaves a record out), one busy step each, sorted by `compare`.
template <class RowOf>
int Collect(RowOf row, int (*compare)(const CometMagEntry&, const CometMagEntry&)) {
    if (!MakeList()) return -1;
    const int count = GetCometCount();
    CometRecord record{};
    for (int index = 0; index < count; ++index) {
        if (!GetCometData(index, &record)) continue;
        FillCometWorkWords(&record);
        if (!row(index, record, &CometMagList[cometMagCount])) continue;
        StepBusyIndicator(1);
        ++cometMagCount;
    }
    EndBusyIndicator(0);
    if (cometMagCount > 1)
        std::stable_sort(CometMagList, CometMagList + cometMagCount,
                         [compare](const CometMagEntry& a, const CometMagEntry& b) { return compare(a, b) < 0; });
    return cometMagCount;
}

}  // namespace

void FreeCometMagList() {
    delete[] CometMagList;
    CometMagList = nullptr;
    cometMagCount = 0;
}

double EarthDistanceAt(double jd) {
    return PlaceAt(distanceRecord, jd, distanceRecord.year).delta;
}

int CompareCometMagnitude(const CometMagEntry& a, const CometMagEntry& b) {
    // The 16-bit difference of hundredths; a difference beyond the int32 range
    // (an absurd typed magnitude) saturates before the conversion.
    const double difference = a.magnitude * 100.0 - b.magnitude * 100.0;
    if (!std::isfinite(difference)) return 0;
    return static_cast<int16_t>(static_cast<int32_t>(std::clamp(difference, -2147483648.0, 2147483647.0)));
}

int CompareCometDate(const CometMagEntry& a, const CometMagEntry& b) {
    if (a.year != b.year) return static_cast<int16_t>(a.year - b.year);
    if (a.month != b.month) return static_cast<int16_t>(a.month - b.month);
    return static_cast<int16_t>(a.day - b.day);
}

bool IsCometMagnitudeListed(double magnitude) {
    return !std::isnan(magnitude) && magnitude <= kCometListMagnitudeLimit;
}

double CometReferenceDate(const CometRecord& record) {
    if (record.kind != kMinorPlanetRecordKind) return record.workPerihelionTime;
    const double whole = std::floor(record.day);
    if (!(std::fabs(whole) < 1e7)) return std::nan("");
    const double j = JulianDayFromDateTime(record.year, record.month, static_cast<int>(whole), 0, 0, 0, 0);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    CalendarFromJulianDay(2.0 * record.epochJulianDay - j, &year, &month, &day, &hour, &minute, &second);
    return JulianDayFromDateTime(year, month, day, 0, 0, 0, 0);
}

int CollectBestDates(double now) {
    return Collect([now](int index, const CometRecord& record, CometMagEntry* entry) {
        return BestDateOf(index, record, now, entry);
    }, CompareCometDate);
}

int CollectBrightest(double now, int year, int month, int day, int hour, int minute) {
    return Collect([=](int index, const CometRecord& record, CometMagEntry* entry) {
        const Place at = PlaceAt(record, now, year);
        if (at.status == 0) return false;
        const double m = ComputeCometMagnitude(&record, at.delta, at.r, at.phase);
        if (!IsCometMagnitudeListed(m)) return false;
        entry->index = index;
        entry->magnitude = static_cast<float>(m);
        SetDate(entry, year, month, day, hour, minute);
        return true;
    }, CompareCometMagnitude);
}
