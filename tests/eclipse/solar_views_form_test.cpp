// The solar views of the eclipse assistant (2700) over the running program,
// for the total eclipse of 2006 March 29 (row 1 of the list from 2006), at
// 240 x 320 (96 dpi) and 480 x 640 (192 dpi): driven by taps, drags and typed
// fields, read from the form's state, its fields and the screen's pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assistants/globe_transform.h"
#include "catalog/databases.h"
#include "core/delta_t.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "eclipse/eclipse_path.h"
#include "eclipse/solar_eclipse_views.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "solar_eclipse_fixture.h"
#include "support/program_fixture.h"
#include "support/reference_table.h"
#include "support/wrapped_difference.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"

namespace {

constexpr uint32_t kSea = 0x9898C8;   // (153, 153, 203) in 5 bits a channel
constexpr uint32_t kLand = 0x609850;  // the land of the map's bitmaps
constexpr uint32_t kRed = 0xF80000;
// NASA's point of greatest eclipse: 23 09.1' N, 16 44.9' E.
constexpr double kGreatestLatitude = 23 + 9.1 / 60, kGreatestLongitude = -(16 + 44.9 / 60);

struct Screen {
    int width, height, dpi;
};

class SolarViewsForm : public ProgramTest, public ::testing::WithParamInterface<Screen> {
protected:
    void SetUp() override { Start(GetParam()); }
    void Start(const Screen& s) {
        harness.changeScreen(s.width, s.height, s.dpi);
        ResetScreenScale();
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ResetEclipseForm();
        ASSERT_TRUE(StartProgram());
        MainCommand(1029);
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, 2704), nullptr);
        Tap(RowCentre(pl::GetDlgItem(form, 2704), 1));
        ASSERT_EQ(selectedEclipse, 1);
        ASSERT_EQ((std::vector{eclipseList[1].month, eclipseList[1].day, eclipseList[1].hour, eclipseList[1].minute}),
                  (std::vector{3, 29, 10, 11}));
    }
    void ChooseView(int row) {
        Tap(Centre(pl::GetDlgItem(form, 2702)));
        Tap(RowCentre(pl::GetDlgItem(form, 2703), row));
        ASSERT_EQ(currentEclipseView, row);
    }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    void SetTime(const char* time) {
        Ui([this, time] { pl::SetDlgItemText(form, 2712, time); });
        Tap(Centre(pl::GetDlgItem(form, 2713)));
    }
    // A drag along a row: down at x, 4 units on (the move that starts a drag),
    // then to x + d, up there.
    void DragBy(int x, int y, int d) {
        harness.penDown(x, y);
        harness.penMove(x + ScaleX(4), y);
        harness.penMove(x + d, y);
        harness.penUp(x + d, y);
    }
    // Screen pixels of a rectangle, 5 bits a channel.
    std::vector<uint32_t> Pixels(int x0, int y0, int x1, int y1) const {
        std::vector<uint32_t> out;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) out.push_back(harness.pixel(x, y) & 0xF8F8F8u);
        return out;
    }
    int Count(int x0, int y0, int x1, int y1, uint32_t colour) const {
        int n = 0;
        for (uint32_t p : Pixels(x0, y0, x1, y1)) n += p == colour;
        return n;
    }
    int Ink(int x0, int y0, int x1, int y1) const { return Count(x0, y0, x1, y1, 0); }
    int MapPixels(int x0, int y0, int x1, int y1) const {
        return Count(x0, y0, x1, y1, kSea) + Count(x0, y0, x1, y1, kLand);
    }
    pl::Hwnd form = nullptr;
};

// "16\xB044.8 E" read back as a signed value (S and E negative).
double ReadField(const std::string& text) {
    const std::size_t sign = text.find('\xB0');
    const double value = std::atof(text.substr(0, sign).c_str()) + std::atof(text.substr(sign + 1).c_str()) / 60;
    return text.back() == 'S' || text.back() == 'E' ? -value : value;
}

