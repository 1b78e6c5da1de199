#include "chart/chart_object_pass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "chart/chart_redraw.h"
#include "chart/chart_symbols.h"
#include "chart/chart_views.h"
#include "chart/horizon_passes.h"
#include "chart/horizon_projection.h"
#include "chart/image_markers.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/save_under.h"
#include "chart/star_labels.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTypeBody = 27;
constexpr int kTypeStar = 30;
constexpr int kClassDoubleStar = 5;  // search source code of double stars: no outline
constexpr int kTrueSizeFromZoom = 8;
constexpr double kSmallestOutline = 4.0;  // pixels of the major axis
constexpr double kRadToDeg = 57.2957795;

XywhRect labelRect{};    // where the selection's caption was drawn; width 0 for none
XywhRect pictureRect{};  // the picture box, while its thumbnail or picture mark is drawn

int NameLength(const char* name, int size) { return static_cast<int>(strnlen(name, static_cast<std::size_t>(size))); }

// The screen point of a place 1 degree north of the entry, for its position angle.
bool NorthPoint(const SelectionEntry& e, int32_t* x, int32_t* y) {
    int32_t a, b;
    if (!ProjectHorizonPlace(chartTimeRecord.lstHours, e.rightAscension, std::min(e.declination + 1.0f, 90.0f),
                             e.designation, &a, &b))
        return false;
    HorizonPointToScreen(a, b, x, y);
    return true;
}

// From zoom 8: the Sun's disc, the Moon's picture, a planet's circle and the
// outline of an extended object, at their true size (sizes are diameters).
void DrawTrueSize(const SelectionEntry& e, int x, int y) {
    const double perArcmin = HorizonPixelsPerArcminHalf(ChartCentreAltitude());
    const int r = static_cast<int>(e.size1 * perArcmin);
    if (e.objectType == kTypeBody) {
        if (r < 1 || r > 4 * std::max(chartState.chartWidth, chartState.chartHeight)) return;
        if (e.number == 0) {
            SetForeColor(GetNightMode() > 0 ? chartRecord.palette.label : chartRecord.palette.yellow);
            for (int dy = -r; dy <= r; ++dy) {
                const int dx = static_cast<int>(std::sqrt(static_cast<double>(r) * r - dy * dy));
                DrawLine(x - dx, y + dy, x + dx, y + dy);
            }
        } else if (e.number == 1) {
            DrawChartMoonPhase(2 * r, 2 * r, x - r, y - r, 1, 1);
        } else {
            SetForeColor(chartRecord.palette.object);
            DrawCircle(x, y, r);
            if (GetScreenScale() > 2) DrawCircle(x, y, r + 1);
        }
        return;
    }
    const double major = e.size1 * perArcmin, minor = e.size2 * perArcmin;
    int32_t nx, ny;
    if (e.size1 <= 0 || e.source == kClassDoubleStar || e.objectType == kTypeStar || 2 * major < kSmallestOutline ||
        major > 4.0 * std::max(chartState.chartWidth, chartState.chartHeight) || !NorthPoint(e, &nx, &ny) ||
        (nx == e.screenX && ny == e.screenY))
        return;
    double angle = std::atan2(static_cast<double>(ny - e.screenY), static_cast<double>(nx - e.screenX)) * kRadToDeg;
    angle = std::fmod(angle + 360.0 + e.smallCode, 360.0);
    SetForeColor(chartRecord.palette.object);
    DrawEllipse(x, y, static_cast<float>(major), static_cast<float>(minor), static_cast<float>(angle), 1, 1);
}

void DrawEntryName(const SelectionEntry& e, int x, int y) {
    if (e.designation == kDesignationHr) DrawStarName(e.number, x, y, 1);
    else DrawPlainText(e.name, NameLength(e.name, kSelectionNameSize - 1), x, y);
}

bool Drawn(const SelectionEntry& e, int32_t objectLimit10) {
    if (e.horizonHidden != 0 || !IsTypeInCurrentClass(e.objectType)) return false;
    return e.objectType == kTypeBody || e.mag10 <= objectLimit10 || e.alwaysShow != 0;
}

void DrawEntry(const SelectionEntry& e, int x, int y, int zoom, int scale) {
    if (e.objectType == kTypeStar) {
        if (e.designation != kDesignationBrightStar)
            DrawObjectIcon(nullptr, zoom, e.mag10 / 10, static_cast<int8_t>(e.smallCode), x, y);
    } else {
        DrawObjectSymbol(e.objectType, e.sourceIndex, scale, x, y);
    }
    if (zoom >= kTrueSizeFromZoom) DrawTrueSize(e, x, y);
    if (preferences.word[kPrefObjectNames] != 0 && e.alwaysShow == 0) DrawEntryName(e, x + ScaleX(5), y);
}

