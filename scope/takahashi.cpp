#include "scope/takahashi.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/services.h"
#include "core/shared_state.h"
#include "scope/controller_link.h"
#include "scope/scope_place.h"
#include "scope/serial_link.h"
#include "ui/input_polling.h"
#include "ui/number_text.h"

double takahashiLst = 0.0;

namespace {

constexpr int kLineMask = 246;
constexpr int kProbeSize = 30;
constexpr int kPositionSize = 17;
constexpr int kPositionMinimum = 14;
constexpr uint32_t kZenithLimitMs = 120000;
constexpr double kHundredthsPerHour = 6000.0;    // right ascension: hundredths of a minute
constexpr double kHundredthsPerDay = 144000.0;

std::string failure;  // second line of the last failed goto or sync
uint8_t latitudeSent = 0;
char pierSide = 0;
int pierAnswer = -1;  // 0 East, 1 West
int fastRow = 0;  // 1 for rate 3 (guide): the letters without the high-speed bit

int Write(const char* text) { return SerialWrite(text, static_cast<int>(std::strlen(text))); }

struct Sexagesimal {
    int whole, minutes, seconds;  // seconds: hundredths of a minute where said
};

// Hours wrapped into [0, 24) and split; a time that rounds up to 24 h is 00.
Sexagesimal SplitHours(double hours) {
    hours = std::fmod(hours, 24.0);
    if (hours < 0.0) hours += 24.0;
    Sexagesimal s;
    SplitDegreesToDms(hours, &s.whole, &s.minutes, &s.seconds);
    if (s.whole >= 24) s.whole = 0;
    return s;
}

Sexagesimal SplitDegrees(double degrees) {
    Sexagesimal s;
    SplitDegreesToDms(std::fmin(std::fabs(degrees), 90.0), &s.whole, &s.minutes, &s.seconds);
    return s;
}

int WriteTime(char letter, double hours) {
    Sexagesimal t = SplitHours(hours);
    char command[32];
    std::snprintf(command, sizeof command, "%c%02d%02d%02d\r\n", letter, t.whole, t.minutes, t.seconds);
    return Write(command);
}

int WriteLatitude() {
    double latitude = currentSite.latitude;
    Sexagesimal d = SplitDegrees(latitude);
    char command[32];
    std::snprintf(command, sizeof command, "I%c%02d%02d%01d\r\n", latitude >= 0.0 ? '+' : '-', d.whole, d.minutes,
                  d.seconds / 6);
    return Write(command);
}

// Right ascension as the controller takes it: hours, minutes and hundredths
// of a minute, rounded to the nearest hundredth; 24 h is 00.
Sexagesimal SplitHundredths(double hours) {
    double turn = std::fmod(std::round(hours * kHundredthsPerHour), kHundredthsPerDay);
    long hundredths = std::lround(turn < 0.0 ? turn + kHundredthsPerDay : turn);
    return {static_cast<int>(hundredths / 6000), static_cast<int>(hundredths / 100 % 60), static_cast<int>(hundredths % 100)};
}

// "Phhmmzz+ddmmt" (zz hundredths of a minute), or with " 00000" for a
// declination of exactly 0.
void FormatPosition(char letter, double ra, double dec, char* out, std::size_t size) {
    Sexagesimal r = SplitHundredths(ra);
    int n = std::snprintf(out, size, "%c%02d%02d%02d", letter, r.whole, r.minutes, r.seconds);
    Sexagesimal d = SplitDegrees(dec);
    if (dec == 0.0) std::snprintf(out + n, size - n, " 00000\r\n");
    else std::snprintf(out + n, size - n, "%c%02d%02d%01d\r\n", dec > 0.0 ? '+' : '-', d.whole, d.minutes, d.seconds / 6);
}

bool Probe() {
    if (!Write("v\r\n")) return false;
    char reply[kProbeSize];
    int n = SerialRead(reply, kProbeSize);
    return n > 10 && reply[0] == 'v';
}

// Reads positions until the pier side is known; false when a read fails or
// the controller is still moving after kZenithLimitMs.
bool WaitForPierSide() {
    uint32_t start = GetTicks();
    double ra, dec;
    do {
        if (!QueryTakahashi(&ra, &dec)) return false;
    } while (pierSide == 'F' && GetTicks() - start < kZenithLimitMs);
    return pierSide != 'F';
}

// The tube pointed at the zenith on `side` ('E' or 'W'): tells the
// controller the side it hangs on.
bool ZenithRoutine(char side) {
    SendSiderealTime();
    Write("Z\r\n");
    if (!WaitForPierSide()) return false;
    if (pierSide != side) Write("PT\r,\n");
    SendSiderealTime();
    return Write("Z\r\n") != 0;
}

// The sidereal time, the latitude and the pier side, once a run.
bool Introduce() {
    SendSiderealTime();
    WriteLatitude();
    if (pierAnswer == -1)
        pierAnswer = AskYesNo("Please, point your telescope to zenith and press Yes if it is placed at the East side, "
                              "else press No.");
    if (!ZenithRoutine(pierAnswer == 0 ? 'E' : 'W')) return false;
    latitudeSent = 1;
    return true;
}

// Two digits of a reply; -1 when either is not a digit.
int TwoDigits(const char* text) {
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : -100; };
    int v = digit(text[0]) * 10 + digit(text[1]);
    return v < 0 ? -1 : v;
}

