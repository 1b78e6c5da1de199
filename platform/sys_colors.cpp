#include "platform/sys_colors.h"

#include <array>

#include "platform/gdi_internal.h"
#include "platform/core_internal.h"
#include "platform/window.h"

namespace pl {
namespace {

// Day defaults: a light scheme of black text on white windows and lists with
// grey buttons, navy captions and selection.
constexpr std::array<ColorRef, kSysColorCount> kDayColors = {
    Rgb(192, 192, 192),  //  0 scroll bar
    Rgb(255, 255, 255),  //  1 desktop
    Rgb(0, 0, 128),      //  2 active caption
    Rgb(128, 128, 128),  //  3 inactive caption
    Rgb(255, 255, 255),  //  4 menu
    Rgb(255, 255, 255),  //  5 window
    Rgb(0, 0, 0),        //  6 window frame
    Rgb(0, 0, 0),        //  7 menu text
    Rgb(0, 0, 0),        //  8 window text
    Rgb(255, 255, 255),  //  9 caption text
    Rgb(192, 192, 192),  // 10 active border
    Rgb(192, 192, 192),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(0, 0, 128),      // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(192, 192, 192),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(192, 192, 192),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(0, 0, 0),        // 21 3-D dark shadow
    Rgb(224, 224, 224),  // 22 3-D light
    Rgb(0, 0, 0),        // 23 info text
    Rgb(255, 255, 225),  // 24 info background
    Rgb(255, 255, 255),  // 25 static background
    Rgb(0, 0, 0),        // 26 static text
    Rgb(16, 132, 208),   // 27 gradient of the active caption
    Rgb(192, 192, 192),  // 28 gradient of the inactive caption
};

std::array<ColorRef, kSysColorCount> sysColors = kDayColors;

std::array<Brush, kSysColorCount> MakeSysBrushes() {
    std::array<Brush, kSysColorCount> brushes;
    for (int i = 0; i < kSysColorCount; ++i) brushes[i] = Brush{{0, false, true}, 0, i};
    return brushes;
}

std::array<Brush, kSysColorCount> sysBrushes = MakeSysBrushes();

bool ValidIndex(int index) { return index >= 0 && index < kSysColorCount; }

}  // namespace

ColorRef GetSysColor(int index) { return ValidIndex(index) ? sysColors[index] : 0; }

bool SetSysColors(int count, const int* indices, const ColorRef* colors) {
    if (count < 1 || !indices || !colors) return false;
    for (int i = 0; i < count; ++i)
        if (ValidIndex(indices[i])) sysColors[indices[i]] = colors[i] & 0xFFFFFF;
    for (Hwnd top : TopLevelWindows()) detail::InvalidateTree(top);
    return true;
}

void ResetSysColors() { sysColors = kDayColors; }

Hbrush GetSysColorBrush(int index) { return ValidIndex(index) ? &sysBrushes[index] : nullptr; }

ColorRef BrushColor(const Brush* brush) {
    if (!brush) return 0;
    return brush->sysColorIndex >= 0 ? GetSysColor(brush->sysColorIndex) : brush->color;
}

}  // namespace pl
