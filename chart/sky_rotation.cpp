#include "chart/sky_rotation.h"

#include <algorithm>
#include <cmath>

#include "catalog/designations.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "chart/chart_colours.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/sphere_projection.h"
#include "core/earth_orientation.h"
#include "core/julian_day.h"
#include "core/matrix3.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"

namespace {

constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;

constexpr SkyRotation kStartRotation = {0,
                                        {kFix24One, 0, 0, 0, kFix24One, 0, 0, 0, kFix24One},
                                        {kFix24One, 0, 0, 0, kFix24One, 0, 0, 0, kFix24One},
                                        {kFix24One, 0, 0, 0, kFix24One, 0, 0, 0, kFix24One},
                                        0, 0, 0, 0, 0, 0, -1, 0};

void ToFix(const double* m, int32_t* out) {
    for (int k = 0; k < 9; ++k) out[k] = static_cast<int32_t>(m[k] * 16777216.0);
}

void Transpose(const double* m, double* t) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) t[3 * c + r] = m[3 * r + c];
}

bool BuiltFor(int year, int month, int day, int hour, int minute) {
    const SkyRotation& r = skyRotation;
    return r.year == year && r.month == month && r.day == day && r.hour == hour && r.minute == minute;
}

}  // namespace

SkyRotation skyRotation = kStartRotation;

void ComputeJ2000ToDateMatrix(double jd, double* matrix) {
    double precession[9], nutation[9], meanToTrue[9];
    ComputePrecessionMatrix(jd, precession);
    // The nutation matrix holds true-to-mean: its transpose follows the precession.
    GetNutationMatrix(jd, nutation);
    Transpose(nutation, meanToTrue);
    Matrix3Multiply(meanToTrue, precession, matrix);
}

void DateToJ2000(const double* m, float* raHours, float* decDeg) {
    constexpr double kRadToHours = 3.819718634205488, kRadToDeg = 57.29577951308232;
    double a = *raHours / kRadToHours, d = *decDeg / kRadToDeg;
    const double v[3] = {std::cos(d) * std::sin(a), std::cos(d) * std::cos(a), std::sin(d)};
    double w[3];
    for (int c = 0; c < 3; ++c) w[c] = m[c] * v[0] + m[3 + c] * v[1] + m[6 + c] * v[2];
    double ra = std::atan2(w[0], w[1]) * kRadToHours;
    *raHours = static_cast<float>(ra < 0 ? ra + 24 : ra);
    *decDeg = static_cast<float>(std::asin(std::fmax(-1.0, std::fmin(1.0, w[2]))) * kRadToDeg);
}

void BuildSkyRotation(int year, int month, int day, int hour, int minute, int second) {
    const int zone = currentSite.zoneMinutes;
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, second, zone);
    double lst = GetLocalSiderealTime(year, month, day, hour, minute, second, currentSite.longitude, zone);
    int32_t lstFix = static_cast<int32_t>(lst * kFixPerHour);
    int32_t complement = kFix24Pi - lstFix;
    skyRotation.siderealComplement = complement < 0 ? 158121535 - lstFix : complement;
    double pn[9], back[9], h[9], m[9];
    ComputeJ2000ToDateMatrix(jd, pn);
    Transpose(pn, back);
    ComputeHourAngleFromLst(year, month, day, hour, minute, second, h);
    Matrix3Multiply(h, pn, m);
    ToFix(h, skyRotation.hourAngle);
    ToFix(m, skyRotation.matrix);
    ToFix(back, skyRotation.dateToJ2000);
}

void SetChartView(int rotate, int year, int month, int day, int hour, int minute, int second, int force) {
    SetChartColours();
    if (force == 0 && rotate == skyRotation.flag && BuiltFor(year, month, day, hour, minute)) return;
    skyRotation.flag = rotate;
    BuildSkyRotation(year, month, day, hour, minute, second);
    ReprojectStarTable();
    SkyRotation& r = skyRotation;
    r.year = year;
    r.month = month;
    r.day = day;
    r.hour = hour;
    r.minute = minute;
    r.zoneMinutes = currentSite.zoneMinutes;
    r.second = second;
}

void RebuildChartViewForced(int rotate) {
    const SkyRotation& r = skyRotation;
    skyRotation.flag = -1;
    SetChartView(rotate, r.year, r.month, r.day, r.hour, r.minute, r.second, 1);
}

void EnableViewRotation() { skyRotation.flag = -1; }

void ReprojectStarTable() {
    LoadStarCatalog(1);
    UpdateChartTime(1);
    for (int i = 0; i < kBrightStarCount; ++i) {
        StarRecord& star = brightStarTable[i];
        ProjectRaDecToChart(star.rightAscension, star.declination, &star.chartWords[0], &star.chartWords[1],
                            &star.chartWords[2]);
    }
}

void ProjectListPlace(double raHours, double decDegrees, int designation, int32_t* p, int32_t* q, int32_t* s) {
    const bool on = skyRotation.flag != 0;
    const int32_t* m = on ? skyRotation.matrix : nullptr;
    if (IsPlaceOfDate(designation)) m = on ? skyRotation.hourAngle : skyRotation.dateToJ2000;
    UnitVector v = StarUnitVector(static_cast<int32_t>(raHours * kFixPerHour),
                                  static_cast<int32_t>(decDegrees * kFixPerDegree));
    UnitVectorToChartBy(m, v, p, q, s);
}

void ListPlaceCentre(double raHours, double decDegrees, int designation, float* angle, float* elevation) {
    constexpr double kRadToDeg = 57.2957795;
    constexpr double kUnit = 16777216.0;
    int32_t p, q, s;
    ProjectListPlace(raHours, decDegrees, designation, &p, &q, &s);
    double longitude = std::atan2(static_cast<double>(p), static_cast<double>(q)) * kRadToDeg;
    if (longitude < 0) longitude += 360.0;
    *angle = static_cast<float>(longitude);
    *elevation = static_cast<float>(std::asin(std::clamp(s / kUnit, -1.0, 1.0)) * kRadToDeg);
}

void ProjectObjectList(SelectionEntry* table, int count) {
    if (!table) return;
    if (chartView == 0 || chartView == 1) chartTimeRecord.horizonProjectionReady = 0;
    for (int i = 0; i < count; ++i) {
        SelectionEntry& e = table[i];
        ProjectListPlace(e.rightAscension, e.declination, e.designation, &e.chartX, &e.chartY, &e.chartZ);
    }
}

void ResetSkyRotation() { skyRotation = kStartRotation; }
