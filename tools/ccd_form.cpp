#include "tools/ccd_form.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/window.h"
#include "tools/ccd_fov.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/number_field.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kHeadings[] = {138, 139, 140};
constexpr int kVisibleCameraRows = 14;
constexpr int kRowIndent = 2;  // pixels from the row's left edge
constexpr int kResultsHiddenInTemplate[] = {kCcdDiagonalLabel, kCcdFovDiagonal,     kCcdPixelLabel,
                                            kCcdPixelScaleWidth, kCcdPixelSeparator, kCcdPixelScaleHeight,
                                            kCcdPixelUnit};

// The size fields in word order (49..52) and the focal field, with their
// text input and the ranges the preference words keep (hundredths of mm and
// of um up to 20000 and 10000; a focal length of 0 takes the telescope's).
constexpr NumberField kSizeFields[] = {
    {kCcdWidthField, "Width", "Width in mm:", 5, 0, 200, NumberForm::Decimal, " mm"},
    {kCcdHeightField, "Height", "Height in mm:", 5, 0, 200, NumberForm::Decimal, " mm"},
    {kCcdPixelWidthField, "Pixel width", "Pixel Width:", 5, 0, 100, NumberForm::Decimal, " \xB5m"},
    {kCcdPixelHeightField, "Pixel height", "Pixel Height:", 7, 0, 100, NumberForm::Decimal, " \xB5m"},
};
constexpr NumberField kFocalField{kCcdFocalField, "Scope focal", "Scope Focal:", 6, 0, kCcdFocalMaxMm,
                                  NumberForm::Count, " mm"};

constexpr char kHelpText[] = "To display your CCD Field Of View (FOV) in SkyChart:";
constexpr char kHelpDetail[] =
    "\x95 Select your CCD camera from the list or manually enter your CCD specs.\n"
    "\x95 Then tap Update to compute the FOV and to save the specs.";

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

int32_t& Word(int w) { return preferences.word[w]; }

// The camera row of word 48; an out-of-list value is "User Data".
int CameraRow() {
    int row = Word(kPrefCcdCamera);
    return row >= 0 && row < kCcdCameraCount ? row : 0;
}

std::string FieldText(int id) {
    char text[16] = {};
    GetField(id, text, sizeof text);
    return text;
}

void ShowAngle(int id, double degrees) {
    char text[32];
    DegToStr(text, sizeof text, degrees);
    SetField(id, text);
}

void ShowPixelScale(int id, int32_t pixelWord, double focal) {
    char text[32];
    DoubleToStr(text, sizeof text, CcdPixelScale(pixelWord, focal), 2);
    SetField(id, text);
}

void ShowResults(double width, double height, double focal) {
    ShowAngle(kCcdFovWidth, CcdFieldAngle(width, focal));
    ShowAngle(kCcdFovHeight, CcdFieldAngle(height, focal));
    ShowAngle(kCcdFovDiagonal, CcdFieldAngle(std::sqrt(width * width + height * height), focal));
    ShowPixelScale(kCcdPixelScaleWidth, Word(kPrefCcdWidth + 2), focal);
    ShowPixelScale(kCcdPixelScaleHeight, Word(kPrefCcdWidth + 3), focal);
}

void DrawCameraRow(int16_t row, const XywhRect& rect, int, int) {
    if (row < 0 || row >= kCcdCameraCount) return;
    pl::Hdc dc = GetDrawDc();
    pl::Rect text{rect.x + kRowIndent, rect.y, rect.x + rect.width, rect.y + rect.height};
    int mode = pl::SetBkMode(dc, pl::kTransparent);
    pl::DrawText(dc, kCcdCameras[row].name, &text, pl::kTextSingleLine | pl::kTextVCenter);
    pl::SetBkMode(dc, mode);
}

void InitCameraPopup(pl::Hwnd form) {
    const char* names[kCcdCameraCount];
    for (int i = 0; i < kCcdCameraCount; ++i) names[i] = kCcdCameras[i].name;
    SetListItems(pl::GetDlgItem(form, kCcdCameraList), names, kCcdCameraCount);
    InitPopupList(form, kCcdCameraTrigger, kCcdCameraList, -1, kVisibleCameraRows, CameraRow());
}

