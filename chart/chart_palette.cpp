// The chart's palette and the set-up that precedes every redraw.
#include <algorithm>

#include "chart/chart_clock.h"
#include "chart/chart_redraw.h"
#include "chart/chart_symbols.h"
#include "chart/chart_views.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/preference_values.h"
#include "ui/text_drawing.h"

namespace {

constexpr pl::ColorRef Rgb(int r, int g, int b) {
    return pl::Rgb(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
}

// A night red level less `less`, kept within 0..255.
pl::ColorRef NightRed(int intensity, int less) { return Rgb(std::clamp(intensity - less, 0, 255), 0, 0); }

// The bitmap set of a colour scheme: the light set on white backgrounds by day.
void SelectBitmapSetFor(int background) {
    if (background < 0 || background > 3) return;
    const int wanted = background >= 2 && GetNightMode() == 0 ? 1 : 0;
    if (wanted != chartBitmapSet) SelectChartBitmapSet(wanted);
}

// At night every role is drawn in the night reds on a dark ground: the dark
// blue ground turns black, and white stars and objects take the label's red
// (the light grey ground is dark red already). The named colours stay as they
// are for the drawings that choose between them by day.
void ApplyNightRoles(ChartPalette* p) {
    if (p->background == p->darkBlue) p->background = p->black;
    if (p->star == p->white) p->star = p->label;
    if (p->object == p->white) p->object = p->grid;
    p->line = p->red;
}

}  // namespace

ChartPalette BuildChartPalette(int night, int intensity, int background, int lineColour, const ChartPalette& previous) {
    ChartPalette p = previous;
    const bool light = background >= 2;
    p.grid = night ? NightRed(intensity, 50) : Rgb(102, 102, 102);
    p.label = night ? NightRed(intensity, 0) : light ? Rgb(0, 0, 0) : Rgb(187, 187, 153);
    p.darkBlue = Rgb(21, 21, 70);
    p.black = Rgb(0, 0, 0);
    p.red = Rgb(255, 0, 0);
    p.darkRed = Rgb(140, 0, 0);
    p.white = Rgb(255, 255, 255);
    p.lightGrey = night ? p.darkRed : Rgb(238, 238, 238);
    p.purple = Rgb(102, 0, 204);
    p.yellow = Rgb(255, 230, 40);
    p.horizon = night ? NightRed(intensity, 70) : light ? Rgb(130, 130, 130) : Rgb(51, 51, 102);
    switch (background) {
        case 0: p.background = p.black, p.star = p.white, p.object = p.grid, p.text = p.red; break;
        case 1: p.background = p.darkBlue, p.star = p.white, p.object = p.white, p.text = p.red; break;
        case 2:
        case 3: p.background = p.lightGrey, p.star = p.black, p.object = p.black, p.text = p.black; break;
        default: p.background = p.black, p.star = p.white, p.object = p.grid; break;
    }
    switch (lineColour) {
        case 1: p.line = p.darkRed; break;
        case 2: p.line = p.grid; break;
        case 3: p.line = p.black; break;
        default: p.line = p.purple; break;
    }
    if (night) ApplyNightRoles(&p);
    return p;
}

void PrepareChartRedraw() {
    ChartState& s = chartState;
    s.xSign = chartView == 1 ? -1 : 1;
    s.ySign = 1;
    int& slot = chartView == 1 ? s.zoomSlotHorizon : s.zoomSlotSky;
    if (slot < 0) slot = std::clamp(preferences.word[kPrefChartZoom], 0, kZoomSteps - 1);
    s.chartZoomIndex = slot;
    ApplyChartFlip(s.chartZoomIndex, &s.xSign, &s.ySign);
    GetZoomMagnitudeLimits(s.chartZoomIndex, &s.starLimit, &s.objectLimit);
    GetScreenSize(&s.chartWidth, &s.chartHeight);
    chartRecord.chartRect = pl::Rect{0, ScaleY(21), s.chartWidth, s.chartHeight};
    UpdateChartTime(0);
    const int background = preferences.word[kPrefChartBackground];
    chartRecord.palette = BuildChartPalette(GetNightMode(), GetSchemeColor(), background,
                                            preferences.word[kPrefLineColor], chartRecord.palette);
    SelectBitmapSetFor(background);
    // Text on the chart is laid over the sky; a pass that wants a box sets one itself.
    SetTextTransparent(true);
}
