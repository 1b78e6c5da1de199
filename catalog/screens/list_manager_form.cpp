#include "catalog/screens/list_manager_form.h"

#include <cstdio>
#include <string>

#include "catalog/screens/name_rows.h"
#include "catalog/selection_list.h"
#include "catalog/user_lists.h"
#include "core/date_text.h"
#include "core/list_date.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "objects/object_selection.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/owner_draw.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/screen_layout.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

int listManagerMode = kListManagerLists;
NameTable listManagerNames;

namespace {

constexpr int kTitleId = 8012;
constexpr int kFileList = 1051;
constexpr int kNameField = 1052;
constexpr int kDateField = 1053;
constexpr int kTimeField = 1054;
constexpr int kBackButton = 1055;
constexpr int kLoadButton = 1056;
constexpr int kSaveButton = 1057;
constexpr int kDeleteButton = 1058;
constexpr int kInfoButton = 1059;
constexpr int kModeTrigger = 1061;
constexpr int kModeList = 1062;
constexpr int kCatalogHint = 142;
constexpr int kListLabels[] = {138, 139, 140, 141};
constexpr int kVezizIvodoziForm = 1800;
constexpr int kUserDesignation = 63;
constexpr int kNameInputLength = 33;  // the text input keeps at most 32 characters
constexpr int kSavedNameSize = 36;    // at most 35 characters of the name field are saved
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr char kNewListName[] = "<New list name>";
constexpr char kListFolder[] = "userlists";
constexpr char kCatalogFolder[] = "usercatalogs";
constexpr const char* kModeNames[] = {"Lists", "User Catalogs"};
// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;

constexpr char kHelpText[] =
    "\x95 Fill the name of your current list then press Save button to keep it.\n"
    "\x95 To remove an old list use Del button.";
constexpr char kHelpDetail[] = "\x95 To Reuse a previous one, select it then press Load button.";

struct BitmapButton {
    int id;
    int bitmap;
};
constexpr BitmapButton kButtons[] = {
    {kBackButton, 5074}, {kLoadButton, 5147}, {kSaveButton, 5148}, {kDeleteButton, 1975}};

int firstPaint = 1;
pl::Hwnd listManagerForm = nullptr;
pl::ShActivateInfo activateInfo{};

bool CatalogMode() { return listManagerMode == kListManagerUserCatalogs; }

// The name of the selected row; null when no row is selected.
const char* SelectedName() {
    int row = Get(kFileList);
    return row >= 0 && row < listManagerNames.Count() ? listManagerNames[row].data() : nullptr;
}

void ShowDateAndTime(int day, int month, int year, int hour, int minute) {
    char text[24];
    FormatDate(text, sizeof text, day, month, year);
    SetField(kDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    SetField(kTimeField, text);
}

void ShowControls(bool lists) {
    pl::Hwnd form = listManagerForm;
    for (int id : {kNameField, kDateField, kTimeField, kSaveButton, kDeleteButton})
        lists ? ShowObject(form, id) : HideObject(form, id);
    for (int id : kListLabels) lists ? ShowObject(form, id) : HideObject(form, id);
    lists ? HideObject(form, kCatalogHint) : ShowObject(form, kCatalogHint);
}

void FillCriteriaDateFromDevice() {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    GetLocalDateTime(&year, &month, &day, &hour, &minute, &second);
    SetCriteriaDate(year, month, day, hour, minute);
}

// The first drawing: history, the criteria's date, the mode and the files.
void DrawListManager() {
    PushFormHistory(kListManagerForm);
    if (selectionCriteria.year == 0) FillCriteriaDateFromDevice();
    SetPopupList(kModeTrigger, kModeList, listManagerMode);
    RefreshListManager();
}

// 1059 moves right, Back, Load and Save down, Delete right and down; the
// file list grows by both.
void LayoutListManager(pl::Hwnd form) {
    pl::Rect client;
    int dx = 0, dy = 0;
    if (!pl::GetClientRect(form, &client) || !GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy))
        return;
    MoveControl(form, kInfoButton, dx, 0, 0, 0);
    for (int id : {kBackButton, kLoadButton, kSaveButton}) MoveControl(form, id, 0, dy, 0, 0);
    MoveControl(form, kDeleteButton, dx, dy, 0, 0);
    MoveControl(form, kFileList, 0, 0, dx, dy);
}

void InitListManager(pl::Hwnd form) {
    listManagerForm = form;
    activateInfo = pl::ShActivateInfo{};
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTitleId, "ListManager");
    InitBitmapButton(form, kInfoButton, kInfoBitmap, 1, kInfoKey);
    for (const BitmapButton& b : kButtons) InitBitmapButton(form, b.id, b.bitmap, 0, 0);
    AddListRow(form, kModeList, kModeNames[1]);
    AddListRow(form, kModeList, kModeNames[0]);
    InitPopupList(form, kModeTrigger, kModeList, -1, 0, listManagerMode);
    for (int id : {kNameField, kDateField, kTimeField}) InitTextField(form, id, 0);
    InitList(form, kFileList, 0, -1, 1);
    LayoutListManager(form);
    ShowObject(form, kFileList);
    for (const BitmapButton& b : kButtons) ShowObject(form, b.id);
    firstPaint = 1;
}

