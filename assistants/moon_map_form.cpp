#include "assistants/moon_map_form.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assistants/moon_map.h"
#include "assistants/moon_map_view.h"
#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "chart/chart_clock.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/night_colors.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

MoonMapState moonMapState;

namespace {

constexpr int kBackButton = 6022;
constexpr int kOrientationTrigger = 5985;
constexpr int kOrientationList = 5986;
constexpr int kPictureButton = 5983;
constexpr int kInfoButton = 6021;
constexpr int kFeatureTrigger = 6046;
constexpr int kFeatureList = 6047;
constexpr int kZoomOut = 6037;
constexpr int kZoomIn = 6038;
constexpr int kDateButton = 6039;
constexpr int kMoonPictureFolder = 4;
constexpr int kFeaturePopupRows = 110;
constexpr int kFeaturePopupVisibleRows = 19;
constexpr int kOrientationRows = 4;
constexpr int kOrientationVisibleRows = 6;  // text rows of the list's height: room for the four 18-pixel rows
constexpr int kMoveSlack = 4;       // design pixels a pen may move before the map scrolls
constexpr int kMovedDistance = 6;   // pixels from the down point that make a move a drag
constexpr int kMovedUpward = 10;
// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kRegistered[] = {kBackButton, kOrientationTrigger, kPictureButton, kInfoButton, kFeatureTrigger,
                               kDateButton};

pl::Hwnd moonMapForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
// For each record n..2n-1 the list record of the same feature; built at open.
std::vector<int> listRows;

MoonMapState& State() { return moonMapState; }

XywhRect ViewRect() {
    const MoonMapState& s = State();
    return {0, 0, s.viewWidth, s.viewHeight - s.bottomStrip};
}

XywhRect ViewSource() {
    const MoonMapState& s = State();
    return {s.scrollX, s.scrollY, s.viewWidth, s.viewHeight - s.bottomStrip};
}

// A scroll offset kept within 0..limit (0 when the map is smaller than the view).
int ClampScroll(int value, int limit) { return std::max(0, std::min(value, limit)); }
int ClampScrollX(int value) { return ClampScroll(value, State().mapSize - State().viewWidth); }
int ClampScrollY(int value) {
    const MoonMapState& s = State();
    return ClampScroll(value, s.mapSize - s.viewHeight + s.bottomStrip);
}

// The popup row that names record `record`.
int ListRowOf(int record) {
    int n = GetMoonRecordCount();
    if (record < n) return record;
    size_t sorted = static_cast<size_t>(record - n);
    return sorted < listRows.size() ? listRows[sorted] : -1;
}

// The form becomes the draw window again (a box or dialog may have taken it).
void UseForm() {
    if (pl::IsWindow(moonMapForm)) InitDrawWindowOwnDc(moonMapForm);
}

void DrawHeader() {
    std::string line1, line2;
    FormatMoonMapHeader(currentDateTime, currentSite.zoneMinutes, &line1, &line2);
    DrawMoonMapHeader(line1, line2);
}

// The feature's place on the rendered map, mirrored as the map is.
void FeaturePlace(const MoonFeatureRecord& f, int* x, int* y) {
    const MoonMapState& s = State();
    int mx = s.flipX ? kMoonMapPixels - f.sortKey : f.sortKey;
    int my = s.flipY ? kMoonMapPixels - f.mapY : f.mapY;
    *x = mx * s.mapSize / kMoonMapPixels;
    *y = my * s.mapSize / kMoonMapPixels;
}

// Scrolls to the feature and shows its name, row and picture button.
void ShowFeature(const MoonFeatureRecord& f, int x, int y) {
    MoonMapState& s = State();
    s.scrollX = ClampScrollX(x - ScaleX(120));
    s.scrollY = ClampScrollY(y - ScaleX(120));
    SetPopupLabel(kFeatureTrigger, f.name);
    Set(kFeatureList, ListRowOf(s.selectedFeature));
    if (BuildImagePath(f.name, kMoonPictureFolder, 0)) ShowObject(moonMapForm, kPictureButton);
    else HideObject(moonMapForm, kPictureButton);
}

void DrawMarker(const MoonFeatureRecord& f, int x, int y) {
    const MoonMapState& s = State();
    int radius = f.mapSize + 4;
    if (s.zoomLevel == 1) radius /= 2;
    radius = std::max(radius, 10) * s.blitFactor;
    DrawMoonFeatureMarker((x - s.scrollX) * s.blitFactor, (y - s.scrollY) * s.blitFactor, radius, ViewRect());
    ShowObject(moonMapForm, kInfoButton);
    ShowObject(moonMapForm, kDateButton);
}

