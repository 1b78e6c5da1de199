#include "chart/chart_taps.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_object_pass.h"
#include "chart/chart_picks.h"
#include "chart/chart_redraw.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_status.h"
#include "chart/chart_views.h"
#include "chart/hit_tests.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/save_under.h"
#include "chart/scope_marker.h"
#include "chart/sky_chart_form.h"
#include "core/angle_text.h"
#include "core/horizontal.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_buffers.h"
#include "core/shared_state.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_marks.h"
#include "objects/current_object.h"
#include "objects/selected_object.h"
#include "objects/selection_add.h"
#include "scope/scope_services.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"

int32_t tapArmed = 0;

namespace {

constexpr int kCompassForm = 2830;
constexpr int kObjectInfoForm = 112;
constexpr int kTapModeWord = 40;
constexpr int kStarFieldFromZoom = 5;
constexpr int kStarListSearched = 1481;
constexpr uint32_t kTypeStar = 30;
constexpr int kInfoByIndex[] = {kSourcePlanet, kSourceMessier, kSourceCaldwell,      kSourceHerschel,
                                kSourceBestNgc, kSourceStar,   kSourceComet,         kSourceConstellation,
                                kSourceMeteorShower, kSourceUser};
constexpr int kInfoNamedKinds[] = {kDesignationUser, 0, kDesignationMeteor, kDesignationTycho, kDesignationHip};

int tapX = 0, tapY = 0;  // the accepted pen-down
int pickX = 0, pickY = 0;  // the pick's point on the chart

bool Inside(int x, int y, int left, int top, int width, int height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

bool Near(int64_t px, int64_t py, int x, int y, int r, bool strict) {
    const int64_t dx = std::llabs(px - x), dy = std::llabs(py - y);
    return strict ? dx < r && dy < r : dx <= r && dy <= r;
}

// The tap's x and, in the Horizon View, one panorama width to either side.
int Shifts(int x, int out[3]) {
    out[0] = x;
    if (chartView != 1) return 1;
    const int32_t width = PanoramaWidth();
    out[1] = x + width;
    out[2] = x - width;
    return 3;
}

void SetPick(int x, int y) {
    pickX = x;
    pickY = y;
    chartState.chartSelectionIndex = -2;
}

// A newly listed pick in views 0 and 1: its horizon words (the list's own are
// the sphere's) and its screen point.
void PlaceListedPick(int position, int x, int y) {
    if (position < 0) return;
    SelectionEntry& e = selectionList[position];
    e.horizonHidden = ProjectHorizonPlace(chartTimeRecord.lstHours, e.rightAscension, e.declination, e.designation,
                                          &e.chartX, &e.chartY)
                          ? 0
                          : 1;
    e.screenX = x;
    e.screenY = y;
}

void PickRecordAt(const ObjectRecord& record, int x, int y) {
    PlaceListedPick(AddPickToSelection(record), x, y);
    chartSelection = record;
    SetPick(x, y);
}

bool PickListEntry(int x, int y, int r) {
    int xs[3];
    const int n = Shifts(x, xs);
    for (int k = 0; k < n; ++k)
        for (int i = 0; selectionList && i < selectionCount; ++i) {
            const SelectionEntry& e = selectionList[i];
            if (!IsEntryDrawnOnChart(e) || !IsEntryInCurrentClass(i) || !Near(e.screenX, e.screenY, xs[k], y, r, true))
                continue;
            const int row = FindSelectionIndex(i);
            if (ChartFormWindow() && row != Get(kChartObjectList)) RequestChartReprojection();
            SetCurrentSelectionEntry(i);
            RestoreChartLabel();
            ShowChartObjectRow(row);
            SetChartSelectionRecord(&e);
            SetPick(e.screenX + x - xs[k], e.screenY);
            return true;
        }
    return false;
}

bool PickDrilldown(int x, int y, int r) {
    int xs[3];
    const int n = Shifts(x, xs);
    for (int k = 0; k < n; ++k) {
        const int i = FindPointInScreenList16(xs[k], y, r);
        if (i < 0) continue;
        const ChartObjectEntry& o = chartScreenLists.objects[i];
        ObjectRecord record;
        if (!DrilldownPickRecord(o.record, &record)) return false;
        ApplyChartListFilter(-1);
        PickRecordAt(record, o.x + x - xs[k], o.y);
        return true;
    }
    return false;
}

bool PickBrightStar(int x, int y, int r) {
    if (!IsStarCatalogLoaded()) return false;
    const int limit = static_cast<int>(chartState.starLimit);
    int xs[3];
    const int n = Shifts(x, xs);
    for (int k = 0; k < n; ++k)
        for (int i = 0; i < kBrightStarCount; ++i) {
            const StarRecord& s = brightStarTable[i];
            if (s.hidden != 0 || (s.magnitude16 >> 4) > limit || !Near(s.screenX, s.screenY, xs[k], y, r, true))
                continue;
            PickRecordAt(BrightStarPickRecord(i), s.screenX + x - xs[k], s.screenY);
            return true;
        }
    return false;
}

bool PickCatalogueStar(int x, int y, int r) {
    if (chartState.chartZoomIndex < kStarFieldFromZoom) return false;
    int xs[3];
    const int n = Shifts(x, xs);
    for (int k = 0; k < n; ++k) {
        const int i = FindStarInScreenList(xs[k], y, r, true, kStarListSearched);
        if (i < 0) continue;
        const ChartStarEntry& star = chartScreenLists.stars[i];
        ObjectRecord record;
        if (!CatalogueStarPickRecord(star.id, kTychoFromStarsHorizon, &record)) return false;
        PickRecordAt(record, star.x + x - xs[k], star.y);
        return true;
    }
    return false;
}

void PickSkyPoint(int x, int y) {
    float ra = 0, dec = 0;
    ChartPointToRaDec(x, y, &ra, &dec);
    RestoreChartLabel();
    ShowChartObjectRow(-1);
    chartSelection = SkyPointRecord(ra, dec, 0);
    SetCurrentSelectionRow(-1);
    SetPick(x, y);
}

// The pick drawn over the chart as it stands: the old status box put back,
// the legend and status lines of the new selection, its caption and target
// mark, and with the distance display its distance from `previous`.
void DrawHorizonPickInPlace(const ObjectRecord& previous) {
    RestoreChartLabel();  // a star picked keeps no picture or caption of the previous selection
    const pl::Rect& chart = chartRecord.chartRect;
    pl::Rect clip = chart;
    if (preferences.word[kPrefHideToolBar] == 0) clip.right -= ScaleX(13);
    DrawWindowRecord* window = GetDrawWindow();
    if (chartStatusBox.bitmap && window) RestoreStatusBox(chartStatusBox.x, chartStatusBox.y, &clip, window);
    ComputeChartSelectionPlace(&chartSelection);
    constexpr double kFixPerDegree = 292817.65851827303;
    DrawChartLegend(0, chart.bottom - ScaleY(20) - ScaleX(10),
                    static_cast<Fix24Angle>(chartApparentPlace.azimuth * kFixPerDegree),
                    static_cast<Fix24Angle>(chartApparentPlace.altitude * kFixPerDegree));
    DrawChartStatusLine(chartTimeRecord.lstHours, &chartSelection);
    const int s = GetScreenScale();
    SaveStatusBox(nullptr, pickX - 16 * s, pickY - 16 * s);
    const int starColour = preferences.word[kPrefStarColor];
    if (starColour == 0 || starColour == 1) DrawChartSelectionLabel();
    DrawTargetMark(pickX, pickY);
    if (chartDistanceDisplay && ChartRecordHasPlace(previous))
        DrawPickDistance(previous.rightAscension, previous.declination, pickX + ScaleX(4), pickY - ScaleY(16));
}

void RedrawDirty() {
    chartState.chartDirty = 1;
    RedrawSkyChart();
}

// Tap mode 1: the pick stays where it is unless it lies within 15 pixels
// (scaleX left and top, scaleY right and bottom) of the chart's edges.
bool PickNearEdge() {
    const pl::Rect& c = chartRecord.chartRect;
    return pickX < c.left + ScaleX(15) || pickY < c.top + ScaleX(15) || pickX > c.right - ScaleY(15) ||
           pickY > c.bottom - ScaleY(15);
}

// The text that stands for the information form's star card: designation,
// constellation, place and colour index of a picked star or point.
void WriteStarInfoText(const ObjectRecord& r) {
    if (!txtBuffer) return;
    char ra[24], dec[24], alt[24], az[24];
    const double lst = chartTimeRecord.lstHours, latitude = currentSite.latitude;
    HMSToStr(ra, sizeof ra, r.rightAscension);
    DegToStr(dec, sizeof dec, r.declination);
    DegToStr(alt, sizeof alt, ComputeAltitude(lst, r.rightAscension, r.declination, latitude));
    DegToStr(az, sizeof az, ComputeAzimuth(lst, r.rightAscension, r.declination, latitude));
    const int constellation = static_cast<int16_t>(r.constellation);
    const int bv = r.classCode, whole = std::abs(bv);
    const char* sign = bv < 0 ? "-" : "";
    if (GetHipparcosStarCount() < kTychoFromStarsHorizon) {
        std::snprintf(txtBuffer, kTxtBufferSize,
                      "%s%d\n\x95 %s (%s)\n\x95 Ra   %s\n\x95 Dec  %s\n\x95 Alt  %s\n\x95 Az   %s\n\x95 BV  %s%d.%d",
                      DesignationPrefix(static_cast<int16_t>(r.designationId)), r.number,
                      ConstellationName(constellation), ConstellationAbbreviation(constellation), ra, dec, alt, az,
                      sign, whole / 10, whole % 10);
    } else if (r.number >= 0) {
        std::snprintf(txtBuffer, kTxtBufferSize, "TYC %d-%d-1\n\x95 %s (%s)\n\x95 Alt %s\n\x95 Az  %s\n\x95 BV %s%d.%d",
                      r.number / 100000, r.number % 100000, ConstellationName(constellation),
                      ConstellationAbbreviation(constellation), alt, az, sign, whole / 10, whole % 10);
    }
}

bool IsOneOf(int value, const int* values, int count) {
    for (int i = 0; i < count; ++i)
        if (values[i] == value) return true;
    return false;
}

// The current row's entry handed to the information form.
void HandOverEntry(const SelectionEntry& e) {
    ObjectRecord record{};
    CopyObjectDisplayFields(&record, &e);
    if (IsOneOf(e.source, kInfoByIndex, static_cast<int>(std::size(kInfoByIndex)))) {
        record.number = e.sourceIndex + 1;
        SetCurrentObject(&record, e.source);
    } else {
        record.number = e.number;
        if (IsOneOf(e.designation, kInfoNamedKinds, static_cast<int>(std::size(kInfoNamedKinds))))
            SetObjectRecordName(&record, e.name);
        else
            std::snprintf(record.name, sizeof record.name, "%s%d", DesignationPrefix(e.designation), e.number);
        SetSelectedObject(&record, 10);
    }
    selectionShownCount = selectionCount;
}

}  // namespace

void GetTapOrigin(int* x, int* y) {
    *x = tapX;
    *y = tapY;
}

int ChartPenDown(int x, int y) {
    const int width = chartState.chartWidth, height = chartState.chartHeight;
    if (Inside(x, y, 0, 0, width, ScaleY(21))) return 0;
    if (preferences.word[kPrefHideCompass] == 0 && Inside(x, y, 0, height - 40, 60, 40)) {
        if (selectionCurrentRow < 0 && chartSelection.number > 0) {
            AddObjectToSelection(&chartSelection, -1);
            RefreshChartObjectList();
        }
        GotoForm(kCompassForm);
        return 1;
    }
    if (preferences.word[kPrefHideToolBar] == 0 && Inside(x, y, width - 11, ScaleY(21), 11, 160)) return 0;
    if (Inside(x, y, width - ScaleX(31), height - ScaleY(10), ScaleX(30), ScaleY(10))) return 0;
    chartTimeRecord.scrolling = 0;
    tapArmed = 1;
    tapX = x;
    tapY = y;
    return 1;
}

int ChartPenUp(int x, int y) {
    if (Inside(x, y, 0, 0, chartState.chartWidth, 15)) return 0;
    int result = 0;
    if (tapArmed == 1) {
        if (scopeConnected) EraseScopeMarker();
        const XywhRect& box = chartRecord.pictureBox;
        if (Inside(x, y, box.x, box.y, box.width, box.height)) {
            ChartButtonCommand(kChartPictureBox);
            tapArmed = 0;
            return 1;
        }
        if (chartView >= 2) {
            tapArmed = 0;
            return IdentifySkyMapTap(x, y);
        }
        result = IdentifyHorizonChartTap(x, y);
    }
    tapArmed = 0;
    return result;
}

int IdentifyHorizonChartTap(int x, int y) {
    if (tapArmed != 1) return 0;
    tapArmed = 0;
    if (!Inside(x, y, 0, ScaleY(21), chartState.chartWidth, chartState.chartHeight)) return 0;
    if (Inside(x, y, ScaleX(15), ScaleY(21), ScaleX(40), ScaleY(30)) && scopeConnected && !IsEncoderDrive()) {
        ShowInformation("Please use hardware Keys to control your scope", "");
        return 1;
    }
    bool wrapped = false;
    if (chartView == 1) {
        const double pxPerDeg = chartRecord.xScale / 65536.0;
        double degrees = pxPerDeg != 0 ? (chartState.originX - x) / pxPerDeg : 0;
        if (degrees < 0 || degrees > 360) {
            degrees += degrees < 0 ? 360 : -360;
            x = static_cast<int>(chartState.originX - degrees * pxPerDeg);
            wrapped = true;
        }
    }
    const ObjectRecord previous = chartSelection;
    const int s = GetScreenScale();
    IdentifyNearestObject(x, y, 3 * s);
    if (wrapped) IdentifyNearestObject(x, y, 12 * s);
    if (const int position = CurrentSelectionEntry(); position >= 0) MarkSelectedEntry(&selectionList[position]);
    DrawHorizonPickInPlace(previous);
    switch (preferences.word[kTapModeWord]) {
        case 0: {
            // The form takes the chart's place; a star or a point is also the chart's new centre.
            const bool recentre = chartSelection.objectType == kTypeStar || selectionCurrentRow < 0;
            if (recentre) chartState.chartDirty = 1;
            ShowChartObjectInfo();
            if (recentre && ChartFormWindow()) RedrawSkyChart();
            break;
        }
        case 2: RedrawDirty(); break;
        default:
            if (PickNearEdge()) RedrawDirty();
            break;
    }
    return 1;
}

int IdentifyNearestObject(int x, int y, int r) {
    if (PickListEntry(x, y, r) || PickDrilldown(x, y, r) || PickBrightStar(x, y, r) || PickCatalogueStar(x, y, r))
        return 1;
    PickSkyPoint(x, y);
    return 1;
}

void ShowChartObjectInfo() {
    const int position = CurrentSelectionEntry();
    // A listed planet, comet or asteroid at its place of the chart's time; a listed body off the
    // shown rows (below the horizon) is still that body.
    const SelectionEntry* listed = ListedEntryAt(position, currentDateTime);
    if (!listed && ListedPlacesAt(currentDateTime)) listed = FindListedBody(chartSelection);
    if (listed) {
        HandOverEntry(*listed);
    } else if (chartSelection.number != -1) {
        WriteStarInfoText(chartSelection);
        AddPickToSelection(chartSelection);
        SetSelectedObject(&chartSelection, 6);
    }
    GotoForm(kObjectInfoForm);
}

void ResetChartTaps() {
    tapArmed = 0;
    tapX = tapY = pickX = pickY = 0;
}
