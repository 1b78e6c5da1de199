// The compass chart (form 2830) in the running program at 51 N 0 E, zone 0, on
// 5 March 2024 at 21:10 by the device clock; observing-list entries written
// into the list on the UI thread.
#include "chart/compass_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "core/shared_state.h"
#include "objects/current_object.h"
#include "objects/selected_object.h"
#include "platform/color.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/focus.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/text_log.h"
#include "platform/window.h"
#include "support/both_screens.h"
#include "support/jpeg_file.h"
#include "support/list_entries.h"
#include "support/program_fixture.h"
#include "support/reference_table.h"
#include "support/test_site.h"
#include "tools/edit_date_time.h"
#include "ui/colors.h"
#include "ui/control_records.h"
#include "ui/forms.h"
#include "ui/night_colors.h"
#include "ui/popup_list.h"
#include "ui/shell_state.h"
#include "ui/simple_controls.h"
#include "ui/title_control.h"

namespace {

constexpr uint32_t kRed = 0xF80000, kRoseBlue = 0x9898F8;
const DateTime kNow{2024, 3, 5, 21, 10, 0};

SelectionEntry Entry(const char* name, int designation, int number, int type, float ra, float dec) {
    return ListEntry(name, designation, number, type, ra, dec);
}

// Jupiter, and NGC 7000 (type 23, a bright nebula).
std::vector<SelectionEntry> TwoEntries() {
    return {Entry("Jupiter", kDesignationPlanet, 5, 27, 2.5f, 14.0f),
            Entry("NGC7000", kDesignationNgc, 7000, 23, 20.98f, 44.3f)};
}

struct Screen {
    int width, height, dpi;
    int radius, centreX, centreY, ring, markX, markY, markHalf;
    int curveTop, curveBottom, curvePixels;  // > 0: some grid pixels expected between the rows; 0: none
};

class CompassForm : public ProgramTest {
protected:
    void Start(int width = 240, int height = 320, int dpi = 96) {
        harness.changeScreen(width, height, dpi);
        harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
        ASSERT_TRUE(StartProgram());
        Ui([] {
            ResetCompassChart();
            SetTestSite(51.0, 0.0, 0);
            preferences.word[kPrefChartType] = 0;
        });
    }
    void Open() {
        MainCommand(40015);
        ASSERT_EQ(GetCurrentFormId(), kCompassFormId);
    }
    void Put(const std::vector<SelectionEntry>& entries, int row) {
        Ui([&entries, row] {
            for (std::size_t i = 0; i < entries.size(); ++i) selectionList[i] = entries[i];
            selectionCount = static_cast<int>(entries.size());
            selectionShownCount = FilterSelectionByClass(0, selectionList, selectionCount);
            selectionCurrentRow = row;
        });
    }
    // An entry on the meridian at Dec 21: azimuth 180, altitude 60.
    SelectionEntry DueSouth() {
        float lst = 0;
        Ui([&lst] { lst = static_cast<float>(CompassSiderealTime(kNow)); });
        return Entry("South", kDesignationNgc, 1, 16, lst, 21.0f);
    }
    static pl::Hwnd Item(int id) { return pl::GetDlgItem(GetCurrentFormDialog(), id); }
    static const CompassChartState& S() { return compassChartState; }
    uint32_t Pixel(int x, int y) const { return harness.pixel(x, y) & 0xF8F8F8; }
    void Press(int id) { Tap(Centre(Item(id))); }
    std::string Text(int id) const { return pl::GetDlgItemText(GetCurrentFormDialog(), id); }
    int Count(int x0, int y0, int x1, int y1, uint32_t colour) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Pixel(x, y) == colour;
        return n;
    }
};

// Menu 40015 opens 2830; an empty list is filled with the planets above the
// horizon, whose count the popup list gets, and its first row is taken.
TEST_F(CompassForm, OpensFromTheMenuWithTheVisiblePlanets) {
    Start();
    Ui([] { selectionCount = 0, selectionShownCount = -1; });
    Open();
    EXPECT_STREQ(RecordOf<TitleRecord>(Item(8023))->text, "CompassChart");
    EXPECT_EQ(formHistory[6], kCompassFormId);
    ASSERT_GE(selectionShownCount, 1);  // Jupiter at least
    EXPECT_EQ(pl::ListViewGetItemCount(Item(2838)), selectionShownCount);
    EXPECT_EQ(selectionCurrentRow, 0);
    EXPECT_EQ(S().currentBody, kCompassObject);
    EXPECT_STREQ(S().entry.name, selectionListPtr[0]->name);
    EXPECT_EQ(S().bodyCount, 3);
}

