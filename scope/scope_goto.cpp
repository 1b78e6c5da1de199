#include <cmath>
#include <cstdio>
#include <string>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "scope/alignment.h"
#include "scope/drive_routes.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_form.h"
#include "scope/scope_place.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

namespace {

constexpr int kSkyChartForm = 1900;
constexpr int kScopeForm = 2400;
constexpr int kNexStar58 = 8;
constexpr double kGotoLowest = 2.0;  // degrees: no goto at or below this altitude

struct GotoPlaces {
    double targetRa, targetDec;  // as the caller gave it
    double altitude, azimuth;    // of the place of date
    double mountRa, mountDec;    // what the mount is sent
};

bool ExternalSource() { return preferences.word[kPrefAlignMethod] != 0; }

// Hand controllers that work in J2000 keep the catalogue place under an
// external alignment, plus the pointing model's correction.
bool TakesCatalogPlace(DriveFamily family) {
    return family == DriveFamily::kServoCat || family == DriveFamily::kSkyCommander;
}

// Right ascension difference in hours brought into -12..12.
double HoursApart(double a, double b) { return std::remainder(a - b, 24.0); }

GotoPlaces MountPlaces(double ra, double dec, int mode) {
    GotoPlaces p{ra, dec, -90.0, 0.0, ra, dec};
    PlaceOfDate(ra, dec, mode, &p.mountRa, &p.mountDec, &p.altitude, &p.azimuth);
    if (ExternalSource()) {
        double placeRa = p.mountRa, placeDec = p.mountDec;
        ApplyPointingCorrection(&p.mountRa, &p.mountDec, p.azimuth, p.altitude);
        if (TakesCatalogPlace(GetDriveFamily(preferences.word[kPrefDriveId]))) {
            p.mountRa = ra + HoursApart(p.mountRa, placeRa);
            p.mountDec = dec + (p.mountDec - placeDec);
        }
    } else if (!IsAlignmentValid()) {
        ShowInformation("Please first perfom the 2 star aligment", "");
    } else if (!IsEncoderDrive()) {
        SkyToMount(&p.mountRa, &p.mountDec);
    }
    return p;
}

// Drives without goto: the sky place and the mount place in one box.
void ShowPlaces(const GotoPlaces& p) {
    char ra[32], dec[32], az[32], alt[32], text[160], detail[96];
    std::snprintf(text, sizeof text, "Sky position:\nRa:%s\nDec:%s\nAzt:%s\nAlt:%s\n",
                  HMSToStr(ra, sizeof ra, p.targetRa), DegToStr(dec, sizeof dec, p.targetDec),
                  DegToStr(az, sizeof az, p.azimuth), DegToStr(alt, sizeof alt, p.altitude));
    if (preferences.word[kPrefMountType] == 0)
        std::snprintf(detail, sizeof detail, "Scope Position:\nRa:%s\nDec:%s", HMSToStr(ra, sizeof ra, p.mountRa),
                      DegToStr(dec, sizeof dec, p.mountDec));
    else
        std::snprintf(detail, sizeof detail, "Scope Position:\nAzt:%s\nAlt:%s",
                      DegToStr(az, sizeof az, p.mountRa * 15.0), DegToStr(alt, sizeof alt, p.mountDec));
    ShowInformation(text, detail);
}

// Connects and sends the goto through the drive's family; true on success
// (never for a controller that does not confirm gotos).
bool SendGoto(const DriveRoutes& routes, const GotoPlaces& p) {
    if (!ScopeConnect()) return false;
    if (std::isfinite(p.mountRa) && std::isfinite(p.mountDec) && routes.gotoPlace(p.mountRa, p.mountDec))
        return !routes.gotoUnconfirmed;
    ShowInformation("Goto failed", routes.gotoRefusal ? routes.gotoRefusal() : "");
    ScopeDisconnect();
    return false;
}

// Sends the places to the selected drive; true on success.
bool GotoDrive(const GotoPlaces& p) {
    int id = preferences.word[kPrefDriveId];
    DriveFamily family = GetDriveFamily(id);
    const DriveRoutes* routes = FamilyRoutes(family);
    if (id == 0 || id == 6 || id == 7) {
        ShowPlaces(p);
        return false;
    }
    if (id == 100 || id == 101) {
        ShowInformation(id == 100 ? "Goto not yet implemented for PowerFlex" : "Goto not yet implemented for Dynastar", "");
        return false;
    }
    if (family == DriveFamily::kNone) {
        ShowInformation("Unknown scope drive: " + std::to_string(id), "");
        return false;
    }
    if (!routes) {
        ShowNotYetImplemented("Goto not yet implemented for", id);
        return false;
    }
    if (family == DriveFamily::kEncoder) {
        // Keeps the target for the read-out and opens the scope form itself.
        routes->gotoPlace(p.mountRa, p.mountDec);
        return false;
    }
    bool sent = SendGoto(*routes, p);
    // The Nexstar 5&8 has no slews or abort for the scope control form: the
    // line is let go and no form follows.
    if (sent && id == kNexStar58) {
        ScopeDisconnect();
        return false;
    }
    return sent;
}

}  // namespace

int ScopeGoto(double ra, double dec, int positionMode) {
    GotoPlaces p = MountPlaces(ra, dec, positionMode);
    if (!GotoDrive(p)) return 0;
    if (!(GetCurrentFormId() == kSkyChartForm && scopeActive)) {
        scopeFormRequested = 1;
        GotoForm(kScopeForm);
    }
    return 1;
}

bool GotoRefusedBelowHorizon(double altitude) {
    if (altitude > kGotoLowest) return false;
    ShowInformation("This object is below the horizon", "");
    return true;
}
