// System colours: 29 slots that every control paints from. Setting them
// repaints every window.
#pragma once

#include "platform/gdi.h"

namespace pl {

enum SysColorIndex {
    kColorScrollBar = 0,
    kColorBackground = 1,  // the desktop
    kColorActiveCaption = 2,
    kColorInactiveCaption = 3,
    kColorMenu = 4,  // menus, and the rows of owner-drawn lists
    kColorWindow = 5,
    kColorWindowFrame = 6,
    kColorMenuText = 7,
    kColorWindowText = 8,
    kColorCaptionText = 9,
    kColorActiveBorder = 10,
    kColorInactiveBorder = 11,
    kColorAppWorkspace = 12,
    kColorHighlight = 13,
    kColorHighlightText = 14,
    kColorButtonFace = 15,
    kColorButtonShadow = 16,
    kColorGrayText = 17,
    kColorButtonText = 18,
    kColorInactiveCaptionText = 19,
    kColorButtonHighlight = 20,
    kColor3dDarkShadow = 21,
    kColor3dLight = 22,
    kColorInfoText = 23,
    kColorInfoBackground = 24,
    kColorStatic = 25,
    kColorStaticText = 26,
    kColorGradientActiveCaption = 27,
    kColorGradientInactiveCaption = 28,
};

constexpr int kSysColorCount = 29;

// The colour of a slot; 0 (black) for an index outside 0..28.
ColorRef GetSysColor(int index);

// Sets count slots (indices outside 0..28 are skipped), then repaints every
// window once. False when nothing was given.
bool SetSysColors(int count, const int* indices, const ColorRef* colors);

// Every slot back to its day default (tests).
void ResetSysColors();

// A stock brush that always paints with its slot's current colour; null for a
// bad index.
Hbrush GetSysColorBrush(int index);

}  // namespace pl
