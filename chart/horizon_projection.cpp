#include "chart/horizon_projection.h"

#include <algorithm>
#include <cmath>

#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/fixed_trig_batch.h"
#include "core/horizontal.h"
#include "core/shared_state.h"

HorizonProjection horizonProjection{};

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kHoursToRad = 0.261799387799183;
constexpr double kRadToHours = 3.819718634205488;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kUnit = 16777216.0;
// Horizon View: degrees x 2^18 from a Fix24Angle (x 180 / (64 pi)) and from radians.
constexpr int64_t kPanoramaFix = 15019745;
constexpr double kPanoramaRad = 0.8952465548;

// A real quantity x 2^24 truncated, held inside the int32 range (NaN gives 0).
int32_t ToUnit(double v) {
    v *= kUnit;
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

// Hour angle into [-pi, pi] by whole turns; exactly +-pi stays.
int32_t ReduceHourAngle(int32_t lst, int32_t ra) {
    int64_t h = static_cast<int64_t>(lst) - ra;
    if (h > kFix24Pi) h -= ((h - kFix24Pi - 1) / kFix24TwoPi + 1) * kFix24TwoPi;
    if (h < -kFix24Pi) h += ((-kFix24Pi - 1 - h) / kFix24TwoPi + 1) * kFix24TwoPi;
    return static_cast<int32_t>(h);
}

// sin h = (cos H cos dec) cos lat + sin lat sin dec.
int32_t SinAltitude(int32_t cosH, int32_t cosD, int32_t sinD) {
    const HorizonProjection& p = horizonProjection;
    return WrapAdd(FixMul24(FixMul24(cosH, cosD), p.cosLatitude), FixMul24(p.sinLatitude, sinD));
}

// The two arguments of the azimuth's arctangent: -cos dec sin H and
// cos lat sin dec - sin lat (cos H cos dec).
void AzimuthArguments(int32_t cosH, int32_t sinH, int32_t cosD, int32_t sinD, int32_t* y, int32_t* x) {
    const HorizonProjection& p = horizonProjection;
    *y = FixMul24(WrapSub(0, cosD), sinH);
    *x = WrapSub(FixMul24(p.cosLatitude, sinD), FixMul24(p.sinLatitude, FixMul24(cosH, cosD)));
}

void PanoramaWords(Fix24Angle h, Fix24Angle azimuth, int32_t* a, int32_t* b) {
    *a = static_cast<int32_t>((h * kPanoramaFix) >> 24);
    *b = static_cast<int32_t>((azimuth * kPanoramaFix) >> 24);
}

// r = tan((pi/2 - h) / 2), then (r cos A, r sin A) turned back by R.
void SkyMapWords(Fix24Angle h, int32_t cosA, int32_t sinA, int32_t* a, int32_t* b) {
    const HorizonProjection& p = horizonProjection;
    int32_t r = FixPoly24(WrapSub(kFix24HalfPi, h) >> 1);
    int32_t u = FixMul24(r, cosA), v = FixMul24(r, sinA);
    *a = WrapAdd(FixMul24(u, p.cosRotation), FixMul24(v, p.sinRotation));
    *b = WrapSub(FixMul24(v, p.cosRotation), FixMul24(u, p.sinRotation));
}

// (a, b) turned by the angle of (c, s).
void TurnWords(int32_t* a, int32_t* b, int32_t c, int32_t s) {
    int32_t a0 = *a, b0 = *b;
    *a = WrapAdd(FixMul24(a0, c), FixMul24(b0, s));
    *b = WrapSub(FixMul24(b0, c), FixMul24(a0, s));
}

// Azimuth and altitude (radians) under a device pixel of the horizon chart.
void ChartPointToHorizon(int32_t x, int32_t y, double* azimuth, double* altitude) {
    int32_t cx, cy, kx, ky;
    GetChartViewRect(&cx, &cy, &kx, &ky);
    if (chartView != 0) {
        // Inverse of the panorama: pixels / (k x 2^-24 x 256) degrees.
        *azimuth = (cx - static_cast<double>(x)) / (kx * (256.0 / kUnit)) * kDegToRad;
        *altitude = (cy - static_cast<double>(y)) / (ky * (256.0 / kUnit)) * kDegToRad;
        return;
    }
    double b = ScreenOffsetToUnits(static_cast<int64_t>(cx) - x, kx, 34) / kUnit;
    double a = ScreenOffsetToUnits(static_cast<int64_t>(cy) - y, ky, 34) / kUnit;
    double cosR = horizonProjection.cosRotationF, sinR = horizonProjection.sinRotationF;
    double c = a * cosR - b * sinR, d = b * cosR + a * sinR;
    *azimuth = std::atan2(d, c);
    // r from both components: c / cos A would read the whole row c = 0 as the zenith.
    *altitude = M_PI / 2 - 2 * std::atan(std::hypot(c, d));
}

}  // namespace

