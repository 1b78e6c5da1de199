#include "eclipse/eclipse_map_view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "chart/chart_symbols.h"
#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/services.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "eclipse/eclipse_tap_panel_view.h"
#include "eclipse/lunar_eclipse_view.h"
#include "platform/color.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kLandBitmaps[2] = {6015, 6016};  // west (180 W to 0), east
constexpr int kMoveSlack = 3;

// The land halves, kept from one draw to the next (a drag redraws often);
// loaded again when the night mode changes.
DrawWindowRecord* landHalves[2] = {nullptr, nullptr};
int landNightMode = -1;

void FreeLand() {
    for (DrawWindowRecord*& half : landHalves) {
        DeleteOffscreenWindow(half);
        half = nullptr;
    }
    landNightMode = -1;
}

// Each half with its own pixel (0, 0), the sea, as the transparent key. The
// key is read from the filtered pixels, so it is taken as it stands.
bool LoadLand() {
    if (landHalves[0] && landHalves[1] && landNightMode == GetNightMode()) return true;
    FreeLand();
    for (int i = 0; i < 2; ++i) {
        DrawWindowRecord* half = LoadBitmapResource16(kLandBitmaps[i]);
        if (!half || !half->dibBits) {
            DeleteOffscreenWindow(half);
            FreeLand();
            return false;
        }
        half->transparentColor = pl::FromPixel555(ReadPixel16(DibPixelAddress(*half, 0, 0)));
        half->nightFilterMode = 0;
        landHalves[i] = half;
    }
    landNightMode = GetNightMode();
    return true;
}

// A land half at (x, y) of the buffer, the parts outside it cut off.
void BlitLand(const DrawWindowRecord* half, DrawWindowRecord* buffer, int x, int y) {
    XywhRect source{0, 0, half->right, half->bottom};
    if (x < 0) source.x = -x, source.width += x, x = 0;
    if (y < 0) source.y = -y, source.height += y, y = 0;
    if (source.width > 0 && source.height > 0 && x < buffer->right && y < buffer->bottom)
        BlitDibTransparent(half, buffer, source, x, y);
}

const EclipseEvent* SelectedEvent() {
    return eclipseList && selectedEclipse >= 0 && selectedEclipse < eclipseCount ? &eclipseList[selectedEclipse]
                                                                                : nullptr;
}

// Labels and texts: black by day, the night pen's red at night (never white,
// which would spoil the eyes' adaptation to the dark).
pl::ColorRef InkColour() { return GetNightMode() > 0 ? GetForegroundColor() : pl::Rgb(0, 0, 0); }
pl::ColorRef TrackColour() { return GetNightMode() > 0 ? pl::Rgb(100, 0, 0) : pl::Rgb(0, 0, 0); }

void ShowProgress(int hour, int minute) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d UT position computed      ", hour, minute);
    DrawEclipseText(text, 0, ScaleY(73));
}

// The positions of the selected event, computed on the screen with the busy
// indicator and a line per step.
void ComputePositions(const EclipseEvent& e, double deltaT, const XywhRect& rect) {
    SelectSunMoonSource(1);
    EraseRectangle(rect);
    StepBusyIndicator(1);
    DrawEclipseText("Please wait until positions are computated.", 0, ScaleY(40));
    viewMinute = viewSecond = 0;
    mapPositionCount = ComputeMapPositions(e, besselianElements, deltaT, &umbraResult, mapPositions, ShowProgress);
}

// The cell of a label drawn at (x, y) (DrawLabelText writes font 0 in font 2).
pl::Rect LabelCell(const char* text, int x, int y) {
    const int previous = GetCurrentFontId();
    if (previous == 0) SelectFont(2);
    const int width = CharsWidth(text, static_cast<int>(std::strlen(text))), height = CharsHeight();
    SelectFont(previous);
    return pl::Rect{x, y, x + width, y + height};
}

// The umbra's ellipse of a position and, when `labels` is given, its time
// label with a leader line, above or below the ellipse as the track climbs or
// falls; a label whose cell, with a few pixels around it, would meet a label
// already drawn is left out (side by side they read as one, "10:01 10:06"),
// and so is one that the view would cut.
void DrawPosition(const MapPosition& p, int x, int y, std::vector<pl::Rect>* labels, int previousY,
                  const XywhRect& view) {
    if (x < 1 || y < 1) return;
    const int across = p.umbraRadius / 25, along = p.umbraSemiMajor / 25;
    DrawEllipse(x, y, static_cast<float>(across), static_cast<float>(along), static_cast<float>(p.azimuthMod180), 1,
                1);
    if (!labels) return;
    const int d = y > previousY ? -1 : 1;
    const int lx = x + along + 5, ly = d == 1 ? y + 3 * (across + 5) : y - 4 * (across + 5);
    char text[16];
    MapTimeLabel(p.time, text, sizeof text);
    const pl::Rect cell = LabelCell(text, lx, ly);
    if (cell.left < view.x || cell.top < view.y || cell.right > view.x + view.width ||
        cell.bottom > view.y + view.height)
        return;
    const int gap = ScaleX(4);
    const pl::Rect clear{cell.left - gap, cell.top, cell.right + gap, cell.bottom};
    for (const pl::Rect& other : *labels)
        if (!pl::Intersect(clear, other).IsEmpty()) return;
    labels->push_back(cell);
    DrawLine(x, y, lx, y + d * p.umbraRadius * 40 / 250 + 5 * d);
    DrawEclipseText(text, lx, ly);
}

