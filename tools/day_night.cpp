#include "tools/day_night.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

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
constexpr double kUpThrough = std::numeric_limits<double>::infinity();
constexpr double kNotFound = std::numeric_limits<double>::quiet_NaN();

// 365 y + 31 m + d + the months' correction: the day number less its offset.
int DayNumber(int day, int month, int year) {
    int n = 365 * year + 31 * month + day;
    if (month >= 3)
        n += static_cast<int>(0.25 * year) - static_cast<int>(0.4 * month + 2.3);
    else
        n += (year - 1) / 4;
    return n;
}

std::string Format(const char* pattern, int a, int b) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// A length of time in whole minutes: ": %02dh%02dm".
std::string LengthText(int minutes) { return Format(": %02dh%02dm", minutes / 60, minutes % 60); }

// The change of the day's length, d hours: signed minutes and seconds.
std::string ChangeText(double d) {
    const double a = std::fabs(d);
    const int minutes = static_cast<int>(60.0 * a);
    const int seconds = static_cast<int>(3600.0 * a - 60.0 * minutes);
    char text[32];
    std::snprintf(text, sizeof text, " %c%02dm%02ds", d < 0.0 ? '-' : '+', minutes, seconds);
    return text;
}

// The Sun's places a day before, at and a day after a local date and time.
struct SunPlaces {
    DateTime start;
    double ra[3], dec[3];
};

SunPlaces SunPlacesAround(const DateTime& start) {
    SunPlaces p{start, {}, {}};
    DateTime t = start;
    AddDaysToDate(&t.year, &t.month, &t.day, -1);
    for (int k = 0; k < 3; ++k) {
        ComputeSunPosition(&p.ra[k], &p.dec[k], t.year, t.month, t.day, t.hour, t.minute, t.second);
        AddDaysToDate(&t.year, &t.month, &t.day, 1);
    }
    return p;
}

// The Sun's passages through h0 and its transit in the day from the places'
// start: hours after the start, with the engine's events word.
struct SunCrossings {
    double rise, transit, set;
    unsigned events;
};

SunCrossings Crossings(const SunPlaces& p, double h0) {
    SunCrossings c{};
    const DateTime& t = p.start;
    ComputeRiseTransitSet(t.year, t.month, t.day, t.hour, t.minute, t.second, p.ra[0], p.dec[0], p.ra[1],
                          p.dec[1], p.ra[2], p.dec[2], h0, &c.rise, &c.transit, &c.set, &c.events);
    return c;
}

// Whether the engine found the event `bit` at `hours` within the day.
bool OnTheDay(const SunCrossings& c, unsigned bit, double hours) {
    return HappensOnDay((c.events & bit) != 0, hours);
}

// The Sun's crossings (kSunH0) in the 24 hours from `hours` after 0 h of
// `date` (either sign), in hours after 0 h of `date`.
SunCrossings SunCrossingsFrom(const DateTime& date, double hours) {
    const long seconds = std::lround(std::floor(hours * 3600.0));
    const long days = static_cast<long>(std::floor(seconds / 86400.0));
    const long inDay = seconds - 86400 * days;
    DateTime start{date.year, date.month, date.day, static_cast<int>(inDay / 3600),
                   static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60)};
    AddDaysToDate(&start.year, &start.month, &start.day, static_cast<int>(days));
    SunCrossings c = Crossings(SunPlacesAround(start), kSunH0);
    const double offset = seconds / 3600.0;
    c.rise += offset, c.transit += offset, c.set += offset;
    return c;
}

// Whether c holds a real crossing `bit` at `hours` within (from, from + 24).
bool CrossingWithin(const SunCrossings& c, unsigned bit, double hours, double from) {
    return (c.events & bit) != 0 && hours > from && hours < from + 24.0;
}

