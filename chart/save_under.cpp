#include "chart/save_under.h"

#include <algorithm>

#include "core/services.h"
#include "platform/drawing.h"
#include "ui/offscreen.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kStatusBoxWidth = 78;
constexpr int kStatusBoxHeight = 28;
constexpr int kMarkerBoxSide = 28;

void Save(SaveUnderBox* box, int width, int height, const DrawWindowRecord* source, int x, int y) {
    if (!source) source = GetDrawWindow();
    if (!source || !source->dc) return;
    int s = GetScreenScale();
    if (!box->bitmap) box->bitmap = CreateOffscreenDib(width * s, height * s, 16);
    if (!box->bitmap) return;
    pl::BitBlt(box->bitmap->dc, 0, 0, box->bitmap->right, box->bitmap->bottom, source->dc, x, y);
    box->x = x;
    box->y = y;
}

// The box copied to (x, y) of the destination, only where it lies inside the clip.
void Restore(const SaveUnderBox& box, int x, int y, const pl::Rect& clip, DrawWindowRecord* destination) {
    int left = std::max(x, clip.left), top = std::max(y, clip.top);
    int right = std::min(x + box.bitmap->right, clip.right), bottom = std::min(y + box.bitmap->bottom, clip.bottom);
    if (left >= right || top >= bottom) return;
    pl::BitBlt(destination->dc, left, top, right - left, bottom - top, box.bitmap->dc, left - x, top - y);
}

}  // namespace

SaveUnderBox chartStatusBox{};

namespace {

constexpr int kPatchSlots = 3;
DrawWindowRecord* patches[kPatchSlots] = {};

}  // namespace
SaveUnderBox chartMarkerBox{};

void FreeChartBitmaps() {
    for (SaveUnderBox* box : {&chartStatusBox, &chartMarkerBox}) {
        DeleteOffscreenWindow(box->bitmap);
        box->bitmap = nullptr;
    }
}

void FreeChartMarkerBox() {
    DeleteOffscreenWindow(chartMarkerBox.bitmap);
    chartMarkerBox.bitmap = nullptr;
}

void SaveStatusBox(const DrawWindowRecord* source, int x, int y, int dx, int dy) {
    Save(&chartStatusBox, kStatusBoxWidth, kStatusBoxHeight, source, x, y);
    if (chartStatusBox.bitmap) {
        chartStatusBox.x = x + dx;
        chartStatusBox.y = y + dy;
    }
}

void SaveMarkerBox(const DrawWindowRecord* source, int x, int y) {
    Save(&chartMarkerBox, kMarkerBoxSide, kMarkerBoxSide, source, x, y);
}

void RestoreStatusBox(int x, int y, const pl::Rect* clip, DrawWindowRecord* destination) {
    if (!chartStatusBox.bitmap) {
        ShowInformation("WinHandled Null", "");
        return;
    }
    if (!destination) ShowInformation("WinDest Null", "");
    if (!clip) ShowInformation("clipBounds Null", "");
    if (destination && clip) Restore(chartStatusBox, x, y, *clip, destination);
}

void RestoreMarkerBox(int x, int y, const pl::Rect* clip, DrawWindowRecord* destination) {
    if (chartMarkerBox.bitmap && destination && clip) Restore(chartMarkerBox, x, y, *clip, destination);
}

DrawWindowRecord* ChartPatchRecord(int slot, int width, int height) {
    if (slot < 0 || slot >= kPatchSlots || width <= 0 || height <= 0) return nullptr;
    DrawWindowRecord*& patch = patches[slot];
    if (patch && (patch->right != width || patch->bottom != height)) {
        DeleteOffscreenWindow(patch);
        patch = nullptr;
    }
    if (!patch) patch = CreateOffscreenDib(width, height, 16);
    return patch;
}

void SaveRestoreChartPatch(int restore, const XywhRect& rect, int slot) {
    const DrawWindowRecord* window = GetDrawWindow();
    if (!window || !window->dc || slot < 0 || slot >= kPatchSlots) return;
    if (restore == 0) {
        DrawWindowRecord* patch = ChartPatchRecord(slot, rect.width, rect.height);
        if (patch) pl::BitBlt(patch->dc, 0, 0, rect.width, rect.height, window->dc, rect.x, rect.y);
        return;
    }
    const DrawWindowRecord* patch = patches[slot];
    if (patch) pl::BitBlt(window->dc, rect.x, rect.y, patch->right, patch->bottom, patch->dc, 0, 0);
}

void FreeChartPatches() {
    for (DrawWindowRecord*& patch : patches) {
        DeleteOffscreenWindow(patch);
        patch = nullptr;
    }
}
