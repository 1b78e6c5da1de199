// Lists, owner-drawn rows and modal dialogs on a form made from a dialog
// template; the form history.
#include "ui/form_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/preferences.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/harness.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/draw_fixture.h"
#include "support/message_loop.h"
#include "support/recording_window.h"
#include "support/test_harness.h"
#include "ui/current_form.h"
#include "ui/forms.h"
#include "ui/owner_draw.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kForm = 9100;
constexpr int kModal = 9101;
constexpr int kList = 12;
constexpr int kRows = 13;

constexpr pl::ControlTemplate kFormControls[] = {
    {pl::kListViewControl, kList, "", 2, 30, 100, 40, pl::kNoHeader},
    {pl::kListViewControl, kRows, "", 2, 80, 100, 40, pl::kNoHeader | pl::kOwnerData},
};
constexpr pl::ControlTemplate kModalControls[] = {{pl::kButtonControl, pl::IDOK, "OK", 10, 10, 40, 14, 0}};
constexpr pl::DialogTemplate kDialogs[] = {{kForm, 0, 0, 137, 168, "", kFormControls},
                                           {kModal, 10, 40, 100, 60, "", kModalControls}};
const pl::ResourceGroup kGroup = {.dialogs = kDialogs};

pl::LResult FormProc(pl::Hwnd, uint32_t message, pl::WParam, pl::LParam) { return message == pl::WM_INITDIALOG; }

class FormControlsTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::SetScreenInfo(pl::kHeadlessScreen);
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kGroup);
        form = pl::CreateDialog(kForm, nullptr, FormProc);
        ASSERT_NE(form, nullptr);
        pl::ShowWindow(form, pl::SW_SHOW);
        testwin::Drain();
    }
    void TearDown() override {
        SetCurrentFormWindow(nullptr);
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    pl::Hwnd Item(int id) { return pl::GetDlgItem(form, id); }
    std::vector<std::string> Rows(int id) {
        std::vector<std::string> rows;
        for (int i = 0; i < pl::ListViewGetItemCount(Item(id)); ++i) rows.push_back(pl::ListViewGetItemText(Item(id), i));
        return rows;
    }
    testwin::CleanPlatform clean;
    pl::Hwnd form = nullptr;
};

TEST_F(FormControlsTest, ListItemsInCallOrderAndCounts) {
    const char* texts[] = {"one", "two", "three"};
    SetListItems(Item(kList), texts, 3);
    EXPECT_EQ(Rows(kList), (std::vector<std::string>{"one", "two", "three"}));
    SetListItems(Item(kList), texts, 2);  // emptied first
    EXPECT_EQ(Rows(kList), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(ListGetCount(Item(kList)), 2);
    SetListItems(Item(kRows), nullptr, 40);  // rows drawn on demand
    EXPECT_EQ(ListGetCount(Item(kRows)), 40);
    EXPECT_EQ(GetListCount(kRows), 0);  // no active form yet
    SetCurrentFormWindow(form);
    EXPECT_EQ(GetListCount(kRows), 40);
    EXPECT_EQ(GetListCount(99), 0);
}

struct RowCall {
    int16_t row;
    XywhRect rect;
    int selected;
    int width;
    pl::Hwnd drawWindow;
};
std::vector<RowCall> rowCalls;

void RecordRow(int16_t row, const XywhRect& rect, int selected, int width) {
    rowCalls.push_back({row, rect, selected, width, GetDrawWindowHandle()});
}

TEST_F(FormControlsTest, OwnerDrawnRowsFillAndCallTheRowRoutine) {
    rowCalls.clear();
    DrawWindowRecord* canvas = DibWindow(50, 20);
    pl::DrawItem item;
    item.itemId = 70000;  // passed on as a signed 16-bit row
    item.hwndItem = Item(kRows);
    item.hdc = canvas->dc;
    item.rcItem = pl::Rect{0, 0, 50, 10};
    item.itemState = pl::ODS_SELECTED;
    DrawOwnerItem(form, &item, RecordRow);
    EXPECT_EQ(Pixel(canvas, 10, 5), 0x1D19);  // the day highlight 0xC8413E
    EXPECT_EQ(pl::GetTextColor(canvas->dc), 0xFFFFFFu);
    item.rcItem = pl::Rect{0, 10, 50, 20};
    item.itemId = 3;
    item.itemState = 0;
    DrawOwnerItem(form, &item, RecordRow);
    EXPECT_EQ(Pixel(canvas, 10, 15), 0x7FFF);  // the menu colour (white by day)
    EXPECT_EQ(pl::GetTextColor(canvas->dc), 0u);
    ASSERT_EQ(rowCalls.size(), 2u);
    EXPECT_EQ(rowCalls[0].row, static_cast<int16_t>(70000));
    EXPECT_EQ(rowCalls[0].selected, 1);
    EXPECT_EQ(rowCalls[0].drawWindow, Item(kRows));
    EXPECT_EQ(rowCalls[1].rect, (XywhRect{0, 10, 50, 10}));
    EXPECT_EQ(rowCalls[1].selected, 0);
    EXPECT_EQ(rowCalls[1].width, 50);
    EXPECT_EQ(GetDrawWindowHandle(), form);  // the given window again
    EXPECT_NE(GetDrawDc(), canvas->dc);      // through a context that outlives the item's
}

// The modal dialog runs over the active form; afterwards the form takes its
// client height plus the 26-pixel strip, but no more than the screen.
class RunDialogTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kGroup);
    }
    void TearDown() override {
        harness.stop();
        SetCurrentFormWindow(nullptr);
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    static pl::LResult ModalProc(pl::Hwnd dialog, uint32_t message, pl::WParam, pl::LParam) {
        if (message == pl::WM_INITDIALOG) openDialog = dialog;
        return message == pl::WM_INITDIALOG;
    }
    // Opens the modal dialog from the UI thread and closes it with `result`.
    int RunAndEnd(int result) {
        int returned = -2;
        harness.runOnUi([&] { returned = RunDialogResource(kModal, ModalProc); });
        EXPECT_NE(openDialog, nullptr);
        harness.runOnUi([&] { pl::EndDialog(openDialog, result); });
        return returned;
    }
    static inline pl::Hwnd openDialog = nullptr;
    pl::Harness harness{TestHarnessOptions()};
    testwin::Recorder rec;
    pl::Hwnd form = nullptr;
};

