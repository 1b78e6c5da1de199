#include "assistants/globe_view.h"

#include <cstring>
#include <vector>

#include "assistants/globe_transform.h"
#include "core/fixed_trig.h"
#include "core/services.h"
#include "platform/drawing.h"
#include "platform/gdi.h"
#include "ui/bitmaps.h"
#include "ui/offscreen.h"

namespace {

// Cosines and sines of the 2W longitudes -180 .. just under +180 degrees.
struct LongitudeTable {
    std::vector<int16_t> cosine, sine;
    explicit LongitudeTable(int width) : cosine(2 * width), sine(2 * width) {
        for (int i = 0; i < 2 * width; ++i)
            FixSinCos11(static_cast<int16_t>((12868 * i) / (2 * width) - 6434), &cosine[i], &sine[i]);
    }
};

// The 2R x 2R picture: pixels 0, the disc filled in its colour with the
// context's default (black) pen.
DrawWindowRecord* DiscPicture(int radius, pl::ColorRef discColour) {
    DrawWindowRecord* out = CreateOffscreenDib(2 * radius, 2 * radius, 16);
    if (!out || !out->dibBits) {
        DeleteOffscreenWindow(out);
        return nullptr;
    }
    std::memset(out->dibBits, 0, static_cast<size_t>(out->stride) * out->bottom);
    pl::Hbrush brush = pl::CreateSolidBrush(discColour);
    pl::Hbrush previous = pl::SelectObject(out->dc, brush);
    pl::RoundRect(out->dc, 0, 0, 2 * radius, 2 * radius, 2 * radius, 2 * radius);
    pl::SelectObject(out->dc, previous);
    pl::DeleteObject(brush);
    out->transparentColor = 0;
    return out;
}

// Splats one map half whose columns are table entries first .. first + W - 1.
void SplatHalf(const DrawWindowRecord& half, const LongitudeTable& table, int first, int colourKey,
               DrawWindowRecord* out) {
    const GlobeTransform& t = globeTransform;
    const int size = 2 * t.radius;
    float step = static_cast<float>(12867.963509103796 / (2 * half.bottom));
    float phi = -(half.bottom * step) / 2;
    for (int row = 0; row < half.bottom; ++row, phi += step) {
        int16_t cosPhi, sinPhi;
        FixSinCos11(static_cast<int16_t>(phi), &cosPhi, &sinPhi);
        const int16_t pz = static_cast<int16_t>(-sinPhi);
        const uint8_t* texel = DibPixelAddress(half, 0, row);
        for (int i = 0; i < half.right; ++i, texel += 2) {
            uint16_t value = ReadPixel16(texel);
            if (colourKey >= 0 && value == colourKey) continue;
            int16_t px = static_cast<int16_t>((table.cosine[first + i] * cosPhi) >> 11);
            int16_t py = static_cast<int16_t>((table.sine[first + i] * cosPhi) >> 11);
            GlobeOffset o = ProjectGlobeVector(t, px, py, pz);
            if (o.depth >= 1) continue;
            int x = t.radius + o.right, y = t.radius - o.up;
            if (x >= 0 && y >= 0 && x < size && y < size) WritePixel16(DibPixelAddress(*out, x, y), value);
        }
    }
}

int CannotDraw(DrawWindowRecord* half, DrawWindowRecord* out) {
    DeleteOffscreenWindow(half);
    DeleteOffscreenWindow(out);
    ShowInformation("Can't alloc DrawMapOnSphere", "");
    return 0;
}

}  // namespace

int DrawMapOnSphere(int textureId, int /*secondId*/, int centreX, int centreY, int sizeFlag, float a1, float a2,
                    float a3, float radius, int colourKey, pl::ColorRef discColour) {
    DrawWindowRecord* half = LoadBitmapResource16(textureId);
    if (!half || !half->dibBits) return CannotDraw(half, nullptr);
    const int width = half->right, height = half->bottom;
    int r = colourKey >= 0 ? static_cast<int>(radius) : ((sizeFlag ? 8 : 7) * height) / 32 - 4;
    SetGlobeScales(&globeTransform, r);
    DrawWindowRecord* out = r > 0 ? DiscPicture(r, discColour) : nullptr;
    if (!out) return CannotDraw(half, nullptr);
    SetGlobeRotation(&globeTransform, DegreesToFix11(a1), DegreesToFix11(a2), DegreesToFix11(a3));
    LongitudeTable table(width);
    SplatHalf(*half, table, 0, colourKey, out);
    DeleteOffscreenWindow(half);
    half = LoadBitmapResource16(textureId + 1);
    if (!half || !half->dibBits || half->right != width || half->bottom != height) return CannotDraw(half, out);
    SplatHalf(*half, table, width, colourKey, out);
    DeleteOffscreenWindow(half);
    CopyRectangle(out, GetDrawWindow(), XywhRect{0, 0, 2 * r, 2 * r}, centreX - r, centreY - r, 4);
    DeleteOffscreenWindow(out);
    return 1;
}
