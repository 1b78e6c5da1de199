// The twilight graph (form 2410) in the running program on 240 x 320 and
// 480 x 640 screens at 96 dpi, with the observing-list screens' catalogues
// (NGC 869 among the objects, the comet C/2023 A3) and the device clock at
// 5 March 2024: its bands and dots read from the screen's pixels against
// PyEphem (tests/reference/twilight_graph_pyephem.csv), the time bases, the
// planet popup, the finder, the month initials, the keys, the stylus and the
// date field.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "assistants/planet_charts_view.h"
#include "objects/list_screens_test.h"
#include "platform/text_log.h"
#include "support/both_screens.h"
#include "support/reference_table.h"
#include "tools/edit_date_time.h"
#include "tools/night_chart.h"
#include "tools/twilight_form.h"
#include "tools/twilight_graph.h"
#include "tools/twilight_reference.h"
#include "catalog/object_lookup.h"
#include "ui/colors.h"
#include "ui/night_colors.h"

namespace {

using namespace list_screens_test;

struct Screen {
    int width, height;
};
constexpr Screen kSmall{240, 320}, kLarge{480, 640};

constexpr uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }
// Colours compared at the 5 bits a channel of the form's back buffer.
bool Same(uint32_t pixel, uint32_t rgb) { return (pixel & 0xF8F8F8) == (rgb & 0xF8F8F8); }

constexpr uint32_t kBackground = Rgb(102, 102, 153), kSunSet = Rgb(51, 102, 204), kTwilight = Rgb(0, 0, 102),
                   kNight = Rgb(0, 0, 0), kGrid = Rgb(60, 60, 102), kTransit = Rgb(255, 0, 0),
                   kRise = Rgb(255, 255, 0), kSet = Rgb(150, 255, 0);

// The chart's layout as the form's design gives it, in units of 1/96 inch
// (u pixels at the screen's dpi): the chart from y 24u to H - 22u with 13:00
// at its top and 13:00 of the next day at its bottom, the days from x 20u at
// (W - 8u) / N pixels, N = 380, or 720 on screens wider than 240u; a day
// draws the columns after the last drawn one up to int(i d) when
// int(i d + 0.5) passes the last drawn one.
struct Layout {
    double p = 0.0, top = 0.0;
    int width = 0, days = 0, u = 1;
    float d = 0.0f;
    std::vector<int> dayOfColumn;

    explicit Layout(Screen s) : Layout(pl::ScreenInfo{s.width, s.height, 96}) {}
    explicit Layout(const pl::ScreenInfo& s) : width(s.width), u(s.dpi / 96) {
        p = static_cast<float>(s.height - 46 * u) / 24.0f;
        top = 24 * u - 13 * p;
        days = s.width > 240 * u ? 720 : 380;
        d = static_cast<float>(s.width - 8 * u) / static_cast<float>(days);
        int last = -1;
        for (int i = 0; i < days; ++i) {
            const float x = static_cast<float>(i) * d;
            const int end = static_cast<int>(x);
            if (static_cast<int>(x + 0.5f) <= last || end <= last) continue;
            dayOfColumn.resize(static_cast<std::size_t>(end + 1), -1);
            for (int x = last + 1; x <= end; ++x) dayOfColumn[static_cast<std::size_t>(x)] = i;
            last = end;
        }
    }
    // Row of a local hour: from 13 h on the date, before 13 h the next day's.
    int Row(double hour) const { return static_cast<int>(top + (hour >= 13 ? hour : hour + 24) * p); }
    int Column(int day) const {
        for (std::size_t x = 0; x < dayOfColumn.size(); ++x)
            if (dayOfColumn[x] == day) return static_cast<int>(x) + 20 * u;
        return -1;
    }
};

// The levels of the bands: 0 the background, 1 Sun Set, 2 Twilight, 3 Night; -1 anything else.
int Level(uint32_t pixel) {
    const uint32_t colours[] = {kBackground, kSunSet, kTwilight, kNight};
    for (int i = 0; i < 4; ++i)
        if (Same(pixel, colours[i])) return i;
    return -1;
}

