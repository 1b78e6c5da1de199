#include "ui/control_bitmaps.h"

#include "platform/drawing.h"
#include "platform/resources.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"

bool GetBitmapSize(int id, int* width, int* height) {
    const pl::BitmapTemplate* t = pl::FindBitmapTemplate(id);
    if (!t) return false;
    *width = t->width;
    *height = t->height;
    return true;
}

pl::ColorRef ControlKeyFrom555(uint16_t pixel) {
    return pl::FromPixel555(NightFilterPixel(pixel, GetNightMode()));
}

pl::ColorRef ControlKeyFromColor(pl::ColorRef color) { return ControlKeyFrom555(pl::ToPixel555(color)); }

bool DrawControlBitmap(pl::Hdc dc, int id, int x, int y, bool transparent, pl::ColorRef key) {
    int w = 0;
    int h = 0;
    if (!GetBitmapSize(id, &w, &h)) return false;
    DrawWindowRecord* bitmap = LoadBitmapResource16(id);
    if (!bitmap) return false;
    if (transparent)
        pl::TransparentBlt(dc, x, y, ScaleX(w), ScaleY(h), bitmap->dc, 0, 0, w, h, key);
    else
        pl::StretchBlt(dc, x, y, ScaleX(w), ScaleY(h), bitmap->dc, 0, 0, w, h);
    DeleteOffscreenWindow(bitmap);
    return true;
}
