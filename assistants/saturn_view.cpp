#include "assistants/saturn_view.h"

#include <cmath>

#include "assistants/assistant_colors.h"
#include "assistants/moon_picture_view.h"
#include "assistants/saturn_moons.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kRingStrip = 6008;
constexpr int kFrameWidth = 32;
constexpr double kPixelsPerRadius = 6.8;
constexpr const char* kNames[kSaturnMoonCount] = {"Enceladus", "Tethys", "Dione", "Rhea", "Titan"};
constexpr double kHalfPi = 1.5707963267948966;  // a quarter turn

DrawWindowRecord* rings = nullptr;

bool Behind(double theta) { return theta > kHalfPi && theta < 3 * kHalfPi; }

void DrawMoons(const MoonPicture& picture, const SaturnMoons& s, int cx, int cy, int xFactor, int yFactor,
               bool behind) {
    for (int k = 0; k < kSaturnMoonCount; ++k) {
        if (s.state[k] == 5 || Behind(s.theta[k]) != behind) continue;
        const int x = cx + static_cast<int>(kPixelsPerRadius * xFactor * s.x[k]);
        const int y = cy - static_cast<int>(kPixelsPerRadius * yFactor * s.y[k]);
        picture.Moon(x, y, kNames[k][0], moonColors[k]);
    }
}

void DrawPicture(const SaturnMoons& s, int width, int top, int xFactor, int yFactor) {
    InitAssistantColors();
    MoonPicture picture(top);
    picture.Legend(kNames, 3, 3, top + 1, moonColors);
    picture.Legend(kNames + 3, 2, 3, top + 1 + ScaleY(12), moonColors + 3);
    const std::string tilt = SaturnTiltText(s.tilt);
    picture.Text(tilt.c_str(), width - CharsWidth(tilt.c_str(), static_cast<int>(tilt.size())) - 3, top + 1,
                 assistantColors.highlightRed);
    const int cx = width / 2, cy = picture.CentreY();
    DrawMoons(picture, s, cx, cy, xFactor, yFactor, true);
    if (!rings) rings = LoadPictureStrip(kRingStrip);
    BlitStripCell(rings, SaturnRingFrame(s.tilt) * kFrameWidth, kFrameWidth, cx - 16, cy - 7,
                  (s.tilt < 0) != (yFactor < 0));
    DrawMoons(picture, s, cx, cy, xFactor, yFactor, false);
}

}  // namespace

void DrawSaturnMoons(int year, int month, int day, int hour, int minute, int width, int top, int kind,
                     double* xOut, double* yOut, int32_t* stateOut, int xFactor, int yFactor) {
    const SaturnMoons s = ComputeSaturnPicture(SaturnCenturies(year, month, day, hour, minute));
    for (int k = 0; k < kSaturnMoonCount; ++k) {
        const bool ring = kind == kSaturnRings;
        if (xOut) xOut[k] = ring ? (k == 0 ? s.tilt : -s.tilt) : xFactor * s.x[k];
        if (yOut) yOut[k] = ring ? 0 : yFactor * s.y[k];
        if (stateOut) stateOut[k] = ring ? (k < 2 ? 0 : 5) : s.state[k];
    }
    if (kind == kSaturnPicture) DrawPicture(s, width, top, xFactor, yFactor);
}

void ReleaseSaturnPicture() {
    DeleteOffscreenWindow(rings);
    rings = nullptr;
}
