#include "tools/night_chart.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "assistants/planet_assistant.h"
#include "assistants/planet_charts_view.h"
#include "catalog/object_lookup.h"
#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "tools/twilight_graph.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/input_polling.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kSun = 0, kMoon = 1, kFirstPlanet = 2, kLastPlanet = 9;
constexpr char kMonthInitials[12] = {'J', 'F', 'M', 'A', 'M', 'J', 'J', 'A', 'S', 'O', 'N', 'D'};

int daysDrawn = 0;

pl::ColorRef Rgb(int r, int g, int b) { return static_cast<pl::ColorRef>(r | (g << 8) | (b << 16)); }
bool Night() { return GetNightMode() != 0; }

pl::ColorRef Background() { return Night() ? Rgb(0, 0, 0) : Rgb(102, 102, 153); }
pl::ColorRef GridColour() { return Night() ? Rgb(60, 0, 0) : Rgb(60, 60, 102); }
pl::ColorRef LabelColour() { return Night() ? GetForegroundColor() : Rgb(220, 200, 40); }
pl::ColorRef LabelBackground() { return Night() ? Rgb(0, 0, 0) : Background(); }

pl::ColorRef BandColour(int band) {
    static constexpr int kDay[kNightBandCount][3] = {{51, 102, 204}, {0, 0, 102}, {0, 0, 0}};
    static constexpr int kNight[kNightBandCount][3] = {{90, 0, 0}, {65, 0, 0}, {0, 0, 0}};
    const int(&c)[3] = Night() ? kNight[band] : kDay[band];
    return Rgb(c[0], c[1], c[2]);
}

const pl::ColorRef kSetColour = Rgb(150, 255, 0);
const pl::ColorRef kRiseColour = Rgb(255, 255, 0);
const pl::ColorRef kTransitColour = Rgb(255, 0, 0);

void Text(const char* text, int x, int y) { DrawChars(text, static_cast<int>(std::strlen(text)), x, y); }

int Row(const NightChartGeometry& g, double y) { return static_cast<int>(g.top + y); }

// The Sun's bands and the object's dots of one day, in each of its columns.
struct DayColumns {
    bool band[kNightBandCount] = {};
    double y1[kNightBandCount] = {}, y2[kNightBandCount] = {};
    bool object = false;  // up on some hour of the day: its transit, and its rise and set where it has them
    unsigned events = 0;  // RiseSetEvent bits of rise and set
    double rise = 0.0, transit = 0.0, set = 0.0;
};

// The object's dots are computed while *object is set; a record that cannot be read clears it.
DayColumns ComputeDay(const NightChartGeometry& g, int year, int month, int i, int zone, int kind, int index,
                      float ra, float dec, int planet, bool* object) {
    DayColumns day;
    int y = 0, m = 0, d = 0;
    NightChartDate(year, month, i, &y, &m, &d);
    const SiteRecord& s = currentSite;
    double rise[kNightBandCount] = {}, set[kNightBandCount] = {};
    unsigned events[kNightBandCount] = {};
    NightBandCrossings(y, m, d, zone, rise, set, events);
    for (int b = 0; b < kNightBandCount; ++b)
        day.band[b] = NightBandRows(rise[b], set[b], events[b], g.hourPixels, &day.y1[b], &day.y2[b]);
    if (!*object) return day;
    double objectRa = 0.0, objectDec = 0.0;
    const int placed = NightChartObjectPlace(kind, index, ra, dec, planet, y, m, d, &objectRa, &objectDec);
    *object = placed != kNoObjectRecord;
    if (placed != kObjectPlaced) return day;
    ComputeRiseTransitSetFixed(y, m, d, s.latitude, s.longitude, zone, s.elevation, 0.0, objectRa, objectDec,
                               &day.rise, &day.transit, &day.set, &day.events);
    day.object = (day.events & kRiseSetNeverUp) == 0;
    return day;
}

void DrawDot(const NightChartGeometry& g, int x, double t, pl::ColorRef colour) {
    double y = 0.0;
    if (!NightEventRow(t, g.hourPixels, &y)) return;
    SetForeColor(colour);
    DrawPixel(x, Row(g, y));
}

void DrawColumn(const NightChartGeometry& g, const DayColumns& day, int x) {
    for (int b = 0; b < kNightBandCount; ++b) {
        if (!day.band[b]) continue;
        SetForeColor(BandColour(b));
        DrawLine(x, Row(g, day.y1[b]), x, Row(g, day.y2[b]));
    }
    if (!day.object) return;
    if (day.events & kRiseSetSets) DrawDot(g, x, day.set, kSetColour);
    if (day.events & kRiseSetRises) DrawDot(g, x, day.rise, kRiseColour);
    DrawDot(g, x, day.transit, kTransitColour);
}

