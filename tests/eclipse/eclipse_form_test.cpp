// The eclipse assistant (2700) over the running program: opened from the menu,
// driven by taps and typed fields, read from its state, controls and boxes.
#include "eclipse/eclipse_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>
#include <string>
#include <vector>

#include "catalog/databases.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_list.h"
#include "platform/color.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/logged_lines.h"
#include "support/program_fixture.h"
#include "support/reference_table.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"

namespace {

constexpr int kOkButtonY = 113 + 84 + 10;  // the text input dialog's buttons

class EclipseForm : public ProgramTest {
protected:
    void SetUp() override {
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ResetCatalogState();
        ResetEclipseForm();
        ASSERT_TRUE(StartProgram());
        Open();
    }
    void Open() {
        MainCommand(1029);
        form = GetCurrentFormDialog();
        ASSERT_NE(pl::GetDlgItem(form, 2704), nullptr);
    }
    std::string Text(int id) const { return pl::GetDlgItemText(form, id); }
    void Press(int id) { Tap(Centre(pl::GetDlgItem(form, id))); }
    void TapRow(int list, int row) { Tap(RowCentre(pl::GetDlgItem(form, list), row)); }
    void ChooseView(int row) {
        Press(2702);
        TapRow(2703, row);
    }
    void TypeYear(const char* year) {
        Press(2708);
        pl::Hwnd input = pl::GetActiveWindow();
        ASSERT_NE(input, form);
        Ui([input, year] { pl::SetDlgItemText(input, 137, year); });
        harness.tap(35, kOkButtonY);
    }
    int Rows() const { return pl::ListViewGetItemCount(pl::GetDlgItem(form, 2704)); }
    // Screen pixels (5 bits a channel) of the text columns of a list row.
    std::vector<uint32_t> RowPixels(int row) const {
        pl::Hwnd list = pl::GetDlgItem(form, 2704);
        pl::Rect r;
        pl::SendMessage(list, pl::LVM_GETITEMRECT, static_cast<pl::WParam>(row), reinterpret_cast<pl::LParam>(&r));
        pl::Point origin{0, 0};
        pl::ClientToScreen(list, &origin);
        std::vector<uint32_t> pixels;
        for (int y = r.top + 1; y < r.bottom - 1; ++y)
            for (int x = r.left + 2; x < r.left + 160; ++x) pixels.push_back(harness.pixel(origin.x + x, origin.y + y) & 0xF8F8F8u);
        return pixels;
    }
    pl::Hwnd form = nullptr;
};

// The first opening lists from 2006-01-01 with row 0 selected and completed;
// reselecting a completed row runs no new separation search; a year typed
// rebuilds from its 1 January, and a later opening keeps that year.
TEST_F(EclipseForm, ListStartsIn2006AndKeepsTheTypedYear) {
    Shot("eclipse_list.png");
    EXPECT_EQ(Text(2708), "2006");
    EXPECT_EQ(Rows(), 6);
    EXPECT_EQ(selectedEclipse, 0);
    EXPECT_GE(eclipseList[0].closestSeparation, 0);
    EXPECT_EQ((std::vector{eclipseList[0].year, eclipseList[0].month, eclipseList[0].day}), (std::vector{2006, 3, 14}));
    TapRow(2704, 1);
    EXPECT_EQ(selectedEclipse, 1);
    const int searches = eclipseSeparationSearches;
    TapRow(2704, 0);
    TapRow(2704, 1);
    EXPECT_EQ(eclipseSeparationSearches, searches);
    TypeYear("2010");
    EXPECT_EQ((std::vector{listStartYear, listStartMonth, listStartDay}), (std::vector{2010, 1, 1}));
    EXPECT_EQ(eclipseList[0].year, 2010);
    EXPECT_EQ(selectedEclipse, 0);
    for (const char* outside : {"abc", "1699", "2200"}) {  // the years of the planet theory: 1700-2199
        TypeYear(outside);  // refused in the input, which Cancel then closes
        EXPECT_EQ(BoxText(), "Year must be a whole number between 1700 and 2199\n") << outside;
        AnswerAll();
        Ui([] { pl::SendMessage(pl::GetActiveWindow(), pl::WM_COMMAND, pl::IDCANCEL, 0); });
        EXPECT_EQ(listStartYear, 2010) << outside;
        EXPECT_EQ(Text(2708), "2010") << outside;
    }
    TypeYear("2199");
    EXPECT_EQ(listStartYear, 2199);
    TypeYear("2010");
    MainCommand(1002);  // another form, then back
    Open();
    EXPECT_EQ(Text(2708), "2010");
    EXPECT_EQ(eclipseList[0].year, 2010);
}

// The selected row shows the text it shows unselected, in the highlight text
// colour over the highlight (it was drawn over an opaque white box, white on
// white).
TEST_F(EclipseForm, SelectedRowShowsItsTextInHighlightColours) {
    const std::vector<uint32_t> selected = RowPixels(0);
    TapRow(2704, 1);
    const std::vector<uint32_t> plain = RowPixels(0);
    uint32_t ink = 0, text = 0, fill = 0;
    Ui([&] {
        ink = pl::ToPixel888(GetForegroundColor()) & 0xF8F8F8u;
        text = pl::ToPixel888(GetHighlightTextColor()) & 0xF8F8F8u;
        fill = pl::ToPixel888(GetHighlightColor()) & 0xF8F8F8u;
    });
    ASSERT_NE(text, fill);
    int inked = 0, wrong = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        inked += plain[i] == ink;
        wrong += selected[i] != (plain[i] == ink ? text : fill);
    }
    EXPECT_GT(inked, 100);
    EXPECT_EQ(wrong, 0);
}

