// The globe renderer on synthetic maps: its size, transparency, mirrors and
// turn, the limb, and one geometry shared by the map and the point routines.
#include "assistants/globe_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "assistants/globe_transform.h"
#include "assistants/mars_view.h"
#include "catalog/databases.h"
#include "catalog/record_db.h"
#include "platform/resources.h"
#include "support/catalog_fixture.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"

namespace {

constexpr uint16_t kGround = 0x0421;
constexpr uint32_t kCap = 0xFF00FF;
constexpr uint32_t kKey = 0x00FF00;  // 5-5-5: 0x03E0

// Texture points carrying a 7 x 7 marker of their own colour (0xF8, 8 (m + 1), 0xF8).
struct Marker {
    double lon, lat;
};
constexpr Marker kMarkers[] = {{-100, 10}, {-30, -40}, {20, 30}, {75, -5}, {150, 50}, {-160, -60}, {0, 45}, {111, 20}};
constexpr int kMarkerCount = sizeof kMarkers / sizeof kMarkers[0];

uint32_t MarkerColour(int m) { return 0xF800F8 | static_cast<uint32_t>(8 * (m + 1)) << 8; }
uint16_t To555(uint32_t rgb) {
    return static_cast<uint16_t>((rgb >> 19 & 31) << 10 | (rgb >> 11 & 31) << 5 | (rgb >> 3 & 31));
}
// Band k (k = 0..11) holds the longitudes within 15 degrees of -180 + 30 k.
uint32_t BandColour(int k) { return static_cast<uint32_t>(8 * (k + 4)) << 16 | static_cast<uint32_t>(8 * (20 - k)) << 8 | 64; }
int BandOf(uint16_t pixel) {
    for (int k = 0; k < 12; ++k)
        if (To555(BandColour(k)) == pixel) return k;
    return -1;
}

// Map half `Half` of a 640 x 320 map: longitude bands, a cap above 85.5
// degrees, the markers, and black (0) texels at latitudes -30..-20 between
// longitudes 0 and 30.
template <int Half>
void BandMap(uint32_t* p, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double lon = -180 + (Half * w + x + 0.5) * 360 / (2 * w), lat = 90 - (y + 0.5) * 180 / h;
            uint32_t c = BandColour(static_cast<int>(std::floor((lon + 195) / 30)) % 12);
            if (y < 8) c = kCap;
            if (lat > -30 && lat < -20 && lon > 0 && lon < 30) c = 0;
            p[y * w + x] = c;
        }
    for (int m = 0; m < kMarkerCount; ++m) {
        int cx = static_cast<int>((kMarkers[m].lon + 180) * 2 * w / 360) - Half * w;
        int cy = static_cast<int>((90 - kMarkers[m].lat) * h / 180);
        for (int y = cy - 3; y <= cy + 3; ++y)
            for (int x = cx - 3; x <= cx + 3; ++x)
                if (x >= 0 && x < w) p[y * w + x] = MarkerColour(m);
    }
}

// Key colour everywhere but the texel of longitude +90 on the equator (column
// 160, row 160 of the second half), which is white.
template <int Half>
void LimbOnly(uint32_t* p, int w, int h) {
    for (int i = 0; i < w * h; ++i) p[i] = kKey;
    if (Half == 1) p[160 * w + 160] = 0xFFFFFF;
}

constexpr pl::BitmapTemplate kMaps[] = {
    {7012, 320, 320, {}, {}, BandMap<0>}, {7013, 320, 320, {}, {}, BandMap<1>},
    {7030, 320, 320, {}, {}, LimbOnly<0>}, {7031, 320, 320, {}, {}, LimbOnly<1>},
    {7040, 320, 320, {}, {}, BandMap<0>},  // no second half
};
constexpr pl::ResourceGroup kMapGroup = {.bitmaps = kMaps};

class GlobeTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        pl::AddResourceGroup(kMapGroup);
        globeTransform.mirrorMode = 0;
    }
    void TearDown() override {
        globeTransform.mirrorMode = 0;
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    // The band map drawn on a 200 x 200 ground, centred at (100, 100).
    DrawWindowRecord* Globe(float a1, float a2, float a3, int mirror = 0, int sizeFlag = 1, int id = 7012) {
        DrawWindowRecord* r = DibWindow(200, 200);
        Fill(r, kGround);
        globeTransform.mirrorMode = static_cast<int16_t>(mirror);
        EXPECT_EQ(DrawMapOnSphere(id, 0, 100, 100, sizeFlag, a1, a2, a3, 30.0f, -1, pl::Rgb(231, 134, 9)), 1);
        return r;
    }
    // Bounding box of the drawn pixels: left, top, right, bottom (exclusive).
    static std::array<int, 4> Extent(const DrawWindowRecord* r) {
        std::array<int, 4> e{r->right, r->bottom, 0, 0};
        for (int y = 0; y < r->bottom; ++y)
            for (int x = 0; x < r->right; ++x)
                if (Pixel(r, x, y) != kGround)
                    e = {std::min(e[0], x), std::min(e[1], y), std::max(e[2], x + 1), std::max(e[3], y + 1)};
        return e;
    }
    // Centroid of the pixels of a colour; false when fewer than two.
    static bool Centroid(const DrawWindowRecord* r, uint16_t colour, double* x, double* y) {
        double sx = 0, sy = 0;
        int n = 0;
        for (int j = 0; j < r->bottom; ++j)
            for (int i = 0; i < r->right; ++i)
                if (Pixel(r, i, j) == colour) sx += i, sy += j, ++n;
        if (n < 2) return false;
        *x = sx / n, *y = sy / n;
        return true;
    }
    RecordingServices services;
};

// colourKey -1: R = 8 x 320 / 32 - 4 = 76 (a 152 x 152 picture at 24, 24)
// whatever the radius argument, 66 with sizeFlag 0; black texels and the
// black disc outline never show (so the top row of the picture stays empty).
TEST_F(GlobeTest, SizeFromTheMapHeightAndBlackNeverShown) {
    DrawWindowRecord* big = Globe(0, 0, 0);
    EXPECT_EQ(Extent(big), (std::array<int, 4>{24, 25, 176, 176}));
    EXPECT_EQ(globeTransform.radius, 76);
    DrawWindowRecord* small = Globe(0, 0, 0, 0, 0);
    EXPECT_EQ(Extent(small), (std::array<int, 4>{34, 35, 166, 166}));
    DrawWindowRecord* dark = Globe(-15, 0, 20);  // the black texels face the viewer
    EXPECT_EQ(Count(dark, 0), 0);
    EXPECT_TRUE(services.messages.empty());
}

// mirrorMode 2 is the plain picture turned by a half turn, 1 and 3 its mirrors
// top-bottom and left-right, each pixel within one pixel (negative scales
// round the other way).
TEST_F(GlobeTest, MirrorModesMirrorAndTurnThePicture) {
    DrawWindowRecord* plain = Globe(40, 25, -15);
    const int flips[3][2] = {{0, 1}, {1, 1}, {1, 0}};  // mirror modes 1, 2, 3: flip x, flip y
    for (int mode = 1; mode <= 3; ++mode) {
        DrawWindowRecord* mirrored = Globe(40, 25, -15, mode);
        int drawn = 0, matched = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                uint16_t v = Pixel(mirrored, x, y);
                if (v == kGround) continue;
                ++drawn;
                int px = flips[mode - 1][0] ? 199 - x : x, py = flips[mode - 1][1] ? 199 - y : y;
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy)
                    for (int dx = -1; dx <= 1 && !found; ++dx) found = Pixel(plain, px + dx, py + dy) == v;
                matched += found;
            }
        EXPECT_GT(drawn, 17000) << mode;
        EXPECT_GE(matched, drawn * 98 / 100) << mode;
    }
}

// A1 = 90 brings longitude -90 (band 3) to the centre; A1 = 0 longitude 0 (band 6).
TEST_F(GlobeTest, FirstAngleTurnsTheGlobeAboutItsAxis) {
    EXPECT_EQ(BandOf(Pixel(Globe(90, 0, 0), 100, 100)), 3);
    EXPECT_EQ(BandOf(Pixel(Globe(0, 0, 0), 100, 100)), 6);
    EXPECT_EQ(BandOf(Pixel(Globe(-60, 0, 0), 100, 100)), 8);
}

