#include "assistants/planet_assistant_form.h"

#include <initializer_list>
#include <iterator>

#include "assistants/ecliptic_band_view.h"
#include "assistants/moon_assistant.h"
#include "assistants/planet_assistant.h"
#include "assistants/planet_charts_view.h"
#include "assistants/planet_detail_form.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/planet_events.h"
#include "assistants/planet_events_view.h"
#include "assistants/planet_sky_view.h"
#include "assistants/planet_sun_view.h"
#include "assistants/planet_table_view.h"
#include "assistants/text_popup.h"
#include "catalog/selection_list.h"
#include "chart/chart_clock.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/object_selection.h"
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
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

constexpr int kTitle = 8021, kPageTrigger = 2449, kPageList = 2448, kInfoButton = 2453, kQuantityList = 2439,
              kBackButton = 2451, kSkyChartButton = 2446, kNowButton = 2457;
constexpr int kPhaseRow = 8;
constexpr int kSkyChartForm = 1900;
constexpr int kDateInputSize = 11;
constexpr int kTimeInputSize = 6;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kRegistered[] = {kPageTrigger, kQuantityTrigger, kTitle, kInfoButton, kNowButton,
                               kBackButton, kSkyChartButton, kFieldTrigger, kStepTrigger, kPeriodTrigger,
                               kFilterTrigger, kEventList, kAssistantDateField, kAssistantTimeField};

constexpr const char* kPageRows[] = {"Ecliptic", "Sun View", "Position", "Sky View", "Info",
                                     "Rise&Set", "Charts",   "Events",   "Phase"};
constexpr const char* kQuantityRows[] = {"Elongation", "Apparent Diameter", "Magnitude", "Phase", "Elevation"};
constexpr const char* kPeriodRows[] = {"1 month", "3 months", "6 months", "1 year"};
constexpr const char* kFilterRows[] = {"All", "Conj.", "Moon", "Opp.", "Eclipse"};
constexpr const char* kStepRows[] = {"1d", "2d", "5d", "7d", "10d", "14d", "30d", "60d", "90d"};
constexpr const char* kFieldRows[] = {"180\xB0", "150\xB0", "120\xB0", "90\xB0", "60\xB0", "45\xB0", "30\xB0",
                                      "20\xB0",  "10\xB0",  "5\xB0",   "2.5\xB0", "1.5\xB0", "1\xB0", "0.5\xB0"};

constexpr const char* kDateKeys = "\x95 Use Left PDA keys or Up and Down keys to change date.";
struct HelpText {
    const char* text;
    const char* detail;
};
constexpr HelpText kHelp[] = {
    {"\x95 Display the relatives planet position among the sky", kDateKeys},
    {"\x95 Display heliocentric planet position among the sky to let you visualy determine date of conjonction, "
     "opposition of planets visible from earth",
     kDateKeys},
    {"\x95 Display all the planet position information.", kDateKeys},
    {"\x95 Display a virtual sky with the planets path drawn.", "\x95 Move your stylus on the chart to animate it."},
    {"\x95 Display the planet information.", kDateKeys},
    {"\x95 Display the planet rise and set.",
     "\x95 Use Left PDA keys or Up and Down keys to change date and visualy find the best period to observe them."},
    {"\x95 Display evolution among the year of the main planet information.",
     "\x95 Tap any key to stop the chart refresh.\n\x95 Use your stylus to determine key date."},
    {"\x95 Determine the most interresting planet events for a specific time frame.",
     "\x95 Once computed, the list can be filtered to let you work on a specific type of event.\n\x95 Displayed "
     "times are UT ones."},
};

int firstPaint = 1;
int penActive = 0;
pl::ShActivateInfo activateInfo{};

// The sky chart's object-names and view words while the form is open.
struct KeptChartWords {
    int kept = 0;
    int32_t objectNames = 0;
    int32_t view = 0;
};
KeptChartWords keptWords;

pl::Hwnd Form() { return GetCurrentFormDialog(); }