// The geometry by the compass formulas for an entry due south at altitude 60:
// its symbol on the rose ring, the red line from the centre to the rim (and not
// beyond), its bar mark and the red line across the bar, 2 x trunc(24 sx) long;
// the rose light blue inside its rim at 25 degrees of azimuth; grid pixels in
// the curve box on screens at least trunc(320 sx) high and none below the rose
// on 240 x 240.
class CompassOnScreen : public CompassForm, public ::testing::WithParamInterface<Screen> {};

TEST_P(CompassOnScreen, RoseBarAndCurveWhereTheLayoutFormulasPutThem) {
    const Screen& c = GetParam();
    Start(c.width, c.height, c.dpi);
    Put({DueSouth()}, 0);
    Open();
    EXPECT_EQ((std::vector{S().layout.radius, S().layout.centreX, S().layout.centreY, S().roseX[2], S().roseY[2],
                           S().barY[2]}),
              (std::vector{c.radius, c.centreX, c.centreY, c.centreX, c.centreY + c.ring, c.markY}));
    EXPECT_EQ(std::string(S().altitudeText) + " " + S().azimuthText, "Alt 60\xB0 Az 180\xB0");
    const int rim = c.centreY + c.radius;
    EXPECT_EQ((std::vector{Pixel(c.centreX, rim - 2), Pixel(c.centreX, rim), Pixel(c.centreX, rim + 1)}),
              (std::vector{kRed, kRed, 0xF8F8F8u}));
    const int left = c.markX - c.markHalf, right = c.markX + c.markHalf;
    EXPECT_EQ((std::vector<bool>{Pixel(left - 1, c.markY) == kRed, Pixel(left, c.markY) == kRed,
                                 Pixel(right, c.markY) == kRed, Pixel(right + 1, c.markY) == kRed}),
              (std::vector<bool>{false, true, true, false}));
    const double a = 25 * 0.0174532925199433;
    auto ring = [&](int r) {
        return Pixel(c.centreX + static_cast<int>(std::lround(r * std::sin(a))),
                     c.centreY - static_cast<int>(std::lround(r * std::cos(a))));
    };
    EXPECT_EQ((std::vector{ring(c.radius - 2), ring(c.radius + 2)}), (std::vector{kRoseBlue, 0xF8F8F8u}));
    Shot(("compass_" + std::to_string(c.width) + "x" + std::to_string(c.height) + ".png").c_str());
    int grid = Count(0, c.curveTop, c.width - c.width / 24, c.curveBottom, kRoseBlue);
    EXPECT_EQ(grid > 0, c.curvePixels > 0) << grid;
}

INSTANTIATE_TEST_SUITE_P(Screens, CompassOnScreen,
                         ::testing::Values(Screen{240, 320, 96, 77, 158, 113, 67, 52, 61, 24, 205, 290, 1},
                                           Screen{480, 640, 192, 154, 316, 226, 134, 104, 123, 48, 410, 580, 1},
                                           Screen{240, 240, 96, 77, 158, 113, 67, 52, 61, 24, 205, 218, 0}));

// No entry taken (the list has no current row): only the Sun and the Moon, and
// the red line points at the Sun's azimuth of PyEphem
// (scripts/reference/compass_sun_moon_pyephem.py, its first row).
TEST_F(CompassForm, WithoutAnEntryTheLinePointsAtTheSun) {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "compass_sun_moon_pyephem.csv");
    ASSERT_EQ(t.Get(0, "day"), 5.0);
    Start();
    Put({DueSouth()}, -1);
    Open();
    EXPECT_EQ((std::vector{S().bodyCount, S().currentBody, int{S().places[2].valid}}), (std::vector{2, 0, 0}));
    EXPECT_LT(S().entry.rightAscension, 0.0f);
    EXPECT_EQ(std::string(S().altitudeText) + " " + S().azimuthText,  // -31.09 and 304.29 rounded
              "Alt " + std::to_string(std::lround(t.Get(0, "sun_alt"))) + "\xB0 Az " +
                  std::to_string(std::lround(t.Get(0, "sun_az"))) + "\xB0");
    const double a = t.Get(0, "sun_az") * 0.0174532925199433;
    int red = 0;  // points of the line 10 to 50 pixels out; the Sun's symbol covers its end
    for (int r = 10; r <= 50; r += 10) {
        const int x = 158 + static_cast<int>(std::lround(r * std::sin(a))),
                  y = 113 - static_cast<int>(std::lround(r * std::cos(a)));
        red += Count(x - 1, y - 1, x + 2, y + 2, kRed) > 0;
    }
    EXPECT_EQ(red, 5);
}

