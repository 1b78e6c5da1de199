// The polar alignment assistant (form 2470) over the running program with the
// sky chart for the star choices: 51 N 0 E, zone 0, 5 March 2024 21:10 by the
// device clock. Where Polaris must sit in the finder is checked against
// Meeus's sidereal time (eq. 12.4) and rigorous precession (eq. 21.2 to
// 21.4) of its J2000 place, not against the program's own numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "chart/sky_chart_fixture.h"
#include "core/preferences.h"
#include "platform/device_services.h"
#include "platform/dialog.h"
#include "platform/window.h"
#include "platform/focus.h"
#include "platform/messages.h"
#include "scope/polar_drift.h"
#include "scope/polar_form.h"
#include "scope/polar_view.h"
#include "ui/night_colors.h"
#include "support/meeus_horizon.h"

namespace {

using namespace sky_chart_test;

constexpr uint32_t kLightGrey = 0xC8C8C8;  // (204, 204, 204) at 5 bits a channel
constexpr uint32_t kMarkRed = 0xC80000;    // (200, 0, 0)
constexpr uint32_t kBlack = 0x000000;
constexpr double kPi = 3.14159265358979323846;

// Polaris's right ascension (hours) of the mean equinox of a Julian day by
// Meeus's rigorous precession from its J2000 place (proper motion left out).
double PrecessedPolarisRa(double jd) {
    const double t = (jd - 2451545.0) / 36525.0, arc = kPi / 648000.0;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * arc;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * arc;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * arc;
    const double a0 = 2.5301955556 * 15.0 * kDegToRad, d0 = 89.2640888889 * kDegToRad;
    const double a = std::cos(d0) * std::sin(a0 + zeta);
    const double b = std::cos(theta) * std::cos(d0) * std::cos(a0 + zeta) - std::sin(theta) * std::sin(d0);
    return std::fmod((std::atan2(a, b) + z) / kDegToRad / 15.0 + 24.0, 24.0);
}

class PolarForm : public SkyChartTest {
protected:
    void SetUp() override {
        Start(screenWidth, screenHeight, screenDpi);
        WriteStarNames();
        Ui([] {
            ResetStarCatalog();
            ReopenDatabases(1);
            ResetPolarForm();
            preferences.SetFloat(kPrefPolarResolution, 0.0f);
            preferences.word[kPrefDriveId] = 0;
        });
        MainCommand(1019);
        ASSERT_EQ(GetCurrentFormId(), kPolarForm) << BoxText();
    }
    int screenWidth = 240, screenHeight = 320, screenDpi = 96;
    void TearDown() override {
        AnswerAll();
        Ui([] { ResetPolarForm(); });
    }
    // Names for the chosen stars, so that "1" and "3" can list the bright stars.
    void WriteStarNames() {
        const char* names[] = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"};
        std::vector<record_writer::Bytes> records;
        for (int half = 0; half < 2; ++half)
            for (int i = 0; i < 5; ++i)
                records.push_back(record_writer::BrightStarNameBytes(names[i], static_cast<int16_t>(kChosen[i].index)));
        WriteFile(folder.path() / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, records));
    }
    std::string Text(int id) const { return pl::GetDlgItemText(GetCurrentFormDialog(), id); }
    bool Shown(int id) const { return pl::IsWindowVisible(Item(id)); }
    void Method(int row) { Choose(kPolarMethodTrigger, kPolarMethodList, row); }
    void SetText(int id, const char* text) {
        Ui([id, text] { pl::SetDlgItemText(GetCurrentFormDialog(), id, text); });
    }
    // Taps the field, types `text` into its text input and presses Ok.
    void Type(int id, const char* text) {
        const pl::Hwnd form = GetCurrentFormDialog();
        Ui([form, id] { pl::PostMessage(form, kMsgEditField, static_cast<pl::WParam>(id), 0); });
        const pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, form);
        Ui([input, text] {
            pl::SetDlgItemText(input, 137, text);
            pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0);
        });
    }
    // The form's client point on the screen.
    static pl::Point Screen(int x, int y) {
        pl::Point p{x, y};
        pl::ClientToScreen(GetCurrentFormDialog(), &p);
        return p;
    }
    // A tap `dx` screen pixels right and `dy` up from the reticle box's centre.
    void TapReticle(int dx, int dy) {
        XywhRect box;
        Ui([&box] { box = PolarReticleBox(); });
        Tap(Screen(box.x + box.width / 2 + dx, box.y + box.height / 2 - dy));
    }
    // Answers `count` boxes, each expected to contain `part`.
    void AnswerBoxes(int count, const std::string& part) {
        for (int i = 0; i < count; ++i) {
            ASSERT_NE(BoxText().find(part), std::string::npos) << i << ": " << BoxText();
            Answer(pl::IDOK);
        }
    }
    // "1", the chart's object put at declination `dec`, back to the form.
    void ChooseEquatorStar(float dec) {
        FormCommand(kPolarEquatorStar);
        ASSERT_EQ(BoxText(), "Point to a star which is\nin the vicinity of the celestial equator (Dec=0");
        Answer(pl::IDOK);
        ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
        Ui([dec] {
            ObjectRecord star{};
            star.rightAscension = 6.0f;
            star.declination = dec;
            star.objectType = 30;
            SetChartState16(&star);
        });
        FormCommand(kChartBack);
        ASSERT_EQ(GetCurrentFormId(), kPolarForm) << BoxText();
    }
    // Pixels of `colour` within radius r of a form point, and their centroid.
    int CountNear(int cx, int cy, int r, uint32_t colour, double* mx = nullptr, double* my = nullptr) const {
        int n = 0;
        double sx = 0, sy = 0;
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r) continue;
                const pl::Point p = Screen(x, y);
                if (Pixel(p.x, p.y) != colour) continue;
                ++n, sx += x, sy += y;
            }
        if (mx && n) *mx = sx / n;
        if (my && n) *my = sy / n;
        return n;
    }
};

