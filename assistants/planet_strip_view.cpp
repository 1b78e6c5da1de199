#include "assistants/planet_strip_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "assistants/assistant_colors.h"
#include "assistants/globe_transform.h"
#include "assistants/jupiter_view.h"
#include "assistants/mars_physical.h"
#include "assistants/mars_satellites_view.h"
#include "assistants/planet_globe_info_view.h"
#include "assistants/planet_strips.h"
#include "assistants/saturn_view.h"
#include "chart/phase_icons.h"
#include "core/date_text.h"
#include "core/services.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/magnitude_phase.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

int32_t stripRow = 0;
int32_t keepDrawing = 0;

namespace {

constexpr const char* kYearLabels[6] = {"J", "M", "M", "J", "S", "N"};

DrawWindowRecord* markerBits = nullptr;
int markerY = 0;

struct Screen {
    int width = 0, height = 0;
    Screen() { GetScreenSize(&width, &height); }
};

StripLayout CurrentStrip(const Screen& screen) {
    return ComputeStripLayout(planetDetailMode, planetDetailView, planetDetailZoom, screen.height);
}

void Fill(const XywhRect& rect, pl::ColorRef colour) {
    SetForeColor(colour);
    FillRectangle(rect, 0);
}

void Label(const char* text, int x, int y) {
    bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    pl::ColorRef previous = SetTextColorRef(assistantColors.text);
    DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y);
    SetTextColorRef(previous);
    SetTextTransparent(wasTransparent);
}

void DrawBands(const StripLayout& s, int width) {
    const int band = planetDetailZoom == 0 ? s.height / (s.yearStrip ? 6 : 4) : s.pixelsPerUnit;
    const int labels = planetDetailZoom == 0 ? (s.yearStrip ? 6 : 4) : 0;
    for (int k = 0, y = s.top; band > 0 && y < s.top + s.height; ++k, y += band) {
        Fill(XywhRect{0, y, width, std::min(band, s.top + s.height - y)},
             k % 2 == 0 ? assistantColors.alternateBand : assistantColors.oddRow);
        if (k >= labels) continue;
        char text[16];
        std::snprintf(text, sizeof text, "%dh", 6 * k);
        const char* label = s.yearStrip ? kYearLabels[k] : text;
        // 15 units from the right edge, less where the label would pass it ("12h" read "12l").
        const int labelWidth = CharsWidth(label, static_cast<int>(std::strlen(label)));
        Label(label, std::min(width - ScaleX(15), width - labelWidth - ScaleX(1)), y + 1);
    }
}

int PlanetBandUnits(int mode) { return mode == kJupiterMode ? 5 : mode == kSaturnMode ? 6 : 10; }

void DrawTracks(const StripLayout& s, int width) {
    const int centre = width / 2;
    StripTracks previous{};
    for (int p = 0; p < s.rows && keepDrawing; p += s.step) {
        const int y = s.top + p;
        const StripTracks now = ComputeStripTracks(planetDetailMode, planetDetailView,
                                                   StripRowInstant(s, planetDetailDate, y), planetDetailSignX);
        for (int k = 0; p > 0 && k < now.count; ++k) {
            if (!now.drawn[k] || !previous.drawn[k]) continue;
            SetForeColor(moonColors[now.colour[k]]);
            DrawLine(centre + static_cast<int>(previous.offset[k]), y - s.step, centre + static_cast<int>(now.offset[k]),
                     y);
        }
        previous = now;
    }
    keepDrawing = 0;
}

// The marker's two lines: left from -outer to -inner, right from inner2 to outer units.
void DrawMarker(int y, int width) {
    int outer = 80, left = 8, right = 6;
    if (planetDetailMode == kJupiterMode) outer = 40, left = 5, right = 4;
    if (planetDetailMode == kMarsMode) left = 12, right = 10;
    const int c = width / 2;
    SetForeColor(assistantColors.text);
    DrawLine(c - ScaleX(outer), y, c - ScaleX(left), y);
    DrawLine(c + ScaleX(right), y, c + ScaleX(outer), y);
}

void MoveMarker(int y, int width) {
    if (markerBits) RestoreBits(markerBits, 0, markerY);
    markerBits = SaveBits(XywhRect{0, y, width - 1, 0});
    markerY = y;
    if (!markerBits) ShowInformation("Can't allocate offscreen buffer", "");
    DrawMarker(y, width);
}

