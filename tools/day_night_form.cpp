#include "tools/day_night_form.h"

#include <string>

#include "chart/chart_clock.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "tools/day_night.h"
#include "tools/day_night_map.h"
#include "tools/day_night_sky_view.h"
#include "tools/edit_date_time.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kBackBitmap = 5074;
constexpr int kMinutesPerPixel = 5;
constexpr int kKeyStepMinutes = 30;

constexpr int kReadOnlyFields[] = {kDayNightSiteField, kDayNightLatitudeField, kDayNightLongitudeField,
                                   kDayNightZoneField, kDayNightUtField,       kDayNightLstField,
                                   kDayNightEqTimeField, kDayNightSunDecField};
constexpr int kDateTimeFields[] = {kDayNightDateField, kDayNightTimeField};
constexpr int kShownAtStart[] = {kDayNightTimeLabel,   kDayNightTimeField,   kDayNightUtLabel,
                                 kDayNightUtField,     kDayNightLstLabel,    kDayNightLstField,
                                 kDayNightEqTimeLabel, kDayNightEqTimeField, kDayNightSunDecLabel,
                                 kDayNightSunDecField};

constexpr char kHelpText[] = "Display Day and Night shadow on earth.";
constexpr char kHelpDetail[] =
    "\x95 Use left side pda keys to change date,\n\x95 Use right side pda keys to change time or drag your stylus "
    "on the map.";

// The panel: its top, line spacing, label and value columns (design units).
constexpr int kPanelTop = 213;
constexpr int kPanelBottom = 292;
constexpr int kPanelLine = 13;
constexpr int kPanelHeader = 14;
constexpr int kPanelX = 5;
constexpr const char* kTwilightNames[3] = {"Civil day", "Nautical day", "Astronomical day"};

pl::Hwnd dayNightForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

// The form becomes the draw window, in the colour set's colours; false while
// another form stands in for it.
bool UseForm() {
    if (!pl::IsWindow(dayNightForm) || GetCurrentFormWindow() != dayNightForm) return false;
    InitDrawWindowOwnDc(dayNightForm);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    return true;
}

void Text(const std::string& text, int x, int y) { DrawChars(text.c_str(), static_cast<int>(text.size()), x, y); }

void ShowFields(const DateTime& t) {
    const DayNightFields f = ComputeDayNightFields(t, dayNightState.equationOfTime);
    const std::pair<int, const std::string*> fields[] = {
        {kDayNightSiteField, &f.site},         {kDayNightLatitudeField, &f.latitude},
        {kDayNightLongitudeField, &f.longitude}, {kDayNightDateField, &f.date},
        {kDayNightTimeField, &f.time},         {kDayNightUtField, &f.universalTime},
        {kDayNightZoneField, &f.zone},         {kDayNightLstField, &f.siderealTime},
        {kDayNightEqTimeField, &f.equationOfTime}, {kDayNightSunDecField, &f.sunDeclination},
    };
    for (const auto& [id, text] : fields) SetField(id, text->c_str());
}

// Day and night lengths, the header, and the three twilights of the site's day.
void DrawPanel(const DateTime& t) {
    const DayNightPanel p = ComputeDayNightPanel(t);
    const int x = ScaleX(kPanelX), first = x + ScaleX(100), second = x + ScaleX(180);
    int y = ScaleY(kPanelTop);
    EraseRectangle(XywhRect{0, y, ScaleX(240), ScaleY(kPanelBottom) - y});
    Text("Day length", x, y);
    Text(p.dayLength, first, y);
    Text(p.dayChange, second, y);
    y += ScaleY(kPanelLine);
    Text("Night length", x, y);
    Text(p.nightLength, first, y);
    y += ScaleY(kPanelHeader);
    Text("Rise", x + ScaleX(115), y);
    Text("Set", x + ScaleX(192), y);
    for (int i = 0; i < 3; ++i) {
        y += ScaleY(kPanelLine);
        Text(kTwilightNames[i], x, y);
        Text(p.twilightRiseText[i], first, y);
        Text(p.twilightSetText[i], second, y);
    }
}

// Everything drawn again for the current date and time and kept as the form's picture.
void Redraw() {
    if (!UseForm()) return;
    DrawDayNightForm();
    SaveScreen();
}

// The program's date and time moved by the form: it stays fixed at the new
// value and runs on from now (the chart clock starts again from it, none of
// the seconds since its last step added).
void KeepSteppedTime() {
    dateTimeFixed = 1;
    RestartChartTime();
}

void StepMinutes(int minutes) {
    DateTime& t = currentDateTime;
    AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, minutes);
    KeepSteppedTime();
}

void StepDays(int days) {
    DateTime& t = currentDateTime;
    AddDaysToDate(&t.year, &t.month, &t.day, days);
    KeepSteppedTime();
}

