// Opening the scope control form (2400) from a command.
#pragma once

// 1 when the scope form was opened from a command; the form reads and clears it.
extern int scopeFormFromCommand;

// Marks the form as opened from a command and opens it (`connectFirst` asks
// for the drive's connection first, which the drive layer makes).
void OpenScopeForm(int connectFirst);
