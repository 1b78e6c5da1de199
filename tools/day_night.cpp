#include "tools/day_night.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/sidereal_time.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "tools/observer_site.h"

DayNightState dayNightState{};

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kSunH0 = -0.833333;
constexpr double kTwilightH0[3] = {-6.0, -12.0, -18.0};

// 365 y + 31 m + d + the months' correction: the day number less its offset.
int DayNumber(int day, int month, int year) {
    int n = 365 * year + 31 * month + day;
    if (month >= 3)
        n += static_cast<int>(0.25 * year) - static_cast<int>(0.4 * month + 2.3);
    else
        n += (year - 1) / 4;
    return n;
}

// Whole hours and minutes of a time of day, truncated; a time outside the day
// is first brought into it.
void HoursMinutes(double hours, int* h, int* m) {
    if (hours < 0.0 || hours >= 24.0) hours -= 24.0 * std::floor(hours / 24.0);
    *h = static_cast<int>(hours);
    *m = static_cast<int>(60.0 * hours - 60.0 * *h);
}

std::string Format(const char* pattern, int a, int b) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// A length of time: hours and minutes, truncated; none below 0.
std::string LengthText(double hours) {
    if (hours < 0.0) hours = 0.0;
    int h = static_cast<int>(hours);
    return Format(": %02dh%02dm", h, static_cast<int>(60.0 * hours - 60.0 * h));
}

// The change of the day's length, d hours: signed minutes and seconds.
std::string ChangeText(double d) {
    const double a = std::fabs(d);
    const int minutes = static_cast<int>(60.0 * a);
    const int seconds = static_cast<int>(3600.0 * a - 60.0 * minutes);
    char text[32];
    std::snprintf(text, sizeof text, " %c%02dm%02ds", d < 0.0 ? '-' : '+', minutes, seconds);
    return text;
}

struct SunTrack {
    double ra[4], dec[4];  // at 0 h of the days -2, -1, 0 and +1 from the date
};

SunTrack FetchSunTrack(DateTime date) {
    SunTrack t;
    AddDaysToDate(&date.year, &date.month, &date.day, -2);
    for (int k = 0; k < 4; ++k) {
        ComputeSunPosition(&t.ra[k], &t.dec[k], date.year, date.month, date.day, 0, 0, 0);
        AddDaysToDate(&date.year, &date.month, &date.day, 1);
    }
    return t;
}

// Rise and set on `date` from the places of the days before, of and after it
// (track entries first .. first + 2).
void RiseSet(const SunTrack& t, int first, DateTime date, double h0, double* rise, double* set) {
    double transit;
    ComputeRiseTransitSet(date.year, date.month, date.day, 0, 0, 0, t.ra[first], t.dec[first], t.ra[first + 1],
                          t.dec[first + 1], t.ra[first + 2], t.dec[first + 2], h0, rise, &transit, set);
}

}  // namespace

double SubSolarHourAngle(int day, int month, int year, double utHours) {
    const double n = DayNumber(day, month, year) - 46;
    const double l = ((n + utHours / 24.0) - 722449.0) * 0.98564734 + 279.306;
    const double r = l * kDegToRad;
    const double e = 595.63 * std::sin(2 * r) - 429.266 * std::cos(r) - 104.55 * std::sin(r) -
                     2.283 * std::cos(2 * r) + 18.7333 * std::cos(3 * r) + 4.6 * std::sin(3 * r) -
                     13.2 * std::sin(4 * r) - std::cos(5 * r) - std::sin(5 * r) / 3.0 + 0.5 * std::sin(6 * r) +
                     0.231;
    double angle = e / 240.0 + (utHours / 24.0 + 0.5) * 360.0;
    if (angle > 360.0) angle -= 360.0;
    return angle;
}

double SunDeclinationForDate(int day, int month, int year, double utHours) {
    const double n = DayNumber(day, month, year) - 694006;
    const double q = n * 0.0006844626967830253;
    const double k = std::trunc(q), f = q - k;
    const double m = f * 1440.02509 + k * 0.0307572 + utHours * 0.04106935416666667 + 356.6498973;
    const double c = m + 1.91233 * std::sin(m * 0.0174529870873242);
    double lambda = c + 0.02 * std::sin(c * 0.0349059741746484) + 282.55462;
    lambda = (lambda / 360.0 - std::trunc(lambda / 360.0)) * 360.0;
    const double t = (year - 2000) * 0.01;
    const double epsilon = 23.43929111 - t * (46.815 + t * (0.00059 - 0.001813 * t)) / 3600.0;
    const double sinDelta = std::sin(epsilon * kDegToRad) * std::sin(lambda * kDegToRad);
    return std::atan(sinDelta / std::sqrt(1.0 - sinDelta * sinDelta)) * kRadToDeg + 0.00075;
}

