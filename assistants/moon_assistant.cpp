#include "assistants/moon_assistant.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <new>

#include "catalog/moon_features.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/moon_records.h"
#include "core/rise_set.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sky_brightness.h"
#include "core/text_numbers.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/lunar_lighting.h"
#include "ephemeris/moon_phase.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "tools/date_time_calendar.h"

MoonAssistantState moonAssistantState;

namespace {

constexpr int kTypeCodes[] = {-1, 6, 2, 11, 12, 1, 10};
constexpr int kMinimumDiameters[] = {0, 40, 80, 120};
constexpr double kNone = 25.0;
constexpr double kDegree = 0.0174532925;
constexpr int kTerminatorSunAltitude = 5;  // degrees

// Altitudes of the tables' crossings (degrees): the Moon's upper limb at the horizon (its
// geocentric centre at +0.125), the Moon's centre 20 degrees high seen from the site, the Sun's
// centre at -18 (dark) and its upper limb at the horizon (-0.83333, the Sun down).
constexpr double kMoonRiseSetAltitude = 0.125;
constexpr double kVisibleMoonAltitude = 20.0;
constexpr double kDarkSunAltitude = -18.0;
constexpr double kSunDownAltitude = -0.83333;
constexpr double kEarthRadiusKm = 6378.14;

using PositionRoutine = void (*)(double*, double*, int, int, int, int, int, int);

// Rise and set of every day of a run from the places at 0 h of the day
// before, the day and the day after, each place computed once; the busy
// indicator steps once a day.
void FillRiseSet(PositionRoutine position, double h0, int year, int month, int day, std::vector<RiseSetHours>* out) {
    double ra[3], dec[3];
    position(&ra[0], &dec[0], year, month, day - 1, 0, 0, 0);
    position(&ra[1], &dec[1], year, month, day, 0, 0, 0);
    for (size_t i = 0; i < out->size(); ++i) {
        int d = day + static_cast<int>(i);
        StepBusyIndicator(1);
        position(&ra[2], &dec[2], year, month, d + 1, 0, 0, 0);
        double transit = 0.0;
        RiseSetHours& e = (*out)[i];
        ComputeRiseTransitSet(year, month, d, 0, 0, 0, ra[0], dec[0], ra[1], dec[1], ra[2], dec[2], h0, &e.rise,
                              &transit, &e.set, &e.events);
        ra[0] = ra[1], dec[0] = dec[1];
        ra[1] = ra[2], dec[1] = dec[2];
    }
}

constexpr DayWindow kNoWindow{kNone, kNone};

bool Rises(const RiseSetHours& m) { return (m.events & kRiseSetRises) != 0; }
bool Sets(const RiseSetHours& m) { return (m.events & kRiseSetSets) != 0; }

// The rise of `from` with its bit put into `into`.
void TakeRise(RiseSetHours* into, const RiseSetHours& from) {
    into->rise = from.rise;
    into->events = (into->events & ~unsigned{kRiseSetRises}) | (from.events & kRiseSetRises);
}

// A body's place at 0 h of a local date (the day number may run past the month) with the
// altitude its crossings are sought at.
struct DayPlace {
    double ra = 0.0, dec = 0.0, h0 = 0.0;
};

// The crossings of every day of a run, from the places at 0 h of the day before, the day and the
// day after (each computed once); a day's altitude is the mean of its two midnights'.
template <class PlaceAt>
void FillCrossings(PlaceAt placeAt, int year, int month, int day, std::vector<DayCrossings>* out, bool stepBusy) {
    DayPlace p[3] = {placeAt(year, month, day - 1), placeAt(year, month, day), {}};
    for (size_t i = 0; i < out->size(); ++i) {
        const int d = day + static_cast<int>(i);
        if (stepBusy) StepBusyIndicator(1);
        p[2] = placeAt(year, month, d + 1);
        ComputeDayCrossings(year, month, d, p[0].ra, p[0].dec, p[1].ra, p[1].dec, p[2].ra, p[2].dec,
                            (p[1].h0 + p[2].h0) / 2.0, &(*out)[i]);
        p[0] = p[1], p[1] = p[2];
    }
}

// The altitude of the Moon's centre in its geocentric place at which it stands `topocentric`
// degrees high seen from the site, `distanceKm` from the Earth's centre: higher by the parallax
// in altitude, asin(sin(horizontal parallax) cos(altitude)) (Meeus, Astronomical Algorithms,
// ch. 40, for a spherical Earth).
double GeocentricAltitude(double topocentric, double distanceKm) {
    const double sinParallax = kEarthRadiusKm / distanceKm;
    return topocentric + std::asin(sinParallax * std::cos(topocentric * kDegree)) / kDegree;
}

// A span of time in hours after 0 h of a table day.
struct Span {
    double start, end;
    double Length() const { return end - start; }
};

// Gaps shorter than this between two spans are taken as none: the two days' interpolations can
// disagree by moments about a crossing at midnight.
constexpr double kSameInstant = 0.01;  // hours

// A body's crossings of a day and of the next as one timeline, hours after 0 h of the first.
class TwoDays {
public:
    TwoDays(const DayCrossings& first, const DayCrossings& second) : days_{&first, &second} {}

