#include "ui/offscreen.h"

#include <algorithm>
#include <unordered_set>

#include "platform/color.h"
#include "platform/drawing.h"
#include "platform/focus.h"
#include "ui/colors.h"

namespace {

// Records made here and not yet deleted.
std::unordered_set<DrawWindowRecord*> liveRecords;

// A record over a memory context holding `bitmap`; null (bitmap deleted) when
// the context cannot be made.
DrawWindowRecord* MakeRecord(pl::Hbitmap bitmap, int width, int height) {
    if (!bitmap) return nullptr;
    pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
    if (!dc) {
        pl::DeleteObject(bitmap);
        return nullptr;
    }
    auto* record = new DrawWindowRecord;
    record->ownerWindow = pl::GetActiveWindow();
    record->dc = dc;
    record->bitmap = bitmap;
    record->previousBitmap = pl::SelectObject(dc, bitmap);
    UseSchemeTextColors(dc);
    record->right = width;
    record->bottom = height;
    liveRecords.insert(record);
    return record;
}

bool IsDib16(const DrawWindowRecord* r) { return r && r->dibBits && r->bitsPerPixel == 16; }


// The key colour for the platform's transparent copy, which compares it in the
// source's format.
pl::ColorRef KeyColor(const DrawWindowRecord* source) {
    return source->dibBits ? pl::FromPixel555(TransparentKey555(source)) : source->transparentColor;
}

}  // namespace

pl::Hbitmap CreateDibBitmap(int width, int height, int bitsPerPixel, void** bits) {
    return pl::CreateDibSection(width, height, bitsPerPixel, bits);
}

DrawWindowRecord* CreateOffscreenDib(int width, int height, int bitsPerPixel) {
    void* bits = nullptr;
    DrawWindowRecord* record = MakeRecord(CreateDibBitmap(width, height, bitsPerPixel, &bits), width, height);
    pl::BitmapInfo info;
    if (!record || !pl::GetBitmapInfo(record->bitmap, &info)) return record;
    record->dibBits = static_cast<uint8_t*>(bits);
    record->bitsPerPixel = static_cast<uint16_t>(info.bitsPerPixel);
    record->stride = static_cast<int16_t>(info.widthBytes);
    record->bytesPerPixel = static_cast<int16_t>(info.bitsPerPixel > 8 ? info.bitsPerPixel / 8 : 1);
    return record;
}

DrawWindowRecord* CreateOffscreenWindow(int width, int height) {
    return MakeRecord(pl::CreateCompatibleBitmap(GetDrawDc(), width, height), width, height);
}

void DeleteOffscreenWindow(DrawWindowRecord* record) {
    if (!record || !liveRecords.erase(record)) return;
    ForgetDrawWindow(record);
    if (record->bitmap) {
        pl::SelectObject(record->dc, record->previousBitmap);
        pl::DeleteObject(record->bitmap);
        pl::DeleteDC(record->dc);
    }
    delete record;
}

DrawWindowRecord* MirrorOffscreen(DrawWindowRecord* record, int flipX, int flipY) {
    pl::BitmapInfo info;
    if (!record || !pl::GetBitmapInfo(record->bitmap, &info)) return record;
    int w = info.width, h = info.height;
    DrawWindowRecord* mirror = record->dibBits ? CreateOffscreenDib(w, h, 16) : CreateOffscreenWindow(w, h);
    if (!mirror) return record;
    pl::StretchBlt(mirror->dc, 0, 0, w, h, record->dc, flipX >= 1 ? w : 0, flipY >= 1 ? h : 0, flipX >= 1 ? -w : w,
                   flipY >= 1 ? -h : h);
    mirror->transparentColor = record->transparentColor;
    mirror->nightFilterMode = record->nightFilterMode;
    DeleteOffscreenWindow(record);
    return mirror;
}