// The visible part of the map, the header and the selected feature's circle.
void DrawView() {
    MoonMapState& s = State();
    MoonFeatureRecord f;
    bool feature = s.selectedFeature >= 0 && GetMoonRecord(s.selectedFeature, &f);
    int x = 0, y = 0;
    if (feature) {
        FeaturePlace(f, &x, &y);
        ShowFeature(f, x, y);
    }
    CopyMoonMapView(ViewSource(), s.blitFactor);
    DrawHeader();
    if (feature) DrawMarker(f, x, y);
}

void Refresh() {
    MoonMapState& s = State();
    SetListItems(pl::GetDlgItem(moonMapForm, kFeatureList), nullptr, GetMoonRecordCount());
    Set(kFeatureList, ListRowOf(s.selectedFeature));
    s.bottomStrip = ScaleY(22);
    if (s.lastPenX == kMoonMapNeverDrawn) {
        s.scrollX = s.zoomLevel == 1 ? 0 : ScaleX(120);
        s.scrollY = 0;
    }
    DrawView();
}

void ShowZoomButtons() {
    const MoonMapState& s = State();
    if (s.zoomLevel == 1) {
        HideObject(moonMapForm, kZoomOut);
        ShowObject(moonMapForm, kZoomIn);
    } else if (static_cast<int>(displayScale.scaleX) != 2) {
        ShowObject(moonMapForm, kZoomOut);
        HideObject(moonMapForm, kZoomIn);
    }
}

void PrepareAndRender() {
    MoonMapState& s = State();
    s.penDown = 0;
    ShowZoomButtons();
    s.mapSize = MoonMapSize(s.zoomLevel);
    const DateTime& t = currentDateTime;
    RenderMoonMapOffscreen(s.zoomLevel, t.year, t.month, t.day, t.hour, t.minute, s.flipX, s.flipY);
}

// The first drawing of the form.
void OpenMoonMap() {
    MoonMapState& s = State();
    if (GetNightMode() != 0) ApplyNightModeColors(GetNightMode());
    DateTime& t = currentDateTime;
    if (t.year == 0) GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    PushFormHistory(kMoonMapForm);
    GetScreenSize(&s.viewWidth, &s.viewHeight);
    s.orientationRow = std::max(s.orientationRow, 0);
    if (static_cast<int>(displayScale.scaleX) == 2) s.zoomLevel = 2;
    listRows = BuildMoonListRows();
    PrepareAndRender();
    SetPopupList(kOrientationTrigger, kOrientationList, s.orientationRow);
    EraseRectangle(XywhRect{0, 15, s.viewWidth, s.viewHeight - 30});
    Refresh();
}

// The map moved by the pen from the last pen place to (x, y).
void ScrollTo(int x, int y) {
    MoonMapState& s = State();
    if (std::abs(x - s.penDownX) >= kMovedDistance || std::abs(y - s.penDownY) >= kMovedDistance ||
        s.lastPenY - y > kMovedUpward)
        s.moved = 1;
    s.scrollX = ClampScrollX(s.scrollX + s.lastPenX - x);
    s.scrollY = ClampScrollY(s.scrollY + s.lastPenY - y);
    s.lastPenX = x;
    s.lastPenY = y;
    CopyMoonMapView(ViewSource(), s.blitFactor);
}

void PenDown(int x, int y) {
    MoonMapState& s = State();
    s.penDown = PointInRect(x, y, ViewRect()) ? 1 : 0;
    if (!s.penDown) return;
    s.lastPenX = s.penDownX = x;
    s.lastPenY = s.penDownY = y;
    s.moved = 0;
}

void PenUp(int x, int y);

// Past the slack the map follows the pen until it is lifted; the lift (which
// the pen reading may take from the queue) is then handled once.
void PenMove(int x, int y) {
    MoonMapState& s = State();
    int slack = ScaleX(kMoveSlack);
    if (!s.penDown || (std::abs(x - s.lastPenX) < slack && std::abs(y - s.lastPenY) < slack)) return;
    UseForm();
    ScrollTo(x, y);
    for (;;) {
        int px = 0, py = 0, down = 0;
        GetPenState(&px, &py, &down);
        if (!down) break;
        FlushPenEvents();
        ScrollTo(px, py);
    }
    FlushPenEvents();
    PenUp(s.lastPenX, s.lastPenY);
}

