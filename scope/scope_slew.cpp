#include "scope/scope_slew.h"

#include <cstdint>

#include "core/preferences.h"
#include "scope/scope_dispatch.h"
#include "ui/input_polling.h"

namespace {

constexpr int kTakahashi = 14;

}  // namespace

void RunSlewLoop(int direction, bool keyStarted, SlewRefresh refresh) {
    bool takahashi = preferences.word[kPrefDriveId] == kTakahashi;
    uint32_t period = takahashi ? 2000 : 125;
    ScopeStartSlew(direction);
    uint32_t nextRefresh = 0;
    bool held = true;
    bool keys = IsArrowKeyDown();
    if (!(keyStarted && !keys)) {
        while (held && IsArrowKeyDown() == keys) {
            bool due = static_cast<int32_t>(GetTicks() - nextRefresh) > 0;
            if (due) {
                nextRefresh = GetTicks() + period;
                if (refresh) refresh(direction);
            }
            if (!keyStarted) {
                int x, y, down;
                GetPenState(&x, &y, &down);
                held = down != 0;
            }
            if (takahashi && due) ScopeStartSlew(direction);
        }
    }
    ScopeStopSlew(direction);
    FlushKeyEvents();
}

void ScopeKeySlewUp() { RunSlewLoop(0, true, nullptr); }
void ScopeKeySlewDown() { RunSlewLoop(1, true, nullptr); }
void ScopeKeySlewLeft() { RunSlewLoop(3, true, nullptr); }
void ScopeKeySlewRight() { RunSlewLoop(2, true, nullptr); }
