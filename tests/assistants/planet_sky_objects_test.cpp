// The sky view's object table of the planets assistant: its size by step,
// its names, and its places against ERFA (tests/reference/approx_planets.csv
// from scripts/reference/approx_planets_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assistants/planet_sky_view.h"
#include "core/date_text.h"
#include "platform/clock.h"
#include "support/reference_csv.h"
#include "support/test_site.h"

namespace {

std::vector<SelectionEntry> Build(const AssistantDate& date, int step, int* count) {
    std::vector<SelectionEntry> table(kSkyObjectCapacity);
    *count = BuildPlanetSkyObjects(date, step, table.data());
    return table;
}

// Steps 0..2 track Mercury, Venus and Mars, 3..5 Mars, Jupiter and Saturn,
// 6..8 Jupiter to Pluto: 7 present places and ten later ones of each.
TEST(PlanetSkyObjects, CountAndGroupsByStep) {
    ResetDateFieldOrder();
    const struct {
        int step, days, count;
        std::vector<int> group;
    } cases[] = {
        {0, 1, 37, {2, 3, 4}},  {2, 5, 37, {2, 3, 4}},  {3, 7, 37, {4, 5, 6}},
        {5, 14, 37, {4, 5, 6}}, {6, 30, 57, {5, 6, 7, 8, 9}}, {8, 90, 57, {5, 6, 7, 8, 9}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkyViewStepDays(c.step), c.days);
        int count = 0;
        const auto table = Build(AssistantDate{2024, 3, 5, 21, 10}, c.step, &count);
        ASSERT_EQ(count, c.count) << c.step;
        for (int i = 0; i < 7; ++i) EXPECT_EQ(table[i].number, 2 + i) << c.step;
        for (size_t g = 0; g < c.group.size(); ++g)
            for (int s = 0; s < 10; ++s) {
                const SelectionEntry& e = table[7 + 10 * g + s];
                EXPECT_EQ(e.number, c.group[g]) << c.step << " " << g << " " << s;
                EXPECT_EQ(std::make_tuple(e.objectType, e.source, e.sourceIndex),
                          std::make_tuple(int16_t{27}, uint16_t{1}, static_cast<uint16_t>(c.group[g])));
            }
        for (int i = count; i < kSkyObjectCapacity; ++i) EXPECT_EQ(table[i].name[0], '\0');
    }
    EXPECT_EQ(SkyViewStepDays(9), 1);
}

// Present places carry the month and day of the date; track places their
// own date cut to five characters in the date order (day first here):
// "90d" from 2024-03-05 reaches 2024-06-03, 2024-09-01, ... 2026-08-22 (ten
// steps of 90 days, counted with Python's datetime).
TEST(PlanetSkyObjects, NamesOfPresentAndTrackPlaces) {
    pl::SetShortDatePattern("dd/MM/yyyy");
    ResetDateFieldOrder();
    int count = 0;
    const auto table = Build(AssistantDate{2024, 3, 5, 21, 10}, 8, &count);
    ASSERT_EQ(count, 57);
    const struct {
        int index;
        const char* name;
    } cases[] = {
        {0, "Mercury 03/05"}, {6, "Neptune 03/05"}, {7, "Jupiter 03/06"}, {8, "Jupiter 01/09"},
        {16, "Jupiter 22/08"}, {17, "Saturn 03/06"}, {36, "Uranus 22/08"}, {56, "Pluto 22/08"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(table[c.index].name), c.name) << c.index;
    pl::SetShortDatePattern("yyyy-MM-dd");
    ResetDateFieldOrder();
    const auto yearFirst = Build(AssistantDate{2024, 3, 5, 21, 10}, 8, &count);
    EXPECT_EQ(std::string(yearFirst[7].name), "Jupiter 06/03");  // month first when the year leads
    EXPECT_EQ(std::string(yearFirst[0].name), "Mercury 03/05");
    pl::SetShortDatePattern("");
    ResetDateFieldOrder();
}

// The present places (0 h of the date) agree with ERFA's plan94 geometric
// places of 1800-01-01 0 h within the approximate planets' accuracy there
// (Saturn 0.2 degree), each in its constellation's row.
TEST(PlanetSkyObjects, PresentPlacesAgainstErfa) {
    SetTestSite(51.0, 0.0, 0);
    int count = 0;
    const auto table = Build(AssistantDate{1800, 1, 1, 12, 0}, 0, &count);
    int checked = 0;
    for (const std::vector<double>& row : ReadReferenceCsv("approx_planets.csv")) {
        if (row[0] != 1800 || row[1] != 1 || row[2] != 1 || row[3] != 0 || row[4] != 0 || row[5] != 0) continue;
        const int body = static_cast<int>(row[6]);
        if (body < 2 || body > 8) continue;
        const SelectionEntry& e = table[body - 2];
        const double dRa = std::fmod(e.rightAscension - row[15] + 36.0, 24.0) - 12.0;
        EXPECT_LT(std::fabs(dRa) * 15.0 * std::cos(row[16] * M_PI / 180), 0.25) << body;
        EXPECT_LT(std::fabs(e.declination - row[16]), 0.25) << body;
        EXPECT_GE(e.constellation, 0);
        ++checked;
    }
    EXPECT_EQ(checked, 7);
}

}  // namespace