void DrawDays(const NightChartGeometry& g, int kind, int index, float ra, float dec, int planet, int year,
              int month, int timeBase) {
    int lastColumn = -1;
    bool object = ra >= 0;
    daysDrawn = 0;
    const int zone = NightChartZoneMinutes(timeBase);
    for (int i = 0; i < g.days; ++i) {
        if (IsArrowKeyDown()) break;
        const float at = static_cast<float>(i) * g.dayPixels;
        if (static_cast<int>(at + 0.5f) > lastColumn) {
            const int end = static_cast<int>(at);
            if (end > lastColumn) {
                const DayColumns day = ComputeDay(g, year, month, i, zone, kind, index, ra, dec, planet, &object);
                for (int x = lastColumn + 1; x <= end; ++x) DrawColumn(g, day, x + g.margin);
                lastColumn = end;
            }
        }
        daysDrawn = i + 1;
    }
}

void DrawGrid(const NightChartGeometry& g, int width) {
    char text[8];
    for (int h = 14; h <= 34; h += 2) {
        const int y = Row(g, h * g.hourPixels);
        SetForeColor(GridColour());
        DrawLine(g.margin, y, width, y);
        std::snprintf(text, sizeof text, "%dh", h % 24);
        Text(text, 1, y - ScaleY(h < 24 ? 5 : 6));
    }
}

// An initial every 30 days at midnight; one that the screen's edge would cut is left out.
void DrawMonthInitials(const NightChartGeometry& g, int month, int width) {
    const int y = Row(g, 24 * g.hourPixels) - ScaleY(6);
    for (int i = 0; i < g.days; i += 30) {
        const char initial[2] = {kMonthInitials[(i / 30 + month - 1 + 1200) % 12], '\0'};
        const int x = static_cast<int>(static_cast<float>(i) * g.dayPixels) + g.margin;
        if (x + CharsWidth(initial, 1) <= width) Text(initial, x, y);
    }
}

void Swatch(int x, int y, pl::ColorRef colour) {
    SetForeColor(colour);
    FillRectangle(XywhRect{x, y, ScaleX(13), ScaleY(8)}, 0);
}

void LegendLine(int x1, int x2, int y, pl::ColorRef colour) {
    SetForeColor(colour);
    DrawLine(x1, y, x2, y);
}

void DrawLegend(const NightChartGeometry& g, const char* name, bool object, int width) {
    const int swatch = Row(g, 35 * g.hourPixels) - 2;
    const int textX = g.margin + ScaleX(1), textY = swatch - ScaleY(4);
    Swatch(ScaleX(1), swatch, BandColour(0));
    Text("Sun Set", textX, textY);
    if (object) {
        const int nameX = width / 2 - ScaleX(10) - CharsWidth(name, static_cast<int>(std::strlen(name))) / 2;
        Text(name, nameX, ScaleY(24) + ScaleY(2));
        const int line = swatch + ScaleY(2);
        LegendLine(ScaleX(70), ScaleX(90), line, kTransitColour);
        Text("Transit", ScaleX(92), textY);
        LegendLine(ScaleX(140), ScaleX(160), line, kSetColour);
        Text("Set", ScaleX(162), textY);
        LegendLine(ScaleX(140), ScaleX(160), line + ScaleY(12), kRiseColour);
        Text("Rise", ScaleX(162), textY + ScaleY(12));
    }
    const int second = swatch + ScaleY(6) + static_cast<int>(g.hourPixels);
    Swatch(ScaleX(1), second, BandColour(1));
    Text("Twilight", textX, second - ScaleY(4));
    Swatch(ScaleX(70), second, BandColour(2));
    Text("Night", ScaleX(92), second - ScaleY(4));
}

}  // namespace

void NightBandCrossings(int year, int month, int day, int zone, double rise[kNightBandCount],
                        double set[kNightBandCount], unsigned events[kNightBandCount]) {
    const SiteRecord& s = currentSite;
    // The Sun at 12:00 of the chart's clock (the site's clock runs s.zoneMinutes - zone
    // minutes ahead of it), so that the bands depend on the time base alone.
    double sunRa = 0.0, sunDec = 0.0, transit = 0.0;
    ComputeSunPosition(&sunRa, &sunDec, year, month, day, 12, s.zoneMinutes - zone, 0);
    for (int b = 0; b < kNightBandCount; ++b)
        ComputeFixedAltitudeCrossings(year, month, day, s.longitude, zone, kNightBandAltitude[b], sunRa, sunDec,
                                      &rise[b], &transit, &set[b], &events[b]);
}

