#include "orbits/screens/satellites_form.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "catalog/comet_satellite_db.h"
#include "catalog/databases.h"
#include "catalog/screens/memo_dialog.h"
#include "catalog/selection_list.h"
#include "chart/chart_views.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "orbits/flare_search.h"
#include "orbits/pass_search.h"
#include "orbits/satellite_export.h"
#include "orbits/satellite_import.h"
#include "orbits/screens/satellite_form_parts.h"
#include "orbits/screens/satellite_view_geometry.h"
#include "orbits/two_line_elements.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "tools/edit_date_time.h"
#include "ui/busy_indicator.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
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

int lastSatelliteIndex = -1;

namespace {

constexpr uintptr_t kTimeTimer = 1;
constexpr uint32_t kTimePeriodMs = 1000;
constexpr int kNameRows = 110, kNameRowsVisible = 18;
constexpr int kLineInputSize = 72;  // 71 characters
constexpr std::size_t kImportBufferSize = 512 * 1024;
constexpr pl::ColorRef kHelpKey = 0x00FF00;
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

constexpr const char* kViewRows[] = {"Info", "Sky View", "Pass", "Next", "Flare", "Transit", "Globe", "Data"};
constexpr const char* kElevationRows[] = {"Visible", ">5\xB0",  ">10\xB0", ">15\xB0", ">20\xB0",
                                          ">25\xB0", ">30\xB0", ">35\xB0", ">40\xB0", ">45\xB0"};
constexpr const char* kModeRows[] = {"Clock", "Track", "+1'", "+2'", "+5'", "+10'"};
constexpr const char* kStepRows[] = {"Auto", "30s", "1mn", "2mn", "3mn"};
constexpr const char* kFovRows[] = {"180\xB0", "150\xB0", "120\xB0", "90\xB0",   "60\xB0",  "45\xB0", "30\xB0",
                                    "20\xB0",  "10\xB0",  "5\xB0",   "2.5\xB0", "1.5\xB0", "1\xB0"};
constexpr int kRegistered[] = {kSatTitle,        kSatViewTrigger, kSatNameTrigger, kSatHelp,
                               kSatBack,         kSatElevationTrigger, kSatNowButton, kSatShowInSky,
                               kSatFovTrigger,   kSatModeTrigger, kSatStepTrigger, kSatDateField,
                               kSatTimeField,    kSatLine1Field,  kSatLine2Field,  kSatResultList};

struct Help {
    const char* text;
    const char* detail;
};
constexpr Help kHelp[] = {
    {"\x95 Display the position and the path of the selected satellite on the earth.\n",
     "All displayed times are local times."},
    {"\x95 Display the position and the path of the selected satellite in the sky.", ""},
    {"\x95 List the next passage of one satellite over your location.", ""},
    {"\x95 List the next satellites visible over your location.", ""},
    {"\x95 List, if any, the visible Iridium satellite Flares visible from your location in the next 24h.\n",
     "\x95 Computation can take several minutes."},
    {"\x95 List, if any, the transit of a satellite in front of the moon and visible from your location in the next "
     "20 days.\n",
     "\x95 Computation can take several minutes."},
    {"\x95 Display the position and path of the selected satellite on the earth.", ""},
    {"\x95 Display the TLE information of the selected satellite.", ""},
};

pl::Hwnd satellitesForm = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};
DrawWindowRecord* offscreen = nullptr;

SatelliteFormState& State() { return satelliteFormState; }

bool IsSearchView(int view) { return view >= kSatelliteViewPass && view <= kSatelliteViewTransit; }

void StopTimer() {
    if (satellitesForm) pl::KillTimer(satellitesForm, kTimeTimer);
}

void StartTimerInMode() {
    if (satellitesForm && State().timeMode != 0) pl::SetTimer(satellitesForm, kTimeTimer, kTimePeriodMs);
}

// Reads record `index` into the form's record and decodes it; false (the
// record layer reported why) when it cannot be read.
bool LoadSatellite(int index) {
    SatelliteFormState& s = State();
    if (!s.record || !GetSatelliteRecord(index, s.record)) return false;
    InitSatelliteElements(s.record, s.elements);
    return true;
}

