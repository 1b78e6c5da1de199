#include "app/preference_pages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/preference_tables.h"
#include "catalog/constellation_lines.h"
#include "catalog/databases.h"
#include "catalog/user_lists.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_clock.h"
#include "chart/object_icons.h"
#include "core/preferences.h"
#include "core/preferences_file.h"
#include "core/services.h"
#include "objects/eyepiece_popup.h"
#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "scope/drive_table.h"
#include "scope/encoder_offsets.h"
#include "scope/serial_port_list.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/night_colors.h"
#include "ui/number_field.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

struct PageInfo {
    int form;
    int title;
    const char* titleText;
    int ok, prev, next;  // 0: none
};

constexpr PageInfo kPages[] = {
    {1400, 8004, "Preference 1/6", 1425, 0, 1426},    {1430, 8005, "Preference 2/6", 1447, 1517, 1448},
    {1450, 8006, "Preference 3/6", 1463, 1518, 1466}, {1620, 8007, "Preference 4/6", 1621, 1519, 1622},
    {1476, 8008, "Preference 5/6", 1479, 1520, 1338}, {1337, 8009, "Preference 6/6", 1340, 1339, 0},
};
constexpr int kPageCount = 6;

// Port popups of page 1 (rows from the serial port list).
struct PortPopup {
    int trigger, list, word;
};
constexpr PortPopup kPorts[] = {{1407, 1408, 1}, {1401, 1402, 3}, {1428, 1429, 133}};
constexpr int kEyepieceTrigger = 1467;
constexpr int kEyepieceList = 1468;
constexpr int kRenderingHelp = 1469;  // page 3's help: rendering and the eyepiece
constexpr int kCursorTrigger = 1398;
constexpr int kCursorLabel = 148;
constexpr int kDiameterField = 1535;
constexpr int kFRatioField = 1536;
constexpr int kDiameterList = 1438;
constexpr int kFRatioList = 1440;
constexpr int kHeadings[] = {138, 139, 140};  // group headings, bold labels
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;

int firstPaint = 1;
int openPage = 0;
pl::ShActivateInfo activateInfo{};

int PageOfForm(int form) {
    for (int i = 0; i < kPageCount; ++i)
        if (kPages[i].form == form) return i + 1;
    return 0;
}
const PageInfo& Info(int page) { return kPages[page - 1]; }

int32_t& Word(int w) { return preferences.word[w]; }

pl::Hwnd Form() { return GetCurrentFormWindow(); }

std::string FieldText(int id) { return pl::GetDlgItemText(Form(), id); }

// A number field of the pages read through its range; false after its refusal box.
bool ReadField(int id, double* value) { return ReadNumberField(Form(), *FindPreferenceField(id), value); }

void SetFieldText(int id, const char* text) { pl::SetDlgItemText(Form(), id, text); }

// "%.*f" of a value, cut to `length` characters.
void SetNumberField(int id, double value, int decimals, int length) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    text[std::min<std::size_t>(static_cast<std::size_t>(length), sizeof text - 1)] = '\0';
    SetFieldText(id, text);
}

void AddRows(pl::Hwnd form, int listId, std::span<const char* const> rows) {
    for (std::size_t i = rows.size(); i-- > 0;) AddListRow(form, listId, rows[i]);
}

void ViewIconHook(int row, int x, int y, int, int, int) {
    const int pos[2] = {x + 2, y};
    DrawViewIcon(row < 0 ? 0 : row, pos);
}

void InitPopups(pl::Hwnd form, int page) {
    for (const PreferencePopup& p : PreferencePopups(page)) {
        AddRows(form, p.list, p.rows);
        InitPopupList(form, p.trigger, p.list, -1, p.visibleRows, 0);
        if (p.list >= kViewListFirst && p.word >= kViewWordFirst) SetControlHook(form, p.trigger, ViewIconHook);
    }
}

