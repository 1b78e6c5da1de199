#include "ui/markers.h"

#include "core/preferences.h"
#include "ui/bitmaps.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"

namespace {

constexpr int kMarkerCell = 21;

struct Strip {
    DrawWindowRecord* record = nullptr;
    int cell = 0;
    int rowOffset = 0;
};

Strip markerStrip;
Strip smallIconStrip;

bool ScaleIsOne() { return static_cast<int>(displayScale.scaleX) == 1; }

void LoadStrip(Strip* strip, int bitmapId, int cell, int rowOffset, pl::ColorRef transparent) {
    DeleteOffscreenWindow(strip->record);
    *strip = Strip{LoadBitmapResource16(bitmapId), cell, rowOffset};
    if (strip->record) strip->record->transparentColor = transparent;
}

// Cell n of a strip with its top-left corner at (x, y), transparently.
void DrawCell(const Strip& strip, int n, int x, int y) {
    if (!strip.record || !GetDrawWindow()) return;
    CopyRectangle(strip.record, GetDrawWindow(), XywhRect{strip.cell * n, strip.rowOffset, strip.cell, strip.cell}, x,
                  y, 4);
}

}  // namespace

void LoadMarkerBitmap(int scheme) {
    bool white = scheme == 2;
    LoadStrip(&markerStrip, white ? 4109 : 4110, kMarkerCell, ScaleIsOne() ? kMarkerCell : 0,
              white ? 0xFFFFFF : 0x000000);
}

void DrawMarkerIcon(int n, int x, int y) {
    if (!markerStrip.record) LoadMarkerBitmap(preferences.word[kPrefChartBackground]);
    DrawCell(markerStrip, n, x - 10, y - 10);
}

void DrawSmallIcon(int n, int, int x, int y) {
    if (!smallIconStrip.record) {
        bool large = static_cast<int>(displayScale.scaleX) > 1;
        LoadStrip(&smallIconStrip, large ? 4111 : 3999, large ? 29 : 18, 0, 0x000000);
    }
    DrawCell(smallIconStrip, n, x - smallIconStrip.cell / 2, y - smallIconStrip.cell / 2);
}

void FreeMarkerBitmaps() {
    DeleteOffscreenWindow(markerStrip.record);
    DeleteOffscreenWindow(smallIconStrip.record);
    markerStrip = Strip{};
    smallIconStrip = Strip{};
}