// The first Map drawing computes the positions every 5 minutes from greatest
// eclipse's hour and minute (40 while the umbra is on the Earth, at most 60).
// A move of 3 pixels does not pan; the 4th starts the drag without panning;
// drags adding up to 2415 pixels give back the same picture.
TEST_P(SolarViewsForm, MapPositionsAndDrags) {
    ChooseView(kEclipseMapView);
    ASSERT_EQ(mapPositionCount, 40);
    EXPECT_EQ((std::vector{mapPositions[0].hour, mapPositions[0].minute}), (std::vector{10, 11}));
    for (int i = 1; i < 20; ++i)
        EXPECT_EQ(mapPositions[i - 1].hour * 60 + mapPositions[i - 1].minute - 5,
                  mapPositions[i].hour * 60 + mapPositions[i].minute);
    Shot(("solar_map_" + std::to_string(GetParam().width) + ".png").c_str());
    const std::vector<uint32_t> before = ScreenSample(1);
    const int panX = mapPanX, panY = mapPanY, y = viewRect.y + viewRect.height / 2, x = ScaleX(20);

    harness.penDown(x, y);
    harness.penMove(x + 3, y + 3);
    EXPECT_EQ(mapDragging, 0);
    EXPECT_EQ((std::vector{mapPanX, mapPanY}), (std::vector{panX, panY}));
    harness.penMove(x + 4, y);
    EXPECT_EQ(mapDragging, 1);
    EXPECT_EQ((std::vector{mapPanX, mapPanY}), (std::vector{panX, panY}));
    harness.penMove(x - 10, y);
    EXPECT_EQ(((mapPanX - panX + 10) % 2415 + 2415) % 2415, 0);
    harness.penMove(x, y);
    harness.penUp(x, y);
    EXPECT_EQ(mapDragging, 0);
    EXPECT_EQ(ScreenSample(1), before);

    const int step = ScaleX(200) - ScaleX(20);
    int moved = 0;
    while (moved + step < 2415) DragBy(x, y, step), moved += step;
    DragBy(x, y, 2415 - moved);
    EXPECT_EQ(mapPanY, panY);
    EXPECT_EQ(ScreenSample(1), before);
    ChooseView(kEclipseInfoView);  // the contacts of its fields' place (they were the 10:00 shadow centre's)
    EXPECT_NEAR(ReadField(Text(2715)), localResult.pointLatitude, 0.002);
    EXPECT_NEAR(ReadField(Text(2716)), localResult.pointLongitude, 0.002);
}

// A tap at Accra (5.55 N, 0.20 W) sets the typed location and the Latitude
// and Longitude fields to it, and draws the panel over the map; its greatest
// eclipse lies within a minute of the site's circumstances and of the
// reference table (09:11:25 UT), with a partial start and end. A tap outside
// the view (the bottom strip) only sets the typed location.
TEST_P(SolarViewsForm, TapPanelAtAccra) {
    ChooseView(kEclipseMapView);
    const int x = MapX(0.20) + mapPanX, y = MapY(5.55) + mapPanY + viewRect.y;
    ASSERT_GT(x, 0);
    ASSERT_LT(y, viewRect.y + viewRect.height);
    const std::vector<uint32_t> map = ScreenSample(1);
    Tap(pl::Point{x, y});
    Shot(("solar_tap_" + std::to_string(GetParam().width) + ".png").c_str());
    EXPECT_NEAR(typedLatitude, 5.55, 0.16);
    EXPECT_NEAR(typedLongitude, 0.20, 0.16);
    EXPECT_NEAR(ReadField(Text(2715)), typedLatitude, 0.002);
    EXPECT_NEAR(ReadField(Text(2716)), typedLongitude, 0.002);
    EXPECT_NE(ScreenSample(1), map);
    // The Moon (53, 53, 53) over the Sun in the picture at the panel's right end.
    const int screenW = GetParam().width, screenH = GetParam().height;
    EXPECT_GT(Count(screenW / 2, screenH - ScaleY(80), screenW, screenH - ScaleY(22), 0x303030), ScaleX(20) * ScaleY(20));

    const TapContacts c = ComputeTapContacts(besselianElements, ComputeDeltaT(2006, 3, 29), 10, typedLatitude,
                                             typedLongitude);
    LocalEclipseResult site{};
    FindLocalEclipseCircumstances(&site, 2006, 3, 29, 10, 11, typedLatitude, typedLongitude);
    EXPECT_NEAR(c.greatest, site.maximumTime, 1 / 60.0);
    EXPECT_NEAR(c.greatest, 9 + 11 / 60.0 + 25 / 3600.0, 1 / 60.0);
    const TapPanelLines lines = FormatTapContacts(c);
    EXPECT_EQ(lines.start.rfind("Partial Start at 8h0", 0), 0u) << lines.start;
    EXPECT_EQ(lines.end.rfind("Partial End at 10h", 0), 0u) << lines.end;

    const std::vector<uint32_t> panel = ScreenSample(1);
    Tap(pl::Point{screenW - 3, screenH - 3});
    EXPECT_EQ(ScreenSample(1), panel);
    EXPECT_LT(typedLatitude, 5.0);
    EXPECT_NE(ReadField(Text(2715)), typedLatitude);
}