void ShowControls(std::initializer_list<int> ids, bool show) {
    for (int id : ids) Show(Form(), id, show);
}

void KeepChartWords() {
    if (!keptWords.kept) {
        keptWords.objectNames = preferences.word[kPrefObjectNames];
        keptWords.view = preferences.word[kPrefChartType];
        keptWords.kept = 1;
    }
    preferences.word[kPrefChartType] = 2;
    preferences.word[kPrefObjectNames] = 0;
}

void RestoreChartWords() {
    if (!keptWords.kept) return;
    preferences.word[kPrefObjectNames] = keptWords.objectNames;
    preferences.word[kPrefChartType] = keptWords.view;
    keptWords.kept = 0;
}

void KeepAssistantDate() {
    savedAssistantDate[0] = assistantDate.year;
    savedAssistantDate[1] = assistantDate.month;
    savedAssistantDate[2] = assistantDate.day;
}

void TakeDeviceClock() {
    AssistantDate& d = assistantDate;
    int second = 0;
    GetLocalDateTime(&d.year, &d.month, &d.day, &d.hour, &d.minute, &second);
}

void TakeOpeningDate() {
    const DateTime& t = currentDateTime;
    const bool formerOpening = savedAssistantDate[0] >= 0;
    if (!formerOpening && t.year == 0) {
        TakeDeviceClock();
    } else {
        AssistantDate& d = assistantDate;
        if (t.year != 0) d.hour = t.hour, d.minute = t.minute;
        if (formerOpening) d.year = savedAssistantDate[0], d.month = savedAssistantDate[1], d.day = savedAssistantDate[2];
        else d.year = t.year, d.month = t.month, d.day = t.day;
    }
    KeepAssistantDate();
}

void MakeSurface() {
    DeleteOffscreenWindow(assistantSurface);
    assistantSurface = CreateOffscreenDib(formWidth, formHeight, 16);
    if (!assistantSurface) ShowInformation("Can't allocate offscreen window", "");
}

// The controls of the page: Step and Field on the Sky View page, else the
// sky-chart button and, for Elevation only, the time field; the quantity
// popup on the Charts page.
void ShowPageControls() {
    const bool sky = assistantPage == kPageSkyView;
    ShowControls({kStepTrigger, kFieldTrigger}, sky);
    Show(Form(), kSkyChartButton, !sky);
    Show(Form(), kAssistantTimeField, !sky && chartQuantity == kChartElevation);
    if (sky) SetPopupList(kFieldTrigger, kFieldList, skyViewZoom);
    Show(Form(), kFilterList, false);
    Show(Form(), kQuantityTrigger, assistantPage == kPageCharts);
    if (assistantPage == kPageCharts) SetPopupList(kQuantityTrigger, kQuantityList, chartQuantity);
}

void DrawPage() {
    switch (assistantPage) {
    case kPageEcliptic: DrawEclipticBand(); break;
    case kPageSunView: DrawSunView(); break;
    case kPageSkyView: DrawPlanetSkyView(); break;
    case kPagePosition:
    case kPageInfo:
    case kPageRiseSet:
        chartRect = XywhRect{0, ScaleY(24), formWidth, formHeight - ScaleY(22) - ScaleY(24)};
        DrawPlanetTable();
        break;
    case kPageCharts: DrawPlanetCharts(assistantDate.year, assistantDate.month, chartQuantity); break;
    case kPageEvents: SearchPlanetEvents(); break;
    default: break;
    }
}

void ChoosePage(int row) {
    if (row == kPhaseRow) {
        SetPhaseAssistantMode();
        GotoForm(kPlanetDetailForm);
        return;
    }
    if (row >= 0 && row < kPhaseRow) assistantPage = row;
    ShowControls({kPeriodLabel, kEventList, kPeriodTrigger, kFilterTrigger, kFilterLabel, kQuantityTrigger}, false);
    ShowPlanetAssistantPage();
}

