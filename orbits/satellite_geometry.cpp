#include "orbits/satellite_geometry.h"

#include <cmath>
#include <limits>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "orbits/satellite_form_state.h"
#include "orbits/satellite_math.h"
#include "orbits/satellite_propagation.h"

namespace {

constexpr double kEarthRadius = 6378.135;              // km
constexpr double kEccentricitySquared = 0.006694379990141316;
constexpr double kPolarFactor = 0.9966471893352525;    // sqrt(1 - e^2)
constexpr double kEarthRotation = 7.292115e-5;         // rad/s
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.0174532925199433;
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxSubPointIterations = 50;

SatelliteWorkValues work;
SatelliteElements* searched = nullptr;
long evaluationCount = 0;

// asin of a ratio that rounding may push just past +-1.
double ClampedAsin(double x) { return std::asin(x > 1.0 ? 1.0 : (x < -1.0 ? -1.0 : x)); }

// Degrees in [0, 360) from radians.
double AzimuthDegrees(double radians) { return std::fmod(radians * kDegreesPerRadian + 360.0, 360.0); }

void ClearLookFields(SatelliteElements* el) {
    el->elevation = el->azimuth = el->range = el->rangeRate = kNaN;
}

void ClearPositionFields(SatelliteElements* el) {
    ClearLookFields(el);
    el->rightAscension = el->declination = kNaN;
    el->subLongitude = el->subLatitude = el->height = kNaN;
}

// Propagates by SGP4 to `jd` into the work vectors (km, km/s).
bool PropagateToWork(double jd, SatelliteElements* el) {
    return PropagateSatelliteTo(jd, el, work.position, work.velocity);
}

void StoreLookAngles(const LookAngles& look, SatelliteElements* el) {
    el->elevation = look.elevation * kDegreesPerRadian;
    el->azimuth = AzimuthDegrees(look.azimuth);
    el->range = look.range;
    el->rangeRate = look.rangeRate;
}

void StoreSubPoint(const SubPoint& sub, SatelliteElements* el) {
    el->subLatitude = sub.latitude * kDegreesPerRadian;
    el->subLongitude = sub.longitude * kDegreesPerRadian;
    el->height = sub.height;
}

// The south, east and zenith components of the range vector.
struct Horizon {
    double s, e, z;
};

Horizon ToHorizon(const ObserverSite& site, const double rho[3]) {
    double sinPhi = std::sin(site.latitude), cosPhi = std::cos(site.latitude);
    double sinTheta = std::sin(site.siderealAngle), cosTheta = std::cos(site.siderealAngle);
    return {sinPhi * cosTheta * rho[0] + sinPhi * sinTheta * rho[1] - cosPhi * rho[2],
            -sinTheta * rho[0] + cosTheta * rho[1],
            cosPhi * cosTheta * rho[0] + cosPhi * sinTheta * rho[1] + sinPhi * rho[2]};
}

// The direction of the look angles in the equatorial frame, multiplied by cos
// of the declination in x and y: (cos d cos a, cos d sin a, sin d).
void LookToEquatorial(const ObserverSite& site, const LookAngles& look, double out[3]) {
    double sinPhi = std::sin(site.latitude), cosPhi = std::cos(site.latitude);
    double sinTheta = std::sin(site.siderealAngle), cosTheta = std::cos(site.siderealAngle);
    double sinE = std::sin(look.elevation), cosE = std::cos(look.elevation);
    double sinA = std::sin(look.azimuth), cosA = std::cos(look.azimuth);
    out[0] = cosPhi * cosTheta * sinE - sinPhi * cosTheta * cosE * cosA - sinTheta * cosE * sinA;
    out[1] = cosPhi * sinTheta * sinE - sinPhi * sinTheta * cosE * cosA + cosTheta * cosE * sinA;
    out[2] = cosPhi * cosE * cosA + sinPhi * sinE;
}

}  // namespace

const SatelliteWorkValues& GetSatelliteWorkValues() { return work; }

ObserverSite ObserverFromCurrentSite(double heightKm) {
    return {currentSite.latitude * kRadiansPerDegree, -currentSite.longitude * kRadiansPerDegree, heightKm, 0.0};
}

ObserverSite SiteObserver() { return ObserverFromCurrentSite(currentSite.elevation * 0.001); }

