#include "tools/camera_form.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

#include "chart/chart_clock.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "platform/device_services.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "scope/serial_link.h"
#include "tools/camera_settings_file.h"
#include "tools/camera_shots.h"
#include "tools/edit_date_time.h"
#include "tools/shared_port.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/number_field.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kHeadings[] = {138, 139};
constexpr int kCameraBaud = 9600;
constexpr int kCameraLineMask = 208;  // DTR and RTS raised: the release cable fires
constexpr int kStatusX = 100;
constexpr int kSecondsX = 160;
constexpr int kStatusY = 7;
constexpr int kStatusWidth = 75;
constexpr int kStatusHeight = 14;
constexpr int kShotsChars = 4;  // characters read from the shots field
constexpr int kSecondsChars = 5;  // and from the time and delay fields

constexpr const char* kIsoRows[] = {"100", "200", "400", "800", "1600", "3200"};
constexpr int kIsoRowCount = static_cast<int>(std::size(kIsoRows));
constexpr int kSeriesButtons[] = {kCameraStart, kCameraOk, kCameraSave, kCameraDelete, kCameraClear};
constexpr int kTextFields[] = {kShotsField,     kExposureField, kDelayField,          kShotDateField,
                               kShotTimeField,  kShotFileField, kShotDescriptionField};

// Fields edited in the text input: title and size (characters + 1).
struct FieldInput {
    int id;
    const char* title;
    int size;
};
constexpr FieldInput kFieldInputs[] = {
    {kShotFileField, "Filename:", 33},
    {kShotDescriptionField, "Description:", 251},
};
// The number fields: no shots and an exposure of 0 s are series too.
constexpr NumberField kNumberInputs[] = {
    {kShotsField, "Shots", "Nb of Shots:", 5, 0, 9999, NumberForm::Count},
    {kExposureField, "Exposure time", "Time in Sec:", 6, 0, 99999, NumberForm::Count, " s"},
    {kDelayField, "Delay", "Delay in Sec:", 6, 0, 99999, NumberForm::Count, " s"},
};

constexpr char kHelpText[] =
    "\x95 This assistant lets you control you Canon DSLR camera.\n\x95 To do this you need to build a dedicated cable";
constexpr char kHelpDetail[] = "\x95 The wiring plan is provided on Zendavori web site.";

pl::Hwnd cameraForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
int keptKeepOpen = 0;    // the drive's keep-open switch while a series holds the port
bool portTaken = false;  // a series holds the shared port
bool inTick = false;     // a tick runs (a box it raised runs the timer's messages)
char statusShown[24];
char secondsShown[8];

ShotsTimerState& State() { return shotsTimerState; }

std::string FieldText(int id, int characters) {
    std::vector<char> text(static_cast<size_t>(characters) + 1, '\0');
    GetField(id, text.data(), characters + 1);
    return text.data();
}

void SetNumberField(int id, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetField(id, text);
}

// The form's own context becomes the draw window, in the colour set's colours;
// not while a modal form (the date and time form) stands in for it.
bool DrawOnForm() {
    if (!pl::IsWindow(cameraForm) || GetCurrentFormWindow() != cameraForm) return false;
    InitDrawWindowOwnDc(cameraForm);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    return true;
}

void DrawStatus(int x, const char* text, char* shown, size_t size) {
    std::snprintf(shown, size, "%s", text);
    if (DrawOnForm()) DrawChars(text, static_cast<int>(std::strlen(text)), ScaleX(x), ScaleY(kStatusY));
}

// Stop in place of Start, Ok, Save, Del and Clear while a series runs.
void ShowSeriesButtons(bool idle) {
    pl::Hwnd form = cameraForm;
    if (!pl::IsWindow(form)) return;
    for (int id : kSeriesButtons) idle ? ShowObject(form, id) : HideObject(form, id);
    idle ? HideObject(form, kCameraStop) : ShowObject(form, kCameraStop);
}

void GiveBackPort() {
    if (!portTaken) return;
    portTaken = false;
    GiveBackSharedPort(keptKeepOpen);
}

// The series is over without an exposure to end (a port that failed, the form left).
void EndSeries() {
    ShotsTimerState& s = State();
    s.shotsLeft = 0;
    s.running = 0;
    ShowSeriesButtons(true);
    GiveBackPort();
}

bool OpenCameraPort(int port) {
    if (!portTaken) {
        keptKeepOpen = TakeSharedPort();
        portTaken = true;
    }
    return OpenPortForOneUse(port, kCameraBaud) && SetSerialLineParams(kCameraLineMask);
}

// The date field and the time field ("%02d:%02d", or with seconds).
void ShowDateTime(bool seconds) {
    const DateTime& t = currentDateTime;
    char text[24];
    FormatDate(text, sizeof text, t.day, t.month, t.year);
    SetField(kShotDateField, text);
    if (seconds)
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    else
        std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    SetField(kShotTimeField, text);
}

// A number field read and written back as "%d".
int TakeNumberField(int id, int characters) {
    int value = CountFieldValue(FieldText(id, characters).c_str());
    SetNumberField(id, value);
    return value;
}

