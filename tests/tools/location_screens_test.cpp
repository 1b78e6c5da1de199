// The location form (1200) with its world maps, the location list (1600) and
// the GPS button over the running program. The GPS receiver is gpsd's
// fake-GPS pseudo-terminal playing the logs of scripts/reference/gps_logs.py;
// the telescope sharing the port is a Meade drive on a serial peer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/serial_port.h"
#include "platform/window.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/fake_gps_player.h"
#include "support/program_fixture.h"
#include "support/serial_peer.h"
#include "tools/location_form.h"
#include "tools/location_list_form.h"
#include "tools/observer_site.h"
#include "tools/world_map_view.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/shell_state.h"

namespace {

constexpr int kSettleMs = 3500;   // the serial layer's wait after an open
constexpr int kEmptyReadMs = 480; // an 80-byte read that brings nothing: 400 ms + 1 ms a byte
constexpr double kMapPixel = 0.15; // degrees of one pixel of the large map
constexpr int kTextInputEdit = 137;

// The red (200, 0, 0) of the site's cross, through 5 bits per channel or not.
bool IsCross(uint32_t pixel) { return (pixel >> 16) >= 0xC8 && (pixel & 0xFFFF) == 0; }

class LocationScreens : public ProgramTest {
protected:
    void SetUp() override {
        ResetCatalogState();
        ResetSiteSelection();
        ResetWorldMap();
        ResetSerialLink();
        pl::ResetSerialSettingsLog();
        namespace rw = record_writer;
        rw::Bytes db = rw::RecordDbBytes(1, 64, {rw::LocationBytes("Cape Town", "Western Cape", -33.9f, 18.4f, 120),
                                                 rw::LocationBytes("Paris", "Ile-de-France", 48.85f, 2.35f, 60),
                                                 rw::LocationBytes("Quito", "Pichincha", -0.22f, -78.5f, -300)});
        std::ofstream(Database(), std::ios::binary)
            .write(reinterpret_cast<const char*>(db.data()), static_cast<std::streamsize>(db.size()));
        ASSERT_TRUE(StartProgram());
        Ui([] { preferences.word[kPrefDecFormat] = 2; });
        MainCommand(1002);
        ASSERT_EQ(GetCurrentFormId(), kLocationForm);
    }
    void TearDown() override {
        Ui([] { ResetSerialLink(); });
        ResetSiteSelection();
    }
    std::filesystem::path Database() const { return folder.path() / "data" / "zendavori_location.ppc"; }
    pl::Hwnd Form() const { return GetCurrentFormDialog(); }
    std::string Text(int id) const { return pl::GetDlgItemText(Form(), id); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(Form(), id))); }
    void ShowSite(double longitude, double latitude, int16_t zone) {
        Ui([=] {
            SetObserverSite(longitude, latitude, zone);
            ShowSiteInForm();
        });
    }
    // Every third pixel of every fifth row of the large map below its
    // coordinate texts, the columns moved by `shift`.
    std::vector<uint32_t> MapPicture(int shift = 0) const {
        std::vector<uint32_t> p;
        for (int y = 60; y < 260; y += 5)
            for (int x = 20; x < 220; x += 3) p.push_back(harness.pixel(x + shift, y));
        return p;
    }
    double FieldValue(int id) const { return ParseSignedValue(Text(id).c_str()); }
    // Taps the field and presses Ok in its text input, `text` typed first
    // unless null; the input, still open after a refusal.
    pl::Hwnd EditField(int id, const char* text) {
        Press(id);
        const pl::Hwnd input = pl::GetActiveWindow();
        if (text) Ui([=] { pl::SetDlgItemText(input, kTextInputEdit, text); });
        Ui([=] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDOK, 0); });
        return input;
    }
};

// The small map's centre is 0, 0: zone 0 and the name "User Tap"; the red
// cross of the site is drawn there on the map.
TEST_F(LocationScreens, SmallMapTapAtItsCentreSetsTheUserTapSite) {
    ShowSite(-11.5, 48.1, 60);
    Tap({120, 84});
    EXPECT_EQ((std::vector<double>{currentSite.longitude, currentSite.latitude, double(currentSite.zoneMinutes)}),
              (std::vector<double>{0, 0, 0}));
    EXPECT_STREQ(currentSite.name, "User Tap");
    EXPECT_EQ(Text(kSiteNameField), "User Tap");
    for (int x : {116, 120, 124}) EXPECT_TRUE(IsCross(harness.pixel(x, 84))) << x;
    EXPECT_FALSE(IsCross(harness.pixel(125, 84)));
}