// The circumstances of a tapped place in the Info view (its button in the
// Map view): Lagos (6.45 N, 3.40 E) sees a partial eclipse of magnitude 0.967
// (reference table) at 09:17 UT, when the umbra is still on the Earth: the
// umbra's magnitude on its axis (above 1) must not replace the site's. The
// Time field shows its maximum rounded once (09:17:3x read 09:18:3x).
TEST_P(SolarViewsForm, TappedSiteKeepsItsMagnitudeInTheInfoView) {
    ChooseView(kEclipseMapView);
    Tap(pl::Point{MapX(-3.40) + mapPanX, MapY(6.45) + mapPanY + viewRect.y});
    Tap(Centre(pl::GetDlgItem(form, 2724)));
    ASSERT_EQ(currentEclipseView, kEclipseInfoView);
    EXPECT_NEAR(observerLatitude, 6.45, 0.16);
    EXPECT_NEAR(localResult.magnitude, 0.967, 0.01);
    EXPECT_FALSE(localResult.centralPhase);
    LocalEclipseResult site{};
    FindLocalEclipseCircumstances(&site, 2006, 3, 29, 10, 11, typedLatitude, typedLongitude);
    const long s = std::lround(site.maximumTime * 3600);
    EXPECT_EQ(Text(2712), FormatText("%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60));
    Shot(("solar_info_lagos_" + std::to_string(GetParam().width) + ".png").c_str());
}

// The Info view at 14:00 UT: no central shadow, the text naming greatest
// eclipse (10:11) and no map strip; after the time's Set at 10:00 the fields
// show the shadow centre, on the central line at 10:00 (within 0.1 degree),
// and the strip shows the map.
TEST_P(SolarViewsForm, InfoViewAtTwoTimes) {
    ChooseView(kEclipseInfoView);
    const int w = GetParam().width, h = GetParam().height, strip = ScaleY(224), bottom = h - ScaleY(22);
    Shot(("solar_info_" + std::to_string(w) + ".png").c_str());
    EXPECT_GT(MapPixels(0, strip, w, bottom), w * (bottom - strip) / 2);
    SetTime("14:00:00");
    EXPECT_EQ(umbraResult.time, 14.0);
    const EclipseEvent& e = eclipseList[1];
    EXPECT_NE(NoCentralEclipseText(e.hour, e.minute, e.second).find("is at 10:11 UT"), std::string::npos);
    EXPECT_GT(Ink(0, ScaleY(68), w, ScaleY(120)), 50);
    EXPECT_EQ(MapPixels(0, strip, w, bottom), 0);
    Shot(("solar_info_none_" + std::to_string(w) + ".png").c_str());

    SetTime("10:00:00");
    EXPECT_EQ(Text(2712), "10:00:00");
    double latitude, longitude, duration, width;
    ComputeCentralLinePoint(besselianElements, 10.0, ComputeDeltaT(2006, 3, 29), &latitude, &longitude, &duration,
                            &width);
    EXPECT_NEAR(ReadField(Text(2715)), latitude, 0.1);
    EXPECT_NEAR(ReadField(Text(2716)), longitude, 0.1);
    EXPECT_TRUE(localResult.centralPhase);
    EXPECT_GT(MapPixels(0, strip, w, bottom), w * (bottom - strip) / 2);
}

// Dragging the globe left past longitude 0 continues at 359; the textured
// globe comes back when the pen is lifted. Drawn centred on greatest eclipse,
// the globe puts that point within 2 pixels of its centre, with the red
// limits of the central eclipse beside it (within 3 % of the radius).
TEST_P(SolarViewsForm, DiagramGlobeCentredAndTurned) {
    ChooseView(kEclipseDiagramView);
    const EclipseGlobe g = EclipseGlobeGeometry(GetParam().width, GetParam().height);
    int x = 0, y = 0;
    Ui([&] { ProjectOnGlobe(&x, &y, g.centreX, g.centreY, kGreatestLongitude, kGreatestLatitude); });
    EXPECT_LE(std::hypot(x - g.centreX, y - g.centreY), 2.0);
    const int near = static_cast<int>(0.03 * g.radius) + 1;
    EXPECT_GT(Count(x - near, y - near, x + near + 1, y + near + 1, kRed), 0);
    Shot(("solar_diagram_" + std::to_string(GetParam().width) + ".png").c_str());
    const std::vector<uint32_t> globe = Pixels(g.centreX - 20, g.centreY - 20, g.centreX + 20, g.centreY + 20);

    const int d = ScaleX(3) + 1;
    Ui([d] { globeLongitude = d - 1, globeLatitude = 23; });
    harness.penDown(g.centreX, g.centreY);
    harness.penMove(g.centreX - d, g.centreY);
    EXPECT_EQ(globeRotating, 1);
    EXPECT_EQ(globeLongitude, d - 1);
    harness.penMove(g.centreX - d, g.centreY);
    harness.penUp(g.centreX - d, g.centreY);
    EXPECT_EQ(globeLongitude, 359);
    EXPECT_EQ(globeLatitude, 23);
    EXPECT_EQ(globeRotating, 0);
    EXPECT_NE(Pixels(g.centreX - 20, g.centreY - 20, g.centreX + 20, g.centreY + 20), globe);
    EXPECT_LT(Count(g.centreX - 20, g.centreY - 20, g.centreX + 20, g.centreY + 20, 0xF8F8F8), 100);  // textured
}

INSTANTIATE_TEST_SUITE_P(Screens, SolarViewsForm, ::testing::Values(Screen{240, 320, 96}, Screen{480, 640, 192}),
                         [](const auto& info) { return std::to_string(info.param.width); });

// On a 240 x 240 screen the Path view leaves out the central-duration line
// that a 240 x 320 one shows below the three lines; the Diagram view's globe
// has a radius of 80 units and the duration lines are shown.
class SmallScreens : public SolarViewsForm {
protected:
    void SetUp() override {}
    // The rows of the fourth line under the path's map (120 pixels high).
    int FourthLineInk() const {
        const int line = ScaleY(37) + 120 + ScaleY(2) + 3 * ScaleY(13);
        EXPECT_GT(Ink(0, line - ScaleY(13), 240, line - 1), 20);  // the "End" line
        return Ink(0, line, 240, line + ScaleY(12));
    }
};

TEST_F(SmallScreens, PathDurationLineOn240By320) {
    Start(Screen{240, 320, 96});
    ChooseView(kEclipsePathView);
    EXPECT_GT(FourthLineInk(), 20);
}

TEST_F(SmallScreens, PathAndDiagramOn240By240) {
    Start(Screen{240, 240, 96});
    ChooseView(kEclipsePathView);
    EXPECT_EQ(FourthLineInk(), 0);
    ChooseView(kEclipseDiagramView);
    Shot("solar_diagram_240x240.png");
    const EclipseGlobe g = EclipseGlobeGeometry(240, 240);
    EXPECT_EQ(g.radius, 80);
    EXPECT_GT(Ink(0, ScaleY(50), ScaleX(80), ScaleY(62)), 20);  // "Partial Duration:"
    // The globe spans 80 pixels each side of its centre, white beyond.
    EXPECT_EQ(Count(g.centreX - 75, g.centreY, g.centreX + 75, g.centreY + 1, 0xF8F8F8), 0);
    EXPECT_EQ(Count(g.centreX + 84, g.centreY, 240, g.centreY + 1, 0xF8F8F8), 240 - g.centreX - 84);
}

// The solar eclipses of other years, at 240 x 320: the list started at the
// eclipse's year through the year field, its row tapped.
class EclipseOfYear : public SolarViewsForm {
protected:
    void SetUp() override { Start(Screen{240, 320, 96}); }
    void TearDown() override { pl::StopTextLog(); }
    bool Logged(const std::string& prefix) const {
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            if (run.text.rfind(prefix, 0) == 0) return true;
        return false;
    }
    // The form opened again on a list that starts on the eclipse's date: its
    // first row, completed.
    void Select(int year, int month, int day) {
        Ui([=] { listStartYear = year, listStartMonth = month, listStartDay = day; });
        MainCommand(1029);
        form = GetCurrentFormDialog();
        ASSERT_EQ((std::vector{eclipseList[0].type, eclipseList[0].month, eclipseList[0].day, selectedEclipse}),
                  (std::vector{1, month, day, 0}));
    }
    // The eclipse of row k of a reference table, its Info view, the row's
    // place typed and Set with the text log running.
    void SetPlaceInInfo(const ReferenceTable& ref, std::size_t k) {
        Select(static_cast<int>(ref.Get(k, "year")), static_cast<int>(ref.Get(k, "month")),
               static_cast<int>(ref.Get(k, "day")));
        TypePlace(ref.Get(k, "latitude"), ref.Get(k, "longitude_west"));
    }
    void TypePlace(double latitude, double longitude) {
        ChooseView(kEclipseInfoView);
        Ui([&] {
            pl::SetDlgItemText(form, 2715, (std::to_string(std::fabs(latitude)) + (latitude < 0 ? " S" : " N")).c_str());
            pl::SetDlgItemText(form, 2716, (std::to_string(std::fabs(longitude)) + (longitude < 0 ? " E" : " W")).c_str());
            pl::StartTextLog();
        });
        Tap(Centre(pl::GetDlgItem(form, 2717)));
    }
};

// Places the penumbra never reaches (PyEphem: the limbs of the Sun and the
// Moon stay apart all day there, solar_eclipse_unseen_pyephem.csv), Sydney on
// 2006-03-29 among them: the location's Set gives "No Eclipse found!", then
// the Info view shows the place in the fields and no circumstances (it showed
// those of the central line, "Umbra transit (Total Eclipse m=1.025)" and the
// contacts); in the Map view, centred on the place, a tap there says that
// there is no eclipse instead of giving contacts; back in the list, the best
// place shown there has its circumstances again.
TEST_F(EclipseOfYear, PlaceOutsideThePenumbraShowsNoCircumstances) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_eclipse_unseen_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 4u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SCOPED_TRACE(ref.Text(k, "place"));
        ASSERT_GT(ref.Get(k, "limb_gap_arcmin"), 10);
        SetPlaceInInfo(ref, k);
        const double latitude = ref.Get(k, "latitude"), longitude = ref.Get(k, "longitude_west");
        EXPECT_EQ(BoxText(), "No Eclipse found!\n");
        AnswerAll();
        EXPECT_NEAR(ReadField(Text(2715)), latitude, 0.002);
        EXPECT_NEAR(ReadField(Text(2716)), longitude, 0.002);
        EXPECT_TRUE(Logged("No Eclipse found!"));
        for (const char* line : {"Umbra transit", "  Partial from", "  Total from", "Alt "}) EXPECT_FALSE(Logged(line)) << line;

        ChooseView(kEclipseMapView);
        Ui([] { pl::StartTextLog(); });
        Tap(pl::Point{((MapX(longitude) + mapPanX) % 2415 + 2415) % 2415, MapY(latitude) + mapPanY + viewRect.y});
        EXPECT_NEAR(typedLatitude, latitude, 0.16);
        EXPECT_TRUE(Logged("No Eclipse found!"));
        EXPECT_FALSE(Logged("Partial Start at"));
        Ui([] { pl::StopTextLog(); });
        ChooseView(kEclipseListView);  // the observer moves to the list's best place, which sees the eclipse
        ChooseView(kEclipseInfoView);
        EXPECT_TRUE(localResultComputed);
        EXPECT_TRUE(localResult.partialPhase);
    }
}

