// Bitmaps of the drawing layer: 28 x 28 Moon phase icons on a black square,
// 6080 + i for the phase index i = 0..12 of the date and time form's
// calendar. 6080 is the new Moon; 6081 + k (k = 0..5) wax with an illuminated
// fraction of (k + 0.5) / 6, lit on the right; 6092 - k (k = 0..5) wane with
// (k + 0.5) / 6, lit on the left. The busy indicator's ten frames are
// 6081..6090: drawn in turn they show the Moon going through its phases. The
// Moon assistant's calendar adds the full Moon 6094 and the new Moon 6095.
#include <cmath>

#include "resources/program_resources.h"

namespace {

constexpr int kIconSide = 28;
constexpr uint32_t kSky = 0x000000;
constexpr uint32_t kLit = 0xE6E6D2;
constexpr uint32_t kDark = 0x3C3C46;

// The icon of illuminated fraction f, lit on the right when waxing.
void DrawMoonIcon(uint32_t* pixels, int width, int height, double f, bool waxing) {
    double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0, r = width / 2.0 - 1.5;
    double k = 2 * f - 1;  // the terminator's half-width over the limb's, signed
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double u = (x - cx) / r, v = (y - cy) / r;
            uint32_t colour = kSky;
            if (u * u + v * v <= 1.0) {
                double limb = std::sqrt(1.0 - v * v);
                colour = (waxing ? u : -u) > -k * limb ? kLit : kDark;
            }
            pixels[y * width + x] = colour;
        }
    }
}

template <int Id>
void MoonFrame(uint32_t* pixels, int width, int height) {
    bool waxing = Id <= 6086;
    double k = waxing ? Id - 6081 : 6092 - Id;
    double f = Id == 6080 || Id == 6095 ? 0.0 : Id == 6094 ? 1.0 : (k + 0.5) / 6;
    DrawMoonIcon(pixels, width, height, f, waxing);
}

constexpr pl::BitmapTemplate Frame(int id, void (*generate)(uint32_t*, int, int)) {
    return pl::BitmapTemplate{id, kIconSide, kIconSide, {}, {}, generate};
}

constexpr pl::BitmapTemplate kBitmaps[] = {
    Frame(6080, MoonFrame<6080>), Frame(6081, MoonFrame<6081>), Frame(6082, MoonFrame<6082>),
    Frame(6083, MoonFrame<6083>), Frame(6084, MoonFrame<6084>), Frame(6085, MoonFrame<6085>),
    Frame(6086, MoonFrame<6086>), Frame(6087, MoonFrame<6087>), Frame(6088, MoonFrame<6088>),
    Frame(6089, MoonFrame<6089>), Frame(6090, MoonFrame<6090>), Frame(6091, MoonFrame<6091>),
    Frame(6092, MoonFrame<6092>), Frame(6094, MoonFrame<6094>), Frame(6095, MoonFrame<6095>),
};

}  // namespace

const pl::ResourceGroup kUiResources = {.bitmaps = kBitmaps};