// The place of a position reply: right ascension hhmmzz (zz hundredths of a
// minute), declination sddmmt (t tenths of a minute); false when a field is
// not digits or out of range.
bool ParsePosition(const char* reply, double* ra, double* dec) {
    int h = TwoDigits(reply + 1), m = TwoDigits(reply + 3), zz = TwoDigits(reply + 5);
    int d = TwoDigits(reply + 8), dm = TwoDigits(reply + 10);
    char sign = reply[7], tenth = reply[12];
    if (h < 0 || h > 23 || m < 0 || m > 59 || zz < 0 || d < 0 || dm < 0 || dm > 59) return false;
    if ((sign != '+' && sign != '-' && sign != ' ') || tenth < '0' || tenth > '9') return false;
    double degrees = d + dm / 60.0 + (tenth - '0') * 6 / 3600.0;
    if (degrees > 90.0) return false;
    *ra = h + m / 60.0 + zz / kHundredthsPerHour;
    *dec = sign == '-' ? -degrees : degrees;
    return true;
}

// Sends a goto or sync place; the controller's 4-byte answer ("R0\r\n" ...)
// in `reply`, false with "No response from Takahashi" when it is shorter.
bool SendPlace(char letter, double ra, double dec, char reply[4]) {
    if (!latitudeSent) {
        WriteLatitude();
        latitudeSent = 1;
    }
    WriteTime('T', takahashiLst);
    char command[32];
    FormatPosition(letter, ra, dec, command, sizeof command);
    Write(command);
    if (SerialRead(reply, 4) == 4) return true;
    ShowInformation("No response from Takahashi", "");
    return false;
}

// "R0" takes the place; "R1", "R2", "R3" refuse it (right ascension,
// declination, too many digits): the failure text names the reason for
// `operation` (" Goto." or " Sync."); anything else is not understood.
bool PlaceTaken(const char reply[4], const char* operation) {
    static const char* const kReasons[3] = {"Wrong ra in", "Wrong dec in", "Too many digits in"};
    char code = reply[0] == 'R' ? reply[1] : 0;
    if (code == '0') return true;
    if (code >= '1' && code <= '3') failure = std::string("Takahashi\n") + kReasons[code - '1'] + operation;
    else failure = kMountReplyNotUnderstood;
    return false;
}

void HandInClockTime() { SetTakahashiLst(ClockSiderealTime()); }

