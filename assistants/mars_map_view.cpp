#include "assistants/mars_map_view.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "assistants/mars_features.h"
#include "catalog/object_pictures.h"
#include "catalog/screens/image_viewer.h"
#include "platform/drawing.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kMapWidth = 640;
constexpr int kMarsPictureFolder = 3;

int MapWidthOnScreen() { return static_cast<int>(kMapWidth * displayScale.scaleX); }

int TextWidth(const std::string& text) { return CharsWidth(text.c_str(), static_cast<int>(text.size())); }

void Text(const std::string& text, int x, int y) { DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y); }

std::string Name(const MarsFeatureRecord& f) { return std::string(f.name, strnlen(f.name, sizeof f.name)); }

// Clips the draw context to the rectangle until destroyed.
struct ClipTo {
    explicit ClipTo(const XywhRect& rect) { SetClip(rect); }
    ~ClipTo() { pl::SelectClipRect(GetDrawDc(), nullptr); }
};

pl::ColorRef LabelColour(const MarsFeatureRecord& f) {
    if (GetNightMode() > 0) return pl::Rgb(1, 0, 0);
    return f.mapY < 10 && GetScreenScale() != 1 ? pl::Rgb(0, 0, 0) : pl::Rgb(240, 240, 240);
}

// The call-out's lines: the name, and for a known type its size and place.
std::vector<std::string> CalloutLines(const MarsFeatureRecord& f) {
    std::vector<std::string> lines(1, " ");
    lines[0] += Name(f);
    if (f.group < 0 || f.group > 9) return lines;
    lines.push_back(MarsFeatureSizeText(f));
    lines.push_back(MarsLatitudeText(f.latitude));
    lines.push_back(MarsLongitudeText(f.longitude));
    return lines;
}

}  // namespace

void MarsMapToScreen(const XywhRect& rect, int scrollX, int scrollY, int mapX, int mapY, int* x, int* y) {
    const int width = MapWidthOnScreen();
    int offset = scrollX + static_cast<int>(mapX * displayScale.scaleX);
    offset = ((offset % width) + width) % width;
    *x = rect.x + offset;
    *y = rect.y + scrollY + static_cast<int>(mapY * displayScale.scaleY);
}

void DrawMarsMap(int firstBitmapId, const XywhRect& rect, int* scrollX, int* scrollY) {
    DrawWindowRecord* west = LoadBitmapResource16(firstBitmapId);
    DrawWindowRecord* east = LoadBitmapResource16(firstBitmapId + 1);
    if (west && east) {
        const int halfWidth = static_cast<int>(west->right * displayScale.scaleX);
        const int height = static_cast<int>(west->bottom * displayScale.scaleY);
        *scrollY = std::min(0, std::max(rect.height - height, *scrollY));
        *scrollX = std::min(halfWidth, std::max(static_cast<int>(rect.width - 2.5 * halfWidth), *scrollX));
        ClipTo clip(rect);
        const int x0 = rect.x + *scrollX - halfWidth;
        for (int k = 0; k < 4; ++k) {
            const DrawWindowRecord* half = k % 2 == 0 ? east : west;
            pl::StretchBlt(GetDrawDc(), x0 + k * halfWidth, rect.y + *scrollY, halfWidth, height, half->dc, 0, 0,
                           half->right, half->bottom);
        }
    }
    DeleteOffscreenWindow(west);
    DeleteOffscreenWindow(east);
}

void DrawMarsMapLabels(const XywhRect& rect, int scrollX, int scrollY) {
    ClipTo clip(rect);
    const int previousFont = GetCurrentFontId();
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef previousText = pl::GetTextColor(GetDrawDc());
    const int count = GetMarsRecordCount();
    for (int i = 0; i < count; ++i) {
        MarsFeatureRecord f;
        if (!GetMarsRecord(i, &f) || !IsMarsMapLabel(f)) continue;
        SelectFont(f.group == 9 ? 4 : 5);
        SetTextColorRef(LabelColour(f));
        int x, y;
        MarsMapToScreen(rect, scrollX, scrollY, f.mapX, f.mapY, &x, &y);
        std::string name = Name(f);
        Text(name, (x - TextWidth(name) / 2) & ~1, y & ~1);
    }
    SetTextColorRef(previousText);
    SetTextTransparent(wasTransparent);
    SelectFont(previousFont);
}

void DrawMarsFeatureCallout(const MarsFeatureRecord& feature, int scrollX, int scrollY, const XywhRect& rect) {
    int px, py;
    MarsMapToScreen(rect, scrollX, scrollY, feature.mapX, feature.mapY, &px, &py);
    const std::vector<std::string> lines = CalloutLines(feature);
    int textWidth = 0;
    for (const std::string& line : lines) textWidth = std::max(textWidth, TextWidth(line));
    const int lineHeight = ScaleY(12);
    const bool picture = lines.size() > 1 &&
                         BuildImagePath(MarsFeaturePictureName(feature).c_str(), kMarsPictureFolder, 0);
    const std::string picturePath =
        picture ? ImageFolderPath(kMarsPictureFolder, 0) + std::string(imageRequest.tested) : std::string();
    const int pictureSide = picture ? ScaleY(48) : 0;
    textWidth = std::max(textWidth, pictureSide);
    XywhRect box{px, 0, textWidth + ScaleX(6), static_cast<int>(lines.size()) * lineHeight + pictureSide + ScaleY(4)};
    box.y = py - rect.y > ScaleY(60) ? py - ScaleY(13) - box.height : py + ScaleY(13);
    if (box.x + box.width > rect.x + rect.width) box.x -= textWidth + ScaleX(10);

    const bool night = GetNightMode() > 0;
    const pl::ColorRef ink = night ? pl::Rgb(GetSchemeColor(), 0, 0) : pl::Rgb(0, 0, 0);
    ClipTo clip(rect);
    pl::ColorRef previousFore = SetForeColor(ink);
    DrawCircle(px, py, ScaleX(3));
    DrawLine(px, py, px, py < box.y ? box.y : box.y + box.height);
    SetForeColor(night ? pl::Rgb(0, 0, 0) : pl::Rgb(255, 255, 255));
    FillRectangle(box, 0);
    SetForeColor(ink);
    DrawRectangleOutline(box);
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    pl::ColorRef previousText = SetTextColorRef(ink);
    int y = box.y + ScaleY(2);
    for (std::size_t k = 0; k < lines.size(); ++k, y += lineHeight) {
        Text(lines[k], box.x + ScaleX(2), y);
        if (k == 1 && picture) {
            DrawBitmapFileScaled(picturePath, box.x + ScaleX(2), y + lineHeight, pictureSide, pictureSide);
            y += pictureSide;
        }
    }
    SetTextColorRef(previousText);
    SetTextTransparent(wasTransparent);
    SetForeColor(previousFore);
}

int ShowMarsFeaturePicture(const MarsFeatureRecord* feature) {
    if (!feature) return 0;
    std::string name = MarsFeaturePictureName(*feature);
    return ShowObjectImage(name.c_str(), ScaleX(40), ScaleY(40), ScaleX(160), ScaleY(160), false, kMarsPictureFolder, 0)
               ? 1
               : 0;
}