void ReleaseListManager(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : {kTitleId, kInfoButton, kModeTrigger, kNameField, kDateField, kTimeField, kFileList})
        ReleaseControl(form, id);
    for (const BitmapButton& b : kButtons) ReleaseControl(form, b.id);
}

void LoadSelected() {
    const char* name = SelectedName();
    if (!name) return;
    std::string file = name;
    int mode = listManagerMode;
    LoadUserList(file.c_str(), mode);
    if (mode == kListManagerUserCatalogs) RunObjectSelection(0, kUserDesignation, 0);
    PopFormHistory();
    GotoForm(kVezizIvodoziForm);
}

void SaveCurrentList() {
    if (selectionShownCount < 1) {
        ShowInformation("Please select at least one object", "");
        return;
    }
    char name[kSavedNameSize] = "";
    GetField(kNameField, name, sizeof name);
    SaveUserList(name);
    RefreshListManager();
}

void DeleteSelected() {
    const char* name = SelectedName();
    if (!name) return;
    pl::RemoveFile(std::string(kListFolder) + "\\" + name);
    RefreshListManager();
}

// A mode chosen in the popup: the form is drawn again for it.
void ChooseMode() {
    int row = Get(kModeList);
    listManagerMode = row == kListManagerUserCatalogs ? kListManagerUserCatalogs : kListManagerLists;
    SetPopupLabel(kModeTrigger, kModeNames[listManagerMode]);
    FreeSavedScreen();
    EraseWindow(listManagerForm);
    pl::Hdc dc = pl::GetDC(listManagerForm);
    DrawTitleUnderline(listManagerForm, dc);
    pl::ReleaseDC(listManagerForm, dc);
    RefreshListManager();
    SaveScreen();
}

void EditField(pl::Hwnd form, int id) {
    if (id == kNameField) RunTextInputDialog(form, id, "Name", kNameInputLength);
    else RedrawControl(form, id);
}

void DrawFileRow(int16_t row, const XywhRect& rect, int, int) {
    DrawNameTableRow(listManagerNames, row, rect, ScaleX(2));
}

bool IsArrowOrPageKey(pl::WParam key) {
    for (int vk : {pl::VK_PRIOR, pl::VK_NEXT, pl::VK_LEFT, pl::VK_UP, pl::VK_RIGHT, pl::VK_DOWN})
        if (key == static_cast<pl::WParam>(vk)) return true;
    return false;
}

}  // namespace

void SetListManagerMode(int mode) {
    listManagerMode = mode == kListManagerUserCatalogs ? kListManagerUserCatalogs : kListManagerLists;
}

void RefreshListManager() {
    pl::Hwnd form = listManagerForm;
    if (!pl::IsWindow(form)) return;
    bool lists = !CatalogMode();
    int count = lists ? ScanNameTable(&listManagerNames, kListFolder, "*.lst")
                      : ScanNameTable(&listManagerNames, kCatalogFolder, "*.*");
    ShowControls(lists);
    EraseWindowBelowTitle(form);
    if (lists) {
        SetField(kNameField, kNewListName);
        const SelectionCriteria& c = selectionCriteria;
        ShowDateAndTime(c.day, c.month, c.year, c.hour, c.minute);
    }
    SetListItems(pl::GetDlgItem(form, kFileList), nullptr, count);
    Set(kFileList, -1);
}

void ShowListFileHeader() {
    const char* name = SelectedName();
    if (!name || CatalogMode()) return;
    UserListHeader header;
    switch (ReadUserListHeader(name, &header)) {
    case kHeaderNoFile: ShowInformation("Can't open file.", std::string(kListFolder) + "\\" + name); return;
    case kHeaderShort: ShowInformation("Can't read header.", ""); return;
    case kHeaderRead: break;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s, %d", header.name, header.count);
    SetField(kNameField, text);
    ShowDateAndTime(header.day, header.month, header.year, header.hour, header.minute);
}

int HandleListManagerCommand(int id) {
    switch (id) {
    case kFileList: ShowListFileHeader(); return 1;
    case kBackButton:
    case pl::IDOK: GoBackToPreviousForm(); return 1;
    case kLoadButton: LoadSelected(); return 1;
    case kSaveButton: SaveCurrentList(); return 1;
    case kDeleteButton: DeleteSelected(); return 1;
    case kInfoButton: ShowInformation(kHelpText, kHelpDetail); return 1;
    case kModeList: ChooseMode(); return 1;
    default: return 0;
    }
}

pl::LResult ListManagerProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitListManager(form); return 1;
    case pl::WM_PAINT: PaintForm(form, DrawListManager, &firstPaint, ScaleY(22), 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case kMsgEditField: EditField(form, static_cast<int>(wParam)); return 1;
    case pl::WM_DRAWITEM: DrawOwnerItem(form, reinterpret_cast<const pl::DrawItem*>(lParam), DrawFileRow); return 1;
    case pl::WM_KEYDOWN:
        if (!IsArrowOrPageKey(wParam)) return 0;
        pl::Invalidate(form, nullptr, false);
        return 1;
    case pl::WM_COMMAND: {
        int id = pl::LoWord(wParam), list = pl::HiWord(wParam);
        if (id == kCmdCloseForm) {
            ReleaseListManager(form);
            DestroyCurrentForm();
            listManagerForm = nullptr;
            return 1;
        }
        return HandleListManagerCommand(list != 0 ? list : id);
    }
    case pl::WM_CLOSE: ReleaseListManager(form); return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
