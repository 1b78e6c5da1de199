#include "ui/colors.h"

#include "core/preferences.h"
#include "platform/color.h"
#include "ui/draw_window.h"

namespace {

constexpr int kNightIntensity[4] = {255, 102, 140, 204};
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr pl::ColorRef kBlack = 0;
constexpr pl::ColorRef kDayHighlight = 0xC8413E;  // red 62, green 65, blue 200
constexpr pl::ColorRef kNoColor = 0xFFFFFFFF;

ColorSet colorSet;

struct Foreground {
    pl::ColorRef color = kNoColor;
    uint32_t pixel = kNoColor;
    pl::Hpen pen = nullptr;
    pl::Hbrush brush = nullptr;
} fore;

template <class T>
void DeleteAndClear(T** object) {
    if (*object) pl::DeleteObject(*object);
    *object = nullptr;
}

void DeleteForegroundObjects() {
    DeleteAndClear(&fore.brush);
    DeleteAndClear(&fore.pen);
}

}  // namespace

int GetNightMode() {
    int mode = preferences.word[kPrefNightMode];
    return mode >= 0 && mode <= 3 ? mode : 0;
}

int GetSchemeColor() { return kNightIntensity[GetNightMode()] & 0xFF; }

void InitColorSet() {
    DeleteColorSet();
    pl::ColorRef red = pl::Rgb(GetSchemeColor(), 0, 0);
    bool night = GetNightMode() != 0;
    colorSet.backgroundColor = night ? kBlack : kWhite;
    colorSet.penColor = night ? red : kBlack;
    colorSet.highlightColor = night ? red : kDayHighlight;
    colorSet.highlightPenColor = night ? kBlack : kWhite;
    colorSet.backgroundBrush = pl::CreateSolidBrush(colorSet.backgroundColor);
    colorSet.pen = pl::CreatePen(colorSet.penColor);
    colorSet.highlightBrush = pl::CreateSolidBrush(colorSet.highlightColor);
    colorSet.highlightPen = pl::CreatePen(colorSet.highlightPenColor);
}

void DeleteColorSet() {
    DeleteAndClear(&colorSet.backgroundBrush);
    DeleteAndClear(&colorSet.pen);
    DeleteAndClear(&colorSet.highlightBrush);
    DeleteAndClear(&colorSet.highlightPen);
}

const ColorSet& GetColorSet() { return colorSet; }
pl::Hbrush GetBackgroundBrush() { return colorSet.backgroundBrush; }
pl::ColorRef GetBackgroundColor() { return colorSet.backgroundColor; }
pl::ColorRef GetForegroundColor() { return colorSet.penColor; }
pl::Hbrush GetHighlightBrush() { return colorSet.highlightBrush; }
pl::ColorRef GetHighlightColor() { return colorSet.highlightColor; }
pl::Hpen GetHighlightPen() { return colorSet.highlightPen; }
pl::ColorRef GetHighlightTextColor() { return colorSet.highlightPenColor; }

pl::ColorRef SetForeColor(pl::ColorRef color) {
    pl::ColorRef previous = fore.pen ? fore.color : colorSet.backgroundColor;
    if (fore.pen) DeleteForegroundObjects();
    fore.color = color;
    fore.pixel = pl::ToPixel555(color);
    fore.brush = pl::CreateSolidBrush(color);
    fore.pen = pl::CreatePen(color);
    if (GetDrawDc()) pl::SelectObject(GetDrawDc(), fore.pen);
    return previous;
}

pl::ColorRef GetForeColorRef() { return fore.color; }
uint32_t GetForePixel() { return fore.pixel; }
void SetForePixel(uint32_t pixel) { fore.pixel = pixel; }
pl::Hpen GetForegroundPen() { return fore.pen; }
pl::Hbrush GetForegroundBrush() { return fore.brush; }

bool ResetForeground() {
    if (!fore.brush) {
        fore.color = colorSet.backgroundColor;
        return false;
    }
    DeleteForegroundObjects();
    fore.pixel = kNoColor;
    fore.color = kNoColor;
    return true;
}

void UseSchemeTextColors(pl::Hdc dc) {
    if (!dc || !colorSet.backgroundBrush) return;
    pl::SetTextColor(dc, colorSet.penColor);
    pl::SetBkColor(dc, colorSet.backgroundColor);
}

pl::ColorRef SetBackColor(pl::ColorRef color) { return pl::SetBkColor(GetDrawDc(), color); }

pl::ColorRef SetTextColorRef(pl::ColorRef color) { return pl::SetTextColor(GetDrawDc(), color); }

pl::ColorRef RgbToColorRef(const RgbRecord& rgb) {
    return static_cast<pl::ColorRef>(rgb.red | (rgb.green << 8) | (rgb.blue << 16));
}
