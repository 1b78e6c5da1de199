// Every number field of the landed forms typed into as a person would: a text
// that is not a number, or one just past the field's range, gives exactly one
// box naming the field and its range; the field and the value the form keeps
// stay as they were, also after the form takes its fields; a good text is kept.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/lunar_eclipse.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/two_star.h"
#include "support/program_fixture.h"
#include "tools/camera_form.h"
#include "tools/camera_shots.h"
#include "tools/ccd_form.h"
#include "tools/observer_site.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

constexpr int kTextInputEdit = 137;

// How a form with number fields is reached: a preference page by its form
// number, the others by their menu command.
struct Opening {
    int form;
    int menu;  // 0: GotoForm(form)
};
constexpr Opening kPage1{1400, 0}, kPage2{1430, 0}, kPage5{1476, 0}, kPage6{1337, 0};
constexpr Opening kLocation{1200, 1002}, kEclipse{2700, 1029}, kCamera{kCameraForm, 1026}, kCcd{kCcdForm, 1020};
constexpr Opening kTwoStar{1300, 1005};

double Word(int w) { return preferences.word[w]; }
double Site(int16_t SiteRecord::*field) { return currentSite.*field; }
double LastSetting(int32_t ShotSetting::*field) {
    return ShotSettings().empty() ? -1 : ShotSettings().back().*field;
}

struct FieldCase {
    Opening opening;
    int field;
    const char* refusal;              // first line of the box
    std::vector<const char*> beyond;  // just past a bound, as the input can hold them
    const char* good;
    double goodValue;
    int take;                         // the command that takes the fields; 0: the edit itself
    double (*kept)();                 // the value the form keeps
};

