#include "scope/scope_dispatch.h"

#include <string>

#include "core/preferences.h"
#include "core/services.h"
#include "scope/alignment.h"
#include "scope/drive_routes.h"
#include "scope/encoder_box.h"
#include "scope/encoder_simulation.h"
#include "scope/meade.h"
#include "scope/nexstar.h"
#include "scope/scope_place.h"
#include "scope/serial_link.h"
#include "scope/servocat.h"
#include "scope/sidereal_tech.h"
#include "scope/sky_commander.h"
#include "scope/takahashi.h"

int scopeSimulation = 0;
int scopeConnected = 0;
int scopeActive = 0;

namespace {

constexpr int kPowerFlex = 100;
constexpr int kDynastar = 101;

constexpr DriveRoutes kMeadeRoutes{.connect = Connect,
                                   .disconnect = DisconnectMeade,
                                   .query = QueryEQ,
                                   .gotoPlace = GotoEQ,
                                   .sync = SyncEQ,
                                   .setRate = SetSlewRateMeade,
                                   .startSlew = StartSlewMeade,
                                   .stopSlew = StopSlewMeade,
                                   .abort = AbortMeade,
                                   .forgetProbe = ForgetMeadeProbe,
                                   .gotoRefusal = GetMeadeFailure,
                                   .readFailure = "Failed to get Meade RA and Dec."};

constexpr DriveRoutes kNexStarRoutes{.connect = ConnectNexStar,
                                     .disconnect = DisconnectNexStar,
                                     .query = QueryNexStar,
                                     .gotoPlace = GotoNexStar,
                                     .sync = SyncNexStar,
                                     .setRate = SetSlewRateNexStar,
                                     .startSlew = StartSlew,
                                     .stopSlew = StopSlew,
                                     .abort = StopGoto,
                                     .gotoRefusal = GetNexStarFailure,
                                     .readFailure = "Failed to get Celestron RA and Dec"};
// Encoder boxes cannot move: their goto only keeps the target, and their
// slews move the simulated mount.
constexpr DriveRoutes kEncoderRoutes{.connect = ConnectEncoder,
                                     .disconnect = DisconnectEncoder,
                                     .query = EncoderReading,
                                     .gotoPlace = GotoEncoder,
                                     .sync = nullptr,
                                     .setRate = SetSlewRateSim,
                                     .startSlew = StartSlewSim,
                                     .stopSlew = StopSlewSim,
                                     .abort = AbortSim,
                                     .forgetProbe = ForgetEncoderBox,
                                     .gotoRefusal = nullptr,
                                     .readFailure = "Failed to get Encoder RA and Dec",
                                     .readFailureAltAz = "Failed to get Encoder Az and Alt"};

// The drive and scope port of the last successful connect (-1: none yet).
int lastDrive = -1;
int lastPort = -1;
// A slew was refused for want of a connection since the last successful
// connect: the user has been told once.
int notConnectedShown = 0;

int Drive() { return preferences.word[kPrefDriveId]; }

// A known drive whose family has motors and its own slew commands.
bool HasMotors(int id) {
    switch (id) {
    case 2: case 5: case 17: case 9: case 10: case 15: case 20: case 14: case 18: return true;
    default: return false;
    }
}

// Another drive or port than at the last connect: the old drive's probe is
// forgotten and its open port really closed, so that this one is opened with
// its own line and probed.
void LeavePreviousDrive(int id, int port) {
    if (lastDrive < 0 || (id == lastDrive && port == lastPort)) return;
    const DriveRoutes* previous = FamilyRoutes(GetDriveFamily(lastDrive));
    if (previous && previous->forgetProbe) previous->forgetProbe();
    lastDrive = -1;
    if (!IsSerialOpen()) return;
    SetSerialPersistent(0);
    SerialClose();
}

// Drives whose mounts take a sync: Meade 2, 5, 17, NexStar 10, 15, 20 and
// Takahashi 14. The Nexstar 5&8 has no sync command (its goto bytes would
// slew the mount).
bool Syncs(int id) {
    switch (id) {
    case 2: case 5: case 17: return true;
    case 10: case 15: case 20: return true;
    case 14: return true;
    default: return false;
    }
}

enum class SlewOp { kRate, kStart, kStop, kAbort };

int CallSlew(const DriveRoutes& r, SlewOp op, int arg) {
    switch (op) {
    case SlewOp::kRate: return r.setRate(arg);
    case SlewOp::kStart: return r.startSlew(arg);
    case SlewOp::kStop: return r.stopSlew(arg);
    case SlewOp::kAbort: return r.abort();
    }
    return 0;
}

int SimulatedSlew(SlewOp op, int arg) {
    switch (op) {
    case SlewOp::kRate: return SetSlewRateSim(arg);
    case SlewOp::kStart: return StartSlewSim(arg);
    case SlewOp::kStop: return StopSlewSim(arg);
    case SlewOp::kAbort: return AbortSim();
    }
    return 0;
}

// A slew of a drive with motors while the port is closed (the line was lost,
// or never opened): "Connection not open!" the first time, then silence until
// a connect succeeds. 0.
int RefuseUnconnected() {
    if (!notConnectedShown) ShowInformation("Connection not open!", "");
    notConnectedShown = 1;
    return 0;
}

// A drive with motors whose commands go out on the port (a Meade mount not
// simulated, every other such family always).
bool TalksOnPort(int id, DriveFamily family) {
    return HasMotors(id) && !(family == DriveFamily::kMeade && scopeSimulation);
}

int Slew(SlewOp op, int arg) {
    int id = Drive();
    DriveFamily family = GetDriveFamily(id);
    if (family == DriveFamily::kNone && id != 0) {
        ShowInformation(op == SlewOp::kStart ? "Unknown scope drive" : "Unknown scope drive.", "");
        return 0;
    }
    int idle = op == SlewOp::kAbort ? 0 : arg;
    if (HasMotors(id)) {
        if (TalksOnPort(id, family) && !IsSerialOpen()) return RefuseUnconnected();
        const DriveRoutes* r = FamilyRoutes(family);
        return r ? CallSlew(*r, op, arg) : idle;
    }
    return scopeSimulation ? SimulatedSlew(op, arg) : idle;
}

// A drive whose read gives azimuth and altitude (SiderealTech with AZ or
// Encoder output).
bool ReadsHorizon(int id) { return id == 18 && preferences.word[kPrefMountType] != 0; }

// The refusals of a read for drives 0, 100, 101 and unknown ids; true when
// the drive was refused.
bool RefuseRead(int id) {
    if (id == 0) ShowInformation("No drive is selected in Preference", "");
    else if (id == kPowerFlex) ShowInformation("Read not yet implemented for PowerFlex", "");
    else if (id == kDynastar) ShowInformation("Read not yet implemented for Dynastar", "");
    else if (GetDriveFamily(id) == DriveFamily::kNone) ShowInformation("Unknown scope drive.", "");
    else if (!FamilyRoutes(GetDriveFamily(id))) ShowNotYetImplemented("Read not yet implemented for", id);
    else return false;
    return true;
}

}  // namespace