    // Whether the body stands above its altitude at t (0 <= t < 48).
    bool UpAt(double t) const {
        const int d = t < 24.0 ? 0 : 1;
        const DayCrossings& c = *days_[d];
        bool up = c.upAtStart;
        for (int k = 0; k < c.count && c.hours[k] <= t - 24.0 * d; ++k) up = c.rising[k];
        return up;
    }

    // The spans within [from, to] during which the body stands above its altitude (up) or not.
    std::vector<Span> Spans(double from, double to, bool up) const {
        std::vector<Span> out;
        bool state = UpAt(from);
        double start = from;
        auto change = [&](double t, bool now) {
            if (now == state) return;
            if (state == up) Add(&out, {start, t});
            state = now, start = t;
        };
        for (int d = 0; d < 2; ++d) {
            const DayCrossings& c = *days_[d];
            if (d == 1 && from < 24.0 && to > 24.0) change(24.0, c.upAtStart);
            for (int k = 0; k < c.count; ++k) {
                const double t = c.hours[k] + 24.0 * d;
                if (t > from && t < to) change(t, c.rising[k]);
            }
        }
        if (state == up && to > start) Add(&out, {start, to});
        return out;
    }

private:
    static void Add(std::vector<Span>* spans, Span s) {
        if (!spans->empty() && s.start - spans->back().end < kSameInstant) spans->back().end = s.end;
        else spans->push_back(s);
    }
    const DayCrossings* days_[2];
};

const Span* Longest(const std::vector<Span>& spans) {
    auto longer = [](const Span& a, const Span& b) { return a.Length() < b.Length(); };
    return spans.empty() ? nullptr : &*std::max_element(spans.begin(), spans.end(), longer);
}

// Hours after 0 h of a table day as a clock time.
double ClockHours(double hours) { return hours >= 24.0 ? hours - 24.0 : hours; }

// The row of day i in modes 1 and 2: within the night that follows the day's daylight (the Sun
// below its altitude from the first time it is after its transit of the day to its next rising,
// never past its transit of the next day; none when it stays up), the longest span during which
// the Moon stands above its altitude (Visibility) or below it (DarkHours).
DayWindow NightWindow(const MoonDayEvents& e, size_t i, bool moonUp) {
    const DayCrossings &sun = e.sunCrossings[i], &nextSun = e.sunCrossings[i + 1];
    const std::vector<Span> down = TwoDays(sun, nextSun).Spans(sun.transit, 24.0 + nextSun.transit, false);
    const Span* night = Longest(down);
    if (night == nullptr) return kNoWindow;
    const std::vector<Span> moon =
        TwoDays(e.moonCrossings[i], e.moonCrossings[i + 1]).Spans(night->start, night->end, moonUp);
    const Span* best = Longest(moon);
    if (best == nullptr) return kNoWindow;
    return {ClockHours(best->start), ClockHours(best->end)};
}

std::string Cut(const char* text, size_t length) { return std::string(text).substr(0, length); }

std::string HoursText(double hours, size_t length) {
    char text[32];
    HMSToStr(text, sizeof text, hours);
    return Cut(text, length);
}

std::string Decimals(double value, int decimals) {
    char text[32];
    DoubleToStr(text, sizeof text, value, decimals);
    return text;
}

// Diameter in whole kilometres, largest first; what cannot be read or is not
// a number sorts last.
double WholeKilometres(int32_t record) {
    MoonFeatureRecord r{};
    if (!GetMoonRecord(record, &r) || std::isnan(r.diameter)) return -HUGE_VAL;
    return std::floor(static_cast<double>(r.diameter));
}

}  // namespace