// Ranges: the preference checks at start (encoder steps, Delta T), what the
// inputs hold (3 characters for the diameter, telrad rings and delay), the
// site's checks, the eclipse ephemerides' years, the CCD words' ranges. Good
// values: the site and eclipse examples 51 28 38 S (-51.4772), 0 07 39 E
// (-0.1275), 12:30:00 S (-12.5) and 5:00:00 E (-5), the rest worked by hand.
const std::vector<FieldCase>& Cases() {
    static const std::vector<FieldCase> cases = {
        {kPage1, 1419, "Az encoder steps must be a whole number between -32127 and 32127", {"32128", "-32128"},
         "-4096", -4096, 1425, [] { return Word(kPrefEncoderStepsAz); }},
        {kPage1, 1420, "Alt encoder steps must be a whole number between -32127 and 32127", {"32128", "-32128"},
         "2048", 2048, 1425, [] { return Word(kPrefEncoderStepsAlt); }},
        {kPage2, 1535, "Diameter must be a whole number between 20 and 999 mm", {"19"}, "250", 250, 1447,
         [] { return Word(kPrefDiameter); }},
        {kPage2, 1536, "F-Ratio must be between 1.2 and 100", {"1.19", "101"}, "8.5", 85, 1447,
         [] { return Word(kPrefFRatio); }},
        {kPage5, 1532, "Telrad 1 must be between 0 and 90\xB0", {"-1", "91"}, "1.5", 15, 1479,
         [] { return Word(kPrefTelradRing1); }},
        {kPage5, 1533, "Telrad 2 must be between 0 and 90\xB0", {"-1", "91"}, "3", 30, 1479,
         [] { return Word(kPrefTelradRing1 + 1); }},
        {kPage5, 1534, "Telrad 3 must be between 0 and 90\xB0", {"-1", "91"}, "6.5", 65, 1479,
         [] { return Word(kPrefTelradRing1 + 2); }},
        {kPage6, 1477, "GRS Longitude must be between 0 and 360\xB0", {"-0.01", "360.1"}, "250.5", 250.5, 1340,
         [] { return double(preferences.GetFloat(kPrefGrsLongitude)); }},
        {kPage6, 1478, "DeltaT must be above 40 and at most 200 s", {"40", "200.1"}, "69.25", 69.25, 1340,
         [] { return double(preferences.GetFloat(kPrefCurrentDeltaT)); }},
        {kPage6, 1565, "EQPlatForm Delay must be a whole number between 0 and 999 min", {"-1"}, "45", 45, 1340,
         [] { return double(static_cast<int16_t>(preferences.word[kPrefPlatformDelay] & 0xFFFF)); }},
        {kLocation, 1201, "Latitude must be between 0 and 90", {"90.01 N", "90:00:01 S", "4294967297"},
         "51\xB0" "28'38 S",
         -(51 + 28 / 60.0 + 38 / 3600.0), 1210, [] { return double(currentSite.latitude); }},
        {kLocation, 1202, "Longitude must be between 0 and 180", {"180.01 E", "180:00:01 W"}, "0\xB0" "07'39 E",
         -(7 / 60.0 + 39 / 3600.0), 1210, [] { return double(currentSite.longitude); }},
        {kLocation, 1203, "Elevation must be a whole number between 0 and 31999 m", {"-1", "32000"}, "1250", 1250,
         1210, [] { return Site(&SiteRecord::elevation); }},
        {kLocation, 1204, "GMT offset must be a whole number between -1439 and 1439 min", {"1440"}, "-300", -300,
         1210, [] { return Site(&SiteRecord::zoneMinutes); }},
        {kLocation, 1205, "Temperature must be a whole number between -70 and 59 \xB0" "C", {"-71", "60"}, "-12",
         -12, 1210, [] { return Site(&SiteRecord::temperature); }},
        {kLocation, 1206, "Pressure must be a whole number between 900 and 1100 mbar", {"899", "1101"}, "990", 990,
         1210, [] { return Site(&SiteRecord::pressure); }},
        {kLocation, 1207, "Humidity must be a whole number between 0 and 99 %", {"-1", "100"}, "85", 85, 1210,
         [] { return Site(&SiteRecord::humidity); }},
        {kEclipse, 2712, "Time must be between 0 and 24 h", {"24:00:01", "-0:00:01"}, "13:30:15", 48615, 2713,
         [] { return double(viewHour * 3600 + viewMinute * 60 + viewSecond); }},
        {kEclipse, 2715, "Latitude must be between 0 and 90", {"90:00:01 N"}, "12:30:00 S", -12.5, 2717,
         [] { return typedLatitude; }},
        {kEclipse, 2716, "Longitude must be between 0 and 180", {"180:00:01 E"}, "5:00:00 E", -5, 2717,
         [] { return typedLongitude; }},
        {kEclipse, 2708, "Year must be a whole number between 1700 and 2199", {"1699", "2200"}, "2026", 2026, 0,
         [] { return double(listStartYear); }},
        {kCamera, kShotsField, "Shots must be a whole number between 0 and 9999", {"-1"}, "3", 3, kCameraSave,
         [] { return LastSetting(&ShotSetting::shots); }},
        {kCamera, kExposureField, "Exposure time must be a whole number between 0 and 99999 s", {"-1"}, "30", 30,
         kCameraSave, [] { return LastSetting(&ShotSetting::exposureSeconds); }},
        {kCamera, kDelayField, "Delay must be a whole number between 0 and 99999 s", {"-1"}, "7", 7, kCameraSave,
         [] { return LastSetting(&ShotSetting::delaySeconds); }},
        {kCcd, kCcdWidthField, "Width must be between 0 and 200 mm", {"-0.1", "201"}, "3.05", 305, kCcdUpdate,
         [] { return Word(kPrefCcdWidth); }},
        {kCcd, kCcdHeightField, "Height must be between 0 and 200 mm", {"-0.1", "201"}, "14.8", 1480, kCcdUpdate,
         [] { return Word(kPrefCcdWidth + 1); }},
        {kCcd, kCcdPixelWidthField, "Pixel width must be between 0 and 100 \xB5m", {"-1", "101"}, "6.42", 642,
         kCcdUpdate, [] { return Word(kPrefCcdWidth + 2); }},
        {kCcd, kCcdPixelHeightField, "Pixel height must be between 0 and 100 \xB5m", {"-0.01", "100.01"}, "7.4",
         740, kCcdUpdate, [] { return Word(kPrefCcdWidth + 3); }},
        {kCcd, kCcdFocalField, "Scope focal must be a whole number between 0 and 20000 mm", {"-1", "20001"}, "1000",
         1000, kCcdUpdate, [] { return Word(kPrefCcdFocal); }},
        // The 2-star form takes each star field into its star at once (EQ
        // output: the readings are right ascension hours and declination).
        {kTwoStar, kTimeField1, "Star 1 time must be between 0 and 24 h", {"24:00:01", "-0:00:01"}, "21:30:00",
         322.5, 0, [] { return alignStar1.time; }},
        {kTwoStar, kRaField2, "Star 2 RA must be between 0 and 24 h", {"24:00:01", "-0:00:01"}, "05:30:00", 82.5, 0,
         [] { return alignStar2.ra; }},
        {kTwoStar, kDecField1, "Star 1 Dec must be between -90 and 90\xB0", {"90:00:01", "-90:00:01", "4294967297"},
         "-10:15:00",
         -10.25, 0, [] { return alignStar1.dec; }},
        {kTwoStar, kAxis1Field2, "Star 2 scope RA must be between 0 and 24 h", {"24:00:01"}, "06:00:00", 90, 0,
         [] { return alignStar2.reading1; }},
        {kTwoStar, kAxis2Field1, "Star 1 scope Dec must be between -90 and 90\xB0", {"-90:00:01"}, "45:30:00", 45.5, 0,
         [] { return alignStar1.reading2; }},
    };
    return cases;
}

