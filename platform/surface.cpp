#include "platform/surface.h"

#include <atomic>

namespace pl {

namespace {
std::atomic<uint64_t> nextSerial{1};
}  // namespace

bool InitSurface(Surface* s, int width, int height, int bitsPerPixel, bool bottomUp) {
    *s = Surface{};
    if (width < 1 || height < 1 || width > kMaxSurfaceSide || height > kMaxSurfaceSide) return false;
    if (bitsPerPixel != 16 && bitsPerPixel != 32) return false;
    s->width = width;
    s->height = height;
    s->bitsPerPixel = bitsPerPixel;
    s->stride = ((width * bitsPerPixel + 31) / 32) * 4;
    s->bottomUp = bottomUp;
    s->storage.assign(static_cast<size_t>(s->stride) * static_cast<size_t>(height), 0);
    s->serial = nextSerial++;
    return true;
}

}  // namespace pl
