#include "objects/visibility_view.h"

#include <cmath>
#include <cstring>

#include "core/rise_set.h"
#include "core/shared_state.h"
#include "objects/visibility.h"
#include "platform/text.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kGaugeDay = 5000;
constexpr int kGaugeNight = 5005;
constexpr pl::ColorRef kBlack = 0x000000;
constexpr pl::ColorRef kMarker = 0x0000C8;  // RGB(200, 0, 0)
constexpr double kChartHorizon = 15.0;      // degrees an object must rise above in the year chart

// Local hours after which, and before which, an object transiting that month
// is placed for observing.
constexpr double kEvening[12] = {17.5, 18, 19, 20, 21, 22, 22, 21, 20, 19, 18, 17.5};
constexpr double kMorning[12] = {7.5, 7, 6.5, 6, 5.5, 5, 5, 5.5, 6, 6.5, 7, 7.5};

pl::ColorRef Rgb(int r, int g, int b) { return static_cast<pl::ColorRef>(r | (g << 8) | (b << 16)); }
bool Night() { return GetNightMode() != 0; }

// The band's background and its filled cells.
pl::ColorRef BandColour() { return Night() ? Rgb(GetSchemeColor(), 0, 0) : Rgb(255, 255, 180); }
pl::ColorRef FillColour() { return Night() ? Rgb(GetSchemeColor() - 51, 0, 0) : Rgb(249, 210, 20); }

void Fill(int x, int y, int width, int height) {
    if (width > 0 && height > 0) FillRectangle(XywhRect{x, y, width, height}, 0);
}

// A vertical line from y1 to y2, both included.
void VerticalLine(int x, int y1, int y2) { Fill(x, y1, 1, y2 - y1 + 1); }

// Text in font 2 when no font is current, else in the current one; in night
// mode in the night pen's red (the foreground is the black of the ground then).
void DrawLabel(const char* text, int x, int y) {
    const pl::ColorRef before = Night() ? SetTextColorRef(GetForegroundColor()) : 0;
    DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y);
    if (Night()) SetTextColorRef(before);
}

// The hour brought into [0, 24] as by subtracting or adding 24 while outside.
double IntoDay(double hours) {
    if (!std::isfinite(hours)) return 0.0;
    if (hours > 24.0) return hours - 24.0 * std::ceil((hours - 24.0) / 24.0);
    if (hours < 0.0) return hours + 24.0 * std::ceil(-hours / 24.0);
    return hours;
}

int Trunc(double value) { return static_cast<int>(value); }

// The two small marks of the year chart at the 160-pixel layout: rows of
// "X" (set) from the chart's top, the first column at `left`.
void DrawMark(const char* const rows[4], int left, int y) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; rows[r][c] != '\0'; ++c)
            if (rows[r][c] == 'X') Fill(left + c, y + r, 1, 1);
}

// `hours` lit from the hour `from` on the lower half at (x, lower), `pitch` pixels an hour.
void FillSpan(int x, int lower, int pitch, int half, double from, double hours) {
    Fill(x + Trunc(pitch * from), lower, Trunc(pitch * hours), half);
}

// The lit spans of the 24-hour bar from rise r, transit t and set e (hours in
// 0..24) on the lower half at (x, lower), `pitch` pixels an hour.
void FillHoursUp(int x, int lower, int pitch, int half, double r, double t, double e) {
    auto span = [&](double from, double hours) { FillSpan(x, lower, pitch, half, from, hours); };
    if (e - t > 0) {
        span(t, e - t);
    } else if (e - t < 0) {
        span(t, 24 - t);
        span(0, e);
    }
    if (r - t > 0) {
        span(0, t);
        span(r, 24 - r);
    } else if (r - t < 0) {
        Fill(x + Trunc(pitch * r), lower, Trunc(pitch * (t - r)) + 1, half);
    }
}

}  // namespace

void DrawDifficultyGauge(int controlId, float rating) {
    const int difficulty = DifficultyClass(rating);
    if (difficulty < 0) return;
    pl::Hwnd form = GetCurrentFormDialog();
    SetButtonIcon(form, controlId, (Night() ? kGaugeNight : kGaugeDay) + difficulty, 0, 0);
    XywhRect button{};
    GetControlBounds(form, controlId, &button);
    const int s = ScaleX(1);
    const XywhRect strip{button.x - 5 * s, button.y + button.height - s, button.width + 10 * s, 15 * s};
    EraseRectangle(strip);
    const int previous = SelectFont(GetCurrentFontId() == 0 ? 2 : 4);
    const char* word = DifficultyWord(difficulty);
    const int length = static_cast<int>(std::strlen(word));
    const pl::ColorRef before = Night() ? SetTextColorRef(GetForegroundColor()) : 0;
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), word, &size);
    DrawPlainText(word, length, strip.x + (strip.width - CharsWidth(word, length)) / 2,
                  strip.y + (strip.height - size.height) / 2);
    if (Night()) SetTextColorRef(before);
    SelectFont(previous);
}

