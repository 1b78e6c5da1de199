#include "ui/menu_bar.h"

#include "core/preferences.h"
#include "platform/color.h"
#include "platform/menus.h"
#include "platform/screen.h"
#include "ui/draw_window.h"

namespace {

bool TallScreen() { return pl::GetScreenInfo().height > ScaleX(240); }

}  // namespace

pl::Hwnd CreateMenuBar(pl::Hwnd window) {
    pl::ShMenuBarInfo info;
    info.size = 36;
    info.owner = window;
    info.resourceId = TallScreen() ? 102 : 103;
    info.flags = pl::SHCMBF_HIDDEN | pl::SHCMBF_HIDESIPBUTTON;
    if (preferences.word[kPrefNightMode] != 0) {
        info.flags |= pl::SHCMBF_COLORBK | pl::SHCMBF_HMENU;
        info.background = pl::Rgb(120, 0, 0);
    }
    return pl::ShCreateMenuBar(info);
}

int ApplicationMenuCount() { return TallScreen() ? 3 : 4; }
