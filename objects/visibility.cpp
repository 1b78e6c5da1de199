#include "objects/visibility.h"

#include <algorithm>
#include <cmath>

#include "core/rise_set.h"

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 24;  // backgrounds 4 .. 27 mag/arcsec²
constexpr double kFirstRowBackground = 4.0;
constexpr double kLogAngle[kColumns] = {-0.2255, 0.5563, 0.9859, 1.2601, 1.7419, 2.0828, 2.5563};

// log10 of the eye's threshold contrast by background (rows) and log10 of the
// apparent angle in arcminutes (columns).
constexpr double kLogThreshold[kRows][kColumns] = {
    {-0.376911, -1.806444, -2.336825, -2.460093, -2.546943, -2.560968, -2.565971},
    {-0.331451, -1.774717, -2.333688, -2.460781, -2.546521, -2.560729, -2.565756},
    {-0.268183, -1.734482, -2.331011, -2.460521, -2.546681, -2.560819, -2.565837},
    {-0.198177, -1.685101, -2.313951, -2.457228, -2.548051, -2.561529, -2.56646},
    {-0.123815, -1.625192, -2.279119, -2.446245, -2.546321, -2.55969, -2.56457},
    {-0.042444, -1.552937, -2.229734, -2.421422, -2.534318, -2.55013, -2.555202},
    {0.049842, -1.465538, -2.165945, -2.376266, -2.504717, -2.526875, -2.533309},
    {0.159558, -1.358054, -2.081004, -2.303572, -2.449928, -2.482261, -2.49371},
    {0.293354, -1.22564, -1.967364, -2.196521, -2.363052, -2.40917, -2.431807},
    {0.455739, -1.067267, -1.818647, -2.053094, -2.24449, -2.308296, -2.349087},
    {0.64999, -0.884068, -1.629165, -1.874059, -2.098851, -2.184839, -2.250534},
    {0.880777, -0.668706, -1.39667, -1.661059, -1.92837, -2.041067, -2.137519},
    {1.15584, -0.395243, -1.126426, -1.417576, -1.729969, -1.872722, -2.003406},
    {1.482228, -0.041944, -0.824314, -1.147481, -1.502126, -1.676828, -1.842016},
    {1.855923, 0.345791, -0.492425, -0.856105, -1.266128, -1.472054, -1.662449},
    {2.266949, 0.696, -0.131546, -0.550963, -1.056193, -1.28921, -1.482659},
    {2.676, 1.088, 0.206, -0.321, -0.88, -1.137, -1.362},
    {2.776553, 1.206474, 0.346695, -0.13774, -0.736142, -0.9964, -1.2439},
    {2.930431, 1.382138, 0.535251, 0.032813, -0.560534, -0.8606, -1.1187},
    {3.163406, 1.610655, 0.770789, 0.253144, -0.3895, -0.703, -0.968133},
    {3.464285, 1.903381, 1.033812, 0.494252, -0.203342, -0.525901, -0.8288},
    {3.821092, 2.256431, 1.326535, 0.760529, 0.0172, -0.2992, -0.6394},
    {4.221, 2.632, 1.699, 1.132, 0.286, -0.051, -0.408},
    {4.61, 3.066, 2.132, 1.585, 0.652, 0.241, -0.121},
};

// (background, log10 of the optimum apparent angle in arcminutes); no point
// between 4 and 9.
constexpr int kOptimumPoints = 18;
constexpr double kOptimum[kOptimumPoints][2] = {
    {4, 0.97},  {9, 1.01},  {11, 1.04}, {13, 1.07}, {14, 1.11}, {15, 1.14}, {16, 1.20}, {17, 1.26}, {18, 1.36},
    {19, 1.49}, {20, 1.62}, {21, 1.71}, {22, 1.79}, {23, 1.83}, {24, 1.86}, {25, 1.90}, {26, 1.96}, {27, 2.07},
};

constexpr double kPowerPerInch = 0.03937007874015748 * 3.375;
constexpr double kExitPupilFactor = 0.11155460629921259;  // per millimetre of aperture
constexpr int kMaxPasses = 100;
constexpr double kLogLimit = 37.0;

double Lerp(double x0, double y0, double x1, double y1, double x) { return y0 + (x - x0) / (x1 - x0) * (y1 - y0); }

// A row of the threshold table at log10 of an angle.
double RowValue(const double (&row)[kColumns], double logAngle) {
    if (logAngle <= kLogAngle[0]) return row[0];
    if (logAngle >= kLogAngle[kColumns - 1])
        return Lerp(kLogAngle[kColumns - 2], row[kColumns - 2], kLogAngle[kColumns - 1], row[kColumns - 1], logAngle);
    int j = 0;
    while (j < kColumns - 2 && !(logAngle <= kLogAngle[j + 1])) ++j;
    return Lerp(kLogAngle[j], row[j], kLogAngle[j + 1], row[j + 1], logAngle);
}

// The first of the two rows used: the background's whole part less 4, within 0..22.
int FirstRow(double background) {
    if (!(background >= kFirstRowBackground + 1.0)) return 0;
    if (background >= kFirstRowBackground + kRows - 2) return kRows - 2;
    return static_cast<int>(background) - static_cast<int>(kFirstRowBackground);
}

