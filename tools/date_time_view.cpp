#include "tools/date_time_view.h"

#include <cstdio>

#include "core/julian_day.h"
#include "platform/paint.h"
#include "platform/window.h"
#include "tools/date_time_calendar.h"
#include "tools/edit_date_time.h"
#include "ui/background_paint.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/owner_draw.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

// Calendar area in design units.
constexpr int kAreaX = 0;
constexpr int kAreaY = 46;
constexpr int kAreaWidth = 212;
constexpr int kAreaHeight = 216;
constexpr int kLargePhase = 6080;  // 28 x 28, + phase index
constexpr int kSmallPhase = 6050;  // 14 x 14, + phase index
constexpr int kDayRowHeight = 16;
constexpr char kWeekFromMonday[] = "MTWTFSS";
constexpr char kWeekFromSunday[] = "SMTWTFS";

// Outline of the highlighted day and the second colour (behind its number;
// the number of a bright Moon at night).
struct HighlightColours {
    pl::ColorRef outline;
    pl::ColorRef second;
};
HighlightColours Highlight() {
    if (GetNightMode() == 0) return {RgbToColorRef({0, 255, 0, 0}), RgbToColorRef({0, 255, 255, 255})};
    return {RgbToColorRef({0, static_cast<uint8_t>(GetSchemeColor()), 0, 0}), RgbToColorRef({0, 0, 0, 0})};
}

void DrawNumber(int value, int x, int y) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    DrawPlainText(text, 2, x, y);
}

void DrawHeader() {
    SelectFont(5);
    for (int i = 0; i < 7; ++i)
        DrawPlainText(&kWeekFromMonday[i], 1, ScaleX(kAreaX + 13 + kCalendarColumnWidth * i), ScaleY(kAreaY - 3));
    SelectFont(0);
}

void DrawDays() {
    const DateTimeFormBlock& b = dateTimeFormBlock;
    bool night = GetNightMode() != 0;
    int days = GetDaysInMonth(b.value.month, b.value.year);
    for (int d = 1; d <= days; ++d) {
        CalendarCell c = CalendarCellOfDay(b.value.year, b.value.month, d);
        int x = kAreaX + kCalendarColumnWidth * c.column, y = kAreaY + kCalendarRowHeight * c.row;
        int phase = b.phases[d - 1];
        DrawBitmapMasked(kLargePhase + phase, ScaleX(x), ScaleY(y + 10));
        SetTextColorRef(night && phase >= 4 && phase <= 10 ? Highlight().second : GetForegroundColor());
        DrawNumber(d, ScaleX(x + 7), ScaleY(y + 16));
    }
}

// Saves the screen under the block's day and highlights it: its number in
// bold over the second colour inside an outline of the highlight colour.
void HighlightDay() {
    DateTimeFormBlock& b = dateTimeFormBlock;
    CalendarCell c = CalendarCellOfDay(b.value.year, b.value.month, b.value.day);
    b.highlight = XywhRect{ScaleX(kAreaX + 1 + kCalendarColumnWidth * c.column),
                           ScaleY(kAreaY + 12 + kCalendarRowHeight * c.row), ScaleX(25), ScaleY(24)};
    DeleteOffscreenWindow(b.highlightBits);
    b.highlightBits = SaveBits(b.highlight);
    HighlightColours colours = Highlight();
    SelectFont(1);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(colours.second);
    DrawNumber(b.value.day, b.highlight.x + ScaleX(6), b.highlight.y + ScaleY(4));
    SelectFont(0);
    pl::ColorRef previous = SetForeColor(colours.outline);
    DrawRectangleOutline(b.highlight);
    SetForeColor(previous);
}

void DrawCalendar() {
    EraseRectangle(dateTimeFormBlock.calendar);
    SetTextTransparent(true);
    SetTextColorRef(GetForegroundColor());
    DrawHeader();
    DrawDays();
    SetTextTransparent(false);
    HighlightDay();
}

void DrawDayRow(int16_t row, const XywhRect& rect, int, int) {
    const DateTime& v = dateTimeFormBlock.value;
    if (row < 0 || row >= 31) return;
    int x = rect.x + ScaleX(2);
    DrawBitmapMasked(kSmallPhase + dateTimeFormBlock.phases[row], x, rect.y + (rect.height - ScaleY(14)) / 2);
    SetTextTransparent(true);
    int textY = rect.y + ScaleY(1);
    DrawPlainText(&kWeekFromSunday[GetDayOfWeek(v.year, v.month, row + 1)], 1, x + ScaleX(16), textY);
    DrawNumber(row + 1, x + ScaleX(29), textY);
    SetTextTransparent(false);
}

}  // namespace

XywhRect CalendarArea() {
    return XywhRect{ScaleX(kAreaX), ScaleY(kAreaY), ScaleX(kAreaWidth), ScaleY(kAreaHeight)};
}

int CalendarDayAtPixel(int year, int month, int x, int y) {
    int ux = static_cast<int>(x / displayScale.scaleX), uy = static_cast<int>(y / displayScale.scaleY);
    if (!PointInRect(ux, uy, XywhRect{kAreaX, kAreaY, kAreaWidth, kAreaHeight})) return 0;
    return CalendarDayAt(year, month, ux - kAreaX, uy - kAreaY);
}

void InvalidateCalendar(pl::Hwnd dialog) {
    const XywhRect& area = dateTimeFormBlock.calendar;
    int header = ScaleY(6);
    pl::Rect r = XywhToRect(XywhRect{area.x, area.y - header, area.width, area.height + header});
    pl::Invalidate(dialog, &r, true);
}

void PaintCalendar(pl::Hwnd dialog) {
    pl::PaintStruct ps;
    pl::Rect client;
    if (pl::Hdc dc = BeginBackgroundPaint(dialog, &ps, &client)) {
        InitDrawWindow(dialog, dc);
        DrawCalendar();
        pl::EndPaint(dialog, &ps);
    }
    InitDrawWindowOwnDc(dialog);
}

void MoveHighlight(pl::Hwnd dialog) {
    DateTimeFormBlock& b = dateTimeFormBlock;
    InitDrawWindowOwnDc(dialog);
    RestoreBits(b.highlightBits, b.highlight.x, b.highlight.y);
    b.highlightBits = nullptr;
    HighlightDay();
}

void MeasureDayRow(pl::MeasureItem* item) {
    if (item && item->ctlId == kDayList) item->itemHeight = ScaleY(kDayRowHeight);
}

void DrawDayItem(pl::Hwnd dialog, const pl::DrawItem* item) {
    if (item && item->ctlId == kDayList) DrawOwnerItem(dialog, item, DrawDayRow);
}
