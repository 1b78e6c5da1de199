#include "orbits/screens/satellite_form_parts.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/comet_satellite_db.h"
#include "chart/chart_symbols.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "orbits/satellite_geometry.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/font_set.h"
#include "ui/form_controls.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kSatelliteSymbol = 15;

// The bits under the satellite marker and where they go back.
struct MarkerBits {
    DrawWindowRecord* bits = nullptr;
    int x = 0;
    int y = 0;
};
MarkerBits marker;

}  // namespace

void UseSatelliteForm() {
    pl::Hwnd form = SatellitesFormWindow();
    if (!form) return;
    InitDrawWindowOwnDc(form);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    SetForeColor(GetForegroundColor());
}

void ShowSatelliteControls(std::initializer_list<int> hidden, std::initializer_list<int> shown) {
    pl::Hwnd form = SatellitesFormWindow();
    if (!form) return;
    for (int id : hidden) HideObject(form, id);
    for (int id : shown) ShowObject(form, id);
}

XywhRect SatelliteWorkArea() {
    const SatelliteFormState& s = satelliteFormState;
    const int top = ScaleY(24);
    return {0, top, s.screenWidth, s.screenHeight - ScaleY(22) - top};
}

void WriteSatelliteDateTimeFields() {
    const SatelliteFormState& s = satelliteFormState;
    char date[32], time[16];
    FormatDate(date, sizeof date, s.day, s.month, s.year);
    std::snprintf(time, sizeof time, "%02d:%02d", s.hour, s.minute);
    SetField(kSatDateField, date);
    SetField(kSatTimeField, time);
}

double SatelliteFormJulianDay() {
    const SatelliteFormState& s = satelliteFormState;
    return JulianDayFromDateTime(s.year, s.month, s.day, s.hour, s.minute, s.second, currentSite.zoneMinutes);
}

int ComputeFormSatellitePosition() {
    const SatelliteFormState& s = satelliteFormState;
    if (!s.elements) return 0;
    return ComputeSatellitePosition(s.year, s.month, s.day, s.hour, s.minute, s.second, s.elements);
}

void SatelliteNameLine(char line[72]) {
    line[0] = '\0';
    if (satelliteFormState.record) GetSatelliteLine(satelliteFormState.record->nameLine, line);
}

bool FormRecordIsDamaged() {
    SatelliteElements elements{};
    return satelliteFormState.record && GetSatelliteCount() > 0 &&
           !InitSatelliteElements(satelliteFormState.record, &elements);
}

void DrawSatelliteMarker(int x, int y) {
    ReleaseSatelliteMarker();
    marker.x = x - ScaleX(7);
    marker.y = y - ScaleY(7);
    marker.bits = SaveBits(XywhRect{marker.x, marker.y, ScaleX(15), ScaleY(15)});
    DrawObjectSymbol(kSatelliteSymbol, 0, 0, x, y);
}

void RestoreSatelliteMarker() {
    if (marker.bits) RestoreBits(marker.bits, marker.x, marker.y);
    marker.bits = nullptr;
}

void ReleaseSatelliteMarker() {
    DeleteOffscreenWindow(marker.bits);
    marker.bits = nullptr;
}

bool SatelliteLargeLayout() { return static_cast<int>(displayScale.scaleX) >= 2; }

void DrawSatelliteHeader(const char* text, int x, int y) {
    if (SatelliteLargeLayout()) {
        SelectFont(5);
        DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y);
    } else {
        SelectFont(0);
        DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y);
    }
}

void DrawSatelliteLine(const char* text, int x, int y) {
    SelectFont(SatelliteLargeLayout() ? 4 : 0);
    DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y);
}

std::string SatelliteValueText(double value, const char* unit) {
    if (!std::isfinite(value)) return "-";
    char number[32];
    DoubleToStr(number, sizeof number, value, 1);
    return std::string(number) + unit;
}

std::string SatelliteCoordinateText(double value, const char* positive, const char* negative) {
    if (!std::isfinite(value)) return "-";
    return SatelliteValueText(std::fabs(value), value < 0 ? negative : positive);
}

std::string SatelliteRightAscensionText(double hours, std::size_t keep) {
    if (!std::isfinite(hours)) return "-";
    char text[32];
    return std::string(HMSToStr(text, sizeof text, hours)).substr(0, keep);
}

std::string SatelliteDeclinationText(double degrees) {
    if (!std::isfinite(degrees)) return "-";
    char text[32];
    return std::string(DegToStr(text, sizeof text, degrees)).substr(0, degrees > 0 ? 5 : 6);
}

bool HasSubPoint(const SatelliteElements& el) { return std::isfinite(el.subLongitude) && std::isfinite(el.subLatitude); }

void DrawTrackLine(int x1, int y1, int x2, int y2) {
    DrawLine(x1, y1, x2, y2);
    for (int extra = 1; extra < ScaleX(1); ++extra) DrawLine(x1 + extra, y1, x2 + extra, y2);
}
