#include "orbits/flare_peak.h"

#include <cmath>
#include <limits>

#include "core/brent.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "ephemeris/body_positions.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kSecond = 1.0 / 86400.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPanelTilt = -40.0;

// The Sun's or the Moon's topocentric place (rad), 0 and 0 while not
// computed, and its unit vector in the equatorial frame.
struct BodyCache {
    double ra = 0.0;
    double dec = 0.0;
    double unit[3] = {};
    long evaluations = 0;
};
BodyCache cache;

void Cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

void Normalize(double v[3]) {
    double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int k = 0; k < 3; ++k) v[k] /= length;
}

// The unit vector of right ascension `ra` and declination `dec` (rad).
void UnitVectorOf(double ra, double dec, double out[3]) {
    out[0] = std::cos(dec) * std::cos(ra);
    out[1] = std::cos(dec) * std::sin(ra);
    out[2] = std::sin(dec);
}

// The angle (rad) between a direction of any length and a unit vector, from
// the sine and cosine together (exact near 0 and pi).
double AngleTo(const double direction[3], const double unit[3]) {
    double c[3];
    Cross(direction, unit, c);
    const double dot = direction[0] * unit[0] + direction[1] * unit[1] + direction[2] * unit[2];
    return std::atan2(std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]), dot);
}

// The topocentric place of the Sun (flareMode) or the Moon at a local date and
// time whose minutes may run past 59.
void ComputeCachedBody(int year, int month, int day, int hour, int minute, int second) {
    const int32_t savedMode = preferences.word[kPrefPositionMode];
    preferences.word[kPrefPositionMode] = 2;
    BodyPosition body{};
    ComputeBody(&body, satelliteFormState.flareMode ? 0 : 1, year, month, day, hour, minute, second);
    preferences.word[kPrefPositionMode] = savedMode;
    cache.ra = body.ra * 15.0 * kRadiansPerDegree;
    cache.dec = body.dec * kRadiansPerDegree;
    UnitVectorOf(cache.ra, cache.dec, cache.unit);
}

// The sine and cosine of the panels' tilt and of their azimuths 0, +120 and
// -120 degrees, in that order.
struct PanelTurns {
    double tiltSine, tiltCosine, azimuthCosine[3], azimuthSine[3];
};
const PanelTurns kPanels = [] {
    PanelTurns p{std::sin(kPanelTilt * kRadiansPerDegree), std::cos(kPanelTilt * kRadiansPerDegree), {}, {}};
    const double azimuths[3] = {0.0, 120.0, -120.0};
    for (int k = 0; k < 3; ++k) {
        p.azimuthCosine[k] = std::cos(azimuths[k] * kRadiansPerDegree);
        p.azimuthSine[k] = std::sin(azimuths[k] * kRadiansPerDegree);
    }
    return p;
}();

// The satellite's along-track, orbit-normal and radial unit vectors.
struct SatelliteAxes {
    double along[3], normal[3], radial[3];
};

SatelliteAxes AxesOf(const double position[4], const double velocity[4]) {
    SatelliteAxes a{{velocity[0], velocity[1], velocity[2]}, {}, {}};
    Normalize(a.along);
    Cross(position, velocity, a.normal);
    Normalize(a.normal);
    Cross(a.along, a.normal, a.radial);
    Normalize(a.radial);
    return a;
}

// The line of sight mirrored in the panel whose tilt and azimuth have these
// sines and cosines.
void MirrorInPanel(const SatelliteAxes& a, double tiltSine, double tiltCosine, double azimuthCosine,
                   double azimuthSine, const double lineOfSight[3], double reflected[3]) {
    double panel[3], dot = 0.0;
    for (int k = 0; k < 3; ++k) {
        panel[k] = tiltSine * a.radial[k] + tiltCosine * (azimuthCosine * a.along[k] - azimuthSine * a.normal[k]);
        dot += panel[k] * lineOfSight[k];
    }
    for (int k = 0; k < 3; ++k) reflected[k] = lineOfSight[k] - 2.0 * dot * panel[k];
}

