// Bitmaps of the Earth, made from the picture of earth_map_data.cpp (NASA
// Visible Earth; scripts/tables/earth_maps.py):
//   1221, 6010   the small world maps, 240 x 120, 1.5 degrees a pixel: sea
//                kEarthSeaColour and land kEarthLandColour, coasts blended by the
//                land fraction of the pixel (the two are the same picture)
//   6015, 6016   the land of the eclipse world map, 1207 x 1207 each, the west
//                (from 180 W) and the east half of a 2415 x 1207 map of 6.708333
//                pixels per degree of longitude and 6.705556 of latitude: land
//                kEarthMaskLand, sea white, so that pixel (0, 0), kept sea,
//                makes the sea transparent
//   6042, 6043   the globe texture, 460 x 460 halves (longitudes -180..0 and
//                0..180, north at the top), 16 colours, no pixel black (0 is the
//                globe drawing's transparent value)
//   6044, 6045   the same at 230 x 230 (2 x 2 averages)
#include <cstdint>
#include <string>
#include <vector>

#include "resources/earth_bitmaps.h"
#include "resources/earth_map_data.h"
#include "resources/program_resources.h"

namespace {

constexpr double kMapPixelsPerLongitude = 6.708333333333334;
constexpr double kMapPixelsPerLatitude = 6.705555555555556;
constexpr int kMapHalf = 1207;
constexpr uint32_t kSea = 0xFFFFFF;

std::vector<uint8_t> DecodeBase64(const char* text) {
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> out;
    uint32_t bits = 0;
    int count = 0;
    for (const char* c = text; *c && *c != '='; ++c) {
        bits = bits << 6 | static_cast<uint32_t>(alphabet.find(*c));
        if ((count += 6) >= 8) out.push_back(static_cast<uint8_t>(bits >> (count -= 8)));
    }
    return out;
}

// 1 for land, row after row.
const std::vector<uint8_t>& LandMask() {
    static const std::vector<uint8_t> mask = [] {
        std::vector<uint8_t> bytes = DecodeBase64(kEarthMaskRuns), out;
        out.reserve(static_cast<size_t>(kEarthMaskWidth) * kEarthMaskHeight);
        uint8_t land = 0;
        size_t i = 0;
        int column = 0;
        while (i < bytes.size() && out.size() < out.capacity()) {
            uint32_t run = 0;
            for (int shift = 0; i < bytes.size(); shift += 7) {
                run |= static_cast<uint32_t>(bytes[i] & 127) << shift;
                if (!(bytes[i++] & 128)) break;
            }
            out.insert(out.end(), run, land);
            column += static_cast<int>(run);
            land = column >= kEarthMaskWidth ? 0 : !land;
            if (column >= kEarthMaskWidth) column = 0;
        }
        out.resize(out.capacity(), 0);
        return out;
    }();
    return mask;
}

const std::vector<uint32_t>& Texture() {
    static const std::vector<uint32_t> texture = [] {
        std::vector<uint8_t> bytes = DecodeBase64(kEarthTextureRuns);
        std::vector<uint32_t> out;
        out.reserve(static_cast<size_t>(kEarthTextureWidth) * kEarthTextureHeight);
        for (uint8_t b : bytes) {
            uint32_t rgb = kEarthTexturePalette[b >> 4];
            // Every channel below 8 would be 0 in 5 bits: the globe's transparent value.
            if ((rgb & 0xF8F8F8) == 0) rgb |= 0x08;
            out.insert(out.end(), (b & 15) + 1u, rgb);
        }
        out.resize(out.capacity(), kEarthTexturePalette[0] | 0x08);
        return out;
    }();
    return texture;
}

bool MaskAt(double eastLongitude, double latitude) {
    int x = static_cast<int>((eastLongitude + 180) / 360 * kEarthMaskWidth);
    int y = static_cast<int>((90 - latitude) / 180 * kEarthMaskHeight);
    x = ((x % kEarthMaskWidth) + kEarthMaskWidth) % kEarthMaskWidth;
    y = y < 0 ? 0 : y >= kEarthMaskHeight ? kEarthMaskHeight - 1 : y;
    return LandMask()[static_cast<size_t>(y) * kEarthMaskWidth + x] != 0;
}

// Half `Half` (0 west, 1 east) of the eclipse world map's land.
template <int Half>
void LandHalf(uint32_t* p, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double lon = -180 + (Half * kMapHalf + x + 0.5) / kMapPixelsPerLongitude;
            double lat = 90 - (y + 0.5) / kMapPixelsPerLatitude;
            p[y * w + x] = (x || y) && MaskAt(lon, lat) ? kEarthMaskLand : kSea;
        }
}

uint32_t Blend(uint32_t a, uint32_t b, double f) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        double ca = a >> shift & 255, cb = b >> shift & 255;
        out |= static_cast<uint32_t>(ca + (cb - ca) * f + 0.5) << shift;
    }
    return out;
}

void SmallMap(uint32_t* p, int w, int h) {
    const int bx = kEarthMaskWidth / w, by = kEarthMaskHeight / h;
    const std::vector<uint8_t>& mask = LandMask();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int x0 = x * kEarthMaskWidth / w, y0 = y * kEarthMaskHeight / h, land = 0;
            for (int j = 0; j < by; ++j)
                for (int i = 0; i < bx; ++i) land += mask[static_cast<size_t>(y0 + j) * kEarthMaskWidth + x0 + i];
            p[y * w + x] = Blend(kEarthSeaColour, kEarthLandColour, static_cast<double>(land) / (bx * by));
        }
}

// Half `Half` of the globe texture, averaged over Step x Step texels.
template <int Half, int Step>
void TextureHalf(uint32_t* p, int w, int h) {
    const std::vector<uint32_t>& t = Texture();
    const int half = kEarthTextureWidth / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t sum[3] = {0, 0, 0};
            for (int j = 0; j < Step; ++j)
                for (int i = 0; i < Step; ++i) {
                    uint32_t c = t[static_cast<size_t>(y * Step + j) * kEarthTextureWidth + Half * half + x * Step + i];
                    for (int k = 0; k < 3; ++k) sum[k] += c >> (16 - 8 * k) & 255;
                }
            uint32_t rgb = 0;
            for (int k = 0; k < 3; ++k) rgb |= sum[k] / (Step * Step) << (16 - 8 * k);
            p[y * w + x] = (rgb & 0xF8F8F8) ? rgb : rgb | 0x08;
        }
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    {1221, 240, 120, {}, {}, SmallMap},
    {6010, 240, 120, {}, {}, SmallMap},
    {6015, kMapHalf, kMapHalf, {}, {}, LandHalf<0>},
    {6016, kMapHalf, kMapHalf, {}, {}, LandHalf<1>},
    {6042, 460, 460, {}, {}, TextureHalf<0, 1>},
    {6043, 460, 460, {}, {}, TextureHalf<1, 1>},
    {6044, 230, 230, {}, {}, TextureHalf<0, 2>},
    {6045, 230, 230, {}, {}, TextureHalf<1, 2>},
};

}  // namespace

const pl::ResourceGroup kEarthBitmapResources = {.bitmaps = kBitmaps};
