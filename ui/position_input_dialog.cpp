#include "ui/position_input_dialog.h"

#include <cstdio>
#include <cstring>
#include <span>

#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/number_field.h"
#include "ui/modal_dialog_common.h"
#include "ui/popup_list.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

constexpr int kTemplate = 2950;
constexpr int kTitle = 8016;
constexpr int kName = 2957;
constexpr int kFirstLabel = 2951;
constexpr int kFirst = 2952;
constexpr int kSecondLabel = 2953;
constexpr int kSecond = 2954;
constexpr int kTypeTrigger = 2958;
constexpr int kTypeList = 2959;
constexpr int kOk = 2955;
constexpr int kCancel = 2956;
constexpr int kBufferSize = kPositionTextLength + 1;

struct PositionInput {
    char name[kBufferSize];
    char first[kBufferSize];
    char second[kBufferSize];
    int type;
    int result;
    int equatorial;
    pl::Hwnd previousForm;
    pl::Hwnd menuBar;
    int closing;
};
PositionInput positionInput{};

constexpr const char* kTypes[] = {"Star", "Nebula", "Galaxy", "Asteroid", "Comet", "Open Cluster", "Globular Cluster",
                                  "None"};

void InitPositionInput(pl::Hwnd dialog) {
    positionInput.menuBar = CreateEmptyMenuBar(dialog);
    pl::ShInitDialog(dialog, 0);
    pl::ShFullScreen(dialog, kFullScreenInDialog);
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    pl::MoveWindow(dialog, 0, 0, width, ScaleX(120));
    pl::ShSipPreference(dialog, pl::SIP_INPUTDIALOG);
    InitDialogTitle(dialog, kTitle, "Position input");
    for (int id : {kName, kFirst, kSecond}) InitTextField(dialog, id, 0);
    for (const char* row : kTypes) AddListRow(dialog, kTypeList, row);
    positionInput.previousForm = SwapCurrentFormWindow(dialog);
    InitPopupList(dialog, kTypeTrigger, kTypeList, -1, 0, -1);
    if (!positionInput.equatorial) {
        pl::SetDlgItemText(dialog, kFirstLabel, "Az");
        pl::SetDlgItemText(dialog, kSecondLabel, "Alt");
    }
    pl::SetDlgItemText(dialog, kName, positionInput.name);
    pl::SetDlgItemText(dialog, kFirst, positionInput.first);
    pl::SetDlgItemText(dialog, kSecond, positionInput.second);
    pl::SetFocus(dialog);
    positionInput.closing = 0;
}

// The coordinates as right ascension (hours) and declination, or azimuth and
// altitude (degrees), in any angle text. A right ascension is kept as a float
// and must stay below 24 h as such: a list entry at 24 h is no place.
constexpr NumberField kEquatorialFields[] = {
    {kFirst, "RA", "RA:", kBufferSize, 0, 24, NumberForm::Sexagesimal, " h", false, true, true},
    {kSecond, "Dec", "Dec:", kBufferSize, -90, 90, NumberForm::Sexagesimal, "\xB0"},
};
constexpr NumberField kHorizontalFields[] = {
    {kFirst, "Az", "Az:", kBufferSize, 0, 360, NumberForm::Sexagesimal, "\xB0"},
    {kSecond, "Alt", "Alt:", kBufferSize, -90, 90, NumberForm::Sexagesimal, "\xB0"},
};

std::span<const NumberField> CoordinateFields(int equatorial) {
    return equatorial ? std::span(kEquatorialFields) : std::span(kHorizontalFields);
}

void Keep(pl::Hwnd dialog, int id, char* buffer) {
    std::snprintf(buffer, kBufferSize, "%s", pl::GetDlgItemText(dialog, id).c_str());
}

void Close(pl::Hwnd dialog, int command) {
    positionInput.result = 0;
    if (command != kCancel) {
        Keep(dialog, kFirst, positionInput.first);
        Keep(dialog, kSecond, positionInput.second);
        Keep(dialog, kName, positionInput.name);
        positionInput.result = 1;
    }
    SetCurrentFormWindow(positionInput.previousForm);
    positionInput.closing = 1;
    for (int id : {kTitle, kName, kFirst, kSecond, kTypeTrigger}) ReleaseControl(dialog, id);
    pl::ShSipPreference(dialog, pl::SIP_FORCEDOWN);
    pl::EndDialog(dialog, command);
}

