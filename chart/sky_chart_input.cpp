#include "chart/sky_chart_input.h"

#include "chart/chart_form_controls.h"
#include "chart/chart_scroll.h"
#include "chart/chart_taps.h"
#include "chart/sky_chart_form.h"
#include "platform/paint.h"
#include "ui/draw_window.h"
#include "ui/saved_screen.h"

namespace {

bool StillOpen(pl::Hwnd form) { return ChartFormWindow() == form; }

}  // namespace

void OnChartPenDown(pl::Hwnd form, int x, int y) {
    const int armed = ChartPenDown(x, y);
    if (!StillOpen(form)) return;
    chartPenArmed = armed;
    StopChartTimer();
}

void OnChartPenMove(pl::Hwnd form, int x, int y) {
    if (!chartPenArmed) return;
    InitDrawWindowOwnDc(form);
    if (!ScrollChartByPen(x, y)) return;
    chartPenArmed = 0;
    if (!StillOpen(form)) return;
    SaveScreen();
    StartChartTimer(1);
}

void OnChartPenUp(pl::Hwnd form, int x, int y) {
    if (chartPenArmed) {
        InitDrawWindowOwnDc(form);
        const int repaint = ChartPenUp(x, y);
        chartPenArmed = 0;
        if (!StillOpen(form)) return;
        if (repaint) SaveScreen();
        pl::Validate(form, nullptr);
    }
    if (StillOpen(form)) StartChartTimer(1);
}

int OnChartKey(pl::Hwnd form, const ChartKeyEvent& key) {
    if (key.keyCode == 0) return 0;
    InitDrawWindowOwnDc(form);
    ChartKeyDown(key);
    if (StillOpen(form)) SaveScreen();
    return 1;
}