int MoonTypeCodeOfRow(int row) {
    return row >= 0 && row < static_cast<int>(std::size(kTypeCodes)) ? kTypeCodes[row] : -1;
}

int MoonMinimumDiameterOfRow(int row) {
    return row >= 0 && row < static_cast<int>(std::size(kMinimumDiameters)) ? kMinimumDiameters[row] : 0;
}

namespace {

// The Rise and Set table's days: the Moon's rising and setting through +0.125 degree.
void FillRiseSetDays(MoonDayEvents* e, int year, int month, int day, size_t n) {
    e->moon.assign(n, RiseSetHours{});
    FillRiseSet(ComputeMoonPosition, kMoonRiseSetAltitude, year, month, day, &e->moon);
    for (size_t i = 0; i + 1 < n; ++i) {
        if (e->moon[i].rise < 0 && e->moon[i + 1].rise < 0) {
            TakeRise(&e->moon[i], e->moon[i + 1]);
            e->moon[i].rise += 24.0;
        }
    }
}

// The DarkHours and Visibility tables' days: every crossing of the Sun and the Moon.
void FillNightDays(MoonDayEvents* e, int mode, int year, int month, int day, size_t n) {
    const bool visibility = mode == kMoonTableVisibility;
    e->moonCrossings.assign(n, DayCrossings{});
    e->sunCrossings.assign(n, DayCrossings{});
    FillCrossings(
        [visibility](int y, int m, int d) {
            DayPlace p;
            double distance = 0.0;
            ComputeMoonPositionAndDistance(&p.ra, &p.dec, &distance, y, m, d, 0, 0, 0);
            p.h0 = visibility ? GeocentricAltitude(kVisibleMoonAltitude, distance) : kMoonRiseSetAltitude;
            return p;
        },
        year, month, day, &e->moonCrossings, true);
    const double sunH0 = visibility ? kSunDownAltitude : kDarkSunAltitude;
    FillCrossings(
        [sunH0](int y, int m, int d) {
            DayPlace p;
            ComputeSunPosition(&p.ra, &p.dec, y, m, d, 0, 0, 0);
            p.h0 = sunH0;
            return p;
        },
        year, month, day, &e->sunCrossings, false);
}

}  // namespace

MoonDayEvents ComputeMoonDayEvents(int mode, int year, int month, int day, int count) {
    MoonDayEvents e;
    e.mode = std::clamp(mode, 0, 2);
    const size_t n = static_cast<size_t>(std::max(count, 0)) + 1;
    if (e.mode == kMoonTableRiseSet) FillRiseSetDays(&e, year, month, day, n);
    else FillNightDays(&e, e.mode, year, month, day, n);
    EndBusyIndicator(1);
    return e;
}

