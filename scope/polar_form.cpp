#include "scope/polar_form.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_display.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "chart/chart_state.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "platform/device_services.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "objects/object_selection.h"
#include "scope/polar_alignment.h"
#include "scope/polar_drift.h"
#include "scope/polar_view.h"
#include "tools/edit_date_time.h"
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
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

int polarMethod = 0;
int polarStep = 0;
int polarReticleType = 0;
PolarDateTime polarDateTime;
uint32_t driftStart = 0, driftEnd = 0, polarAlarmTime = 0;

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kBackBitmap = 5074;
constexpr int kClockBitmap = 120;
constexpr int kSkyChartForm = 1900;
constexpr int kAlarmPeriodMs = 1000;
constexpr int kManualRow = 4;

constexpr const char* kMethodRows[] = {"Quick", "King", "Rambaut"};
constexpr const char* kReticleRows[] = {"Cross", "Grid"};
constexpr const char* kAlarmRows[] = {"8mn", "16mn", "24mn", "32mn", "Manual"};

constexpr int kDriftControls[] = {
    kPolarResolutionLabel, kPolarResolutionField, kPolarEquatorStar, kPolarMeasure,     kPolarTargetLabel,
    kPolarTargetStar,      kPolarRaLabel,         kPolarRaField,     kPolarDecLabel,    kPolarDecField,
    kPolarCorrectLabel,    kPolarCorrectField,    kPolarReticleTrigger, kPolarAlignmentLabel, kPolarAlarmTrigger,
    kPolarXLabel,          kPolarXField,          kPolarYLabel,      kPolarYField,      kPolarAngleLabel,
    kPolarAngleField,      kPolarAzimuthLabel,    kPolarAzimuthField, kPolarLambdaLabel, kPolarLambdaField,
    kPolarAltitudeLabel,   kPolarAltitudeField,
};
constexpr int kResultFields[] = {kPolarAngleField, kPolarAzimuthField, kPolarLambdaField, kPolarAltitudeField};
constexpr int kDateTimeFields[] = {kPolarDateField, kPolarTimeField};
constexpr int kLabels[] = {kPolarTargetLabel, kPolarAlignmentLabel};

// The fields the user may type into.
constexpr NumberField kNumberFields[] = {
    {kPolarResolutionField, "Resolution", "Resolution:", 10, 0, 10000, NumberForm::Decimal, "\""},
    {kPolarRaField, "Ra", "Ra:", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kPolarDecField, "Dec", "Dec:", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
    {kPolarCorrectField, "Correct", "Correct\xB0:", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
    {kPolarXField, "X Dir", "X Dir:", 8, -100, 100, NumberForm::Decimal},
    {kPolarYField, "Y Dir", "Y Dir:", 8, -100, 100, NumberForm::Decimal},
};

constexpr const char* kHelp[3][2] = {
    {"\x95 Displays the current position of Polaris as seen through a PolarFinder scope for a quick alignment.",
     "\x95 Use clock button to update time or tap on date and time to manually adjust."},
    {"\x95 Use the King method to achieve a polar alignment that is better than 1' in the Northern hemisphere.",
     "\x95 Tap on the numbered assistants to take you through the process."},
    {"\x95 Use the Rambaut method to achieve a polar alignment everywhere.",
     "\x95 Tap on the numbered assistants to take you through the process."},
};

pl::Hwnd polarForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
bool targetPending = false;  // "3" left for the chart: its object fills the star's fields

// The form becomes the draw window, in the colour set's colours; false while
// another form stands in for it.
bool UseForm() {
    if (!pl::IsWindow(polarForm) || GetCurrentFormWindow() != polarForm) return false;
    InitDrawWindowOwnDc(polarForm);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    return true;
}

void ClockNow() {
    PolarDateTime& t = polarDateTime;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
}

void ShowDate() {
    char text[24];
    FormatDate(text, sizeof text, polarDateTime.day, polarDateTime.month, polarDateTime.year);
    SetField(kPolarDateField, text);
}

void ShowTime(bool seconds) {
    const PolarDateTime& t = polarDateTime;
    char text[16];
    if (seconds) std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    else std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    SetField(kPolarTimeField, text);
}

void AddRows(pl::Hwnd form, int list, const char* const* rows, int count) {
    for (int i = count; i-- > 0;) AddListRow(form, list, rows[i]);
}

void InitPolarForm(pl::Hwnd form) {
    polarForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kPolarTitle, "PolarAssistant");
    InitBitmapButton(form, kPolarHelp, kInfoBitmap, 1, kInfoKey);
    InitBitmapButton(form, kPolarClock, kClockBitmap, 0, 0);
    InitBitmapButton(form, kPolarBack, kBackBitmap, 0, 0);
    for (int id : kLabels) InitLabel(form, id);
    AddRows(form, kPolarMethodList, kMethodRows, static_cast<int>(std::size(kMethodRows)));
    InitPopupList(form, kPolarMethodTrigger, kPolarMethodList, -1, 3, polarMethod);
    AddRows(form, kPolarReticleList, kReticleRows, static_cast<int>(std::size(kReticleRows)));
    InitPopupList(form, kPolarReticleTrigger, kPolarReticleList, -1, 2, polarReticleType);
    AddRows(form, kPolarAlarmList, kAlarmRows, static_cast<int>(std::size(kAlarmRows)));
    InitPopupList(form, kPolarAlarmTrigger, kPolarAlarmList, -1, 5, -1);
    for (const NumberField& f : kNumberFields) InitTextField(form, f.id, 0);
    for (int id : kResultFields) InitTextField(form, id, 1);
    for (int id : kDateTimeFields) InitTextField(form, id, 0);
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(form, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy)) {
        MoveControl(form, kPolarHelp, dx, 0, 0, 0);
        MoveControl(form, kPolarBack, dx, 0, 0, 0);
    }
}

