// The control layer on a test form in the running program: lists and popup
// triggers, their nested loop, fields, labels, bitmap buttons, the registry,
// the accessors' reports; the title with its menus on the home form.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/drawing.h"
#include "platform/gdi.h"
#include "platform/menus.h"
#include "platform/message_queue.h"
#include "platform/paint.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/popup_scrolling.h"
#include "support/program_fixture.h"
#include "catalog/memo.h"
#include "catalog/selection_list.h"
#include "objects/observing_list_form.h"
#include "test_form.h"
#include "ui/control_access.h"
#include "ui/control_records.h"
#include "ui/control_registry.h"
#include "ui/forms.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

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
    bool PopupOpen() const { return pl::IsWindowVisible(Item(kTestPopupList)); }
    int Selected(int list) const { return pl::ListViewGetSelectionMark(Item(list)); }
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
        pl::FillRect(dc, pl::Rect{190, 240, 210, 260}, pl::GetStockBlackBrush());
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

// Rows show in the reverse order of addition; a popup list that would pass
// the form's bottom ends 22 x scaleY above it.
TEST_F(Controls, ListsAsTheFormBuiltThem) {
    pl::Hwnd list = Item(kTestPopupList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), 3);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(pl::ListViewGetItemText(list, row), std::string(1, "CBA"[row]));
    EXPECT_EQ(Selected(kTestPopupList), 1);
    pl::Rect low, trigger, formRect;
    pl::GetWindowRect(Item(kTestLowList), &low);
    pl::GetWindowRect(Item(kTestLowTrigger), &trigger);
    pl::GetWindowRect(form, &formRect);
    EXPECT_EQ(low.bottom, formRect.bottom - 22);
    EXPECT_LT(low.top, trigger.bottom);
    EXPECT_EQ(low.left, trigger.left);
}

// Tapped outside, a popup keeps its old selection; keys move the row but
// choose nothing; with an empty list it does not open.
TEST_F(Controls, PopupTappedOutsideKeepsItsSelection) {
    Tap(Centre(Item(kTestTrigger)));
    ASSERT_TRUE(PopupOpen());
    harness.tap(200, 300);
    EXPECT_FALSE(PopupOpen());
    EXPECT_EQ(Selected(kTestPopupList), 1);
    Tap(Centre(Item(kTestTrigger)));
    for (int i = 0; i < 3; ++i) harness.key(pl::VK_DOWN);
    EXPECT_EQ(Selected(kTestPopupList), 2);
    harness.key(pl::VK_RETURN);
    EXPECT_TRUE(PopupOpen());
    harness.tap(200, 300);
    EXPECT_FALSE(PopupOpen());
    EXPECT_EQ(Commands(kChoice), 0);
    Ui([this] { pl::ListViewDeleteAllItems(Item(kTestPopupList)); });
    Tap(Centre(Item(kTestTrigger)));
    EXPECT_FALSE(PopupOpen());
    EXPECT_EQ(Commands(kChoice), 0);
}

TEST_F(Controls, DragOverRowsChoosesTheRowUnderThePenAtTheLift) {
    Tap(Centre(Item(kTestTrigger)));
    ASSERT_TRUE(PopupOpen());
    harness.drag(RowCentre(Item(kTestPopupList), 0), RowCentre(Item(kTestPopupList), 2), 4);
    EXPECT_FALSE(PopupOpen());
    EXPECT_EQ(Selected(kTestPopupList), 2);
    EXPECT_EQ(Commands(kChoice), 1);
    EXPECT_EQ(RecordOf<PopupRecord>(Item(kTestTrigger))->selection, 2);
}

// Rows in the selected state, in order.
std::vector<int> SelectedRows(pl::Hwnd list) {
    std::vector<int> rows;
    for (int i = 0; i < pl::ListViewGetItemCount(list); ++i)
        if (pl::ListViewGetItemState(list, i, pl::LVIS_SELECTED)) rows.push_back(i);
    return rows;
}