// Places whose partial eclipse begins before 0h UT of the eclipse's date
// (PyEphem, solar_eclipse_before_midnight_pyephem.csv): the location's Set
// gives no message and the Info view keeps the place's own circumstances (the
// negative first contact read as no eclipse, "No Eclipse found!").
TEST_F(EclipseOfYear, PlaceWhoseEclipseBeganBeforeMidnightKeepsItsCircumstances) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_eclipse_before_midnight_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 2u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SCOPED_TRACE(ref.Text(k, "place"));
        ASSERT_LT(ref.Get(k, "first_contact_ut"), 0);
        SetPlaceInInfo(ref, k);
        EXPECT_EQ(BoxText(), "");
        EXPECT_FALSE(Logged("No Eclipse found!"));
        EXPECT_NEAR(ReadField(Text(2715)), ref.Get(k, "latitude"), 0.002);
        EXPECT_NEAR(localResult.firstContact, ref.Get(k, "first_contact_ut"), 1 / 60.0);
        EXPECT_NEAR(localResult.magnitude, ref.Get(k, "magnitude"), 0.005);
        Ui([] { pl::StopTextLog(); });
    }
}

// The eclipse of 2027-08-02 (PyEphem, solar_eclipse_night_side_pyephem.csv):
// where the Sun stays below the horizon throughout (150 E 30 S showed a
// partial eclipse of 58%) the Info view and a tap in the Map view give "No
// Eclipse found!"; at Padang (the Sun sets during it), 60 W 50 N (it rises)
// and London both list the contacts, within a minute of PyEphem's.
TEST_F(EclipseOfYear, NightSidePlacesSeeNoEclipse) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_eclipse_night_side_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 6u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SCOPED_TRACE(ref.Text(k, "place"));
        const bool night = ref.Get(k, "sun_alt_highest") < -1;
        SetPlaceInInfo(ref, k);
        EXPECT_EQ(BoxText(), night ? "No Eclipse found!\n" : "");
        AnswerAll();
        EXPECT_EQ(Logged("No Eclipse found!"), night);
        EXPECT_EQ(Logged("  Partial from"), !night);
        if (!night) {
            EXPECT_NEAR(localResult.firstContact, ref.Get(k, "first_contact_ut"), 1 / 60.0);
            EXPECT_NEAR(localResult.fourthContact, ref.Get(k, "last_contact_ut"), 1 / 60.0);
            EXPECT_NEAR(localResult.magnitude, ref.Get(k, "magnitude"), 0.005);
        }
        ChooseView(kEclipseMapView);
        Ui([] { pl::StartTextLog(); });
        const double latitude = ref.Get(k, "latitude"), longitude = ref.Get(k, "longitude_west");
        Tap(pl::Point{((MapX(longitude) + mapPanX) % 2415 + 2415) % 2415, MapY(latitude) + mapPanY + viewRect.y});
        EXPECT_NEAR(typedLatitude, latitude, 0.16);
        EXPECT_EQ(Logged("No Eclipse found!"), night);
        EXPECT_EQ(Logged("Partial Start at"), !night);
        Ui([] { pl::StopTextLog(); });
    }
}

