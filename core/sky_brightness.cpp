#include "core/sky_brightness.h"

#include <algorithm>
#include <cmath>

#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "core/sky_positions.h"
#include "core/text_numbers.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kRightAngle = 1.570796326794895;

double Round2(double x) { return std::floor(100.0 * x + 0.5) / 100.0; }
double Round1(double x) { return std::floor(10.0 * x + 0.5) / 10.0; }
double Pow10(double x) { return std::pow(10.0, x); }

// Where a body stands on the horizon sphere.
struct HorizonPlace {
    double altitude;  // degrees
    double azimuth;   // degrees
};

// Airmass of the brightness terms for a zenith distance z (radians).
double BrightnessAirmass(double z) {
    return 1.0 / (std::cos(z) + 0.025 * std::exp(-11.0 * std::cos(z)));
}

// The same for the Moon or the Sun: 40 once the body is below the horizon.
double BodyAirmass(double z) { return z > kRightAngle ? 40.0 : BrightnessAirmass(z); }

// Scattering function of the angle rho (radians) from a light source.
double Scattering(double rho) {
    const double rhoDeg = rho * kRadToDeg;
    const double c = std::cos(rho);
    return Pow10(5.36) * (1.06 + c * c) + 6.2e7 / (rhoDeg * rhoDeg) +
           Pow10(6.15 - rho * 1.4323944878270576);
}

// Angle between two places of the horizon sphere, radians.
double HorizonAngle(const HorizonPlace& a, const HorizonPlace& b) {
    return AngularDistanceRad(a.azimuth / 15.0, a.altitude, b.azimuth / 15.0, b.altitude);
}

// Brightness (nL) to magnitudes per square arcsecond.
double SkyMagnitudeOf(double b) {
    return 27.78151 - 1.0857362486075433 * std::log(3.8022813688212924 * b);
}

struct Extinction {
    double k;        // total coefficient, magnitudes per airmass
    double kError;   // its uncertainty
    double looking;  // extinction in the looking direction, magnitudes
};

Extinction ComputeExtinction(const SkyBrightnessRecord& rec, double sunRaHours) {
    const double ht = rec.height, t = rec.temperature;
    const double phi = rec.latitude * kDegToRad;
    const double ras = sunRaHours * 0.2617993877991829;
    // The aerosol law has a pole at 100 percent and no value above it.
    const double rh = std::min(rec.humidity, 99.0);
    const double kr = 0.1066 * std::exp(-ht / 8200.0);
    const double ka = 0.12 * (1.0 + 0.33 * std::sin(ras)) *
                      std::pow(1.0 - 0.32 / std::log(rh / 100.0), 1.3333333333333333) *
                      std::exp(-ht / 1500.0);
    const double ko = 0.010333333333333333 * (3.0 + 0.4 * (phi * std::cos(ras) - std::cos(3.0 * phi)));
    const double kw = 0.02914 * (rec.humidity / 100.0) * std::exp(t / 15.0) * std::exp(-ht / 8200.0);
    Extinction e;
    e.k = kr + ka + ko + kw;
    double sumSquares = 0.0;
    for (double ki : {kr, ka, ko, kw}) sumSquares += (0.4 * ki + 0.01) * (0.4 * ki + 0.01);
    e.kError = std::sqrt(sumSquares);
    const double z = (90.0 - rec.objectAltitude) * kDegToRad;
    const double cz = std::cos(z);
    const double xg = 1.0 / (cz + 0.0286 * std::exp(-10.5 * cz));
    const double xa = 1.0 / (cz + 0.0123 * std::exp(-24.5 * cz));
    const double so = 0.9968740231322287 * std::sin(z);
    const double xo = 1.0 / std::sqrt(1.0 - so * so);
    e.looking = (kr + kw) * xg + ka * xa + ko * xo;
    return e;
}

void FillInputs(SkyBrightnessRecord* rec, int year, int month, int day, int hour, int minute) {
    rec->objectAltitude = 89.0;
    rec->objectAzimuth = 180.0;
    rec->humidity = currentSite.humidity;
    rec->temperature = currentSite.temperature;
    rec->latitude = currentSite.latitude;
    rec->longitude = currentSite.longitude;
    rec->zoneHours = currentSite.zoneMinutes / 60;
    rec->height = currentSite.elevation;
    rec->acuity = (preferences.word[kPrefVision] + 2) * 0.1;
    const int32_t when[6] = {year, month, day, hour, minute, 0};
    std::copy(when, when + 6, rec->dateTime);
    // The Age rows "15", "25" .. "85", ">95" stand for 15 + 10 x row years.
    rec->observerAge = 15.0 + 10.0 * preferences.word[kPrefAge];
    rec->experience = preferences.word[kPrefExperience] * 5.0;
}

