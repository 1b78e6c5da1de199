#include "chart/chart_manual_input.h"

#include <cmath>
#include <cstdio>

#include "catalog/designations.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_picks.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/horizon_projection.h"
#include "chart/sphere_projection.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "ui/position_input_dialog.h"

int32_t manualInputCounter = 30000;

namespace {

constexpr uint32_t kTypeNebula = 19;
constexpr double kFixToHours = 12.0 / M_PI / 16777216.0;
constexpr double kFixToDegrees = 180.0 / M_PI / 16777216.0;
constexpr double kDegToRad = M_PI / 180.0;
constexpr int kFieldSize = kPositionTextLength + 1;

// The chart centre's place: right ascension (hours) and declination, or
// azimuth and altitude (degrees).
void CentrePlace(int altAz, double* first, double* second) {
    if (chartView >= 2) {
        Fix24Angle a = 0, b = 0;
        if (altAz)
            SkyMapPointToHorizon(0, 0, skyMapView.centreX, skyMapView.centreY, &a, &b);
        else
            SkyMapPointToRaDec(skyMapView.centreX, skyMapView.centreY, &a, &b);
        *first = a * (altAz ? kFixToDegrees : kFixToHours);
        *second = b * kFixToDegrees;
        return;
    }
    const int x = chartState.chartWidth / 2, y = chartState.chartHeight / 2;
    float a = 0, b = 0;
    if (altAz)
        ChartPointToAltAz(x, y, &a, &b);
    else
        ChartPointToRaDec(x, y, &a, &b);
    *first = a;
    *second = b;
}

// The user object at (a, b): right ascension and declination, or azimuth and
// altitude turned into them at the chart's sidereal time.
ObjectRecord TypedObject(int altAz, const char* name, double a, double b) {
    ObjectRecord r{};
    r.designationId = kDesignationUser;
    r.number = manualInputCounter++;
    r.objectType = kTypeNebula;
    double ra = a, dec = b;
    if (altAz) HorizontalToEquatorial(chartTimeRecord.lstHours, a * kDegToRad, b * kDegToRad, &ra, &dec);
    // A right ascension that comes to 24 h (exactly, or rounded up to the float
    // kept) is the same place as 0 h, which is where the list keeps it.
    r.rightAscension = static_cast<float>(ra);
    if (r.rightAscension >= 24.0f) r.rightAscension = 0.0f;
    r.declination = static_cast<float>(dec);
    const DateTime& t = currentDateTime;
    const double jd = JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
    r.constellation = static_cast<uint32_t>(FindConstellation(ra, dec, jd));
    SetObjectRecordName(&r, name);
    return r;
}

}  // namespace

void RunChartManualInput(int altAz) {
    char name[kFieldSize] = "Manual Input", first[kFieldSize], second[kFieldSize];
    double a = 0, b = 0;
    CentrePlace(altAz, &a, &b);
    if (altAz)
        DegToStr(first, sizeof first, a);
    else
        HMSToStr(first, sizeof first, a);
    DegToStr(second, sizeof second, b);
    int type = 0;
    const int equatorial = altAz ? 0 : 1;
    if (RunPositionInputDialog(ChartFormWindow(), equatorial, name, first, second, &type) &&
        ReadPositionInput(equatorial, first, second, &a, &b))
        AddPickToSelection(TypedObject(altAz, name, a, b));
    RedrawSkyChart();
}

void ResetChartManualInput() { manualInputCounter = 30000; }