// An objectLimit of 100 or more passes every magnitude.
int32_t ObjectLimit10() {
    const double v = static_cast<double>(chartState.objectLimit) * 10.0;
    return v >= 1e9 ? INT32_MAX : static_cast<int32_t>(v);
}

}  // namespace

void MarkSelectedEntry(SelectionEntry* entry) {
    for (int i = 0; selectionList && i < selectionCount; ++i) selectionList[i].alwaysShow = 0;
    if (entry) entry->alwaysShow = 1;
}

void DrawChartObjectPass(const pl::Rect& r) {
    const ChartTimeRecord& t = chartTimeRecord;
    const int zoom = chartState.chartZoomIndex, scale = std::max(GetScreenScale(), 1);
    const int32_t limit = ObjectLimit10(), width = PanoramaWidth();
    SetTextColorRef(chartRecord.palette.text);
    for (int i = 0; selectionList && i < selectionCount; ++i) {
        SelectionEntry& e = selectionList[i];
        if (!Drawn(e, limit)) continue;
        if (t.scrolling) {
            e.screenX += t.scrollDx;
            e.screenY += t.scrollDy;
        } else {
            HorizonPointToScreen(e.chartX, e.chartY, &e.screenX, &e.screenY);
        }
        int x = e.screenX;
        const int y = e.screenY;
        if (y < r.top || y > r.bottom) continue;
        if (chartView == 1) x = WrapPanoramaX(x, r.left, r.right, width);
        if (x < r.left || x > r.right) continue;
        SetForeColor(chartRecord.palette.object);
        DrawEntry(e, x, y, zoom, scale);
    }
}

void DrawSelectedObjectName(int cx, int cy) {
    const ObjectRecord& rec = chartSelection;
    const double limit = static_cast<double>(chartState.objectLimit) * 10.0;
    if (rec.objectType != kTypeBody && selectionCurrentRow < 0 && rec.magnitude * 10.0 > limit)
        DrawObjectSymbol(static_cast<int>(rec.objectType), 0, GetScreenScale(), cx, cy);
    if (rec.designationId == kDesignationHr || rec.name[0] == '\0') return;
    const int fontSize = preferences.word[kPrefFontSize];
    const bool scaled = displayScale.scaleX > 1.0;
    const int font = scaled ? SelectFont(fontSize == 0 ? 4 : fontSize == 1 ? 0 : 1) : GetCurrentFontId();
    SetTextColorRef(chartRecord.palette.text);
    const int x = cx + ScaleX(5), y = cy - ScaleY(1);
    const int length = NameLength(rec.name, sizeof rec.name);
    if (fontSize == 0) DrawLabelText(rec.name, length, x, y);
    else DrawPlainText(rec.name, length, x, y);
    if (scaled) SelectFont(font);
}

bool IsEntryDrawnOnChart(const SelectionEntry& e) { return Drawn(e, ObjectLimit10()); }

void DrawChartSelectionLabel() {
    RestoreChartLabel();
    const int position = CurrentSelectionEntry();
    const ObjectRecord& rec = chartSelection;
    if (position < 0 || rec.objectType == 0 || rec.objectType == kTypeStar) return;
    const XywhRect box = chartRecord.pictureBox;
    pictureRect = box;
    SaveRestoreChartPatch(0, pictureRect, kPatchPicture);
    DrawImageMarker(box.x, box.y, position);
    if (displayScale.scaleX <= 1.0 || rec.name[0] == '\0') return;
    const int font = SelectFont(2);
    const int length = NameLength(rec.name, sizeof rec.name);
    labelRect = XywhRect{box.x, box.y + box.height + 1, CharsWidth(rec.name, length) + ScaleX(2), ScaleY(11)};
    SaveRestoreChartPatch(0, labelRect);
    SetTextColorRef(chartRecord.palette.label);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);  // over the chart, with no box of the window's own background
    DrawPlainText(rec.name, length, labelRect.x + ScaleX(1), labelRect.y);
    SetTextTransparent(transparent);
    SelectFont(font);
}

void RestoreChartLabel() {
    if (labelRect.width > 0) SaveRestoreChartPatch(1, labelRect);
    if (pictureRect.width > 0) SaveRestoreChartPatch(1, pictureRect, kPatchPicture);
    ForgetChartLabel();
}

void ForgetChartLabel() {
    labelRect = XywhRect{};
    pictureRect = XywhRect{};
}
