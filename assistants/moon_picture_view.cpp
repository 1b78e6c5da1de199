#include "assistants/moon_picture_view.h"

#include <cstring>

#include "chart/object_icons.h"
#include "platform/gdi.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"
#include "assistants/assistant_colors.h"

namespace {

bool HighResolution() { return static_cast<int>(displayScale.scaleX) > 1; }

}  // namespace

MoonPicture::MoonPicture(int top) {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    area_ = XywhRect{0, top, width, height - ScaleY(22) - top};
    fore_ = SetForeColor(assistantColors.darkBackground);
    FillRectangle(area_, 0);
    SetClip(area_);
    font_ = HighResolution() ? SelectFont(4) : GetCurrentFontId();
    wasTransparent_ = IsTextTransparent();
    SetTextTransparent(true);
    text_ = SetTextColorRef(assistantColors.text);
}

MoonPicture::~MoonPicture() {
    pl::SelectClipRect(GetDrawDc(), nullptr);
    SetTextColorRef(text_);
    SetTextTransparent(wasTransparent_);
    if (HighResolution()) SelectFont(font_);
    SetForeColor(fore_);
}

int MoonPicture::CentreY() const { return area_.y + ScaleY(48); }

void MoonPicture::Text(const char* text, int x, int y, pl::ColorRef colour) const {
    SetTextColorRef(colour);
    DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y);
}

void MoonPicture::Legend(const char* const* names, int count, int x, int y, const pl::ColorRef* colours) const {
    for (int k = 0; k < count; ++k) {
        Text(names[k], x, y, colours[k]);
        x += CharsWidth(names[k], static_cast<int>(std::strlen(names[k]))) + 4;
    }
}

void MoonPicture::Moon(int x, int y, char initial, pl::ColorRef colour) const {
    if (HighResolution()) DrawObjectIcon(nullptr, 6, 3, 0, x - 1, y - 1);
    else DrawBitmapTransparent(4038, x - 1, y - 1);
    const char letter[2] = {initial, 0};
    Text(letter, x + 3, y - ScaleY(6), colour);
}

void BlitStripCell(const DrawWindowRecord* strip, int sx, int width, int x, int y, bool flipY) {
    if (!strip) return;
    const int height = strip->bottom;
    if (!flipY) {
        BlitDibTransparent(strip, GetDrawWindow(), XywhRect{sx, 0, width, height}, x, y);
        return;
    }
    for (int row = 0; row < height; ++row)
        BlitDibTransparent(strip, GetDrawWindow(), XywhRect{sx, row, width, 1}, x, y + height - 1 - row);
}

DrawWindowRecord* LoadPictureStrip(int bitmapId) {
    DrawWindowRecord* strip = LoadBitmapResource16(bitmapId);
    if (!strip) return nullptr;
    strip->transparentColor = pl::FromPixel555(ReadPixel16(DibPixelAddress(*strip, 0, 0)));
    strip->nightFilterMode = 0;
    return strip;
}
