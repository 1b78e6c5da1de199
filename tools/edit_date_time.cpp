#include "tools/edit_date_time.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/julian_day.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "objects/selection_search.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/date_time_calendar.h"
#include "tools/date_time_view.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/current_form.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/offscreen.h"
#include "ui/popup_list.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

int32_t dateFormUT = 0;
DateTimeFormBlock dateTimeFormBlock{};

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kDialogInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kJulianDayChars = 14;  // shown
constexpr int kJulianDayRead = 13;   // read by "JD"

constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kTimeScales[] = {"Local Time", "UT Time"};

DateTimeFormBlock& Block() { return dateTimeFormBlock; }
DateTime& Value() { return dateTimeFormBlock.value; }
bool ShowsUT() { return dateFormUT == 1; }

// Minutes ahead of universal time of the caller's values: the site's zone for
// a caller in local civil time, 0 for one in universal time.
int callerZoneMinutes = 0;

// Minutes to add to the caller's values to have them in the scale the form
// shows (and to take away on the way back).
int ShownMinusCaller() { return (ShowsUT() ? 0 : currentSite.zoneMinutes) - callerZoneMinutes; }

// Texts of numbered rows: "%04d" years, "%02d" days and minutes, "%2d" hours.
template <int N>
struct NumberRows {
    NumberRows(const char* format, int first, int step) {
        for (int i = 0; i < N; ++i) {
            std::snprintf(text[i], sizeof text[i], format, first + step * i);
            rows[i] = text[i];
        }
    }
    char text[N][8];
    const char* rows[N];
};
const NumberRows<kLastFormYear + 1> kYearRows("%04d", 0, 1);
const NumberRows<31> kDayRows("%02d", 1, 1);
const NumberRows<12> kMorningRows("%2d", 0, 1);
const NumberRows<12> kAfternoonRows("%2d", 12, 1);
const NumberRows<12> kMinuteRows("%02d", 0, 5);

pl::Hwnd List(pl::Hwnd dialog, int id) { return pl::GetDlgItem(dialog, id); }

void SetNumberField(int id, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    SetField(id, text);
}

void ShowJulianDay() {
    char text[32];
    DoubleToStr(text, sizeof text, FormJulianDay(Value(), ShowsUT(), currentSite.zoneMinutes), 6);
    text[kJulianDayChars] = '\0';
    SetField(kJulianDayField, text);
}

void ShowHour() {
    int hour = Value().hour;
    SetNumberField(kHourField, hour);
    Set(hour < 12 ? kMorningHourList : kAfternoonHourList, hour % 12);
    Set(hour < 12 ? kAfternoonHourList : kMorningHourList, -1);
}

void ShowMinuteAndSecond() {
    DateTime& v = Value();
    if (v.minute < 0 || v.minute > 59) v.minute = 0;
    if (v.second < 0 || v.second > 59) v.second = 0;
    SetNumberField(kMinuteField, v.minute);
    SetNumberField(kSecondField, v.second);
    Set(kMinuteList, v.minute / 5);
}

// Day list rows for the month, the row of the day chosen and scrolled to.
void ShowDay(pl::Hwnd dialog) {
    const DateTime& v = Value();
    int days = GetDaysInMonth(v.month, v.year);
    if (ListGetCount(List(dialog, kDayList)) != days) SetListItems(List(dialog, kDayList), kDayRows.rows, days);
    SetPopupList(kDayTrigger, kDayList, v.day - 1);
    ListEnsureVisible(List(dialog, kDayList), std::max(v.day - 7, 0));
}

// Every control from the block, the phases of the month, and the calendar
// painted again.
void ShowBlock(pl::Hwnd dialog) {
    const DateTime& v = Value();
    SetPopupList(kYearTrigger, kYearList, v.year);
    ListEnsureVisible(List(dialog, kYearList), v.year - 6 < 0 ? v.year : v.year - 6);
    ComputeMonthPhases(v.year, v.month, Block().phases);
    ShowDay(dialog);
    SetPopupList(kTimeScaleTrigger, kTimeScaleList, dateFormUT);
    SetPopupList(kMonthTrigger, kMonthList, v.month - 1);
    ShowHour();
    ShowMinuteAndSecond();
    ShowJulianDay();
    InvalidateCalendar(dialog);
}