class TwilightForm : public ListScreensTest {
protected:
    void TearDown() override {
        pl::StopTextLog();
        Ui([] { GotoForm(kHomeFormId); });
        AnswerAll();
        Ui([] {
            ResetTwilightGraphState();
            preferences.word[kPrefNightMode] = 0;
            ApplyNightModeColors(0);
        });
    }
    // The program on a screen with a site, the form not open yet.
    void Begin(Screen s, double latitude, double longitudeWest, int zone) {
        Start(s.width, s.height, 96);
        Ui([=] {
            ResetTwilightGraphState();
            SetTestSite(latitude, longitudeWest, zone);
        });
        layout = Layout(s);
    }
    // The form from the Tools menu on a chart that starts on the first of (year, month).
    void Open(Screen s, double latitude, double longitudeWest, int zone, int year, int month, int timeBase = 0) {
        Begin(s, latitude, longitudeWest, zone);
        Ui([=] {
            graphYear = year, graphMonth = month;
            graphTimeBase = timeBase;
        });
        MainCommand(1022);
        ASSERT_EQ(GetCurrentFormId(), kTwilightForm) << BoxText();
    }
    // The time base chosen from its popup, which draws the chart again.
    void TimeBase(int row) { Choose(kTwilightTimeBaseTrigger, kTwilightTimeBaseList, row); }
    uint32_t At(int x, int y) const { return harness.pixel(x, y); }
    // Whether a pixel of the chart is hidden under the legend's Night swatch,
    // its dot lines (with an object) or a text the log held at ReadCovers.
    bool Covered(int x, int y) const {
        const int u = layout.u, swatch = static_cast<int>(layout.top + 35 * layout.p) - 2;
        const int second = swatch + 6 * u + static_cast<int>(layout.p);
        if (x >= 70 * u && x < 83 * u && y >= second && y < second + 8 * u) return true;
        if (graphObjectRA >= 0 && x >= 70 * u && x <= 160 * u && (y == swatch + 2 * u || y == swatch + 14 * u))
            return true;
        const long i = static_cast<long>(y) * layout.width + x;
        return x >= 0 && x < layout.width && i >= 0 && i < static_cast<long>(texts.size()) && texts.data()[i];
    }
    // The pixels under the texts of the screen, read after a drawing while the text log runs.
    void ReadCovers() {
        texts.assign(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.Row(37) + 1), 0);
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
            for (int y = std::max(run.cell.top, 0); y < std::min(run.cell.bottom, layout.Row(37) + 1); ++y)
                for (int x = std::max(run.cell.left, 0); x < std::min(run.cell.right, layout.width); ++x)
                    texts[static_cast<std::size_t>(y * layout.width + x)] = 1;
    }
    // First row from the column's top (down) or bottom (up), 13 h to 13 h, whose
    // band level is at least `level`, grid rows and covered ones skipped; -1 when none.
    int Edge(int x, int level, bool down) const {
        const int first = layout.Row(13), last = layout.Row(37) - 1;
        for (int k = 0; k <= last - first; ++k) {
            const int y = down ? first + k : last - k;
            if (!Covered(x, y) && Level(At(x, y)) >= level) return y;
        }
        return -1;
    }
    // The rows of the column in a colour, from 13 h to 13 h, covered ones skipped.
    std::vector<int> Rows(int x, uint32_t colour) const {
        std::vector<int> rows;
        for (int y = layout.Row(13); y < layout.Row(37); ++y)
            if (!Covered(x, y) && Same(At(x, y), colour)) rows.push_back(y);
        return rows;
    }
    // Tolerance of an edge: one pixel, and one more when a grid line lies on it.
    bool Near(int x, int found, int expected) const {
        const bool grid = Same(At(x, found - 1), kGrid) || Same(At(x, found + 1), kGrid);
        return std::abs(found - expected) <= (grid ? 2 : 1);
    }
    // Every band edge of a column against the almanac rows of the date.
    void ExpectBandsOf(int x, const ReferenceTable& ref, const std::string& site, int month, int day) {
        int level = 1;
        for (std::size_t r = 0; r < ref.rows.size(); ++r) {
            if (ref.Text(r, "kind") != "sun" || ref.Text(r, "site") != site || ref.Get(r, "month") != month ||
                ref.Get(r, "day") != day)
                continue;
            const double rise = ref.Get(r, "rise_h"), set = ref.Get(r, "set_h");
            SCOPED_TRACE(site + " " + std::to_string(month) + "/" + std::to_string(day) + " level " +
                         std::to_string(level));
            if (rise == 0 && set > 23.9) {
                EXPECT_EQ(Edge(x, level, true), -1);
            } else {
                const int evening = Edge(x, level, true), morning = Edge(x, level, false);
                EXPECT_TRUE(Near(x, evening, layout.Row(set))) << evening << " for " << layout.Row(set);
                EXPECT_TRUE(Near(x, morning, layout.Row(rise) - 1)) << morning << " for " << layout.Row(rise);
            }
            ++level;
        }
        EXPECT_EQ(level, 4) << "three reference rows";
    }
    // The six band edges of every column on the screen.
    std::vector<int> AllEdges() const {
        std::vector<int> edges;
        for (int x = 20; x < layout.width; ++x)
            for (int level = 1; level <= 3; ++level) {
                edges.push_back(Edge(x, level, true));
                edges.push_back(Edge(x, level, false));
            }
        return edges;
    }
    void FirstOpening(Screen s) {
        Begin(s, 51.0, 0.0, 0);
        MainCommand(1022);
        ASSERT_EQ(GetCurrentFormId(), kTwilightForm);
        Shot(s.width == 240 ? "twilight_240.png" : "twilight_480.png");
        EXPECT_EQ((std::vector<int>{graphYear, graphMonth, graphDay, graphObjectSet}),
                  (std::vector<int>{2024, 3, 1, 0}));
        EXPECT_EQ(graphObjectRA, -1.0f);
        EXPECT_EQ(formHistory[kFormHistorySize - 1], kTwilightForm);
        EXPECT_EQ(Text(kTwilightDateField), "01/03/2024");
        EXPECT_EQ(Get(kTwilightTimeBaseList), 0);
        EXPECT_EQ(GetNightChartDaysDrawn(), layout.days);
        EXPECT_FLOAT_EQ(chartPixelsPerDay, (s.width - 8.0f) / static_cast<float>(layout.days));
        EXPECT_EQ(BoxCount(), 0);
    }
    void GreenwichBands(Screen s) {
        const ReferenceTable ref = Reference();
        ASSERT_FALSE(ref.rows.empty());
        Open(s, 51.5, 0.0, 0, 2024, 12);
        Shot(s.width == 240 ? "twilight_december_240.png" : "twilight_december_480.png");
        const int december22 = layout.Column(22), march14 = layout.Column(104);
        ASSERT_GT(december22, 0);
        ASSERT_GT(march14, 0);
        EXPECT_TRUE(Same(At(december22, layout.Row(23)), kNight));
        EXPECT_TRUE(Same(At(december22, layout.Row(15)), kBackground));
        ExpectBandsOf(december22, ref, "Greenwich", 12, 22);
        ExpectBandsOf(march14, ref, "Greenwich", 3, 14);
    }
    static ReferenceTable Reference() { return ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "twilight_graph_pyephem.csv"); }
    // The pixels of a column of site `site`'s chart that differ from PyEphem's
    // Sun: a band is drawn exactly where the Sun is below its altitude, but
    // within 3 minutes or a row of a passage (15 minutes for a Sun on one side
    // of it for less than two hours). The first one found goes to *first.
    int WrongBandPixels(int x, const TwilightReference& ref, int site, const DateTime& date, int zone,
                        std::string* first) const {
        const int top = layout.Row(13);
        std::vector<int> levels;
        for (int y = top; y < layout.Row(37); ++y) levels.push_back(Covered(x, y) ? -1 : Level(At(x, y)));
        int wrong = 0;
        for (int b = 0; b < kNightBandCount; ++b) {
            bool below = false;
            const std::vector<ColumnPassage> passages =
                ref.Column(site, b, date.year, date.month, date.day, zone, &below);
            for (std::size_t k = 0; k < levels.size(); ++k) {
                const double from = (top + static_cast<double>(k) - layout.top) / layout.p, to = from + 1 / layout.p;
                bool expected = below, near = false;
                for (const ColumnPassage& q : passages) {
                    const double tolerance = q.graze ? 0.25 : std::max(0.05, 1 / layout.p);
                    near = near || (q.hour > from - tolerance && q.hour < to + tolerance);
                    if (q.hour <= (from + to) / 2) expected = q.down;
                }
                if (levels[k] < 0 || near || (levels[k] > b) == expected) continue;
                if (wrong++ == 0 && first->empty())
                    *first = std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                             std::to_string(date.day) + " band " + std::to_string(b) + " at " + std::to_string(from) +
                             " h: " + (expected ? "missing" : "drawn");
            }
        }
        return wrong;
    }
    // The dots of one kind of event in a column against PyEphem's: each event
    // whose row and the rows beside it are readable (no grid line, text or
    // other dot) has its dot within a row, and each dot an event within a row.
    void ExpectDots(int x, const std::vector<double>& events, uint32_t colour, const std::string& what) const {
        std::vector<int> dots;
        for (int y = layout.Row(13); y < layout.Row(37); ++y)
            if (!Covered(x, y) && Same(At(x, y), colour)) dots.push_back(y);
        auto readable = [&](int y) { return !Covered(x, y) && (Level(At(x, y)) >= 0 || Same(At(x, y), colour)); };
        for (double h : events) {
            const int y = layout.Row(h);
            const bool dot = std::any_of(dots.begin(), dots.end(), [y](int d) { return std::abs(d - y) <= 1; });
            if (h > 13.05 && h < 36.95 && readable(y - 1) && readable(y) && readable(y + 1)) {
                EXPECT_TRUE(dot) << what << " at " << h << " h";
            }
        }
        for (int d : dots) {
            auto near = [&](double h) { return std::abs(layout.Row(h) - d) <= 1; };
            EXPECT_TRUE(std::any_of(events.begin(), events.end(), near)) << what << " dot at row " << d;
        }
    }
    // The program on a screen at Tokyo (+9 h), the text log running.
    void StartAtTokyo(const pl::ScreenInfo& screen) {
        Start(screen);
        layout = Layout(screen);
        Ui([] {
            pl::StartTextLog();
            SetTestSite(35.68, -139.69, 540);
        });
    }
    // The dots of a chart from January 2027 in each time base: every column of
    // 2027 against the object's events of the reference (ExpectDots).
    void ExpectDotsOnEveryClock(const TwilightReference& ref, const std::string& object) {
        for (int base = 0; base < 3; ++base) {
            TimeBase(base);
            ReadCovers();
            const int zone = NightChartZoneMinutes(base);
            for (std::size_t c = 0; c + 20 * layout.u < static_cast<std::size_t>(layout.width); ++c) {
                DateTime date{};
                NightChartDate(2027, 1, layout.dayOfColumn[c], &date.year, &date.month, &date.day);
                if (date.year != 2027) continue;
                const int x = static_cast<int>(c) + 20 * layout.u;
                const std::string what = object + " " + std::to_string(date.month) + "/" + std::to_string(date.day) +
                                         " base " + std::to_string(base);
                const std::tuple<char, uint32_t, const char*> kinds[] = {
                    {'r', kRise, " rise"}, {'t', kTransit, " transit"}, {'s', kSet, " set"}};
                for (auto [kind, colour, name] : kinds)
                    ExpectDots(x, ref.Events(object, kind, date.year, date.month, date.day, zone), colour, what + name);
            }
        }
    }
    Layout layout{kSmall};
    std::vector<unsigned char> texts;
};