// "Map" over 51 N, 0 centres the large map on the site: the pick at the
// centre is the site within a pixel, its zone 0; the Atlantic west of it is
// sea (153, 153, 203) and France land (white). "Cancel" rewrites the fields
// from the site.
TEST_F(LocationScreens, MapCentresOnTheSiteAndCancelRewritesTheFields) {
    ShowSite(0, 51, 0);
    Press(kLocationMap);
    EXPECT_NEAR(FieldValue(kLatitudeField), 51, kMapPixel);
    EXPECT_NEAR(FieldValue(kLongitudeField), 0, kMapPixel);
    EXPECT_EQ(Text(kZoneField), "0");
    EXPECT_FALSE(pl::IsWindowVisible(pl::GetDlgItem(Form(), kLatitudeField)));
    EXPECT_EQ(harness.pixel(20, 161), 0x9C9CCEu);   // 51 N, 15 W: (153, 153, 203) in 5 bits a channel
    EXPECT_EQ(harness.pixel(133, 188), 0xFFFFFFu);  // 47 N, 1.9 E
    Press(kLocationCancel);
    EXPECT_EQ(locationMap.mapMode, 0);
    EXPECT_EQ(Text(kLatitudeField), "51\xB0" "00'00 N");
    EXPECT_EQ(Text(kZoneField), "0");
    EXPECT_FLOAT_EQ(currentSite.latitude, 51.0f);
}

// Opening the form and leaving it with Cancel leave every field of the site
// as it was, to the bit: on a first start (no saved site) and with a saved
// site chosen that differs from the site.
TEST_F(LocationScreens, OpeningAndCancelKeepTheSite) {
    const struct {
        const char* what;
        void (*prepare)();
    } cases[] = {
        {"first start", [] { ResetSiteRecord(currentSite); }},
        {"saved site 2 differs",
         [] {
             SetObserverSite(-151.215297, -33.856784, 600);
             std::strcpy(currentSite.name, "Sydney");
             currentSite.elevation = 58, currentSite.daylightSaving = 1, currentSite.skyCondition = 1;
             currentSite.savedSites[1] = SavedSite{"Paris", 48.85f, -2.35f, 2, 35, 60, 0};
             savedSiteIndex = 1;
         }},
    };
    auto bytes = [] {
        std::vector<uint8_t> b(offsetof(SiteRecord, daylightSaving) + sizeof currentSite.daylightSaving);
        std::memcpy(b.data(), &currentSite, b.size());
        return b;
    };
    for (const auto& c : cases) {
        Press(kLocationCancel);
        ASSERT_NE(GetCurrentFormId(), kLocationForm) << c.what;
        Ui([&] {
            ResetSiteSelection();
            c.prepare();
        });
        const std::vector<uint8_t> before = bytes();
        MainCommand(1002);
        ASSERT_EQ(GetCurrentFormId(), kLocationForm) << c.what;
        Press(kLocationCancel);
        EXPECT_EQ(bytes(), before) << c.what;
        MainCommand(1002);
    }
}

// "Map" then "Ok" with no tap keeps the site to the bit, on the small
// screen and on the large one where London lies north of where the map can
// centre: the mark is drawn on the site's own pixel, by the map's scrolling
// rule (the band 1207 pixels for 180 degrees, the offset kept within it).
struct MapScreen {
    int width, height, dpi;
};

class LocationMapOnScreen : public LocationScreens, public ::testing::WithParamInterface<MapScreen> {
protected:
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ResetScreenScale();  // measured again for this screen: the mark's size follows it
        LocationScreens::SetUp();
    }
    void TearDown() override {
        LocationScreens::TearDown();
        ResetScreenScale();
    }
};

