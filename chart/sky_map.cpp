#include "chart/sky_map.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_colours.h"
#include "chart/chart_marks.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_status.h"
#include "chart/chart_symbols.h"
#include "chart/chart_views.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "chart/sky_map_layers.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_curves.h"
#include "chart/star_fields.h"
#include "core/preferences.h"
#include "platform/gdi.h"
#include "platform/text_log.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kArcminPerRadianTwice = 6875.4935;  // 2 x 10800 / pi
constexpr Fix24Angle kFullTurn = 105414357;
constexpr int kMarginPixels = 30;
constexpr int kLineEndsOnlyBelowZoom = 6;
constexpr int kGridBelowZoom = 12;
constexpr int kStarFieldFromZoom = 5;
constexpr int kOverlaysAboveZoom = 4;
constexpr int kOnlyFigureStars = 1;  // "Stars" (word 28): the constellation figures' stars only

bool Word(int w) { return preferences.word[w] != 0; }

pl::ColorRef Colour(int entry) { return ChartColourRef(chartColours.entry[entry]); }

int ScreenScale() { return std::max(GetScreenScale(), 1); }

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::min<int64_t>(v, INT32_MAX)); }

// A magnitude threshold x 10 or x 100, truncated; a limit beyond any magnitude passes all.
int32_t Threshold(float limit, int factor) {
    double v = static_cast<double>(limit) * factor;
    return v < INT32_MAX ? static_cast<int32_t>(std::max<double>(v, INT32_MIN)) : INT32_MAX;
}

bool LineEndStarsOnly(const SkyMapPicture& p) {
    return !Word(kPrefMoreStars) && !p.full && p.zoom < kLineEndsOnlyBelowZoom;
}

// The entry position of the chart's selection when the table is the selection list.
int SelectedEntry(const SelectionEntry* objects) {
    int row = selectionCurrentRow;
    if (objects != selectionList || !selectionListIndex || row < 0 || row >= selectionShownCount ||
        row >= GetSelectionListAllocated())
        return -1;
    return selectionListIndex[row];
}

// The picture's frame: k = R / tan(FOV / 2), R = 80 GetScreenScale pixels, both with 10
// fraction bits until the margin bounds are taken; then whole pixels, signed by the flips.
void SetUpFrame(SkyMapPicture* p, float centreAngle, float centreElevation) {
    const Fix24Angle fov = static_cast<Fix24Angle>(GetZoomFovForIndex(static_cast<unsigned>(p->zoom)) * kFixPerDegree);
    const int64_t t = std::max<int64_t>(FixPoly24(fov >> 1), 1);
    const int64_t radius = 2621440 / std::max(32 / ScreenScale(), 1);
    const int64_t k = std::max<int64_t>((radius << 24) / t, 1024);
    SphereFrame& f = p->frame;
    f.cx = p->area.x + p->area.width / 2;
    f.cy = p->area.y + p->area.height / 2;
    f.uMax = Clamp32(((int64_t{p->area.width / 2 + kMarginPixels} * 1024) << 24) / k);
    f.vMax = Clamp32(((int64_t{p->area.height / 2 + kMarginPixels} * 1024) << 24) / k);
    p->alpha0 = static_cast<Fix24Angle>(centreAngle * kFixPerDegree);
    p->delta0 = static_cast<Fix24Angle>(centreElevation * kFixPerDegree);
    FixSinCos24(p->alpha0, &f.cosA0, &f.sinA0);
    FixSinCos24(p->delta0, &f.cosD0, &f.sinD0);
    p->flipX = p->flipY = 1;
    ApplyChartFlip(p->zoom, &p->flipX, &p->flipY);
    f.kx = static_cast<int32_t>(k >> 10) * p->flipX;
    f.ky = static_cast<int32_t>(k >> 10) * p->flipY;
}

