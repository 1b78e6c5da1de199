#include "scope/n_star_list.h"

#include <cmath>
#include <cstring>

#include "core/angle_text.h"
#include "core/horizontal.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_buffers.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "scope/mount_fit.h"
#include "scope/pointing_model.h"
#include "scope/two_star.h"
#include "ui/control_access.h"
#include "ui/input_polling.h"

int32_t alignmentStarCount = 0;
int32_t nStarCurrentRow = 0;

namespace {

constexpr double kRadToDeg = 57.29577951308232;
constexpr int kNameCharacters = 9;
constexpr int kMountFitLeast = 4;   // entries the mount-error fit needs
constexpr int kMeanErrorField = 2112;

bool OwnAlignment() { return preferences.word[kPrefAlignMethod] == 0; }
bool EqOutput() { return preferences.word[kPrefMountType] == 0; }

// An entry already stands within 0.5 deg of right ascension and 1 deg of
// declination of the place.
bool Crowded(const AlignmentStar* list, const AlignmentStar& c) {
    for (int i = 0; i < alignmentStarCount; ++i)
        if (std::fabs(list[i].ra - c.ra) < 0.5 && std::fabs(list[i].dec - c.dec) < 1.0) return true;
    return false;
}

}  // namespace

bool PredictNStarPlace(AlignmentStar* e) {
    if (OwnAlignment()) {
        if (!IsAlignmentValid()) return false;
        SkyToScope(e);
        e->model1 *= kRadToDeg;
        e->model2 *= kRadToDeg;
    } else if (EqOutput()) {
        e->model1 = e->ra;
        e->model2 = e->dec;
    } else {
        const double latitude = currentSite.latitude;
        e->model1 = ComputeAzimuth(e->sidereal, e->ra / 15.0, e->dec, latitude);
        e->model2 = ComputeAltitude(e->sidereal, e->ra / 15.0, e->dec, latitude);
    }
    return true;
}

AlignmentStar* GetAlignmentStarList() { return reinterpret_cast<AlignmentStar*>(alignmentStars); }

int AddNStarEntry(const AlignmentStar* candidate, double m1, double m2) {
    AlignmentStar* list = GetAlignmentStarList();
    if (!list || !candidate || alignmentStarCount >= kAlignmentStarCount || alignmentStarCount < 0) return 0;
    if (Crowded(list, *candidate)) {
        ShowInformation("There is already a star selected at this position", "");
        return 0;
    }
    AlignmentStar e{};
    e.ra = candidate->ra;
    e.dec = candidate->dec;
    e.index = candidate->index;
    e.kind = candidate->kind;
    e.measured1 = m1;
    e.measured2 = m2;
    int year, month, day, hour, minute, second;
    GetLocalDateTime(&year, &month, &day, &hour, &minute, &second);
    e.time = (second / 3600.0 + minute / 60.0 + hour) * 15.0;
    e.sidereal = GetLocalSiderealTime(year, month, day, hour, minute, second, currentSite.longitude,
                                      currentSite.zoneMinutes);
    if (!PredictNStarPlace(&e)) {
        ShowInformation("Please do 2 stars alignment first.", "");
        return 0;
    }
    e.corrected1 = e.reading1 = e.model1;
    e.corrected2 = e.reading2 = e.model2;
    std::strncpy(e.name, candidate->name, kNameCharacters);
    e.name[kNameCharacters] = '\0';
    nStarCurrentRow = alignmentStarCount;
    list[alignmentStarCount++] = e;
    return 1;
}

int ComputePointingCorrection(int flag) {
    AlignmentStar* list = GetAlignmentStarList();
    if (OwnAlignment() && flag == 0) {
        if (!list || alignmentStarCount < kMountFitLeast) return 0;
        if (!IsAlignmentValid()) {
            ShowInformation("Please do 2 stars alignment first", "");
            return 1;
        }
        if (RefuseUnreadAlignmentStar()) return 1;  // the fit builds the alignment again from the two stars
        FitMountErrors(alignmentReferenceText, &alignStar1, &alignStar2, list, alignmentStarCount);
        CorrectMountEntries(list, alignmentStarCount);
        return 1;
    }
    if (!list || alignmentStarCount < 1) return 0;
    if (FitPointingModel(list, alignmentStarCount) != 0)
        ShowInformation("Pointing correction failed", "Add stars spread over the sky.");
    return 1;
}

double ShowAlignmentResidual(const AlignmentStar* list, int n) {
    const double value =
        OwnAlignment() ? MeanAlignmentResidual(list, n) * kRadToDeg : PointingModelResidual(list, n);
    char text[32] = "No stars";
    if (list && n >= 1) DegToStr(text, sizeof text, value);
    SetField(kMeanErrorField, text);
    return value;
}

void ResetNStarList() {
    alignmentStarCount = 0;
    nStarCurrentRow = 0;
}
