// The chart's two status lines and the place of the selection they show.
#include <cmath>
#include <cstdio>

#include "chart/chart_redraw.h"
#include "chart/chart_status.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "ephemeris/apparent_altaz.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/text_drawing.h"

ChartApparentPlace chartApparentPlace{};

namespace {

constexpr int kTypeBody = 27;
constexpr int kTypeCount = 42;
constexpr int kConstellationRows = 89;  // Vulpecula is row 88

// First line: the place as the mount reads it (word 9: 0 equatorial, else altitude and azimuth);
// blank for a selection without a place.
void FormatPlaceLine(char* text, int size) {
    char first[24], second[24];
    const ChartApparentPlace& p = chartApparentPlace;
    text[0] = '\0';
    if (!p.placed) return;
    if (preferences.word[kPrefMountType] != 0) {
        DegToStr(first, sizeof first, p.altitude);
        DegToStr(second, sizeof second, p.azimuth);
    } else {
        HMSToStr(first, sizeof first, p.rightAscension);
        DegToStr(second, sizeof second, p.declination);
    }
    std::snprintf(text, static_cast<std::size_t>(size), "%s %s", first, second);
}

}  // namespace

void ComputeChartSelectionPlace(const ObjectRecord* selected) {
    const DateTime& t = currentDateTime;
    const int mode = selected->objectType == kTypeBody ? -1 : preferences.word[kPrefPositionMode];
    ChartApparentPlace& p = chartApparentPlace;
    p.placed = selected != &chartSelection || ChartRecordHasPlace(chartSelection);
    if (!p.placed) return;
    ComputeApparentAltAz(selected->rightAscension, selected->declination, &p.rightAscension, &p.declination,
                         &p.altitude, &p.azimuth, mode, t.year, t.month, t.day, t.hour, t.minute, t.second);
}

void FormatChartTimeLine(char* buffer, int size, const char* date, int hour, int minute, double lstHours) {
    const int hours = static_cast<int>(lstHours);
    const int minutes = static_cast<int>(lstHours * 60.0 - hours * 60.0);
    std::snprintf(buffer, static_cast<std::size_t>(size), "%s %02d:%02d LST:%02d:%02d  ", date, hour, minute, hours,
                  minutes);
}

void DrawChartStatusLine(double lstHours, ObjectRecord* selected) {
    ComputeChartSelectionPlace(selected);
    if (preferences.word[kPrefHideInfoBar] != 0) return;
    const ChartPalette& palette = chartRecord.palette;
    StatusText lines[2]{};
    FormatPlaceLine(lines[0].text, sizeof lines[0].text);
    lines[0].font = 0;
    lines[0].dx = StatusPlaceLineX(ScaleX(7) + ScaleY(40));
    lines[0].dy = -ScaleY(12);
    const DateTime& t = currentDateTime;
    char date[16];
    FormatDateShort(date, sizeof date, t.day, t.month, t.year);
    if (selected->objectType >= kTypeCount) selected->objectType = 0;
    if (selected->constellation >= kConstellationRows) selected->constellation = 0;
    FormatChartTimeLine(lines[1].text, sizeof lines[1].text, date, t.hour, t.minute, lstHours);
    // In the label text of font 0, as high as the sphere pictures' date line:
    // clear of the place line below it and of the field-of-view label's
    // second line beside it on every screen.
    lines[1].font = 2;
    lines[1].dx = ScaleX(13) + ScaleY(40);
    lines[1].dy = -ScaleY(22);
    SetBackColor(palette.background);
    SetForeColor(palette.text);
    DrawStatusTexts(&chartStatusTexts, chartRecord.chartRect.left, chartRecord.chartRect.bottom, lines, 2,
                    palette.text, palette.background);
    SetTextTransparent(true);
}