void Start(pl::Hwnd form) {
    DateTime& t = currentDateTime;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    RestartChartTime();  // the device's time runs on from now
    ShowDateTime(false);
    ShotsTimerState& s = State();
    s.shotsLeft = s.shotsTotal = TakeNumberField(kShotsField, kShotsChars);
    s.exposureSeconds = TakeNumberField(kExposureField, kSecondsChars);
    s.delaySeconds = TakeNumberField(kDelayField, kSecondsChars);
    StartShotsTimer();
    ShotsTimerTick();
    pl::SetTimer(form, kShotsTimer, kShotsTimerPeriodMs);
}

void Stop(pl::Hwnd form) {
    State().shotsLeft = 0;
    pl::KillTimer(form, kShotsTimer);
    StopShotsTimer();
    ClearShotsStatus();
}

// Leaving the form in any way ends the series: an open shutter closes.
void LeaveSeries(pl::Hwnd form) {
    pl::KillTimer(form, kShotsTimer);
    ShotsTimerState& s = State();
    if (s.exposing) {
        s.shotsLeft = 0;
        StopShotsTimer();
    }
    if (s.running || portTaken) EndSeries();
}

void Clear() {
    State().shotsLeft = 0;
    for (int id : kTextFields) SetField(id, "");
    SetPopupList(kIsoTrigger, kIsoList, 0);
}

// A date and time taken with Ok runs on from that moment (the chart clock
// starts again from it); Cancel changes nothing.
void EditDateAndTime() {
    DateTime& t = currentDateTime;
    if (t.year == 0) GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (DateTimeEditConfirmed()) RestartChartTime();
    ShowDateTime(true);
}

void EditField(pl::Hwnd form, int id) {
    if (id == kShotDateField || id == kShotTimeField) {
        EditDateAndTime();
        return;
    }
    if (const NumberField* f = FindNumberField(kNumberInputs, id)) {
        EditNumberField(form, *f);
        return;
    }
    for (const FieldInput& f : kFieldInputs)
        if (f.id == id) RunTextInputDialog(form, id, f.title, f.size);
}

void ShowSettingRows() {
    const std::vector<ShotSetting>& all = ShotSettings();
    std::vector<const char*> rows;
    for (const ShotSetting& s : all) rows.push_back(s.fileName.c_str());
    SetListItems(pl::GetDlgItem(cameraForm, kShotSettingsList), rows.data(), static_cast<int>(rows.size()));
    Set(kShotSettingsList, -1);
}

void SaveSetting() {
    ShotSetting s;
    s.date = FieldText(kShotDateField, 15);
    s.time = FieldText(kShotTimeField, 15);
    s.shots = CountFieldValue(FieldText(kShotsField, kShotsChars).c_str());
    s.exposureSeconds = CountFieldValue(FieldText(kExposureField, kSecondsChars).c_str());
    s.delaySeconds = CountFieldValue(FieldText(kDelayField, kSecondsChars).c_str());
    s.isoRow = Get(kIsoList) < 0 ? 0 : Get(kIsoList);
    s.fileName = FieldText(kShotFileField, kShotFileNameChars);
    s.description = FieldText(kShotDescriptionField, kShotDescriptionChars);
    AddShotSetting(std::move(s));
    SaveShotSettings();
    ShowSettingRows();
}

void DeleteSetting() {
    if (!RemoveShotSetting(Get(kShotSettingsList))) return;
    SaveShotSettings();
    ShowSettingRows();
}

// A tapped row of the stored settings fills the fields.
void ShowSetting() {
    int row = Get(kShotSettingsList);
    const std::vector<ShotSetting>& all = ShotSettings();
    if (row < 0 || row >= static_cast<int>(all.size())) return;
    const ShotSetting& s = all[static_cast<size_t>(row)];
    SetField(kShotDateField, s.date.c_str());
    SetField(kShotTimeField, s.time.c_str());
    SetNumberField(kShotsField, s.shots);
    SetNumberField(kExposureField, s.exposureSeconds);
    SetNumberField(kDelayField, s.delaySeconds);
    SetPopupList(kIsoTrigger, kIsoList, s.isoRow);
    SetField(kShotFileField, s.fileName.c_str());
    SetField(kShotDescriptionField, s.description.c_str());
}

void InitCameraForm(pl::Hwnd form) {
    cameraForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    statusShown[0] = secondsShown[0] = '\0';
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kCameraTitle, "CameraControl");
    InitBitmapButton(form, kCameraHelp, kInfoBitmap, 1, kInfoKey);
    for (int id : kHeadings) InitLabel(form, id);
    for (int i = kIsoRowCount; i-- > 0;) AddListRow(form, kIsoList, kIsoRows[i]);
    InitPopupList(form, kIsoTrigger, kIsoList, -1, kIsoRowCount, 0);
    for (int id : kTextFields) InitTextField(form, id, 0);
    InitList(form, kShotSettingsList, 0, -1, 1);
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(form, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy)) {
        MoveControl(form, kCameraHelp, dx, 0, 0, 0);
        for (int id : kSeriesButtons) MoveControl(form, id, 0, dy, 0, 0);
        MoveControl(form, kCameraStop, 0, dy, 0, 0);
    }
    for (int id : kSeriesButtons) ShowObject(form, id);
    ShowObject(form, kShotDescriptionField);
    HideObject(form, kCameraStop);
}

