#include "tools/observer_log_form.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "catalog/screens/name_rows.h"
#include "chart/phase_icons.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "objects/eyepiece_popup.h"
#include "objects/finder_open.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "tools/observer_log.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/markers.h"
#include "ui/number_field.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr int kFinderForm = 2350;
constexpr int kLineInput = 72;      // the text input takes 71 characters of a one-line field
constexpr int kCommentsInput = 261;  // and 260 of the comments
constexpr int kShotsFolder = kImageFolderShots;

constexpr int kLabels[] = {2637, 2638, 2636, 2635, 2641, 2633, 2634, 2631, 2632};
constexpr int kBrowseControls[] = {kObserverLogList, kLogBack, kLogNew, kLogEdit, kLogDelete, kLogMemo};
constexpr int kTextFields[] = {kLogDateField,  kLogTimeField,   kLogLocationField, kLogVisualLimitField,
                               kLogFilterField, kLogScopeField, kLogObjectField,   kLogCommentsField};
// The fields an entry in progress keeps while its form is made anew.
constexpr int kKeptTexts[] = {kLogLocationField, kLogVisualLimitField, kLogFilterField,
                              kLogScopeField,    kLogObjectField,      kLogCommentsField};
constexpr int kEntryButtons[] = {kLogNow, kLogFinder, kLogPicture, kLogCancel, kLogSave};
constexpr int kRightButtons[] = {kLogEdit, kLogDelete, kLogSave, kLogMemo};
constexpr int kBottomButtons[] = {kLogBack, kLogNew, kLogEdit, kLogDelete, kLogMemo, kLogCancel, kLogSave};

struct LogPopup {
    int trigger;
    int list;
    std::vector<const char*> rows;  // in the order shown
};
const LogPopup kPopups[] = {
    {kLogTransparencyTrigger, kLogTransparencyList, {"Excellent", "Good", "Poor"}},
    {kLogSeeingTrigger, kLogSeeingList, {"Excellent", "Good", "Poor"}},
    {kLogDifficultyTrigger, kLogDifficultyList, {"Evident", "Easy", "Difficult"}},
    {kLogBrightnessTrigger, kLogBrightnessList, {"Bright", "Faint"}},
};

struct FieldInput {
    int id;
    const char* title;
    int size;
};
constexpr FieldInput kFieldInputs[] = {
    {kLogLocationField, "Location", kLineInput}, {kLogFilterField, "Filter", kLineInput},
    {kLogScopeField, "Scope", kLineInput},       {kLogObjectField, "Object/Event", kLineInput},
    {kLogCommentsField, "", kCommentsInput},
};
constexpr NumberField kVisualLimit{kLogVisualLimitField, "Visual Limit", "Visual Limit", kLineInput, -10, 25};
constexpr NumberField kNumberFields[] = {kVisualLimit};

constexpr char kHelpText[] = "\x95 Use this assistant to take notes during your observation session.\n";
constexpr char kBrowseHelp[] = "\x95 You can create, edit or delete your observation logs.";
constexpr char kEntryHelp[] =
    "\x95 You can add your own shots to each note. Just press on the binocular to get the name and the location "
    "the file to follow.";

pl::Hwnd logForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
int eyepieceRows = 1;

ObserverLogState& State() { return observerLogState; }

std::string FieldText(int id, int characters) {
    std::vector<char> text(static_cast<std::size_t>(characters) + 1, '\0');
    GetField(id, text.data(), characters + 1);
    return text.data();
}

// Row of a popup's list, 0 when none is chosen.
int PopupRow(int list) { return Get(list) < 0 ? 0 : Get(list); }

// A stored code as a popup row: a code outside the rows shows row 0.
void ShowPopupRow(int trigger, int list, int code, int rows) {
    SetPopupList(trigger, list, code >= 0 && code < rows ? code : 0);
}

int SelectedRow() {
    int row = Get(kObserverLogList);
    return row >= 0 && row < State().names.Count() ? row : -1;
}

