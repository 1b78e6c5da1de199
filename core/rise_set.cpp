#include "core/rise_set.h"

#include <algorithm>
#include <cmath>

#include "core/interpolation.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kNeverSets = 23.99;
constexpr double kSolarPerSidereal = 0.9972695663;  // mean solar time per unit of sidereal time
constexpr double kHalfPi = 1.5707963267948966;

// The sidereal time at local noon that ComputeRiseTransitSetFixed last used.
struct NoonSiderealCache {
    int year = 0, month = 0, day = 0, zone = 0;
    double longitude = 0.0;
    double siderealTime = 0.0;
};

NoonSiderealCache noonCache;
long noonSiderealCount = 0;

// A fraction of a day brought into 0..1 by whole days. Far east of its zone
// meridian (a zone of +12 h or more) a site can put m below -1, where a single
// day's shift would leave every event on the day before.
double BringIntoDay(double m) {
    if (m > 1) return m - std::ceil(m - 1);
    if (m < 0) return m + std::ceil(-m);
    return m;
}

// The site as the engines read it.
struct EngineSite {
    double sinPhi, cosPhi, longitude;
};

EngineSite ReadSite() {
    return {currentSite.sinLatitude, currentSite.cosLatitude, currentSite.longitude};
}

// A declination (degrees) in radians, held within +-pi/2: 90 times the rounded degree passes
// pi/2, where the cosine turns negative (-3.8e-16) and, as a divisor, would turn a place at a
// pole of the sky from up all day to down all day and the reverse.
double DeclinationRadians(double dec) { return std::clamp(dec * kDegToRad, -kHalfPi, kHalfPi); }

// Cosine of the hour angle at which a body at declination dec (degrees) stands where the sine
// of its altitude is sinAltitude; beyond +-1 when it never gets there. A place at a pole of the
// sky, whose altitude is the latitude (or minus it) all day, is beyond on the side of that.
double CosHourAngleAt(double sinPhi, double cosPhi, double sinAltitude, double dec) {
    const double delta = DeclinationRadians(dec);
    return (sinAltitude - sinPhi * std::sin(delta)) / (cosPhi * std::cos(delta));
}

// Cosine of the hour angle at which a body at declination dec (degrees) stands at h0
// (degrees); beyond +-1 when it never reaches h0.
double CosHourAngleAtH0(const EngineSite& site, double h0, double dec) {
    return CosHourAngleAt(site.sinPhi, site.cosPhi, std::sin(h0 * kDegToRad), dec);
}

// The body's path through the day as the interpolating engine sees it: its places at 0 h local
// of the three days (right ascensions made continuous), the Greenwich sidereal angle at 0 h
// local and the site.
struct Track {
    double ra[3], dec[3];
    double theta0;  // degrees
    EngineSite site;

    // Hour angle (radians, not reduced) and declination (radians) m days after 0 h local. The
    // places belong to their universal times, so m needs no Delta T.
    void At(double m, double* hourAngle, double* delta) const {
        const double theta = std::fmod(360.985647 * m + theta0, 360.0);
        *hourAngle = (theta - 15.0 * Interpolate3(ra[0], ra[1], ra[2], m) - site.longitude) * kDegToRad;
        *delta = Interpolate3(dec[0], dec[1], dec[2], m) * kDegToRad;
    }
    // Altitude in degrees at an hour angle and declination (radians).
    double Altitude(double hourAngle, double delta) const {
        return std::asin(std::clamp(site.sinPhi * std::sin(delta) +
                                        site.cosPhi * std::cos(delta) * std::cos(hourAngle),
                                    -1.0, 1.0)) *
               kRadToDeg;
    }
    double AltitudeAt(double m) const {
        double hourAngle, delta;
        At(m, &hourAngle, &delta);
        return Altitude(hourAngle, delta);
    }
};

