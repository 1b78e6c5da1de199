// The object information form (112) in the running program: stepping through
// a tab with the keys, Sky and Goto and their refusals, the gauge and the
// help boxes, the details button of each kind of object, the lower panel, the
// pictures and the forms it hands the object to.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "assistants/planet_detail_mode.h"
#include "catalog/object_pictures.h"
#include "chart/chart_views.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "list_screens_test.h"
#include "objects/current_object.h"
#include "objects/ephemeris_form.h"
#include "objects/ephemeris_open.h"
#include "objects/object_info.h"
#include "objects/object_info_form.h"
#include "objects/object_info_panel.h"
#include "orbits/orbit_assistant_state.h"
#include "platform/message_box.h"
#include "platform/text_log.h"
#include "scope/scope_dispatch.h"
#include "support/reference_table.h"
#include "support/both_screens.h"
#include "support/event_texts.h"
#include "support/jpeg_file.h"
#include "tools/twilight_graph.h"
#include "ui/simple_controls.h"

namespace {

using namespace list_screens_test;

constexpr int kBrightStarTab = 0, kCaldwellTab = 1, kCometTab = 2, kConstellationTab = 3, kMessierTab = 5, kPlanetTab = 7;
constexpr int kHome = 1950, kChart = 1900;

class ObjectInfoForm : public ListScreensTest {
protected:
    void TearDown() override {
        pl::StopTextLog();
        SetObjectInfoChartMaker(nullptr);
    }
    void Begin(const pl::ScreenInfo& screen = pl::kHeadlessScreen) {
        WriteBrightStars(folder.path());
        WriteCrossReferences(folder.path());
        Start(screen.width, screen.height, screen.dpi);
        Ui([] { preferences.word[kPrefRaFormat] = 1; });
    }
    // Form 112 opened by another form on position `position` of tab `tab`.
    void OpenOn(int tab, int position) {
        Ui([tab, position] {
            selectionCurrentRow = -1;
            ClearSelectedObject();
            CurrentObjectBlock& b = currentObjectBlock;
            b.tab = tab;
            b.index = b.pendingIndex = position;
            GotoForm(kObjectInfoFormId);
        });
        ASSERT_EQ(GetCurrentFormId(), kObjectInfoFormId) << BoxText();
    }
    // Form 112 opened on an object made the finder target.
    void OpenOnTarget(const ObjectRecord& r) {
        Ui([&r] {
            selectionCurrentRow = -1;
            SetSelectedObject(&r, 0);
            GotoForm(kObjectInfoFormId);
        });
        ASSERT_EQ(GetCurrentFormId(), kObjectInfoFormId) << BoxText();
    }
    // The object popup's label without the blanks an empty one holds.
    static std::string Shown() {
        std::string label = Label(kInfoObjectTrigger);
        label.erase(0, label.find_first_not_of(' '));
        return label;
    }
    static std::string Caption() {
        const std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
        return boxes.empty() ? "" : boxes.back().caption;
    }
    static int GaugeBitmap() {
        const BitmapButtonRecord* r = RecordOf<BitmapButtonRecord>(Item(kInfoGauge));
        return r ? r->currentBitmap : -1;
    }
    // The texts drawn on the screen since the log started, from `top` down.
    static std::vector<std::string> TextsFrom(int top) {
        std::vector<std::string> texts;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            if (run.cell.top >= top) texts.push_back(run.text);
        return texts;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

ObjectRecord Target(float ra, float dec, float magnitude, int type) {
    ObjectRecord r{};
    r.designationId = kDesignationNgc;
    r.number = 9999;
    r.objectType = static_cast<uint32_t>(type);
    r.rightAscension = ra;
    r.declination = dec;
    r.magnitude = magnitude;
    r.size1 = r.size2 = 4.0f;
    r.constellation = 78;  // Taurus
    SetObjectRecordName(&r, "Target");
    return r;
}

// Local mean sidereal time at Greenwich longitude, hours (Meeus, Astronomical
// Algorithms, eq. 12.4), for a universal time.
double GreenwichSiderealHours(double jd) {
    const double t = (jd - 2451545.0) / 36525.0;
    const double degrees = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t;
    return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0) / 15.0;
}

constexpr double kJd2110 = 2460375.0 + (21.0 + 10.0 / 60.0 - 12.0) / 24.0;  // 5 March 2024 21:10 UT

// The 89th constellation row is Vulpecula and the first Andromeda (the IAU
// list in alphabetical order, Cancer given twice); the keys step one row and
// wrap at both ends.
TEST_F(ObjectInfoForm, ConstellationTabWrapsAtBothEnds) {
    Begin();
    OpenOn(kConstellationTab, 89);
    EXPECT_EQ(Shown(), "Vul, Vulpecula");
    EXPECT_EQ(currentObjectBlock.index, 89);
    const struct {
        int key;
        const char* shown;
    } steps[] = {{pl::VK_DOWN, "And, Andromeda"}, {pl::VK_UP, "Vul, Vulpecula"}, {pl::VK_LEFT, "Vol, Volans"},
                 {pl::VK_RIGHT, "Vul, Vulpecula"}, {pl::VK_PRIOR, "And, Andromeda"}, {pl::VK_NEXT, "Vul, Vulpecula"}};
    for (const auto& s : steps) {
        harness.key(s.key);
        EXPECT_EQ(Shown(), s.shown) << s.key;
    }
    EXPECT_EQ(Get(kInfoObjectList), 88);
}

// With three named stars the keys reach the third and wrap to the first, and
// back from the first to the third (the last star was out of reach of the
// keys when the way back stopped one short of it).
TEST_F(ObjectInfoForm, LastBrightStarIsReachableByTheKeys) {
    Begin();
    OpenOn(kBrightStarTab, 3);
    EXPECT_EQ(Shown(), "Vega");
    harness.key(pl::VK_DOWN);
    EXPECT_EQ(Shown(), "Polaris");
    harness.key(pl::VK_UP);
    EXPECT_EQ(Shown(), "Vega");
    harness.key(pl::VK_UP);
    EXPECT_EQ(Shown(), "Sirius");
    // Vega's B-V of 0.0 under "BV", and magnitude 0.0.
    EXPECT_EQ((std::vector<std::string>{Text(kInfoSizeLabel), Text(kInfoSize)}), (std::vector<std::string>{"BV", "0.0"}));
}

// At noon the Sun is up but refused to the telescope; Sky lists it and opens
// the chart.
TEST_F(ObjectInfoForm, SunRefusedToTheTelescopeButShownOnTheChart) {
    Begin();
    harness.setLocalTime(pl::LocalTime{2024, 3, 5, 12, 0, 0});
    OpenOn(kPlanetTab, 1);
    EXPECT_EQ(Shown(), "Sun");
    Press(kInfoGoto);
    EXPECT_EQ(BoxText(), "Sorry, GoTo to Sun is disable.\n");
    Answer(pl::IDOK);
    Press(kInfoSky);
    EXPECT_EQ(GetCurrentFormId(), kChart);
    EXPECT_EQ(Names(), "Sun");
}

// An object 1 degree up by its J2000 place (on the equator, 5.894 h west of
// the meridian: cos H = sin 1 / cos 51), still under 2 degrees once
// precessed to the date and refracted as the telescope is sent it, is too
// low for the telescope, and Sky lists it without a question even in the Sky
// Map view.
TEST_F(ObjectInfoForm, LowObjectRefusedToTheTelescopeListedWithoutQuestion) {
    Begin();
    Ui([] { chartView = 0; });
    const double hourAngle = std::acos(std::sin(1.0 * kPi / 180) / std::cos(51.0 * kPi / 180)) * 12 / kPi;
    const ObjectRecord low = Target(static_cast<float>(GreenwichSiderealHours(kJd2110) - hourAngle), 0.0f, 8.0f, 16);
    OpenOnTarget(low);
    EXPECT_EQ(currentObjectBlock.tab, kTabFinder);
    EXPECT_EQ(Shown(), "Target");
    Press(kInfoGoto);
    EXPECT_EQ(BoxText(), "This object is below the horizon\n");
    Answer(pl::IDOK);
    Press(kInfoSky);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(GetCurrentFormId(), kChart);
    EXPECT_EQ(Names(), "Target");
}

// Saturn, below the horizon, asked for in the Sky Map view: No keeps the new
// entry and the form; Yes turns the chart to the Whole Sky and opens it.
TEST_F(ObjectInfoForm, BelowTheHorizonSkyAsksForTheWholeSky) {
    Begin();
    Ui([] { chartView = 0; });
    OpenOn(kPlanetTab, 7);
    Press(kInfoSky);
    EXPECT_EQ(BoxText(),
              "This object is below horizon and will not be displayed in your current chart.\n\n\n"
              "Do you want to change your chart to see it?");
    Answer(pl::IDNO);
    EXPECT_EQ(GetCurrentFormId(), kObjectInfoFormId);
    EXPECT_EQ(Names(), "Saturn");
    EXPECT_EQ(chartView, 0);
    Press(kInfoSky);
    Answer(pl::IDYES);
    EXPECT_EQ(GetCurrentFormId(), kChart);
    EXPECT_EQ(chartView, 2);
    EXPECT_EQ(Names(), "Saturn");
}

// With the list full, Sky on an object already in it opens the chart on it
// (it did nothing, without a word). On both screens.
using ObjectInfoScreens = OnBothScreens<ObjectInfoForm>;

TEST_P(ObjectInfoScreens, SkyOnAListedObjectOpensTheChartWhenTheListIsFull) {
    Begin(GetParam());
    ExpectFullListRule(
        [&](int kind, const char* number) {
            // An NGC object as the finder hands it over: the object file's record.
            if (kind == kDesignationNgc) OpenOnTarget(fixture::SharedObject(kind, std::atoi(number)));
            else OpenOn(kind == kDesignationMessier ? kMessierTab : kCaldwellTab, std::atoi(number));
            Press(kInfoSky);
        },
        kChart, kObjectInfoFormId);
}

// Sky lists a Herschel, SAC or Messier object under its own designation, as the
// search does: Herschel and SAC row 0 are one "NGC40" (it was "NGC0"), and M42
// (NGC 1976) no longer carries NGC 41, which is listed apart. Both screens.
TEST_P(ObjectInfoScreens, SkyListsATableObjectUnderItsOwnDesignation) {
    Begin(GetParam());
    Ui([] { chartView = 2; });
    for (auto [tab, position, names] :
         {std::tuple{kTabHerschel, 1, "NGC40"}, std::tuple{kTabBestNgc, 1, "NGC40"},
          std::tuple{kTabMessier, 42, "NGC40 M42"}, std::tuple{kTabFinder, 41, "NGC40 M42 NGC41"}}) {
        tab == kTabFinder ? OpenOnTarget(fixture::SharedObject(kDesignationNgc, position)) : OpenOn(tab, position);
        Press(kInfoSky);
        EXPECT_EQ(Names(), names);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, ObjectInfoScreens, ::testing::ValuesIn(kBothScreens));

// Without an object shown both Sky and Goto ask for one; the gauge hides.
TEST_F(ObjectInfoForm, NothingShownRefusesSkyAndGoto) {
    Start();
    OpenOn(kBrightStarTab, 1);  // no named bright stars in this folder
    EXPECT_EQ(Shown(), "");
    EXPECT_FALSE(Visible(kInfoGauge));
    for (int button : {kInfoSky, kInfoGoto}) {
        Press(button);
        EXPECT_EQ(BoxText(), "Please select at least one object.\n") << button;
        Answer(pl::IDOK);
    }
    EXPECT_EQ(GetCurrentFormId(), kObjectInfoFormId);
}

// Goto on the simulated mount (drive 5): Messier 31 (the fixture's NGC 224,
// J2000 8h30m -1 15') is sent as its place of date and lands within 3' of its
// place precessed to the date (Meeus eq. 21.2-21.4), 18' from the catalogue
// place; Jupiter, shown for the device clock's time (geocentric, the
// default mode), is sent as its topocentric place of date then: the place
// shown within its parallax (under 2") and a float's rounding, not precessed
// again.
TEST_F(ObjectInfoForm, GotoSendsCatalogueObjectsOfDateAndBodiesOfTheClock) {
    Begin();
    Ui([] {
        preferences.word[kPrefDriveId] = 5;
        scopeSimulation = 1;
        ResetSimulatedMeade();
    });
    OpenOn(kMessierTab, 31);
    EXPECT_EQ(Shown(), "M31, NGC224");
    Press(kInfoGoto);
    AnswerAll();
    std::pair<double, double> landed;
    Ui([&landed] { landed = MountRestsAt(); });
    EXPECT_LT(ArcminutesApart(landed, Precessed(8.5, -1.25, kJd2110)), 3.0);
    EXPECT_GT(ArcminutesApart(landed, {8.5, -1.25}), 12.0);
    OpenOn(kPlanetTab, 6);
    EXPECT_EQ(Shown(), "Jupiter");
    Press(kInfoGoto);
    AnswerAll();
    Ui([&landed] { landed = MountRestsAt(); });
    EXPECT_LT(ArcminutesApart(landed, {currentObject.rightAscension, currentObject.declination}) * 60, 3.0);
}

// A magnitude 15 open cluster in a 100 mm telescope (limit 12.5): the gauge's
// "Too faint" bitmap and word and the eyepiece "None"; the help of the
// underlined fields.
TEST_F(ObjectInfoForm, FaintObjectGaugeAndFieldHelp) {
    Begin();
    Ui([] {
        preferences.word[kPrefDiameter] = 100;
        pl::StartTextLog();
    });
    OpenOnTarget(Target(5.0f, 20.0f, 15.0f, 6));
    EXPECT_EQ(GaugeBitmap(), 5000);
    EXPECT_TRUE(Has(TextsFrom(0), "Too faint"));
    EXPECT_EQ(Text(kInfoEyepiece), "None");
    EXPECT_EQ(Text(kInfoTypeName), "Open Cluster");
    const struct {
        int field;
        const char* box;
    } helps[] = {
        {kInfoTypeName, "The current object is an\nOpen Cluster"},
        {kInfoMagnitude, "Magnitude:\nThe larger the value, the fainter the object."},
        {kInfoSize, "Object size in arc minutes.\n"},
        {kInfoEyepiece, "Best Eyepiece computed to observe the object considering:\n\x95 Object Magnitude\n\x95 Object "
                        "Dimensions\n\x95 Sky Brightness\n\x95 Scope Diameter\n\x95 Scope Focal Length"},
        {kInfoConstellation, "Constellation (Tau)\nTaurus"},
    };
    for (const auto& h : helps) {
        Press(h.field);
        EXPECT_EQ(BoxText(), h.box) << h.field;
        Answer(pl::IDOK);
    }
}

// The details button by kind: a comet opens the orbit assistant's 3D view,
// Jupiter the planet detail form in its
// mode, the Moon the Moon assistant; a bright star shows its identifiers, a
// deep-sky object its description or that it has none.
TEST_F(ObjectInfoForm, DetailsOfEachKindOfObject) {
    Begin();
    OpenOn(kCometTab, 1);
    EXPECT_EQ(Shown(), "C/2023 A3");
    Press(kInfoDetails);
    EXPECT_EQ(orbitAssistantView, 3);
    EXPECT_EQ(GetCurrentFormId(), 2550);
    EXPECT_EQ(orbitCometIndex, 0);
    AnswerAll();
    OpenOn(kPlanetTab, 6);
    Ui([] { SetSaturnAssistantMode(); });
    Press(kInfoDetails);
    EXPECT_EQ(GetCurrentFormId(), 2460);
    EXPECT_EQ(planetDetailMode, kJupiterMode);
    OpenOn(kPlanetTab, 2);
    Press(kInfoDetails);
    EXPECT_EQ(GetCurrentFormId(), 6000);
    AnswerAll();
    const struct {
        int tab, position;
        const char *caption, *box;
    } boxes[] = {
        {kBrightStarTab, 3, "Identifiers:", "Vega\nHR7001\nHIP91262\nSAO67174"},
        {kBrightStarTab, 1, "Identifiers:", "Polaris\nHR424\nHIP11767\nSAO308\nTYC462800237"},
        {kMessierTab, 1, "Information", "No description available.\n"},
    };
    for (const auto& b : boxes) {
        OpenOn(b.tab, b.position);
        Press(kInfoDetails);
        EXPECT_EQ(Caption(), b.caption) << b.box;
        EXPECT_EQ(BoxText(), b.box);
        Answer(pl::IDOK);
    }
    OpenOn(kMessierTab, 31);
    Press(kInfoDetails);
    const std::string box = BoxText();
    EXPECT_EQ(box.rfind("Andromeda Galaxy\nDreyer code:\n!!!,eB,eL,vmE\n\nTranslation:\n", 0), 0u) << box;
    EXPECT_NE(box.find("extremely bright"), std::string::npos) << box;  // Dreyer's key: eB
}

// The lower panel on the 240 x 320 screen: Jupiter's next three Red Spot
// transits (hours modulo 24) over its moons' picture, Saturn's moons with the
// ring tilt, and for any other object the finder chart in its offscreen.
TEST_F(ObjectInfoForm, LowerPanelByObject) {
    Begin();
    Ui([] { pl::StartTextLog(); });
    OpenOn(kPlanetTab, 6);
    int hours[3], minutes[3];
    Ui([&] { ComputeJupiterCentralMeridian(2024, 3, 5, hours, minutes); });
    char expected[64];
    std::snprintf(expected, sizeof expected, "Red Spot Transit : %02dh%02d %02dh%02d %02dh%02d", hours[0] % 24,
                  minutes[0], hours[1] % 24, minutes[1], hours[2] % 24, minutes[2]);
    std::vector<std::string> panel = TextsFrom(222);
    EXPECT_TRUE(Has(panel, expected)) << expected;
    EXPECT_TRUE(Has(panel, "Io") && Has(panel, "Callisto"));
    EXPECT_EQ(ObjectInfoChart(), nullptr);
    Ui([] { pl::StartTextLog(); });
    harness.key(pl::VK_DOWN);  // Saturn
    panel = TextsFrom(222);
    EXPECT_TRUE(Has(panel, "Titan") && Has(panel, "Enceladus"));
    EXPECT_FALSE(Has(panel, "Io"));
    // The chart's view, labels and star options, and the date, are as before the finder chart.
    const int words[] = {kPrefChartType, kPrefObjectNames, kPrefMoreStars, kPrefObjDrilldown,
                         kPrefStarsLegend, kPrefHideInfoBar, kPrefHideCompass, kPrefZoomViewFirst + 5};
    std::vector<int32_t> before;
    Ui([&] {
        for (int w : words) before.push_back(preferences.word[w] = 3);
        chartView = 0;
        before[0] = 0;
    });
    const DateTime kept = currentDateTime;
    harness.key(pl::VK_DOWN);  // Uranus
    ASSERT_NE(ObjectInfoChart(), nullptr);
    EXPECT_EQ(ObjectInfoChart()->right, 240);
    EXPECT_EQ(ObjectInfoChart()->bottom, 320 - 22 - 222);
    std::vector<int32_t> after;
    for (int w : words) after.push_back(preferences.word[w]);
    EXPECT_EQ(after, before);
    EXPECT_EQ((std::vector<int>{currentDateTime.day, currentDateTime.hour, currentDateTime.minute}),
              (std::vector<int>{kept.day, kept.hour, kept.minute}));
    Press(kInfoBack);
    EXPECT_EQ(ObjectInfoChart(), nullptr);  // freed with the form
}

// A finder chart whose offscreen cannot be made is reported and the form
// goes on with the object's fields.
TEST_F(ObjectInfoForm, FailedChartOffscreenIsReportedAndTheFormGoesOn) {
    Begin();
    SetObjectInfoChartMaker([](int, int, int) -> DrawWindowRecord* { return nullptr; });
    Ui([] { GotoForm(kObjectInfoFormId); });
    Ui([] {
        currentObjectBlock.tab = kConstellationTab;
        currentObjectBlock.index = currentObjectBlock.pendingIndex = 61;
        ShowCurrentObject();
    });
    EXPECT_EQ(BoxText(), "Can't allocate offscreen window\n");
    Answer(pl::IDOK);
    EXPECT_EQ(GetCurrentFormId(), kObjectInfoFormId);
    EXPECT_EQ(Shown(), "Ori, Orion");
    EXPECT_EQ(Text(kInfoConstellation), "Ori");
    EXPECT_FALSE(Text(kInfoRa).empty());
}

// Rise&Set hands the object to the ephemeris assistant with the form's date
// and time; Best Period hands it to the altitude graph, which opens on it.
TEST_F(ObjectInfoForm, ObjectHandedToTheEphemerisAndTheAltitudeGraph) {
    Begin();
    OpenOn(kMessierTab, 31);
    Press(kInfoAltitudeGraph);
    EXPECT_EQ(BoxCount(), 0);
    EXPECT_EQ(GetCurrentFormId(), kTwilightForm);
    EXPECT_STREQ(graphObjectName, "M31, NGC224");
    EXPECT_EQ((std::vector<int>{graphObjectKind, graphObjectIndex, graphPlanet, graphYear, graphMonth}),
              (std::vector<int>{kDesignationMessier, 30, -1, 2024, 3}));
    EXPECT_NEAR(graphObjectRA, 8.5, 1e-6);
    EXPECT_EQ(graphObjectSet, 1);
    OpenOn(kMessierTab, 31);
    Press(kInfoEphemeris);
    EXPECT_EQ(GetCurrentFormId(), 2530);
    const EphemerisState& e = ephemerisState;
    EXPECT_EQ((std::vector<int>{e.designation, e.number, e.year, e.month, e.day, e.hour, e.minute}),
              (std::vector<int>{kDesignationMessier, 30, 2024, 3, 5, 21, 10}));
    OpenOn(kPlanetTab, 6);
    Press(kInfoAltitudeGraph);
    AnswerAll();
    EXPECT_EQ((std::vector<int>{graphObjectKind, graphObjectIndex, graphPlanet}),
              (std::vector<int>{kDesignationPlanet, 5, 5}));
    Ui([] { ResetTwilightGraphState(); });
}

// A constellation's picture is found by its row (Orion's file only): the
// picture button shows for Orion and opens its file, and stays hidden for
// Andromeda, which has none.
TEST_F(ObjectInfoForm, ConstellationPictureIsFoundByItsRow) {
    Begin();
    const std::filesystem::path pictures = folder.path() / "img" / "const";
    std::filesystem::create_directories(pictures);
    ASSERT_TRUE(WriteJpegFile((pictures / "Ori.jpg").string(), 8, 8, std::vector<unsigned char>(8 * 8 * 3, 200)));
    OpenOn(kConstellationTab, 1);
    EXPECT_FALSE(Visible(kInfoImage));
    OpenOn(kConstellationTab, 61);
    ASSERT_TRUE(Visible(kInfoImage));
    Press(kInfoImage);
    EXPECT_STREQ(imageRequest.tested, "Ori.jpg");
    EXPECT_EQ(imageRequest.kind, kDesignationConstellation);
}

// The observing list's current row gives the object: its source position.
// Choosing another tab forgets the object; choosing a row shows it.
TEST_F(ObjectInfoForm, ListRowAndPopupsChooseTheObject) {
    Begin();
    SelectionEntry m13 = ListEntry("M13", kDesignationMessier, 12, 2, 16.7f, 36.5f);
    m13.source = kSourceMessier;
    m13.sourceIndex = 12;
    Put({m13});
    Ui([] {
        currentObjectBlock.tab = kMessierTab;
        GotoForm(kObjectInfoFormId);
    });
    EXPECT_EQ(Shown(), "M13, NGC6205");
    Choose(kInfoTabTrigger, kInfoTabList, kPlanetTab);
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(Text(kInfoRa), "");
    Choose(kInfoObjectTrigger, kInfoObjectList, 4);
    EXPECT_EQ(Shown(), "Mars");
    EXPECT_EQ(currentObjectBlock.index, 5);
}

// The date and time fields follow the device clock; with the date fixed they
// show the program's date, and the clock button takes the device's again.
TEST_F(ObjectInfoForm, DateTimeFieldsAndTheClock) {
    Begin();
    OpenOn(kPlanetTab, 6);
    EXPECT_EQ((std::vector<std::string>{Text(kInfoDate), Text(kInfoTime)}),
              (std::vector<std::string>{"05/03/2024", "21:10:00"}));
    Ui([] {
        dateTimeFixed = 1;
        currentDateTime = DateTime{2023, 1, 15, 20, 30, 5};
    });
    OpenOn(kPlanetTab, 6);
    EXPECT_EQ((std::vector<std::string>{Text(kInfoDate), Text(kInfoTime)}),
              (std::vector<std::string>{"15/01/2023", "20:30:05"}));
    Press(kInfoClock);
    EXPECT_EQ((std::vector<std::string>{Text(kInfoDate), Text(kInfoTime)}),
              (std::vector<std::string>{"05/03/2024", "21:10:00"}));
    // Fixed and without a year: the last search's date when the list shows entries.
    Put({ListEntry("M13", kDesignationMessier, 12, 2, 16.7f, 36.5f)});
    Ui([] {
        currentDateTime.year = 0;
        selectionCriteria.year = 2022, selectionCriteria.month = 6, selectionCriteria.day = 1;
        selectionCriteria.hour = 23, selectionCriteria.minute = 15;
        RefreshObjectInfoDateTime();
    });
    EXPECT_EQ((std::vector<int>{currentDateTime.year, currentDateTime.month, currentDateTime.day, currentDateTime.hour,
                                currentDateTime.minute, currentDateTime.second}),
              (std::vector<int>{2022, 6, 1, 23, 15, 0}));
    // A time field that does not read stops the display after the year chart:
    // the place fields stay as they were.
    Ui([] {
        SetField(kInfoRa, "");
        SetField(kInfoTime, "");
        DrawObjectInfo(&currentObject);
    });
    EXPECT_EQ(Text(kInfoRa), "");
    Ui([] {
        SetField(kInfoTime, "21:10:00");
        DrawObjectInfo(&currentObject);
    });
    EXPECT_EQ(Text(kInfoRa), "02:40:04");
}

// The hardware keys: back, the finder (returning here), Sky and Goto; the
// usage box.
TEST_F(ObjectInfoForm, HardwareKeysAndUsage) {
    Begin();
    Ui([] { GotoForm(kHome); });
    OpenOn(kPlanetTab, 6);
    harness.key(pl::VK_APP1);
    EXPECT_EQ(GetCurrentFormId(), kHome);
    OpenOn(kPlanetTab, 6);
    Press(kInfoUsage);
    EXPECT_EQ(BoxText(), "\x95 Use the popup to choose the object type,\n\x95 Use Up or Down PDA keys to go to next or "
                         "previous object,\n\x95 Tap on underlined fields or graphics to get more information,\n\x95 "
                         "Tap on the date/hours fields or clock icon to update the date.");
    Answer(pl::IDOK);
    harness.key(pl::VK_APP4);  // Goto, with no drive chosen
    EXPECT_NE(BoxText(), "");
    AnswerAll();
    harness.key(pl::VK_APP2);
    EXPECT_EQ(GetCurrentFormId(), kFinderFormId);
    EXPECT_EQ(finderReturnForm, kObjectInfoFormId);
    OpenOn(kPlanetTab, 6);
    harness.key(pl::VK_APP3);
    EXPECT_EQ(GetCurrentFormId(), kChart);
    EXPECT_EQ(Names(), "Jupiter");
}

// M31's picture, as the set-up names it, shows from the Messier tab: the
// picture button opens the viewer on it.
TEST_F(ObjectInfoForm, M31PictureShows) {
    Begin();
    WriteM31Pictures();
    OpenOn(kMessierTab, 31);
    ASSERT_TRUE(Visible(kInfoImage));
    Press(kInfoImage);
    EXPECT_STREQ(imageRequest.tested, "M31.jpg");
    EXPECT_TRUE(PictureShownAndClosed());
}

// Canopus, which never rises at 51 N, and Capella, which never sets there, on
// object information's Rise/Set page (the ephemeris assistant it opens) at 51
// N 0 E and at Tokyo on 2026-12-15, on both screens, against PyEphem
// (never_events_pyephem.csv, group "star"): "-----" for a rising or setting
// the day does not have (Canopus showed 00h00 three times), every other time,
// the transit included, within 2 minutes.
class StarRiseSetOnBothScreens : public OnBothScreens<ObjectInfoForm> {
protected:
    // Canopus at bright-star position 1 and Capella at 2 (J2000 places, SIMBAD).
    void BeginWithStars() {
        std::vector<record_writer::Bytes> stars(1646, record_writer::StarBytes({}));
        stars[1] = record_writer::StarBytes({2326, 0, 6.399197f, -52.695661f, -12, 0, 0, 'a', 0});
        stars[2] = record_writer::StarBytes({1708, 0, 5.278155f, 45.998029f, 1, 0, 13, 'a', 0});
        WriteFile(folder.path() / "data" / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, stars));
        std::vector<record_writer::Bytes> names;  // in name order, then in HR order
        for (auto [name, star] : {std::pair{"Canopus", 1}, {"Capella", 2}, {"Capella", 2}, {"Canopus", 1}})
            names.push_back(record_writer::BrightStarNameBytes(name, static_cast<int16_t>(star)));
        WriteFile(folder.path() / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, names));
        Start(GetParam());
    }
};

TEST_P(StarRiseSetOnBothScreens, NeverRisingOrSettingStarsShowHyphensAndTheirTransit) {
    BeginWithStars();
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "never_events_pyephem.csv");
    int rows = 0;
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        if (ref.Text(k, "group") != "star") continue;
        const bool canopus = ref.Get(k, "body") == 10;
        SCOPED_TRACE(::testing::Message() << (canopus ? "Canopus " : "Capella ") << ref.Get(k, "latitude"));
        Ui([&] {
            SetTestSite(ref.Get(k, "latitude"), ref.Get(k, "longitude_west"), int(ref.Get(k, "zone_min")));
            dateTimeFixed = 1;
            currentDateTime = DateTime{2026, 12, 15, 21, 0, 0};
        });
        OpenOn(kBrightStarTab, canopus ? 1 : 2);
        ASSERT_EQ(Shown(), canopus ? "Canopus" : "Capella");
        Ui([] { pl::StartTextLog(); });
        Press(kInfoEphemeris);
        ASSERT_EQ(GetCurrentFormId(), kEphemerisFormId);
        const std::vector<std::string> texts = TextsFrom(0);
        Ui([] { pl::StopTextLog(); });
        const auto row = std::find(texts.begin(), texts.end(), "15/12/26");
        ASSERT_LE(row + 5, texts.end());
        ExpectEventText(row[1], ref.Get(k, "rise_h"), "-----");
        ExpectEventText(row[2], ref.Get(k, "transit_h"), "-----");
        ExpectEventText(row[4], ref.Get(k, "set_h"), "-----");
        ++rows;
    }
    EXPECT_EQ(rows, 4);
}

