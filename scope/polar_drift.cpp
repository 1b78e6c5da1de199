#include "scope/polar_drift.h"

#include <cmath>
#include <cstdio>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "scope/polar_form.h"
#include "ui/control_access.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr double kArcsecPerRadian = 206264.80624709636;
constexpr double kArcsecPerRadianAlt = 648000.0 / 3.14159265358979323846;

double FieldValue(int id, double (*parse)(const char*)) {
    char text[40] = {};
    GetField(id, text, sizeof text);
    return parse(text);
}

double ParseNumber(const char* text) { return ParseDouble(text); }

std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// A zero result shows as "0.00", never "-0.00" (adding 0.0 makes -0 +0).
void ShowFixed(int id, double value, int decimals) { SetField(id, Fixed(value + 0.0, decimals).c_str()); }

std::string Format(const char* pattern, const std::string& count) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, count.c_str());
    return text;
}

std::string Format(const char* pattern, int degrees, const std::string& count) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, degrees, count.c_str());
    return text;
}

void ShowInstructions(const PolarResult& r, double dec, double lat, double resolution, bool rambaut) {
    for (const std::string& line : PolarInstructions(r, dec, lat, resolution, rambaut))
        ShowInformation(line.c_str(), "");
}

// h in degrees, lambda, A and k in arcseconds.
void ShowResult(const PolarResult& r) {
    ShowFixed(kPolarAngleField, std::fmod(r.angle, 2.0 * 3.14159265358979323846) / kDegToRad, 2);
    ShowFixed(kPolarLambdaField, r.lambda * kArcsecPerRadian, 2);
    ShowFixed(kPolarAzimuthField, r.azimuth * kArcsecPerRadianAlt, 2);
    ShowFixed(kPolarAltitudeField, r.altitude * kArcsecPerRadianAlt, 2);
}

}  // namespace

PolarInputs ReadPolarInputs() {
    PolarInputs in;
    in.latitude = currentSite.latitude * kDegToRad;
    in.longitude = currentSite.longitude * kDegToRad;
    in.height = currentSite.elevation;
    in.temperature = currentSite.temperature + 273.15;
    in.zoneMinutes = currentSite.zoneMinutes;
    const PolarDateTime& t = polarDateTime;
    in.year = t.year, in.month = t.month, in.day = t.day;
    in.hour = t.hour, in.minute = t.minute, in.second = t.second;
    in.driftSeconds = static_cast<double>(static_cast<int32_t>(driftEnd - driftStart));
    in.ra = FieldValue(kPolarRaField, ParseHoursToDegrees) * kDegToRad;
    in.dec = FieldValue(kPolarCorrectField, ParseSignedValue) * kDegToRad;
    in.rambautDec = FieldValue(kPolarDecField, ParseSignedValue) * kDegToRad;
    in.x = FieldValue(kPolarXField, ParseNumber);
    in.y = FieldValue(kPolarYField, ParseNumber);
    in.resolution = FieldValue(kPolarResolutionField, ParseNumber);
    preferences.SetFloat(kPrefPolarResolution, static_cast<float>(in.resolution));
    return in;
}

std::array<std::string, 3> PolarInstructions(const PolarResult& r, double dec, double lat, double resolution,
                                             bool rambaut) {
    const std::string azimuth = Fixed(std::fabs(FieldsOfView(r.azimuth, resolution)), 2);
    const std::string seen = Fixed(std::fabs(FieldsOfView(std::sin(dec - lat) * r.azimuth, resolution)), 2);
    const std::string altitude = Fixed(std::fabs(FieldsOfView(r.altitude, resolution)), 2);
    const bool east = r.azimuth > 0;
    const int degrees = WholeDegrees(dec / kDegToRad);
    if (rambaut)
        return {Format(east ? "Move the north end of the hour axis %s FOV to the EAST."
                            : "Move the north end of the hour axis %s FOV to the WEST.",
                       azimuth),
                Format(east ? "with star at declination %d degrees %s FOV to the EAST"
                            : "with star at declination %d degrees %s FOV to the WEST",
                       degrees, seen),
                Format(r.altitude > 0 ? "Lower elevation of the hour axis %s FOV"
                                      : "Increase  elevation of the hour axis %s FOV",
                       altitude)};
    return {Format(east ? "Move the north end of the hh axis %s FOV to the EAST."
                        : "Move the north end of the hh axis %s FOV to the WEST.",
                   azimuth),
            Format(east ? "with star at declination %d degree %s FOV to the EAST"
                        : "with star at declination %d degree %s FOV to the WEST",
                   degrees, seen),
            Format(r.altitude > 0 ? "Lower elevation of the hh axis %s FOV" : "Increase  elevation of the hh axis %s FOV",
                   altitude)};
}

void KingCorrection() {
    const PolarInputs in = ReadPolarInputs();
    const PolarResult r = KingDrift(in);
    char text[40];
    SetField(kPolarRaField, HMSToStr(text, sizeof text, in.ra / kDegToRad / 15.0));
    SetField(kPolarCorrectField, DegToStr(text, sizeof text, in.dec / kDegToRad));
    ShowFixed(kPolarXField, in.x, 2);
    ShowFixed(kPolarYField, in.y, 2);
    ShowFixed(kPolarResolutionField, in.resolution, 2);
    ShowResult(r);
    ShowInstructions(r, in.dec, in.latitude, in.resolution, false);
}

void RambautCorrection() {
    const PolarInputs in = ReadPolarInputs();
    const PolarResult r = RambautDrift(in);
    ShowFixed(kPolarDecField, in.rambautDec / kDegToRad, 4);
    ShowFixed(kPolarCorrectField, in.dec / kDegToRad, 4);
    ShowFixed(kPolarXField, in.x, 4);
    ShowFixed(kPolarYField, in.y, 4);
    ShowFixed(kPolarResolutionField, in.resolution, 2);
    ShowFixed(kPolarAngleField, r.angle / kDegToRad, 2);
    ShowFixed(kPolarLambdaField, r.lambda * kArcsecPerRadian, 2);
    ShowFixed(kPolarAzimuthField, r.azimuth * kArcsecPerRadian, 2);
    ShowFixed(kPolarAltitudeField, r.altitude * kArcsecPerRadian, 2);
    ShowInstructions(r, in.rambautDec, in.latitude, in.resolution, true);
}
