// The home form's UT line in the running program on both screens: the
// universal time of the program's clock at the site's zone, marked "<" when
// its date is before the local date and ">" when after.
#include <gtest/gtest.h>

#include <string>

#include "app/home_form.h"
#include "catalog/databases.h"
#include "core/shared_state.h"
#include "platform/text_log.h"
#include "support/both_screens.h"
#include "support/program_fixture.h"
#include "ui/screen_layout.h"

namespace {

class HomeStatus : public ProgramTest {};
class HomeStatusOnBothScreens : public OnBothScreens<HomeStatus> {};

// The value drawn beside the "UT" label, "" when none.
std::string ShownUniversalTime() {
    int top = -1;
    std::string value;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
        if (run.text == "UT") top = run.cell.top;
        if (run.cell.top == top && run.text != "UT") value = run.text;
    }
    return value;
}

// Zones of -8 h, +12 h and +1 h across 30 June / 1 July, 28 (or 29)
// February / 1 March of 2024 and 2027, 31 December / 1 January both ways, and
// in mid-month; each expected text by the calendar. The day numbers alone were
// once compared, so at a month's end the marker pointed the wrong way.
TEST_P(HomeStatusOnBothScreens, UniversalDateMarkerComparesWholeDates) {
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    ResetScreenScale();
    harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
    ResetCatalogState();
    ASSERT_TRUE(StartProgram());
    const struct {
        DateTime local;
        int zone;
        const char* shown;
    } cases[] = {
        {{2027, 6, 30, 22, 0, 0}, -480, ": 06h00 >"}, {{2027, 7, 1, 8, 0, 0}, 720, ": 20h00 <"},
        {{2027, 7, 1, 0, 30, 0}, 60, ": 23h30 <"},    {{2024, 2, 28, 20, 0, 0}, -480, ": 04h00 >"},
        {{2024, 3, 1, 6, 0, 0}, 720, ": 18h00 <"},    {{2027, 2, 28, 20, 0, 0}, -480, ": 04h00 >"},
        {{2027, 3, 1, 0, 30, 0}, 60, ": 23h30 <"},    {{2026, 12, 31, 23, 0, 0}, -480, ": 07h00 >"},
        {{2027, 1, 1, 10, 0, 0}, 720, ": 22h00 <"},   {{2027, 1, 1, 0, 30, 0}, 60, ": 23h30 <"},
        {{2026, 12, 31, 23, 30, 0}, 60, ": 22h30"},   {{2027, 6, 15, 12, 0, 0}, -480, ": 20h00"},
        {{2027, 6, 15, 22, 0, 0}, -480, ": 06h00 >"}, {{2027, 6, 15, 8, 0, 0}, 720, ": 20h00 <"},
    };
    for (const auto& c : cases) {
        Ui([&] {
            currentDateTime = c.local;
            dateTimeFixed = 1;
            currentSite.zoneMinutes = static_cast<int16_t>(c.zone);
            pl::StartTextLog();
            DrawHomeStatus();  // as after the clock's date form
        });
        std::string shown;
        Ui([&] {
            shown = ShownUniversalTime();
            pl::StopTextLog();
        });
        EXPECT_EQ(shown, c.shown) << c.local.year << "-" << c.local.month << "-" << c.local.day << " "
                                  << c.local.hour << ":" << c.local.minute << " zone " << c.zone;
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, HomeStatusOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