uint16_t NightFilterPixel(uint16_t p, int nightMode) {
    switch (nightMode) {
    case 1: return static_cast<uint16_t>((p & 0xF001) >> 1);
    case 2: return static_cast<uint16_t>((((p >> 11) * 2) / 3) << 11);
    case 3: return static_cast<uint16_t>(p & 0xF800);
    default: return p;
    }
}

void ApplyNightFilter(DrawWindowRecord* record) {
    int mode = GetNightMode();
    if (mode == 0 || !IsDib16(record)) return;
    int count = (record->stride / record->bytesPerPixel) * record->bottom;
    uint8_t* p = record->dibBits;
    for (int i = 0; i < count; ++i, p += 2) WritePixel16(p, NightFilterPixel(ReadPixel16(p), mode));
    record->nightFilterMode = mode;
}

uint16_t TransparentKey555(const DrawWindowRecord* record) {
    return NightFilterPixel(pl::ToPixel555(record->transparentColor), record->nightFilterMode);
}

DrawWindowRecord* SaveBits(const XywhRect& rect) {
    DrawWindowRecord* saved = CreateOffscreenWindow(rect.width + 1, rect.height + 1);
    if (saved) pl::BitBlt(saved->dc, 0, 0, rect.width + 1, rect.height + 1, GetDrawDc(), rect.x, rect.y);
    return saved;
}

void RestoreBits(DrawWindowRecord* record, int x, int y) {
    if (!record || !liveRecords.count(record)) return;
    pl::BitBlt(GetDrawDc(), x, y, record->right, record->bottom, record->dc, 0, 0);
    DeleteOffscreenWindow(record);
}

void BlitDibTransparent(const DrawWindowRecord* source, DrawWindowRecord* destination, const XywhRect& sourceRect,
                        int x, int y) {
    if (!source || !destination) return;
    if (!IsDib16(source) || !IsDib16(destination)) {
        pl::TransparentBlt(destination->dc, x, y, sourceRect.width, sourceRect.height, source->dc, sourceRect.x,
                           sourceRect.y, sourceRect.width, sourceRect.height, KeyColor(source));
        return;
    }
    uint16_t key = TransparentKey555(source);
    int w = sourceRect.width;
    if (x + w >= destination->right) w = destination->right - x;
    int rows = sourceRect.height;
    if (y + rows >= destination->bottom) rows = destination->bottom - y;
    if (x < 0 || y < 0 || rows < 1) return;
    for (int k = 0; k < rows; ++k) {
        int sy = sourceRect.y + k;
        if (sy < 0 || sy >= source->bottom) continue;
        for (int i = 0; i < w; ++i) {
            int sx = sourceRect.x + i;
            if (sx < 0 || sx >= source->right) continue;
            uint16_t p = ReadPixel16(DibPixelAddress(*source, sx, sy));
            if (p != key) WritePixel16(DibPixelAddress(*destination, x + i, y + k), p);
        }
    }
}

void CopyRectangle(const DrawWindowRecord* source, DrawWindowRecord* destination, const XywhRect& sourceRect, int x,
                   int y, int mode) {
    CopyRectangleScaled(source, destination, sourceRect, x, y, mode, 1.0);
}

void CopyRectangleScaled(const DrawWindowRecord* source, DrawWindowRecord* destination, const XywhRect& sourceRect,
                         int x, int y, int mode, double factor) {
    if (!source || !destination || !(factor > 0.0)) return;
    int sw = static_cast<int>(sourceRect.width / factor);
    int sh = static_cast<int>(sourceRect.height / factor);
    int sx = sourceRect.x + (sourceRect.width - sw) / 2;
    int sy = sourceRect.y + (sourceRect.height - sh) / 2;
    if (mode == 4)
        pl::TransparentBlt(destination->dc, x, y, sourceRect.width, sourceRect.height, source->dc, sx, sy, sw, sh,
                           KeyColor(source));
    else
        pl::StretchBlt(destination->dc, x, y, sourceRect.width, sourceRect.height, source->dc, sx, sy, sw, sh);
}