DayWindow MoonDayWindow(int mode, const MoonDayEvents& events, int i) {
    if (i < 0 || mode != events.mode) return kNoWindow;
    const size_t k = static_cast<size_t>(i);
    if (mode == kMoonTableRiseSet) {
        if (k + 1 >= events.moon.size()) return kNoWindow;
        const RiseSetHours& moon = events.moon[k];
        return {Rises(moon) ? moon.rise : kNone, Sets(moon) ? moon.set : kNone};
    }
    if (k + 1 >= events.moonCrossings.size() || events.sunCrossings.size() != events.moonCrossings.size())
        return kNoWindow;
    return NightWindow(events, k, mode == kMoonTableVisibility);
}

std::string DayTableTime(double value, bool isStart) {
    bool shown = isStart ? value >= 0.0 && value <= 24.0 : value > 0.0 && value < 24.0;
    return shown ? HoursText(value + 1.0 / 120.0, 5) : "  -----";
}

bool ParseAssistantDate(const char* text, int* day, int* month, int* year) {
    int d = 0, m = 0, y = 0;
    ParseDate(text, &d, &m, &y);
    if (m < 1 || m > 12 || y < 1 || y > kLastFormYear || d < 1 || d > GetDaysInMonth(m, y)) return false;
    *day = d, *month = m, *year = y;
    return true;
}

bool ParseAssistantTime(const char* text, int* hour, int* minute) {
    int h = -1, m = -1;
    char rest = 0;
    if (std::sscanf(text, "%d:%d%c", &h, &m, &rest) != 2 || h < 0 || h > 23 || m < 0 || m > 59) return false;
    *hour = h, *minute = m;
    return true;
}

bool TakeAssistantDate(const char* text, int* day, int* month, int* year) {
    if (ParseAssistantDate(text, day, month, year)) return true;
    char example[24];
    FormatDate(example, sizeof example, *day, *month, *year);
    ShowInformation("Date must be a day of the years 1 to " + std::to_string(kLastFormYear),
                    std::string("As ") + example);
    return false;
}

bool TakeAssistantTime(const char* text, int* hour, int* minute) {
    if (ParseAssistantTime(text, hour, minute)) return true;
    char example[16];
    std::snprintf(example, sizeof example, "As %02d:%02d", *hour, *minute);
    ShowInformation("Time must be between 00:00 and 23:59", example);
    return false;
}

std::vector<MoonCalendarDay> ComputeMoonCalendar(int year, int month) {
    int days = GetDaysInMonth(month, year), age = 0;
    std::vector<MoonCalendarDay> calendar(static_cast<size_t>(std::max(days, 0)));
    double f = GetMoonPhase(year, month, 1, 16.0, &age);
    bool fullShown = false, newShown = false;
    for (int d = 1; d <= days; ++d) {
        double g = GetMoonPhase(year, month, d + 1, 12.0, &age);
        MoonCalendarDay& c = calendar[static_cast<size_t>(d - 1)];
        if (f > 0.996 && g <= f && !fullShown) {
            c.icon = kMoonIconFull;
            fullShown = true, newShown = false;
        } else if (f < 0.004 && g >= f && !newShown) {
            c.icon = kMoonIconNew;
            fullShown = false, newShown = true;
        } else {
            c.icon = f < g && !fullShown ? 6081 + static_cast<int>(6 * f) : 6092 - static_cast<int>(6 * f);
            c.percent = static_cast<int>(100 * f);
        }
        f = g;
    }
    return calendar;
}

int MoonCalendarFirstColumn(int year, int month) { return CalendarCellOfDay(year, month, 1).column; }

int MoonCalendarTapDay(const MoonCalendarGrid& grid, int year, int month, int x, int y) {
    if (grid.cellWidth <= 0 || grid.cellHeight <= 0 || x < 0 || y < grid.top || y >= grid.bottom)
        return kCalendarTapIgnored;
    int column = x / grid.cellWidth, row = (y - grid.top) / grid.cellHeight;
    if (column > 6 || row > 5 || (row == 5 && column > 1)) return kCalendarTapIgnored;
    int day = 7 * row - MoonCalendarFirstColumn(year, month) + column + 1;
    return day >= 1 && day <= GetDaysInMonth(month, year) ? day : kCalendarTapNoDay;
}

