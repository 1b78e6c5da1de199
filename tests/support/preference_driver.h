// The preference pages of a running program driven as a person would: open a
// page, choose a popup row, press a button, type into a field, read back.
#pragma once

#include <string>

#include "platform/harness.h"

class PreferencePageDriver {
protected:
    virtual ~PreferencePageDriver() = default;
    // The harness the program runs under.
    virtual pl::Harness& Driven() = 0;

    // Opens a form; fails the test when another one is open afterwards.
    void Open(int form);
    // Selects `row` of popup list `list` and hands the choice to the page.
    void Choose(int list, int row);
    // A command of the open page (Ok, Next, Prev, an information button).
    void Command(int id);
    void SetText(int id, const char* text);
    std::string Text(int id);
    // The selected row of a list, -1 when none.
    int Row(int list);
};
