#include "ui/night_colors.h"

#include "platform/sys_colors.h"
#include "ui/colors.h"

const std::array<int, kNightColorCount> kNightColorSlots = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
    17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 1,  15, 16, 20, 20,
};

namespace {

using pl::Rgb;
using SlotColors = std::array<pl::ColorRef, pl::kSysColorCount>;

// The two built-in day schemes behind the "Default Windows Colors" buttons:
// our own choices, light windows and lists with black text. "2003": grey 3-D
// buttons, navy captions and selection. "2005": lighter, bluer buttons and a
// brighter blue caption and selection.
constexpr SlotColors kScheme2003 = {
    Rgb(192, 192, 192), Rgb(255, 255, 255), Rgb(8, 36, 107),    Rgb(128, 128, 128), Rgb(255, 255, 255),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
    Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(8, 36, 107),    Rgb(255, 255, 255),
    Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(192, 192, 192),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(223, 223, 223), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(49, 106, 197),  Rgb(192, 192, 192),
};
constexpr SlotColors kScheme2005 = {
    Rgb(214, 219, 233), Rgb(255, 255, 255), Rgb(0, 84, 227),    Rgb(122, 150, 223), Rgb(255, 255, 255),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
    Rgb(212, 208, 200), Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(49, 106, 197),  Rgb(255, 255, 255),
    Rgb(214, 223, 247), Rgb(122, 150, 223), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(216, 228, 248),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(236, 240, 250), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(61, 149, 255),  Rgb(157, 185, 235),
};

// The slots that show text, frames and the selection: red at the night intensity.
constexpr int kIntensitySlots[14] = {
    pl::kColorButtonHighlight, pl::kColorHighlight,     pl::kColorActiveBorder,  pl::kColorWindowFrame,
    pl::kColorButtonFace,      pl::kColor3dLight,       pl::kColor3dDarkShadow,  pl::kColorCaptionText,
    pl::kColorGrayText,        pl::kColorInactiveCaptionText, pl::kColorInfoText, pl::kColorStaticText,
    pl::kColorMenuText,        pl::kColorWindowText,
};

struct SavedColors {
    std::array<pl::ColorRef, kNightColorCount> colors{};
    bool saved = false;
} savedColors;

void SetSlots(const std::array<pl::ColorRef, kNightColorCount>& colors) {
    pl::SetSysColors(kNightColorCount, kNightColorSlots.data(), colors.data());
}

void SaveCurrentColors() {
    for (int i = 0; i < kNightColorCount; ++i) savedColors.colors[i] = pl::GetSysColor(kNightColorSlots[i]);
    savedColors.saved = true;
}

// The night colour of each slot for the mode.
SlotColors NightSlotColors(int mode) {
    SlotColors night;
    night.fill(Rgb(1, 0, 0));
    night[pl::kColorMenu] = night[pl::kColorButtonFace] = Rgb((mode + 2) * 5, 0, 0);
    for (int slot : kIntensitySlots) night[slot] = Rgb(GetSchemeColor(), 0, 0);
    return night;
}

}  // namespace

void ApplyNightModeColors(int mode) {
    InitColorSet();
    if (mode == 0) {
        if (savedColors.saved) SetSlots(savedColors.colors);
        return;
    }
    if (!savedColors.saved) SaveCurrentColors();
    SlotColors night = NightSlotColors(mode);
    std::array<pl::ColorRef, kNightColorCount> colors;
    for (int i = 0; i < kNightColorCount; ++i) colors[i] = night[kNightColorSlots[i]];
    SetSlots(colors);
}

void LoadPresetSystemColors(int choice) {
    const SlotColors* scheme = choice == 2003 ? &kScheme2003 : choice == 2005 ? &kScheme2005 : nullptr;
    if (scheme) {
        for (int i = 0; i < kNightColorCount; ++i) savedColors.colors[i] = (*scheme)[kNightColorSlots[i]];
    } else if (!savedColors.saved) {
        SaveCurrentColors();
    }
    savedColors.saved = true;
}

const std::array<pl::ColorRef, kNightColorCount>& GetSavedSystemColors() { return savedColors.colors; }
bool AreSystemColorsSaved() { return savedColors.saved; }
void ResetSavedSystemColors() { savedColors = SavedColors{}; }