int32_t SetHorizonRotation(int32_t angleDegrees) {
    HorizonProjection& p = horizonProjection;
    p.sinLatitude = static_cast<int32_t>(currentSite.sinLatitude * kUnit);
    p.cosLatitude = static_cast<int32_t>(currentSite.cosLatitude * kUnit);
    double r = angleDegrees * kDegToRad;
    double c = std::cos(r), s = std::sin(r);
    p.cosRotationF = static_cast<float>(c);
    p.sinRotationF = static_cast<float>(s);
    p.cosRotation = static_cast<int32_t>(c * kUnit);
    p.sinRotation = static_cast<int32_t>(s * kUnit);
    return p.sinRotation;
}

void GetHorizonRotation(float* cosine, float* sine) {
    *cosine = horizonProjection.cosRotationF;
    *sine = horizonProjection.sinRotationF;
}

int ProjectHourAngleToHorizon(Fix24Angle lst, Fix24Angle ra, Fix24Angle dec, int32_t* a, int32_t* b) {
    int32_t cosH, sinH, cosD, sinD;
    FixSinCos24(ReduceHourAngle(lst, ra), &cosH, &sinH);
    FixSinCos24(dec, &cosD, &sinD);
    int32_t sinAlt = SinAltitude(cosH, cosD, sinD);
    if (sinAlt < 0) return 0;
    Fix24Angle h = FixAsin24(sinAlt);
    int32_t ay, ax;
    AzimuthArguments(cosH, sinH, cosD, sinD, &ay, &ax);
    Fix24Angle azimuth = FixAtan2_24(ay, ax);  // already in [0, 2 pi)
    if (chartView != 0) {
        PanoramaWords(h, azimuth, a, b);
    } else {
        int32_t cosA, sinA;
        FixSinCos24(azimuth, &cosA, &sinA);
        SkyMapWords(h, cosA, sinA, a, b);
    }
    return 1;
}

void ProjectHourAngleToHorizonBatch(Fix24Angle lst, int n, const Fix24Angle* ra, const int32_t* cosDec,
                                    const int32_t* sinDec, int32_t* a, int32_t* b, uint8_t* above) {
    constexpr int kChunk = 512;
    int32_t hourAngle[kChunk], cosH[kChunk], sinH[kChunk], sinAlt[kChunk], ay[kChunk], ax[kChunk];
    int32_t h[kChunk], azimuth[kChunk], cosA[kChunk], sinA[kChunk], index[kChunk];
    for (int first = 0; first < n; first += kChunk) {
        const int m = std::min(kChunk, n - first);
        for (int i = 0; i < m; ++i) hourAngle[i] = ReduceHourAngle(lst, ra[first + i]);
        FixSinCos24Batch(hourAngle, m, cosH, sinH);
        int k = 0;  // stars above the horizon, packed
        for (int i = 0; i < m; ++i) {
            const int star = first + i;
            int32_t s = SinAltitude(cosH[i], cosDec[star], sinDec[star]);
            above[star] = s >= 0;
            if (s < 0) continue;
            index[k] = star;
            sinAlt[k] = s;
            AzimuthArguments(cosH[i], sinH[i], cosDec[star], sinDec[star], &ay[k], &ax[k]);
            ++k;
        }
        FixAsin24Batch(sinAlt, k, h);
        FixAtan2_24Batch(ay, ax, k, azimuth);
        if (chartView != 0) {
            for (int j = 0; j < k; ++j) PanoramaWords(h[j], azimuth[j], &a[index[j]], &b[index[j]]);
            continue;
        }
        FixSinCos24Batch(azimuth, k, cosA, sinA);
        for (int j = 0; j < k; ++j) SkyMapWords(h[j], cosA[j], sinA[j], &a[index[j]], &b[index[j]]);
    }
}