// With a colour key the radius argument counts and keyed texels are left out;
// the texel on the limb is drawn. The white texel of longitude +90 on the
// equator stays on the limb when the pole tilts; a turn and a tilt are searched
// that give it a depth of exactly 0 (the 5.11 sines step by 2 or more).
TEST_F(GlobeTest, KeyedTexelsLeftOutAndTheLimbDrawn) {
    int16_t px, py, pz;
    GlobeUnitVector(0, 3217, &px, &py, &pz);
    auto degrees = [](int units) { return static_cast<float>((units * 8192.0 + 4096) / 292817.658518); };
    float turn = 99, tilt = 99;
    for (int a1 = -12; a1 <= 12 && turn == 99; ++a1)
        for (int a3 = -1200; a3 <= 1200 && turn == 99; a3 += 3) {
            GlobeTransform t{};
            SetGlobeRotation(&t, DegreesToFix11(degrees(a1)), 0, DegreesToFix11(degrees(a3)));
            if (ProjectGlobeVector(t, px, py, pz).depth == 0) turn = degrees(a1), tilt = degrees(a3);
        }
    ASSERT_NE(turn, 99);
    DrawWindowRecord* r = DibWindow(100, 100);
    Fill(r, kGround);
    ASSERT_EQ(DrawMapOnSphere(7030, 0, 50, 50, 1, turn, 0, tilt, 40.0f, To555(kKey), pl::Rgb(231, 134, 9)), 1);
    EXPECT_EQ(globeTransform.radius, 40);
    EXPECT_EQ(Count(r, To555(kKey)), 0);
    EXPECT_EQ(Count(r, 0x7FFF), 1);
}

// A missing half: "Can't alloc DrawMapOnSphere", 0, nothing drawn.
TEST_F(GlobeTest, MissingHalfIsReportedAndNothingDrawn) {
    DrawWindowRecord* r = DibWindow(200, 200);
    Fill(r, kGround);
    for (int id : {7040, 7050}) {
        EXPECT_EQ(DrawMapOnSphere(id, 0, 100, 100, 1, 0, 0, 0, 0, -1, pl::Rgb(231, 134, 9)), 0);
        EXPECT_EQ(Count(r, kGround), 200 * 200);
    }
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[0].text, "Can't alloc DrawMapOnSphere");
}

// The mended geometry: for every combination of turn, position angle and tilt,
// ProjectOnGlobe(lon, b) lands within 2 pixels of the drawn marker of the
// texture point (-lon, b), and a point it reports hidden has no marker drawn
// more than a degree or two inside the limb.
TEST_F(GlobeTest, PointsLandOnTheirDrawnMarkers) {
    int checked = 0;
    for (float a1 : {0.0f, 111.55f})
        for (float a2 : {0.0f, 30.0f})
            for (float a3 : {0.0f, 20.0f, -20.0f}) {
                DrawWindowRecord* r = Globe(a1, a2, a3);
                for (int m = 0; m < kMarkerCount; ++m) {
                    double cx = 0, cy = 0;
                    int x = -1, y = -1;
                    bool drawn = Centroid(r, To555(MarkerColour(m)), &cx, &cy);
                    int visible = ProjectOnGlobe(&x, &y, 100, 100, static_cast<float>(-kMarkers[m].lon),
                                                 static_cast<float>(kMarkers[m].lat));
                    SCOPED_TRACE(testing::Message() << a1 << " " << a2 << " " << a3 << " marker " << m);

                    if (visible && drawn) {
                        EXPECT_LE(std::hypot(x - cx, y - cy), 2.0);
                        ++checked;
                    } else if (drawn) {
                        EXPECT_GE(std::hypot(cx - 100, cy - 100), 72.0);  // only at the limb
                    }
                }
            }
    EXPECT_GE(checked, 36);
}