// Corrections stop below kConverged days, after kMaxPasses at most, each at most half a day; a
// crossing that ends further than kOnHorizon degrees from h0 did not happen.
constexpr int kMaxPasses = 10;
constexpr double kConverged = 1e-5;
constexpr double kMaxStep = 0.5;
constexpr double kOnHorizon = 0.01;

double LimitStep(double step) {
    return std::fabs(step) <= kMaxStep ? step : std::copysign(kMaxStep, step);  // NaN gives +-0.5
}

// Corrects m to the instant the body's hour angle is `target` degrees: 0 its upper
// culmination, 180 its lower one.
double RefineCulmination(const Track& track, double m, double target) {
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        double hourAngle, delta;
        track.At(m, &hourAngle, &delta);
        hourAngle = std::remainder(hourAngle * kRadToDeg - target, 360.0);  // -180..+180
        const double step = LimitStep(-hourAngle / 360.0);
        m += step;
        if (std::fabs(step) < kConverged) break;
    }
    return m;
}

double RefineTransit(const Track& track, double m) { return RefineCulmination(track, m, 0.0); }

// Corrects *m to the instant the body crosses h0, rising (direction -1, east of the meridian)
// or setting (+1, west). Returns false when they found no crossing: they did not settle (as
// near a culmination that grazes h0), or ended off h0 or on the wrong side of the meridian.
bool RefineCrossing(const Track& track, double h0, int direction, double* m) {
    bool converged = false;
    for (int pass = 0; pass < kMaxPasses && !converged; ++pass) {
        double hourAngle, delta;
        track.At(*m, &hourAngle, &delta);
        const double h = track.Altitude(hourAngle, delta);
        const double step = LimitStep(
            (h - h0) / (360.0 * std::cos(delta) * track.site.cosPhi * std::sin(hourAngle)));
        *m += step;
        converged = std::fabs(step) < kConverged;
    }
    double hourAngle, delta;
    track.At(*m, &hourAngle, &delta);
    return converged && std::fabs(track.Altitude(hourAngle, delta) - h0) <= kOnHorizon &&
           direction * std::sin(hourAngle) > 0;
}

// The instant in a..b (days) at which the altitude, on one side of h0 at a and on the other at
// b, passes h0, by halving the interval to kConverged.
double BisectCrossing(const Track& track, double h0, double a, double b) {
    const bool belowAtA = track.AltitudeAt(a) < h0;
    while (b - a > kConverged) {
        const double m = (a + b) / 2;
        if ((track.AltitudeAt(m) < h0) == belowAtA) a = m;
        else b = m;
    }
    return (a + b) / 2;
}

// The instants of the day at which FindCrossing samples the altitude, in order: every half hour,
// and the culminations within the day (the upper at mTransit, the lower ones about half a day
// either side), where a body that reaches or leaves h0 for less than half an hour stands beyond
// it. Returns their number.
constexpr int kDaySteps = 48;
constexpr int kMaxSamples = kDaySteps + 4;

int DaySamples(const Track& track, double mTransit, double (&samples)[kMaxSamples]) {
    int n = 0;
    for (int k = 0; k <= kDaySteps; ++k) samples[n++] = static_cast<double>(k) / kDaySteps;
    const double culminations[] = {mTransit, RefineCulmination(track, mTransit - 0.5, 180.0),
                                   RefineCulmination(track, mTransit + 0.5, 180.0)};
    for (const double c : culminations)
        if (c > 0.0 && c < 1.0) samples[n++] = c;
    std::sort(samples, samples + n);
    return n;
}

