// Opening the scope control form (2400).
#pragma once

// Set to 1 just before the scope control form is opened by a goto or by
// OpenScopeForm; the form reads it.
extern int scopeFormRequested;

// Marks the form as requested; with `connectFirst` the selected drive is
// connected first (ScopeConnect) and nothing opens when that fails (its own
// message says why); then GotoForm(2400).
void OpenScopeForm(int connectFirst);
