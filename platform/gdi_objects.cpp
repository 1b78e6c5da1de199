// Pens, brushes and bitmaps, and their selection into contexts.
#include "platform/gdi_internal.h"

namespace pl {
namespace {

Pen stockBlackPen{{0, false, true}, Rgb(0, 0, 0)};
Brush stockBlackBrush{{0, false, true}, Rgb(0, 0, 0), -1};
Brush stockWhiteBrush{{0, false, true}, Rgb(255, 255, 255), -1};

// What a fresh memory context holds: one shared pixel.
Bitmap& StockBitmap() {
    static Bitmap bitmap = [] {
        Bitmap b;
        b.state.stock = true;
        InitSurface(&b.surface, 1, 1, 32, false);
        return b;
    }();
    return bitmap;
}

}  // namespace

Hbitmap CreateCompatibleBitmap(Hdc dc, int width, int height) {
    int bits = 32;
    if (dc && dc->kind == DcKind::Memory && dc->bitmap) bits = dc->bitmap->surface.bitsPerPixel;
    auto* b = new Bitmap;
    if (!InitSurface(&b->surface, width, height, bits, false)) {
        delete b;
        return nullptr;
    }
    return b;
}

Hbitmap CreateDibSection(int width, int height, int bitsPerPixel, void** bits) {
    if (bits) *bits = nullptr;
    auto* b = new Bitmap;
    if (bitsPerPixel != 16 || !InitSurface(&b->surface, width, height, 16, true)) {
        delete b;
        return nullptr;
    }
    b->isDib = true;
    if (bits) *bits = b->surface.Bits();
    return b;
}

bool GetBitmapInfo(Hbitmap bitmap, BitmapInfo* info) {
    if (!bitmap || !info) return false;
    const Surface& s = bitmap->surface;
    info->width = s.width;
    info->height = s.height;
    info->widthBytes = s.stride;
    info->planes = 1;
    info->bitsPerPixel = s.bitsPerPixel;
    info->bits = bitmap->isDib ? bitmap->surface.Bits() : nullptr;
    return true;
}

Hpen CreatePen(ColorRef color) { return new Pen{{}, color & 0xFFFFFF}; }
Hbrush CreateSolidBrush(ColorRef color) { return new Brush{{}, color & 0xFFFFFF, -1}; }
Hbrush GetStockBlackBrush() { return &stockBlackBrush; }

bool DeleteObject(Hpen pen) { return RequestDelete(pen); }
bool DeleteObject(Hbrush brush) { return RequestDelete(brush); }
bool DeleteObject(Hbitmap bitmap) { return RequestDelete(bitmap); }

Hpen SelectObject(Hdc dc, Hpen pen) { return dc && pen ? Swap(&dc->pen, pen) : nullptr; }
Hbrush SelectObject(Hdc dc, Hbrush brush) { return dc && brush ? Swap(&dc->brush, brush) : nullptr; }

Hbitmap SelectObject(Hdc dc, Hbitmap bitmap) {
    if (!dc || !bitmap || dc->kind != DcKind::Memory) return nullptr;
    if (bitmap == dc->bitmap) return bitmap;
    if (!bitmap->state.stock && bitmap->state.selections > 0) return nullptr;
    return Swap(&dc->bitmap, bitmap);
}

Hbitmap GetCurrentBitmap(Hdc dc) { return dc ? dc->bitmap : nullptr; }

void InitContextDefaults(DeviceContext* dc) {
    Swap(&dc->pen, &stockBlackPen);
    Swap(&dc->brush, &stockWhiteBrush);
    Font* font = DefaultFontForNewContext();
    RetainFont(font);
    dc->font = font;
    if (dc->kind == DcKind::Memory) Swap(&dc->bitmap, &StockBitmap());
}

void ReleaseContextObjects(DeviceContext* dc) {
    Swap<Pen>(&dc->pen, nullptr);
    Swap<Brush>(&dc->brush, nullptr);
    Swap<Bitmap>(&dc->bitmap, nullptr);
    ReleaseFont(dc->font);
    dc->font = nullptr;
}

}  // namespace pl
