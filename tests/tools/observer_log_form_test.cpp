// The observer log form (2600) over the running program in a fresh program
// folder: browse, new, edit, delete and Memo through the buttons, the names
// and the cuts of saved entries, the values a new entry starts with, and the
// layouts of both screen sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "tools/observer_log.h"
#include "tools/observer_log_form.h"
#include "tools/observer_site.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"

namespace {

namespace fs = std::filesystem;

class ObserverLogForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2006, 3, 14, 23, 47, 0});
        ResetCatalogState();
        ResetObserverLog();
        ASSERT_TRUE(StartProgram());
        Ui([] { SetObserverSite(0.0, 51.0, 0); });
        Open();
    }
    void TearDown() override { Ui([] { ResetObserverLog(); }); }
    void Open() {
        MainCommand(1023);
        form = GetCurrentFormDialog();
        ASSERT_EQ(GetCurrentFormId(), kObserverLogForm);
    }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    bool Shown(int id) const { return pl::IsWindowVisible(pl::GetDlgItem(form, id)); }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    void Type(int id, const std::string& text) {
        Ui([this, id, text] { pl::SetDlgItemText(form, id, text); });
    }
    fs::path Logs() const { return folder.path() / "userlogs"; }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        if (!fs::exists(Logs())) return names;
        for (const auto& e : fs::directory_iterator(Logs())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A new entry named `name`, saved.
    void SaveNew(const std::string& name) {
        Press(kLogNew);
        Type(kLogObjectField, name);
        Press(kLogSave);
    }
    pl::Hwnd form = nullptr;
};

TEST_F(ObserverLogForm, BrowseAndEntryScreens) {
    EXPECT_TRUE(Shown(kObserverLogList));
    EXPECT_FALSE(Shown(kLogSave));
    Shot("observer_log_browse.png");
    Press(kLogNew);
    EXPECT_FALSE(Shown(kObserverLogList));
    EXPECT_TRUE(Shown(kLogSave));
    Shot("observer_log_entry.png");
}

class ObserverLogLarge : public ObserverLogForm {
protected:
    void SetUp() override {
        harness.changeScreen(480, 640, 192);
        ResetScreenScale();
        ObserverLogForm::SetUp();
    }
    void TearDown() override {
        ObserverLogForm::TearDown();
        ResetScreenScale();
    }
};

TEST_F(ObserverLogLarge, Screens) {
    Shot("observer_log_browse_large.png");
    Press(kLogNew);
    Shot("observer_log_entry_large.png");
}

}  // namespace
