#include "scope/servocat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/services.h"
#include "scope/controller_link.h"
#include "scope/serial_link.h"

namespace {

constexpr int kReplyLength = 14;
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
    double hours = 0.0, degrees = 0.0;
    if (n < kReplyLength || !ReadReplyNumber(reply, n, 0, 6, &hours) || !ReadReplyNumber(reply, n, 7, 14, &degrees))
        return 0;
    return AcceptSkyPlace(hours, degrees, ra, dec) ? 1 : 0;
}

int GotoServoCat(double ra, double dec) {
    char command[64];
    FormatGoto(ra, dec, command, sizeof command);
    if (SerialWrite(command, static_cast<int>(std::strlen(command)))) return 1;
    ShowSendFailure(command);
    return 0;
}

const DriveRoutes kServoCatRoutes{.connect = ConnectServoCat,
                                  .disconnect = DisconnectServoCat,
                                  .query = ReadPlaceOfDate<QueryServoCat>,
                                  .gotoPlace = GotoAndDisconnect,
                                  .readFailure = "Failed to get Servocat RA and Dec",
                                  .gotoUnconfirmed = true};
