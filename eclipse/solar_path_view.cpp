#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/services.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_path.h"
#include "eclipse/solar_eclipse_views.h"
#include "platform/color.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kHalfSecond = 0.0001388888888888889;  // hours
constexpr int kBandStep = 4;                            // degrees of longitude
constexpr int kBandJoinLimit = 100;                     // pixels

// The small map: `width` pixels for 360 degrees of longitude (west positive,
// 180 W at the left edge), `height` for 180 of latitude.
struct SmallMap {
    int width, height;
    int X(double longitude) const {
        return ((static_cast<int>((180 - longitude) * width / 360) % width) + width) % width;
    }
    int Y(double latitude) const { return static_cast<int>((90 - latitude) * height / 180); }
};

// One curve of the band: each point joined to the one before it when they
// lie less than 100 pixels apart in x.
struct BandCurve {
    int x = 0, y = 0;
    bool started = false;
    void Add(int nx, int ny, std::vector<ViewLine>* out) {
        if (started && std::abs(nx - x) < kBandJoinLimit) out->push_back({x, y, nx, ny});
        x = nx, y = ny, started = true;
    }
};

// One line of the three below the map: label, time and the central line's
// point at pointUt.
void AddPathLine(const char* label, int timeX, double ut, double pointUt, const BesselianElements& elements,
                 double deltaT, int x0, int y, int font, std::vector<EclipseViewText>* out) {
    double latitude = 0, longitude = 0, duration = 0, width = 0;
    ComputeCentralLinePoint(elements, pointUt, deltaT, &latitude, &longitude, &duration, &width);
    const ClockFields t = SplitRoundedTime(ut * 3600, 6);  // to the tenth of a minute
    char text[32];
    std::snprintf(text, sizeof text, ": %02dh%02d.%d UT", t.hours, t.minutes, t.seconds / 6);
    out->push_back({label, x0 + ScaleX(1), y, font});
    out->push_back({text, x0 + timeX, y, font});
    out->push_back({CoordWithHemisphereText(longitude, 'W', 'E', ""), x0 + ScaleX(120), y, font});
    out->push_back({CoordWithHemisphereText(latitude, 'N', 'S', ""), x0 + ScaleX(182), y, font});
}

void DrawCross(int x, int y, int half) {
    const pl::ColorRef previous = SetForeColor(pl::Rgb(255, 0, 0));
    DrawLine(x - half, y, x + half, y);
    DrawLine(x, y - half, x, y + half);
    SetForeColor(previous);
}

}  // namespace

DurationMinutes SplitCentralDuration(double centralDuration) {
    const ClockFields d = SplitRoundedTime(std::floor(centralDuration), 1);
    return {d.hours * 60 + d.minutes, d.seconds};
}

std::vector<EclipseViewText> SolarPathLineTexts(const EclipseEvent& e, const BesselianElements& elements,
                                                double deltaT, int x0, int y, int font, int labelWidth) {
    std::vector<EclipseViewText> out;
    double start = 0, end = 0;
    ComputeShadowStartEnd(elements, deltaT, &start, &end);
    const int line = ScaleY(13), column = ScaleX(1) + labelWidth;
    const double greatest = e.hour + e.minute / 60.0 + e.second / 3600.0;
    AddPathLine("Start", std::max(ScaleX(36), column), start, start + kHalfSecond, elements, deltaT, x0, y, font, &out);
    AddPathLine("Greatest", std::max(ScaleX(36), column), greatest, greatest, elements, deltaT, x0, y + line, font,
                &out);
    AddPathLine("End", std::max(ScaleX(35), column), end, end - kHalfSecond, elements, deltaT, x0, y + 2 * line, font,
                &out);
    return out;
}

