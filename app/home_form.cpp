#include "app/home_form.h"

#include <cstdio>
#include <cstring>

#include "app/home_status.h"
#include "assistants/planet_detail_mode.h"
#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_clock.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/rise_set.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/moon_phase.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "objects/finder_open.h"
#include "objects/object_selection.h"
#include "platform/dc.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "scope/alignment_restore.h"
#include "scope/scope_form.h"
#include "tools/edit_date_time.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/info_box.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/text_drawing.h"
#include "ui/title_control.h"

namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

constexpr int kTitleId = 8001;
constexpr int kInfoButton = 5089;
constexpr int kClockButton = 5146;
constexpr int kDoneCommand = 1;
constexpr int kQuitCommand = 1035;
constexpr uintptr_t kClockTimer = 1001;
constexpr uint32_t kClockPeriodMs = 300000;
// Done button, full-screen size, full screen without menu bar.
constexpr uint32_t kHomeInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIZEDLGFULLSCREEN | pl::SHIDIF_FULLSCREENNOMENUBAR;

struct IconButton {
    int id;
    int bitmap;
};

// The 20 icon buttons, then the information button and the clock.
constexpr IconButton kIcons[] = {
    {5023, 5037}, {5024, 5031}, {5025, 5035}, {5027, 5033}, {5018, 5019}, {5028, 5039}, {5081, 5082},
    {5051, 5101}, {5052, 5102}, {5050, 5106}, {5080, 5078}, {5053, 5104}, {5054, 5100}, {5115, 5114},
    {5049, 5105}, {5063, 5065}, {5111, 5110}, {5060, 5066}, {5058, 5062}, {5059, 5064},
};
constexpr int kClockBitmap = 120;
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;

constexpr char kHelpText[] =
    "\x95 The Information button will give you help on each page.\n"
    "\x95 To reach the menus, please click on the title of the page.\n"
    "\x95 First set your location (right most menu). Then try other Wizard icons.";
constexpr char kHelpDetail[] =
    "\x95 To change the dates or hours, please click on the clock icon or on the fields that contain dates or "
    "hours.";

int firstPaint = 1;
int startFlag = 1;
int screenWidth = 240;
int screenHeight = 320;
int homeStatusX = 0;
int homeStatusY = 0;
int rowY = 0;
pl::ColorRef homeTextColor = pl::Rgb(250, 220, 0);
pl::ColorRef homeBackColor = pl::Rgb(0, 0, 0);
float moonFraction = 0.0f;
pl::ShActivateInfo homeActivateInfo{};
pl::Hwnd homeForm = nullptr;

int RowStep() { return ScaleY(13); }

void Label(const char* text) { DrawLabelText(text, Length(text), homeStatusX + ScaleX(20), rowY); }
void Value(const char* text) { DrawLabelText(text, Length(text), homeStatusX + ScaleX(55), rowY); }

void SetStatusColors() {
    homeTextColor = GetNightMode() == 0 ? pl::Rgb(250, 220, 0) : pl::Rgb(static_cast<uint8_t>(GetSchemeColor()), 0, 0);
    homeBackColor = pl::Rgb(0, 0, 0);
}

void ComputeStatusOrigin() {
    homeStatusX = (screenWidth - ScaleX(240)) / 2 + ScaleX(70);
    homeStatusY = (screenHeight - ScaleX(240)) / 2 + ScaleY(74);
}

void DrawFirstLine() {
    const DateTime& t = currentDateTime;
    char date[16], line[64];
    FormatDate(date, sizeof date, t.day, t.month, t.year);
    if (currentSite.name[0] != '\0')
        std::snprintf(line, sizeof line, "%.11s, %s", currentSite.name, date);
    else
        std::snprintf(line, sizeof line, "No Location, %s", date);
    DrawLabelText(line, Length(line), homeStatusX, homeStatusY);
}

// FormatHoursMinutes of an event's time, or ": None" when the day has no such
// event: the events word lacks it, or the one found falls on a neighbouring day
// (a sunset or the end of the night after midnight, the Moon's next rising).
void EventText(char* out, std::size_t size, double hours, bool happened) {
    if (HappensOnDay(happened, hours)) FormatHoursMinutes(out, size, hours);
    else std::snprintf(out, size, ": None");
}

