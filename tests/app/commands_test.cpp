// The menu command table and the form table, against the command and form
// numbers of the program's menus.
#include <gtest/gtest.h>

#include "app/form_table.h"
#include "app/menu_commands.h"

namespace {

TEST(MenuCommands, EachMenuItemOpensItsForm) {
    const struct {
        int command;
        int form;
    } cases[] = {
        {1001, 1400}, {1002, 1200}, {1003, 1900}, {1004, 1800}, {1005, 1300}, {1006, 2100}, {1007, 112},
        {1008, 6000}, {1011, 1950}, {1012, 2200}, {1014, 2350}, {1017, 2450}, {1019, 2470}, {1020, 1550},
        {1022, 2410}, {1023, 2600}, {1024, 2423}, {1025, 5200}, {1026, 5300}, {1028, 2550}, {1029, 2700},
        {1031, 1050}, {1032, 2800}, {40015, 2830},
    };
    for (const auto& c : cases) EXPECT_EQ(FormOfMenuCommand(c.command), c.form) << c.command;
    // Quit, the planet detail modes, the scope, memo and night-mode commands and
    // the private ones open no form by themselves.
    for (int command : {1, 1009, 1010, 1013, 1027, 1033, 1034, 1035, 1036, 9900, 9901, 40003})
        EXPECT_EQ(FormOfMenuCommand(command), 0) << command;
}

TEST(FormTable, EveryFormNumberHasAnEntry) {
    const int forms[] = {112,  1050, 1200, 1300, 1337, 1400, 1430, 1450, 1476, 1550, 1600, 1620, 1700,
                         1800, 1900, 1940, 1950, 2100, 2200, 2203, 2206, 2350, 2400, 2410, 2423, 2450,
                         2460, 2470, 2520, 2530, 2550, 2600, 2700, 2800, 2830, 5200, 5300, 6000, 6020};
    for (int form : forms) EXPECT_NE(FindFormEntry(form), nullptr) << form;
    ASSERT_NE(FindFormEntry(1950), nullptr);
    EXPECT_NE(FindFormEntry(1950)->proc, nullptr);
    // Modal dialogs and the refused numbers are not forms.
    for (int number : {135, 1999, 2900, 2950, 2300, 0, 7000}) EXPECT_EQ(FindFormEntry(number), nullptr) << number;
}

}  // namespace