double TransitOf(const ReferenceTable& ref, const std::string& kind, int month, int day) {
    for (std::size_t r = 0; r < ref.rows.size(); ++r)
        if (ref.Text(r, "kind") == kind && ref.Get(r, "month") == month && ref.Get(r, "day") == day)
            return ref.Get(r, "transit_h");
    ADD_FAILURE() << "no reference row " << kind << " " << month << "/" << day;
    return 0.0;
}

// The first opening without an object: the device clock's month, day 1, no
// object, the local time base; 380 days at 240 pixels, 720 on the wider
// screen, with the pixels per day the date cursor reads.
TEST_F(TwilightForm, FirstOpeningTakesTheDeviceMonth240) { FirstOpening(kSmall); }
TEST_F(TwilightForm, FirstOpeningTakesTheDeviceMonth480) { FirstOpening(kLarge); }

// 51.5 N on the Greenwich meridian, zone 0, the chart from December 2024: at
// 23 h of 22 December the Night colour, at 15 h the chart's background (odd
// hours: the even ones carry the grid); every band edge of 22 December and
// 14 March within a pixel of PyEphem's Sun's centre at -1, -6 and -18
// degrees, at both screen sizes.
TEST_F(TwilightForm, BandsAgreeWithTheAlmanac240) { GreenwichBands(kSmall); }
TEST_F(TwilightForm, BandsAgreeWithTheAlmanac480) { GreenwichBands(kLarge); }

// Sydney (zone +10 h, east of its zone meridian) in June likewise.
TEST_F(TwilightForm, BandsAgreeWithTheAlmanacInTheSouth) {
    Open(kSmall, -33.87, -151.21, 600, 2025, 6);
    ExpectBandsOf(layout.Column(22), Reference(), "Sydney", 6, 22);
}

// At 58 N the Sun stays above -18 degrees in June (its lowest altitude is
// -(90 - 58 - 23.44) = -8.56 degrees at the solstice): no pixel of June is
// the Night colour, the Sun Set and Twilight bands are there and agree with
// the almanac. At 61.5 N the lowest altitude, -5.06 degrees, stays above the
// -6 degrees of the Twilight band: only the Sun Set band is left.
TEST_F(TwilightForm, NoNightInAHighLatitudeSummer) {
    const ReferenceTable ref = Reference();
    Open(kSmall, 58.0, 0.0, 0, 2025, 6);
    Shot("twilight_58n_240.png");
    for (int day = 1; day <= 30; ++day) {
        const int x = layout.Column(day);
        if (x >= 0) {
            EXPECT_TRUE(Rows(x, kNight).empty()) << day;
        }
    }
    const int june22 = layout.Column(22);
    EXPECT_FALSE(Rows(june22, kSunSet).empty());
    EXPECT_FALSE(Rows(june22, kTwilight).empty());
    ExpectBandsOf(june22, ref, "58N", 6, 22);
    EXPECT_FALSE(Rows(layout.Column(200), kNight).empty());  // January has its nights
    Ui([] {
        SetTestSite(61.5, 0.0, 0);
        graphTimeBase = 0;
    });
    TimeBase(0);
    EXPECT_FALSE(Rows(layout.Column(22), kSunSet).empty());
    EXPECT_TRUE(Rows(layout.Column(22), kTwilight).empty());
    EXPECT_TRUE(Rows(layout.Column(22), kNight).empty());
}

