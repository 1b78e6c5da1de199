#include "assistants/planet_table_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "assistants/centered_text.h"
#include "assistants/planet_assistant.h"
#include "catalog/designations.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "core/text_numbers.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "objects/visibility.h"
#include "objects/visibility_view.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/markers.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kRows = 10;  // the Sun .. Pluto
constexpr int kValueFont = 4;
constexpr int kBarFont = 2;

enum ColumnValue { kRa, kDec, kAz, kAlt, kELon, kELat, kCnst, kMag, kDiam, kDist, kPhase, kElon, kRise, kTransit, kSet };

// A column: header, the sample text whose width advances the column edge,
// its value, whether it is drawn only when its edge lies inside the form,
// and how far left of the edge its header is centred (scaleX units).
struct Column {
    const char* header;
    const char* sample;
    ColumnValue value;
    bool fitsOnly;
    int headerLeft;
};

constexpr int kHeaderLeft = 16;
constexpr Column kPositionColumns[] = {
    {"RA", nullptr, kRa, false, kHeaderLeft},       {"Dec", " -00h00", kDec, false, kHeaderLeft},
    {"Az ", " 000h00", kAz, false, kHeaderLeft},    {"Alt ", " -00h00", kAlt, false, kHeaderLeft},
    {"eLon", " 000\xB0" "00", kELon, false, kHeaderLeft}, {"eLat", " -00\xB0" "00", kELat, false, kHeaderLeft},
    {"Cnst", " Www", kCnst, true, kHeaderLeft},
};
constexpr Column kInfoColumns[] = {
    {"RA", nullptr, kRa, false, kHeaderLeft},         {"Dec", " -00h00", kDec, false, kHeaderLeft},
    {"Cnst", " Www", kCnst, false, kHeaderLeft},      {"Mag", "  -00.0", kMag, false, kHeaderLeft},
    {"Diam", " 000.0", kDiam, false, kHeaderLeft},    {"Dist", " 00.0", kDist, false, kHeaderLeft},
    {"Phase", " 100%", kPhase, true, kHeaderLeft},    {"Elon", " 000\xB0", kElon, true, kHeaderLeft},
    {"Rise", "  00h00", kRise, true, kHeaderLeft},    {"Transit", "  00h00", kTransit, true, kHeaderLeft - 4},
    {"Set", " 00h00", kSet, true, kHeaderLeft - 8},
};
constexpr Column kRiseSetColumns[] = {
    {"RA", nullptr, kRa, false, kHeaderLeft},      {"Dec", " -00h00", kDec, false, kHeaderLeft},
    {"Rise", "  00h00", kRise, true, kHeaderLeft}, {"Transit", "  00h00", kTransit, true, kHeaderLeft - 4},
    {"Set", " 00h00", kSet, true, kHeaderLeft - 8},
};

struct TableRow {
    int body = 0;
    BodyPosition p{};
    double rise = 0, transit = 0, set = 0;
    unsigned events = 0;  // RiseSetEvent bits of the day's own rise and set
    bool known = true;  // false: a date the body's theory does not cover; the row shows blanks
};

// What every row needs of the assistant's date.
struct TableContext {
    double siderealTime = 0;  // local, hours
    double julianDay = 0;     // of the date and hour, for the constellations
    bool riseSet = false;     // rising and setting are shown
};

int Width(const char* text) { return CharsWidth(text, static_cast<int>(std::strlen(text))); }

// Text without its last three characters (the seconds of a sexagesimal form).
void CutSeconds(char* text) {
    const std::size_t n = std::strlen(text);
    text[n >= 3 ? n - 3 : 0] = '\0';
}

void HoursText(double hours, char* out, std::size_t size) {
    HMSToStr(out, size, hours);
    CutSeconds(out);
}

// A rising, transit or setting: its time, or hyphens when the day has none
// (`happened` 0, or the Moon's event found is the day before's or after's).
void EventText(double hours, unsigned happened, char* out, std::size_t size) {
    if (HappensOnDay(happened != 0, hours)) HoursText(hours, out, size);
    else std::snprintf(out, size, "-----");
}

void DegreesText(double degrees, char* out, std::size_t size) {
    DegToStr(out, size, degrees);
    CutSeconds(out);
}

