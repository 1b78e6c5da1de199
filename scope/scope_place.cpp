#include "scope/scope_place.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "chart/horizon_projection.h"
#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/apparent_altaz.h"
#include "scope/alignment.h"
#include "scope/pointing_model.h"
#include "ui/input_polling.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;

struct Clock {
    int year, month, day, hour, minute, second;
};

Clock ReadClock() {
    Clock c{};
    GetLocalDateTime(&c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
    return c;
}

bool EqOutput() { return preferences.word[kPrefMountType] == 0; }

}  // namespace

bool PlaceOfDate(double ra, double dec, int mode, double* placeRa, double* placeDec, double* altitude,
                 double* azimuth) {
    Clock c = ReadClock();
    double alt = -90.0, az = 0.0;
    int code = ComputeApparentAltAz(ra, dec, placeRa, placeDec, &alt, &az, mode, c.year, c.month, c.day,
                                    c.hour, c.minute, c.second);
    if (code != 0) {
        *placeRa = ra;
        *placeDec = dec;
    }
    if (altitude) *altitude = alt;
    if (azimuth) *azimuth = az;
    return code == 0;
}

void CatalogPlaceToDate(double* ra, double* dec) {
    PlaceOfDate(*ra, *dec, kModeGeocentric, ra, dec, nullptr, nullptr);
}

void HorizonReadingToSky(double* azimuth, double* altitude) {
    HorizontalToEquatorial(ClockSiderealTime(), *azimuth * kDegToRad, *altitude * kDegToRad, azimuth, altitude);
}

double ClockSiderealTime() {
    Clock c = ReadClock();
    return GetLocalSiderealTime(c.year, c.month, c.day, c.hour, c.minute, c.second, currentSite.longitude,
                                currentSite.zoneMinutes);
}

void ApplyPointingCorrection(double* ra, double* dec, double azimuth, double altitude) {
    if (EqOutput()) {
        double first = *ra * 15.0, second = *dec;
        if (ApplyPointingModel(&first, &second) == 0) {
            *ra = first / 15.0;
            *dec = second;
        }
        return;
    }
    if (ApplyPointingModel(&azimuth, &altitude) == 0)
        HorizontalToEquatorial(ClockSiderealTime(), azimuth * kDegToRad, altitude * kDegToRad, ra, dec);
}

void SkyToMount(double* ra, double* dec) {
    Clock c = ReadClock();
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    AlignmentStar star{};
    star.time = ParseHoursToDegrees(time);
    star.ra = *ra * 15.0;
    star.dec = *dec;
    SkyToScope(&star);
    double phi = EqOutput() ? star.model1 : 2.0 * kPi - star.model1;
    double theta = star.model2;
    ScopeAnglesFromVector(&theta, &phi);
    if (!EqOutput()) phi = 2.0 * kPi - phi;
    *ra = phi * 12.0 / kPi;
    *dec = theta * 180.0 / kPi;
}

void ReadingToSky(double* first, double* second) {
    Clock c = ReadClock();
    double time = (c.hour + c.minute / 60.0 + c.second / 3600.0) * 15.0;
    double reading1 = EqOutput() ? *first * 15.0 : *first;
    ScopeToSky(time, reading1, *second, first, second);
}
