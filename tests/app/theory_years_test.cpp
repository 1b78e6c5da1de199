// Years the planets' theory does not cover (it serves 1694-2296), in the
// running program with the device clock in such a year: each screen that
// shows a planet leaves it out or shows blanks, never "nan", "inf" or values
// of another date; what the Sun, the Moon and the moons' own theories give
// is still shown.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "assistants/planet_assistant.h"
#include "assistants/planet_detail_form.h"
#include "assistants/planet_detail_mode.h"
#include "assistants/planet_events.h"
#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "objects/object_info_form.h"
#include "objects/observing_list_form.h"
#include "platform/controls.h"
#include "platform/message_queue.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"
#include "ui/control_access.h"
#include "ui/forms.h"

namespace {

class TheoryYears : public ProgramTest, public ::testing::WithParamInterface<int> {
public:
    using ProgramTest::MainCommand;
    using ProgramTest::Ui;
    void Choose(int trigger, int list, int row) {
        Ui([=] {
            Set(list, row);
            pl::SendMessage(GetCurrentFormDialog(), pl::WM_COMMAND, static_cast<pl::WParam>(trigger | list << 16), 0);
        });
    }
    void Detail(void (*mode)(), int view) {
        Ui([=] {
            mode();
            planetDetailView = view;
            GotoForm(kPlanetDetailForm);
        });
    }
    static std::string Text(int id) { return pl::GetWindowText(pl::GetDlgItem(GetCurrentFormDialog(), id)); }

protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{GetParam(), 1, 1, 21, 0, 0});
        ASSERT_TRUE(StartProgram());
        Ui(Forget);
    }
    void TearDown() override {
        pl::StopTextLog();
        Ui(Forget);
    }
    // The assistants keep their dates and found events, the list its entries, for the whole run.
    static void Forget() {
        ResetPlanetAssistantState();
        FreeEventList();
        ResetPlanetDetailForm();
        selectionCount = selectionShownCount = 0;
    }
};

// Texts on the screen matching a pattern.
int Count(const std::vector<std::string>& texts, const char* pattern) {
    int n = 0;
    for (const std::string& t : texts) n += std::regex_search(t, std::regex(pattern));
    return n;
}

TEST_P(TheoryYears, PlanetsLeftOutOrBlankNeverNan) {
    using Texts = std::vector<std::string>;
    const struct {
        const char* name;
        std::function<void(TheoryYears&)> show;
        std::function<void(const Texts&)> check;
    } screens[] = {
        {"planet events: lunations and Pluto only",
         [](TheoryYears& t) {
             t.MainCommand(1017);
             t.Choose(2449, 2448, kPageEvents);
         },
         [](const Texts& texts) {
             EXPECT_GT(Count(texts, "Full Moon$"), 0);
             int planets = 0;
             for (int i = 0; i < plannerEventCount; ++i)
                 planets += plannerEvents[i].kind <= kEventConjunction && plannerEvents[i].body1 != 9;
             EXPECT_EQ(planets, 0);
         }},
        {"Jupiter's moon events: no bar for Jupiter",
         [](TheoryYears& t) { t.Detail(SetJupiterAssistantMode, kEventsView); },
         [](const Texts& texts) {  // the Sun's bar only; Io's events from its own theory
             EXPECT_EQ(Count(texts, "^12h$"), 1);
             EXPECT_GT(Count(texts, "^Io$"), 0);
         }},
        {"Saturn's moon events: no bar for Saturn",
         [](TheoryYears& t) { t.Detail(SetSaturnAssistantMode, kEventsView); },
         [](const Texts& texts) { EXPECT_EQ(Count(texts, "^12h$"), 1); }},
        {"Red Spot: dates without transits",
         [](TheoryYears& t) { t.Detail(SetJupiterAssistantMode, kRedSpotView); },
         [](const Texts& texts) {
             EXPECT_GT(Count(texts, "^\\d\\d/\\d\\d/\\d{4}$"), 5);
             EXPECT_EQ(Count(texts, "^\\d\\dh\\d\\d$"), 0);
         }},
        {"Mars view: no globe values",
         [](TheoryYears& t) { t.Detail(SetMarsAssistantMode, kMarsGlobeView); },
         [](const Texts& texts) { EXPECT_EQ(Count(texts, "^(Axis|Meridian Long\\.) \\(\xB0\\): $"), 2); }},
        {"Mars satellites: no orientation panel",
         [](TheoryYears& t) { t.Detail(SetMarsAssistantMode, kSatellitesView); },
         [](const Texts& texts) { EXPECT_EQ(Count(texts, "North Pole|Diameter"), 0); }},
        {"object information: Jupiter after the Sun",
         [](TheoryYears& t) {
             t.MainCommand(1007);
             t.Choose(kInfoTabTrigger, kInfoTabList, 7);
             t.Choose(kInfoObjectTrigger, kInfoObjectList, 0);
             EXPECT_NE(Text(kInfoRa), "");
             t.Choose(kInfoObjectTrigger, kInfoObjectList, 5);
         },
         [](const Texts&) { EXPECT_EQ(Text(kInfoRa) + Text(kInfoDec) + Text(kInfoMagnitude), ""); }},
        {"observing list: Jupiter's entry",
         [](TheoryYears& t) {
             t.Ui([] {
                 selectionList[0] = ListEntry("Jupiter", kDesignationPlanet, 5, 27, 3.5f, 18.0f);
                 selectionList[0].source = kSourcePlanet, selectionList[0].sourceIndex = 5;
                 selectionList[1].number = -1;
                 selectionCount = 1;
                 selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
                 selectionCurrentRow = 0;
                 GotoForm(kObservingListFormId);
             });
         },
         [](const Texts&) { EXPECT_EQ(Text(1799) + "|" + Text(1804) + Text(1805) + Text(1819), "Jupiter|"); }},
    };
    for (const auto& s : screens) {
        SCOPED_TRACE(s.name);
        Ui([] {
            GotoForm(kHomeFormId);
            pl::StartTextLog();
        });
        s.show(*this);
        Texts texts;  // once a place: a view drawn again may leave a text's earlier run beside it
        Ui([&] {
            std::set<std::tuple<int, int, std::string>> seen;
            for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
                if (seen.insert({run.cell.left, run.cell.top, run.text}).second) texts.push_back(run.text);
        });
        EXPECT_EQ(Count(texts, "nan|inf"), 0);
        s.check(texts);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
    }
}

INSTANTIATE_TEST_SUITE_P(Years, TheoryYears, ::testing::Values(1600, 2400));

}  // namespace
