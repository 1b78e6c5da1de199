#include "tools/date_time_calendar.h"

#include <cmath>

#include "core/julian_day.h"
#include "ephemeris/moon_phase.h"

namespace {

constexpr int kAgeCycle = 29;
constexpr int kPhasePictures = 13;

// 0 Monday .. 6 Sunday.
int MondayColumn(int year, int month, int day) { return (GetDayOfWeek(year, month, day) + 6) % 7; }

}  // namespace

void ComputeMonthPhases(int year, int month, uint8_t phases[31]) {
    int age = 0;
    GetMoonPhase(year, month, 1, 12.0, &age);
    for (int d = 1; d <= 31; ++d)
        phases[d - 1] = static_cast<uint8_t>(((age + 2 + d - 1) % kAgeCycle) * kPhasePictures / kAgeCycle);
}

CalendarCell CalendarCellOfDay(int year, int month, int day) {
    int first = MondayColumn(year, month, 1);
    return CalendarCell{(first + day - 1) / 7, (first + day - 1) % 7};
}

int CalendarDayAt(int year, int month, int x, int y) {
    int row = (y + kCalendarRowHeight / 2) / kCalendarRowHeight - 1;
    int column = (x - 2) / kCalendarColumnWidth;
    if (row < 0 || column > 6) return 0;
    int day = 7 * row - MondayColumn(year, month, 1) + column + 1;
    return day >= 1 && day <= GetDaysInMonth(month, year) ? day : 0;
}

double FormJulianDay(const DateTime& t, bool ut, int zoneMinutes) {
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, ut ? 0 : zoneMinutes);
}

bool FormDateFromJulianDay(double jd, bool ut, int zoneMinutes, DateTime* t) {
    if (!(jd >= kFirstFormJulianDay && jd < kEndFormJulianDay)) return false;
    DateTime d{};
    JDToCalendar(jd, &d.year, &d.month, &d.day, &d.hour, &d.minute, &d.second);
    if (!ut) d = LocalFromUniversal(d, zoneMinutes);
    if (d.year < 0 || d.year > kLastFormYear) return false;
    *t = d;
    return true;
}
