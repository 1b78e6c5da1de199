#include "scope/pointing_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/least_squares.h"
#include "core/preferences.h"
#include "core/services.h"

double pointingCoefficients[8] = {};
int pointingTermCount = kPointingTermLimit;

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
// A row value this large comes only from a position on the pole or the horizon,
// where the term is undefined (1/cos 90 deg is 1.6e16 in doubles, not infinite).
constexpr double kRowLimit = 1e12;
// Terms 5 to 7 enter only above this many terms.
constexpr int kBasicTerms = 4;

struct Rows {
    double axis1[kPointingTermLimit];
    double axis2[kPointingTermLimit];
    double residual1;
    double residual2;
};

void SetRow(double row[7], double given, double observed, double* residual,
            const std::array<double, kPointingTermLimit>& values) {
    for (int i = 0; i < kPointingTermLimit; ++i)
        row[i] = i < kBasicTerms || pointingTermCount > kBasicTerms ? values[i] : 0.0;
    if (residual) *residual = (observed - given) * kDegToRad;
}

// Both rows of a position for the current output type, with the residuals of
// an observed position.
Rows BuildRows(double phi, double theta, double observedPhi, double observedTheta) {
    Rows r;
    bool eq = preferences.word[kPrefMountType] == 0;
    (eq ? PointingRowEq1 : PointingRowAz1)(phi, theta, observedPhi, observedTheta, r.axis1, &r.residual1);
    (eq ? PointingRowEq2 : PointingRowAz2)(phi, theta, observedPhi, observedTheta, r.axis2, &r.residual2);
    return r;
}

bool Usable(const Rows& r) {
    for (int i = 0; i < kPointingTermLimit; ++i)
        if (!(std::fabs(r.axis1[i]) <= kRowLimit && std::fabs(r.axis2[i]) <= kRowLimit)) return false;
    return std::isfinite(r.residual1) && std::isfinite(r.residual2);
}

Rows EntryRows(const AlignmentStar& e) { return BuildRows(e.reading1, e.reading2, e.measured1, e.measured2); }

// Solves for the terms that have a row in some equation; the others stay 0.
int SolveTerms(const std::vector<Rows>& entries, int n) {
    std::vector<int> terms;
    for (int j = 0; j < n; ++j)
        for (const Rows& r : entries)
            if (r.axis1[j] != 0.0 || r.axis2[j] != 0.0) {
                terms.push_back(j);
                break;
            }
    const int m = 2 * static_cast<int>(entries.size()), k = static_cast<int>(terms.size());
    std::vector<double> a(static_cast<std::size_t>(m) * k), b(m);
    for (int i = 0; i < m / 2; ++i) {
        const Rows& r = entries[i];
        for (int j = 0; j < k; ++j) {
            a[(2 * i) * k + j] = r.axis1[terms[j]];
            a[(2 * i + 1) * k + j] = r.axis2[terms[j]];
        }
        b[2 * i] = r.residual1;
        b[2 * i + 1] = r.residual2;
    }
    int status = -1;
    SolveLeastSquares(a.data(), b.data(), m, k, &status);
    if (status != 0) return status;
    if (!std::all_of(b.begin(), b.begin() + k, [](double x) { return std::isfinite(x); })) return -1;
    for (int j = 0; j < k; ++j) pointingCoefficients[terms[j]] = b[j];
    return 0;
}

// Three usable entries or more: 4 or 7 terms by least squares.
int FitTerms(const AlignmentStar* list, int count) {
    StepBusyIndicator(1);
    std::vector<const AlignmentStar*> usable;
    for (int k = 0; k < count; ++k) {
        StepBusyIndicator(1);
        if (Usable(EntryRows(list[k]))) usable.push_back(&list[k]);
    }
    if (usable.size() < 3) return -1;
    pointingTermCount = usable.size() == 3 ? kBasicTerms : kPointingTermLimit;
    std::vector<Rows> rows;
    for (const AlignmentStar* e : usable) rows.push_back(EntryRows(*e));
    return SolveTerms(rows, pointingTermCount);
}