// With no current row the object is the list's entry of the one taken last, wherever it is now and
// at its place of the chart's time; none once it left the list (it stayed, drawn at an old place).
TEST_F(CompassForm, TakenObjectFollowsItsListEntryOrLeavesWithIt) {
    Start();
    SelectionEntry mercury = Entry("Mercury", kDesignationPlanet, 2, 27, 2.5f, 14.0f);
    mercury.sourceIndex = 2, mercury.source = kSourcePlanet;
    Put({mercury}, 0);
    Open();
    harness.setLocalTime(pl::LocalTime{2024, 4, 5, 21, 10, 0});
    for (const bool listed : {true, false}) {
        Put(listed ? std::vector{TwoEntries()[1], mercury} : TwoEntries(), -1);
        Open();
        EXPECT_EQ(S().places[kCompassObject].valid, listed);
        EXPECT_EQ(S().entry.rightAscension, listed ? selectionList[1].rightAscension : -1.0f);
    }
}

// Night mode 2: black background, a dark red rose, the night bitmaps of the
// finder and sky chart buttons.
TEST_F(CompassForm, NightModeTurnsTheChartRed) {
    Start();
    Ui([] { preferences.word[kPrefNightMode] = 2, ApplyNightModeColors(2); });
    Put({DueSouth()}, 0);
    Open();
    Shot("compass_night.png");
    EXPECT_EQ(Pixel(5, 200), 0u);
    uint32_t rose = Pixel(158 + 32, 113 - 68);  // 25 degrees, just inside the rim
    EXPECT_EQ(rose & 0xFFFF, 0u);
    EXPECT_GT(rose >> 16, 0u);
    EXPECT_LT(rose >> 16, 140u);
    EXPECT_EQ(RecordOf<BitmapButtonRecord>(Item(2833))->currentBitmap, 5134);
    EXPECT_EQ(RecordOf<BitmapButtonRecord>(Item(2842))->currentBitmap, 5138);
    Ui([] { preferences.word[kPrefNightMode] = 0, ApplyNightModeColors(0); });
}

// The picture button shows for NGC 7000 with img/ngc/NGC7000.jpg; it opens the
// viewer, and a tap on the viewer brings the compass back as it was, also in
// its kept picture (the viewer took itself for the form below and left its
// own picture as the form's).
TEST_F(CompassForm, ViewerClosedGivesTheFormBackItsPicture) {
    std::filesystem::create_directories(folder.path() / "img" / "ngc");
    ASSERT_TRUE(WriteJpegFile((folder.path() / "img" / "ngc" / "NGC7000.jpg").string(), 8, 8,
                              std::vector<unsigned char>(8 * 8 * 3, 90)));
    Start();
    for (int row : {0, 1}) {
        Put(TwoEntries(), row);
        Open();
        EXPECT_EQ(pl::IsWindowVisible(Item(2841)), row == 1);
    }
    std::vector<uint32_t> before = ScreenSample(3);
    Press(2841);
    EXPECT_NE(ScreenSample(3), before);
    harness.tap(120, 160);
    EXPECT_EQ(ScreenSample(3), before);
    EXPECT_EQ(GetCurrentFormId(), kCompassFormId);
}

// A name holding "%d", chosen in the popup, shows unchanged in its label.
TEST_F(CompassForm, NameWithPercentShowsUnchanged) {
    Start();
    Put({Entry("Jupiter", kDesignationPlanet, 5, 27, 2.5f, 14.0f), Entry("M%d x", kDesignationNgc, 1, 16, 5.0f, 20.0f)},
        0);
    Open();
    Press(2837);
    Tap(RowCentre(Item(2838), 1));
    EXPECT_STREQ(RecordOf<PopupRecord>(Item(2837))->label, "M%d x");
    EXPECT_EQ(S().entry.number, 1);
}

