#include "chart/shifted_chart.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "catalog/constellation_lines.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_marks.h"
#include "chart/chart_picks.h"
#include "chart/chart_redraw.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_status.h"
#include "chart/chart_symbols.h"
#include "chart/chart_views.h"
#include "chart/horizon_curves.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "scope/scope_services.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr int kHorizonCircleBelowZoom = 7;
constexpr int kNoGridFromZoom = 8;
constexpr int kAllObjectsFromZoom = 3;
constexpr int kOnlyFigureStars = 1;  // "Stars" (word 28)
constexpr int kStarListEntries = kChartStarListCapacity;
constexpr int kTypeBody = 27;
constexpr int kCentreText = 48;

bool Word(int w) { return preferences.word[w] != 0; }

// What every pass of a frame needs.
struct Frame {
    int dx, dy, zoom, scale;
    pl::Rect r;
    bool panorama;
    int32_t width;  // of the panorama
};

// A kept x moved and, in the Horizon View, wrapped into the chart.
int FrameX(const Frame& f, int x) {
    x += f.dx;
    return f.panorama ? WrapPanoramaX(x, f.r.left, f.r.right, f.width) : x;
}

bool InFrame(const Frame& f, int x, int y) { return x >= f.r.left && x <= f.r.right && y >= f.r.top && y <= f.r.bottom; }

// A line whose ends both lie beyond one side of the frame draws nothing there.
bool MissesFrame(const Frame& f, int x1, int y1, int x2, int y2) {
    return (x1 < f.r.left && x2 < f.r.left) || (x1 > f.r.right && x2 > f.r.right) ||
           (y1 < f.r.top && y2 < f.r.top) || (y1 > f.r.bottom && y2 > f.r.bottom);
}

int IconSize(const StarRecord& s, int scale) { return (s.magnitude16 >> 4) + (scale == 1 ? 1 : 0); }

void DrawStar(const Frame& f, const StarRecord& s, int x, int y) {
    if (Word(kPrefStarsAsPixel)) {
        DrawPixelColor(x, y, pl::Rgb(0, 0, 0));
        return;
    }
    DrawObjectIcon(nullptr, f.zoom, IconSize(s, f.scale), s.colour, x, y);
}

// The grid or the Horizon View's scale, drawn with the chart's origin moved.
void DrawShiftedGrid(const Frame& f) {
    if (!Word(kPrefShowGrid)) return;
    const ChartPalette& p = chartRecord.palette;
    ChartState& s = chartState;
    if (chartView == 1) {
        DrawHorizonScale(f.zoom, p.horizon, p.red, p.label, s.horizonScale, s.originX + f.dx, s.originY + f.dy);
        return;
    }
    if (f.zoom >= kNoGridFromZoom) return;
    float ra = 0.0f, dec = 0.0f;
    GetHorizonChartCentre(&ra, &dec, nullptr);
    s.originX += f.dx;
    s.originY += f.dy;
    DrawSkyMapHorizonGrid(chartTimeRecord.lstHours, static_cast<int>(ra), static_cast<int>(dec), f.zoom, p.grid,
                          p.grid, 1, 15);
    s.originX -= f.dx;
    s.originY -= f.dy;
}

void DrawHorizonCircle(const Frame& f) {
    if (chartView != 0 || f.zoom >= kHorizonCircleBelowZoom || f.scale < 2) return;
    int zx, zy, nx, ny;
    AltAzToChartPoint(0.0f, 90.0f, &zx, &zy);
    AltAzToChartPoint(0.0f, 0.0f, &nx, &ny);
    SetForeColor(chartRecord.palette.grid);
    DrawCircle(zx + f.dx, zy + f.dy, static_cast<int>(std::lround(std::hypot(nx - zx, ny - zy))));
}

bool Shown(int star) { return star >= 0 && star < kBrightStarCount && brightStarTable[star].hidden == 0; }