// Says once that the form's record is damaged: after it was chosen, or a view
// that places it (or shows its lines) was opened on it, never at a redraw or
// a time step. The Pass and Transit searches say it themselves; Next and
// Flare pass such records over. The view under the box is put back when it
// closes, as the form's picture is saved from the screen right after.
void TellDamagedRecord() {
    if (!FormRecordIsDamaged()) return;
    UseSatelliteForm();
    const pl::Rect client = GetDrawClientRect();
    DrawWindowRecord* view = SaveBits(XywhRect{0, 0, client.Width() - 1, client.Height() - 1});
    ShowInformation(kDamagedElementsText, "");
    UseSatelliteForm();
    if (view) RestoreBits(view, 0, 0);
}

bool ViewPlacesTheSatellite(int view) {
    return view == kSatelliteViewInfo || view == kSatelliteViewSky || view == kSatelliteViewGlobe ||
           view == kSatelliteViewData;
}

// The current view drawn on a choice of the user's.
void ShowChosenView(int index) {
    ShowSatelliteView(index);
    if (ViewPlacesTheSatellite(State().view)) TellDamagedRecord();
}

// The date and time changed: every picture and result is made again.
void ForgetPictures() {
    SatelliteFormState& s = State();
    s.resultCount = 0;
    s.mapReady = 0;
    s.skyObjectCount = 0;
}

void ShowHelp() {
    const int view = State().view;
    if (view >= 0 && view < static_cast<int>(std::size(kHelp))) ShowInformation(kHelp[view].text, kHelp[view].detail);
}

void ChooseView(int row) {
    SatelliteFormState& s = State();
    if (row < 0 || row >= static_cast<int>(std::size(kViewRows))) return;
    // The command erased the form: the view already chosen is drawn again.
    if (row == s.view) return ShowChosenView(s.satelliteIndex);
    StopTimer();
    if (IsSearchView(s.view) && IsSearchView(row)) s.resultCount = 0;
    s.mapReady = 0;
    ReleaseSatelliteMarker();
    s.view = row;
    SetPopupList(kSatViewTrigger, kSatViewList, row);
    ShowChosenView(s.satelliteIndex);
    StartTimerInMode();
}

void ChooseSatellite(int row) {
    SatelliteFormState& s = State();
    if (row < 0) return;
    if (row == s.satelliteIndex) {
        if (!s.record || !GetSatelliteRecord(row, s.record)) return;
        char name[kSatelliteLineSize];
        SatelliteNameLine(name);
        SetPopupLabel(kSatNameTrigger, name);
        return ShowChosenView(row);
    }
    s.skyObjectCount = 0;
    s.satelliteIndex = row;
    SetPopupList(kSatNameTrigger, kSatNameList, row);
    if (!LoadSatellite(row)) return;
    s.resultCount = 0;
    s.trackSpan = -1;
    s.mapReady = 0;
    ShowChosenView(row);
}

// After a new date and time: the fields, the track's start and the view.
void ShowNewTime() {
    SatelliteFormState& s = State();
    WriteSatelliteDateTimeFields();
    ForgetPictures();
    s.startJd = SatelliteFormJulianDay();
    ShowSatelliteView(s.satelliteIndex);
}