// FlareReflectionAngle with the Sun as a unit vector: the satellite's axes
// are made once for the three panels.
double LeastPanelAngle(const double position[4], const double velocity[4], const double lineOfSight[3],
                       const double sun[3]) {
    const SatelliteAxes axes = AxesOf(position, velocity);
    double best = kNaN;
    for (int p = 0; p < 3; ++p) {
        double reflected[3];
        MirrorInPanel(axes, kPanels.tiltSine, kPanels.tiltCosine, kPanels.azimuthCosine[p], kPanels.azimuthSine[p],
                      lineOfSight, reflected);
        const double angle = AngleTo(reflected, sun);
        if (p == 0 || angle < best) best = angle;
    }
    return best;
}

void WritePeak(double* peakJd, double* angle, double peak, double degrees) {
    if (peakJd) *peakJd = peak;
    if (angle) *angle = degrees;
}

}  // namespace

double AngularSeparation(double lon1, double lat1, double lon2, double lat2) {
    double h = ((1.0 - std::cos(lon1 - lon2)) * std::cos(lat1) * std::cos(lat2) + 1.0 - std::cos(lat1 - lat2)) / 2.0;
    return 2.0 * std::asin(std::sqrt(h < 0.0 ? 0.0 : (h > 1.0 ? 1.0 : h)));
}

double MirrorReflectionAngle(const double position[4], const double velocity[4], const double lineOfSight[3],
                             double sunRa, double sunDec, double tilt, double azimuth) {
    const double t = tilt * kRadiansPerDegree, z = azimuth * kRadiansPerDegree;
    double reflected[3];
    MirrorInPanel(AxesOf(position, velocity), std::sin(t), std::cos(t), std::cos(z), std::sin(z), lineOfSight,
                  reflected);
    double length = std::sqrt(reflected[0] * reflected[0] + reflected[1] * reflected[1] + reflected[2] * reflected[2]);
    double ra = std::atan2(reflected[1], reflected[0]);
    double dec = std::asin(reflected[2] / length);
    return AngularSeparation(ra, dec, sunRa, sunDec);
}

double FlareReflectionAngle(const double position[4], const double velocity[4], const double lineOfSight[3],
                            double sunRa, double sunDec) {
    double sun[3];
    UnitVectorOf(sunRa, sunDec, sun);
    return LeastPanelAngle(position, velocity, lineOfSight, sun);
}

void ClearFlareBodyCache() { cache.ra = cache.dec = 0.0; }
long FlareEvaluationCount() { return cache.evaluations; }