// "now" reads the device clock though the time is fixed. A time edited in the
// date and time form is the time typed, even an hour after the last chart step
// (the chart clock moved it on by that hour), stays when the form is drawn
// anew, and moves a planet of the list to Jupiter's place by PyEphem
// (scripts/reference/compass_sun_moon_pyephem.py, first row) within the bound
// of the chain's Jupiter, (71" x 5.0 AU + 6" x 1.0 AU) / 4.9 AU + 2" = 76".
TEST_F(CompassForm, EditedTimeIsNotMovedByTheHourSpentOnTheForm) {
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "compass_sun_moon_pyephem.csv");
    Start();
    SelectionEntry jupiter = Entry("Jupiter", kDesignationPlanet, 5, 27, 0.0f, 0.0f);
    jupiter.sourceIndex = 5;
    Put({jupiter}, 0);
    Open();
    Ui([] { dateTimeFixed = 1; });
    harness.setLocalTime(pl::LocalTime{2024, 3, 5, 21, 40, 0});
    Press(2835);
    EXPECT_EQ(Text(2836), "21:40");
    harness.advance(3600 * 1000);
    Press(2836);
    pl::Hwnd dialog = pl::GetActiveWindow();
    Tap(RowCentre(pl::GetDlgItem(dialog, kMinuteList), 2));
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    EXPECT_EQ(Text(2836), "21:10");
    EXPECT_LT(SeparationArcsec(S().entry.rightAscension, S().entry.declination, t.Get(0, "jupiter_ra_h"),
                               t.Get(0, "jupiter_dec")),
              76.0);
    Open();
    EXPECT_EQ(Text(2836), "21:10");
    EXPECT_EQ(Text(2834), "05/03/2024");  // FormatDate(day, month, year)
}

// A date chosen through the date field (day 6 in the day list) is the
// chart's date, and stays when the form is drawn anew though the device
// clock still reads the 5th.
TEST_F(CompassForm, DateEditedThroughItsFieldStays) {
    Start();
    Put({DueSouth()}, 0);
    Open();
    Press(2834);
    pl::Hwnd dialog = pl::GetActiveWindow();
    Tap(Centre(pl::GetDlgItem(dialog, kDayTrigger)));
    Tap(RowCentre(pl::GetDlgItem(dialog, kDayList), 5));
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    EXPECT_EQ(Text(2834), "06/03/2024");
    harness.advance(60 * 1000);
    Open();
    EXPECT_EQ(Text(2834), "06/03/2024");
    EXPECT_EQ((std::vector{currentDateTime.day, dateTimeFixed}), (std::vector{6, 1}));
}

// Back, the sky chart, object information (a planet goes to its tab, another
// object becomes the finder target of catalogue 10, which the form shows on
// its finder tab) and the help text.
TEST_F(CompassForm, Commands) {
    const struct {
        int row, button, form;
        const char* box;
    } cases[] = {
        {0, 2832, 1950, ""},
        {0, 2842, 1900, ""},
        {0, 2840, 112, ""},
        {1, 2840, 112, ""},
        {0, 2831, kCompassFormId,
         "\x95 Display object azimuth and altitude.\n\n\x95 Evolution of altitude of the object during the next "
         "hours is also displayed on wide screens.\n"},
    };
    Start();
    for (const auto& c : cases) {
        Put(TwoEntries(), c.row);
        Ui([] { selectedObject.isSet = 0, currentObjectBlock = CurrentObjectBlock{}; });
        Open();
        Press(c.button);
        EXPECT_EQ(GetCurrentFormId(), c.form) << c.button;
        EXPECT_EQ(BoxText(), c.box) << c.button;
        AnswerAll();
        if (c.button != 2840) continue;
        // A planet: its tab; another object: the finder target of any catalogue (10).
        EXPECT_EQ((std::vector{currentObjectBlock.tab, int{selectedObject.isSet}}),
                  (c.row == 0 ? std::vector{7, 0} : std::vector{10, 1}));
        if (c.row == 1) {
            EXPECT_EQ(selectedObject.catalog, 10);
        }
    }
}

// Back from the finder with a target: it is added to the list, made current
// and taken.
TEST_F(CompassForm, FinderTargetIsTakenOnReturn) {
    Start();
    Put({Entry("Jupiter", kDesignationPlanet, 5, 27, 2.5f, 14.0f)}, 0);
    Open();
    Press(2833);
    EXPECT_EQ(GetCurrentFormId(), 2350);
    EXPECT_EQ(BoxText(), "");
    Ui([] {
        ObjectRecord r{};
        r.designationId = kDesignationNgc;
        r.number = 7000;
        r.objectType = 23;
        r.rightAscension = 20.98f;
        r.declination = 44.3f;
        SetSelectedObject(&r, 7000);
        GotoForm(kCompassFormId);
    });
    EXPECT_EQ((std::vector{selectionCount, selectionCurrentRow, S().entry.number, S().currentBody, S().bodyCount}),
              (std::vector{2, 1, 7000, kCompassObject, 3}));
}