void InitEyepiecePopup(pl::Hwnd form) {
    eyepieceRows = AddEyepieceRows(form, kLogEyepieceList);
    InitPopupList(form, kLogEyepieceTrigger, kLogEyepieceList, -1, 10, 0);
}

void ShowDateTimeFields() {
    const DateTime& t = State().working;
    char text[24];
    FormatDate(text, sizeof text, t.day, t.month, t.year);
    SetField(kLogDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    SetField(kLogTimeField, text);
}

void ShowRecordFields(const ObserverLogRecord& r) {
    SetField(kLogLocationField, r.location);
    const int codes[] = {r.transparency, r.seeing, r.difficulty, r.brightness};
    for (std::size_t i = 0; i < std::size(kPopups); ++i)
        ShowPopupRow(kPopups[i].trigger, kPopups[i].list, codes[i], static_cast<int>(kPopups[i].rows.size()));
    SetEyepiecePopupLabel(r.eyepiece >= 0 && r.eyepiece < eyepieceRows ? r.eyepiece : 0, kLogEyepieceTrigger,
                          kLogEyepieceList, "None");
    char text[48];
    DoubleToStr(text, sizeof text, r.visualLimit10 * 0.1, 1);
    SetField(kLogVisualLimitField, text);
    SetField(kLogFilterField, r.filter);
    SetField(kLogScopeField, r.scope);
    SetField(kLogObjectField, r.name);
    SetField(kLogCommentsField, r.comments);
}

// The Moon's phase picture and per cent, the Sun's icon and altitude.
void DrawSkyValues(const ObserverLogRecord& r) {
    const DateTime& t = State().working;
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    int icon = ComputeMoonIconState(t.year, t.month, t.day, t.hour);
    if (icon != 0) DrawBitmap(icon, ScaleX(193), ScaleY(65));
    char text[24];
    std::snprintf(text, sizeof text, "%d%%", r.moonPercent);
    DrawChars(text, static_cast<int>(std::strlen(text)), ScaleX(215), ScaleY(65));
    DrawSmallIcon(0, 0, ScaleX(200), ScaleY(90));
    std::snprintf(text, sizeof text, "%d\xB0", r.sunAltitude);
    DrawChars(text, static_cast<int>(std::strlen(text)), ScaleX(215), ScaleY(85));
}

void ShowControls(pl::Hwnd form, bool browse) {
    for (int id : kBrowseControls) browse ? ShowObject(form, id) : HideObject(form, id);
    auto entry = [&](int id) { browse ? HideObject(form, id) : ShowObject(form, id); };
    for (int id : kLabels) entry(id);
    for (int id : kTextFields) entry(id);
    for (int id : kEntryButtons) entry(id);
    for (const LogPopup& p : kPopups) entry(p.trigger);
    entry(kLogEyepieceTrigger);
}

void ShowEntries() {
    ListObserverLogs();
    SetListItems(pl::GetDlgItem(logForm, kObserverLogList), nullptr, State().names.Count());
    Set(kObserverLogList, -1);
}

// The form drawn anew by `layout`, kept as the screen later paints put back.
void Relayout(void (*layout)() = LayoutObserverLogForm) {
    if (!pl::IsWindow(logForm)) return;
    InitDrawWindowOwnDc(logForm);
    EraseFormBelowTitleLine(logForm);
    layout();
    SaveScreen();
}

// The entry shown for a new working date and time: its date, time, Moon and
// Sun (and a new entry's object place) for it, every other field as it stands
// on the form, typed or chosen. Another mode is laid out as a whole.
void ShowEntryForDate() {
    ObserverLogState& s = State();
    if ((s.mode != kLogNewEntry && s.mode != kLogEditEntry) || !s.record) {
        LayoutObserverLogForm();
        return;
    }
    RetakeObserverLogSkyAndPlace();
    ShowDateTimeFields();
    DrawSkyValues(*s.record);
}

void TakeDeviceClock() {
    DateTime& t = State().working;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
}

// The entry in progress kept before its form closes to be made anew.
void KeepEntry(bool fromFinder) {
    ObserverLogState& s = State();
    if (s.mode != kLogNewEntry && s.mode != kLogEditEntry) return;
    s.kept = ObserverLogKeptEntry{s.mode, fromFinder, {}, {}};
    for (int id : kKeptTexts) s.kept.texts.push_back(FieldText(id, kLogCommentsWidth - 1));  // the longest
    for (const LogPopup& p : kPopups) s.kept.rows.push_back(PopupRow(p.list));
    s.kept.rows.push_back(PopupRow(kLogEyepieceList));
}

// The kept entry shown again as it stood, at its working date and time (a
// new entry back from the finder takes its target); false when none is kept
// for the form's mode.
bool ShowKeptEntry() {
    ObserverLogState& s = State();
    const ObserverLogKeptEntry k = std::move(s.kept);
    s.kept = ObserverLogKeptEntry{};
    if (k.mode != s.mode || !s.record || k.texts.size() != std::size(kKeptTexts)) return false;
    ShowControls(logForm, false);
    for (std::size_t i = 0; i < k.texts.size(); ++i) SetField(kKeptTexts[i], k.texts[i].c_str());
    for (std::size_t i = 0; i < std::size(kPopups); ++i)
        ShowPopupRow(kPopups[i].trigger, kPopups[i].list, k.rows[i], static_cast<int>(kPopups[i].rows.size()));
    const int eyepiece = k.rows.back();
    SetEyepiecePopupLabel(eyepiece < eyepieceRows ? eyepiece : 0, kLogEyepieceTrigger, kLogEyepieceList, "None");
    if (k.fromFinder && TakeObserverLogFinderTarget()) SetField(kLogObjectField, s.record->name);
    ShowEntryForDate();
    return true;
}

void DrawObserverLogForm() {
    AllocObserverLogRecord();
    PushFormHistory(kObserverLogForm);
    if (ShowKeptEntry()) return;
    TakeDeviceClock();
    LayoutObserverLogForm();
}

// After save or cancel: browse, or back to the form that opened a new entry.
void EndEntry() {
    ObserverLogState& s = State();
    s.mode = kLogBrowse;
    s.kept = ObserverLogKeptEntry{};
    if (s.returnAfterSave) GoBackToPreviousForm();
    else Relayout();
}

void ShowPicture() {
    int day = 0, month = 0, year = 0;
    ParseDate(FieldText(kLogDateField, 23).c_str(), &day, &month, &year);
    std::string name = FieldText(kLogObjectField, kLogNameWidth - 1);
    if (name.empty()) {
        ShowInformation("You should type an object (or event) name", "");
        return;
    }
    char picture[64];
    std::snprintf(picture, sizeof picture, "%04d%02d%02d%s", year, month, day, name.c_str());
    if (char* comma = std::strchr(picture, ',')) *comma = '\0';
    if (!BuildImagePath(picture, kShotsFolder, 0)) {
        ShowInformation(std::string(picture) + ".jpg",
                        "file should be stored in shots/ folder to be linked to this observation log.");
        return;
    }
    ShowObjectImage(picture, 0, 0, 160, 160, true, kShotsFolder, 0);
    Relayout(ShowEntryForDate);
}

// A date and time taken with Ok becomes the entry's, with what follows from
// it; after Cancel the entry stays as it was.
void EditDateAndTime() {
    DateTime& t = State().working;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (DateTimeEditConfirmed()) Relayout(ShowEntryForDate);
}

void EditField(pl::Hwnd form, int id) {
    if (id == kLogDateField || id == kLogTimeField) {
        EditDateAndTime();
        return;
    }
    if (const NumberField* f = FindNumberField(kNumberFields, id)) {
        EditNumberField(form, *f);
        return;
    }
    for (const FieldInput& f : kFieldInputs)
        if (f.id == id) RunTextInputDialog(form, id, f.title, f.size);
}

void LayoutForm(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    for (int id : kBottomButtons) MoveControl(form, id, 0, dy, 0, 0);
    for (int id : kRightButtons) MoveControl(form, id, dx, 0, 0, 0);
    MoveControl(form, kLogHelp, dx, 0, 0, 0);
    MoveControl(form, kObserverLogList, 0, 0, dx, dy);
    MoveControl(form, kLogCommentsField, 0, 0, dx, dy);
}

void InitObserverLogForm(pl::Hwnd form) {
    logForm = form;
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kLogTitle, "ObserverLog");
    InitBitmapButton(form, kLogHelp, 5076, 1, kInfoKey);
    const int buttons[][2] = {{kLogBack, 5074}, {kLogNew, 5121},  {kLogEdit, 5160},  {kLogDelete, 1975},
                              {kLogNow, 120},   {kLogCancel, 5161}, {kLogSave, 5148}};
    for (const auto& b : buttons) InitBitmapButton(form, b[0], b[1], 0, 0);
    bool night = GetNightMode() > 0;
    InitBitmapButton(form, kLogFinder, night ? 5134 : 5124, night ? 0 : 1, kWhite);
    InitBitmapButton(form, kLogPicture, 1941, 1, kWhite);
    for (int id : kLabels) InitLabel(form, id);
    for (int id : kTextFields) InitTextField(form, id, 0);
    for (const LogPopup& p : kPopups) {
        for (std::size_t i = p.rows.size(); i-- > 0;) AddListRow(form, p.list, p.rows[i]);
        InitPopupList(form, p.trigger, p.list, -1, 0, 0);
    }
    InitEyepiecePopup(form);
    InitList(form, kObserverLogList, 0, -1, 1);
    LayoutForm(form);
}