void SetUpView(const SkyMapPicture& p) {
    skyMapView.centreX = p.frame.cx;
    skyMapView.centreY = p.frame.cy;
    skyMapView.scaleX = p.frame.kx;
    skyMapView.scaleY = p.frame.ky;
    skyMapView.centreAngle = p.alpha0;
    skyMapView.centreElevation = p.delta0;
    skyMapView.visibleOnly = p.visibleOnly ? 1 : 0;
    skyMapView.horizontalStatus = preferences.word[kPrefAltAzGrid];
}

SkyMapPicture SetUpPicture(SelectionEntry* objects, int count, const XywhRect& rect, DrawWindowRecord* surface,
                           int zoom, int full) {
    SkyMapPicture p{};
    p.objects = objects;
    p.count = objects ? std::max(count, 0) : 0;
    p.rect = rect;
    p.area = surface ? XywhRect{0, 0, rect.width, rect.height} : rect;
    p.surface = surface;
    p.zoom = zoom;
    p.full = full != 0;
    GetZoomMagnitudeLimits(zoom, &p.starLimit, &p.objectLimit);
    p.objectThreshold = Threshold(p.objectLimit, p.count < 2 ? 100 : 10);
    p.visibleOnly = chartView == 3;
    p.selected = SelectedEntry(objects);
    return p;
}

bool FacesAndVisible(const SkyMapPicture& p, int32_t s) { return !(p.visibleOnly && s < 0); }

// Layer 1: every record hidden, then the ones bright enough (or selected, or always shown)
// that lie inside get their screen points.
void ProjectObjects(const SkyMapPicture& p) {
    for (int i = 0; i < p.count; ++i) {
        SelectionEntry& e = p.objects[i];
        e.horizonHidden = 1;
        if (e.placeUnknown != 0 || !FacesAndVisible(p, e.chartZ)) continue;
        if (e.mag10 > p.objectThreshold && i != p.selected && e.alwaysShow == 0) continue;
        int32_t x, y;
        if (!SkyMapPointInside(p.frame, e.chartX, e.chartY, e.chartZ, &x, &y)) continue;
        e.screenX = x;
        e.screenY = y;
        e.horizonHidden = 0;
    }
}

// Layer 2: a simple wide picture keeps only the stars at the ends of the figure lines.
void MarkLineEndStars(const SkyMapPicture& p) {
    if (!LineEndStarsOnly(p)) return;
    for (int i = 0; i < kBrightStarCount; ++i) brightStarTable[i].hidden = -1;
    int n = 0;
    const ConstellationLine* lines = GetConstellationLines(&n);
    for (int i = 0; i < n; ++i)
        for (int32_t star : {lines[i].firstStar, lines[i].secondStar})
            if (star >= 0 && star < kBrightStarCount) brightStarTable[star].hidden = 0;
}

// Layer 3: the bright stars not left out (hidden >= 0) from their chart triples.
void ProjectBrightStars(const SkyMapPicture& p) {
    const bool leftOut = Word(kPrefHideSphereSky);
    for (int i = 0; i < kBrightStarCount; ++i) {
        StarRecord& star = brightStarTable[i];
        if (star.hidden < 0) continue;
        star.hidden = 1;
        if (leftOut || !FacesAndVisible(p, star.chartWords[2])) continue;
        int32_t x, y;
        if (!SkyMapPointInside(p.frame, star.chartWords[0], star.chartWords[1], star.chartWords[2], &x, &y)) continue;
        star.screenX = x;
        star.screenY = y;
        star.hidden = 0;
    }
}

// The far end of a figure line whose other end is shown, placed without the margin bounds
// (a line reaches the star beyond the edge); not below the horizon in the Visible Sky view and
// not on the limb or the far side. True when the star is shown.
bool PlaceLineEnd(const SkyMapPicture& p, StarRecord& star) {
    if (star.hidden != 1) return star.hidden == 0;
    const int32_t* w = star.chartWords;
    if (!FacesAndVisible(p, w[2])) return false;
    SpherePoint point = SphereForward(p.frame, w[0], w[1], w[2]);
    if (point.depth <= 0) return false;
    star.screenX = point.x;
    star.screenY = point.y;
    star.hidden = 0;
    return true;
}

