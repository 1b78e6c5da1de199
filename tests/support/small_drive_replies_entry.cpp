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

// Takes the check byte of each ServoCat goto ('g' and 14 place bytes) out of
// `written`; false when one is not the exclusive-or of its place bytes.
bool TakeOutCheckBytes(std::string* written) {
    constexpr std::size_t kPlaceBytes = 14;
    for (std::size_t g = written->find('g'); g != std::string::npos; g = written->find('g', g + 1)) {
        if (g + kPlaceBytes + 1 >= written->size()) return false;
        char sum = 0;
        for (std::size_t i = g + 1; i <= g + kPlaceBytes; ++i) sum = static_cast<char>(sum ^ (*written)[i]);
        if ((*written)[g + kPlaceBytes + 1] != sum) return false;
        written->erase(g + kPlaceBytes + 1, 1);
    }
    return true;
}

// Commands are printable ASCII ended by CR or LF, and a ServoCat goto's
// check byte.
int CheckWritten(std::string written, int drive) {
    if (drive == 13 && !TakeOutCheckBytes(&written)) return 7;
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
    int drive = preferences.word[kPrefDriveId];
    if (!ScopeConnect()) return IsSerialOpen() ? 5 : CheckWritten(line.written, drive);
    int result = RunFamily(drive);
    if (result == 0) result = Read(ScopeGetRaDec, drive == 18 ? CheckAxes : CheckPlace);
    if (result == 0) result = CheckWritten(line.written, drive);
    return result;
}