void ReleasePolarForm(pl::Hwnd form) {
    firstPaint = 1;
    pl::KillTimer(form, kPolarAlarmTimer);
    for (int id : {kPolarTitle, kPolarHelp, kPolarClock, kPolarBack, kPolarMethodTrigger, kPolarReticleTrigger,
                   kPolarAlarmTrigger})
        ReleaseControl(form, id);
    for (int id : kLabels) ReleaseControl(form, id);
    for (const NumberField& f : kNumberFields) ReleaseControl(form, f.id);
    for (int id : kResultFields) ReleaseControl(form, id);
    for (int id : kDateTimeFields) ReleaseControl(form, id);
}

// The chart's object after "3": its place in the star's fields.
void TakeTarget() {
    targetPending = false;
    ObjectRecord rec{};
    CopyChartState16(&rec);
    char text[40];
    SetField(kPolarRaField, HMSToStr(text, sizeof text, rec.rightAscension));
    SetField(kPolarDecField, DegToStr(text, sizeof text, rec.declination));
    SetField(kPolarCorrectField, DegToStr(text, sizeof text, rec.declination));
}

// The bright stars in the observing list; when no row was shown, the first
// becomes the chart's object at the form's date and time.
void FillStarList() {
    const int shownBefore = selectionShownCount;
    RunObjectSelectionKeepIndex(0, kDesignationBrightStar, 0);
    if (shownBefore > 0) return;
    const PolarDateTime& t = polarDateTime;
    // A listed planet or comet at its place of the form's time.
    if (const SelectionEntry* listed = ListedEntryAt(0, DateTime{t.year, t.month, t.day, t.hour, t.minute, t.second})) {
        ObjectRecord first{};
        CopyObjectDisplayFields(&first, listed);
        SetChartDateTime(&first, t.year, t.month, t.day, t.hour, t.minute);
        SetCurrentSelectionEntry(0);
    }
}

void ChooseEquatorStar() {
    FillStarList();
    ShowInformation("Point to a star which is", "in the vicinity of the celestial equator (Dec=0");
    polarStep = 1;
    GotoForm(kSkyChartForm);
}

void ChooseTargetStar() {
    ShowInformation("\x95 Choose a star close to the object you want to",
                    "follow and put it at the center of the field of view (Position A).");
    FillStarList();
    polarStep = 3;
    targetPending = true;
    GotoForm(kSkyChartForm);
}