void InitPortPopups(pl::Hwnd form) {
    int count = InitSerialPortList();
    for (const PortPopup& p : kPorts) {
        for (int i = count; i-- > 0;) {
            char name[16];
            GetSerialPortName(i, name);
            AddListRow(form, p.list, name);
        }
        InitPopupList(form, p.trigger, p.list, -1, 0, 0);
    }
}

void InitEyepiecePopup(pl::Hwnd form) {
    AddEyepieceRows(form, kEyepieceList);
    InitPopupList(form, kEyepieceTrigger, kEyepieceList, -1, 10, 0);
}

void InitPageControls(pl::Hwnd form, int page) {
    const PageInfo& info = Info(page);
    InitTitle(form, info.title, info.titleText);
    for (int id : kHeadings)
        if (pl::GetDlgItem(form, id)) InitLabel(form, id);
    for (const PreferenceHelp& h : PreferenceHelps())
        if (pl::GetDlgItem(form, h.button)) InitBitmapButton(form, h.button, kInfoBitmap, 1, kInfoKey);
    if (page == 1) InitPortPopups(form);
    if (page == 3) InitEyepiecePopup(form);
    InitPopups(form, page);
    for (const NumberField& f : PreferenceFields())
        if (pl::GetDlgItem(form, f.id)) InitTextField(form, f.id, 0);
}

void LayoutPage(pl::Hwnd form, int page) {
    pl::Rect client;
    pl::GetClientRect(form, &client);
    int dx = 0, dy = 0;
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy);
    if (page >= 4 && height <= ScaleY(260)) dy = -ScaleY(20);
    const PageInfo& info = Info(page);
    MoveControl(form, info.ok, 0, dy, 0, 0);
    for (int id : {info.prev, info.next})
        if (id) MoveControl(form, id, dx, dy, 0, 0);
    if (page == 3 && height <= ScaleY(260)) {
        Show(form, kCursorTrigger, false);
        Show(form, kCursorLabel, false);
    }
}

void ReleasePage(pl::Hwnd form, int page) {
    firstPaint = 1;
    const PageInfo& info = Info(page);
    ReleaseControl(form, info.title);
    for (int id : kHeadings) ReleaseControl(form, id);
    for (const PreferenceHelp& h : PreferenceHelps())
        if (pl::GetDlgItem(form, h.button)) ReleaseControl(form, h.button);
    if (page == 1)
        for (const PortPopup& p : kPorts) ReleaseControl(form, p.trigger);
    if (page == 3) ReleaseControl(form, kEyepieceTrigger);
    for (const PreferencePopup& p : PreferencePopups(page)) ReleaseControl(form, p.trigger);
    for (const NumberField& f : PreferenceFields())
        if (pl::GetDlgItem(form, f.id)) ReleaseControl(form, f.id);
}

// Popups whose row is the whole word (the distance format is a half word).
void FillPopups(int page) {
    for (const PreferencePopup& p : PreferencePopups(page))
        if (p.word != kPrefDistFormat) SetPopupList(p.trigger, p.list, Word(p.word));
}

void SavePopups(int page) {
    for (const PreferencePopup& p : PreferencePopups(page)) {
        if (p.word == kPrefDistFormat) continue;
        int row = Get(p.list);
        if (row >= 0) Word(p.word) = row;
    }
}

// Page 1: the encoder step labels and fields follow the drive.
void FillPage1() {
    FillPopups(1);
    for (const PortPopup& p : kPorts) SetPopupList(p.trigger, p.list, Word(p.word));
    bool encoders = DriveHasEncoders(Word(kPrefDriveId));
    char text[16];
    std::snprintf(text, sizeof text, "%d", encoders ? Word(kPrefEncoderStepsAz) : 0);
    SetFieldText(1419, encoders ? text : "");
    std::snprintf(text, sizeof text, "%d", encoders ? Word(kPrefEncoderStepsAlt) : 0);
    SetFieldText(1420, encoders ? text : "");
    for (int id : {1419, 1420, 1495, 1496, 1427}) Show(Form(), id, encoders);
}

