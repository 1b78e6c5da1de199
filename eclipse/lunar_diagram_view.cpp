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

// The diagram's frame: the box's centre, its scale and the shadow centre.
struct Diagram {
    int cx, cy;
    double k;           // pixels per arcminute
    double ra, dec;     // the shadow centre at greatest eclipse, hours and degrees
};

// Hours reduced to -12..12 (a difference across 0 h would throw the points
// far out of the box).
double HourDifference(double a, double b) {
    double d = std::fmod(a - b, 24.0);
    return d > 12 ? d - 24 : d < -12 ? d + 24 : d;
}

// The shadow centre at the local time of a UT instant moved by `days`.
void ShadowCentre(const EclipseEvent& e, int days, double* ra, double* dec) {
    int y = e.year, mo = e.month, d = e.day;
    AddDaysToDate(&y, &mo, &d, days);
    BodyPosition sun{};
    ComputeBody(&sun, 0, y, mo, d, e.hour, e.minute + currentSite.zoneMinutes, e.second);
    *ra = sun.ra + 12 > 24 ? sun.ra + 12 - 24 : sun.ra + 12;
    *dec = -sun.dec;
}

int OffsetX(const Diagram& g, double ra) { return static_cast<int>(static_cast<int>(HourDifference(ra, g.ra) * 900) * g.k); }
int OffsetY(const Diagram& g, double dec) { return static_cast<int>(static_cast<int>((dec - g.dec) * 60) * g.k); }

void DrawCompass(int bl, int bt, int bw, int bh, int s) {
    const pl::TextLogExemption inDiagram;
    SelectFont(s >= 2 ? 5 : 0);
    DrawEclipseText("N", bl + bw / 2 - ScaleX(3), bt);
    DrawEclipseText("S", bl + bw / 2 - ScaleX(3), bt + bh - ScaleY(10));
    DrawEclipseText("E", bl, bt + bh / 2 - ScaleY(3));
    DrawEclipseText("W", bl + bw - ScaleX(6), bt + bh / 2 - ScaleY(3));
    SelectFont(s >= 2 ? 4 : 0);
}

// The shadow discs and the ecliptic; sets the frame's scale and shadow centre.
void DrawShadow(const EclipseEvent& e, int s, Diagram* g, double* ap, double* au) {
    BodyPosition sun{}, moon{};
    const int minute = e.minute + currentSite.zoneMinutes;
    ComputeBody(&sun, 0, e.year, e.month, e.day, e.hour, minute, e.second);
    ComputeBody(&moon, 1, e.year, e.month, e.day, e.hour, minute, e.second);
    const double r = moon.distance / sun.distance;
    const double rp = r * 701378.14 + 6378.14, ru = 6378.14 - r * 688621.86;
    *ap = rp * moon.apparentDiameter / 1738;
    *au = ru * moon.apparentDiameter / 1738;
    double dp = s * 14 * rp * 0.0006041426927502877, du = s * ru * 0.008303337169159953;
    if (e.kind >= 3) dp *= 1.05, du *= 1.07;
    const bool night = GetNightMode() > 0;
    DrawFilledDisc(g->cx, g->cy, static_cast<int>(dp), night ? pl::Rgb(201, 0, 0) : pl::Rgb(201, 201, 255));
    DrawFilledDisc(g->cx, g->cy, static_cast<int>(du), night ? pl::Rgb(255, 0, 0) : pl::Rgb(255, 153, 153));
    SetForeColor(pl::Rgb(0, 0, 0));
    g->k = ScaleX(28) / moon.apparentDiameter;
    ShadowCentre(e, 0, &g->ra, &g->dec);
    double ra1, dec1, ra2, dec2;
    ShadowCentre(e, -2, &ra1, &dec1);
    ShadowCentre(e, 2, &ra2, &dec2);
    DrawLine(g->cx - OffsetX(*g, ra1), g->cy - OffsetY(*g, dec1), g->cx - OffsetX(*g, ra2), g->cy - OffsetY(*g, dec2));
}