void EditFormDateTime() {
    SatelliteFormState& s = State();
    StopTimer();
    EditDateTime(&s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
    FreeSavedScreen();
    if (satellitesForm) EraseFormBelowTitleLine(satellitesForm);
    UseSatelliteForm();
    ShowNewTime();
    StartTimerInMode();
}

void TakeDeviceTime() {
    SatelliteFormState& s = State();
    GetLocalDateTime(&s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
    ShowNewTime();
}

void ChooseTimeMode(int row) {
    SatelliteFormState& s = State();
    StopTimer();
    if (row >= 0 && row != s.timeMode) {
        s.timeMode = row;
        SetPopupList(kSatModeTrigger, kSatModeList, row);
    }
    StartTimerInMode();
}

void ShowResultInSky() {
    SatelliteFormState& s = State();
    if (s.selectedResult < 0 || s.selectedResult >= s.resultCount || !s.results) return;
    const PassRow& row = s.results[s.selectedResult];
    SearchRowSkyStart(s.view, row, currentSite.zoneMinutes, &s.startJd, &s.trackSpan);
    s.skyObjectCount = 0;
    DrawSatelliteSkyView(row.satelliteIndex, s.startJd, s.trackSpan);
    TellDamagedRecord();
}

// The details of the tapped row, told as damaged when its record is.
void ShowResultDetails() {
    SatelliteFormState& s = State();
    s.selectedResult = Get(kSatResultList);
    if (ShowFlareDetails(s.selectedResult)) TellDamagedRecord();
}

void ChooseMinimumElevation(int row) {
    SatelliteFormState& s = State();
    if (row < 0) return;
    if (row == s.minElevationIndex) return ShowSatelliteView(s.satelliteIndex);
    s.minElevationIndex = row;
    SetPopupList(kSatElevationTrigger, kSatElevationList, row);
    s.resultCount = 0;
    ShowSatelliteView(s.satelliteIndex);
}

void ChooseTrackStep(int row) {
    SetPopupList(kSatStepTrigger, kSatStepList, row);
    ForgetPictures();
    ShowSatelliteView(State().satelliteIndex);
}

// A memo file chosen in the memo dialog is read as element sets; the form
// then shows the database as it now is.
void ImportElementSets() {
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kImportBufferSize]);
    if (!buffer) return;
    buffer[0] = '\0';
    ImportMemoFile(buffer.get(), kImportBufferSize);
    UseSatelliteForm();
    if (buffer[0] == '\0') return;
    ImportSatelliteText(buffer.get(), std::strlen(buffer.get()));
    UseSatelliteForm();
    SatelliteFormState& s = State();
    const int count = GetSatelliteCount();
    if (s.satelliteIndex >= count) s.satelliteIndex = count - 1;
    if (s.satelliteIndex < 0 && count > 0) s.satelliteIndex = 0;
    if (s.satelliteIndex >= 0) LoadSatellite(s.satelliteIndex);
    SetListItems(pl::GetDlgItem(satellitesForm, kSatNameList), nullptr, count);
    ForgetPictures();
    ShowSatelliteView(s.satelliteIndex);
    SaveScreen();
}

template <std::size_t N>
void InitTextPopup(pl::Hwnd form, int trigger, int list, const char* const (&rows)[N], int selection) {
    for (std::size_t i = N; i-- > 0;) AddListRow(form, list, rows[i]);
    InitPopupList(form, trigger, list, -1, -1, selection);
}

void InitSatellitesForm(pl::Hwnd form) {
    const SatelliteFormState& s = State();
    satellitesForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kSatTitle, "SatellitesAssistant");
    InitTextPopup(form, kSatViewTrigger, kSatViewList, kViewRows, s.view);
    InitBitmapButton(form, kSatHelp, 5076, 1, kHelpKey);
    InitPopupList(form, kSatNameTrigger, kSatNameList, kNameRows, kNameRowsVisible, s.satelliteIndex);
    InitTextPopup(form, kSatElevationTrigger, kSatElevationList, kElevationRows, s.minElevationIndex);
    InitList(form, kSatResultList, 0, -1, 1);
    InitTextField(form, kSatLine1Field, 0);
    InitTextField(form, kSatLine2Field, 0);
    InitBitmapButton(form, kSatBack, 5074, 0, 0);
    InitTextPopup(form, kSatModeTrigger, kSatModeList, kModeRows, s.timeMode);
    InitTextPopup(form, kSatStepTrigger, kSatStepList, kStepRows, 0);
    InitTextPopup(form, kSatFovTrigger, kSatFovList, kFovRows, s.fovIndex);
    InitTextField(form, kSatDateField, 0);
    InitTextField(form, kSatTimeField, 0);
    InitBitmapButton(form, kSatNowButton, 120, 0, 0);
    InitBitmapButton(form, kSatShowInSky, GetNightMode() > 0 ? 5138 : 5094, 0, 0);
    firstPaint = 1;
    pl::Rect client;
    if (pl::GetClientRect(form, &client)) LayoutSatellitesForm(form, client.Width(), client.Height());
}

