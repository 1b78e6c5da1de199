// The form dispatcher: every form number with the dialog procedure of its
// screen. A number the table lacks, or a form whose screen is not part of the
// program yet, is refused with "Unkown form call".
#pragma once

#include <span>

#include "platform/dialog.h"

struct FormEntry {
    int formId;
    pl::DlgProc proc;  // null: the screen is not available
};

// The entry of a form number, or null.
const FormEntry* FindFormEntry(int formId);
// Every entry, in form-number order.
std::span<const FormEntry> FormTable();

// Whether OpenFormById would open the form (installed as the FormCanOpen hook).
bool FormTableCanOpen(int formId);

// Opens form `formId` as a modeless dialog from its template, owned by the
// main window; refuses 2300 ("MonitorForm not done"), 2400 without a chosen
// telescope drive ("No Scope Drive Selected") and unknown numbers ("Unkown
// form call").
void OpenFormById(int formId);
