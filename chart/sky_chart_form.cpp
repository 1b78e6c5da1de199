#include "chart/sky_chart_form.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "catalog/constellation_lines.h"
#include "catalog/object_catalog.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_keys.h"
#include "chart/chart_manual_input.h"
#include "chart/chart_taps.h"
#include "chart/sky_chart_input.h"
#include "chart/chart_overlays.h"
#include "chart/chart_redraw.h"
#include "chart/chart_scope.h"
#include "chart/chart_views_popup.h"
#include "chart/scope_marker.h"
#include "chart/chart_state.h"
#include "chart/chart_status.h"
#include "chart/chart_views.h"
#include "chart/chart_zoom.h"
#include "chart/horizon_projection.h"
#include "chart/image_markers.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/save_under.h"
#include "chart/sky_chart_opening.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/julian_day.h"
#include "objects/finder_open.h"
#include "objects/object_selection.h"
#include "objects/selection_search.h"
#include "platform/controls.h"
#include "platform/drawing.h"
#include "platform/paint.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "scope/scope_services.h"
#include "tools/edit_date_time.h"
#include "tools/observer_log_open.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/markers.h"
#include "ui/offscreen.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

int32_t chartFirstPaint = 1;
int32_t chartPenArmed = 0;
int32_t chartDistanceDisplay = 0;
uint32_t chartTimerPeriodMs = 0;

namespace {

constexpr uintptr_t kChartTimer = 1;
constexpr int kPreferencePage5 = 1476;
constexpr int kObjectRows = 110, kObjectRowsVisible = 18;
constexpr int kTapModeWord = 40;
constexpr int kCursorBlinking = 1;
constexpr int kFilterRowsRedrawn = 8;  // rows 8..10 of 1909 leave the form
constexpr int kFromAccelerator = 1;    // WM_COMMAND's high word for a command of the accelerator table
constexpr pl::ColorRef kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr uint16_t kWhite555 = 0x7FFF;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

constexpr const char* kViewRows[] = {"Wizard", "NightMode", "General Settings", "Zoom Settings", "Display Settings",
                                     "\x95 Sky Map", "\x95 Horizon View", "\x95 Whole Sky", "\x95 Visible Sky",
                                     "\x95 Equatorial Sky"};
constexpr const char* kZoomRows[] = {"180\xB0", "150\xB0", "120\xB0", "90\xB0", "60\xB0", "45\xB0", "30\xB0",
                                     "20\xB0",  "10\xB0",  "5\xB0",   "2.5\xB0", "1.5\xB0", "1\xB0", "0.5\xB0"};
constexpr const char* kScopeRows[] = {"2-StarAligment",   "N-StarAligment", "Goto Object",  "Get Scope RA&Dec",
                                      "ScopeAssistant",   "SkyChart Control", "Improve Pointing", "Change Scope",
                                      "Sync Coord"};
constexpr const char* kFilterRows[] = {"All",    "Star",   "Cluster",    "Double Star", "Galaxy",        "Nebula",
                                       "Planet", "Clear List", "Edit List", "Load/Save List", "Load Catalog"};
constexpr const char* kDirectionRows[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};

constexpr int kRegistered[] = {kChartBack,        kChartViewsTrigger,  kChartZoomTrigger, kChartScopeTrigger,
                               kChartFinder,      kChartFilterTrigger, kChartObjectTrigger, kChartDateTime,
                               kChartObjectInfo,  kChartToolStrip,     kChartPreferences, kChartOrientationTrigger,
                               kChartLogEntry,    kChartNames,         kChartDrilldown,   kChartGrid,
                               kChartTelrad,      kChartDistance,      kChartTurnToObject, kChartDirectionTrigger,
                               kChartManualRaDec, kChartManualAltAz,   kChartGoto};

pl::ShActivateInfo activateInfo{};
bool timerBusy = false;

// Adds the rows in the reverse of the shown order (each new row goes to the top).
template <std::size_t N>
void AddRows(pl::Hwnd form, int listId, const char* const (&rows)[N]) {
    for (std::size_t i = N; i-- > 0;) AddListRow(form, listId, rows[i]);
}

template <std::size_t N>
void InitTextPopup(pl::Hwnd form, int trigger, int list, const char* const (&rows)[N], int selection, int bitmap) {
    AddRows(form, list, rows);
    InitPopupList(form, trigger, list, -1, 0, selection);
    SetPopupDisplay(form, trigger, bitmap, 1, kWhite555);
}

void WhiteKeyed(pl::Hwnd form, int id, int bitmap) { InitBitmapButton(form, id, bitmap, 1, kWhite); }
void BlackKeyed(pl::Hwnd form, int id, int bitmap) { InitBitmapButton(form, id, bitmap, 1, kBlack); }

void OrientationTriggerRow(int, int, int, int, int, int) {}

void InitChartControls(pl::Hwnd form) {
    BlackKeyed(form, kChartBack, 5074);
    InitPopupList(form, kChartObjectTrigger, kChartObjectList, kObjectRows, kObjectRowsVisible, GetChartSelectionRow());
    if (GetNightMode() == 0) SetPopupDisplay(form, kChartObjectTrigger, 125, 1, kWhite555);
    InitTextPopup(form, kChartViewsTrigger, kChartViewsList, kViewRows, GetChartViewRow(), 2254);
    InitTextPopup(form, kChartZoomTrigger, kChartZoomList, kZoomRows, GetChartZoomRow(), 5139);
    InitTextPopup(form, kChartScopeTrigger, kChartScopeList, kScopeRows, 0, 5070);
    BlackKeyed(form, kChartFinder, 5124);
    InitTextPopup(form, kChartFilterTrigger, kChartFilterList, kFilterRows, GetChartClassFilterRow(), 5096);
    BlackKeyed(form, kChartDateTime, 120);
    BlackKeyed(form, kChartObjectInfo, 5125);
    WhiteKeyed(form, kChartToolStrip, 1919);
    WhiteKeyed(form, kChartPreferences, 5143);
    const int choice = std::clamp(GetZoomViewChoice(), 0, 3);
    InitPopupList(form, kChartOrientationTrigger, kChartOrientationList, 4, 4, choice);
    SetPopupDisplay(form, kChartOrientationTrigger, 1682 + choice, 1, kWhite555);
    SetControlHook(form, kChartOrientationTrigger, OrientationTriggerRow);
    const int buttons[][2] = {{kChartLogEntry, 5121}, {kChartNames, 1921},  {kChartDrilldown, 1916},
                              {kChartGrid, 5122},     {kChartTelrad, 5123}, {kChartDistance, 5140},
                              {kChartTurnToObject, 5118}};
    for (const auto& b : buttons) WhiteKeyed(form, b[0], b[1]);
    InitTextPopup(form, kChartDirectionTrigger, kChartDirectionList, kDirectionRows, 0, 5097);
    for (const auto& b : {std::pair{kChartManualRaDec, 5116}, {kChartManualAltAz, 5117}, {kChartGoto, 5119}})
        WhiteKeyed(form, b.first, b.second);
}

void InitSkyChart(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, -1, nullptr);
    InitChartControls(form);
    chartFirstPaint = 1;
    StartChartTimer(0);
    pl::Rect client;
    pl::GetClientRect(form, &client);
    LayoutChartForm(form, client.Width(), client.Height());
}

