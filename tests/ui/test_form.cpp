#include "test_form.h"

#include "platform/dialog.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "ui/control_access.h"
#include "ui/control_registry.h"
#include "ui/forms.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

std::vector<TestFormMessage> testFormMessages;
std::vector<int> testFormForgets;
int testFormDraws = 0;

namespace {

using pl::ControlTemplate;

constexpr ControlTemplate kControls[] = {
    {pl::kStaticControl, kTestTitle, "Title", 0, 0, 60, 14, 0},
    {pl::kStaticControl, kTestTrigger, "", 10, 30, 60, 10, 0},
    {pl::kListViewControl, kTestPopupList, "", 10, 40, 60, 40, pl::kHidden | pl::kNoHeader},
    {pl::kListViewControl, kTestList, "", 75, 30, 55, 40, pl::kNoHeader},
    {pl::kStaticControl, kTestField, "Hello field", 10, 100, 60, 20, 0},
    {pl::kButtonControl, kTestButton, "", 10, 130, 10, 10, 0},
    {pl::kStaticControl, kTestLowTrigger, "", 10, 160, 60, 10, 0},
    {pl::kListViewControl, kTestLowList, "", 10, 170, 60, 40, pl::kHidden | pl::kNoHeader},
    {pl::kStaticControl, kTestLongTrigger, "", 75, 75, 55, 10, 0},
    {pl::kListViewControl, kTestLongList, "", 75, 85, 55, 40, pl::kHidden | pl::kNoHeader | pl::kOwnerData},
    {pl::kStaticControl, kTestLabelA, "A", 80, 100, 30, 10, 0},
    {pl::kStaticControl, kTestLabelB, "B", 80, 115, 30, 10, 0},
};

constexpr ControlTemplate kModalControls[] = {
    {pl::kStaticControl, 7101, "Modal", 0, 0, 60, 14, 0},
    {pl::kButtonControl, pl::IDOK, "OK", 10, 40, 30, 12, 0},
};

constexpr pl::DialogTemplate kDialogs[] = {
    {kTestForm, 0, 0, 138, 186, "", kControls},
    {kTestModal, 10, 40, 100, 60, "", kModalControls},
};

const pl::ResourceGroup kTestResources = {.dialogs = kDialogs};

constexpr int kAllIds[] = {kTestTitle,  kTestTrigger, kTestList,   kTestField,     kTestButton,
                           kTestLowTrigger, kTestLabelA, kTestLabelB, kTestLongTrigger};

int firstPaint = 1;
pl::ShActivateInfo activateInfo{};

void DrawTestForm() { ++testFormDraws; }

void Release(pl::Hwnd form) {
    firstPaint = 1;
    for (int id : kAllIds) {
        bool forget = false;
        for (int f : testFormForgets) forget = forget || f == id;
        if (!forget) ReleaseControl(form, id);
    }
}

void SetUp(pl::Hwnd form) {
    InitFormWindow(form, pl::SHIDIF_DONEBUTTON | pl::SHIDIF_SIPDOWN | pl::SHIDIF_FULLSCREENNOMENUBAR);
    InitTitle(form, kTestTitle, "Test Form");
    for (const char* row : {"A", "B", "C"}) AddListRow(form, kTestPopupList, row);
    InitPopupList(form, kTestTrigger, kTestPopupList, -1, 3, 1);
    for (const char* row : {"X", "Y"}) AddListRow(form, kTestLowList, row);
    InitPopupList(form, kTestLowTrigger, kTestLowList, -1, 2, 0);
    InitPopupList(form, kTestLongTrigger, kTestLongList, kTestLongRows, 10, 0);
    for (const char* row : {"r3", "r2", "r1", "r0"}) AddListRow(form, kTestList, row);
    InitList(form, kTestList, -1, 0, 0);
    InitTextField(form, kTestField, 0);
    InitBitmapButton(form, kTestButton, 124, 0, 0);
    InitLabel(form, kTestLabelA);
    InitLabel(form, kTestLabelB);
    firstPaint = 1;
}

pl::LResult TestFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    switch (message) {
    case pl::WM_INITDIALOG: SetUp(form); return 1;
    case pl::WM_PAINT: PaintForm(form, DrawTestForm, &firstPaint, 0, 1); return 1;
    case kMsgEditField: testFormMessages.push_back({message, wParam}); return 1;
    case pl::WM_NOTIFY: return ListDisplayText(lParam);
    case pl::WM_COMMAND:
        testFormMessages.push_back({message, wParam});
        if (pl::LoWord(wParam) == kCmdCloseForm) {
            Release(form);
            DestroyCurrentForm();
        }
        return 1;
    case pl::WM_ACTIVATE: HandleFormActivate(form, wParam, lParam, &activateInfo, 0); return 1;
    default: return 0;
    }
}

}  // namespace

void InstallTestFormResources() { pl::AddResourceGroup(kTestResources); }

void OpenTestForm() {
    CloseCurrentForm();
    SetCurrentFormId(kTestForm);
    pl::CreateDialog(kTestForm, mainWindow, TestFormProc);
}

pl::LResult TestModalProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam) {
    switch (message) {
    case pl::WM_INITDIALOG: InitDialogTitle(dialog, 7101, "Modal"); return 1;
    case pl::WM_COMMAND:
        if (pl::LoWord(wParam) == pl::IDOK) {
            ReleaseControl(dialog, 7101);
            pl::EndDialog(dialog, pl::IDOK);
        }
        return 1;
    default: return 0;
    }
}
