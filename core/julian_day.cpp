#include "core/julian_day.h"

#include <cmath>
#include <cstdint>

#include "core/shared_state.h"

namespace {

// First Julian day number (at noon) of the Gregorian calendar, 1582-10-15.
constexpr double kGregorianStartJd = 2299161.0;

bool IsGregorianDate(int year, int month, int day) {
    if (year != 1582) return year > 1582;
    if (month != 10) return month > 10;
    return day >= 15;
}

// Civil date of the Julian day number z (the day whose noon is z), Meeus 7.
// `floored` rounds the intermediate quotients down, which keeps negative Julian
// days right; otherwise they are truncated toward zero.
void DateFromDayNumber(double z, bool floored, int* year, int* month, int* day) {
    auto whole = [floored](double x) { return floored ? std::floor(x) : std::trunc(x); };
    double a = z;
    if (z >= kGregorianStartJd) {
        double alpha = whole((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - whole(alpha / 4);
    }
    double b = a + 1524;
    double c = whole((b - 122.1) / 365.25);
    double d = whole(365.25 * c);
    double e = whole((b - d) / 30.6001);
    *day = static_cast<int>(b - d - whole(30.6001 * e));
    *month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    *year = static_cast<int>(*month > 2 ? c - 4716 : c - 4715);
}

// One day forward, across the ten dates that the reform of 1582 removed.
void NextDay(int* year, int* month, int* day) {
    ++*day;
    if (*year == 1582 && *month == 10 && *day == 5) *day = 15;
    if (*day > GetDaysInMonth(*month, *year)) {
        *day = 1;
        if (++*month > 12) {
            *month = 1;
            ++*year;
        }
    }
}

// One day back, across the ten dates that the reform of 1582 removed.
void PreviousDay(int* year, int* month, int* day) {
    --*day;
    if (*year == 1582 && *month == 10 && *day == 14) *day = 4;
    if (*day < 1) {
        if (--*month < 1) {
            *month = 12;
            --*year;
        }
        *day = GetDaysInMonth(*month, *year);
    }
}

void StepDays(int* year, int* month, int* day, int64_t n) {
    for (; n > 0; --n) NextDay(year, month, day);
    for (; n < 0; ++n) PreviousDay(year, month, day);
}

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int IsLeapYear(int year) {
    if (year > 1582 && year % 100 == 0) return year % 400 == 0 ? 1 : 0;
    return year % 4 == 0 ? 1 : 0;
}

int GetDaysInMonth(int month, int year) {
    static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (static_cast<unsigned>(month) - 1u > 11u) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month];
}

bool IsCalendarDateTime(int year, int month, int day, int hour, int minute) {
    return year >= 0 && year <= kLastCalendarYear && day >= 1 && day <= GetDaysInMonth(month, year) && hour >= 0 &&
           hour <= 23 && minute >= 0 && minute <= 59;
}

double JulianDayFromDate(int year, int month, int day) {
    double b = 0.0;
    bool gregorian = IsGregorianDate(year, month, day);
    if (month < 3) {
        year -= 1;
        month += 12;
    }
    if (gregorian) {
        int a = year / 100;
        b = 2 - a + std::floor(a / 4.0);
    }
    return day + std::floor(30.6001 * (month + 1)) + std::floor(365.25 * (year + 4716.0)) + b -
           1524.5;
}

double JulianDayFromDateTime(int year, int month, int day, int hour, int minute, int second,
                             int zone) {
    double hours = hour + (minute - zone) / 60.0 + second / 3600.0;
    return JulianDayFromDate(year, month, day) + hours / 24.0;
}

int GetDayOfWeek(int year, int month, int day) {
    // 0h of a date is JD n - 0.5; the day number n + 1 counted modulo 7 is the weekday.
    int64_t n = static_cast<int64_t>(std::floor(JulianDayFromDate(year, month, day) + 1.5));
    return static_cast<int>(((n % 7) + 7) % 7);
}

void JDToCalendar(double jd, int* year, int* month, int* day, int* hour, int* minute,
                  int* second) {
    double z = std::trunc(jd + 0.5);
    double f = jd + 0.5 - z;
    DateFromDayNumber(z, false, year, month, day);
    // The time comes from the day with fraction, as the inverse formula forms it.
    double dayWithFraction = *day + f;
    double frac = dayWithFraction - std::trunc(dayWithFraction);
    *hour = static_cast<int>(24 * frac);
    *minute = static_cast<int>(1440 * (frac - *hour / 24.0));
    *second = static_cast<int>(86400 * (frac - *hour / 24.0 - *minute / 1440.0));
}

void CalendarFromJulianDay(double jd, int* year, int* month, int* day, int* hour, int* minute,
                           int* second) {
    double z = std::floor(jd + 0.5);
    int s = static_cast<int>(std::floor((jd + 0.5 - z) * 86400.0 + 0.5));
    if (s >= 86400) {
        s = 0;
        z += 1;
    }
    DateFromDayNumber(z, true, year, month, day);
    *hour = s / 3600;
    *minute = s / 60 % 60;
    *second = s % 60;
}

void CalendarMinuteFromJulianDay(double jd, int* year, int* month, int* day, int* hour, int* minute) {
    int second = 0;
    CalendarFromJulianDay(std::floor(jd * 1440.0 + 0.5) / 1440.0, year, month, day, hour, minute, &second);
}

double DateToDecimalYear(int year, int month, int day, int hour, int minute, int second) {
    int leap = IsLeapYear(year);
    int length = leap ? 366 : 365;
    int k = leap ? 1 : 2;
    int n = 275 * month / 9 - k * ((month + 9) / 12) + day - 30;
    double hours = hour + minute / 60.0 + second / 3600.0;
    return year + (n + hours / 24.0) / length;
}

void SetCurrentDateTime(int year, int month, int day, int hour, int minute, int second) {
    selectionCriteria.year = static_cast<int16_t>(year);
    selectionCriteria.month = static_cast<int16_t>(month);
    selectionCriteria.day = static_cast<int16_t>(day);
    selectionCriteria.hour = static_cast<int16_t>(hour);
    selectionCriteria.minute = static_cast<int16_t>(minute);
    currentDateTime = DateTime{year, month, day, hour, minute, second};
}

int AddMinutesToDateTime(int* year, int* month, int* day, int* hour, int* minute, int delta) {
    int64_t totalMinutes = static_cast<int64_t>(*minute) + delta;
    int64_t carryHours = FloorDiv(totalMinutes, 60);
    *minute = static_cast<int>(totalMinutes - 60 * carryHours);
    int64_t totalHours = *hour + carryHours;
    int64_t carryDays = FloorDiv(totalHours, 24);
    *hour = static_cast<int>(totalHours - 24 * carryDays);
    StepDays(year, month, day, carryDays);
    return IsLeapYear(*year);
}

DateTime UniversalFromLocal(const DateTime& local, int zoneMinutes) {
    return LocalFromUniversal(local, -zoneMinutes);
}

DateTime LocalFromUniversal(const DateTime& universal, int zoneMinutes) {
    DateTime t = universal;
    AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, zoneMinutes);
    return t;
}

int AddDaysToDate(int* year, int* month, int* day, int n) {
    StepDays(year, month, day, n);
    return IsLeapYear(*year);
}
