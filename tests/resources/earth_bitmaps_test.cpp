// The Earth bitmaps show land and sea where they are: four places checked in
// each picture at the place's pixel (sea: blue above red; in the land halves,
// sea is the transparent white).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/resources.h"
#include "resources/earth_bitmaps.h"
#include "resources/program_resources.h"

namespace {

struct Place {
    double latitude, eastLongitude;
    bool land;
};
// Gulf of Guinea, Libyan desert, Colorado, South Atlantic.
constexpr Place kPlaces[] = {{0, 0, false}, {25, 15, true}, {40, -100, true}, {-30, -30, false}};

std::vector<uint32_t> Pixels(int id, int* width) {
    InstallProgramResources();
    const pl::BitmapTemplate* t = pl::FindBitmapTemplate(id);
    EXPECT_NE(t, nullptr) << id;
    std::vector<uint32_t> pixels;
    if (t && pl::RenderBitmapTemplate(*t, &pixels)) *width = t->width;
    return pixels;
}

bool Blue(uint32_t rgb) { return (rgb & 0xFF) > (rgb >> 16 & 0xFF) + 8; }

// Equirectangular pictures covering the whole Earth (or one half, `half`
// 0 west, 1 east, of one that is twice as wide).
TEST(EarthBitmaps, LandAndSeaInEveryPicture) {
    const struct {
        int id, half;
    } pictures[] = {{1221, -1}, {6010, -1}, {6042, 0}, {6043, 1}, {6044, 0}, {6045, 1}};
    for (auto [id, half] : pictures) {
        int w = 0;
        std::vector<uint32_t> p = Pixels(id, &w);
        ASSERT_FALSE(p.empty()) << id;
        const int h = static_cast<int>(p.size()) / w, fullWidth = half < 0 ? w : 2 * w;
        for (const Place& place : kPlaces) {
            int x = static_cast<int>((place.eastLongitude + 180) / 360 * fullWidth) - (half > 0 ? w : 0);
            if (x < 0 || x >= w) continue;
            int y = static_cast<int>((90 - place.latitude) / 180 * h);
            EXPECT_EQ(!Blue(p[y * w + x]), place.land) << id << " at " << place.latitude << " " << place.eastLongitude;
        }
    }
}

// The eclipse map's halves, 6.708333 pixels per degree of longitude from 180 W
// and 6.705556 per degree of latitude from 90 N; pixel (0, 0) is sea.
TEST(EarthBitmaps, LandHalvesOfTheEclipseMap) {
    int w = 0;
    std::vector<uint32_t> west = Pixels(6015, &w), east = Pixels(6016, &w);
    ASSERT_EQ(w, 1207);
    EXPECT_EQ(west[0], 0xFFFFFFu);
    EXPECT_EQ(east[0], 0xFFFFFFu);
    for (const Place& place : kPlaces) {
        int x = static_cast<int>((180 + place.eastLongitude) * 6.708333333333334);
        int y = static_cast<int>((90 - place.latitude) * 6.705555555555556);
        const std::vector<uint32_t>& half = x < 1207 ? west : east;
        uint32_t pixel = half[y * 1207 + (x < 1207 ? x : x - 1207)];
        EXPECT_EQ(pixel, place.land ? kEarthMaskLand : 0xFFFFFFu) << place.latitude << " " << place.eastLongitude;
    }
}

// No texel of the globe textures is black (the globe's transparent value).
TEST(EarthBitmaps, TexturesHaveNoBlackTexel) {
    for (int id : {6042, 6043, 6044, 6045}) {
        int w = 0;
        for (uint32_t rgb : Pixels(id, &w)) ASSERT_NE(rgb & 0xF8F8F8, 0u) << id;
    }
}

}  // namespace
