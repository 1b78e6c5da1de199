#include "scope/alignment.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "core/angle_text.h"
#include "core/matrix3.h"
#include "core/preferences.h"
#include "core/services.h"
#include "scope/drive_table.h"
#include "ui/input_polling.h"

namespace {

constexpr double kSiderealRate = 1.002737909350795;
constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegToRad = kPi / 180.0;
// Telescope or sky vectors of the two stars closer to parallel than this
// cannot fix a frame.
constexpr double kParallelLimit = 1e-7;

bool EqOutput() { return preferences.word[kPrefMountType] == 0; }

// The sky angle is the right ascension itself: an equatorial mount that
// tracks, read by a drive that reports its own right ascension.
bool SkyAngleIsRa() { return EqOutput() && IsEncoderDrive() == 0; }

// phi of an axis-1 reading in degrees.
double AxisOneAngle(double reading) { return (EqOutput() ? reading : 360.0 - reading) * kDegToRad; }

// Clock time (degrees) since the reference, radians, one day added when negative.
double ElapsedAngle(double time) {
    double t = time * kDegToRad - alignmentModel.referenceAngle;
    return t < 0.0 ? t + kTwoPi : t;
}

double SkyAngle(const AlignmentStar& star) {
    double ra = star.ra * kDegToRad;
    if (SkyAngleIsRa()) return ra;
    return ra - siderealRate * ElapsedAngle(star.time) - alignmentModel.platformElapsed;
}

void TelescopeVector(double phi, double theta, double out[3]) {
    out[0] = ScopeDirectionL(phi, theta);
    out[1] = ScopeDirectionM(phi, theta);
    out[2] = std::sin(theta + alignmentModel.z3);
}

void SkyVector(double a, double dec, double out[3]) {
    out[0] = std::cos(a) * std::cos(dec);
    out[1] = std::sin(a) * std::cos(dec);
    out[2] = std::sin(dec);
}

// Unit normal of the plane of a and b in out; false when a and b are too
// close to parallel (or not numbers) to give one.
bool UnitCross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
    if (!(std::hypot(out[0], out[1], out[2]) >= kParallelLimit)) return false;
    NormalizeVector3(out);
    return true;
}

// Matrix (row order) whose columns are a, b and c.
void Columns(const double a[3], const double b[3], const double c[3], double m[9]) {
    for (int r = 0; r < 3; ++r) {
        m[3 * r] = a[r];
        m[3 * r + 1] = b[r];
        m[3 * r + 2] = c[r];
    }
}

double ClampedAsin(double s) { return std::asin(std::clamp(s, -1.0, 1.0)); }

}  // namespace

AlignmentModel alignmentModel{};
double siderealRate = kSiderealRate;
AlignmentStar alignStar1{}, alignStar2{}, savedAlignStar1{}, savedAlignStar2{};
char alignmentReferenceText[10] = {};

void ParseAlignmentStar(AlignmentStar* star, const char* time, const char* ra, const char* dec,
                        const char* reading1, const char* reading2, const char* name) {
    if (!star || !time || !ra || !dec || !reading1 || !reading2 || !name) return;
    if (*time) star->time = ParseHoursToDegrees(time);
    if (*ra) star->ra = ParseHoursToDegrees(ra);
    if (*dec) star->dec = ParseSignedValue(dec);
    if (*reading1) star->reading1 = ParseSignedValue(reading1);
    if (*reading2) star->reading2 = ParseSignedValue(reading2);
    if (*name) {
        std::strncpy(star->name, name, sizeof star->name - 1);
        star->name[sizeof star->name - 1] = '\0';
    }
}

int ComputeAlignmentMatrix(const char* referenceText, const AlignmentStar* star1, const AlignmentStar* star2) {
    alignmentModel.valid = 0;
    if (!referenceText || !star1 || !star2) return 0;
    alignmentModel.referenceAngle = ParseHoursToDegrees(referenceText) * kDegToRad;
    double s1[3], s2[3], c[3];
    TelescopeVector(AxisOneAngle(star1->reading1), star1->reading2 * kDegToRad, s1);
    TelescopeVector(AxisOneAngle(star2->reading1), star2->reading2 * kDegToRad, s2);
    if (!UnitCross(s1, s2, c)) {
        ShowInformation("Please, fill all values", "");
        return 0;
    }
    double u1[3], u2[3], d[3];
    SkyVector(SkyAngle(*star1), star1->dec * kDegToRad, u1);
    SkyVector(SkyAngle(*star2), star2->dec * kDegToRad, u2);
    if (!UnitCross(u1, u2, d)) return 0;
    double scope[9], sky[9], skyInverse[9], transform[9];
    Columns(s1, s2, c, scope);
    Columns(u1, u2, d, sky);
    if (Matrix3Inverse(sky, skyInverse) == 0) return 0;
    Matrix3Multiply(scope, skyInverse, transform);
    std::memcpy(alignmentModel.transform, transform, sizeof transform);
    alignmentModel.valid = 1;
    return 1;
}

