#include "core/nutation.h"

#include <cmath>

#include "core/nutation_tables.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kDegToRad = 0.017453292519943295;

// Cache of ComputeNutationSeries.
bool seriesCached = false;
double cachedT = 0.0;
double cachedLongitude = 0.0;
double cachedObliquity = 0.0;
long evaluationCount = 0;

// Work tables: cosine and sine of the 106 argument combinations. Static storage, so setting
// them up cannot fail; "allocated" only says whether they hold a set-up table.
double cosTable[kNutationArgumentCount];
double sinTable[kNutationArgumentCount];
bool tablesAllocated = false;

// Cache of ComputeEarthTilt.
bool tiltCached = false;
double tiltJd = 0.0;
double tiltLongitude = 0.0;
double tiltObliquity = 0.0;

double ReduceAngle(double x) {
    double r = std::fmod(x, kTwoPi);
    return r < 0.0 ? r + kTwoPi : r;
}

void AllocateTables() {
    if (tablesAllocated) return;
    for (int k = 0; k < kNutationArgumentCount; ++k) cosTable[k] = sinTable[k] = 0.0;
    tablesAllocated = true;
}

// Stores cos and sin of (entry i + sign * entry j) at entry k.
void CombineEntries(int k, int i, int j, double sign) {
    cosTable[k] = cosTable[i] * cosTable[j] - sign * sinTable[i] * sinTable[j];
    sinTable[k] = sinTable[i] * cosTable[j] + sign * cosTable[i] * sinTable[j];
}

// Fills the argument table from the five direct evaluations and the recipe.
void BuildArgumentTable(const double* args) {
    for (int k = 0; k < 5; ++k) {
        const int16_t* d = nutationDirectArguments[k];
        double angle = args[d[0]] * (d[1] + 1);
        cosTable[k] = std::cos(angle);
        sinTable[k] = std::sin(angle);
    }
    for (int k = 0; k < 5; ++k) {
        CombineEntries(5 + k, nutationDoubledArguments[k][0], nutationDoubledArguments[k][1], 1.0);
    }
    int next = 10;
    for (int s = 0; s < kNutationRecipeLength; ++s) {
        int op = nutationRecipe[s][0], i = nutationRecipe[s][1], j = nutationRecipe[s][2];
        if (op == 3) break;
        if ((op == 0 || op == 2) && next < kNutationArgumentCount) CombineEntries(next++, i, j, 1.0);
        if ((op == 1 || op == 2) && next < kNutationArgumentCount) CombineEntries(next++, i, j, -1.0);
    }
}

double SumTerms(const double* table, const int16_t* index, const double* amplitude, int count) {
    double sum = 0.0;
    for (int k = 0; k < count; ++k) sum += amplitude[k] * table[index[k]];
    return sum;
}

}  // namespace

void ComputeFundamentalArguments(double t, double* args) {
    args[0] = ReduceAngle(2.3555483935439407 +
        (8328.691422883896 + (0.0001517951635553957 + 3.1028075591010306e-7 * t) * t) * t);
    args[1] = ReduceAngle(6.240035939326023 +
        (628.3019560241842 + (-2.7973749400020225e-6 - 5.817764173314431e-8 * t) * t) * t);
    args[2] = ReduceAngle(1.6279019339719611 +
        (8433.466158318453 + (-6.427174970469119e-5 + 5.332950492204896e-8 * t) * t) * t);
    args[3] = ReduceAngle(5.198469513579922 +
        (7771.377146170642 + (-3.340851076525812e-5 + 9.211459941081184e-8 * t) * t) * t);
    args[4] = ReduceAngle(2.1824386243609943 +
        (-33.75704593375351 + (3.614285992671591e-5 + 3.878509448876288e-8 * t) * t) * t);
}

int ComputeNutationSeries(double t, double* nutationLongitude, double* nutationObliquity) {
    if (!seriesCached || t != cachedT) {
        double args[5];
        ComputeFundamentalArguments(t, args);
        AllocateTables();
        BuildArgumentTable(args);
        double s0 = SumTerms(sinTable, nutationLongitudeIndex, nutationLongitudeAmplitude,
                             kNutationLongitudeTerms);
        double s1 = SumTerms(sinTable, nutationLongitudeRateIndex, nutationLongitudeRateAmplitude,
                             kNutationLongitudeRateTerms);
        double c0 = SumTerms(cosTable, nutationObliquityIndex, nutationObliquityAmplitude,
                             kNutationObliquityTerms);
        double c1 = SumTerms(cosTable, nutationObliquityRateIndex, nutationObliquityRateAmplitude,
                             kNutationObliquityRateTerms);
        cachedLongitude = (s1 * t + s0) * 0.0001;
        cachedObliquity = (c1 * t + c0) * 0.0001;
        cachedT = t;
        seriesCached = true;
        ++evaluationCount;
    }
    *nutationLongitude = cachedLongitude;
    *nutationObliquity = cachedObliquity;
    return 0;
}

void FreeNutationTables() {
    tablesAllocated = false;
}

long GetNutationEvaluationCount() {
    return evaluationCount;
}

void ComputeEarthTilt(double jd, double* meanObliquity, double* trueObliquity,
                      double* equationOfEquinoxes, double* nutationLongitude,
                      double* nutationObliquity) {
    double t = (jd - 2451545.0) * 2.7378507871321012e-5;
    if (!tiltCached || std::fabs(jd - tiltJd) > 1e-6) {
        ComputeNutationSeries(t, &tiltLongitude, &tiltObliquity);
        tiltCached = true;
    }
    double e0 = 84381.448 + (-46.815 + (-0.00059 + 0.001813 * t) * t) * t;  // arcsec
    double e = e0 + tiltObliquity;
    double args[5];
    ComputeFundamentalArguments(t, args);
    double omega = args[4];
    *equationOfEquinoxes = (tiltLongitude * std::cos(e0 / 3600.0 * kDegToRad) +
                            0.00264 * std::sin(omega) + 6.3e-5 * std::sin(2.0 * omega)) / 15.0;
    *meanObliquity = e0 / 3600.0;
    *trueObliquity = e / 3600.0;
    *nutationLongitude = tiltLongitude;
    *nutationObliquity = tiltObliquity;
    tiltJd = jd;
}

void ResetNutationCaches() {
    seriesCached = false;
    tiltCached = false;
    cachedT = cachedLongitude = cachedObliquity = 0.0;
    tiltJd = tiltLongitude = tiltObliquity = 0.0;
}