// Places whose maximum comes while the shadow's axis is off the Earth or leaving it, set
// in Info: their own contacts and magnitude (solar_axis_off_places_reference.csv), never
// "No central eclipse"; the axis line for the partial ones, "  Total from" at a path's end.
TEST_F(EclipseOfYear, PlaceKeepsItsCircumstancesWhileTheAxisIsOffTheEarth) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_axis_off_places_reference.csv");
    ASSERT_EQ(ref.rows.size(), 6u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SCOPED_TRACE(ref.Text(k, "place"));
        SetPlaceInInfo(ref, k);
        ExpectContactsAsTabled(localResult, ref, k, 6 / 3600.0);
        EXPECT_NEAR(localResult.magnitude, ref.Get(k, "magnitude"), 0.005);
        const bool total = ref.Get(k, "c2") >= 0, axis = Logged("The shadow's axis does not meet the Earth at this time.");
        EXPECT_EQ((std::vector{Logged("No central eclipse"), Logged("  Total from"), total || axis}),
                  (std::vector{false, total, true}));
        Ui([] { pl::StopTextLog(); });
    }
}

// 2027-08-02's place of greatest eclipse (best place and cross, Path cross, Diagram's Long=
// and Lat=) stays after Info at 150 E 30 S (it went to 7 N 55 E) and London, a Time Set, a map tap.
// Back from the list Info describes its fields' place, a set place's time gone with the place.
TEST_F(EclipseOfYear, GreatestEclipsePlaceStaysAfterInfoAndMap) {
    Select(2027, 8, 2);
    std::vector<uint32_t> first;
    for (int step = 0; step < 5; ++step) {
        if (step == 1) TypePlace(-30, -150), AnswerAll();
        if (step == 2) TypePlace(51.5074, 0.1278);
        if (step == 3) ChooseView(kEclipseInfoView), SetTime("09:00:00");
        if (step == 4) ChooseView(kEclipseMapView), Tap({120, 150}), Tap(Centre(pl::GetDlgItem(form, 2724)));
        std::vector<uint32_t> views;
        for (int view : {kEclipseListView, kEclipsePathView, kEclipseDiagramView}) {
            ChooseView(view);
            for (uint32_t p : Pixels(0, ScaleY(view ? 24 : 148), 240, 320 - ScaleY(22))) views.push_back(p);
        }
        if (step == 0) first = views;
        EXPECT_TRUE(views == first) << step;
        ChooseView(kEclipseInfoView);
        EXPECT_EQ(Text(2712), step == 3 ? "09:00:00" : "10:06:44") << step;
        EXPECT_NEAR(ReadField(Text(2715)), localResult.pointLatitude, 0.002) << step;
        EXPECT_NEAR(ReadField(Text(2716)), localResult.pointLongitude, 0.002) << step;
    }
}

