// The telescope target of the screens without a chart of their own, in the
// running program on both screens: object information's and the finder's
// Goto on the Moon (the simulated LX200, or the serial line played by the
// test), and Jupiter and Mars from the list as stars of the 2-star and N-star
// alignments, against PyEphem (scripts/reference/scope_target_pyephem.py).
#include <gtest/gtest.h>

#include <string>

#include "chart/chart_scope.h"
#include "chart/scope_chart_fixture.h"
#include "ephemeris/planet_names.h"
#include "objects/current_object.h"
#include "objects/finder_form.h"
#include "objects/finder_open.h"
#include "objects/object_info_form.h"
#include "objects/selected_object.h"
#include "scope/alignment_restore.h"
#include "scope/n_star.h"
#include "scope/two_star.h"
#include "support/both_screens.h"
#include "support/reference_table.h"
#include "support/scripted_serial.h"

namespace {

using namespace sky_chart_test;

constexpr int kPlanetTab = 7, kMoonPosition = 2;  // object information: the Sun is position 1
constexpr int kPlanetRow = 5, kMoonRow = 1;       // the finder's catalogue and object popups
constexpr int kHomeForm = 1950, kTwoStarMenu = 1005, kNStarMenu = 1006;
enum class Screen { InfoNow, InfoEarlier, Finder };

class ScopeTarget : public OnBothScreens<ScopeChartTest> {
protected:
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "scope_target_pyephem.csv");

    // From the home form (a goto's scope form left while the mount is still
    // simulated), the device clock and the site of row i; the program's time
    // 2 hours earlier (fixed) or the clock's.
    void AtRow(std::size_t i, bool earlier) {
        Ui([] { GotoForm(kHomeForm); });
        auto get = [&](const char* column) { return static_cast<int>(ref.Get(i, column)); };
        const pl::LocalTime c{get("year"), get("month"), get("day"), get("hour"), get("minute"), 0};
        harness.setLocalTime(c);
        const bool london = ref.Text(i, "site") == "london";
        Ui([c, london, earlier] {
            london ? SetTestSite(51.5074, 0.1278, 0) : SetTestSite(-33.8688, -151.2093, 600);
            DateTime& t = currentDateTime;
            const double jd = JulianDayFromDateTime(c.year, c.month, c.day, c.hour, c.minute, 0, 0);
            CalendarFromJulianDay(jd - (earlier ? 2.0 : 0.0) / 24.0, &t.year, &t.month, &t.day, &t.hour, &t.minute,
                                  &t.second);
            dateTimeFixed = earlier ? 1 : 0;
        });
    }
    // The screen open on the Moon, then its Goto.
    void GotoTheMoon(Screen screen) {
        if (screen == Screen::Finder) {
            Ui([] { OpenFinder(kHomeForm, kDesignationPlanet); });
            Choose(kFinderCatalogTrigger, kFinderCatalogList, kPlanetRow);
            Choose(kFinderObjectTrigger, kFinderObjectList, kMoonRow);
            FormCommand(kFinderGoto);
            return;
        }
        Ui([] {
            ClearSelectedObject();
            selectionCurrentRow = -1;
            currentObjectBlock.tab = kPlanetTab;
            currentObjectBlock.index = currentObjectBlock.pendingIndex = kMoonPosition;
            GotoForm(kObjectInfoFormId);
        });
        ASSERT_EQ(std::string(currentObject.name), "Moon");
        FormCommand(kInfoGoto);
    }
    // The form's `button` (Star 1, Star 2, Add), row `row` of the chart's
    // object popup and the chart's Back: the form takes that object.
    void ChooseOnChart(int button, int form, int row) {
        FormCommand(button);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        Choose(kChartObjectTrigger, kChartObjectList, row);
        FormCommand(kChartBack);
        ASSERT_EQ(GetCurrentFormId(), form) << BoxText();
    }
    static SelectionEntry Body(int body) {
        SelectionEntry e = Entry(planetNameTable[body], kDesignationPlanet, body, 27, 0.0f, 0.0f);
        e.sourceIndex = static_cast<uint16_t>(body);
        return e;
    }
};

