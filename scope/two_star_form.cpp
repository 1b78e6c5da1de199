#include "scope/two_star_form.h"

#include "catalog/stars.h"
#include "core/preferences.h"
#include "core/services.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/alignment_restore.h"
#include "scope/two_star.h"
#include "ui/control_registry.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/number_field.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kEncoderOutput = 2;
constexpr int kBottomButtons[] = {kTwoStarOk, kTwoStarAlign, kTwoStarClear};

// The star fields with their text input ("entry kind" 9 for times, 12 for the
// rest: the characters taken, terminator included).
constexpr NumberField kStarFields[] = {
    {kTimeField1, "Star 1 time", "Star1 Time:", 9, 0, 24, NumberForm::Sexagesimal, " h"},
    {kTimeField2, "Star 2 time", "Star2 Time:", 9, 0, 24, NumberForm::Sexagesimal, " h"},
    {kRaField1, "Star 1 RA", "Star1 Ra:", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kRaField2, "Star 2 RA", "Star2 Ra:", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kDecField1, "Star 1 Dec", "Star1 Dec:", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
    {kDecField2, "Star 2 Dec", "Star2 Dec:", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
};
// The readings: right ascension hours and declination for EQ output, azimuth
// and altitude degrees (an encoder's altitude runs to 180) for AZ and Encoder.
constexpr NumberField kEqReadings[] = {
    {kAxis1Field1, "Star 1 scope RA", "Star1 Hor:", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kAxis1Field2, "Star 2 scope RA", "Star2 Hor:", 12, 0, 24, NumberForm::Sexagesimal, " h"},
    {kAxis2Field1, "Star 1 scope Dec", "Star1 Elv:", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
    {kAxis2Field2, "Star 2 scope Dec", "Star2 Elv:", 12, -90, 90, NumberForm::Sexagesimal, "\xB0"},
};
constexpr NumberField kAltAzReadings[] = {
    {kAxis1Field1, "Star 1 scope azimuth", "Star1 Hor:", 12, -360, 360, NumberForm::Sexagesimal, "\xB0"},
    {kAxis1Field2, "Star 2 scope azimuth", "Star2 Hor:", 12, -360, 360, NumberForm::Sexagesimal, "\xB0"},
    {kAxis2Field1, "Star 1 scope altitude", "Star1 Elv:", 12, -180, 180, NumberForm::Sexagesimal, "\xB0"},
    {kAxis2Field2, "Star 2 scope altitude", "Star2 Elv:", 12, -180, 180, NumberForm::Sexagesimal, "\xB0"},
};

constexpr char kHelpText[] =
    "\x95 Tap Star1 to choose the first star.  Use scope control to center on this star and then tap Read. "
    "Repeat with Star2 and then tap Align.";
constexpr char kHelpDetail[] = "\x95 You can also manually enter stars, then press the Read button.";

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

const NumberField* FindStarField(int id) {
    if (const NumberField* f = FindNumberField(kStarFields, id)) return f;
    return FindNumberField(preferences.word[kPrefMountType] == 0 ? kEqReadings : kAltAzReadings, id);
}

void EditStarField(pl::Hwnd form, int id) {
    const NumberField* field = FindStarField(id);
    if (field && EditNumberField(form, *field)) TakeTypedStarField(id);
}

template <typename F>
void ForEachStarField(F f) {
    for (const NumberField& n : kStarFields) f(n.id);
    for (const NumberField& n : kEqReadings) f(n.id);
}

void InitTwoStarForm(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTwoStarTitle, "2-StarAligment");
    InitBitmapButton(form, kTwoStarInfo, kInfoBitmap, 1, kInfoKey);
    ForEachStarField([form](int id) { InitTextField(form, id, 0); });
    TwoStarLayout(form);
}

void ReleaseTwoStarForm(pl::Hwnd form) {
    firstPaint = 1;
    ReleaseControl(form, kTwoStarTitle);
    ReleaseControl(form, kTwoStarInfo);
    ForEachStarField([form](int id) { ReleaseControl(form, id); });
}

// The platform buttons of Encoder output: Off and Reset while the mode is on,
// On while it is off; none for the other output types.
void ShowPlatformButtons(pl::Hwnd form) {
    const bool platform = preferences.word[kPrefMountType] == kEncoderOutput;
    const bool on = GetPlatformMode() != 0;
    auto show = [form](int id, bool shown) { shown ? ShowObject(form, id) : HideObject(form, id); };
    show(kPlatformOn, platform && !on);
    show(kPlatformOff, platform && on);
    show(kPlatformReset, platform && on);
}

void SwitchPlatform(pl::Hwnd form, int on) {
    SetPlatformMode(on);
    ShowPlatformButtons(form);
}

pl::LResult Command(pl::Hwnd form, int id) {
    switch (id) {
    case kChooseStar1: ChooseStar1(); return 1;
    case kChooseStar2: ChooseStar2(); return 1;
    case kReadStar1: ReadStar1(); return 1;
    case kReadStar2: ReadStar2(); return 1;
    case pl::IDOK:
    case kTwoStarOk:
        BuildAlignInputs();
        GoBackToPreviousForm();
        return 1;
    case kTwoStarClear: ClearTwoStar(); return 1;
    case kTwoStarAlign: AlignTwoStars(); return 1;
    case kTwoStarInfo: ShowInformation(kHelpText, kHelpDetail); return 1;
    case kPlatformOn: SwitchPlatform(form, 1); return 1;
    case kPlatformOff: SwitchPlatform(form, 0); return 1;
    case kPlatformReset: ResetPlatform(); return 1;
    default: return 0;
    }
}

}  // namespace

void TwoStarOpen() {
    PushFormHistory(kTwoStarForm);
    AskRestoreLastAlignment();
    if (!IsStarCatalogLoaded()) LoadStarCatalog(1);
    RefreshTwoStarForm();
}

void TwoStarLayout(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(form, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        for (int id : kBottomButtons) MoveControl(form, id, 0, dy, 0, 0);
    ShowPlatformButtons(form);
}

pl::LResult TwoStarDialogProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitTwoStarForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, TwoStarOpen, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case kMsgEditField: EditStarField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam);
        if (id == kCmdCloseForm) {
            ReleaseTwoStarForm(form);
            DestroyCurrentForm();
            return 1;
        }
        return Command(form, id);
    }
    case pl::WM_CLOSE: ReleaseTwoStarForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}

void InstallTwoStarAlignment() {
    if (restoreAlignmentHook) return;
    restoreAlignmentHook = RestoreAlignMatrix;
    InstallSavedAlignStars();
}