void DrawYearChart(int x, int y, int width, int height, int year, int month, int day, float raHours,
                   float decDegrees) {
    const int cw = (width - 13) / 12, pitch = cw + 1, half = height / 2, lower = y + half;
    const pl::ColorRef foreground = GetForeColorRef();
    Fill(x, y, width, height);
    SetForeColor(BandColour());
    Fill(x, lower, 12 * pitch, half);
    SetForeColor(FillColour());
    for (int m = 0; m < 12; ++m) {
        double rise = 0.0, transit = 0.0, set = 0.0;
        unsigned events = 0;
        ComputeRiseTransitSetFixed(year, m + 1, 15, currentSite.latitude, currentSite.longitude,
                                   currentSite.zoneMinutes, currentSite.elevation, kChartHorizon, raHours,
                                   decDegrees, &rise, &transit, &set, &events);
        if (!(events & kRiseSetNeverUp) && (transit > kEvening[m] || transit < kMorning[m]))
            Fill(x + m * pitch, lower, pitch, half);
    }
    SetForeColor(kBlack);
    static const char* const kLetters[12] = {"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
    for (int m = 0; m < 12; ++m) {
        VerticalLine(x + m * pitch - 1, lower + (m > 0 ? 2 : 0), y + height - 1);
        DrawLabel(kLetters[m], x + m * pitch + cw / 4, y - 1);
    }
    VerticalLine(x + 12 * pitch - 1, lower, y + height - 1);
    if (GetScreenScale() == 1) {
        VerticalLine(x + cw / 2, y, y + 3);
        static const char* const kFirst[4] = {".XX", "XX.", "X.X", ".X."};
        static const char* const kSecond[4] = {"X.XX", "X..X", "X.X.", "X.XX"};
        DrawMark(kFirst, x + Trunc(5.5 * pitch) - 2, y);
        DrawMark(kSecond, x + Trunc(11.5 * pitch) - 2, y);
    }
    SetForeColor(kMarker);
    VerticalLine(x + Trunc((day * 0.03125 + month - 1) * pitch), y, y + height - 1);
    SetForeColor(foreground);
}

void DrawAltitudeGraph24h(int x, int y, int width, int height, float nowHours, float rise, float transit, float set,
                          unsigned events) {
    const int cw = width / 25, pitch = cw + 1, half = height / 2, lower = y + half, s = ScaleX(1);
    const pl::ColorRef foreground = GetForeColorRef();
    Fill(x - s, y, width + 1, height);
    SetForeColor(BandColour());
    Fill(x, lower, 24 * cw + 24, half);
    SetForeColor(FillColour());
    const bool rises = (events & kRiseSetRises) != 0, sets = (events & kRiseSetSets) != 0;
    if (events & kRiseSetAlwaysUp) Fill(x, lower, 24 * pitch, half);
    else if (rises && sets) FillHoursUp(x, lower, pitch, half, IntoDay(rise), IntoDay(transit), IntoDay(set));
    else if (rises) FillSpan(x, lower, pitch, half, IntoDay(rise), 24 - IntoDay(rise));  // up from it to midnight
    else if (sets) FillSpan(x, lower, pitch, half, 0, IntoDay(set));                     // up from midnight to it
    SetForeColor(kBlack);
    for (int h = 0; h < 24; ++h) VerticalLine(x - 1 + h * pitch, lower + (h % 6 == 0 ? 0 : 2 * s), y + height - s);
    VerticalLine(x + 24 * pitch - 1, lower, y + height - s);
    DrawLabel("0h", x, y - s);
    DrawLabel("12h", x + 12 * pitch - 3 * s, y - s);
    DrawLabel("0h", x + 24 * pitch - 5 * s, y - s);
    if (nowHours >= 0) {
        SetForeColor(kMarker);
        VerticalLine(x + Trunc(pitch * static_cast<double>(nowHours)), y, y + height - 1);
    }
    SetForeColor(foreground);
}