void FillPage2() {
    FillPopups(2);
    bool otherDiameter = Word(kPrefDiameter) >= kApertureRowCount;
    SetPopupList(1437, kDiameterList, otherDiameter ? kApertureRowCount : Word(kPrefDiameter));
    char text[16];
    std::snprintf(text, sizeof text, "%d", Word(kPrefDiameter));
    SetFieldText(kDiameterField, otherDiameter ? text : "");
    Show(Form(), kDiameterField, otherDiameter);
    bool otherRatio = Word(kPrefFRatio) >= kFocalRatioRowCount;
    SetPopupList(1439, kFRatioList, otherRatio ? kFocalRatioRowCount : Word(kPrefFRatio));
    if (otherRatio) SetNumberField(kFRatioField, Word(kPrefFRatio) / 10.0, 1, 5);
    else SetFieldText(kFRatioField, "");
    Show(Form(), kFRatioField, otherRatio);
}

void FillPage5() {
    Word(118) = 0;
    for (const PreferenceCheck& c : PreferenceChecks()) SetCheckbox(Form(), c.id, Word(c.word) != 0);
    for (int i = 0; i < 3; ++i) SetNumberField(1532 + i, Word(kPrefTelradRing1 + i) / 10.0, 1, 4);
}

void FillPage6() {
    FillPopups(6);
    SetNumberField(1477, preferences.GetFloat(kPrefGrsLongitude), 2, 5);
    SetNumberField(1478, preferences.GetFloat(kPrefCurrentDeltaT), 3, 6);
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int16_t>(Word(kPrefPlatformDelay) & 0xFFFF));
    text[3] = '\0';
    SetFieldText(1565, text);
    SetPopupList(1421, 1422, Word(kPrefDistFormat) >> 16);
}

bool SavePage1() {
    int drive = Word(kPrefDriveId);
    const bool encoders = DriveHasEncoders(drive);
    double azSteps = 0, altSteps = 0;
    if (encoders && (!ReadField(1419, &azSteps) || !ReadField(1420, &altSteps))) return false;
    SavePopups(1);
    for (const PortPopup& p : kPorts) {
        int row = Get(p.list);
        if (row >= 0) Word(p.word) = row;
    }
    if (encoders) {
        int az = static_cast<int>(azSteps), alt = static_cast<int>(altSteps);
        if (az != Word(kPrefEncoderStepsAz) || alt != Word(kPrefEncoderStepsAlt)) ResetEncoderOffsets();
        Word(kPrefEncoderStepsAz) = az;
        Word(kPrefEncoderStepsAlt) = alt;
    }
    InitSerialPortList();
    return true;
}

// The CCD focal length (word 53, millimetres; 0 follows the telescope) set
// in the CCD assistant stays as it is unless the telescope itself changed:
// then it becomes the new telescope's focal length in millimetres.
void FollowTelescopeFocalLength(int apertureBefore, int focalBefore) {
    if (Word(kPrefCcdFocal) == 0 || (GetScopeApertureMm() == apertureBefore && GetScopeFocalLengthMm() == focalBefore))
        return;
    Word(kPrefCcdFocal) = ScopeFocalLengthForCcd();
}

bool SavePage2() {
    int diameterRow = Get(kDiameterList), ratioRow = Get(kFRatioList);
    double typedDiameter = diameterRow, typedRatio = 0;
    if (diameterRow == kApertureRowCount && !ReadField(kDiameterField, &typedDiameter)) return false;
    if (ratioRow == kFocalRatioRowCount && !ReadField(kFRatioField, &typedRatio)) return false;
    int diameter = static_cast<int>(typedDiameter);
    int ratio = ratioRow == kFocalRatioRowCount ? static_cast<int>(typedRatio * 10.0) : ratioRow;
    int night = Word(kPrefNightMode), items = Word(kPrefMaxSelectedItems);
    const int aperture = GetScopeApertureMm(), focal = GetScopeFocalLengthMm();
    SavePopups(2);
    if (diameterRow >= 0) Word(kPrefDiameter) = diameter;
    if (ratioRow >= 0) Word(kPrefFRatio) = ratio;
    FollowTelescopeFocalLength(aperture, focal);
    if (Word(kPrefNightMode) != night) ApplyNightModeColors(Word(kPrefNightMode));
    if (Word(kPrefMaxSelectedItems) != items) CarryListToNewCapacity();
    return true;
}