void CloseSkyChart(pl::Hwnd form) {
    ReleaseSkyChart();
    ReleaseSkyChartControls(form);
}

// The boxes on the chart that the status lines the view shows clear.
int ShownStatusBoxes(pl::Rect boxes[2]) {
    const StatusTexts& shown = chartView < 2 ? chartStatusTexts : skyMapStatusTexts;
    const XywhRect& v = chartRecord.viewRect;
    for (int i = 0; i < shown.count; ++i) boxes[i] = XywhToRect(StatusLineBox(shown.line[i], v.x, v.y + v.height));
    return shown.count;
}

// The field-of-view label at `top` in the dials' place, on the chart's
// background as the status lines are (stars and names under it would make it
// unreadable): both its cells cleared first, then its lines written
// transparent, so that in a face taller than their 10 scaleY spacing the
// second line's cell does not cut into the first line's letters.
void DrawFovLabelOnBackground(int top) {
    const int zoom = chartState.chartZoomIndex;
    SetClip(XywhRect{0, 0, ChartCornerWidth(), chartState.chartHeight});
    pl::Rect cells[2];
    MeasureFovLabel(0, top, zoom, cells);
    const pl::ColorRef foreground = SetForeColor(chartRecord.palette.background);
    for (const pl::Rect& c : cells) FillRectangle(XywhRect{c.left, c.top, c.Width(), c.Height()}, 0);
    SetForeColor(foreground);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    DrawFovLabel(0, top, zoom);
    SetTextTransparent(transparent);
    pl::SelectClipRect(GetDrawDc(), nullptr);
}

