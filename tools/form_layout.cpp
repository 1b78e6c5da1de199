#include "tools/form_layout.h"

#include <algorithm>

#include "platform/window.h"

void MoveControlsExcept(pl::Hwnd form, std::initializer_list<int> kept, int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    pl::Point origin{0, 0};
    pl::ClientToScreen(form, &origin);
    for (pl::Hwnd child : pl::ChildWindows(form)) {
        pl::Rect r;
        if (std::find(kept.begin(), kept.end(), pl::GetDlgCtrlID(child)) != kept.end() || !pl::GetWindowRect(child, &r))
            continue;
        pl::SetWindowPos(child, nullptr, r.left - origin.x + dx, r.top - origin.y + dy, 0, 0,
                         pl::SWP_NOZORDER | pl::SWP_NOACTIVATE | pl::SWP_NOSIZE);
    }
}