TEST_P(LocationMapOnScreen, MapAndOkWithoutATapKeepTheSite) {
    const MapScreen& screen = GetParam();
    const struct {
        double longitude, latitude;
        int16_t zone, daylight;
    } sites[] = {{0.1278, 51.5074, 0, 0}, {3.7, 40.4168, 60, 1}};
    for (const auto& c : sites) {
        Ui([&] {
            currentSite.daylightSaving = c.daylight;
            SetObserverSite(c.longitude, c.latitude, static_cast<int16_t>(c.zone + 60 * c.daylight));
            ShowSiteInForm();
        });
        const SiteRecord before = currentSite;
        Press(kLocationMap);
        const double s = screen.dpi / 96.0;
        const int top = static_cast<int>(24 * s), band = screen.height - static_cast<int>(46 * s);
        const int offset =
            std::clamp(band / 2 - static_cast<int>((90 - before.latitude) * 6.705555555555556), band - 1207, 0);
        EXPECT_EQ(locationMap.markY, top + offset + std::lround((90 - before.latitude) * 1207 / 180)) << c.longitude;
        EXPECT_NEAR(locationMap.markX, screen.width / 2, 1) << c.longitude;
        if (c.daylight == 0) Shot(("location_map_" + std::to_string(screen.width) + ".png").c_str());
        Press(kLocationOk);
        EXPECT_EQ(locationMap.mapMode, 0);
        EXPECT_EQ((std::vector<float>{currentSite.latitude, currentSite.longitude, float(currentSite.zoneMinutes)}),
                  (std::vector<float>{before.latitude, before.longitude, float(before.zoneMinutes)}))
            << c.longitude;
        EXPECT_EQ(currentSite.daylightSaving, c.daylight);
    }
}