TEST_F(PolarForm, QuickViewPlacesPolarisEveryHalfHour) {
    Shot("polar_quick.png");
    EXPECT_EQ(Text(kPolarTimeField), "21:10");
    EXPECT_FALSE(Shown(kPolarResolutionField));
    EXPECT_FALSE(Shown(kPolarEquatorStar));
    EXPECT_TRUE(Shown(kPolarDateField));
    const double jd = 2460375.5 + (21 + 10 / 60.0) / 24.0;  // 2024-03-05 21:10 UT
    const double ra = PrecessedPolarisRa(jd);
    // Four reticles of radius 60 in two rows, centred across the 240 form.
    const int centres[4][2] = {{60, 108}, {180, 108}, {60, 228}, {180, 228}};
    for (int k = 0; k < 4; ++k) {
        const int cx = centres[k][0], cy = centres[k][1];
        EXPECT_GT(CountNear(cx, cy, 60, kLightGrey), 300) << "reticle " << k;
        double mx = 0, my = 0;
        ASSERT_GT(CountNear(cx, cy, 58, kMarkRed, &mx, &my), 15) << "Polaris in reticle " << k;
        const double lst = MeeusSiderealTime(2024, 3, 5, 21 + (10 + 30.0 * k) / 60.0);
        const double expected = std::remainder((lst - ra) * 15.0, 360.0);
        const double shown = std::atan2(mx - cx, my - cy) / kDegToRad;  // from the bottom towards the right
        EXPECT_NEAR(std::remainder(shown - expected, 360.0), 0.0, 3.0) << "reticle " << k;
        EXPECT_NEAR(std::hypot(mx - cx, my - cy), 57 * 2.5301955556 / ra, 2.0) << "reticle " << k;
    }
}

TEST_F(PolarForm, DriftViewsShowTheReticleBox) {
    for (int method : {1, 2})
        for (int reticle : {0, 1}) {
            Method(method);
            Choose(kPolarReticleTrigger, kPolarReticleList, reticle);
            const std::string name = std::string("polar_") + (method == 1 ? "king" : "rambaut") +
                                     (reticle ? "_grid" : "_cross") + ".png";
            Shot(name.c_str());
            EXPECT_TRUE(Shown(kPolarResolutionField) && Shown(kPolarEquatorStar) && Shown(kPolarXField));
            EXPECT_EQ(Text(kPolarLambdaLabel), method == 2 ? "Lambda" : "lambda");
            XywhRect box;
            Ui([&box] { box = PolarReticleBox(); });
            // The box's top edge and the cross through its centre are drawn in ink.
            int edge = 0, cross = 0;
            for (int x = box.x; x < box.x + box.width; ++x) {
                const pl::Point top = Screen(x, box.y), mid = Screen(x, box.y + 29);
                edge += Pixel(top.x, top.y) == kBlack;
                cross += Pixel(mid.x, mid.y) == kBlack;
            }
            EXPECT_GE(edge, 55) << name;
            EXPECT_GE(cross, 55) << name;
            // The grid rules the box every 10 pixels; the cross leaves it white.
            const pl::Point ruled = Screen(box.x + 29 + 10, box.y + 10);
            EXPECT_EQ(Pixel(ruled.x, ruled.y), reticle ? kLightGrey : 0xF8F8F8u) << name;
        }
}

