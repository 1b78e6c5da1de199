#include "support/message_loop.h"

#include "platform/message_queue.h"

int RunMessageLoop() {
    pl::Msg m;
    while (pl::GetMessage(&m, nullptr, 0, 0) > 0) {
        pl::TranslateMessage(&m);
        pl::DispatchMessage(&m);
    }
    return static_cast<int>(m.wParam);
}
