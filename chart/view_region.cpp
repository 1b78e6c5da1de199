#include "chart/view_region.h"

#include <algorithm>
#include <cmath>

#include "chart/horizon_projection.h"
#include "chart/sky_angles.h"
#include "chart/chart_views.h"
#include "chart/sphere_projection.h"

namespace {

constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixToHours = 1.0 / kFixPerHour;
constexpr double kFixToDegrees = 1.0 / 292817.65851827303;
constexpr double kDegToRad = 0.0174532925199433;

struct Place {
    double raHours, decDegrees;
};

Place Probe(int x, int y, bool sphere) {
    if (sphere) {
        Fix24Angle ra, dec;
        SkyMapPointToRaDec(x, y, &ra, &dec);
        return {ra * kFixToHours, dec * kFixToDegrees};
    }
    float ra, dec;
    ChartPointToRaDec(x, y, &ra, &dec);
    return {ra, dec};
}

}  // namespace

SkyRegion RegionOfRect(const pl::Rect& bounds, bool sphere) {
    const int xs[3] = {bounds.left, (bounds.left + bounds.right) / 2, bounds.right - 1};
    const int ys[3] = {bounds.top, (bounds.top + bounds.bottom) / 2, bounds.bottom - 1};
    const Place centre = Probe(xs[1], ys[1], sphere);
    double radius = 0;
    for (int x : xs)
        for (int y : ys) {
            Place p = Probe(x, y, sphere);
            radius = std::max(radius, AngularSeparationDeg(centre.raHours, centre.decDegrees, p.raHours, p.decDegrees));
        }
    radius = radius * 1.05 + 0.5;
    SkyRegion region{};
    region.decLowest = static_cast<float>(std::max(-90.0, centre.decDegrees - radius));
    region.decHighest = static_cast<float>(std::min(90.0, centre.decDegrees + radius));
    region.raCentre = static_cast<Fix24Angle>(centre.raHours * kFixPerHour);
    double sine = std::sin(std::min(radius, 90.0) * kDegToRad) / std::cos(centre.decDegrees * kDegToRad);
    region.everyRa = radius >= 90 || centre.decDegrees + radius >= 90 || centre.decDegrees - radius <= -90 ||
                     !(sine < 1.0);
    if (!region.everyRa) region.raHalfWidth = static_cast<Fix24Angle>(std::asin(sine) * 16777216.0);
    return region;
}

bool RegionHoldsRa(const SkyRegion& region, Fix24Angle ra) {
    if (region.everyRa) return true;
    int64_t d = (static_cast<int64_t>(ra) - region.raCentre) % kFix24TwoPi;
    if (d < 0) d += kFix24TwoPi;
    if (d > kFix24Pi) d = kFix24TwoPi - d;
    return d <= region.raHalfWidth;
}

FieldView SphereFieldView(const pl::Rect& bounds) {
    return FieldView{bounds, true, MakeSphereFrame(skyMapView), skyMapView.visibleOnly != 0, 0, false, 0};
}

FieldView HorizonFieldView(const pl::Rect& bounds, Fix24Angle lst) {
    return FieldView{bounds, false, SphereFrame{}, false, lst, chartView == 1, PanoramaWidth()};
}

bool PairInView(const FieldView& view, int32_t a, int32_t b, int* x, int* y) {
    HorizonPointToScreen(a, b, x, y);
    if (view.panorama) *x = WrapPanoramaX(*x, view.bounds.left, view.bounds.right, view.panoramaWidth);
    return *x >= view.bounds.left && *x <= view.bounds.right && *y >= view.bounds.top && *y <= view.bounds.bottom;
}

bool PlaceInView(const FieldView& view, Fix24Angle ra, Fix24Angle dec, int* x, int* y) {
    if (!view.sphere) {
        int32_t a, b;
        return ProjectHourAngleToHorizon(view.lst, ra, dec, &a, &b) && PairInView(view, a, b, x, y);
    }
    int32_t p, q, s;
    ProjectRaDecToChart(ra, dec, &p, &q, &s);
    if (view.visibleOnly && s < 0) return false;
    SpherePoint point = SphereForward(view.frame, p, q, s);
    if (point.depth <= 0) return false;
    *x = point.x;
    *y = point.y;
    return *x >= view.bounds.left && *x <= view.bounds.right && *y >= view.bounds.top && *y <= view.bounds.bottom;
}