// The Sun and the Moon for the record's time and site: places, phase and the
// angles of the horizon sphere (radians).
struct Sky {
    double sunRa;           // hours
    double moonEarthRadii;  // the Moon's distance
    HorizonPlace sun, moon;
    double phaseAngle;                                // the Moon's, degrees
    double moonZenith, moonAway, sunZenith, sunAway;  // from the zenith and the looking direction
};

Sky ComputeSky(SkyBrightnessRecord* rec, int year, int month, int day, int hour, int minute) {
    const int zone = currentSite.zoneMinutes;
    const double jd = JulianDayFromDateTime(year, month, day, hour, minute, 0, zone);
    const double lst = GetLocalSiderealTime(year, month, day, hour, minute, 0, rec->longitude, zone);
    Sky s;
    double sunDec, moonRa, moonDec;
    ComputeSunRaDec(jd, &s.sunRa, &sunDec);
    ComputeMoonTopocentric(jd, lst, rec->latitude, &moonRa, &moonDec, &s.moonEarthRadii);
    s.sun = {ComputeAltitude(lst, s.sunRa, sunDec, rec->latitude),
             ComputeAzimuth(lst, s.sunRa, sunDec, rec->latitude)};
    s.moon = {ComputeAltitude(lst, moonRa, moonDec, rec->latitude),
              ComputeAzimuth(lst, moonRa, moonDec, rec->latitude)};
    const double psi = AngularDistanceRad(moonRa, moonDec, s.sunRa, sunDec);
    rec->moonFraction = (1.0 - std::cos(psi)) / 2.0;
    s.phaseAngle = std::acos(2.0 * rec->moonFraction - 1.0) * kRadToDeg;
    const HorizonPlace zenith{90.0, 0.0};
    const HorizonPlace looking{rec->objectAltitude, rec->objectAzimuth};
    s.moonZenith = HorizonAngle(zenith, s.moon);
    s.moonAway = HorizonAngle(looking, s.moon);
    s.sunZenith = HorizonAngle(zenith, s.sun);
    s.sunAway = HorizonAngle(looking, s.sun);
    rec->moonDistance = Round1(s.moonAway * kRadToDeg);
    rec->sunDistance = Round1(s.sunAway * kRadToDeg);
    return s;
}

// The parts of the sky brightness in the looking direction, nanolamberts.
struct Light {
    double airmass;  // of the looking direction
    double glare, moon, night, twilight, daylight;
};

// The Moon's light at the observer (with its opposition surge and distance)
// and what it adds to the sky, with glare within 5 degrees of it.
void AddMoonlight(SkyBrightnessRecord* rec, const Sky& sky, double k, double scattered, Light* light) {
    const double am = sky.phaseAngle;
    const double mm = -12.73 + 0.026 * std::fabs(am) + 4e-9 * am * am * am * am;
    const double relativeDistance = sky.moonEarthRadii * 0.016592002654720425;
    const double im = Pow10(-0.4 * (mm + 16.57)) * std::max(1.0, 1.35 - 0.05 * std::fabs(am)) /
                      (relativeDistance * relativeDistance);
    const double xm = BodyAirmass(sky.moonZenith);
    const double c3 = Pow10(-0.4 * k * xm);
    rec->moonMagnitude = sky.moon.altitude > 0 ? Round2(-2.5 * std::log10(c3 * im) - 16.57) : 50.0;
    const double rm = sky.moonAway;
    if (rm * kRadToDeg <= 5.0 && am > 1.0) {
        light->glare =
            6.25e7 * (c3 - Pow10(-0.8 * k * xm)) * im / (rm * rm) + 4.63e7 * c3 * im / (rm * rm);
        light->moon = 5.67e10 * c3 * im / am;
    } else {
        light->glare = 0.0;
        light->moon = scattered * c3 * im * Scattering(rm);
    }
}

Light ComputeLight(SkyBrightnessRecord* rec, const Sky& sky, double k, int year) {
    Light light;
    light.airmass = BrightnessAirmass((90.0 - rec->objectAltitude) * kDegToRad);
    const double x = light.airmass;
    const double scattered = 1.0 - Pow10(-0.4 * k * x);  // share scattered into the line of sight
    AddMoonlight(rec, sky, k, scattered, &light);
    // Night sky over the 11-year solar cycle, twilight and daylight.
    light.night = 200.0 * (1.0 + 0.3 * std::cos(0.5711986642890527 * (year - 1992))) * (0.4 + 0.6 * x) *
                  Pow10(-0.4 * k * x);
    light.twilight = scattered * Pow10(0.4 * sky.sun.altitude + 8.45) *
                     std::max(1.0, Pow10(0.6366197723675812 * sky.sunZenith - 1.1));
    const double c4 = Pow10(-0.4 * k * BodyAirmass(sky.sunZenith));
    light.daylight = scattered * c4 * Scattering(sky.sunAway) * 11700.0;
    rec->sunMagnitude = sky.sun.altitude > 0 ? Round2(-2.5 * std::log10(11700.0 * c4) - 16.57) : 50.0;
    return light;
}

}  // namespace

