#include "scope/scope_slew.h"

#include <cstdint>

#include "core/preferences.h"
#include "scope/scope_dispatch.h"
#include "ui/input_polling.h"

int slewRefreshPeriod = 125;
uint8_t takahashiResend = 0;

namespace {

constexpr int kTakahashi = 14;

}  // namespace

void RunSlewLoop(int direction, bool keyStarted, SlewRefresh refresh) {
    bool takahashi = preferences.word[kPrefDriveId] == kTakahashi;
    slewRefreshPeriod = takahashi ? 2000 : 125;
    ScopeStartSlew(direction);
    uint32_t nextRefresh = 0;
    bool held = true;
    bool keys = IsArrowKeyDown();
    if (!(keyStarted && !keys)) {
        while (held && IsArrowKeyDown() == keys) {
            takahashiResend = static_cast<int32_t>(GetTicks() - nextRefresh) > 0;
            if (takahashiResend) {
                nextRefresh = GetTicks() + static_cast<uint32_t>(slewRefreshPeriod);
                if (refresh) refresh(direction);
                // A refresh slower than the period (a read on a real line) is
                // followed by a full period of key polling before the next.
                if (static_cast<int32_t>(GetTicks() - nextRefresh) > 0)
                    nextRefresh = GetTicks() + static_cast<uint32_t>(slewRefreshPeriod);
            }
            if (!keyStarted) {
                int x, y, down;
                GetPenState(&x, &y, &down);
                held = down != 0;
            }
            if (takahashi && takahashiResend) ScopeStartSlew(direction);
        }
    }
    ScopeStopSlew(direction);
    FlushKeyEvents();
}

void ScopeKeySlewUp() { RunSlewLoop(0, true, nullptr); }
void ScopeKeySlewDown() { RunSlewLoop(1, true, nullptr); }
void ScopeKeySlewLeft() { RunSlewLoop(3, true, nullptr); }
void ScopeKeySlewRight() { RunSlewLoop(2, true, nullptr); }