void DrawTrack(const XywhRect& rect) {
    std::vector<MapTrackLine> lines = LayOutMapTrack(mapPositions, mapPositionCount, mapPanX + rect.x, mapPanY,
                                                     rect.y);
    std::vector<pl::Rect> labels;
    for (int i = 0; i < mapPositionCount; ++i) {
        const MapPosition& p = mapPositions[i];
        DrawPosition(p, p.screenX, p.screenY, i % 2 == 1 ? &labels : nullptr,
                     i > 0 ? mapPositions[i - 1].screenY : p.screenY, rect);
    }
    for (const MapTrackLine& l : lines) DrawLine(l.x1, l.y1, l.x2, l.y2);
}

// The umbra of the time of interest, into the buffer (whose origin is the view's).
void DrawCurrentPoint() {
    const MapPosition p = MapPositionFromResult(umbraResult);
    int x = 0, y = 0;
    PlaceMapPoint(p.latitude, p.longitude, mapPanX, mapPanY, 0, &x, &y);
    DrawPosition(p, x, y, nullptr, y, XywhRect{});
}

// Sea, then the two land halves at the wrapped pan.
void DrawLand(DrawWindowRecord* buffer, const XywhRect& rect) {
    SetForeColor(GetNightMode() > 0 ? pl::Rgb(0, 0, 0) : pl::Rgb(153, 153, 203));
    FillRectangle({0, 0, buffer->right, buffer->bottom}, 0);
    mapPanY = ClampMapPanY(mapPanY, rect.height);
    const MapHalves h = WrapMapPan(mapPanX);
    mapPanX = h.panX;
    if (!LoadLand()) return;
    BlitLand(landHalves[0], buffer, h.westX, mapPanY);
    BlitLand(landHalves[1], buffer, h.eastX, mapPanY);
}

}  // namespace

void DrawEclipseMap(int compute, const XywhRect& rect) {
    const EclipseEvent* e = SelectedEvent();
    if (!e) return;
    const double deltaT = ComputeDeltaT(e->year, e->month, e->day);
    if (!mapPositions) {
        mapPositions = new (std::nothrow) MapPosition[kMapPositionCapacity]();
        mapPositionCount = 0;
    }
    DrawWindowRecord* buffer = CreateOffscreenDib(screenWidth, screenHeight, 16);
    if (!buffer || !buffer->dibBits || !mapPositions) {
        DeleteOffscreenWindow(buffer);
        ShowInformation("Can't allocate offscreen Buffer to draw map", "");
        return;
    }
    const pl::ColorRef previousFore = GetForeColorRef(), previousText = SetTextColorRef(InkColour());
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    DrawWindowRecord* screen = SetDrawWindow(buffer);
    if (mapRecentre == -1) {
        CentreMapPan(rect.x, rect.width, rect.height, observerLatitude, observerLongitude, &mapPanX, &mapPanY);
        mapRecentre = 0;
    }
    DrawLand(buffer, rect);
    const bool solar = e->type != 0;
    if (solar && compute == 1 && mapPositionCount == 0) {
        SetDrawWindow(screen);
        ComputePositions(*e, deltaT, rect);
    }
    if (compute == 1) {
        SetDrawWindow(screen);
        CopyRectangle(buffer, screen, {0, 0, rect.width, rect.height}, rect.x, rect.y, 0);
        SetClip(rect);
        SetForeColor(TrackColour());
        if (solar) DrawTrack(rect);
        else DrawLunarVisibilityMap(eclipseList, nullptr, selectedEclipse, mapPanX, mapPanY + rect.y, 1207, 603);
        DeleteOffscreenWindow(savedViewBits);
        savedViewBits = SaveBits(rect);
        ClipToWindow();
    } else {
        SetDrawWindow(buffer);
        SetForeColor(TrackColour());
        if (solar) DrawCurrentPoint();
        SetDrawWindow(screen);
        CopyRectangle(buffer, screen, {0, 0, rect.width, rect.height}, rect.x, rect.y, 0);
    }
    if (previousFore != 0xFFFFFFFF) SetForeColor(previousFore);
    SetTextColorRef(previousText);
    SetTextTransparent(wasTransparent);
    DeleteOffscreenWindow(buffer);
}

int PanEclipseMap(int x, int y, int* refX, int* refY) {
    if (!mapDragging) {
        if (std::abs(x - *refX) <= kMoveSlack && std::abs(y - *refY) <= kMoveSlack) return 0;
        mapDragging = 1;
        return 1;
    }
    mapPanX += x - *refX;
    mapPanY += y - *refY;
    *refX = x, *refY = y;
    DrawEclipseMap(0, viewRect);
    return 1;
}

int EndEclipseMapPen(int x, int y) {
    if (mapDragging) {
        DrawEclipseMap(1, viewRect);
    } else {
        MapPointToPlace(x - mapPanX, y - viewRect.y - mapPanY, &typedLatitude, &typedLongitude);
        if (x >= viewRect.x && y >= viewRect.y && x < viewRect.x + viewRect.width && y < viewRect.y + viewRect.height)
            DrawEclipseTapPanel(x, y);
    }
    mapDragging = 0;
    return 1;
}

void FreeEclipseMap() {
    delete[] mapPositions;
    mapPositions = nullptr;
    mapPositionCount = 0;
    FreeLand();
}
