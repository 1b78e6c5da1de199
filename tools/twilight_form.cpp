#include "tools/twilight_form.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "assistants/planet_charts_view.h"
#include "catalog/designations.h"
#include "catalog/object_lookup.h"
#include "core/date_text.h"
#include "core/services.h"
#include "ephemeris/planet_names.h"
#include "objects/finder_open.h"
#include "objects/selected_object.h"
#include "platform/drawing.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "tools/night_chart.h"
#include "tools/twilight_graph.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kFinderCaldwell = 1, kFinderMessier = 5;
constexpr int kFirstPlanet = 2;
constexpr int kKeyCursorY = 80;
constexpr int kDragUnits = 3;
constexpr uint16_t kWhite555 = 0x7FFF;
constexpr int kRegistered[] = {kTwilightTitle,  kTwilightTimeBaseTrigger, kTwilightHelp,
                               kTwilightBack,   kTwilightFinder,          kTwilightPlanetTrigger,
                               kTwilightDateField, kTwilightToday};

constexpr const char* kTimeBaseRows[] = {"Local Time (LT)", "LT&DayLight", "Universal Time (UT)"};
constexpr const char* kPlanetRows[] = {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};

constexpr char kHelpText[] =
    "\x95 Display the sky darkness among the year and let you see the best period to observe an object (when the "
    "area between rise and set curves cross the darkest part of the chart).";
constexpr char kHelpDetail[] = "\x95 Tap on the graph or use navigation keys to find a particular date.";

pl::Hwnd twilightForm = nullptr;
int firstPaint = 1;
int tracking = 0;
pl::ShActivateInfo activateInfo{};

template <std::size_t N>
void InitRows(pl::Hwnd form, int trigger, int list, const char* const (&rows)[N], int selection) {
    for (std::size_t i = N; i-- > 0;) AddListRow(form, list, rows[i]);
    InitPopupList(form, trigger, list, -1, 0, selection);
}

void PlanetTriggerContent(int, int, int, int, int, int) {}

void TakeDeviceMonth() {
    int day = 0, hour = 0, minute = 0, second = 0;
    GetLocalDateTime(&graphYear, &graphMonth, &day, &hour, &minute, &second);
}

// The finder's target: a Caldwell or Messier entry by the record it stands
// for, named with its entry number; the name cut to 14 characters. A body of
// the planets catalogue is followed day by day and named as a planet chosen
// from the popup is, rather than frozen at its place of today.
void TakeFinderTarget() {
    ObjectRecord record{};
    int number = 0;
    const int kind = GetSelectedObject(&record, &number);
    ObjectRecord target = record;
    if (kind == kFinderCaldwell && !GetCaldwellObjectRecord(number - 1, &target)) target = record;
    if (kind == kFinderMessier && !GetMessierObjectRecord(number - 1, &target)) target = record;
    const char* prefix = DesignationPrefix(static_cast<int16_t>(target.designationId));
    const long targetNumber = target.number;
    char name[64];
    if (kind == kFinderCaldwell)
        std::snprintf(name, sizeof name, "C%d, %s%ld", number, prefix, targetNumber);
    else if (kind == kFinderMessier)
        std::snprintf(name, sizeof name, "M%d, %s%ld", number, prefix, targetNumber);
    else
        std::snprintf(name, sizeof name, "%s%ld", prefix, targetNumber);
    graphObjectRA = target.rightAscension;
    graphObjectDec = target.declination;
    graphObjectKind = static_cast<int16_t>(target.designationId);
    graphObjectIndex = target.number;
    const bool body = graphObjectKind == kDesignationPlanet && target.number >= 0 && target.number < kPlanetNameCount;
    graphPlanet = body ? target.number : -1;
    SetGraphObjectName(body ? planetNameTable[target.number] : name);
    graphObjectSet = 1;
}

// Drawn on the form's own context and kept as its picture.
template <typename Work>
int OnForm(Work work) {
    if (!pl::IsWindow(twilightForm)) return 0;
    InitDrawWindowOwnDc(twilightForm);
    const int done = work();
    if (done && GetCurrentFormDialog() == twilightForm) SaveScreen();
    return done;
}

