#include "scope/scope_control_form.h"

#include "core/preferences.h"
#include "core/services.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "scope/drive_routes.h"
#include "scope/drive_table.h"
#include "scope/encoder_refresh_form.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_position_panel.h"
#include "scope/scope_slew.h"
#include "scope/serial_link.h"
#include "ui/bitmaps.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/popup_list.h"
#include "ui/screen_layout.h"
#include "ui/title_control.h"

int slewRate = 0;
uint8_t slewKeyFlag = 0;

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kTakahashi = 14;
constexpr int kSkyScan = 20;  // its controller takes no abort on the way out
constexpr int kRateRowCount = 4;
constexpr const char* kRateRows[kRateRowCount] = {"Fast", "Find", "Center", "Guide"};
constexpr int kBottomControls[] = {kScopeOk, kScopeStop, kSlewLabel, kSlewRateTrigger};

constexpr char kHelpText[] = "\x95 Use hardware Keys to control your scope.";
constexpr char kHelpDetail[] = "\x95 On other devices use the navigation pad.\n\x95 To stop GoTo press left hardware Key.";

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
bool readsStopped = false;  // a failed read stopped timer 1
bool mountReleased = false;  // the mount was stopped and disconnected on the way out
bool inTick = false;        // a refresh runs (a box it raises runs the timer's messages)

int Drive() { return preferences.word[kPrefDriveId]; }

uint32_t ReadPeriod() {
    return IsEncoderDrive() && encoderRefreshPeriod > 0 ? static_cast<uint32_t>(encoderRefreshPeriod) : kScopeTimerMs;
}

// The family's words for a read that failed with nothing said.
const char* ReadFailureText() {
    const DriveRoutes* r = SelectedRoutes();
    if (!r) return nullptr;
    return r->readFailureAltAz && preferences.word[kPrefMountType] != 0 ? r->readFailureAltAz : r->readFailure;
}

// After a failed read: timer 1 stops first (the box below runs the message
// loop), the mount is disconnected, and the user is told once when nothing
// was said yet.
void StopReads(pl::Hwnd form, const char* text) {
    pl::KillTimer(form, kScopeTimer);
    readsStopped = true;
    ScopeDisconnect();
    if (text) ShowInformation(text, "");
}

// Before a slew or Stop after the reads stopped: the mount connected again
// (a connect that fails says why). False when it could not be.
bool Reconnect() { return !readsStopped || ScopeConnect(); }

void StartReads(pl::Hwnd form) {
    if (!readsStopped) return;
    readsStopped = false;
    pl::SetTimer(form, kScopeTimer, ReadPeriod());
}

// One refresh of the panel: the encoder read-out, or the mount's position.
// `direction` is the slew running (-1: none), whose pad is shown.
void ReadAndDraw(pl::Hwnd form, int direction) {
    if (readsStopped || inTick) return;
    inTick = true;
    if (IsEncoderDrive()) {
        int read = DrawEncoderReadoutPanel();
        if (read <= 0) StopReads(form, read < 0 ? ReadFailureText() : nullptr);
    } else {
        double ra, dec;
        if (ScopeGetPosition(&ra, &dec)) {
            DrawScopePositionPanel(direction >= 0 ? PressedPadBitmap(direction) : 0, ra, dec);
        } else {
            // A lost line, and a connect that failed (the port then closed), said so themselves.
            bool told = IsSerialLineLost() || !IsSerialOpen();
            StopReads(form, told ? nullptr : ReadFailureText());
        }
    }
    inTick = false;
}

// A read on a real line can outlast the period (each command first waits for
// the line to fall quiet): the next tick is then counted from the end of this
// one, so that reads never follow each other without a pause for the user.
void OnTimer(pl::Hwnd form) {
    if (Drive() == 0 || inTick) return;
    const uint32_t start = GetTicks();
    ReadAndDraw(form, -1);
    const uint32_t period = ReadPeriod();
    if (!readsStopped && pl::IsWindow(form) && GetTicks() - start >= period) pl::SetTimer(form, kScopeTimer, period);
}

// Stops the mount and disconnects it, once per opening.
void ReleaseMount() {
    if (mountReleased) return;
    mountReleased = true;
    if (Drive() != kSkyScan && !readsStopped) ScopeAbortOnLeaving();
    ScopeDisconnect();
}

pl::Hwnd slewForm = nullptr;

void RefreshDuringSlew(int direction) { ReadAndDraw(slewForm, direction); }

// The slew of a held key, with its side of the pad lit while it runs.
void SlewWhileHeld(pl::Hwnd form, int direction) {
    slewKeyFlag = 1;
    if (!Reconnect()) {
        FlushKeyEvents();
        slewKeyFlag = 0;
        return;
    }
    // The loop reads at its own pace; timer 1 waits for its end.
    pl::KillTimer(form, kScopeTimer);
    readsStopped = false;
    const bool pad = !IsEncoderDrive();
    if (pad) DrawScopePad(PressedPadBitmap(direction));
    slewForm = form;
    RunSlewLoop(direction, slewKeyFlag != 0, RefreshDuringSlew);
    if (pad) DrawScopePad(kPadAtRest);
    slewKeyFlag = 0;
    if (!readsStopped) pl::SetTimer(form, kScopeTimer, ReadPeriod());
}