// A date or time the user chose holds: the program's clock stops following
// the device again, even after "Now".
void KeepChosenTime() { dateTimeFixed = 1; }

void ClampDay() {
    DateTime& v = Value();
    v.day = std::min(v.day, GetDaysInMonth(v.month, v.year));
}

void LoadNow() {
    DateTime& v = Value();
    GetLocalDateTime(&v.year, &v.month, &v.day, &v.hour, &v.minute, &v.second);
    if (ShowsUT()) v = UniversalFromLocal(v, currentSite.zoneMinutes);
}

void SetTimeScale(int row) {
    if (row < 0 || row == dateFormUT) return;
    if (ShowsUT()) Value() = LocalFromUniversal(Value(), currentSite.zoneMinutes);
    dateFormUT = row;
    if (ShowsUT()) Value() = UniversalFromLocal(Value(), currentSite.zoneMinutes);
}

void TakeJulianDay(pl::Hwnd dialog) {
    char text[kJulianDayRead + 1];
    GetField(kJulianDayField, text, sizeof text);
    if (!FormDateFromJulianDay(ParseDouble(text), ShowsUT(), currentSite.zoneMinutes, &Value())) {
        ShowInformation("Invalid JD date", "");
        return;
    }
    KeepChosenTime();
    ShowBlock(dialog);
}

// A minute or second field: digits (after an optional sign) of a value 0..59.
bool ReadClockField(int id, int* value) {
    char text[3];
    GetField(id, text, sizeof text);
    const char* p = text;
    if (*p == '-') ++p;
    if (*p == '+') ++p;
    *value = ParseInt(text);
    return std::isdigit(static_cast<unsigned char>(*p)) && *value >= 0 && *value <= 59;
}

// "Ok": the date from the lists, the time from the fields, back in the
// caller's time scale. A minute or second that is no number or out of 0..59
// keeps the form open.
bool TakeForm() {
    DateTime t = Value();
    int year = Get(kYearList), month = Get(kMonthList), day = Get(kDayList);
    if (year >= 0) t.year = year;
    if (month >= 0) t.month = month + 1;
    if (day >= 0) t.day = day + 1;
    t.day = std::min(t.day, GetDaysInMonth(t.month, t.year));
    char hour[3];
    GetField(kHourField, hour, sizeof hour);
    t.hour = ParseInt(hour);
    if (!ReadClockField(kMinuteField, &t.minute) || !ReadClockField(kSecondField, &t.second)) {
        ShowInformation("Invalid date or time", "");
        return false;
    }
    if (t.minute != Value().minute || t.second != Value().second) KeepChosenTime();
    Value() = UniversalFromLocal(t, ShownMinusCaller());
    return true;
}

void InitPopup(pl::Hwnd dialog, int trigger, int list, const char* const* rows, int count, int visible) {
    SetListItems(List(dialog, list), rows, count);
    InitPopupList(dialog, trigger, list, -1, visible, 0);
}

void InitTimeList(pl::Hwnd dialog, int list, const char* const* rows) {
    SetListItems(List(dialog, list), rows, 12);
    InitList(dialog, list, -1, -1, 0);
}

