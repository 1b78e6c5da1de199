#include "objects/ephemeris_form.h"

#include "assistants/text_popup.h"
#include "chart/chart_clock.h"
#include "chart/chart_views.h"
#include "chart/sky_rotation.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/ephemeris_open.h"
#include "objects/ephemeris_table.h"
#include "objects/finder_open.h"
#include "objects/form_messages.h"
#include "objects/selected_object.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr const char* kPageRows[] = {"Rise/Set", "Position"};
constexpr int kPageCount = 2;
constexpr int kBottomRow[] = {kEphemerisBack, kEphemerisFinder, kEphemerisStepTrigger, kEphemerisDate,
                              kEphemerisTime,  kEphemerisClock};
constexpr int kRegistered[] = {kEphemerisTitle, kEphemerisPageTrigger, kEphemerisUsage, kEphemerisBack,
                               kEphemerisFinder, kEphemerisStepTrigger, kEphemerisDate, kEphemerisTime,
                               kEphemerisClock};
constexpr int kWholeSky = 2, kHorizonSky = 3;

pl::Hwnd ephemerisForm = nullptr;
pl::ShActivateInfo activateInfo{};
int firstPaint = 1;

EphemerisState& S() { return ephemerisState; }

void Redraw() { DrawEphemerisTable(S().page); }

// The clock button: the table starts at the device's date and time, which the chart's view takes too.
void StartNow() {
    EphemerisState& s = S();
    GetLocalDateTime(&s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
    s.second = 0;
    SetChartView(chartView == kWholeSky || chartView == kHorizonSky ? 1 : 0, s.year, s.month, s.day, s.hour, s.minute,
                 0, 0);
    Redraw();
}

void ChooseRow(int list, int count, int32_t* value) {
    const int row = Get(list);
    if (row < 0 || row >= count) return;
    *value = row;
    Redraw();
}

void Usage() {
    ShowInformation(S().page == kEphemerisPosition ? "\x95 Display the position ephemeris of an object."
                                                   : "\x95 Display the rise and set ephemeris of an object.",
                    "\x95 Change the date step to adjust the ephemeris upon your needs.");
}

// Help at the right edge; the bottom row at the bottom.
void LayoutEphemeris(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kEphemerisUsage, dx, 0, 0, 0);
    for (int id : kBottomRow) MoveControl(form, id, 0, dy, 0, 0);
}

void InitEphemeris(pl::Hwnd form) {
    ephemerisForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kEphemerisTitle, "EphemerisAssistant");
    const bool night = GetNightMode() != 0;
    InitBitmapButton(form, kEphemerisUsage, 5076, 1, kInfoKey);
    InitBitmapButton(form, kEphemerisBack, 5074, 0, 0);
    InitBitmapButton(form, kEphemerisFinder, night ? 5134 : 5124, night ? 0 : 1, kWhite);
    InitBitmapButton(form, kEphemerisClock, 120, 0, 0);
    InitTextPopup(form, kEphemerisPageTrigger, kEphemerisPageList, kPageRows, kPageCount, S().page);
    InitTextPopup(form, kEphemerisStepTrigger, kEphemerisStepList, ephemerisStepLabels, kEphemerisStepCount,
                  S().ephemerisStep);
    InitTextField(form, kEphemerisDate, 1);
    InitTextField(form, kEphemerisTime, 1);
    LayoutEphemeris(form);
    firstPaint = 1;
}

void ReleaseEphemeris(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : kRegistered) ReleaseControl(form, id);
}

}  // namespace

void OpenEphemerisForm() {
    PushFormHistory(kEphemerisFormId);
    if (dateTimeFixed == 0 || currentDateTime.year == 0) LoadDateTimeFromDevice();
    EphemerisState& s = S();
    const DateTime& t = currentDateTime;
    s.year = t.year, s.month = t.month, s.day = t.day, s.hour = t.hour, s.minute = t.minute, s.second = 0;
    for (int id : kBottomRow) ShowObject(ephemerisForm, id);
    if (IsObjectSelected()) {
        ObjectRecord target{};
        int index = 0;
        GetSelectedObject(&target, &index);
        s.number = target.number;
        s.designation = static_cast<int16_t>(target.designationId);
    }
    DrawEphemerisTable(s.page);
}

void EphemerisCommand(int id) {
    EphemerisState& s = S();
    switch (id) {
    case kEphemerisBack: GoBackToPreviousForm(); return;
    case kEphemerisStepList: ChooseRow(kEphemerisStepList, kEphemerisStepCount, &s.ephemerisStep); return;
    case kEphemerisPageList: ChooseRow(kEphemerisPageList, kPageCount, &s.page); return;
    case kEphemerisClock: StartNow(); return;
    case kEphemerisUsage: Usage(); return;
    case kEphemerisFinder: OpenFinder(kEphemerisFormId, s.designation); return;
    default: return;
    }
}

pl::LResult EphemerisFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    static const FormRoutines routines{&ephemerisForm, &activateInfo, ReleaseEphemeris, EphemerisCommand};
    switch (message) {
    case pl::WM_INITDIALOG: InitEphemeris(form); return 0;  // the keys go to the form, not to a button
    case pl::WM_PAINT: PaintForm(form, OpenEphemerisForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_KEYDOWN:
        switch (wParam) {
        case pl::VK_PRIOR: case pl::VK_NEXT: case pl::VK_LEFT: case pl::VK_UP: case pl::VK_RIGHT: case pl::VK_DOWN:
            pl::Invalidate(form, nullptr, false);
            return 1;
        default: return 0;
        }
    default: break;
    }
    pl::LResult result = 0;
    return HandleCommonFormMessage(form, message, wParam, lParam, routines, &result) ? result : 0;
}