void ReleaseObserverLogForm(pl::Hwnd form) {
    firstPaint = 1;
    State().returnAfterSave = 0;
    for (int id : {kLogTitle, kLogHelp, kObserverLogList, kLogFinder, kLogPicture, kLogEyepieceTrigger})
        ReleaseControl(form, id);
    for (int id : {kLogBack, kLogNew, kLogEdit, kLogDelete, kLogNow, kLogCancel, kLogSave}) ReleaseControl(form, id);
    for (int id : kLabels) ReleaseControl(form, id);
    for (int id : kTextFields) ReleaseControl(form, id);
    for (const LogPopup& p : kPopups) ReleaseControl(form, p.trigger);
}

pl::LResult Command(int id) {
    ObserverLogState& s = State();
    const bool browse = s.mode == kLogBrowse;
    switch (id) {
    case kLogHelp: ShowInformation(kHelpText, browse ? kBrowseHelp : kEntryHelp); return 1;
    case pl::IDOK:
        if (!browse) return 1;
        [[fallthrough]];
    case kLogBack: GoBackToPreviousForm(); return 1;
    case kLogNew: s.mode = kLogNewEntry; Relayout(); return 1;
    case kLogEdit:
        if (LoadObserverLog()) {
            s.mode = kLogEditEntry;
            Relayout();
        }
        return 1;
    case kLogDelete: DeleteObserverLog(); return 1;
    case kLogMemo: ExportObserverLogs(); return 1;
    case kLogNow: TakeDeviceClock(); Relayout(ShowEntryForDate); return 1;
    case kLogFinder:
        if (GetCurrentFormId() == kFinderForm) return 1;
        KeepEntry(true);
        OpenFinder(kObserverLogForm, -1);
        return 1;
    case kLogPicture: ShowPicture(); return 1;
    case kLogEyepieceList: SetEyepiecePopupLabel(Get(kLogEyepieceList), kLogEyepieceTrigger, kLogEyepieceList, "None");
        return 1;
    case kLogCancel: EndEntry(); return 1;
    case kLogSave:
        if (SaveObserverLog(s.mode == kLogEditEntry && s.record ? s.record->listIndex : -1)) EndEntry();
        return 1;
    default: return 0;
    }
}