// Redraw with the dials left out and the field-of-view label in their place,
// left of the status lines' place texts and clear of their date.
void RedrawWithFovLabel() {
    int32_t& hideCompass = preferences.word[kPrefHideCompass];
    const int32_t kept = hideCompass;
    hideCompass = 1;
    RedrawSkyChart();
    pl::Rect status[2];
    const int statusLines = ShownStatusBoxes(status);
    DrawFovLabelOnBackground(
        FovLabelTop(chartState.chartHeight - ScaleY(23), chartState.chartZoomIndex, status, statusLines));
    hideCompass = kept;
}

// The date and time form on the chart time (reloaded from the device first
// while it follows the device); a time taken with Ok is kept to the minute and
// runs on from that moment (the redraw moves the list's planets and comets);
// after Cancel the time and the chart clock go on as they were.
void EditChartDateTime() {
    DateTime& t = currentDateTime;
    if (dateTimeFixed == 0) LoadDateTimeFromDevice();
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (DateTimeEditConfirmed()) {
        SetCurrentDateTime(t.year, t.month, t.day, t.hour, t.minute, 0);
        RestartChartTime();
    }
    RedrawSkyChart();
}

void ToggleWord(int word) {
    preferences.word[word] = (preferences.word[word] + 1) % 2;
}

// Turns the Sky Map once so that the selected object is straight up.
void TurnToSelection() {
    FreeChartBitmaps();
    if (chartView == 0) RedrawCentredOnSelection();
    else RedrawSkyChart();
}

void ShowSelectionPicture() {
    const int position = CurrentSelectionEntry();
    if (position < 0) return;
    const XywhRect& box = chartRecord.pictureBox;
    if (ShowChartObjectImage(chartRecord.offscreen, position, box.x, box.y) == 2) RedrawSkyChart();
}

void ClearSaveUnderPositions() {
    chartStatusBox.x = chartStatusBox.y = 0;
    chartMarkerBox.x = chartMarkerBox.y = 0;
}

void ChooseOrientation() {
    const int row = Get(kChartOrientationList);
    if (row < 0) return;
    const int zoom = std::max(chartState.chartZoomIndex, 0);
    RequestChartReprojection();
    preferences.word[zoom < 10 ? kPrefZoomViewFirst + zoom : kPrefZoomViewFirst + 9] = row;
    SetChartButtonBitmaps(zoom);
    RedrawSkyChart();
}

void ChooseZoom() {
    const int row = Get(kChartZoomList);
    if (row < 0) return;
    if (scopeConnected) EraseScopeMarker();
    ChangeChartZoom(row);
}

void ChooseObjectRow() {
    const int row = Get(kChartObjectList);
    if (row < 0) return;
    RestoreChartLabel();
    FreeChartBitmaps();
    if (row != selectionCurrentRow) RequestChartReprojection();
    ClearSaveUnderPositions();
    SetCurrentSelectionRow(row);
    RedrawSkyChart();
}

void RunPopupCommand(int listId) {
    switch (listId) {
        case kChartOrientationList: ChooseOrientation(); return;
        case kChartZoomList: ChooseZoom(); return;
        case kChartObjectList: ChooseObjectRow(); return;
        case kChartViewsList: ChartViewsPopupCommand(); return;
        case kChartScopeList: ScopePopupCommand(&chartSelection, &scopeConnected); return;
        case kChartDirectionList: {
            const int row = Get(kChartDirectionList);
            if (row >= 0) SetChartDirection(row);
            return;
        }
        case kChartFilterList: {
            const int row = Get(kChartFilterList);
            ApplyChartListFilter(row);
            if (row >= 0 && row < kFilterRowsRedrawn) RedrawSkyChart();
            return;
        }
        default: return;
    }
}

void RunInForm(pl::Hwnd form, int (*command)(int), int id) {
    InitDrawWindowOwnDc(form);
    command(id);
    if (GetCurrentFormDialog() == form && pl::IsWindow(form)) SaveScreen();
}

// The telescope's cross or the blinking target mark, then the chart clock.
void Tick(pl::Hwnd form) {
    InitDrawWindowOwnDc(form);
    int drawn = 0;
    if (preferences.word[kPrefCursor] != 0 || scopeConnected) drawn = DrawScopeMarker(0.0f, 0.0f);
    if (ChartFormWindow() != form) return;
    const int stepped = UpdateChartTime(0);
    if (stepped) RedrawSkyChart();
    if (drawn || stepped || preferences.word[kPrefCursor] == kCursorBlinking) SaveScreen();
}

// A tick that comes while an earlier one waits in a message box (a telescope
// that failed to answer) is left out, so the failure is told once.
void OnTimer(pl::Hwnd form) {
    if (timerBusy) return;
    timerBusy = true;
    Tick(form);
    timerBusy = false;
}

