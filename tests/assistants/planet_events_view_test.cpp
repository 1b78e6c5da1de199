// The Events page drawn into DIBs: a row's text found by its ink and its
// icons by their pixels, the detail panel's bars by their colours, and the
// page keeping its list.
#include "assistants/planet_events_view.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "planet_page_fixture.h"
#include "ui/bitmaps.h"
#include "ui/offscreen.h"
#include "support/recording_services.h"

namespace {

constexpr uint16_t kWhite = 0x7FFF;
constexpr uint16_t kBarBand = Word555(255, 255, 180);
constexpr uint16_t kBarUp = Word555(249, 210, 20);

class PlanetEventPage : public PlanetPageFixture {
protected:
    // Bar pixels of the detail panel's line k (lines 18 pixels apart from 244).
    int BarPixels(int k) const {
        const XywhRect r{80, 244 + 18 * k, 150, 17};
        return CountIn(r, kBarBand) + CountIn(r, kBarUp);
    }
    RecordingServices services;
};

TEST_F(PlanetEventPage, RowShowsItsTextAndIcons) {
    const struct {
        int body1, body2, kind;
        float value;
        const char* text;
    } cases[] = {
        {0, 0, 3, 100, "2024/01/25 Full Moon"},
        {0, 0, 6, 4, "2024/01/25 Total solar eclipse"},
        {5, 0, 1, 0.2f, "2024/01/25 Opp. "},
        {4, 5, 2, 0.31f, "2024/01/25 Conj. 00\xB0" "18'36"},
        {0, 0, 4, 0, "Unknown event"},
    };
    for (const auto& c : cases) {
        FreeEventList();
        AddPlanetEvent(0, c.body1, 0, c.body2, c.kind, c.value, 2024, 1, 25, 17, 54, 1, 0);
        Page(240, 18);
        SelectFont(0);
        DrawPlanetEventRow(0, XywhRect{0, 0, 240, 18}, 0, 240);
        EXPECT_TRUE(TextAt(dib, InkOf(c.text, c.kind == 4 ? 2 : 0), 0, 2, 2)) << c.text;  // label font for the unknown
        const int icons = 18 * 30 - CountIn(XywhRect{188, 0, 30, 18}, kWhite);
        if (c.kind == 4) EXPECT_EQ(icons, 0) << c.text;
        else EXPECT_GT(icons, 10) << c.text;
    }
    Page(240, 18);
    DrawPlanetEventRow(1, XywhRect{0, 0, 240, 18}, 0, 240);  // past the list
    EXPECT_EQ(Count(dib, kWhite), 240 * 18);
}

// The eclipse icons of the rows: 4072 + kind for the Sun (partial, annular,
// total), 4076 + kind for the Moon (penumbral, partial, total); the Moon's phases.
TEST_F(PlanetEventPage, RowIconsExist) {
    for (int id : {4074, 4075, 4076, 4077, 4078, 4080, 6064, 6065}) {
        DrawWindowRecord* icon = LoadBitmapResource16(id);
        EXPECT_NE(icon, nullptr) << id;
        DeleteOffscreenWindow(icon);
    }
}

// Rows follow the filter: with "Opp." row 0 is the opposition.
TEST_F(PlanetEventPage, RowsCountFromTheFirstFilteredEntry) {
    AddPlanetEvent(0, 0, 0, 0, 3, 100, 2024, 1, 25, 17, 54, 1, 0);
    AddPlanetEvent(0, 5, 0, 0, 1, 0.2f, 2024, 12, 7, 12, 0, 1, 0);
    eventFilter = 3;
    SortPlanetEvents();
    Page(240, 18);
    SelectFont(0);
    DrawPlanetEventRow(0, XywhRect{0, 0, 240, 18}, 0, 240);
    EXPECT_TRUE(TextAt(dib, InkOf("2024/12/07 Opp. ", 0), 0, 2, 2));
}

// A planet on a date its theory does not cover (1600) gets no bar.
TEST_F(PlanetEventPage, DetailSetsTheDateAndDrawsOneBarPerBody) {
    const struct {
        int body1, body2, kind, bars, year;
    } cases[] = {{4, 5, 2, 3, 2024}, {0, 0, 3, 2, 2024}, {2, 0, 1, 2, 2024}, {5, 0, 1, 1, 1600}};
    for (const auto& c : cases) {
        FreeEventList();
        AddPlanetEvent(0, c.body1, 0, c.body2, c.kind, 0.3f, c.year, 8, 14, 14, 53, 1, 0);
        Page(240);
        assistantDate = AssistantDate{2024, 1, 1, 0, 0};
        DrawPlanetEventDetail(0);
        const AssistantDate& d = assistantDate;
        EXPECT_EQ((std::vector<int>{d.year, d.month, d.day, d.hour, d.minute}),
                  (std::vector<int>{c.year, 8, 14, 14, 53})) << c.kind;
        for (int k = 0; k < 3; ++k) EXPECT_EQ(BarPixels(k) > 500, k < c.bars) << c.kind << " line " << k;
    }
}

// The bars mark the event's instant in the site's local time: the list's UT
// 01:28 of 2026-12-24 is 18:28 of the 23rd at zone -7 h, UT 12:17 of
// 2027-01-22 23:17 at Sydney's +11 h; on each line of the panel the marker
// (200, 0, 0) stands at that hour of the bar (page 280 wide: cells 8 pixels apart).
TEST_F(PlanetEventPage, BarsMarkTheLocalTimeOfTheEvent) {
    const struct {
        int zone, year, month, day, hour, minute;
        double localHours;
        int localDay;
    } cases[] = {{-420, 2026, 12, 24, 1, 28, 18 + 28 / 60.0, 23}, {660, 2027, 1, 22, 12, 17, 23 + 17 / 60.0, 22},
                 {0, 2027, 1, 22, 12, 17, 12 + 17 / 60.0, 22}};
    for (const auto& c : cases) {
        FreeEventList();
        currentSite.zoneMinutes = static_cast<int16_t>(c.zone);
        AddPlanetEvent(0, 0, 0, 0, 3, 100, c.year, c.month, c.day, c.hour, c.minute, 1, 0);
        Page(280);
        DrawPlanetEventDetail(0);
        EXPECT_EQ(assistantDate.day, c.localDay) << c.zone;
        const int markX = 80 + static_cast<int>(8 * c.localHours);
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(CountIn(XywhRect{markX, 244 + 18 * k, 1, 17}, Word555(200, 0, 0)), 17) << c.zone << " line " << k;
    }
}

TEST_F(PlanetEventPage, NoSelectedRowOnlyErasesThePanel) {
    AddPlanetEvent(0, 4, 0, 5, 2, 0.3f, 2024, 8, 14, 14, 53, 1, 0);
    Page(240);
    SetForeColor(0x0000FF);
    FillRectangle(XywhRect{0, 0, 240, 320}, 0);
    assistantDate = AssistantDate{2024, 1, 1, 0, 0};
    DrawPlanetEventDetail(-1);
    EXPECT_EQ(assistantDate.month, 1);
    EXPECT_EQ(CountIn(XywhRect{0, 244, 240, 76}, kWhite), 240 * 76);  // erased to the bottom
    EXPECT_EQ(Pixel(dib, 10, 243), Word555(255, 0, 0));
}

// The list found once is kept: a redraw sorts and shows it without a search.
TEST_F(PlanetEventPage, PageSearchesOnlyAnEmptyList) {
    Page(240);
    assistantDate = AssistantDate{2024, 1, 1, 0, 0};
    SearchPlanetEvents();
    const int found = plannerEventCount, steps = services.busySteps;
    EXPECT_GE(found, 2);
    EXPECT_EQ(steps, 2 + 30);
    assistantDate = AssistantDate{2024, 6, 1, 0, 0};
    SearchPlanetEvents();
    EXPECT_EQ(plannerEventCount, found);
    EXPECT_EQ(services.busySteps, steps);
    EXPECT_EQ(plannerEvents[0].year, 2024);
    EXPECT_LE(plannerEvents[0].month, 2);
}

}  // namespace