// In night mode the chart is black with red bands: Sun Set (90, 0, 0) and
// Twilight (65, 0, 0) at hours between the almanac's edges of 22 December,
// the night and the background black, the grid (60, 0, 0).
TEST_F(TwilightForm, NightModeColours) {
    Begin(kSmall, 51.5, 0.0, 0);
    Ui([] {
        preferences.word[kPrefNightMode] = 2;
        ApplyNightModeColors(2);
        graphYear = 2024, graphMonth = 12;
    });
    MainCommand(1022);
    Shot("twilight_night_240.png");
    const int x = layout.Column(22);
    EXPECT_TRUE(Same(At(x, layout.Row(16.3)), Rgb(90, 0, 0)));  // Sun between -1 and -6 degrees
    EXPECT_TRUE(Same(At(x, layout.Row(17.3)), Rgb(65, 0, 0)));  // between -6 and -18
    EXPECT_TRUE(Same(At(x, layout.Row(23)), Rgb(0, 0, 0)));
    EXPECT_TRUE(Same(At(x, layout.Row(15)), Rgb(0, 0, 0)));
    EXPECT_TRUE(Same(At(x, layout.Row(18)), Rgb(60, 0, 0)));
}

// "Universal Time (UT)" draws the same chart for zones 0 and +120 at the
// same place: every band edge of every column the same; in local time the
// zone moves the bands by two hours.
TEST_F(TwilightForm, UniversalTimeIgnoresTheZone) {
    Open(kSmall, 51.5, 0.0, 0, 2024, 12, 2);
    EXPECT_EQ(Get(kTwilightTimeBaseList), 2);
    Press(kTwilightTimeBaseTrigger);
    Shot("twilight_time_bases_240.png");
    Tap(RowCentre(Item(kTwilightTimeBaseList), 2));
    EXPECT_EQ(graphTimeBase, 2);
    const std::vector<int> zone0 = AllEdges();
    const int night0 = Edge(layout.Column(22), 3, true);
    Ui([] { currentSite.zoneMinutes = 120; });
    TimeBase(2);
    EXPECT_EQ(AllEdges(), zone0);
    TimeBase(0);
    EXPECT_NEAR(Edge(layout.Column(22), 3, true) - night0, 2 * layout.p, 1.5);
}

// "LT&DayLight" is the site's clock on every day: with the DayLight box
// ticked (zone +60) the Night band starts p pixels later than in local time
// on 10 January, 22 March, 17 October and 1 December alike, and nothing jumps
// where an hour was once added from the day whose month x 30 + index passed
// 110 (January: index 81, 22 March) to the one that passed 320 (index 291).
TEST_F(TwilightForm, SummerTimeMovesTheBandsAnHour) {
    Begin(kSmall, 51.5, 0.0, 60);
    Ui([] {
        currentSite.daylightSaving = 1;
        graphYear = 2025, graphMonth = 1;
    });
    MainCommand(1022);
    auto around = [&](int lastWinter) {
        int before = lastWinter, after = lastWinter + 1;
        while (layout.Column(before) < 0) --before;
        while (layout.Column(after) < 0) ++after;
        return Edge(layout.Column(after), 3, true) - Edge(layout.Column(before), 3, true);
    };
    const int days[] = {10, 82, 292, 335};  // days with a column of their own
    std::vector<int> local;
    for (int day : days) local.push_back(Edge(layout.Column(day), 3, true));
    TimeBase(1);
    for (std::size_t k = 0; k < std::size(days); ++k) {
        ASSERT_GT(layout.Column(days[k]), 0) << days[k];
        EXPECT_NEAR(Edge(layout.Column(days[k]), 3, true) - local[k], layout.p, 2.0) << days[k];
    }
    EXPECT_LE(std::abs(around(80)), 2);
    EXPECT_LE(std::abs(around(290)), 2);
}

// A fixed object handed over by OpenAltitudeGraph: its transit dot within a
// pixel of PyEphem's transit on 10 January and 9 February 2025, and 118
// minutes (30 sidereal-day shifts of 3 min 56 s) higher after 30 days.
TEST_F(TwilightForm, FixedObjectTransitsEarlierEachDay) {
    const ReferenceTable ref = Reference();
    Begin(kSmall, 51.0, 0.0, 0);
    Ui([] { OpenAltitudeGraph("Star", kDesignationNgc, 0, 4.4f, 20.0f, -1, 2025, 1); });
    ASSERT_EQ(GetCurrentFormId(), kTwilightForm);
    Shot("twilight_object_240.png");
    const std::vector<int> first = Rows(layout.Column(10), kTransit), second = Rows(layout.Column(40), kTransit);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_LE(std::abs(first[0] - layout.Row(TransitOf(ref, "star", 1, 10))), 1);
    EXPECT_LE(std::abs(second[0] - layout.Row(TransitOf(ref, "star", 2, 9))), 1);
    EXPECT_NEAR(first[0] - second[0], 118.0 / 60.0 * layout.p, 1.0);
}

// At 51 N a star at +80 degrees never sets: its transit dot alone, no rise
// or set dot for the engine's stand-ins; one at -60 degrees never rises: no
// dot, whatever transit the engine gives it (once told by a transit of 0).
TEST_F(TwilightForm, StarThatNeverSetsOrNeverRisesHasNoRiseOrSetDots) {
    Begin(kSmall, 51.0, 0.0, 0);
    Ui([] { OpenAltitudeGraph("Up", kDesignationNgc, 0, 4.4f, 80.0f, -1, 2025, 1); });
    const int x = layout.Column(10);
    EXPECT_EQ(Rows(x, kTransit).size(), 1u);
    EXPECT_TRUE(Rows(x, kRise).empty());
    EXPECT_TRUE(Rows(x, kSet).empty());
    Ui([] { OpenAltitudeGraph("Down", kDesignationNgc, 0, 4.4f, -60.0f, -1, 2025, 1); });
    EXPECT_TRUE(Rows(x, kTransit).empty());
    EXPECT_TRUE(Rows(x, kRise).empty());
}

