#include "chart/solar_system_view.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "chart/chart_colours.h"
#include "chart/chart_label.h"
#include "core/fixed_trig.h"
#include "core/preferences.h"
#include "core/text_numbers.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/markers.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/rotated_curves.h"
#include "ui/text_drawing.h"

namespace {

constexpr int32_t kFixPerWholeDegree = 292817;
constexpr int kHighlighted = 1;
constexpr int kHighlightedIcon = 11;
constexpr int32_t kLargestOrbit = 400;
constexpr int32_t kSmallestEllipse = 10;

struct OrbitColours {
    pl::ColorRef text, front, back, highlightFront, highlightBack;
};

OrbitColours Colours() {
    if (GetNightMode() == 0)
        return {pl::Rgb(200, 200, 200), pl::Rgb(0, 0, 133), pl::Rgb(0, 0, 203), pl::Rgb(133, 0, 0), pl::Rgb(204, 0, 0)};
    return {pl::Rgb(GetSchemeColor(), 0, 0), pl::Rgb(203, 0, 0), pl::Rgb(255, 0, 0), pl::Rgb(133, 0, 0),
            pl::Rgb(204, 0, 0)};
}

bool Drawn(const SolarSystemBody& b, int slot) {
    return (b.orbitSize <= kLargestOrbit || slot == kHighlighted) &&
           (b.orbitSize > kSmallestEllipse || slot == 0 || b.kind != 0);
}

void DrawOrbit(const SolarSystemBody& b, int slot, const int32_t* view, int cx, int cy, int shift,
               const OrbitColours& c) {
    int32_t m[9];
    FixMatMul24(view, b.orientation, m);
    const pl::ColorRef front = slot == kHighlighted ? c.highlightFront : c.front;
    const pl::ColorRef back = slot == kHighlighted ? c.highlightBack : c.back;
    if (b.kind != 0) {
        DrawRotatedParabola(m, cx, cy, b.perihelion >> shift, front, back);
        return;
    }
    int32_t centre[3] = {-b.focusOffset, 0, 0};
    FixMatVec24(m, centre);
    DrawRotatedRing(m, cx + (centre[0] >> shift), cy + (centre[1] >> shift), b.orbitSize, b.orbitSecondSize, front,
                    back);
}

void DrawText(const std::string& text, int x, int y) { DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y); }

std::string Distance(const char* label, float au) {
    char number[32];
    DoubleToStr(number, sizeof number, au, 3);
    return std::string(label) + number;
}

void DrawBody(const SolarSystemBody& b, int slot, const int32_t* view, int cx, int cy, const XywhRect& rect,
              const OrbitColours& c) {
    int32_t at[3] = {b.position[0], b.position[1], b.position[2]};
    FixMatVec24(view, at);
    const int x = cx + (at[0] >> 12), y = cy + (at[1] >> 12);
    DrawSmallIcon(slot == kHighlighted ? kHighlightedIcon : slot, preferences.word[kPrefChartBackground], x, y);
    SetTextColorRef(c.text);
    if (slot == kHighlighted) {
        const int line = rect.y + rect.height - ScaleY(13);
        DrawText(Distance("Earth (AU): ", b.earthDistance), ScaleX(5), line);
        DrawText(Distance("Sun (AU): ", b.sunDistance), ScaleX(120), line);
    }
    char name[sizeof b.name + 1] = {};
    std::memcpy(name, b.name, sizeof b.name);
    DrawChartLabel(name, x, y, cx);
}

}  // namespace

void DrawSolarSystemView(DrawWindowRecord* surface, const XywhRect& rect, const SolarSystemBody* bodies, int count,
                         int angle1, int angle2, int angle3, int scaleShift) {
    DrawWindowRecord* previous = surface ? SetDrawWindow(surface) : nullptr;
    const int cx = rect.x + rect.width / 2, cy = rect.y + rect.height / 2;
    const OrbitColours colours = Colours();
    SetForeColor(GetNightMode() == 0 ? pl::Rgb(0, 0, 70) : ChartColourRef(chartColours.background));
    FillRectangle(rect, 0);
    int32_t view[9];
    FixRotationMatrix24(view, angle1 * kFixPerWholeDegree, angle2 * kFixPerWholeDegree, angle3 * kFixPerWholeDegree);
    SetForeColor(colours.text);
    SetTextColorRef(colours.text);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    const int font = SelectFont(0);
    DrawXyzAxes(view, 2 * ScaleX(10), 2 * ScaleX(35), ScaleY(20));
    const int shift = std::clamp(12 - scaleShift, 0, 31);
    for (int i = 0; bodies && i < count; ++i) {
        if (!Drawn(bodies[i], i)) continue;
        DrawOrbit(bodies[i], i, view, cx, cy, shift, colours);
        DrawBody(bodies[i], i, view, cx, cy, rect, colours);
    }
    SelectFont(font);
    SetTextTransparent(transparent);
    SetForeColor(ChartColourRef(chartColours.entry[6]));
    SetBackColor(0);
    if (!surface) return;
    SetDrawWindow(previous);
    if (previous) CopyRectangle(surface, previous, rect, rect.x, rect.y, 0);
}