void RedrawView() {
    if (!UseForm()) return;
    PolarRefresh();
    SaveScreen();
}

void TakeClock() {
    ClockNow();
    ShowTime(false);
    RedrawView();
}

void EditDateAndTime() {
    PolarDateTime& t = polarDateTime;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    RedrawView();
}

void EditField(pl::Hwnd form, int id) {
    for (int field : kDateTimeFields)
        if (field == id) return EditDateAndTime();
    const NumberField* f = FindNumberField(kNumberFields, id);
    if (!f || !EditNumberField(form, *f)) return;
    if (id == kPolarResolutionField) {
        char text[24] = {};
        GetField(id, text, sizeof text);
        preferences.SetFloat(kPrefPolarResolution, static_cast<float>(ParseDouble(text)));
    }
}

// The alarm's tick: at its time the sound and the reminder.
void AlarmTick(pl::Hwnd form) {
    if (polarAlarmTime == 0 || static_cast<int32_t>(GetSeconds() - polarAlarmTime) < 0) return;
    pl::KillTimer(form, kPolarAlarmTimer);
    polarAlarmTime = 0;
    pl::PlaySound("polarAlarm", true);
    ShowInformation("Tap on the reticule chart where the star is now.", "");
}

void PickedRow(int list) {
    const int row = Get(list);
    if (row < 0) return;
    const int trigger = list == kPolarMethodList ? kPolarMethodTrigger
                        : list == kPolarReticleList ? kPolarReticleTrigger
                                                    : kPolarAlarmTrigger;
    SetPopupList(trigger, list, row);
    if (list == kPolarMethodList) {
        polarMethod = row;
        RedrawView();
    } else if (list == kPolarReticleList) {
        polarReticleType = row;
        RedrawView();
    } else if (list == kPolarAlarmList) {
        StartDriftTiming(row);
    }
}

}  // namespace

void PolarOpen() {
    if (polarDateTime.year < 0) ClockNow();
    PushFormHistory(kPolarForm);
    if (!IsStarCatalogLoaded()) LoadStarCatalog(1);
    if (targetPending) TakeTarget();
    if (polarStep == 5 && polarAlarmTime != 0) pl::SetTimer(polarForm, kPolarAlarmTimer, kAlarmPeriodMs);
    PolarRefresh();
}

void PolarRefresh() {
    ShowDate();
    ShowTime(false);
    pl::Hwnd form = polarForm;
    const bool quick = polarMethod == 0;
    for (int id : kDriftControls) quick ? HideObject(form, id) : ShowObject(form, id);
    for (int id : kDateTimeFields) ShowObject(form, id);
    ErasePolarView();
    if (quick) {
        DrawPolarFinder();
        return;
    }
    SetField(kPolarLambdaLabel, polarMethod == 2 ? "Lambda" : "lambda");
    const float stored = preferences.GetFloat(kPrefPolarResolution);
    if (stored != 0.0f && std::isfinite(stored)) {
        char text[24];
        std::snprintf(text, sizeof text, "%.2f", stored);
        SetField(kPolarResolutionField, text);
    }
    DrawDriftPicture(polarReticleType, DriftPicture::Plain);
}

void MeasureResolution() {
    if (polarStep < 1) {
        ShowInformation("Please before select a star to set resolution.", "");
        return;
    }
    if (UseForm()) {
        DrawDriftPicture(polarReticleType, DriftPicture::Resolution);
        SaveScreen();
    }
    ShowInformation("\x95 Put the star on the", "western edge of the field of view (Position A, as shown).");
    ShowInformation("\x95 Now, turn off the tracking", "(drive) motor");
    ShowInformation("\x95 Adjust your reticle so the star will move through the field of view, as shown.", "");
    ShowInformation("\x95 Return the star to", "Position A and then tap Ok");
    const uint32_t start = GetSeconds();
    ShowInformation("\x95 Finally, tap OK ", "when the star reaches Position B.");
    const uint32_t end = GetSeconds();
    ObjectRecord star{};
    CopyChartState16(&star);
    const double r = DriftResolution(static_cast<double>(static_cast<int32_t>(end - start)), star.declination);
    char text[24];
    std::snprintf(text, sizeof text, "%.2f", r);
    SetField(kPolarResolutionField, text);
    preferences.SetFloat(kPrefPolarResolution, static_cast<float>(r));
}