// A stellar catalogue chosen on page 3 is opened at once; a missing file
// sends the choice back to none and keeps the page open.
bool ReopenStellarCatalog() {
    ReopenDatabases(1);
    int card = Word(kPrefCardCatalog);
    if (card == 0 || SelectStellarCatalog(4 + card)) return true;
    ShowInformation("It seems the optional stellar catalog you selected isn't on your card.",
                    WithMissingDataFile("Please check you put Zendavori catalogs under in the right folder.",
                                        StellarCatalogFileOf(4 + card)));
    Word(kPrefCardCatalog) = 0;
    SetPopupList(1472, 1473, 0);
    return false;
}

bool SavePage3() {
    int lines = Word(kPrefConstLinesFigures);
    int chart = Word(kPrefChartType), card = Word(kPrefCardCatalog), background = Word(kPrefChartBackground);
    SavePopups(3);
    if (Word(kPrefChartBackground) != background) FreeObjectIconBitmap();
    int eyepiece = Get(kEyepieceList);
    if (eyepiece >= 0) Word(kPrefEyepiece) = eyepiece;
    if (Word(kPrefConstLinesFigures) != lines) LoadConstellationData(Word(kPrefConstLinesFigures));
    if (Word(kPrefChartType) != chart) UpdateChartTime(1);
    bool kept = true;
    if (Word(kPrefCardCatalog) != card) {
        kept = ReopenStellarCatalog();
        UpdateChartTime(1);
    }
    return kept;
}

bool SavePage5() {
    double rings[3];
    for (int i = 0; i < 3; ++i)
        if (!ReadField(1532 + i, &rings[i])) return false;
    for (const PreferenceCheck& c : PreferenceChecks()) Word(c.word) = IsCheckboxOn(Form(), c.id) ? 1 : 0;
    Word(119) = 0;
    for (int i = 0; i < 3; ++i) Word(kPrefTelradRing1 + i) = static_cast<int>(rings[i] * 10.0 + 0.5);
    return true;
}

bool SavePage6() {
    double deltaT = 0, grs = 0, typedDelay = 0;
    if (!ReadField(1478, &deltaT) || !ReadField(1477, &grs) || !ReadField(1565, &typedDelay)) return false;
    SavePopups(6);
    preferences.SetFloat(kPrefCurrentDeltaT, static_cast<float>(deltaT));
    preferences.SetFloat(kPrefGrsLongitude, static_cast<float>(grs));
    auto delay = static_cast<int16_t>(typedDelay);
    Word(kPrefPlatformDelay) = static_cast<int32_t>((Word(kPrefPlatformDelay) & ~0xFFFF) | static_cast<uint16_t>(delay));
    int dist = Get(1422);
    if (dist >= 0) Word(kPrefDistFormat) = static_cast<int32_t>((Word(kPrefDistFormat) & 0xFFFF) | (dist << 16));
    return true;
}

void ChooseNightMode() {
    int row = Get(1446);
    if (row < 0 || row == Word(kPrefNightMode)) return;
    // The colour set and the night colours are built for the mode in the word.
    Word(kPrefNightMode) = row;
    ApplyNightModeColors(row);
    FreeObjectIconBitmap();
    SetPopupList(1445, 1446, row);
}

void ChooseOther(int listId, int otherRow, int fieldId) {
    bool other = Get(listId) == otherRow;
    Show(Form(), fieldId, other);
    if (other && FieldText(fieldId).empty()) SetFieldText(fieldId, otherRow == kApertureRowCount ? "20" : "1.2");
}

