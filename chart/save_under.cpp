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
SaveUnderBox chartMarkerBox{};

void FreeChartBitmaps() {
    for (SaveUnderBox* box : {&chartStatusBox, &chartMarkerBox}) {
        DeleteOffscreenWindow(box->bitmap);
        box->bitmap = nullptr;
    }
}

void SaveStatusBox(const DrawWindowRecord* source, int x, int y) {
    Save(&chartStatusBox, kStatusBoxWidth, kStatusBoxHeight, source, x, y);
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