// Layer 4: the figure lines with either end shown; with "Stars" at the figures' stars only,
// the stars at both ends.
void DrawConstellationLines(const SkyMapPicture& p) {
    if (!Word(kPrefConstLinesShown)) return;
    SetForeColor(Colour(1));
    int n = 0;
    const ConstellationLine* lines = GetConstellationLines(&n);
    for (int i = 0; i < n; ++i) {
        const int32_t a = lines[i].firstStar, b = lines[i].secondStar;
        if (a < 0 || b < 0 || a >= kBrightStarCount || b >= kBrightStarCount) continue;
        StarRecord& first = brightStarTable[a];
        StarRecord& second = brightStarTable[b];
        if (first.hidden == 0) {
            if (!PlaceLineEnd(p, second)) continue;
        } else if (second.hidden != 0 || !PlaceLineEnd(p, first)) {
            continue;
        }
        DrawLine(first.screenX, first.screenY, second.screenX, second.screenY);
        if (preferences.word[kPrefStars] != kOnlyFigureStars) continue;
        for (const StarRecord* s : {&first, &second})
            DrawObjectIcon(p.surface, p.zoom, s->magnitude16 >> 4, s->colour, s->screenX, s->screenY);
    }
}

// Layer 5, full picture: the stellar catalogue's stars and the drill-down objects, kept in the
// screen lists at window positions; a list whose pass does not run is emptied.
void DrawCatalogueFields(const SkyMapPicture& p) {
    const pl::Rect bounds{p.area.x, p.area.y, p.area.x + p.area.width, p.area.y + p.area.height};
    const int originX = p.surface ? p.rect.x : 0, originY = p.surface ? p.rect.y : 0;
    SetForeColor(Colour(0));
    if (preferences.word[kPrefStars] == 0 && p.zoom >= kStarFieldFromZoom && SelectStellarCatalog(p.zoom))
        LoadStarFieldForChart2(bounds, p.zoom, originX, originY);
    else
        EmptyChartStarList();
    if (!Word(kPrefObjDrilldown)) {
        EmptyChartObjectList();
        return;
    }
    SetBackColor(ChartColourRef(chartColours.background));
    const pl::ColorRef text = Colour(4);
    SetTextColorRef(text != 0 ? text : 1);
    if (OpenObjIndexDb()) LoadObjectFieldForChart(bounds, p.zoom, 0, 1, originX, originY);
    else EmptyChartObjectList();
}

// Layer 5, simple picture with "More Objects" (word 124): the symbols of the objects the
// chart's last drill-down pass kept.
void DrawKeptObjects(const SkyMapPicture& p) {
    const ChartObjectEntry* list = chartScreenLists.objects;
    for (int i = 0; list && i < kChartObjectListCapacity && list[i].record != kObjectListEnd; ++i) {
        int32_t pq[3], x, y;
        ProjectRaDecToChart(list[i].rightAscension, list[i].declination, &pq[0], &pq[1], &pq[2]);
        if (FacesAndVisible(p, pq[2]) && SkyMapPointInside(p.frame, pq[0], pq[1], pq[2], &x, &y))
            DrawObjectSymbol(list[i].type, 0, 1, x, y);
    }
}

// Layer 6: equatorial grid of date, or altitude circles ("Alt/Az Grid", word 126), in the
// picture's frame; none with "Hide Grid" (word 42), nor in a simple picture without "Show
// Grid" (word 131).
void DrawGrid(const SkyMapPicture& p) {
    if (p.zoom >= kGridBelowZoom) return;
    int kind;
    if (Word(kPrefHideGrid) || (!p.full && !Word(kPrefShowGrid))) kind = -1;
    else if (skyRotation.flag == 0 || Word(kPrefAltAzGrid)) kind = 0;
    else kind = 1;
    DrawSkyMapGrid(p.frame.cx, p.frame.cy, p.frame.kx, p.frame.ky, kind, p.alpha0, p.delta0);
}