int ProjectRaDecToHorizon(float lstHours, float raHours, float decDegrees, int32_t* a, int32_t* b) {
    double hourAngle = std::remainder(static_cast<double>(lstHours) - raHours, 24.0) * kHoursToRad;
    double dec = decDegrees * kDegToRad;
    double sinLat = currentSite.sinLatitude, cosLat = currentSite.cosLatitude;
    double sinAlt = cosLat * std::cos(dec) * std::cos(hourAngle) + sinLat * std::sin(dec);
    if (!(sinAlt >= 0)) return 0;
    double h = std::asin(std::min(sinAlt, 1.0));
    double azimuth = std::atan2(-std::sin(hourAngle) * std::cos(dec),
                                cosLat * std::sin(dec) - sinLat * std::cos(dec) * std::cos(hourAngle));
    if (azimuth < 0) azimuth += 2 * M_PI;
    if (chartView != 0) {
        *a = ToUnit(h * kPanoramaRad);
        *b = ToUnit(azimuth * kPanoramaRad);
        return 1;
    }
    double r = std::tan((M_PI / 2 - h) * 0.5);
    double cosR = horizonProjection.cosRotationF, sinR = horizonProjection.sinRotationF;
    *a = ToUnit(sinR * r * std::sin(azimuth) + cosR * r * std::cos(azimuth));
    *b = ToUnit(cosR * r * std::sin(azimuth) - sinR * r * std::cos(azimuth));
    return 1;
}

int64_t ScreenOffsetToUnits(int64_t pixels, int32_t scale, int shift) {
    if (scale == 0) return 0;
    pixels = std::clamp<int64_t>(pixels, -(int64_t{1} << 28), int64_t{1} << 28);
    return pixels * (int64_t{1} << shift) / scale;
}

int32_t PanoramaWidth() {
    int32_t cx, cy, kx, ky;
    GetChartViewRect(&cx, &cy, &kx, &ky);
    int64_t w = (static_cast<int64_t>(kx) * 92160) / (int64_t{1} << 24);
    return static_cast<int32_t>(w < 0 ? -w : w);
}

int32_t WrapPanoramaX(int32_t x, int32_t left, int32_t right, int32_t width) {
    if (x < left) return x + width;
    if (x > right) return x - width;
    return x;
}

bool IsPanoramaSegmentDrawn(int32_t x1, int32_t x2, int32_t width) {
    int64_t d = static_cast<int64_t>(x1) - x2;
    return 2 * (d < 0 ? -d : d) < width;
}

void HorizonPointToScreen(int32_t a, int32_t b, int32_t* x, int32_t* y) {
    int32_t cx, cy, kx, ky;
    GetChartViewRect(&cx, &cy, &kx, &ky);
    // ((v k) >> 24) >> 10, both shifts flooring, is (v k) >> 34.
    *x = static_cast<int32_t>(cx - ((static_cast<int64_t>(b) * kx) >> 34));
    *y = static_cast<int32_t>(cy - ((static_cast<int64_t>(a) * ky) >> 34));
}

int AltAzToChartPoint(float azimuthDeg, float altitudeDeg, int32_t* x, int32_t* y) {
    double r = std::tan((M_PI / 2 - altitudeDeg * kDegToRad) * 0.5);
    double azimuth = azimuthDeg * kDegToRad;
    double cosR = horizonProjection.cosRotationF, sinR = horizonProjection.sinRotationF;
    int32_t a = ToUnit(sinR * r * std::sin(azimuth) + cosR * r * std::cos(azimuth));
    int32_t b = ToUnit(cosR * r * std::sin(azimuth) - sinR * r * std::cos(azimuth));
    HorizonPointToScreen(a, b, x, y);
    return 1;
}