void DrawSunRows() {
    const DateTime& t = currentDateTime;
    rowY += RowStep();
    DrawBitmap(4049, homeStatusX, rowY);
    double rise = 0, transit = 0, set = 0, night = 0;
    unsigned sun = 0, twilight = 0;
    ComputeSunRiseSet(t.year, t.month, t.day, &rise, &transit, &set, &night, &sun, &twilight);
    const char* labels[] = {"Rise", "Set", "Night"};
    const double times[] = {rise, set, night};
    const bool happened[] = {(sun & kRiseSetRises) != 0, (sun & kRiseSetSets) != 0, (twilight & kRiseSetSets) != 0};
    for (int i = 0; i < 3; ++i) {
        char text[24];
        EventText(text, sizeof text, times[i], happened[i]);
        Label(labels[i]);
        Value(text);
        rowY += RowStep();
    }
}

void DrawMoonRows() {
    const DateTime& t = currentDateTime;
    int age = 0;
    moonFraction = static_cast<float>(GetMoonPhase(t.year, t.month, t.day, t.hour, &age));
    bool waxing = IsMoonWaxing(t.year, t.month, t.day, t.hour, moonFraction);
    DrawBitmap(MoonIconForPhase(moonFraction, waxing), homeStatusX, rowY);
    double rise = 0, transit = 0, set = 0;
    unsigned events = 0;
    ComputeMoonRiseSetWrapped(t.year, t.month, t.day, &rise, &transit, &set, &events);
    const bool setFirst = rise < 0;
    char riseText[24], setText[24];
    EventText(riseText, sizeof riseText, rise, (events & kRiseSetRises) != 0);
    EventText(setText, sizeof setText, set, (events & kRiseSetSets) != 0);
    const char* first[2] = {setFirst ? "Set" : "Rise", setFirst ? setText : riseText};
    const char* second[2] = {setFirst ? "Rise" : "Set", setFirst ? riseText : setText};
    for (const char* const* row : {first, second}) {
        Label(row[0]);
        Value(row[1]);
        rowY += RowStep();
    }
    char phase[24];
    FormatPhasePercent(phase, sizeof phase, moonFraction);
    Label("Phase");
    Value(phase);
}

const char* SelectionLine(int kind, int catalogue) {
    switch (kind) {
    case 0:
        switch (catalogue) {
        case 40: return "visible Messiers.";
        case 9: return "visible Caldwells.";
        case 12: return "visible comets.";
        case 25: return "visible Herschels.";
        case 49: return "visible best SAC Objects.";
        case 54: return "visible bright stars.";
        case 63: return "visible personnal objects.";
        default: return "all visible objects.";
        }
    case 1: return "visible Globular Clusters.";
    case 3: return "visible Galaxies.";
    case 4: return "visible Nebulae.";
    case 6: return "visible Multiple Stars.";
    case 7: return "visible Planets.";
    default: return "Please wait, selecting";
    }
}

void ShowButtons(pl::Hwnd form) {
    for (int id : {kTitleId, kInfoButton, kClockButton}) ShowObject(form, id);
    for (const IconButton& b : kIcons) ShowObject(form, b.id);
}

// The date and time form on the program's clock. A time chosen with Ok runs
// on from the moment of Ok (the chart clock starts again from it, none of the
// seconds before added); after Cancel nothing changes.
void EditClock() {
    DateTime& t = currentDateTime;
    EditDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    if (DateTimeEditConfirmed()) {
        SetCurrentDateTime(t.year, t.month, t.day, t.hour, t.minute, 0);
        RestartChartTime();
    }
    DrawHomeStatus();
    SaveScreen();
}

void OpenSky() {
    if (selectionShownCount < 1) {
        LoadStarCatalog(0);
        SelectVisibleObjects(0, 0, 0);
    } else {
        GotoForm(1900);
    }
}

void OpenScope() {
    if (preferences.word[kPrefDriveId] == 0)
        ShowInformation("Please chose a Telescope Drive in Preference 1/6.", "");
    else
        OpenScopeForm(1);
}