bool PropagateSatelliteTo(double jd, SatelliteElements* el, double position[4], double velocity[4]) {
    el->lastJd = jd;
    if (!PropagateSgp4((jd - el->epochJd) * 1440.0, position, velocity, el)) return false;
    ConvertStateToKm(position, velocity);
    return true;
}

int ComputeSatellitePosition(int year, int month, int day, int hour, int minute, int second,
                             SatelliteElements* el) {
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, second, currentSite.zoneMinutes);
    if (!satelliteFormState.record || !InitSatelliteElements(satelliteFormState.record, el)) {
        ClearPositionFields(el);
        return 0;
    }
    work.tsince = (jd - el->epochJd) * 1440.0;
    if (!PropagateToWork(jd, el)) {
        ClearPositionFields(el);
        return 0;
    }
    ComputeSubSatellitePoint(jd, work.position, &work.subPoint);
    StoreSubPoint(work.subPoint, el);
    work.site = SiteObserver();
    ComputeTopocentricLookAngles(jd, work.position, work.velocity, &work.site, &work.look);
    StoreLookAngles(work.look, el);
    LookAngles raDec;
    ComputeTopocentricRaDec(jd, work.position, work.velocity, &work.site, &raDec);
    el->rightAscension = raDec.azimuth * 3.819718634205488;
    el->declination = raDec.elevation * kDegreesPerRadian;
    return 1;
}

void ComputeSatelliteLookAngles(double jd, SatelliteElements* el) {
    if (!PropagateToWork(jd, el)) return ClearLookFields(el);
    work.site = SiteObserver();
    ComputeTopocentricLookAngles(jd, work.position, work.velocity, &work.site, &work.look);
    StoreLookAngles(work.look, el);
}

void ComputeSatelliteSubPoint(double jd, SatelliteElements* el) {
    if (!PropagateToWork(jd, el)) {
        el->subLatitude = el->subLongitude = el->height = kNaN;
        return;
    }
    ComputeSubSatellitePoint(jd, work.position, &work.subPoint);
    StoreSubPoint(work.subPoint, el);
}

void ComputeObserverState(double jd, ObserverSite* site, double position[4], double velocity[4]) {
    double theta = Modulo2Pi(site->longitude + ComputeGmst(jd));
    site->siderealAngle = theta;
    double sinPhi = std::sin(site->latitude);
    double c = 1.0 / std::sqrt(1.0 - kEccentricitySquared * sinPhi * sinPhi);
    double rxy = (kEarthRadius * c + site->height) * std::cos(site->latitude);
    position[0] = rxy * std::cos(theta);
    position[1] = rxy * std::sin(theta);
    position[2] = (kEarthRadius * c * kPolarFactor * kPolarFactor + site->height) * sinPhi;
    velocity[0] = -kEarthRotation * position[1];
    velocity[1] = kEarthRotation * position[0];
    velocity[2] = 0.0;
    VectorMagnitude(position);
    VectorMagnitude(velocity);
}

int ComputeTopocentricLookAngles(double jd, const double satPosition[4], const double satVelocity[4],
                                 ObserverSite* site, LookAngles* look) {
    double obsPosition[4], obsVelocity[4];
    ComputeObserverState(jd, site, obsPosition, obsVelocity);
    double rho[4], rhoDot[4];
    for (int k = 0; k < 3; ++k) {
        rho[k] = satPosition[k] - obsPosition[k];
        rhoDot[k] = satVelocity[k] - obsVelocity[k];
    }
    double range = VectorMagnitude(rho);
    Horizon h = ToHorizon(*site, rho);
    // atan2(e, -s) is the azimuth from north through east, also on the
    // north-south line (s = 0).
    look->azimuth = Modulo2Pi(std::atan2(h.e, -h.s));
    look->elevation = ClampedAsin(h.z / range);
    look->range = range;
    look->rangeRate = DotProduct(rho, rhoDot) / range;
    return look->elevation >= 0.0 ? 1 : 0;
}

void ComputeTopocentricRaDec(double jd, const double satPosition[4], const double satVelocity[4],
                             ObserverSite* site, LookAngles* look) {
    ComputeTopocentricLookAngles(jd, satPosition, satVelocity, site, look);
    double d[3];
    LookToEquatorial(*site, *look, d);
    // Both numerators carry the same positive factor cos(delta), which atan2
    // does not need: the right ascension stays defined at the poles.
    look->azimuth = Modulo2Pi(std::atan2(d[1], d[0]));
    look->elevation = ClampedAsin(d[2]);
}

