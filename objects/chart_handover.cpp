#include "objects/chart_handover.h"

#include "chart/chart_clock.h"
#include "chart/chart_views.h"
#include "core/program_hooks.h"
#include "core/services.h"

namespace {

constexpr int kWholeSky = 2, kEquatorialSky = 4;

}  // namespace

bool AgreeChartViewForAltitude(double altitude) {
    if (altitude >= 0.0 || chartView == kWholeSky || chartView == kEquatorialSky) return true;
    if (AskYesNo("This object is below horizon and will not be displayed in your current chart.\n\n",
                 "Do you want to change your chart to see it?") != 0)
        return false;
    chartView = kWholeSky;
    UpdateChartTime(1);
    InvalidateHorizonProjection();
    return true;
}