std::string MoonDayBoxText(int year, int month, int day) {
    double rise = 0, transit = 0, set = 0, declination = 0;
    unsigned events = 0;
    ComputeMoonRiseSet(year, month, day, &rise, &transit, &set, &declination, &events);
    SkyBrightnessRecord sky{};
    // The magnitude at the transit's hour and minute; none on a day without a transit, and none
    // for the sky model's 50, which stands for a Moon not up then.
    std::string moonMagnitude = "----";
    if (HappensOnDay(true, transit)) {
        const int hour = static_cast<int>(transit);
        ComputeLimitingMagnitude(&sky, year, month, day, hour, static_cast<int>((transit - hour) * 60.0));
        if (sky.moonMagnitude < 50.0) moonMagnitude = Decimals(sky.moonMagnitude, 2);
    }
    ComputeLimitingMagnitude(&sky, year, month, day, 23, 0);
    int age = 0;
    const double phase = GetMoonPhase(year, month, day, 12.0, &age);
    // An event's time, or hyphens when the day has none: a rising or setting
    // the events word lacks, or one (the transit too) of a neighbouring day.
    auto event = [](double hours, bool happened) {
        return HappensOnDay(happened, hours) ? HoursText(hours, 6) : "----";
    };
    char date[24];
    FormatDate(date, sizeof date, day, month, year);
    char text[512];
    std::snprintf(text, sizeof text,
                  "%s:\n\x95 Rise       %s\n\x95 Transit   %s\n\x95 Set       %s\n\x95 Phase    %d%% at 12h\n"
                  "\x95 Dec       %d\xB0\n\nMagnitude\n\x95 Moon at transit %s\n\x95 Visual limit (23h) %s",
                  date, event(rise, (events & kRiseSetRises) != 0).c_str(), event(transit, true).c_str(),
                  event(set, (events & kRiseSetSets) != 0).c_str(),
                  static_cast<int>(100 * phase), WholeDegrees(declination), moonMagnitude.c_str(),
                  Decimals(sky.limitingMagnitude, 2).c_str());
    return text;
}

int BuildTerminatorList(int year, int month, int day, int hour, int minute, int minDiameter) {
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, 0, currentSite.zoneMinutes);
    try {
        visibleFeatureList.assign(kTerminatorListSize, 0);
    } catch (const std::bad_alloc&) {
        visibleFeatureList.clear();
        ShowInformation("Can't allocated memory for feature list.", "");
        return 0;
    }
    int count = ComputeTerminatorPoints(jd, visibleFeatureList.data(), kTerminatorListSize, minDiameter,
                                        kTerminatorSunAltitude);
    visibleFeatureList.resize(static_cast<size_t>(std::clamp(count, 0, kTerminatorListSize)));
    return static_cast<int>(visibleFeatureList.size());
}

void SortTerminatorList(int mode) {
    if (mode != 0) {
        SortVisibleFeatureList(mode);
        return;
    }
    struct Keyed {
        double kilometres;
        int32_t record;
    };
    std::vector<Keyed> keyed;
    for (int32_t record : visibleFeatureList) keyed.push_back({WholeKilometres(record), record});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.kilometres != b.kilometres ? a.kilometres > b.kilometres : a.record < b.record;
    });
    for (size_t i = 0; i < keyed.size(); ++i) visibleFeatureList[i] = keyed[i].record;
}

MoonFeatureLines GetMoonFeatureLines(const MoonFeatureRecord& f) {
    return {Decimals(-f.latitude, 1) + "\xB0", Decimals(f.longitude, 1) + "\xB0", Decimals(f.diameter, 0) + " km"};
}

void MoonPicturePlace(double storedLatitude, double longitude, double radiusX, double radiusY, int* x, int* y) {
    double lat = storedLatitude * kDegree, lon = longitude * kDegree;
    *x = static_cast<int>(radiusX * (1 + std::sin(lon) * std::cos(lat)));
    *y = static_cast<int>(radiusY * (1 + std::sin(lat)));
}
