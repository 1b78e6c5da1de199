// The overlays of the chart and the sphere pictures drawn into 16-bit DIBs:
// the icon strip, the field-of-view label, the eyepiece circle, the sensor
// frame, the sphere status, the picture box and the patches.
#include "chart/chart_overlays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "chart/chart_colours.h"
#include "chart/chart_status.h"
#include "chart/image_markers.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "chart/sky_rotation.h"
#include "chart_test.h"
#include "core/date_text.h"
#include "platform/fonts.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "support/test_site.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr pl::ColorRef kInk = pl::Rgb(0, 255, 0);

class OverlaysTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetWithDefaults();
        ResetChartColours();
        ResetCatalogState();
        pl::ResetFontResources();
        InstallSymbolFont(folder.root());
    }
    void TearDown() override {
        FreeObjectIconBitmap();
        FreeChartPatches();
        ResetCatalogState();
        selectionList = nullptr;
        selectionCount = -1;
        ChartDrawTest::TearDown();
        pl::ResetFontResources();
    }
    // Texts drawn plain in `colour` at their places, on a fresh ground that stays the draw window.
    // Font -1 leaves the new context's own font.
    DrawWindowRecord* Texts(std::initializer_list<std::pair<const char*, pl::Point>> texts, pl::ColorRef colour,
                            int font = -1) {
        DrawWindowRecord* r = Ground(240, 320);
        if (font >= 0) SelectFont(font);
        SetForeColor(colour);
        SetTextColorRef(colour);
        for (const auto& [text, at] : texts) DrawPlainText(text, static_cast<int>(std::strlen(text)), at.x, at.y);
        return r;
    }
    // Pixels of `r` whose drawn / not drawn state differs from the keyed cell at (left, top).
    static int ShapeMismatches(const DrawWindowRecord* r, const BitmapPart& part, int left, int top) {
        std::vector<uint32_t> p;
        const pl::BitmapTemplate* b = pl::FindBitmapTemplate(part.id);
        if (!b || !pl::RenderBitmapTemplate(*b, &p)) return -1;
        int bad = 0;
        for (int y = 0; y < r->bottom; ++y)
            for (int x = 0; x < r->right; ++x) {
                int u = x - left, v = y - top;
                bool inside = u >= 0 && v >= 0 && u < part.width && v < part.height;
                bool expected = inside && p[static_cast<size_t>((part.y + v) * b->width + part.x + u)] != p[0];
                bad += (Pixel(r, x, y) != kGround) != expected;
            }
        return bad;
    }
    fixture::CatalogFolder folder;
    RecordingServices services;
};