// Back from the finder with the list full: a listed target is made current
// without a message; one that would have to be added gets the full-list
// message once (it was left out without a word).
TEST_F(CompassForm, FullListTakesAListedTargetAndSaysWhenOneCannotBeAdded) {
    Start();
    const struct {
        int number;
        const char* box;
        int row, taken;
    } cases[] = {{7000, "", 1, 7000}, {7001, "The observing list is full: raise Max Selected items or remove an entry.\n", 0, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        std::vector<SelectionEntry> full = TwoEntries();
        full.resize(static_cast<std::size_t>(GetSelectedItemsCapacity()), Entry("E", kDesignationIc, 2, 16, 1.0f, 50.0f));
        Put(full, 0);
        Open();
        Press(2833);
        Ui([&c] {
            ObjectRecord r{};
            r.designationId = kDesignationNgc;
            r.number = c.number;
            r.objectType = 23;
            r.rightAscension = 20.98f;
            r.declination = 44.3f;
            SetSelectedObject(&r, c.number);
            GotoForm(kCompassFormId);
        });
        EXPECT_EQ(BoxText(), c.box);
        AnswerAll();
        EXPECT_EQ((std::vector{selectionCount, selectionCurrentRow, S().entry.number}),
                  (std::vector{GetSelectedItemsCapacity(), c.row, c.taken}));
    }
}

}  // namespace

namespace {

// Screen pixels of a rectangle, row by row, to 5 bits a channel.
std::vector<uint32_t> Pixels(const pl::Harness& harness, const pl::Rect& r) {
    std::vector<uint32_t> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(harness.pixel(x, y) & 0xF8F8F8u);
    return pixels;
}

// The object popup open on row 0: that row's name in the highlight text
// colour over the highlight (it was a blank white box); the other row plain.
// After choosing row 1 nothing of the list is left: its rectangle is what a
// fresh paint of the chart gives (pieces of the list stayed in the form's
// back buffer).
TEST_F(CompassForm, PopupRowShowsItsTextInHighlightColoursAndLeavesNothingBehind) {
    Start();
    Put(TwoEntries(), 0);
    Open();
    Press(2837);
    pl::Hwnd list = Item(2838);
    ASSERT_TRUE(pl::IsWindowVisible(list));
    uint32_t text = 0, fill = 0;
    Ui([&] {
        text = pl::ToPixel888(GetHighlightTextColor()) & 0xF8F8F8u;
        fill = pl::ToPixel888(GetHighlightColor()) & 0xF8F8F8u;
    });
    pl::Rect row;
    pl::SendMessage(list, pl::LVM_GETITEMRECT, 0, reinterpret_cast<pl::LParam>(&row));
    pl::Point origin{0, 0};
    pl::ClientToScreen(list, &origin);
    // The name's part of the row, right of the object's symbol.
    pl::Rect name{origin.x + row.left + 18, origin.y + row.top, origin.x + row.right - 4, origin.y + row.bottom};
    // Strokes are thin: the fill shows between and around the letters.
    int inked = 0, filled = 0, other = 0;
    for (uint32_t p : Pixels(harness, name)) {
        inked += p == text;
        filled += p == fill;
        other += p != text && p != fill;
    }
    EXPECT_GT(inked, 20);
    EXPECT_GT(filled, 2 * inked);
    EXPECT_EQ(other, 0);
    pl::Rect listRect;
    pl::GetWindowRect(list, &listRect);
    Tap(RowCentre(list, 1));
    EXPECT_FALSE(pl::IsWindowVisible(list));
    EXPECT_EQ(compassChartState.entry.number, 7000);
    const std::vector<uint32_t> after = Pixels(harness, listRect);
    Open();  // a fresh paint of the chart for the same object
    EXPECT_EQ(after, Pixels(harness, listRect));
}

}  // namespace

