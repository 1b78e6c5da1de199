#include "chart/chart_clock.h"

#include "chart/chart_state.h"
#include "chart/horizon_projection.h"
#include "chart/phase_icons.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ui/input_polling.h"

namespace {

constexpr uint32_t kStepSeconds = 120;
constexpr double kFixPerHour = 4392264.877774;

// The date, time and site the sidereal time was last computed for.
struct SiderealBasis {
    DateTime time;
    float longitude;
    int16_t zoneMinutes;
};
SiderealBasis siderealBasis{};

SiderealBasis ShownBasis() { return {currentDateTime, currentSite.longitude, currentSite.zoneMinutes}; }

bool SameBasis(const SiderealBasis& a, const SiderealBasis& b) {
    const DateTime &s = a.time, &t = b.time;
    return s.year == t.year && s.month == t.month && s.day == t.day && s.hour == t.hour && s.minute == t.minute &&
           s.second == t.second && a.longitude == b.longitude && a.zoneMinutes == b.zoneMinutes;
}

void SetLst(double hours) {
    chartTimeRecord.lstHours = static_cast<float>(hours);
    chartTimeRecord.lst = static_cast<int32_t>(chartTimeRecord.lstHours * kFixPerHour);
    siderealBasis = ShownBasis();
}

// The sidereal time of currentDateTime at the site, and what a new chart time makes stale.
void TakeShownTime() {
    const DateTime& t = currentDateTime;
    SetLst(GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.longitude,
                                currentSite.zoneMinutes));
    chartTimeRecord.sphereViewReady = 0;
    chartTimeRecord.horizonProjectionReady = 0;
    SetHorizonRotation(chartTimeRecord.chartRotation);
    ComputeMoonIconState(t.year, t.month, t.day, t.hour);
    chartState.chartDirty = 1;
    chartTimeRecord.scrolling = 0;
}

// Moves the fixed time on by `elapsed` seconds.
void StepFixedTime(uint32_t elapsed) {
    DateTime& t = currentDateTime;
    int y = t.year, mo = t.month, d = t.day, h = t.hour, mi = t.minute;
    AddMinutesToDateTime(&y, &mo, &d, &h, &mi, static_cast<int>(elapsed / 60));
    int second = t.second + static_cast<int>(elapsed % 60);
    while (second > 59) {
        AddMinutesToDateTime(&y, &mo, &d, &h, &mi, 1);
        second -= 60;
    }
    t = DateTime{y, mo, d, h, mi, second};
}

}  // namespace

void LoadDateTimeFromDevice() {
    int f[6];
    GetLocalDateTime(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    currentDateTime = DateTime{f[0], f[1], f[2], f[3], f[4], f[5]};
}

int UpdateChartTime(int force) {
    uint32_t now = GetSeconds();
    uint32_t elapsed = 0;
    if (chartTimeRecord.lastTickSeconds == 0)
        chartTimeRecord.lastTickSeconds = now;
    else
        elapsed = now - chartTimeRecord.lastTickSeconds;
    if (elapsed < kStepSeconds && force != 1) return 0;
    if (dateTimeFixed == 0 || chartTimeRecord.lstHours == 0.0f)
        LoadDateTimeFromDevice();
    else
        StepFixedTime(elapsed);
    chartTimeRecord.lastTickSeconds = now;
    TakeShownTime();
    return 1;
}

int FollowShownTime() {
    if (chartTimeRecord.lstHours == 0.0f || SameBasis(siderealBasis, ShownBasis())) return 0;
    TakeShownTime();
    return 1;
}

int RestartChartTime() {
    chartTimeRecord.lastTickSeconds = 0;
    return UpdateChartTime(1);
}

void SetChartDateTime(const ObjectRecord* rec, int year, int month, int day, int hour, int minute) {
    DateTime& t = currentDateTime;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    SetLst(GetLocalSiderealTime(year, month, day, hour, minute, 0, currentSite.longitude, currentSite.zoneMinutes));
    if (chartTimeRecord.lstHours != chartState.lastLstHours) {
        chartState.lastLstHours = chartTimeRecord.lstHours;
        chartTimeRecord.sphereViewReady = 0;
        chartTimeRecord.horizonProjectionReady = 0;
    }
    if (rec) chartSelection = *rec;
    chartState.chartSelectionIndex = 0;
}