// The hybrid eclipse of 2013-11-03 lasts 1m40s on the central line at
// greatest (NASA's eclipse page): the Info view lists rings from 90 s; at
// 11:07:00, with 25 s or less on the centre, it lists none (it kept the
// rings of greatest eclipse).
TEST_F(EclipseOfYear, InfoViewListsOnlyTheRingsOfItsTime) {
    Select(2013, 11, 3);
    ChooseView(kEclipseInfoView);
    EXPECT_EQ(umbraResult.ringDuration[0], 90);
    Ui([] { pl::StartTextLog(); });
    SetTime("11:07:00");
    EXPECT_LE(umbraResult.centralDuration, 25.5);
    EXPECT_EQ(umbraResult.ringDuration[0], 0);
    EXPECT_FALSE(Logged(" 90s ("));
    EXPECT_FALSE(Logged(" 20s ("));
}

// The eclipses of other years on both screens, read from the text log.
class EclipseOfYearOnBoth : public EclipseOfYear {
protected:
    void SetUp() override { Start(GetParam()); }
    std::vector<std::string> TextsBetween(int top, int bottom) const {
        std::vector<std::string> out;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            if (run.cell.top >= top && run.cell.bottom <= bottom) out.push_back(run.text);
        return out;
    }
    // Minutes and seconds (two numbers in `format`) of the last text holding `part`, or of the
    // text drawn after it with `next`; -1 without one.
    static int Seconds(const std::string& part, const char* format, bool next = false) {
        const std::vector<pl::TextRun> runs = pl::LoggedTexts(pl::ScreenSurfaceSerial());
        int minutes = -1, seconds = -1;
        for (std::size_t i = 0; i + next < runs.size(); ++i)
            if (runs[i].text.find(part) != std::string::npos &&
                std::sscanf(runs[i + next].text.c_str(), format, &minutes, &seconds) != 2)
                minutes = seconds = -1;
        return minutes < 0 ? -1 : minutes * 60 + seconds;
    }
    // The two clock times (hours) drawn after the last text `label`; none without one.
    static std::vector<double> TimesAfter(const std::string& label) {
        const std::vector<pl::TextRun> runs = pl::LoggedTexts(pl::ScreenSurfaceSerial());
        std::vector<double> times;
        for (std::size_t i = 0; i + 2 < runs.size(); ++i) {
            int h[2], m[2], s[2];
            if (runs[i].text == label && std::sscanf(runs[i + 1].text.c_str(), "%d%*c%d%*c%d", h, m, s) == 3 &&
                std::sscanf(runs[i + 2].text.c_str(), "%d%*c%d%*c%d", h + 1, m + 1, s + 1) == 3)
                times = {h[0] + m[0] / 60.0 + s[0] / 3600.0, h[1] + m[1] / 60.0 + s[1] / 3600.0};
        }
        return times;
    }
};

