// The control layer on a test form in the running program: lists and popup
// triggers, their nested loop, fields, labels, bitmap buttons, the registry,
// the accessors' reports, and the title with its menus.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls.h"
#include "platform/dc.h"
#include "platform/drawing.h"
#include "platform/gdi.h"
#include "platform/paint.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "test_form.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/control_registry.h"
#include "ui/forms.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"

namespace {

class Controls : public ProgramTest {
protected:
    void SetUp() override {
        InstallTestFormResources();
        testFormMessages.clear();
        testFormForgets.clear();
        testFormDraws = 0;
        ASSERT_TRUE(StartProgram());
        Ui([] { OpenTestForm(); });
        form = GetCurrentFormDialog();
        ASSERT_TRUE(pl::IsWindow(form));
        ASSERT_EQ(BoxCount(), 0);
    }

    pl::Hwnd Item(int id) const { return pl::GetDlgItem(form, id); }

    // Centre of a control on the screen.
    pl::Point Centre(int id) const {
        pl::Rect r;
        pl::GetWindowRect(Item(id), &r);
        return pl::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // Centre of a list row on the screen.
    pl::Point RowCentre(int listId, int row) const {
        pl::Rect r;
        pl::SendMessage(Item(listId), pl::LVM_GETITEMRECT, static_cast<pl::WParam>(row), reinterpret_cast<pl::LParam>(&r));
        pl::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        pl::ClientToScreen(Item(listId), &p);
        return p;
    }

    int Commands(pl::WParam wParam) const {
        return static_cast<int>(std::count_if(testFormMessages.begin(), testFormMessages.end(), [&](const TestFormMessage& m) {
            return m.id == pl::WM_COMMAND && m.wParam == wParam;
        }));
    }

    pl::Hwnd form = nullptr;
};

const pl::WParam kChoice = pl::MakeWParam(kTestTrigger, kTestPopupList);

// A repaint after the first one puts the back buffer back without drawing the
// form again.
TEST_F(Controls, RepaintsComeFromTheBackBuffer) {
    EXPECT_EQ(testFormDraws, 1);
    EXPECT_EQ(harness.pixel(200, 250), 0xFFFFFFu);
    Ui([this] {
        pl::Hdc dc = pl::GetDC(form);
        pl::Hbrush black = pl::CreateSolidBrush(pl::Rgb(0, 0, 0));
        pl::FillRect(dc, pl::Rect{190, 240, 210, 260}, black);
        pl::DeleteObject(black);
        pl::ReleaseDC(form, dc);
    });
    EXPECT_EQ(harness.pixel(200, 250), 0u);
    Ui([this] {
        pl::Invalidate(form, nullptr, false);
        pl::UpdateNow(form);
    });
    EXPECT_EQ(harness.pixel(200, 250), 0xFFFFFFu);
    EXPECT_EQ(testFormDraws, 1);
}

TEST_F(Controls, RowsShowInTheReverseOrderOfAddition) {
    pl::Hwnd list = Item(kTestPopupList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), 3);
    EXPECT_EQ(pl::ListViewGetItemText(list, 0), "C");
    EXPECT_EQ(pl::ListViewGetItemText(list, 1), "B");
    EXPECT_EQ(pl::ListViewGetItemText(list, 2), "A");
    EXPECT_EQ(pl::ListViewGetSelectionMark(list), 1);
}

TEST_F(Controls, PopupTappedOutsideKeepsItsSelection) {
    pl::Point trigger = Centre(kTestTrigger);
    harness.tap(trigger.x, trigger.y);
    ASSERT_TRUE(pl::IsWindowVisible(Item(kTestPopupList)));
    harness.tap(200, 300);
    EXPECT_FALSE(pl::IsWindowVisible(Item(kTestPopupList)));
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kTestPopupList)), 1);
    EXPECT_EQ(Commands(kChoice), 0);
}

TEST_F(Controls, APopupWithAnEmptyListDoesNotOpen) {
    Ui([this] { pl::ListViewDeleteAllItems(Item(kTestPopupList)); });
    pl::Point trigger = Centre(kTestTrigger);
    harness.tap(trigger.x, trigger.y);
    EXPECT_FALSE(pl::IsWindowVisible(Item(kTestPopupList)));
    EXPECT_EQ(Commands(kChoice), 0);
}

TEST_F(Controls, DragOverRowsChoosesTheRowUnderThePenAtTheLift) {
    pl::Point trigger = Centre(kTestTrigger);
    harness.tap(trigger.x, trigger.y);
    ASSERT_TRUE(pl::IsWindowVisible(Item(kTestPopupList)));
    harness.drag(RowCentre(kTestPopupList, 0), RowCentre(kTestPopupList, 2), 4);
    EXPECT_FALSE(pl::IsWindowVisible(Item(kTestPopupList)));
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kTestPopupList)), 2);
    EXPECT_EQ(Commands(kChoice), 1);
    EXPECT_EQ(RecordOf<PopupRecord>(Item(kTestTrigger))->selection, 2);
}

