#include "ui/shapes.h"

#include <cmath>
#include <numbers>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/drawing.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/primitives.h"

namespace {

// Left limb of each row of a disc of radius R around column cx, by the
// midpoint circle walk: entry R + j is the limb of row cy + j.
std::vector<int> LeftLimbTable(int cx, int R, int height) {
    std::vector<int> t(static_cast<size_t>(height / 10 + height + 1), 0);
    int x = 0, y = R, d = 3 - (height & ~1);
    while (x <= y) {
        t[static_cast<size_t>(R + y)] = t[static_cast<size_t>(R - y)] = cx - x;
        t[static_cast<size_t>(R + x)] = t[static_cast<size_t>(R - x)] = cx - y;
        if (d >= 0) {
            d += 4 - 4 * y;
            --y;
        }
        d += 4 * x + 6;
        ++x;
    }
    return t;
}

// Fills one row between the terminator at half-width x and the left limb.
void FillPhaseRow(const std::vector<int>& limb, int row, int cx, int cy, int R, int x, int percent) {
    long index = static_cast<long>(R) + row - cy;
    if (index < 0 || index >= static_cast<long>(limb.size())) return;
    int edge = limb[static_cast<size_t>(index)];
    if (percent < 51)
        DrawLine(cx - x, row, edge, row);
    else
        DrawLine(edge, row, cx + x, row);
}

}  // namespace

void DrawCircle(int cx, int cy, int r) {
    if (r < 0) return;
    int x = 0, y = r, d = 3 - 2 * r;
    while (x <= y) {
        DrawPixel(cx + x, cy + y);
        DrawPixel(cx - x, cy + y);
        DrawPixel(cx + x, cy - y);
        DrawPixel(cx - x, cy - y);
        DrawPixel(cx + y, cy + x);
        DrawPixel(cx - y, cy + x);
        DrawPixel(cx + y, cy - x);
        DrawPixel(cx - y, cy - x);
        if (d >= 0) {
            d += 4 - 4 * y;
            --y;
        }
        d += 4 * x + 6;
        ++x;
    }
}

void DrawDisc(int cx, int cy, int d) {
    pl::Hdc dc = GetDrawDc();
    pl::Hbrush previous = pl::SelectObject(dc, GetBackgroundBrush());
    pl::Ellipse(dc, cx - d / 2, cy - d / 2, cx + d / 2, cy + d / 2);
    if (previous) pl::SelectObject(dc, previous);
}

void DrawMoonPhaseShading(int cx, int cy, int width, int height, int percent) {
    if (height < 0) return;
    int R = height >> 1;
    double k = (percent > 50 ? percent - 50 : 50 - percent) * 0.02;
    int64_t a = static_cast<int64_t>(width * k + 0.5) >> 1;
    std::vector<int> limb = LeftLimbTable(cx, R, height);
    if (std::abs(percent - 50) < 2) {
        for (int j = 0; j < R; ++j) {
            DrawLine(limb[static_cast<size_t>(R + j)], cy + j, cx, cy + j);
            DrawLine(limb[static_cast<size_t>(R - j)], cy - j, cx, cy - j);
        }
        return;
    }
    // The terminator ellipse of half-width a and half-height R, walked from its
    // widest row outward.
    int64_t R2 = int64_t{R} * R;
    int64_t x = a, P = R2 * a, Q = 2 * R2 * a, S = 0;
    int down = cy - 1, up = cy, last = -2;
    while (x > 0) {
        if (P > 0) {
            ++down;
            --up;
            S += 2 * a * a;
            P -= S;
            if (P < 1) {
                Q -= 2 * R2;
                --x;
                P += Q;
            }
        } else {
            Q -= 2 * R2;
            --x;
            P += Q;
        }
        if (up != last) {
            FillPhaseRow(limb, down, cx, cy, R, static_cast<int>(x), percent);
            FillPhaseRow(limb, up, cx, cy, R, static_cast<int>(x), percent);
        }
        last = up;
    }
}

void ComputePhaseSpans(double phase, int* left, int* right, int R) {
    if (phase < 0.01) {
        for (int i = 0; i < R; ++i) left[i] = right[i] = 0;
        return;
    }
    double c = std::cos(2 * std::numbers::pi * phase);
    bool waning = static_cast<int>(100 * phase) >= 50;
    double s = 0.0;
    for (int i = 0; i < R; ++i, s += 1.0 / R) {
        double w = R * std::cos(std::asin(s));
        int wi = static_cast<int>(w), ci = static_cast<int>(w * c);
        left[i] = waning ? R - wi : R + ci;
        right[i] = waning ? R - ci : R + wi;
    }
}
