// What the three checklist pages remember while the program runs: one state
// per check box (1 ticked, 0 not) and the five labels the user types on the
// last page, kept in the preference block.
#pragma once

#include <cstdint>

constexpr int kChecklistBoxCount = 32;
constexpr int kChecklistLabelCount = 5;
constexpr int kChecklistLabelSize = 30;      // 29 characters and the terminator
constexpr int kChecklistLabelOffset = 308;   // bytes into the preference block (word 77)

// Entries 0..10 are page 1's boxes, 11..21 page 2's, 22..31 page 3's.
struct ChecklistState {
    uint32_t box[kChecklistBoxCount];
};
extern ChecklistState checklistState;

// User label i (0..4) in the preference block: kChecklistLabelSize bytes.
char* ChecklistLabel(int i);

// Every box unticked (the labels stay: they belong to the preferences).
void ResetChecklistState();