TEST_F(PolarForm, ResolutionBeforeTheEquatorStarIsRefused) {
    Method(1);
    FormCommand(kPolarMeasure);
    EXPECT_EQ(BoxText(), "Please before select a star to set resolution.\n");
}

TEST_F(PolarForm, TapBeforeTheTimerIsRefused) {
    Method(2);
    TapReticle(5, 5);
    EXPECT_EQ(BoxText(), "Star timer fisrt\n");
}

TEST_F(PolarForm, ResolutionFromAFiftyNineSecondCrossing) {
    Method(1);
    for (auto [dec, shown] : {std::pair{0.0f, "15.00"}, std::pair{60.0f, "7.50"}}) {
        ChooseEquatorStar(dec);
        FormCommand(kPolarMeasure);  // accepted right after "1"
        Shot("polar_resolution.png");
        AnswerBoxes(1, "western edge of the field of view (Position A, as shown).");
        AnswerBoxes(1, "turn off the tracking");
        AnswerBoxes(1, "Adjust your reticle");
        AnswerBoxes(1, "Position A and then tap Ok");
        harness.advance(59000);
        AnswerBoxes(1, "when the star reaches Position B.");
        EXPECT_EQ(BoxCount(), 0);
        EXPECT_EQ(Text(kPolarResolutionField), shown);
        float stored = 0;
        Ui([&stored] { stored = preferences.GetFloat(kPrefPolarResolution); });
        EXPECT_FLOAT_EQ(stored, static_cast<float>(std::atof(shown)));
    }
}

TEST_F(PolarForm, AlarmThenATapAtTheCentreGivesNoError) {
    Method(1);
    SetText(kPolarResolutionField, "2.50");
    SetText(kPolarRaField, "06:00:00");
    SetText(kPolarCorrectField, "5");
    Choose(kPolarAlarmTrigger, kPolarAlarmList, 0);
    AnswerBoxes(1, "An alarm will remain you in 8mn to indicate where is the targeted star on your the reticle.");
    harness.advance(8 * 60 * 1000 + 1000);
    EXPECT_EQ(BoxText(), "Tap on the reticule chart where the star is now.\n");
    const auto log = pl::SoundLog();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const pl::SoundRecord& r) { return r.name == "polarAlarm"; }));
    Answer(pl::IDOK);
    TapReticle(0, 0);
    Shot("polar_king_drift.png");
    EXPECT_EQ(Text(kPolarXField), "0.00");
    EXPECT_EQ(Text(kPolarYField), "0.00");
    AnswerBoxes(1, "Move the north end of the hh axis 0.00 FOV to the ");
    AnswerBoxes(1, "with star at declination 5 degree 0.00 FOV to the ");
    AnswerBoxes(1, "elevation of the hh axis 0.00 FOV");
    for (int id : {kPolarLambdaField, kPolarAzimuthField, kPolarAltitudeField}) EXPECT_EQ(Text(id), "0.00") << id;
    EXPECT_EQ(polarStep, 4);
}

TEST_F(PolarForm, RambautWithoutResolutionCountsInfiniteFields) {
    Method(2);
    SetText(kPolarRaField, "06:00:00");
    SetText(kPolarDecField, "20");
    SetText(kPolarCorrectField, "20");
    Choose(kPolarAlarmTrigger, kPolarAlarmList, 4);
    AnswerBoxes(1, "Wait some minutes without tracking and then tap on the reticule chart");
    harness.advance(10 * 60 * 1000);
    TapReticle(12, -7);
    EXPECT_EQ(Text(kPolarXField), "12.0000");
    EXPECT_EQ(Text(kPolarYField), "-7.0000");
    AnswerBoxes(1, "Move the north end of the hour axis inf FOV to the ");
    AnswerBoxes(1, "with star at declination 20 degrees inf FOV to the ");
    AnswerBoxes(1, "elevation of the hour axis inf FOV");
    for (int id : {kPolarAngleField, kPolarLambdaField, kPolarAzimuthField, kPolarAltitudeField}) {
        const std::string text = Text(id);
        EXPECT_TRUE(std::isfinite(std::atof(text.c_str()))) << id << " " << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << id << " " << text;
    }
}

