// The Events view (assistants/moon_events_view.h) drawn into a 16-bit DIB
// from a table set by hand, at 51 N on the 240 x 320 screen at 96 dpi.
#include "assistants/moon_events_view.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "assistants/assistant_colors.h"
#include "assistants/assistant_draw_fixture.h"
#include "assistants/planet_detail_form.h"
#include "assistants/planet_detail_mode.h"
#include "platform/color.h"
#include "support/reference_table.h"
#include "support/temp_program_folder.h"
#include "ui/font_set.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTop = 24, kRow = 16;  // 13 + 3 pixels a row at scale 1

class MoonEventsView : public AssistantDrawFixture {
protected:
    void SetUp() override {
        AssistantDrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        ResetPlanetDetailForm();
        InitAssistantColors();
        planetDetailDate = PlanetDetailDate{2024, 1, 21, 12, 0};
    }
    void TearDown() override {
        ResetPlanetDetailForm();
        AssistantDrawFixture::TearDown();
    }
    // The table in the order a search leaves it.
    static void Put(const std::vector<MoonEventSlot>& slots) {
        std::memset(planetMoonState, 0, sizeof planetMoonState);
        for (std::size_t i = 0; i < slots.size(); ++i) planetMoonState[kMoonEventSlots - slots.size() + i] = slots[i];
    }
    // Black pixels of table row `row` (0 the first below the top) left of x.
    static int Ink(const DrawWindowRecord* r, int row, int x0, int x1) {
        int ink = 0;
        for (int y = kTop + row * kRow + 1; y < kTop + (row + 1) * kRow - 1; ++y)
            for (int x = x0; x < x1; ++x) ink += Pixel(r, x, y) == 0;
        return ink;
    }
    // The rightmost black pixel of the row's moon name (x < 65).
    static int NameEnd(const DrawWindowRecord* r, int row) {
        int end = -1;
        for (int x = 0; x < 64; ++x)
            if (Ink(r, row, x, x + 1) > 0) end = x;
        return end;
    }
    TempProgramFolder folder{"moon_events_view"};
};

MoonEventSlot Event(int moon, int kind, int startHour) { return {moon, kind, 21, startHour, 5, 21, startHour + 1, 40}; }

// With the filter on Titan only Titan's two rows are drawn, in the first two
// rows under the header, the light band then the alternate band by drawn
// row; without the filter all four. The rows' names end where "Titan" and
// "Enceladus" end.
TEST_F(MoonEventsView, SaturnFilterDrawsOneMoonWithAlternatingRows) {
    planetDetailMode = kSaturnMode;
    Put({Event(0, 1, 2), Event(1, 3, 4), Event(4, 1, 6), Event(4, 5, 9)});
    DrawWindowRecord* r = DibWindow(240, 320);
    SelectFont(0);
    const int titan = CharsWidth("Titan", 5), enceladus = CharsWidth("Enceladus", 9);
    const int header = 2;  // under the two guide bars
    const uint16_t light = pl::ToPixel555(assistantColors.oddRow);
    const uint16_t alternate = pl::ToPixel555(assistantColors.alternateBand);
    planetDetailForm.saturnFilter = 5;
    DrawMoonEventsView();
    EXPECT_GT(Ink(r, header, 0, 240), 0);
    for (int row : {header + 1, header + 2}) {
        EXPECT_GT(Ink(r, row, 65, 240), 0) << row;
        EXPECT_NEAR(NameEnd(r, row), titan, 2) << row;
    }
    EXPECT_EQ(Ink(r, header + 3, 0, 240), 0);
    EXPECT_EQ(Pixel(r, 230, kTop + (header + 1) * kRow + 2), light);
    EXPECT_EQ(Pixel(r, 230, kTop + (header + 2) * kRow + 2), alternate);
    planetDetailForm.saturnFilter = 0;
    DrawMoonEventsView();
    for (int row = header + 1; row <= header + 4; ++row) EXPECT_GT(Ink(r, row, 65, 240), 0) << row;
    EXPECT_NEAR(NameEnd(r, header + 1), enceladus, 2);
    EXPECT_EQ(Ink(r, header + 5, 0, 240), 0);
    // Jupiter's table is not filtered.
    planetDetailMode = kJupiterMode;
    planetDetailForm.saturnFilter = 5;
    DrawMoonEventsView();
    EXPECT_GT(Ink(r, header + 4, 65, 240), 0);
}

// A screen 240 units high or less has no guide bars (the header on the top
// row) and shows at most 13 events.
TEST_F(MoonEventsView, SmallScreenStopsAtThirteenRows) {
    std::vector<MoonEventSlot> slots;
    for (int i = 0; i < kMoonEventSlots; ++i) slots.push_back(Event(i / 5, i % 5 + 1, i % 20));
    Put(slots);
    pl::SetScreenInfo(pl::ScreenInfo{240, 240, 96});
    DrawWindowRecord* r = DibWindow(240, 320);
    Fill(r, 0x7FFF);  // white below the view's area
    DrawMoonEventsView();
    for (int row = 1; row <= 13; ++row) EXPECT_GT(Ink(r, row, 65, 240), 0) << row;
    EXPECT_EQ(Ink(r, 14, 0, 240), 0);
    EXPECT_GT(Ink(r, 0, 65, 100), 0);  // the header on the top row
    const uint16_t pale = pl::ToPixel555(pl::Rgb(255, 255, 180));
    int bars = 0;
    for (int x = 43; x < 228; ++x) bars += Pixel(r, x, kTop + 10) == pale;
    EXPECT_EQ(bars, 0);
}

// The guide bars on a tall screen: each hour of the Sun's and Jupiter's bars
// is lit (249, 210, 20) when PyEphem has the body above the horizon on 21
// January 2024 at 51 N (tests/reference/red_spot_sky_51n.csv,
// scripts/reference/red_spot_sky.py), left pale when below; hours within 2
// degrees of the horizon are not judged.
TEST_F(MoonEventsView, GuideBarsFollowTheSunAndJupiter) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "red_spot_sky_51n.csv");
    planetDetailMode = kJupiterMode;
    Put({});
    DrawWindowRecord* r = DibWindow(240, 320);
    DrawMoonEventsView();
    const uint16_t up = pl::ToPixel555(pl::Rgb(249, 210, 20)), down = pl::ToPixel555(pl::Rgb(255, 255, 180));
    const char* columns[2] = {"sun_alt", "jupiter_alt"};
    int judged = 0;
    for (int bar = 0; bar < 2; ++bar)
        for (int hour = 0; hour < 24; ++hour) {
            const double altitude = t.Get(static_cast<std::size_t>(hour * 6 + 3), columns[bar]);  // hh:30
            if (std::abs(altitude) < 2) continue;
            const int x = 43 + 8 * hour + 4, y = kTop + bar * kRow + kRow / 2 + 1;
            EXPECT_EQ(Pixel(r, x, y), altitude > 0 ? up : down) << columns[bar] << " " << hour;
            ++judged;
        }
    EXPECT_GT(judged, 40);
}

}  // namespace
