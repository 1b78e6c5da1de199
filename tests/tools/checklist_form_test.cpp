// The checklist pages (2200, 2203, 2206) over the running program: ticks kept
// across pages and lost by the menu, the user labels, short screens.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/checklist_form.h"
#include "tools/checklists.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

class ChecklistForm : public ProgramTest {
protected:
    void SetUp() override {
        ResetCatalogState();
        ResetChecklistState();
        ASSERT_TRUE(StartProgram());
    }
    pl::Hwnd Form() const { return GetCurrentFormDialog(); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(Form(), id))); }
    bool Ticked(int id) const { return pl::IsDlgButtonChecked(Form(), id); }
    bool Shown(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(Form(), id)); }
    void Open(int page) {
        Ui([page] { GotoForm(page); });
        ASSERT_EQ(GetCurrentFormId(), page);
    }
};

// Ticks on page 2 survive page 3 and back; those made since page 2 opened
// are lost when the menu leaves it.
TEST_F(ChecklistForm, TicksKeptByTheButtonsAndLostByTheMenu) {
    MainCommand(1012);
    ASSERT_EQ(GetCurrentFormId(), kChecklistPage1);
    Press(2202);
    Press(2221);
    Press(2205);
    EXPECT_EQ(GetCurrentFormId(), kChecklistPage3);
    Press(2207);
    ASSERT_EQ(GetCurrentFormId(), kChecklistPage2);
    EXPECT_TRUE(Ticked(2221));
    Press(2222);
    MainCommand(1012);
    Press(2202);
    EXPECT_TRUE(Ticked(2221));
    EXPECT_FALSE(Ticked(2222));
    EXPECT_EQ(checklistState.box[11], 1u);
}

// A label of 29 characters in the preference block shows whole; the input
// dialog takes 25, and "Prev" stores the typed label.
TEST_F(ChecklistForm, UserLabelsKeep29CharactersAndTake25Typed) {
    const std::string stored(29, 's'), typed(30, 't');
    Ui([&] { std::memcpy(ChecklistLabel(0), stored.c_str(), stored.size() + 1); });
    Open(kChecklistPage3);
    EXPECT_EQ(pl::GetDlgItemText(Form(), 2242), stored);
    Shot("checklist_page3.png");
    Press(2243);
    pl::Hwnd input = pl::GetActiveWindow();
    ASSERT_NE(input, Form());
    Ui([&] { pl::SetDlgItemText(input, 137, typed); });
    Ui([input] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0); });
    EXPECT_EQ(pl::GetDlgItemText(Form(), 2243), typed.substr(0, 25));
    Press(2207);
    EXPECT_EQ(std::string(ChecklistLabel(1)), typed.substr(0, 25));
    EXPECT_EQ(std::string(ChecklistLabel(0)), stored);
}

// On a screen 260 pixels high the last three items of pages 1 and 2 and the
// last two user items of page 3 stay hidden; at 320 they show.
TEST_F(ChecklistForm, ShortScreensHideTheLastItems) {
    const struct {
        int page;
        std::vector<int> last;
    } pages[] = {{kChecklistPage1, {2218, 2219, 2220}},
                 {kChecklistPage2, {2229, 2230, 2231}},
                 {kChecklistPage3, {2240, 2241, 2245, 2246}}};
    for (int height : {320, 260}) {
        harness.changeScreen(240, height, 96);
        for (const auto& p : pages) {
            Open(p.page);
            for (int id : p.last) EXPECT_EQ(Shown(id), height == 320) << p.page << " " << id << " " << height;
            EXPECT_TRUE(Shown(p.last.front() - 1)) << p.page << " " << height;
        }
    }
}

}  // namespace
