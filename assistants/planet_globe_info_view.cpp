#include "assistants/planet_globe_info_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assistants/globe_transform.h"
#include "assistants/mars_features.h"
#include "core/fixed_trig.h"
#include "platform/drawing.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kParallels[] = {-75, -45, -15, 15, 45, 75};
constexpr int kMeridians[] = {-90, -60, -30, 0, 30, 60};
constexpr int kVisibleDepth = 36;  // a little beyond the limb

// Where the grid is drawn: the globe's transform and centre.
struct Grid {
    GlobeTransform t;
    int cx, cy;
    bool labels;
};

// A grid point of latitude and longitude in degrees (angles x 36 in 5.11, the
// panel's vector (cos lat cos lon, cos lat sin lon, -sin lat): negative
// latitudes are north). False when behind the globe.
bool GridPoint(const Grid& g, int lat, int lon, int* x, int* y) {
    int16_t cl, sl, cb, sb;
    FixSinCos11(static_cast<int16_t>(lon * 36), &cl, &sl);
    FixSinCos11(static_cast<int16_t>(lat * 36), &cb, &sb);
    GlobeOffset o = ProjectGlobeVector(g.t, static_cast<int16_t>((cl * cb) >> 11), static_cast<int16_t>((sl * cb) >> 11),
                                       static_cast<int16_t>(-sb));
    *x = g.cx + o.right;
    *y = g.cy - o.up;
    return o.depth < kVisibleDepth;
}

void GridLabel(const Grid& g, int value, char sign, int x, int y) {
    char text[16];
    std::snprintf(text, sizeof text, "%d\xB0%c", std::abs(value), sign);
    if (x > g.cx) x -= ScaleX(18);
    if (y > g.cy) y -= ScaleY(14);
    DrawPlainText(text, static_cast<int>(std::char_traits<char>::length(text)), x, y);
}

// Labels of the parallels at a visible point: latitudes of +-45 at longitudes
// 0 and 180, longitudes every 30 degrees on the parallel -15 (15 north).
void ParallelLabel(const Grid& g, int lat, int lon, int x, int y) {
    if ((lat == -45 || lat == 45) && (lon == 0 || lon == 180)) GridLabel(g, lat, lat < 0 ? 'N' : 'S', x, y);
    if (lat == -15 && lon % 30 == 0) GridLabel(g, lon, lon < 0 ? 'W' : 'E', x, y);
}

// A parallel (fixed latitude, longitude -180..180) or a great circle through
// the poles (fixed longitude, latitude over a full turn) in 15-degree steps,
// each visible point joined to the visible point before it.
void DrawGridCircle(const Grid& g, bool parallel, int fixed) {
    int px = 0, py = 0;
    bool previous = false;
    for (int step = -180; step <= 180; step += 15) {
        int lat = parallel ? fixed : step, lon = parallel ? step : fixed;
        int x, y;
        bool visible = GridPoint(g, lat, lon, &x, &y);
        if (visible && previous) DrawLine(px, py, x, y);
        if (visible && parallel && g.labels) ParallelLabel(g, lat, lon, x, y);
        previous = visible, px = x, py = y;
    }
}

// The texts one a line from (x, y); a text wider than `width` puts its value
// (what follows ": ") on a line of its own, indented, rather than lose it
// past the panel's side. Returns the y below the last line.
int DrawFigures(int x, int y, int width, float positionAngle, float tilt, float diameter) {
    const int line = ScaleY(12);
    for (const std::string& text : PlanetGlobeInfoTexts(positionAngle, tilt, diameter)) {
        const std::size_t colon = text.find(": ");
        if (colon == std::string::npos || CharsWidth(text.c_str(), static_cast<int>(text.size())) <= width - x) {
            DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y);
        } else {
            DrawPlainText(text.c_str(), static_cast<int>(colon + 1), x, y);
            y += line;
            const std::string value = text.substr(colon + 2);
            DrawPlainText(value.c_str(), static_cast<int>(value.size()), x + ScaleX(10), y);
        }
        y += line;
    }
    return y;
}

pl::ColorRef LineColour(int showLabels) {
    if (GetNightMode() > 0) return pl::Rgb(GetSchemeColor(), 0, 0);
    return showLabels ? pl::Rgb(0, 0, 0) : pl::Rgb(240, 200, 0);
}

}  // namespace

std::vector<std::string> PlanetGlobeInfoTexts(float positionAngle, float tilt, float diameter) {
    std::vector<std::string> texts = {"Angle of North Pole (\xB0): " + OneDecimalText(positionAngle),
                                      "Diameter (arcsec): " + OneDecimalText(diameter * 60.0)};
    if (tilt > 5.0f) texts.push_back("North Pole visible.");
    if (tilt < -5.0f) texts.push_back("South Pole visible.");
    return texts;
}

void DrawPlanetGlobeInfo(int left, int top, int width, int height, float a1, float positionAngle, float tilt,
                         float diameter, int showLabels) {
    DrawWindowRecord* screen = GetDrawWindow();
    const pl::ColorRef screenText = pl::GetTextColor(GetDrawDc());
    const pl::ColorRef screenFore = GetForeColorRef();
    const bool wasTransparent = IsTextTransparent();
    DrawWindowRecord* copy = CreateOffscreenDib(width, height, 16);
    int ox = left, oy = top;
    if (copy) {
        pl::Hfont font = GetFontHandle(GetCurrentFontId());
        pl::BitBlt(copy->dc, 0, 0, width, height, GetDrawDc(), left, top);
        if (font) pl::SelectObject(copy->dc, font);
        SetDrawWindow(copy);
        ox = oy = 0;
    }
    SetTextTransparent(true);
    SetTextColorRef(GetNightMode() > 0 ? pl::Rgb(GetSchemeColor(), 0, 0) : pl::Rgb(0, 0, 0));
    const int textBottom = diameter > 0 ? DrawFigures(ox + 2, oy + 2, ox + width, positionAngle, tilt, diameter) : oy;

    Grid g{};
    g.t.mirrorMode = globeTransform.mirrorMode;
    SetGlobeScales(&g.t, diameter > 0 ? static_cast<int>(diameter * 90 + 0.5) : static_cast<int>(-diameter));
    SetGlobeRotation(&g.t, DegreesToFix11(a1), DegreesToFix11(positionAngle), DegreesToFix11(-tilt));
    g.cx = ox + width / 2;
    g.cy = oy + height / 2;
    // A small globe under the texts goes down below them while the panel has room.
    const int radius = g.t.radius;
    if (g.cy - radius <= textBottom) g.cy = std::max(g.cy, std::min(textBottom + radius + 2, oy + height - radius - 1));
    g.labels = showLabels != 0;
    SetForeColor(LineColour(showLabels));
    SetTextColorRef(LineColour(showLabels));
    DrawCircle(g.cx, g.cy, g.t.radius);
    for (int lat : kParallels) DrawGridCircle(g, true, lat);
    for (int lon : kMeridians) DrawGridCircle(g, false, lon);
    if (copy) {
        SetDrawWindow(screen);
        pl::BitBlt(GetDrawDc(), left, top, width, height, copy->dc, 0, 0);
        DeleteOffscreenWindow(copy);
    }
    if (screenFore != 0xFFFFFFFF) SetForeColor(screenFore);
    SetTextColorRef(screenText);
    SetTextTransparent(wasTransparent);
}