class FieldsProgram : public ProgramTest {
protected:
    void SetUp() override {
        ResetCatalogState();
        ResetSiteSelection();
        ResetEclipseForm();
        ResetCameraShots();
        ASSERT_TRUE(StartProgram());
        ASSERT_EQ(BoxCount(), 0) << BoxText();
        Ui([] {
            preferences.word[kPrefDriveId] = 3;  // an encoder box: page 1 shows its step fields
            preferences.word[kPrefEncoderStepsAz] = 4000;
            preferences.word[kPrefEncoderStepsAlt] = -8192;
            preferences.word[kPrefDiameter] = 300;  // "Other" diameter and F-Ratio: their fields show
            preferences.word[kPrefFRatio] = 63;
        });
    }
    void TearDown() override { ResetSiteSelection(); }

    // Opens the case's form; the eclipse form gets a time and a place to take.
    void Open(const Opening& o) {
        // The 2-star form would connect the encoder box of the set-up.
        if (o.form == kTwoStar.form) Ui([] { preferences.word[kPrefDriveId] = 0; });
        if (o.menu) MainCommand(o.menu);
        else Ui([o] { GotoForm(o.form); });
        ASSERT_EQ(GetCurrentFormId(), o.form);
        if (o.form == kEclipse.form)
            Ui([] {
                pl::Hwnd form = GetCurrentFormDialog();
                pl::SetDlgItemText(form, 2712, "12:00:00");
                pl::SetDlgItemText(form, 2715, "10:00:00 N");
                pl::SetDlgItemText(form, 2716, "20:00:00 W");
            });
    }
    std::string Text(int id) const { return pl::GetDlgItemText(GetCurrentFormDialog(), id); }
    // Taps the field (its text input opens), types `text` and presses Ok.
    void Type(int field, const std::string& text) {
        pl::Hwnd form = GetCurrentFormDialog();
        Ui([form, field] { pl::PostMessage(form, kMsgEditField, static_cast<pl::WParam>(field), 0); });
        input = pl::GetActiveWindow();
        ASSERT_NE(input, form);
        Ui([this, text] { pl::SetDlgItemText(input, kTextInputEdit, text); });
        pl::Hwnd typedInto = input;
        Ui([typedInto] { pl::SendMessage(typedInto, pl::WM_COMMAND, pl::IDOK, 0); });
    }
    void Take(int command) {
        if (command) FormCommand(command);
    }
    pl::Hwnd input = nullptr;
};

class NumberFields : public FieldsProgram, public ::testing::WithParamInterface<int> {};
class DeltaTField : public FieldsProgram {};
class ZoneField : public FieldsProgram {};
class BlankBeforeANumber : public FieldsProgram {};

