#include "assistants/mars_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assistants/globe_transform.h"
#include "assistants/globe_view.h"
#include "assistants/mars_features.h"
#include "assistants/mars_physical.h"
#include "assistants/mars_satellites_view.h"
#include "assistants/planet_globe_info_view.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kMapFirstHalf = 6012;
constexpr pl::ColorRef kDiscColour = pl::Rgb(231, 134, 9);

bool HighResolution() { return displayScale.scaleX >= 2.0; }

// Where the globe starts below the top: under the orientation panel on tall views.
int GlobeTopOffset(int height) { return height > ScaleY(240) ? ScaleY(84) : ScaleY(5); }

void Text(const std::string& text, int x, int y) { DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y); }

// A text starting in the right half, moved left as far as it must to end
// inside the view.
void RightHalfText(const std::string& text, int left, int width, int y) {
    int x = left + width / 2;
    int overflow = x + CharsWidth(text.c_str(), static_cast<int>(text.size())) + ScaleX(2) - (left + width);
    Text(text, overflow > 0 ? std::max(left, x - overflow) : x, y);
}

}  // namespace

void GetMarsViewGlobeCentre(int left, int top, int height, int* centreX, int* centreY) {
    *centreX = left + ScaleX(80);
    *centreY = top + GlobeTopOffset(height) + ScaleY(93);
}

void DrawMarsView(int left, int top, int width, int height, int year, int month, int day, int hour, int minute,
                  const pl::ColorRef moonColours[2], int mirrorMode) {
    EraseRectangle(XywhRect{left, top, width, height});
    float meridian = 0, positionAngle = 0, tilt = 0, diameter = 0;
    const bool known = ComputeMarsPhysical(year, month, day, hour, minute, &meridian, &positionAngle, &tilt, &diameter);
    globeTransform.mirrorMode = static_cast<int16_t>(mirrorMode);
    int font = HighResolution() ? SelectFont(4) : GetCurrentFontId();
    bool night = GetNightMode() > 0;
    pl::ColorRef ink = night ? pl::Rgb(GetSchemeColor(), 0, 0) : pl::Rgb(0, 0, 0);
    pl::ColorRef accent = night ? pl::Rgb(GetSchemeColor(), 0, 0) : pl::Rgb(230, 200, 0);
    bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    pl::ColorRef previousText = SetTextColorRef(accent);

    const int half = width / 2;
    if (height > ScaleY(240)) {
        if (known)
            DrawPlanetGlobeInfo(left, top, half, ScaleY(84), 0, positionAngle, tilt, static_cast<float>(-ScaleX(25)),
                                0);
        Text("Orientation:", left + ScaleX(5), top + 1);
    }
    Text("Satelites positions:", left + half, top + 1);
    double x[2], y[2];
    int32_t visible[2];
    DrawMarsSatellites(year, month, day, hour, minute, left + half, top + ScaleY(14), half, ScaleY(120), x, y,
                       visible, 1, moonColours, displayScale.scaleX, displayScale.scaleY);

    SetTextColorRef(accent);
    int offset = GlobeTopOffset(height);
    Text("View of Mars:", left + ScaleX(5), top + offset);
    int cx, cy;
    GetMarsViewGlobeCentre(left, top, height, &cx, &cy);
    if (known)
        DrawMapOnSphere(kMapFirstHalf, kMapFirstHalf + 1, cx, cy, 1, meridian, positionAngle, -tilt, 0, -1,
                        kDiscColour);

    SetTextColorRef(ink);
    const int line = ScaleY(13);
    RightHalfText("Axis (\xB0): " + (known ? OneDecimalText(positionAngle) : ""), left, width,
                  top + height - 2 * line);
    RightHalfText("Meridian Long. (\xB0): " + (known ? OneDecimalText(meridian) : ""), left, width,
                  top + height - line);

    SetTextColorRef(previousText);
    SetTextTransparent(wasTransparent);
    if (HighResolution()) SelectFont(font);
    globeTransform.mirrorMode = 0;
}

int PickMarsGlobeFeature(MarsFeatureRecord* record, int centreX, int centreY, int tapX, int tapY) {
    int count = GetMarsRecordCount();
    for (int i = 0; i < count; ++i) {
        MarsFeatureRecord f;
        if (!GetMarsRecord(i, &f) || !IsMarsRegion(f.group)) continue;
        int16_t px, py, pz;
        GlobeUnitVector(static_cast<int16_t>(static_cast<int>(f.latitude) * 36),
                        static_cast<int16_t>(static_cast<int>(f.longitude) * 36), &px, &py, &pz);
        GlobeOffset o = ProjectGlobeVector(globeTransform, px, py, pz);
        int x = centreX + o.right, y = centreY - o.up;
        if (o.depth >= 1 || std::abs(x - tapX) > 15 || std::abs(y - tapY) > 15) continue;
        *record = f;
        int font = HighResolution() ? SelectFont(5) : GetCurrentFontId();
        bool wasTransparent = IsTextTransparent();
        SetTextTransparent(true);
        // White over the globe; at night the night pen's red.
        pl::ColorRef previous =
            SetTextColorRef(GetNightMode() > 0 ? GetForegroundColor() : pl::Rgb(255, 255, 255));
        DrawPlainText(f.name, static_cast<int>(strnlen(f.name, sizeof f.name)), x, y);
        SetTextColorRef(previous);
        SetTextTransparent(wasTransparent);
        if (HighResolution()) SelectFont(font);
        return 1;
    }
    return 0;
}
