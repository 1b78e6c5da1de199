#include "chart/compass_form.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/designations.h"
#include "catalog/listed_places.h"
#include "catalog/object_display.h"
#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_symbols.h"
#include "chart/compass_view.h"
#include "chart/object_icons.h"
#include "chart/phase_icons.h"
#include "chart/star_labels.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "objects/finder_open.h"
#include "objects/object_selection.h"
#include "objects/selected_object.h"
#include "objects/selection_add.h"
#include "platform/controls.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
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
#include "ui/text_drawing.h"
#include "ui/title_control.h"

CompassChartState compassChartState;

namespace {

constexpr int kTitle = 8023, kInfoButton = 2831, kBackButton = 2832, kFinderButton = 2833, kDateField = 2834;
constexpr int kNowButton = 2835, kTimeField = 2836, kObjectTrigger = 2837, kObjectList = 2838;
constexpr int kObjectInfoButton = 2840, kPictureButton = 2841, kChartButton = 2842;
constexpr int kObjectInfoForm = 112, kSkyChartForm = 1900;
constexpr int kVisibleRows = 10;
constexpr int kAnyCatalogue = 10;
constexpr int kStarType = 30;
constexpr int kPlanetType = 27;
constexpr int kNameLength = 14;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kRegistered[] = {kTitle,         kObjectTrigger, kInfoButton,       kBackButton,
                               kFinderButton,  kChartButton,   kObjectInfoButton, kPictureButton,
                               kNowButton,     kDateField,     kTimeField};
constexpr char kHelp[] =
    "\x95 Display object azimuth and altitude.\n\n"
    "\x95 Evolution of altitude of the object during the next hours is also displayed on wide screens.";

pl::Hwnd compassForm = nullptr;
pl::ShActivateInfo activateInfo{};

CompassChartState& S() { return compassChartState; }

bool IsHrStar(const SelectionEntry& e) { return e.designation == kDesignationHr; }

// The entry of a shown row, or the taken entry for a negative row; null when none.
const SelectionEntry* RowEntry(int row) {
    if (row < 0) return S().taken ? &S().entry : nullptr;
    int position = GetSelectionIndex(row);
    return position >= 0 && position < selectionCount ? &selectionList[position] : nullptr;
}

// A row of the object popup: the star icon or the object's symbol, then its name.
void DrawRow(int row, const XywhRect& rect) {
    const SelectionEntry* e = RowEntry(row);
    if (!e) return;
    const int cx = rect.x + ScaleX(8), cy = rect.y + rect.height / 2;
    if (e->objectType == kStarType)
        DrawObjectIcon(nullptr, 0, std::clamp(e->mag10 / 10, 0, 12), static_cast<int8_t>(e->smallCode), cx, cy);
    else
        DrawObjectSymbol(e->objectType, e->sourceIndex, 1, cx, cy);
    const int x = rect.x + ScaleX(18);
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), "Ap", &size);
    const int y = rect.y + (rect.height - size.height) / 2;
    if (IsHrStar(*e)) DrawStarName(e->number, x, y, 0);
    else DrawPlainText(e->name, static_cast<int>(strnlen(e->name, kNameLength)), x, y);
}

void DrawListRow(int16_t row, const XywhRect& rect, int, int) { DrawRow(row, rect); }
void DrawTriggerRow(int row, int x, int y, int width, int height, int) { DrawRow(row, XywhRect{x, y, width, height}); }

std::string PictureName() { return ListEntryPictureName(S().entry); }

void ShowPictureButton() {
    bool found = S().taken && BuildImagePath(PictureName().c_str(), kImageFolderCatalog, S().entry.designation);
    if (found) ShowObject(compassForm, kPictureButton);
    else HideObject(compassForm, kPictureButton);
}