// The row chosen in a popup; a row that changes nothing draws the page again.
void ChooseRow(int32_t* value, int row, void (*changed)() = nullptr) {
    if (row >= 0 && row != *value) {
        *value = row;
        if (changed) changed();
    }
    ShowPlanetAssistantPage();
}

void ChooseZoom(int row) {
    if (row < 0 || row == skyViewZoom || assistantPage != kPageSkyView) {
        if (row >= 0 && row < kZoomSteps) skyViewZoom = row, SetStarDotSizes(row);
        ShowPlanetAssistantPage();
        return;
    }
    ZoomPlanetSkyView(row);
}

// The sky chart at the date of the date field; a field that does not read as
// a date is refused (one message) and the form stays.
void ShowSkyChart() {
    char text[kTextInputSize] = "";
    AssistantDate& d = assistantDate;
    int day = d.day, month = d.month, year = d.year;
    if (GetField(kAssistantDateField, text, sizeof text) && !TakeAssistantDate(text, &day, &month, &year)) return;
    KeepAssistantDate();
    d.day = day, d.month = month, d.year = year;
    SetCurrentDateTime(d.year, d.month, d.day, d.hour, d.minute, 0);
    dateTimeFixed = 1;
    RunObjectSelection(7, 0, 27);
    SetChartDateTime(nullptr, d.year, d.month, d.day, d.hour, d.minute);
    RestartChartTime();  // the chart runs on from this time, none of the seconds before added
    GotoForm(kSkyChartForm);
}

void Now() {
    TakeDeviceClock();
    KeepAssistantDate();
    if (assistantPage == kPageEvents) FreeEventList();
    ShowAssistantDateField();
    ShowAssistantTimeField();
    ShowPlanetAssistantPage();
}

void ShowHelp() {
    std::string text, detail;
    PlanetAssistantHelp(assistantPage, &text, &detail);
    ShowInformation(text, detail);
}

// A finished edit of the date or time field: a text that reads becomes the
// assistant's date or time and the page is drawn for it; any other is refused
// with one message, the typed text left in the field and the page as it was.
void EditField(pl::Hwnd form, int id) {
    const bool date = id == kAssistantDateField;
    if (!date && id != kAssistantTimeField) return;
    RunTextInputDialog(form, id, date ? "Date:" : "Time:", date ? kDateInputSize : kTimeInputSize);
    char text[kTextInputSize] = "";
    GetField(id, text, sizeof text);
    AssistantDate& d = assistantDate;
    if (!(date ? TakeAssistantDate(text, &d.day, &d.month, &d.year) : TakeAssistantTime(text, &d.hour, &d.minute)))
        return;
    ShowAssistantTimeField();
    InitDrawWindowOwnDc(form);
    ShowPlanetAssistantPage();
    SaveScreen();
}

void InitPlanetAssistant(pl::Hwnd form) {
    activateInfo = pl::ShActivateInfo{};
    penActive = 0;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTitle, "PlanetAssistant");
    InitTextPopup(form, kPageTrigger, kPageList, kPageRows, assistantPage);
    InitTextPopup(form, kQuantityTrigger, kQuantityList, kQuantityRows, chartQuantity);
    InitTextPopup(form, kPeriodTrigger, kPeriodList, kPeriodRows, eventPeriod);
    InitTextPopup(form, kFilterTrigger, kFilterList, kFilterRows, eventFilter);
    InitTextPopup(form, kStepTrigger, kStepList, kStepRows, skyViewStep);
    InitTextPopup(form, kFieldTrigger, kFieldList, kFieldRows, skyViewZoom);
    InitBitmapButton(form, kInfoButton, 5076, 1, pl::Rgb(0, 255, 0));
    InitBitmapButton(form, kBackButton, 5074, 0, 0);
    const bool night = GetNightMode() != 0;
    InitBitmapButton(form, kSkyChartButton, night ? 5138 : 5094, night ? 0 : 1, pl::Rgb(255, 255, 255));
    InitBitmapButton(form, kNowButton, 120, 0, 0);
    InitTextField(form, kAssistantDateField, 0);
    InitTextField(form, kAssistantTimeField, 0);
    InitList(form, kEventList, 0, -1, 1);
    firstPaint = 1;
    pl::Rect client;
    if (pl::GetClientRect(form, &client)) LayoutPlanetAssistant(form, client.Width(), client.Height());
}