void RedrawWholeFormFor(pl::Hwnd form, int listId) {
    FreeSavedScreen();
    EraseFormBelowTitleLine(form);
    UseSatelliteForm();
    // The map went with the erasing, for the same view chosen again too.
    State().mapReady = 0;
    ReleaseSatelliteMarker();
    HandleSatelliteCommand(listId);
    if (satellitesForm == form) SaveScreen();
}

void UnderlineTitle(pl::Hwnd form) {
    UseSatelliteForm();
    DrawTitleUnderline(form, GetDrawDc());
}

void Command(pl::Hwnd form, int id) {
    switch (id) {
    case kSatViewList: case kSatNameList: case kSatElevationList: RedrawWholeFormFor(form, id); return;
    case kSatModeList: HandleSatelliteCommand(kSatModeList); return;
    case kSatFovList: case kSatStepList:
        UnderlineTitle(form);
        HandleSatelliteCommand(id);
        if (satellitesForm == form) SaveScreen();
        return;
    case kSatNowButton: case kSatResultList: case kSatShowInSky:
        EraseFormBelowTitleLine(form);
        UseSatelliteForm();
        HandleSatelliteCommand(id);
        if (satellitesForm != form) return;
        UnderlineTitle(form);
        SaveScreen();
        return;
    case pl::IDOK: HandleSatelliteCommand(kSatBack); return;
    default: HandleSatelliteCommand(id); return;
    }
}

void EditField(pl::Hwnd form, int id) {
    if (id == kSatLine1Field || id == kSatLine2Field) {
        RunTextInputDialog(form, id, id == kSatLine1Field ? "TLE1" : "TLE2", kLineInputSize);
        return;
    }
    if (id != kSatDateField && id != kSatTimeField) return;
    EraseFormBelowTitleLine(form);
    UseSatelliteForm();
    HandleSatelliteCommand(id);
    if (satellitesForm == form) SaveScreen();
}

void MeasureItem(pl::MeasureItem* item) {
    if (item && (item->ctlId == kSatNameList || item->ctlId == kSatResultList)) item->itemHeight = ScaleY(15);
}

void NameRow(int16_t row, const XywhRect& rect, int, int) { DrawSatelliteNameRow(row, rect); }
void ResultRow(int16_t row, const XywhRect& rect, int selected, int) { DrawPassResultRow(row, rect, selected); }

void DrawItem(pl::Hwnd form, const pl::DrawItem* item) {
    if (item && item->ctlId == kSatNameList) DrawOwnerItem(form, item, NameRow);
    if (item && item->ctlId == kSatResultList) DrawOwnerItem(form, item, ResultRow);
}

bool IsFormKey(int key) {
    return key == pl::VK_PRIOR || key == pl::VK_NEXT || key == pl::VK_LEFT || key == pl::VK_UP ||
           key == pl::VK_RIGHT || key == pl::VK_DOWN;
}

pl::LResult Key(pl::Hwnd form, int key) {
    if (!IsFormKey(key)) return 0;
    UseSatelliteForm();
    const int taken = HandleSatelliteKey(key);
    if (satellitesForm == form) SaveScreen();
    return taken;
}

void Tick(pl::Hwnd form) {
    UseSatelliteForm();
    UpdateSatelliteTime(1);
    if (satellitesForm == form) SaveScreen();
}

}  // namespace

pl::Hwnd SatellitesFormWindow() { return satellitesForm; }
DrawWindowRecord* SatelliteOffscreen() { return offscreen; }