int TerminatorLatitude(double longitudeOffsetDeg, double cotDeclination) {
    const double v = -std::cos(longitudeOffsetDeg * kDegToRad) * cotDeclination;
    if (std::isnan(v)) return cotDeclination < 0.0 ? 90 : -90;
    return static_cast<int>(std::atan(v) * kRadToDeg + 0.5);
}

double EquationOfTimeMinutes(int day, int month, int year) {
    double angle = SubSolarHourAngle(day, month, year, 12.0);
    if (angle > 5.0) angle -= 360.0;
    return 4.0 * angle;
}

std::string EquationOfTimeText(double minutes) {
    const int m = static_cast<int>(minutes);
    const int seconds = std::abs(static_cast<int>(60.0 * minutes)) - std::abs(60 * m);
    if (m == 0 && minutes < 0.0) return Format("-%02dm%02ds", 0, seconds);
    return Format("%02dm%02ds", m, seconds);
}

DateTime UniversalDateTime(const DateTime& local) {
    DateTime u = local;
    AddMinutesToDateTime(&u.year, &u.month, &u.day, &u.hour, &u.minute, -currentSite.zoneMinutes);
    return u;
}

DayNightFields ComputeDayNightFields(const DateTime& t, double equationOfTime) {
    const SiteRecord& site = currentSite;
    DayNightFields f;
    char name[sizeof site.name + 1] = {};
    std::memcpy(name, site.name, sizeof site.name);
    f.site = name;
    f.latitude = CoordinateText(site.latitude, 'N', 'S');
    f.longitude = CoordinateText(site.longitude, 'W', 'E');
    char text[32];
    FormatDate(text, sizeof text, t.day, t.month, t.year);
    f.date = text;
    f.time = Format("%02d:%02d", t.hour, t.minute);
    const DateTime u = UniversalDateTime(t);
    f.universalTime = Format("%02d:%02d", u.hour, u.minute);
    std::snprintf(text, sizeof text, "%+d", site.zoneMinutes / 60);
    f.zone = text;
    const double lst =
        GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, site.longitude, site.zoneMinutes);
    const int lstHours = static_cast<int>(lst);
    f.siderealTime = Format("%02d:%02d", lstHours, static_cast<int>((lst - lstHours) * 60.0));
    f.equationOfTime = EquationOfTimeText(equationOfTime);
    double ra = 0.0, dec = 0.0;
    ComputeSunPosition(&ra, &dec, t.year, t.month, t.day, t.hour, t.minute, t.second);
    std::snprintf(text, sizeof text, "%d\xB0", static_cast<int>(dec));
    f.sunDeclination = text;
    return f;
}

DayNightPanel ComputeDayNightPanel(const DateTime& local) {
    DayNightPanel p{};
    DateTime day = UniversalDateTime(local);
    const SunTrack track = FetchSunTrack(day);
    DateTime previous = day;
    AddDaysToDate(&previous.year, &previous.month, &previous.day, -1);
    RiseSet(track, 0, previous, kSunH0, &p.previousRise, &p.previousSet);
    RiseSet(track, 1, day, kSunH0, &p.rise, &p.set);
    const double length = p.set - p.rise;
    p.dayLength = LengthText(length);
    p.dayChange = ChangeText(length - (p.previousSet - p.previousRise));
    p.nightLength = LengthText(24.0 - length);
    for (int i = 0; i < 3; ++i) {
        RiseSet(track, 1, day, kTwilightH0[i], &p.twilightRise[i], &p.twilightSet[i]);
        int h, m;
        HoursMinutes(p.twilightRise[i], &h, &m);
        p.twilightRiseText[i] = Format(": %02dh%02dm", h, m);
        HoursMinutes(p.twilightSet[i], &h, &m);
        p.twilightSetText[i] = Format("%02dh%02dm", h, m);
    }
    return p;
}

void ResetDayNightState() { dayNightState = DayNightState{}; }
