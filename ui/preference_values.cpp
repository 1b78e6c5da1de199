#include "ui/preference_values.h"

#include <algorithm>
#include <array>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "ui/bitmaps.h"
#include "ui/draw_window.h"

namespace {

// Row values of the page 4 popups; kScope and kEye stand for the two limits
// of the selection criteria.
constexpr float kScope = -1.0f;
constexpr float kEye = -2.0f;
constexpr float kAll = 100.0f;

struct LimitRows {
    int count;
    std::array<float, 8> value;
};

constexpr LimitRows kObjectRows[10] = {
    {6, {kAll, 3, 4, 5, kScope, kEye}},           {6, {kAll, 3, 4, 5, kScope, kEye}},
    {7, {kAll, 4, 5, 6, 7, kScope, kEye}},        {8, {kAll, 5, 6, 7, 8, 9, kScope, kEye}},
    {8, {kAll, 6, 7, 8, 9, 10, kScope, kEye}},    {8, {kAll, 7, 8, 9, 10, 11, kScope, kEye}},
    {8, {kAll, 7, 8, 9, 10, 11, kScope, kEye}},   {8, {kAll, 8, 9, 10, 11, 12, kScope, kEye}},
    {8, {kAll, 8, 9, 10, 11, 12, kScope, kEye}},  {8, {kAll, 9, 10, 11, 12, 13, kScope, kEye}},
};

// Steps 5..9; the wider steps draw every star down to 5.0.
constexpr LimitRows kStarRows[5] = {
    {7, {5, 6, 6.5f, 7, 7.5f, kScope, kEye}},
    {8, {5, 6, 6.5f, 7, 7.5f, 8, kScope, kEye}},
    {8, {5, 7, 7.5f, 8, 8.5f, 9, kScope, kEye}},
    {8, {5, 8, 8.5f, 9, 9.5f, 10, kScope, kEye}},
    {7, {10, 10.5f, 11, 11.5f, 12, kScope, kEye}},
};
constexpr float kWideStarLimit = 5.0f;

float RowValue(const LimitRows& rows, int word) {
    int row = std::clamp(word, 0, rows.count - 1);
    float v = rows.value[row];
    if (v == kScope) return selectionCriteria.scopeLimit;
    if (v == kEye) return selectionCriteria.eyeLimit;
    return v;
}

constexpr int kApertureMm[kApertureRowCount] = {50,  60,  70,  80,  90,  100, 125, 150, 166, 180,
                                                203, 235, 254, 280, 304, 368, 457, 558, 635, 762};
constexpr int kFocalRatio[kFocalRatioRowCount] = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr int kHorizonDegrees[] = {0, 2, 4, 5, 6, 8, 10};
constexpr int kViewIconHeight = 11;

}  // namespace

void GetZoomMagnitudeLimits(int zoomStep, float* starLimit, float* objectLimit) {
    if (zoomStep < 0) {
        *starLimit = 13.0f;
        *objectLimit = kAll;
        return;
    }
    int step = std::min(zoomStep, 9);
    *objectLimit = RowValue(kObjectRows[step], preferences.word[kPrefObjectLimitFirst + step]);
    *starLimit = step < 5 ? kWideStarLimit : RowValue(kStarRows[step - 5], preferences.word[kPrefStarLimitFirst + step - 5]);
}

void ApplyChartFlip(int zoomStep, int* x, int* y) {
    int mode = preferences.word[kPrefZoomViewFirst + std::clamp(zoomStep, 0, 9)];
    if (mode == 1 || mode == 2) *y = -*y;
    if (mode == 2 || mode == 3) *x = -*x;
}

void DrawViewIcon(int row, const int pos[2]) {
    int first = preferences.word[kPrefNightMode] != 0 ? 2008 : 1682;
    DrawBitmapMasked(first + row, pos[0], pos[1]);
}

void DrawOrientationRow(int16_t row, const XywhRect& rect, int, int) {
    const int pos[2] = {rect.x + ScaleX(2), rect.y + (rect.height - ScaleY(kViewIconHeight)) / 2};
    DrawViewIcon(row, pos);
}

int GetHorizonAltitude() {
    int row = preferences.word[kPrefHorizon];
    return row >= 0 && row < static_cast<int>(std::size(kHorizonDegrees)) ? kHorizonDegrees[row] : 0;
}

int GetScopeApertureMm() {
    int d = preferences.word[kPrefDiameter];
    return d < kApertureRowCount ? kApertureMm[std::max(d, 0)] : d;
}

int GetScopeFocalLengthMm() {
    int f = preferences.word[kPrefFRatio];
    int aperture = GetScopeApertureMm();
    return f < kFocalRatioRowCount ? aperture * kFocalRatio[std::max(f, 0)] : aperture * f / 10;
}

int ScopeFocalLengthForCcd() { return std::clamp(GetScopeFocalLengthMm(), 0, kCcdFocalMaxMm); }