void RiseSetOf(TableRow* r, const AssistantDate& d) {
    if (r->body == 0) {
        ComputeSunRiseSet(d.year, d.month, d.day, &r->rise, &r->transit, &r->set, nullptr, &r->events);
    } else if (r->body == 1) {
        ComputeMoonRiseSet(d.year, d.month, d.day, &r->rise, &r->transit, &r->set, nullptr, &r->events);
    } else {
        ComputeRiseTransitSetFixed(d.year, d.month, d.day, currentSite.latitude, currentSite.longitude,
                                   currentSite.zoneMinutes, currentSite.elevation, GetHorizonAltitude(), r->p.ra,
                                   r->p.dec, &r->rise, &r->transit, &r->set, &r->events);
    }
    r->events = DayOwnEvents(r->events, r->rise, r->set);
}

// The ten rows at the assistant's date; while animating the Rise&Set page
// the planets come from the approximate positions at 0 h of the date.
void ComputeRows(TableRow rows[kRows], bool riseSet) {
    const AssistantDate& d = assistantDate;
    const bool fast = animating && assistantPage == kPageRiseSet;
    float place[kApproxPlanetPlaceSize] = {}, view[kApproxPlanetViewSize] = {};
    if (fast) ComputeApproxPlanet(d.year, d.month, d.day, 0, 0, view, place, -1, 2, 9);
    for (int b = 0; b < kRows; ++b) {
        rows[b].body = b;
        if (fast && b >= 2) {
            rows[b].p.ra = place[2 * b];
            rows[b].p.dec = place[2 * b + 1];
            rows[b].known = std::isfinite(rows[b].p.ra);
        } else {
            rows[b].known = ComputeBody(&rows[b].p, b, d.year, d.month, d.day, d.hour, d.minute, 0) == 0;
        }
        if (riseSet && rows[b].known) RiseSetOf(&rows[b], d);
    }
}

void DiameterText(const TableRow& r, char* out, std::size_t size) {
    const double minutes = r.p.apparentDiameter;
    if (r.body <= 1) {
        const int tenths = static_cast<int>(minutes * 10);
        std::snprintf(out, size, "%d.%d'", tenths / 10, tenths % 10);
        return;
    }
    char seconds[24];
    DoubleToStr(seconds, sizeof seconds, minutes * 60, 0);
    std::snprintf(out, size, "%s''", seconds);
}

void ColumnText(ColumnValue v, const TableRow& r, const TableContext& c, char* out, std::size_t size) {
    const double latitude = currentSite.latitude;
    switch (v) {
    case kRa: HoursText(r.p.ra, out, size); break;
    case kDec: DegreesText(r.p.dec, out, size); break;
    case kAz: DegreesText(ComputeAzimuth(c.siderealTime, r.p.ra, r.p.dec, latitude), out, size); break;
    case kAlt: DegreesText(ComputeAltitude(c.siderealTime, r.p.ra, r.p.dec, latitude), out, size); break;
    case kELon: DegreesText(r.p.eclipticLongitude, out, size); break;
    case kELat: DegreesText(r.p.eclipticLatitude, out, size); break;
    case kCnst:
        std::snprintf(out, size, "%s", ConstellationAbbreviation(FindConstellation(r.p.ra, r.p.dec, c.julianDay)));
        break;
    case kMag: DoubleToStr(out, size, r.p.magnitude, 1); break;
    case kDiam: DiameterText(r, out, size); break;
    case kDist:
        if (r.body == 1) std::snprintf(out, size, "-");
        else DoubleToStr(out, size, r.p.distance, 1);
        break;
    case kPhase:
        if (r.body == 0) std::snprintf(out, size, "-");
        else std::snprintf(out, size, "%d%%", static_cast<int>(std::lround(r.p.illuminatedFraction * 100)));
        break;
    case kElon:
        if (r.body <= 1) std::snprintf(out, size, "-");
        else std::snprintf(out, size, "%d\xB0", static_cast<int>(std::lround(r.p.elongation)));
        break;
    case kRise: EventText(r.rise, r.events & kRiseSetRises, out, size); break;
    case kTransit: EventText(r.transit, 1u, out, size); break;  // always real; the Moon's may be the next day's
    case kSet: EventText(r.set, r.events & kRiseSetSets, out, size); break;
    }
}

pl::ColorRef Rgb(int r, int g, int b) { return static_cast<pl::ColorRef>(r | (g << 8) | (b << 16)); }

pl::ColorRef RowColour(int u) {
    const bool night = GetNightMode() != 0;
    if (u % 2 == 1) return night ? Rgb(0, 0, 0) : Rgb(21, 21, 120);
    return night ? Rgb(GetSchemeColor() / 2, 0, 0) : Rgb(41, 41, 140);
}