TEST_F(PolarForm, TapBeforeTheAlarmRemovesIt) {
    Method(1);
    SetText(kPolarResolutionField, "2.00");
    Choose(kPolarAlarmTrigger, kPolarAlarmList, 1);
    AnswerBoxes(1, "in 16mn");
    harness.advance(5 * 60 * 1000);
    TapReticle(10, 0);
    AnswerBoxes(1, "Remove previous alarm.");
    AnswerBoxes(3, "FOV");
    harness.advance(20 * 60 * 1000);
    EXPECT_EQ(BoxCount(), 0);  // no alarm any more
}

TEST_F(PolarForm, TargetStarFillsItsPlace) {
    Method(2);
    FormCommand(kPolarTargetStar);
    ASSERT_EQ(BoxText(),
              "\x95 Choose a star close to the object you want to\nfollow and put it at the center of the field of view "
              "(Position A).");
    Answer(pl::IDOK);
    ASSERT_EQ(GetCurrentFormId(), kSkyChartFormId) << BoxText();
    Ui([] {
        preferences.word[kPrefRaFormat] = 1;
        preferences.word[kPrefDecFormat] = 1;
        ObjectRecord star{};
        star.rightAscension = 6.5f;
        star.declination = -12.25f;
        star.objectType = 30;
        SetChartState16(&star);
    });
    FormCommand(kChartBack);
    ASSERT_EQ(GetCurrentFormId(), kPolarForm) << BoxText();
    EXPECT_EQ(polarStep, 3);
    EXPECT_EQ(Text(kPolarRaField), "06:30:00");
    EXPECT_EQ(Text(kPolarDecField), "-12:15:00");
    EXPECT_EQ(Text(kPolarCorrectField), "-12:15:00");
    // "2" is taken after "3" too.
    FormCommand(kPolarMeasure);
    EXPECT_NE(BoxText().find("Put the star on the"), std::string::npos) << BoxText();
}

// The declinations typed for the King ("Correct") and Rambaut ("Dec") methods
// are read as their fields take them: one decimal of the minutes was read and
// a decimal comma in them taken for the seconds' separator ("40:0,9" as 40 deg
// 00' 09"), the seconds' decimals dropped. Values by hand, to 0.1".
TEST_F(PolarForm, TypedDeclinationsKeepEveryDecimal) {
    Method(2);
    const struct {
        const char* text;
        double degrees;
    } cases[] = {{"40:0,9", 40 + 0.9 / 60},          {"-33:52.13", -(33 + 52.13 / 60)},
                 {"12:34:56.7", 12 + 34 / 60.0 + 56.7 / 3600}, {"-5:07:30,25", -(5 + 7 / 60.0 + 30.25 / 3600)},
                 {"89\xB0" "59,99'", 89 + 59.99 / 60},   {"0,5", 0.5}};
    for (const auto& c : cases)
        for (int field : {kPolarCorrectField, kPolarDecField}) {
            Type(field, c.text);
            ASSERT_EQ(BoxCount(), 0) << BoxText();
            PolarInputs in;
            Ui([&in] { in = ReadPolarInputs(); });
            const double read = (field == kPolarCorrectField ? in.dec : in.rambautDec) / kDegToRad;
            EXPECT_NEAR(read, c.degrees, 0.1 / 3600) << c.text << " " << field;
        }
}

// A drift started after midnight takes the clock's date with its time, so
// the starting hour angle is today's, not that of the date the form showed.
TEST_F(PolarForm, DriftStartTakesTheClocksDate) {
    Method(2);
    harness.setLocalTime(pl::LocalTime{2024, 3, 6, 0, 20, 0});
    Choose(kPolarAlarmTrigger, kPolarAlarmList, 4);
    AnswerBoxes(1, "Wait some minutes");
    EXPECT_EQ(polarDateTime.year, 2024);
    EXPECT_EQ(polarDateTime.month, 3);
    EXPECT_EQ(polarDateTime.day, 6);
    EXPECT_EQ(polarDateTime.hour, 0);
    EXPECT_EQ(polarDateTime.minute, 20);
}

