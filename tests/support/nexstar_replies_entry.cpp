#include "support/nexstar_replies_entry.h"

#include <string>

#include "core/preferences.h"
#include "platform/clock.h"
#include "scope/nexstar.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/scripted_serial.h"

namespace {

// 5.5 h is count 0x3AAA, -45 deg travels as 315 deg, count 0xE000.
constexpr double kGotoRa = 5.5, kGotoDec = -45.0;
const std::string kHexFrame = "R3AAA,E000";
const std::string kRawFrame("R\x3A\xAA\xE0\x00", 5);

int CheckRead(int ok, double ra, double dec) {
    if (!ok) return ra == 0.0 && dec == 0.0 ? 0 : 1;
    return ra >= 0.0 && ra < 24.0 && dec >= -90.0 && dec <= 90.0 ? 0 : 2;
}

int Query() {
    double ra = -1.0, dec = -1.0;
    int ok = QueryNexStar(&ra, &dec);
    return CheckRead(ok, ra, dec);
}

int Goto(const ScriptedSerial& line, int drive) {
    std::size_t before = line.written.size();
    if (!GotoNexStar(kGotoRa, kGotoDec)) return 0;
    const std::string& frame = drive == 8 ? kRawFrame : kHexFrame;
    return line.written.find(frame, before) == std::string::npos ? 3 : 0;
}

}  // namespace

int RunNexStarReplies(const uint8_t* data, std::size_t size) {
    static constexpr int kDrives[] = {8, 9, 10, 15, 20};
    if (!pl::IsVirtualClock()) pl::UseVirtualClock(pl::LocalTime{});
    ResetSerialLink();
    ResetNexStarDriver();
    ResetScopeDispatch();
    int drive = kDrives[size > 0 ? data[0] % 5 : 0];
    preferences.word[kPrefDriveId] = drive;
    preferences.word[kPrefScopePort] = 1;
    ScriptedSerial line;
    line.ReplyEach(data, size);
    if (!ConnectNexStar()) return IsSerialOpen() ? 5 : 0;
    int result = Query();
    if (result == 0) result = Goto(line, drive);
    if (result == 0) {
        SyncNexStar(23.9999, 89.99);
        StopSlew(0);
        StopGoto();
        double ra = -1.0, dec = -1.0;
        int ok = ScopeGetRaDec(&ra, &dec);
        result = CheckRead(ok, ra, dec);
    }
    return result;
}
