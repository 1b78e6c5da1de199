#include "ui/modal_dialog_common.h"

#include "platform/menus.h"
#include "ui/draw_window.h"

pl::Hwnd CreateEmptyMenuBar(pl::Hwnd dialog) {
    pl::ShMenuBarInfo info;
    info.owner = dialog;
    info.flags = pl::SHCMBF_EMPTYBAR;
    info.resourceId = 102;
    return pl::ShCreateMenuBar(info);
}

int ScreenWidthDelta() {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    return width - ScaleX(240);
}
