#include "assistants/moon_calendar_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "chart/phase_icons.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "platform/color.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kDateField = 6002;
constexpr int kViewTrigger = 6018;
constexpr char kWeekLetters[] = "MTWTFSS";
constexpr int kIconSide = 28;  // the calendar's phase icons

// Colours of the month views by day and in night mode.
struct ViewColours {
    pl::ColorRef evenRow;
    pl::ColorRef oddRow;
    pl::ColorRef text;
};
constexpr ViewColours kCalendarDay{pl::Rgb(180, 180, 250), pl::Rgb(130, 130, 250), pl::Rgb(0, 0, 0)};
constexpr ViewColours kCalendarNight{pl::Rgb(25, 0, 0), pl::Rgb(0, 0, 0), pl::Rgb(150, 0, 0)};
constexpr ViewColours kTableDay{pl::Rgb(203, 203, 255), pl::Rgb(255, 255, 255), pl::Rgb(0, 0, 0)};
constexpr ViewColours kTableNight{pl::Rgb(53, 0, 0), pl::Rgb(0, 0, 0), pl::Rgb(150, 0, 0)};
constexpr pl::ColorRef kTodayFrame = pl::Rgb(255, 0, 0);

const ViewColours& Colours(const ViewColours& day, const ViewColours& night) {
    return GetNightMode() != 0 ? night : day;
}

void Text(const std::string& text, int x, int y) { DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y); }

void ShowDateField(int day, int month, int year) {
    char text[24];
    FormatDate(text, sizeof text, day, month, year);
    SetField(kDateField, text);
}

void FillRow(const XywhRect& rect, pl::ColorRef colour) {
    SetForeColor(colour);
    FillRectangle(rect, 0);
}

// Text drawn from here on: the colour of the set, transparent.
struct TextStyle {
    bool transparent = IsTextTransparent();
    int font = GetCurrentFontId();
    explicit TextStyle(pl::ColorRef colour) {
        SetTextColorRef(colour);
        SetTextTransparent(true);
    }
    ~TextStyle() {
        SetTextTransparent(transparent);
        SelectFont(font);
    }
};

// One row of a day table at (x, y) for the date, with its time frame.
void DrawTableRow(int x, int y, int year, int month, int day, const DayWindow& window) {
    int weekday = (GetDayOfWeek(year, month, day) + 6) % 7;
    SelectFont(weekday < 4 ? 4 : 5);
    char text[16];
    std::snprintf(text, sizeof text, "%c", kWeekLetters[weekday]);
    Text(text, x + ScaleX(2), y);
    SelectFont(0);
    std::snprintf(text, sizeof text, "%d", day);
    Text(text, x + ScaleX(14), y);
    DrawBitmapMasked(ComputeMoonIconState(year, month, day, 12), x + ScaleX(32), y + ScaleY(1));
    Text(DayTableTime(window.start, true), x + ScaleX(50), y);
    Text(DayTableTime(window.end, false), x + ScaleX(84), y);
}

// Row r (0..5) of the grid filled with its colour: across the screen, the
// last row across its first two cells, and only for a month that has days
// in it (its place is erased otherwise: a block stood under the last week).
void DrawCalendarRow(const MoonCalendarGrid& grid, int r, int screenWidth, bool used, const ViewColours& colours) {
    int y = grid.top + r * grid.cellHeight;
    int width = r < 5 ? screenWidth : 2 * grid.cellWidth + ScaleX(6);
    if (!used) EraseRectangle(XywhRect{0, y, width, grid.cellHeight});
    else FillRow(XywhRect{0, y, width, grid.cellHeight}, r % 2 == 0 ? colours.evenRow : colours.oddRow);
}

// Today: the device date, or currentDateTime while the date is fixed.
void Today(int* year, int* month, int* day) {
    if (dateTimeFixed == 0) {
        int hour, minute, second;
        GetLocalDateTime(year, month, day, &hour, &minute, &second);
        return;
    }
    *year = currentDateTime.year, *month = currentDateTime.month, *day = currentDateTime.day;
}

void DrawWeekLetters(const MoonAssistantState& s) {
    EraseRectangle(XywhRect{0, ScaleY(24), s.screenWidth, ScaleY(13)});
    SelectFont(1);
    for (int c = 0; c < 7; ++c) {
        int width = CharsWidth(&kWeekLetters[c], 1);
        Text(std::string(1, kWeekLetters[c]), c * s.cellWidth + (s.cellWidth - width) / 2, ScaleY(24));
    }
    SelectFont(0);
}