double TenTo(double logValue) { return std::pow(10.0, std::clamp(logValue, -kLogLimit, kLogLimit)); }

}  // namespace

int ComputeScopeLimits(double D, double* limitingMagnitude, int* minPower) {
    const int power = static_cast<int>(D * kPowerPerInch + 0.5);
    if (limitingMagnitude) *limitingMagnitude = 3.7 + 2.5 * std::log10(D * D);
    if (minPower) *minPower = power;
    return power;
}

void ComputeObjectContrast(double mag, double a, double b, double sky, double* objectBrightness, double* logContrast,
                           double* minorSize, double* combinedBrightness) {
    const double brightness = mag + 2.5 * std::log10(a * b * 2827.0);
    *objectBrightness = brightness;
    *logContrast = -0.4 * (brightness - sky);
    *minorSize = a < b ? a : b;
    *combinedBrightness = -2.5 * std::log10(std::pow(10.0, -0.4 * sky) + std::pow(10.0, -0.4 * brightness));
}

double ThresholdContrast(double angle, double background) {
    const double logAngle = std::log10(angle);
    const int k = FirstRow(background);
    const double lo = RowValue(kLogThreshold[k], logAngle);
    const double hi = RowValue(kLogThreshold[k + 1], logAngle);
    const double last = kFirstRowBackground + kRows - 1;
    double value;
    if (background < kFirstRowBackground) value = lo;
    else if (background >= last) value = hi + (background - last) * (hi - lo);
    else value = lo + (background - static_cast<int>(background)) * (hi - lo);
    return TenTo(value);
}

double OptimumVisualAngle(double background) {
    double value;
    if (background <= kOptimum[0][0]) {
        value = kOptimum[0][1];
    } else if (background >= kOptimum[kOptimumPoints - 1][0]) {
        const auto& p = kOptimum[kOptimumPoints - 2];
        const auto& q = kOptimum[kOptimumPoints - 1];
        value = p[1] + (background - p[0]) * (q[1] - p[1]);
    } else {
        int j = 0;
        while (j < kOptimumPoints - 2 && !(background <= kOptimum[j + 1][0])) ++j;
        value = Lerp(kOptimum[j][0], kOptimum[j][1], kOptimum[j + 1][0], kOptimum[j + 1][1], background);
    }
    return std::min(TenTo(value), 360.0);
}

BestPower FindBestPower(double sky, double minorSize, double D, int minPower, int maxPower, double combinedBrightness) {
    BestPower r;
    const double n = 1.0 / (D * kExitPupilFactor);
    double m = 100.0;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        r.logMagnification = 5.0 * std::log10(m * n);
        r.background = sky + r.logMagnification;
        double next = OptimumVisualAngle(r.background) / minorSize;
        if (next < minPower) next = minPower;
        const double d = next - m;
        m = next;
        if (d >= -0.1 && d <= 0.1) break;
    }
    r.magnifiedCombined = r.logMagnification + combinedBrightness;
    r.power = std::isfinite(m) ? static_cast<int>(std::min(m + 0.5, 1e9)) : minPower;
    if (r.power < minPower) r.power = minPower;
    if (r.power > maxPower) r.power = maxPower;
    r.logThreshold = std::log10(ThresholdContrast(r.power * minorSize, r.background));
    return r;
}

void RateObjectVisibility(double D, double F, double sky, double mag, double a, double b, int* power,
                          double* rating) {
    *power = 0;
    *rating = 0.0;
    if (!std::isfinite(D) || !std::isfinite(F) || !std::isfinite(sky) || !std::isfinite(mag) || !std::isfinite(a) ||
        !std::isfinite(b) || a <= 0.0)
        return;
    if (b <= 0.0) b = a;
    double limit = 0.0;
    int minPower = ComputeScopeLimits(D, &limit, nullptr);
    if (minPower < 0.02 * F) minPower = static_cast<int>(0.02 * F);
    int maxPower = static_cast<int>(1.5 * D);
    if (maxPower > 0.25 * F) maxPower = static_cast<int>(0.25 * F);
    if (limit < mag) return;
    double brightness, logContrast, minor, combined;
    ComputeObjectContrast(mag, a, b, sky, &brightness, &logContrast, &minor, &combined);
    const BestPower best = FindBestPower(sky, minor, D, minPower, maxPower, combined);
    *power = best.power;
    *rating = logContrast - best.logThreshold;
}

int DifficultyClass(float rating) {
    if (std::isnan(rating)) return -1;
    if (rating <= 0.5f) return 0;
    if (rating <= 1.0f) return 1;
    if (rating <= 1.5f) return 2;
    if (rating <= 2.0f) return 3;
    return 4;
}

const char* DifficultyWord(int difficultyClass) {
    static const char* const kWords[] = {"Too faint", "Very difficult", "Difficult", "Easy", "Very easy"};
    return difficultyClass >= 0 && difficultyClass < 5 ? kWords[difficultyClass] : "";
}

unsigned DayOwnEvents(unsigned events, double rise, double set) {
    if (!HappensOnDay(true, rise)) events &= ~unsigned{kRiseSetRises};
    if (!HappensOnDay(true, set)) events &= ~unsigned{kRiseSetSets};
    return events;
}