// One step and a redraw, then more while the key is held, drawn coarse, and a
// last fine drawing. The page keys go on while any arrow or page key is down.
pl::LResult Key(int key) {
    int days = 0, minutes = 0;
    switch (key) {
    case pl::VK_PRIOR: days = -1; break;
    case pl::VK_NEXT: days = 1; break;
    case pl::VK_LEFT:
    case kKeyTimeBack: minutes = -kKeyStepMinutes; break;
    case pl::VK_RIGHT:
    case kKeyTimeOn: minutes = kKeyStepMinutes; break;
    default: return 0;
    }
    auto step = [&] { days != 0 ? StepDays(days) : StepMinutes(minutes); };
    auto held = [&] { return IsKeyDown(key) || (days != 0 && IsArrowKeyDown()); };
    step();
    Redraw();
    while (held()) {
        dayNightState.moving = 1;
        step();
        Redraw();
    }
    dayNightState.moving = 0;
    Redraw();
    return 1;
}

bool OnMap(int x, int y) { return PointInRect(x, y, dayNightState.map); }

void PenDown(int x, int y) {
    if (!OnMap(x, y)) return;
    DayNightState& st = dayNightState;
    st.lastX = x, st.lastY = y;
    st.moving = 1;
}

// Each pixel to the right is 5 minutes earlier.
void PenMove(int x, int y) {
    DayNightState& st = dayNightState;
    if (!st.moving || !OnMap(x, y)) return;
    StepMinutes((st.lastX - x) * kMinutesPerPixel);
    st.lastX = x, st.lastY = y;
    Redraw();
}

// A drag ends wherever the stylus is lifted.
void PenUp() {
    if (!dayNightState.moving) return;
    dayNightState.moving = 0;
    Redraw();
}

// A confirmed date and time runs on from the moment of Ok and rewrites the
// fields and the picture; after Cancel the form comes back as it was.
void EditDateAndTime() {
    DateTime& t = currentDateTime;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (!DateTimeEditConfirmed()) return;
    RestartChartTime();
    Redraw();
}

void Now() {
    DateTime& t = currentDateTime;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    dateTimeFixed = 0;
    Redraw();
}

void Back() {
    FreeDayNightSkyView();
    GoBackToPreviousForm();
}

pl::LResult Command(int id) {
    switch (id) {
    case kDayNightBack:
    case pl::IDOK: Back(); return 1;
    case kDayNightNow: Now(); return 1;
    case kDayNightHelp: ShowInformation(kHelpText, kHelpDetail); return 1;
    default: return 0;
    }
}

void EditField(int id) {
    for (int field : kDateTimeFields)
        if (field == id) return EditDateAndTime();
}

// Help right and back down by the screen's difference from 240 x 320.
void LayoutDayNightForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kDayNightHelp, dx, 0, 0, 0);
    MoveControl(form, kDayNightBack, 0, dy, 0, 0);
}

void InitDayNightForm(pl::Hwnd form) {
    dayNightForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kDayNightTitle, "Day&Night");
    InitBitmapButton(form, kDayNightHelp, kInfoBitmap, 1, kInfoKey);
    InitBitmapButton(form, kDayNightBack, kBackBitmap, 0, 0);
    for (int id : kReadOnlyFields) InitTextField(form, id, 1);
    for (int id : kDateTimeFields) InitTextField(form, id, 0);
    for (int id : kShownAtStart) ShowObject(form, id);
    LayoutDayNightForm(form);
}

void CloseDayNightForm(pl::Hwnd form) {
    FreeDayNightSkyView();
    dayNightState.moving = 0;
    for (int id : {kDayNightTitle, kDayNightHelp, kDayNightBack}) ReleaseControl(form, id);
    for (int id : kReadOnlyFields) ReleaseControl(form, id);
    for (int id : kDateTimeFields) ReleaseControl(form, id);
}

// The first drawing: the form in the history, the map's place, no drag.
void OpenDayNightForm() {
    DayNightState& st = dayNightState;
    PushFormHistory(kDayNightForm);
    st.map = XywhRect{0, ScaleY(24), ScaleX(240), ScaleY(120)};
    st.moving = 0;
    st.coarseMaps = 0;
    DateTime& t = currentDateTime;
    if (t.year == 0) GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    DrawDayNightForm();
}

}  // namespace

void DrawDayNightForm() {
    DayNightState& st = dayNightState;
    GetScreenSize(&st.screenWidth, &st.screenHeight);
    const DateTime t = currentDateTime;
    DrawDayNightMap(st.map.x, st.map.y, t.year, t.month, t.day, t.hour, t.minute, t.second);
    ShowFields(t);
    if (st.screenHeight > ScaleY(240)) DrawPanel(t);
    DrawDayNightSkyView(DayNightSkyViewRect(st.screenWidth, st.screenHeight), t);
}

pl::LResult DayNightProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitDayNightForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenDayNightForm, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_KEYDOWN: return Key(static_cast<int>(wParam));
    case pl::WM_LBUTTONDOWN: PenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_MOUSEMOVE:
        if (wParam & pl::MK_LBUTTON) PenMove(pl::PointX(lParam), pl::PointY(lParam));
        return 1;
    case pl::WM_LBUTTONUP: PenUp(); return 1;
    case kMsgEditField: EditField(static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseDayNightForm(form);
            DestroyCurrentForm();
            dayNightForm = nullptr;
            return 1;
        }
        return Command(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: CloseDayNightForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
