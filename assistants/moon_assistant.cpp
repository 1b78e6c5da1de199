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

// Altitudes of the rising and setting of a mode (degrees).
struct TableAltitudes {
    double moon;
    double sun;
};
constexpr TableAltitudes kAltitudes[] = {{0.125, 0.0}, {0.125, -18.0}, {20.0, -0.83333}};

using PositionRoutine = void (*)(double*, double*, int, int, int, int, int, int);

// Rise and set of every day of a run from the places at 0 h of the day
// before, the day and the day after, each place computed once.
void FillRiseSet(PositionRoutine position, double h0, int year, int month, int day, std::vector<RiseSetHours>* out,
                 bool stepBusy) {
    double ra[3], dec[3];
    position(&ra[0], &dec[0], year, month, day - 1, 0, 0, 0);
    position(&ra[1], &dec[1], year, month, day, 0, 0, 0);
    for (size_t i = 0; i < out->size(); ++i) {
        int d = day + static_cast<int>(i);
        if (stepBusy) StepBusyIndicator(1);
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

bool Rises(const RiseSetHours& e) { return (e.events & kRiseSetRises) != 0; }
bool Sets(const RiseSetHours& e) { return (e.events & kRiseSetSets) != 0; }

// The rise (or set) of `from` with its bit put into `into`.
void TakeRise(RiseSetHours* into, const RiseSetHours& from) {
    into->rise = from.rise;
    into->events = (into->events & ~unsigned{kRiseSetRises}) | (from.events & kRiseSetRises);
}
void TakeSet(RiseSetHours* into, const RiseSetHours& from) {
    into->set = from.set;
    into->events = (into->events & ~unsigned{kRiseSetSets}) | (from.events & kRiseSetSets);
}

// The next day's Moon rise or set, kNone when that day has none.
double NextRise(const RiseSetHours& m) { return Rises(m) ? m.rise : kNone; }
double NextSet(const RiseSetHours& m) { return Sets(m) ? m.set : kNone; }

// Dark hours of day i with the Moon's events of that day. A Moon up all day
// leaves it dark only once it sets the next morning, one down all day the
// Sun's whole night. A day on which the Sun does not set through -18 degrees
// starts no night (its set is a stand-in).
DayWindow DarkWindow(const MoonDayEvents& e, size_t i, const RiseSetHours& moon, bool firstRowOfColumn) {
    double sR = e.sun[i].rise, sS = e.sun[i].set;
    if (!Sets(e.sun[i])) sS = 25.0;
    if (sR >= sS) sS += 24.0;
    const double nextSunRise = e.sun[i + 1].rise, mR = moon.rise, mS = moon.set;
    const double nextMoonRise = NextRise(e.moon[i + 1]), nextMoonSet = NextSet(e.moon[i + 1]);
    const bool up = (moon.events & kRiseSetAlwaysUp) != 0, down = (moon.events & kRiseSetNeverUp) != 0;
    const bool setsAfterRising = Sets(moon) && mR < mS;  // a rise stand-in of 0: up since midnight
    if (sR < sS) {
        if (down) return {sS, std::min(nextMoonRise, nextSunRise)};
        if (setsAfterRising) return {std::max(sS, mS), std::min(nextMoonRise, nextSunRise)};
        if (sS < mR) return {sS, mR};
        if (nextMoonSet < nextSunRise) return {nextMoonSet, nextSunRise};
        return kNoWindow;
    }
    if (sR == sS) return kNoWindow;
    // The morning crossing comes later in the day than the evening one: the
    // night is [sS, sR], of the day before from a column's second row on (when
    // that day has both crossings: its stand-ins are no times).
    if (!firstRowOfColumn && i > 0 && Rises(e.sun[i - 1]) && Sets(e.sun[i - 1]))
        sR = e.sun[i - 1].rise, sS = e.sun[i - 1].set;
    if (down || up) return down ? DayWindow{sS, sR} : kNoWindow;
    if (setsAfterRising) {
        if (mR >= sR) return {sS, sR};
        if (mR > sS) return {sS, mR};
        return kNoWindow;
    }
    if (sS < mR) return {sS, std::min(sR, mR)};
    if (nextMoonSet < sR) return {std::max(sS, nextMoonSet), sR};
    return kNoWindow;
}

// Whether a day starts with the body above the altitude, from its events.
bool UpAtMidnight(const RiseSetHours& m) {
    return (m.events & kRiseSetAlwaysUp) != 0 || (Sets(m) && (!Rises(m) || m.set < m.rise));
}

// The Moon above 20 degrees while the Sun is down on day i. A Moon that
// rises above 20 degrees and does not set below them that day (its set a
// stand-in) is above them across midnight when the next day starts with it
// there; otherwise a setting was missed near its culmination and no time
// frame is known.
DayWindow VisibilityWindow(const MoonDayEvents& e, size_t i, const RiseSetHours& moon) {
    const double mR = moon.rise, mS = moon.set;
    if (!Rises(moon) || !Sets(e.sun[i]) || !(e.sun[i].rise < e.sun[i].set)) return kNoWindow;
    const double sS = e.sun[i].set, nextSunRise = e.sun[i + 1].rise;
    if (!Sets(moon) && !UpAtMidnight(e.moon[i + 1])) return kNoWindow;
    if (mR >= mS || !Sets(moon)) return {std::max(sS, mR), std::min(NextSet(e.moon[i + 1]), nextSunRise)};
    if (mS > sS) return {sS, mS};
    if (mR < nextSunRise) return {mR, nextSunRise};
    return kNoWindow;
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

MoonDayEvents ComputeMoonDayEvents(int mode, int year, int month, int day, int count) {
    const TableAltitudes& h0 = kAltitudes[std::clamp(mode, 0, 2)];
    MoonDayEvents e;
    size_t n = static_cast<size_t>(std::max(count, 0)) + 1;
    e.moon.assign(n, RiseSetHours{});
    e.sun.assign(n, RiseSetHours{});
    FillRiseSet(ComputeMoonPosition, h0.moon, year, month, day, &e.moon, true);
    if (mode != kMoonTableRiseSet) FillRiseSet(ComputeSunPosition, h0.sun, year, month, day, &e.sun, false);
    EndBusyIndicator(1);
    for (size_t i = 0; i + 1 < n; ++i) {
        if (e.sun[i].rise < 0) TakeRise(&e.sun[i], e.sun[i + 1]);
        if (e.moon[i].rise < 0 && e.moon[i + 1].rise < 0) {
            TakeRise(&e.moon[i], e.moon[i + 1]);
            e.moon[i].rise += 24.0;
        }
    }
    return e;
}

DayWindow MoonDayWindow(int mode, const MoonDayEvents& events, int i, bool firstRowOfColumn) {
    if (i < 0 || static_cast<size_t>(i) + 1 >= events.moon.size() || events.sun.size() != events.moon.size())
        return kNoWindow;
    const size_t k = static_cast<size_t>(i);
    RiseSetHours moon = events.moon[k];
    if (mode == kMoonTableRiseSet) return {Rises(moon) ? moon.rise : kNone, Sets(moon) ? moon.set : kNone};
    if (moon.rise > 24.0) TakeRise(&moon, events.moon[k + 1]);
    if (moon.set > 24.0) TakeSet(&moon, events.moon[k + 1]);
    if (mode == kMoonTableDarkHours) return DarkWindow(events, k, moon, firstRowOfColumn);
    return VisibilityWindow(events, k, moon);
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
