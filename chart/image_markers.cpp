#include "chart/image_markers.h"

#include <cstdio>

#include "catalog/deep_sky_types.h"
#include "catalog/designations.h"
#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "catalog/selection_list.h"
#include "chart/chart_views.h"
#include "core/preferences.h"
#include "platform/drawing.h"
#include "ui/bitmaps.h"
#include "ui/input_polling.h"

namespace {

constexpr int kMessierThumbnails = 110;
constexpr int kFirstThumbnail = 3000;
constexpr int kPictureMark = 1941;
constexpr int kToolStripWidth = 11;

const SelectionEntry* EntryAt(int index) {
    return selectionList && index >= 0 && index < selectionCount ? &selectionList[index] : nullptr;
}

bool IsPlanet(const SelectionEntry& e) { return e.source == kSourcePlanet || e.designation == kDesignationPlanet; }

// The thumbnail bitmap of an entry, 0 for none.
int ThumbnailBitmap(const SelectionEntry& e) {
    if (e.source == kSourceMessier) return e.sourceIndex < kMessierThumbnails ? kFirstThumbnail + e.sourceIndex : 0;
    if (IsPlanet(e)) return 0;
    int n = GetTypeCodeText(nullptr, e.typeCode);
    if (n == 0 && e.objectType >= 0 && e.objectType < kObjectTypeCount) n = objectTypeTable[e.objectType].thumbnail;
    return n >= 1 && n <= kMessierThumbnails ? kFirstThumbnail - 1 + n : 0;
}

// The name and kind an entry's picture is looked up by.
int PictureName(const SelectionEntry& e, char* name, std::size_t size) {
    if (IsPlanet(e) || e.source == kSourceMessier) {
        std::snprintf(name, size, "%.*s", static_cast<int>(kSelectionNameSize - 1), e.name);
        return IsPlanet(e) ? kDesignationPlanet : kDesignationMessier;
    }
    std::snprintf(name, size, "%s%ld", DesignationPrefix(e.designation), static_cast<long>(e.number));
    return e.designation;
}

void CopyArea(const DrawWindowRecord* from, DrawWindowRecord* to, int x, int y, int width, int height) {
    pl::BitBlt(to->dc, x, y, width, height, from->dc, x, y);
}

}  // namespace

void DrawImageMarker(int x, int y, int entryIndex) {
    const SelectionEntry* e = EntryAt(entryIndex);
    if (!e) return;
    if (displayScale.scaleX > 1.0) {
        if (int thumbnail = ThumbnailBitmap(*e)) DrawBitmap(thumbnail, x, y);
    }
    char name[kImageNameSize];
    int kind = PictureName(*e, name, sizeof name);
    if (BuildImagePath(name, kImageFolderCatalog, kind)) DrawBitmapMasked(kPictureMark, x, y);
}

int ShowChartObjectImage(DrawWindowRecord* save, int entryIndex, int x, int y) {
    const SelectionEntry* e = EntryAt(entryIndex);
    char name[kImageNameSize];
    int kind = e ? PictureName(*e, name, sizeof name) : 0;
    if (!e || !BuildImagePath(name, kImageFolderCatalog, kind)) return 0;
    int screenWidth, screenHeight;
    GetScreenSize(&screenWidth, &screenHeight);
    int right = screenWidth - (preferences.word[kPrefHideToolBar] == 0 ? kToolStripWidth : 0);
    int width = right - x, height = screenHeight - ScaleY(20) - y;
    DrawWindowRecord* window = GetDrawWindow();
    if (!window || width <= 0 || height <= 0) return 0;
    if (save) CopyArea(window, save, x, y, width, height);
    ShowObjectImage(name, x, y, width, height, false, kImageFolderCatalog, kind);
    WaitPenUpOrKey();
    if (!save) return 2;
    if (chartView == 0 || chartView == 1) CopyArea(save, window, 0, 0, save->right, save->bottom);
    else CopyArea(save, window, x, y, width, height);
    return 1;
}
