#include "tools/checklist_form.h"

#include <cstring>

#include "core/services.h"
#include "platform/messages.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "tools/checklists.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/draw_window.h"
#include "ui/form_controls.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/text_input_dialog.h"
#include "ui/title_control.h"

namespace {

// Done button, input panel down, full screen without menu bar.
constexpr uint32_t kInitFlags = pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR;
constexpr int kTitleId = 8024;
constexpr int kHeadings[] = {138, 139};
constexpr int kInfoBitmap = 5076;
constexpr pl::ColorRef kInfoKey = 0x00FF00;
constexpr int kLabelInputSize = 26;  // 25 characters typed
constexpr int kShortClientHeight = 260;  // design units: at or below, the last items stay hidden
constexpr char kHelpText[] =
    "Use this Checklist to remind you to bring everything you will need for your DozedOdavping.";

struct PageButton {
    int id;      // 0: none
    int target;  // the form it opens after storing the page
};

struct ChecklistPage {
    int form;
    const char* title;
    int firstState;
    int boxCount;
    PageButton left;   // stays at the left edge
    PageButton right;  // follows the right edge
    int shownOnTallOnly;  // items from the page's end shown only on tall screens
    bool userLabels;
};

constexpr ChecklistPage kPages[] = {
    {kChecklistPage1, "CheckList 1/3", 0, 11, {2201, kHomeFormId}, {2202, kChecklistPage2}, 3, false},
    {kChecklistPage2, "CheckList 2/3", 11, 11, {2204, kChecklistPage1}, {2205, kChecklistPage3}, 3, false},
    {kChecklistPage3, "CheckList 3/3", 22, 10, {2207, kChecklistPage2}, {0, 0}, 2, true},
};

const ChecklistPage* openPage = nullptr;
int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

const ChecklistPage* PageOfForm(int form) {
    for (const ChecklistPage& p : kPages)
        if (p.form == form) return &p;
    return nullptr;
}

int BoxId(int state) { return kChecklistFirstBox + state; }

void LoadPage(pl::Hwnd form, const ChecklistPage& page) {
    for (int i = page.firstState; i < page.firstState + page.boxCount; ++i)
        SetCheckbox(form, BoxId(i), checklistState.box[i] != 0);
    if (!page.userLabels) return;
    for (int k = 0; k < kChecklistLabelCount; ++k) {
        char text[kChecklistLabelSize] = {};
        std::memcpy(text, ChecklistLabel(k), kChecklistLabelSize - 1);
        SetField(kChecklistFirstLabelField + k, text);
    }
}

void StorePage(pl::Hwnd form, const ChecklistPage& page) {
    for (int i = page.firstState; i < page.firstState + page.boxCount; ++i)
        checklistState.box[i] = IsCheckboxOn(form, BoxId(i)) ? 1 : 0;
    if (!page.userLabels) return;
    for (int k = 0; k < kChecklistLabelCount; ++k) {
        char* label = ChecklistLabel(k);
        std::memset(label, 0, kChecklistLabelSize);
        GetField(kChecklistFirstLabelField + k, label, kChecklistLabelSize);
    }
}

// Buttons follow the bottom edge, the right-hand button and the help button
// the right edge; the page's last items need a client area taller than 260.
void LayoutPage(pl::Hwnd form, const ChecklistPage& page) {
    pl::Rect client;
    if (!pl::GetClientRect(form, &client)) return;
    int dx = 0, dy = 0;
    GetScreenSizeDelta(0, client.Width(), client.Height(), &dx, &dy);
    MoveControl(form, page.left.id, 0, dy, 0, 0);
    if (page.right.id) MoveControl(form, page.right.id, dx, dy, 0, 0);
    MoveControl(form, kChecklistHelp, dx, 0, 0, 0);
    if (client.Height() > ScaleY(kShortClientHeight)) return;
    int last = page.firstState + page.boxCount;
    for (int k = 1; k <= page.shownOnTallOnly; ++k) {
        Show(form, BoxId(last - k), false);
        if (page.userLabels) Show(form, kChecklistFirstLabelField + kChecklistLabelCount - k, false);
    }
}

void InitPage(pl::Hwnd form, const ChecklistPage& page) {
    activateInfo = pl::ShActivateInfo{};
    firstPaint = 1;
    InitFormWindow(form, kInitFlags);
    InitTitle(form, kTitleId, page.title);
    InitBitmapButton(form, kChecklistHelp, kInfoBitmap, 1, kInfoKey);
    for (int id : kHeadings) InitLabel(form, id);
    if (page.userLabels)
        for (int k = 0; k < kChecklistLabelCount; ++k) InitTextField(form, kChecklistFirstLabelField + k, 0);
    LoadPage(form, page);
    LayoutPage(form, page);
}

void ReleasePage(pl::Hwnd form, const ChecklistPage& page) {
    firstPaint = 1;
    for (int id : {kTitleId, kChecklistHelp}) ReleaseControl(form, id);
    for (int id : kHeadings) ReleaseControl(form, id);
    if (page.userLabels)
        for (int k = 0; k < kChecklistLabelCount; ++k) ReleaseControl(form, kChecklistFirstLabelField + k);
}

pl::LResult Command(pl::Hwnd form, const ChecklistPage& page, int id) {
    if (id == kChecklistHelp) {
        ShowInformation(kHelpText, "");
        return 1;
    }
    if (id == pl::IDOK && page.form == kChecklistPage1) id = page.left.id;
    for (const PageButton& b : {page.left, page.right}) {
        if (b.id == 0 || b.id != id) continue;
        StorePage(form, page);
        GotoForm(b.target);
        return 1;
    }
    return 0;
}

}  // namespace

pl::LResult ChecklistPageProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG:
        openPage = PageOfForm(GetCurrentFormId());
        if (openPage) InitPage(form, *openPage);
        return 1;
    case pl::WM_PAINT: PaintForm(form, nullptr, &firstPaint, 0, 1); return 1;
    case pl::WM_ERASEBKGND: return 1;
    case kMsgEditField:
        RunTextInputDialog(form, static_cast<int>(wParam), "Label:", kLabelInputSize);
        return 1;
    case pl::WM_COMMAND: {
        if (!openPage) return 0;
        int id = pl::LoWord(wParam);
        if (id == kCmdCloseForm) {
            ReleasePage(form, *openPage);
            DestroyCurrentForm();
            openPage = nullptr;
            return 1;
        }
        return Command(form, *openPage, id);
    }
    case pl::WM_CLOSE:
        if (openPage) ReleasePage(form, *openPage);
        return 0;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    case pl::WM_SETTINGCHANGE: HandleFormSettingChange(form, wParam, lParam, &activateInfo); return 1;
    default: return 0;
    }
}