void StartDriftTiming(int row) {
    pl::Hwnd form = polarForm;
    PolarDateTime& t = polarDateTime;
    // The drift starts now: the clock's date and time, so that the starting
    // hour angle holds after midnight or a typed date.
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    ShowDate();
    ShowTime(true);
    driftStart = GetSeconds();
    polarStep = 5;
    if (row == kManualRow) {
        polarAlarmTime = 0;
        pl::KillTimer(form, kPolarAlarmTimer);
        ShowInformation("Wait some minutes without tracking and then tap on the reticule chart to point where the "
                        "stars is placed after this period",
                        "");
        return;
    }
    const int minutes = 8 * (row + 1);
    polarAlarmTime = driftStart + static_cast<uint32_t>(minutes * 60);
    pl::SetTimer(form, kPolarAlarmTimer, kAlarmPeriodMs);
    char text[128];
    std::snprintf(text, sizeof text,
                  "An alarm will remain you in %dmn to indicate where is the targeted star on your the reticle.",
                  minutes);
    ShowInformation(text, "");
}

bool PolarReticleTap(int x, int y) {
    const XywhRect box = PolarReticleBox();
    if (polarMethod == 0 || !PointInRect(x, y, box)) return false;
    if (polarStep != 5) {
        ShowInformation("Star timer fisrt", "");
        return true;
    }
    driftEnd = GetSeconds();
    const int dx = static_cast<int>((x - box.x) / displayScale.scaleX) - 29;
    const int dy = 29 - static_cast<int>((y - box.y) / displayScale.scaleY);
    char text[16];
    std::snprintf(text, sizeof text, "%d", dx);
    SetField(kPolarXField, text);
    std::snprintf(text, sizeof text, "%d", dy);
    SetField(kPolarYField, text);
    if (polarAlarmTime != 0 && driftStart != 0 && static_cast<int32_t>(driftEnd - polarAlarmTime) < 0) {
        pl::KillTimer(polarForm, kPolarAlarmTimer);
        polarAlarmTime = 0;
        ShowInformation("Remove previous alarm.", "");
    }
    if (UseForm()) {
        DrawDriftPicture(polarReticleType, DriftPicture::Drift, dx, dy);
        SaveScreen();
    }
    polarMethod == 1 ? KingCorrection() : RambautCorrection();
    polarStep = 4;
    return true;
}

pl::LResult PolarCommand([[maybe_unused]] pl::Hwnd form, int id) {
    switch (id) {
    case kPolarEquatorStar: ChooseEquatorStar(); return 1;
    case kPolarMeasure: MeasureResolution(); return 1;
    case kPolarTargetStar: ChooseTargetStar(); return 1;
    case kPolarClock: TakeClock(); return 1;
    case kPolarHelp: ShowInformation(kHelp[polarMethod][0], kHelp[polarMethod][1]); return 1;
    case pl::IDOK:
    case kPolarBack: GoBackToPreviousForm(); return 1;
    default: return 0;
    }
}

pl::LResult PolarDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitPolarForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, PolarOpen, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_TIMER:
        if (wParam == kPolarAlarmTimer) AlarmTick(form);
        return 1;
    case pl::WM_LBUTTONDOWN: PolarReticleTap(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleasePolarForm(form);
            DestroyCurrentForm();
            polarForm = nullptr;
            return 1;
        }
        if (list != 0) {
            PickedRow(list);
            return 1;
        }
        return PolarCommand(form, id);
    }
    case pl::WM_CLOSE: ReleasePolarForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}

void ResetPolarForm() {
    polarMethod = polarStep = polarReticleType = 0;
    polarDateTime = PolarDateTime{};
    driftStart = driftEnd = polarAlarmTime = 0;
    targetPending = false;
}