void OpenSatellitesForm() {
    SatelliteFormState& s = State();
    SetModeFlag(1);
    s.savedChartType = preferences.word[kPrefChartType];
    preferences.word[kPrefChartType] = 2;
    SetChartFlagA(1);
    SetChartFlagB(0);
    PushFormHistory(kSatellitesFormId);
    s.mapReady = 0;
    const int count = GetSatelliteCount();
    if (s.satelliteIndex == -1 && count > 0)
        s.satelliteIndex = lastSatelliteIndex >= 0 && lastSatelliteIndex < count ? lastSatelliteIndex : 0;
    s.resultCount = 0;
    AllocateSatelliteBuffers();
    s.savedObjectNames = preferences.word[kPrefObjectNames];
    preferences.word[kPrefObjectNames] = 0;
    // No record chosen in an open database: nothing to read. A closed one
    // says so through the record layer.
    if (s.satelliteIndex >= 0 || !satelliteDb) LoadSatellite(s.satelliteIndex);
    UseSatelliteForm();
    if (s.year == -1) {
        const DateTime& t = currentDateTime;
        s.year = t.year, s.month = t.month, s.day = t.day, s.hour = t.hour, s.minute = t.minute;
    }
    s.second = 0;
    InstallSatelliteFormSearchDisplay();
    ShowChosenView(s.satelliteIndex);
    StartTimerInMode();
}

void AllocateSatelliteBuffers() {
    SatelliteFormState& s = State();
    if (!s.record) s.record = new SatelliteRecord{};
    if (!s.elements) s.elements = new SatelliteElements{};
    if (!s.skyObjects) s.skyObjects = new SelectionEntry[kSatelliteSkyObjectCount]{};
    if (!s.results) s.results = new PassRow[kMaxPassRows]{};
    *s.elements = SatelliteElements{};
    GetScreenSize(&s.screenWidth, &s.screenHeight);
    DeleteOffscreenWindow(offscreen);
    offscreen = CreateOffscreenDib(s.screenWidth, s.screenHeight, 16);
    if (!offscreen) ShowInformation("Can't allocate offscreen window", "");
}

void CloseSatellitesForm() {
    SatelliteFormState& s = State();
    SetModeFlag(0);
    preferences.word[kPrefChartType] = s.savedChartType;
    SetChartFlagA(0);
    SetChartFlagB(1);
    preferences.word[kPrefObjectNames] = s.savedObjectNames;
    lastSatelliteIndex = s.satelliteIndex;
    s.skyObjectCount = 0;
    s.resultCount = 0;
    s.selectedResult = -1;
    s.view = kSatelliteViewInfo;
    delete s.record;
    delete s.elements;
    delete[] s.skyObjects;
    delete[] s.results;
    s.record = nullptr, s.elements = nullptr, s.skyObjects = nullptr, s.results = nullptr;
    ReleaseSatelliteMarker();
    DeleteOffscreenWindow(offscreen);
    offscreen = nullptr;
    RemoveSatelliteSearchDisplay();
    // The list's rows again (this form drew its own table through them), its current entry kept.
    if (selectionList && selectionCount >= 0) RebuildSelectionByClass();
}

void ReleaseSatellitesForm(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : kRegistered) ReleaseControl(form, id);
    pl::KillTimer(form, kTimeTimer);
}

void LayoutSatellitesForm(pl::Hwnd form, int width, int height) {
    SatelliteFormState& s = State();
    int dx = 0, dy = 0;
    if (GetScreenSizeDelta(0, width, height, &dx, &dy)) {
        MoveControl(form, kSatHelp, dx, 0, 0, 0);
        for (int id : {kSatBack, kSatShowInSky, kSatModeTrigger, kSatStepTrigger, kSatFovTrigger})
            MoveControl(form, id, 0, dy, 0, 0);
        for (int id : {kSatTimeField, kSatDateField, kSatNowButton, kSatExport, kSatImport})
            MoveControl(form, id, dx, dy, 0, 0);
        for (int id : {kSatElevationTrigger, kSatElevationList, kSatViewTrigger, kSatViewList})
            MoveControl(form, id, dx, 0, 0, 0);
        MoveControl(form, kSatResultList, 0, 0, dx, dy);
        for (int id : {kSatLine1Field, kSatLine2Field}) MoveControl(form, id, 0, 0, dx, 0);
    }
    GetScreenSize(&s.screenWidth, &s.screenHeight);
    if (SatellitesFormWindow() == form) SetListVisibleRows(kSatNameList, s.screenHeight > 240 ? 17 : 11);
}

