#include "scope/encoder_box.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/preferences.h"
#include "core/preferences_file.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "platform/clock.h"
#include "scope/controller_link.h"
#include "scope/encoder_offsets.h"
#include "scope/encoder_simulation.h"
#include "scope/scope_dispatch.h"
#include "scope/scope_form.h"
#include "scope/serial_link.h"

ScopeTarget pendingScopeTarget{0.0, kNoTargetDec};

namespace {

constexpr int kReplyLength = 13;   // "sddddd" azimuth, a separator, "sddddd" altitude
constexpr int kAltField = 7;
constexpr int kFieldLength = 6;
constexpr int kVorlanx = 4;
constexpr int kIntelliscope = 16;

int connected = 0;

int Drive() { return preferences.word[kPrefDriveId]; }

// Counts a turn: the magnitude of a step word (11 azimuth, 12 altitude).
long long Turn(int word) { return std::llabs(static_cast<long long>(preferences.word[word])); }

bool SendBytes(const void* bytes, int n) { return SerialWrite(bytes, n) == 1; }
bool Send(const char* text) { return SendBytes(text, static_cast<int>(std::strlen(text))); }

// True when at least one byte came.
bool ReplyCame() {
    char byte = 0;
    return SerialRead(&byte, 1) == 1;
}

// Boxes that count without being told their resolutions.
bool TakesNoResolutions(int id) { return id == 1 || id == 11 || id == kIntelliscope; }
bool TakesResolutions(int id) { return id == 3 || id == kVorlanx || id == 12 || id == 22; }

// Vorlanx: 'z' and both resolutions as 16-bit little-endian words, altitude
// first; the box answers one byte, and is acknowledged 250 ms later.
bool SendVorlanxResolutions(long long az, long long alt) {
    const unsigned char z[5] = {'z', static_cast<unsigned char>(alt & 0xFF), static_cast<unsigned char>((alt >> 8) & 0xFF),
                                static_cast<unsigned char>(az & 0xFF), static_cast<unsigned char>((az >> 8) & 0xFF)};
    if (!SendBytes(z, sizeof z) || !ReplyCame()) return false;
    pl::Sleep(250);
    return Send("A");
}

// Ouranos takes its resolutions and then zero counts, without a reply.
bool SendOuranosResolutions(long long az, long long alt) {
    char text[48];
    std::snprintf(text, sizeof text, "R%05lld\t%05lld\r", az, alt);
    if (!Send(text)) {
        ShowInformation("Can't initialize encoder resolution", "");
        return false;
    }
    pl::Sleep(1000);
    std::snprintf(text, sizeof text, "I%05d\t%05d\r", 0, 0);
    return Send(text);
}

// Sends the box its resolutions; true when it took them.
bool SendResolutions(int id) {
    long long az = Turn(kPrefEncoderStepsAz), alt = Turn(kPrefEncoderStepsAlt);
    char text[48];
    switch (id) {
    case 3:
        std::snprintf(text, sizeof text, "Z%05lld %05lld\n", az, alt);
        if (!Send(text)) return false;
        pl::Sleep(500);
        return ReplyCame();
    case 22:
        std::snprintf(text, sizeof text, "Z\t+%05lld\t+%05lld\n", az, alt);
        return Send(text) && ReplyCame();
    case kVorlanx: return SendVorlanxResolutions(az, alt);
    case 12: return SendOuranosResolutions(az, alt);
    default: return false;
    }
}

// A 6-byte count field: '-', '+', digits as ParseInt reads them; false without a digit.
bool ParseCount(const char* field, int* count) {
    char text[kFieldLength + 1];
    std::memcpy(text, field, kFieldLength);
    text[kFieldLength] = '\0';
    int i = 0;
    if (text[i] == '-') ++i;
    if (text[i] == '+') ++i;
    if (text[i] < '0' || text[i] > '9') return false;
    *count = ParseInt(text);
    return true;
}

// The query and its reply; a failed write closes the port.
bool ReadCounts(int* azCount, int* altCount) {
    int id = Drive();
    if (!Send(id == kVorlanx ? "y" : "Q")) {
        SerialClose();
        connected = 0;
        return false;
    }
    unsigned char reply[kReplyLength];
    if (id == kVorlanx) {
        if (SerialRead(reply, 4) != 4) return false;
        *altCount = reply[0] + 256 * reply[1];
        *azCount = reply[2] + 256 * reply[3];
        return true;
    }
    if (id == kIntelliscope && SerialRead(reply, 1) != 1) return false;
    int n = SerialRead(reply, kReplyLength);
    return ParseEncoderReply(reinterpret_cast<const char*>(reply), n, azCount, altCount);
}

// A count in [0, turn) after the direction of the word and the offset.
long long Reduced(long long count, int32_t word, int32_t offset) {
    long long turn = std::llabs(static_cast<long long>(word));
    long long v = ((word < 0 ? turn - count : count) - offset) % turn;
    return v < 0 ? v + turn : v;
}

// Whole counts (towards zero) of an angle difference, taken within one turn;
// 0 for a reference that is not a number.
int32_t OffsetCounts(double read, double reference, long long turn) {
    double t = static_cast<double>(turn);
    double counts = std::fmod(std::trunc((read - reference) * t / 360.0), t);
    return std::isfinite(counts) ? static_cast<int32_t>(counts) : 0;
}

}  // namespace

