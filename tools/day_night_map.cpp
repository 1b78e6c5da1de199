#include "tools/day_night_map.h"

#include <algorithm>
#include <cmath>

#include "core/services.h"
#include "core/shared_state.h"
#include "platform/color.h"
#include "tools/day_night.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/markers.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr int kFineStep = 2;    // degrees of longitude a step
constexpr int kCoarseStep = 4;  // while the stylus drags or a key repeats
constexpr int kSunIcon = 0;

// The pixel column of a longitude column (degrees from 180 W) and the pixel
// row of a latitude, s / 3 pixels a degree, both truncated.
int PixelColumn(int s, int column) { return column * s / 3; }
int PixelRow(int s, int latitude) { return static_cast<int>(30 * s - latitude * (s / 3.0)); }

// The night of one step: pixel columns [x0, x1) black from the terminator's
// row to the edge away from the Sun.
void DrawNightColumns(int x0, int x1, int row, int declination, int height, bool lines) {
    const int top = declination >= 0 ? std::max(row, 0) : 0;
    const int bottom = declination >= 0 ? height - 1 : std::min(row, height - 1);
    if (top > bottom) return;
    for (int x = x0; x < x1; ++x) {
        if (lines) {
            DrawLine(x, top, x, bottom);
            continue;
        }
        for (int y = top; y <= bottom; ++y) DrawPixel(x, y);
    }
}

// The terminator is taken one degree into each step, whatever its size.
void DrawNight(int s, int sunColumn, int declination, bool moving) {
    const int step = moving ? kCoarseStep : kFineStep;
    const double cot = 1.0 / std::tan(declination * kDegToRad);
    const int width = 120 * s, height = 60 * s;
    const pl::ColorRef previous = SetForeColor(pl::Rgb(0, 0, 0));
    for (int offset = -sunColumn; offset + sunColumn < 360; offset += step) {
        const int column = offset + sunColumn;
        const int x0 = PixelColumn(s, column), x1 = std::min(PixelColumn(s, column + step), width);
        const int row = PixelRow(s, TerminatorLatitude(offset + 1, cot));
        DrawNightColumns(x0, x1, row, declination, height, moving);
    }
    SetForeColor(previous);
}

}  // namespace

bool DrawDayNightMap(int x, int y, int year, int month, int day, int hour, int minute, int second) {
    DayNightState& st = dayNightState;
    const double u = hour + (minute - currentSite.zoneMinutes) / 60.0 + second / 3600.0;
    st.utHours = u;
    st.hourAngle = SubSolarHourAngle(day, month, year, u);
    st.declination = static_cast<int>(SunDeclinationForDate(day, month, year, u));
    st.equationOfTime = EquationOfTimeMinutes(day, month, year);
    const int s = GetScreenScale();
    DrawWindowRecord* map = CreateOffscreenDib(120 * s, 60 * s, 16);
    if (!map) {
        ShowInformation("Can't allocate offscreen window", "");
        return false;
    }
    int column = 180 - static_cast<int>(std::floor(st.hourAngle + 0.5));
    if (column < 0) column += 360;
    if (column > 360) column -= 360;
    DrawWindowRecord* previous = SetDrawWindow(map);
    DrawBitmap(s == 1 ? 1221 : 6010, 0, 0);
    DrawNight(s, column, st.declination, st.moving != 0);
    if (st.moving) ++st.coarseMaps;
    DrawSmallIcon(kSunIcon, 0, PixelColumn(s, column), PixelRow(s, st.declination));
    SetDrawWindow(previous);
    CopyRectangle(map, previous, XywhRect{0, 0, 120 * s, 60 * s}, x, y, 0);
    DeleteOffscreenWindow(map);
    return true;
}