void ShowDateAndTime() {
    const DateTime& t = currentDateTime;
    char text[16];
    FormatDate(text, sizeof text, t.day, t.month, t.year);
    SetField(kDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    SetField(kTimeField, text);
}

// The entry on shown row `row` becomes the chosen object.
void TakeRow(int row) {
    CompassChartState& s = S();
    const SelectionEntry* e = RowEntry(row);
    if (row < 0 || !e) {
        s.currentBody = kCompassSun;
        SetPopupLabel(kObjectTrigger, "");
        return;
    }
    s.entryPosition = GetSelectionIndex(row);
    s.entry = *e;
    s.entry.name[kNameLength] = '\0';
    s.currentBody = kCompassObject;
    s.taken = 1;
    CopyObjectDisplayFields(&currentObject, &s.entry);
    SetPopupList(kObjectTrigger, kObjectList, row);
    SetPopupLabel(kObjectTrigger, s.entry.name);
}

// A comet's or asteroid's number is its record's index, which a record removed
// before it lowers, so that another comet's entry may carry it: the name must
// agree too.
bool SameCometName(const SelectionEntry& listed) {
    const SelectionEntry& e = S().entry;
    return e.designation != kDesignationComet || std::strncmp(listed.name, e.name, kNameLength) == 0;
}

// Position in the list of the entry that names the taken object: its own
// position while the entry there does, else wherever the list holds it now
// (sorted, loaded or changed since); -1 once it holds it no more.
int TakenEntryPosition() {
    const SelectionEntry& e = S().entry;
    const int p = S().entryPosition;
    if (p >= 0 && p < selectionCount && selectionList[p].designation == e.designation &&
        selectionList[p].number == e.number && SameCometName(selectionList[p]))
        return p;
    ObjectRecord record{};
    record.designationId = static_cast<uint32_t>(static_cast<int32_t>(e.designation));
    record.number = e.number;
    const int found = FindSelectionEntry(selectionList, &record, e.source, e.sourceIndex);
    return found >= 0 && SameCometName(selectionList[found]) ? found : -1;
}

// The taken entry again from the list, where a planet or comet moved with the
// date (with the list's mark of a date that gives it none); nothing is taken
// once the list holds it no more.
void RetakeListedEntry() {
    CompassChartState& s = S();
    if (!s.taken) return;
    const int p = TakenEntryPosition();
    s.taken = p >= 0 ? 1 : 0;
    s.entryPosition = p;
    if (p >= 0) {
        s.entry = selectionList[p];
        s.entry.name[kNameLength] = '\0';
        return;
    }
    s.entry = SelectionEntry{};
    s.entry.rightAscension = -1.0f;
    if (s.currentBody == kCompassObject) s.currentBody = kCompassSun;
    SetPopupLabel(kObjectTrigger, "");
}

// The list's planets and comets at their places of the chart's time (computed
// only when that time, the site or the list changed), and the taken entry with them.
void MoveListedBodies() {
    const DateTime& t = currentDateTime;
    MakeMovingEntriesCurrent(t.year, t.month, t.day, t.hour, t.minute, t.second);
    RetakeListedEntry();
}

// The taken object's right ascension as the drawing takes it: -1 (no object)
// while the list has no place for it at the chart's date (a planet outside its
// theory's years, a comet whose orbit gives none), so that it is drawn nowhere
// and its texts stay blank rather than showing another date's place.
double DrawnObjectRa() {
    const SelectionEntry& e = S().entry;
    return e.placeUnknown != 0 ? -1.0 : e.rightAscension;
}

// The rose, the bar and the bodies in an offscreen picture in form
// coordinates, copied to the form from the text line down.
void DrawRoseAndBar(const CompassPalette& palette) {
    CompassChartState& s = S();
    const CompassLayout& l = s.layout;
    DrawWindowRecord* offscreen = CreateOffscreenWindow(l.width, l.width);
    if (!offscreen) {
        ShowInformation("Can't allocate offscreen window", "");
        return;
    }
    DrawWindowRecord* form = SetDrawWindow(offscreen);
    const int font = SelectFont(0);
    SetForeColor(palette.background);
    FillRectangle(XywhRect{0, 0, l.width, l.width}, 0);
    DrawAltitudeBar(l, palette);
    DrawCompassRose(l, palette);
    const CompassSymbols symbols{{kPlanetType, kPlanetType, s.entry.objectType}, {0, 1, s.entry.sourceIndex}};
    DrawCompassBodies(l, palette, s.places, s.bodyCount, s.currentBody, symbols, s.roseX, s.roseY, s.barY);
    DrawCompassTexts(l, palette, s.altitudeText, s.azimuthText);
    SetDrawWindow(form);
    SelectFont(font);
    CopyRectangle(offscreen, form, XywhRect{0, l.textY, l.width, l.width - l.textY}, 0, l.textY, 0);
    DeleteOffscreenWindow(offscreen);
}

void DrawCurve(const CompassPalette& palette) {
    CompassChartState& s = S();
    CompassPathPoint path[kCompassPathPoints];
    ComputeCompassPath(s.currentBody, currentDateTime, DrawnObjectRa(), s.entry.declination, path);
    const int font = SelectFont(0);
    DrawAltitudeCurve(s.layout, palette, path);
    ClipToWindow();
    SelectFont(font);
}

// The compass drawing for currentDateTime.
void DrawCompass() {
    CompassChartState& s = S();
    MoveListedBodies();
    s.layout = ComputeCompassLayout(s.screenWidth, s.screenHeight, displayScale.scaleX, displayScale.scaleY);
    ShowPictureButton();
    ShowDateAndTime();
    if (s.taken && IsHrStar(s.entry)) SetPopupLabel(kObjectTrigger, "");
    s.bodyCount = ComputeCompassPlaces(currentDateTime, DrawnObjectRa(), s.entry.declination, s.places);
    const CompassPlace none;
    FormatCompassTexts(s.currentBody < s.bodyCount ? s.places[s.currentBody] : none, s.altitudeText, s.azimuthText,
                       sizeof s.altitudeText);
    const CompassPalette palette = GetCompassPalette(GetNightMode());
    DrawRoseAndBar(palette);
    if (s.layout.curve) DrawCurve(palette);
}

// The popup's rows are the shown entries; the current row is taken.
void ShowListRows() {
    const int rows = std::max(selectionShownCount, 0);
    SetListItems(pl::GetDlgItem(compassForm, kObjectList), nullptr, rows);
    SetControlHook(compassForm, kObjectTrigger, rows > 0 ? DrawTriggerRow : nullptr);
    TakeRow(SetCurrentSelectionEntry(HeldSelectionEntry()));  // none while the rows do not show it
}

// The draw function of the first paint.
void OpenCompassChart() {
    CompassChartState& s = S();
    PushFormHistory(kCompassFormId);
    DateTime& t = currentDateTime;
    if (dateTimeFixed == 0) GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    ComputeMoonIconState(t.year, t.month, t.day, t.hour);
    if (s.finderReturn && IsObjectSelected()) {
        int index = 0;
        GetSelectedObject(&currentObject, &index);
        if (!AddTargetToSelection()) NoteSelectionListFull();
    } else if (selectionShownCount < 1) {
        RunObjectSelection(7, kDesignationPlanet, 27);
    }
    ShowListRows();
    s.finderReturn = 0;
    GetScreenSize(&s.screenWidth, &s.screenHeight);
    if (!s.taken) s.entry.rightAscension = -1.0f;
    DrawCompass();
}

void ReadDeviceClock() {
    DateTime& t = currentDateTime;
    GetLocalDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    ComputeMoonIconState(t.year, t.month, t.day, t.hour);
}

// The date and time form on a copy of the chart time; a change is stored to
// the minute and moves the chart clock (the drawing moves the list's planets
// and comets).
void EditChartTime() {
    DateTime t = currentDateTime;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    const DateTime& c = currentDateTime;
    if (t.year != c.year || t.month != c.month || t.day != c.day || t.hour != c.hour || t.minute != c.minute) {
        // The chart clock moves a fixed time on by the seconds since its last
        // step: that time goes to the old value, so the new one stays as typed.
        UpdateChartTime(1);
        SetCurrentDateTime(t.year, t.month, t.day, t.hour, t.minute, 0);
        UpdateChartTime(1);
    }
    InitDrawWindowOwnDc(compassForm);
    DrawCompass();
}

void ChooseRow() {
    const int row = Get(kObjectList);
    SetCurrentSelectionRow(row);
    TakeRow(row);
    DrawCompass();
}

// Object information for the chosen object (form 112).
void ShowObjectInformation() {
    if (ObjectKindToFinderCatalog(&currentObject) != kAnyCatalogue)
        SetCurrentObject(&currentObject, ObjectKindToCatalogCode(&currentObject));
    else
        SetSelectedObject(&currentObject, kAnyCatalogue);
    GotoForm(kObjectInfoForm);
}

void Command(int id) {
    switch (id) {
    case kInfoButton: ShowInformation(kHelp, ""); return;
    case kBackButton:
    case pl::IDOK: GoBackToPreviousForm(); return;
    case kFinderButton:
        OpenFinder(kCompassFormId, -1);
        S().finderReturn = 1;
        return;
    case kDateField:
    case kTimeField: EditChartTime(); return;
    case kNowButton:
        ReadDeviceClock();
        DrawCompass();
        return;
    case kObjectList: ChooseRow(); return;
    case kObjectInfoButton: ShowObjectInformation(); return;
    case kPictureButton:
        ShowObjectImage(PictureName().c_str(), 0, 0, 160, 160, true, kImageFolderCatalog,
                        static_cast<int16_t>(currentObject.designationId));
        return;
    case kChartButton: GotoForm(kSkyChartForm); return;
    default: return;
    }
}

// Each command draws on the form and keeps the result, unless it left the form.
void RunCommand(pl::Hwnd form, int id) {
    InitDrawWindowOwnDc(form);
    Command(id);
    if (GetCurrentFormDialog() == form && pl::IsWindow(form)) SaveScreen();
}

// Back, the finder, information, the chart and the picture follow the screen's
// bottom; the date, time and clock its bottom right; help its right edge.
void LayoutCompassChart(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    for (int id : {kBackButton, kFinderButton, kObjectInfoButton, kChartButton, kPictureButton})
        MoveControl(form, id, 0, dy, 0, 0);
    for (int id : {kDateField, kTimeField, kNowButton}) MoveControl(form, id, dx, dy, 0, 0);
    MoveControl(form, kInfoButton, dx, 0, 0, 0);
}

void InitCompassChart(pl::Hwnd form) {
    compassForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTitle, "CompassChart");
    InitPopupList(form, kObjectTrigger, kObjectList, 0, kVisibleRows, -1);
    SetControlHook(form, kObjectTrigger, DrawTriggerRow);
    const bool night = GetNightMode() != 0;
    InitBitmapButton(form, kInfoButton, 5076, 1, kInfoKey);
    InitBitmapButton(form, kBackButton, 5074, 0, 0);
    InitBitmapButton(form, kFinderButton, night ? 5134 : 5124, night ? 0 : 1, kWhite);
    InitBitmapButton(form, kObjectInfoButton, 5125, 0, 0);
    InitBitmapButton(form, kChartButton, night ? 5138 : 5094, night ? 0 : 1, kWhite);
    InitBitmapButton(form, kPictureButton, 1941, 1, kWhite);
    InitBitmapButton(form, kNowButton, 120, 0, 0);
    InitTextField(form, kDateField, 0);
    InitTextField(form, kTimeField, 0);
    S().firstPaint = 1;
    LayoutCompassChart(form);
}

void CloseCompassChart(pl::Hwnd form) { ReleaseCompassChartControls(form); }

void MeasureRow(pl::MeasureItem* item) {
    if (item && item->ctlId == kObjectList) item->itemHeight = ScaleY(16);
}

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kObjectList) DrawOwnerItem(form, item, DrawListRow);
}

}  // namespace

void ResetCompassChart() {
    compassChartState = CompassChartState{};
    compassChartState.entry.rightAscension = -1.0f;
}

void ReleaseCompassChartControls(pl::Hwnd form) {
    S().firstPaint = 1;
    for (int id : kRegistered) ReleaseControl(form, id);
}

pl::LResult CompassChartFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitCompassChart(form); return 1;
    case pl::WM_PAINT:
        PaintForm(form, OpenCompassChart, &S().firstPaint, ScaleY(22), 0);
        ShowNotedSelectionListFull();
        return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: MeasureRow(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case kMsgEditField: RunCommand(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseCompassChart(form);
            DestroyCurrentForm();
            compassForm = nullptr;
            return 1;
        }
        RunCommand(form, list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: CloseCompassChart(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
