// Opening the observer log form (2600) from another form.
#pragma once

// 1 while the observer log is to open on a new entry; the log form reads and
// clears it.
extern int observerLogNewEntry;

// Opens the observer log form on a new entry.
void OpenObserverLogNewEntry();