// Object information at the clock's time and 2 hours earlier and the finder
// 2 hours earlier, on the Moon at London and Sydney: with the Moon up by the
// device clock the simulated LX200 rests on its topocentric place then
// within 1'; with the Moon up at the screen's time but at -5 degrees by the
// clock, one message and nothing on the serial line. They sent the place of
// the screen's time in the position mode's kind (the default geocentric:
// 54' off) and judged the horizon at the screen's time.
TEST_P(ScopeTarget, ObjectInfoAndFinderSendTheMoonWhereItIsByTheDeviceClock) {
    Start(GetParam().width, GetParam().height, GetParam().dpi);
    for (std::size_t i = 0; i < ref.rows.size(); ++i)
        for (Screen screen : {Screen::InfoNow, Screen::InfoEarlier, Screen::Finder}) {
            const bool up = ref.Text(i, "case") == "goto";
            if (!up && ref.Text(i, "case") != "horizon") continue;
            SCOPED_TRACE(::testing::Message() << ref.Text(i, "case") << " " << ref.Text(i, "site") << " screen "
                                              << static_cast<int>(screen));
            AtRow(i, screen != Screen::InfoNow);
            ScriptedSerial line;
            Drive(kMeadeLx200Gps, up);
            GotoTheMoon(screen);
            EXPECT_EQ(BoxCount(), up ? 0 : 1);
            EXPECT_EQ(TakeBox(), up ? "" : "This object is below the horizon\n");
            if (!up) {
                EXPECT_EQ(line.opens + line.written.size(), 0u) << line.written;
                continue;
            }
            const auto sent = MountAtRest();
            EXPECT_LT(SeparationArcsec(sent.first, sent.second, ref.Get(i, "ra_h"), ref.Get(i, "dec_deg")), 60.0);
        }
}

// Jupiter and Mars from the list (placed for the program's time, 2 hours
// before the device clock) as the 2-star alignment's stars, as an N-star
// entry and by the chart's Improve Pointing: each stored place within 1' of PyEphem's topocentric place at the
// device clock refracted as a star's is (1013 mbar, 10 C). They were taken
// as J2000 places and precessed again (22' off).
TEST_P(ScopeTarget, PlanetsFromTheListAreAlignedOnTheirPlaceOfDate) {
    Start(GetParam().width, GetParam().height, GetParam().dpi);
    std::size_t jupiter = 0, mars = 0;
    for (std::size_t i = 0; i < ref.rows.size(); ++i)
        if (ref.Text(i, "case") == "align") (ref.Get(i, "body") == 5 ? jupiter : mars) = i;
    ASSERT_GT(jupiter * mars, 0u);
    AtRow(jupiter, true);
    Ui([] {
        preferences.word[kPrefDriveId] = 0;
        restoreOffered = 0;
        ResetTwoStar();
        ResetNStarList();
    });
    Put({Body(5), Body(4)}, 0);
    MainCommand(kTwoStarMenu);
    ChooseOnChart(kChooseStar1, kTwoStarForm, 0);
    ChooseOnChart(kChooseStar2, kTwoStarForm, 1);
    MainCommand(kNStarMenu);
    ChooseOnChart(kNStarAdd, kNStarForm, 1);
    const AlignmentStar entry = GetAlignmentStarList()[0];
    Ui([] { ImprovePointingFromChart(1); });  // the chart's Improve Pointing on its selection, Mars
    AnswerAll();
    const std::pair<const AlignmentStar*, std::size_t> stars[] = {
        {&alignStar1, jupiter}, {&alignStar2, mars}, {&entry, mars}, {&improvePointingStar, mars}};
    for (const auto& [star, i] : stars) {
        SCOPED_TRACE(star->name);
        EXPECT_LT(SeparationArcsec(star->ra / 15.0, star->dec, ref.Get(i, "ra_h"), ref.Get(i, "dec_deg")), 60.0);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ScopeTarget, ::testing::ValuesIn(kBothScreens));

}  // namespace