void ChartPointToAltAz(int32_t x, int32_t y, float* azimuthDeg, float* altitudeDeg) {
    double azimuth, altitude;
    ChartPointToHorizon(x, y, &azimuth, &altitude);
    double degrees = std::fmod(azimuth * kRadToDeg, 360.0);
    *azimuthDeg = static_cast<float>(degrees < 0 ? degrees + 360.0 : degrees);
    *altitudeDeg = static_cast<float>(altitude * kRadToDeg);
}

void ChartPointToRaDec(int32_t x, int32_t y, float* raHours, float* decDegrees) {
    double azimuth, h;
    ChartPointToHorizon(x, y, &azimuth, &h);
    double lat = currentSite.latitude * kDegToRad;
    double sinLat = std::sin(lat), cosLat = std::cos(lat);
    double sinDec = std::cos(azimuth) * cosLat * std::cos(h) + sinLat * std::sin(h);
    double hourAngle = std::atan2(-std::cos(h) * std::sin(azimuth),
                                  cosLat * std::sin(h) - sinLat * std::cos(h) * std::cos(azimuth)) * kRadToHours;
    double ra = chartTimeRecord.lstHours - hourAngle + 24;
    while (ra > 24) ra -= 24;
    while (ra < 0) ra += 24;
    *raHours = static_cast<float>(ra);
    *decDegrees = static_cast<float>(std::asin(std::clamp(sinDec, -1.0, 1.0)) * kRadToDeg);
}

void HorizontalToEquatorial(double lstHours, double azimuthRad, double altitudeRad, double* raHours,
                            double* decDegrees) {
    double sinLat = currentSite.sinLatitude, cosLat = currentSite.cosLatitude;
    double ch = std::cos(altitudeRad), sh = std::sin(altitudeRad);
    double ra = lstHours + std::atan2(ch * std::sin(azimuthRad), cosLat * sh - sinLat * ch * std::cos(azimuthRad)) *
                               kRadToHours;
    if (ra < 0) ra += 24;
    if (ra > 24) ra -= 24;
    *raHours = ra;
    // The stored float sine and cosine can make the pole's sine a rounding error above 1.
    *decDegrees = std::asin(std::clamp(cosLat * ch * std::cos(azimuthRad) + sinLat * sh, -1.0, 1.0)) * kRadToDeg;
}

void RotateHorizonProjection(int32_t deltaDegrees) {
    EmptyChartScreenLists();
    int32_t c, s;
    FixSinCos24(static_cast<int32_t>(int64_t{deltaDegrees} * 292817), &c, &s);
    for (int i = 0; i < kBrightStarCount; ++i) {
        StarRecord& star = brightStarTable[i];
        if (star.hidden != 0) continue;
        TurnWords(&star.chartWords[0], &star.chartWords[1], c, s);
        HorizonPointToScreen(star.chartWords[0], star.chartWords[1], &star.screenX, &star.screenY);
    }
    for (int i = 0; selectionList && i < selectionCount; ++i) {
        SelectionEntry& entry = selectionList[i];
        if (entry.horizonHidden != 0) continue;
        TurnWords(&entry.chartX, &entry.chartY, c, s);
        HorizonPointToScreen(entry.chartX, entry.chartY, &entry.screenX, &entry.screenY);
    }
}

void TurnChartToTarget(const ObjectRecord* centre, int32_t* storedAngle, float lstHours) {
    if (chartView != 0) return;
    double azimuth = ComputeAzimuth(lstHours, centre->rightAscension, centre->declination, currentSite.latitude);
    int32_t r = static_cast<int32_t>(azimuth - 180.0);
    RotateHorizonProjection(r - *storedAngle);
    *storedAngle = r;
    SetHorizonRotation(r);
}

void ResetHorizonProjection() { horizonProjection = HorizonProjection{0, kFix24One, 0.0f, 1.0f, 0, kFix24One}; }