// Map is refused for a lunar event and the view stays; the Diagram view has
// no help.
TEST_F(EclipseForm, MapRefusedForTheMoonAndDiagramWithoutHelp) {
    ChooseView(kEclipseMapView);
    EXPECT_EQ(BoxText(), "This module is not available for moon eclipse\n");
    AnswerAll();
    EXPECT_EQ(currentEclipseView, kEclipseListView);
    EXPECT_FALSE(pl::IsWindowVisible(pl::GetDlgItem(form, 2721)));
    ChooseView(kEclipseDiagramView);
    EXPECT_EQ(currentEclipseView, kEclipseDiagramView);
    Shot("eclipse_diagram.png");
    Press(2701);
    EXPECT_EQ(BoxText(), "");
}

// Coordinates typed in the Info view: a last S or E makes them negative
// (longitudes are west positive).
TEST_F(EclipseForm, TypedLocationSouthAndEastAreNegative) {
    Press(2707);
    EXPECT_EQ(currentEclipseView, kEclipseInfoView);
    Ui([this] {
        pl::SetDlgItemText(form, 2715, "12:30:00 S");
        pl::SetDlgItemText(form, 2716, "5:00:00 E");
    });
    Press(2717);
    EXPECT_DOUBLE_EQ(typedLatitude, -12.5);
    EXPECT_DOUBLE_EQ(typedLongitude, -5.0);
    EXPECT_DOUBLE_EQ(observerLatitude, -12.5);
    Shot("eclipse_info.png");
}

// The contact rows of the lunar Info view as logged: label -> the row's UT
// minute of the day and the Moon's altitude shown (whole degrees).
std::map<std::string, std::pair<int, int>> LoggedContactRows() {
    std::map<std::string, std::pair<int, int>> rows;
    for (const auto& line : LoggedScreenLines())
        for (std::size_t i = 1; i + 1 < line.size(); ++i) {
            const std::string& t = line[i];
            if (t.size() == 8 && t.substr(5) == " UT" && line[i + 1].back() == '\xB0')
                rows[line[0]] = {std::stoi(t.substr(0, 2)) * 60 + std::stoi(t.substr(3, 2)), std::stoi(line[i + 1])};
        }
    return rows;
}

// The total lunar eclipse of 2025-09-07 (PyEphem, lunar_eclipse_local_pyephem.csv)
// on both screens at zone 0, 40 N 105 W (-7 h) and Sydney (+10 h, daylight
// saving +1 h): the summary's best place within 0.5 degree of the sub-lunar
// point at greatest eclipse; Info there with the Moon at 88..90 degrees at
// greatest; Info at the sub-lunar point with each contact's altitude (whole
// degrees, rounded) that of an altitude within 0.2 degree of the Moon's there
// at the row's minute; the Path's mark of greatest eclipse within a pixel of
// the sub-lunar point's place on the map, where it is at zone 0.
class LunarViewsAtZones : public OnBothScreens<EclipseForm> {
protected:
    void SetUp() override {
        harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
        ResetScreenScale();
        EclipseForm::SetUp();
    }
    void TearDown() override { Ui([] { pl::StopTextLog(); }); }
    // The view drawn with the text log running.
    void ChooseLogged(int view) {
        Ui([] { pl::StartTextLog(); });
        ChooseView(view);
    }
};