// The Sun's rise that begins the daylight holding its transit of `date` (c,
// kSunH0): the date's own when it comes before the transit, else the one in
// the 24 hours before (the evening before, where the night falls wholly
// before midnight). Hours after 0 h of `date`; -infinity when the Sun stays
// up through those 24 hours, NaN when no rise is found (one missed where the
// Sun only grazes h0).
double RiseBeforeTransit(const DateTime& date, const SunCrossings& c) {
    if (CrossingWithin(c, kRiseSetRises, c.rise, c.transit - 24.0) && c.rise <= c.transit) return c.rise;
    const SunCrossings b = SunCrossingsFrom(date, c.transit - 24.0);
    if (b.events & kRiseSetAlwaysUp) return -kUpThrough;
    return CrossingWithin(b, kRiseSetRises, b.rise, c.transit - 24.0) && b.rise <= c.transit ? b.rise : kNotFound;
}

// The set that ends that daylight: the date's own when it comes after the
// transit, else the first in the 24 hours after it (carried past midnight).
// +infinity when the Sun stays up through them, NaN when none is found.
double SetAfterTransit(const DateTime& date, const SunCrossings& c) {
    if (CrossingWithin(c, kRiseSetSets, c.set, c.transit) && c.set > c.transit) return c.set;
    const SunCrossings a = SunCrossingsFrom(date, c.transit + 1.0 / 3600.0);
    if (a.events & kRiseSetAlwaysUp) return kUpThrough;
    return CrossingWithin(a, kRiseSetSets, a.set, c.transit) ? a.set : kNotFound;
}

// Hours of the Sun's day of `date` (0 h local), its crossings of that day
// given: the daylight holding the date's transit, from the rise before it to
// the set after it, within 0..24; 24 when the Sun stays up all day, 0 when
// it stays down. A crossing missed where the Sun only grazes h0 is the other
// one mirrored about the transit.
double DaylightHours(const DateTime& date, const SunCrossings& c) {
    if (c.events & kRiseSetAlwaysUp) return 24.0;
    if (c.events & kRiseSetNeverUp) return 0.0;
    double rise = RiseBeforeTransit(date, c), set = SetAfterTransit(date, c);
    if (std::isnan(rise)) rise = 2.0 * c.transit - set;
    if (std::isnan(set)) set = 2.0 * c.transit - rise;
    const double hours = set - rise;
    return std::isnan(hours) ? 0.0 : std::clamp(hours, 0.0, 24.0);
}

// ": %02dh%02dm" (or "%02dh%02dm" without the lead) of an event of the
// day, truncated to the minute; "None" when there is none that day.
std::string EventText(const SunCrossings& c, unsigned bit, double hours, const char* lead) {
    if (!OnTheDay(c, bit, hours)) return std::string(lead) + "None";
    const int minutes = static_cast<int>(60.0 * hours);
    return lead + Format("%02dh%02dm", minutes / 60, minutes % 60);
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
    const DateTime u = UniversalFromLocal(t, site.zoneMinutes);
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
    std::snprintf(text, sizeof text, "%d\xB0", WholeDegrees(dec));
    f.sunDeclination = text;
    return f;
}

DayNightPanel ComputeDayNightPanel(const DateTime& local) {
    DayNightPanel p{};
    const DateTime day{local.year, local.month, local.day, 0, 0, 0};
    DateTime previous = day;
    AddDaysToDate(&previous.year, &previous.month, &previous.day, -1);
    const SunPlaces places = SunPlacesAround(day);
    const SunCrossings sun = Crossings(places, kSunH0);
    p.rise = sun.rise, p.set = sun.set;
    p.dayHours = DaylightHours(day, sun);
    p.previousDayHours = DaylightHours(previous, Crossings(SunPlacesAround(previous), kSunH0));
    const int dayMinutes = static_cast<int>(60.0 * p.dayHours);
    p.dayLength = LengthText(dayMinutes);
    p.nightLength = LengthText(24 * 60 - dayMinutes);
    p.dayChange = ChangeText(p.dayHours - p.previousDayHours);
    for (int i = 0; i < 3; ++i) {
        const SunCrossings c = Crossings(places, kTwilightH0[i]);
        p.twilightRise[i] = c.rise, p.twilightSet[i] = c.set;
        p.twilightRiseText[i] = EventText(c, kRiseSetRises, c.rise, ": ");
        p.twilightSetText[i] = EventText(c, kRiseSetSets, c.set, "");
    }
    return p;
}

void ResetDayNightState() { dayNightState = DayNightState{}; }
