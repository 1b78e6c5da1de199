// Bitmap resources made into bitmaps of the graphics side.
#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/resources.h"

namespace pl {

Hbitmap LoadBitmap(int id) {
    const BitmapTemplate* t = FindBitmapTemplate(id);
    std::vector<uint32_t> pixels;
    if (!t || !RenderBitmapTemplate(*t, &pixels)) return nullptr;
    Hdc dc = CreateCompatibleDC(nullptr);
    Hbitmap bitmap = CreateCompatibleBitmap(nullptr, t->width, t->height);
    Hbitmap previous = bitmap ? SelectObject(dc, bitmap) : nullptr;
    const uint32_t* p = pixels.data();
    for (int y = 0; bitmap && y < t->height; ++y)
        for (int x = 0; x < t->width; ++x) SetPixel(dc, x, y, FromPixel888(*p++));
    if (previous) SelectObject(dc, previous);
    DeleteDC(dc);
    return bitmap;
}

}  // namespace pl