namespace {

// Saturn near opposition (RA 23.197 h, Dec -7.549: PyEphem 4.1 for 8
// September 2024, 19:00 UT, at 51 N 0 E) with the chart at 18:57, 19:00 and
// 19:03: at 18:57 and 19:03 the curve labels the hours it labels at 19:00, in
// the same places, but for one more or fewer at its ends (18:57 had none); no
// two texts of the curve meet.
class CompassHours : public OnBothScreens<CompassForm> {
protected:
    // The curve's hour labels (hour -> cell) at 18:00 + `minutes`; checks
    // that its texts stand apart.
    std::map<int, pl::Rect> HourLabels(int minutes) {
        harness.setLocalTime(pl::LocalTime{2024, 9, 8, 18 + minutes / 60, minutes % 60, 0});
        pl::StartTextLog();
        Press(2835);
        const XywhRect& b = S().layout.curveBox;
        const pl::Rect box{b.x, b.y, b.x + b.width, b.y + b.height};
        std::vector<pl::TextRun> runs;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            if (!pl::Intersect(run.cell, box).IsEmpty()) runs.push_back(run);
        pl::StopTextLog();
        std::map<int, pl::Rect> hours;
        for (size_t i = 0; i < runs.size(); ++i) {
            for (size_t j = i + 1; j < runs.size(); ++j)
                EXPECT_TRUE(pl::Intersect(runs[i].ink, runs[j].ink).IsEmpty())
                    << minutes << ": \"" << runs[i].text << "\" meets \"" << runs[j].text << "\"";
            const std::string& t = runs[i].text;
            if (t.size() == 2 && t.find_first_not_of("0123456789") == std::string::npos)
                hours[std::stoi(t)] = runs[i].cell;
        }
        return hours;
    }
};

TEST_P(CompassHours, WholeHoursAreLabelledWhateverTheMinute) {
    const pl::ScreenInfo screen = GetParam();
    Start(screen.width, screen.height, screen.dpi);
    Put({Entry("Saturn", kDesignationNgc, 1, 16, 23.197f, -7.549f)}, 0);
    Open();
    const std::map<int, pl::Rect> onTheHour = HourLabels(60);
    EXPECT_GE(onTheHour.size(), 5u);
    // Hours in the curve's order, 17:00 first.
    auto order = [](int hour) { return (hour - 17 + 24) % 24; };
    for (int minutes : {57, 60, 63}) {
        const std::map<int, pl::Rect> labels = HourLabels(minutes);
        Shot(("compass_hours_" + std::to_string(screen.width) + "_" + std::to_string(minutes) + ".png").c_str());
        EXPECT_GE(labels.size(), onTheHour.size() - 1) << minutes;
        std::vector<int> all;
        for (const auto& [hour, cell] : labels) {
            all.push_back(order(hour));
            if (!onTheHour.count(hour)) continue;
            const pl::Rect& at = onTheHour.at(hour);  // on a point of the path at the whole hour
            EXPECT_LE(std::max(std::abs(cell.left - at.left), std::abs(cell.top - at.top)), 1) << minutes << " " << hour;
        }
        for (const auto& [hour, cell] : onTheHour) all.push_back(order(hour));
        const auto [first, last] = std::minmax_element(all.begin(), all.end());
        for (int hour = 0; hour < 24; ++hour)
            if (labels.count(hour) != onTheHour.count(hour)) {
                EXPECT_TRUE(order(hour) == *first || order(hour) == *last) << minutes << ": " << hour;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(TallScreens, CompassHours, ::testing::ValuesIn(kBothScreens));

}  // namespace

namespace {

// Mercury of the list on 1 January 1600 (its theory serves 1694-2296): "now"
// at that date shows it nowhere (no symbol on the rose or the bar, no curve,
// blank texts; it stayed at the last date's place); "now" in 2024 shows it again.
TEST_F(CompassForm, PlanetWithoutAPlaceIsShownNowhere) {
    Start(480, 640, 192);
    SelectionEntry mercury = Entry("Mercury", kDesignationPlanet, 2, 27, 2.5f, 14.0f);
    mercury.sourceIndex = 2, mercury.source = kSourcePlanet;
    Put({mercury}, 0);
    Open();
    for (int year : {2024, 1600, 2024}) {
        harness.setLocalTime(pl::LocalTime{year, 1, 1, 21, 10, 0});
        Press(2835);
        const bool placed = year != 1600;
        EXPECT_EQ(S().places[kCompassObject].valid, placed) << year;
        EXPECT_EQ(S().roseX[kCompassObject] != 0 && S().barY[kCompassObject] != 0, placed) << year;
        EXPECT_EQ(S().altitudeText[0] != '\0' && S().azimuthText[0] != '\0', placed) << year;
        const XywhRect& box = S().layout.curveBox;
        EXPECT_EQ(Count(box.x, box.y, box.x + box.width, box.y + box.height, kRed) > 0, placed) << year;
    }
}

}  // namespace
