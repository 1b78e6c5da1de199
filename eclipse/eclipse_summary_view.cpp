#include "eclipse/eclipse_summary_view.h"

#include <cmath>
#include <cstdio>

#include "core/angle_text.h"
#include "core/horizontal.h"
#include "core/preferences.h"
#include "core/sidereal_time.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_list.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "platform/color.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/markers.h"
#include "ui/primitives.h"
#include "ui/bitmaps.h"

namespace {

constexpr int kEclipseList = 2704;
constexpr double kDegrees = 57.29577951308232;

void DrawLunarShade(const SubLunarPoint& p, double s, int x0, int y0) {
    pl::ColorRef previous = SetForeColor(GetNightMode() > 0 ? pl::Rgb(153, 0, 0) : pl::Rgb(153, 153, 153));
    const int width = static_cast<int>(240 * s), height = static_cast<int>(120 * s);
    const double k = -std::cos(p.declination / kDegrees) / std::sin(p.declination / kDegrees);
    for (int c = 0; c < width; ++c) {
        double b = std::atan(std::cos((360.0 * c / width + p.hourAngle) / kDegrees) * k) * kDegrees - 90;
        int from = p.declination >= 0 ? y0 + height : y0;
        DrawLine(x0 + c, from, x0 + c, y0 + height + static_cast<int>(b * height / 180));
    }
    SetForeColor(previous);
}

void DrawCross(int x, int y, int half) {
    pl::ColorRef previous = SetForeColor(pl::Rgb(255, 0, 0));
    DrawLine(x - half, y, x + half, y);
    DrawLine(x, y - half, x, y + half);
    SetForeColor(previous);
}

}  // namespace

std::string EclipseSummaryText(const EclipseEvent& e) {
    char text[96];
    int n = std::snprintf(text, sizeof text, "At %02dh%02d'%02dUT ", e.hour, e.minute, e.second);
    const int v = e.closestSeparation, d = e.durationSeconds;
    if (e.type != 0 && static_cast<int>(e.kind) == 2)
        std::snprintf(text + n, sizeof text - n, "No Central Line (%02d'%02d)", v / 60, v % 60);
    else if (d >= 3600) {
        const ClockFields h = SplitRoundedTime(d, 60);
        std::snprintf(text + n, sizeof text - n, "duration %02dh%02dm(%02d'%02d)", h.hours, h.minutes, v / 60, v % 60);
    } else
        std::snprintf(text + n, sizeof text - n, "duration %02dm%02ds(%02d'%02d)", d / 60, d % 60, v / 60, v % 60);
    return text;
}

SubLunarPoint ComputeSubLunarPoint(const EclipseEvent& e) {
    double ra = 0, dec = 0;
    ComputeMoonPositionUT(&ra, &dec, e.year, e.month, e.day, e.hour, e.minute, e.second);
    double gst = GetLocalSiderealTime(e.year, e.month, e.day, e.hour, e.minute, e.second, 0.0, 0);
    double g = 15 * NormalizeHours(gst - ra);
    double l = 180 - g;
    if (l < 0) l += 360;
    return {dec, 180 - l, g, dec};
}

void DrawEclipseSummary(const EclipseEvent* events, int index, double* latitude, double* longitude, int width,
                        int height) {
    const EclipseEvent& e = events[index];
    const double s = displayScale.scaleX;
    const int top = static_cast<int>((148 + 320 * s - height) * s);
    EraseRectangle({0, top, width, height - top});
    UseSchemeTextColours();
    XywhRect list;
    GetControlBounds(GetCurrentFormDialog(), kEclipseList, &list);
    // One pixel below the list: the tops of the tallest glyphs of the small
    // font pass its cell and would fall under the list's frame.
    const int textY = list.y + list.height + 1;
    DrawEclipseText(EclipseSummaryText(e), static_cast<int>(s), textY);
    if (e.type != 0 && static_cast<int>(e.kind) == 2) return;
    const int y0 = textY + static_cast<int>(13 * s), x0 = static_cast<int>(width / 2 - 120 * s + s);
    DrawBitmap(static_cast<int>(s) == 2 ? 6010 : 1221, x0, y0);
    if (e.type != 0) {
        DrawCross(static_cast<int>(width / 2 + s - 120 * s * *longitude / 180),
                  static_cast<int>(y0 + 60 * s - 60 * s * *latitude / 90), static_cast<int>(8 * s));
    } else {
        SubLunarPoint p = ComputeSubLunarPoint(e);
        DrawLunarShade(p, s, x0, y0);
        *latitude = p.latitude;
        *longitude = p.longitude;
        double l = 180 - p.longitude;
        DrawSmallIcon(1, 0, static_cast<int>(x0 + 240 * s * l / 360), static_cast<int>(y0 + 120 * s * (90 - p.latitude) / 180));
    }
    const int y = static_cast<int>(y0 + 121 * s);
    DrawEclipseText("Best place", static_cast<int>(s), y);
    DrawEclipseText(CoordWithHemisphereText(*latitude, 'N', 'S', " "), static_cast<int>(s + 65 * s), y);
    DrawEclipseText(CoordWithHemisphereText(*longitude, 'W', 'E', " "), static_cast<int>(s + 130 * s), y);
}