// Ok goes back to the form the pages were opened from: the pages push nothing
// themselves, but a form may have pushed one before opening it; those entries
// leave the top of the history, and the newest other entry opens.
void ReturnFromPages() {
    while (PageOfForm(formHistory[kFormHistorySize - 1]) != 0) PopFormHistory();
    GotoForm(formHistory[kFormHistorySize - 1]);
}

// Leaves the page by Ok (back, with the preferences saved to their file),
// Prev or Next once its saver agrees.
bool LeavePage(int page, int id) {
    const PageInfo& info = Info(page);
    if (id != info.ok && id != info.prev && id != info.next && id != pl::IDOK) return false;
    if (!SavePreferencePage(page)) return true;
    if (id == info.ok || id == pl::IDOK) {
        SavePreferences();
        ReturnFromPages();
    } else {
        GotoForm(id == info.next ? kPages[page].form : kPages[page - 2].form);
    }
    return true;
}

void EditField(pl::Hwnd form, int id) {
    if (const NumberField* f = FindPreferenceField(id)) EditNumberField(form, *f);
}

}  // namespace

void FillPreferencePage(int page) {
    switch (page) {
    case 1: FillPage1(); return;
    case 2: FillPage2(); return;
    case 3:
        FillPopups(3);
        SetEyepiecePopupLabel(Word(kPrefEyepiece), kEyepieceTrigger, kEyepieceList, "None");
        return;
    case 4: FillPopups(4); return;
    case 5: FillPage5(); return;
    case 6: FillPage6(); return;
    default: return;
    }
}

bool SavePreferencePage(int page) {
    switch (page) {
    case 1: return SavePage1();
    case 2: return SavePage2();
    case 3: return SavePage3();
    case 4: SavePopups(4); return true;
    case 5: return SavePage5();
    case 6: return SavePage6();
    default: return true;
    }
}

void HandlePreferenceCommand(int id) {
    if (const PreferenceHelp* h = FindPreferenceHelp(id)) {
        // Page 3's help, which speaks of the eyepiece, names the eyepiece file when it is missing.
        ShowInformation(h->text, id == kRenderingHelp ? WithMissingDataFile(h->detail, kEyepieceFile) : h->detail);
        return;
    }
    if (LeavePage(openPage, id)) return;
    switch (id) {
    case 1410:
        Word(kPrefDriveId) = std::max(Get(1410), 0);
        FillPage1();
        pl::Invalidate(Form(), nullptr, true);
        return;
    case 1446: ChooseNightMode(); return;
    case kDiameterList: ChooseOther(kDiameterList, kApertureRowCount, kDiameterField); return;
    case kFRatioList: ChooseOther(kFRatioList, kFocalRatioRowCount, kFRatioField); return;
    case kEyepieceList: SetEyepiecePopupLabel(Get(kEyepieceList), kEyepieceTrigger, kEyepieceList, "None"); return;
    default: break;
    }
    if (id >= kViewListFirst && id < kViewListFirst + 2 * kZoomStepCount && (id - kViewListFirst) % 2 == 0) {
        int k = (id - kViewListFirst) / 2;
        int row = Get(id);
        if (row >= 0) Word(kViewWordFirst + k) = row;
        RedrawControl(Form(), kViewTriggerFirst + 2 * k);
    }
}

pl::LResult PreferencePageProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG:
        openPage = PageOfForm(GetCurrentFormId());
        if (openPage == 0) return 1;
        activateInfo = pl::ShActivateInfo{};
        InitFormWindow(form, pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR);
        InitPageControls(form, openPage);
        LayoutPage(form, openPage);
        FillPreferencePage(openPage);
        firstPaint = 1;
        return 1;
    case pl::WM_PAINT: PaintForm(form, nullptr, &firstPaint, 0, 1); return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleasePage(form, openPage);
            DestroyCurrentForm();
            return 1;
        }
        HandlePreferenceCommand(list != 0 ? list : id);
        return 1;
    }
    case pl::WM_CLOSE: ReleasePage(form, openPage); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    case pl::WM_ERASEBKGND: return 1;
    default: return 0;
    }
}