namespace {

// PeakAngleAt, with the satellite's distance from the site (km) in *range when
// it is asked for. The line of sight is the range vector from the site's
// place at `jd`.
double AngleAndRange(double jd, double* range) {
    ++cache.evaluations;
    if (cache.ra == 0.0 && cache.dec == 0.0) {
        int year, month, day, hour, minute, second;
        JDToCalendar(jd, &year, &month, &day, &hour, &minute, &second);
        ComputeCachedBody(year, month, day, hour, minute + currentSite.zoneMinutes, second);
    }
    SatelliteElements* el = GetSearchedSatellite();
    if (!el) return kNaN;
    double position[4], velocity[4];
    if (!PropagateSatelliteTo(jd, el, position, velocity)) return kNaN;
    ObserverSite site = SiteObserver();
    double sitePosition[4], siteVelocity[4];
    ComputeObserverState(jd, &site, sitePosition, siteVelocity);
    double lineOfSight[3];
    for (int k = 0; k < 3; ++k) lineOfSight[k] = position[k] - sitePosition[k];
    const double distance =
        std::sqrt(lineOfSight[0] * lineOfSight[0] + lineOfSight[1] * lineOfSight[1] + lineOfSight[2] * lineOfSight[2]);
    if (range) *range = distance;
    for (double& c : lineOfSight) c /= distance;
    if (!satelliteFormState.flareMode) return AngleTo(lineOfSight, cache.unit);
    return LeastPanelAngle(position, velocity, lineOfSight, cache.unit);
}

constexpr double kGm = 398600.8;                 // km^3/s^2, as SGP4 has it (WGS-72)
constexpr double kEarthRadiusKm = 6378.135;      // the element sets' unit of length
constexpr double kSiteSpeed = 0.4651;            // km/s: the equator's speed
constexpr double kMoonTurn = 7.3e-6;             // rad/s (1.5 deg/h): the Moon moves some 0.9 deg/h topocentric
constexpr double kSunTurn = 4e-7;                // rad/s: the Sun moves some 1 deg/day
constexpr double kPlaneTurn = 1e-5;              // rad/s: an orbit's plane turns some 1e-6 rad/s
constexpr double kDenseDrop = 1.0 * kRadiansPerDegree;   // most change of the angle between close samples
constexpr double kNear = 2.0 * kDenseDrop;               // samples this near the limit hold a fresh place
constexpr double kFreshPlace = 0.01 * kRadiansPerDegree;  // a place that has moved no more is fresh
constexpr double kLeastStep = 0.001 * kSecond;
constexpr int kMostPeakSamples = 5000;
constexpr int kMostCandidates = 3;

// How fast the angle can change during a pass. The line of sight turns at most
// at `speed` / range: `speed` (km/s) is the satellite's speed at perigee, a
// tenth more for the osculating orbit, and the site's on the equator. The
// other end of the angle turns at most at `turn` (rad/s): the Moon, or the
// Sun's mirror image, twice as fast as a panel turns with the orbit (at most
// its angular speed at perigee, with the tenth more and the plane's turn).
// The body itself (the Sun or the Moon) moves at most at `body` (rad/s).
struct AngleRate {
    double speed, turn, body;
};

AngleRate AngleRateOf(const SatelliteElements& el, bool flare) {
    const double perigee = el.q0 * kEarthRadiusKm, semiLatusRectum = el.p0 * kEarthRadiusKm;
    AngleRate rate;
    rate.speed = 1.1 * std::sqrt(kGm * (1.0 + el.eccentricity) / perigee) + kSiteSpeed;
    rate.turn = flare ? 2.0 * (1.1 * std::sqrt(kGm / semiLatusRectum) / perigee + kPlaneTurn) : kMoonTurn;
    rate.body = flare ? kSunTurn : kMoonTurn;
    return rate;
}

// The longest step (days) from a sample `range` km away over which the angle
// cannot fall by more than `drop` (rad): the range falls at most at `speed`,
// so the line of sight turns by at most ln(range / (range - speed step)); the
// fall is shared between it and the turn in proportion to their rates at the
// sample.
double SafeStep(const AngleRate& rate, double range, double drop) {
    const double line = rate.speed / range, share = line / (line + rate.turn);
    const double lineStep = -range / rate.speed * std::expm1(-share * drop);
    const double turnStep = (1.0 - share) * drop / rate.turn;
    const double step = std::fmin(lineStep, turnStep) * kSecond;
    return step > kLeastStep ? step : kLeastStep;
}

struct PeakSample {
    double jd, angle;  // angle in radians
};

// A sample below both its neighbours: the bracket a .. c of a local minimum.
struct PeakCandidate {
    double a, b, c, angle;
};

// What the samples of one pass found: the least sample and the least local
// minima of the samples, least angle first.
struct PassSamples {
    PeakSample least{0.0, kNaN};
    PeakCandidate candidates[kMostCandidates];
    int count = 0;
};

void AddCandidate(PassSamples* s, const PeakCandidate& c) {
    int k = s->count < kMostCandidates ? s->count++ : kMostCandidates;
    for (; k > 0 && s->candidates[k - 1].angle > c.angle; --k)
        if (k < kMostCandidates) s->candidates[k] = s->candidates[k - 1];
    if (k < kMostCandidates) s->candidates[k] = c;
}

// The body's place that PeakAngleAt holds, taken afresh at `jd`.
void TakePlace(double* placeJd, double jd) {
    ClearFlareBodyCache();
    *placeJd = jd;
}

// The angle at `t` (rad) less the most the held place (taken at *placeJd) may
// have moved since: a bound below the angle. The place is taken afresh when it
// may have moved more than kFreshPlace and the last sample lay within kNear of
// `target` or the move exceeds a quarter of that sample's distance from it
// (`distance`, rad); and again when the angle comes within kNear of `target`:
// samples there hold a fresh place.
double AngleBelow(double t, double target, double distance, double bodyTurn, double* placeJd, double* range) {
    const double moved = bodyTurn * (t - *placeJd) / kSecond;
    if (moved <= kFreshPlace) return AngleAndRange(t, range) - moved;
    if (!(distance > kNear) || moved > distance / 4.0) {
        TakePlace(placeJd, t);
        return AngleAndRange(t, range);
    }
    const double angle = AngleAndRange(t, range) - moved;
    if (angle - target > kNear) return angle;
    TakePlace(placeJd, t);
    return AngleAndRange(t, range);
}

// Samples the angle from rise to set, each step as long as the angle cannot
// fall to `target` (rad) within it, or change by more than kDenseDrop where
// it is nearer the target than that: wherever the angle reaches the target,
// the samples around lie within kDenseDrop of it. False when the angle is not
// a number (a refused set).
bool SamplePass(double rise, double set, const AngleRate& rate, double target, PassSamples* out) {
    double placeJd = rise, t = rise, range = 0.0;
    ClearFlareBodyCache();
    PeakSample before{}, last{0.0, kNaN};
    for (int k = 0; k < kMostPeakSamples; ++k) {
        const PeakSample sample{t, AngleBelow(t, target, last.angle - target, rate.body, &placeJd, &range)};
        if (!std::isfinite(sample.angle) || !(range > 0.0)) return false;
        if (!(sample.angle >= out->least.angle)) out->least = sample;
        if (k >= 2 && last.angle <= before.angle && last.angle <= sample.angle)
            AddCandidate(out, {before.jd, last.jd, sample.jd, last.angle});
        before = last, last = sample;
        if (t >= set) break;
        t = std::fmin(t + SafeStep(rate, range, std::fmax(sample.angle - target, kDenseDrop)), set);
    }
    return true;
}

// The angle at `peakOrigin` + `seconds`, for the minimiser.
double peakOrigin = 0.0;
double AngleFromOrigin(double seconds) { return PeakAngleAt(peakOrigin + seconds * kSecond); }

// The least angle (rad) within the candidate's bracket, by Brent's method to
// about `tolerance` seconds, with the body's place taken afresh at its
// sample; its time in *jd. The abscissa runs in seconds from one bracket's
// width before a, so that the minimiser's relative tolerance is tolerance to
// twice it there.
double RefinePeak(const PeakCandidate& c, double tolerance, double* jd) {
    const double width = (c.c - c.a) / kSecond;
    peakOrigin = c.a - width * kSecond;
    ClearFlareBodyCache();
    double x = 0.0;
    const double angle =
        BrentMinimize(&x, width, (c.b - peakOrigin) / kSecond, 2.0 * width, tolerance / width, AngleFromOrigin);
    *jd = peakOrigin + x * kSecond;
    return angle;
}

// RefinePeak, and again around its result while that lies at an inner edge of
// its bracket (within rise .. set; at most 4 times): the peak is a minimum,
// not an edge.
double RefineWithin(PeakCandidate c, double rise, double set, double tolerance, double* jd) {
    double angle = RefinePeak(c, tolerance, jd);
    for (int moves = 0; moves < 4; ++moves) {
        const double half = (c.c - c.a) / 2.0, slack = 4.0 * tolerance * kSecond;
        if (!((*jd - c.a < slack && c.a > rise) || (c.c - *jd < slack && c.c < set))) break;
        c = {std::fmax(*jd - half, rise), *jd, std::fmin(*jd + half, set), angle};
        angle = RefinePeak(c, tolerance, jd);
    }
    return angle;
}

}  // namespace