void Pick(int x, int y) {
    MoonMapState& s = State();
    int mx = (s.scrollX + x) * kMoonMapPixels / s.mapSize;
    int my = (s.scrollY + y) * kMoonMapPixels / s.mapSize;
    if (s.flipX) mx = kMoonMapPixels - mx;
    if (s.flipY) my = kMoonMapPixels - my;
    int picked = PickMoonFeature(mx, my);
    if (picked == kMoonPickUnreadable) return;
    s.selectedFeature = picked;
    DrawView();
}

void PenUp(int x, int y) {
    MoonMapState& s = State();
    UseForm();
    DrawHeader();
    if (PointInRect(x, y, ViewRect()) && !s.moved && s.penDown) {
        Pick(x, y);
    } else if (s.moved) {
        ShowObject(moonMapForm, kInfoButton);
        ShowObject(moonMapForm, kDateButton);
    }
    s.moved = 0;
}

// Up, Down and the page keys scroll a pixel a pass, Left and Right step the
// time an hour a pass; each repeats while its key stays down.
pl::LResult Key(int key) {
    MoonMapState& s = State();
    int step = 0, minutes = 0;
    switch (key) {
    case pl::VK_PRIOR:
    case pl::VK_DOWN: step = 1; break;
    case pl::VK_NEXT:
    case pl::VK_UP: step = -1; break;
    case pl::VK_LEFT: minutes = -60; break;
    case pl::VK_RIGHT: minutes = 60; break;
    default: return 0;
    }
    UseForm();
    do {
        if (step != 0) {
            ScrollTo(s.lastPenX, s.lastPenY + step);
            continue;
        }
        s.selectedFeature = -1;
        DateTime& t = currentDateTime;
        AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, minutes);
        // A fixed time runs on from the step; one that follows the device
        // goes back to it at the chart clock's next step.
        if (dateTimeFixed != 0) RestartChartTime();
        PrepareAndRender();
        Refresh();
    } while (IsKeyDown(key));
    return 1;
}

void Zoom(int level) {
    MoonMapState& s = State();
    if (s.zoomLevel == level) return;
    UseForm();
    s.zoomLevel = level;
    s.lastPenX = s.lastPenY = -1;
    if (level == 1) {
        EraseRectangle(XywhRect{0, 0, s.viewWidth, s.viewHeight - ScaleX(13)});
        s.scrollX = s.scrollY = 0;
    } else {
        s.bottomStrip = ScaleY(22);
    }
    PrepareAndRender();
    Refresh();
}

// Rows 0 none, 1 top-bottom, 2 both ways, 3 left-right: the map is mirrored
// from the old flips to the new ones.
void ChooseOrientation(int row) {
    MoonMapState& s = State();
    if (row < 0 || row >= kOrientationRows) return;
    int flipX = row == 2 || row == 3, flipY = row == 1 || row == 2;
    MirrorMoonMap(s.flipX ^ flipX, s.flipY ^ flipY);
    s.flipX = flipX;
    s.flipY = flipY;
    s.orientationRow = row;
    SetPopupList(kOrientationTrigger, kOrientationList, row);
    UseForm();
    Refresh();
}

void ChooseFeature(int row) {
    MoonMapState& s = State();
    MoonFeatureRecord f;
    if (row < 0) return;
    if (row == s.selectedFeature) {
        if (GetMoonRecord(row, &f)) SetPopupLabel(kFeatureTrigger, f.name);
        return;
    }
    s.selectedFeature = row;
    UseForm();
    DrawView();
}

void ShowSelectedFeature(bool picture) {
    MoonMapState& s = State();
    MoonFeatureRecord f;
    if (s.selectedFeature < 0) {
        if (!picture) ShowInformation("Please select first a feature by clicking on the map.", "");
        return;
    }
    if (!GetMoonRecord(s.selectedFeature, &f)) return;
    if (picture) ShowObjectImage(f.name, 0, 0, s.viewWidth, s.viewHeight, true, kMoonPictureFolder, 0);
    else ShowInformation(MoonFeatureInfoText(f, currentDateTime, currentSite.zoneMinutes), "");
}

// A date and time taken with Ok runs on from that moment (the chart clock
// starts again from it); Cancel changes nothing.
void EditDate() {
    DateTime& t = currentDateTime;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (DateTimeEditConfirmed()) RestartChartTime();
    GotoForm(kMoonMapForm);
}

pl::LResult Command(int id) {
    switch (id) {
    case kZoomOut: Zoom(1); return 1;
    case kZoomIn: Zoom(2); return 1;
    case kOrientationList: ChooseOrientation(Get(kOrientationList)); return 1;
    case kFeatureList: ChooseFeature(Get(kFeatureList)); return 1;
    case kInfoButton: ShowSelectedFeature(false); return 1;
    case kPictureButton: ShowSelectedFeature(true); return 1;
    case kDateButton: EditDate(); return 1;
    case kBackButton:
    case pl::IDOK: GoBackToPreviousForm(); return 1;
    default: return 0;
    }
}