// Column = offset[zoom] + size clamped to 0..12 (day 6, night 5, display
// scale 2: 4 at zoom 5); rows by colour band, row 2 at night; the strip by
// background, night mode and "Star Color"; the cell's corner at (x - 6, y - 6).
TEST_F(OverlaysTest, IconCellByZoomSizeColourAndStrip) {
    struct Case {
        int night, scheme, blackAndWhite;
        double scale;
        int zoom, size, colour, bitmap, column, row;
    } cases[] = {
        {0, 0, 0, 1, 5, 2, 0, 4104, 8, 2},  {0, 0, 0, 1, 0, 20, 0, 4104, 12, 2}, {0, 0, 0, 1, 13, -5, 0, 4104, 0, 2},
        {0, 0, 0, 1, 5, 0, -4, 4104, 6, 0}, {0, 0, 0, 1, 5, 0, -3, 4104, 6, 1},  {0, 0, 0, 1, 5, 0, -1, 4104, 6, 1},
        {0, 0, 0, 1, 5, 0, 3, 4104, 6, 3},  {0, 0, 0, 1, 5, 0, 7, 4104, 6, 4},   {0, 0, 0, 1, 5, 0, 8, 4104, 6, 5},
        {0, 0, 0, 1, 5, 0, 13, 4104, 6, 5}, {0, 0, 0, 1, 5, 0, 14, 4104, 6, 6},  {0, 2, 0, 1, 5, 0, 0, 4103, 6, 2},
        {0, 2, 1, 1, 5, 0, 0, 4106, 6, 2},  {0, 0, 1, 1, 5, 0, 9, 4105, 6, 5},   {0, 0, 0, 2, 5, 1, 0, 4104, 5, 2},
        {1, 0, 0, 1, 5, 1, 9, 4105, 6, 2},  {1, 2, 0, 2, 5, 1, 9, 4105, 5, 2},
    };
    for (const Case& c : cases) {
        preferences.word[kPrefChartBackground] = c.scheme;
        preferences.word[kPrefStarColor] = c.blackAndWhite;
        SetNightMode(c.night);
        SetScale(c.scale);
        FreeObjectIconBitmap();
        EXPECT_EQ(IconStripBitmap(), c.bitmap);
        DrawWindowRecord* r = Ground(40, 40);
        DrawObjectIcon(nullptr, c.zoom, c.size, c.colour, 20, 20);
        const BitmapPart cell{c.bitmap, c.column * 13, c.row * 13, 13, 13};
        // At night the strip is filtered red: its shape is compared.
        EXPECT_EQ(c.night ? ShapeMismatches(r, cell, 14, 14) : Mismatches(r, cell, 14, 14, true), 0)
            << c.bitmap << " " << c.zoom << " " << c.size << " " << c.colour;
    }
    SetNightMode(0);
    DrawWindowRecord* window = Ground(40, 40);
    DrawWindowRecord* surface = Ground(40, 40);
    DrawObjectIcon(surface, 5, 0, 0, 20, 20);
    EXPECT_EQ(Count(window, kGround), 1600);
    EXPECT_LT(Count(surface, kGround), 1600);
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
        const ChartColour& colour = c.scheme == 0 ? chartColours.entry[4] : chartColours.ink;
        int step = std::min(c.zoom, 9);
        if (c.objectWord >= 0) preferences.word[kPrefObjectLimitFirst + step] = c.objectWord;
        if (c.starWord >= 0) preferences.word[kPrefStarLimitFirst + step - 5] = c.starWord;
        DrawWindowRecord* r = Ground(240, 320);
        DrawFovLabel(10, 30, c.zoom);
        if (!c.first) {
            EXPECT_EQ(Count(r, kGround), 240 * 320);
            continue;
        }
        DrawWindowRecord* expected =
            Texts({{c.first, {11, 30}}, {c.second, {11, 40}}}, ChartColourRef(colour), 0);
        EXPECT_EQ(Differences(r, expected), 0) << c.zoom;
    }
}

// "AB-Wide", 25 mm, 52°, on 1660 mm (diameter row 8, f/10 row 6): m = 66.4,
// true field 52 x 60 / 66.4 = 46.99' -> radius 46 at 1 px per arcminute. A
// field of 1e30 px, or a damaged apparent field, draws nothing.
TEST_F(OverlaysTest, EyepieceCircleOfPreferenceRowOne) {
    folder.WriteDb("data\\zendavori_eyepiece.ppc", 1, 72,
                   {fixture::EyepieceBytes("AB", "Wide", 25.0f, 52), fixture::EyepieceBytes("CD", "Huge", 25.0f, 4000000000u)});
    preferences.word[kPrefFovEyepiece] = 1;
    preferences.word[kPrefEyepiece] = 1;
    preferences.word[kPrefDiameter] = 8;
    preferences.word[kPrefFRatio] = 6;
    DrawWindowRecord* r = Ground(240, 320);
    DrawEyepieceCircle(120, 160, 1.0f, kInk);
    DrawWindowRecord* expected = Texts({{"AB-Wide 66", {120, 160 - 46 - 8}}}, kInk);
    DrawCircle(120, 160, 46);
    EXPECT_EQ(Differences(r, expected), 0);
    struct Case {
        int row;
        float pixelsPerArcmin;
    } nothing[] = {{1, 1e30f}, {2, 1.0f}, {0, 1.0f}};
    for (const Case& c : nothing) {
        preferences.word[kPrefEyepiece] = c.row;
        r = Ground(240, 320);
        DrawEyepieceCircle(120, 160, c.pixelsPerArcmin, kInk);
        EXPECT_EQ(Count(r, kGround), 240 * 320) << c.row;
    }
}