double PeakAngleAt(double jd) { return AngleAndRange(jd, nullptr); }

int FindFlarePeak(double jd, SatelliteElements* el, double* peakJd, double* angle) {
    SetSearchedSatellite(el);
    const bool transit = satelliteFormState.transitMode != 0;
    const double limit = (transit ? 1.8 : 1.5) * kRadiansPerDegree;
    PassSamples samples;
    const AngleRate rate = AngleRateOf(*el, satelliteFormState.flareMode != 0);
    if (!SamplePass(jd, el->passSetJd, rate, limit, &samples) ||
        !std::isfinite(samples.least.angle)) {
        WritePeak(peakJd, angle, jd, kNaN);
        return 0;
    }
    PeakSample best{samples.least.jd, kNaN};
    const double reach = limit + kDenseDrop;
    for (int k = 0; k < samples.count && samples.candidates[k].angle <= reach; ++k) {
        double at = 0.0;
        const double least = RefineWithin(samples.candidates[k], jd, el->passSetJd, transit ? 0.01 : 0.25, &at);
        if (!(least >= best.angle)) best = {at, least};
    }
    if (std::isnan(best.angle)) best = samples.least;
    WritePeak(peakJd, angle, best.jd, best.angle * kDegreesPerRadian);
    return best.angle <= limit && best.jd > jd && best.jd < el->passSetJd ? 1 : 0;
}

