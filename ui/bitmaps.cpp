#include "ui/bitmaps.h"

#include <cstring>
#include <map>
#include <vector>

#include "core/services.h"
#include "platform/drawing.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/color.h"
#include "platform/resources.h"
#include "ui/colors.h"
#include "ui/offscreen.h"

namespace {

void FilterForNight(DrawWindowRecord* record) {
    if (record && GetNightMode() != 0) ApplyNightFilter(record);
}

// The 5-5-5 pixels of a bitmap resource, top row first, stored as the DIB
// stores them (little-endian words), kept after the first load: the tables
// are constant and their generators pure, so the pixels never change.
struct ResourcePixels {
    pl::BitmapTemplate source;
    std::vector<uint8_t> bytes;
    bool Made(const pl::BitmapTemplate& t) const {
        return source.id == t.id && source.width == t.width && source.height == t.height &&
               source.rows.data() == t.rows.data() && source.palette.data() == t.palette.data() &&
               source.generate == t.generate;
    }
};

const ResourcePixels* CachedResourcePixels(const pl::BitmapTemplate* bitmap) {
    static std::map<const pl::BitmapTemplate*, ResourcePixels> cache;
    auto found = cache.find(bitmap);
    if (found != cache.end() && found->second.Made(*bitmap)) return &found->second;
    std::vector<uint32_t> rgb;
    if (!pl::RenderBitmapTemplate(*bitmap, &rgb)) return nullptr;
    ResourcePixels& entry = cache[bitmap];
    entry.source = *bitmap;
    entry.bytes.resize(rgb.size() * 2);
    for (size_t i = 0; i < rgb.size(); ++i) WritePixel16(&entry.bytes[2 * i], pl::ToPixel555(pl::FromPixel888(rgb[i])));
    return &entry;
}

// A new 16-bit DIB record holding the resource's pixels, copied row by row.
DrawWindowRecord* ResourceDib(int bitmapId, int bitsPerPixel) {
    const pl::BitmapTemplate* bitmap = pl::FindBitmapTemplate(bitmapId);
    const ResourcePixels* pixels = bitmap ? CachedResourcePixels(bitmap) : nullptr;
    if (!pixels) return nullptr;
    const int width = pixels->source.width, height = pixels->source.height;
    DrawWindowRecord* record = CreateOffscreenDib(width, height, bitsPerPixel);
    if (!record || !record->dibBits || record->bitsPerPixel != 16) {
        DeleteOffscreenWindow(record);
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(width) * 2;
    for (int y = 0; y < height; ++y)
        std::memcpy(DibPixelAddress(*record, 0, y), &pixels->bytes[y * rowBytes], rowBytes);
    return record;
}

// Copies a bitmap into a new 16-bit DIB record of its size.
DrawWindowRecord* DibCopy(pl::Hbitmap bitmap, int bitsPerPixel) {
    pl::BitmapInfo info;
    if (!pl::GetBitmapInfo(bitmap, &info)) return nullptr;
    DrawWindowRecord* record = CreateOffscreenDib(info.width, info.height, bitsPerPixel);
    if (!record) return nullptr;
    pl::Hdc source = pl::CreateCompatibleDC(nullptr);
    pl::Hbitmap previous = pl::SelectObject(source, bitmap);
    pl::BitBlt(record->dc, 0, 0, info.width, info.height, source, 0, 0);
    pl::SelectObject(source, previous);
    pl::DeleteDC(source);
    return record;
}

// Copies a whole picture (context, size) onto the draw context's rectangle;
// `masked` leaves out the colour of its top-left pixel.
void Stretch(pl::Hdc source, int sourceWidth, int sourceHeight, int x, int y, int width, int height, bool masked) {
    if (masked)
        pl::TransparentBlt(GetDrawDc(), x, y, width, height, source, 0, 0, sourceWidth, sourceHeight,
                           pl::GetPixel(source, 0, 0));
    else
        pl::StretchBlt(GetDrawDc(), x, y, width, height, source, 0, 0, sourceWidth, sourceHeight);
}

// By day straight from the resource, at night from its filtered copy.
int DrawResource(int bitmapId, int x, int y, double scaleX, double scaleY, bool masked) {
    if (GetNightMode() != 0) {
        DrawWindowRecord* r = LoadBitmapResource16(bitmapId);
        if (r) Stretch(r->dc, r->right, r->bottom, x, y, static_cast<int>(r->right * scaleX),
                       static_cast<int>(r->bottom * scaleY), masked);
        DeleteOffscreenWindow(r);
        return 1;
    }
    pl::Hbitmap bitmap = pl::LoadBitmap(bitmapId);
    pl::BitmapInfo info;
    if (!pl::GetBitmapInfo(bitmap, &info)) return 1;
    pl::Hdc source = pl::CreateCompatibleDC(nullptr);
    pl::Hbitmap previous = pl::SelectObject(source, bitmap);
    Stretch(source, info.width, info.height, x, y, static_cast<int>(info.width * scaleX),
            static_cast<int>(info.height * scaleY), masked);
    pl::SelectObject(source, previous);
    pl::DeleteDC(source);
    pl::DeleteObject(bitmap);
    return 1;
}

}  // namespace

DrawWindowRecord* LoadBitmapResource(int bitmapId, int bitsPerPixel) {
    DrawWindowRecord* record = ResourceDib(bitmapId, bitsPerPixel);
    FilterForNight(record);
    return record;
}

DrawWindowRecord* LoadBitmapResource16(int bitmapId) { return LoadBitmapResource(bitmapId, 16); }

DrawWindowRecord* LoadBitmapFile(const std::string& path, int bitsPerPixel) {
    std::string fullPath = pl::ProgramPath() + path;
    pl::Hbitmap picture = pl::LoadImageFile(fullPath);
    if (!picture) {
        ShowInformation("Can't find", fullPath);
        return nullptr;
    }
    DrawWindowRecord* record = DibCopy(picture, bitsPerPixel);
    pl::DeleteObject(picture);
    FilterForNight(record);
    return record;
}

int DrawBitmap(int bitmapId, int x, int y) {
    return DrawResource(bitmapId, x, y, displayScale.scaleX, displayScale.scaleY, false);
}

int DrawBitmapMasked(int bitmapId, int x, int y) {
    return DrawResource(bitmapId, x, y, displayScale.scaleX, displayScale.scaleY, true);
}

int DrawBitmapScaled(int bitmapId, int x, int y, double zoom) { return DrawResource(bitmapId, x, y, zoom, zoom, true); }

int DrawBitmapTransparent(int bitmapId, int x, int y) { return DrawResource(bitmapId, x, y, 1.0, 1.0, true); }

int DrawBitmapFileScaled(const std::string& path, int x, int y, int boxWidth, int boxHeight) {
    DrawWindowRecord* r = LoadBitmapFile(path, 16);
    if (!r) return 0;
    double w = r->right, h = r->bottom;
    double fx = boxWidth < w ? boxWidth / w : 1.0;
    double fy = boxHeight < h ? boxHeight / h : 1.0;
    double f = fy < fx ? fy : fx;
    int left = static_cast<int>(x + (boxWidth - w * f) * 0.5);
    int top = static_cast<int>(y + (boxHeight - h * f) * 0.5);
    Stretch(r->dc, r->right, r->bottom, left, top, static_cast<int>(w * f), static_cast<int>(h * f), false);
    DeleteOffscreenWindow(r);
    return 1;
}
