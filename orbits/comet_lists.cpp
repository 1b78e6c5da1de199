#include "orbits/comet_lists.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <new>
#include <unordered_map>

#include "core/brent.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/text_numbers.h"
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
// How far past the span's end a search may go when the distance is least
// there and still falling: for most minor planets an opposition a few months
// outside it, but an object whose period is near a year closes on the Earth
// for half its synodic period, 7 years at a = 1.05 AU and decades closer to
// 1 AU. Past this the record has no closest approach to list.
constexpr double kWalkLimit = 36525.0;

constexpr double kRadians = 0.0174532925199433;
constexpr double kGauss = 0.01720209895;
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The Earth distance of one record prepared for the search: the axes of its
// orbital plane on the ecliptic of J2000 (towards perihelion, and 90 degrees
// ahead in the direction of motion), so that the heliocentric position is
// x P + y Q of the plane position. The distance is that of
// ComputeCometPosition, where the precession to the record's own equinox
// turns the object and the Sun alike about the ecliptic pole and so leaves
// it unchanged.
//
// An ellipse below e = 0.6, where the solver iterates E = M + e sin E (a
// dozen to fifty sines a place), takes its eccentric anomaly by Newton's
// method from the one last found, days away along the search: two or three
// steps. Other orbits, and one whose steps do not settle, take SolveOrbit.
struct DistanceTrack {
    CometRecord record;
    double toPerihelion[3], ahead[3];
    bool newton;
    double e, a, perihelion, motion;  // motion in radians a day
    bool anomalyKnown;
    double mean, anomaly;  // the last mean anomaly solved, continued across 2 pi, and its E
};

DistanceTrack distanceTrack{};

void PrepareDistance(const CometRecord& record) {
    DistanceTrack& t = distanceTrack;
    t.record = record;
    double sinW, cosW, sinNode, cosNode, sinI, cosI;
    SinCos(record.workArgPerihelion * kRadians, &sinW, &cosW);
    SinCos(record.workNode * kRadians, &sinNode, &cosNode);
    SinCos(record.workInclination * kRadians, &sinI, &cosI);
    t.toPerihelion[0] = cosW * cosNode - cosI * sinW * sinNode, t.ahead[0] = -sinW * cosNode - cosI * cosW * sinNode;
    t.toPerihelion[1] = cosW * sinNode + cosI * sinW * cosNode, t.ahead[1] = -sinW * sinNode + cosI * cosW * cosNode;
    t.toPerihelion[2] = sinI * sinW, t.ahead[2] = sinI * cosW;
    const double q = record.workPerihelionDistance;
    t.e = record.workEccentricity;
    t.a = q / (1.0 - t.e);
    t.perihelion = CometPerihelionTime(&record);
    t.motion = kGauss / (t.a * std::sqrt(t.a));
    t.newton = t.e >= 0.0 && t.e < 0.6 && q > 0.0 && std::isfinite(t.a) && std::isfinite(t.perihelion);
    t.anomalyKnown = false;
}

// The plane position (AU) of an ellipse below e = 0.6 at `jd` by Newton's
// method on E - e sin E = M, from E + dM / (1 - e cos E) of the last solution
// when M has moved by less than a radian since, else from M + e sin M. The
// slope 1 - e cos E is at least 0.4, so a step below 1e-7 leaves E within
// 1e-13; false after 8 steps.
bool NewtonPlane(double jd, double* x, double* y) {
    DistanceTrack& t = distanceTrack;
    const double m = std::remainder(t.motion * (jd - t.perihelion), kTwoPi);
    // Both in [-pi, pi]: the change of M, taken the short way round.
    const double turn = m - t.mean, change = turn > kPi ? turn - kTwoPi : turn < -kPi ? turn + kTwoPi : turn;
    double mean = m, ea = m + t.e * std::sin(m);
    if (t.anomalyKnown && std::fabs(change) < 1.0) {
        mean = t.mean + change;
        ea = t.anomaly + change / (1.0 - t.e * std::cos(t.anomaly));
    }
    for (int n = 0; n < 8; ++n) {
        double sine, cosine;
        SinCos(ea, &sine, &cosine);
        const double step = (ea - t.e * sine - mean) / (1.0 - t.e * cosine);
        ea -= step;
        if (!(std::fabs(step) < 1e-7)) continue;
        // sin and cos of the new E to the first order of the step (its square, below 1e-14, dropped).
        *x = t.a * (cosine + step * sine - t.e);
        *y = t.a * std::sqrt(1.0 - t.e * t.e) * (sine - step * cosine);
        const double turns = std::nearbyint(mean / kTwoPi);
        t.mean = mean - turns * kTwoPi, t.anomaly = ea - turns * kTwoPi, t.anomalyKnown = true;
        return true;
    }
    t.anomalyKnown = false;
    return false;
}

