// The Globe view: the Earth as a shaded globe centred on the satellite's
// sub-point when drawn, the ground track before and after the form's time as
// far as it stays on the visible hemisphere, the satellite's place over the
// Earth and in the sky, and the chart's position legend; turned by dragging.
#include <cmath>
#include <cstring>
#include <string>

#include "assistants/globe_transform.h"
#include "assistants/globe_view.h"
#include "assistants/planet_globe_info_view.h"
#include "chart/chart_colours.h"
#include "chart/chart_status.h"
#include "core/angle_text.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "orbits/satellite_geometry.h"
#include "orbits/screens/satellite_form_parts.h"
#include "orbits/screens/satellite_view_geometry.h"
#include "platform/color.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/font_set.h"
#include "ui/offscreen.h"
#include "ui/form_controls.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTrackStepMinutes = 5;
constexpr int kMostTrackSteps = 300;
constexpr double kDegreesToFix24 = 292817.65851827303;
constexpr pl::ColorRef kTrackColour = pl::Rgb(255, 0, 0);

GlobeTrackSegments lastSegments{0, 0};

GlobeBox Box() {
    const SatelliteFormState& s = satelliteFormState;
    return SatelliteGlobeBox(s.screenWidth, s.screenHeight, displayScale.scaleX, displayScale.scaleY);
}

// The steps of one track pass: one period of 5-minute steps, at most 300, so
// that a pass of a satellite that never leaves the visible hemisphere ends.
int TrackSteps(double period) {
    if (!(period > 0.0)) return 1;
    const double steps = std::ceil(period / kTrackStepMinutes);
    return steps < kMostTrackSteps ? static_cast<int>(steps) : kMostTrackSteps;
}

// One pass of the track from the form's time, `direction` 5-minute steps at
// a time, joined point to point while it stays on the visible side. Returns
// the segments drawn.
int DrawTrackPass(const GlobeBox& box, int direction) {
    SatelliteFormState& s = satelliteFormState;
    const int cx = box.left + box.radius, cy = box.top + box.radius;
    int year = s.year, month = s.month, day = s.day, hour = s.hour, minute = s.minute;
    int previousX = 0, previousY = 0;
    const int steps = TrackSteps(s.elements->period);
    int segments = 0;
    for (int step = 0; step <= steps; ++step) {
        ComputeSatellitePosition(year, month, day, hour, minute, s.second, s.elements);
        int x = 0, y = 0;
        if (!HasSubPoint(*s.elements) ||
            !ProjectOnGlobe(&x, &y, cx, cy, static_cast<float>(s.elements->subLongitude),
                            static_cast<float>(s.elements->subLatitude)))
            break;
        if (step > 0) {
            ++segments;
            DrawTrackLine(previousX, previousY, x, y);
        }
        previousX = x, previousY = y;
        AddMinutesToDateTime(&year, &month, &day, &hour, &minute, direction * kTrackStepMinutes);
    }
    return segments;
}

// Labels at the left edge with their values 20 units to the right, 13 units
// apart after the header; returns the last line's top.
int DrawColumn(const char* header, int y, const std::string (&lines)[4][2], int count) {
    DrawSatelliteHeader(header, 0, y);
    int lineY = y;
    for (int i = 0; i < count; ++i) {
        lineY = y + ScaleY(13 * (i + 1));
        DrawSatelliteLine(lines[i][0].c_str(), 0, lineY);
        DrawSatelliteLine(lines[i][1].c_str(), ScaleX(20), lineY);
    }
    return lineY;
}

int DrawGlobeTexts(const GlobeBox& box) {
    const SatelliteFormState& s = satelliteFormState;
    const SatelliteElements& el = *s.elements;
    const std::string earth[4][2] = {{"Lat", SatelliteCoordinateText(el.subLatitude, "\xB0N", "\xB0S")},
                                     {"Lon", SatelliteCoordinateText(el.subLongitude, "\xB0W", "\xB0" "E")},
                                     {"Alt", SatelliteValueText(el.height, "km")},
                                     {"", ""}};
    DrawColumn("Earth", ScaleY(22 - 3 + 24), earth, 3);
    const std::string sky[4][2] = {{"Az", SatelliteValueText(AzimuthToTenth(el.azimuth), "\xB0")},
                                   {"Alt", SatelliteValueText(el.elevation, "\xB0")},
                                   {"RA", SatelliteRightAscensionText(el.rightAscension, 5)},
                                   {"Dec", SatelliteDeclinationText(el.declination)}};
    const bool tall = s.screenHeight > static_cast<int>(240 * displayScale.scaleX);
    const int skyY = box.top + box.radius + (tall ? box.radius / 2 : 0) + ScaleY(13);
    return DrawColumn("Sky", skyY, sky, 4);
}

// The chart's position legend on the white chart background, the chart
// colours made again for it and afterwards.
void DrawLegend(int lastLineY) {
    const SatelliteElements& el = *satelliteFormState.elements;
    if (!std::isfinite(el.azimuth) || !std::isfinite(el.elevation)) return;
    int32_t& background = preferences.word[kPrefChartBackground];
    const int32_t kept = background;
    background = 2;
    SetChartColours();
    DrawChartLegend(satelliteFormState.screenWidth - ScaleX(60), lastLineY - ScaleY(8 + 13),
                    static_cast<Fix24Angle>(el.azimuth * kDegreesToFix24),
                    static_cast<Fix24Angle>(el.elevation * kDegreesToFix24));
    background = kept;
    SetChartColours();
}