// Finds a rising (direction -1) or setting (+1) from the start m, and, when the corrections
// miss it from there, in the first interval between the day's samples (DaySamples) in which the
// altitude passes h0 that way: a body near its limit reaches (or leaves) h0 for a short while
// near a culmination, which the start from the declination at 0 h can put far off. The
// corrections start from the interval's middle; where they fail (their slope vanishes near a
// lower culmination and at the pole) or end outside it, the interval is halved down to the
// crossing, so a crossing found there lies within the day.
bool FindCrossing(const Track& track, double h0, int direction, double mTransit, double* m) {
    if (RefineCrossing(track, h0, direction, m)) return true;
    double samples[kMaxSamples];
    const int count = DaySamples(track, mTransit, samples);
    double before = track.AltitudeAt(samples[0]) - h0;
    for (int k = 1; k < count; ++k) {
        const double a = samples[k - 1], b = samples[k];
        const double after = track.AltitudeAt(b) - h0;
        const bool passes = direction < 0 ? before < 0 && after >= 0 : before > 0 && after <= 0;
        before = after;
        if (!passes) continue;
        *m = (a + b) / 2;
        if (!RefineCrossing(track, h0, direction, m) || *m < a || *m > b) *m = BisectCrossing(track, h0, a, b);
        return true;
    }
    return false;
}

bool InDay(double m) { return m >= 0.0 && m < 1.0; }

// Days between two like culminations of the body: the Earth's turn less the body's daily motion
// in right ascension, so the same crossing a day later or earlier lies about this far away.
double HourAnglePeriod(const Track& track) {
    return 360.0 / (360.985647 - 15.0 * (track.ra[2] - track.ra[0]) / 2.0);
}

// A crossing a period before or after one found lies within the day only when its start does, to
// within this many days (the day-to-day drift of a crossing's clock time).
constexpr double kTwinReach = 0.25;

// Where the day holds two crossings of one kind (the evening's start of a night just before
// midnight, the night before's just after it), the one that bounds the day's span above h0 that
// holds the transit: the rising before the transit (direction -1) and the setting after it (+1),
// the earliest rising and the latest setting of the day. The crossing found at *m stays when it
// is that one already; otherwise the like crossing a period earlier or later (towards the day and
// that side of the transit) takes its place when it lies within the day, and a crossing found on
// a neighbouring day gives way to one within the day.
void PreferDayCrossing(const Track& track, double h0, int direction, double mTransit, double* m) {
    const bool inDay = InDay(*m);
    if (inDay && (direction < 0 ? *m <= mTransit : *m >= mTransit)) return;
    const double period = HourAnglePeriod(track);
    const double start = inDay ? *m + direction * period : *m < 0.0 ? *m + period : *m - period;
    double c = start;
    if (start < -kTwinReach || start > 1.0 + kTwinReach) return;
    if (!RefineCrossing(track, h0, direction, &c) || !InDay(c)) return;
    if (!inDay || (direction < 0 ? c < *m : c > *m)) *m = c;
}

void Report(unsigned* events, unsigned value) {
    if (events != nullptr) *events = value;
}

// The whole-day results: the stand-in rising and setting with the day's real transit.
int NeverSets(double transit, double* rise, double* transitOut, double* set, unsigned* events) {
    *rise = 0;
    *transitOut = transit;
    *set = kNeverSets;
    Report(events, kRiseSetAlwaysUp);
    return 0;
}

int NeverRises(double transit, double* rise, double* transitOut, double* set, unsigned* events) {
    *rise = *set = 0;
    *transitOut = transit;
    Report(events, kRiseSetNeverUp);
    return 1;
}