void ReleaseCameraForm(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : {kCameraTitle, kCameraHelp, kIsoTrigger, kShotSettingsList}) ReleaseControl(form, id);
    for (int id : kHeadings) ReleaseControl(form, id);
    for (int id : kTextFields) ReleaseControl(form, id);
}

void DrawCameraForm() {
    PushFormHistory(kCameraForm);
    ShowSettingRows();
}

pl::LResult Command(pl::Hwnd form, int id) {
    switch (id) {
    case kCameraStart: Start(form); return 1;
    case kCameraStop: Stop(form); return 1;
    case kCameraOk:
    case pl::IDOK:
        StopShotsTimer();
        GoBackToPreviousForm();
        return 1;
    case kCameraClear: Clear(); return 1;
    case kCameraSave: SaveSetting(); return 1;
    case kCameraDelete: DeleteSetting(); return 1;
    case kShotSettingsList: ShowSetting(); return 1;
    case kCameraHelp: ShowInformation(kHelpText, kHelpDetail); return 1;
    default: return 0;
    }
}

}  // namespace

void ClearShotsStatus() {
    statusShown[0] = secondsShown[0] = '\0';
    if (DrawOnForm())
        EraseRectangle(XywhRect{ScaleX(kStatusX), ScaleY(kStatusY), ScaleX(kStatusWidth), ScaleY(kStatusHeight)});
}

const char* ShotsStatusShown() { return statusShown; }
const char* ShotsSecondsShown() { return secondsShown; }

void StartShotsTimer() {
    ShotsTimerState& s = State();
    if (s.shotsLeft <= 0) return;
    int port = preferences.word[kPrefCameraPort];
    if (port < 0) {
        ShowInformation("No camera port selected.", "");
        return;
    }
    if (!OpenCameraPort(port)) {
        EndSeries();
        return;
    }
    ShowSeriesButtons(false);
    ClearShotsStatus();
    char text[24];
    std::snprintf(text, sizeof text, "Shot %d/%d", s.shotsTotal - s.shotsLeft + 1, s.shotsTotal);
    DrawStatus(kStatusX, text, statusShown, sizeof statusShown);
    s.exposing = s.running = 1;
    s.now = static_cast<int32_t>(GetSeconds());
    s.exposureEnd = s.now + s.exposureSeconds;
    pl::PlaySound("startTimer", true);
}

void StopShotsTimer() {
    ShotsTimerState& s = State();
    bool over = --s.shotsLeft < 1;
    if (over) {
        s.running = 0;
        ShowSeriesButtons(true);
    }
    SerialClose();
    s.exposing = 0;
    pl::PlaySound("stopTimer", true);
    if (over) GiveBackPort();
}

void ShotsTimerTick() {
    if (inTick) return;
    inTick = true;
    ShotsTimerState& s = State();
    int32_t now = static_cast<int32_t>(GetSeconds());
    int32_t remaining = s.exposureEnd - now;
    s.now = now;
    if (s.exposing) {
        pl::SystemIdleTimerReset();
        if (SecondReached(now, s.exposureEnd)) {
            StopShotsTimer();
            if (s.shotsLeft < 1) {
                ClearShotsStatus();
                DrawStatus(kStatusX, "All done", statusShown, sizeof statusShown);
            } else {
                s.nextStart = now + s.delaySeconds;
            }
        }
    }
    if (!s.exposing && s.running) {
        if (SecondReached(now, s.nextStart)) {
            StartShotsTimer();
        } else {
            char text[24];
            std::snprintf(text, sizeof text, "Wait %ds", s.nextStart - now);
            ClearShotsStatus();
            DrawStatus(kStatusX, text, statusShown, sizeof statusShown);
        }
    }
    if (remaining >= 0 && s.exposing) {
        char text[16];
        std::snprintf(text, sizeof text, "%ds ", remaining == 0 ? s.exposureSeconds : remaining);
        DrawStatus(kSecondsX, text, secondsShown, sizeof secondsShown);
    } else if (remaining == -2 && !s.running) {
        ClearShotsStatus();
    }
    inTick = false;
}

pl::LResult CameraFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitCameraForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, DrawCameraForm, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_TIMER:
        if (wParam == kShotsTimer) ShotsTimerTick();
        return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            LeaveSeries(form);
            ReleaseCameraForm(form);
            DestroyCurrentForm();
            cameraForm = nullptr;
            return 1;
        }
        return Command(form, list != 0 ? list : id);
    }
    case pl::WM_CLOSE:
        LeaveSeries(form);
        ReleaseCameraForm(form);
        return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
