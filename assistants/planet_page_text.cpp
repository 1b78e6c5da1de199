#include "assistants/planet_page_text.h"

#include <cstring>

#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kPageFont = 2;

}  // namespace

PageTextStyle::PageTextStyle(pl::ColorRef colour)
    : font_(SelectFont(kPageFont)), transparent_(IsTextTransparent()), colour_(SetTextColorRef(colour)) {
    SetTextTransparent(true);
}

PageTextStyle::~PageTextStyle() {
    SetTextColorRef(colour_);
    SetTextTransparent(transparent_);
    SelectFont(font_);
}

void DrawPageText(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

void DrawPageTextRight(const char* text, int x, int y) {
    const int n = static_cast<int>(std::strlen(text));
    DrawPlainText(text, n, x - CharsWidth(text, n), y);
}

int PageTextHeight() { return CharsHeight(); }

pl::ColorRef PageColour(pl::ColorRef day, int nightDivisor) {
    if (GetNightMode() == 0) return day;
    return pl::Rgb(static_cast<uint8_t>(GetSchemeColor() / nightDivisor), 0, 0);
}
