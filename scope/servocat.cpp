#include "scope/servocat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/services.h"
#include "scope/controller_link.h"
#include "scope/serial_link.h"

namespace {

// The controller's answer to CR: " HH.HHH sDD.DDD" and a NUL.
constexpr int kReplyLength = 16;
// The place in the answer: 'd' a digit, 's' the sign, other bytes as shown.
constexpr char kPlaceForm[] = "dd.ddd sdd.ddd";
constexpr int kPlaceLength = sizeof kPlaceForm - 1;
// A goto is answered within 1 s ('G' taken, 'X' refused) by firmware 6.1 and
// later, not at all by older firmware. A read gives up after 400 ms of
// silence, so three reads cover the second.
constexpr int kAnswerReads = 3;
// Guards the truncation of fractions that are whole thousandths in decimal
// but fall just short in binary (5.1 h must go out as 05.100).
constexpr double kThousandthGuard = 1e-6;

// Whole units and thousandths (truncated) of a non-negative value.
void SplitThousandths(double value, int* whole, int* thousandths) {
    *whole = static_cast<int>(value);
    *thousandths = std::min(999, static_cast<int>((value - *whole) * 1000.0 + kThousandthGuard));
}

void FormatGoto(double ra, double dec, char* out, std::size_t size) {
    double hours = std::fmod(ra, 24.0);
    if (hours < 0.0) hours += 24.0;
    dec = std::clamp(dec, -90.0, 90.0);
    int h, hFraction, d, dFraction;
    SplitThousandths(hours, &h, &hFraction);
    SplitThousandths(std::fabs(dec), &d, &dFraction);
    std::snprintf(out, size, "g%02d.%03d %c%02d.%03d", h, hFraction, dec > 0.0 ? '+' : '-', d, dFraction);
}

// Second line of "Goto failed": why the controller did not take the last goto.
const char* gotoFailure = "";

const char* GotoFailure() { return gotoFailure; }

// Whether the n bytes of `text` are the place form followed by nothing but
// NULs.
bool IsPlaceReply(const char* text, int n) {
    if (n < kPlaceLength) return false;
    for (int i = 0; i < kPlaceLength; ++i) {
        char c = text[i], f = kPlaceForm[i];
        bool fits = f == 'd' ? c >= '0' && c <= '9' : f == 's' ? c == '+' || c == '-' : c == f;
        if (!fits) return false;
    }
    return std::all_of(text + kPlaceLength, text + n, [](char c) { return c == '\0'; });
}

// Exclusive-or of the place bytes of a goto: the controller's check byte.
char Checksum(const std::string& place) {
    char sum = 0;
    for (char c : place) sum = static_cast<char>(sum ^ c);
    return sum;
}

// The controller's answer to a goto; true when it took the place or said
// nothing (older firmware), else the reason goes to gotoFailure.
bool GotoTaken() {
    char answer = 0;
    bool answered = false;
    for (int i = 0; i < kAnswerReads && !answered; ++i) answered = SerialRead(&answer, 1) == 1;
    if (!answered || answer == 'G') return true;
    gotoFailure = answer == 'X' ? kMountRefusedCoordinates : kMountReplyNotUnderstood;
    return false;
}

int GotoAndDisconnect(double ra, double dec) {
    int ok = GotoServoCat(ra, dec);
    if (ok) DisconnectServoCat();
    return ok;
}

}  // namespace

int ConnectServoCat() {
    if (IsSerialOpen()) return 1;
    return OpenScopePort(9600, true);
}

int DisconnectServoCat() {
    SerialClose();
    return 1;
}

int QueryServoCat(double* ra, double* dec) {
    *ra = *dec = 0.0;
    if (!SerialWrite("\r", 1)) {
        ShowSendFailure("\r");
        return 0;
    }
    char reply[kReplyLength];
    int n = SerialRead(reply, kReplyLength);
    int start = n > 0 && reply[0] == ' ' ? 1 : 0;
    double hours = 0.0, degrees = 0.0;
    if (!IsPlaceReply(reply + start, n - start) || !ReadReplyNumber(reply, n, start, start + 6, &hours) ||
        !ReadReplyNumber(reply, n, start + 7, start + kPlaceLength, &degrees))
        return 0;
    return AcceptSkyPlace(hours, degrees, ra, dec) ? 1 : 0;
}

int GotoServoCat(double ra, double dec) {
    gotoFailure = "";
    char text[64];
    FormatGoto(ra, dec, text, sizeof text);
    std::string command = text;
    command += Checksum(command.substr(1));
    if (!SerialWrite(command.data(), static_cast<int>(command.size()))) {
        ShowSendFailure(command);
        return 0;
    }
    return GotoTaken() ? 1 : 0;
}

const DriveRoutes kServoCatRoutes{.connect = ConnectServoCat,
                                  .disconnect = DisconnectServoCat,
                                  .query = ReadPlaceOfDate<QueryServoCat>,
                                  .gotoPlace = GotoAndDisconnect,
                                  .gotoRefusal = GotoFailure,
                                  .readFailure = "Failed to get Servocat RA and Dec",
                                  .gotoUnconfirmed = true};
