#include "assistants/centered_text.h"

#include <cstring>

#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr pl::ColorRef kBlack = 0x000000;
constexpr pl::ColorRef kWhite = 0xFFFFFF;
constexpr int kHeaderFont = 3;

}  // namespace

void DrawCenteredText(const char* text, int x, int y) {
    if (!text) return;
    const int length = static_cast<int>(std::strlen(text));
    const int previousFont = SelectFont(kHeaderFont);
    const bool night = GetNightMode() != 0;
    const pl::ColorRef previousText = SetTextColorRef(night ? GetForegroundColor() : kBlack);
    const pl::ColorRef previousBack = SetBackColor(night ? GetBackgroundColor() : kWhite);
    DrawPlainText(text, length, x - CharsWidth(text, length) / GetScreenScale(), y);
    SetBackColor(previousBack);
    SetTextColorRef(previousText);
    SelectFont(previousFont);
}
