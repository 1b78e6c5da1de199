#include "support/meade_replies_entry.h"

#include <cstring>
#include <string>

#include "core/preferences.h"
#include "platform/clock.h"
#include "scope/meade.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/scripted_serial.h"

namespace {

int CheckRead(int ok, double ra, double dec) {
    if (!ok) return ra == 0.0 && dec == 0.0 ? 0 : 1;
    return ra >= 0.0 && ra < 24.0 && dec >= -90.0 && dec <= 90.0 ? 0 : 2;
}

// Commands are printable ASCII and the mount's degree sign.
int CheckWritten(const std::string& written) {
    for (unsigned char c : written)
        if ((c < 0x20 || c > 0x7E) && c != 0xDF) return 4;
    return 0;
}

}  // namespace

int RunMeadeReplies(const uint8_t* data, std::size_t size) {
    static constexpr int kDrives[] = {2, 5, 6, 7, 17};
    if (!pl::IsVirtualClock()) pl::UseVirtualClock(pl::LocalTime{});
    ResetSerialLink();
    ResetMeadeDriver();
    ResetScopeDispatch();
    preferences.word[kPrefDriveId] = kDrives[size > 0 ? data[0] % 5 : 0];
    preferences.word[kPrefScopePort] = 1;
    ScriptedSerial line;
    line.ReplyEach(data, size);
    if (!Connect()) return IsSerialOpen() ? 5 : CheckWritten(line.written);
    double ra = -1.0, dec = -1.0;
    int ok = QueryEQ(&ra, &dec);
    int result = CheckRead(ok, ra, dec);
    if (result == 0 && !GotoEQ(5.99999, -0.25) && std::strlen(GetMeadeFailure()) >= 64) result = 3;
    if (result == 0) SyncEQ(23.9999, 89.99);
    if (result == 0) {
        ok = ScopeGetRaDec(&ra, &dec);
        result = CheckRead(ok, ra, dec);
    }
    if (result == 0) result = CheckWritten(line.written);
    return result;
}