TEST_F(Controls, PopupKeysMoveTheRowButChooseNothing) {
    pl::Point trigger = Centre(kTestTrigger);
    harness.tap(trigger.x, trigger.y);
    harness.key(pl::VK_DOWN);
    harness.key(pl::VK_DOWN);
    harness.key(pl::VK_DOWN);
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kTestPopupList)), 2);
    EXPECT_TRUE(pl::IsWindowVisible(Item(kTestPopupList)));
    harness.key(pl::VK_RETURN);
    EXPECT_EQ(Commands(kChoice), 0);
    harness.tap(200, 300);
    EXPECT_FALSE(pl::IsWindowVisible(Item(kTestPopupList)));
}

// The nested loop takes the quit message; it posts it again so that the
// program's own loop ends too.
TEST_F(Controls, PopupLoopPassesTheQuitMessageOn) {
    pl::Point trigger = Centre(kTestTrigger);
    harness.tap(trigger.x, trigger.y);
    ASSERT_TRUE(pl::IsWindowVisible(Item(kTestPopupList)));
    Ui([] { pl::PostQuitMessage(3); });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 3);
}

TEST_F(Controls, APopupListThatWouldPassTheBottomEndsAboveIt) {
    pl::Rect list;
    pl::GetWindowRect(Item(kTestLowList), &list);
    pl::Rect trigger;
    pl::GetWindowRect(Item(kTestLowTrigger), &trigger);
    pl::Rect formRect;
    pl::GetWindowRect(form, &formRect);
    EXPECT_EQ(list.bottom, formRect.bottom - 22);  // 22 x scaleY at 96 dpi
    EXPECT_LT(list.top, trigger.bottom);
    EXPECT_EQ(list.left, trigger.left);
}

TEST_F(Controls, ListKeysStopAtTheEndsAndTellTheForm) {
    pl::Hwnd list = Item(kTestList);
    Ui([list] { pl::SetFocus(list); });
    for (int i = 0; i < 5; ++i) harness.key(pl::VK_DOWN);
    EXPECT_EQ(pl::ListViewGetSelectionMark(list), 3);
    EXPECT_EQ(Commands(kTestList), 5);
    harness.key(pl::VK_UP);
    EXPECT_EQ(pl::ListViewGetSelectionMark(list), 2);
}

TEST_F(Controls, ATapOnAListRowTellsTheForm) {
    pl::Point row = RowCentre(kTestList, 1);
    harness.tap(row.x, row.y);
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kTestList)), 1);
    EXPECT_EQ(Commands(kTestList), 1);
}

TEST_F(Controls, ATapOnATextFieldAsksTheFormToEditIt) {
    pl::Point field = Centre(kTestField);
    harness.tap(field.x, field.y);
    ASSERT_EQ(testFormMessages.size(), 1u);
    EXPECT_EQ(testFormMessages[0].id, kMsgEditField);
    EXPECT_EQ(testFormMessages[0].wParam, static_cast<pl::WParam>(kTestField));
}

TEST_F(Controls, ABitmapButtonClicksOnlyWhenReleasedInside) {
    pl::Rect r;
    pl::GetWindowRect(Item(kTestButton), &r);
    EXPECT_EQ(r.Width(), 9);  // the arrow bitmap's 9 x 10 pixels at 96 dpi
    EXPECT_EQ(r.Height(), 10);
    pl::Point inside = Centre(kTestButton);
    harness.drag(inside, pl::Point{inside.x + 40, inside.y + 40});
    EXPECT_EQ(Commands(kTestButton), 0);
    harness.tap(inside.x, inside.y);
    EXPECT_EQ(Commands(kTestButton), 1);
}

TEST_F(Controls, ForgottenIdsAreReportedWhenTheFormCloses) {
    testFormForgets = {kTestLabelA, kTestLabelB};
    Ui([] { GotoForm(1950); });
    EXPECT_EQ(BoxText(), "5 7 \n");
    Answer(pl::IDOK);
}

TEST_F(Controls, AccessorsReportMissingControls) {
    const struct {
        std::function<void()> call;
        const char* text;
    } cases[] = {
        {[] { SetField(99, "x"); }, "SetField: NULL Obj ptr\n99"},
        {[] { Show(GetCurrentFormWindow(), 98, true); }, "Show: NULL Obj ptr\n98"},
        {[] { Get(97); }, "Get: NULL List ptr\n97"},
        {[] { Set(96, 0); }, "Set: NULL List ptr\n96"},
        {[] { SetPopupList(95, 1, 0); }, "SetPopupList:\nNULL popup Wnd\n95"},
        {[] { SetPopupLabel(94, "x"); }, "SetPopupLabel:\nNULL popup Wnd\n94"},
        {[] { SetButtonIcon(GetCurrentFormWindow(), 93, 124, 0, 0); }, "SetButtonIcon\nCan't find 93\n"},
        {[] { SetButtonIcon(GetCurrentFormWindow(), kTestButton, 9999, 0, 0); },
         "SetButtonIcon\nCan't find bitmap 9999 for button 7006\n"},
    };
    for (const auto& c : cases) {
        Ui(c.call);
        EXPECT_EQ(BoxText(), c.text);
        Answer(pl::IDOK);
    }
    bool read = true;
    Ui([&read] {
        char buffer[8];
        read = GetField(92, buffer, sizeof buffer);
    });
    std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "GetField; Bad id 92");
    EXPECT_EQ(boxes[0].caption, "");
    Answer(pl::IDOK);
    EXPECT_FALSE(read);
}