// The back button follows the bottom edge, update and help the right edge.
void LayoutCcdForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kCcdBack, 0, dy, 0, 0);
    MoveControl(form, kCcdUpdate, dx, dy, 0, 0);
    MoveControl(form, kCcdHelp, dx, 0, 0, 0);
}

void InitCcdForm(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kCcdTitle, "CCD Assistant");
    InitBitmapButton(form, kCcdHelp, kInfoBitmap, 1, kInfoKey);
    for (int id : kHeadings) InitLabel(form, id);
    InitCameraPopup(form);
    for (const NumberField& f : kSizeFields) InitTextField(form, f.id, 0);
    InitTextField(form, kFocalField.id, 0);
    LayoutCcdForm(form);
    for (int id : kResultsHiddenInTemplate) ShowObject(form, id);
}

void ReleaseCcdForm(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : {kCcdTitle, kCcdHelp, kCcdCameraTrigger, kCcdFocalField}) ReleaseControl(form, id);
    for (int id : kHeadings) ReleaseControl(form, id);
    for (const NumberField& f : kSizeFields) ReleaseControl(form, f.id);
}

// The first paint: the form history, the telescope's focal length when none
// is set, and the camera's values.
void DrawCcdForm() {
    PushFormHistory(kCcdForm);
    if (Word(kPrefCcdFocal) == 0) Word(kPrefCcdFocal) = ScopeFocalLengthForCcd();
    LoadCcdCamera();
}

void EditField(pl::Hwnd form, int id) {
    if (const NumberField* f = FindNumberField(kSizeFields, id)) EditNumberField(form, *f);
    if (id == kFocalField.id) EditNumberField(form, kFocalField);
}

void ChooseCamera() {
    int row = Get(kCcdCameraList);
    if (row < 0 || row >= kCcdCameraCount) return;
    Word(kPrefCcdCamera) = row;
    LoadCcdCamera();
}

pl::LResult Command(int id) {
    switch (id) {
    case kCcdCameraList: ChooseCamera(); return 1;
    case kCcdUpdate:
        ComputeCcdFov();
        LoadCcdCamera();
        return 1;
    case kCcdBack:
    case pl::IDOK:
        ComputeCcdFov();
        GoBackToPreviousForm();
        return 1;
    case kCcdHelp: ShowInformation(kHelpText, kHelpDetail); return 1;
    default: return 0;
    }
}

}  // namespace

void LoadCcdCamera() {
    int row = CameraRow();
    SetPopupList(kCcdCameraTrigger, kCcdCameraList, row);
    if (row != 0) {
        const CcdCamera& c = kCcdCameras[row];
        const int32_t values[] = {c.width, c.height, c.pixelWidth, c.pixelHeight};
        for (int i = 0; i < 4; ++i) Word(kPrefCcdWidth + i) = values[i];
    }
    char text[24];
    for (int i = 0; i < 4; ++i) {
        CcdSizeText(text, sizeof text, Word(kPrefCcdWidth + i));
        SetField(kSizeFields[i].id, text);
    }
    std::snprintf(text, sizeof text, "%d", Word(kPrefCcdFocal));
    SetField(kCcdFocalField, text);
    ComputeCcdFov();
}

void ComputeCcdFov() {
    for (int i = 0; i < 4; ++i)
        Word(kPrefCcdWidth + i) = CcdSizeWord(FieldText(kSizeFields[i].id).c_str());
    Word(kPrefCcdFocal) = CountFieldValue(FieldText(kCcdFocalField).c_str());
    if (Word(kPrefCcdFocal) == 0) Word(kPrefCcdFocal) = ScopeFocalLengthForCcd();
    double focal = Word(kPrefCcdFocal);
    if (focal <= 0) {
        for (int id : {kCcdFovWidth, kCcdFovHeight, kCcdFovDiagonal, kCcdPixelScaleWidth, kCcdPixelScaleHeight})
            SetField(id, "-");
        return;
    }
    ShowResults(Word(kPrefCcdWidth) / 100.0, Word(kPrefCcdWidth + 1) / 100.0, focal);
}

pl::LResult CcdFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitCcdForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, DrawCcdForm, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const pl::DrawItem*>(lParam);
        if (item && item->ctlId == kCcdCameraList) DrawOwnerItem(form, item, DrawCameraRow);
        return 1;
    }
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleaseCcdForm(form);
            DestroyCurrentForm();
            return 1;
        }
        return Command(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: ReleaseCcdForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
