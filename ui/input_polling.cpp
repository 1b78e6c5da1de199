#include "ui/input_polling.h"

#include "platform/clock.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace {

bool IsPenMessage(uint32_t id) { return id >= pl::WM_MOUSEFIRST && id <= pl::WM_MOUSELAST; }

// A message taken by GetPenState that is not a pen message.
void PassOn(const pl::Msg& m) {
    if (m.id == pl::WM_TIMER) return;
    pl::TranslateMessage(&m);
    pl::DispatchMessage(&m);
}

void RemoveRange(uint32_t first, uint32_t last) {
    pl::Msg m;
    while (pl::PeekMessage(&m, nullptr, first, last, pl::PM_REMOVE)) {
    }
}

}  // namespace

void GetPenState(int* x, int* y, int* down) {
    *down = 0;
    if (!IsKeyDown(pl::VK_LBUTTON)) return;
    pl::Msg m;
    pl::GetMessage(&m, nullptr, pl::WM_QUIT + 1, 0xFFFFFFFF);
    if (m.id == pl::WM_MOUSEMOVE) {
        *x = pl::PointX(m.lParam);
        *y = pl::PointY(m.lParam);
    } else {
        pl::Point p;
        pl::GetCursorPos(&p);
        if (m.hwnd) pl::ScreenToClient(m.hwnd, &p);
        *x = p.x;
        *y = p.y;
        if (!IsPenMessage(m.id)) PassOn(m);
    }
    *down = 1;
}

bool IsKeyDown(int vk) { return (pl::GetAsyncKeyState(vk) & 0x8000) != 0; }

bool IsArrowKeyDown() {
    for (int vk : {pl::VK_NEXT, pl::VK_DOWN, pl::VK_PRIOR, pl::VK_UP, pl::VK_LEFT, pl::VK_RIGHT})
        if (IsKeyDown(vk)) return true;
    return false;
}

void FlushKeyEvents() { RemoveRange(pl::WM_KEYFIRST, pl::WM_KEYLAST); }

void FlushPenEvents() { RemoveRange(pl::WM_MOUSEFIRST, pl::WM_MOUSELAST); }

int WaitPenUpOrKey() {
    pl::Msg m;
    for (;;) {
        if (pl::PeekMessage(&m, nullptr, pl::WM_MOUSEFIRST, pl::WM_MOUSELAST, pl::PM_REMOVE)) {
            if (m.id == pl::WM_LBUTTONUP) return 1;
        } else if (pl::PeekMessage(&m, nullptr, pl::WM_KEYFIRST, pl::WM_KEYLAST, pl::PM_NOREMOVE)) {
            return 1;
        }
    }
}

uint32_t GetSeconds() { return pl::GetTickCount() / 1000; }
int GetTicksPerSecond() { return 1000; }
uint32_t GetTicks() { return pl::GetTickCount(); }

void GetLocalDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second) {
    pl::LocalTime t;
    pl::GetLocalTime(&t);
    *year = t.year;
    *month = t.month;
    *day = t.day;
    *hour = t.hour;
    *minute = t.minute;
    *second = t.second;
}