// However a row was reached (keys in the open popup, a drag, a tap on a plain
// list, the program's Set), one row alone is highlighted: three rows used to
// show the highlight at once.
TEST_F(Controls, ExactlyOneRowIsHighlighted) {
    pl::Hwnd popup = Item(kTestPopupList);
    Tap(Centre(Item(kTestTrigger)));
    harness.key(pl::VK_DOWN);
    harness.key(pl::VK_UP);
    harness.key(pl::VK_UP);
    EXPECT_EQ(SelectedRows(popup), std::vector<int>{0});
    harness.drag(RowCentre(popup, 0), RowCentre(popup, 2), 4);
    EXPECT_EQ(SelectedRows(popup), std::vector<int>{2});
    Ui([] { Set(kTestPopupList, 1); });
    EXPECT_EQ(SelectedRows(popup), std::vector<int>{1});
    pl::Hwnd list = Item(kTestList);
    ASSERT_GE(pl::ListViewGetItemCount(list), 2);
    Tap(RowCentre(list, 0));
    Tap(RowCentre(list, 1));
    EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
}

// The nested loop takes the quit message; it posts it again so that the
// program's own loop ends too.
TEST_F(Controls, PopupLoopPassesTheQuitMessageOn) {
    Tap(Centre(Item(kTestTrigger)));
    ASSERT_TRUE(PopupOpen());
    Ui([] { pl::PostQuitMessage(3); });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 3);
}

// A call that lands inside the popup's own GetMessage (from the harness or
// another thread) closes the form or quits the program: the trigger's record
// was freed under the loop, which then read it. The loop now ends without it;
// in a program that goes on, the message that wakes it (a command posted to
// the reopened form) is handled, not eaten, and the next popup opens.
TEST_F(Controls, PopupLoopReadsNoRecordFreedWithItsForm) {
    struct Case {
        const char* what;
        std::function<void()> destroy;
        bool goesOn;
    };
    const Case cases[] = {
        {"form closed", [this] { Ui([] { CloseCurrentForm(); }); }, true},
        {"program quit", [this] { QuitProgram(); }, false},
    };
    const pl::WParam probe = kTestField;
    int probes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Ui([probe] {
            OpenTestForm();
            pl::PostMessage(GetCurrentFormDialog(), pl::WM_COMMAND, probe, 0);
        });
        EXPECT_EQ(Commands(probe), ++probes);
        form = GetCurrentFormDialog();
        Tap(Centre(Item(kTestTrigger)));
        ASSERT_TRUE(PopupOpen());
        pl::Hwnd gone = form;
        c.destroy();
        EXPECT_FALSE(pl::IsWindow(gone));
        EXPECT_EQ(harness.running(), c.goesOn);
    }
    EXPECT_EQ(harness.exitCode(), 0);
}

// A popup of 3,949 rows scrolls on its scroll bar and with the Page keys
// without picking (a tap on the bar picked the row at its height); a tap on
// a row picks that row, telling the form once. On both screens.
class ControlScreens : public OnBothScreens<Controls> {
protected:
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        Controls::SetUp();
    }
};

TEST_P(ControlScreens, LongPopupScrollsAndPicksTheRowTapped) {
    const pl::WParam choice = pl::MakeWParam(kTestLongTrigger, kTestLongList);
    pl::Hwnd list = Item(kTestLongList);
    ASSERT_EQ(pl::ListViewGetItemCount(list), kTestLongRows);
    const int choices = Commands(choice);
    const int middle = ScrollAndPick(harness, Item(kTestLongTrigger), list);
    EXPECT_EQ(Commands(choice), choices + 1);
    EXPECT_EQ(Selected(kTestLongList), middle);
    EXPECT_EQ(RecordOf<PopupRecord>(Item(kTestLongTrigger))->selection, middle);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ControlScreens, ::testing::ValuesIn(kBothScreens));

// A tap on a row tells the form once; Up and Down stop at the ends and tell
// the form once per key (they were passed on twice).
TEST_F(Controls, ListTapsAndKeysTellTheFormOnce) {
    Tap(RowCentre(Item(kTestList), 1));
    EXPECT_EQ(Selected(kTestList), 1);
    EXPECT_EQ(Commands(kTestList), 1);
    for (int i = 0; i < 5; ++i) harness.key(pl::VK_DOWN);
    EXPECT_EQ(Selected(kTestList), 3);
    EXPECT_EQ(Commands(kTestList), 6);
    harness.key(pl::VK_UP);
    EXPECT_EQ(Selected(kTestList), 2);
}