void DrawFigures(const Frame& f, pl::ColorRef line) {
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    const bool linesOn = Word(kPrefConstLinesShown), endStars = !Word(kPrefMoreStars);
    if (!linesOn && !endStars) return;
    SetForeColor(line);
    for (int i = 0; lines && i < count; ++i) {
        if (!Shown(lines[i].firstStar) || !Shown(lines[i].secondStar)) continue;
        const StarRecord& s1 = brightStarTable[lines[i].firstStar];
        const StarRecord& s2 = brightStarTable[lines[i].secondStar];
        const int x1 = FrameX(f, s1.screenX), x2 = FrameX(f, s2.screenX);
        const int y1 = s1.screenY + f.dy, y2 = s2.screenY + f.dy;
        if (MissesFrame(f, x1, y1, x2, y2)) continue;
        if (linesOn && (!f.panorama || IsPanoramaSegmentDrawn(x1, x2, f.width))) DrawLine(x1, y1, x2, y2);
        if (!endStars) continue;
        DrawStar(f, s2, x2, y2);
        DrawStar(f, s1, x1, y1);
        SetForeColor(line);
    }
}

void DrawBrightStars(const Frame& f) {
    if (!Word(kPrefMoreStars) || preferences.word[kPrefStars] == kOnlyFigureStars || f.zoom < 1) return;
    for (int i = 0; i < kBrightStarCount; ++i) {
        const StarRecord& s = brightStarTable[i];
        if (s.hidden != 0) continue;
        const int x = FrameX(f, s.screenX), y = s.screenY + f.dy;
        if (InFrame(f, x, y)) DrawObjectIcon(nullptr, f.zoom, IconSize(s, f.scale), s.colour, x, y);
    }
}

void DrawCatalogueStars(const Frame& f) {
    const ChartStarEntry* list = chartScreenLists.stars;
    SetForeColor(chartRecord.palette.star);
    for (int i = 0; list && i < kStarListEntries && list[i].id != kStarListEnd; ++i) {
        const int x = FrameX(f, list[i].x), y = list[i].y + f.dy;
        if (InFrame(f, x, y)) DrawPixel(x, y);
    }
}

bool EntryDrawn(const SelectionEntry& e, int zoom, int32_t limit10, int position) {
    if (e.horizonHidden != 0 || !IsEntryInCurrentClass(position)) return false;
    const bool body = e.objectType == kTypeBody;
    if (!body && e.alwaysShow == 0 && e.mag10 > limit10) return false;
    return zoom >= kAllObjectsFromZoom || body || e.source == kSourceMessier || e.source == kSourceStar;
}

void DrawEntryName(const SelectionEntry& e, int x, int y) {
    const int length = static_cast<int>(strnlen(e.name, sizeof e.name - 1));
    if (preferences.word[kPrefFontSize] < 2) DrawLabelText(e.name, length, x, y);
    else DrawPlainText(e.name, length, x, y);
}

// The list entries; returns the shown row of the first one in the centre box, or -1.
int DrawObjects(const Frame& f, pl::ColorRef label) {
    if (f.scale < 2 || !selectionList) return -1;
    float starLimit = 0, objectLimit = 0;
    GetZoomMagnitudeLimits(f.zoom, &starLimit, &objectLimit);
    const double v = static_cast<double>(objectLimit) * 10.0;
    const int32_t limit10 = v >= 1e9 ? INT32_MAX : static_cast<int32_t>(v);
    const int cx = chartState.chartWidth / 2, cy = chartState.chartHeight / 2, s = f.scale;
    const bool names = Word(kPrefMoreObjects) && Word(kPrefObjectNames) && f.zoom >= kAllObjectsFromZoom;
    const bool starNames = Word(125);
    int row = -1;
    SetTextColorRef(label);
    for (int i = 0; i < selectionCount; ++i) {
        const SelectionEntry& e = selectionList[i];
        if (!EntryDrawn(e, f.zoom, limit10, i)) continue;
        const int x = FrameX(f, e.screenX), y = e.screenY + f.dy;
        if (!InFrame(f, x, y)) continue;
        if (row < 0 && x > cx - 4 * s && x < cx + 7 * s && y > cy - 7 * s && y < cy + 7 * s) row = FindSelectionIndex(i);
        const bool star = e.source == kSourceStar;
        if (!star) {
            SetForeColor(chartRecord.palette.object);
            DrawObjectSymbol(e.objectType, e.sourceIndex, s, x, y);
        }
        if (names && e.objectType != kTypeBody && (!star || starNames)) DrawEntryName(e, x + ScaleX(6), y);
    }
    return row;
}