void ShowSatelliteView(int index) {
    SatelliteFormState& s = State();
    const std::initializer_list<int> kHiddenByMaps = {kSatStepTrigger, kSatShowInSky, kSatResultList, kSatFovTrigger,
                                                      kSatElevationTrigger, kSatLine1Field, kSatLine2Field,
                                                      kSatExport, kSatImport};
    const std::initializer_list<int> kShownByMaps = {kSatNameTrigger, kSatModeTrigger, kSatNowButton, kSatDateField,
                                                     kSatTimeField};
    switch (s.view) {
    case kSatelliteViewInfo:
    case kSatelliteViewGlobe:
        ShowSatelliteControls(kHiddenByMaps, kShownByMaps);
        if (s.view == kSatelliteViewInfo) ShowSatelliteInfo(index);
        else DrawSatelliteGlobeView(index);
        s.startJd = SatelliteFormJulianDay();
        s.trackSpan = -1;
        return;
    case kSatelliteViewSky: DrawSatelliteSkyView(index, s.startJd, s.trackSpan); return;
    case kSatelliteViewPass:
    case kSatelliteViewTransit:
        s.flareMode = 0;
        s.transitMode = s.view == kSatelliteViewTransit;
        SearchSatellitePasses(index);
        return;
    case kSatelliteViewNext:
    case kSatelliteViewFlare:
        s.transitMode = 0;
        s.flareMode = s.view == kSatelliteViewFlare;
        SearchFlares(index);
        return;
    case kSatelliteViewData: ShowSatelliteTLE(index); return;
    default: return;
    }
}

int UpdateSatelliteTime(int stepSeconds) {
    SatelliteFormState& s = State();
    int minutes = 0;
    switch (s.timeMode) {
    case 1:
        s.second += stepSeconds;
        // At each whole minute the form takes the device's time, which then
        // needs no step of its own.
        if (s.second >= 60) {
            GetLocalDateTime(&s.year, &s.month, &s.day, &s.hour, &s.minute, &s.second);
            s.second %= 60;
        }
        break;
    case 2: minutes = 1; break;
    case 3: minutes = 2; break;
    case 4: minutes = 5; break;
    case 5: minutes = 10; break;
    default: return 0;
    }
    AddMinutesToDateTime(&s.year, &s.month, &s.day, &s.hour, &s.minute, minutes);
    WriteSatelliteDateTimeFields();
    if (s.view == kSatelliteViewInfo) ShowSatelliteInfo(s.satelliteIndex);
    if (s.view == kSatelliteViewGlobe) DrawSatelliteGlobeView(s.satelliteIndex);
    return 1;
}

int HandleSatelliteKey(int key) {
    SatelliteFormState& s = State();
    if (s.flareMode) return 1;
    const int count = GetSatelliteCount(), row = Get(kSatNameList);
    int index = 0;
    switch (key) {
    case pl::VK_PRIOR: case pl::VK_DOWN: index = std::min(row + 1, count - 1); break;
    case pl::VK_NEXT: case pl::VK_UP: index = std::max(row - 1, 0); break;
    default: return 0;
    }
    if (count <= 0) return 1;
    s.satelliteIndex = index;
    SetPopupList(kSatNameTrigger, kSatNameList, index);
    if (!LoadSatellite(index)) return 1;
    s.mapReady = 0;
    s.skyObjectCount = 0;
    s.resultCount = 0;
    s.trackSpan = -1;
    ShowChosenView(index);
    return 1;
}

