#include "assistants/moon_assistant_form.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

#include "assistants/moon_assistant.h"
#include "assistants/moon_calendar_view.h"
#include "assistants/moon_feature_view.h"
#include "assistants/moon_map_form.h"
#include "assistants/moon_map_view.h"
#include "assistants/text_popup.h"
#include "catalog/moon_features.h"
#include "catalog/screens/image_viewer.h"
#include "core/julian_day.h"
#include "core/moon_records.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/offscreen.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

constexpr int kTitle = 8027;
constexpr int kViewTrigger = 6018;
constexpr int kViewList = 6019;
constexpr int kInfoButton = 6004;
constexpr int kTypeTrigger = 5995;
constexpr int kTypeList = 5996;
constexpr int kFeatureTrigger = 5997;
constexpr int kFeatureList = 5998;
constexpr int kPictureButton = 5984;
constexpr int kSizeTrigger = 5990;
constexpr int kSizeList = 5991;
constexpr int kSortSize = 5993;
constexpr int kSortName = 5992;
constexpr int kSortLatitude = 5994;
constexpr int kTerminatorList = 6011;
constexpr int kBackButton = 5989;
constexpr int kBackRight = 6001;
constexpr int kDateField = 6002;
constexpr int kTimeField = 5988;
constexpr int kNowButton = 5987;
constexpr int kMoonPictureFolder = 4;
constexpr int kFeaturePopupRows = 110;
constexpr int kFeaturePopupVisibleRows = 12;
constexpr int kDateInputSize = 11;
constexpr int kTimeInputSize = 6;
// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kRegistered[] = {kTitle,      kViewTrigger, kTypeTrigger, kFeatureTrigger, kSizeTrigger,
                               kInfoButton, kPictureButton, kBackButton, kBackRight,     kNowButton,
                               kDateField,  kTimeField,   kTerminatorList};

constexpr const char* kViewNames[] = {"Calendar", "Map", "Rise and Set", "DarkHours", "Features", "Terminator",
                                      "Visibility"};
constexpr const char* kSizeNames[] = {"All", ">40km", ">80km", ">120km"};
constexpr const char* kTypeNames[] = {"All", "Catena", "Crater", "Lacus", "Mare", "Mons", "Oceanus"};

struct HelpText {
    const char* text;
    const char* detail;
};
constexpr HelpText kHelp[] = {
    {"\x95 Please click on the date field to change it or use Up and Down PDA keys.",
     "\x95 Tap on a Moon image to get more information."},
    {nullptr, nullptr},
    {"\x95 This assistant displays Rise and Set time (local time) of the moon for the next month.",
     "\x95 Hyphens on a particular day mean there is no rise or set during this day."},
    {"\x95 This assistant displays Start and End times (local time) of the darkest period (sun below -18\xB0) of "
     "each night and when the moon is not up.",
     "\x95  Hyphens on a particular day mean there is not dark period."},
    {"\x95 This assistant helps you to determine the best date and time to observe a moon feature i.e. when the "
     "terminator pass close to this feature.",
     "\x95 Use the popup lists to select and filter the feature."},
    {"\x95 This assistant selects the list of the visible moon features close to the terminator.",
     "\x95 The list can be sorted (by Size, Name or Feature Latitude) and filtered (by Size)."},
    {"\x95 This assistant displays  Start and End times (local time) when the moon is visible (sun below the "
     "horizon and moon over 20\xB0 above the horizon).",
     "\x95  Hyphens on a particular day mean there is no time frame."},
};

constexpr char kNoDatabase[] = "Moon database not found.\nPlease install zendavori_moon.ppc";
constexpr char kNoDatabaseDetail[] = "This module can't be used.";

pl::Hwnd assistantForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

MoonAssistantState& State() { return moonAssistantState; }

// The form becomes the draw window again, in the colours of the set.
void UseForm() {
    if (!pl::IsWindow(assistantForm)) return;
    InitDrawWindowOwnDc(assistantForm);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
}

void ShowControls(std::initializer_list<int> hidden, std::initializer_list<int> shown) {
    for (int id : hidden) HideObject(assistantForm, id);
    for (int id : shown) ShowObject(assistantForm, id);
}

// Between the title and the bottom strip.
void EraseContent() {
    const MoonAssistantState& s = State();
    EraseRectangle(XywhRect{0, ScaleY(24), s.screenWidth, s.screenHeight - ScaleY(24) - ScaleY(22)});
}