// The textured globe of the box. The renderer places texels one by one, so a
// globe wider than the texture has gaps between them: such a globe is drawn at
// half its radius and doubled onto the screen, and the transform keeps the
// full radius for the points placed on it afterwards.
void DrawEarthGlobe(const GlobeBox& box, pl::ColorRef shading) {
    const SatelliteFormState& s = satelliteFormState;
    const float a1 = static_cast<float>(s.globeLongitude), a3 = static_cast<float>(-s.globeLatitude);
    const int cx = box.left + box.radius, cy = box.top + box.radius;
    if (box.radius * 3.141592653589793 <= 460.0) {
        // The smaller texture only where its texels still cover the globe's
        // centre (230 texels across half a turn).
        const int texture = box.radius * 3.141592653589793 > 230.0 ? 6042 : 6044;
        DrawMapOnSphere(texture, texture + 1, cx, cy, 1, a1, 0.0f, a3, static_cast<float>(box.radius), 0, shading);
        return;
    }
    const int size = 2 * box.radius;
    DrawWindowRecord* half = CreateOffscreenDib(size, size, 16);
    if (!half || !half->dibBits) {
        DeleteOffscreenWindow(half);
        ShowInformation("Can't allocate offscreen window", "");
        return;
    }
    std::memset(half->dibBits, 0, static_cast<std::size_t>(half->stride) * half->bottom);
    half->transparentColor = 0;
    DrawWindowRecord* screen = SetDrawWindow(half);
    DrawMapOnSphere(6042, 6043, box.radius, box.radius, 1, a1, 0.0f, a3, static_cast<float>(box.radius / 2), 0,
                    shading);
    SetDrawWindow(screen);
    CopyRectangleScaled(half, screen, XywhRect{0, 0, size, size}, box.left, box.top, 4, 2.0);
    DeleteOffscreenWindow(half);
    SetGlobeScales(&globeTransform, box.radius);
}

}  // namespace

void DrawSatelliteGlobe() {
    ReleaseSatelliteMarker();
    SetListItems(pl::GetDlgItem(SatellitesFormWindow(), kSatNameList), nullptr, GetSatelliteCount());
    const GlobeBox box = Box();
    const pl::ColorRef shading = GetNightMode() > 0 ? pl::Rgb(20, 0, 0) : pl::Rgb(102, 102, 153);
    DrawEarthGlobe(box, shading);
    const pl::ColorRef kept = SetForeColor(kTrackColour);
    lastSegments.backward = DrawTrackPass(box, -1);
    lastSegments.forward = DrawTrackPass(box, 1);
    SetForeColor(kept);
    ComputeFormSatellitePosition();
}

void DrawSatelliteGlobeView(int index) {
    SatelliteFormState& s = satelliteFormState;
    if (!s.elements || !s.record) return;
    const XywhRect work = SatelliteWorkArea();
    if (index >= 0 && index < GetSatelliteCount() && GetSatelliteRecord(index, s.record))
        InitSatelliteElements(s.record, s.elements);
    char name[72];
    SatelliteNameLine(name);
    SetPopupLabel(kSatNameTrigger, name);
    SetPopupList(kSatModeTrigger, kSatModeList, s.timeMode);
    SetPopupList(kSatViewTrigger, kSatViewList, s.view);
    ComputeFormSatellitePosition();
    const GlobeBox box = Box();
    const SatelliteElements& el = *s.elements;
    int x = 0, y = 0;
    for (int drawn = 0; drawn < 2; ++drawn) {
        if (!s.mapReady) {
            s.mapReady = 1;
            EraseRectangle(work);
            WriteSatelliteDateTimeFields();
            s.globeLongitude = HasSubPoint(el) ? static_cast<int>(el.subLongitude) : 0;
            s.globeLatitude = HasSubPoint(el) ? static_cast<int>(el.subLatitude) : 0;
            DrawSatelliteGlobe();
        }
        SetTextColorRef(GetForegroundColor());
        SetBackColor(GetBackgroundColor());
        SetTextTransparent(false);
        if (!HasSubPoint(el)) break;
        if (ProjectOnGlobe(&x, &y, box.left + box.radius, box.top + box.radius, static_cast<float>(el.subLongitude),
                           static_cast<float>(el.subLatitude))) {
            RestoreSatelliteMarker();
            DrawSatelliteMarker(x, y);
            break;
        }
        s.mapReady = 0;  // behind the globe: centre it on the satellite
    }
    const int lastLineY = DrawGlobeTexts(box);
    DrawLegend(lastLineY);
    SelectFont(0);
    SetTextTransparent(true);
}

GlobeTrackSegments LastGlobeTrackSegments() { return lastSegments; }

int GlobeViewPenMove(int x, int y) {
    SatelliteFormState& s = satelliteFormState;
    if (!s.dragging) {
        if (std::abs(x - s.lastPenX) <= ScaleX(3) && std::abs(y - s.lastPenY) <= ScaleY(3)) return 0;
        s.dragging = 1;
        return 0;
    }
    s.globeLongitude = WrapWholeDegrees(s.globeLongitude + x - s.lastPenX);
    s.globeLatitude = WrapWholeDegrees(s.globeLatitude + y - s.lastPenY);
    const GlobeBox box = Box();
    DrawPlanetGlobeInfo(box.left, box.top, 2 * box.radius, 2 * box.radius, static_cast<float>(s.globeLongitude), 0.0f,
                        static_cast<float>(s.globeLatitude), static_cast<float>(-box.radius), 0);
    s.lastPenX = x, s.lastPenY = y;
    return 1;
}

int GlobeViewPenUp(int, int) {
    SatelliteFormState& s = satelliteFormState;
    if (!s.dragging) return 0;
    s.dragging = 0;
    DrawSatelliteGlobe();
    DrawSatelliteGlobeView(s.satelliteIndex);
    return 1;
}