int CursorTap(int x, int y) {
    const int inside = SetDateFromChartTap(x, y, kTwilightDateField, 0, graphYear, graphMonth);
    if (inside) graphCursorX = x;
    return inside;
}

void PenDown(int x, int y) {
    graphCursorX = x, graphCursorY = y;
    tracking = 1;
}

void PenMove(int x, int y) {
    if (!tracking) return;
    if (std::abs(x - graphCursorX) < ScaleX(kDragUnits) && std::abs(y - graphCursorY) < ScaleY(kDragUnits)) return;
    int down = 0;
    GetPenState(&x, &y, &down);
    FlushPenEvents();
    const int moved = OnForm([&] { return CursorTap(x, y); });
    FlushPenEvents();
    if (moved) tracking = 0;
}

void PenUp(int x, int y) {
    if (!tracking) return;
    OnForm([&] { return CursorTap(x, y); });
    tracking = 0;
}

// A date picked on the date field: its month starts the chart.
void EditChartDate() {
    int year = graphYear, month = graphMonth, day = graphDay, hour = 0, minute = 0, second = 0;
    EditDateTime(&year, &month, &day, &hour, &minute, &second);
    if (!DateTimeEditConfirmed()) return;
    graphYear = year, graphMonth = month, graphDay = day;
    OnForm([] {
        RedrawTwilightForm();
        return 1;
    });
}

void ChoosePlanet(int row) {
    if (row < 0 || row >= static_cast<int>(std::size(kPlanetRows))) return;
    const int body = kFirstPlanet + row;
    Show(twilightForm, kTwilightPlanetList, false);
    SetGraphObjectName(planetNameTable[body]);
    graphObjectRA = 0.0f;
    graphObjectDec = 0.0f;
    graphPlanet = body;
    graphObjectSet = 1;
}

void InitTwilightForm(pl::Hwnd form) {
    twilightForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    tracking = 0;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTwilightTitle, "Twilight");
    InitRows(form, kTwilightTimeBaseTrigger, kTwilightTimeBaseList, kTimeBaseRows, graphTimeBase);
    InitBitmapButton(form, kTwilightHelp, 5076, 1, pl::Rgb(0, 255, 0));
    InitBitmapButton(form, kTwilightBack, 5074, 0, 0);
    InitBitmapButton(form, kTwilightFinder, GetNightMode() != 0 ? 5134 : 5124, 0, 0);
    InitRows(form, kTwilightPlanetTrigger, kTwilightPlanetList, kPlanetRows, -1);
    SetPopupDisplay(form, kTwilightPlanetTrigger, 5152, 1, kWhite555);
    SetControlHook(form, kTwilightPlanetTrigger, PlanetTriggerContent);
    InitTextField(form, kTwilightDateField, 0);
    InitBitmapButton(form, kTwilightToday, 120, 0, 0);
    LayoutTwilightForm(form);
}

void CloseTwilightForm(pl::Hwnd form) {
    ReleaseAssistantBitmap();
    tracking = 0;
    ReleaseTwilightFormControls(form);
}

void EraseAboveStrip(pl::Hwnd form, pl::Hdc dc) {
    pl::Rect client;
    if (!dc || !pl::GetClientRect(form, &client)) return;
    client.bottom -= ScaleY(22);
    pl::FillRect(dc, client, GetBackgroundBrush());
}

pl::LResult Command(pl::Hwnd form, int id, int list) {
    if (id == kCmdCloseForm) {
        CloseTwilightForm(form);
        DestroyCurrentForm();
        twilightForm = nullptr;
        return 1;
    }
    if (id == pl::IDOK) id = kTwilightBack;
    return HandleTwilightControl(list != 0 ? list : id);
}