// A comet (kind 12) takes its place day by day: its transit dots follow
// PyEphem's transits of the same orbit within a pixel on 10 March, 9 April
// and 10 May 2024, far from a fixed place's 118 minutes a month; the
// program's date and time are what they were, also after a record that
// cannot be read.
TEST_F(TwilightForm, CometTakesItsPlaceEachDay) {
    const ReferenceTable ref = Reference();
    Begin(kSmall, 51.0, 0.0, 0);
    ObjectRecord comet{};
    Ui([&comet] { ASSERT_TRUE(GetObjectByKind(kGraphCometKind, 0, &comet, nullptr, 0, nullptr, 0, 0, nullptr)); });
    ASSERT_STREQ(comet.name, "C/2023 A3");
    const DateTime before = currentDateTime;
    Ui([] { OpenAltitudeGraph("C/2023 A3", kGraphCometKind, 0, 0.0f, 0.0f, -1, 2024, 3); });
    ASSERT_EQ(GetCurrentFormId(), kTwilightForm);
    const DateTime after = currentDateTime;
    EXPECT_EQ((std::vector<int>{after.year, after.month, after.day, after.hour, after.minute, after.second}),
              (std::vector<int>{before.year, before.month, before.day, before.hour, before.minute, before.second}));
    Ui([] {
        const DateTime kept = currentDateTime;
        double ra = 0.0, dec = 0.0;
        EXPECT_EQ(NightChartObjectPlace(kGraphCometKind, 7, 0.0f, 0.0f, -1, 2024, 3, 1, 0, 0, &ra, &dec),
                  kNoObjectRecord);
        EXPECT_EQ(currentDateTime.day * 100 + currentDateTime.hour, kept.day * 100 + kept.hour);
    });
    AnswerAll();
    const struct {
        int day, month, dayOfMonth;
    } cases[] = {{10, 3, 10}, {40, 4, 9}, {71, 5, 10}};
    for (const auto& c : cases) {
        const std::vector<int> rows = Rows(layout.Column(c.day), kTransit);
        ASSERT_EQ(rows.size(), 1u) << c.day;
        EXPECT_LE(std::abs(rows[0] - layout.Row(TransitOf(ref, "comet", c.month, c.dayOfMonth))), 1) << c.day;
    }
}

// A comet record that cannot be read gets no dots and its message once,
// not once a day.
TEST_F(TwilightForm, UnreadableCometRecordIsReportedOnce) {
    Begin(kSmall, 51.0, 0.0, 0);
    Ui([] { OpenAltitudeGraph("Gone", kGraphCometKind, 7, 0.0f, 0.0f, -1, 2024, 3); });
    EXPECT_EQ(BoxCount(), 1);
    EXPECT_EQ(BoxText().rfind("GetCometData: Could not retrieve comet record!", 0), 0u) << BoxText();
    AnswerAll();
    EXPECT_EQ(GetCurrentFormId(), kTwilightForm);
    EXPECT_TRUE(Rows(layout.Column(10), kTransit).empty());
}

// A planet chosen from the popup replaces the object: its name labels the
// chart, graphPlanet is its body index and its transits follow PyEphem's
// Jupiter within a pixel on 10 January and 10 March 2025.
TEST_F(TwilightForm, PlanetFromThePopup) {
    const ReferenceTable ref = Reference();
    Open(kSmall, 51.0, 0.0, 0, 2025, 1);
    Ui([] { pl::StartTextLog(); });
    Press(kTwilightPlanetTrigger);
    ASSERT_TRUE(Visible(kTwilightPlanetList));
    Shot("twilight_planets_240.png");
    EXPECT_EQ(pl::ListViewGetItemCount(Item(kTwilightPlanetList)), 8);
    Tap(RowCentre(Item(kTwilightPlanetList), 3));
    EXPECT_EQ(graphPlanet, 5);
    EXPECT_EQ(graphObjectSet, 1);
    EXPECT_STREQ(graphObjectName, "Jupiter");
    EXPECT_FALSE(Visible(kTwilightPlanetList));
    std::vector<std::string> texts;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) texts.push_back(run.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Jupiter"), texts.end());
    for (auto [day, month, dayOfMonth] : {std::tuple{10, 1, 10}, std::tuple{69, 3, 10}}) {
        const std::vector<int> rows = Rows(layout.Column(day), kTransit);
        ASSERT_EQ(rows.size(), 1u) << day;
        EXPECT_LE(std::abs(rows[0] - layout.Row(TransitOf(ref, "jupiter", month, dayOfMonth))), 1) << day;
    }
    Shot("twilight_jupiter_240.png");
}

// The finder opened from the form: Caldwell 14 becomes the object, named
// "C14, " and its record's prefix and number (NGC 869), at its place; a
// planet of the finder becomes the graph's planet.
TEST_F(TwilightForm, FinderTargetFromCaldwell) {
    Open(kSmall, 51.0, 0.0, 0, 2024, 9);
    Ui([] { graphPlanet = 5; });
    Press(kTwilightFinder);
    ASSERT_EQ(GetCurrentFormId(), kFinderFormId);
    EXPECT_EQ(graphFromFinder, 1);
    Choose(kFinderCatalogTrigger, kFinderCatalogList, 0);  // Caldwell
    for (int digit : {1, 4}) Press(kFinderDigit0 + digit);
    Press(kFinderFind);
    Press(kFinderOk);
    ASSERT_EQ(GetCurrentFormId(), kTwilightForm);
    EXPECT_STREQ(graphObjectName, "C14, NGC869");
    ObjectRecord ngc869{};
    Ui([&ngc869] { ASSERT_TRUE(GetCaldwellObjectRecord(13, &ngc869)); });
    EXPECT_EQ(graphObjectRA, ngc869.rightAscension);
    EXPECT_EQ(graphObjectDec, ngc869.declination);
    EXPECT_EQ((std::vector<int>{graphPlanet, graphObjectSet, graphFromFinder}), (std::vector<int>{-1, 1, 0}));
    // A planet of the finder is followed as one of the popup's.
    Press(kTwilightFinder);
    Choose(kFinderCatalogTrigger, kFinderCatalogList, 5);  // planets
    Choose(kFinderObjectTrigger, kFinderObjectList, 5);    // Jupiter
    Press(kFinderOk);
    ASSERT_EQ(GetCurrentFormId(), kTwilightForm);
    EXPECT_EQ(graphPlanet, 5);
    EXPECT_STREQ(graphObjectName, "Jupiter");
}

