// The device's system colours in night mode: every control paints from them,
// so night mode turns them red and day mode puts the saved day colours back.
#pragma once

#include <array>

#include "platform/color.h"

// The 34 system colour slots handled, in order: 0..28, then 1, 15, 16, 20, 20.
constexpr int kNightColorCount = 34;
extern const std::array<int, kNightColorCount> kNightColorSlots;

// Rebuilds the colour set, then for a night mode (1..3): saves the day colours
// of the 34 slots unless saved already, and sets them all to red 1, the menu
// and button face to red (mode + 2) x 5, and the 14 text, frame and highlight
// slots to red at the night intensity. Mode 0 sets the saved colours back when
// there are any.
void ApplyNightModeColors(int mode);

// Choice 2003 or 2005 makes one of two built-in day schemes the saved colours;
// every choice marks the saved colours as saved, so that ApplyNightModeColors(0)
// sets them. When no colours were saved yet, another choice saves the present
// ones (never a block of zeros).
void LoadPresetSystemColors(int choice);

// The saved day colours and whether there are any (tests).
const std::array<pl::ColorRef, kNightColorCount>& GetSavedSystemColors();
bool AreSystemColorsSaved();
// Forgets the saved colours (tests).
void ResetSavedSystemColors();
