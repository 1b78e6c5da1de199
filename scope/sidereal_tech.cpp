#include "scope/sidereal_tech.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/horizontal.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "scope/controller_link.h"
#include "scope/scope_place.h"
#include "scope/serial_link.h"

int altResolution = 0;
int azResolution = 0;

namespace {

constexpr int kReplySize = 132;
constexpr double kGotoSpeed = 0.27963816350913123;
constexpr double kSlewSpeed = 0.09321272116971041;
constexpr long kFarTarget = 1073741824;
constexpr double kCountLimit = 2147483647.0;
// The position read's message; also why a goto that could not read the
// first axis was not sent.
constexpr char kReadFailure[] = "Failed to get SiderealTech RA and Dec";

// Second line of "Goto failed" for the last goto.
const char* gotoFailure = "";

const char* GotoFailure() { return gotoFailure; }

int Write(const char* text) { return SerialWrite(text, static_cast<int>(std::strlen(text))); }

// Writes a command and reads the integer after the reply's first byte.
bool Ask(const char* command, long* value) {
    if (!Write(command)) return false;
    char reply[kReplySize];
    int n = SerialRead(reply, kReplySize);
    return ReadReplyInteger(reply, n, 1, n, value);
}

// Steps or speed written as "%ld": truncated, kept within 32 bits.
long Steps(double value) { return static_cast<long>(std::fmax(-kCountLimit, std::fmin(kCountLimit, value))); }

// Asks one axis' resolution; 0 when the controller gave none usable.
int AskResolution(const char* command, const char* complaint) {
    long value = 0;
    if (!Ask(command, &value)) return 0;
    if (value < 1) ShowInformation(complaint, std::to_string(value));
    return value < 1 ? 0 : static_cast<int>(value);
}

bool AskResolutions() {
    char discard[kReplySize];
    if (!Write("Q\r")) return false;
    SerialRead(discard, kReplySize);
    altResolution = AskResolution("XXU\r", "Wrong Al resolution.\nPlease check the SiderealTech configuration.");
    if (!IsSerialOpen()) return false;
    azResolution = AskResolution("XXV\r", "Wrong Az resolution.\nPlease check the SiderealTech configuration.");
    return altResolution > 0 && azResolution > 0;
}

// Writes two commands (the second even when the first failed, so that a stop
// reaches what it can); 1 when both went out.
int WritePair(const char* first, const char* second) {
    int a = Write(first);
    int b = Write(second);
    return a && b ? 1 : 0;
}

// The axes of a goto: (ra x 15, dec) or (azimuth, altitude).
void GotoAxes(double ra, double dec, double* first, double* second) {
    if (preferences.word[kPrefMountType] == 0 || preferences.word[kPrefAlignMethod] == 0) {
        *first = ra * 15.0;
        *second = dec;
        return;
    }
    double lst = ClockSiderealTime();
    *first = ComputeAzimuth(lst, ra, dec, currentSite.latitude);
    *second = ComputeAltitude(lst, ra, dec, currentSite.latitude);
}

// The target angle of the first axis moved by whole turns to within half a
// turn of where the axis is now (degrees, counted without wrapping): the
// short way round, never unwinding a turn the axis has made.
double NearestTurn(double target, double current) { return target + 360.0 * std::round((current - target) / 360.0); }

int QueryByOutput(double* first, double* second) {
    return preferences.word[kPrefMountType] != 0 ? QueryAxesSiderealTech(first, second)
                                                  : QueryEqSiderealTech(first, second);
}

int StopSlew(int) { return StopSiderealTech(); }

}  // namespace

int ConnectSiderealTech() {
    if (IsSerialOpen()) return 1;
    if (!OpenScopePort(19200, false)) return 0;
    if (altResolution > 0 && azResolution > 0) return 1;
    if (AskResolutions()) return 1;
    altResolution = azResolution = 0;
    ShowInformation("Fail to open SiderealTech connection", "");
    SetSerialPersistent(0);
    SerialClose();
    return 0;
}

int DisconnectSiderealTech() {
    SerialClose();
    return 1;
}

int QueryAxesSiderealTech(double* first, double* second) {
    *first = *second = 0.0;
    long x = 0, y = 0;
    if (altResolution < 1 || azResolution < 1 || !Ask("X\r", &x) || !Ask("Y\r", &y)) return 0;
    double turn = std::fmod(static_cast<double>(y) / azResolution * 360.0, 360.0);
    *first = turn < 0.0 ? turn + 360.0 : turn;
    *second = static_cast<double>(x) / altResolution * 360.0;
    return 1;
}

int QueryEqSiderealTech(double* first, double* second) {
    int ok = QueryAxesSiderealTech(first, second);
    *first /= 15.0;
    return ok;
}

int GotoSiderealTech(double ra, double dec) {
    gotoFailure = "";
    long count = 0;
    if (azResolution < 1 || !Ask("Y\r", &count)) {
        gotoFailure = kReadFailure;
        return 0;
    }
    double first, second;
    GotoAxes(ra, dec, &first, &second);
    first = NearestTurn(first, static_cast<double>(count) / azResolution * 360.0);
    char y[48], x[48];
    std::snprintf(y, sizeof y, "Y%ldS%ld\r", Steps(first / 360.0 * azResolution), Steps(azResolution * kGotoSpeed));
    std::snprintf(x, sizeof x, "X%ldS%ld\r", Steps(altResolution * second / 360.0), Steps(altResolution * kGotoSpeed));
    return WritePair(y, x);
}

int SetSlewRateSiderealTech(int rate) {
    static const double kFactors[4] = {3.0, 0.5, 1.0 / 60.0, 1.0 / 120.0};
    double factor = rate >= 0 && rate < 4 ? kFactors[rate] : 1.0;
    char x[32], y[32];
    std::snprintf(x, sizeof x, "XS%ld\r", Steps(factor * kSlewSpeed * altResolution));
    std::snprintf(y, sizeof y, "YS%ld\r", Steps(factor * kSlewSpeed * azResolution));
    return WritePair(x, y);
}

int StartSlewSiderealTech(int direction) {
    if (direction < 0 || direction > 3) return 0;
    char command[32];
    std::snprintf(command, sizeof command, "%c%ld\r", direction < 2 ? 'X' : 'Y',
                  direction % 2 == 0 ? kFarTarget : -kFarTarget);
    return Write(command);
}

int StopSiderealTech() { return WritePair("XN\r", "YN\r"); }

void ForgetSiderealTechResolutions() { altResolution = azResolution = 0; }

const DriveRoutes kSiderealTechRoutes{.connect = ConnectSiderealTech,
                                      .disconnect = DisconnectSiderealTech,
                                      .query = QueryByOutput,
                                      .gotoPlace = GotoSiderealTech,
                                      .setRate = SetSlewRateSiderealTech,
                                      .startSlew = StartSlewSiderealTech,
                                      .stopSlew = StopSlew,
                                      .abort = StopSiderealTech,
                                      .forgetProbe = ForgetSiderealTechResolutions,
                                      .gotoRefusal = GotoFailure,
                                      .readFailure = kReadFailure};