// The month initials start with the chart's month and wrap after "D": a
// chart from November shows N, D, J, F, ... one every 30 days, but for the
// thirteenth, which the screen's edge would cut.
TEST_F(TwilightForm, MonthInitialsWrapAfterDecember) {
    Begin(kSmall, 51.0, 0.0, 0);
    Ui([] {
        graphYear = 2024, graphMonth = 11;
        pl::StartTextLog();
    });
    MainCommand(1022);
    const int row = static_cast<int>(layout.top + 24 * layout.p) - 6;
    std::string initials;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial()))
        if (run.cell.top == row && run.text.size() == 1) initials += run.text;
    EXPECT_EQ(initials, "NDJFMAMJJASO");
}

// Right moves the date cursor a pixel and the date field follows it; at the
// chart's right edge the step is undone. A drag of less than 3 units moves
// nothing; a longer one moves the cursor once.
TEST_F(TwilightForm, KeysAndStylusMoveTheDateCursor) {
    Open(kSmall, 51.0, 0.0, 0, 2024, 3);
    harness.key(pl::VK_RIGHT);
    EXPECT_EQ(graphCursorX, 21);
    EXPECT_EQ(cursorX, 21);
    EXPECT_EQ(Text(kTwilightDateField), "02/03/2024");  // int(1 / 0.6105) = 1 day after the 1st
    harness.key(pl::VK_RIGHT, 2);                       // held for two more steps
    EXPECT_EQ(graphCursorX, 24);
    EXPECT_EQ(Text(kTwilightDateField), "07/03/2024");  // int(4 / 0.6105) = 6 days
    harness.key(kTwilightKeyLeft);
    EXPECT_EQ(graphCursorX, 23);
    harness.tap(239, 100);
    EXPECT_EQ(cursorX, 239);
    const std::string edge = Text(kTwilightDateField);
    EXPECT_EQ(edge, "22/02/2025");  // int(219 / 0.6105) = 358 days after 1 March 2024
    harness.key(pl::VK_RIGHT);
    EXPECT_EQ(graphCursorX, 239);
    EXPECT_EQ(Text(kTwilightDateField), edge);
    harness.penDown(100, 150);
    harness.penMove(102, 151);
    EXPECT_EQ(cursorX, 239);
    EXPECT_EQ(Text(kTwilightDateField), edge);
    harness.penMove(110, 150);  // the form reads where the stylus goes next
    harness.penMove(112, 150);
    EXPECT_EQ(cursorX, 112);
    EXPECT_EQ(Text(kTwilightDateField), "29/07/2024");  // int(92 / 0.6105) = 150 days
    harness.penMove(130, 150);
    harness.penUp(130, 150);
    EXPECT_EQ(cursorX, 112);  // the drag ended with the first move
    EXPECT_EQ(graphCursorX, 112);
}

// A held arrow key stops the drawing of the days where it is: the chart
// stays on its background; once it is let go the next drawing is whole.
TEST_F(TwilightForm, HeldArrowKeyStopsTheDrawing) {
    Open(kSmall, 51.5, 0.0, 0, 2024, 12);
    harness.keyDown(pl::VK_UP);
    TimeBase(0);
    EXPECT_EQ(GetNightChartDaysDrawn(), 0);
    EXPECT_TRUE(Same(At(layout.Column(22), layout.Row(23)), kBackground));
    harness.keyUp(pl::VK_UP);
    TimeBase(0);
    EXPECT_EQ(GetNightChartDaysDrawn(), 380);
    EXPECT_TRUE(Same(At(layout.Column(22), layout.Row(23)), kNight));
}

// A tap on the date field edits the date with the date and time form: 10
// February 2007 (typed as Julian day 2454141.5) confirmed starts the chart on
// 1 February 2007, the cursor's first day, and shows the date; Cancel keeps it.
TEST_F(TwilightForm, DateFieldPicksTheChartMonth) {
    Open(kSmall, 51.0, 0.0, 0, 2024, 3);
    Press(kTwilightDateField);
    pl::Hwnd dialog = pl::GetActiveWindow();
    ASSERT_NE(pl::GetDlgItem(dialog, kDateTimeOk), nullptr);
    Ui([dialog] { pl::SetDlgItemText(dialog, kJulianDayField, "2454141.5"); });  // 10 February 2007, 0 h
    Tap(Centre(pl::GetDlgItem(dialog, kJulianDayButton)));
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeOk)));
    ASSERT_EQ(GetCurrentFormId(), kTwilightForm);
    EXPECT_EQ((std::vector<int>{graphYear, graphMonth, graphDay}), (std::vector<int>{2007, 2, 10}));
    EXPECT_EQ(Text(kTwilightDateField), "10/02/2007");
    harness.tap(20, 100);
    EXPECT_EQ(Text(kTwilightDateField), "01/02/2007");
    // Cancel keeps the chart.
    Press(kTwilightDateField);
    dialog = pl::GetActiveWindow();
    Tap(Centre(pl::GetDlgItem(dialog, kDateTimeCancel)));
    EXPECT_EQ((std::vector<int>{graphYear, graphMonth, graphDay}), (std::vector<int>{2007, 2, 10}));
}

