#include <cmath>
#include <cstdio>
#include <string>

#include "chart/sky_angles.h"
#include "core/angle_text.h"
#include "core/delta_t.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "core/text_numbers.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/lunar_eclipse.h"
#include "eclipse/lunar_eclipse_view.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "tools/observer_site.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

namespace {

// The layout of the view: large when the layout multiplier is 2 or more.
struct InfoLayout {
    bool large;
    int rowHeight;  // L
    int nudge;      // c
    int y;          // the current row
};

std::string Number(double value, int decimals) {
    char text[32];
    DoubleToStr(text, sizeof text, value, decimals);
    return text;
}

std::string Hms(double hours) {
    char text[32];
    HMSToStr(text, sizeof text, hours);
    return text;
}

std::string Deg(double degrees) {
    char text[32];
    DegToStr(text, sizeof text, degrees);
    return text;
}

std::string UtText(int hour, int minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d UT", hour, minute);
    return text;
}

// "%02d:%02d UT" of an instant rounded once to the minute, whose date and
// time it also gives.
std::string ContactText(double jd, int* y, int* mo, int* d, int* h, int* mi) {
    CalendarMinuteFromJulianDay(jd, y, mo, d, h, mi);
    return UtText(*h, *mi);
}

double GreatestJulianDay(const EclipseEvent& e) {
    return JulianDayFromDateTime(e.year, e.month, e.day, e.hour, e.minute, e.second, 0);
}

void SelectLargeFont(const InfoLayout& l, int font) {
    if (l.large) SelectFont(font);
}

void DrawCurrentPositions(const EclipseEvent& e, InfoLayout* l, int hour, int minute, int second) {
    BodyPosition moon{}, shadow{};
    ComputeBody(&moon, 1, e.year, e.month, e.day, hour, minute + currentSite.zoneMinutes, second);
    ComputeBody(&shadow, 13, e.year, e.month, e.day, hour, minute + currentSite.zoneMinutes, second);
    l->y += l->rowHeight;
    SelectFont(5);
    DrawEclipseText("Current Positions", 2, l->y);
    SelectFont(4);
    DrawEclipseText("(Visual separation " + Deg(AngularSeparationDeg(moon.ra, moon.dec, shadow.ra, shadow.dec)) + ")",
                    2 + ScaleX(100), l->y);
    const std::pair<const char*, const BodyPosition*> rows[] = {{"Moon", &moon}, {"Earth Shadow", &shadow}};
    for (const auto& [name, body] : rows) {
        l->y += l->rowHeight;
        DrawEclipseText(name, 2 + ScaleX(5), l->y);
        DrawEclipseText(Hms(body->ra), 2 + ScaleX(115), l->y);
        DrawEclipseText(Deg(body->dec), 2 + ScaleX(175), l->y);
    }
}

void NextSection(InfoLayout* l) { l->y += l->rowHeight + ScaleY(4) + (l->large ? 0 : 2); }

// The Moon's equatorial horizontal parallax (degrees) at the greatest
// eclipse: the angle of one Earth radius at the Moon's distance.
double MoonParallaxDeg(const EclipseEvent& e) {
    BodyPosition moon{};
    ComputeBody(&moon, 1, e.year, e.month, e.day, e.hour, e.minute + currentSite.zoneMinutes, e.second);
    constexpr double kEarthRadiusKm = 6378.14, kAuKm = 149597870.7;
    return std::asin(kEarthRadiusKm / (moon.distance * kAuKm)) * 180.0 / 3.141592653589793;
}

void DrawEclipseInformation(const EclipseEvent& e, const LunarEclipseContacts& c, InfoLayout* l) {
    NextSection(l);
    SelectLargeFont(*l, 5);
    DrawEclipseText("Eclipse Informations", 2, l->y);
    SelectLargeFont(*l, 4);
    // The gamma and axis text would overprint the bold title: it takes a line of its own.
    l->y += l->rowHeight;
    std::string axis = "Axis " + Number(e.closestSeparation / 3600.0, 3) + "\xB0)";
    DrawEclipseText(l->large ? "(Gamma " + Number(c.gamma + 0.0005, 3) + ", " + axis : "(" + axis, 2 + ScaleX(5), l->y);
    // The shadow radii are in Earth radii at the Moon's distance: times the
    // Moon's parallax they are the angles the shadow diagram shows.
    const double parallax = MoonParallaxDeg(e);
    l->y += l->rowHeight;
    DrawEclipseText("Penumbral Magnitude", 2 + ScaleX(5), l->y);
    DrawEclipseText(Number(c.penumbralMagnitude + 0.005, 2), 2 + ScaleX(115), l->y);
    DrawEclipseText("Radius", 2 + ScaleX(155), l->y);
    DrawEclipseText(Number(c.penumbraRadius * parallax, 3) + "\xB0", 2 + ScaleX(195), l->y);
    l->y += l->rowHeight;
    DrawEclipseText("Umbral Magnitude", 2 + ScaleX(5), l->y);
    DrawEclipseText(c.umbralMagnitude < 0 ? "-" : Number(c.umbralMagnitude + 0.005, 2), 2 + ScaleX(115), l->y);
    DrawEclipseText("Radius", 2 + ScaleX(155), l->y);
    DrawEclipseText(Number(c.umbraRadius * parallax, 3) + "\xB0", 2 + ScaleX(195), l->y);
}

// One row of the full table: the Moon's altitude (and azimuth) at the
// instant y, mo, d, h, mi (universal time) for the place at longitude (west)
// and latitude, whatever the site's zone, rounded to the whole degree.
void DrawContactRow(const char* label, const char* code, int y, int mo, int d, int h, int mi, const InfoLayout& l,
                    double longitude, double latitude) {
    const int x0 = 2 + ScaleX(5);
    DrawEclipseText(label, x0, l.y);
    DrawEclipseText(code, x0 + ScaleX(80), l.y);
    DrawEclipseText(UtText(h, mi), x0 + l.nudge + ScaleX(110), l.y);
    double ra = 0, dec = 0;
    ComputeMoonPositionUT(&ra, &dec, y, mo, d, h, mi, 0);
    double lst = GetLocalSiderealTime(y, mo, d, h, mi, 0, longitude, 0);
    char text[16];
    std::snprintf(text, sizeof text, "%d\xB0", WholeDegrees(ComputeAltitude(lst, ra, dec, latitude)));
    DrawEclipseText(text, x0 + 3 * l.nudge + ScaleX(160), l.y);
    if (!l.large) return;
    std::snprintf(text, sizeof text, "%d\xB0", WholeAzimuth(ComputeAzimuth(lst, ra, dec, latitude)));
    DrawEclipseText(text, x0 + l.nudge + ScaleX(190), l.y);
}

void DrawFullTable(const EclipseEvent& e, const LunarEclipseContacts& c, InfoLayout* l, double longitude,
                   double latitude) {
    // "Alt" and "Azt" head their columns; no "Axis" header, which had no column below it.
    DrawEclipseText("Alt", 2 + 3 * l->nudge + ScaleX(165), l->y);
    if (l->large) DrawEclipseText("Azt", 2 + ScaleX(195), l->y);
    SelectLargeFont(*l, 4);
    const struct {
        const char* label;
        const char* code;
        double time;
        bool shown;
    } rows[] = {{"Penumbra Start", ": P1=", c.p1, true}, {"Umbra Start", ": U1=", c.u1, c.u1 > 0},
                {"Total start", ": U2=", c.u2, c.u2 > 0}, {"Greatest", " ", GreatestJulianDay(e), true},
                {"Total End", ": U3=", c.u3, c.u3 > 0},     {"Umbra End", ": U4=", c.u4, c.u1 > 0},
                {"Penumbra End", ": P4=", c.p4, true}};
    for (const auto& r : rows) {
        if (!r.shown) continue;
        l->y += l->rowHeight;
        int y, mo, d, h, mi;
        ContactText(r.time, &y, &mo, &d, &h, &mi);
        DrawContactRow(r.label, r.code, y, mo, d, h, mi, *l, longitude, latitude);
    }
}

void DrawCompactTable(const EclipseEvent& e, const LunarEclipseContacts& c, InfoLayout* l) {
    int y, mo, d, h, mi;
    DrawEclipseText("(Greatest at " + ContactText(GreatestJulianDay(e), &y, &mo, &d, &h, &mi) + ")",
                    2 + l->nudge + ScaleX(160), l->y);
    const struct {
        const char* label;
        const char* first;
        double from;
        const char* second;
        double to;
        bool shown;
    } rows[] = {{"Penumbra", ": P1=", c.p1, " P4=", c.p4, true},
                {"Umbra", ": U1=", c.u1, " U4=", c.u4, c.u1 > 0},
                {"Total", ": U2=", c.u2, " U3=", c.u3, c.u2 > 0}};
    const int x0 = 2 + ScaleX(5);
    for (const auto& r : rows) {
        if (!r.shown) continue;
        l->y += l->rowHeight;
        DrawEclipseText(r.label, x0, l->y);
        DrawEclipseText(r.first, x0 + ScaleX(60), l->y);
        DrawEclipseText(ContactText(r.from, &y, &mo, &d, &h, &mi), x0 + l->nudge + ScaleX(90), l->y);
        DrawEclipseText(r.second, x0 + ScaleX(150), l->y);
        DrawEclipseText(ContactText(r.to, &y, &mo, &d, &h, &mi), x0 + l->nudge + ScaleX(190), l->y);
    }
}

void SetInfoFields(int hour, int minute, int second, double longitude, double latitude) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", ClockHour(hour), minute, second);
    SetField(2712, text);
    SetLocationFields(longitude, latitude);
}

}  // namespace

