#include "ephemeris/apparent_places.h"

#include <cmath>

#include "core/earth_orientation.h"
#include "core/nutation.h"

namespace {

constexpr double kC = 173.14463348;                 // speed of light, AU/day
constexpr double kInverseC = 0.005775518304559583;  // day/AU
constexpr double kKmToAu = 6.684587153547039e-9;
constexpr double kKmPerSecToAuPerDay = 0.0005775483300664642;
constexpr double kAuMetres = 1.4959787e11;
constexpr double kTwoGm = 2.65424876e20;            // twice the Sun's GM, m^3/s^2
constexpr double kCSquared = 89875517869092496.0;   // m^2/s^2
constexpr double kArcsecPerRad = 206264.80624709636;
constexpr double kDegToRad = 0.017453292519943295;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kRadToHours = 3.819718634205488;
constexpr double kEarthRadius = 6378.14;            // km
constexpr double kEarthFlattening = 0.99664719;     // polar / equatorial radius
constexpr double kEarthRotation = 7.292115e-5;      // rad/s
constexpr int kLightTimePassLimit = 100;

// Earth-state cache of GetEarthState.
bool earthCached = false;
double earthJd = 0.0;
double earthTdb = 0.0;
double earthBaryPosition[3], earthBaryVelocity[3], earthHelioPosition[3], earthHelioVelocity[3];

double Dot(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double Length(const double* a) {
    return std::sqrt(Dot(a, a));
}

void Copy(const double* in, double* out) {
    for (int k = 0; k < 3; ++k) out[k] = in[k];
}

void Add(const double* a, const double* b, double* out) {
    for (int k = 0; k < 3; ++k) out[k] = a[k] + b[k];
}

// The observer of a place: where it is and how it moves (barycentric), and where it is
// relative to the Sun.
struct Observer {
    double tdb;
    double baryPosition[3];
    double baryVelocity[3];
    double helioPosition[3];
};

// The Earth of a star's place beyond the planets' range: from its solar series alone, whose
// span is far wider (GetEarthSeriesState); a star needs no planet. Not kept in the cache of
// GetEarthState, so the planets' places there fail as before.
int SeriesObserver(double jd, Observer* o) {
    double jdTt, tdbMinusTt, helioVelocity[3];
    ConvertTdbToTt(jd, &jdTt, &tdbMinusTt);
    o->tdb = jd + tdbMinusTt / 86400.0;
    int code = GetEarthSeriesState(o->tdb, kOriginBarycentre, o->baryPosition, o->baryVelocity);
    if (code == 0) code = GetEarthSeriesState(o->tdb, kOriginSun, o->helioPosition, helioVelocity);
    return code;
}

// The observer at the centre of the Earth; for a star (`star`) the Earth beyond the body
// source's range comes from SeriesObserver.
int GeocentricObserver(double jd, const BodyDescriptor* earth, Observer* o, bool star = false) {
    double helioVelocity[3];
    int code = GetEarthState(jd, earth, &o->tdb, o->baryPosition, o->baryVelocity, o->helioPosition,
                             helioVelocity);
    if (code == 1 && star && earth->type == 0 && earth->number == kBodyEarth) code = SeriesObserver(jd, o);
    return code;
}

// The observer on the Earth's surface at JD (TT), J2000 frame.
int TopocentricObserver(double jd, const BodyDescriptor* earth, double deltaT,
                        const AstroSite* site, Observer* o, bool star = false) {
    double ut = jd - deltaT / 86400.0;
    int code = GeocentricObserver(jd, earth, o, star);
    if (code != 0) return code;
    double e0, e, ee, dpsi, deps;
    ComputeEarthTilt(o->tdb, &e0, &e, &ee, &dpsi, &deps);
    double st;
    ComputeSiderealTimeFromJd(ut, 0.0, ee, &st);
    double pos[3], vel[3], mean[3], posJ2000[3], velJ2000[3];
    ComputeObserverVectors(site, st, pos, vel);
    ApplyNutation(o->tdb, 1, pos, mean);
    ApplyPrecession(o->tdb, mean, 2451545.0, posJ2000);
    ApplyNutation(o->tdb, 1, vel, mean);
    ApplyPrecession(o->tdb, mean, 2451545.0, velJ2000);
    Add(o->baryPosition, posJ2000, o->baryPosition);
    Add(o->baryVelocity, velJ2000, o->baryVelocity);
    Add(o->helioPosition, posJ2000, o->helioPosition);
    return 0;
}

// From a geocentric (or topocentric) J2000 vector with its light time to RA and Dec of date.
void FinishPlace(const Observer& o, const double* geocentric, double lightTime, double* ra,
                 double* dec) {
    double deflected[3], aberrated[3], precessed[3], ofDate[3];
    ApplySolarDeflection(geocentric, o.helioPosition, deflected);
    ApplyAberration(deflected, o.baryVelocity, lightTime, aberrated);
    ApplyPrecession(2451545.0, aberrated, o.tdb, precessed);
    ApplyNutation(o.tdb, 0, precessed, ofDate);
    VectorToRaDec(ofDate, ra, dec);
}

void StarPlace(const Observer& o, const CatalogStar* star, double* ra, double* dec) {
    double position[3], velocity[3], moved[3], geocentric[3], lightTime;
    ComputeStarVectors(star, position, velocity);
    ApplyProperMotion(2451545.0, position, velocity, o.tdb, moved);
    ComputeGeocentricVector(moved, o.baryPosition, geocentric, &lightTime);
    FinishPlace(o, geocentric, lightTime, ra, dec);
}

// Place of a body for the observer; R (bigR) is the observer distance the caller chose. A
// failure of the first body state zeroes every output; a failure inside the light-time
// iteration zeroes RA, Dec and distance and keeps r and R.
int PlanetPlace(const Observer& o, const BodyDescriptor* body, double observerR, double* ra,
                double* dec, double* distance, double* r, double* bigR) {
    double position[3], velocity[3], geocentric[3], lightTime;
    int code = GetBodyState(o.tdb, body, kOriginBarycentre, position, velocity);
    if (code != 0) {
        *ra = *dec = *distance = *r = *bigR = 0.0;
        return code;
    }
    *r = Length(position);
    *bigR = observerR;
    ComputeGeocentricVector(position, o.baryPosition, geocentric, &lightTime);
    *distance = lightTime * kC;
    double t = o.tdb - lightTime;
    for (int pass = 0; pass < kLightTimePassLimit; ++pass) {
        double previous = t;
        code = GetBodyState(t, body, kOriginBarycentre, position, velocity);
        if (code != 0) {
            *ra = *dec = *distance = 0.0;
            return code;
        }
        ComputeGeocentricVector(position, o.baryPosition, geocentric, &lightTime);
        t = o.tdb - lightTime;
        if (std::fabs(t - previous) <= 1e-8) break;
    }
    FinishPlace(o, geocentric, lightTime, ra, dec);
    return 0;
}

}  // namespace

int GetEarthState(double jd, const BodyDescriptor* earth, double* tdb, double* baryPosition,
                  double* baryVelocity, double* helioPosition, double* helioVelocity) {
    if (!earthCached || std::fabs(jd - earthJd) > 1e-6) {
        double jdTt, tdbMinusTt;
        ConvertTdbToTt(jd, &jdTt, &tdbMinusTt);
        double t = jd + tdbMinusTt / 86400.0;
        int code = GetSolarSystemBody(t, earth->number, kOriginBarycentre, earthBaryPosition,
                                      earthBaryVelocity);
        if (code == 0) {
            code = GetSolarSystemBody(t, earth->number, kOriginSun, earthHelioPosition,
                                      earthHelioVelocity);
        }
        if (code != 0) {
            earthCached = false;
            earthJd = 0.0;
            return code;
        }
        earthCached = true;
        earthJd = jd;
        earthTdb = t;
    }
    *tdb = earthTdb;
    Copy(earthBaryPosition, baryPosition);
    Copy(earthBaryVelocity, baryVelocity);
    Copy(earthHelioPosition, helioPosition);
    Copy(earthHelioVelocity, helioVelocity);
    return 0;
}

void ComputeObserverVectors(const AstroSite* site, double siderealTime, double* position,
                            double* velocity) {
    double f = site->latitude * kDegToRad;
    double sf = std::sin(f), cf = std::cos(f);
    double k = kEarthFlattening * kEarthFlattening;
    double c = 1.0 / std::sqrt(cf * cf + k * sf * sf);
    double ach = kEarthRadius * c + site->height / 1000.0;
    double ash = kEarthRadius * k * c + site->height / 1000.0;
    double l = (siderealTime * 15.0 + site->longitude) * kDegToRad;
    double km[3] = {ach * cf * std::cos(l), ach * cf * std::sin(l), ash * sf};
    double kmPerSec[3] = {-kEarthRotation * km[1], kEarthRotation * km[0], 0.0};
    for (int i = 0; i < 3; ++i) {
        position[i] = km[i] * kKmToAu;
        velocity[i] = kmPerSec[i] * kKmPerSecToAuPerDay;
    }
}

void ComputeStarVectors(const CatalogStar* star, double* position, double* velocity) {
    double p = star->parallax > 0.0 ? star->parallax : 1e-7;
    double distance = kArcsecPerRad / p;
    double a = star->ra * 15.0 * kDegToRad, d = star->dec * kDegToRad;
    double ca = std::cos(a), sa = std::sin(a), cd = std::cos(d), sd = std::sin(d);
    position[0] = distance * cd * ca;
    position[1] = distance * cd * sa;
    position[2] = distance * sd;
    double pmr = star->pmRa * 15.0 * cd / (p * 36525.0);
    double pmd = star->pmDec / (p * 36525.0);
    double rvl = star->radialVelocity * kKmPerSecToAuPerDay;
    velocity[0] = -pmr * sa - pmd * sd * ca + rvl * cd * ca;
    velocity[1] = pmr * ca - pmd * sd * sa + rvl * cd * sa;
    velocity[2] = pmd * cd + rvl * sd;
}

void ApplyProperMotion(double jd1, const double* position, const double* velocity, double jd2,
                       double* out) {
    for (int k = 0; k < 3; ++k) out[k] = position[k] + velocity[k] * (jd2 - jd1);
}

void ComputeGeocentricVector(const double* position, const double* observer, double* out,
                             double* lightTime) {
    for (int k = 0; k < 3; ++k) out[k] = position[k] - observer[k];
    *lightTime = Length(out) * kInverseC;
}

int ApplySolarDeflection(const double* p, const double* observer, double* out) {
    double pm = Length(p), em = Length(observer);
    double u[3], w[3];
    for (int k = 0; k < 3; ++k) {
        u[k] = p[k] / pm;
        w[k] = observer[k] / em;
    }
    double cd = -Dot(u, w);
    if (std::fabs(cd) > 0.9999999999) {
        Copy(p, out);
        return 0;
    }
    double sd = std::sqrt(1.0 - cd * cd);
    double b = em * sd;
    double q = std::sqrt(em * em + pm * pm - 2.0 * em * pm * cd);
    double xf = em * cd / b;
    double xi = (em * cd - pm) / b;
    double dphi = (xf / std::sqrt(xf * xf + 1.0) - xi / std::sqrt(xi * xi + 1.0)) /
                  (b * kAuMetres * kCSquared) * kTwoGm;
    double dphp = dphi / (em / q + 1.0) / sd * pm;
    for (int k = 0; k < 3; ++k) out[k] = p[k] + dphp * (cd * u[k] + w[k]);
    return 0;
}

int ApplyAberration(const double* p, const double* v, double lightTime, double* out) {
    double pm;
    if (lightTime == 0.0) {
        pm = Length(p);
        lightTime = pm / kC;
    } else {
        pm = lightTime * kC;
    }
    double vm = Length(v);
    if (vm == 0.0) {  // an observer at rest sees no aberration (and p . v / vm would be 0/0)
        Copy(p, out);
        return 0;
    }
    double beta = vm / kC;
    double cd = Dot(p, v) / (pm * vm);
    double g = std::sqrt(1.0 - beta * beta);
    double q = beta * cd;
    double f = (q / (g + 1.0) + 1.0) * lightTime;
    for (int k = 0; k < 3; ++k) out[k] = (g * p[k] + f * v[k]) / (1.0 + q);
    return 0;
}

int VectorToRaDec(const double* v, double* ra, double* dec) {
    double xy = std::sqrt(v[0] * v[0] + v[1] * v[1]);
    if (xy != 0.0) {
        double h = std::atan2(v[1], v[0]) * kRadToHours;
        if (h < 0.0) h += 24.0;
        if (h >= 24.0) h -= 24.0;
        *ra = h;
        *dec = std::atan2(v[2], xy) * kRadToDeg;
        return 0;
    }
    *ra = 0.0;
    if (v[2] == 0.0) {
        *dec = 0.0;
        return 1;
    }
    *dec = v[2] > 0.0 ? 90.0 : -90.0;
    return 2;
}

void RaDecToVector(double ra, double dec, double distance, double* out) {
    double a = ra * 15.0 * kDegToRad, d = dec * kDegToRad;
    out[0] = distance * std::cos(d) * std::cos(a);
    out[1] = distance * std::cos(d) * std::sin(a);
    out[2] = distance * std::sin(d);
}

int ComputeApparentStarPlace(double jd, const BodyDescriptor* earth, const CatalogStar* star,
                             double* ra, double* dec) {
    Observer o;
    int code = GeocentricObserver(jd, earth, &o, true);
    if (code != 0) {
        *ra = *dec = 0.0;
        return code;
    }
    StarPlace(o, star, ra, dec);
    return 0;
}

int ComputeTopocentricStarPlace(double jd, const BodyDescriptor* earth, double deltaT,
                                const CatalogStar* star, const AstroSite* site, double* ra,
                                double* dec) {
    Observer o;
    int code = TopocentricObserver(jd, earth, deltaT, site, &o, true);
    if (code != 0) {
        *ra = *dec = 0.0;
        return code;
    }
    StarPlace(o, star, ra, dec);
    return 0;
}

int ComputeApparentPlanetPlace(double jd, const BodyDescriptor* body, const BodyDescriptor* earth,
                               double* ra, double* dec, double* distance, double* r, double* bigR) {
    Observer o;
    int code = GeocentricObserver(jd, earth, &o);
    if (code != 0) {
        *ra = *dec = 0.0;
        return code + 10;
    }
    return PlanetPlace(o, body, Length(o.helioPosition), ra, dec, distance, r, bigR);
}

int ComputeTopocentricPlanetPlace(double jd, const BodyDescriptor* body,
                                  const BodyDescriptor* earth, double deltaT,
                                  const AstroSite* site, double* ra, double* dec,
                                  double* distance, double* r, double* bigR) {
    Observer o;
    int code = TopocentricObserver(jd, earth, deltaT, site, &o);
    if (code != 0) {
        *ra = *dec = *distance = 0.0;
        return code + 10;
    }
    return PlanetPlace(o, body, Length(o.baryPosition), ra, dec, distance, r, bigR);
}

void ResetEarthStateCache() {
    earthCached = false;
    earthJd = 0.0;
}
