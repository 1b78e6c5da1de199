#include "scope/mount_fit.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>
#include <utility>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "platform/device_services.h"
#include "scope/n_star_list.h"
#include "scope/pointing_model.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * kPi;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;
constexpr double kSensitivityStep = 1.7453292519943297e-9;  // radians added to find each sensitivity
constexpr double kSensitivityScale = 1e7;
constexpr double kFirstStep = 1.74532925199433;  // divided by 10 before each pass
constexpr double kStepFactor = 0.1;
constexpr double kToleranceFactor = 0.02;
constexpr double kConverged = 1e-8;  // ends of an interval this close in error end the fit
constexpr double kSmallestStep = 1e-8;
constexpr int kBusyEvery = 5;  // entries between steps of the busy indicator

bool AltAzOutput() { return preferences.word[kPrefMountType] != 0; }

// phi of an axis-1 angle in degrees, radians.
double FramePhi(double degrees) { return (AltAzOutput() ? 360.0 - degrees : degrees) * kDegToRad; }

double* Constant(int k) {
    double* z[] = {&alignmentModel.z1, &alignmentModel.z2, &alignmentModel.z3};
    return z[k];
}

struct Search {
    const char* ref;
    const AlignmentStar* s1;
    const AlignmentStar* s2;
    AlignmentStar* list;
    int n;
    int evaluations;
    bool converged;

    double At(int k, double value) {
        *Constant(k) = value;
        return EvaluateMountModel(ref, s1, s2, list, n);
    }

    // One constant in one pass: the interval z -/+ step halved towards the
    // end with the smaller error until it is narrower than tol.
    void Visit(int k, double step) {
        pl::SystemIdleTimerReset();
        double a = *Constant(k) - step, b = *Constant(k) + step;
        double fa = At(k, a), fb = At(k, b);
        evaluations += 2;
        ShowAlignmentResidual(list, n);
        const double tol = kToleranceFactor * step;
        while (!(std::fabs(b - a) < tol)) {
            if (std::fabs(std::fabs(fb) - std::fabs(fa)) < kConverged) {
                converged = true;
                return;
            }
            if (std::fabs(fb) > std::fabs(fa)) {
                b = a + (b - a) / 2.0;
                fb = At(k, b);
            } else {
                a = b - (b - a) / 2.0;
                fa = At(k, a);
            }
            ++evaluations;
        }
    }
};

// Sensitivity of the residual to each constant, the constants left at the
// small step they were moved by.
void Sensitivities(Search& s, double g[3]) {
    const double r0 = EvaluateMountModel(s.ref, s.s1, s.s2, s.list, s.n);
    for (int k = 0; k < 3; ++k) {
        *Constant(k) += kSensitivityStep;
        g[k] = (EvaluateMountModel(s.ref, s.s1, s.s2, s.list, s.n) - r0) * kSensitivityScale;
    }
}

// Offsets (degrees in, radians stored) from the spread of the differences
// corrected - measured over the entries.
void FitOffsets(const AlignmentStar* list, int n) {
    double min1 = 10, max1 = -10, min2 = 10, max2 = -10;
    for (int i = 0; i < n; ++i) {
        const double d1 = AxisOneDifference(list[i].corrected1, list[i].measured1);
        const double d2 = list[i].corrected2 - list[i].measured2;
        min1 = std::fmin(min1, d1), max1 = std::fmax(max1, d1);
        min2 = std::fmin(min2, d2), max2 = std::fmax(max2, d2);
    }
    const double offset2 = max2 > 0 ? (min2 + max2) / 2.0 : (max2 - min2) * -0.5;
    const double offset1 = max1 > 0 ? (min1 + max1) * -0.5 : (max1 - min1) * 0.5;
    alignmentModel.offset2 = offset2 * kDegToRad;
    alignmentModel.offset1 = offset1 * kDegToRad;
}

