#include "ui/busy_indicator.h"

#include "platform/device_services.h"
#include "ui/bitmaps.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"

namespace {

constexpr int kFirstFrame = 6081;
constexpr int kFrameCount = 10;

struct BusyState {
    bool started = false;
    bool cursorStyle = false;
    XywhRect box;
    DrawWindowRecord* saved = nullptr;  // the screen under the box
    int frame = 0;
} busy;

void StartIcon() {
    int side = ScaleX(40);
    pl::Rect client = GetDrawClientRect();
    busy.box = XywhRect{client.left + (client.Width() - side) / 2, client.top + (client.Height() - side) / 2, side, side};
    busy.saved = SaveBits(busy.box);
}

int StepBusy(int on) {
    if (on == 0) return 0;
    if (busy.cursorStyle) {
        if (!busy.started) pl::SetWaitCursor(true);
        busy.started = true;
        return 0;
    }
    if (!busy.started) StartIcon();
    busy.started = true;
    DrawBitmap(kFirstFrame + busy.frame, busy.box.x + static_cast<int>(displayScale.scaleX), busy.box.y + ScaleY(4));
    busy.frame = (busy.frame + 1) % kFrameCount;
    return 0;
}

void EndBusy(int) {
    busy.started = false;
    if (busy.cursorStyle) {
        pl::SetWaitCursor(false);
        return;
    }
    RestoreBits(busy.saved, busy.box.x, busy.box.y);
    busy.saved = nullptr;
}

}  // namespace

ServiceHooks InstallBusyIndicator() {
    ServiceHooks previous = InstallServiceHooks(ServiceHooks{});
    ServiceHooks hooks = previous;
    hooks.stepBusyIndicator = StepBusy;
    hooks.endBusyIndicator = EndBusy;
    InstallServiceHooks(hooks);
    return previous;
}

void SetModeFlag(int flag) { busy.cursorStyle = flag != 0; }

void ResetBusyIndicator() {
    DeleteOffscreenWindow(busy.saved);
    busy = BusyState{};
}
