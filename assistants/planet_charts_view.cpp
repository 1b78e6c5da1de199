#include "assistants/planet_charts_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "assistants/planet_assistant.h"
#include "assistants/planet_charts.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "ephemeris/planet_names.h"
#include "platform/gdi.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/markers.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

float chartPixelsPerDay = 1.0f;
int32_t cursorX = 0;
DrawWindowRecord* cursorSavedBits = nullptr;
int32_t chartCursorTop = 0;
int32_t chartCursorBottom = 0;

namespace {

constexpr int kMercury = 2;
int savedColumnX = 0;

pl::ColorRef Rgb(int r, int g, int b) { return static_cast<pl::ColorRef>(r | (g << 8) | (b << 16)); }
bool Night() { return GetNightMode() != 0; }

// Night reds never 0, so that no curve turns black.
int NightRed(int intensity) { return intensity > 0 ? intensity : 1; }

pl::ColorRef SeriesColour(int i) {
    static const pl::ColorRef kDay[kChartPlanets] = {Rgb(0, 255, 255), Rgb(255, 255, 0), Rgb(255, 0, 0),
                                                     Rgb(255, 0, 255), Rgb(235, 235, 235)};
    static const int kNight[kChartPlanets] = {255, 203, 153, 103, 53};
    return Night() ? Rgb(NightRed(kNight[i]), 0, 0) : kDay[i];
}
pl::ColorRef Background() { return Night() ? Rgb(0, 0, 0) : Rgb(102, 102, 153); }
pl::ColorRef GridColour() { return Night() ? Rgb(230, 0, 0) : Rgb(60, 60, 102); }
pl::ColorRef LabelColour() { return Night() ? Rgb(GetSchemeColor(), 0, 0) : Rgb(255, 255, 255); }

int ChartLeft() { return static_cast<int>(20 * displayScale.scaleX); }

// The geometry of one drawing.
struct Plot {
    XywhRect area;       // the chart rectangle, also the clip
    double perUnit = 0;  // pixels per unit of the quantity
    int zero = 0;        // y of the value 0
    int Y(double q) const { return zero - static_cast<int>(q * perUnit); }
};

Plot MakePlot(const ChartScale& s) {
    const double v = displayScale.scaleY;
    Plot p;
    p.area = XywhRect{0, ScaleY(24) + ScaleX(21), formWidth, formHeight - ScaleY(22) - ScaleX(21) - ScaleY(24)};
    const double plotHeight = formHeight - 22 * v - 21 * v - 13 * v - 24 * v;
    p.perUnit = plotHeight / (s.maximum - s.minimum);
    p.zero = static_cast<int>(formHeight - 21 * v - 24 * v + s.minimum * p.perUnit + 0.5);
    return p;
}

// A line kept inside the chart: a DIB is written directly, so the platform's
// clip does not reach it.
void ClippedLine(int x1, int y1, int x2, int y2, pl::ColorRef colour, const XywhRect& clip) {
    SetForeColor(colour);
    DrawLineInside(x1, y1, x2, y2, clip);
}

void Label(const char* text, int x, int y) { DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y); }

void DrawLegend(const Plot& p) {
    const int h = ScaleX(1), y = p.area.y + ScaleY(2);
    for (int i = 0; i < kChartPlanets; ++i) {
        DrawSmallIcon(kMercury + i, 0, 3 * h + 49 * h * i, y + ScaleY(6));
        SetTextColorRef(SeriesColour(i));
        Label(planetNameTable[kMercury + i], 12 * h + 49 * h * i, y);
    }
}

void DrawGrid(const ChartScale& s, const Plot& p) {
    SetTextColorRef(LabelColour());
    for (int q = s.minimum; q <= s.maximum; q += s.step) {
        const int y = p.Y(q);
        ClippedLine(ChartLeft(), y, formWidth, y, GridColour(), p.area);
        char text[16];
        std::snprintf(text, sizeof text, "%d%s", q, s.unit);
        Label(text, 1, y - 4);
    }
}

// Month initials every 30 days under the plot, and a line where January
// starts. A letter goes where its x differs from the last letter's: below one
// pixel a day, x does not change every day, and a day count of 30 whose x
// equals the day before's would lose its letter.
void DrawTimeAxis(int startMonth, const ChartScale& s, const Plot& p) {
    static const char* const kInitials[12] = {"J", "F", "M", "A", "M", "J", "J", "A", "S", "O", "N", "D"};
    SetTextColorRef(LabelColour());
    const int bottom = p.Y(s.minimum), top = p.Y(s.maximum);
    for (int u = 0, last = -1; u < kChartDays; u += 30) {
        const int x = static_cast<int>(u * chartPixelsPerDay + 0.5);
        if (x == last) continue;
        last = x;
        const int m = (u / 30 + startMonth - 1) % 12;
        char text[4];
        std::snprintf(text, sizeof text, "%s", kInitials[m]);
        Label(text, ChartLeft() + x, bottom + 2);
        if (m == 0) ClippedLine(ChartLeft() + x, top, ChartLeft() + x, bottom, GridColour(), p.area);
    }
}

