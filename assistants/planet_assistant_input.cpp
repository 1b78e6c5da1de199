// The planets assistant's keys, date animation and stylus
// (planet_assistant_form.h).
#include <cstdlib>

#include "assistants/planet_assistant.h"
#include "assistants/planet_assistant_form.h"
#include "assistants/planet_charts_view.h"
#include "assistants/planet_sky_view.h"
#include "chart/chart_views.h"
#include "chart/object_label_popup.h"
#include "core/julian_day.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "ui/draw_window.h"
#include "ui/input_polling.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kChartCursorY = 50;

int penStartX = 0, penStartY = 0;

double Fov() { return GetZoomFovForIndex(static_cast<unsigned>(skyViewZoom)); }

// The sky view's step for a key: FOV / (25 x the layout multiplier).
double KeyStep() { return Fov() / (25.0 * GetScreenScale()); }

int ChartCursorTap(int x, int y) {
    return SetDateFromChartTap(x, y, kAssistantDateField, 0, assistantDate.year, assistantDate.month);
}

void AnimationStep(int direction) {
    switch (assistantPage) {
    case kPageSkyView:
        MovePlanetSkyViewCentre(direction * KeyStep(), 0.0);
        RedrawPlanetSkyMap(0);
        break;
    case kPageCharts:
        cursorX += direction;
        ChartCursorTap(cursorX, kChartCursorY);
        pl::Sleep(static_cast<uint32_t>(GetTicksPerSecond() / 20));
        break;
    case kPageEvents: break;
    default:
        AddDaysToDate(&assistantDate.year, &assistantDate.month, &assistantDate.day, direction);
        ShowPlanetAssistantPage();
        break;
    }
}

// The sky view's centre up (+1) or down (-1) while the key is held.
int TiltSkyView(int key, int direction) {
    if (assistantPage != kPageSkyView) return 0;
    do {
        MovePlanetSkyViewCentre(0.0, direction * KeyStep());
        RedrawPlanetSkyMap(0);
    } while (IsKeyDown(key));
    FlushKeyEvents();
    RedrawPlanetSkyMap(1);
    return 1;
}

bool InRect(int x, int y, const XywhRect& r) {
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

// Pans the sky view with the stylus until it is lifted.
void DragSkyView(int x, int y) {
    const double perX = Fov() / static_cast<int>(120 * displayScale.scaleX);
    const double perY = Fov() / static_cast<int>(120 * displayScale.scaleY);
    skyViewDragged = 1;
    for (int down = 1; down;) {
        MovePlanetSkyViewCentre((x - penStartX) * perX, (y - penStartY) * perY);
        RedrawPlanetSkyMap(0);
        penStartX = x, penStartY = y;
        GetPenState(&x, &y, &down);
    }
    FlushPenEvents();
    RedrawPlanetSkyMap(1);
}

// Follows the pen over the year charts while it is down; the last call's result.
int TrackChartCursor(int x, int y) {
    int result = ChartCursorTap(x, y);
    for (int down = 1;;) {
        GetPenState(&x, &y, &down);
        if (!down) break;
        result = ChartCursorTap(x, y);
    }
    FlushPenEvents();
    return result;
}

}  // namespace

void AnimatePlanetAssistant(int direction) {
    const int key = direction < 0 ? pl::VK_LEFT : pl::VK_RIGHT;
    animating = 1;
    do AnimationStep(direction);
    while (IsKeyDown(key));
    FlushKeyEvents();
    animating = 0;
    if (assistantPage == kPageEcliptic || assistantPage == kPageSunView) ShowPlanetAssistantPage();
    if (assistantPage == kPageSkyView) RedrawPlanetSkyMap(1);
}

int PlanetAssistantKeys(int key) {
    switch (key) {
    case pl::VK_LEFT: AnimatePlanetAssistant(-1); return 1;
    case pl::VK_RIGHT: AnimatePlanetAssistant(1); return 1;
    case pl::VK_UP:
    case pl::VK_NEXT: return TiltSkyView(key, 1);
    case pl::VK_PRIOR:
    case pl::VK_DOWN: return TiltSkyView(key, -1);
    default: return 0;
    }
}

int PlanetAssistantPenDown(int x, int y) {
    if (assistantPage == kPageCharts) return 1;
    if (assistantPage != kPageSkyView) return 0;
    penStartX = x, penStartY = y;
    skyViewDragged = 0;
    if (InRect(x, y, chartRect)) {
        skyViewPoint[0] = chartRect.x + chartRect.width / 2;
        skyViewPoint[1] = chartRect.y + chartRect.height / 2;
    }
    return 1;
}

int PlanetAssistantPenMove(int x, int y) {
    if (assistantPage == kPageCharts) return TrackChartCursor(x, y);
    if (assistantPage != kPageSkyView || !skyObjects) return 0;
    if (std::abs(x - penStartX) < ScaleX(4) && std::abs(y - penStartY) < ScaleY(4)) return 0;
    DragSkyView(x, y);
    return 1;
}

int PlanetAssistantPenUp(int x, int y) {
    if (assistantPage == kPageCharts) {
        ChartCursorTap(x, y);
        return 1;
    }
    if (assistantPage != kPageSkyView || skyViewDragged || !skyObjects) return 0;
    ShowObjectLabelPopup(skyObjects, skyObjectCount, chartRect, x, y);
    skyViewPoint[0] = x, skyViewPoint[1] = y;
    return 1;
}