// The plane position (AU) of the prepared record at `jd`; false where its
// orbit gives none.
bool PlaneAt(double jd, double* x, double* y) {
    if (distanceTrack.newton && NewtonPlane(jd, x, y)) return true;
    float plane[3];
    if (!SolveOrbit(&distanceTrack.record, jd, plane)) return false;
    *x = plane[0], *y = plane[1];
    return true;
}

// The Sun's geocentric ecliptic position (AU, mean equinox of J2000) at 0h
// UT of whole days, kept as the searches of one build ask for them: the
// samples of every minor planet, whose reference date is a date's 0h, fall
// on the same days.
struct SunPlace {
    double x, y;
};
std::unordered_map<int64_t, SunPlace> sunOfDay;

SunPlace SunAt(double jd) {
    SunPlace sun{};
    double distance = 0;
    const double day = jd - 0.5;
    if (std::floor(day) != day || !(std::fabs(day) < 1e9)) {
        CometSunPosition(jd, 2000, &sun.x, &sun.y, &distance);
        return sun;
    }
    const auto [at, added] = sunOfDay.try_emplace(static_cast<int64_t>(day));
    if (added) CometSunPosition(jd, 2000, &at->second.x, &at->second.y, &distance);
    return at->second;
}

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
// others', that bracket a real minimum of the distance; all three not a
// number when no minimum was found.
struct Bracket {
    double a, b, c;
};

constexpr Bracket kNoMinimum{kNaN, kNaN, kNaN};

// Julian day of the least Earth distance within the bracket, by Brent's
// method; not a number for no bracket.
double Refine(const Bracket& s) {
    if (!std::isfinite(s.b)) return kNaN;
    double closest = s.b;
    BrentMinimize(&closest, s.a, s.b, s.c, kMinimumTolerance, EarthDistanceAt);
    return closest;
}

// From the span's end `edge` (distance `atEdge`), steps outward in
// `direction` (+1 or -1) while the distance goes on falling, at most
// kWalkLimit days: the bracket of the first minimum past the edge (that of
// the span's outermost step when the distance rises at once); none when it
// never rises again or has no place.
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

// Julian day of the least Earth distance near `reference`: among samples
// kSampleStep days apart over reference +- kSpan days, the least one refined
// between its neighbours; where the least is an end sample, the first
// minimum past that end (the distance may still fall past it, or rise within
// the span's outermost step); not a number when no sample has a place, or
// the least one lacks a neighbour's, or there is no minimum.
double ClosestApproach(double reference) {
    std::array<double, kSamples> distance{};
    const auto at = [reference](int k) { return reference - kSpan + k * kSampleStep; };
    int least = -1;
    for (int k = 0; k < kSamples; ++k) {
        distance[k] = EarthDistanceAt(at(k));
        if (std::isfinite(distance[k]) && (least < 0 || distance[k] < distance[least])) least = k;
    }
    if (least < 0) return kNaN;
    if (least == 0) return Refine(WalkPastSpan(at(0), distance[0], -1.0));
    if (least == kSamples - 1) return Refine(WalkPastSpan(at(least), distance[least], 1.0));
    if (!std::isfinite(distance[least - 1]) || !std::isfinite(distance[least + 1])) return kNaN;
    return Refine({at(least - 1), at(least), at(least + 1)});
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
    PrepareDistance(record);
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
    double u = 0, v = 0;
    if (!PlaneAt(jd, &u, &v)) return kNaN;
    const SunPlace sun = SunAt(jd);
    const double* p = distanceTrack.toPerihelion;
    const double* q = distanceTrack.ahead;
    const double x = u * p[0] + v * q[0] + sun.x, y = u * p[1] + v * q[1] + sun.y, z = u * p[2] + v * q[2];
    const double distance = std::sqrt(x * x + y * y + z * z);
    return std::isfinite(distance) ? distance : kNaN;
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
    sunOfDay.clear();
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
