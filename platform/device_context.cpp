// Memory contexts, text attributes, clipping and device capabilities.
#include <utility>

#include "platform/framebuffer.h"
#include "platform/gdi_internal.h"
#include "platform/window.h"

namespace pl {
namespace {

// The drawable area of a context in surface coordinates, before the clip rectangle.
void BaseArea(Hdc dc, RasterTarget* t) {
    t->clip.clear();
    t->surface = nullptr;
    t->originX = t->originY = 0;
    if (dc->kind == DcKind::Memory) {
        if (!dc->bitmap) return;
        t->surface = &dc->bitmap->surface;
        t->clip.push_back(t->surface->Bounds());
        return;
    }
    t->surface = &ScreenSurface();
    Rect screen = t->surface->Bounds();
    if (!dc->window) {
        t->clip.push_back(screen);
        return;
    }
    Rect placed;
    if (!GetWindowRect(dc->window, &placed)) return;  // a destroyed window: nothing is drawn
    t->originX = placed.left;
    t->originY = placed.top;
    Region visible = VisibleRegion(dc->window);
    for (const Rect& r : visible.Rects()) {
        Rect i = Intersect(r, screen);
        if (!i.IsEmpty()) t->clip.push_back(i);
    }
}

}  // namespace

Hdc CreateCompatibleDC(Hdc) {
    auto* dc = new DeviceContext;
    dc->kind = DcKind::Memory;
    InitContextDefaults(dc);
    return dc;
}

bool DeleteDC(Hdc dc) {
    if (!dc || dc->kind != DcKind::Memory) return false;
    ReleaseContextObjects(dc);
    delete dc;
    return true;
}

bool ResolveTarget(Hdc dc, RasterTarget* t) {
    if (!dc) return false;
    BaseArea(dc, t);
    if (!t->surface) return false;
    if (dc->hasClipRect) {
        Rect c = Offset(dc->clipRect, t->originX, t->originY);
        std::vector<Rect> kept;
        for (const Rect& r : t->clip) {
            Rect i = Intersect(r, c);
            if (!i.IsEmpty()) kept.push_back(i);
        }
        t->clip.swap(kept);
    }
    return true;
}

Surface* SourceSurface(Hdc dc, int* originX, int* originY) {
    if (!dc) return nullptr;
    RasterTarget t;
    BaseArea(dc, &t);
    *originX = t.originX;
    *originY = t.originY;
    return t.surface;
}

ColorRef SetTextColor(Hdc dc, ColorRef color) { return dc ? std::exchange(dc->textColor, color & 0xFFFFFF) : kInvalidColor; }
ColorRef GetTextColor(Hdc dc) { return dc ? dc->textColor : kInvalidColor; }

ColorRef SetBkColor(Hdc dc, ColorRef color) { return dc ? std::exchange(dc->bkColor, color & 0xFFFFFF) : kInvalidColor; }
ColorRef GetBkColor(Hdc dc) { return dc ? dc->bkColor : kInvalidColor; }

int SetBkMode(Hdc dc, int mode) {
    if (!dc || (mode != kTransparent && mode != kOpaque)) return 0;
    return std::exchange(dc->bkMode, mode);
}
int GetBkMode(Hdc dc) { return dc ? dc->bkMode : 0; }

bool SelectClipRect(Hdc dc, const Rect* rect) {
    if (!dc) return false;
    dc->hasClipRect = rect != nullptr;
    if (rect) dc->clipRect = *rect;
    return true;
}

bool IntersectClipRect(Hdc dc, const Rect& rect) {
    if (!dc) return false;
    dc->clipRect = dc->hasClipRect ? Intersect(dc->clipRect, rect) : rect;
    dc->hasClipRect = true;
    return true;
}

bool GetClipBox(Hdc dc, Rect* box) {
    RasterTarget t;
    if (!box || !ResolveTarget(dc, &t) || t.clip.empty()) return false;
    *box = t.ClipBounds();
    return true;
}

int GetDeviceCaps(Hdc dc, DeviceCap cap) {
    if (!dc) return 0;
    switch (cap) {
        case kHorzRes: return ScreenWidth();
        case kVertRes: return ScreenHeight();
        case kLogPixelsX:
        case kLogPixelsY: return ScreenDpi();
        case kBitsPixel: {
            int x, y;
            Surface* s = SourceSurface(dc, &x, &y);
            return s ? s->bitsPerPixel : 0;
        }
    }
    return 0;
}

}  // namespace pl