// A tap on a text field asks the form to edit it; a bitmap button clicks only
// when released inside.
TEST_F(Controls, FieldsAndBitmapButtonsAnswerTaps) {
    Tap(Centre(Item(kTestField)));
    ASSERT_EQ(testFormMessages.size(), 1u);
    EXPECT_EQ(testFormMessages[0].id, kMsgEditField);
    EXPECT_EQ(testFormMessages[0].wParam, static_cast<pl::WParam>(kTestField));
    pl::Point inside = Centre(Item(kTestButton));
    harness.drag(inside, pl::Point{inside.x + 40, inside.y + 40});
    EXPECT_EQ(Commands(kTestButton), 0);
    Tap(inside);
    EXPECT_EQ(Commands(kTestButton), 1);
}

TEST_F(Controls, ForgottenIdsAreReportedWhenTheFormCloses) {
    testFormForgets = {kTestLabelA, kTestLabelB};
    Ui([] { GotoForm(1950); });
    EXPECT_EQ(BoxText(), "5 7 \n");
    Answer(pl::IDOK);
    EXPECT_EQ(controlRegistry.Count(), 23);  // the new home form's title and 22 buttons
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
        {[] {
             char buffer[8] = "x";
             EXPECT_FALSE(GetField(92, buffer, sizeof buffer));
         },
         "GetField; Bad id 92"},
    };
    for (const auto& c : cases) {
        Ui(c.call);
        EXPECT_EQ(BoxText(), c.text);
        Answer(pl::IDOK);
    }
}

// The length given to GetField counts the terminator.
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

// Setting row -1 blanks the label; a label is shown as it is; without a label
// a trigger with a hook lets the hook draw the selected row.
TEST_F(Controls, PopupLabelsAndTheTriggerHook) {
    PopupRecord* r = RecordOf<PopupRecord>(Item(kTestTrigger));
    ASSERT_NE(r, nullptr);
    Ui([] { SetPopupList(kTestTrigger, kTestPopupList, -1); });
    EXPECT_STREQ(r->label, " ");
    const struct {
        const char* label;
        const char* shown;
    } labels[] = {{"Custom", "Custom"}, {nullptr, ""}, {"", " "}};
    for (const auto& l : labels) {
        Ui([&l] { SetPopupLabel(kTestTrigger, l.label); });
        EXPECT_STREQ(r->label, l.shown);
    }
    hookRow = -2;
    Ui([this] {
        SetControlHook(form, kTestTrigger, RecordHookRow);
        SetPopupLabel(kTestTrigger, "Label");
        pl::UpdateNow(Item(kTestTrigger));
    });
    EXPECT_EQ(hookRow, -2);
    Ui([this] {
        SetPopupList(kTestTrigger, kTestPopupList, 2);
        pl::UpdateNow(Item(kTestTrigger));
    });
    EXPECT_STREQ(r->label, "");
    EXPECT_EQ(Selected(kTestPopupList), 2);
    EXPECT_EQ(hookRow, 2);
}

// An empty shell menu bar opened application menus from a modal dialog's title.
TEST_F(Controls, TheTitleOfAModalDialogOpensNoMenu) {
    int result = -1;
    Ui([&result] { result = pl::DialogBox(kTestModal, GetCurrentFormWindow(), TestModalProc); });
    pl::Hwnd title = nullptr;
    for (pl::Hwnd w : pl::TopLevelWindows())
        if (pl::GetDlgItem(w, 7101)) title = pl::GetDlgItem(w, 7101);
    ASSERT_NE(title, nullptr);
    pl::Rect r;
    pl::GetWindowRect(title, &r);
    size_t bars = ShellCalls("CreateMenuBar").size();
    harness.tap(r.left + 3, r.top + 3);
    EXPECT_EQ(ShellCalls("CreateMenuBar").size(), bars);
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    Ui([title] { pl::SendMessage(pl::GetParent(title), pl::WM_COMMAND, pl::IDOK, 0); });
    EXPECT_EQ(result, pl::IDOK);
    EXPECT_EQ(GetCurrentFormDialog(), form);
}

class TitleMenu : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartProgram()); }
    void TapTitle(int title = 8001) {
        pl::Rect r;
        pl::GetWindowRect(pl::GetDlgItem(GetCurrentFormDialog(), title), &r);
        harness.tap(r.left + 5, r.top + 5);
    }
};

// A window whose timer counts its ticks.
int ticks = 0;
pl::LResult TickCounterProc(pl::Hwnd hwnd, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    if (message != pl::WM_TIMER) return pl::DefWindowProc(hwnd, message, wParam, lParam);
    ++ticks;
    return 0;
}