bool IsChartKey(int key) {
    return key == pl::VK_PRIOR || key == pl::VK_NEXT || (key >= pl::VK_LEFT && key <= pl::VK_DOWN) ||
           key == kTwilightKeyLeft || key == kTwilightKeyRight;
}

}  // namespace

void ReleaseTwilightFormControls(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : kRegistered) ReleaseControl(form, id);
}

void LayoutTwilightForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kTwilightHelp, dx, 0, 0, 0);
    for (int id : {kTwilightBack, kTwilightFinder, kTwilightPlanetTrigger}) MoveControl(form, id, 0, dy, 0, 0);
    for (int id : {kTwilightDateField, kTwilightToday}) MoveControl(form, id, dx, dy, 0, 0);
}

void OpenTwilightForm() {
    ReleaseAssistantBitmap();
    PushFormHistory(kTwilightForm);
    if (graphMonth < 0) TakeDeviceMonth();
    if (graphFromFinder && IsObjectSelected()) TakeFinderTarget();
    graphFromFinder = 0;
    if (!graphObjectSet) graphObjectRA = -1.0f;
    RedrawTwilightForm();
}

void RedrawTwilightForm() {
    SetPopupList(kTwilightTimeBaseTrigger, kTwilightTimeBaseList, graphTimeBase);
    char text[24];
    FormatDate(text, sizeof text, graphDay, graphMonth, graphYear);
    SetField(kTwilightDateField, text);
    DrawNightChart(graphObjectName, graphObjectKind, graphObjectIndex, graphObjectRA, graphObjectDec, graphPlanet,
                   graphYear, graphMonth, graphTimeBase);
}

int HandleTwilightControl(int id) {
    auto redraw = [] {
        return OnForm([] {
            RedrawTwilightForm();
            return 1;
        });
    };
    switch (id) {
    case kTwilightHelp: ShowInformation(kHelpText, kHelpDetail); return 1;
    case kTwilightBack: GoBackToPreviousForm(); return 1;
    case kTwilightToday: TakeDeviceMonth(); return redraw();
    case kTwilightFinder:
        OpenFinder(kTwilightForm, -1);
        graphFromFinder = 1;
        return 1;
    case kTwilightTimeBaseList: {
        const int row = Get(kTwilightTimeBaseList);
        if (row >= 0 && row < static_cast<int>(std::size(kTimeBaseRows))) graphTimeBase = row;
        return redraw();
    }
    case kTwilightPlanetList:
        ChoosePlanet(Get(kTwilightPlanetList));
        return redraw();
    default: return 0;
    }
}

int TwilightKeyDown(int key) {
    int step = 0;
    if (key == pl::VK_LEFT || key == kTwilightKeyLeft) step = -1;
    if (key == pl::VK_RIGHT || key == kTwilightKeyRight) step = 1;
    if (step == 0) return 0;
    do {
        graphCursorX += step;
        if (!SetDateFromChartTap(graphCursorX, kKeyCursorY, kTwilightDateField, 0, graphYear, graphMonth))
            graphCursorX -= step;
    } while (IsKeyDown(key));
    FlushKeyEvents();
    return 1;
}

pl::LResult TwilightFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitTwilightForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenTwilightForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: EraseAboveStrip(form, reinterpret_cast<pl::Hdc>(wParam)); return 1;
    case pl::WM_KEYDOWN: {
        const int key = static_cast<int>(wParam);
        if (!IsChartKey(key)) return 0;
        OnForm([key] { return TwilightKeyDown(key); });
        return 1;
    }
    case pl::WM_LBUTTONDOWN: PenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_MOUSEMOVE:
        if (wParam & pl::MK_LBUTTON) PenMove(pl::PointX(lParam), pl::PointY(lParam));
        return 1;
    case pl::WM_LBUTTONUP: PenUp(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case kMsgEditField:
        if (static_cast<int>(wParam) == kTwilightDateField) EditChartDate();
        return 1;
    case pl::WM_COMMAND: return Command(form, pl::LoWord(wParam), pl::HiWord(wParam));
    case pl::WM_CLOSE: CloseTwilightForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
