#include "scope/scope_position_panel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/selection_entry.h"
#include "chart/chart_views.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "chart/sphere_projection.h"
#include "core/angle_text.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/window.h"
#include "scope/alignment.h"
#include "scope/encoder_box.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_place.h"
#include "scope/serial_link.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/saved_screen.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kFixPerHour = 4392264.877774095;   // Fix24Angle units of one hour of right ascension
constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kFixUnit = 16777216.0;

// Design places (240 x 320 screen).
constexpr int kPanelTop = 24;     // under the title's line
constexpr int kPanelBottom = 262;  // above the buttons
constexpr int kLabelX = 4;
constexpr int kColonX = 62, kValueX = 70;                  // position lines
constexpr int kEncoderColonX = 104;  // encoder lines
constexpr int kSecondValueX = 176;
constexpr int kLinesTop = 28, kLineHeight = 14, kHeadingGap = 4;
constexpr int kPadX = 172, kPadY = 26, kPadSize = 64;
constexpr int kPictureX = 4, kPictureY = 94, kPictureWidth = 232, kPictureHeight = 164;
constexpr int kPictureZoom = 4;
constexpr int kWholeSkyView = 2;
constexpr int kStarType = 30;

DrawWindowRecord* panel = nullptr;    // the form's size
DrawWindowRecord* picture = nullptr;  // the sky picture's size
int padShown = kPadAtRest;

int OwnSource() { return preferences.word[kPrefAlignMethod] == 0; }

XywhRect PanelRect() {
    return XywhRect{0, ScaleY(kPanelTop), panel ? panel->right : 0, ScaleY(kPanelBottom - kPanelTop)};
}

XywhRect PictureRect() {
    return XywhRect{ScaleX(kPictureX), ScaleY(kPictureY), ScaleX(kPictureWidth), ScaleY(kPictureHeight)};
}

// The panel's picture at the form's size, made on first use (and again after
// a change of screen); false with "Can't allocate offscreen window".
bool EnsurePanel() {
    pl::Rect client{};
    pl::GetClientRect(GetCurrentFormDialog(), &client);
    if (panel && (panel->right != client.Width() || panel->bottom != client.Height())) FreeScopePanel();
    if (!panel) panel = CreateOffscreenDib(client.Width(), client.Height(), 16);
    if (!panel) ShowInformation("Can't allocate offscreen window", "");
    return panel != nullptr;
}

// The panel becomes the draw window, erased, in the colour set's colours.
DrawWindowRecord* BeginPanel() {
    DrawWindowRecord* previous = SetDrawWindow(panel);
    EraseRectangle(PanelRect());
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    SelectFont(0);
    return previous;
}

// The panel's rectangle `area` onto the form, kept in the form's back buffer
// so that a repaint shows it too.
void PanelToForm(DrawWindowRecord* previous, const XywhRect& area) {
    SetDrawWindow(previous);
    pl::Hwnd form = GetCurrentFormDialog();
    if (!pl::IsWindow(form)) return;
    InitDrawWindowOwnDc(form);
    CopyRectangle(panel, GetDrawWindow(), area, area.x, area.y, 0);
    SaveScreen();
}

void Text(const char* text, int x, int line) {
    DrawChars(text, static_cast<int>(std::strlen(text)), ScaleX(x), ScaleY(line));
}

// "label : value [second]" on one line.
void Line(int y, const char* label, int colonX, const char* value, const char* second = nullptr) {
    Text(label, kLabelX, y);
    Text(":", colonX, y);
    Text(value, colonX + kValueX - kColonX, y);
    if (second) Text(second, kSecondValueX, y);
}

void Heading(int y, const char* text) {
    int font = SelectFont(1);
    Text(text, kLabelX, y);
    SelectFont(font);
}

void PadOnPanel(int bitmapId) {
    if (bitmapId != 0) padShown = bitmapId;
    DrawBitmapMasked(padShown, ScaleX(kPadX), ScaleY(kPadY));
}