// The type range of the index for the type filter: record order for "All",
// the run of the type's code in the index sorted by type otherwise.
void ApplyTypeFilter() {
    const MoonAssistantState& s = State();
    int code = MoonTypeCodeOfRow(s.typeFilter);
    if (s.typeFilter == 0) {
        SortMoonFeatureIndex(0);
        featureTypeRange = {0, GetMoonRecordCount()};
        return;
    }
    featureTypeRange = {0, 0};
    if (code < 0) return;
    SortMoonFeatureIndex(1);
    int count = 0, first = FindMoonFeatureTypeRange(code, &count);
    if (first >= 0) featureTypeRange = {first, count};
}

void ShowMonthView(int mode) {
    MoonAssistantState& s = State();
    ShowControls({kPictureButton, kSizeTrigger, kSortName, kSortSize, kSortLatitude, kTerminatorList, kTypeTrigger,
                  kFeatureTrigger, kBackRight, kTimeField},
                 {kNowButton, kDateField, kBackButton});
    if (s.eraseOnNextDraw) EraseContent();
    if (mode < 0) DrawMoonCalendar(s);
    else DrawMoonDayTable(mode, s);
}

void ShowFeatures() {
    ShowControls({kPictureButton, kSizeTrigger, kSortName, kSortSize, kSortLatitude, kTerminatorList, kBackRight},
                 {kDateField, kTimeField, kNowButton, kBackButton, kTypeTrigger, kFeatureTrigger});
    if (!BuildMoonFeatureIndex()) ApplyTypeFilter();
    EraseContent();
    DrawMoonFeaturesView(State());
}

void ShowTerminator() {
    ShowControls({kPictureButton, kTypeTrigger, kFeatureTrigger, kBackRight},
                 {kTerminatorList, kDateField, kNowButton, kTimeField, kBackButton, kSizeTrigger, kSortName,
                  kSortSize, kSortLatitude});
    EraseContent();
    DrawMoonTerminatorView(State());
}

// The current view with its controls; the feature views fall back to the
// calendar without a lunar feature database.
void ShowMoonView() {
    MoonAssistantState& s = State();
    if ((s.view == kMoonViewFeatures || s.view == kMoonViewTerminator) && GetMoonRecordCount() <= 0) {
        ShowInformation(kNoDatabase, kNoDatabaseDetail);
        UseForm();
        s.view = kMoonViewCalendar;
        s.eraseOnNextDraw = 1;
    }
    SetPopupList(kViewTrigger, kViewList, s.view);
    switch (s.view) {
    case kMoonViewMap:
        s.view = kMoonViewCalendar;
        GotoForm(kMoonMapForm);
        return;
    case kMoonViewRiseSet: ShowMonthView(kMoonTableRiseSet); break;
    case kMoonViewDarkHours: ShowMonthView(kMoonTableDarkHours); break;
    case kMoonViewVisibility: ShowMonthView(kMoonTableVisibility); break;
    case kMoonViewFeatures: ShowFeatures(); break;
    case kMoonViewTerminator: ShowTerminator(); break;
    default: ShowMonthView(-1); break;
    }
    s.eraseOnNextDraw = 0;
    SaveScreen();
}

void Redraw() {
    UseForm();
    ShowMoonView();
}