// The help button's box, the today button's month and the finder's and
// planet popup's bitmaps in night mode.
TEST_F(TwilightForm, HelpAndToday) {
    Open(kSmall, 51.0, 0.0, 0, 2007, 2);
    Press(kTwilightHelp);
    EXPECT_EQ(BoxText(),
              "\x95 Display the sky darkness among the year and let you see the best period to observe an object "
              "(when the area between rise and set curves cross the darkest part of the chart).\n\x95 Tap on the "
              "graph or use navigation keys to find a particular date.");
    Answer(pl::IDOK);
    Press(kTwilightToday);
    EXPECT_EQ((std::vector<int>{graphYear, graphMonth}), (std::vector<int>{2024, 3}));
    Press(kTwilightBack);
    EXPECT_EQ(GetCurrentFormId(), kHomeFormId);
    EXPECT_EQ(BoxCount(), 0);  // every control released
}

class TwilightOnBothScreens : public OnBothScreens<TwilightForm> {};
// A screen and a site of kTwilightSites.
class TwilightBandsOnEveryClock : public TwilightForm,
                                  public ::testing::WithParamInterface<std::tuple<pl::ScreenInfo, int>> {};

// "LT&DayLight" draws every day on the site's own clock, the one the home
// screen shows: at Fairbanks (zone -9 h, DayLight ticked), Sydney (+10 h,
// ticked) and Tokyo (+9 h), on the charts from every month of 2027, the Sun
// Set band's evening and morning edges on the 15th of each month within a
// pixel of PyEphem's on that clock (twilight_daylight_clock_pyephem.csv),
// where the legend's texts leave them to be seen. The graph once added an
// hour from about 22 March to 17 October whatever the site, and left a ticked
// site's daylight hour out the rest of the year; its bands were then held at
// 14 h and 10 h and took the Sun's place of 12:00 for the whole night (six
// minutes off near the Sun's grazing at Fairbanks).
TEST_P(TwilightOnBothScreens, DaylightTimeBaseIsTheSitesOwnClock) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "twilight_daylight_clock_pyephem.csv");
    ASSERT_EQ(ref.rows.size(), 72u);
    Start(GetParam());
    layout = Layout(GetParam());
    Ui([] { pl::StartTextLog(); });
    const std::size_t siteRows = 24;
    for (std::size_t first = 0; first < ref.rows.size(); first += siteRows) {
        const std::string site = ref.Text(first, "site");
        Ui([&] {
            ResetTwilightGraphState();
            SetTestSite(ref.Get(first, "latitude"), ref.Get(first, "longitude_west"),
                        static_cast<int>(ref.Get(first, "zone_min")));
            currentSite.daylightSaving = site != "Tokyo";
            graphTimeBase = 1;
        });
        for (int month = 1; month <= 12; ++month) {
            Ui([=] { graphYear = 2027, graphMonth = month; });
            if (month == 1) MainCommand(1022);
            TimeBase(1);
            ReadCovers();
            for (int i = 0; i < layout.days; ++i) {
                int y = 0, m = 0, d = 0;
                NightChartDate(2027, month, i, &y, &m, &d);
                const int x = layout.Column(i);
                if (d != 15 || x < 0) continue;
                const std::size_t r = first + static_cast<std::size_t>((y - 2027) * 12 + m - 1);
                SCOPED_TRACE(site + " chart " + std::to_string(month) + ", " + std::to_string(m) + "/" +
                             std::to_string(y));
                const int evening = layout.Row(ref.Get(r, "set_h")), morning = layout.Row(ref.Get(r, "rise_h")) - 1;
                EXPECT_TRUE(Near(x, Edge(x, 1, true), evening)) << Edge(x, 1, true) << " for " << evening;
                if (!Covered(x, morning - 1) && !Covered(x, morning + 1)) {
                    EXPECT_TRUE(Near(x, Edge(x, 1, false), morning)) << Edge(x, 1, false) << " for " << morning;
                }
            }
        }
    }
}