INSTANTIATE_TEST_SUITE_P(StarsOnBothScreens, StarRiseSetOnBothScreens, ::testing::ValuesIn(kBothScreens));

// The Moon's 24-hour bar on days whose rising or setting, as the engine finds
// it, is the next day's (Tokyo, 71 17' N and Fairbanks at -9 h, 179 59' E at
// +12 h; a day with both crossings besides), on both screens: every hour cell
// lit where PyEphem has the Moon up at its middle (moon_day_up_pyephem.csv),
// but within 20 minutes of a crossing. The next day's event was drawn as the
// day's: a setting at 01:01 lit the first hour, a rising at 02:52 left the
// night dark until then.
using MoonBarOnBothScreens = OnBothScreens<ObjectInfoForm>;

TEST_P(MoonBarOnBothScreens, NextDaysEventDrawnAsTheDays) {
    Begin(GetParam());
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_day_up_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 7u);
    const int s = GetParam().dpi / 96, x0 = 98 * s, pitch = 120 * s / 25 + 1, y = 187 * s + 15 * s / 2 + 1;
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        const DateTime when{int(ref.Get(k, "year")), int(ref.Get(k, "month")), int(ref.Get(k, "day")), 12, 0, 0};
        SCOPED_TRACE(::testing::Message() << ref.Text(k, "site") << " " << when.month << "-" << when.day);
        Ui([&] {
            SetTestSite(ref.Get(k, "latitude"), ref.Get(k, "longitude_west"), int(ref.Get(k, "zone_min")));
            dateTimeFixed = 1;
            currentDateTime = when;
        });
        OpenOn(kPlanetTab, 2);
        ASSERT_EQ(Shown(), "Moon");
        const double crossings[2] = {ref.Get(k, "crossing1_h"), ref.Get(k, "crossing2_h")};
        for (int h = 0; h < 24; ++h) {
            bool up = ref.Get(k, "up_at_0h") != 0, near = false;
            for (double c : crossings) {
                if (c >= 0 && c < h + 0.5) up = !up;
                near = near || (c >= 0 && std::fabs(c - (h + 0.5)) < 20 / 60.0);
            }
            const uint32_t pixel = harness.pixel(x0 + pitch * h + pitch / 2, y) & 0xF8F8F8;
            if (!near) {
                EXPECT_EQ(pixel, up ? 0xF8D010u : 0xF8F8B0u) << "hour " << h;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, MoonBarOnBothScreens, ::testing::ValuesIn(kBothScreens));

// The ephemeris assistant's Rise/Set page opened from the object information
// form, on both screens. The Moon's Alt (moon_transit_days_pyephem.csv):
// within a degree of PyEphem's altitude at its transit at Tokyo on 22/02/2027
// (59.1; it showed 52, the altitude at the row's time) and at Fairbanks (-8 h)
// on 20/04 (10.9; it showed 7), none on 19/03, a day without a transit (it
// showed 35). Places at declination +-90 (J2000) at 40 N, 40 S and 5 N with
// the horizon at 0 and 10 degrees (pole_places_pyephem.csv): the 24-hour bar
// lit all day where PyEphem has the place up all day and dark where down, no
// rise or set on the page, and the altitude at transit rounded.
class RiseSetPageOnBothScreens : public OnBothScreens<ObjectInfoForm> {
protected:
    // Stars at the poles of the sky (J2000) at bright-star positions 1 (+90) and 2 (-90).
    void BeginWithPoleStars() {
        std::vector<record_writer::Bytes> stars(1646, record_writer::StarBytes({}));
        stars[1] = record_writer::StarBytes({1, 0, 0.0f, 90.0f, 20, 0, 0, 'a', 0});
        stars[2] = record_writer::StarBytes({2, 0, 0.0f, -90.0f, 20, 0, 0, 'a', 0});
        WriteFile(folder.path() / "data" / "zendavori_default_stars.ppc", record_writer::RecordDbBytes(1, 44, stars));
        std::vector<record_writer::Bytes> names;  // in name order, then in HR order
        for (auto [name, star] : {std::pair{"North Pole", 1}, {"South Pole", 2}, {"North Pole", 1}, {"South Pole", 2}})
            names.push_back(record_writer::BrightStarNameBytes(name, static_cast<int16_t>(star)));
        WriteFile(folder.path() / "data" / "zendavori_brightstar.ppc", record_writer::RecordDbBytes(1, 20, names));
        Start(GetParam());
    }
};

TEST_P(RiseSetPageOnBothScreens, MoonAltitudeAtItsTransitAndThePolesOfTheSky) {
    BeginWithPoleStars();
    // The row of `date` ("dd/mm/yy") on the Rise/Set page opened from the form.
    const auto pageRow = [this](const char* date) {
        Ui([] { pl::StartTextLog(); });
        Press(kInfoEphemeris);
        EXPECT_EQ(GetCurrentFormId(), kEphemerisFormId);
        const std::vector<std::string> texts = TextsFrom(0);
        Ui([] { pl::StopTextLog(); });
        const auto row = std::find(texts.begin(), texts.end(), date);
        return row + 5 <= texts.end() ? std::vector<std::string>(row, row + 5) : std::vector<std::string>{};
    };
    const ReferenceTable moon = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "moon_transit_days_pyephem.csv");
    for (std::size_t k = 0; k < moon.rows.size(); ++k) {
        const std::string site = moon.Text(k, "site");
        const int month = int(moon.Get(k, "month")), day = int(moon.Get(k, "day"));
        if (!(site == "Tokyo" && month == 2 && day == 22) &&
            !(site == "Fairbanks" && ((month == 3 && day == 19) || (month == 4 && day == 20))))
            continue;
        SCOPED_TRACE(::testing::Message() << site << " " << month << "-" << day);
        Ui([&] {
            SetTestSite(moon.Get(k, "latitude"), moon.Get(k, "longitude_west"), int(moon.Get(k, "zone_min")));
            dateTimeFixed = 1;
            currentDateTime = DateTime{2027, month, day, 21, 0, 0};
        });
        OpenOn(kPlanetTab, 2);
        ASSERT_EQ(Shown(), "Moon");
        char date[16];
        std::snprintf(date, sizeof date, "%02d/%02d/27", day, month);
        const std::vector<std::string> row = pageRow(date);
        ASSERT_EQ(row.size(), 5u);
        if (moon.Get(k, "transit_h") < 0) EXPECT_EQ(row[3], "-----");
        else EXPECT_NEAR(std::atoi(row[3].c_str()), moon.Get(k, "alt_deg"), 1.0) << row[3];
    }
    const ReferenceTable poles = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "pole_places_pyephem.csv");
    const int s = GetParam().dpi / 96, x0 = 98 * s, pitch = 120 * s / 25 + 1, y = 187 * s + 15 * s / 2 + 1;
    int places = 0;
    for (std::size_t k = 0; k < poles.rows.size(); ++k) {
        const double dec = poles.Get(k, "dec_deg"), latitude = poles.Get(k, "latitude");
        if (std::fabs(dec) != 90.0 || (std::fabs(latitude) != 40.0 && latitude != 5.0)) continue;
        SCOPED_TRACE(::testing::Message() << dec << " at " << latitude << " horizon " << poles.Get(k, "horizon_deg"));
        Ui([&] {
            SetTestSite(latitude, 0.0, 0);
            preferences.word[kPrefHorizon] = poles.Get(k, "horizon_deg") == 0.0 ? 0 : 6;  // rows "0" and "10"
            dateTimeFixed = 1;
            currentDateTime = DateTime{2027, 3, 20, 21, 0, 0};
        });
        OpenOn(kBrightStarTab, dec > 0 ? 1 : 2);
        ASSERT_EQ(Shown(), dec > 0 ? "North Pole" : "South Pole");
        const bool up = poles.Get(k, "up_j2000") == 1.0;
        for (int h = 0; h < 24; ++h)
            EXPECT_EQ(harness.pixel(x0 + pitch * h + pitch / 2, y) & 0xF8F8F8, up ? 0xF8D010u : 0xF8F8B0u) << h;
        const std::vector<std::string> row = pageRow("20/03/27");
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[1] + " " + row[4], "----- -----");
        EXPECT_EQ(row[3], std::to_string(std::lround(poles.Get(k, "transit_alt_deg"))));
        ++places;
    }
    EXPECT_EQ(places, 12);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, RiseSetPageOnBothScreens, ::testing::ValuesIn(kBothScreens));

}  // namespace