// A place at exactly 90 degrees was taken for the other pole: "No Eclipse found!" at the North
// Pole on 2026-08-12, a partial eclipse at the South Pole on 2023-10-14. Each pole shows the Info
// texts of its last arcsecond (89 59' 59"), and its contacts, magnitude, obscuration and the Sun's
// altitude agree with the reference (solar_eclipse_poles_reference.csv) as the arcsecond's do.
TEST_P(EclipseOfYearOnBoth, ExactPoleIsNotTakenForTheOtherPole) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_eclipse_poles_reference.csv");
    ASSERT_EQ(ref.rows.size(), 4u);
    std::vector<std::string> texts[4];
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {  // a pole, then its last arcsecond
        SCOPED_TRACE(ref.Text(k, "place") + " on " + std::to_string(GetParam().width));
        SetPlaceInInfo(ref, k);
        EXPECT_EQ(BoxText(), ref.Get(k, "magnitude") > 0 ? "" : "No Eclipse found!\n");
        AnswerAll();
        texts[k] = TextsBetween(ScaleY(60), ScaleY(224));
        const LocalEclipseResult& r = localResult;
        ExpectContactsAsTabled(r, ref, k, 8 / 3600.0);
        for (auto [found, c, tolerance] : {std::tuple{r.magnitude, "magnitude", 0.001},
                                           {r.sunAltitude, "sun_altitude", 0.01},
                                           {r.obscuration + 0.0, "obscuration", 1.0}})
            EXPECT_NEAR(found, ref.Get(k, c), tolerance) << c;
        Ui([] { pl::StopTextLog(); });
    }
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_EQ(texts[2], texts[3]);
}