pl::ColorRef ValueColour() { return GetNightMode() != 0 ? Rgb(GetSchemeColor() - 10, 0, 0) : Rgb(230, 230, 60); }

struct TableLayout {
    int rowHeight = 0;
    int Baseline(int u) const { return ScaleY(24) + ScaleY(13) + rowHeight * u + rowHeight / 4; }
};

// The widest 24-hour bar that `room` pixels hold with its last "0h" (in the
// current font): its 24 cells of width / 25 + 1 pixels and the label, 5 h
// left of their end. 0 when not even one-pixel cells fit.
int BarWidth(int room) {
    const int overhang = std::max(Width("0h") - ScaleX(5), 0);
    const int cell = (room - overhang) / 24 - 1;
    return cell >= 1 ? 25 * cell : 0;
}

// One row: its band, the body's icon, the columns that fit and on Rise&Set
// the 24-hour bar after them. Headers go with row 0.
void DrawRow(const TableRow& r, int u, const Column* columns, int count, const TableLayout& t,
             const TableContext& c) {
    const int y = t.Baseline(u), h = ScaleX(1);
    SetForeColor(RowColour(u));
    FillRectangle(XywhRect{0, y - ScaleY(1), formWidth, t.rowHeight}, 0);
    DrawSmallIcon(r.body, 0, 8 * h, y + t.rowHeight / 4 + ScaleY(2));
    int edge = Width("00h00") + 20 * h;
    for (int i = 0; i < count; ++i) {
        if (i > 0) edge += Width(columns[i].sample);
        if (columns[i].fitsOnly && edge >= formWidth) break;
        char text[40] = "";
        if (r.known) ColumnText(columns[i].value, r, c, text, sizeof text);
        DrawPlainText(text, static_cast<int>(std::strlen(text)), edge - Width(text), y);
        if (u == 0) DrawCenteredText(columns[i].header, edge - columns[i].headerLeft * h, ScaleY(28));
    }
    if (assistantPage != kPageRiseSet) return;
    // The bar starts just right of the last column, so that it leaves the set time whole.
    const int previousFont = SelectFont(kBarFont);
    const int x = edge + 4 * h, width = BarWidth(formWidth - x);
    SetForeColor(RowColour(u));
    if (width > 0 && r.known)
        DrawAltitudeGraph24h(x, y, width, t.rowHeight - 2 * ScaleY(1),
                             static_cast<float>(assistantDate.hour + assistantDate.minute / 60.0),
                             static_cast<float>(r.rise), static_cast<float>(r.transit), static_cast<float>(r.set),
                             r.events);
    SelectFont(previousFont);
}

}  // namespace

void DrawPlanetTable() {
    const Column* columns = nullptr;
    int count = 0;
    switch (assistantPage) {
    case kPagePosition: columns = kPositionColumns, count = static_cast<int>(std::size(kPositionColumns)); break;
    case kPageInfo: columns = kInfoColumns, count = static_cast<int>(std::size(kInfoColumns)); break;
    case kPageRiseSet: columns = kRiseSetColumns, count = static_cast<int>(std::size(kRiseSetColumns)); break;
    default: return;
    }
    const int v = ScaleY(1);
    const XywhRect area{0, 24 * v, formWidth, formHeight - 22 * v - 24 * v};
    EraseRectangle(area);
    const int previousFont = SelectFont(kValueFont);
    TableLayout t;
    t.rowHeight = (area.height - 24 * v) / kRows;
    const AssistantDate& d = assistantDate;
    TableContext c;
    c.siderealTime = GetLocalSiderealTime(d.year, d.month, d.day, d.hour, d.minute, 0, currentSite.longitude,
                                          currentSite.zoneMinutes);
    c.julianDay = JulianDayFromDateTime(d.year, d.month, d.day, d.hour, 0, 0, currentSite.zoneMinutes);
    c.riseSet = assistantPage != kPagePosition;
    TableRow rows[kRows];
    ComputeRows(rows, c.riseSet);
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef previousText = SetTextColorRef(ValueColour());
    for (int u = 0; u < kRows; ++u) DrawRow(rows[u], u, columns, count, t, c);
    SetTextColorRef(previousText);
    SetTextTransparent(wasTransparent);
    SelectFont(previousFont);
}
