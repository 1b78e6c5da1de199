// The records behind the graphics handles, shared by the graphics sources only.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/gdi.h"
#include "platform/surface.h"

namespace pl {

// Selection bookkeeping common to every object: an object whose deletion was
// asked while selected is freed when its last selection ends.
struct GdiObjectState {
    int selections = 0;
    bool deletePending = false;
    bool stock = false;
};

struct Pen {
    GdiObjectState state;
    ColorRef color = 0;
};

struct Brush {
    GdiObjectState state;
    ColorRef color = 0;
    int sysColorIndex = -1;  // system-colour brushes follow their slot
};

struct Bitmap {
    GdiObjectState state;
    Surface surface;
    bool isDib = false;
};

enum class DcKind { Memory, Window };

struct DeviceContext {
    DcKind kind = DcKind::Memory;
    Hwnd window = nullptr;     // window contexts: null for the whole screen
    Bitmap* bitmap = nullptr;  // memory contexts
    Pen* pen = nullptr;
    Brush* brush = nullptr;
    Font* font = nullptr;
    ColorRef textColor = 0;
    ColorRef bkColor = 0xFFFFFF;
    int bkMode = kOpaque;
    bool hasClipRect = false;
    Rect clipRect;  // context coordinates
};

// What one drawing operation writes to: the surface, where the context's
// (0, 0) lies on it, and the drawable parts as disjoint surface rectangles.
struct RasterTarget {
    Surface* surface = nullptr;
    int originX = 0;
    int originY = 0;
    std::vector<Rect> clip;

    bool Visible(int sx, int sy) const {
        for (const Rect& r : clip)
            if (r.Contains(Point{sx, sy})) return true;
        return false;
    }

    // Bounding box of the clip in context coordinates; empty when nothing can be drawn.
    Rect ClipBounds() const {
        if (clip.empty()) return Rect{};
        Rect b = clip[0];
        for (const Rect& r : clip) {
            b.left = std::min(b.left, r.left);
            b.top = std::min(b.top, r.top);
            b.right = std::max(b.right, r.right);
            b.bottom = std::max(b.bottom, r.bottom);
        }
        return Offset(b, -originX, -originY);
    }
};

// The target of a context; false for none.
bool ResolveTarget(Hdc dc, RasterTarget* target);

// The surface a context reads from and its origin (no clipping); null for none.
Surface* SourceSurface(Hdc dc, int* originX, int* originY);

// Colour of a brush now (system-colour brushes read their slot).
ColorRef BrushColor(const Brush* brush);

template <class T>
void Retain(T* object) {
    if (object) ++object->state.selections;
}

template <class T>
void Release(T* object) {
    if (!object) return;
    --object->state.selections;
    if (object->state.selections == 0 && object->state.deletePending && !object->state.stock) delete object;
}

// Deletes now, or when the last selection ends; stock objects stay.
template <class T>
bool RequestDelete(T* object) {
    if (!object) return false;
    if (object->state.stock) return true;
    if (object->state.selections > 0) {
        object->state.deletePending = true;
        return true;
    }
    delete object;
    return true;
}

// Puts object into slot, moving the selection from the old one; returns the old one.
template <class T>
T* Swap(T** slot, T* object) {
    T* previous = *slot;
    Retain(object);
    *slot = object;
    Release(previous);
    return previous;
}

// Initial objects of every context, and the font module's part of it.
void InitContextDefaults(DeviceContext* dc);
void ReleaseContextObjects(DeviceContext* dc);
Font* DefaultFontForNewContext();
void RetainFont(Font* font);
void ReleaseFont(Font* font);

}  // namespace pl