// 22.20 x 14.80 mm at 1000 mm: 2 atan(11.1 / 1000) = 76.31', 2 atan(7.4 / 1000)
// = 50.88'. Without a focal length (word 53 = 0) the telescope's 1660 mm.
TEST_F(OverlaysTest, SensorFrameAndItsSides) {
    preferences.word[49] = 2220;
    preferences.word[50] = 1480;
    preferences.word[53] = 1000;
    DrawWindowRecord* r = Ground(240, 320);
    DrawSensorFrame(120, 160, 1.0f, kInk);
    DrawWindowRecord* expected = Texts({{"76'18''", {120, 212}}, {"50'52''", {198, 160}}}, kInk);
    DrawRectangleOutline(XywhRect{44, 110, 152, 100});
    EXPECT_EQ(Differences(r, expected), 0);
    DrawWindowRecord* frames[2];
    for (int i = 0; i < 2; ++i) {
        preferences.word[kPrefDiameter] = 8;
        preferences.word[kPrefFRatio] = 6;
        preferences.word[53] = i == 0 ? 0 : 1660;
        frames[i] = Ground(240, 320);
        DrawSensorFrame(120, 160, 1.0f, kInk);
    }
    EXPECT_EQ(Differences(frames[0], frames[1]), 0);
    EXPECT_GT(Differences(frames[0], r), 0);
}

// 2000-01-01 12:00 UT at longitude 0: GMST 18.6974 h (Meeus, example 12.a's
// formula) reads LST:18:41, not 12 h more. "Hide InfoBar" leaves the dials.
TEST_F(OverlaysTest, SkyMapStatusShowsTheSiderealTimePast12Hours) {
    SetTestSite(51, 0, 0);
    BuildSkyRotation(2000, 1, 1, 12, 0, 0);
    skyRotation.year = 2000;
    skyRotation.month = skyRotation.day = 1;
    skyRotation.hour = 12;
    skyRotation.minute = 0;
    char date[16];
    FormatDateShort(date, sizeof date, 1, 1, 2000);
    const std::string line = std::string(date) + " 12:00  LST:18:41";
    DrawWindowRecord* r = Ground(240, 320);
    DrawSkyMapStatus(XywhRect{0, 21, 240, 299}, nullptr, 0, 0, 0, 0);
    DrawWindowRecord* expected = Ground(240, 320);
    SetBackColor(ChartColourRef(chartColours.background));
    SetTextColorRef(ChartColourRef(chartColours.entry[4]));
    DrawPlainText(line.c_str(), static_cast<int>(line.size()), 57, 298);
    const int width = CharsWidth(line.c_str(), static_cast<int>(line.size()));
    int different = 0;
    for (int y = 298; y < 306; ++y)
        for (int x = 57; x < 57 + width; ++x) different += Pixel(r, x, y) != Pixel(expected, x, y);
    EXPECT_EQ(different, 0);
    preferences.word[kPrefHideInfoBar] = 1;
    r = Ground(240, 320);
    DrawSkyMapStatus(XywhRect{0, 21, 240, 299}, nullptr, 0, 0, 0, 0);
    int text = 0, dials = 0;
    for (int y = 289; y < 320; ++y)
        for (int x = 0; x < 240; ++x) (x < 48 ? dials : text) += Pixel(r, x, y) != kGround;
    EXPECT_EQ(text, 0);
    EXPECT_GT(dials, 0);
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
    DrawWindowRecord* r = Ground(240, 320);
    DrawImageMarker(0, 21, 0);
    DrawWindowRecord* expected = Ground(240, 320);
    DrawBitmap(3030, 0, 21);
    EXPECT_EQ(Differences(r, expected), 0);
    folder.WriteRaw("img\\messier\\M31.jpg", {0xFF, 0xD8});
    r = Ground(240, 320);
    DrawImageMarker(0, 21, 0);
    SetDrawWindow(expected);
    DrawBitmapMasked(1941, 0, 21);
    EXPECT_EQ(Differences(r, expected), 0);
    folder.Remove("img\\messier\\M31.jpg");
    SetScale(1);
    r = Ground(240, 320);
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