void InitControls(pl::Hwnd dialog) {
    InitFormWindow(dialog, kDialogInitFlags);
    InitDialogTitle(dialog, kDateTimeTitle, "DateTime");
    InitBitmapButton(dialog, kDateTimeInfo, kInfoBitmap, 1, kInfoKey);
    InitPopup(dialog, kTimeScaleTrigger, kTimeScaleList, kTimeScales, 2, 2);
    InitPopup(dialog, kYearTrigger, kYearList, kYearRows.rows, kLastFormYear + 1, 10);
    InitPopup(dialog, kMonthTrigger, kMonthList, kMonthNames, 12, 12);
    InitPopup(dialog, kDayTrigger, kDayList, kDayRows.rows, 31, 10);
    InitTimeList(dialog, kMorningHourList, kMorningRows.rows);
    InitTimeList(dialog, kAfternoonHourList, kAfternoonRows.rows);
    InitTimeList(dialog, kMinuteList, kMinuteRows.rows);
    InitTextField(dialog, kHourField, 1);
    for (int id : {kMinuteField, kSecondField, kJulianDayField}) InitTextField(dialog, id, 0);
    pl::Rect client;
    int dx = 0, dy = 0;
    if (pl::GetClientRect(dialog, &client) && GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        MoveControl(dialog, kDateTimeInfo, dx, 0, 0, 0);
}

// The opening: the calendar area, the clock fixed while the form is open,
// and the device's date when the caller's year is out of the list.
void OpenForm(pl::Hwnd dialog) {
    DateTimeFormBlock& b = Block();
    b.calendar = CalendarArea();
    b.savedFixed = dateTimeFixed;
    dateTimeFixed = 1;
    if (b.value.year < 0 || b.value.year > kLastFormYear) LoadNow();
    // Ok on what the form opened on is no change, the device's date shown for a year out of the list too.
    b.opened = UniversalFromLocal(b.value, ShownMinusCaller());
    SetCurrentFormWindow(dialog);
    ShowBlock(dialog);
}

void EndForm(pl::Hwnd dialog, int result) {
    for (int id : {kDateTimeTitle, kDateTimeInfo, kTimeScaleTrigger, kYearTrigger, kMonthTrigger, kDayTrigger,
                   kMorningHourList, kAfternoonHourList, kMinuteList, kHourField, kMinuteField, kSecondField,
                   kJulianDayField})
        ReleaseControl(dialog, id);
    pl::EndDialog(dialog, result);
}

void EditField(pl::Hwnd dialog, int id) {
    if (id == kMinuteField) RunTextInputDialog(dialog, id, "Minutes :", 3);
    if (id == kSecondField) RunTextInputDialog(dialog, id, "Seconds :", 3);
    if (id == kJulianDayField) RunTextInputDialog(dialog, id, "JD :", 16);
}

void ShowHelp() {
    ShowInformation("\x95 This assistant lets you set the date and time.",
                    "\x95 Local time or Universal Time (UT) can be inputed as well as Julian Date.\n"
                    "In this case please press JD button to update.");
}

// A row chosen in a popup's list: year, month or day.
void ChooseDateRow(pl::Hwnd dialog, int trigger) {
    DateTime& v = Value();
    int row = Get(trigger == kYearTrigger ? kYearList : trigger == kMonthTrigger ? kMonthList : kDayList);
    if (row < 0) return;
    if (trigger == kYearTrigger) v.year = row;
    if (trigger == kMonthTrigger) v.month = row + 1;
    if (trigger == kDayTrigger) v.day = row + 1;
    ClampDay();
    KeepChosenTime();
    ShowBlock(dialog);
}

void ChooseTimeRow(int list) {
    int row = Get(list);
    if (row < 0) return;
    DateTime& v = Value();
    if (list == kMinuteList) {
        v.minute = 5 * row;
        v.second = 0;
        ShowMinuteAndSecond();
    } else {
        v.hour = row + (list == kAfternoonHourList ? 12 : 0);
        ShowHour();
    }
    KeepChosenTime();
    ShowJulianDay();
}

pl::LResult Command(pl::Hwnd dialog, int id) {
    switch (id) {
    case kYearTrigger:
    case kMonthTrigger:
    case kDayTrigger: ChooseDateRow(dialog, id); return 1;
    case kTimeScaleTrigger:
        SetTimeScale(Get(kTimeScaleList));
        ShowBlock(dialog);
        return 1;
    case kMorningHourList:
    case kAfternoonHourList:
    case kMinuteList: ChooseTimeRow(id); return 1;
    case kJulianDayButton: TakeJulianDay(dialog); return 1;
    case kDateTimeNow:
        dateTimeFixed = 0;
        LoadNow();
        ShowBlock(dialog);
        return 1;
    case kDateTimeOk:
    case pl::IDOK:
        if (TakeForm()) EndForm(dialog, kDateTimeOk);
        return 1;
    case kDateTimeCancel:
    case pl::IDCANCEL:
        dateTimeFixed = Block().savedFixed;
        EndForm(dialog, kDateTimeCancel);
        return 1;
    case kDateTimeInfo: ShowHelp(); return 1;
    default: return 0;
    }
}

// A tap on a day of the calendar moves the highlight there and shows the day.
void TapCalendar(pl::Hwnd dialog, pl::LParam point) {
    DateTime& v = Value();
    int day = CalendarDayAtPixel(v.year, v.month, pl::PointX(point), pl::PointY(point));
    if (day == 0) return;
    v.day = day;
    KeepChosenTime();
    MoveHighlight(dialog);
    SetPopupList(kDayTrigger, kDayList, day - 1);
    ListEnsureVisible(List(dialog, kDayList), std::max(day - 7, 0));
    ShowJulianDay();
}

pl::LResult DateTimeProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG:
        InitControls(dialog);
        OpenForm(dialog);
        return 1;
    case pl::WM_PAINT: PaintCalendar(dialog); return 1;
    case pl::WM_MEASUREITEM: MeasureDayRow(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: DrawDayItem(dialog, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case pl::WM_LBUTTONDOWN: TapCalendar(dialog, lParam); return 1;
    case kMsgEditField: EditField(dialog, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: return Command(dialog, pl::LoWord(wParam));
    default: return 0;
    }
}

bool SameDateTime(const DateTime& a, const DateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

bool lastEditConfirmed = false;

// Runs the form on six values `zone` minutes ahead of universal time; "Ok"
// copies the edited values back in that scale when they differ. Returns
// whether they were copied.
bool RunDateTimeForm(int* const values[6], int zone) {
    DateTimeFormBlock& b = Block();
    const DateTime caller{*values[0], *values[1], *values[2], *values[3], *values[4], *values[5]};
    b.modalRunning = 1;
    callerZoneMinutes = zone;
    b.value = LocalFromUniversal(caller, ShownMinusCaller());
    pl::Hwnd previous = GetCurrentFormWindow();
    int result = pl::DialogBox(kDateTimeForm, previous, DateTimeProc);
    b.modalRunning = 0;
    lastEditConfirmed = result == kDateTimeOk;
    DeleteOffscreenWindow(b.highlightBits);
    b.highlightBits = nullptr;
    // The dialog's title made the dialog the draw window: the form it was
    // opened over draws again.
    if (pl::IsWindow(previous)) InitDrawWindowOwnDc(previous);
    SetCurrentFormWindow(previous);
    if (result != kDateTimeOk || SameDateTime(b.value, b.opened)) return false;
    const DateTime& v = b.value;
    const int edited[6] = {v.year, v.month, v.day, v.hour, v.minute, v.second};
    for (int i = 0; i < 6; ++i) *values[i] = edited[i];
    return true;
}

}  // namespace

bool DateTimeEditConfirmed() { return lastEditConfirmed; }

int EditDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second) {
    int* const values[6] = {year, month, day, hour, minute, second};
    if (RunDateTimeForm(values, currentSite.zoneMinutes)) ComputeSelectionSkyState();
    return 1;
}

bool EditUniversalDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second) {
    const int32_t scale = dateFormUT, fixed = dateTimeFixed;
    dateFormUT = 1;
    int* const values[6] = {year, month, day, hour, minute, second};
    const bool changed = RunDateTimeForm(values, 0);
    dateFormUT = scale;
    dateTimeFixed = fixed;
    return changed;
}

void SetDateFormUT() { dateFormUT = 1; }

void SetDateFormLocal() { dateFormUT = 0; }
