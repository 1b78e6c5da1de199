// A text centred on a point: drawn in font 3 from x - width / 2 on a 96 dpi
// screen, black on white by day, the night scheme's red on black at night,
// with the font and the text colours given back.
#include "assistants/centered_text.h"

#include <gtest/gtest.h>

#include "planet_page_fixture.h"

namespace {

class CenteredText : public PlanetPageFixture {};

TEST_F(CenteredText, CentredInTheSchemeColours) {
    const struct {
        int night;
        uint16_t ink, background;
    } cases[] = {{0, 0, 0x7FFF}, {3, Word555(204, 0, 0), 0}};  // "Bright": red intensity 204
    for (const auto& c : cases) {
        SetNightMode(c.night);
        Page(120, 40);
        SetForeColor(Word555(0, 0, 255));
        FillRectangle(XywhRect{0, 0, 120, 40}, 0);
        SelectFont(1);
        const pl::ColorRef text = SetTextColorRef(0x00FF00);
        const TextInk ink = InkOf("Transit", 3);
        DrawCenteredText("Transit", 60, 10);
        EXPECT_TRUE(TextAt(dib, ink, c.ink, 60 - ink.width / 2, 10)) << c.night;
        EXPECT_EQ(Pixel(dib, 60 - ink.width / 2 + ink.gaps[0].first, 10 + ink.gaps[0].second), c.background);
        EXPECT_EQ(GetCurrentFontId(), 1);
        EXPECT_EQ(SetTextColorRef(text), 0x00FF00u);
    }
}

}  // namespace
