#include "assistants/mars_satellites_view.h"

#include "assistants/mars_physical.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "platform/drawing.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kStripId = 6014;
constexpr int kFrameWidth = 22;
constexpr int kFrameHeight = 20;

DrawWindowRecord* rotationStrip = nullptr;

// One moon: a dot of radius 1 and its letter below it, in its colour; nothing
// when either would leave the picture (Deimos, six disc radii out, can).
void DrawMoon(const char* letter, int x, int y, pl::ColorRef colour, const XywhRect& picture) {
    if (x - 1 < picture.x || x + CharsWidth(letter, 1) > picture.x + picture.width || y - 1 < picture.y ||
        y + 2 + CharsHeight() > picture.y + picture.height)
        return;
    pl::ColorRef previousFore = SetForeColor(colour);
    pl::ColorRef previousText = SetTextColorRef(colour);
    DrawCircle(x, y, 1);
    DrawPixel(x, y);
    DrawPlainText(letter, 1, x, y + 2);
    SetTextColorRef(previousText);
    SetForeColor(previousFore);
}

}  // namespace

void DrawMarsRotationFrame(int x, int y, int angle, double scaleX, double scaleY) {
    if (!rotationStrip) {
        rotationStrip = LoadBitmapResource16(kStripId);
        if (!rotationStrip) return;
        rotationStrip->transparentColor = pl::FromPixel555(ReadPixel16(DibPixelAddress(*rotationStrip, 0, 0)));
        rotationStrip->nightFilterMode = 0;
    }
    while (angle < 0) angle += 360;
    while (angle >= 360) angle -= 360;
    int frame = angle / 15;
    pl::TransparentBlt(GetDrawDc(), x, y, static_cast<int>(kFrameWidth * scaleX),
                       static_cast<int>(kFrameHeight * scaleY), rotationStrip->dc, kFrameWidth * frame, 0, kFrameWidth,
                       kFrameHeight, rotationStrip->transparentColor);
}

void ForgetMarsRotationStrip() {
    DeleteOffscreenWindow(rotationStrip);
    rotationStrip = nullptr;
}

void DrawMarsSatellites(int year, int month, int day, int hour, int minute, int left, int top, int width,
                        int height, double x[2], double y[2], int32_t visible[2], int drawFlag,
                        const pl::ColorRef colours[2], double scaleX, double scaleY) {
    double jd = JulianDayFromDateTime(year, month, day, hour, minute, 0, currentSite.zoneMinutes);
    MarsEphemeris mars{};
    ComputeMarsEphemeris(jd, &mars);
    ComputeMarsMoons(jd, mars, x, y, visible);
    if (!drawFlag) return;
    const int cx = left + width / 2, cy = top + height / 2;
    const char* names[2] = {"Phobos", "Deimos"};
    const char* letters[2] = {"P", "D"};
    for (int k = 0; k < 2; ++k) {
        pl::ColorRef previous = SetTextColorRef(colours[k]);
        DrawPlainText(names[k], 6, left + static_cast<int>((k == 0 ? 5 : 55) * displayScale.scaleX), top);
        SetTextColorRef(previous);
    }
    auto moon = [&](int k) {
        DrawMoon(letters[k], cx + static_cast<int>(x[k]), cy + static_cast<int>(y[k]), colours[k],
                 XywhRect{left, top, width, height});
    };
    for (int k = 0; k < 2; ++k)
        if (!visible[k]) moon(k);
    DrawMarsRotationFrame(cx - static_cast<int>(10 * scaleX), cy - static_cast<int>(10 * scaleY),
                          static_cast<int>(mars.centralMeridian), scaleX, scaleY);
    for (int k = 0; k < 2; ++k)
        if (visible[k]) moon(k);
}