// The assistant date from the device clock.
void TakeDeviceDate() {
    MoonAssistantState& s = State();
    GetLocalDateTime(&s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
}

// The first drawing of the form.
void OpenMoonAssistant() {
    MoonAssistantState& s = State();
    if (dateTimeFixed == 0 || (s.year == -1 && currentDateTime.year == 0)) {
        TakeDeviceDate();
    } else if (s.year == -1) {
        const DateTime& t = currentDateTime;
        s.year = t.year, s.month = t.month, s.day = t.day, s.hour = t.hour, s.minute = t.minute, s.second = 0;
    }
    PushFormHistory(kMoonAssistantForm);
    GetScreenSize(&s.screenWidth, &s.screenHeight);
    s.cellWidth = s.screenWidth / 7;
    s.cellHeight = std::max((s.screenHeight - ScaleY(22) - ScaleY(24) - ScaleY(13)) / 6, 18);
    ShowMoonView();
}

// A month earlier (step 1) or later (-1); the day kept within the month.
void StepMonth(int step) {
    MoonAssistantState& s = State();
    s.month -= step;
    if (s.month < 1) s.month = 12, --s.year;
    if (s.month > 12) s.month = 1, ++s.year;
    s.day = std::min(s.day, GetDaysInMonth(s.month, s.year));
}

// PgUp and Down step 1, PgDn and Up -1: a month back, or a row down.
pl::LResult Key(int key) {
    int step = 0;
    switch (key) {
    case pl::VK_PRIOR:
    case pl::VK_DOWN: step = 1; break;
    case pl::VK_NEXT:
    case pl::VK_UP: step = -1; break;
    case pl::VK_LEFT:
    case pl::VK_RIGHT: return 1;
    default: return 0;
    }
    MoonAssistantState& s = State();
    if (s.view == kMoonViewFeatures)
        s.featureRow = std::max(std::min(s.featureRow + step, featureTypeRange.count - 1), 0);
    else if (s.view == kMoonViewTerminator)
        s.terminatorRow =
            std::max(std::min(s.terminatorRow + step, static_cast<int>(visibleFeatureList.size()) - 1), 0);
    else
        StepMonth(step);
    Redraw();
    return 1;
}

// A tap on a day of the calendar shows its box over the saved screen.
void TapCalendar(int x, int y) {
    MoonAssistantState& s = State();
    int day = MoonCalendarTapDay(GetMoonCalendarGrid(s), s.year, s.month, x, y);
    if (day == kCalendarTapIgnored) return;
    if (day == kCalendarTapNoDay) {
        ShowInformation("Please click on one Moon.", "");
        return;
    }
    s.tapColumn = x / std::max(s.cellWidth, 1);
    s.tapRow = (y - GetMoonCalendarGrid(s).top) / std::max(s.cellHeight, 1);
    std::string text = MoonDayBoxText(s.year, s.month, day);
    UseForm();
    DrawWindowRecord* saved = SaveBits(XywhRect{0, 0, s.screenWidth, s.screenHeight});
    ShowInformation(text, "");
    UseForm();
    if (saved) RestoreBits(saved, 0, 0);
    s.tapColumn = s.tapRow = -1;
}

void ChooseView(int row) {
    MoonAssistantState& s = State();
    if (row < 0 || row >= static_cast<int>(std::size(kViewNames)) || row == s.view) return;
    ForgetMoonPicture();
    s.view = row;
    FreeMoonMapBitmap();
    s.eraseOnNextDraw = 1;
    Redraw();
}

void ShowHelp() {
    int view = State().view;
    if (view < 0 || view >= static_cast<int>(std::size(kHelp)) || !kHelp[view].text) return;
    ShowInformation(kHelp[view].text, kHelp[view].detail);
}

void ShowPicture() {
    const MoonAssistantState& s = State();
    MoonFeatureRecord f;
    if (GetShownMoonFeature(s, &f))
        ShowObjectImage(f.name, 0, 0, s.screenWidth, s.screenHeight, true, kMoonPictureFolder, 0);
}

void Now() {
    TakeDeviceDate();
    State().terminatorRow = -1;
    Redraw();
}

void ChooseSize(int row) {
    MoonAssistantState& s = State();
    if (row < 0 || row == s.sizeFilter) return;
    s.sizeFilter = row;
    s.terminatorRow = -1;
    Redraw();
}

void ChooseType(int row) {
    MoonAssistantState& s = State();
    if (row < 0 || row == s.typeFilter) return;
    s.typeFilter = row;
    SetPopupList(kTypeTrigger, kTypeList, row);
    s.featureRow = 0;
    BuildMoonFeatureIndex();
    ApplyTypeFilter();
    Redraw();
}

void Sort(int mode) {
    SortTerminatorList(mode);
    Redraw();
}

void ChooseTerminatorRow(int row) {
    MoonAssistantState& s = State();
    if (row < 0 || row == s.terminatorRow) return;
    s.terminatorRow = row;
    Redraw();
}

pl::LResult Command(int id) {
    switch (id) {
    case kViewList: ChooseView(Get(kViewList)); return 1;
    case kInfoButton: ShowHelp(); return 1;
    case kPictureButton: ShowPicture(); return 1;
    case kNowButton: Now(); return 1;
    case kBackButton:
    case kBackRight:
    case pl::IDOK: GoBackToPreviousForm(); return 1;
    case kSizeList: ChooseSize(Get(kSizeList)); return 1;
    case kSortSize: Sort(0); return 1;
    case kSortName: Sort(1); return 1;
    case kSortLatitude: Sort(2); return 1;
    case kTypeList: ChooseType(Get(kTypeList)); return 1;
    case kFeatureList:
        State().featureRow = std::max(Get(kFeatureList), 0);
        Redraw();
        return 1;
    case kTerminatorList: ChooseTerminatorRow(Get(kTerminatorList)); return 1;
    default: return 0;
    }
}

// An edited date or time becomes the assistant's and the view is drawn again
// (and the field with it); a text left as it was changes nothing but is drawn
// again too. An edited text that does not read as a date or time is refused
// with one message, stays in the field, and the view stays as it was.
void EditField(pl::Hwnd form, int id) {
    MoonAssistantState& s = State();
    bool date = id == kDateField;
    if (!date && id != kTimeField) return;
    char before[kTextInputSize] = "", text[kTextInputSize] = "";
    GetField(id, before, sizeof before);
    RunTextInputDialog(form, id, date ? "Date:" : "Time:", date ? kDateInputSize : kTimeInputSize);
    GetField(id, text, sizeof text);
    if (std::string(text) != before) {
        if (!(date ? TakeAssistantDate(text, &s.day, &s.month, &s.year) : TakeAssistantTime(text, &s.hour, &s.minute)))
            return;
        s.terminatorRow = -1;
    }
    Redraw();
}

// Back down to the screen's bottom; the date, time and clock right and down;
// information and picture right; the terminator list taller.
void LayoutMoonAssistant(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kBackButton, 0, dy, 0, 0);
    for (int id : {kDateField, kTimeField, kNowButton, kBackRight}) MoveControl(form, id, dx, dy, 0, 0);
    for (int id : {kInfoButton, kPictureButton}) MoveControl(form, id, dx, 0, 0, 0);
    MoveControl(form, kTerminatorList, 0, 0, 0, dy);
}

