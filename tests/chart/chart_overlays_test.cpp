// The overlays of the chart and the sphere pictures drawn into 16-bit DIBs:
// the icon strip, the field-of-view label, the eyepiece circle, the sensor
// frame, the sphere status, the picture box and the patches.
#include "chart/chart_overlays.h"

#include <gtest/gtest.h>

#include "chart/chart_colours.h"
#include "chart/chart_status.h"
#include "chart/image_markers.h"
#include "core/date_text.h"
#include "overlay_test.h"
#include "ui/bitmaps.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/shapes.h"

namespace {

constexpr pl::ColorRef kInk = pl::Rgb(0, 255, 0);

using OverlaysTest = OverlayTest;

// Column = offset[zoom] + size clamped to 0..12 (at zoom 5: day 6, display
// scale 2 4); rows by colour band; the strip by background and "Star Color";
// the cell's corner at (x - 6, y - 6). At night every colour takes row 2 (a
// star of colour 9 is drawn as one of colour 0) with the night offsets.
TEST_F(OverlaysTest, IconCellByZoomSizeColourAndStrip) {
    struct Case {
        int scheme, blackAndWhite;
        double scale;
        int zoom, size, colour, bitmap, column, row;
    } cases[] = {
        {0, 0, 1, 5, 2, 0, 4104, 8, 2},  {0, 0, 1, 0, 20, 0, 4104, 12, 2}, {0, 0, 1, 13, -5, 0, 4104, 0, 2},
        {0, 0, 1, 5, 0, -4, 4104, 6, 0}, {0, 0, 1, 5, 0, -3, 4104, 6, 1},  {0, 0, 1, 5, 0, -1, 4104, 6, 1},
        {0, 0, 1, 5, 0, 3, 4104, 6, 3},  {0, 0, 1, 5, 0, 7, 4104, 6, 4},   {0, 0, 1, 5, 0, 8, 4104, 6, 5},
        {0, 0, 1, 5, 0, 13, 4104, 6, 5}, {0, 0, 1, 5, 0, 14, 4104, 6, 6},  {2, 0, 1, 5, 0, 0, 4103, 6, 2},
        {2, 1, 1, 5, 0, 0, 4106, 6, 2},  {0, 1, 1, 5, 0, 9, 4105, 6, 5},   {0, 0, 2, 5, 1, 0, 4104, 5, 2},
    };
    for (const Case& c : cases) {
        preferences.word[kPrefChartBackground] = c.scheme;
        preferences.word[kPrefStarColor] = c.blackAndWhite;
        SetScale(c.scale);
        FreeObjectIconBitmap();
        EXPECT_EQ(IconStripBitmap(), c.bitmap);
        DrawWindowRecord* r = Ground(40, 40);
        DrawObjectIcon(nullptr, c.zoom, c.size, c.colour, 20, 20);
        EXPECT_EQ(Mismatches(r, BitmapPart{c.bitmap, c.column * 13, c.row * 13, 13, 13}, 14, 14, true), 0)
            << c.bitmap << " " << c.zoom << " " << c.size << " " << c.colour;
    }
    SetScale(1);
    SetNightMode(1);
    FreeObjectIconBitmap();
    DrawWindowRecord* pictures[3];
    for (int i = 0; i < 3; ++i) {
        pictures[i] = Ground(40, 40);
        DrawObjectIcon(i == 1 ? Ground(40, 40) : nullptr, 5, 1, i == 0 ? 9 : 0, 20, 20);
    }
    EXPECT_EQ(std::make_tuple(IconStripBitmap(), IconColumnOffset(5), IconColumnOffset(13)), std::make_tuple(4105, 5, -1));
    EXPECT_EQ(Differences(pictures[0], pictures[2]), 0);
    EXPECT_EQ(Count(pictures[1], kGround), 1600);  // drawn into the surface given
}

// Acceptance texts; the second line with the limits of the step's words; in
// entry 4 on background 0, in the ink colour on background 2.
TEST_F(OverlaysTest, FovLabelTextsByZoom) {
    struct Case {
        int zoom, objectWord, starWord, scheme;
        const char* first;
        const char* second;
    } cases[] = {{10, 0, 0, 2, "FOV 2.5\xB0", "All, S<10"},
                 {5, -1, -1, 0, "FOV 45\xB0", "O<9, S<6"},  // the default words
                 {3, 0, -1, 2, "FOV 90\xB0", "All, S<5"},
                 {13, -1, -1, 0, nullptr, nullptr}};
    for (const Case& c : cases) {
        ResetWithDefaults();
        preferences.word[kPrefChartBackground] = c.scheme;
        int step = std::min(c.zoom, 9);
        if (c.objectWord >= 0) preferences.word[kPrefObjectLimitFirst + step] = c.objectWord;
        if (c.starWord >= 0) preferences.word[kPrefStarLimitFirst + step - 5] = c.starWord;
        DrawWindowRecord* r = Ground(240, 320);
        DrawFovLabel(10, 30, c.zoom);
        if (!c.first) {
            EXPECT_EQ(Count(r, kGround), 240 * 320);
            continue;
        }
        const ChartColour& colour = c.scheme == 0 ? chartColours.entry[4] : chartColours.ink;
        EXPECT_EQ(Differences(r, Texts({{c.first, {11, 30}}, {c.second, {11, 40}}}, ChartColourRef(colour), 0)), 0)
            << c.zoom;
    }
}

// "AB-Wide", 25 mm, 52°, on 1660 mm (diameter row 8, f/10 row 6): m = 66.4,
// true field 52 x 60 / 66.4 = 46.99' -> radius 46 at 1 px per arcminute. A
// field of 1e30 px, a damaged apparent field or no eyepiece draw nothing.
TEST_F(OverlaysTest, EyepieceCircleOfPreferenceRowOne) {
    folder.WriteDb("data\\zendavori_eyepiece.ppc", 1, 72,
                   {fixture::EyepieceBytes("AB", "Wide", 25.0f, 52), fixture::EyepieceBytes("CD", "Huge", 25.0f, 4000000000u)});
    preferences.word[kPrefFovEyepiece] = 1;
    preferences.word[kPrefDiameter] = 8;
    preferences.word[kPrefFRatio] = 6;
    for (const auto& [row, pixels] : {std::pair{1, 1.0f}, {1, 1e30f}, {2, 1.0f}, {0, 1.0f}}) {
        preferences.word[kPrefEyepiece] = row;
        DrawWindowRecord* r = Ground(240, 320);
        DrawEyepieceCircle(120, 160, pixels, kInk);
        DrawWindowRecord* expected = Ground(240, 320);
        if (row == 1 && pixels == 1.0f) {
            expected = Texts({{"AB-Wide 66", {120, 160 - 46 - 8}}}, kInk);
            DrawCircle(120, 160, 46);
        }
        EXPECT_EQ(Differences(r, expected), 0) << row << " " << pixels;
    }
}

// 22.20 x 14.80 mm at 1000 mm: 2 atan(11.1 / 1000) = 76.31', 2 atan(7.4 / 1000)
// = 50.88'. Without a focal length (word 53 = 0) the telescope's 1660 mm.
TEST_F(OverlaysTest, SensorFrameAndItsSides) {
    preferences.word[49] = 2220;
    preferences.word[50] = 1480;
    preferences.word[kPrefDiameter] = 8;
    preferences.word[kPrefFRatio] = 6;
    DrawWindowRecord* frames[3];
    for (int i = 0; i < 3; ++i) {
        preferences.word[53] = std::array{1000, 0, 1660}[i];
        frames[i] = Ground(240, 320);
        DrawSensorFrame(120, 160, 1.0f, kInk);
    }
    DrawWindowRecord* expected = Texts({{"76'18''", {120, 212}}, {"50'52''", {198, 160}}}, kInk);
    DrawRectangleOutline(XywhRect{44, 110, 152, 100});
    EXPECT_EQ(Differences(frames[0], expected), 0);
    EXPECT_EQ(Differences(frames[1], frames[2]), 0);
    EXPECT_GT(Differences(frames[1], frames[0]), 0);
}

// 2000-01-01 12:00 UT at longitude 0: GMST 18.6974 h (Meeus 12.4) reads
// LST:18:41, not 12 h more. "Hide InfoBar" leaves the dials, in the chart's
// corner: 48 px wide, or as wide as the field-of-view label they replace.
TEST_F(OverlaysTest, SkyMapStatusShowsTheSiderealTimePast12Hours) {
    SetTestSite(51, 0, 0);
    BuildSkyRotation(2000, 1, 1, 12, 0, 0);
    std::tie(skyRotation.year, skyRotation.month, skyRotation.day, skyRotation.hour, skyRotation.minute) =
        std::make_tuple(2000, 1, 1, 12, 0);
    char date[16];
    FormatDateShort(date, sizeof date, 1, 1, 2000);
    const std::string line = std::string(date) + " 12:00  LST:18:41";
    DrawWindowRecord* r = Ground(240, 320);
    DrawSkyMapStatus(XywhRect{0, 21, 240, 299}, nullptr, 0, 0, 0, 0);
    DrawWindowRecord* expected = Ground(240, 320);
    SetBackColor(ChartColourRef(chartColours.background));
    SetTextColorRef(ChartColourRef(chartColours.entry[4]));
    const int font = SelectFont(2);  // the status lines' small font
    DrawPlainText(line.c_str(), static_cast<int>(line.size()), 57, 298);
    EXPECT_EQ(DifferencesIn(r, expected, 57, 298, CharsWidth(line.c_str(), static_cast<int>(line.size())), 8), 0);
    SelectFont(font);
    preferences.word[kPrefHideInfoBar] = 1;
    r = Ground(240, 320);
    DrawSkyMapStatus(XywhRect{0, 21, 240, 299}, nullptr, 0, 0, 0, 0);
    const int corner = ChartCornerWidth();
    EXPECT_GE(corner, 48);
    EXPECT_EQ(CountIn(r, 0, corner, 289, 240 - corner, 31, true), 0);
    EXPECT_GT(CountIn(r, 0, 0, 289, corner, 31, true), 0);
}

// A centre set at 40 degrees altitude, due north, comes back from Fix24Angle
// as 39.99999 and 359.99999: the dials read "40°" and "0°" as for 40.2 and 0.2
// degrees, not "39°" and "359°". The values sit below the dials (radius 10 px),
// 22 px down the box; 39.4 degrees reads otherwise.
TEST_F(OverlaysTest, DialsReadTheNearestWholeDegree) {
    auto valueRows = [this](Fix24Angle azimuth, Fix24Angle altitude) {
        DrawWindowRecord* r = Ground(240, 320);
        DrawChartLegend(10, 100, azimuth, altitude);
        return r;
    };
    const Fix24Angle north = FixDegrees(360) - 1, forty = FixDegrees(40);
    ASSERT_LT(Degrees(forty), 40.0);
    DrawWindowRecord* set = valueRows(north, forty);
    DrawWindowRecord* exact = valueRows(FixDegrees(0.2), FixDegrees(40.2));
    DrawWindowRecord* lower = valueRows(FixDegrees(0.2), FixDegrees(39.4));
    EXPECT_EQ(DifferencesIn(set, exact, 10, 122, 48, 9), 0);
    EXPECT_GT(DifferencesIn(lower, exact, 10, 122, 48, 9), 0);
}

// M31 (index 30 in its source) at display scale 2: thumbnail 3030 in the box;
// the mark 1941 over it only once img\messier\M31.jpg exists; none at scale 1.
TEST_F(OverlaysTest, PictureBoxThumbnailAndMark) {
    SelectionEntry entry{};
    std::strcpy(entry.name, "M31");
    entry.source = kSourceMessier;
    entry.sourceIndex = 30;
    selectionList = &entry;
    selectionCount = 1;
    SetScale(2);
    DrawWindowRecord* expected = Ground(240, 320);
    DrawBitmap(3030, 0, 21);
    for (int mark = 0; mark < 2; ++mark) {
        if (mark) folder.WriteRaw("img\\messier\\M31.jpg", {0xFF, 0xD8});
        DrawWindowRecord* r = Ground(240, 320);
        DrawImageMarker(0, 21, 0);
        SetDrawWindow(expected);
        if (mark) DrawBitmapMasked(1941, 0, 21);
        EXPECT_EQ(Differences(r, expected), 0) << mark;
    }
    folder.Remove("img\\messier\\M31.jpg");
    SetScale(1);
    DrawWindowRecord* r = Ground(240, 320);
    DrawImageMarker(0, 21, 0);
    DrawImageMarker(0, 21, 1);  // not an entry in use
    EXPECT_EQ(Count(r, kGround), 240 * 320);
}

TEST_F(OverlaysTest, PatchSavedAndRestoredLeavesThePictureAsItWas) {
    DrawWindowRecord* original = Ground(240, 320);
    DrawWindowRecord* r = Ground(240, 320);
    for (DrawWindowRecord* d : {original, r})
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < 240; ++x) SetPixel(d, x, y, static_cast<uint16_t>((x * 7 + y * 131) & 0x7FFF));
    const XywhRect box{30, 40, 78, 28};
    SaveRestoreChartPatch(0, box);
    SetForeColor(kInk);
    FillRectangle(box, 0);
    EXPECT_GT(Differences(r, original), 0);
    SaveRestoreChartPatch(1, box);
    EXPECT_EQ(Differences(r, original), 0);
}

}  // namespace