void TellResult(int evaluations) {
    std::string text = "Converge in " + std::to_string(evaluations) + " iteration";
    for (int i = 0; i < 3; ++i) {
        char label[16], value[32];
        std::snprintf(label, sizeof label, "\nz%d :", i);
        DegToStr(value, sizeof value, *Constant(i) * kRadToDeg);
        text += label;
        text += value;
    }
    ShowInformation(text, "");
}

}  // namespace

double AxisOneDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    else if (d <= -180.0) d += 360.0;
    return d;
}

double MeanAlignmentResidual(const AlignmentStar* list, int n) {
    if (!list || n < 1) return 0.0;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const AlignmentStar& e = list[i];
        const double phiModel = FramePhi(e.model1), thetaModel = e.model2 * kDegToRad;
        const double phiReading = FramePhi(e.measured1), thetaReading = e.measured2 * kDegToRad;
        double phi = std::atan2(ScopeDirectionM(phiReading, thetaReading), ScopeDirectionL(phiReading, thetaReading));
        if (phi < 0.0) phi += kTwoPi;
        double dPhi = std::remainder(phiModel - phi, kTwoPi);
        if (dPhi <= -kPi) dPhi += kTwoPi;
        const double dTheta = thetaModel - std::asin(std::sin(thetaReading + alignmentModel.z3));
        sum += std::sqrt(dTheta * dTheta + dPhi * dPhi);
    }
    return sum / n;
}

double EvaluateMountModel(const char* ref, const AlignmentStar* s1, const AlignmentStar* s2, AlignmentStar* list,
                          int n) {
    if (!ComputeAlignmentMatrix(ref, s1, s2)) return std::numeric_limits<double>::infinity();
    for (int i = 0; i < n; ++i) {
        if (i % kBusyEvery == 0) StepBusyIndicator(1);
        SkyToScope(&list[i]);
        list[i].model1 *= kRadToDeg;
        list[i].model2 *= kRadToDeg;
    }
    return MeanAlignmentResidual(list, n);
}

void MountErrorVisitOrder(const double g[3], int order[3]) {
    order[0] = 0, order[1] = 1, order[2] = 2;
    if (std::fabs(g[1]) > std::fabs(g[0])) std::swap(order[0], order[1]);
    if (std::fabs(g[2]) > std::fabs(g[order[0]])) {
        order[2] = order[0];
        order[0] = 2;
    }
    if (std::fabs(g[order[1]]) > std::fabs(g[order[2]])) std::swap(order[1], order[2]);
}

int FitMountErrors(const char* ref, const AlignmentStar* s1, const AlignmentStar* s2, AlignmentStar* list, int n) {
    if (!ref || !s1 || !s2 || !list || n < 1) return 0;
    Search search{ref, s1, s2, list, n, 0, false};
    alignmentModel.z1 = alignmentModel.z2 = alignmentModel.z3 = 0.0;
    double g[3];
    Sensitivities(search, g);
    int order[3];
    MountErrorVisitOrder(g, order);
    alignmentModel.z1 = alignmentModel.z2 = alignmentModel.z3 = 0.0;
    double step = kFirstStep;
    search.evaluations = 5;
    do {
        step *= kStepFactor;
        for (int k : order) {
            if (search.converged) break;
            search.Visit(k, step);
        }
    } while (step >= kSmallestStep && !search.converged);
    alignmentModel.offset1 = alignmentModel.offset2 = 0.0;
    ClearPointingModel();
    CorrectMountEntries(list, n);
    FitOffsets(list, n);
    EndBusyIndicator(0);
    TellResult(search.evaluations);
    return search.evaluations;
}

void CorrectMountEntries(AlignmentStar* list, int n) {
    if (!list) return;
    for (int i = 0; i < n; ++i) {
        AlignmentStar copy = list[i];
        SkyToScope(&copy);
        double phi = AltAzOutput() ? kTwoPi - copy.model1 : copy.model1, theta = copy.model2;
        ScopeAnglesFromVector(&theta, &phi);
        const double degrees = phi * kRadToDeg;
        list[i].corrected1 = AltAzOutput() ? 360.0 - degrees : degrees;
        list[i].corrected2 = theta * kRadToDeg;
    }
}