void InitMoonAssistant(pl::Hwnd form) {
    const MoonAssistantState& s = State();
    assistantForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTitle, "MoonAssistant");
    InitTextPopup(form, kViewTrigger, kViewList, kViewNames, s.view);
    InitTextPopup(form, kSizeTrigger, kSizeList, kSizeNames, s.sizeFilter);
    InitTextPopup(form, kTypeTrigger, kTypeList, kTypeNames, s.typeFilter);
    InitPopupList(form, kFeatureTrigger, kFeatureList, kFeaturePopupRows, kFeaturePopupVisibleRows, -1);
    InitBitmapButton(form, kInfoButton, 5076, 1, pl::Rgb(0, 255, 0));
    InitBitmapButton(form, kPictureButton, 1941, 1, pl::Rgb(255, 255, 255));
    InitBitmapButton(form, kBackButton, 5074, 0, 0);
    InitBitmapButton(form, kBackRight, 5074, 0, 0);
    InitBitmapButton(form, kNowButton, 120, 0, 0);
    InitTextField(form, kDateField, 0);
    InitTextField(form, kTimeField, 0);
    InitList(form, kTerminatorList, 0, -1, 0);
    firstPaint = 1;
    LayoutMoonAssistant(form);
}

// The rendered map, the terminator list and the feature index freed, the
// controls released.
void CloseMoonAssistant(pl::Hwnd form) {
    ForgetMoonPicture();
    FreeMoonMapBitmap();
    ForgetTerminatorList();
    FreeMoonFeatureIndex();
    for (int id : kRegistered) ReleaseControl(form, id);
}

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kFeatureList) DrawOwnerItem(form, item, DrawFeaturePopupRow);
    if (item && item->ctlId == kTerminatorList) DrawOwnerItem(form, item, DrawTerminatorRow);
}

void PenDown(int x, int y) {
    if (State().view != kMoonViewCalendar) return;
    UseForm();
    TapCalendar(x, y);
}

}  // namespace

void ResetMoonAssistant() {
    ForgetMoonPicture();
    FreeMoonMapBitmap();
    ForgetTerminatorList();
    ResetMoonFeatures();
    moonAssistantState = MoonAssistantState{};
}

pl::LResult MoonAssistantProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitMoonAssistant(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenMoonAssistant, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case pl::WM_KEYDOWN: return Key(static_cast<int>(wParam));
    case pl::WM_LBUTTONDOWN: PenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseMoonAssistant(form);
            DestroyCurrentForm();
            assistantForm = nullptr;
            return 1;
        }
        return Command(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: CloseMoonAssistant(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
