#include "chart/object_icons.h"

#include <algorithm>
#include <cstdio>

#include "core/preferences.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kZoomSteps = 14;
constexpr int kColumns = 13;
constexpr int kNightRow = 2;
constexpr int8_t kDayOffset[kZoomSteps] = {8, 8, 8, 7, 7, 6, 5, 5, 4, 3, 2, 1, 0, 0};
constexpr int8_t kNightOffset[kZoomSteps] = {7, 7, 7, 6, 6, 5, 4, 4, 3, 2, 1, 0, -1, -1};
constexpr int8_t kLargeScreenOffset[kZoomSteps] = {6, 6, 6, 5, 5, 4, 4, 3, 2, 1, 0, -1, -2, -2};
// Upper bounds of the colour bands, rows 0..5; row 6 above.
constexpr int kBandLimit[] = {-3, 0, 3, 6, 8, 14};
constexpr int kLegendRowHeight[] = {19, 17, 15, 13, 11, 9, 9, 9, 9, 9};

DrawWindowRecord* iconStrip = nullptr;

int ColourRow(int colourClass) {
    if (GetNightMode() != 0) return kNightRow;
    int row = 0;
    while (row < 6 && colourClass >= kBandLimit[row]) ++row;
    return row;
}

bool WhiteKeyed(int bitmap) { return bitmap == 4103 || bitmap == 4106; }

void LoadStrip() {
    int bitmap = IconStripBitmap();
    iconStrip = LoadBitmapResource16(bitmap);
    if (iconStrip) iconStrip->transparentColor = WhiteKeyed(bitmap) ? pl::Rgb(255, 255, 255) : pl::Rgb(0, 0, 0);
}

}  // namespace

int IconColumnOffset(int zoom) {
    int z = std::clamp(zoom, 0, kZoomSteps - 1);
    if (static_cast<int>(displayScale.scaleX) >= 2) return kLargeScreenOffset[z];
    return GetNightMode() != 0 ? kNightOffset[z] : kDayOffset[z];
}

int IconStripBitmap() {
    bool blackAndWhite = preferences.word[kPrefStarColor] != 0;
    bool night = GetNightMode() != 0;
    if (preferences.word[kPrefChartBackground] == 2 && !night) return blackAndWhite ? 4106 : 4103;
    return night || blackAndWhite ? 4105 : 4104;
}

void DrawObjectIcon(DrawWindowRecord* surface, int zoom, int sizeClass, int colourClass, int x, int y) {
    DrawWindowRecord* target = surface ? surface : GetDrawWindow();
    if (!target) return;
    if (!iconStrip) LoadStrip();
    if (!iconStrip) return;
    int column = std::clamp(IconColumnOffset(zoom) + sizeClass, 0, kColumns - 1);
    XywhRect cell{column * kIconCell, ColourRow(colourClass) * kIconCell, kIconCell, kIconCell};
    CopyRectangle(iconStrip, target, cell, x - 6, y - 6, 4);
}

void FreeObjectIconBitmap() {
    DeleteOffscreenWindow(iconStrip);
    iconStrip = nullptr;
}

void DrawMagnitudeLegend(DrawWindowRecord* surface, int zoom, int x, int y, int count) {
    int height[kColumns] = {};
    int rows = std::clamp(count, 0, kColumns);
    int total = 0;
    for (int i = 0; i < rows; ++i) {
        height[i] = ScaleY(kLegendRowHeight[std::clamp(IconColumnOffset(zoom) + i, 0, 9)]);
        total += height[i];
    }
    DrawWindowRecord* previous = surface ? SetDrawWindow(surface) : nullptr;
    FillRectangle(XywhRect{x - ScaleX(5), y, ScaleX(25), total + ScaleY(6)}, 0);
    int top = y + ScaleY(3);
    for (int i = 0; i < rows; ++i) {
        int centre = top + height[i] / 2;
        DrawObjectIcon(nullptr, zoom, i, 0, x, centre);
        char text[8];
        int length = std::snprintf(text, sizeof text, "%d", i);
        DrawPlainText(text, length, x + ScaleX(12) - 3 * (length / 2), centre - 6);
        top += height[i];
    }
    if (surface) SetDrawWindow(previous);
}