struct Clock {
    int year, month, day, hour, minute, second;
};

// The device's date and time; taken into the program's date and time unless
// the user fixed that.
Clock ReadClock() {
    Clock c{};
    GetLocalDateTime(&c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
    if (dateTimeFixed == 0) SetCurrentDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
    return c;
}

// The sky around the scope: the Whole Sky view at zoom step 4 centred on the
// reading, one marker there. The chart's view and its two drawing flags are
// put back afterwards, and its rotation marked for rebuilding.
void DrawSkyPicture(const Clock& c, double ra, double dec) {
    XywhRect rect = PictureRect();
    if (!picture) picture = CreateOffscreenDib(rect.width, rect.height, 16);
    if (!picture) return;
    const int32_t view = chartView, flagA = skyMapView.trackLines, flagB = chartFlagB;
    chartView = kWholeSkyView;
    SetChartFlagA(0);
    SetChartFlagB(0);
    SetChartView(1, c.year, c.month, c.day, c.hour, c.minute, c.second, 0);
    SelectionEntry marker{};
    marker.objectType = kStarType;
    marker.rightAscension = static_cast<float>(ra);
    marker.declination = static_cast<float>(dec);
    marker.alwaysShow = 1;
    ProjectObjectList(&marker, 1);
    int32_t p, q, s;
    ProjectRaDecToChart(static_cast<Fix24Angle>(std::fmod(ra, 24.0) * kFixPerHour),
                        static_cast<Fix24Angle>(dec * kFixPerDegree), &p, &q, &s);
    double angle = std::atan2(static_cast<double>(p), static_cast<double>(q)) * kRadToDeg;
    if (angle < 0) angle += 360.0;
    double elevation = std::asin(std::clamp(s / kFixUnit, -1.0, 1.0)) * kRadToDeg;
    DrawSkyMap(&marker, 1, rect, picture, kPictureZoom, static_cast<float>(angle), static_cast<float>(elevation),
               0);
    chartView = view;
    SetChartFlagA(flagA);
    SetChartFlagB(flagB);
    EnableViewRotation();
    InvalidateHorizonProjection();
}

// The pending goto target as the mount should read it (degrees): through the
// alignment at the clock's whole-second time, and with the program's own
// alignment also through its mount-error inversion. False without a valid
// alignment or a target.
bool TargetOnMount(const Clock& c, double* az, double* alt) {
    if (!IsAlignmentValid() || !(pendingScopeTarget.dec > kNoTargetDec)) return false;
    double ra = pendingScopeTarget.ra, dec = pendingScopeTarget.dec;
    if (OwnSource()) {
        SkyToMount(&ra, &dec);
        *az = ra * 15.0;
        *alt = dec;
        return true;
    }
    AlignmentStar star{};
    star.time = (c.hour + c.minute / 60.0 + c.second / 3600.0) * 15.0;
    star.ra = ra * 15.0;
    star.dec = dec;
    SkyToScope(&star);
    *az = star.model1 * kRadToDeg;
    *alt = star.model2 * kRadToDeg;
    return true;
}

void AngleText(char* text, std::size_t size, double degrees) { DegToStr(text, size, degrees); }

void EncoderLines(const Clock& c, double az, double alt, int azCount, int altCount) {
    char a[32], b[32];
    int y = kLinesTop + 2 * kLineHeight + kHeadingGap;
    Heading(y, "Encoder Informations");
    std::snprintf(a, sizeof a, "%d", azCount);
    std::snprintf(b, sizeof b, "%d", altCount);
    Line(y += kLineHeight, "Encoder positions", kEncoderColonX, a, b);
    Heading(y += kLineHeight + kHeadingGap, "Current Scope Position");
    AngleText(a, sizeof a, az);
    AngleText(b, sizeof b, alt);
    Line(y += kLineHeight, "Hor & Elv", kEncoderColonX, a, b);
    double targetAz, targetAlt;
    if (!TargetOnMount(c, &targetAz, &targetAlt)) return;
    Heading(y += kLineHeight + kHeadingGap, "Target Scope Position");
    AngleText(a, sizeof a, targetAz);
    AngleText(b, sizeof b, targetAlt);
    Line(y += kLineHeight, "Hor & Elv", kEncoderColonX, a, b);
    AngleText(a, sizeof a, FoldAzimuthDelta(az - targetAz));
    AngleText(b, sizeof b, alt - targetAlt);
    Line(y += kLineHeight, "Delta Hor & Elv", kEncoderColonX, a, b);
}

}  // namespace

