#include "chart/chart_redraw.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "catalog/listed_places.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "catalog/databases.h"
#include "chart/chart_clock.h"
#include "chart/chart_colours.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_marks.h"
#include "chart/chart_overlays.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_status.h"
#include "chart/chart_views.h"
#include "chart/chart_zoom.h"
#include "chart/horizon_curves.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "chart/star_fields.h"
#include "chart/chart_object_pass.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "scope/scope_services.h"
#include "ui/colors.h"
#include "ui/input_polling.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

double scopeMarkerLastDec = -1000.0;
int32_t blinkPhase = 0;

namespace {

constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kRadToDeg = 57.2957795;
constexpr int kTapModeWord = 40;
constexpr int kNoGridFromZoom = 8;
constexpr int kStarFieldFromZoom = 5;
constexpr int kSensorAboveZoom = 6;
constexpr int kOnlyFigureStars = 1;  // "Stars" (word 28)
constexpr int32_t kPanoramaScale = 13421772;  // 0.8 x 2^24

// The view and sidereal time the bright stars' chart words were last projected for.
int starsProjectedView = -1;
float starsProjectedLst = -1.0f;
int32_t centreA = 0, centreB = 0;  // the chart centre's projection (step 7), placed again in step 9.9
// The place views 0 and 1 are centred on (hours, degrees) and whether it is the selection's.
float centreRa = 0.0f, centreDec = 0.0f;
bool centreIsSelection = true;

bool Word(int w) { return preferences.word[w] != 0; }

XywhRect Xywh(const pl::Rect& r) { return XywhRect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The second label colour: constellation names and the grid's zero lines.
pl::ColorRef SecondLabelColour() {
    if (GetNightMode() != 0) return pl::Rgb(238, 0, 0);
    return preferences.word[kPrefChartBackground] < 2 ? pl::Rgb(153, 153, 153) : pl::Rgb(0, 0, 0);
}

// Views 2..4: the centre of the current row, the sphere renderer, the selection's caption.
void RedrawSphereView() {
    ChartTimeRecord& t = chartTimeRecord;
    const XywhRect view = chartRecord.viewRect;
    SetClip(view);
    const DateTime& now = currentDateTime;
    if (t.sphereViewReady == 0) {
        SetChartView(chartView != 4, now.year, now.month, now.day, now.hour, now.minute, now.second, 1);
        t.sphereViewReady = 1;
    }
    if (t.horizonProjectionReady == 0) {
        // The object popup lists the entries this view places now; the current entry
        // keeps its row, or has none while the view does not show it.
        ProjectObjectList(selectionList, selectionCount);
        t.horizonProjectionReady = 1;
        ApplyChartListFilterListPart();
    }
    // The current entry's row; none while the view does not show it (a row out of range names none).
    const int row = SetCurrentSelectionEntry(HeldSelectionEntry());
    if (row >= 0) {
        SelectionEntry& e = selectionList[GetSelectionIndex(row)];
        MarkSelectedEntry(&e);
        RestoreChartLabel();
        ShowChartObjectRow(row);
        SetChartSelectionRecord(&e);
        if (e.placeUnknown == 0) CentreSphereViewOn(e.rightAscension, e.declination, e.designation);
        chartState.chartSelectionIndex = row;
    }
    if (Word(kPrefCardCatalog)) SelectStellarCatalog(chartState.chartZoomIndex);
    OpenObjIndexDb();
    DrawChartSkyMap(1);
    DrawChartSelectionLabel();
    pl::SelectClipRect(GetDrawDc(), nullptr);
    MatchChartToolStrip();
    t.scrolling = 0;
}

// The centre taken from the selection's record.
void CentreOnSelection() {
    centreRa = chartSelection.rightAscension;
    centreDec = chartSelection.declination;
    centreIsSelection = true;
}

// Step 6: the current row's entry, or the kept record, is the selection and
// the centre; one below the horizon or without a place gives the centre to
// the zenith (the selection keeps its own record; a row is dropped). Returns
// the row (-1 for none) and the centre's projection.
int ChooseCentre(int32_t* a, int32_t* b) {
    const int row = selectionCurrentRow;            // a row of the chart's shown rows
    const int position = CurrentSelectionEntry();  // that row's entry position in the list
    const float lst = chartTimeRecord.lstHours;
    if (position >= 0) {
        SelectionEntry& e = selectionList[position];
        MarkSelectedEntry(&e);
        SetChartSelectionRecord(&e);
        if (e.horizonHidden == 0) {
            *a = e.chartX;
            *b = e.chartY;
            ShowChartObjectRow(row);
            CentreOnSelection();
            return row;
        }
    } else if (ChartRecordHasPlace(chartSelection) &&
               ProjectHorizonPlace(lst, chartSelection.rightAscension, chartSelection.declination,
                                   static_cast<int>(chartSelection.designationId), a, b)) {
        CentreOnSelection();
        return -1;
    }
    centreRa = lst;
    centreDec = static_cast<float>(currentSite.latitude);
    centreIsSelection = false;
    HoldSelectionEntryAside(HeldSelectionEntry());  // an entry below the horizon stays current, without a row
    ShowChartObjectRow(-1);
    ProjectHorizonPlace(lst, centreRa, centreDec, 0, a, b);
    return -1;
}

// Steps 4 to 7 of views 0 and 1: colours, markings, scales and the origin.
void SetUpHorizonChart() {
    ChartTimeRecord& t = chartTimeRecord;
    ChartState& s = chartState;
    SetChartColours();
    EnableViewRotation();
    ScaleHorizonZoomTable();
    int starsDone = t.horizonProjectionReady != 0 && starsProjectedView == chartView && starsProjectedLst == t.lstHours;
    const bool entriesMarked = t.horizonProjectionReady == 0;
    MarkHiddenBelowHorizon(t.lstHours, &t.horizonProjectionReady, &starsDone, &s.chartDirty);
    starsProjectedView = chartView;
    starsProjectedLst = t.lstHours;
    int32_t scale = horizonZoomTable[static_cast<size_t>(s.chartZoomIndex)];
    if (chartView == 1) scale = static_cast<int32_t>((static_cast<int64_t>(scale) * kPanoramaScale) >> 24);
    s.horizonScale = scale;
    chartRecord.xScale = s.xSign * scale;
    chartRecord.yScale = s.ySign * scale;
    if (chartView == 0 && preferences.word[kTapModeWord] != 1 && ChartRecordHasPlace(chartSelection))
        TurnChartToTarget(&chartSelection, &t.chartRotation, t.lstHours);
    centreA = centreB = 0;
    int row = ChooseCentre(&centreA, &centreB);
    if (entriesMarked) {
        // The object popup lists the entries this view places now (above the horizon at this
        // time), not those another view or time placed; the chosen entry keeps its row.
        ApplyChartListFilterListPart();
        row = selectionCurrentRow;
    }
    s.originX = s.originY = 0;
    int32_t x0, y0;
    HorizonPointToScreen(centreA, centreB, &x0, &y0);
    s.originX = s.chartWidth / 2 - x0;
    s.originY = s.chartHeight / 2 - y0;
    s.chartSelectionIndex = row;
}

// Steps 9.1 to 9.6, into the chart picture.
void DrawSkyLayers(const pl::Rect& r) {
    const ChartState& s = chartState;
    const ChartTimeRecord& t = chartTimeRecord;
    const ChartPalette& palette = chartRecord.palette;
    const int zoom = s.chartZoomIndex;
    if (chartView == 0 && zoom < kNoGridFromZoom) {
        DrawSkyMapHorizonGrid(t.lstHours, static_cast<int>(centreRa), static_cast<int>(centreDec), zoom,
                              palette.grid, SecondLabelColour(), 1, 15);
    } else if (chartView == 1) {
        DrawHorizonScale(zoom, palette.horizon, palette.red, palette.label, s.horizonScale, s.originX, s.originY);
    }
    const int32_t panorama = PanoramaWidth();
    if (Word(kPrefEcliptic)) DrawHorizonEcliptic(t.lstHours, palette.line, r.left - panorama / 2, r.right + panorama / 2);
    ShiftBrightStarPositions(t.scrollDx, t.scrollDy, t.scrolling);
    DrawConstellationFiguresHorizon(t.lstHours, SecondLabelColour(), palette.line, r, t.scrolling, zoom);
    const int stars = preferences.word[kPrefStars];
    if (stars != kOnlyFigureStars && zoom > 0) {
        DrawBrightStarsHorizon(zoom, static_cast<int>(s.starLimit), r.left, r.right, r.top, r.bottom);
        if (zoom >= kStarFieldFromZoom && stars == 0) {
            EmptyChartStarList();
            LoadStarFieldForChart(r, zoom, t.lstHours, centreRa, centreDec,
                                  preferences.word[kPrefHorizonProjection] == 0);
            chartState.chartDirty = 0;
        } else if (zoom >= kStarFieldFromZoom && (stars == 2 || stars == 3)) {
            EmptyChartScreenLists();
        }
        if (Word(kPrefObjDrilldown)) {
            EmptyChartObjectList();
            LoadObjectFieldForChart(r, zoom, t.lst, 0, 0, 0);
        }
    }
    DrawChartObjectPass(r);
}

// Steps 9.8 to 9.18, on the screen.
void DrawScreenLayers(const pl::Rect& r) {
    const ChartState& s = chartState;
    const int zoom = s.chartZoomIndex;
    const int scale = std::max(GetScreenScale(), 1);
    SetTextColorRef(chartRecord.palette.label);
    if (chartView == 0) DrawCompassLetters(0, 0);
    int32_t cx, cy;
    HorizonPointToScreen(centreA, centreB, &cx, &cy);
    ComputeChartSelectionPlace(&chartSelection);
    if (Word(kPrefStarsLegend)) {
        SetForeColor(chartRecord.palette.background);
        SetTextColorRef(chartRecord.palette.label);
        DrawMagnitudeLegend(nullptr, zoom, ScaleX(6), ScaleY(61), static_cast<int>(std::lround(s.starLimit)));
    }
    const double perArcmin = HorizonPixelsPerArcminHalf(ChartCentreAltitude());
    if (Word(kPrefTelrad)) DrawTelrad(cx, cy, perArcmin, ChartOverlayColour());
    if (Word(kPrefFovCcd) && zoom > kSensorAboveZoom)
        DrawSensorFrame(cx, cy, static_cast<float>(perArcmin), ChartOverlayColour());
    if (Word(kPrefFovEyepiece)) DrawEyepieceCircle(cx, cy, static_cast<float>(perArcmin), ChartOverlayColour());
    SaveStatusBox(nullptr, cx - 8 * scale, cy - 8 * scale);
    if (centreIsSelection) DrawSelectedObjectName(cx, cy);
    if (chartApparentPlace.placed)
        DrawChartLegend(0, r.bottom - ScaleY(20) - ScaleX(10),
                        static_cast<Fix24Angle>(chartApparentPlace.azimuth * kFixPerDegree),
                        static_cast<Fix24Angle>(chartApparentPlace.altitude * kFixPerDegree));
    DrawTargetMark(cx, cy);
    DrawChartStatusLine(chartTimeRecord.lstHours, &chartSelection);
}

// Views 0 and 1.
void RedrawHorizonChart() {
    ChartTimeRecord& t = chartTimeRecord;
    SetUpHorizonChart();
    const pl::Rect r = chartRecord.chartRect;
    const XywhRect box = Xywh(r);
    chartRecord.clip = r;
    DrawWindowRecord* screen = GetDrawWindow();
    DrawWindowRecord* picture = chartRecord.offscreen;
    if (picture) SetDrawWindow(picture);
    SetClip(box);
    if (!t.scrolling) {
        SetForeColor(chartRecord.palette.background);
        FillRectangle(box, 0);
    }
    DrawSkyLayers(r);
    ClearChartToolColumn(box, 0, 0, chartRecord.palette.background);
    if (picture) {
        pl::SelectClipRect(GetDrawDc(), nullptr);
        SetDrawWindow(screen);
        if (screen) CopyRectangle(picture, screen, box, r.left, r.top, 0);
        SetClip(box);
    }
    SetClip(ChartSkyArea(box));
    t.scrollDx = t.scrollDy = 0;
    DrawScreenLayers(r);
    if (picture && screen) CopyRectangle(screen, picture, box, r.left, r.top, 0);
    const int starColour = preferences.word[kPrefStarColor];
    if (starColour == 0 || starColour == 1) DrawChartSelectionLabel();
    pl::SelectClipRect(GetDrawDc(), nullptr);
}

// The list's planets and comets at their places of the chart's time, computed
// only when that time, the site or the list changed since, and then projected anew.
void MoveListedBodiesToChartTime() {
    const DateTime& t = currentDateTime;
    if (MakeMovingEntriesCurrent(t.year, t.month, t.day, t.hour, t.minute, t.second))
        chartTimeRecord.horizonProjectionReady = 0;
}

// A body or comet selected without a current row follows its list entry to the chart's date.
void FollowListedBody() {
    const int row = selectionCurrentRow;
    if (row >= 0 && row < selectionShownCount) return;
    if (const SelectionEntry* e = FindListedBody(chartSelection)) SetChartSelectionRecord(e);
}

}  // namespace

void RedrawSkyChart() {
    StartRecordBatch();
    scopeMarkerLastDec = -1000.0;
    ForgetChartLabel();  // the picture under them is drawn anew
    chartStatusTexts.count = 0;
    PrepareChartRedraw();  // steps the chart clock when it is due
    FollowShownTime();
    MoveListedBodiesToChartTime();
    FollowListedBody();
    const pl::Rect& r = chartRecord.chartRect;
    chartRecord.viewRect = XywhRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    if (chartView >= 2) {
        RedrawSphereView();
        return;
    }
    RedrawHorizonChart();
    if (!scopeConnected) FlushPenEvents();
    if (!chartTimeRecord.scrolling) MatchChartToolStrip();
    chartTimeRecord.scrolling = 0;
}

void GetHorizonChartCentre(float* raHours, float* decDegrees, bool* isSelection) {
    *raHours = centreRa;
    *decDegrees = centreDec;
    if (isSelection) *isSelection = centreIsSelection;
}

void CentreSphereViewOn(float raHours, float decDegrees, int designation) {
    ListPlaceCentre(raHours, decDegrees, designation, &chartRecord.centreLongitude, &chartRecord.centreLatitude);
}

XywhRect ChartSkyArea(const XywhRect& view) {
    const int left = ChartToolColumnLeft();
    XywhRect sky = view;
    if (left > view.x && left < view.x + view.width) sky.width = left - view.x;
    return sky;
}

void ClearChartToolColumn(const XywhRect& view, int x0, int y0, pl::ColorRef colour) {
    const XywhRect sky = ChartSkyArea(view);
    if (sky.width >= view.width) return;
    SetForeColor(colour);
    FillRectangle(XywhRect{sky.x + sky.width - x0, view.y - y0, view.width - sky.width, view.height}, 0);
}

int DrawChartSkyMap(int full) {
    const XywhRect view = chartRecord.viewRect;
    const pl::ColorRef background = chartRecord.palette.background;
    ChartColour& own = chartColours.background;
    if (GetNightMode() == 0)
        own = ChartColour{own.index, static_cast<uint8_t>(pl::RedOf(background)),
                          static_cast<uint8_t>(pl::GreenOf(background)), static_cast<uint8_t>(pl::BlueOf(background))};
    DrawWindowRecord* surface = chartRecord.offscreen;
    const int row = DrawSkyMap(selectionList, selectionCount, view, surface, chartState.chartZoomIndex,
                               chartRecord.centreLongitude, chartRecord.centreLatitude, full);
    const pl::ColorRef colour = ChartColourRef(chartColours.background);
    if (surface) {
        DrawWindowRecord* window = SetDrawWindow(surface);
        ClearChartToolColumn(view, view.x, view.y, colour);
        SetDrawWindow(window);
    }
    ClearChartToolColumn(view, 0, 0, colour);
    return row;
}

pl::ColorRef ChartOverlayColour() {
    const ChartPalette& p = chartRecord.palette;
    return preferences.word[kPrefChartBackground] >= 2 && GetNightMode() == 0 ? p.black : p.red;
}

double ChartCentreAltitude() { return centreIsSelection ? chartApparentPlace.altitude : 90.0; }

double HorizonPixelsPerArcminHalf(double centreAltitudeDeg) {
    constexpr double kArcminPerRadianTwice = 6875.4935;
    const double scale = std::abs(static_cast<double>(chartState.horizonScale));
    if (chartView == 1) return scale / 65536.0 / 120.0;  // scale / 65536 pixels per degree
    const double halfZenith = (90.0 - std::clamp(centreAltitudeDeg, 0.0, 90.0)) / 2.0 / kRadToDeg;
    const double c = std::cos(halfZenith);
    return scale / 1024.0 * 0.5 / (c * c) / kArcminPerRadianTwice;  // r = tan(z / 2), scale / 1024 pixels per unit
}

void ResetChartRedraw() {
    starsProjectedView = -1;
    starsProjectedLst = -1.0f;
    scopeMarkerLastDec = -1000.0;
    blinkPhase = 0;
    chartApparentPlace = ChartApparentPlace{};
    centreRa = centreDec = 0.0f;
    centreIsSelection = true;
}
