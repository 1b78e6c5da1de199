#include "objects/finder_detail_view.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_lookup.h"
#include "catalog/object_pictures.h"
#include "catalog/screens/dreyer_view.h"
#include "chart/chart_symbols.h"
#include "core/angle_text.h"
#include "core/text_numbers.h"
#include "objects/finder_form.h"
#include "objects/finder_lookup.h"
#include "objects/object_texts.h"
#include "objects/selected_object.h"
#include "objects/selection_search.h"
#include "objects/visibility_view.h"
#include "ui/bitmaps.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/primitives.h"
#include "ui/form_controls.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kEyeBitmap = 1943;
constexpr int kTypeMeteor = 29;
// Design pixels of the 240 x 320 layout.
constexpr int kAreaTop = 64;
constexpr int kSymbolX = 14, kSymbolY = 80, kEyeX = 26, kEyeY = 68;
constexpr int kPairsTop = 154, kRowHeight = 13;
constexpr int kLeftLabel = 4, kLeftValue = 46, kRightLabel = 122, kRightValue = 160;
// The bar's 24 hour cells are width / 25 + 1 wide: 224 keeps its last "0h" inside the screen.
constexpr int kRiseSetLabel = 222, kBarTop = 236, kBarHeight = 18, kBarWidth = 224;
constexpr int kDescriptionTop = 258;

void Text(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

// A label in bold and its value, at row `row` of a column.
void Pair(const char* label, const char* value, int labelX, int valueX, int row) {
    const int y = ScaleY(kPairsTop + row * kRowHeight);
    const int font = SelectFont(1);
    Text(label, ScaleX(labelX), y);
    SelectFont(0);
    Text(value, ScaleX(valueX), y);
    SelectFont(font);
}

void Left(const char* label, const char* value, int row) { Pair(label, value, kLeftLabel, kLeftValue, row); }
void Right(const char* label, const char* value, int row) { Pair(label, value, kRightLabel, kRightValue, row); }

void ShowButton(int id, bool shown) {
    pl::Hwnd form = GetCurrentFormDialog();
    if (shown) ShowObject(form, id);
    else HideObject(form, id);
}

void DrawPosition(const ObjectRecord& r) {
    char text[32];
    Left("RA", HMSToStr(text, sizeof text, finderPosition[0]), 0);
    Left("Dec", DegToStr(text, sizeof text, finderPosition[1]), 1);
    Left("Alt", DegToStr(text, sizeof text, finderPosition[2]), 2);
    Left("Az", DegToStr(text, sizeof text, finderPosition[3]), 3);
    Left("Const", ConstellationAbbreviation(static_cast<int16_t>(r.constellation)), 4);
}

// Start, maximum, end and rate of a meteor shower; its gauge rating.
float DrawShower(const ObjectRecord& r) {
    const int row = r.number;
    if (row < 0 || row >= kMeteorShowerCount) return 0.0f;
    const MeteorShowerRow& m = meteorShowerTable[row];
    char text[24];
    FormatShowerDate(text, sizeof text, m.startDay, m.startMonth);
    Right("Start", text, 0);
    if (m.peakDay < 1) std::snprintf(text, sizeof text, "Variable");
    else FormatShowerDate(text, sizeof text, m.peakDay, m.peakMonth);
    Right("Max", text, 1);
    FormatShowerDate(text, sizeof text, m.endDay, m.endMonth);
    Right("End", text, 2);
    std::snprintf(text, sizeof text, "%d", m.zhr);
    Right("Zhr", text, 3);
    return MeteorShowerRating(m.classValue);
}

// Magnitude, best eyepiece and size; the gauge rating (bright stars and
// constellations 3.0, others by the visibility model).
float DrawObjectValues(int kind, const ObjectRecord& r) {
    const TelescopeRating rated = RateInTelescope(r, SelectionScopeLimit());
    char text[32];
    DoubleToStr(text, sizeof text, r.magnitude, 1);
    Right("Mag", text, 0);
    FormatBestEyepiece(text, sizeof text, rated.focalLength, rated.power);
    Right("Eye.", text, 1);
    DoubleToStr(text, sizeof text, r.size1, 1);
    Right("Size", text, 2);
    const bool easy = kind == kDesignationBrightStar || kind == kDesignationConstellation;
    return easy ? 3.0f : static_cast<float>(rated.rating);
}

// The record a Caldwell or Messier target stands for, for its description.
ObjectRecord DescribedRecord(int kind) {
    const SelectedObjectRecord& t = selectedObject;
    ObjectRecord r = t.record;
    if (kind == kDesignationCaldwell && !GetCaldwellObjectRecord(t.index - 1, &r)) r = t.record;
    if (kind == kDesignationMessier && !GetMessierObjectRecord(t.index - 1, &r)) r = t.record;
    return r;
}

void DrawDescription(int kind, int width, int height) {
    if (height <= ScaleY(320)) return;
    const ObjectRecord r = DescribedRecord(kind);
    const DreyerObject object{static_cast<int16_t>(r.designationId), r.number, static_cast<int16_t>(r.objectType)};
    XywhRect rect{0, ScaleY(kDescriptionTop), width, height - ScaleY(kDescriptionTop)};
    ShowDreyerDescription(&object, &rect);
}

void DrawFound(int kind, int width, int height) {
    const SelectedObjectRecord& t = selectedObject;
    const ObjectRecord& r = t.record;
    const bool pictured = kind != kDesignationUser &&
                          BuildImagePath(FinderImageName(kind).c_str(), kImageFolderCatalog, kind);
    ShowButton(kFinderCamera, pictured);
    ShowButton(kFinderEphemeris, true);
    ComputeFinderPlace();
    const int type = static_cast<int16_t>(r.objectType);
    DrawObjectSymbol(type, r.number, 1, ScaleX(kSymbolX), ScaleY(kSymbolY));
    if (t.altitude > 0.0) DrawBitmapMasked(kEyeBitmap, ScaleX(kEyeX), ScaleY(kEyeY));
    DrawPosition(r);
    const float rating = type == kTypeMeteor ? DrawShower(r) : DrawObjectValues(kind, r);
    DrawDifficultyGauge(kFinderGauge, rating);
    const int font = SelectFont(1);
    Text("Rise & Set", ScaleX(kLeftLabel), ScaleY(kRiseSetLabel));
    SelectFont(font);
    DrawAltitudeGraph24h(ScaleX(kLeftLabel), ScaleY(kBarTop), ScaleX(kBarWidth), ScaleY(kBarHeight),
                         static_cast<float>(finderRiseSet[3]), static_cast<float>(finderRiseSet[0]),
                         static_cast<float>(finderRiseSet[1]), static_cast<float>(finderRiseSet[2]),
                         finderRiseSetEvents);
    DrawDescription(kind, width, height);
}

}  // namespace

void DrawFinderDetail(int kind) {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    EraseRectangle(XywhRect{0, ScaleY(kAreaTop), width, height - ScaleY(kAreaTop)});
    if (!selectedObject.found) {
        ShowButton(kFinderCamera, false);
        ShowButton(kFinderEphemeris, false);
        ShowButton(kFinderGauge, false);
        return;
    }
    ShowButton(kFinderGauge, true);
    DrawFound(kind, width, height);
}
