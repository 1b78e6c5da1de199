#include "scope/nexstar.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/preferences.h"
#include "core/services.h"
#include "scope/controller_link.h"
#include "scope/serial_link.h"

int nexstarRate = 9;

namespace {

constexpr double kCountsPerArcminute = 3.0340740740740744;  // 65536 / 21600
constexpr double kArcminutesPerCount = 0.32958984375;       // 21600 / 65536
constexpr int kLineMaskUltima = 208;                        // RTS on, 8 data bits
// Bytes read at most while draining a reply, so a mount that never stops
// sending cannot hold the program.
constexpr int kDrainLimit = 256;
constexpr int kQueryReplySize = 10;  // "hhhh,hhhh#"

unsigned char reply[16];
const char* failure = "";  // second line of the last failed goto or sync

int Drive() { return preferences.word[kPrefDriveId]; }

bool IsUltima() { return Drive() == 15; }

// Writes `bytes`; the trace switch shows them under `step`.
int Send(const char* step, const std::string& bytes) {
    if (IsSerialTrace()) ShowInformation(step, bytes);
    return SerialWrite(bytes.data(), static_cast<int>(bytes.size()));
}

// Writes a command; the Ultima2000 ends each with a CR of its own.
bool SendCommand(const char* step, const std::string& bytes) {
    return Send(step, bytes) && (!IsUltima() || Send(step, "\r"));
}

// Reads up to n bytes into `reply`; the trace switch shows them.
int Receive(const char* step, int n) {
    int count = SerialRead(reply, n);
    if (IsSerialTrace())
        ShowInformation(step, std::string(reinterpret_cast<char*>(reply), static_cast<std::size_t>(count)));
    return count;
}

bool Acknowledged(int count) { return count == 1 && reply[0] == '#'; }

// The one-byte answer to a goto or sync frame: '#', or for the SkyScan EQ6
// (whose acknowledgements say nothing) any byte. False with the failure text
// when it is silent or says something else.
bool FrameTaken(const char* step) {
    int n = Receive(step, 1);
    if (n == 1 && (reply[0] == '#' || Drive() == 20)) return true;
    failure = n != 1 ? kNoReplyFromMount : kMountReplyNotUnderstood;
    return false;
}

bool Handshake() {
    int id = Drive();
    if (id == 8) return Send("Connect:Send", "?") && Receive("Connect:Receive", 1) == 1 && reply[0] == '#';
    if (id != 9 && id != 10 && id != 15 && id != 20) {
        ShowInformation("Seems scope is not a Nexstar !", "");
        return false;
    }
    if (id == 15) SetSerialLineParams(kLineMaskUltima);
    if (!SendCommand("Connect:Send", "Kx")) return false;
    if (id == 15) return Receive("Connect:Receive", 2) == 2 && reply[0] == 'x';
    reply[0] = 0;
    return Receive("Connect:Receive", 2) >= 1 && (reply[0] == 'x' || reply[0] == 'X');
}

// An angle in degrees as a count of a full turn, taken modulo one turn.
unsigned TurnCount(double degrees) {
    double turn = std::fmod(degrees, 360.0);
    if (turn < 0.0) turn += 360.0;
    return static_cast<unsigned>(turn * 60.0 * kCountsPerArcminute) & 0xFFFFu;
}

struct Counts {
    unsigned ra, dec;
};

// The counts of a place: right ascension wrapped into [0, 24) h, then x 15;
// a south declination + 360. False for a place that is not a number.
bool PlaceCounts(double ra, double dec, Counts* counts) {
    if (!std::isfinite(ra) || !std::isfinite(dec)) return false;
    double hours = std::fmod(ra, 24.0);
    if (hours < 0.0) hours += 24.0;
    if (hours >= 24.0) hours = 0.0;
    *counts = {TurnCount(hours * 15.0), TurnCount(dec)};
    return true;
}

// "<letter>hhhh,hhhh", upper-case hex.
std::string HexFrame(char letter, Counts c) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%04X,%04X", letter, c.ra, c.dec);
    return text;
}

// 'R' and the counts as raw bytes, high byte first (drive 8).
std::string RawFrame(Counts c) {
    return {'R', static_cast<char>(c.ra >> 8), static_cast<char>(c.ra & 0xFF), static_cast<char>(c.dec >> 8),
            static_cast<char>(c.dec & 0xFF)};
}