void DrawMoonAt(const Diagram& g, const char* label, int y, int mo, int d, int h, int mi, int sec, int s) {
    const pl::TextLogExemption inDiagram;  // the Moons' labels may meet the box's letters
    BodyPosition moon{};
    ComputeBody(&moon, 1, y, mo, d, h, mi + currentSite.zoneMinutes, sec);
    const int half = static_cast<int>((ScaleX(28) + 0.5) / 2);
    const int left = g.cx - half - OffsetX(g, moon.ra), top = g.cy - half - OffsetY(g, moon.dec);
    DrawBitmapTransparent(s < 2 ? 6057 : 6087, left, top);
    DrawEclipseText(label, left + ScaleX(14) - 3 * static_cast<int>(std::string(label).size()), top + ScaleY(14) - 4);
}

}  // namespace

void DrawLunarShadowDiagram(const EclipseEvent* list, int index, double, double, int width, int height) {
    const EclipseEvent& e = list[index];
    const int s = GetScreenScale();
    const int x0 = (width - ScaleX(240)) / 2, bl = x0 + ScaleX(70), bt = (height - ScaleY(320)) / 2 + ScaleY(130);
    const int bw = ScaleX(100), bh = ScaleY(100);
    Diagram g{bl + bw / 2, bt + bh / 2, 1, 0, 0};
    LunarEclipseContacts c;
    ComputeLunarEclipseContacts(e, &c);
    UseSchemeTextColours();
    char text[64];
    FormatDate(text, sizeof text, e.day, e.month, e.year);
    DrawEclipseText(text, 0, ScaleY(37));
    SelectFont(s >= 2 ? 4 : 0);
    std::snprintf(text, sizeof text, "(Greatest at %02dh%02d:%02dmUT", e.hour, e.minute, e.second);
    // Moved left as far as it would pass the view's right side.
    const int headerWidth = CharsWidth(text, static_cast<int>(std::strlen(text)));
    DrawEclipseText(text, std::max(0, std::min(2 * x0 + ScaleX(112), width - headerWidth - 1)), ScaleY(24));
    const int32_t savedMode = preferences.word[kPrefPositionMode];
    preferences.word[kPrefPositionMode] = 0;
    DrawCompass(bl, bt, bw, bh, s);
    double ap = 0, au = 0;
    DrawShadow(e, s, &g, &ap, &au);
    const int column = s == 1 ? -118 : x0, firstRow = s == 1 ? 13 : 0;
    char number[32];
    DoubleToStr(number, sizeof number, ap / 120 + 0.005, 2);
    DrawEclipseText(std::string("P. Radius=") + number + "\xB0", 2 * column + ScaleX(157), ScaleY(24) + ScaleY(13) * (firstRow + 1));
    DoubleToStr(number, sizeof number, au / 120 + 0.005, 2);
    DrawEclipseText(std::string("U. Radius=") + number + "\xB0", 2 * column + ScaleX(157), ScaleY(24) + ScaleY(13) * (firstRow + 2));
    const struct {
        const char* label;
        double time;  // 0: greatest
        int shift;    // seconds
    } moons[] = {{"P1", c.p1, 0}, {"U1", c.u1, 0}, {"U2", c.u2, -360}, {"G", 0, 0},
                 {"U3", c.u3, 360}, {"U4", c.u4, 0}, {"P4", c.p4, 0}};
    int row = firstRow + 2;  // the row of "U. Radius=", below the date
    for (const auto& m : moons) {
        if (m.label[0] == 'G') {
            DrawMoonAt(g, m.label, e.year, e.month, e.day, e.hour, e.minute, e.second, s);
            continue;
        }
        if (!(m.time > 0)) continue;
        int y, mo, d, h, mi, sec;
        JDToCalendar(m.time, &y, &mo, &d, &h, &mi, &sec);
        std::snprintf(text, sizeof text, "%s=", m.label);
        DrawEclipseText(text, 2, ScaleY(24) + ScaleY(13) * row);
        std::snprintf(text, sizeof text, "%02d:%02d", h, mi);
        DrawEclipseText(text, 2 + ScaleX(25), ScaleY(24) + ScaleY(13) * row);
        ++row;
        JDToCalendar(m.time + m.shift / 86400.0, &y, &mo, &d, &h, &mi, &sec);
        DrawMoonAt(g, m.label, y, mo, d, h, mi, sec, s);
    }
    preferences.word[kPrefPositionMode] = savedMode;
    SelectFont(0);
}
