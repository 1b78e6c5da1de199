// The Events view (assistants/moon_events_view.h) drawn into a 16-bit DIB
// from a table set by hand, at 51 N on the 240 x 320 screen at 96 dpi.
#include "assistants/moon_events_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "assistants/assistant_colors.h"
#include "assistants/assistant_draw_fixture.h"
#include "assistants/planet_detail_form.h"
#include "assistants/planet_detail_mode.h"
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
    // The table as a search leaves it: empty slots first; then a white DIB drawn on.
    DrawWindowRecord* Draw(const std::vector<MoonEventSlot>& slots) {
        std::memset(planetMoonState, 0, sizeof planetMoonState);
        std::copy(slots.begin(), slots.end(), planetMoonState + kMoonEventSlots - slots.size());
        DrawWindowRecord* r = DibWindow(240, 320);
        Fill(r, 0x7FFF);
        DrawMoonEventsView();
        return r;
    }
    // Black pixels of table row `row` (0 the first below the top) from x0 to x1.
    static int Ink(const DrawWindowRecord* r, int row, int x0, int x1) {
        int ink = 0;
        for (int y = kTop + row * kRow + 1; y < kTop + (row + 1) * kRow - 1; ++y)
            for (int x = x0; x < x1; ++x) ink += Pixel(r, x, y) == 0;
        return ink;
    }
    // The rightmost black column of the row's moon name.
    static int NameEnd(const DrawWindowRecord* r, int row) {
        int end = -1;
        for (int x = 0; x < 64; ++x) end = Ink(r, row, x, x + 1) ? x : end;
        return end;
    }
    TempProgramFolder folder{"moon_events_view"};
};

MoonEventSlot Event(int moon, int kind, int hour) { return {moon, kind, 21, hour, 5, 21, hour + 1, 40}; }

// Under the two guide bars and the header: with the filter on Titan only
// Titan's two rows, the light band then the alternate band by drawn row;
// with "All" the four. Names end where "Titan" and "Enceladus" end.
TEST_F(MoonEventsView, SaturnFilterDrawsOneMoonWithAlternatingRows) {
    planetDetailMode = kSaturnMode;
    planetDetailForm.saturnFilter = 5;
    const std::vector<MoonEventSlot> slots = {Event(0, 1, 2), Event(1, 3, 4), Event(4, 1, 6), Event(4, 5, 9)};
    DrawWindowRecord* r = Draw(slots);
    SelectFont(0);
    EXPECT_GT(Ink(r, 2, 0, 240), 0);
    for (int row : {3, 4}) EXPECT_NEAR(NameEnd(r, row), CharsWidth("Titan", 5), 2) << row;
    EXPECT_EQ(Ink(r, 5, 0, 240), 0);
    EXPECT_EQ(Pixel(r, 230, kTop + 3 * kRow + 2), pl::ToPixel555(assistantColors.oddRow));
    EXPECT_EQ(Pixel(r, 230, kTop + 4 * kRow + 2), pl::ToPixel555(assistantColors.alternateBand));
    planetDetailForm.saturnFilter = 0;
    r = Draw(slots);
    for (int row = 3; row <= 6; ++row) EXPECT_GT(Ink(r, row, 65, 240), 0) << row;
    EXPECT_NEAR(NameEnd(r, 3), CharsWidth("Enceladus", 9), 2);
    EXPECT_EQ(Ink(r, 7, 0, 240), 0);
}

// A screen 240 units high or less: no guide bars, the header on the top row,
// at most 13 events.
TEST_F(MoonEventsView, SmallScreenStopsAtThirteenRows) {
    std::vector<MoonEventSlot> slots;
    for (int i = 0; i < kMoonEventSlots; ++i) slots.push_back(Event(i / 5, i % 5 + 1, i % 20));
    pl::SetScreenInfo(pl::ScreenInfo{240, 240, 96});
    DrawWindowRecord* r = Draw(slots);
    EXPECT_GT(Ink(r, 0, 65, 100), 0);
    for (int row = 1; row <= 13; ++row) EXPECT_GT(Ink(r, row, 65, 240), 0) << row;
    EXPECT_EQ(Ink(r, 14, 0, 240), 0);
}

// Each hour of the Sun's and Jupiter's bars is lit (249, 210, 20) when
// PyEphem has the body above the horizon on 21 January 2024 at hh:30
// (tests/reference/red_spot_sky_51n.csv, scripts/reference/red_spot_sky.py),
// pale when below; hours within 2 degrees of the horizon are not judged.
TEST_F(MoonEventsView, GuideBarsFollowTheSunAndJupiter) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "red_spot_sky_51n.csv");
    DrawWindowRecord* r = Draw({});
    const uint16_t up = pl::ToPixel555(pl::Rgb(249, 210, 20)), down = pl::ToPixel555(pl::Rgb(255, 255, 180));
    int judged = 0;
    for (int bar = 0; bar < 2; ++bar)
        for (int hour = 0; hour < 24; ++hour) {
            const double altitude = t.Get(static_cast<std::size_t>(hour * 6 + 3), bar ? "jupiter_alt" : "sun_alt");
            if (std::abs(altitude) < 2) continue;
            EXPECT_EQ(Pixel(r, 43 + 8 * hour + 4, kTop + bar * kRow + kRow / 2 + 1), altitude > 0 ? up : down)
                << bar << " " << hour;
            ++judged;
        }
    EXPECT_GT(judged, 40);
}

}  // namespace