// The list (06m27s), Info (06m25s) and the Diagram (6m25) showed three central durations on
// 2027-08-02 at greatest eclipse (NASA's eclipse page: 6m22.6s), and Info 288 s at the sunrise
// end of the 2023-10-14 path. They show one value, the list's truncated and the others rounded,
// within 3 s of the reference (solar_central_duration_reference.csv: the second to the third
// contact on the central line at greatest eclipse, and near the path's ends in Info at that time).
// 1746-03-22, 1773-03-23 and 1811-03-24, whose Moon crosses 0 degrees of longitude between two
// nodes of the caches, showed 0 everywhere: within 5 s of the reference at greatest eclipse
// (solar_moon_crossing_durations_pyephem.csv, PyEphem's Moon: 406.4, 368.5 and 210.8 s).
TEST_P(EclipseOfYearOnBoth, OneCentralDurationFromTheContactsOnEveryScreen) {
    const ReferenceTable tables[] = {
        ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_central_duration_reference.csv"),
        ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_moon_crossing_durations_pyephem.csv")};
    ASSERT_EQ(tables[0].rows.size() + tables[1].rows.size(), 12u);
    for (std::size_t n = 0; n < 12; ++n) {
        const ReferenceTable& ref = tables[n / 6];
        const std::size_t k = n % 6;
        const double tolerance = n < 6 ? 3 : 5;
        const bool greatest = ref.Text(k, "what") == "greatest";
        if (ref.Text(k, "what") == "before 0h") continue;  // in Info only from the day before
        SCOPED_TRACE(ref.Text(k, "year") + " " + ref.Text(k, "what") + " on " + std::to_string(GetParam().width));
        Ui([] { pl::StartTextLog(); });
        const auto at = [&](const char* c) { return static_cast<int>(ref.Get(k, c)); };
        Select(at("year"), at("month"), at("day"));
        const int list = Seconds("UT duration ", "At %*dh%*d'%*dUT duration %dm%ds");
        ChooseView(kEclipseInfoView);
        const long s = std::lround(ref.Get(k, "ut") * 3600);
        if (!greatest) SetTime(FormatText("%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60).c_str());
        const int info = Seconds(" on center ", "%dm%ds");
        EXPECT_NEAR(info, ref.Get(k, "duration_s"), tolerance);
        if (!greatest) continue;
        ChooseView(kEclipseDiagramView);
        EXPECT_EQ(Seconds("Central Duration:", "%dm%d", true), info);
        EXPECT_TRUE(list == info || list == info - 1) << list << " " << info;
        if (at("year") == 2027) {
            EXPECT_NEAR(info, 382.6, 3);  // NASA's eclipse page
        }
    }
}

// Info after Set at 30 N 90 E on 1746-03-22 read "Partial from 03h02m21 03h02m30" (the Moon
// crossing 0 degrees of longitude between two nodes of the caches), and at 11.596 S 149.279 E on
// 2013-05-10 (greatest at 00:25 UT) it left out the partial and the annular phase, which began
// on the 9th: both phases with their contacts, read on the clock of their own day, within 30 s
// (1746; the Moon theories differ by about 15 s then) and 15 s (2013) of the reference
// (solar_moon_crossing_sites_pyephem.csv). After a selection Info computes the place of
// greatest eclipse, whose phases also began on the 9th. The time field, pressed back as it is
// shown, stays on its own day (22:56 was read as 22:56 on the 10th).
TEST_P(EclipseOfYearOnBoth, InfoTellsPhasesAcrossZeroLongitudeAndMidnight) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "solar_moon_crossing_sites_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 2u);
    for (std::size_t k = 0; k < ref.rows.size(); ++k) {
        SCOPED_TRACE(ref.Text(k, "place") + " on " + std::to_string(GetParam().width));
        SetPlaceInInfo(ref, k);
        EXPECT_EQ(BoxText(), "");
        const double tolerance = (ref.Get(k, "year") < 1900 ? 30 : 15) / 3600.0;
        for (auto [label, from, to] : {std::tuple{"  Partial from", "c1", "c4"}, {"  Annular from ", "c2", "c3"}}) {
            const std::vector<double> times = TimesAfter(label);
            ASSERT_EQ(times.size(), 2u) << label;
            EXPECT_NEAR(WrappedDifference(times[0], ref.Get(k, from), 24), 0, tolerance) << label;
            EXPECT_NEAR(WrappedDifference(times[1], ref.Get(k, to), 24), 0, tolerance) << label;
        }
        // The time of greatest eclipse on the clock of its own day (22:56 on 9 May for 2013), here and on the Map.
        int h = -1, m = 0, sec = 0;
        ASSERT_EQ(std::sscanf(Text(2712).c_str(), "%d:%d:%d", &h, &m, &sec), 3) << Text(2712);
        EXPECT_NEAR(h + m / 60.0 + sec / 3600.0, std::fmod(ref.Get(k, "greatest") + 24, 24), tolerance) << Text(2712);
        // The time pressed back as shown is the same instant, its own day's.
        const std::string shown = Text(2712);
        Ui([] { pl::StartTextLog(); });
        SetTime(shown.c_str());
        EXPECT_EQ(Text(2712), shown);
        EXPECT_EQ(BoxText(), "");
        EXPECT_EQ(TimesAfter("  Annular from ").size(), 2u) << "after the time's Set";
        Ui([] { pl::StopTextLog(); });
        ChooseView(kEclipseMapView);
        EXPECT_EQ(Text(2718), Text(2712).substr(0, 5));
    }
    Ui([] { pl::StartTextLog(); });
    Select(2013, 5, 10);
    ChooseView(kEclipseInfoView);
    EXPECT_TRUE(localResultComputed);
    EXPECT_EQ((std::vector{localResult.pointLatitude, localResult.pointLongitude}),
              (std::vector{greatestLatitude, greatestLongitude}));
    EXPECT_LT(localResult.firstContact, 0);
    for (const char* label : {"  Partial from", "  Annular from "}) EXPECT_EQ(TimesAfter(label).size(), 2u) << label;
}

INSTANTIATE_TEST_SUITE_P(Screens, EclipseOfYearOnBoth, ::testing::Values(Screen{240, 320, 96}, Screen{480, 640, 192}),
                         [](const auto& info) { return std::to_string(info.param.width); });

}  // namespace
