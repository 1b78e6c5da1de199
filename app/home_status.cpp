#include "app/home_status.h"

#include <cmath>
#include <cstdio>
#include <tuple>

#include "core/julian_day.h"
#include "core/text_numbers.h"
#include "ephemeris/moon_phase.h"

void FormatUniversalTime(char* out, std::size_t size, const DateTime& local, int zoneMinutes) {
    const DateTime u = UniversalFromLocal(local, zoneMinutes);
    const auto ut = std::tie(u.year, u.month, u.day), lt = std::tie(local.year, local.month, local.day);
    std::snprintf(out, size, ": %02dh%02d%s", u.hour, u.minute, ut < lt ? " <" : lt < ut ? " >" : "");
}

void FormatHoursMinutes(char* out, std::size_t size, double hours) {
    int h = static_cast<int>(hours);
    int m = static_cast<int>(hours * 60 - h * 60);
    std::snprintf(out, size, ": %02dh%02d", h, m);
}

void FormatPhasePercent(char* out, std::size_t size, float fraction) {
    char number[16];
    DoubleToStr(number, sizeof number, 100.0f * fraction, 0);
    std::snprintf(out, size, ": %s%%", number);
}

int MoonIconForPhase(float fraction, bool waxing) {
    if (fraction > 0.996f) return 6064;
    if (fraction < 0.004f) return 6065;
    int sixth = static_cast<int>(6 * fraction);
    return waxing ? 6051 + sixth : 6062 - sixth;
}

bool IsMoonWaxing(int year, int month, int day, int hour, float fraction) {
    int age = 0;
    if (hour < 22) return static_cast<float>(GetMoonPhase(year, month, day, hour + 1, &age)) > fraction;
    return static_cast<float>(GetMoonPhase(year, month, day, hour - 1, &age)) < fraction;
}