// One run per form (the parameter is its number), so that the forms run side by side.
TEST_P(NumberFields, BadTextsGiveOneBoxAndChangeNothingGoodTextsAreKept) {
    bool shot = false;
    for (const FieldCase& c : Cases()) {
        if (c.opening.form != GetParam()) continue;
        SCOPED_TRACE(std::to_string(c.field) + " " + c.refusal);
        Open(c.opening);
        Take(c.take);
        ASSERT_EQ(BoxCount(), 0) << BoxText();
        const double before = c.kept();
        std::vector<const char*> bad = {"abc", "1e400", "", "12abc"};
        bad.insert(bad.end(), c.beyond.begin(), c.beyond.end());
        for (const char* text : bad) {
            Open(c.opening);
            const std::string shown = Text(c.field);
            Type(c.field, text);
            ASSERT_EQ(BoxCount(), 1) << "'" << text << "'";
            const std::string box = BoxText();
            EXPECT_EQ(box.substr(0, box.find('\n')), c.refusal) << "'" << text << "'";
            if (!shot) Shot(("number_field_refused_" + std::to_string(GetParam()) + ".png").c_str());
            shot = true;
            AnswerAll();
            ASSERT_TRUE(pl::IsWindow(input)) << "'" << text << "'";  // open for another try
            EXPECT_EQ(pl::GetFocus(), pl::GetDlgItem(input, kTextInputEdit));
            Ui([this] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
            EXPECT_EQ(Text(c.field), shown) << "'" << text << "'";
            Take(c.take);
            EXPECT_EQ(BoxCount(), 0) << BoxText();
            EXPECT_EQ(c.kept(), before) << "'" << text << "'";
        }
        Open(c.opening);
        Type(c.field, c.good);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_FALSE(pl::IsWindow(input));
        Take(c.take);
        EXPECT_NEAR(c.kept(), c.goodValue, 1e-4) << c.good;
    }
}

// The contacts of the total lunar eclipse of 2026 March 3, a date whose Delta T
// is the preference's.
LunarEclipseContacts ContactsOf2026March3() {
    LunarEclipseContacts c;
    ComputeLunarEclipseContacts(EclipseEvent{0, kEclipseTotal, 2026, 3, 3, 11, 33, 0, 0, -1}, &c);
    return c;
}

// "abc" as the current Delta T is refused, and the contacts stay where they
// were (greatest eclipse at about 11:33 UT in F. Espenak's NASA lunar eclipse
// predictions; the lunation method holds it within a few minutes). A Delta T
// typed 60 s larger moves them a minute earlier, so the contacts do follow
// the field.
TEST_F(DeltaTField, NotANumberLeavesTheEclipseContactsOf2026March3) {
    LunarEclipseContacts before{}, after{}, moved{};
    Ui([&] { before = ContactsOf2026March3(); });
    EXPECT_NEAR(before.greatest, 2461102.5 + (11 * 60 + 33) / 1440.0, 3.0 / 1440);
    Open(kPage6);
    Type(1478, "abc");
    EXPECT_EQ(BoxCount(), 1);
    AnswerAll();
    Ui([this] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
    FormCommand(1340);  // Ok saves page 6
    EXPECT_FLOAT_EQ(preferences.GetFloat(kPrefCurrentDeltaT), 66.184f);
    Ui([&] { after = ContactsOf2026March3(); });
    const double LunarEclipseContacts::*contacts[] = {&LunarEclipseContacts::p1, &LunarEclipseContacts::u1,
                                                      &LunarEclipseContacts::u2, &LunarEclipseContacts::greatest,
                                                      &LunarEclipseContacts::u3, &LunarEclipseContacts::u4,
                                                      &LunarEclipseContacts::p4};
    for (auto contact : contacts) EXPECT_EQ(after.*contact, before.*contact);
    Open(kPage6);
    Type(1478, "126.2");
    EXPECT_EQ(BoxCount(), 0);
    FormCommand(1340);
    Ui([&] { moved = ContactsOf2026March3(); });
    for (auto contact : contacts) EXPECT_NEAR((before.*contact - moved.*contact) * 86400.0, 60.016, 0.01);
}

// With daylight saving on, the zone field holds standard time and the site's
// zone is an hour more: 1380 would make it 1440, past the range, and is
// refused with the field's range moved by the hour; 1379 gives 1439.
TEST_F(ZoneField, DaylightSavingMovesTheZoneFieldsRangeByAnHour) {
    Open(kLocation);
    Ui([] { pl::CheckDlgButton(GetCurrentFormDialog(), 1222, true); });
    FormCommand(1222);
    ASSERT_EQ(currentSite.daylightSaving, 1);
    Type(1204, "1380");
    EXPECT_EQ(BoxText(), "GMT offset must be a whole number between -1499 and 1379 min\n");
    AnswerAll();
    Ui([this] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
    Type(1204, "1379");
    EXPECT_EQ(BoxCount(), 0);
    FormCommand(1210);  // Ok
    EXPECT_EQ(currentSite.zoneMinutes, 1439);
}

// The zone's input kept 4 characters, so "-1439" was taken as -143 without a
// word; it takes the 5 the field allows, with daylight saving too ("-1499",
// an hour less, is the site's -1439), and refuses a sixth with its box.
TEST_F(ZoneField, FiveCharacterZoneWasCutToFour) {
    const struct {
        bool daylight;
        const char* text;
        int zone;
    } cases[] = {{false, "-1439", -1439}, {false, "+840", 840}, {false, "1439", 1439}, {true, "-1499", -1439}};
    for (const auto& c : cases) {
        Open(kLocation);
        Ui([&c] { pl::CheckDlgButton(GetCurrentFormDialog(), 1222, c.daylight); });
        FormCommand(1222);
        ASSERT_EQ(currentSite.daylightSaving, c.daylight ? 1 : 0);
        Type(1204, c.text);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        FormCommand(1210);  // Ok
        EXPECT_EQ(currentSite.zoneMinutes, c.zone) << c.text;
    }
    Open(kLocation);
    Type(1204, "-01439");  // daylight saving still on
    EXPECT_EQ(BoxText(), "GMT offset must be a whole number between -1499 and 1379 min\nAt most 5 characters");
    AnswerAll();
    Ui([this] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
}

// A whole number typed after a blank, which the field's input takes, was read
// back by ParseInt, which skips no blank: " 990" mbar was 0 (the pressure
// emptied and not kept), " 1250" m an elevation of 0, " -300" a zone of 0,
// " 30" s an exposure of 0, " 1000" mm a focal of 0 (the telescope's taken
// instead). Each is the number typed.
TEST_F(BlankBeforeANumber, WholeNumberTypedAfterABlankWasReadAsZero) {
    const struct {
        Opening opening;
        int field;
        const char* text;
        double value;
    } cases[] = {
        {kLocation, 1203, " 1250", 1250}, {kLocation, 1204, " -300", -300}, {kLocation, 1205, " -5", -5},
        {kLocation, 1206, " 990", 990},   {kLocation, 1207, " 85", 85},     {kCamera, kShotsField, " 3", 3},
        {kCamera, kExposureField, " 30", 30}, {kCamera, kDelayField, "\t7", 7}, {kCcd, kCcdFocalField, " 1000", 1000},
    };
    for (const auto& t : cases) {
        const auto c = std::find_if(Cases().begin(), Cases().end(), [&](const FieldCase& f) {
            return f.opening.form == t.opening.form && f.field == t.field;
        });
        ASSERT_NE(c, Cases().end()) << t.field;
        Open(t.opening);
        Type(t.field, t.text);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        if (c->take) FormCommand(c->take);
        EXPECT_EQ(c->kept(), t.value) << "'" << t.text << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, NumberFields,
                         ::testing::Values(kPage1.form, kPage2.form, kPage5.form, kPage6.form, kLocation.form,
                                           kEclipse.form, kCamera.form, kCcd.form, kTwoStar.form),
                         [](const ::testing::TestParamInfo<int>& info) { return "Form" + std::to_string(info.param); });

}  // namespace