void MeasureItem(pl::MeasureItem* item) {
    if (!item) return;
    if (item->ctlId == kChartOrientationList) item->itemHeight = ScaleX(18);
    if (item->ctlId == kChartObjectList) item->itemHeight = ScaleY(16);
}

void ListRow(int16_t row, const XywhRect& rect, int, int) { DrawChartListRow(row, rect); }

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (!item) return;
    if (item->ctlId == kChartOrientationList) DrawOwnerItem(form, item, DrawOrientationRow);
    if (item->ctlId == kChartObjectList) DrawOwnerItem(form, item, ListRow);
}

// A new screen size or resolution: the scales are measured again and the
// horizon zoom table is scaled anew at the next redraw, so the reopened chart
// and its controls are laid out for the new screen.
void TakeNewScreen() {
    InitDisplayScale();
    ResetScreenScale();
    ResetChartZoomTables();
}

void EraseTopStrip(pl::Hwnd form, pl::Hdc dc) {
    pl::Rect client;
    pl::GetClientRect(form, &client);
    pl::FillRect(dc, pl::Rect{client.left, client.top, client.right, ScaleY(21)}, GetBackgroundBrush());
}

}  // namespace

uint32_t ChartTimerPeriod(int afterTap) {
    const int mode = preferences.word[kPrefCursor];
    if (!afterTap) return mode == 1 ? 1000 : 10000;
    if (mode != 0) return 1000;
    return scopeConnected ? 250 : 10000;
}

void StartChartTimer(int afterTap) { RunChartTimer(ChartTimerPeriod(afterTap)); }

void RunChartTimer(uint32_t periodMs) {
    pl::Hwnd form = ChartFormWindow();
    if (!form) form = GetCurrentFormDialog();
    if (!form) return;
    chartTimerPeriodMs = periodMs;
    pl::SetTimer(form, kChartTimer, chartTimerPeriodMs);
}

void StopChartTimer() {
    if (pl::Hwnd form = ChartFormWindow()) pl::KillTimer(form, kChartTimer);
    chartTimerPeriodMs = 0;
}

void ChangeChartZoom(int step) {
    ClearSaveUnderPositions();
    if (step != chartState.chartZoomIndex) RequestChartReprojection();
    SetChartZoom(step);
    RedrawWithFovLabel();
    SetPopupList(kChartZoomTrigger, kChartZoomList, chartState.chartZoomIndex);
    SetChartButtonBitmaps(std::min(chartState.chartZoomIndex, 9));
}

void RequestChartReprojection() {
    InvalidateHorizonProjection();
    chartState.chartDirty = 1;
}

void RedrawCentredOnSelection() {
    chartState.chartSelectionIndex = -3;
    RequestChartReprojection();
    int32_t& tapMode = preferences.word[kTapModeWord];
    const int32_t kept = tapMode;
    tapMode = 2;
    RedrawSkyChart();
    tapMode = kept;
}

void ReleaseSkyChartControls(pl::Hwnd form) {
    pl::KillTimer(form, kChartTimer);
    chartTimerPeriodMs = 0;
    chartFirstPaint = 1;
    chartPenArmed = 0;
    for (int id : kRegistered) ReleaseControl(form, id);
}

void OpenSkyChart() {
    pl::Hwnd form = GetCurrentFormDialog();
    chartRecord.pictureBox = XywhRect{0, ScaleY(21), ScaleX(40), ScaleY(40)};
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    chartState.chartWidth = width;
    chartState.chartHeight = height;
    ShowLoadingSky(form, width);
    PrepareChartOpening();
    // Newest even when an earlier visit left it deeper in the history: the
    // forms opened from the chart come back to it, and its Back goes to the
    // form that opened it.
    PushFormHistoryNewest(kSkyChartFormId);
    SetPopupList(kChartZoomTrigger, kChartZoomList, chartState.chartZoomIndex);
    FillListForChart();
    KeepChartStarColours();
    DeleteOffscreenWindow(chartRecord.offscreen);
    chartRecord.offscreen = CreateOffscreenDib(width, height, 16);
    if (!chartRecord.offscreen) ShowInformation("Can't allocate offscreen window", "");
    ApplyChartListFilter(GetChartClassFilterRow());
    SetPopupList(kChartZoomTrigger, kChartZoomList, chartState.chartZoomIndex);
    SetChartButtonBitmaps(chartState.chartZoomIndex);
    RedrawWithFovLabel();
}

