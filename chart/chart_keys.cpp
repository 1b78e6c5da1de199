#include "chart/chart_keys.h"

#include <algorithm>
#include <cctype>

#include "catalog/selection_list.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_object_pass.h"
#include "chart/chart_redraw.h"
#include "chart/chart_scroll.h"
#include "chart/chart_state.h"
#include "chart/chart_taps.h"
#include "chart/chart_time_step.h"
#include "chart/chart_views.h"
#include "chart/horizon_projection.h"
#include "chart/save_under.h"
#include "chart/shifted_chart.h"
#include "chart/sky_chart_form.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/messages.h"
#include "scope/scope_services.h"
#include "ui/input_polling.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kZoomOutLimit = 0;
constexpr int kZoomInLimit = 12;
constexpr int kShiftStep = 4;  // x GetScreenScale pixels
constexpr int kSkyMapRotation[8] = {-180, -135, -90, -45, 0, 45, 90, 135};
constexpr int kDirectionAzimuth[8] = {0, 45, 90, 135, 180, 225, 270, 315};

// Slew rate of the telescope keys by zoom step.
int SlewRate(int zoom) { return zoom < 6 ? 0 : zoom < 10 ? 1 : 2; }

// Sky Map rotation of one repeat of 0xC1 / 0xC2, degrees.
int RotationStep(int zoom) {
    constexpr int kSteps[] = {5, 4, 3, 2};
    const int half = std::max(zoom, 0) / 2;
    return half < 4 ? kSteps[half] : 1;
}

enum class Move { kNone, kUp, kDown, kLeft, kRight };

Move MoveOf(const ChartKeyEvent& key) {
    if (key.directions & kChartKeyLeft) return Move::kLeft;
    if (key.directions & kChartKeyRight) return Move::kRight;
    switch (key.keyCode) {
        case pl::VK_UP:
        case pl::VK_NEXT: return Move::kUp;
        case pl::VK_DOWN:
        case pl::VK_PRIOR: return Move::kDown;
        default: return Move::kNone;
    }
}

// The held key's shifted frames of the Sky Map or Horizon View, then the chart
// drawn again about what the last frame left at its centre.
void HoldShift(int vk, int stepX, int stepY) {
    const int32_t width = chartView == 1 ? PanoramaWidth() : 0;
    int dx = 0, dy = 0, row = -1;
    do {
        dx += stepX;
        dy += stepY;
        if (width > 0 && (dx >= width || dx <= -width)) dx += dx > 0 ? -width : width;
        row = ShiftChart(dx, dy, true);
    } while (IsKeyDown(vk));
    FlushKeyEvents();
    FinishShiftedChart(row);
}

// The held key's steps of a sphere view's centre, then the chart drawn again.
void HoldSphere(int vk, int stepsLongitude, int stepsLatitude) {
    const double step = GetZoomFovForIndex(static_cast<unsigned>(chartState.chartZoomIndex)) / 30.0;
    double longitude = chartRecord.centreLongitude, latitude = chartRecord.centreLatitude;
    do {
        StepSkyMapCentre(stepsLongitude * step, stepsLatitude * step, &longitude, &latitude);
    } while (IsKeyDown(vk));
    FlushKeyEvents();
    RedrawSkyChart();
}

// The Sky Map turned while the key is held; the selection stays the centre.
void HoldRotation(int vk, int sign) {
    const int held = HeldSelectionEntry();  // the shifts drop the current row; its entry is kept
    const int step = sign * RotationStep(chartState.chartZoomIndex);
    int32_t& rotation = chartTimeRecord.chartRotation;
    do {
        rotation += step;
        rotation -= 360 * (rotation / 360);
        if (rotation < 0) rotation += 360;
        RotateHorizonProjection(step);
        ShiftChart(0, 0, true);
    } while (IsKeyDown(vk));
    SetHorizonRotation(rotation);
    FlushKeyEvents();
    SetCurrentSelectionEntry(held);
    chartTimeRecord.scrolling = 0;
    RedrawSkyChart();
}

void HoldMove(int vk, Move move) {
    const int s = kShiftStep * GetScreenScale();
    const int x = move == Move::kLeft ? -1 : move == Move::kRight ? 1 : 0;
    const int y = move == Move::kUp ? -1 : move == Move::kDown ? 1 : 0;
    if (chartView >= 2) HoldSphere(vk, x, y);
    else HoldShift(vk, x * s, y * s);
}

