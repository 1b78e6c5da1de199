#include "resources/program_resources.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace pl;

class ShellResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearResourceGroups();
        InstallProgramResources();
    }
    void TearDown() override { ClearResourceGroups(); }
};

// Items of a popup as "text=command", separators as "|".
std::string Items(const MenuPopupTemplate& popup) {
    std::string s;
    for (const MenuItemTemplate& item : popup.items) {
        if (!s.empty()) s += ' ';
        s += item.text ? MenuDisplayText(item.text) + "=" + std::to_string(item.command) : "|";
    }
    return s;
}

// The application menus and their commands as the main window maps them.
TEST_F(ShellResourcesTest, ApplicationMenusHoldTheirCommands) {
    const struct {
        int menu;
        std::vector<std::string> popups;
        std::vector<std::string> items;
    } cases[] = {
        {102,
         {"Tools", "Assistants", "Settings"},
         {"Wizard=1011 | 2-StarAlignment=1005 N-StarAlignment=1006 PolarAlignment=1019 | ObjectInfo=1007 "
          "VezizIvodozi=1004 SkyChart=1003 CompassChart=40015 | Scope Control=1013 Camera Control=1026 | Quit=1035",
          "Finder=1014 ObserverLog=1023 | Comets&Asteroids=1028 Eclipses=1029 Jupiter=1009 Mars=1027 Moon=1008 "
          "Planets=1017 Satellites=1032 Saturn=1010 | Day/Night=1024 Twilight=1022",
          "Preferences=1001 Location=1002 | NightMode=1036 CCD=1020 Checklist=1012 | Load/Save Lists=1031 "
          "Import Memo to List=1033 Export List to Memo=1034"}},
        {103,
         {"Tools", "Assistants", "Devices", "Settings"},
         {"Wizard=1011 NightMode=1036 | ObjectInfo=1007 VezizIvodozi=1004 SkyChart=1003 CompassChart=40015 | "
          "Finder=1014 ObserverLog=1023 | Quit=1035",
          "Comets&Asteroids=1028 Eclipses=1029 Jupiter=1009 Mars=1027 Moon=1008 Planets=1017 Satellites=1032 "
          "Saturn=1010 | Day/Night=1024 Twilight=1022",
          "2-StarAlignment=1005 N-StarAlignment=1006 PolarAlignment=1019 | Scope Control=1013 "
          "Camera Control=1026 CCD=1020",
          "Preferences=1001 Location=1002 Checklist=1012 | Load/Save Lists=1031 Import Memo to List=1033 "
          "Export List to Memo=1034"}},
    };
    for (const auto& c : cases) {
        const MenuTemplate* menu = FindMenu(c.menu);
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->popups.size(), c.popups.size());
        for (size_t i = 0; i < c.popups.size(); ++i) {
            EXPECT_EQ(menu->popups[i].text, c.popups[i]);
            EXPECT_EQ(Items(menu->popups[i]), c.items[i]);
        }
        // The menu bar of the same id drops down the popups in order, its
        // texts from the string table.
        const MenuBarTemplate* bar = FindMenuBar(c.menu);
        ASSERT_NE(bar, nullptr);
        ASSERT_EQ(bar->buttons.size(), c.popups.size());
        for (size_t i = 0; i < c.popups.size(); ++i) {
            ASSERT_NE(FindString(bar->buttons[i].stringId), nullptr);
            EXPECT_EQ(FindString(bar->buttons[i].stringId), c.popups[i]);
            EXPECT_EQ(bar->buttons[i].popupIndex, static_cast<int>(i));
        }
    }
}

TEST_F(ShellResourcesTest, TitleClassAndAccelerators) {
    char buf[101];
    EXPECT_EQ(LoadString(1, buf, sizeof buf), 9);
    EXPECT_STREQ(buf, "Zendavori");
    LoadString(3, buf, sizeof buf);
    EXPECT_STREQ(buf, "POCKETPC");
    const AcceleratorTableTemplate* accel = FindAcceleratorTable(3);
    ASSERT_NE(accel, nullptr);
    ASSERT_EQ(accel->entries.size(), 2u);
    EXPECT_EQ(accel->entries[0].key, 'Q');
    EXPECT_EQ(accel->entries[0].modifiers, kAccelControl);
    EXPECT_EQ(accel->entries[0].command, 1);
    EXPECT_EQ(accel->entries[1].key, 'A');
    EXPECT_EQ(accel->entries[1].command, 40003);
}

TEST_F(ShellResourcesTest, NoIdIsDefinedTwiceAcrossGroups) {
    std::set<int> strings, menus;
    for (const ResourceGroup* g : {&kShellResources}) {
        for (const StringTemplate& s : g->strings) EXPECT_TRUE(strings.insert(s.id).second) << s.id;
        for (const MenuTemplate& m : g->menus) EXPECT_TRUE(menus.insert(m.id).second) << m.id;
    }
}

}  // namespace
