#include "scope/sky_commander.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "core/services.h"
#include "core/text_numbers.h"
#include "scope/controller_link.h"
#include "scope/serial_link.h"

namespace {

constexpr int kReplySize = 16;

// A value with three decimals as DoubleToStr rounds it.
double RoundedThousandths(double value) { return std::floor(value * 1000.0 + 0.5) / 1000.0; }

std::string ThreeDecimals(double value) {
    char text[32];
    DoubleToStr(text, sizeof text, value, 3);
    return text;
}

// "L0 hh.hhh sdd.ddd\n": a '0' stands before a value below 10, decided on the
// value as written so that 9.9996 gives "10.000", not "010.000".
std::string GotoCommand(double ra, double dec) {
    double hours = std::fmod(ra, 24.0);
    if (hours < 0.0) hours += 24.0;
    hours = RoundedThousandths(hours);
    if (hours >= 24.0) hours = 0.0;
    double degrees = RoundedThousandths(std::min(std::fabs(dec), 90.0));
    std::string command = hours < 10.0 ? "L0 0" : "L0 ";
    command += ThreeDecimals(hours);
    command += dec < 0.0 ? " -" : " +";
    if (degrees < 10.0) command += '0';
    return command + ThreeDecimals(degrees) + "\n";
}

}  // namespace

int ConnectSkyCommander() {
    if (IsSerialOpen()) return 1;
    return OpenScopePort(9600, true);
}

int DisconnectSkyCommander() {
    SerialClose();
    return 1;
}

int QuerySkyCommander(double* ra, double* dec) {
    *ra = *dec = 0.0;
    if (!SerialWrite("\r", 1)) {
        SerialClose();
        return 0;
    }
    char reply[kReplySize];
    int n = SerialRead(reply, kReplySize);
    double hours = 0.0, degrees = 0.0;
    if (!ReadReplyNumber(reply, n, 0, 7, &hours) || !ReadReplyNumber(reply, n, 8, kReplySize, &degrees)) return 0;
    return AcceptSkyPlace(hours, degrees, ra, dec) ? 1 : 0;
}

int GotoSkyCommander(double ra, double dec) {
    std::string command = GotoCommand(ra, dec);
    if (!SerialWrite(command.data(), static_cast<int>(command.size()))) {
        ShowSendFailure(command);
        return 0;
    }
    char ack = 0;
    if (SerialRead(&ack, 1) == 1 && ack == 'A') return 1;
    ShowInformation("Fail to get SkyCommander ack for ra & dec set.", "");
    return 0;
}

const DriveRoutes kSkyCommanderRoutes{.connect = ConnectSkyCommander,
                                      .disconnect = DisconnectSkyCommander,
                                      .query = ReadPlaceOfDate<QuerySkyCommander>,
                                      .gotoPlace = GotoSkyCommander,
                                      .readFailure = "Failed to get SkyCommander RA and Dec.",
                                      .gotoUnconfirmed = true};
