// What the Jupiter and Saturn pictures of the planet detail form share: the
// dark picture area with its clip and font, the moons' legend and marks.
#pragma once

#include "platform/color.h"
#include "ui/draw_window.h"
#include "ui/xywh_rect.h"

// While it lives, the area from `top` (full screen width) down to 22 units
// above the screen's bottom is the clip, filled with the dark colour; text is
// transparent, in font 4 on screens whose display scale truncates above 1.
// Colours, font and clip are put back when it ends.
class MoonPicture {
public:
    explicit MoonPicture(int top);
    ~MoonPicture();
    MoonPicture(const MoonPicture&) = delete;
    MoonPicture& operator=(const MoonPicture&) = delete;

    const XywhRect& Area() const { return area_; }
    // The vertical centre of the planet: 48 units below the top.
    int CentreY() const;
    // Names in their colours side by side from (x, y), 4 pixels apart.
    void Legend(const char* const* names, int count, int x, int y, const pl::ColorRef* colours) const;
    // A moon: its mark with its corner at (x - 1, y - 1) (bitmap 4038 on
    // screens of display scale 1, else object icon 3 at zoom 6 there) and its
    // initial in its colour 3 pixels to the right.
    void Moon(int x, int y, char initial, pl::ColorRef colour) const;
    void Text(const char* text, int x, int y, pl::ColorRef colour) const;

private:
    XywhRect area_;
    int font_;
    bool wasTransparent_;
    pl::ColorRef text_;
    pl::ColorRef fore_;
};

// Copies the cell (sx, 0, width, source height) of a strip to (x, y) leaving
// out its transparent colour, upside down when flipY is set.
void BlitStripCell(const DrawWindowRecord* strip, int sx, int width, int x, int y, bool flipY);

// A strip bitmap loaded for the pictures: its colour of pixel (0, 0) is the
// transparent colour, not night-filtered again by later copies. Null when it
// cannot be loaded.
DrawWindowRecord* LoadPictureStrip(int bitmapId);