void SkyToScope(AlignmentStar* star) {
    if (!star || alignmentModel.valid == 0) return;
    double u[3], s[3], transform[9];
    SkyVector(SkyAngle(*star), star->dec * kDegToRad, u);
    std::memcpy(transform, alignmentModel.transform, sizeof transform);
    Matrix3MulVector(transform, u, s);
    if (std::fabs(s[2]) > 1.0) NormalizeVector3(s);
    double phi = std::atan2(s[1], s[0]);
    if (phi < 0.0) phi += kTwoPi;
    if (!EqOutput()) phi = kTwoPi - phi;
    star->model1 = phi;
    star->model2 = ClampedAsin(s[2]);
}

int ScopeToSky(double time, double reading1, double reading2, double* ra, double* dec) {
    if (alignmentModel.valid == 0 || !ra || !dec) return 0;
    double s[3], u[3], transform[9], inverse[9];
    TelescopeVector(AxisOneAngle(reading1), reading2 * kDegToRad, s);
    std::memcpy(transform, alignmentModel.transform, sizeof transform);
    if (Matrix3Inverse(transform, inverse) == 0) return 0;
    Matrix3MulVector(inverse, s, u);
    *dec = ClampedAsin(u[2]) / kDegToRad;
    double a = std::atan2(u[1], u[0]);
    if (!SkyAngleIsRa()) a = siderealRate * ElapsedAngle(time) + a + alignmentModel.platformElapsed;
    double hours = std::fmod(a / kDegToRad / 15.0, 24.0);
    if (hours < 0.0) hours += 24.0;
    *ra = hours < 24.0 ? hours : 0.0;
    return 1;
}

void ScopeAnglesFromVector(double* theta, double* phi) {
    const AlignmentModel& m = alignmentModel;
    double sp = std::sin(*phi), cp = std::cos(*phi), st = std::sin(*theta), ct = std::cos(*theta);
    double p = std::atan2(sp * ct - cp * m.z2 + cp * st * m.z1, cp * ct + sp * m.z2 - sp * st * m.z1);
    if (p < 0.0) p += kTwoPi;
    *phi = p - m.offset1;
    *theta = *theta - m.z3 - m.offset2;
}

double ScopeDirectionL(double phi, double theta) {
    const AlignmentModel& m = alignmentModel;
    double t = theta + m.z3;
    return std::cos(phi) * std::cos(t) - std::sin(phi) * m.z2 + std::sin(phi) * std::sin(t) * m.z1;
}

double ScopeDirectionM(double phi, double theta) {
    const AlignmentModel& m = alignmentModel;
    double t = theta + m.z3;
    return std::sin(phi) * std::cos(t) + std::cos(phi) * m.z2 - std::cos(phi) * std::sin(t) * m.z1;
}

void NormalizeVector3(double v[3]) {
    double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 1e-8) {
        v[0] /= length;
        v[1] /= length;
        v[2] /= length;
    }
}

int IsAlignmentValid() { return alignmentModel.valid != 0 ? 1 : 0; }

void ClearAlignmentValid() { alignmentModel.valid = 0; }

int GetPlatformMode() { return alignmentModel.platformMode; }

void SetPlatformMode(int on) {
    if (on != 0) {
        siderealRate = 0.0;
        alignmentModel.platformMode = on;
    } else {
        siderealRate = kSiderealRate;
        alignmentModel.platformElapsed = 0.0;
        alignmentModel.platformMode = 0;
    }
}

int ResetPlatform() {
    alignmentModel.platformElapsed = 0.0;
    if (alignmentModel.platformMode == 0) {
        ShowInformation("ResetPlatform", "PlatFormMode is not activated.");
        return 0;
    }
    int year, month, day, hour, minute, second;
    GetLocalDateTime(&year, &month, &day, &hour, &minute, &second);
    double now = (second / 3600.0 + minute / 60.0 + hour) * kPi / 12.0;
    alignmentModel.platformElapsed = (now - alignmentModel.referenceAngle) * kSiderealRate;
    return 1;
}

void ResetAlignmentModel() {
    alignmentModel = AlignmentModel{};
    siderealRate = kSiderealRate;
    alignStar1 = alignStar2 = savedAlignStar1 = savedAlignStar2 = AlignmentStar{};
    std::memset(alignmentReferenceText, 0, sizeof alignmentReferenceText);
}