// Feature popup row i: the type code and name of record i.
void DrawFeatureRow(int16_t row, const XywhRect& rect, int, int) {
    MoonFeatureRecord f;
    if (!GetMoonRecord(row, &f)) return;
    const char* code = MoonFeatureTypeCode(f.type);
    int y = rect.y + (rect.height - ScaleY(12)) / 2;
    DrawPlainText(code, static_cast<int>(std::strlen(code)), rect.x + ScaleX(1), y);
    DrawPlainText(f.name, static_cast<int>(strnlen(f.name, sizeof f.name)), rect.x + ScaleX(18), y);
}

void DrawOrientationTrigger(int row, int x, int y, int width, int height, int) {
    DrawOrientationRow(static_cast<int16_t>(std::max(row, 0)), XywhRect{x, y, width, height}, 0, width);
}

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kOrientationList) DrawOwnerItem(form, item, DrawOrientationRow);
    if (item && item->ctlId == kFeatureList) DrawOwnerItem(form, item, DrawFeatureRow);
}

// Back, the popups, information and picture buttons move down to the screen's
// bottom; the clock and zoom buttons right and down.
void LayoutMoonMap(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    for (int id : {kBackButton, kFeatureTrigger, kOrientationTrigger, kInfoButton, kPictureButton})
        MoveControl(form, id, 0, dy, 0, 0);
    for (int id : {kDateButton, kZoomOut, kZoomIn}) MoveControl(form, id, dx, dy, 0, 0);
}

void InitMoonMap(pl::Hwnd form) {
    moonMapForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, -1, "");
    InitBitmapButton(form, kBackButton, 5074, 0, 0);
    InitBitmapButton(form, kInfoButton, 5125, 0, 0);
    InitBitmapButton(form, kDateButton, 120, 0, 0);
    InitBitmapButton(form, kPictureButton, 1941, 1, pl::Rgb(255, 255, 255));
    SetListItems(pl::GetDlgItem(form, kOrientationList), nullptr, kOrientationRows);
    InitPopupList(form, kOrientationTrigger, kOrientationList, kOrientationRows, kOrientationVisibleRows,
                  std::max(State().orientationRow, 0));
    SetControlHook(form, kOrientationTrigger, DrawOrientationTrigger);
    InitPopupList(form, kFeatureTrigger, kFeatureList, kFeaturePopupRows, kFeaturePopupVisibleRows, -1);
    firstPaint = 1;
    LayoutMoonMap(form);
}

// Night colours set again, the map freed, the controls released.
void CloseMoonMap(pl::Hwnd form) {
    if (GetNightMode() != 0) ApplyNightModeColors(GetNightMode());
    FreeMoonMapBitmap();
    listRows.clear();
    for (int id : kRegistered) ReleaseControl(form, id);
}

void Paint(pl::Hwnd form) {
    bool first = firstPaint == 1;
    PaintForm(form, OpenMoonMap, &firstPaint, ScaleY(22), 0);
    if (!first) DrawView();
}

void EraseAboveStrip(pl::Hwnd form, pl::Hdc dc) {
    pl::Rect client;
    if (!dc || !pl::GetClientRect(form, &client)) return;
    client.bottom -= ScaleY(22);
    pl::FillRect(dc, client, GetBackgroundBrush());
}

}  // namespace

void ResetMoonMapState() {
    FreeMoonMapBitmap();
    moonMapState = MoonMapState{};
    listRows.clear();
}

pl::LResult MoonMapProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitMoonMap(form); return 1;
    case pl::WM_PAINT: Paint(form); return 1;
    case pl::WM_ERASEBKGND: EraseAboveStrip(form, reinterpret_cast<pl::Hdc>(wParam)); return 1;
    case pl::WM_MEASUREITEM: {
        auto* item = reinterpret_cast<pl::MeasureItem*>(lParam);
        if (item && item->ctlId == kOrientationList) item->itemHeight = ScaleY(18);
        return 1;
    }
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case pl::WM_KEYDOWN: return Key(static_cast<int>(wParam));
    case pl::WM_LBUTTONDOWN: PenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_MOUSEMOVE: PenMove(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_LBUTTONUP: PenUp(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseMoonMap(form);
            DestroyCurrentForm();
            moonMapForm = nullptr;
            return 1;
        }
        return Command(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: CloseMoonMap(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