void DrawCurves(int year, int month, int quantity, const ChartScale& s, const Plot& p) {
    int previousX[kChartPlanets], previousY[kChartPlanets];
    bool started[kChartPlanets] = {};
    for (int d = 0, lastSample = 0; d < kChartDays; ++d) {
        const int x = static_cast<int>(d * chartPixelsPerDay);
        if (d > 0 && x < lastSample + s.sampleSpacing) continue;
        lastSample = x;
        if (IsArrowKeyDown()) continue;
        double values[kChartPlanets];
        ComputeChartValues(quantity, year, month, d, assistantDate.hour, assistantDate.minute, values);
        for (int i = 0; i < kChartPlanets; ++i) {
            if (i > 0 && x % 3 != 0) continue;
            const int px = ChartLeft() + x, py = p.Y(values[i]);
            if (!started[i]) previousX[i] = px, previousY[i] = py, started[i] = true;
            ClippedLine(previousX[i], previousY[i], px, py, SeriesColour(i), p.area);
            previousX[i] = px, previousY[i] = py;
        }
    }
}

void SetShownField(int id, const char* text) {
    pl::Hwnd form = GetCurrentFormDialog();
    if (id != 0 && form && pl::GetDlgItem(form, id)) SetField(id, text);
}

}  // namespace

void DrawPlanetCharts(int year, int month, int quantity) {
    const ChartScale s = GetChartScale(quantity);
    chartPixelsPerDay = static_cast<float>((formWidth - ChartLeft()) / 380.0);
    const Plot p = MakePlot(s);
    chartRect = p.area;
    chartCursorTop = ScaleY(21) + ScaleY(24);
    chartCursorBottom = formHeight - ScaleY(22) - ScaleY(24);
    pl::Hdc dc = GetDrawDc();
    pl::Rect previousClip{};
    const bool hadClip = dc && pl::GetClipBox(dc, &previousClip);
    SetForeColor(Background());
    FillRectangle(p.area, 0);
    SetClip(p.area);
    const int32_t positionMode = preferences.word[kPrefPositionMode];
    preferences.word[kPrefPositionMode] = 0;
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef previousText = SetTextColorRef(LabelColour());
    DrawLegend(p);
    DrawGrid(s, p);
    DrawTimeAxis(month, s, p);
    DrawCurves(year, month, quantity, s, p);
    SetTextColorRef(previousText);
    SetTextTransparent(wasTransparent);
    preferences.word[kPrefPositionMode] = positionMode;
    if (dc) pl::SelectClipRect(dc, hadClip ? &previousClip : nullptr);
}

void ChartTapDate(int x, int startYear, int startMonth, int* year, int* month, int* day) {
    *year = startYear, *month = startMonth, *day = 1;
    AddDaysToDate(year, month, day, static_cast<int>((x - ChartLeft()) / chartPixelsPerDay));
}

int SetDateFromChartTap(int x, int y, int dateFieldId, int timeFieldId, int startYear, int startMonth) {
    const int left = ChartLeft(), top = ScaleY(24);
    const XywhRect tap{left, top, chartRect.width - left, formHeight - ScaleY(21) - ScaleY(22) - ScaleY(24)};
    cursorX = x;
    if (!PointInRect(x, y, tap)) {
        cursorX = std::clamp(x, tap.x, tap.x + std::max(tap.width - 1, 0));
        return 0;
    }
    if (cursorSavedBits) RestoreBits(cursorSavedBits, savedColumnX, 0);
    cursorSavedBits = SaveBits(XywhRect{x, 0, 0, formHeight - 1});
    savedColumnX = x;
    SetForeColor(Rgb(155, 0, 0));
    DrawLine(x, chartCursorTop, x, chartCursorBottom);
    int year = 0, month = 0, day = 0;
    ChartTapDate(x, startYear, startMonth, &year, &month, &day);
    char text[32];
    FormatDate(text, sizeof text, day, month, year);
    SetShownField(dateFieldId, text);
    SetShownField(timeFieldId, "00:00");
    return 1;
}

void ReleaseAssistantBitmap() {
    DeleteOffscreenWindow(cursorSavedBits);
    cursorSavedBits = nullptr;
}