// One or two entries: the mean offset of each axis.
void FitMeanOffsets(const AlignmentStar* list, int count) {
    for (int k = 0; k < count; ++k) {
        pointingCoefficients[0] += (list[k].measured1 - list[k].reading1) * kDegToRad;
        pointingCoefficients[1] += (list[k].measured2 - list[k].reading2) * kDegToRad;
    }
    pointingCoefficients[0] /= count;
    pointingCoefficients[1] /= count;
}

void CorrectEntries(AlignmentStar* list, int count) {
    for (int k = 0; k < count; ++k) {
        AlignmentStar& e = list[k];
        double phi = e.reading1, theta = e.reading2;
        ApplyPointingModel(&phi, &theta);
        e.model1 = e.corrected1 = phi;
        e.model2 = e.corrected2 = theta;
    }
}

}  // namespace

int ApplyPointingModel(double* axis1, double* axis2) {
    if (pointingTermCount > 8) {
        ShowInformation("Too much errors parameters", "");
        return -1;
    }
    if (!axis1 || !axis2) return -1;
    Rows r = BuildRows(*axis1, *axis2, *axis1, *axis2);
    if (!Usable(r)) return -1;
    double d1 = 0.0, d2 = 0.0;
    for (int i = 0; i < std::min(pointingTermCount, kPointingTermLimit); ++i) {
        d1 += r.axis1[i] * pointingCoefficients[i] * kRadToDeg;
        d2 += r.axis2[i] * pointingCoefficients[i] * kRadToDeg;
    }
    *axis1 += d1;
    *axis2 += d2;
    return 0;
}

int FitPointingModel(AlignmentStar* list, int count) {
    if (!list || count < 1) return 0;
    ClearPointingModel();
    if (count >= 3) {
        int status = FitTerms(list, count);
        if (status != 0) {
            EndBusyIndicator(0);
            return status;
        }
    } else {
        FitMeanOffsets(list, count);
    }
    CorrectEntries(list, count);
    EndBusyIndicator(0);
    return 0;
}

double PointingModelResidual(const AlignmentStar* list, int count) {
    if (!list || count < 1) return 0.0;
    double sum = 0.0;
    for (int k = 0; k < count; ++k) {
        double d1 = list[k].measured1 - list[k].model1, d2 = list[k].measured2 - list[k].model2;
        sum += d2 * d2 + d1 * d1;
    }
    return std::sqrt(sum) / count;
}

void ClearPointingModel() { std::fill(std::begin(pointingCoefficients), std::end(pointingCoefficients), 0.0); }

void PointingRowEq1(double phi, double theta, double observedPhi, double, double row[7], double* residual) {
    double p = phi * kDegToRad, t = theta * kDegToRad;
    SetRow(row, phi, observedPhi, residual,
           {1.0, 0.0, 1.0 / std::cos(t), std::tan(t), -std::tan(t) * std::cos(p), std::tan(t) * std::sin(p), 0.0});
}

void PointingRowEq2(double phi, double theta, double, double observedTheta, double row[7], double* residual) {
    double p = phi * kDegToRad;
    SetRow(row, theta, observedTheta, residual, {0.0, 1.0, 0.0, 0.0, std::sin(p), std::cos(p), 0.0});
}

void PointingRowAz1(double phi, double theta, double observedPhi, double, double row[7], double* residual) {
    double p = phi * kDegToRad, t = theta * kDegToRad;
    SetRow(row, phi, observedPhi, residual,
           {1.0, 0.0, 1.0 / std::sin(t), std::tan(t), 0.0, std::sin(p) * std::tan(t), -std::cos(p) * std::tan(t)});
}

void PointingRowAz2(double phi, double theta, double, double observedTheta, double row[7], double* residual) {
    double p = phi * kDegToRad, t = theta * kDegToRad;
    SetRow(row, theta, observedTheta, residual, {0.0, 1.0, 0.0, 0.0, std::cos(t), std::cos(p), std::sin(p)});
}

void ResetPointingModel() {
    ClearPointingModel();
    pointingTermCount = kPointingTermLimit;
}
