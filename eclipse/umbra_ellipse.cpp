// The umbra on the ground at an instant: ComputeUmbraEllipseAt and its duration rings.
#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

#include "core/eclipse_work.h"
#include "eclipse/eclipse_engine.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kMoonDiameterKm = 3476.18;
constexpr double kSunLessMoonDiameterKm = 1389053.82;
constexpr double kMaxAlongAzimuthKm = 20000;  // the umbra's length near the horizon is held here
constexpr double kMinutesPerCentury = 52596000;
constexpr double kKmPerMinutePerDegreePerSecond = 6679.2;  // 111.32 km per degree, per second

// Truncation to int of a value that is finite and within range; anything else is 0.
int Truncated(double v) {
    if (!std::isfinite(v) || v >= INT_MAX || v <= INT_MIN) return 0;
    return static_cast<int>(v);
}

// The sub-shadow point one second on: the direction of the track (radians, folded into
// -pi..pi) and the ground speed (km per minute). The point's longitude is taken modulo a turn,
// so a track crossing the meridian where the stored longitude wraps keeps its speed.
void TrackFromPreviousPoint(double* angle, double* speed) {
    const EclipseWorkBlock& w = eclipseWorkBlock;
    const double dLon = std::remainder(w.longitude - w.previousLongitude, 360.0);
    const double dx = -dLon * std::cos(w.latitude * kDegToRad);
    const double dy = w.latitude - w.previousLatitude;
    double t = kPi / 2 - std::atan(dy / dx);
    if (dLon > 0) t -= kPi;
    if (t > kPi) t -= 2 * kPi;
    if (t < -kPi) t += 2 * kPi;
    *angle = t;
    *speed = std::hypot(dx, dy) * kKmPerMinutePerDegreePerSecond;
}

// The ground ellipse of an umbra of radius r across the Sun's azimuth A and R along it, in the
// frame of the track angle t.
UmbraEllipse GroundEllipse(double r, double bigR, double azimuth, double track) {
    UmbraEllipse e{};
    const double r2 = r * r, bigR2 = bigR * bigR;
    const double s1 = std::sin(azimuth - track), c1 = std::cos(azimuth - track);
    const double s2 = std::sin(azimuth), c2 = std::cos(azimuth);
    e.p = s1 * s1 / r2 + c1 * c1 / bigR2;
    e.q = s1 * s2 / r2 + c1 * c2 / bigR2;
    e.s = s2 * s2 / r2 + c2 * c2 / bigR2;
    e.halfLength = 1 / std::sqrt(e.p);
    e.halfWidth = 1 / std::sqrt(e.s - e.q * e.q / e.p);
    e.trackAngle = track;
    return e;
}

void StoreEllipse(LocalEclipseResult* result, const UmbraEllipse& e, double r, double bigR) {
    const double azimuth = eclipseWorkBlock.azimuth * kRadToDeg;
    result->trackAngle = Truncated(e.trackAngle * kRadToDeg);
    result->trackWidth = Truncated(std::fabs(2 * e.halfWidth * std::sin(e.trackAngle)));
    result->ellipseAxis = Truncated(e.halfWidth + 0.5);
    result->umbraSemiMajor = Truncated(bigR + 0.5);
    result->azimuthMod180 = Truncated(azimuth - 180 * std::floor(azimuth / 180));
    result->umbraRadius = Truncated(r + 0.5);
}

// Local central duration across the track at offset y (km): the ellipse's half-chord along
// the track there, relative to the half-length at the centre.
double DurationAtOffset(const UmbraEllipse& e, double y) {
    const double qy = e.q * y / e.p;
    const double chord = std::sqrt(std::max(0.0, qy * qy - (e.s * y * y - 1) / e.p));
    return e.duration * chord / e.halfLength;
}

}  // namespace

double UmbraLengthAlongAzimuth(double radius, double altitude) {
    const double length = radius / std::fabs(std::sin(altitude));
    return length <= kMaxAlongAzimuthKm ? length : kMaxAlongAzimuthKm;
}