const DriveRoutes* FamilyRoutes(DriveFamily family) {
    switch (family) {
    case DriveFamily::kMeade: return &kMeadeRoutes;
    case DriveFamily::kNexStar: return &kNexStarRoutes;
    case DriveFamily::kServoCat: return &kServoCatRoutes;
    case DriveFamily::kSiderealTech: return &kSiderealTechRoutes;
    case DriveFamily::kSkyCommander: return &kSkyCommanderRoutes;
    case DriveFamily::kTakahashi: return &kTakahashiRoutes;
    case DriveFamily::kEncoder: return &kEncoderRoutes;
    default: return nullptr;
    }
}

const DriveRoutes* SelectedRoutes() { return FamilyRoutes(GetDriveFamily(Drive())); }

void ShowNotYetImplemented(const char* text, int id) {
    for (const DriveInfo& d : DriveTable())
        if (d.id == id) ShowInformation(std::string(text) + " " + d.name, "");
}

int ScopeConnect() {
    int id = Drive();
    DriveFamily family = GetDriveFamily(id);
    if (id == 0) {
        ShowInformation("Sorry, no scope drive is selected", "");
        return 0;
    }
    if (family == DriveFamily::kNone) {
        ShowInformation("Unknown scope drive", "");
        return 0;
    }
    const DriveRoutes* r = FamilyRoutes(family);
    if (!r) {
        ShowInformation("Scope Connect not supported for the drive you selected", "");
        return 0;
    }
    int port = preferences.word[kPrefScopePort];
    LeavePreviousDrive(id, port);
    if (!r->connect()) return 0;
    lastDrive = id;
    lastPort = port;
    notConnectedShown = 0;
    return 1;
}