// The twilight graph on every clock: at Tokyo (+9 h), Sydney (+10 h, DayLight
// ticked), Reykjavik (0), 64 50 N and 71 17 N (-9 h), on the charts from
// January, April, June, September and December 2027 in each time base, every
// pixel of every column the reference spans (2026-12-30 to 2028-12-02, UT)
// that no text or grid line hides shows the bands where PyEphem's Sun is below
// their altitudes (twilight_crossings_pyephem.csv), but within 3 minutes or a
// row of a passage (15 minutes for a Sun on one side for less than two hours):
// a night across an end of the hour axis in two pieces, none upside down or
// over the whole day ("LT&DayLight" drawn where it differs from "Local Time
// (LT)": at Sydney, whose DayLight box is ticked). The bands were once cut at
// 14 h and 10 h: in UT at Tokyo on 2027-06-16 they ran from 14:00 to 10:00 UT
// though the Sun is up from 19:24 UT, and at 71 N in "LT&DayLight" the -1
// band of 2027-01-21 and 2027-11-21 was drawn upside down.
TEST_P(TwilightBandsOnEveryClock, BandsOnEveryClockFollowTheSun) {
    const auto [screen, site] = GetParam();
    const TwilightSite& s = kTwilightSites[site];
    const TwilightReference ref;
    ASSERT_TRUE(ref.Loaded());
    Start(screen);
    layout = Layout(screen);
    Ui([&s] {
        pl::StartTextLog();
        SetTestSite(s.latitude, s.longitudeWest, s.zone);
        currentSite.daylightSaving = s.daylight;
    });
    for (int month : {1, 4, 6, 9, 12}) {
        for (int base = 0; base < 3; ++base) {
            if (base == 1 && !s.daylight) continue;  // the same clock as "Local Time (LT)"
            Ui([=] { graphYear = 2027, graphMonth = month; });
            if (GetCurrentFormId() != kTwilightForm) MainCommand(1022);
            TimeBase(base);
            ReadCovers();
            const int zone = NightChartZoneMinutes(base);
            int wrong = 0;
            std::string first;
            for (std::size_t c = 0; c + 20 * layout.u < static_cast<std::size_t>(layout.width); ++c) {
                DateTime date{};
                NightChartDate(2027, month, layout.dayOfColumn[c], &date.year, &date.month, &date.day);
                if (!TwilightReference::Spans(date.year, date.month, date.day, zone)) continue;
                wrong += WrongBandPixels(static_cast<int>(c) + 20 * layout.u, ref, site, date, zone, &first);
            }
            EXPECT_EQ(wrong, 0) << s.name << ", chart of " << month << "/2027, time base " << base << ": " << first;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, TwilightBandsOnEveryClock,
                         ::testing::Combine(::testing::ValuesIn(kBothScreens), ::testing::Range(0, 5)));

// An object's dots at Tokyo in each time base, on the chart from January
// 2027: a fixed place (4.4 h, +20 degrees) and Jupiter, each rise, transit and
// set of 2027 that PyEphem has (twilight_object_events_pyephem.csv) within a
// row of its dot, and no dot without one. The dots were once dropped between
// 10 h and 14 h of the clock: in UT at Tokyo an object rising, culminating or
// setting between 19:00 and 23:00 local had none.
TEST_P(TwilightOnBothScreens, ObjectDotsAtTheirHourOnEveryClock) {
    const TwilightReference ref;
    ASSERT_TRUE(ref.Loaded());
    StartAtTokyo(GetParam());
    for (const std::string object : {"star", "jupiter"}) {
        Ui([&object] {
            if (object == "star") OpenAltitudeGraph("Star", kDesignationNgc, 0, 4.4f, 20.0f, -1, 2027, 1);
            if (object == "jupiter") OpenAltitudeGraph("Jupiter", 0, 0, 0.0f, 0.0f, 5, 2027, 1);
        });
        ExpectDotsOnEveryClock(ref, object);
    }
}

// The Moon's dots at Tokyo in each time base, on the chart from January 2027:
// each rise, transit and set of 2027 of the Moon seen from the Earth's centre
// (PyEphem's geocentric place; the graph allows for no parallax) within a row
// of its dot, and no dot without one. The Moon's place was once taken at 0:00
// of the date and of the next day on the site's clock and carried on in a
// straight line to the column's end, up to 22 hours past the second place in
// UT: its dots came up to 5 minutes off at Tokyo (15 at 71 N or in UT at a
// site 12 h ahead), and a rise near the column's end was drawn in two columns.
TEST_P(TwilightOnBothScreens, MoonDotsAreNotExtrapolatedAcrossTheColumn) {
    const TwilightReference ref;
    ASSERT_TRUE(ref.Loaded());
    StartAtTokyo(GetParam());
    Ui([] { OpenAltitudeGraph("Moon", 0, 0, 0.0f, 0.0f, 1, 2027, 1); });
    ExpectDotsOnEveryClock(ref, "moon");
}

// The legend and the object's name lie over the chart's first and last hours,
// where the bands now run on to 13 h: at Tokyo in UT in June (the evening's
// twilight and night begin at 10:30-12:00 UT) and at 71 17 N on local time in
// December (the noon twilight of the polar night), with Jupiter's legend, no
// pixel under their texts shows the chart's background where PyEphem's Sun is
// below -1 degree (twilight_crossings_pyephem.csv; within 3 minutes or a row
// of a passage left out). The texts were once drawn in boxes of the
// background colour that hid the band edges under them.
TEST_P(TwilightOnBothScreens, LegendTextsDoNotHideTheBandsUnderThem) {
    const TwilightReference ref;
    ASSERT_TRUE(ref.Loaded());
    Start(GetParam());
    layout = Layout(GetParam());
    const struct {
        int site, month, base;
    } cases[] = {{0, 6, 2}, {4, 12, 0}};
    for (const auto& c : cases) {
        const TwilightSite& s = kTwilightSites[c.site];
        Ui([&] {
            pl::StartTextLog();
            SetTestSite(s.latitude, s.longitudeWest, s.zone);
            OpenAltitudeGraph("Jupiter", 0, 0, 0.0f, 0.0f, 5, 2027, c.month);
        });
        TimeBase(c.base);
        const int zone = NightChartZoneMinutes(c.base), first = 20 * layout.u;
        int hidden = 0, seen = 0;
        for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
            const std::vector<std::string> legend = {"Sun Set", "Twilight", "Night", "Transit", "Set", "Rise", "Jupiter"};
            if (std::find(legend.begin(), legend.end(), run.text) == legend.end() || run.cell.left < first) continue;
            for (int y = run.cell.top; y < std::min(run.cell.bottom, layout.Row(37)); ++y) {
                for (int x = run.cell.left; x < std::min(run.cell.right, layout.width); ++x) {
                    DateTime date{};
                    NightChartDate(2027, c.month, layout.dayOfColumn[static_cast<std::size_t>(x - first)], &date.year,
                                   &date.month, &date.day);
                    bool below = false, near = false;
                    const double from = (y - layout.top) / layout.p, to = from + 1 / layout.p;
                    const double tolerance = std::max(0.05, 1 / layout.p);
                    for (const ColumnPassage& q : ref.Column(c.site, 0, date.year, date.month, date.day, zone, &below)) {
                        near = near || (q.hour > from - tolerance && q.hour < to + tolerance);
                        if (q.hour <= (from + to) / 2) below = q.down;
                    }
                    if (!below || near) continue;
                    ++seen;
                    if (Same(At(x, y), kBackground)) ++hidden;
                }
            }
        }
        EXPECT_GT(seen, 0) << s.name;
        EXPECT_EQ(hidden, 0) << s.name << " of " << seen << " pixels under the texts";
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, TwilightOnBothScreens, ::testing::ValuesIn(kBothScreens));

// On the larger screen the buttons of the right move right and those of the
// bottom strip down with the screen.
TEST_F(TwilightForm, LayoutFollowsTheScreen) {
    Open(kLarge, 51.0, 0.0, 0, 2024, 3);
    Shot("twilight_layout_480.png");
    auto bounds = [this](int id) {
        pl::Rect r{};
        pl::GetWindowRect(Item(id), &r);
        return r;
    };
    EXPECT_GE(bounds(kTwilightHelp).left, 400);
    for (int id : {kTwilightBack, kTwilightFinder, kTwilightPlanetTrigger, kTwilightDateField, kTwilightToday})
        EXPECT_GE(bounds(id).top, 610) << id;
    EXPECT_GE(bounds(kTwilightToday).left, 400);
    EXPECT_LT(bounds(kTwilightFinder).left, 60);
}

}  // namespace
