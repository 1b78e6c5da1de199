#include "scope/n_star_plots.h"

#include <algorithm>
#include <cmath>

#include "scope/mount_fit.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/primitives.h"
#include "ui/shapes.h"

namespace {

// Design pixels of the 240 x 320 screen.
constexpr int kPlotX = 73, kPlotY = 130, kPlotSide = 83;
constexpr XywhRect kStarPositionBox{75, 31, 163, 96};  // its label sits on the top edge
constexpr int kCrossArm = 4;
constexpr int kMarker = 5;
constexpr pl::ColorRef kBlack = 0x000000;
constexpr pl::ColorRef kOtherEntry = 0x0000C8;  // RGB(200, 0, 0)

int Side() { return ScaleX(kPlotSide); }

pl::ColorRef NightRed(int level) { return static_cast<pl::ColorRef>(std::clamp(level, 0, 255)); }

pl::ColorRef MarkerColour(bool current) {
    if (GetNightMode() == 0) return current ? kBlack : kOtherEntry;
    return NightRed(current ? GetSchemeColor() : GetSchemeColor() * 2 / 3);
}

void DrawFrame(const XywhRect& r) {
    SetForeColor(GetForegroundColor());
    DrawRectangleOutline(r);
    const int cx = r.x + r.width / 2, cy = r.y + r.height / 2;
    DrawCircle(cx, cy, r.width / 2);
    DrawCircle(cx, cy, r.width / 4);
    const int arm = ScaleX(kCrossArm);
    DrawLine(cx - arm, cy, cx + arm + 1, cy);
    DrawLine(cx, cy - arm, cx, cy + arm + 1);
}

void DrawMarker(const XywhRect& plot, double d1, double d2, double h, bool current) {
    const int size = ScaleX(kMarker);
    int dx = 0, dy = 0;
    bool pinned = false;
    if (!NStarMarkerOffset(d1, d2, h, plot.width, size, &dx, &dy, &pinned)) return;
    const int x = plot.x + plot.width / 2 + dx, y = plot.y + plot.height / 2 + dy;
    const XywhRect mark{x - size / 2, y - size / 2, size, size};
    SetForeColor(MarkerColour(current));
    if (pinned) DrawRectangleOutline(XywhRect{mark.x, mark.y, mark.width - 1, mark.height - 1});
    else FillRectangle(mark, 0);
}

// The errors before (plot 0) and after (plot 1) the correction.
void EntryError(const AlignmentStar& e, int plot, double* d1, double* d2) {
    const double p1 = plot == 0 ? e.reading1 : e.corrected1, p2 = plot == 0 ? e.reading2 : e.corrected2;
    *d1 = AxisOneDifference(p1, e.measured1);
    *d2 = p2 - e.measured2;
}

}  // namespace

XywhRect NStarPlotRect(int which) {
    const int side = Side();
    return XywhRect{ScaleX(kPlotX) + (which == 0 ? 0 : side), ScaleY(kPlotY), side, side};
}

bool NStarMarkerOffset(double d1, double d2, double h, int side, int marker, int* dx, int* dy, bool* pinned) {
    if (!(h > 0) || !std::isfinite(d1) || !std::isfinite(d2)) return false;
    const double k = side / 2.0 / h;
    double x = d1 * k, y = d2 * k;
    // The frame's sides stand on the square's edges, `side` pixels apart; a
    // marker centred within `reach` of the centre keeps a pixel clear of them.
    const double reach = std::max(0, side / 2 - marker / 2 - 2);
    const double far = std::max(std::fabs(x), std::fabs(y));
    *pinned = far > reach;
    if (*pinned) x *= reach / far, y *= reach / far;
    *dx = static_cast<int>(std::lround(x));
    *dy = static_cast<int>(std::lround(y));
    return true;
}

void DrawNStarPlots(const AlignmentStar* list, int n, int current, double h1, double h2) {
    const double h[2] = {h1, h2};
    for (int plot = 0; plot < 2; ++plot) {
        const XywhRect r = NStarPlotRect(plot);
        EraseRectangle(XywhRect{r.x, r.y, r.width + 1, r.height + 1});
        DrawFrame(r);
    }
    for (int plot = 0; list && plot < 2; ++plot) {
        const XywhRect r = NStarPlotRect(plot);
        for (int i = 0; i < n; ++i) {
            if (i == current) continue;
            double d1, d2;
            EntryError(list[i], plot, &d1, &d2);
            DrawMarker(r, d1, d2, h[plot], false);
        }
        if (current >= 0 && current < n) {
            double d1, d2;
            EntryError(list[current], plot, &d1, &d2);
            DrawMarker(r, d1, d2, h[plot], true);
        }
    }
    SetForeColor(GetForegroundColor());
    DrawRectangleOutline(XywhRect{ScaleX(kStarPositionBox.x), ScaleY(kStarPositionBox.y),
                                  ScaleX(kStarPositionBox.width), ScaleY(kStarPositionBox.height)});
}