// A longitude says its side. Typed over Paris (2.35 E, 48.85 N): "-147:43:00"
// (East in the site's west-positive values, West in the usual reading) is
// refused with the field's box, the input stays open and Cancel leaves the
// field and the site; W, E and a bare number (West) are taken; a latitude
// keeps its sign. 147 + 43/60 and 33 + 55/60 by hand. A place picked east of
// the map's centre is written with its letters, and its longitude field
// opened and Ok'd unchanged keeps the site.
TEST_P(LocationMapOnScreen, LongitudeSaysItsSideAndTheMapPickWritesIt) {
    const double paris = -2.35, west147 = 147 + 43 / 60.0;
    const struct {
        int field;
        const char* text;
        bool refused;
        double longitude, latitude;
    } cases[] = {{kLongitudeField, "-147:43:00", true, paris, 48.85},
                 {kLongitudeField, "147:43:00 W", false, west147, 48.85},
                 {kLongitudeField, "147:43:00 E", false, -west147, 48.85},
                 {kLongitudeField, "147:43:00", false, west147, 48.85},
                 {kLatitudeField, "-33:55", false, paris, -(33 + 55 / 60.0)}};
    for (const auto& c : cases) {
        ShowSite(paris, 48.85, 60);
        const std::string shown = Text(c.field);
        const pl::Hwnd input = EditField(c.field, c.text);
        if (c.refused) {
            EXPECT_EQ(BoxText(), "Longitude must be between 0 and 180\nDegrees then W or E, as 0:07:39 W or 2.35 E");
            AnswerAll();
            ASSERT_TRUE(pl::IsWindow(input));
            Ui([=] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
            EXPECT_EQ(Text(c.field), shown);
        }
        EXPECT_EQ(BoxCount(), 0) << c.text;
        EXPECT_NEAR(currentSite.longitude, c.longitude, 1e-4) << c.text;
        EXPECT_NEAR(currentSite.latitude, c.latitude, 1e-4) << c.text;
    }
    ShowSite(0, 51, 0);
    Press(kLocationMap);
    Tap({GetParam().width * 2 / 3, GetParam().height / 2});
    EXPECT_EQ(Text(kLongitudeField).back(), 'E');
    EXPECT_EQ(Text(kLatitudeField).back(), 'N');
    EXPECT_EQ((Text(kLongitudeField) + Text(kLatitudeField)).find('-'), std::string::npos);
    Press(kLocationOk);
    const float longitude = currentSite.longitude, latitude = currentSite.latitude;
    EXPECT_LT(longitude, -5);
    EditField(kLongitudeField, nullptr);
    EXPECT_EQ(BoxCount(), 0) << BoxText();
    EXPECT_EQ((std::vector<float>{currentSite.longitude, currentSite.latitude}),
              (std::vector<float>{longitude, latitude}));
}

// A coordinate typed to the input's 11 characters keeps its side: the
// latitude's letter was the 11th character, past the 10 read back, and
// "33.868820 S" became North without a word. Sydney Observatory, 33.86882 S
// 151.20929 E, as a map or a GPS gives it.
TEST_P(LocationMapOnScreen, ElevenTypedCharactersKeepTheirSide) {
    const struct {
        int field;
        const char* text;
        double longitude, latitude;
    } cases[] = {{kLatitudeField, "33.868820 S", -2.35, -33.86882},
                 {kLatitudeField, "33.868820 s", -2.35, -33.86882},
                 {kLatitudeField, "-33.8688201", -2.35, -33.86882},
                 {kLongitudeField, "151.20929 E", -151.20929, 48.85}};
    for (const auto& c : cases) {
        ShowSite(-2.35, 48.85, 60);
        ASSERT_EQ(std::strlen(c.text), 11u);
        EditField(c.field, c.text);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_NEAR(currentSite.longitude, c.longitude, 1e-4) << c.text;
        EXPECT_NEAR(currentSite.latitude, c.latitude, 1e-4) << c.text;
    }
}

// A coordinate the field's input takes is read as it took it: a blank typed
// after the letter lost the side ("147.5 E " became 147.5 W, without a
// word), and a decimal comma before a letter was read as minutes ("12,5 S"
// became 12 deg 05' S). Values by hand.
TEST_P(LocationMapOnScreen, TypedLetterAfterABlankOrADecimalCommaIsReadAsTaken) {
    const struct {
        int field;
        const char* text;
        double longitude, latitude;
    } cases[] = {{kLongitudeField, "147.5 E ", -147.5, 48.85}, {kLatitudeField, "33.9 s\t", -2.35, -33.9},
                 {kLatitudeField, "12,5 S", -2.35, -12.5},     {kLongitudeField, "2,35 E", -2.35, 48.85},
                 {kLatitudeField, "12,5 N ", -2.35, 12.5},     {kLongitudeField, "0\xB0" "07'39 W ", 0.1275, 48.85}};
    for (const auto& c : cases) {
        ShowSite(-2.35, 48.85, 60);
        EditField(c.field, c.text);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_NEAR(currentSite.longitude, c.longitude, 1e-4) << c.text;
        EXPECT_NEAR(currentSite.latitude, c.latitude, 1e-4) << c.text;
    }
}

// A typed coordinate is the site to 0.1" in every form the field takes, of
// every length up to its 12 characters: the site was read again with one
// decimal of the minutes, no decimals of the seconds and a decimal comma in
// the minutes taken for the seconds' separator ("40:0,9" stored as 40 deg
// 00' 09"), and the input kept 11 characters, so "22:54:30.12S" became North.
// Only the typed coordinate is read: the other keeps its value to the bit. A
// 13th character is refused with the field's box, never cut. Values by hand:
// degrees + minutes / 60 + seconds / 3600, South and East negative.
TEST_P(LocationMapOnScreen, TypedCoordinateIsTheSiteToATenthOfASecond) {
    const double m = 1 / 60.0, sec = 1 / 3600.0;
    const struct {
        int field;
        const char* text;
        double value;
    } cases[] = {
        {kLatitudeField, "5", 5}, {kLatitudeField, "-7", -7},
        {kLatitudeField, "12S", -12}, {kLatitudeField, "9,5S", -9.5},
        {kLatitudeField, "1:2:3", 1 + 2 * m + 3 * sec}, {kLatitudeField, "40:0,9", 40 + 0.9 * m},
        {kLatitudeField, "0:30 s", -0.5}, {kLatitudeField, "45\xB0" "30'", 45.5},
        {kLatitudeField, "12.3456", 12.3456}, {kLatitudeField, "51:28.65", 51 + 28.65 * m},
        {kLatitudeField, "64 50,5 N", 64 + 50.5 * m}, {kLatitudeField, "33:52,13 S", -(33 + 52.13 * m)},
        {kLatitudeField, "33:52.13 S", -(33 + 52.13 * m)}, {kLatitudeField, "-33:51:07.8", -(33 + 51 * m + 7.8 * sec)},
        {kLatitudeField, "71:10:07,25", 71 + 10 * m + 7.25 * sec},
        {kLatitudeField, "22:54:30.12S", -(22 + 54 * m + 30.12 * sec)},
        {kLatitudeField, "51\xB0" "28'38.5 N", 51 + 28 * m + 38.5 * sec},
        {kLatitudeField, "89:59:59.9 N", 89 + 59 * m + 59.9 * sec}, {kLongitudeField, "0", 0},
        {kLongitudeField, "9 E", -9}, {kLongitudeField, "18,4E", -18.4},
        {kLongitudeField, "105 W", 105}, {kLongitudeField, "3,7 e", -3.7},
        {kLongitudeField, "77.0365", 77.0365}, {kLongitudeField, "139:41,5E", -(139 + 41.5 * m)},
        {kLongitudeField, "147:43,5 E", -(147 + 43.5 * m)}, {kLongitudeField, "0\xB0" "07'39.4 W", 7 * m + 39.4 * sec},
        {kLongitudeField, "151.20929 E", -151.20929}, {kLongitudeField, "2:21:07,5 E", -(2 + 21 * m + 7.5 * sec)},
        {kLongitudeField, "179:59.999W", 179 + 59.999 * m}, {kLongitudeField, "12:34:56.7 W", 12 + 34 * m + 56.7 * sec},
        {kLongitudeField, "174:46:36,8E", -(174 + 46 * m + 36.8 * sec)},
        {kLongitudeField, "70:15:00.05w", 70 + 15 * m + 0.05 * sec},
    };
    for (const auto& c : cases) {
        ShowSite(-2.35, 48.85, 60);
        EditField(c.field, c.text);
        EXPECT_EQ(BoxCount(), 0) << BoxText();
        EXPECT_EQ(Text(c.field), c.text);
        const bool latitude = c.field == kLatitudeField;
        EXPECT_NEAR(latitude ? currentSite.latitude : currentSite.longitude, c.value, 0.1 * sec) << c.text;
        EXPECT_EQ(latitude ? currentSite.longitude : currentSite.latitude, latitude ? -2.35f : 48.85f) << c.text;
    }
    const std::pair<int, const char*> tooLong[] = {{kLatitudeField, "22:54:30.123S"},
                                                   {kLongitudeField, "174:46:36,85E"}};
    for (const auto& [field, text] : tooLong) {
        ShowSite(-2.35, 48.85, 60);
        const std::string shown = Text(field);
        const pl::Hwnd input = EditField(field, text);
        EXPECT_EQ(BoxText(), field == kLatitudeField ? "Latitude must be between 0 and 90\nAt most 12 characters"
                                                     : "Longitude must be between 0 and 180\nAt most 12 characters");
        AnswerAll();
        ASSERT_TRUE(pl::IsWindow(input));
        Ui([=] { pl::SendMessage(input, pl::WM_COMMAND, pl::IDCANCEL, 0); });
        EXPECT_EQ(Text(field), shown);
        EXPECT_EQ((std::vector<float>{currentSite.longitude, currentSite.latitude}),
                  (std::vector<float>{-2.35f, 48.85f}));
    }
}

// A coordinate field opened and closed with its text as the form wrote it,
// by Ok or by Cancel, in each Dec format, leaves the site to the bit: the
// rounded texts were read back, and Sydney Observatory as a location record
// gives it (151.20929 E, 33.86882 S) moved by up to 4".
TEST_P(LocationMapOnScreen, CoordinateFieldLeftAsWrittenKeepsTheSite) {
    for (int format = 0; format <= 3; ++format)
        for (int field : {kLatitudeField, kLongitudeField})
            for (int button : {pl::IDOK, pl::IDCANCEL}) {
                Ui([=] { preferences.word[kPrefDecFormat] = format; });
                ShowSite(-151.20929, -33.86882, 600);
                Press(field);
                const pl::Hwnd input = pl::GetActiveWindow();
                Ui([=] { pl::SendMessage(input, pl::WM_COMMAND, button, 0); });
                EXPECT_EQ((std::vector<float>{currentSite.longitude, currentSite.latitude}),
                          (std::vector<float>{-151.20929f, -33.86882f}))
                    << format << " " << field << " " << button;
            }
}

INSTANTIATE_TEST_SUITE_P(Screens, LocationMapOnScreen,
                         ::testing::Values(MapScreen{240, 320, 96}, MapScreen{480, 640, 192}));

// A tap 40 pixels east and 25 up of the centre of the map over 51 N, 0
// (offsets -1087 and -124 by the scrolling rule): 180 - 1247 x 360 / 2415 =
// 5.886 E and 90 - 236 x 180 / 1207 = 54.806 N; "Ok" takes that place to the
// second its text holds, zone 0.
TEST_F(LocationScreens, MapTapThenOkSetsTheTappedPlace) {
    ShowSite(0, 51, 60);
    Press(kLocationMap);
    Tap({160, 136});
    EXPECT_EQ(Text(kZoneField), "0");
    Press(kLocationOk);
    EXPECT_NEAR(currentSite.longitude, -(1247 * 360.0 / 2415 - 180), 1.0 / 3600);
    EXPECT_NEAR(currentSite.latitude, 90 - 236 * 180.0 / 1207, 1.0 / 3600);
    EXPECT_EQ(currentSite.zoneMinutes, 0);
}

// The large map wraps every 2415 pixels; a move of 3 pixels does not pan, the
// fourth starts the drag without moving, and the next move pans by all 5.
TEST_F(LocationScreens, DragOfOneBandComesBackWithoutDriftAndStartsPastThreePixels) {
    ShowSite(0, 51, 0);
    Press(kLocationMap);
    harness.drag({100, 150}, {110, 150});
    const std::vector<uint32_t> before = MapPicture();
    for (int i = 0; i < 12; ++i) harness.drag({230, 150}, {30, 150}, 8);
    harness.drag({230, 150}, {215, 150});
    EXPECT_EQ(MapPicture(), before);
    EXPECT_NEAR(FieldValue(kLatitudeField), 51, kMapPixel);  // no pick after a drag
    harness.penDown(100, 150);
    for (int x : {103, 104}) {
        harness.penMove(x, 150);
        EXPECT_EQ(MapPicture(), before) << x;
    }
    harness.penMove(105, 150);
    EXPECT_EQ(MapPicture(5), before);
    harness.penUp(105, 150);
}

// "DayLight" with zone field 60 makes the site's zone 120 and leaves the
// field at 60; "Ok" keeps 120 and leaves the form.
TEST_F(LocationScreens, DaylightMovesTheZoneNotTheField) {
    ShowSite(-2.35, 48.85, 60);
    Press(kDaylightCheck);
    EXPECT_EQ((std::vector<int>{currentSite.zoneMinutes, currentSite.daylightSaving}), (std::vector<int>{120, 1}));
    EXPECT_EQ(Text(kZoneField), "60");
    Press(kLocationOk);
    EXPECT_NE(GetCurrentFormId(), kLocationForm);
    EXPECT_EQ(currentSite.zoneMinutes, 120);
}

// The list of 3 records wraps with the page keys; the chosen record's
// coordinates show with hemisphere letters; "Cancel" leaves the site, "Ok"
// brings the chosen record into the location form.
TEST_F(LocationScreens, LocationListChoosesWithWrappingPageKeys) {
    Press(kLocationListButton);
    ASSERT_EQ(GetCurrentFormId(), kLocationListForm);
    pl::Hwnd rows = pl::GetDlgItem(Form(), kLocationRows);
    Tap(RowCentre(rows, 2));
    EXPECT_EQ(Text(kListLongitudeField), "78\xB0" "30'00 W");
    const struct {
        int key, row;
        const char *latitude, *longitude;
    } steps[] = {{pl::VK_PRIOR, 0, "33\xB0" "54'00 S", "18\xB0" "24'00 E"},
                 {pl::VK_NEXT, 2, "00\xB0" "13'12 S", "78\xB0" "30'00 W"}};
    for (const auto& s : steps) {
        harness.key(s.key);
        EXPECT_EQ(pl::ListViewGetSelectionMark(rows), s.row);
        EXPECT_EQ(locationListChoice, s.row);
        EXPECT_EQ(Text(kListLatitudeField), s.latitude);
        EXPECT_EQ(Text(kListLongitudeField), s.longitude);
    }
    Press(kLocationListCancel);  // the site stays as it was
    ASSERT_EQ(GetCurrentFormId(), kLocationForm);
    EXPECT_EQ((std::vector<float>{currentSite.latitude, currentSite.longitude}), (std::vector<float>{51, 0}));
    Press(kLocationListButton);
    Tap(RowCentre(pl::GetDlgItem(Form(), kLocationRows), 0));
    Press(kLocationListOk);
    ASSERT_EQ(GetCurrentFormId(), kLocationForm);
    EXPECT_EQ(Text(kLatitudeField), "33\xB0" "54'00 S");
    EXPECT_NEAR(currentSite.longitude, -18.4, 1e-5);
    EXPECT_STREQ(currentSite.name, "Western Cap");
}

// Without the database: the message, an empty list, and "Ok" returns with no choice.
TEST_F(LocationScreens, MissingDatabaseGivesAnEmptyList) {
    std::filesystem::remove(Database());
    Press(kLocationListButton);
    EXPECT_EQ(BoxText(), "Could not retreive zendavori_location.ppc database.\n");
    AnswerAll();
    EXPECT_EQ(pl::ListViewGetItemCount(pl::GetDlgItem(Form(), kLocationRows)), 0);
    Press(kLocationListOk);
    EXPECT_EQ(GetCurrentFormId(), kLocationForm);
    EXPECT_EQ(locationListChoice, -1);
}

// The GPS button on port 2 with a receiver playing: the sample position
// (48.11694 N, 11.51667 E) in the fields and the site; sentences without a
// position, or a receiver that sends nothing, change nothing and show no
// message; the silent line is given up after 11 empty reads. A fix outlives
// a visit to the map view.
TEST_F(LocationScreens, GpsButtonTakesThePositionAndTheMapViewKeepsIt) {
    const std::string source = ZENDAVORI_SOURCE_DIR;
    const struct {
        const char* log;
        bool silent, fix;
    } players[] = {{"gps_fix.nmea", false, true}, {"gps_no_position.nmea", false, false},
                   {"gps_no_position.nmea", true, false}};
    for (const auto& p : players) {
        FakeGpsPlayer player(source, source + "/tests/reference/" + p.log, p.silent, 2);
        ASSERT_FALSE(player.DevicePath().empty()) << player.Error();
        ShowSite(-2.35, 48.85, 60);
        Ui([] { preferences.word[kPrefGpsPort] = 2; });
        uint32_t start = pl::GetTickCount();
        Press(kLocationGps);
        EXPECT_EQ(BoxCount(), 0) << p.log;
        EXPECT_FALSE(IsSerialOpen());
        if (p.silent) {
            EXPECT_EQ(pl::GetTickCount() - start, kSettleMs + 11u * kEmptyReadMs);
        }
        EXPECT_EQ(Text(kLatitudeField), p.fix ? "48\xB0" "07'01 N" : "48\xB0" "51'00 N") << p.log;
        EXPECT_EQ(Text(kLongitudeField), p.fix ? "011\xB0" "31'00 E" : "02\xB0" "21'00 E") << p.log;
        EXPECT_NEAR(currentSite.latitude, p.fix ? 48.116944 : 48.85, 1e-5) << p.log;
        EXPECT_NEAR(currentSite.longitude, p.fix ? -11.516667 : -2.35, 1e-5) << p.log;
        if (!p.fix) continue;
        Press(kLocationMap);  // the map view's Cancel rewrote the fields from the saved site
        Press(kLocationCancel);
        EXPECT_EQ(Text(kLatitudeField), "48\xB0" "07'01 N");
    }
}

// A Meade drive holding port 1 open: the GPS reading on port 2 closes it
// first and closes its own port; the drive's keep-open switch is back and
// its next connect opens port 1 again.
TEST_F(LocationScreens, GpsClosesTheDrivesKeptPortAndTheDriveReopensIt) {
    SerialPeer mount(1, false), gps(2, false);
    mount.Respond("#:GD#", "+45\xDF" "30'15#");
    auto connect = [] { EXPECT_EQ(ScopeConnect(), 1); };
    Ui([] {
        preferences.word[kPrefDriveId] = 5;
        preferences.word[kPrefScopePort] = 1;
        preferences.word[kPrefGpsPort] = 2;
    });
    Ui(connect);
    ASSERT_TRUE(mount.IsPortOpen());
    pl::ResetSerialSettingsLog();
    Press(kLocationGps);
    EXPECT_FALSE(mount.IsPortOpen());
    EXPECT_FALSE(gps.IsPortOpen());
    const std::vector<pl::SerialSettingsRecord> gpsOpen = pl::SerialSettingsLog();
    ASSERT_FALSE(gpsOpen.empty());
    for (const pl::SerialSettingsRecord& r : gpsOpen)
        EXPECT_EQ((std::pair{r.portName, r.settings.baud}), (std::pair{std::string("COM2:"), 9600}));
    EXPECT_EQ(serialPortState.keepOpen, 1);
    Ui(connect);
    EXPECT_TRUE(mount.IsPortOpen());
    ASSERT_GT(pl::SerialSettingsLog().size(), gpsOpen.size());
    EXPECT_EQ(pl::SerialSettingsLog()[gpsOpen.size()].portName, "COM1:");
}

}  // namespace