void SetEclipseLocalTime(int year, int month, int day, int hour, int minute, int second) {
    SetUpEclipseTime(year, month, day, hour, minute, second);
    eclipseWorkBlock.latitude = 0;
    eclipseWorkBlock.parallax = true;
}

int ComputeUmbraEllipseAt(LocalEclipseResult* result, int year, int month, int day, int hour,
                          int minute, int second, bool withDuration) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    SetUpEclipseTime(year, month, day, hour, minute, second);
    result->time = w.ut;
    w.latitude = 0;
    const double t = eclipseWork.timeArgument;
    ComputeTopocentricSunMoon(t);
    if (!w.hit) return 0;
    double ra = w.moonRa, dec = w.moonDec;
    // On the axis the Sun lies behind the Moon: the point is as much nearer to both.
    w.topoSunDistance -= ApplyEllipsoidParallax(EclipseBody::Moon, &ra, &dec, w.moonDistance);
    const double ds = w.topoSunDistance, dm = w.topoMoonDistance;
    const double base = kMoonDiameterKm - dm / (ds - dm) * kSunLessMoonDiameterKm;
    result->magnitude = std::fabs(0.50005 + 0.0012481526430310299 * ds / dm);
    const double r = std::fabs(base) / 2;
    const double bigR = UmbraLengthAlongAzimuth(r, w.altitude);
    CopySubShadowPoint(result);
    const double altitude = w.altitude, azimuth = w.azimuth;

    ComputeTopocentricSunMoon((t * kMinutesPerCentury + 1.0 / 60) / kMinutesPerCentury);
    if (!w.hit) return 0;
    double track, speed;
    TrackFromPreviousPoint(&track, &speed);
    UmbraEllipse e = GroundEllipse(r, bigR, azimuth, track);
    // The duration at the centre from the contacts there: the ellipse's length over the point's
    // speed is a flat-ground estimate that runs long where the Sun is low (by half a minute
    // near a path's end).
    e.duration = withDuration ? CentralDurationAtPlace(year, month, day, result->time, result->pointLatitude,
                                                       result->pointLongitude)
                              : 0;
    w.altitude = altitude;
    w.azimuth = azimuth;
    w.groundSpeed = speed;
    w.centralDuration = e.duration;
    result->centralDuration = withDuration ? e.duration + 0.5 : 0;
    result->sunAltitude = altitude * kRadToDeg;
    result->sunAzimuth = azimuth * kRadToDeg;
    result->groundSpeed = 10 * Truncated(speed * 6 + 0.5);
    ComputeDurationRings(result, e);
    StoreEllipse(result, e, r, bigR);
    return 1;
}

void ComputeDurationRings(LocalEclipseResult* result, const UmbraEllipse& e) {
    const double d = e.duration;
    std::fill(std::begin(result->ringSemiAxis), std::end(result->ringSemiAxis), 0);
    std::fill(std::begin(result->ringDuration), std::end(result->ringDuration), 0);
    std::fill(std::begin(result->ringOtherAxis), std::end(result->ringOtherAxis), 0);
    if (!(d > 25)) return;
    const double step = -5 * std::floor(d * -0.01818181818181818);
    const int count = d < 45 ? 5 : 9;
    for (int i = count, ring = 0; i >= 2; --i, ++ring) {
        const double target = i * step;
        double inner = 0, outer = e.halfWidth;
        for (int k = 0; k < 60 && DurationAtOffset(e, inner) - DurationAtOffset(e, outer) > 0.1;
             ++k) {
            const double middle = (inner + outer) / 2;
            if (DurationAtOffset(e, middle) > target) {
                inner = middle;
            } else {
                outer = middle;
            }
        }
        const double y = (inner + outer) / 2;
        result->ringDuration[ring] = Truncated(target);
        result->ringSemiAxis[ring] = Truncated(y + 0.5);
        result->ringOtherAxis[ring] = Truncated(
            (d / e.halfLength * std::fabs(y * (std::cos(e.trackAngle) - e.q / e.p)) + 1) / 2);
    }
}