// Transit of a fixed place from the local sidereal time at local noon, and
// its passages through the altitude whose sine is sinAltitude.
int FixedPlaceEvents(int year, int month, int day, double longitude, int zone, double sinAltitude, double ra,
                     double dec, double* rise, double* transit, double* set, unsigned* events) {
    NoonSiderealCache& c = noonCache;
    if (!(c.year == year && c.month == month && c.day == day && c.zone == zone &&
          c.longitude == longitude)) {
        c = {year, month,     day,
             zone, longitude, GetLocalSiderealTime(year, month, day, 12, 0, 0, longitude, zone)};
        ++noonSiderealCount;
    }
    // Right ascension less the sidereal time at noon, sidereal hours in -12..12, turned into
    // civil hours from noon.
    double offset = ra - c.siderealTime;
    if (offset < -12) {
        offset += 24;
    } else if (offset > 12) {
        offset -= 24;
    }
    const double t = 12.0 + offset * kSolarPerSidereal;
    *transit = t;
    const double cosH0 = CosHourAngleAt(currentSite.sinLatitude, currentSite.cosLatitude, sinAltitude, dec);
    if (cosH0 > 1) {
        *rise = *set = 0;
        Report(events, kRiseSetNeverUp);
        return 0;
    }
    if (cosH0 < -1) {
        *rise = 0;
        *set = kNeverSets;
        Report(events, kRiseSetAlwaysUp);
        return 0;
    }
    Report(events, kRiseSetRises | kRiseSetSets);
    // The half arc in civil hours; an event carried into the day moves by a sidereal day.
    const double halfArc = std::acos(cosH0) * kRadToDeg / 15.0 * kSolarPerSidereal;
    const double siderealDay = 24.0 * kSolarPerSidereal;
    *rise = t - halfArc < 0 ? t - halfArc + siderealDay : t - halfArc;
    *set = t + halfArc > 24 ? t + halfArc - siderealDay : t + halfArc;
    return 0;
}

// The track of the day from the three places (right ascensions made to increase) and the
// start m0 of Meeus's search for the transit.
Track MakeTrack(const DateTime& start, double ra1, double dec1, double ra2, double dec2, double ra3, double dec3,
                double* m0) {
    const double theta0 = 15.0 * GetLocalSiderealTime(start.year, start.month, start.day, start.hour, start.minute,
                                                      start.second, 0.0, currentSite.zoneMinutes);
    if (ra1 > ra2) {
        ra2 += 24;
        ra3 += 24;
    }
    if (ra2 > ra3) ra3 += 24;
    const Track track{{ra1, ra2, ra3}, {dec1, dec2, dec3}, theta0, ReadSite()};
    *m0 = (15.0 * ra2 - theta0 + track.site.longitude) / 360.0;
    return track;
}

// The instants at which ComputeDayCrossings looks for a change of side: the day's start and end
// and the culminations within it (the upper one refined, the others a period or half a period
// from it), between which the altitude only climbs or only sinks but for the declination's drift
// close to a culmination. Returns their number, in order.
constexpr int kMaxCrossingSamples = 7;

int CrossingSamples(const Track& track, double mTransit, double (&samples)[kMaxCrossingSamples]) {
    int n = 0;
    samples[n++] = 0.0;
    samples[n++] = 1.0;
    const double period = HourAnglePeriod(track);
    for (int half = -2; half <= 2; ++half) {
        const double c = mTransit + half * period / 2.0;
        if (c > 0.0 && c < 1.0) samples[n++] = c;
    }
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && samples[j - 1] > samples[j]; --j) std::swap(samples[j - 1], samples[j]);
    return n;
}

// The instant in a..b (days) at which the altitude passes h0 from `before` to `after` (altitude
// less h0 at a and b): corrected from where the straight line between them crosses, else halved.
double CrossingBetween(const Track& track, double h0, double a, double b, double before, double after) {
    double m = a + (b - a) * before / (before - after);
    if (!RefineCrossing(track, h0, after > 0.0 ? -1 : +1, &m) || m < a || m > b || m >= 1.0)
        m = BisectCrossing(track, h0, a, b);
    return m;
}

}  // namespace