void DrawMarsDetail(const PlanetDetailDate& t, const XywhRect& panel) {
    float meridian = 0, positionAngle = 0, tilt = 0, diameter = 0;
    const bool known =
        ComputeMarsPhysical(t.year, t.month, t.day, t.hour, t.minute, &meridian, &positionAngle, &tilt, &diameter);
    const bool moons = planetDetailView == kSatellitesView;
    const int globeWidth = moons ? panel.width / 2 : panel.width;
    globeTransform.mirrorMode = static_cast<int16_t>(moons ? planetDetailOrientation : 0);
    if (known)  // else the panel stays blank: no orientation outside the theory's years
        DrawPlanetGlobeInfo(panel.x, panel.y, globeWidth, panel.height, meridian, positionAngle, tilt, diameter, 0);
    globeTransform.mirrorMode = 0;
    if (!moons) return;
    double x[2], y[2];
    int32_t visible[2];
    DrawMarsSatellites(t.year, t.month, t.day, t.hour, t.minute, panel.x + globeWidth, panel.y, globeWidth,
                       panel.height, x, y, visible, 1, moonColors, displayScale.scaleX, displayScale.scaleY);
}

void DrawPhaseDetail(const PlanetDetailDate& t, const XywhRect& panel) {
    const int body = PhaseViewBody(planetDetailView);
    const int radius = ScaleY(26);
    DrawPlanetPhaseDisc(body, t.year, t.month, t.day, t.hour, t.minute, 2 * radius, 2 * radius, panel.x + panel.width / 2,
                        panel.y + panel.height / 2, nullptr, nullptr, nullptr);
    float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
    ComputeApproxPlanet(t.year, t.month, t.day, t.hour, t.minute, view, place, 3, body, body);
    double magnitude = 0, fraction = 0, elongation = 0;
    ComputeMagnitudePhase(body, view[3 * body], view[3 * body + 1], view[3 * body + 2], &magnitude, &fraction,
                          &elongation);
    char lines[3][32];
    std::snprintf(lines[0], sizeof lines[0], "Phase %d%%", static_cast<int>(fraction * 100 + 0.5));
    std::snprintf(lines[1], sizeof lines[1], "Size %d''", static_cast<int>(GetApparentDiameter(body, view[3 * body]) * 60 + 0.5));
    std::snprintf(lines[2], sizeof lines[2], "Elong: %d\xB0", static_cast<int>(elongation + 0.5));
    for (int k = 0; k < 3; ++k) Label(lines[k], ScaleX(2), panel.y + ScaleY(2 + 13 * k));
}

void DrawDetail(const PlanetDetailDate& t, const XywhRect& panel) {
    switch (planetDetailMode) {
    case kJupiterMode:
        ComputeJupiterMoons(panel.width, panel.y, t.year, t.month, t.day, t.hour, t.minute, nullptr, nullptr,
                            nullptr, 1, planetDetailSignX, planetDetailSignY);
        return;
    case kSaturnMode:
        DrawSaturnMoons(t.year, t.month, t.day, t.hour, t.minute, panel.width, panel.y, kSaturnPicture, nullptr,
                        nullptr, nullptr, planetDetailSignX, planetDetailSignY);
        return;
    case kMarsMode: Fill(panel, assistantColors.oddRow); DrawMarsDetail(t, panel); return;
    case kPhaseMode: Fill(panel, assistantColors.oddRow); DrawPhaseDetail(t, panel); return;
    default: return;
    }
}

void WriteDateFields(const PlanetDetailDate& t) {
    char text[16];
    FormatDate(text, sizeof text, t.day, t.month, t.year);
    SetField(kPlanetDateField, text);
    std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
    SetField(kPlanetTimeField, text);
}

}  // namespace

void DrawPlanetTimeStrip() {
    const Screen screen;
    const StripLayout s = CurrentStrip(screen);
    if (s.yearStrip) planetDetailDate.month = planetDetailDate.day = 1;
    InitAssistantColors();
    DropStripMarker();
    DrawBands(s, screen.width);
    const int band = ScaleX(PlanetBandUnits(planetDetailMode));
    Fill(XywhRect{screen.width / 2 - band / 2, s.top, band, s.height}, assistantColors.planetBand);
    DrawTracks(s, screen.width);
    stripRow = StripRowOfInstant(s, planetDetailDate);
    DrawPlanetDetailView(screen.width / 2, stripRow);
}

int DrawPlanetDetailView(int x, int y) {
    const Screen screen;
    const StripLayout s = CurrentStrip(screen);
    if (x < 0 || x >= screen.width || y < s.top || y >= s.top + s.height) return 0;
    MoveMarker(y, screen.width);
    const PlanetDetailDate t = StripRowInstant(s, planetDetailDate, y);
    const int panelTop = s.top + s.height;
    DrawDetail(t, XywhRect{0, panelTop, screen.width, screen.height - ScaleY(22) - panelTop});
    WriteDateFields(t);
    return 1;
}

void DropStripMarker() {
    DeleteOffscreenWindow(markerBits);
    markerBits = nullptr;
}
