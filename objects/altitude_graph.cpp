#include "objects/altitude_graph.h"

#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

float IntoDay(float hours) {
    while (hours > 24) hours -= 24;
    while (hours < 0) hours += 24;
    return hours;
}

// A span of the lower half from `from` hours, `hours` wide (the pitch is
// the pixels of one hour), plus `extra` pixels.
void FillHours(int x, int y, int height, int pitch, float from, float hours, int extra = 0) {
    FillRectangle(XywhRect{x + static_cast<int>(pitch * from), y + height / 2,
                           static_cast<int>(pitch * hours) + extra, height / 2},
                  0);
}

void FillVisibleSpan(int x, int y, int height, int pitch, float rise, float transit, float set) {
    if (set - transit > 0) {
        FillHours(x, y, height, pitch, transit, set - transit);
    } else if (set - transit < 0) {
        FillHours(x, y, height, pitch, transit, 24 - transit);
        FillHours(x, y, height, pitch, 0, set);
    }
    if (rise - transit > 0) {
        FillHours(x, y, height, pitch, 0, transit);
        FillHours(x, y, height, pitch, rise, 24 - rise);
    } else if (rise - transit < 0) {
        FillHours(x, y, height, pitch, rise, transit - rise, 1);
    }
}

void DrawTicks(int x, int y, int height, int pitch, int s) {
    SetForeColor(pl::Rgb(0, 0, 0));
    for (int h = 0; h < 24; ++h) {
        const int top = h % 6 == 0 ? y + height / 2 : y + height / 2 + 2 * s;
        DrawLine(x - 1 + h * pitch, top, x - 1 + h * pitch, y + height - s);
    }
    DrawLine(x + 24 * pitch - 1, y + height / 2, x + 24 * pitch - 1, y + height - s);
}

void DrawLabels(int x, int y, int pitch, int s, bool night, pl::ColorRef foreground) {
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef text = night ? SetTextColorRef(foreground) : 0;
    DrawLabelText("0h", 2, x, y - s);
    DrawLabelText("12h", 3, x + 12 * pitch - 3 * s, y - s);
    DrawLabelText("0h", 2, x + 24 * pitch - 5 * s, y - s);
    if (night) SetTextColorRef(text);
    SetTextTransparent(wasTransparent);
}

}  // namespace

void DrawAltitudeGraph24h(int x, int y, int width, int height, float now, float rise, float transit, float set) {
    const int pitch = width / 25 + 1;
    const int s = ScaleX(1);
    const pl::ColorRef foreground = GetForeColorRef();
    FillRectangle(XywhRect{x - s, y, width + 1, height}, 0);
    rise = IntoDay(rise), transit = IntoDay(transit), set = IntoDay(set);
    const bool night = GetNightMode() != 0;
    const int intensity = GetSchemeColor();
    SetForeColor(night ? pl::Rgb(intensity, 0, 0) : pl::Rgb(255, 255, 180));
    FillRectangle(XywhRect{x, y + height / 2, 24 * pitch, height / 2}, 0);
    SetForeColor(night ? pl::Rgb(intensity - 51, 0, 0) : pl::Rgb(249, 210, 20));
    FillVisibleSpan(x, y, height, pitch, rise, transit, set);
    DrawTicks(x, y, height, pitch, s);
    DrawLabels(x, y, pitch, s, night, foreground);
    if (now >= 0) {
        SetForeColor(pl::Rgb(200, 0, 0));
        const int at = x + static_cast<int>(pitch * now);
        DrawLine(at, y, at, y + height - 1);
    }
    if (foreground != pl::kInvalidColor) SetForeColor(foreground);
}