TEST_P(LunarViewsAtZones, MoonAtTheInstantsUniversalTime) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "lunar_eclipse_local_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 346u);
    const double latitude = ref.Get(0, "latitude"), longitude = ref.Get(0, "longitude_west");
    const int firstMinute = static_cast<int>(ref.Get(0, "hour") * 60 + ref.Get(0, "minute"));
    for (const int zone : {0, -420, 660}) {
        SCOPED_TRACE(zone);
        Ui([zone] {
            currentSite.zoneMinutes = static_cast<int16_t>(zone);
            currentSite.daylightSaving = zone == 660 ? 1 : 0;
            listStartYear = 2025, listStartMonth = 9, listStartDay = 1;
        });
        Open();
        ASSERT_EQ((std::vector{eclipseList[0].type, eclipseList[0].month, eclipseList[0].day}), (std::vector{0, 9, 7}));
        EXPECT_NEAR(greatestLatitude, latitude, 0.5);
        EXPECT_NEAR(greatestLongitude, longitude, 0.5);

        ChooseLogged(kEclipseInfoView);
        const int greatest = LoggedContactRows()["Greatest"].second;
        EXPECT_TRUE(greatest >= 88 && greatest <= 90) << greatest;
        Ui([&] {
            pl::SetDlgItemText(form, 2715, (std::to_string(-latitude) + " S").c_str());
            pl::SetDlgItemText(form, 2716, (std::to_string(-longitude) + " E").c_str());
            pl::StartTextLog();
        });
        Press(2717);
        const auto rows = LoggedContactRows();
        EXPECT_EQ(rows.size(), 7u);
        for (const auto& [label, row] : rows) {
            const double reference = ref.Get(static_cast<std::size_t>(row.first - firstMinute), "moon_alt");
            EXPECT_GE(row.second, std::lround(reference - 0.2)) << label << " " << reference;
            EXPECT_LE(row.second, std::lround(reference + 0.2)) << label << " " << reference;
        }

        ChooseLogged(kEclipsePathView);
        // The map: 240 x 120 units, longitude -180 at its left edge; the label 10 units left of the mark, 8 below.
        const double x = screenWidth / 2 - ScaleX(120) + ScaleX(240) * (180 - longitude) / 360 - 2 - ScaleX(10);
        const double y = ScaleY(37) + ScaleY(60) - ScaleY(60) * latitude / 90 - 2 + ScaleY(8);
        int labels = 0;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
            if (run.text != "All Eclipse") continue;
            ++labels;
            EXPECT_NEAR(run.cell.left, x, 1.0);
            EXPECT_NEAR(run.cell.top, y, 1.0);
        }
        EXPECT_EQ(labels, 1);
        Ui([] { pl::StopTextLog(); });
    }
}

// The contact table of 2025-09-07 on both screens at two places
// (lunar_contact_places_pyephem.csv): 40 N 162.8 W, where the Moon sets 0.7
// degree below the horizon at the umbra's start (16:28 UT), and 45 S 86.7 E,
// where it stands at azimuth 359.8 at greatest eclipse (18:12 UT). Each row's
// altitude, and on the large screen its azimuth (0..359), is PyEphem's at the
// row's minute rounded to the whole degree, but within the fast Moon's 0.06
// degree (0.1 in azimuth) of a half: the Moon 0.7 degree down reads -1 and
// the azimuth 359.8 reads 0. Both were cut toward zero, to 0 and 359.
TEST_P(LunarViewsAtZones, ContactTableWasCutTowardZero) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "lunar_contact_places_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 692u);
    const bool large = GetParam().dpi >= 192;
    Ui([] { listStartYear = 2025, listStartMonth = 9, listStartDay = 1; });
    Open();
    ChooseLogged(kEclipseInfoView);
    const auto nearHalf = [](double v, double margin) { return std::fabs(std::fabs(v - std::trunc(v)) - 0.5) < margin; };
    int below = 0, north = 0;
    for (const std::size_t first : {std::size_t{0}, std::size_t{346}}) {
        const double latitude = ref.Get(first, "latitude"), west = ref.Get(first, "longitude_west");
        SCOPED_TRACE(ref.Text(first, "site"));
        Ui([&] {
            pl::SetDlgItemText(form, 2715, (std::to_string(std::fabs(latitude)) + (latitude < 0 ? " S" : " N")).c_str());
            pl::SetDlgItemText(form, 2716, (std::to_string(std::fabs(west)) + (west < 0 ? " E" : " W")).c_str());
            pl::StartTextLog();
        });
        Press(2717);
        int rows = 0;
        for (const auto& line : LoggedScreenLines())
            for (std::size_t i = 1; i + 1 < line.size(); ++i) {
                const std::string& t = line[i];
                if (t.size() != 8 || t.substr(5) != " UT" || line[i + 1].back() != '\xB0') continue;
                const std::size_t k = first + static_cast<std::size_t>(std::stoi(t.substr(0, 2)) * 60 +
                                                                       std::stoi(t.substr(3, 2)) - (15 * 60 + 20));
                const double altitude = ref.Get(k, "moon_alt"), azimuth = ref.Get(k, "moon_az");
                ++rows;
                if (!nearHalf(altitude, 0.07)) {
                    EXPECT_EQ(std::stoi(line[i + 1]), std::lround(altitude)) << line[0];
                }
                below += altitude > -1 && altitude < -0.5;
                if (!large) continue;
                ASSERT_LT(i + 2, line.size()) << line[0];
                if (!nearHalf(azimuth, 0.12)) {
                    EXPECT_EQ(std::stoi(line[i + 2]), std::lround(azimuth) % 360) << line[0];
                }
                north += azimuth >= 359.5;
            }
        EXPECT_EQ(rows, 7);
        Ui([] { pl::StopTextLog(); });
    }
    EXPECT_EQ(below, 1);
    EXPECT_EQ(north, large ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(BothScreens, LunarViewsAtZones, ::testing::ValuesIn(kBothScreens));

}  // namespace