std::vector<ViewLine> SolarPathBandLines(const BesselianElements& elements, double deltaT, double startLongitude,
                                         double endLongitude, double pointLatitude, int width, int height) {
    std::vector<ViewLine> out;
    if (!(width > 0 && height > 0) || !std::isfinite(startLongitude) || !std::isfinite(endLongitude)) return out;
    if (startLongitude < endLongitude) {
        if (pointLatitude < -60) startLongitude = 180, endLongitude = -180;
        else endLongitude -= 360;
    }
    const SmallMap map{width, height};
    BandCurve curves[3];
    int first[2] = {0, 0}, last[2] = {0, 0}, x = 0;
    bool any = false;
    for (int l = static_cast<int>(startLongitude); l >= endLongitude; l -= kBandStep) {
        const double south = ComputeLimitLatitude(elements, l, 0, 0, deltaT, -1);
        const double central = ComputeLimitLatitude(elements, l, 0, 1, deltaT, -1);
        const double north = ComputeLimitLatitude(elements, l, 0, 0, deltaT, 1);
        x = map.X(l);
        last[0] = map.Y(south), last[1] = map.Y(north);
        if (!any) {
            first[0] = last[0], first[1] = last[1], any = true;
            out.push_back({x, first[0], x, first[1]});
        }
        curves[0].Add(x, last[0], &out);
        curves[1].Add(x, map.Y(central), &out);
        curves[2].Add(x, last[1], &out);
    }
    if (any) out.push_back({x, last[0], x, last[1]});
    return out;
}

void DrawSolarPathView() {
    const int x0 = (screenWidth - ScaleX(240)) / 2, top = ScaleY(37);
    EraseRectangle({0, ScaleY(24), screenWidth, screenHeight - ScaleY(24) - ScaleY(22)});
    // The scheme's text colours; the band in white on the map by day, the night pen's red at night.
    const pl::ColorRef previousText = SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    const pl::ColorRef previousFore = SetForeColor(GetNightMode() > 0 ? GetForegroundColor() : pl::Rgb(255, 255, 255));
    const bool selected = eclipseList && selectedEclipse >= 0 && selectedEclipse < eclipseCount;
    char date[24] = "";
    if (selected) FormatDate(date, sizeof date, eclipseList[selectedEclipse].day, eclipseList[selectedEclipse].month,
                             eclipseList[selectedEclipse].year);
    DrawEclipseText(std::string("Central Path of ") + date + " Sun Eclipse", x0 + ScaleX(1), ScaleY(24));
    DrawBitmap(displayScale.scaleX == 2 ? 6010 : 1221, x0, top);
    if (!selected) {
        ShowInformation("Please select an eclipse!", "");
        SetTextColorRef(previousText);
        return;
    }
    const EclipseEvent& e = eclipseList[selectedEclipse];
    const int multiplier = GetScreenScale();
    if (multiplier > 1) SelectFont(4);
    const double deltaT = ComputeDeltaT(e.year, e.month, e.day);
    const SmallMap map{120 * multiplier, 60 * multiplier};
    const int line = ScaleY(13), first = top + map.height + ScaleY(2);
    const int font = GetCurrentFontId();
    if (font == 0) SelectFont(2);  // the font DrawLabelText draws font 0's texts in
    const int labelWidth = CharsWidth("Greatest", 8);
    if (font == 0) SelectFont(0);
    DrawEclipseTexts(SolarPathLineTexts(e, besselianElements, deltaT, x0, first, font, labelWidth));
    double start = 0, end = 0;
    ComputeShadowStartEnd(besselianElements, deltaT, &start, &end);
    double latitude = 0, startLongitude = 0, endLongitude = 0, duration = 0, width = 0;
    ComputeCentralLinePoint(besselianElements, start + kHalfSecond, deltaT, &latitude, &startLongitude, &duration, &width);
    ComputeCentralLinePoint(besselianElements, end - kHalfSecond, deltaT, &latitude, &endLongitude, &duration, &width);
    for (const ViewLine& l : SolarPathBandLines(besselianElements, deltaT, startLongitude, endLongitude,
                                                greatestLatitude, map.width, map.height))
        DrawLine(x0 + l.x1, top + l.y1, x0 + l.x2, top + l.y2);
    DrawCross(x0 + map.X(greatestLongitude), top + map.Y(greatestLatitude), 5 * multiplier);
    if (screenHeight > ScaleY(240)) {
        const DurationMinutes d = SplitCentralDuration(CentralDurationAtGreatest(e));
        char text[64];
        std::snprintf(text, sizeof text, "At Greatest time:Central duration: %dm%ds", d.minutes, d.seconds);
        DrawEclipseText(text, x0 + ScaleX(1), first + 3 * line);
    }
    if (multiplier > 1) SelectFont(0);
    SetForeColor(previousFore);
    SetTextColorRef(previousText);
}
