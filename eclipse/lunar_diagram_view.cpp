#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/lunar_diagram.h"
#include "eclipse/lunar_eclipse.h"
#include "eclipse/lunar_eclipse_view.h"
#include "ephemeris/body_positions.h"
#include "platform/color.h"
#include "platform/text_log.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

// The Moon's bitmaps: their side and the diameter of the disc inside them
// (pixels), so that the disc is drawn at the diagram's scale.
struct MoonBitmap {
    int id, side, disc;
};
MoonBitmap MoonBitmapFor(int s) { return s < 2 ? MoonBitmap{6057, 14, 12} : MoonBitmap{6087, 28, 24}; }

void DrawCompass(int bl, int bt, int bw, int bh, int s) {
    const pl::TextLogExemption inDiagram;
    SelectFont(s >= 2 ? 5 : 0);
    DrawEclipseText("N", bl + bw / 2 - ScaleX(3), bt);
    DrawEclipseText("S", bl + bw / 2 - ScaleX(3), bt + bh - ScaleY(10));
    DrawEclipseText("E", bl, bt + bh / 2 - ScaleY(3));
    DrawEclipseText("W", bl + bw - ScaleX(6), bt + bh / 2 - ScaleY(3));
    SelectFont(s >= 2 ? 4 : 0);
}

// The penumbra and the umbra as discs around (cx, cy), and the ecliptic.
void DrawShadow(const LunarDiagram& g, int cx, int cy) {
    const bool night = GetNightMode() > 0;
    const auto diameter = [](double radius) { return static_cast<int>(std::lround(2 * radius)); };
    DrawFilledDisc(cx, cy, diameter(g.penumbraRadius), night ? pl::Rgb(201, 0, 0) : pl::Rgb(201, 201, 255));
    DrawFilledDisc(cx, cy, diameter(g.umbraRadius), night ? pl::Rgb(255, 0, 0) : pl::Rgb(255, 153, 153));
    SetForeColor(pl::Rgb(0, 0, 0));
    DrawLine(static_cast<int>(std::lround(g.eclipticX1)), static_cast<int>(std::lround(g.eclipticY1)),
             static_cast<int>(std::lround(g.eclipticX2)), static_cast<int>(std::lround(g.eclipticY2)));
}

// The Moon's bitmap scaled so that its disc has the diagram's diameter,
// centred on the Moon's place, with its label centred on it.
void DrawMoon(const LunarDiagram& g, const LunarDiagramMoon& m, int s) {
    const pl::TextLogExemption inDiagram;  // the Moons' labels may meet the box's letters
    const MoonBitmap b = MoonBitmapFor(s);
    const double zoom = 2 * g.moonRadius / b.disc, half = b.side * zoom / 2;
    DrawBitmapScaled(b.id, static_cast<int>(std::lround(m.x - half)), static_cast<int>(std::lround(m.y - half)), zoom);
    const int width = CharsWidth(m.label.c_str(), static_cast<int>(m.label.size()));
    DrawEclipseText(m.label, static_cast<int>(m.x) - width / 2, static_cast<int>(m.y) - CharsHeight() / 2);
}

// "(Greatest at ...)" right of the title at x; in the small font when the
// normal one would pass the view's right side, and moved left as far as even
// that would.
void DrawGreatestHeader(const EclipseEvent& e, int x, int width, int s) {
    char text[64];
    std::snprintf(text, sizeof text, "(Greatest at %02dh%02d:%02dmUT)", e.hour, e.minute, e.second);
    const int length = static_cast<int>(std::strlen(text));
    SelectFont(s >= 2 ? 4 : 0);
    if (x + CharsWidth(text, length) >= width) SelectFont(2);
    DrawEclipseText(text, std::max(0, std::min(x, width - CharsWidth(text, length) - 1)), ScaleY(24));
    SelectFont(s >= 2 ? 4 : 0);
}

// "P. Radius=" and "U. Radius=" at x on the rows after `firstRow`: the
// shadow's radii in degrees without the atmosphere's enlargement.
void DrawRadiusTexts(const EclipseEvent& e, int x, int firstRow) {
    BodyPosition sun{}, moon{};
    const int minute = e.minute + currentSite.zoneMinutes;
    ComputeBody(&sun, 0, e.year, e.month, e.day, e.hour, minute, e.second);
    ComputeBody(&moon, 1, e.year, e.month, e.day, e.hour, minute, e.second);
    const double r = moon.distance / sun.distance;
    const double ap = (r * 701378.14 + 6378.14) * moon.apparentDiameter / 1738;
    const double au = (6378.14 - r * 688621.86) * moon.apparentDiameter / 1738;
    char number[32];
    DoubleToStr(number, sizeof number, ap / 120 + 0.005, 2);
    DrawEclipseText(std::string("P. Radius=") + number + "\xB0", x, ScaleY(24) + ScaleY(13) * (firstRow + 1));
    DoubleToStr(number, sizeof number, au / 120 + 0.005, 2);
    DrawEclipseText(std::string("U. Radius=") + number + "\xB0", x, ScaleY(24) + ScaleY(13) * (firstRow + 2));
}

}  // namespace

int LunarDiagramHeaderColumn(int width) { return 2 * ((width - ScaleX(240)) / 2) + ScaleX(112); }

void DrawLunarShadowDiagram(const EclipseEvent* list, int index, double, double, int width, int height) {
    const EclipseEvent& e = list[index];
    const int s = GetScreenScale();
    const int x0 = (width - ScaleX(240)) / 2, bl = x0 + ScaleX(70), bt = (height - ScaleY(320)) / 2 + ScaleY(130);
    const int bw = ScaleX(100), bh = ScaleY(100), cx = bl + bw / 2, cy = bt + bh / 2;
    LunarEclipseContacts c;
    ComputeLunarEclipseContacts(e, &c);
    UseSchemeTextColours();
    char text[64];
    FormatDate(text, sizeof text, e.day, e.month, e.year);
    DrawEclipseText(text, 0, ScaleY(37));
    DrawGreatestHeader(e, LunarDiagramHeaderColumn(width), width, s);
    const int32_t savedMode = preferences.word[kPrefPositionMode];
    preferences.word[kPrefPositionMode] = 0;
    DrawCompass(bl, bt, bw, bh, s);
    const LunarDiagram g = ComputeLunarDiagram(e, c, cx, cy, ScaleX(28));
    DrawShadow(g, cx, cy);
    const int firstRow = s == 1 ? 13 : 0;
    DrawRadiusTexts(e, 2 * (s == 1 ? -118 : x0) + ScaleX(157), firstRow);
    int row = firstRow + 2;  // the row of "U. Radius=", below the date
    for (const LunarDiagramMoon& m : g.moons) {
        if (m.label != "G") {
            int y, mo, d, h, mi;
            CalendarMinuteFromJulianDay(m.jd, &y, &mo, &d, &h, &mi);
            DrawEclipseText(m.label + "=", 2, ScaleY(24) + ScaleY(13) * row);
            std::snprintf(text, sizeof text, "%02d:%02d", h, mi);
            DrawEclipseText(text, 2 + ScaleX(25), ScaleY(24) + ScaleY(13) * row);
            ++row;
        }
        DrawMoon(g, m, s);
    }
    preferences.word[kPrefPositionMode] = savedMode;
    SelectFont(0);
}
