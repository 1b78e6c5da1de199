#include "assistants/red_spot_view.h"

#include <cstdio>
#include <cstring>

#include "assistants/assistant_colors.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/red_spot.h"
#include "core/date_text.h"
#include "ephemeris/body_positions.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/markers.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kSunIcon = 0;
constexpr int kJupiterDownIcon = 5;

struct Layout {
    int width, height, top, rowHeight, rows, timesX, iconWidth;
    int RowY(int row) const { return top + row * rowHeight; }
};

Layout MeasureLayout() {
    Layout l{};
    GetScreenSize(&l.width, &l.height);
    l.top = ScaleY(24);
    l.rowHeight = ScaleY(2) + ScaleY(13);
    l.rows = (l.height - ScaleY(22) - ScaleY(24) - ScaleY(13)) / l.rowHeight;
    l.timesX = ScaleX(75);
    l.iconWidth = static_cast<int>(displayScale.scaleX) > 1 ? 29 : 18;  // the small-icon strip's cells
    return l;
}

int Text(const char* text, int x, int y) {
    const int length = static_cast<int>(std::strlen(text));
    DrawPlainText(text, length, x, y);
    return CharsWidth(text, length);
}

void DrawBackground(const Layout& l) {
    SetForeColor(assistantColors.oddRow);
    FillRectangle(XywhRect{0, l.top, l.width, l.height - ScaleY(22) - l.top}, 0);
    for (int r = 0; r < l.rows; ++r) {
        SetForeColor(r % 2 ? assistantColors.oddRow : assistantColors.alternateBand);
        FillRectangle(XywhRect{0, l.RowY(r), l.width, l.rowHeight}, 0);
    }
}

// One transit at x; the x after it (and its icon).
int DrawTransit(const Layout& l, int x, int y, const RedSpotTransit& t, pl::ColorRef red) {
    char text[16];
    std::snprintf(text, sizeof text, "%02dh%02d", t.hour, t.minute);
    if (t.sky == kRedSpotVisible) SetTextColorRef(red);
    const int width = Text(text, x, y);
    SetTextColorRef(assistantColors.text);
    const int gap = ScaleX(4);
    if (t.sky == kRedSpotVisible) return x + width + gap;
    if (t.sky == kRedSpotJupiterDown) {
        SetForeColor(red);
        DrawLine(x, y + l.rowHeight / 2, x + width - 1, y + l.rowHeight / 2);
    }
    DrawSmallIcon(t.sky == kRedSpotSunUp ? kSunIcon : kJupiterDownIcon, 0, x + width + l.iconWidth / 2,
                  y + l.rowHeight / 2);
    return x + width + l.iconWidth + gap;
}

// A day's row: its date and its transits, none when Jupiter has no place
// (a date outside its theory's years: where it stands in the sky is unknown).
void DrawDay(const Layout& l, int row, const PlanetDetailDate& day, const BodyPosition* jupiter,
             const BodyPosition& sun, pl::ColorRef red) {
    char date[16];
    FormatDate(date, sizeof date, day.day, day.month, day.year);
    const int y = l.RowY(row);
    Text(date, 1, y);
    RedSpotTransit transits[3];
    const int count = jupiter ? GetRedSpotTransits(day, *jupiter, sun, transits) : 0;
    int x = l.timesX;
    for (int i = 0; i < count; ++i) {
        if (row == 1 && i == 0) {
            SelectFont(1);
            Text("Red Spot transit (LT)", l.timesX, l.RowY(0));
            SelectFont(0);
        }
        x = DrawTransit(l, x, y, transits[i], red);
    }
}

}  // namespace

void DrawRedSpotTransits() {
    const Layout l = MeasureLayout();
    const PlanetDetailDate& d = planetDetailDate;
    BodyPosition jupiter{}, sun{};
    const bool jupiterKnown = ComputeBody(&jupiter, 5, d.year, d.month, d.day, 21, 0, 0) == 0;
    ComputeBody(&sun, 0, d.year, d.month, d.day, 12, 0, 0);
    InitAssistantColors();
    const pl::ColorRef red = pl::Rgb(GetSchemeColor(), 0, 0);
    DrawBackground(l);
    const int font = SelectFont(1);
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef previous = SetTextColorRef(assistantColors.text);
    Text("Date", 1, l.top);
    SelectFont(0);
    PlanetDetailDate day{d.year, d.month, d.day, 0, 0};
    for (int r = 1; r < l.rows; ++r, NextRedSpotDay(&day))
        DrawDay(l, r, day, jupiterKnown ? &jupiter : nullptr, sun, red);
    SetTextColorRef(previous);
    SetTextTransparent(wasTransparent);
    SelectFont(font);
}
