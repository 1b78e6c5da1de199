#include "assistants/assistant_colors.h"

#include "ui/colors.h"

AssistantColorTable assistantColors;
pl::ColorRef moonColors[5];

namespace {

constexpr pl::ColorRef kDayMoons[5] = {pl::Rgb(205, 205, 40), pl::Rgb(0, 40, 220), pl::Rgb(220, 0, 0),
                                       pl::Rgb(0, 210, 40), pl::Rgb(155, 150, 140)};

}  // namespace

void InitAssistantColors() {
    const bool night = GetNightMode() != 0;
    const int i = GetSchemeColor();
    AssistantColorTable& c = assistantColors;
    c.highlightRed = pl::Rgb(220, 0, 0);
    c.darkBackground = pl::Rgb(0, 0, 0);
    if (!night) {
        c.text = pl::Rgb(0, 0, 0);
        c.lightBand = pl::Rgb(255, 255, 255);
        c.alternateBand = pl::Rgb(180, 180, 250);
        c.planetBand = pl::Rgb(0, 0, 120);
        c.oddRow = c.lightBand;
        for (int k = 0; k < 5; ++k) moonColors[k] = kDayMoons[k];
        return;
    }
    c.text = pl::Rgb(i - i / 4, 0, 0);
    c.lightBand = pl::Rgb(i / 2, 0, 120);
    c.alternateBand = pl::Rgb(i / 4, 0, 0);
    c.planetBand = pl::Rgb(i / 2, 0, 120);
    c.oddRow = c.darkBackground;
    for (int k = 0; k < 5; ++k) {
        int red = (i - 7 * k) % 256;
        if (red < 0) red += 256;
        moonColors[k] = pl::Rgb(red == 0 ? 1 : red, 0, 0);
    }
}

void CopyAssistantColors(pl::ColorRef out[5]) {
    for (int k = 0; k < 5; ++k) out[k] = moonColors[k];
}