void CloseForm(pl::Hwnd form) {
    ClosePlanetAssistant();
    ReleasePlanetAssistantControls(form);
}

// After a popup's choice: the form erased under its title, the choice acted
// on, the screen kept.
void RunPopupCommand(pl::Hwnd form, int list) {
    FreeSavedScreen();
    EraseFormBelowTitleLine(form);
    PlanetAssistantCommand(list);
    if (Form() == form) SaveScreen();
}

void HandleCommand(pl::Hwnd form, int id, int list) {
    if (list != 0) return RunPopupCommand(form, list);
    if (id == pl::IDOK) id = kBackButton;
    if (id == kEventList || id == kNowButton) InitDrawWindowOwnDc(form);
    PlanetAssistantCommand(id);
    if (Form() == form && (id == kEventList || id == kNowButton)) SaveScreen();
}

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kEventList) DrawOwnerItem(form, item, DrawPlanetEventRow);
}

// Work on the form's own context, the screen kept when something was drawn.
template <typename Handler>
int InPaintCycle(pl::Hwnd form, Handler handler) {
    InitDrawWindowOwnDc(form);
    const int handled = handler();
    if (handled && Form() == form) SaveScreen();
    return handled;
}

}  // namespace

void PlanetAssistantHelp(int page, std::string* text, std::string* detail) {
    const bool known = page >= 0 && page < static_cast<int>(std::size(kHelp));
    *text = known ? kHelp[page].text : "";
    *detail = known ? kHelp[page].detail : "";
}

void ReleasePlanetAssistantControls(pl::Hwnd form) {
    for (int id : kRegistered) ReleaseControl(form, id);
    firstPaint = 1;
}

void LayoutPlanetAssistant(pl::Hwnd form, int width, int height) {
    int dx = 0, dy = 0;
    if (!GetScreenSizeDelta(0, width, height, &dx, &dy)) return;
    MoveControl(form, kInfoButton, dx, 0, 0, 0);
    for (int id : {kBackButton, kSkyChartButton}) MoveControl(form, id, 0, dy, 0, 0);
    for (int id : std::initializer_list<int>{kNowButton, kAssistantDateField, kAssistantTimeField, kFieldTrigger, kStepTrigger})
        MoveControl(form, id, dx, dy, 0, 0);
    for (int id : {kFieldList, kStepList}) MoveControl(form, id, dx, 0, 0, 0);
    for (int id : {kPeriodLabel, kPeriodTrigger, kFilterLabel, kFilterTrigger}) MoveControl(form, id, 0, dy, 0, 0);
    MoveControl(form, kEventList, 0, 0, dx, dy);
}

void OpenPlanetAssistant() {
    chartRect = XywhRect{chartRect.x, ScaleY(24), ScaleX(240), ScaleY(65)};
    skyViewDragged = 1;
    SetChartFlagB(0);
    ReleaseAssistantBitmap();
    KeepChartWords();
    eventFilter = 0;
    PushFormHistory(kPlanetAssistantForm);
    SetStarDotSizes(skyViewZoom);
    SetChartFlagA(1);
    skyViewCentre[0] = skyViewCentre[1] = 0.0f;
    TakeOpeningDate();
    GetScreenSize(&formWidth, &formHeight);
    chartTimeRecord.sphereViewReady = 0;
    if (!skyObjects) skyObjects = new SelectionEntry[kSkyObjectCapacity]();
    ShowAssistantDateField();
    ShowAssistantTimeField();
    MakeSurface();
    ShowPlanetAssistantPage();
}