// The place under the moved centre, kept in the centre words and written on the status line.
void DrawCentrePlace(const Frame& f, pl::ColorRef label) {
    const int cx = chartState.chartWidth / 2 - f.dx, cy = chartState.chartHeight / 2 - f.dy;
    float ra = 0, dec = 0;
    ChartPointToRaDec(cx, cy, &ra, &dec);
    chartRecord.centreLongitude = ra;
    chartRecord.centreLatitude = dec;
    char hours[24], degrees[24], text[kCentreText];
    HmsFixToStr(hours, sizeof hours, static_cast<int32_t>(ra * kFixPerHour / 15.0));
    AngleFixToStr(degrees, sizeof degrees, static_cast<int32_t>(dec * kFixPerDegree));
    std::snprintf(text, sizeof text, "%s %s", hours, degrees);
    SetBackColor(chartRecord.palette.background);
    SetTextColorRef(label);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(false);
    const int font = SelectFont(0);
    DrawPlainText(text, static_cast<int>(std::strlen(text)), ScaleX(7) + ScaleY(40), f.r.bottom - ScaleY(12));
    SelectFont(font);
    SetTextTransparent(transparent);
    float azimuth = 0, altitude = 0;
    ChartPointToAltAz(cx, cy, &azimuth, &altitude);
    DrawChartLegend(0, f.r.bottom - ScaleY(20) - ScaleX(10), static_cast<Fix24Angle>(azimuth * kFixPerDegree),
                    static_cast<Fix24Angle>(altitude * kFixPerDegree));
}

void DrawCentreMarks(const ShiftedChartColours& colours) {
    const int cx = chartState.chartWidth / 2, cy = chartState.chartHeight / 2;
    if (Word(kPrefTelrad)) DrawTelrad(cx, cy, HorizonPixelsPerArcminHalf(ChartCentreAltitude()), colours.red);
    DrawTargetMark(cx, cy);
}

}  // namespace

int DrawShiftedChart(DrawWindowRecord* window, int dx, int dy, int zoom, const ShiftedChartColours& colours,
                     const pl::Rect& bounds) {
    if (!window) {
        ShowInformation("Shift chart window null", "");
        return -1;
    }
    SetCurrentSelectionRow(-1);
    chartTimeRecord.scrolling = 1;
    const Frame f{dx, dy, zoom, std::max(GetScreenScale(), 1), bounds, chartView == 1, PanoramaWidth()};
    const XywhRect box{bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
    DrawWindowRecord* screen = SetDrawWindow(window);
    SetClip(box);
    SetForeColor(colours.background);
    FillRectangle(box, 0);
    DrawHorizonCircle(f);
    DrawShiftedGrid(f);
    DrawFigures(f, colours.line);
    DrawBrightStars(f);
    DrawCatalogueStars(f);
    const int row = DrawObjects(f, colours.label);
    DrawCentreMarks(colours);
    DrawCentrePlace(f, colours.label);
    ClearChartToolColumn(box, 0, 0, colours.background);  // the moved sky stays off the tool strip
    pl::SelectClipRect(GetDrawDc(), nullptr);
    SetDrawWindow(screen);
    if (screen && screen != window) CopyRectangle(window, screen, box, bounds.left, bounds.top, 0);
    SetCurrentSelectionRow(row);
    ShowChartObjectRow(row);
    return row;
}

int ShiftChart(int dx, int dy, bool keyColours) {
    const ChartPalette& p = chartRecord.palette;
    const bool light = preferences.word[kPrefChartBackground] > 1;
    const pl::ColorRef red = light && GetNightMode() == 0 ? p.black : p.red;
    const ShiftedChartColours colours{p.background, p.line, keyColours && light ? p.black : p.label, red};
    return DrawShiftedChart(chartRecord.offscreen, dx, dy, chartState.chartZoomIndex, colours, chartRecord.chartRect);
}

void FinishShiftedChart(int row) {
    if (row < 0) {
        chartSelection = SkyPointRecord(chartRecord.centreLongitude, chartRecord.centreLatitude, 0);
        RestoreChartLabel();
    }
    chartTimeRecord.scrolling = 0;
    chartTimeRecord.scrollDx = chartTimeRecord.scrollDy = 0;
    if (scopeConnected) FreeChartBitmaps();
    chartState.chartDirty = 1;
    RedrawSkyChart();
}