int ComputeRiseTransitSet(int year, int month, int day, int hour, int minute, int second, double ra1,
                          double dec1, double ra2, double dec2, double ra3, double dec3, double h0,
                          double* rise, double* transit, double* set, unsigned* events) {
    double m0 = 0.0;
    const Track track = MakeTrack({year, month, day, hour, minute, second}, ra1, dec1, ra2, dec2, ra3, dec3, &m0);
    const EngineSite& site = track.site;
    const double mTransit = RefineTransit(track, BringIntoDay(m0));
    // Whole days only when the body stays beyond the limit from this midnight to the next.
    const double cosH0 = CosHourAngleAtH0(site, h0, track.dec[1]), cosNext = CosHourAngleAtH0(site, h0, track.dec[2]);
    if (cosH0 < -1 && cosNext < -1) return NeverSets(24.0 * mTransit, rise, transit, set, events);
    if (cosH0 > 1 && cosNext > 1) return NeverRises(24.0 * mTransit, rise, transit, set, events);
    const double bigH0 = std::acos(std::clamp(cosH0, -1.0, 1.0)) * kRadToDeg;
    double mRise = BringIntoDay(m0 - bigH0 / 360.0), mSet = BringIntoDay(m0 + bigH0 / 360.0);
    const bool rises = FindCrossing(track, h0, -1, mTransit, &mRise);
    const bool sets = FindCrossing(track, h0, +1, mTransit, &mSet);
    if (rises) PreferDayCrossing(track, h0, -1, mTransit, &mRise);
    if (sets) PreferDayCrossing(track, h0, +1, mTransit, &mSet);
    // No crossing within the day: the body stays on one side of h0 all day, which the altitude
    // at the transit (brought into the day) tells.
    if (!(rises && InDay(mRise)) && !(sets && InDay(mSet))) {
        const double t = 24.0 * mTransit;
        return track.AltitudeAt(std::clamp(mTransit, 0.0, 1.0)) > h0 ? NeverSets(t, rise, transit, set, events)
                                                                      : NeverRises(t, rise, transit, set, events);
    }
    *rise = rises ? 24.0 * mRise : 0.0;
    *transit = 24.0 * mTransit;
    *set = sets ? 24.0 * mSet : kNeverSets;
    Report(events, (rises ? kRiseSetRises : 0u) | (sets ? kRiseSetSets : 0u));
    return 1;
}

double FixedRiseSetHorizonSine(double h0, int height) {
    // Depression of the horizon seen from `height` on a sphere of the Earth's
    // radius; none for a site at or below sea level.
    const double dip = height > 0 ? std::acos(6378140.0 / (height + 6378140.0)) : 0.0;
    return std::sin(h0 * kDegToRad - (dip + 0.010646508));
}

int ComputeRiseTransitSetFixed(int year, int month, int day, double /*latitude*/, double longitude,
                               int zone, int height, double h0, double ra, double dec, double* rise,
                               double* transit, double* set, unsigned* events) {
    return FixedPlaceEvents(year, month, day, longitude, zone, FixedRiseSetHorizonSine(h0, height), ra, dec, rise,
                            transit, set, events);
}

long GetFixedRiseSetSiderealTimeCount() { return noonSiderealCount; }

void ComputeDayCrossings(int year, int month, int day, double ra1, double dec1, double ra2, double dec2,
                         double ra3, double dec3, double h0, DayCrossings* out) {
    double m0 = 0.0;
    const Track track = MakeTrack({year, month, day, 0, 0, 0}, ra1, dec1, ra2, dec2, ra3, dec3, &m0);
    const double mTransit = RefineTransit(track, BringIntoDay(m0));
    double samples[kMaxCrossingSamples];
    const int count = CrossingSamples(track, mTransit, samples);
    *out = DayCrossings{};
    out->transit = 24.0 * mTransit;
    double before = track.AltitudeAt(samples[0]) - h0;
    out->upAtStart = before > 0.0;
    for (int k = 1; k < count && out->count < kMaxDayCrossings; ++k) {
        const double a = samples[k - 1], b = samples[k];
        const double after = track.AltitudeAt(b) - h0;
        if ((before > 0.0) != (after > 0.0)) {
            out->hours[out->count] = 24.0 * CrossingBetween(track, h0, a, b, before, after);
            out->rising[out->count++] = after > 0.0;
        }
        before = after;
    }
}