int DirectionOfKey(int vk) {
    switch (vk) {
    case pl::VK_UP: case pl::VK_NEXT: return 0;
    case pl::VK_DOWN: case pl::VK_PRIOR: return 1;
    case pl::VK_RIGHT: return 2;
    case pl::VK_LEFT: return 3;
    default: return -1;
    }
}

void FillPopup(pl::Hwnd form, int trigger, int list, const char* const* rows, int count, int selection) {
    SetListItems(pl::GetDlgItem(form, list), rows, count);
    InitPopupList(form, trigger, list, -1, count, selection);
}

// Ok, Stop and the rate popup follow the screen's bottom edge.
void LayoutScopeForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(form, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        for (int id : kBottomControls) MoveControl(form, id, 0, dy, 0, 0);
}

// For an encoder box the refresh popup in place of the rate popup and its label.
void ShowDriveControls(pl::Hwnd form) {
    const bool encoder = IsEncoderDrive();
    for (int id : {kSlewLabel, kSlewRateTrigger}) encoder ? HideObject(form, id) : ShowObject(form, id);
    encoder ? ShowObject(form, kRefreshRateTrigger) : HideObject(form, kRefreshRateTrigger);
}

void InitScopeForm(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    readsStopped = mountReleased = inTick = false;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kScopeTitle, "ScopeControl");
    LayoutScopeForm(form);
    FillPopup(form, kSlewRateTrigger, kSlewRateList, kRateRows, kRateRowCount, slewRate);
    FillPopup(form, kRefreshRateTrigger, kRefreshRateList, kEncoderRefreshRows, kEncoderRefreshRowCount,
              encoderRefreshPeriod > 0 ? encoderRefreshIndex : -1);
    ShowDriveControls(form);
    pl::SetTimer(form, kScopeTimer, ReadPeriod());
}

// The first paint: the form history, the form active, and for a drive with
// motors the slew rate sent and shown and the pad at rest.
void DrawScopeForm() {
    PushFormHistory(kScopeControlForm);
    scopeActive = 1;
    if (IsEncoderDrive()) return;
    slewRefreshPeriod = Drive() == kTakahashi ? 2000 : 125;
    ScopeSetSlewRate(slewRate);
    SetPopupList(kSlewRateTrigger, kSlewRateList, slewRate);
    XywhRect pad = ScopePadRect();
    DrawBitmapMasked(kPadAtRest, pad.x, pad.y);
}

void ReleaseScopeForm(pl::Hwnd form) {
    FreeScopePanel();
    FlushPenEvents();
    ReleaseMount();
    pl::KillTimer(form, kScopeTimer);
    firstPaint = 1;
    for (int id : {kScopeTitle, kSlewRateTrigger, kRefreshRateTrigger}) ReleaseControl(form, id);
}

void ChooseRate() {
    int row = Get(kSlewRateList);
    if (row < 0 || row >= kRateRowCount) return;
    slewRate = row;
    SetPopupList(kSlewRateTrigger, kSlewRateList, slewRate);
    ScopeSetSlewRate(slewRate);
}

pl::LResult Command(pl::Hwnd form, int id) {
    switch (id) {
    case kSlewRateList: ChooseRate(); return 1;
    case kRefreshRateList:
        SetEncoderRefreshRate();
        readsStopped = false;
        if (IsEncoderDrive()) ReadAndDraw(form, -1);
        return 1;
    case pl::IDOK:
    case kScopeOk:
        ReleaseMount();
        scopeActive = 0;
        FlushPenEvents();
        GoBackToPreviousForm();
        return 1;
    case kScopeStop:
        if (!Reconnect()) return 1;
        ScopeAbort();
        StartReads(form);
        return 1;
    case kScopeHelp: ShowInformation(kHelpText, kHelpDetail); return 1;
    default: return 0;
    }
}

bool OnPad(int x, int y) {
    const XywhRect pad = ScopePadRect();
    return !IsEncoderDrive() && x >= pad.x && x < pad.x + pad.width && y >= pad.y && y < pad.y + pad.height;
}

}  // namespace

pl::LResult ScopeControlDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitScopeForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, DrawScopeForm, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_TIMER:
        if (wParam == kScopeTimer) OnTimer(form);
        return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleaseScopeForm(form);
            DestroyCurrentForm();
            return 1;
        }
        return Command(form, list != 0 ? list : id);
    }
    case pl::WM_KEYDOWN: {
        int direction = DirectionOfKey(static_cast<int>(wParam));
        if (direction < 0) return 0;
        SlewWhileHeld(form, direction);
        return 1;
    }
    case pl::WM_LBUTTONDOWN:
        if (OnPad(pl::PointX(lParam), pl::PointY(lParam))) pl::PostMessage(form, pl::WM_COMMAND, kScopeHelp, 0);
        return 1;
    case pl::WM_CLOSE: ReleaseScopeForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}

void ResetScopeControlForm() {
    slewRate = 0;
    slewKeyFlag = 0;
    firstPaint = 1;
    readsStopped = mountReleased = inTick = false;
}
