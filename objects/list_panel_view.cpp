#include "objects/list_panel_view.h"

#include <algorithm>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_pictures.h"
#include "catalog/selection_list.h"
#include "chart/chart_symbols.h"
#include "chart/object_icons.h"
#include "chart/star_labels.h"
#include "core/list_date.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "objects/list_panel.h"
#include "objects/visibility_view.h"
#include "platform/text.h"
#include "ui/bitmaps.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTypeStar = 30;
constexpr int kNameShown = 20;
constexpr int kRa = 1804, kDec = 1805, kAz = 1806, kAlt = 1807, kTransitAltitude = 1817, kMagnitude = 1819;
constexpr int kConstellation = 1821, kTypeCode = 1822, kEyepiece = 1823, kSize = 1824, kDistance = 1825;
constexpr int kMagnitudeLabel = 1841, kEyepieceLabel = 1842, kSizeLabel = 1843;
constexpr int kClearedFields[] = {kRa, kDec, kAz, kAlt, kTransitAltitude, kMagnitude, kEyepiece, kSize, kDistance,
                                  kListPanelName};
// Design pixels of the 240 x 320 layout.
constexpr int kPictureX = 198, kPictureY = 26, kPictureSide = 42;
// The bar's hour cells are width / 25 + 1 wide: 124 keeps its 24 cells and
// its last "0h" inside the screen.
constexpr int kBarX = 97, kBarY = 240, kBarWidth = 124, kBarHeight = 18;
constexpr int kYearX = 100, kYearY = 277, kYearWidth = 140, kYearHeight = 15;

bool TallScreen() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    return height > 240 * displayScale.scaleY;
}

// The list's time becomes the current one: its own date and time (seconds 0),
// else the program's time as it runs (ListDateTime). A list date that is not
// the list's own (the night a kept list was made) is no time of its own.
DateTime PanelTime() {
    currentDateTime = ListDateTime();
    return currentDateTime;
}

void DrawTypePicture(int bitmap) {
    EraseRectangle(XywhRect{ScaleX(kPictureX), ScaleY(kPictureY), ScaleX(kPictureSide), ScaleY(kPictureSide)});
    if (bitmap > 0) DrawBitmap(bitmap, ScaleX(kPictureX), ScaleY(kPictureY));
}

void ShowPictureButton(const SelectionEntry& entry) {
    const PictureRequest p = ListEntryPicture(entry);
    if (BuildImagePath(p.name.c_str(), kImageFolderCatalog, p.kind)) ShowObject(GetCurrentFormDialog(), kListPanelPicture);
}

void SetTexts(const ListPanelTexts& t) {
    SetField(kMagnitudeLabel, t.shower ? "Start" : "Mag");
    SetField(kEyepieceLabel, t.shower ? "Max" : "Eyep");
    SetField(kSizeLabel, t.shower ? "End" : "Size");
    SetField(kRa, t.ra.c_str());
    SetField(kDec, t.dec.c_str());
    SetField(kAz, t.azimuth.c_str());
    SetField(kAlt, t.altitude.c_str());
    SetField(kTransitAltitude, t.transitAltitude.c_str());
    SetField(kMagnitude, t.magnitude.c_str());
    SetField(kConstellation, t.constellation.c_str());
    SetField(kTypeCode, t.typeCode.c_str());
    SetField(kEyepiece, t.eyepiece.c_str());
    SetField(kSize, t.size.c_str());
    SetField(kDistance, t.distance.c_str());
}

void DrawGraphs(const ListPanelTexts& t, const ObjectRecord& r, const DateTime& when) {
    if (!TallScreen()) return;
    DrawAltitudeGraph24h(ScaleX(kBarX), ScaleY(kBarY), ScaleX(kBarWidth), ScaleY(kBarHeight),
                         static_cast<float>(t.now), static_cast<float>(t.rise), static_cast<float>(t.transit),
                         static_cast<float>(t.set), t.events);
    DrawYearChart(ScaleX(kYearX), ScaleY(kYearY), ScaleX(kYearWidth), ScaleY(kYearHeight), when.year, when.month,
                  when.day, r.rightAscension, r.declination);
}

// The graphs' places emptied, where DrawGraphs draws them.
void EraseGraphs() {
    if (!TallScreen()) return;
    EraseRectangle(XywhRect{ScaleX(kBarX) - ScaleX(1), ScaleY(kBarY), ScaleX(kBarWidth) + 1, ScaleY(kBarHeight)});
    EraseRectangle(XywhRect{ScaleX(kYearX), ScaleY(kYearY), ScaleX(kYearWidth), ScaleY(kYearHeight)});
}

void ClearPanel() {
    for (int id : kClearedFields) SetField(id, "");
    DrawTypePicture(0);
}

}  // namespace

void DrawListEntryRow(const SelectionEntry& e, const XywhRect& rect) {
    const int cx = rect.x + ScaleX(8), cy = rect.y + rect.height / 2;
    if (e.objectType == kTypeStar)
        DrawObjectIcon(nullptr, 0, std::clamp(e.mag10 / 10, 0, 12), static_cast<int8_t>(e.smallCode), cx, cy);
    else
        DrawObjectSymbol(e.objectType, e.sourceIndex, 1, cx, cy);
    const int x = rect.x + ScaleX(18);
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), "Ap", &size);
    const int y = rect.y + (rect.height - size.height) / 2;
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    if (e.designation == kDesignationHr) DrawStarName(e.number, x, y, 0);
    else DrawPlainText(e.name, static_cast<int>(strnlen(e.name, kSelectionNameSize - 1)), x, y);
    SetTextTransparent(transparent);
}

int UpdateListPanel(int row) {
    HideObject(GetCurrentFormDialog(), kListPanelPicture);
    const int position = row >= 0 && row < selectionShownCount ? GetSelectionIndex(row) : -1;
    const bool inUse = position >= 0 && position < selectionCount;
    const DateTime when = inUse ? PanelTime() : currentDateTime;
    const SelectionEntry* listed = inUse ? ListedEntryAt(position, when) : nullptr;
    if (!listed) {
        ClearPanel();
        return -1;
    }
    const SelectionEntry entry = *listed;
    const ListPanelObject object = BuildListPanelObject(entry, when);
    SetCurrentObject(&object.record, entry.source);
    SetField(kListPanelName, std::string(object.name, strnlen(object.name, kNameShown)).c_str());
    DrawTypePicture(object.typeBitmap);
    ShowPictureButton(entry);
    // A planet without a place for the date shows its name and blank values.
    const ListPanelTexts texts =
        object.placeKnown ? ComputeListPanelTexts(object, entry.source, entry.sourceIndex, when) : ListPanelTexts{};
    SetTexts(texts);
    if (object.placeKnown) DrawGraphs(texts, object.record, when);
    else EraseGraphs();
    DrawDifficultyGauge(kListPanelGauge, texts.rating);
    SetCurrentSelectionRow(row);
    return position;
}
