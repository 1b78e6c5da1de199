// What other forms and the shell call of the observer log (tools/observer_log.h).
#pragma once

// Opens the observer log form (2600) on a new entry; its save and cancel go
// back to the form that asked.
void OpenObserverLogNewEntry();

// Frees the observer log's edit record (safe when there is none); at program exit.
void FreeObserverLogRecord();