void DrawCalendarDay(const MoonCalendarGrid& grid, int cell, int day, const MoonCalendarDay& phase) {
    int x = (cell % 7) * grid.cellWidth, y = grid.top + (cell / 7) * grid.cellHeight;
    DrawBitmapMasked(phase.icon, x + (grid.cellWidth - ScaleX(kIconSide)) / 2,
                     y + (grid.cellHeight - ScaleY(kIconSide)) / 2);
    char text[16];
    std::snprintf(text, sizeof text, "%02d", day);
    Text(text, x + ScaleX(1), y);
    if (phase.percent < 0) return;
    std::snprintf(text, sizeof text, "%02d%%", phase.percent);
    SelectFont(2);
    Text(text, x + ScaleX(1), y + grid.cellHeight - ScaleY(11));
    SelectFont(0);
}

void FrameToday(const MoonCalendarGrid& grid, int cell) {
    int x = (cell % 7) * grid.cellWidth, y = grid.top + (cell / 7) * grid.cellHeight;
    pl::ColorRef previous = SetForeColor(kTodayFrame);
    DrawRectangleOutline(XywhRect{x, y, grid.cellWidth - 1, grid.cellHeight - 1});
    SetForeColor(previous);
}

}  // namespace

MoonDayTableLayout GetMoonDayTableLayout(int screenWidth, int screenHeight) {
    MoonDayTableLayout l;
    l.columnWidth = std::max(ScaleX(120), 1);
    l.columns = screenWidth / l.columnWidth;
    l.rowHeight = std::max(GetScreenScale() != 1 ? 3 + ScaleY(13) : ScaleY(10), 1);
    l.rows = std::max((screenHeight - ScaleY(22) - ScaleY(24)) / l.rowHeight, 0);
    l.top = ScaleY(24);
    return l;
}

void DrawMoonDayTable(int mode, const MoonAssistantState& s) {
    ShowDateField(s.day, s.month, s.year);
    const MoonDayTableLayout l = GetMoonDayTableLayout(s.screenWidth, s.screenHeight);
    const int n = l.columns * l.rows;
    const MoonDayEvents events = ComputeMoonDayEvents(mode, s.year, s.month, s.day, n);
    const ViewColours& colours = Colours(kTableDay, kTableNight);
    pl::ColorRef foreground = SetForeColor(colours.evenRow);
    TextStyle style(colours.text);
    int year = s.year, month = s.month, day = s.day;
    for (int i = 0; i < n; ++i) {
        int column = i / l.rows, row = i % l.rows;
        int x = column * l.columnWidth, y = l.top + row * l.rowHeight;
        FillRow(XywhRect{x, y, l.columnWidth, l.rowHeight}, row % 2 == 0 ? colours.evenRow : colours.oddRow);
        DrawTableRow(x, y, year, month, day, MoonDayWindow(mode, events, i));
        AddDaysToDate(&year, &month, &day, 1);
    }
    SetBackColor(GetNightMode() != 0 ? pl::Rgb(0, 0, 0) : pl::Rgb(255, 255, 255));
    SetForeColor(foreground);
}

MoonCalendarGrid GetMoonCalendarGrid(const MoonAssistantState& s) {
    MoonCalendarGrid g;
    g.top = ScaleY(24) + ScaleY(13);
    g.cellWidth = s.cellWidth;
    g.cellHeight = s.cellHeight;
    g.bottom = s.screenHeight - ScaleY(22);
    return g;
}

void DrawMoonCalendar(const MoonAssistantState& s) {
    ShowDateField(1, s.month, s.year);
    SetPopupLabel(kViewTrigger, "Calendar");
    int todayYear = 0, todayMonth = 0, todayDay = 0;
    Today(&todayYear, &todayMonth, &todayDay);
    const MoonCalendarGrid grid = GetMoonCalendarGrid(s);
    const ViewColours& colours = Colours(kCalendarDay, kCalendarNight);
    pl::ColorRef foreground = SetForeColor(colours.evenRow);
    TextStyle style(colours.text);
    DrawWeekLetters(s);
    const std::vector<MoonCalendarDay> days = ComputeMoonCalendar(s.year, s.month);
    const int first = MoonCalendarFirstColumn(s.year, s.month);
    const int lastRow = (first + static_cast<int>(days.size()) - 1) / 7;
    for (int r = 0; r < 6; ++r) DrawCalendarRow(grid, r, s.screenWidth, r < 5 || r <= lastRow, colours);
    const bool thisMonth = todayYear == s.year && todayMonth == s.month;
    for (int d = 1; d <= static_cast<int>(days.size()); ++d) {
        DrawCalendarDay(grid, first + d - 1, d, days[static_cast<size_t>(d - 1)]);
        if (thisMonth && d == todayDay) FrameToday(grid, first + d - 1);
    }
    SetForeColor(foreground);
}