// Each run added 26 pixels even to a form that already filled the screen.
TEST_F(RunDialogTest, FormIsSizedRepaintedAndFocusedAfterTheDialogButNotPastTheScreen) {
    harness.start([this] {
        form = rec.Top({0, 0, 240, 294});
        SetCurrentFormWindow(form);
        return RunMessageLoop();
    });
    rec.Clear();
    EXPECT_EQ(RunAndEnd(7), 7);
    pl::Rect r;
    pl::GetWindowRect(form, &r);
    EXPECT_EQ(r, (pl::Rect{0, 0, 240, 320}));
    EXPECT_GE(rec.Count(pl::WM_PAINT, form), 1);
    EXPECT_EQ(pl::GetFocus(), form);
    EXPECT_EQ(GetDrawWindowHandle(), form);
    EXPECT_EQ(GetDrawClientRect(), (pl::Rect{0, 0, 240, 320}));
    RunAndEnd(1);
    pl::GetWindowRect(form, &r);
    EXPECT_EQ(r.Height(), 320);
}

class FormHistory : public ::testing::Test {
protected:
    void SetUp() override { ResetForms(); }
    void TearDown() override { ResetForms(); }
};

// The home form fills every entry; new forms become the newest entry and
// entry 0 stays; a form already present changes nothing, so by the history's
// own rule the form before A, B, A is entry 5, which is A itself (the stated
// expectation "the form before A" does not follow from the rule); a pop
// shifts towards the newest and refills with the home form.
TEST_F(FormHistory, PushesPopsAndThePreviousForm) {
    const struct {
        std::vector<int> pushes;
        int pops;
        std::array<int, kFormHistorySize> history;
        int previous;
    } cases[] = {
        {{1950, 1800, 1950}, 0, {1950, 1950, 1950, 1950, 1950, 1950, 1950}, 1950},
        {{1950, 1800, 1900, 2450, 6000, 2460, 2600, 2700}, 0, {1950, 1900, 2450, 6000, 2460, 2600, 2700}, 2600},
        {{1950, 1800, 1900, 1800}, 0, {1950, 1950, 1950, 1950, 1950, 1800, 1900}, 1800},
        {{1950, 1800, 1900, 2450}, 1, {1950, 1950, 1950, 1950, 1950, 1800, 1900}, 1800},
        {{1950, 1800, 1900, 2450}, 8, {1950, 1950, 1950, 1950, 1950, 1950, 1950}, 1950},
    };
    for (const auto& c : cases) {
        ResetForms();
        for (int form : c.pushes) PushFormHistory(form);
        for (int i = 0; i < c.pops; ++i) PopFormHistory();
        std::array<int, kFormHistorySize> history;
        std::copy(formHistory, formHistory + kFormHistorySize, history.begin());
        EXPECT_EQ(history, c.history) << c.pushes.back() << " " << c.pops;
        EXPECT_EQ(GetPreviousFormId(), c.previous) << c.pushes.back() << " " << c.pops;
        if (c.pops == 0) {
            EXPECT_EQ(preferences.word[kPrefLastForm], c.pushes.back());
        }
    }
}

}  // namespace
