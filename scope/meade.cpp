#include "scope/meade.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/preferences.h"
#include "core/services.h"
#include "scope/controller_link.h"
#include "scope/meade_simulation.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"

namespace {

constexpr unsigned char kDegreeSign = 223;  // the mount's degree character
constexpr double kHalfSecond = 1.0 / 7200.0;
// Bytes read at most while draining a reply, so a mount that never stops
// sending cannot hold the program.
constexpr int kDrainLimit = 256;
constexpr std::size_t kFailureSize = 64;

int highPrecision = 0;
char command[64];
char reply[32];
char failure[kFailureSize];  // second line of the last failed goto or sync

int Drive() { return preferences.word[kPrefDriveId]; }

// Writes `text`; the trace switch shows it under `step` ("Connect:Send").
int Send(const char* step, const char* text) {
    if (IsSerialTrace()) ShowInformation(step, text);
    return SerialWrite(text, static_cast<int>(std::strlen(text)));
}

// Reads up to n bytes into `reply`; the trace switch shows them.
int Receive(const char* step, int n) {
    int count = SerialRead(reply, n);
    if (IsSerialTrace()) ShowInformation(step, std::string(reply, static_cast<std::size_t>(count)));
    return count;
}

// Sends a command of goto or sync; a failed write says so with the command.
bool SendOrSay(const char* step, const char* text) {
    if (Send(step, text)) return true;
    ShowSendFailure(text);
    return false;
}

// Reads single bytes until `stop` is read or nothing comes (at most
// kDrainLimit); the bytes before `stop` go to `text` (cut to its size) when
// given. True when `stop` came.
bool ReadUntil(char stop, char* text, std::size_t size) {
    std::size_t kept = 0;
    bool stopped = false;
    char byte = 0;
    for (int count = 0; count < kDrainLimit && SerialRead(&byte, 1) == 1; ++count) {
        if (byte == stop) {
            stopped = true;
            break;
        }
        if (text && kept + 1 < size) text[kept++] = byte;
    }
    if (text && size > 0) text[kept] = '\0';
    return stopped;
}

// Reads and drops what the mount still sends (at most kDrainLimit bytes).
void Drain() {
    for (int i = 0; i < kDrainLimit && SerialRead(reply, 1) == 1; ++i) {
    }
}

void SetFailure(const char* text) { std::snprintf(failure, sizeof failure, "%s", text); }

// The mount's answer to a set command: '1' takes the coordinate; '0' refuses
// it, any other byte or none fails too (the failure text says which).
bool CoordinateTaken(const char* step) {
    int n = Receive(step, 1);
    if (n == 1 && reply[0] == '1') return true;
    SetFailure(n != 1 ? kNoReplyFromMount : reply[0] == '0' ? kMountRefusedCoordinates : kMountReplyNotUnderstood);
    return false;
}

// Hours or degrees as whole units, minutes and seconds (or tenths of a
// minute), half a unit of the last field added first.
struct Fields {
    int whole, minutes, last;
};
Fields Split(double value, bool tenths) {
    value += kHalfSecond;
    int whole = static_cast<int>(value);
    double minutes = (value - whole) * 60.0;
    int m = static_cast<int>(minutes);
    double rest = minutes - m;
    return {whole, m, static_cast<int>(tenths ? rest * 10.0 : rest * 60.0)};
}

// Sets the place before a goto or a sync; false when a write failed or the
// mount did not take a coordinate.
// Losmandy mounts take the object command ":ON#" after the right ascension of
// a goto.
bool SendPlace(const char* routine, double ra, double dec, bool objectCommand) {
    char step[32];
    FormatMeadeSetRa(ra, highPrecision != 0, command, sizeof command);
    std::snprintf(step, sizeof step, "%s:Set ra", routine);
    if (!SendOrSay(step, command) || !CoordinateTaken(step)) return false;
    if (objectCommand && Drive() == 17 && !SendOrSay(step, ":ON#")) return false;
    FormatMeadeSetDec(dec, highPrecision != 0, command, sizeof command);
    std::snprintf(step, sizeof step, "%s:Set dec", routine);
    return SendOrSay(step, command) && CoordinateTaken(step);
}

// The probe: true when the mount answered it.
bool Probe() {
    int id = Drive();
    if (id == 2 || id == 5 || id == 17) {
        Send("Connect:Send", "#:GD#");
        reply[0] = 0;
        int n = Receive("Connect:Receive", 10);
        if (n == 10) highPrecision = 1;
        return n >= 6;
    }
    if (id == 6 || id == 7) {
        Send("Connect:Send", "#:GC#");
        StepBusyIndicator(1);
        return Receive("Connect:Receive", 9) == 9;
    }
    ShowInformation("Seems scope is not Meade !", "");
    return false;
}

// Writes one of four commands chosen by `index` 0..3; 0 for other indexes.
int SendChoice(const char* const (&commands)[4], int index) {
    if (index < 0 || index > 3) return 0;
    return Send("Meade:Send", commands[index]);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Field separators are single characters: ':', the degree sign, '\''.
bool IsSeparator(char c) { return !IsDigit(c) && c != '#' && c != '.'; }

// Reads 1..maxDigits digits at text[*i]; -1 when there is none.
int Digits(const char* text, int length, int* i, int maxDigits) {
    int value = 0, n = 0;
    while (*i < length && n < maxDigits && IsDigit(text[*i])) {
        value = value * 10 + (text[(*i)++] - '0');
        ++n;
    }
    return n == 0 ? -1 : value;
}

// Signed sexagesimal value of a reply, or false; `limit` bounds the whole field.
bool ParseReply(const char* text, int length, int limit, double* value) {
    if (!text || length <= 0) return false;
    int i = 0;
    bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') ++i;
    int whole = Digits(text, length, &i, 3);
    if (whole < 0 || i >= length || !IsSeparator(text[i])) return false;
    ++i;
    int minutes = Digits(text, length, &i, 2);
    if (minutes < 0 || minutes > 59 || i >= length) return false;
    double seconds = 0.0;
    if (text[i] == '.') {
        ++i;
        int tenths = Digits(text, length, &i, 1);
        if (tenths < 0) return false;
        seconds = 6.0 * tenths;
    } else if (IsSeparator(text[i])) {
        ++i;
        int s = Digits(text, length, &i, 2);
        if (s < 0 || s > 59) return false;
        seconds = s;
    }
    if (i >= length || text[i] != '#') return false;
    double v = whole + minutes / 60.0 + seconds / 3600.0;
    if (v > limit) return false;
    *value = negative ? -v : v;
    return true;
}

}  // namespace

int Connect() {
    if (scopeSimulation || IsSerialOpen()) return 1;
    if (!OpenScopePort(9600, false)) return 0;
    bool accepted = Probe();
    if (!accepted) {
        ShowInformation("Fail to open Meade connection", "");
        SetSerialPersistent(0);
        SerialClose();
    }
    EndBusyIndicator(0);
    return accepted ? 1 : 0;
}

int DisconnectMeade() {
    if (!scopeSimulation) SerialClose();
    return 1;
}

int QueryEQ(double* ra, double* dec) {
    *ra = *dec = 0.0;
    if (scopeSimulation) return SimulatedMeadeQuery(ra, dec);
    double hours = 0.0, degrees = 0.0;
    if (!Send("QueryEQ:Send", "#:GR#")) return 0;
    int n = Receive("QueryEQ:Receive", highPrecision ? 9 : 8);
    if (!ParseMeadeRa(reply, n, &hours)) return 0;
    if (!Send("QueryEQ:Send", ":GD#")) return 0;
    n = Receive("QueryEQ:Receive", highPrecision ? 10 : 7);
    if (!ParseMeadeDec(reply, n, &degrees)) return 0;
    *ra = hours;
    *dec = degrees;
    return 1;
}

int GotoEQ(double ra, double dec) {
    failure[0] = '\0';
    if (!std::isfinite(ra) || !std::isfinite(dec)) return 0;
    if (scopeSimulation) return SimulatedMeadeGoto(ra, dec);
    if (!SendPlace("GotoEQ", ra, dec, true) || !SendOrSay("GotoEQ:Goto", "#:MS#")) return 0;
    if (Receive("GotoEQ:Receive", 1) != 1) {
        SetFailure(kNoReplyFromMount);
        return 0;
    }
    char answer = reply[0];
    if (answer == '0') {
        Drain();
        return 1;
    }
    if (IsDigit(answer)) {
        ReadUntil('#', failure, sizeof failure);
        return 0;
    }
    Drain();
    SetFailure(kMountReplyNotUnderstood);
    return 0;
}

const char* GetMeadeFailure() { return failure; }

int SyncEQ(double ra, double dec) {
    failure[0] = '\0';
    if (!std::isfinite(ra) || !std::isfinite(dec)) return 0;
    if (scopeSimulation) return SimulatedMeadeSync(ra, dec);
    if (!SendPlace("SyncEQ", ra, dec, false) || !Send("SyncEQ:Sync", "#:CM#")) return 0;
    char first = 0;
    if (SerialRead(&first, 1) != 1) {
        SetFailure(kNoReplyFromMount);
        return 0;
    }
    if (first == '#' || ReadUntil('#', nullptr, 0)) return 1;
    SetFailure(kMountReplyNotUnderstood);
    return 0;
}

int SetSlewRateMeade(int rate) {
    if (scopeSimulation) return SimulatedMeadeRate(rate);
    static const char* const kRates[4] = {"#:RS#", "#:RM#", "#:RC#", "#:RG#"};
    return SendChoice(kRates, rate);
}

int StartSlewMeade(int direction) {
    if (scopeSimulation) return SimulatedMeadeStart(direction);
    static const char* const kStarts[4] = {"#:Mn#", "#:Ms#", "#:Me#", "#:Mw#"};
    return SendChoice(kStarts, direction);
}

int StopSlewMeade(int direction) {
    if (scopeSimulation) return SimulatedMeadeStop();
    static const char* const kStops[4] = {"#:Qn#", "#:Qs#", "#:Qe#", "#:Qw#"};
    return SendChoice(kStops, direction);
}

int AbortMeade() {
    if (scopeSimulation) return SimulatedMeadeStop();
    return Send("AbortMeade:Send", "#:Q#");
}

void FormatMeadeSetRa(double ra, bool high, char* out, std::size_t size) {
    double hours = std::isfinite(ra) ? std::fmod(ra, 24.0) : 0.0;
    if (hours < 0.0) hours += 24.0;
    Fields f = Split(hours, !high);
    if (f.whole >= 24) f.whole -= 24;
    if (high) std::snprintf(out, size, "#:Sr %02d:%02d:%02d#", f.whole, f.minutes, f.last);
    else std::snprintf(out, size, "#:Sr %02d:%02d.%d#", f.whole, f.minutes, f.last);
}

void FormatMeadeSetDec(double dec, bool high, char* out, std::size_t size) {
    double degrees = std::isfinite(dec) ? std::min(std::fabs(dec), 90.0) : 0.0;
    char sign = dec >= 0.0 ? '+' : '-';
    Fields f = Split(degrees, false);
    if (high) std::snprintf(out, size, ":Sd %c%02d%c%02d:%02d#", sign, f.whole, kDegreeSign, f.minutes, f.last);
    else std::snprintf(out, size, ":Sd %c%02d%c%02d#", sign, f.whole, kDegreeSign, f.minutes);
}

bool ParseMeadeRa(const char* text, int length, double* value) {
    double v = 0.0;
    if (!ParseReply(text, length, 24, &v) || v < 0.0 || v >= 24.0) return false;
    *value = v;
    return true;
}

bool ParseMeadeDec(const char* text, int length, double* value) { return ParseReply(text, length, 90, value); }

void ForgetMeadeProbe() { highPrecision = 0; }

void ResetMeadeDriver() {
    highPrecision = 0;
    failure[0] = '\0';
    ResetSimulatedMeade();
}
