#include "support/small_drive_replies_entry.h"

#include <cmath>
#include <string>

#include "core/preferences.h"
#include "platform/clock.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "scope/servocat.h"
#include "scope/sidereal_tech.h"
#include "scope/sky_commander.h"
#include "scope/takahashi.h"
#include "support/scripted_serial.h"

namespace {

using Query = int (*)(double*, double*);

// A read that failed gives zeros; one that held a place of the sky.
int CheckPlace(int ok, double ra, double dec) {
    if (!ok) return ra == 0.0 && dec == 0.0 ? 0 : 1;
    return ra >= 0.0 && ra < 24.0 && dec >= -90.0 && dec <= 90.0 ? 0 : 2;
}

// SiderealTech axes: the first within a turn, the second a finite angle.
int CheckAxes(int ok, double first, double second) {
    if (!ok) return first == 0.0 && second == 0.0 ? 0 : 1;
    return first >= 0.0 && first <= 360.0 && std::isfinite(second) ? 0 : 2;
}

int Read(Query query, int (*check)(int, double, double)) {
    double a = -1.0, b = -1.0;
    int ok = query(&a, &b);
    return check(ok, a, b);
}

// Commands are printable ASCII ended by CR or LF.
int CheckWritten(const std::string& written) {
    for (unsigned char c : written)
        if ((c < 0x20 || c > 0x7E) && c != '\r' && c != '\n') return 4;
    return 0;
}

int RunServoCat() {
    int result = Read(QueryServoCat, CheckPlace);
    GotoServoCat(5.0625, -10.25);
    return result;
}

int RunSkyCommander() {
    int result = Read(QuerySkyCommander, CheckPlace);
    GotoSkyCommander(9.9996, -9.9996);
    return result;
}

int RunSiderealTech() {
    if (altResolution < 1 || azResolution < 1) return 6;
    int result = Read(QueryAxesSiderealTech, CheckAxes);
    if (result == 0) result = Read(QueryEqSiderealTech, CheckAxes);
    GotoSiderealTech(6.0, 30.0);
    SetSlewRateSiderealTech(1);
    StartSlewSiderealTech(2);
    StopSiderealTech();
    return result;
}

int RunTakahashi() {
    int result = Read(QueryTakahashi, CheckPlace);
    GotoTakahashi(23.99999, -0.01);
    SyncTakahashi(12.5, 0.0);
    SetSlewRateTakahashi(3);
    StartSlewTakahashi(1);
    AbortTakahashi();
    return result;
}

// The family's own steps after a successful connect.
int RunFamily(int drive) {
    switch (drive) {
    case 13: return RunServoCat();
    case 19: return RunSkyCommander();
    case 18: return RunSiderealTech();
    default: return RunTakahashi();
    }
}

}  // namespace

int RunSmallDriveReplies(const uint8_t* data, std::size_t size) {
    static constexpr int kDrives[] = {13, 19, 18, 14};
    if (!pl::IsVirtualClock()) pl::UseVirtualClock(pl::LocalTime{});
    ResetSerialLink();
    ResetScopeDispatch();
    ResetTakahashiDriver();
    ForgetSiderealTechResolutions();
    uint8_t choice = size > 0 ? data[0] : 0;
    preferences.word[kPrefDriveId] = kDrives[choice % 4];
    preferences.word[kPrefScopePort] = 1;
    preferences.word[kPrefMountType] = (choice >> 2) & 1;
    ScriptedSerial line;
    line.ReplyEach(data, size);
    if (!ScopeConnect()) return IsSerialOpen() ? 5 : CheckWritten(line.written);
    int drive = preferences.word[kPrefDriveId];
    int result = RunFamily(drive);
    if (result == 0) result = Read(ScopeGetRaDec, drive == 18 ? CheckAxes : CheckPlace);
    if (result == 0) result = CheckWritten(line.written);
    return result;
}