int ChartButtonCommand(int id) {
    switch (id) {
        case pl::IDOK:
        case kChartBack: GoBackToPreviousForm(); return 1;
        case kChartPictureBox: ShowSelectionPicture(); return 1;
        case kChartPreferences:
            PushFormHistory(kPreferencePage5);
            GotoForm(kPreferencePage5);
            return 1;
        case kChartLogEntry:
        case 1888: OpenObserverLogNewEntry(); return 1;
        case kChartDateTime:
        case 1878: EditChartDateTime(); return 1;
        case kChartFinder: OpenFinder(kSkyChartFormId, -1); return 1;
        case kChartTelrad: ToggleWord(kPrefTelrad), RedrawSkyChart(); return 1;
        case kChartGrid: ToggleWord(kPrefHideGrid), RedrawSkyChart(); return 1;
        case kChartNames: ToggleWord(kPrefObjectNames), RedrawSkyChart(); return 1;
        case kChartDrilldown:
            FindObjectIndexRecord(0);
            ToggleWord(kPrefObjDrilldown);
            RedrawSkyChart();
            return 1;
        case kChartDistance: chartDistanceDisplay = (chartDistanceDisplay + 1) % 2; return 1;
        case kChartToolStrip:
            ToggleWord(kPrefHideToolBar);
            MatchChartToolStrip();
            RedrawSkyChart();
            return 1;
        case kChartTurnToObject: TurnToSelection(); return 1;
        case kChartObjectInfo:
        case 1879: ShowChartObjectInfo(); return 1;
        case kChartManualRaDec: RunChartManualInput(0); return 1;
        case kChartManualAltAz: RunChartManualInput(1); return 1;
        case kChartGoto: GotoChartSelection(&chartSelection); return 1;
        default: return 0;
    }
}

int ChartPopupCommand(int listId) {
    pl::Hwnd form = ChartFormWindow();
    if (!form) return 0;
    const bool leaves = listId == kChartFilterList && Get(kChartFilterList) >= kFilterRowsRedrawn;
    if (leaves) {
        RunPopupCommand(listId);
        return 1;
    }
    pl::Invalidate(form, nullptr, false);
    InitDrawWindowOwnDc(form);
    RunPopupCommand(listId);
    if (ChartFormWindow() != form) return 1;
    EraseTopStrip(form, GetDrawDc());
    SaveScreen();
    if (listId == kChartZoomList || listId == kChartOrientationList) RedrawControl(form, kChartOrientationTrigger);
    pl::Validate(form, nullptr);
    return 1;
}

pl::LResult SkyChartDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
        case pl::WM_INITDIALOG: InitSkyChart(form); return 1;
        case pl::WM_PAINT: PaintForm(form, OpenSkyChart, &chartFirstPaint, 0, 0); return 1;
        case pl::WM_ERASEBKGND: EraseTopStrip(form, reinterpret_cast<pl::Hdc>(wParam)); return 1;
        case pl::WM_MEASUREITEM: MeasureItem(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
        case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
        case pl::WM_TIMER:
            if (wParam == kChartTimer) OnTimer(form);
            return 1;
        case pl::WM_COMMAND: {
            const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
            if (id == kCmdCloseForm) {
                CloseSkyChart(form);
                DestroyCurrentForm();
                return 1;
            }
            if (list != 0 && list != kFromAccelerator) ChartPopupCommand(list);
            else RunInForm(form, ChartButtonCommand, id);
            return 1;
        }
        case pl::WM_CLOSE: CloseSkyChart(form); return 0;
        case pl::WM_LBUTTONDOWN: OnChartPenDown(form, pl::PointX(lParam), pl::PointY(lParam)); return 1;
        case pl::WM_MOUSEMOVE:
            if (wParam & pl::MK_LBUTTON) OnChartPenMove(form, pl::PointX(lParam), pl::PointY(lParam));
            return 1;
        case pl::WM_LBUTTONUP: OnChartPenUp(form, pl::PointX(lParam), pl::PointY(lParam)); return 1;
        case pl::WM_KEYDOWN: return OnChartKey(form, ChartKeyOfVirtualKey(static_cast<int>(wParam)));
        case pl::WM_CHAR: return OnChartKey(form, ChartKeyOfCharacter(static_cast<int>(wParam)));
        case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
        case pl::WM_SETTINGCHANGE:
            if (wParam == pl::SETTINGCHANGE_RESET) TakeNewScreen();
            HandleFormSettingChange(form, wParam, lParam, &activateInfo);
            return 1;
        default: return 0;
    }
}

void ResetSkyChartForm() {
    timerBusy = false;
    chartFirstPaint = 1;
    chartPenArmed = 0;
    chartDistanceDisplay = 0;
    chartTimerPeriodMs = 0;
}