int HandleSatelliteCommand(int id) {
    switch (id) {
    case kSatHelp: ShowHelp(); return 1;
    case kSatViewList: ChooseView(Get(kSatViewList)); return 1;
    case kSatBack: GoBackToPreviousForm(); return 1;
    case kSatNameList: ChooseSatellite(Get(kSatNameList)); return 1;
    case kSatTimeField: case kSatDateField: EditFormDateTime(); return 1;
    case kSatNowButton: TakeDeviceTime(); return 1;
    case kSatModeList: ChooseTimeMode(Get(kSatModeList)); return 1;
    case kSatResultList: ShowResultDetails(); return 1;
    case kSatShowInSky: ShowResultInSky(); return 1;
    case kSatFovList: ChooseSkyFieldOfView(Get(kSatFovList)); return 1;
    case kSatElevationList: ChooseMinimumElevation(Get(kSatElevationList)); return 1;
    case kSatExport: ExportSatellites(); return 1;
    case kSatImport: ImportElementSets(); return 1;
    case kSatStepList: ChooseTrackStep(Get(kSatStepList)); return 1;
    default: return id >= kSatHelp && id <= kSatStepList ? 1 : 0;
    }
}

int SatellitePenDown(int x, int y) {
    SatelliteFormState& s = State();
    if (s.view != kSatelliteViewSky && s.view != kSatelliteViewGlobe) return 0;
    UseSatelliteForm();
    s.lastPenX = x, s.lastPenY = y;
    s.dragging = 0;
    if (s.view == kSatelliteViewSky) SkyViewPenDown(x, y);
    return 1;
}

int SatellitePenMove(int x, int y) {
    const int view = State().view;
    UseSatelliteForm();
    if (view == kSatelliteViewSky) return SkyViewPenMove(x, y);
    if (view == kSatelliteViewGlobe) return GlobeViewPenMove(x, y);
    return 0;
}

int SatellitePenUp(int x, int y) {
    const int view = State().view;
    UseSatelliteForm();
    if (view == kSatelliteViewSky) return SkyViewPenUp(x, y);
    if (view == kSatelliteViewGlobe) return GlobeViewPenUp(x, y);
    return 0;
}

void ResetSatellitesForm() {
    SatelliteFormState& s = State();
    delete s.record;
    delete s.elements;
    delete[] s.skyObjects;
    delete[] s.results;
    ReleaseSatelliteMarker();
    DeleteOffscreenWindow(offscreen);
    offscreen = nullptr;
    ResetSatelliteFormState();
    lastSatelliteIndex = -1;
    firstPaint = 1;
    satellitesForm = nullptr;
}

pl::LResult SatellitesAssistantFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    SatelliteFormState& s = State();
    switch (message) {
    case pl::WM_INITDIALOG: InitSatellitesForm(form); return 1;
    case pl::WM_PAINT: PaintForm(form, OpenSatellitesForm, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case pl::WM_MEASUREITEM: MeasureItem(reinterpret_cast<pl::MeasureItem*>(lParam)); return 1;
    case pl::WM_DRAWITEM: DrawItem(form, reinterpret_cast<const pl::DrawItem*>(lParam)); return 1;
    case pl::WM_KEYDOWN: return Key(form, static_cast<int>(wParam));
    case pl::WM_TIMER:
        if (wParam == kTimeTimer) Tick(form);
        return 1;
    case pl::WM_LBUTTONDOWN: s.penDown = SatellitePenDown(pl::PointX(lParam), pl::PointY(lParam)); return 1;
    case pl::WM_MOUSEMOVE:
        if (s.penDown && (wParam & pl::MK_LBUTTON) && SatellitePenMove(pl::PointX(lParam), pl::PointY(lParam)))
            SaveScreen();
        return 1;
    case pl::WM_LBUTTONUP:
        if (s.penDown && SatellitePenUp(pl::PointX(lParam), pl::PointY(lParam))) SaveScreen();
        s.penDown = 0;
        return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        const int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            CloseSatellitesForm();
            ReleaseSatellitesForm(form);
            DestroyCurrentForm();
            satellitesForm = nullptr;
            return 1;
        }
        Command(form, list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: ReleaseSatellitesForm(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