void DrawLogRow(int16_t row, const XywhRect& rect, int, int) { DrawNameTableRow(State().names, row, rect, 2); }

}  // namespace

void LayoutObserverLogForm() {
    ObserverLogState& s = State();
    switch (s.mode) {
    case kLogBrowse:
        ShowControls(logForm, true);
        ShowEntries();
        return;
    case kLogNewEntry:
    case kLogEditEntry:
        ShowControls(logForm, false);
        FillObserverLogEntry();
        return;
    default: ShowInformation("ObsLog Unknown action", "");
    }
}

void FillObserverLogEntry() {
    ObserverLogState& s = State();
    if (!s.record) return;
    if (s.mode == kLogEditEntry) TakeObserverLogRecordDate(*s.record);
    ShowDateTimeFields();
    ComputeObserverLogSky();
    if (s.mode == kLogNewEntry) BuildNewObserverLogRecord();
    ShowRecordFields(*s.record);
    DrawSkyValues(*s.record);
}

bool SaveObserverLog(int listIndex) {
    ObserverLogState& s = State();
    double visualLimit = 0;
    if (!s.record || !ReadNumberField(logForm, kVisualLimit, &visualLimit)) return false;
    ObserverLogRecord& r = *s.record;
    ObserverLogDefaults& d = s.remembered;
    ParseDate(FieldText(kLogDateField, 23).c_str(), &r.day, &r.month, &r.year);
    int32_t hour = 0, minute = 0, unused = 0;
    ParseSexagesimal(FieldText(kLogTimeField, 23).c_str(), ':', &hour, &minute, &unused);
    r.hour = hour;
    r.minute = minute;
    r.transparency = d.transparency = PopupRow(kLogTransparencyList);
    r.seeing = d.seeing = PopupRow(kLogSeeingList);
    SetLogText(r.scope, FieldText(kLogScopeField, kLogScopeWidth - 1).c_str(), kLogScopeWidth - 1);
    SetLogText(r.filter, FieldText(kLogFilterField, kLogFilterWidth - 1).c_str(), kLogFilterWidth - 1);
    SetLogText(d.filter, r.filter, kLogFilterWidth - 1);
    SetLogText(r.comments, FieldText(kLogCommentsField, kLogCommentsWidth - 1).c_str(), kLogCommentsWidth - 1);
    SetLogText(r.name, FieldText(kLogObjectField, kLogNameWidth - 1).c_str(), kLogNameWidth - 1);
    SetLogText(r.location, FieldText(kLogLocationField, kLogLocationWidth - 1).c_str(), kLogLocationWidth - 1);
    r.visualLimit10 = d.visualLimit10 = TruncateToInt32(visualLimit * 10);
    r.eyepiece = d.eyepiece = PopupRow(kLogEyepieceList);
    r.difficulty = PopupRow(kLogDifficultyList);
    r.brightness = PopupRow(kLogBrightnessList);
    TakeObserverLogObjectOfName();
    const bool edited = listIndex >= 0 && listIndex < s.names.Count();
    return WriteObserverLogEntry(&r, edited ? s.names[listIndex].data() : nullptr);
}

bool LoadObserverLog() { return LoadObserverLogAt(SelectedRow()); }

void DeleteObserverLog() {
    int row = SelectedRow();
    if (row < 0) return;
    DeleteObserverLogAt(row);
    ShowEntries();
}

pl::LResult ObserverLogFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitObserverLogForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, DrawObserverLogForm, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawLogRow); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleaseObserverLogForm(form);
            DestroyCurrentForm();
            logForm = nullptr;
            return 1;
        }
        return Command(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: ReleaseObserverLogForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE:
        if (wParam == pl::SETTINGCHANGE_RESET) KeepEntry(false);  // the form is made anew for the new screen
        HandleFormSettingChange(form, wParam, lParam, &activateInfo);
        return 1;
    default: return 0;
    }
}