void SlewScope(Move move) {
    ScopeSetSlewRate(SlewRate(chartState.chartZoomIndex));
    switch (move) {
        case Move::kUp: ScopeKeySlewUp(); break;
        case Move::kDown: ScopeKeySlewDown(); break;
        case Move::kLeft: ScopeKeySlewLeft(); break;
        case Move::kRight: ScopeKeySlewRight(); break;
        case Move::kNone: break;
    }
}

// 0xC1 (sign -1) and 0xC2 (+1).
void TimeOrTurnKey(int vk, int sign) {
    if (preferences.word[kPrefTimeStep] != 0) {
        DateTime& t = currentDateTime;
        StepChartTime(sign, &t.year, &t.month, &t.day, &t.hour, &t.minute);
        return;
    }
    if (chartView == 0) HoldRotation(vk, -sign);
    else HoldMove(vk, sign < 0 ? Move::kLeft : Move::kRight);
}

void ZoomKey(int change) {
    const int zoom = chartState.chartZoomIndex + change;
    if (zoom < kZoomOutLimit || zoom > kZoomInLimit) return;
    ChangeChartZoom(zoom);
}

int DirectionOfLetter(int c) {
    switch (std::tolower(c)) {
        case 'n': return 0;
        case 'e': return 2;
        case 's': return 4;
        case 'w': return 6;
        default: return -1;
    }
}

}  // namespace

ChartKeyEvent ChartKeyOfVirtualKey(int vk) {
    switch (vk) {
        case pl::VK_LEFT: return {vk, kChartKeyLeft};
        case pl::VK_RIGHT: return {vk, kChartKeyRight};
        case pl::VK_RETURN: return {vk, kChartKeyAction};
        case pl::VK_PRIOR:
        case pl::VK_NEXT:
        case pl::VK_UP:
        case pl::VK_DOWN:
        case pl::VK_APP1:
        case pl::VK_APP2:
        case pl::VK_APP3:
        case pl::VK_APP4: return {vk, 0};
        default: return {0, 0};
    }
}

ChartKeyEvent ChartKeyOfCharacter(int character) {
    return DirectionOfLetter(character) >= 0 ? ChartKeyEvent{character, 0} : ChartKeyEvent{0, 0};
}

void ChartKeyDown(const ChartKeyEvent& key) {
    if (!scopeConnected) FreeChartBitmaps();
    HandleChartKey(key, scopeConnected);
}

int HandleChartKey(const ChartKeyEvent& key, int scopeKeys) {
    const int vk = key.keyCode;
    const bool scope = scopeKeys != 0 && (!IsEncoderDrive() || scopeSimulation != 0);
    if (key.directions & kChartKeyAction) {
        const int row = selectionCurrentRow;
        if (row >= 0 && row < selectionShownCount) ShowChartObjectInfo();
        return 1;
    }
    if (const int direction = DirectionOfLetter(vk); direction >= 0) {
        SetChartDirection(direction);
        return 1;
    }
    const Move move = MoveOf(key);
    if (move != Move::kNone) {
        if (scope) SlewScope(move);
        else HoldMove(vk, move);
        return 1;
    }
    switch (vk) {
        case pl::VK_APP1: TimeOrTurnKey(vk, -1); return 1;
        case pl::VK_APP2: TimeOrTurnKey(vk, 1); return 1;
        case pl::VK_APP3:
            if (scope) SlewScope(Move::kUp);
            else ZoomKey(-1);
            return 1;
        case pl::VK_APP4:
            if (scope) SlewScope(Move::kDown);
            else ZoomKey(1);
            return 1;
        default: return 0;
    }
}

void SetChartDirection(int row) {
    if (row < 0 || row > 7) return;
    if (chartView == 0) {
        const int rotation = kSkyMapRotation[row];
        RotateHorizonProjection(rotation - chartTimeRecord.chartRotation);
        chartTimeRecord.chartRotation = rotation;
        SetHorizonRotation(rotation);
    } else if (chartView == 1) {
        const int64_t offset = (int64_t{chartRecord.xScale} * (int64_t{kDirectionAzimuth[row]} << 18)) >> 34;
        const int x = static_cast<int>(chartState.originX - offset), y = chartState.chartHeight / 2;
        RestoreChartLabel();
        IdentifyNearestObject(x, y, 2 * GetScreenScale());
    } else {
        chartRecord.centreLongitude = static_cast<float>((360 - kDirectionAzimuth[row]) % 360);
        SetCurrentSelectionRow(-1);
    }
    chartState.chartDirty = 1;
    RedrawSkyChart();
}
