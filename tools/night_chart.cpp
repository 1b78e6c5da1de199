#include "tools/night_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "assistants/planet_assistant.h"
#include "assistants/planet_charts_view.h"
#include "catalog/object_lookup.h"
#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
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
constexpr double kDegToRad = 0.017453292519943295, kRadToDeg = 57.29577951308232;
constexpr double kSiderealPerSolar = 1.00273790935;  // sidereal hours per hour of mean solar time
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
// A text without its background box (the legend's, over the bands).
void ClearText(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

int Row(const NightChartGeometry& g, double y) { return static_cast<int>(g.top + y); }

// A place seen from the site through a column, its right ascension and
// declination moving linearly: its hour angle (degrees) at the column's start
// and its rate per hour, the sine and cosine of its declination at the start
// and the declination's rate (radians per hour).
struct ColumnSky {
    double hourAngle = 0.0, hourAngleRate = 0.0;
    double sinDec = 0.0, cosDec = 1.0, decRate = 0.0;
};

// The place going from (ra0, dec0) at the column's start to (ra1, dec1) at
// its end, 24 hours later (hours, degrees), seen through the column of a date
// on a clock `zone` minutes ahead of UT.
ColumnSky SkyOfColumn(int year, int month, int day, int zone, double ra0, double dec0, double ra1, double dec1) {
    if (ra1 < ra0 - 12) ra1 += 24;
    if (ra1 > ra0 + 12) ra1 -= 24;
    const double raRate = (ra1 - ra0) / 24.0, decRate = (dec1 - dec0) / 24.0;
    const double sidereal = GetLocalSiderealTime(year, month, day, 13, 0, 0, currentSite.longitude, zone);
    ColumnSky sky;
    sky.hourAngle = 15.0 * (sidereal - ra0);
    sky.hourAngle -= 360.0 * std::floor(sky.hourAngle / 360.0);
    sky.hourAngleRate = 15.0 * (kSiderealPerSolar - raRate);
    const double dec = dec0 * kDegToRad;
    sky.sinDec = std::sin(dec), sky.cosDec = std::cos(dec);
    sky.decRate = decRate * kDegToRad;
    return sky;
}

// Sine and cosine of the declination t hours after the column's start, to the
// second order in its change (a Sun's 0.4 degree a day leaves 1e-7).
void SinCosDecAt(const ColumnSky& sky, double t, double* sinDec, double* cosDec) {
    const double e = sky.decRate * t, half = e * e / 2;
    *sinDec = sky.sinDec * (1 - half) + sky.cosDec * e;
    *cosDec = sky.cosDec * (1 - half) - sky.sinDec * e;
}

// Sine of the geometric altitude t hours after the column's start.
double SinAltitudeAt(const ColumnSky& sky, double t) {
    double sinDec = 0.0, cosDec = 0.0;
    SinCosDecAt(sky, t, &sinDec, &cosDec);
    const double h = (sky.hourAngle + sky.hourAngleRate * t) * kDegToRad;
    return currentSite.sinLatitude * sinDec + currentSite.cosLatitude * cosDec * std::cos(h);
}

// The column cut where the place culminates (its hour angle a multiple of 180
// degrees), so that its altitude falls or rises all through each piece: the
// hours from the start (0, the culminations, 24) and the altitude's sine there.
struct ColumnCuts {
    int count = 0;
    double t[kMaxNightCrossings + 2] = {}, sinAltitude[kMaxNightCrossings + 2] = {};
    int half[kMaxNightCrossings + 2] = {};  // the hour angle's half turns at each cut: even at an upper culmination
};

void Cut(ColumnCuts* cuts, const ColumnSky& sky, double t, int half) {
    cuts->t[cuts->count] = t;
    cuts->sinAltitude[cuts->count] = SinAltitudeAt(sky, t);
    cuts->half[cuts->count++] = half;
}

ColumnCuts CutsOf(const ColumnSky& sky) {
    ColumnCuts cuts;
    Cut(&cuts, sky, 0.0, -1);
    for (int n = static_cast<int>(std::ceil(sky.hourAngle / 180.0)); cuts.count < kMaxNightCrossings + 1; ++n) {
        const double t = (180.0 * n - sky.hourAngle) / sky.hourAngleRate;
        if (t >= 24.0) break;
        Cut(&cuts, sky, t, n);
    }
    Cut(&cuts, sky, 24.0, -1);
    return cuts;
}

// The hour (from the column's start) in piece k of the cuts at which the
// altitude's sine passes s: the hour angle of that altitude at the place's
// declination of the moment, a few times over, or, where that does not settle
// (a graze, the pole), the piece halved down to it.
double CrossingIn(const ColumnSky& sky, const ColumnCuts& cuts, int k, double s) {
    double a = cuts.t[k], b = cuts.t[k + 1];
    const int half = static_cast<int>(std::floor((sky.hourAngle + sky.hourAngleRate * (a + b) / 2) / 180.0));
    double t = (a + b) / 2;
    for (int i = 0; i < 4; ++i) {
        double sinDec = 0.0, cosDec = 0.0;
        SinCosDecAt(sky, t, &sinDec, &cosDec);
        const double c = (s - currentSite.sinLatitude * sinDec) / (currentSite.cosLatitude * cosDec);
        if (!(std::fabs(c) <= 1.0)) break;
        const double arc = std::acos(c) * kRadToDeg;
        const double hourAngle = half % 2 == 0 ? 180.0 * half + arc : 180.0 * (half + 1) - arc;
        const double next = (hourAngle - sky.hourAngle) / sky.hourAngleRate;
        if (next < a - 1e-6 || next > b + 1e-6) break;
        if (std::fabs(next - t) < 1e-4) return next;
        t = next;
    }
    const bool fallingBelow = cuts.sinAltitude[k] >= s;
    for (int i = 0; i < 24; ++i) {
        t = (a + b) / 2;
        if ((SinAltitudeAt(sky, t) < s) == fallingBelow) {
            b = t;
        } else {
            a = t;
        }
    }
    return (a + b) / 2;
}

// Every passage of the altitude whose sine is s in the column.
NightBandCrossing CrossingsOf(const ColumnSky& sky, const ColumnCuts& cuts, double s) {
    NightBandCrossing c;
    c.belowAtStart = cuts.sinAltitude[0] < s;
    for (int k = 0; k + 1 < cuts.count && c.count < kMaxNightCrossings; ++k)
        if ((cuts.sinAltitude[k] < s) != (cuts.sinAltitude[k + 1] < s))
            c.hour[c.count++] = kNightColumnStart + CrossingIn(sky, cuts, k, s);
    return c;
}

// The Sun's place at a universal date and time; the last one is kept, since
// one column's end is the next column's start.
void SunPlaceAt(const DateTime& universal, double* ra, double* dec) {
    static DateTime last{-1, 0, 0, 0, 0, 0};
    static double lastRa = 0.0, lastDec = 0.0;
    const DateTime& u = universal;
    if (!(u.year == last.year && u.month == last.month && u.day == last.day && u.hour == last.hour &&
          u.minute == last.minute && u.second == last.second)) {
        const DateTime local = LocalFromUniversal(u, currentSite.zoneMinutes);
        ComputeSunPosition(&lastRa, &lastDec, local.year, local.month, local.day, local.hour, local.minute,
                           local.second);
        last = u;
    }
    *ra = lastRa, *dec = lastDec;
}

// An object's place at the start of a chart day's column (13 h of its date on the chart's clock).
struct ObjectDay {
    int index = -1;
    int placed = kNoPlaceThatDay;
    double ra = 0.0, dec = 0.0;
};

// The chart's object, day by day, each day's place taken once.
struct ChartObject {
    int kind, index, planet;
    float ra, dec;
    bool on;  // cleared by a record that cannot be read
    ObjectDay next;
};

// The place at the start of day i's column (date y, m, d on a clock `zone`
// minutes ahead of UT), taken from the one kept for it as the day before's
// next day when there is one.
ObjectDay PlaceOn(ChartObject* o, int i, int y, int m, int d, int zone) {
    if (o->next.index == i) return o->next;
    ObjectDay day;
    day.index = i;
    const DateTime start = UniversalFromLocal(DateTime{y, m, d, 13, 0, 0}, zone);
    const DateTime t = LocalFromUniversal(start, currentSite.zoneMinutes);
    day.placed = NightChartObjectPlace(o->kind, o->index, o->ra, o->dec, o->planet, t.year, t.month, t.day, t.hour,
                                       t.minute, &day.ra, &day.dec);
    if (day.placed == kNoObjectRecord) o->on = false;
    return day;
}

// The Sun's bands and the object's dots of one day, in each of its columns.
struct DayColumns {
    int pieces[kNightBandCount] = {};
    double y1[kNightBandCount][2] = {}, y2[kNightBandCount][2] = {};
    NightObjectEvents object;
};

DayColumns ComputeDay(const NightChartGeometry& g, int i, int y, int m, int d, int zone, ChartObject* o) {
    DayColumns day;
    NightBandCrossing bands[kNightBandCount];
    NightBandCrossings(y, m, d, zone, bands);
    for (int b = 0; b < kNightBandCount; ++b)
        day.pieces[b] = NightBandRows(bands[b], g.hourPixels, day.y1[b], day.y2[b]);
    if (!o->on) return day;
    // The object's places at both ends of the column, the end kept as the next day's start.
    const ObjectDay today = PlaceOn(o, i, y, m, d, zone);
    int ny = y, nm = m, nd = d;
    AddDaysToDate(&ny, &nm, &nd, 1);
    if (o->on) o->next = PlaceOn(o, i + 1, ny, nm, nd, zone);
    if (!o->on || today.placed != kObjectPlaced || o->next.placed != kObjectPlaced) return day;
    NightObjectEventsOf(y, m, d, zone, today.ra, today.dec, o->next.ra, o->next.dec, &day.object);
    return day;
}

void DrawDots(const NightChartGeometry& g, int x, const NightObjectEvents& e, int kind, pl::ColorRef colour) {
    if (e.count[kind] > 0) SetForeColor(colour);
    for (int k = 0; k < e.count[kind]; ++k) {
        double y = 0.0;
        if (NightEventRow(e.hour[kind][k], g.hourPixels, &y)) DrawPixel(x, Row(g, y));
    }
}

// The rows [from, to) of a column less the rows of the band drawn over it
// (pieces in order), so that each pixel is written once.
void DrawBandRows(const NightChartGeometry& g, int x, int from, int to, const DayColumns& day, int over) {
    for (int k = 0; over < kNightBandCount && k < day.pieces[over] && from < to; ++k) {
        const int end = std::min(to, Row(g, day.y1[over][k]));
        if (end > from) DrawLine(x, from, x, end);
        from = std::max(from, Row(g, day.y2[over][k]));
    }
    if (from < to) DrawLine(x, from, x, to);
}

void DrawColumn(const NightChartGeometry& g, const DayColumns& day, int x) {
    for (int b = 0; b < kNightBandCount; ++b) {
        if (day.pieces[b] > 0) SetForeColor(BandColour(b));
        for (int k = 0; k < day.pieces[b]; ++k)
            DrawBandRows(g, x, Row(g, day.y1[b][k]), Row(g, day.y2[b][k]), day, b + 1);
    }
    DrawDots(g, x, day.object, kNightSet, kSetColour);
    DrawDots(g, x, day.object, kNightRise, kRiseColour);
    DrawDots(g, x, day.object, kNightTransit, kTransitColour);
}

void DrawDays(const NightChartGeometry& g, int kind, int index, float ra, float dec, int planet, int year,
              int month, int timeBase) {
    int lastColumn = -1;
    ChartObject object{kind, index, planet, ra, dec, ra >= 0, ObjectDay{}};
    daysDrawn = 0;
    const int zone = NightChartZoneMinutes(timeBase);
    int y = 0, m = 0, d = 0;
    NightChartDate(year, month, 0, &y, &m, &d);
    for (int i = 0; i < g.days; ++i, AddDaysToDate(&y, &m, &d, 1)) {
        if (IsArrowKeyDown()) break;
        const float at = static_cast<float>(i) * g.dayPixels;
        if (static_cast<int>(at + 0.5f) > lastColumn) {
            const int end = static_cast<int>(at);
            if (end > lastColumn) {
                const DayColumns day = ComputeDay(g, i, y, m, d, zone, &object);
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

// The legend lies over the chart's last two hours and the object's name over
// its first, where the bands may run: their texts are drawn without a
// background box, so that the band edges under them still show between the
// letters; in night mode they keep their black box, as the dim red letters
// would be lost on the dark red bands.
void DrawLegend(const NightChartGeometry& g, const char* name, bool object, int width) {
    SetTextTransparent(!Night());
    const int swatch = Row(g, 35 * g.hourPixels) - 2;
    const int textX = g.margin + ScaleX(1), textY = swatch - ScaleY(4);
    Swatch(ScaleX(1), swatch, BandColour(0));
    ClearText("Sun Set", textX, textY);
    if (object) {
        const int nameX = width / 2 - ScaleX(10) - CharsWidth(name, static_cast<int>(std::strlen(name))) / 2;
        ClearText(name, nameX, ScaleY(24) + ScaleY(2));
        const int line = swatch + ScaleY(2);
        LegendLine(ScaleX(70), ScaleX(90), line, kTransitColour);
        ClearText("Transit", ScaleX(92), textY);
        LegendLine(ScaleX(140), ScaleX(160), line, kSetColour);
        ClearText("Set", ScaleX(162), textY);
        LegendLine(ScaleX(140), ScaleX(160), line + ScaleY(12), kRiseColour);
        ClearText("Rise", ScaleX(162), textY + ScaleY(12));
    }
    const int second = swatch + ScaleY(6) + static_cast<int>(g.hourPixels);
    Swatch(ScaleX(1), second, BandColour(1));
    ClearText("Twilight", textX, second - ScaleY(4));
    Swatch(ScaleX(70), second, BandColour(2));
    ClearText("Night", ScaleX(92), second - ScaleY(4));
    SetTextTransparent(false);
}

}  // namespace

void NightBandCrossings(int year, int month, int day, int zone, NightBandCrossing bands[kNightBandCount]) {
    static const double kSines[kNightBandCount] = {std::sin(kNightBandAltitude[0] * kDegToRad),
                                                   std::sin(kNightBandAltitude[1] * kDegToRad),
                                                   std::sin(kNightBandAltitude[2] * kDegToRad)};
    DateTime start = UniversalFromLocal(DateTime{year, month, day, 13, 0, 0}, zone), end = start;
    AddDaysToDate(&end.year, &end.month, &end.day, 1);
    double ra0 = 0.0, dec0 = 0.0, ra1 = 0.0, dec1 = 0.0;
    SunPlaceAt(start, &ra0, &dec0);
    SunPlaceAt(end, &ra1, &dec1);
    const ColumnSky sky = SkyOfColumn(year, month, day, zone, ra0, dec0, ra1, dec1);
    const ColumnCuts cuts = CutsOf(sky);
    for (int b = 0; b < kNightBandCount; ++b) bands[b] = CrossingsOf(sky, cuts, kSines[b]);
}

int NightBandRows(const NightBandCrossing& band, double p, double y1[2], double y2[2]) {
    int pieces = 0;
    bool below = band.belowAtStart;
    double from = kNightColumnStart;
    auto piece = [&](double to) {
        if (to > from && pieces < 2) y1[pieces] = from * p, y2[pieces++] = to * p;
    };
    for (int k = 0; k < band.count; ++k, below = !below) {
        if (below) piece(band.hour[k]);
        from = band.hour[k];
    }
    if (below) piece(kNightColumnEnd);
    return pieces;
}

void NightObjectEventsOf(int year, int month, int day, int zone, double ra0, double dec0, double ra1, double dec1,
                         NightObjectEvents* events) {
    const ColumnSky sky = SkyOfColumn(year, month, day, zone, ra0, dec0, ra1, dec1);
    const ColumnCuts cuts = CutsOf(sky);
    const double s = FixedRiseSetHorizonSine(0.0, currentSite.elevation);  // the fixed-place engine's, at h0 = 0
    const NightBandCrossing c = CrossingsOf(sky, cuts, s);
    NightObjectEvents& e = *events;
    e = NightObjectEvents{};
    for (int k = 0; k < c.count; ++k) {
        const int kind = (c.belowAtStart == (k % 2 == 0)) ? kNightRise : kNightSet;
        e.hour[kind][e.count[kind]++] = c.hour[k];
    }
    for (int k = 1; k + 1 < cuts.count; ++k)
        if (cuts.half[k] % 2 == 0 && cuts.sinAltitude[k] >= s)
            e.hour[kNightTransit][e.count[kNightTransit]++] = kNightColumnStart + cuts.t[k];
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

bool NightEventRow(double t, double p, double* y) {
    if (t < kNightColumnStart || t >= kNightColumnEnd) return false;
    *y = t * p;
    return true;
}

void NightChartDate(int year, int month, int dayIndex, int* outYear, int* outMonth, int* outDay) {
    *outYear = year, *outMonth = month, *outDay = 1;
    AddDaysToDate(outYear, outMonth, outDay, dayIndex - 1);
}

int NightChartObjectPlace(int kind, int index, float ra, float dec, int planet, int year, int month, int day,
                          int hour, int minute, double* outRa, double* outDec) {
    if (planet == kSun) {
        ComputeSunPosition(outRa, outDec, year, month, day, hour, minute, 0);
    } else if (planet == kMoon) {
        ComputeMoonPosition(outRa, outDec, year, month, day, hour, minute, 0);
    } else if (planet >= kFirstPlanet && planet <= kLastPlanet) {
        float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
        ComputeApproxPlanet(year, month, day, hour, minute, view, place, -1, planet, planet);
        *outRa = place[2 * planet], *outDec = place[2 * planet + 1];
    } else if (kind == kGraphCometKind) {
        const DateTime kept = currentDateTime;
        currentDateTime = DateTime{year, month, day, hour, minute, 0};
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