// A tap on a region's drawn place names that region: one region (types 3, 4,
// 9 in turn) on each marker, and a mons on the first one, which is skipped.
TEST_F(GlobeTest, TapOnARegionsDrawnPlaceNamesIt) {
    fixture::CatalogFolder folder;
    ResetCatalogState();
    std::vector<fixture::Bytes> records;
    MarsFeatureRecord mons{"Mons", 1, 0, 0, 600, static_cast<float>(kMarkers[0].lat),
                           static_cast<float>(kMarkers[0].lon)};
    records.push_back(fixture::MarsBytes(mons));
    for (int m = 0; m < kMarkerCount; ++m) {
        MarsFeatureRecord f{"", static_cast<int16_t>(m % 3 == 2 ? 9 : 3 + m % 3), 0, 0, 1500,
                            static_cast<float>(kMarkers[m].lat), static_cast<float>(kMarkers[m].lon)};
        std::snprintf(f.name, sizeof f.name, "Region %d", m);
        records.push_back(fixture::MarsBytes(f));
    }
    folder.WriteDb("data\\zendavori_mars.ppc", 1, 36, records);
    ASSERT_TRUE(OpenRecordDb(&marsDb, "pl00", "ZDV1", "data\\", "zendavori_mars.ppc"));
    int picked = 0;
    for (float a1 : {0.0f, 111.55f})
        for (float a3 : {0.0f, 20.0f, -20.0f}) {
            DrawWindowRecord* r = Globe(a1, 30, a3);
            for (int m = 0; m < kMarkerCount; ++m) {
                double cx = 0, cy = 0;
                int x, y;
                if (!Centroid(r, To555(MarkerColour(m)), &cx, &cy) ||
                    !ProjectOnGlobe(&x, &y, 100, 100, static_cast<float>(-kMarkers[m].lon),
                                    static_cast<float>(kMarkers[m].lat)))
                    continue;
                MarsFeatureRecord found{};
                SCOPED_TRACE(testing::Message() << a1 << " " << a3 << " marker " << m);
                ASSERT_EQ(PickMarsGlobeFeature(&found, 100, 100, static_cast<int>(cx), static_cast<int>(cy)), 1);
                EXPECT_EQ(std::string(found.name), "Region " + std::to_string(m));
                ++picked;
            }
            MarsFeatureRecord none{};
            EXPECT_EQ(PickMarsGlobeFeature(&none, 100, 100, 0, 0), 0);
        }
    EXPECT_GE(picked, 18);
    ResetCatalogState();
}

// The tapped region's name was written in white also in night mode, light
// that the night's reds exist to keep off the screen: it is the night pen's
// red ((204, 0, 0) in mode 3, "Bright"), and no pixel turns white.
TEST_F(GlobeTest, TappedRegionNameWasWhiteAtNight) {
    fixture::CatalogFolder folder;
    ResetCatalogState();
    MarsFeatureRecord f{"Region", 3, 0, 0, 1500, static_cast<float>(kMarkers[6].lat), static_cast<float>(kMarkers[6].lon)};
    folder.WriteDb("data\\zendavori_mars.ppc", 1, 36, {fixture::MarsBytes(f)});
    ASSERT_TRUE(OpenRecordDb(&marsDb, "pl00", "ZDV1", "data\\", "zendavori_mars.ppc"));
    double cx = 0, cy = 0;  // the region's place, from its marker drawn by day
    ASSERT_TRUE(Centroid(Globe(0, 30, 0), To555(MarkerColour(6)), &cx, &cy));
    SetNightMode(3);
    DrawWindowRecord* r = Globe(0, 30, 0);
    const auto count = [r](uint16_t pixel) {
        int n = 0;
        for (int y = 0; y < r->bottom; ++y)
            for (int x = 0; x < r->right; ++x) n += Pixel(r, x, y) == pixel;
        return n;
    };
    const int white = count(0x7FFF), red = count(To555(0xCC0000));
    MarsFeatureRecord found{};
    ASSERT_EQ(PickMarsGlobeFeature(&found, 100, 100, static_cast<int>(cx), static_cast<int>(cy)), 1);
    EXPECT_GT(count(To555(0xCC0000)), red + 10);
    EXPECT_EQ(count(0x7FFF), white);
    ResetCatalogState();
}

}  // namespace