int ScopeDisconnect() {
    int id = Drive();
    DriveFamily family = GetDriveFamily(id);
    if (id != 0 && family == DriveFamily::kNone) {
        ShowInformation("Unknown scope drive.", "");
        return 0;
    }
    const DriveRoutes* r = FamilyRoutes(family);
    if (!r) {
        ShowInformation("Disconnect scope not supported", "");
        return 0;
    }
    return r->disconnect();
}

int ScopeSetSlewRate(int rate) { return Slew(SlewOp::kRate, rate); }
int ScopeStartSlew(int direction) { return Slew(SlewOp::kStart, direction); }
int ScopeStopSlew(int direction) { return Slew(SlewOp::kStop, direction); }
int ScopeAbort() { return Slew(SlewOp::kAbort, 0); }

int ScopeAbortOnLeaving() {
    const int id = Drive();
    if (TalksOnPort(id, GetDriveFamily(id)) && !IsSerialOpen() && (lastDrive < 0 || !ScopeConnect())) return 0;
    return ScopeAbort();
}

int ScopeGetRaDec(double* ra, double* dec) {
    *ra = *dec = 0.0;
    if (RefuseRead(Drive()) || !ScopeConnect()) return 0;
    const DriveRoutes* r = SelectedRoutes();
    int ok = r->query(ra, dec);
    if (!ok) {
        *ra = *dec = 0.0;
        bool altAz = r->readFailureAltAz && preferences.word[kPrefMountType] != 0;
        ShowInformation(altAz ? r->readFailureAltAz : r->readFailure, "");
    }
    ScopeDisconnect();
    return ok;
}

int ScopeGetPosition(double* ra, double* dec) {
    *ra = *dec = 0.0;
    // A lost line was reported when it went; the live reading waits for a
    // connect elsewhere rather than repeat the failure at every refresh.
    if (IsSerialLineLost() || !ScopeConnect()) return 0;
    int id = Drive();
    // Without a drive the encoder box is read, as for the encoder drives.
    bool encoder = id == 0 || GetDriveFamily(id) == DriveFamily::kEncoder;
    const DriveRoutes* r = encoder ? FamilyRoutes(DriveFamily::kEncoder) : SelectedRoutes();
    if (!r) {
        if (id == kPowerFlex || id == kDynastar || GetDriveFamily(id) != DriveFamily::kNone)
            ShowInformation("Get position not supported", "");
        else ShowInformation("Unkown scope drive", "");
        return 0;
    }
    if (!r->query(ra, dec)) {
        *ra = *dec = 0.0;
        return 0;
    }
    if (!IsAlignmentValid()) {
        // An encoder box's equatorial read gives its azimuth / 15.
        if (encoder && preferences.word[kPrefMountType] == 0) *ra *= 15.0;
        if (encoder || ReadsHorizon(id)) HorizonReadingToSky(ra, dec);
    } else if (preferences.word[kPrefAlignMethod] == 0) {
        ReadingToSky(ra, dec);
    }
    return 1;
}

int ScopeSync(double ra, double dec, int positionMode) {
    if (!ScopeConnect()) return 0;
    int id = Drive();
    const DriveRoutes* r = SelectedRoutes();
    bool canSync = Syncs(id) && r->sync;
    int ok = 0;
    if (canSync) {
        double placeRa = ra, placeDec = dec;
        PlaceOfDate(ra, dec, positionMode, &placeRa, &placeDec, nullptr, nullptr);
        ok = r->sync(placeRa, placeDec);
    } else {
        ShowInformation("Sorry, this function is not implemented for your telescope", "");
    }
    ScopeDisconnect();
    if (canSync && !ok) ShowInformation("Sync failed", r->gotoRefusal ? r->gotoRefusal() : "");
    return ok;
}

void ResetScopeDispatch() {
    scopeSimulation = scopeConnected = scopeActive = 0;
    lastDrive = lastPort = -1;
    notConnectedShown = 0;
}
