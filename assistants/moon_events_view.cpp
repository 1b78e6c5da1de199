#include "assistants/moon_events_view.h"

#include <cstdio>
#include <cstring>

#include "assistants/assistant_colors.h"
#include "assistants/moon_events.h"
#include "assistants/planet_detail_form.h"
#include "assistants/planet_detail_mode.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "ephemeris/body_positions.h"
#include "objects/visibility_view.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kMaxSmallScreenRows = 13;

struct Layout {
    int width, height, top, rowHeight;
    bool guideBars;
    int RowY(int row) const { return top + row * rowHeight; }
};

Layout MeasureLayout() {
    Layout l{};
    GetScreenSize(&l.width, &l.height);
    l.top = ScaleY(24);
    l.rowHeight = ScaleY(13) + ScaleX(3);
    l.guideBars = l.height > ScaleY(240);
    return l;
}

void Text(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

void FillRow(const Layout& l, int row, pl::ColorRef colour) {
    SetForeColor(colour);
    FillRectangle(XywhRect{0, l.RowY(row), l.width, l.rowHeight}, 0);
}

// A body's row: its name and the hours it spends above the horizon (no bar
// for a date the body's theory does not cover).
void DrawGuideBar(const Layout& l, int row, int body, const char* name) {
    const PlanetDetailDate& d = planetDetailDate;
    Text(name, 1, l.RowY(row));
    BodyPosition p{};
    if (ComputeBody(&p, body, d.year, d.month, d.day, 21, 0, 0) != 0) return;
    double rise = 0, transit = 0, set = 0;
    unsigned events = 0;
    ComputeRiseTransitSetFixed(d.year, d.month, d.day, currentSite.latitude, currentSite.longitude,
                               currentSite.zoneMinutes, currentSite.elevation, GetHorizonAltitude(), p.ra, p.dec, &rise,
                               &transit, &set, &events);
    SetForeColor(assistantColors.oddRow);
    DrawAltitudeGraph24h(ScaleX(43), l.RowY(row), l.width - ScaleX(55), l.rowHeight, -1.0f, static_cast<float>(rise),
                         static_cast<float>(transit), static_cast<float>(set), events);
}

void DrawSlot(const Layout& l, int row, const MoonEventSlot& s) {
    char start[16], end[16];
    std::snprintf(start, sizeof start, "%02dh%02d", s.startHour, s.startMinute);
    std::snprintf(end, sizeof end, "%02dh%02d", s.endHour % 24, s.endMinute);
    const int y = l.RowY(row);
    Text(MoonEventMoonName(planetDetailMode, s.moon), 1, y);
    Text(start, ScaleX(65), y);
    Text(end, ScaleX(105), y);
    Text(MoonEventKindName(s.kind), ScaleX(150), y);
}

void DrawRows(const Layout& l, int headerRow) {
    const int filter = planetDetailMode == kSaturnMode ? planetDetailForm.saturnFilter : 0;
    int drawn = 0;
    for (const MoonEventSlot& s : planetMoonState) {
        if (filter > 0 && s.moon != filter - 1) continue;
        if (drawn >= kMaxSmallScreenRows && !l.guideBars) break;
        if (s.startDay == 0) continue;
        ++drawn;
        FillRow(l, headerRow + drawn, drawn % 2 ? assistantColors.oddRow : assistantColors.alternateBand);
        DrawSlot(l, headerRow + drawn, s);
    }
}

}  // namespace

void DrawMoonEventsView() {
    const Layout l = MeasureLayout();
    SetForeColor(assistantColors.oddRow);
    FillRectangle(XywhRect{0, l.top, l.width, ScaleY(l.height < 161 ? 133 : 196)}, 0);
    const int font = SelectFont(0);
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef previous = SetTextColorRef(assistantColors.text);
    int headerRow = 0;
    if (l.guideBars) {
        DrawGuideBar(l, 0, 0, "Sun");
        DrawGuideBar(l, 1, planetDetailMode == kSaturnMode ? 6 : 5,
                     planetDetailMode == kSaturnMode ? "Saturn" : "Jupiter");
        headerRow = 2;
    }
    FillRow(l, headerRow, assistantColors.alternateBand);
    SelectFont(1);
    const struct {
        const char* text;
        int x;
    } header[] = {{"Satellite", 1}, {"Start", ScaleX(65)}, {"End", ScaleX(105)}, {"Event", ScaleX(150)}};
    for (const auto& h : header) Text(h.text, h.x, l.RowY(headerRow));
    SelectFont(0);
    DrawRows(l, headerRow);
    SetTextColorRef(previous);
    SetTextTransparent(wasTransparent);
    SelectFont(font);
}

void SearchMoonEvents() {
    const PlanetDetailDate& d = planetDetailDate;
    if (d.year != eventSearchCache[kCacheYear] || d.month != eventSearchCache[kCacheMonth] ||
        d.day != eventSearchCache[kCacheDay])
        RunMoonEventSearch(planetDetailMode, d);
    DrawMoonEventsView();
    planetDetailDate = PlanetDetailDate{eventSearchCache[kCacheYear], eventSearchCache[kCacheMonth],
                                        eventSearchCache[kCacheDay], eventSearchCache[kCacheHour],
                                        eventSearchCache[kCacheMinute]};
}
