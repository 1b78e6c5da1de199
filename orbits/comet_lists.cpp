#include "orbits/comet_lists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <new>

#include "core/brent.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "orbits/comet_position.h"

CometMagEntry* CometMagList = nullptr;
int cometMagCount = 0;

namespace {

constexpr double kDaysBefore = 30.0;
constexpr double kMinimumTolerance = 1.1574074074074075e-10;
// The least Earth distance is looked for among samples kSampleStep days apart
// over R +- kSpan days, then refined between the two samples beside the least:
// the distance turns from falling to rising about once a year, so samples a
// few days apart find the valley of every approach, and a span of a year
// holds an opposition of most minor planets.
constexpr double kSpan = 180.0;
constexpr double kSampleStep = 4.0;
constexpr int kSamples = static_cast<int>(2 * kSpan / kSampleStep) + 1;
// How far past the span's end a search may go when the distance falls all
// through the span: for most minor planets an opposition a few months
// outside it, but an object whose period is near a year closes on the Earth
// for half its synodic period, 7 years at a = 1.05 AU and decades closer to
// 1 AU. Past this the record has no closest approach to list.
constexpr double kWalkLimit = 36525.0;

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

// Three dates a < b < c (or c < b < a), b's Earth distance not above the
// others', that bracket a real minimum of the distance of distanceRecord;
// all three not a number when no minimum was found.
struct Bracket {
    double a, b, c;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Bracket kNoMinimum{kNaN, kNaN, kNaN};

// A refined minimum: its Julian day and Earth distance (AU).
struct Minimum {
    double jd, distance;
};
constexpr Minimum kNoRefinedMinimum{kNaN, kNaN};

// The least Earth distance of distanceRecord within the bracket, by Brent's
// method; none for no bracket.
Minimum Refine(const Bracket& s) {
    if (!std::isfinite(s.b)) return kNoRefinedMinimum;
    double closest = s.b;
    const double distance = BrentMinimize(&closest, s.a, s.b, s.c, kMinimumTolerance, EarthDistanceAt);
    return {closest, distance};
}

// From the span's end `edge` (distance `atEdge`), steps outward in
// `direction` (+1 or -1) while the distance goes on falling, at most
// kWalkLimit days; none when it never rises again or has no place.
Bracket WalkPastSpan(double edge, double atEdge, double direction) {
    const double step = direction * kSampleStep;
    double before = edge - step, at = edge, atDistance = atEdge;
    for (double walked = 0; walked < kWalkLimit && std::isfinite(atDistance); walked += kSampleStep) {
        const double next = at + step, nextDistance = EarthDistanceAt(next);
        if (nextDistance > atDistance) return {before, at, next};
        before = at, at = next, atDistance = nextDistance;
    }
    return kNoMinimum;
}

// The Earth distances sampled over reference +- kSpan days.
struct SpanSamples {
    double reference;
    std::array<double, kSamples> distance;
    double At(int k) const { return reference - kSpan + k * kSampleStep; }
};

// The minimum that the span's outermost step at sample `end` (0 or the last)
// may hold: when the distance falls to that end and rises again one step
// past it, the refined minimum if it lies within the span; none otherwise.
Minimum EndMinimum(const SpanSamples& s, int end) {
    const int inward = end == 0 ? 1 : -1;
    if (!(s.distance[end] <= s.distance[end + inward])) return kNoRefinedMinimum;
    const double beyond = s.At(end) - inward * kSampleStep;
    if (!(EarthDistanceAt(beyond) > s.distance[end])) return kNoRefinedMinimum;
    const Minimum m = Refine({s.At(end + inward), s.At(end), beyond});
    return std::fabs(m.jd - s.reference) <= kSpan ? m : kNoRefinedMinimum;
}

// The least of the refined minima of the span: that of the least sampled
// local minimum among the samples within it, and those its outermost steps
// hold (the end samples have no outer neighbour to show them).
Minimum LeastWithinSpan(const SpanSamples& s) {
    int least = -1;
    for (int k = 1; k + 1 < kSamples; ++k)
        if (s.distance[k] <= s.distance[k - 1] && s.distance[k] <= s.distance[k + 1] &&
            (least < 0 || s.distance[k] < s.distance[least]))
            least = k;
    Minimum best = least >= 0 ? Refine({s.At(least - 1), s.At(least), s.At(least + 1)}) : kNoRefinedMinimum;
    for (int end : {0, kSamples - 1}) {
        const Minimum m = EndMinimum(s, end);
        if (m.distance < best.distance || !std::isfinite(best.jd)) best = m;
    }
    return best;
}

// Julian day of the least Earth distance of distanceRecord near `reference`:
// the least minimum within reference +- kSpan days; with none there (the
// distance falls all through the span), the first minimum past the span's
// end of smaller distance; not a number when there is no minimum.
double ClosestApproach(double reference) {
    SpanSamples s{reference, {}};
    for (int k = 0; k < kSamples; ++k) s.distance[k] = EarthDistanceAt(s.At(k));
    const Minimum within = LeastWithinSpan(s);
    if (std::isfinite(within.jd)) return within.jd;
    const bool before = s.distance.front() < s.distance.back();
    return Refine(before ? WalkPastSpan(s.At(0), s.distance.front(), -1.0)
                         : WalkPastSpan(s.At(kSamples - 1), s.distance.back(), 1.0))
        .jd;
}

// Best Dates row of record `index` (work words filled); false when it is
// left out. Which records are listed depends on the reference date and the
// magnitude at perihelion; the row's magnitude is that of its own date. A
// record without a closest approach, or whose law gives no magnitude there
// (a damaged slope), has no row.
bool BestDateOf(int index, const CometRecord& record, double now, CometMagEntry* entry) {
    const double reference = CometReferenceDate(record);
    if (!(reference >= now - kDaysBefore)) return false;
    const Place perihelion = PlaceAt(record, record.workPerihelionTime, record.year);
    if (perihelion.status == 0) return false;
    if (!IsCometMagnitudeListed(ComputeCometMagnitude(&record, perihelion.delta, perihelion.r, perihelion.phase)))
        return false;
    distanceRecord = record;
    const double closest = ClosestApproach(reference);
    if (!std::isfinite(closest)) return false;
    const Place at = PlaceAt(record, closest, record.year);
    const float magnitude = static_cast<float>(ComputeCometMagnitude(&record, at.delta, at.r, at.phase));
    if (at.status == 0 || !std::isfinite(magnitude)) return false;
    int second = 0;
    entry->index = index;
    JDToCalendar(closest, &entry->year, &entry->month, &entry->day, &entry->hour, &entry->minute, &second);
    entry->magnitude = magnitude;
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