int PressedPadBitmap(int direction) {
    static constexpr int kPressed[] = {5087, 5088, 5086, 5085};
    return direction >= 0 && direction < 4 ? kPressed[direction] : kPadAtRest;
}

XywhRect ScopePadRect() { return XywhRect{ScaleX(kPadX), ScaleY(kPadY), ScaleX(kPadSize), ScaleY(kPadSize)}; }

double FoldAzimuthDelta(double delta) {
    if (delta > 180.0) return delta - 360.0;
    if (delta < -180.0) return delta + 360.0;
    return delta;
}

void DrawScopePositionPanel(int bitmapId, double ra, double dec) {
    if (!EnsurePanel()) return;
    Clock c = ReadClock();
    double lst = ClockSiderealTime();
    double alt = ComputeAltitude(lst, ra, dec, currentSite.latitude);
    double az = ComputeAzimuth(lst, ra, dec, currentSite.latitude);
    DrawWindowRecord* previous = BeginPanel();
    char text[32];
    struct {
        const char* label;
        double value;
        bool hours;
    } lines[] = {{"Scope RA", ra, true}, {"Scope Dec", dec, false}, {"Scope Az", az, false}, {"Scope Alt", alt, false}};
    int y = kLinesTop;
    for (const auto& l : lines) {
        l.hours ? HMSToStr(text, sizeof text, l.value) : DegToStr(text, sizeof text, l.value);
        Line(y, l.label, kColonX, text);
        y += kLineHeight;
    }
    PadOnPanel(bitmapId);
    DrawSkyPicture(c, ra, dec);
    PanelToForm(previous, PanelRect());
}

void DrawScopePad(int bitmapId) {
    if (!EnsurePanel()) return;
    DrawWindowRecord* previous = SetDrawWindow(panel);
    PadOnPanel(bitmapId);
    PanelToForm(previous, ScopePadRect());
}

int DrawEncoderReadoutPanel() {
    if (!ConnectEncoder()) return 0;
    const bool resolutions =
        preferences.word[kPrefEncoderStepsAz] != 0 && preferences.word[kPrefEncoderStepsAlt] != 0;
    double az = 0, alt = 0;
    int azCount = 0, altCount = 0;
    const int read = QueryAzAltEncoder(&az, &alt, &azCount, &altCount);
    const bool told = !resolutions || IsSerialLineLost() || !(scopeSimulation || IsSerialOpen());
    if (!EnsurePanel()) return read;
    Clock c = ReadClock();
    DrawWindowRecord* previous = BeginPanel();
    Text("Refresh Rate", kLabelX, kLinesTop + 2);
    char time[16], angle[32];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    DegToStr(angle, sizeof angle, (c.hour + c.minute / 60.0 + c.second / 3600.0) * 15.0);
    Line(kLinesTop + kLineHeight + kHeadingGap, "Time", kEncoderColonX, time, angle);
    if (read) EncoderLines(c, az, alt, azCount, altCount);
    PanelToForm(previous, PanelRect());
    return read ? 1 : (told ? 0 : -1);
}

void FreeScopePanel() {
    DeleteOffscreenWindow(panel);
    DeleteOffscreenWindow(picture);
    panel = picture = nullptr;
    padShown = kPadAtRest;
}
