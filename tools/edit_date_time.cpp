#include "tools/edit_date_time.h"

#include <cstdio>

#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "objects/selection_search.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

constexpr int kTemplate = 5200;
constexpr int kTitle = 8026;
constexpr int kInfo = 5201;
constexpr int kDateField = 5235;
constexpr int kTimeField = 5215;
constexpr int kOk = 5207;
constexpr int kNow = 5217;
constexpr int kCancel = 5232;

DateTime block{};
int savedFixed = 0;

void ShowBlock(pl::Hwnd dialog) {
    char date[16], time[16];
    FormatDate(date, sizeof date, block.day, block.month, block.year);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", block.hour, block.minute, block.second);
    pl::SetDlgItemText(dialog, kDateField, date);
    pl::SetDlgItemText(dialog, kTimeField, time);
}

// Reads the two fields into the block; false (and a message) when either is
// not a date or time.
bool ReadBlock(pl::Hwnd dialog) {
    int day = 0, month = 0, year = 0;
    ParseDate(pl::GetDlgItemText(dialog, kDateField).c_str(), &day, &month, &year);
    int hour = -1, minute = -1, second = 0;
    std::string time = pl::GetDlgItemText(dialog, kTimeField);
    int fields = std::sscanf(time.c_str(), "%d:%d:%d", &hour, &minute, &second);
    if (month < 1 || month > 12 || year < 0 || year > 2199 || day < 1 || day > GetDaysInMonth(month, year) ||
        fields < 2 || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        ShowInformation("Invalid date or time", "");
        return false;
    }
    block = DateTime{year, month, day, hour, minute, second};
    return true;
}

void LoadNow(pl::Hwnd dialog) {
    dateTimeFixed = 0;
    int f[6];
    GetLocalDateTime(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    block = DateTime{f[0], f[1], f[2], f[3], f[4], f[5]};
    ShowBlock(dialog);
}

// Ends the dialog after releasing the controls its initialisation registered.
void EndDateTime(pl::Hwnd dialog, int result) {
    for (int id : {kTitle, kInfo, kDateField, kTimeField}) ReleaseControl(dialog, id);
    pl::EndDialog(dialog, result);
}

pl::LResult DateTimeProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam) {
    switch (message) {
    case pl::WM_INITDIALOG:
        InitDialogTitle(dialog, kTitle, "DateTime");
        InitBitmapButton(dialog, kInfo, 5076, 1, 0x00FF00);
        InitTextField(dialog, kDateField, 0);
        InitTextField(dialog, kTimeField, 0);
        SetCurrentFormWindow(dialog);
        savedFixed = dateTimeFixed;
        dateTimeFixed = 1;
        if (block.year < 0 || block.year > 2199) LoadNow(dialog);
        ShowBlock(dialog);
        return 1;
    case kMsgEditField:
        if (wParam == kDateField) RunTextInputDialog(dialog, kDateField, "Date:", 11);
        if (wParam == kTimeField) RunTextInputDialog(dialog, kTimeField, "Time:", 9);
        return 1;
    case pl::WM_COMMAND:
        switch (pl::LoWord(wParam)) {
        case kOk:
        case pl::IDOK:
            if (ReadBlock(dialog)) EndDateTime(dialog, kOk);
            return 1;
        case kNow: LoadNow(dialog); return 1;
        case kCancel:
            dateTimeFixed = savedFixed;
            EndDateTime(dialog, kCancel);
            return 1;
        case kInfo:
            ShowInformation("\x95 This assistant lets you set the date and time.",
                            "\x95 Local time or Universal Time (UT) can be inputed as well as Julian Date.\n"
                            "In this case please press JD button to update.");
            return 1;
        default: return 0;
        }
    default: return 0;
    }
}

}  // namespace

int EditDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second) {
    block = DateTime{*year, *month, *day, *hour, *minute, *second};
    const DateTime opened = block;
    pl::Hwnd previous = GetCurrentFormWindow();
    int result = pl::DialogBox(kTemplate, previous, DateTimeProc);
    // The dialog's title made the dialog the draw window: the form it was
    // opened over draws again.
    if (pl::IsWindow(previous)) InitDrawWindowOwnDc(previous);
    if (result == kOk) {
        const DateTime& b = block;
        if (b.year != opened.year || b.month != opened.month || b.day != opened.day || b.hour != opened.hour ||
            b.minute != opened.minute || b.second != opened.second) {
            *year = b.year;
            *month = b.month;
            *day = b.day;
            *hour = b.hour;
            *minute = b.minute;
            *second = b.second;
            ComputeSelectionSkyState();
        }
    }
    SetCurrentFormWindow(previous);
    return 1;
}
