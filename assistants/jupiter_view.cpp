#include "assistants/jupiter_view.h"

#include "assistants/assistant_colors.h"
#include "assistants/jupiter_moons.h"
#include "assistants/moon_picture_view.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"

namespace {

constexpr int kGlobeStrip = 1897;
constexpr int kFrameStep = 48;
constexpr int kFrameWidth = 47;
constexpr int kPixelsPerRadius = 22;
constexpr const char* kNames[kGalileanMoonCount] = {"Io", "Europa", "Ganymede", "Callisto"};

DrawWindowRecord* globe = nullptr;

struct Picture {
    int centreX, centreY, xFactor, yFactor;
    int X(double x) const { return centreX + static_cast<int>(kPixelsPerRadius * xFactor * x); }
    int Y(double y) const { return centreY - static_cast<int>(kPixelsPerRadius * yFactor * y); }
};

void DrawGlobe(int left, int top, int year, int month, int day, int hour, int minute, int xFactor, int yFactor) {
    if (!globe) {
        globe = LoadPictureStrip(kGlobeStrip);
        if (globe) globe = MirrorOffscreen(globe, xFactor < 0, yFactor < 0);
        if (!globe) return;
    }
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(year, month, day, hours, minutes);
    const double dt = hour + minute / 60.0 - (hours[0] + minutes[0] / 60.0);
    const int frame = JupiterRotationFrame(dt, xFactor);
    BlitDibTransparent(globe, GetDrawWindow(), XywhRect{frame * kFrameStep, 0, kFrameWidth, globe->bottom}, left,
                       top);
}

void DrawMoons(const MoonPicture& picture, const Picture& p, const GalileanMoon moons[], bool farSide) {
    for (int i = kGalileanMoonCount - 1; i >= 0; --i) {
        const int side = jupiterMoonTable.side[i];
        if (side == 0 || (side < 0) != farSide) continue;
        picture.Moon(p.X(moons[i].x), p.Y(moons[i].y1), kNames[i][0], moonColors[i]);
    }
}

void DrawShadows(const Picture& p, const GalileanMoon moons[]) {
    const bool fine = static_cast<int>(displayScale.scaleX) <= 1;
    for (int i = 0; i < kGalileanMoonCount; ++i) {
        if (!jupiterMoonTable.shadow[i]) continue;
        const int x = p.X(moons[i].shadowX), y = p.Y(moons[i].shadowY);
        if (fine) {
            SetForeColor(assistantColors.darkBackground);
            DrawPixel(x, y);
        } else {
            DrawBitmapTransparent(6006, x - 1, y - 1);
        }
    }
}

void DrawPicture(int width, int top, int year, int month, int day, int hour, int minute, const GalileanMoon moons[],
                 int xFactor, int yFactor) {
    InitAssistantColors();
    MoonPicture picture(top);
    picture.Legend(kNames, kGalileanMoonCount, 3, top + 1, moonColors);
    const Picture p{(width - 240) / 2 + 120, picture.CentreY(), xFactor, yFactor};
    DrawMoons(picture, p, moons, true);
    DrawGlobe((width - 240) / 2 + 98, p.centreY - 22, year, month, day, hour, minute, xFactor, yFactor);
    DrawShadows(p, moons);
    DrawMoons(picture, p, moons, false);
}

}  // namespace

void ComputeJupiterMoons(int width, int top, int year, int month, int day, int hour, int minute, double* xOut,
                         double* yOut, int32_t* stateOut, int draw, int xFactor, int yFactor) {
    GalileanMoon moons[kGalileanMoonCount];
    ComputeGalileanMoons(JupiterMoonDays(year, month, day, hour, minute), moons);
    for (int i = 0; i < kGalileanMoonCount; ++i) {
        if (xOut) xOut[i] = -xFactor * moons[i].x;
        if (yOut) yOut[i] = yFactor * moons[i].y1;
        if (stateOut) stateOut[i] = moons[i].code;
    }
    if (draw) DrawPicture(width, top, year, month, day, hour, minute, moons, xFactor, yFactor);
}

void ReleaseJupiterGlobe() {
    DeleteOffscreenWindow(globe);
    globe = nullptr;
}