void ComputeVisualThreshold(double b, double k, double kError, double airmass, double acuity, double age,
                            double* magnitude, double* relativeError) {
    const bool day = b >= kDayVisionBrightness;
    double fe, feError, fc, fcError, fb, fbError, c1, c2, te;
    if (day) {
        fe = Pow10(0.4 * k * airmass), feError = 0.92 * airmass * kError;
        fc = 1.0, fcError = 0.0;
        fb = 1.0, fbError = 0.0;
        c1 = Pow10(-8.35), c2 = Pow10(-5.9);
        te = 42.0 * Pow10(8.28 * std::pow(b, -0.29)) / acuity;
    } else {
        fe = Pow10(0.48 * k * airmass), feError = 1.105 * airmass * kError;
        fc = Pow10(-0.3), fcError = 0.23;
        fb = Pow10(-0.26), fbError = 0.046;
        c1 = Pow10(-9.8), c2 = Pow10(-1.9);
        te = std::min(900.0, 380.0 * Pow10(0.3 * std::pow(b, -0.29))) / acuity;
    }
    // Pupil: 7 exp(-0.5 (A / 100)^2) mm against its value at 25 years.
    const double pupil = std::exp(-0.5 * 0.25 * 0.25) / std::exp(-0.5 * (age / 100.0) * (age / 100.0));
    const double fp = pupil * pupil, fpError = 0.001 * age;
    const double ts = std::sqrt(2.25 * 2.888 * airmass);
    const double fr = (1.0 + 0.03 * (ts / te) * (ts / te)) / (acuity * acuity), frError = 0.2 / acuity;
    const double bPrime = b / (fp * fb);
    const double root = 1.0 + std::sqrt(c2 * bPrime);
    const double th = c1 * root * root;
    const double illuminance = fr * fp * fc * fe * th;
    *magnitude = -16.57 - 2.5 * std::log10(illuminance);
    const double uB = std::sqrt(fpError * fpError + fbError * fbError + 0.2 * 0.2);
    const double uT = c1 * c2 * (1.0 + 1.0 / std::sqrt(c2 * bPrime)) * bPrime * uB / th;
    *relativeError = std::sqrt(fcError * fcError + frError * frError + fpError * fpError +
                               feError * feError + uT * uT);
}

double ComputeLimitingMagnitude(SkyBrightnessRecord* rec, int year, int month, int day, int hour,
                                int minute) {
    FillInputs(rec, year, month, day, hour, minute);
    const Sky sky = ComputeSky(rec, year, month, day, hour, minute);
    const Extinction ext = ComputeExtinction(*rec, sky.sunRa);
    rec->extinction = Round2(ext.k);
    rec->objectExtinction = Round2(ext.looking);
    const Light light = ComputeLight(rec, sky, ext.k, year);
    const double b = std::min(light.twilight, light.daylight) + light.glare + light.night + light.moon;

    double m, u;
    ComputeVisualThreshold(b, ext.k, ext.kError, light.airmass, rec->acuity, rec->observerAge, &m, &u);

    rec->skyMagnitude = Round2(SkyMagnitudeOf(b));
    rec->skyBrightness = b <= 1000.0 ? Round2(b) : b;
    if (sky.moon.altitude >= 0) {
        rec->moonSkyMagnitude = Round2(SkyMagnitudeOf(light.moon));
        rec->moonSkyBrightness = light.moon <= 1000.0 ? Round2(light.moon) : light.moon;
    } else {
        rec->moonSkyMagnitude = -500.0;
        rec->moonSkyBrightness = -500.0;
    }
    const double condition = std::pow(std::log10(31.0 - GetSkyConditionValue()), 10.0);
    rec->limitingMagnitude = Round2(m + 0.16 * (rec->experience - 6.0)) - condition;
    const double magError = 2.5 * u / std::log(10.0);
    rec->limitingMagnitudeError = Round2(std::fabs(std::sqrt(0.16 * 0.16 + magError * magError)));
    return rec->limitingMagnitudeError;
}
