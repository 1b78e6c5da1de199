#include "resources/icon_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

void IconCanvas::Fill(uint32_t colour) { std::fill(p_, p_ + w_ * h_, colour); }

void IconCanvas::Pixel(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) p_[y * w_ + x] = colour;
}

void IconCanvas::Rect(int x, int y, int width, int height, uint32_t colour) {
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i) Pixel(i, j, colour);
}

void IconCanvas::Frame(int x, int y, int width, int height, uint32_t colour) {
    Rect(x, y, width, 1, colour);
    Rect(x, y + height - 1, width, 1, colour);
    Rect(x, y, 1, height, colour);
    Rect(x + width - 1, y, 1, height, colour);
}

void IconCanvas::Disc(double cx, double cy, double r, uint32_t colour) { Ring(cx, cy, r, r + 1, colour); }

void IconCanvas::Ring(double cx, double cy, double r, double thickness, uint32_t colour) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            double d = std::hypot(x - cx, y - cy);
            if (d <= r && d > r - thickness) Pixel(x, y, colour);
        }
}

void IconCanvas::Ellipse(double cx, double cy, double a, double b, double angle, uint32_t colour, double thickness) {
    double c = std::cos(angle), s = std::sin(angle);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            double u = (x - cx) * c + (y - cy) * s, v = -(x - cx) * s + (y - cy) * c;
            double outer = (u * u) / (a * a) + (v * v) / (b * b);
            if (outer > 1.0) continue;
            if (thickness > 0) {
                double ai = a - thickness, bi = b - thickness;
                if (ai > 0 && bi > 0 && (u * u) / (ai * ai) + (v * v) / (bi * bi) < 1.0) continue;
            }
            Pixel(x, y, colour);
        }
}

void IconCanvas::Line(double x1, double y1, double x2, double y2, uint32_t colour, double width) {
    double dx = x2 - x1, dy = y2 - y1, length2 = dx * dx + dy * dy;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            double t = length2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / length2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            if (std::hypot(x - (x1 + t * dx), y - (y1 + t * dy)) <= width / 2) Pixel(x, y, colour);
        }
}

void IconCanvas::Tile(uint32_t face, uint32_t border) {
    Fill(0xFFFFFF);
    Rect(1, 0, w_ - 2, h_, border);
    Rect(0, 1, w_, h_ - 2, border);
    Rect(2, 1, w_ - 4, h_ - 2, face);
    Rect(1, 2, w_ - 2, h_ - 4, face);
}

void IconCanvas::PhaseDisc(double cx, double cy, double r, double f, bool waxing, uint32_t lit, uint32_t dark) {
    double k = 2 * f - 1;  // the terminator's half-width over the limb's, signed
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            double u = (x - cx) / r, v = (y - cy) / r;
            if (u * u + v * v > 1.0) continue;
            double limb = std::sqrt(1.0 - v * v);
            Pixel(x, y, (waxing ? u : -u) > -k * limb ? lit : dark);
        }
}

void IconCanvas::Glyph(const char* const* rows, int count, int x, int y, uint32_t colour, int scale) {
    for (int j = 0; j < count; ++j)
        for (int i = 0; rows[j][i] != '\0'; ++i)
            if (rows[j][i] == '#') Rect(x + i * scale, y + j * scale, scale, scale, colour);
}

IconCanvas KeyButton(uint32_t* pixels, int width, int height) {
    IconCanvas c(pixels, width, height);
    c.Fill(kKeyFace);
    c.Frame(0, 0, width, height, kKeyEdge);
    return c;
}