// A tap on the title opens menu bar 102 with the menu used last; a tap on
// another button of the bar opens that menu; a tap on no button closes them.
// A chosen command goes to the main window: "Wizard", the first item of
// Tools, opens the home form again.
TEST_F(TitleMenu, ATapOnTheTitleOpensTheMenuUsedLast) {
    pl::Hwnd before = GetCurrentFormDialog();
    TapTitle();
    EXPECT_EQ(ShellCalls("CreateMenuBar"), std::vector<int64_t>{102});
    EXPECT_NE(pl::OpenPopupMenu(), nullptr);
    EXPECT_EQ(lastMenu, 0);
    harness.tap(60, 8);  // the second button of the bar at the top of the screen
    EXPECT_NE(pl::OpenPopupMenu(), nullptr);
    EXPECT_EQ(lastMenu, 1);
    harness.tap(230, 310);
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    EXPECT_EQ(GetCurrentFormDialog(), before);
    TapTitle();
    harness.tap(10, 8);  // Tools
    harness.key(pl::VK_DOWN);
    harness.key(pl::VK_RETURN);
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    EXPECT_FALSE(pl::IsWindow(before));
    EXPECT_TRUE(pl::IsWindow(GetCurrentFormDialog()));
    EXPECT_EQ(GetCurrentFormId(), 1950);
}

TEST_F(TitleMenu, TheMenuLoopPassesTheQuitMessageOn) {
    TapTitle();
    harness.key(pl::VK_ESCAPE);  // the popup closes; the bar's loop still runs while no tap came
    TapTitle();
    Ui([] { pl::PostQuitMessage(4); });
    EXPECT_FALSE(harness.running());
    EXPECT_EQ(harness.exitCode(), 4);
}

// "1 Object exported." open over the list form (Export List to Memo, the
// last row of Settings, chosen from the title menu): a tap on the title
// opened the menus under the box, and Export chosen there wrote a second
// memo; a tap on the form's Criteria button opened that form. Until OK
// neither acts, while a timer of the program goes on ticking; after OK the
// title opens the menus again.
TEST_F(TitleMenu, AnOpenBoxBlocksTheTitleMenuAndTheFormUnderIt) {
    constexpr int kListTitle = 8014, kCriteriaButton = 1831, kSettingsButtonX = 110;
    Ui([] {
        ImportMemoText("User;3;My galaxy;GALXY;III 1m:b;12:34:56;-12:34:56;12.3;5;2;-56");
        selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
        ticks = 0;
        pl::WindowClass c;
        c.name = "TickCounter";
        c.proc = TickCounterProc;
        pl::RegisterClass(c);
        pl::CreateParams p;
        p.className = "TickCounter";
        p.parent = mainWindow;
        pl::SetTimer(pl::CreateWindow(p), 1, 100);
    });
    MainCommand(1004);
    ASSERT_EQ(GetCurrentFormId(), kObservingListFormId);
    const auto exportFromTheTitle = [this] {
        TapTitle(kListTitle);
        harness.tap(kSettingsButtonX, 8);
        pl::Rect menu;
        pl::GetWindowRect(pl::OpenPopupMenu(), &menu);
        harness.tap(menu.left + 10, menu.bottom - 5);  // its last row
    };
    exportFromTheTitle();
    ASSERT_EQ(BoxText(), "1 Object exported.\n\n");
    Tap(Centre(pl::GetDlgItem(GetCurrentFormDialog(), kCriteriaButton)));
    const std::size_t bars = ShellCalls("CreateMenuBar").size();
    TapTitle(kListTitle);
    EXPECT_EQ(pl::OpenPopupMenu(), nullptr);
    EXPECT_EQ(ShellCalls("CreateMenuBar").size(), bars);
    harness.advance(300);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(BoxCount(), 1);
    EXPECT_EQ(GetCurrentFormId(), kObservingListFormId);
    Answer(pl::IDOK);
    EXPECT_EQ(BoxCount(), 0);
    exportFromTheTitle();
    EXPECT_EQ(BoxText(), "1 Object exported.\n\n");
    Answer(pl::IDOK);
}

TEST_F(TitleMenu, AShortScreenGetsTheMenuBarWithDevices) {
    harness.changeScreen(320, 240, 96);
    TapTitle();
    EXPECT_EQ(ShellCalls("CreateMenuBar"), std::vector<int64_t>{103});
    harness.key(pl::VK_ESCAPE);
}

}  // namespace