int ConnectEncoder() {
    if (scopeSimulation) {
        connected = 1;
        return 1;
    }
    if (connected && IsSerialOpen()) return 1;
    connected = 0;
    StepBusyIndicator(1);
    if (!OpenScopePort(9600, false)) {
        EndBusyIndicator(0);
        return 0;
    }
    int id = Drive();
    bool box = TakesNoResolutions(id) || TakesResolutions(id);
    if (box && !encoderOffsets.initialized && (TakesNoResolutions(id) || SendResolutions(id)))
        encoderOffsets = EncoderOffsets{1, 0, 0};
    connected = box && encoderOffsets.initialized ? 1 : 0;
    if (!connected) {
        ShowInformation("Fail to open encoder connection", "");
        SetSerialPersistent(0);
        SerialClose();
    }
    EndBusyIndicator(0);
    return connected;
}

int DisconnectEncoder() {
    connected = 0;
    if (scopeSimulation) return 0;
    SerialClose();
    return 1;
}

int EncoderStatusCheck() {
    if (scopeSimulation) return 1;
    int id = Drive();
    if (id == kVorlanx) {
        char status = 0;
        Send("a");
        return SerialRead(&status, 1) == 1 && status == 'Y' ? 1 : 0;
    }
    return TakesNoResolutions(id) || TakesResolutions(id) ? 1 : 0;
}

int QueryAzAltEncoder(double* az, double* alt, int* azCount, int* altCount) {
    *az = *alt = 0.0;
    *azCount = *altCount = 0;
    if (!connected) {
        ShowInformation("Connection not open!", "");
        return 0;
    }
    if (!EncoderStatusCheck()) {
        ShowInformation("Bad encoder status", "");
        if (!scopeSimulation) SerialClose();
        connected = 0;
        return 0;
    }
    int a = 0, b = 0;
    if (scopeSimulation) StepSimulatedEncoder(&a, &b);
    else if (!ReadCounts(&a, &b)) return 0;
    if (!EncoderCountsToDegrees(a, b, az, alt)) return 0;
    *azCount = a;
    *altCount = b;
    return 1;
}

int QueryEqEncoder(double* azHours, double* alt, int* azCount, int* altCount) {
    if (!QueryAzAltEncoder(azHours, alt, azCount, altCount)) return 0;
    *azHours /= 15.0;
    return 1;
}

int SyncEncoder(double* azReference, double* altReference) {
    if (encoderOffsets.altOffset != 0 || encoderOffsets.azOffset != 0) return 1;
    double az = 0.0, alt = 0.0;
    int azCount = 0, altCount = 0;
    int read = ConnectEncoder() && QueryAzAltEncoder(&az, &alt, &azCount, &altCount);
    if (read) {
        encoderOffsets.altOffset = OffsetCounts(alt, *altReference, Turn(kPrefEncoderStepsAlt));
        encoderOffsets.azOffset = OffsetCounts(az, *azReference, Turn(kPrefEncoderStepsAz));
        preferences.word[kPrefSavedEncoderAlt] = encoderOffsets.altOffset;
        preferences.word[kPrefSavedEncoderAz] = encoderOffsets.azOffset;
        SavePreferences();
    }
    if (!scopeSimulation) SerialClose();
    connected = 0;
    return read;
}

void SetPendingScopeTarget(double ra, double dec) { pendingScopeTarget = ScopeTarget{ra, dec}; }

int GotoEncoder(double ra, double dec) {
    SetPendingScopeTarget(ra, dec);
    OpenScopeForm(1);
    return 1;
}

int EncoderReading(double* first, double* second) {
    int azCount = 0, altCount = 0;
    if (preferences.word[kPrefMountType] == 0) return QueryEqEncoder(first, second, &azCount, &altCount);
    if (QueryAzAltEncoder(first, second, &azCount, &altCount)) return 1;
    DisconnectEncoder();
    return 0;
}

bool ParseEncoderReply(const char* reply, int length, int* azCount, int* altCount) {
    int az = 0, alt = 0;
    if (!reply || length < kReplyLength || !ParseCount(reply, &az) || !ParseCount(reply + kAltField, &alt)) return false;
    *azCount = az;
    *altCount = alt;
    return true;
}

int EncoderCountsToDegrees(int azCount, int altCount, double* az, double* alt) {
    int32_t azWord = preferences.word[kPrefEncoderStepsAz], altWord = preferences.word[kPrefEncoderStepsAlt];
    if (altWord == 0 || azWord == 0) {
        ShowInformation(altWord == 0 ? "Bad Alt encoder resolution" : "Bad Azt encoder resolution", "Please check.");
        return 0;
    }
    long long altTurn = Turn(kPrefEncoderStepsAlt);
    long long v = Reduced(altCount, altWord, encoderOffsets.altOffset);
    if (2 * v > altTurn) v -= altTurn;  // altitude runs over (-180, 180]
    *alt = static_cast<double>(v) * 360.0 / static_cast<double>(altTurn);
    *az = static_cast<double>(Reduced(azCount, azWord, encoderOffsets.azOffset)) * 360.0 /
          static_cast<double>(Turn(kPrefEncoderStepsAz));
    return 1;
}

int IsEncoderConnected() { return connected; }

void ForgetEncoderBox() {
    connected = 0;
    ResetEncoderOffsets();
}

void ResetEncoderBox() {
    ForgetEncoderBox();
    pendingScopeTarget = ScopeTarget{0.0, kNoTargetDec};
}
