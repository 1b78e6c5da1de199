#include "chart/chart_marks.h"

#include "core/preferences.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"

namespace {

constexpr int kMarkerModeNone = 2;

// The bitmaps drawn on a white background by day ("Normal").
bool WhiteByDay() { return preferences.word[kPrefChartBackground] >= 2 && GetNightMode() == 0; }

}  // namespace

void DrawTargetMark(int x, int y) {
    if (preferences.word[kPrefCursor] == kMarkerModeNone) return;
    int s = GetScreenScale();
    DrawBitmapMasked(WhiteByDay() ? 1687 : 1686, x - 8 * s, y - 8 * s);
}

void DrawScopeCross(pl::ColorRef colour, int x, int y) {
    int s = GetScreenScale();
    if (s > 1) {
        DrawBitmapMasked(WhiteByDay() ? 1689 : 1688, x - 8 * s, y - 8 * s + 1);
        return;
    }
    pl::ColorRef previous = SetForeColor(colour);
    DrawLine(x - 8, y, x - 2, y);
    DrawLine(x + 8, y, x + 2, y);
    DrawLine(x, y - 8, x, y - 2);
    DrawLine(x, y + 8, x, y + 2);
    SetForeColor(previous);
}

void DrawTelrad(int x, int y, double pixelsPerArcmin, pl::ColorRef colour) {
    SetForeColor(colour);
    int radius = 0;
    for (int i = 0; i < 3; ++i) {
        radius = static_cast<int>(preferences.word[kPrefTelradRing1 + i] * 6 * pixelsPerArcmin);
        DrawCircle(x, y, radius);
    }
    DrawLine(x - radius, y, x + radius, y);
    DrawLine(x, y - radius, x, y + radius);
}