void InitHomeForm(pl::Hwnd form) {
    homeActivateInfo = pl::ShActivateInfo{};
    homeForm = form;
    InitFormWindow(form, kHomeInitFlags);
    InitTitle(form, kTitleId, "Zendavori Menu");
    InitBitmapButton(form, kInfoButton, kInfoBitmap, 1, kInfoKey);
    InitBitmapButton(form, kClockButton, kClockBitmap, 0, 0);
    for (const IconButton& b : kIcons) InitBitmapButton(form, b.id, b.bitmap, 0, 0);
    pl::SetTimer(form, kClockTimer, kClockPeriodMs);
    firstPaint = 1;
    pl::Rect client;
    pl::GetClientRect(form, &client);
    LayoutHomeForm(form, client.Width(), client.Height());
}

void OnTimer(pl::Hwnd form) {
    pl::Invalidate(form, nullptr, false);
    pl::PaintStruct ps;
    pl::Hdc dc = pl::BeginPaint(form, &ps);
    if (!dc) return;
    InitDrawWindow(form, dc);
    HomeTimerTick();
    SaveScreen();
    pl::EndPaint(form, &ps);
    // The paint context ends with the paint: the form stays the draw window
    // through a context of its own.
    InitDrawWindowOwnDc(form);
}

void OnButton(pl::Hwnd form, int id) {
    pl::Hdc dc = pl::GetDC(form);
    InitDrawWindow(form, dc);
    HandleHomeButton(id);
    if (GetDrawDc() == dc) ReleaseDrawWindow();
    pl::ReleaseDC(form, dc);
}

bool IsHomeButton(int id) {
    if (id == kInfoButton || id == kClockButton) return true;
    for (const IconButton& b : kIcons)
        if (b.id == id) return true;
    return false;
}

}  // namespace

void GetHomeStatusOrigin(int* x0, int* y0) {
    *x0 = homeStatusX;
    *y0 = homeStatusY;
}

void ResetHomeForm() {
    firstPaint = 1;
    startFlag = 1;
    homeForm = nullptr;
}

void LayoutHomeForm(pl::Hwnd form, int width, int height) {
    int dx = 0, dy = 0;
    if (!GetScreenSizeDelta(0, width, height, &dx, &dy)) return;
    MoveControl(form, kInfoButton, dx, 0, 0, 0);
    MoveControl(form, kClockButton, dx / 2, dy / 2, 0, 0);
    for (const IconButton& b : kIcons) MoveControl(form, b.id, dx / 2, dy / 2, 0, 0);
}

void DrawHomeForm() {
    PushFormHistory(kHomeFormId);
    GetScreenSize(&screenWidth, &screenHeight);
    if (currentDateTime.year == 0 || dateTimeFixed == 0) LoadDateTimeFromDevice();
    DrawHomeStatus();
    if (homeForm) ShowButtons(homeForm);
}

void DrawHomeStatus() {
    // A missing database is reported in a box whose loop may paint the form
    // again with a context of its own: draw with this one afterwards.
    pl::Hwnd window = GetDrawWindowHandle();
    pl::Hdc dc = GetDrawDc();
    ReopenDatabases(0);
    if (GetDrawDc() != dc && pl::IsWindow(window)) InitDrawWindow(window, dc);
    if (currentDateTime.year == 0) LoadDateTimeFromDevice();
    SetStatusColors();
    ComputeStatusOrigin();
    pl::ColorRef previousFore = SetForeColor(homeBackColor);
    pl::ColorRef previousBack = SetBackColor(homeBackColor);
    FillRectangle(XywhRect{0, ScaleY(24), screenWidth, screenHeight - ScaleY(24)}, 0);
    pl::ColorRef previousText = SetTextColorRef(homeTextColor);
    DrawFirstLine();
    rowY = homeStatusY;
    DrawHomeTimeBlock();
    DrawSunRows();
    DrawMoonRows();
    SetTextColorRef(previousText);
    SetForeColor(previousFore);
    SetBackColor(previousBack);
}

void DrawHomeTimeBlock() {
    const DateTime& t = currentDateTime;
    char local[24], universal[24], sidereal[24];
    std::snprintf(local, sizeof local, ": %02dh%02d", t.hour, t.minute);
    FormatUniversalTime(universal, sizeof universal, t, currentSite.zoneMinutes);
    float s = static_cast<float>(GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                                      currentSite.longitude, currentSite.zoneMinutes));
    int h = static_cast<int>(s);
    int m = static_cast<int>(s * 60.0f - static_cast<float>(h) * 60.0f);
    std::snprintf(sidereal, sizeof sidereal, ": %02dh%02d", h, m);
    const char* labels[] = {"Local", "UT", "LST"};
    const char* values[] = {local, universal, sidereal};
    for (int i = 0; i < 3; ++i) {
        rowY += RowStep();
        Label(labels[i]);
        Value(values[i]);
    }
}