void DrawStarLetters(const SkyMapPicture& p, const StarRecord& star) {
    const int x = star.screenX, y = star.screenY;
    const int bayer = star.bayer;
    if (bayer >= 'a' && (p.zoom > 6 || ((p.zoom == 5 || p.zoom == 6) && bayer < 'c')))
        DrawSymbolChar(static_cast<char>(bayer), x - 6, y);
    if (star.flamsteed == 0 || p.zoom < 8) return;
    char text[8];
    int length = std::snprintf(text, sizeof text, "%d", star.flamsteed);
    SelectFont(2);
    DrawPlainText(text, length, x + 2, y + 3);
    SelectFont(4);
}

// Layer 8: the shown bright stars, as icons (as single pixels in a simple wide picture with
// "Stars as Pixel", word 132), with their letters.
void DrawBrightStars(const SkyMapPicture& p) {
    if (preferences.word[kPrefStars] == kOnlyFigureStars) return;
    SelectFont(4);
    const bool pixels = !p.full && Word(kPrefStarsAsPixel) && p.zoom <= 5;
    const bool letters = Word(kPrefStarsSymbols);
    for (int i = 0; i < kBrightStarCount; ++i) {
        const StarRecord& star = brightStarTable[i];
        if (star.hidden != 0) continue;
        if (pixels) DrawPixel(star.screenX, star.screenY);
        else DrawObjectIcon(p.surface, p.zoom, star.magnitude16 >> 4, star.colour, star.screenX, star.screenY);
        if (letters) DrawStarLetters(p, star);
    }
}

// Layer 9: the constellation abbreviations at their label points.
void DrawConstellationNames(const SkyMapPicture& p) {
    if (!p.full || !Word(kPrefConstNames) || Word(kPrefHideSphereSky)) return;
    const bool ownColour = preferences.word[kPrefChartBackground] < 2 || GetNightMode() != 0;
    SetTextColorRef(ChartColourRef(ownColour ? chartColours.entry[2] : chartColours.ink));
    for (const ConstellationRow& row : constellationTable) {
        int32_t pq[3], x, y;
        ProjectRaDecToChart(row.rightAscension * 4392, row.declination * 2928, &pq[0], &pq[1], &pq[2]);
        if (!FacesAndVisible(p, pq[2]) || !SkyMapPointInside(p.frame, pq[0], pq[1], pq[2], &x, &y)) continue;
        DrawPlainText(row.abbreviation, static_cast<int>(strnlen(row.abbreviation, 3)), x - 10, y);
    }
}

// Layer 11: consecutive shown records of one source joined (SetChartFlagA).
void DrawTracks(const SkyMapPicture& p) {
    if (!p.full || skyMapView.trackLines == 0) return;
    SetForeColor(Colour(4));
    for (int i = 1; i < p.count; ++i) {
        const SelectionEntry& a = p.objects[i - 1];
        const SelectionEntry& b = p.objects[i];
        if (a.horizonHidden == 0 && b.horizonHidden == 0 && a.sourceIndex == b.sourceIndex)
            DrawLine(a.screenX, a.screenY, b.screenX, b.screenY);
    }
}

// Layer 18: the centre as azimuth and altitude, or as right ascension (hours) and declination.
// An equatorial-frame picture's centre angle is a right ascension: its azimuth and altitude
// come from the view, as the dials' do.
void DrawStatus(const SkyMapPicture& p, int centre) {
    Fix24Angle angle = kFullTurn - p.alpha0, elevation = p.delta0;
    if (skyMapView.horizontalStatus == 0) {
        SkyMapPointToRaDec(p.frame.cx, p.frame.cy, &angle, &elevation);
        angle /= 15;
    } else if (skyRotation.flag == 0) {
        SkyMapPointToHorizon(0, 0, p.frame.cx, p.frame.cy, &angle, &elevation);
    }
    DrawSkyMapStatus(p.area, centre >= 0 ? &p.objects[centre] : nullptr, angle, elevation, p.alpha0, p.delta0);
}