void DrawLunarEclipseInfo(const EclipseEvent* list, int index, int width, int height, int hour, int minute,
                          int second, double longitude, double latitude) {
    const EclipseEvent& e = list[index];
    const float savedLongitude = currentSite.longitude, savedLatitude = currentSite.latitude;
    const int16_t savedZone = currentSite.zoneMinutes;
    SetObserverSite(longitude, latitude, 0);
    InfoLayout l{GetScreenScale() >= 2, ScaleY(13) + (GetScreenScale() == 1 ? 1 : 0), GetScreenScale() >= 2 ? 4 : 5,
                 ScaleY(68)};
    EraseRectangle({0, ScaleY(68), width, height - ScaleY(90)});
    UseSchemeTextColours();
    const double deltaT = ComputeDeltaT(e.year, e.month, e.day);
    char text[48];
    std::snprintf(text, sizeof text, "(UT-ET=%d.%03ds)", static_cast<int>(deltaT),
                  static_cast<int>((deltaT - static_cast<int>(deltaT)) * 1000));
    DrawEclipseText(text, 2, l.y);
    SetInfoFields(hour, minute, second, longitude, latitude);
    LunarEclipseContacts c;
    ComputeLunarEclipseContacts(e, &c);
    if (l.large) DrawCurrentPositions(e, &l, hour, minute, second);
    DrawEclipseInformation(e, c, &l);
    NextSection(&l);
    SelectLargeFont(l, 5);
    DrawEclipseText("Local Circumstances of Eclipse", 2, l.y);
    if (height > ScaleY(240)) DrawFullTable(e, c, &l, longitude, latitude);
    else DrawCompactTable(e, c, &l);
    SetObserverSite(savedLongitude, savedLatitude, savedZone);
    SelectFont(0);
}