void HomeTimerTick() {
    if (dateTimeFixed != 0) return;
    LoadDateTimeFromDevice();
    DrawHomeStatus();
}

void SelectVisibleObjects(int kind, int catalogue, int option) {
    if (currentSite.latitude == 0.0f && currentSite.longitude == 0.0f) {
        ShowInformation("Please set your location first!", "");
        return;
    }
    if (homeForm) HideObject(homeForm, kClockButton);
    selectionClassFilter = 0;
    SetTextColorRef(homeTextColor);
    SetBackColor(pl::Rgb(0, 0, 0));
    SetForeColor(pl::Rgb(0, 0, 0));
    XywhRect box{(screenWidth - ScaleX(140)) / 2, ScaleY(102) + ScaleY(24), ScaleX(140), ScaleY(60)};
    FillRectangle(box, 0);
    const char* first = "Please wait, selecting";
    const char* second = SelectionLine(kind, catalogue);
    DrawChars(first, Length(first), box.x + ScaleX(10), box.y + ScaleY(5));
    DrawChars(second, Length(second), box.x + ScaleX(10), box.y + ScaleY(18));
    RunObjectSelection(kind, catalogue, option);
    GotoForm(1900);
}

void HandleHomeButton(int id) {
    switch (id) {
    case kInfoButton: ShowInformation(kHelpText, kHelpDetail); return;
    case kClockButton: EditClock(); return;
    case 5023: SelectVisibleObjects(7, 45, 27); return;
    case 5024: SelectVisibleObjects(3, 0, 0); return;
    case 5025: SelectVisibleObjects(4, 0, 0); return;
    case 5027: SelectVisibleObjects(1, 0, 2); return;
    case 5018: SelectVisibleObjects(0, 12, 0); return;
    case 5028:
        LoadStarCatalog(0);
        SelectVisibleObjects(0, 54, 0);
        return;
    case 5081: GotoForm(6000); return;
    case 5051:
        SetJupiterAssistantMode();
        GotoForm(2460);
        return;
    case 5052:
        SetSaturnAssistantMode();
        GotoForm(2460);
        return;
    case 5050: GotoForm(2450); return;
    case 5080: OpenSky(); return;
    case 5053: GotoForm(2600); return;
    case 5054: OpenScope(); return;
    case 5115: GotoForm(5300); return;
    case 5049: OpenFinder(kHomeFormId, -1); return;
    case 5063: GotoForm(1050); return;
    case 5111: SelectVisibleObjects(0, 63, 0); return;
    case 5060: GotoForm(1800); return;
    case 5058: SelectVisibleObjects(0, 40, 0); return;
    case 5059: SelectVisibleObjects(0, 9, 0); return;
    default: return;
    }
}

void ReleaseHomeForm(pl::Hwnd form) {
    pl::KillTimer(form, kClockTimer);
    firstPaint = 1;
    ReleaseControl(form, kTitleId);
    ReleaseControl(form, kInfoButton);
    ReleaseControl(form, kClockButton);
    for (const IconButton& b : kIcons) ReleaseControl(form, b.id);
    if (homeForm == form) homeForm = nullptr;
}

pl::LResult HomeFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitHomeForm(form); return 1;
    case pl::WM_PAINT:
        PaintForm(form, DrawHomeForm, &firstPaint, 0, 1);
        if (startFlag == 1) {
            startFlag = 0;
            AskRestoreLastAlignment();
        }
        return 1;
    case pl::WM_TIMER:
        if (wParam == kClockTimer) OnTimer(form);
        return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam);
        if (id == kDoneCommand) {
            pl::PostMessage(mainWindow, pl::WM_COMMAND, kQuitCommand, 0);
            return 1;
        }
        if (id == kCmdCloseForm) {
            ReleaseHomeForm(form);
            DestroyCurrentForm();
            return 1;
        }
        if (!IsHomeButton(id)) return 0;
        OnButton(form, id);
        return 1;
    }
    case pl::WM_CLOSE: ReleaseHomeForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &homeActivateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &homeActivateInfo); return 1;
    case pl::WM_ERASEBKGND: return 1;
    default: return 0;
    }
}