// Everything but the status lines; the names on a chart meet by nature.
void DrawChartLayers(const SkyMapPicture& p, int* centre) {
    const pl::TextLogExemption chartLabels;
    ProjectObjects(p);
    MarkLineEndStars(p);
    ProjectBrightStars(p);
    DrawConstellationLines(p);
    if (p.full) DrawCatalogueFields(p);
    else if (Word(kPrefMoreObjects)) DrawKeptObjects(p);
    DrawGrid(p);
    SetTextColorRef(Colour(4));
    SetForeColor(Colour(0));
    DrawBrightStars(p);
    DrawConstellationNames(p);
    if (p.full && Word(kPrefEcliptic)) {
        SetForeColor(Colour(6));
        DrawSkyMapEcliptic(p.frame.cx, p.frame.cy, p.frame.kx, p.frame.ky, skyRotation.flag, p.alpha0, p.delta0);
    }
    DrawTracks(p);
    SelectFont(0);
    SetBackColor(ChartColourRef(chartColours.background));
    SetForeColor(ChartColourRef(chartColours.background));
    if (Word(kPrefStarsLegend))
        DrawMagnitudeLegend(p.surface, p.zoom, p.area.x + ScaleX(6), p.area.y + ScaleY(40),
                            static_cast<int>(p.starLimit + 0.5f));
    *centre = DrawSkyMapObjects(p);
    SelectFont(0);
    SetTextTransparent(true);
    if (LineEndStarsOnly(p))
        for (int i = 0; i < kBrightStarCount; ++i) brightStarTable[i].hidden = 1;
    if (p.zoom > kOverlaysAboveZoom) DrawSkyMapOverlays(p);
}

void DrawLayers(const SkyMapPicture& p, int* centre) {
    DrawChartLayers(p, centre);
    DrawStatus(p, *centre);
}

// Layers 19 and 20: the save-under box and the centre mark's corner, the target mark.
void MarkCentre(const SkyMapPicture& p) {
    const int s = ScreenScale();
    const int x = p.frame.cx - 8 * s, y = p.frame.cy - 8 * s;
    skyMapView.markCornerX = x + (p.surface ? p.rect.x : 0);
    skyMapView.markCornerY = y + (p.surface ? p.rect.y : 0);
    SaveStatusBox(p.surface, x, y, skyMapView.markCornerX - x, skyMapView.markCornerY - y);
    if (preferences.word[kPrefCursor] < 2) DrawTargetMark(p.frame.cx, p.frame.cy);
}

}  // namespace

bool SkyMapPointInside(const SphereFrame& frame, int32_t p, int32_t q, int32_t s, int32_t* x, int32_t* y) {
    SpherePoint point = SphereForward(frame, p, q, s);
    if (point.depth <= 0 || !point.withinMargins) return false;
    *x = point.x;
    *y = point.y;
    return true;
}

double SkyMapPixelsPerArcminHalf(const SkyMapPicture& picture) {
    return std::abs(picture.frame.kx) / kArcminPerRadianTwice;
}

int DrawSkyMap(SelectionEntry* objects, int count, const XywhRect& rect, DrawWindowRecord* surface, int zoom,
               float centreAngle, float centreElevation, int full) {
    LoadConstellationData(preferences.word[kPrefConstLinesFigures]);
    skyMapStatusTexts.count = 0;  // a new picture: no status lines under the next ones
    SkyMapPicture p = SetUpPicture(objects, count, rect, surface, zoom, full);
    DrawWindowRecord* previous = surface ? SetDrawWindow(surface) : nullptr;
    if (!surface) SetClip(rect);
    SetUpFrame(&p, centreAngle, centreElevation);
    SetUpView(p);
    SetForeColor(ChartColourRef(chartColours.background));
    FillRectangle(p.area, 0);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    int centre = -1;
    DrawLayers(p, &centre);
    MarkCentre(p);
    SetTextTransparent(transparent);
    if (surface) {
        SetDrawWindow(previous);
        if (previous) CopyRectangle(surface, previous, p.area, rect.x, rect.y, 0);
        skyMapView.centreX += rect.x;
        skyMapView.centreY += rect.y;
    } else {
        pl::SelectClipRect(GetDrawDc(), nullptr);
    }
    return centre >= 0 ? FindSelectionIndex(centre) : -1;
}
