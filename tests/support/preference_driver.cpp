#include "support/preference_driver.h"

#include <gtest/gtest.h>

#include "app/preference_pages.h"
#include "platform/dialog.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

void PreferencePageDriver::Open(int form) {
    Driven().runOnUi([form] { GotoForm(form); });
    ASSERT_EQ(GetCurrentFormId(), form);
}

void PreferencePageDriver::Choose(int list, int row) {
    Driven().runOnUi([list, row] {
        Set(list, row);
        HandlePreferenceCommand(list);
    });
}

void PreferencePageDriver::Command(int id) {
    Driven().runOnUi([id] { HandlePreferenceCommand(id); });
}

void PreferencePageDriver::SetText(int id, const char* text) {
    Driven().runOnUi([id, text] { pl::SetDlgItemText(GetCurrentFormDialog(), id, text); });
}

std::string PreferencePageDriver::Text(int id) { return pl::GetDlgItemText(GetCurrentFormDialog(), id); }

int PreferencePageDriver::Row(int list) {
    int row = -2;
    Driven().runOnUi([&] { row = Get(list); });
    return row;
}
