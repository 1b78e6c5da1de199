// The ephemeris assistant (form 2530) in the running program: opened from the
// finder and from the object information form, its rows and headings as
// drawn, the finder target taking precedence, the step kept between
// openings, the clock, help and finder buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalog/object_lookup.h"
#include "list_screens_test.h"
#include "objects/ephemeris_form.h"
#include "objects/ephemeris_open.h"
#include "platform/text_log.h"

namespace {

using namespace list_screens_test;

constexpr int kMessierRow = 4, kStep30Days = 6, kPositionPage = 1;

class EphemerisForm : public ListScreensTest {
protected:
    void TearDown() override { pl::StopTextLog(); }
    // The texts drawn below the header since the log started, in drawing order.
    static std::vector<std::string> Drawn() {
        std::vector<std::string> texts;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            if (run.cell.top >= 24 && run.cell.bottom <= 296) texts.push_back(run.text);
        return texts;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    // The assistant opened as the object information form opens it.
    void OpenOn(int designation, int number) {
        Ui([designation, number] {
            ClearSelectedObject();
            const DateTime& t = currentDateTime;
            OpenEphemerisAssistant(number, designation, t.year, t.month, t.day, t.hour, t.minute);
        });
        ASSERT_EQ(GetCurrentFormId(), kEphemerisFormId) << BoxText();
    }
};

// From the finder with M31 on a date fixed at 15 January 2023: with the step
// "30d" the rows are 15/01/23, 14/02/23 and 16/03/23 (a common year), the
// title the object's two names.
TEST_F(EphemerisForm, ThirtyDayStepsFromTheFinder) {
    Start();
    Ui([] {
        dateTimeFixed = 1;
        currentDateTime = DateTime{2023, 1, 15, 20, 0, 0};
    });
    Ui([] { OpenFinder(1950, -1); });
    Choose(kFinderCatalogTrigger, kFinderCatalogList, kMessierRow);
    Choose(kFinderObjectTrigger, kFinderObjectList, 30);
    Press(kFinderEphemeris);
    ASSERT_EQ(GetCurrentFormId(), kEphemerisFormId);
    EXPECT_EQ((std::vector<std::string>{Text(kEphemerisDate), Text(kEphemerisTime)}),
              (std::vector<std::string>{"15/01/2023", "20:00"}));
    Ui([] { pl::StartTextLog(); });
    Choose(kEphemerisStepTrigger, kEphemerisStepList, kStep30Days);
    const std::vector<std::string> drawn = Drawn();
    const auto at = [&drawn](const char* text) { return std::find(drawn.begin(), drawn.end(), text) - drawn.begin(); };
    EXPECT_TRUE(Has(drawn, "M31, NGC224"));
    ASSERT_TRUE(Has(drawn, "15/01/23") && Has(drawn, "14/02/23") && Has(drawn, "16/03/23"));
    EXPECT_LT(at("15/01/23"), at("14/02/23"));
    EXPECT_LT(at("14/02/23"), at("16/03/23"));
    EXPECT_EQ(Get(kEphemerisStepList), kStep30Days);
}

// A target set in the finder is the table's object whatever the caller passed.
TEST_F(EphemerisForm, FinderTargetIsShownWhateverTheCallerPassed) {
    Start();
    Ui([] {
        ObjectRecord jupiter{};
        GetObjectByKind(kDesignationPlanet, 5, &jupiter, nullptr, 0, nullptr, 0, 1, nullptr);
        SetSelectedObject(&jupiter, 5);
        OpenEphemerisAssistant(30, kDesignationMessier, 2024, 3, 5, 21, 10);
        pl::StartTextLog();
    });
    Choose(kEphemerisPageTrigger, kEphemerisPageList, 0);
    EXPECT_EQ((std::vector<int>{ephemerisState.designation, ephemerisState.number}),
              (std::vector<int>{kDesignationPlanet, 5}));
    EXPECT_TRUE(Has(Drawn(), "Jupiter"));
}

// The headings of the two pages as drawn.
TEST_F(EphemerisForm, HeadingsOfBothPages) {
    Start();
    OpenOn(kDesignationConstellation, 60);
    Ui([] { pl::StartTextLog(); });
    Choose(kEphemerisPageTrigger, kEphemerisPageList, kPositionPage);
    std::vector<std::string> drawn = Drawn();
    for (const char* heading : {"Mag ", "Cnst", "RA", "Dec", "Az ", "Alt"}) EXPECT_TRUE(Has(drawn, heading)) << heading;
    EXPECT_TRUE(Has(drawn, "Ori, Orion"));
    Ui([] { pl::StartTextLog(); });
    Choose(kEphemerisPageTrigger, kEphemerisPageList, 0);
    drawn = Drawn();
    for (const char* heading : {"Rise ", "Transit ", "Alt", "Set"}) EXPECT_TRUE(Has(drawn, heading)) << heading;
    EXPECT_FALSE(Has(drawn, "Cnst"));
}

// The step chosen stays for the next opening; the page starts on Rise/Set.
TEST_F(EphemerisForm, StepIsKeptAcrossOpenings) {
    Start();
    OpenOn(kDesignationConstellation, 60);
    Choose(kEphemerisStepTrigger, kEphemerisStepList, kStep30Days);
    Choose(kEphemerisPageTrigger, kEphemerisPageList, kPositionPage);
    Press(kEphemerisBack);
    ASSERT_NE(GetCurrentFormId(), kEphemerisFormId);
    Ui([] { pl::StartTextLog(); });
    OpenOn(kDesignationConstellation, 60);
    EXPECT_EQ((std::vector<int>{Get(kEphemerisStepList), Get(kEphemerisPageList)}),
              (std::vector<int>{kStep30Days, 0}));
    EXPECT_EQ(ephemerisState.ephemerisStep, kStep30Days);
    const std::vector<std::string> drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "05/03/24") && Has(drawn, "04/04/24"));
}

// The clock starts the table at the device's date and time; the help of each
// page; the finder opens on the table's catalogue and comes back here.
TEST_F(EphemerisForm, ClockHelpAndFinder) {
    Start();
    Ui([] {
        dateTimeFixed = 1;
        currentDateTime = DateTime{2023, 1, 15, 20, 0, 0};
    });
    OpenOn(kDesignationMessier, 30);
    Press(kEphemerisClock);
    EXPECT_EQ((std::vector<std::string>{Text(kEphemerisDate), Text(kEphemerisTime)}),
              (std::vector<std::string>{"05/03/2024", "21:10"}));
    Press(kEphemerisUsage);
    EXPECT_EQ(BoxText(), "\x95 Display the rise and set ephemeris of an object.\n"
                         "\x95 Change the date step to adjust the ephemeris upon your needs.");
    Answer(pl::IDOK);
    Choose(kEphemerisPageTrigger, kEphemerisPageList, kPositionPage);
    Press(kEphemerisUsage);
    EXPECT_EQ(BoxText(), "\x95 Display the position ephemeris of an object.\n"
                         "\x95 Change the date step to adjust the ephemeris upon your needs.");
    Answer(pl::IDOK);
    Press(kEphemerisFinder);
    EXPECT_EQ(GetCurrentFormId(), kFinderFormId);
    EXPECT_EQ((std::vector<int>{finderReturnForm, finderPreselectKind}),
              (std::vector<int>{kEphemerisFormId, kDesignationMessier}));
}

}  // namespace
