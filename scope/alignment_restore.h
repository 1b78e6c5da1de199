// The offer to restore the 2-star alignment saved earlier the same day, made
// once per run by the first home form drawing or the 2-star form.
#pragma once

// Julian day at which the last alignment was saved; 0 = none.
extern double alignmentSavedJd;
// 1 until the offer has been made in this run.
extern int restoreOffered;

// Restores the saved alignment; installed by the alignment code (none: nothing
// to restore).
extern void (*restoreAlignmentHook)();

// Once per run, with no valid alignment and one saved less than half a day
// ago: "Would you want to restore your last alignment?"; Yes restores it, No
// forgets it (saved time, the saved encoder offsets of words 220 and 221, the
// encoder offsets).
void AskRestoreLastAlignment();

// Back to the start of a run (tests).
void ResetAlignmentRestore();