int ReadNow(double* ra, double* dec) {
    HandInClockTime();
    return QueryTakahashi(ra, dec);
}
int GotoNow(double ra, double dec) {
    HandInClockTime();
    return GotoTakahashi(ra, dec);
}
int SyncNow(double ra, double dec) {
    HandInClockTime();
    return SyncTakahashi(ra, dec);
}
int StopSlew(int) { return StopSlewTakahashi(); }

}  // namespace

int SetTakahashiLst(double hours) {
    takahashiLst = hours;
    return 1;
}

int ConnectTakahashi() {
    if (IsSerialOpen()) return 1;
    if (!OpenScopePort(19200, false)) return 0;
    if (!SetSerialLineParams(kLineMask)) {
        ShowInformation("Fail to set Takahashi serial port parameters", "");
        return 0;
    }
    if (Probe() && (latitudeSent || Introduce())) return 1;
    ShowInformation("Fail to open Takahasi connection.", "");
    SetSerialPersistent(0);
    SerialClose();
    return 0;
}

int DisconnectTakahashi() {
    SerialClose();
    return 1;
}

int SendSiderealTime() {
    takahashiLst = ClockSiderealTime();
    return WriteTime('T', takahashiLst);
}

int QueryTakahashi(double* ra, double* dec) {
    *ra = *dec = 0.0;
    if (!Write("E\r\n")) return 0;
    char reply[kPositionSize];
    int n = SerialRead(reply, kPositionSize);
    if (n < kPositionMinimum || !ParsePosition(reply, ra, dec)) return 0;
    pierSide = reply[13];
    return 1;
}

int GotoTakahashi(double ra, double dec) {
    failure.clear();
    if (!std::isfinite(ra) || !std::isfinite(dec)) return 0;
    char reply[4];
    if (!SendPlace('P', ra, dec, reply)) return 0;
    if (PlaceTaken(reply, " Goto.")) return 1;
    if (reply[0] == 'R' && reply[1] == '1') Write("PS\r\n");
    return 0;
}

int SyncTakahashi(double ra, double dec) {
    failure.clear();
    if (!std::isfinite(ra) || !std::isfinite(dec)) return 0;
    char reply[4];
    return SendPlace('D', ra, dec, reply) && PlaceTaken(reply, " Sync.") ? 1 : 0;
}

const char* GetTakahashiFailure() { return failure.c_str(); }

int SetSlewRateTakahashi(int rate) {
    if (rate < 0 || rate > 3) return 0;
    fastRow = rate == 3 ? 1 : 0;
    return 1;
}

int StartSlewTakahashi(int direction) {
    static const char* const kMotion[2][4] = {{"MI\r\n", "MQ\r\n", "MC\r\n", "ME\r\n"},
                                              {"MH\r\n", "MP\r\n", "MB\r\n", "MD\r\n"}};
    if (direction < 0 || direction > 3) return 0;
    return Write(kMotion[fastRow][direction]);
}

int StopSlewTakahashi() {
    Write("M@\r\n");
    return 0;
}

int AbortTakahashi() {
    int stopped = Write("PS\r\n");
    int halted = Write("s\r\n");
    SerialPurge();
    return stopped && halted ? 1 : 0;
}

void ForgetTakahashiLatitude() { latitudeSent = 0; }

void ResetTakahashiDriver() {
    takahashiLst = 0.0;
    failure.clear();
    latitudeSent = 0;
    pierSide = 0;
    pierAnswer = -1;
    fastRow = 0;
}

const DriveRoutes kTakahashiRoutes{.connect = ConnectTakahashi,
                                   .disconnect = DisconnectTakahashi,
                                   .query = ReadNow,
                                   .gotoPlace = GotoNow,
                                   .sync = SyncNow,
                                   .setRate = SetSlewRateTakahashi,
                                   .startSlew = StartSlewTakahashi,
                                   .stopSlew = StopSlew,
                                   .abort = AbortTakahashi,
                                   .forgetProbe = ForgetTakahashiLatitude,
                                   .gotoRefusal = GetTakahashiFailure,
                                   .readFailure = "Failed to get Takahashi RA and Dec"};
