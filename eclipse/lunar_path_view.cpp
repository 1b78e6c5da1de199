#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/date_text.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/sidereal_time.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/lunar_eclipse.h"
#include "eclipse/lunar_eclipse_view.h"
#include "ephemeris/low_precision_sun_moon.h"
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

constexpr double kDegrees = 57.29577951308232;

// "%02d:%02d UT" of an instant rounded once to the minute.
std::string ContactTime(double jd) {
    int y, mo, d, h, mi;
    CalendarMinuteFromJulianDay(jd, &y, &mo, &d, &h, &mi);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d UT", h, mi);
    return text;
}

// The Moon's Greenwich hour angle (degrees) and declination at a UT instant.
void MoonHourAngle(int y, int mo, int d, int h, int mi, double* hourAngle, double* dec) {
    double ra = 0;
    ComputeMoonPositionUT(&ra, dec, y, mo, d, h, mi, 0);
    *hourAngle = NormalizeHours(GetLocalSiderealTime(y, mo, d, h, mi, 0, 0.0, 0) - ra) * 15;
}

// The horizon curve of one contact; the equator crossings in crossing[2].
void DrawHorizonCurve(double jd, int left, int top, int width, int height, int crossing[2]) {
    int y, mo, d, h, mi, s;
    JDToCalendar(jd, &y, &mo, &d, &h, &mi, &s);
    double h0 = 0, dec = 0;
    MoonHourAngle(y, mo, d, h, mi, &h0, &dec);
    const double k = -std::cos(dec / kDegrees) / std::sin(dec / kDegrees);
    crossing[0] = crossing[1] = -ScaleX(1);
    int px = left, py = 0;
    for (int i = 0; i < width; ++i) {
        double phi = std::atan(k * std::cos((i * 360.0 / width + h0) / kDegrees)) * kDegrees;
        int cy = static_cast<int>(top + height + (phi - 90) * height / 180);
        if (i == 0) py = cy;
        DrawLine(px, py, left + i, cy);
        px = left + i, py = cy;
        if (std::abs(cy - height / 2 - top) < 5) (crossing[0] < 0 ? crossing[0] : crossing[1]) = left + i;
    }
}

// The codes are drawn without their background: the labels' background
// colour is the label colour itself, which would hide them.
void DrawLabel(const char* code, int x, int y) {
    bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    DrawPlainText(code, 2, x, y);
    SetTextTransparent(transparent);
}

// A label near the map's side moved in, so that it shows whole.
int WithinMap(const char* text, int x, int left, int width) {
    const int w = CharsWidth(text, static_cast<int>(std::strlen(text)));
    return std::clamp(x, left, std::max(left, left + width - w));
}

}  // namespace

int DrawLunarVisibilityMap(const EclipseEvent* list, const LunarEclipseContacts* contacts, int index, int left,
                           int top, int width, int height) {
    const EclipseEvent& e = list[index];
    LunarEclipseContacts own;
    if (!contacts) ComputeLunarEclipseContacts(e, &own), contacts = &own;
    const pl::TextLogExemption mapLabels;  // the curves' codes may meet on the map
    const bool night = GetNightMode() > 0;
    pl::ColorRef previousPen = SetForeColor(night ? pl::Rgb(231, 0, 0) : pl::Rgb(231, 231, 231));
    pl::ColorRef previousText = SetTextColorRef(night ? GetForegroundColor() : pl::Rgb(231, 231, 231));
    SetBackColor(night ? pl::Rgb(231, 0, 0) : pl::Rgb(231, 231, 231));
    const struct {
        const char* code;
        double time;
        bool lower;
    } curves[] = {{"P1", contacts->p1, true},  {"U1", contacts->u1, false}, {"U2", contacts->u2, true},
                  {"U3", contacts->u3, false}, {"U4", contacts->u4, true},  {"P4", contacts->p4, false}};
    int drawn = 0;
    for (const auto& c : curves) {
        if (!(c.time > 0)) continue;
        int crossing[2];
        DrawHorizonCurve(c.time, left, top, width, height, crossing);
        ++drawn;
        const bool last = c.code[0] == 'P' && c.code[1] == '4';
        const int y = top + height / 2 + (c.lower ? ScaleY(10) : 0);
        for (int x : crossing) DrawLabel(c.code, x - (last ? 2 : 3), y);
    }
    double g = 0, dec = 0;
    MoonHourAngle(e.year, e.month, e.day, e.hour, e.minute, &g, &dec);
    double l = std::fmod(180 - g, 360.0);
    if (l < 0) l += 360;
    const int x = static_cast<int>(width * l / 360 + left - 2);
    const int y = static_cast<int>(-(height / 2) * dec / 90 + height / 2 + top - 2);
    // On its white background (black at night) the label is in the form's text
    // colour: the curves' light grey would not show on it.
    SetBackColor(night ? GetBackgroundColor() : pl::Rgb(255, 255, 255));
    SetTextColorRef(GetForegroundColor());
    DrawBitmapTransparent(4076 + static_cast<int>(e.kind), x, y);
    // The second line goes a whole line below the first when 8u is less than
    // the font's height.
    const int line = std::max(ScaleY(8), CharsHeight());
    DrawEclipseText("All Eclipse", WithinMap("All Eclipse", x - ScaleX(10), left, width), y + ScaleY(8));
    DrawEclipseText("Visible", WithinMap("Visible", x - ScaleX(5), left, width), y + ScaleY(8) + line);
    SetForeColor(previousPen);
    if (!night) SetTextColorRef(previousText);
    return drawn;
}

void DrawLunarEclipsePath(const EclipseEvent* list, int index, int width, int height) {
    const EclipseEvent& e = list[index];
    EraseRectangle({0, ScaleY(24), width, height - ScaleY(24) - ScaleY(22)});
    UseSchemeTextColours();
    char date[24];
    FormatDate(date, sizeof date, e.day, e.month, e.year);
    std::string title = std::string("Path of ") + date + " Moon Eclipse";
    DrawChars(title.c_str(), static_cast<int>(title.size()), ScaleX(1), ScaleY(24));
    const int ml = width / 2 - ScaleX(120), mt = ScaleY(37);
    DrawBitmap(GetScreenScale() < 4 ? 6010 : 1221, ml, mt);
    DrawEclipseText("Contacts:", ml + ScaleX(1), mt + ScaleY(120));
    if (GetScreenScale() > 1) SelectFont(4);
    LunarEclipseContacts c;
    ComputeLunarEclipseContacts(e, &c);
    const struct {
        const char* label;
        const char* first;
        double from;
        const char* second;
        double to;
        bool shown;
    } rows[] = {{"Penumbra", ": P1=", c.p1, "P4=", c.p4, true},
                {"Umbra", ": U1=", c.u1, "U4=", c.u4, c.u1 > 0},
                {"Total Phase", ": U2=", c.u2, "U3=", c.u3, c.u2 > 0}};
    int y = mt + ScaleY(120);
    for (const auto& r : rows) {
        if (!r.shown) continue;
        y += ScaleY(13);
        DrawEclipseText(r.label, ml + ScaleX(1), y);
        DrawEclipseText(r.first, ml + ScaleX(60), y);
        DrawEclipseText(ContactTime(r.from), ml + ScaleX(91), y);
        DrawEclipseText(r.second, ml + ScaleX(148), y);
        DrawEclipseText(ContactTime(r.to), ml + ScaleX(170), y);
    }
    DrawLunarVisibilityMap(list, &c, index, ml, mt, ScaleX(240), ScaleY(120));
    SelectFont(0);
}