TEST_F(PolarForm, ClockAndHelp) {
    harness.setLocalTime(pl::LocalTime{2024, 3, 5, 23, 45, 0});
    FormCommand(kPolarClock);
    EXPECT_EQ(Text(kPolarTimeField), "23:45");
    FormCommand(kPolarHelp);
    EXPECT_EQ(BoxText(),
              "\x95 Displays the current position of Polaris as seen through a PolarFinder scope for a quick "
              "alignment.\n\x95 Use clock button to update time or tap on date and time to manually adjust.");
    Answer(pl::IDOK);
    Method(1);
    FormCommand(kPolarHelp);
    EXPECT_EQ(BoxText().substr(0, 30), "\x95 Use the King method to achie");
    Answer(pl::IDOK);
    Method(2);
    FormCommand(kPolarHelp);
    EXPECT_EQ(BoxText(),
              "\x95 Use the Rambaut method to achieve a polar alignment everywhere.\n\x95 Tap on the numbered "
              "assistants to take you through the process.");
}

// At night the reticles are drawn in the night red less 5 and nothing of
// the form gives green or blue light.
TEST_F(PolarForm, NightQuickViewIsRed) {
    Ui([] {
        preferences.word[kPrefNightMode] = 1;
        ApplyNightModeColors(1);
    });
    FormCommand(kPolarBack);
    MainCommand(1019);
    ASSERT_EQ(GetCurrentFormId(), kPolarForm) << BoxText();
    Shot("polar_quick_night.png");
    EXPECT_GT(CountNear(60, 108, 60, 0x600000), 300);  // red 102 - 5 = 97 at 5 bits a channel
    int notRed = 0;
    for (int y = 0; y < 294; ++y)
        for (int x = 0; x < 240; ++x) {
            const uint32_t p = harness.pixel(x, y);
            notRed += ((p >> 8) & 0xFF) >= 0x20 || (p & 0xFF) >= 0x20;
        }
    EXPECT_EQ(notRed, 0);
    Ui([] {
        preferences.word[kPrefNightMode] = 0;
        ApplyNightModeColors(0);
    });
}

TEST_F(PolarForm, AlarmOutlivesALeaveOfTheForm) {
    Method(1);
    Choose(kPolarAlarmTrigger, kPolarAlarmList, 0);
    AnswerBoxes(1, "in 8mn");
    FormCommand(kPolarBack);
    ASSERT_NE(GetCurrentFormId(), kPolarForm);
    harness.advance(60000);
    MainCommand(1019);
    ASSERT_EQ(GetCurrentFormId(), kPolarForm) << BoxText();
    harness.advance(7 * 60 * 1000);
    EXPECT_EQ(BoxText(), "Tap on the reticule chart where the star is now.\n");
}

// The same form on a high-resolution screen: the views scale with it.
class PolarFormLarge : public PolarForm {
protected:
    PolarFormLarge() { screenWidth = 480, screenHeight = 640, screenDpi = 192; }
};

TEST_F(PolarFormLarge, ViewsScaleWithTheScreen) {
    Shot("polar_quick_192.png");
    // Reticles of radius 120 pixels: the centre of the first at (120, 216).
    EXPECT_GT(CountNear(120, 216, 120, kLightGrey), 1200);
    double mx = 0, my = 0;
    EXPECT_GT(CountNear(120, 216, 116, kMarkRed, &mx, &my), 60);
    Method(1);
    Shot("polar_king_192.png");
    XywhRect box;
    Ui([&box] { box = PolarReticleBox(); });
    EXPECT_EQ(box.width, 118);
    EXPECT_EQ(box.height, 118);
    // A tap 20 screen pixels right of the centre is 10 reticle pixels.
    Method(1);
    Choose(kPolarAlarmTrigger, kPolarAlarmList, 4);
    AnswerBoxes(1, "Wait some minutes");
    harness.advance(60000);
    TapReticle(20, 0);
    EXPECT_EQ(Text(kPolarXField), "10.00");
}

}  // namespace