TEST_F(Controls, GetFieldStaysInsideItsBuffer) {
    char buffer[6] = {'#', '#', '#', '#', '#', '#'};
    Ui([&buffer] {
        SetField(kTestField, "Hello field");
        GetField(kTestField, buffer, 4);
    });
    EXPECT_STREQ(buffer, "Hel");
    EXPECT_EQ(buffer[4], '#');
}

int hookRow = -2;
void RecordHookRow(int row, int, int, int, int, int) { hookRow = row; }

// Without a label a trigger with a hook lets the hook draw the selected row.
TEST_F(Controls, ATriggerHookDrawsTheSelectedRow) {
    hookRow = -2;
    Ui([this] {
        SetControlHook(form, kTestTrigger, RecordHookRow);
        SetPopupList(kTestTrigger, kTestPopupList, 2);
        pl::UpdateNow(Item(kTestTrigger));
    });
    EXPECT_EQ(hookRow, 2);
    hookRow = -2;
    Ui([this] {
        SetPopupLabel(kTestTrigger, "Label");
        pl::UpdateNow(Item(kTestTrigger));
    });
    EXPECT_EQ(hookRow, -2);  // a label is shown as it is
}

TEST_F(Controls, PopupSettersBlankAndBringBackTheRow) {
    PopupRecord* r = RecordOf<PopupRecord>(Item(kTestTrigger));
    ASSERT_NE(r, nullptr);
    Ui([] { SetPopupList(kTestTrigger, kTestPopupList, -1); });
    EXPECT_STREQ(r->label, " ");
    Ui([] { SetPopupList(kTestTrigger, kTestPopupList, 0); });
    EXPECT_STREQ(r->label, "");
    EXPECT_EQ(pl::ListViewGetSelectionMark(Item(kTestPopupList)), 0);
    Ui([] { SetPopupLabel(kTestTrigger, "Custom"); });
    EXPECT_STREQ(r->label, "Custom");
    Ui([] { SetPopupLabel(kTestTrigger, nullptr); });
    EXPECT_STREQ(r->label, "");
    Ui([] { SetPopupLabel(kTestTrigger, ""); });
    EXPECT_STREQ(r->label, " ");
}

TEST_F(Controls, TheTitleOfAModalDialogOpensNoMenu) {
    int result = -1;
    Ui([&result] { result = pl::DialogBox(kTestModal, GetCurrentFormWindow(), TestModalProc); });
    pl::Hwnd title = nullptr;
    for (pl::Hwnd w : pl::TopLevelWindows())
        if (pl::GetDlgItem(w, 7101)) title = pl::GetDlgItem(w, 7101);
    ASSERT_NE(title, nullptr);
    pl::Rect r;
    pl::GetWindowRect(title, &r);
    size_t before = pl::ShellCallLog().size();
    harness.tap(r.left + 3, r.top + 3);
    for (size_t i = before; i < pl::ShellCallLog().size(); ++i) EXPECT_NE(pl::ShellCallLog()[i].call, "CreateMenuBar");
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    Ui([title] { pl::SendMessage(pl::GetParent(title), pl::WM_COMMAND, pl::IDOK, 0); });
    EXPECT_EQ(result, pl::IDOK);
    EXPECT_EQ(GetCurrentFormDialog(), form);
}

}  // namespace

// Growth of the registry: 2 x capacity + 1 whenever an id would not fit.
TEST(ControlRegistry, TwentyFourIdsGrowTheCapacityFrom10To21To43) {
    GrowableArray<int32_t> registry;
    std::vector<int> capacities;
    for (int i = 0; i < 24; ++i) {
        registry.Append(i);
        capacities.push_back(registry.Capacity());
    }
    EXPECT_EQ(capacities[9], 10);
    EXPECT_EQ(capacities[10], 21);
    EXPECT_EQ(capacities[20], 21);
    EXPECT_EQ(capacities[21], 43);
    registry.EraseKeepingOrder(0);
    EXPECT_EQ(registry[0], 1);
    EXPECT_EQ(registry.Count(), 23);
    registry.RemoveAt(0);
    EXPECT_EQ(registry[0], 23);  // the last element takes the removed one's place
    EXPECT_EQ(registry.Count(), 22);
}