NightChartGeometry NightChartGeometryFor(int width, int height) {
    NightChartGeometry g{};
    g.hourPixels = static_cast<float>(height - ScaleY(22) - ScaleY(24)) / 24.0f;
    g.top = ScaleY(24) - 13 * g.hourPixels;
    g.margin = ScaleX(20);
    g.days = width > ScaleX(240) ? 720 : 380;
    g.dayPixels = static_cast<float>(width - ScaleX(8)) / static_cast<float>(g.days);
    return g;
}

int NightChartZoneMinutes(int timeBase) {
    const SiteRecord& s = currentSite;
    if (timeBase == 2) return 0;
    if (timeBase == 1) return s.zoneMinutes;
    return s.zoneMinutes - (s.daylightSaving ? 60 : 0);
}

bool NightBandRows(double rise, double set, unsigned events, double p, double* y1, double* y2) {
    if (events & kRiseSetAlwaysUp) return false;
    if (events & kRiseSetNeverUp) {
        *y1 = 14 * p, *y2 = 34 * p;
        return true;
    }
    *y1 = set * p;
    if (*y1 < 14 * p) *y1 = *y1 <= 10 * p ? 24 * p + *y1 : 14 * p;
    *y2 = (rise + 24) * p;
    if (*y2 > 34 * p) *y2 = *y2 >= 38 * p && set >= rise ? *y2 - 24 * p : 34 * p;
    return true;
}

bool NightEventRow(double t, double p, double* y) {
    if (t >= 14) {
        *y = t * p;
        return true;
    }
    if (t <= 10) {
        *y = (t + 24) * p;
        return true;
    }
    return false;
}

void NightChartDate(int year, int month, int dayIndex, int* outYear, int* outMonth, int* outDay) {
    *outYear = year, *outMonth = month, *outDay = 1;
    AddDaysToDate(outYear, outMonth, outDay, dayIndex - 1);
}

int NightChartObjectPlace(int kind, int index, float ra, float dec, int planet, int year, int month, int day,
                          double* outRa, double* outDec) {
    if (planet == kSun) {
        ComputeSunPosition(outRa, outDec, year, month, day, 0, 0, 0);
    } else if (planet == kMoon) {
        ComputeMoonPosition(outRa, outDec, year, month, day, 0, 0, 0);
    } else if (planet >= kFirstPlanet && planet <= kLastPlanet) {
        float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
        ComputeApproxPlanet(year, month, day, 0, 0, view, place, -1, planet, planet);
        *outRa = place[2 * planet], *outDec = place[2 * planet + 1];
    } else if (kind == kGraphCometKind) {
        const DateTime kept = currentDateTime;
        currentDateTime = DateTime{year, month, day, 0, 0, 0};
        ObjectRecord record{};
        const bool found = GetObjectByKind(kGraphCometKind, index, &record, nullptr, 0, nullptr, 0, 1, nullptr);
        currentDateTime = kept;
        if (!found) return kNoObjectRecord;
        *outRa = record.rightAscension, *outDec = record.declination;
    } else {
        *outRa = ra, *outDec = dec;
    }
    return std::isfinite(*outRa) && std::isfinite(*outDec) ? kObjectPlaced : kNoPlaceThatDay;
}

void DrawNightChart(const char* name, int kind, int index, float ra, float dec, int planet, int year, int month,
                    int timeBase) {
    ReleaseAssistantBitmap();
    GetScreenSize(&formWidth, &formHeight);
    const NightChartGeometry g = NightChartGeometryFor(formWidth, formHeight);
    chartPixelsPerDay = g.dayPixels;
    chartRect = XywhRect{0, ScaleY(24), formWidth, formHeight - ScaleY(22) - ScaleY(24)};
    chartCursorTop = chartRect.y;
    chartCursorBottom = chartRect.y + chartRect.height - 1;
    SelectFont(4);
    SetForeColor(Background());
    FillRectangle(chartRect, 0);
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(false);
    const pl::ColorRef previousBack = SetBackColor(Background());
    DrawDays(g, kind, index, ra, dec, planet, year, month, timeBase);
    FlushKeyEvents();
    SetBackColor(LabelBackground());
    const pl::ColorRef previousText = SetTextColorRef(LabelColour());
    DrawGrid(g, formWidth);
    DrawMonthInitials(g, month, formWidth);
    DrawLegend(g, name ? name : "", ra >= 0, formWidth);
    SetTextColorRef(previousText);
    SetBackColor(previousBack);
    SetTextTransparent(wasTransparent);
    SelectFont(0);
}

int GetNightChartDaysDrawn() { return daysDrawn; }