// Ok takes only coordinates that read; after a refusal the dialog stays open
// with the texts as typed.
bool CoordinatesRead(pl::Hwnd dialog) {
    double a = 0, b = 0;
    return ReadPositionInput(positionInput.equatorial, pl::GetDlgItemText(dialog, kFirst).c_str(),
                             pl::GetDlgItemText(dialog, kSecond).c_str(), &a, &b);
}

void ChooseType() {
    int row = Get(kTypeList);
    if (row < 0) return;
    positionInput.type = row;
    SetPopupList(kTypeTrigger, kTypeList, row);
}

void Paint(pl::Hwnd dialog) {
    pl::PaintStruct ps;
    pl::Hdc dc = pl::BeginPaint(dialog, &ps);
    if (!dc) return;
    DrawLineUnderControl(dialog, dc, kTitle);
    pl::EndPaint(dialog, &ps);
}

void EditField(pl::Hwnd dialog, int id) {
    if (id == kName) {
        RunTextInputDialog(dialog, id, "Name:", kBufferSize);
        return;
    }
    if (const NumberField* f = FindNumberField(CoordinateFields(positionInput.equatorial), id))
        EditNumberField(dialog, *f);
}

pl::LResult PositionInputProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam) {
    pl::ShInputDialog(dialog, message, wParam);
    switch (message) {
    case pl::WM_INITDIALOG: InitPositionInput(dialog); return 0;
    case pl::WM_PAINT: Paint(dialog); return 1;
    case kMsgEditField: EditField(dialog, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam);
        if (pl::HiWord(wParam) == kTypeList) ChooseType();
        else if (id == kCancel || ((id == pl::IDOK || id == kOk) && CoordinatesRead(dialog))) Close(dialog, id);
        return 1;
    }
    case pl::WM_ACTIVATE:
        if (pl::LoWord(wParam) != pl::WA_INACTIVE) {
            pl::ShSipPreference(dialog, pl::SIP_UP);
        } else if (positionInput.closing) {
            if (positionInput.menuBar) pl::DestroyWindow(positionInput.menuBar);
            positionInput.menuBar = nullptr;
            pl::ShSipPreference(dialog, pl::SIP_FORCEDOWN);
        }
        return 0;
    default: return 0;
    }
}

}  // namespace

int RunPositionInputDialog(pl::Hwnd owner, int equatorial, char* name, char* first, char* second, int* type) {
    std::snprintf(positionInput.first, kBufferSize, "%s", first);
    std::snprintf(positionInput.second, kBufferSize, "%s", second);
    std::snprintf(positionInput.name, kBufferSize, "%s", name);
    positionInput.result = 0;
    positionInput.equatorial = equatorial;
    InitDrawWindowOwnDc(owner);
    SaveScreen();
    pl::DialogBox(kTemplate, owner, PositionInputProc);
    if (positionInput.menuBar) pl::DestroyWindow(positionInput.menuBar);
    positionInput.menuBar = nullptr;
    pl::ShFullScreen(owner, kFullScreenHide);
    SetCurrentFormWindow(owner);
    InitDrawWindowOwnDc(owner);
    if (positionInput.result == 0) return 0;
    std::snprintf(name, kBufferSize, "%s", positionInput.name);
    std::snprintf(first, kBufferSize, "%s", positionInput.first);
    std::snprintf(second, kBufferSize, "%s", positionInput.second);
    *type = positionInput.type;
    return 1;
}

bool ReadPositionInput(int equatorial, const char* first, const char* second, double* a, double* b) {
    const std::span<const NumberField> fields = CoordinateFields(equatorial);
    auto read = [](const NumberField& field, const char* text, double* value) {
        if (ParseNumberField(field, text, value)) return true;
        ShowNumberFieldRefusal(field);
        return false;
    };
    double x = 0, y = 0;
    if (!read(fields[0], first, &x) || !read(fields[1], second, &y)) return false;
    *a = x;
    *b = y;
    return true;
}
