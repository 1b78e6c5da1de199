// The offer to restore the 2-star alignment saved earlier the same day, made
// once per run by the first home form drawing or the 2-star form. The time of
// the save is the preference double alignmentSavedJd (words 154..155), kept
// between runs with the saved encoder offsets (words 220, 221) and, through the
// preferences file's alignment hook, the saved star pair.
#pragma once

#include <cstdint>

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

// savedAlignStar1 and savedAlignStar2 as the preferences file keeps them: 128
// bytes each, field by field, little-endian (the last 4 bytes of each zero).
void WriteSavedAlignStars(uint8_t bytes[256]);
void ReadSavedAlignStars(const uint8_t bytes[256]);

// Lets the preferences file keep the saved star pair. Installed together with
// the restore itself (restoreAlignmentHook), so that a saved time is kept only
// when Yes can honour it.
void InstallSavedAlignStars();

// Back to the start of a run (tests).
void ResetAlignmentRestore();
