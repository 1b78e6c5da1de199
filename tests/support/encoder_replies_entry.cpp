#include "support/encoder_replies_entry.h"

#include <cstdint>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/clock.h"
#include "scope/encoder_box.h"
#include "scope/scope_dispatch.h"
#include "scope/serial_link.h"
#include "support/scripted_serial.h"

namespace {

constexpr int kDrives[] = {1, 3, 4, 11, 12, 16, 22};
constexpr int32_t kSteps[] = {8192, -8192, 4000, 0, 1, 65535, -3, INT32_MIN};

void Select(const uint8_t* data, std::size_t size) {
    uint8_t drive = size > 0 ? data[0] : 0, steps = size > 1 ? data[1] : 0;
    preferences.word[kPrefDriveId] = kDrives[drive % 7];
    preferences.word[kPrefScopePort] = 1;
    preferences.word[kPrefEncoderStepsAz] = kSteps[steps & 7];
    preferences.word[kPrefEncoderStepsAlt] = kSteps[(steps >> 3) & 7];
    preferences.word[kPrefMountType] = (steps >> 6) % 3;
    preferences.word[kPrefAlignMethod] = 0;
}

// A read's outputs: all 0 when it failed, angles in range when it did.
int CheckRead(int ok, double first, double alt, int azCount, int altCount, double turn) {
    if (!ok) return first == 0.0 && alt == 0.0 && azCount == 0 && altCount == 0 ? 0 : 1;
    return first >= 0.0 && first < turn && alt > -180.0 && alt <= 180.0 ? 0 : 2;
}

int Reads() {
    double a = -1.0, b = -1.0;
    int azCount = -1, altCount = -1;
    for (auto query : {QueryAzAltEncoder, QueryEqEncoder}) {
        int ok = query(&a, &b, &azCount, &altCount);
        if (int r = CheckRead(ok, a, b, azCount, altCount, query == QueryEqEncoder ? 24.0 : 360.0)) return r;
    }
    int ok = ScopeGetRaDec(&a, &b);
    if (int r = CheckRead(ok, a, b, 0, 0, preferences.word[kPrefMountType] == 0 ? 24.0 : 360.0)) return r;
    return ScopeGetPosition(&a, &b) && !(a >= 0.0 && a <= 24.0 && b >= -90.0 && b <= 90.0) ? 3 : 0;
}

}  // namespace

int RunEncoderReplies(const uint8_t* data, std::size_t size) {
    if (!pl::IsVirtualClock()) pl::UseVirtualClock(pl::LocalTime{});
    ResetSerialLink();
    ResetEncoderBox();
    ResetScopeDispatch();
    SetSiteLatitude(currentSite, 45.0);
    Select(data, size);
    ScriptedSerial line;
    line.ReplyEach(data, size, 2);
    if (!ScopeConnect()) return IsSerialOpen() ? 4 : 0;
    return Reads();
}