int HexDigit(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Four hex digits at `text`; false when one is not a hex digit.
bool HexCount(const unsigned char* text, unsigned* count) {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    *count = value;
    return true;
}

// Drive 8's counts: "?" answered, then "E" and four raw bytes.
bool ReadRawCounts(Counts* c) {
    if (!Send("QueryNexStar:Send", "?") || Receive("QueryNexStar:Receive", 1) != 1) return false;
    if (!Send("QueryNexStar:Send", "E") || Receive("QueryNexStar:Receive", 4) != 4) return false;
    *c = {reply[0] * 256u + reply[1], reply[2] * 256u + reply[3]};
    return true;
}

// The others' counts: "E" answered by "hhhh,hhhh#".
bool ReadHexCounts(Counts* c) {
    if (!SendCommand("QueryNexStar:Send", "E")) return false;
    int n = Receive("QueryNexStar:Receive", kQueryReplySize);
    return n == kQueryReplySize && reply[4] == ',' && reply[9] == '#' && HexCount(reply, &c->ra) &&
           HexCount(reply + 5, &c->dec);
}

double CountDegrees(unsigned count) { return count * kArcminutesPerCount / 60.0; }

// A declination reading of 0..360 deg brought into -90..90.
double FoldDeclination(double v) {
    if (v > 270.0) return v - 360.0;
    if (v > 90.0) return 180.0 - v;
    return v;
}

void Drain() {
    for (int i = 0; i < kDrainLimit && SerialRead(reply, 1) == 1; ++i) {
    }
}

// The 'P' frame of drives 10 and 20; a stop is command 36 at speed 0.
std::string PassThroughFrame(int direction, bool start) {
    static constexpr unsigned char kAxis[4] = {17, 17, 16, 16};
    static constexpr unsigned char kCommand[4] = {36, 37, 37, 36};
    unsigned char command = start ? kCommand[direction] : 36;
    unsigned char speed = start ? static_cast<unsigned char>(nexstarRate) : 0;
    return {'P', 2, static_cast<char>(kAxis[direction]), static_cast<char>(command), static_cast<char>(speed), 0, 0, 0};
}

// The old GT frame of drive 9: the speed nexstarRate x 100000 / 9 as three
// bytes, high first; a stop (any direction) carries no speed.
std::string OldGtFrame(int direction, bool start) {
    uint32_t v = static_cast<uint32_t>(nexstarRate) * 100000u / 9u;
    char high = static_cast<char>(v >> 16), middle = static_cast<char>(v >> 8), low = static_cast<char>(v);
    if (!start) return {6, 0, 0, 0, 26, 0, 0, 0};
    switch (direction) {
    case 0: return {6, 0, 0, 0, 26, high, middle, low};
    case 1: return {6, 0, 0, 0, 27, high, middle, low};
    case 2: return {7, high, middle, low, 26, 0, 0, 0};
    default: return {6, high, middle, low, 26, 0, 0, 0};
    }
}

int PassThroughSlew(int direction, bool start) {
    if (!Send("Slew:Send", PassThroughFrame(direction, start))) return 0;
    int n = Receive("Slew:Receive", 1);
    if (!start && Drive() == 10 && !Acknowledged(n))
        ShowInformation("No acknowledgement from telescope in StopSlew.", "");
    return 1;
}

int Slew(int direction, bool start) {
    if (direction < 0 || direction > 3) return 0;
    switch (Drive()) {
    case 9: return Send("Slew:Send", OldGtFrame(direction, start));
    case 10:
    case 20: return PassThroughSlew(direction, start);
    case 15: return 1;
    default: return 0;
    }
}

}  // namespace

int ConnectNexStar() {
    if (IsSerialOpen()) return 1;
    if (!OpenScopePort(9600, false)) return 0;
    if (Handshake()) return 1;
    ShowInformation("Fail to open Nexstar connection", "");
    SetSerialPersistent(0);
    SerialClose();
    return 0;
}

int DisconnectNexStar() {
    SerialClose();
    return 1;
}

int QueryNexStar(double* ra, double* dec) {
    *ra = *dec = 0.0;
    Counts c{};
    if (!(Drive() == 8 ? ReadRawCounts(&c) : ReadHexCounts(&c))) return 0;
    *ra = CountDegrees(c.ra) / 15.0;
    *dec = FoldDeclination(CountDegrees(c.dec));
    return 1;
}

int GotoNexStar(double ra, double dec) {
    failure = "";
    Counts c{};
    if (!PlaceCounts(ra, dec, &c)) return 0;
    if (Drive() == 8) {
        if (!Send("GotoNexStar:Send", "?")) return 0;
        if (Receive("GotoNexStar:Receive", 1) != 1) {
            failure = kNoReplyFromMount;
            return 0;
        }
        return Send("GotoNexStar:Send", RawFrame(c));
    }
    return SendCommand("GotoNexStar:Send", HexFrame('R', c)) && FrameTaken("GotoNexStar:Receive") ? 1 : 0;
}

int SyncNexStar(double ra, double dec) {
    failure = "";
    Counts c{};
    if (Drive() == 8 || !PlaceCounts(ra, dec, &c)) return 0;
    if (!SendCommand("SyncNexStar:Send", HexFrame(IsUltima() ? 'F' : 'S', c))) return 0;
    if (!FrameTaken("SyncNexStar:Receive")) return 0;
    Drain();
    return 1;
}

const char* GetNexStarFailure() { return failure; }

int SetSlewRateNexStar(int rate) {
    static constexpr int kRates[4] = {9, 7, 4, 2};
    if (rate < 0 || rate > 3) return 0;
    nexstarRate = kRates[rate];
    return 1;
}

int StartSlew(int direction) { return Slew(direction, true); }

int StopSlew(int direction) { return Slew(direction, false); }

int StopGoto() {
    int id = Drive();
    if (id == 9) return Send("StopGoto:Send", std::string{5, 25});
    if (id != 10 && id != 15 && id != 20) return 0;
    if (!Send("StopGoto:Send", "M")) return 0;
    int n = Receive("StopGoto:Receive", 1);
    if (id != 20 && !Acknowledged(n)) ShowInformation("No acknowledgement from telescope in Stop Goto.", "");
    return 1;
}

void ResetNexStarDriver() {
    nexstarRate = 9;
    failure = "";
}