void ComputeTopocentricDirection(double jd, const double satPosition[4], const double satVelocity[4],
                                 ObserverSite* site, LookAngles* look, double* range) {
    ComputeTopocentricLookAngles(jd, satPosition, satVelocity, site, look);
    if (range) *range = look->range;
    double d[3];
    LookToEquatorial(*site, *look, d);
    look->azimuth = d[0];
    look->elevation = d[1];
    look->range = d[2];
}

void ComputeSubSatellitePoint(double jd, const double position[4], SubPoint* sub) {
    double x = position[0], y = position[1], z = position[2];
    sub->rightAscension = std::atan2(y, x);
    double longitude = Modulo2Pi(sub->rightAscension - ComputeGmst(jd));
    double r = std::sqrt(x * x + y * y);
    double latitude = std::atan2(z, r), c = 1.0;
    for (int k = 0; k < kMaxSubPointIterations; ++k) {
        double phi0 = latitude, sinPhi0 = std::sin(phi0);
        c = 1.0 / std::sqrt(1.0 - kEccentricitySquared * sinPhi0 * sinPhi0);
        latitude = std::atan2(z + 42.69765931841998 * c * sinPhi0, r);
        if (!(std::fabs(latitude - phi0) >= 1e-10)) break;
    }
    sub->latitude = latitude;
    // Over the poles r / cos(latitude) is 0 / 0: the height comes from z there.
    double cosPhi = std::cos(latitude);
    sub->height = cosPhi > 1e-8 ? r / cosPhi - kEarthRadius * c
                                : std::fabs(z) - kEarthRadius * c * kPolarFactor * kPolarFactor;
    if (longitude > kPi) longitude -= kTwoPi;
    if (longitude < -kPi) longitude += kTwoPi;
    sub->longitude = -longitude;
}

int IsSatelliteVisibleFromSite(const SatelliteElements* el, double latitude) {
    double n = el->meanMotion * 1440.0 / kTwoPi;
    if (n == 0.0) return 0;
    double i = el->inclination * 180.0 / kPi;
    if (i >= 90.0) i = 180.0 - i;
    double apogee = (1.0 + el->eccentricity) * 331.25 * std::exp(std::log(1440.0 / n) * 2.0 / 3.0);
    double horizon = std::acos(kEarthRadius / apogee);
    return i * kRadiansPerDegree + horizon > std::fabs(latitude) ? 1 : 0;
}

int IsGeostationary(const SatelliteElements* el) {
    double n = el->meanMotion * 1440.0 / kTwoPi;
    return std::fabs(n - 1.0027) < 0.0002 ? 1 : 0;
}

void SetSearchedSatellite(SatelliteElements* elements) { searched = elements; }
SatelliteElements* GetSearchedSatellite() { return searched; }

double SatelliteElevationAt(double jd) {
    ++evaluationCount;
    if (!searched) return kNaN;
    ComputeSatelliteLookAngles(jd, searched);
    return searched->elevation;
}

double SatelliteElevationAndRateAt(double jd, double* rate) {
    const double elevation = SatelliteElevationAt(jd);
    *rate = kNaN;
    if (!std::isfinite(elevation)) return elevation;
    // The zenith turns with the Earth: the range changes there at the
    // satellite's velocity less the Earth's turn at the satellite.
    const double* p = work.position;
    const double* v = work.velocity;
    const double cosPhi = std::cos(work.site.latitude), theta = work.site.siderealAngle;
    const double zenithRate = (v[0] + kEarthRotation * p[1]) * cosPhi * std::cos(theta) +
                              (v[1] - kEarthRotation * p[0]) * cosPhi * std::sin(theta) +
                              v[2] * std::sin(work.site.latitude);
    const double e = work.look.elevation;
    *rate = (zenithRate - std::sin(e) * work.look.rangeRate) / (work.look.range * std::cos(e)) * kDegreesPerRadian;
    return elevation;
}

long SatelliteEvaluationCount() { return evaluationCount; }
void CountSatelliteEvaluation() { ++evaluationCount; }
void ResetSatelliteEvaluationCount() { evaluationCount = 0; }