void ShowPlanetAssistantPage() {
    ReleaseAssistantBitmap();
    const bool controls = PlanetAssistantControlsShown();
    if (controls) {
        SetPopupList(kPageTrigger, kPageList, assistantPage);
        ShowAssistantDateField();
    }
    const bool offscreen = animating && assistantSurface && assistantPage != kPageCharts;
    DrawWindowRecord* screen = offscreen ? SetDrawWindow(assistantSurface) : nullptr;
    if (controls) ShowPageControls();
    DrawPage();
    if (!offscreen) return;
    SetDrawWindow(screen);
    if (assistantPage <= kPageRiseSet) CopyRectangle(assistantSurface, screen, chartRect, chartRect.x, chartRect.y, 0);
}

int PlanetAssistantCommand(int id) {
    switch (id) {
    case kQuantityList: ChooseRow(&chartQuantity, Get(kQuantityList)); return 1;
    case kFilterList: ChooseRow(&eventFilter, Get(kFilterList)); return 1;
    case kPeriodList: ChooseRow(&eventPeriod, Get(kPeriodList), FreeEventList); return 1;
    case kSkyChartButton: ShowSkyChart(); return 1;
    case kEventList: ShowPlanetEventDetail(); return 1;
    case kPageList: ChoosePage(Get(kPageList)); return 1;
    case kBackButton:
        chartTimeRecord.sphereViewReady = 0;
        GoBackToPreviousForm();
        return 1;
    case kInfoButton: ShowHelp(); return 1;
    case kNowButton: Now(); return 1;
    case kStepList:
        skyViewCentre[0] = skyViewCentre[1] = 0.0f;
        ChooseRow(&skyViewStep, Get(kStepList));
        return 1;
    case kFieldList: ChooseZoom(Get(kFieldList)); return 1;
    default: return 0;
    }
}

void ClosePlanetAssistant() {
    SetChartFlagA(0);
    SetChartFlagB(1);
    RestoreChartWords();
    delete[] skyObjects;
    skyObjects = nullptr;
    skyObjectCount = 0;
    ReleaseAssistantBitmap();
    DeleteOffscreenWindow(assistantSurface);
    assistantSurface = nullptr;
    // The list's rows again (this form drew its own table through them), its current entry kept.
    if (selectionList && selectionCount >= 0) RebuildSelectionByClass();
}

void ResetPlanetAssistantForm() {
    RestoreChartWords();
    firstPaint = 1;
    penActive = 0;
}

pl::LResult PlanetAssistantDlgProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitPlanetAssistant(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenPlanetAssistant, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: {
        auto* item = reinterpret_cast<pl::MeasureItem*>(lParam);
        if (item && item->ctlId == kEventList) item->itemHeight = ScaleY(18);
        return 1;
    }
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_KEYDOWN: {
        const int key = static_cast<int>(wParam);
        if (key != pl::VK_PRIOR && key != pl::VK_NEXT && (key < pl::VK_LEFT || key > pl::VK_DOWN)) return 0;
        return InPaintCycle(form, [key] { return PlanetAssistantKeys(key); });
    }
    case pl::WM_LBUTTONDOWN:
        penActive = InPaintCycle(form, [&] { return PlanetAssistantPenDown(pl::PointX(lParam), pl::PointY(lParam)); });
        return 1;
    case pl::WM_MOUSEMOVE:
        if ((wParam & pl::MK_LBUTTON) && penActive &&
            InPaintCycle(form, [&] { return PlanetAssistantPenMove(pl::PointX(lParam), pl::PointY(lParam)); }))
            penActive = 0;
        return 1;
    case pl::WM_LBUTTONUP:
        if (penActive && InPaintCycle(form, [&] { return PlanetAssistantPenUp(pl::PointX(lParam), pl::PointY(lParam)); }))
            penActive = 0;
        return 1;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseForm(form);
            DestroyCurrentForm();
            return 1;
        }
        HandleCommand(form, id, list);
        return 1;
    }
    case pl::WM_CLOSE: CloseForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
