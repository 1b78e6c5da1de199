#include "ui/background_paint.h"

#include "platform/drawing.h"
#include "platform/window.h"
#include "ui/colors.h"

pl::Hdc BeginBackgroundPaint(pl::Hwnd window, pl::PaintStruct* ps, pl::Rect* client) {
    pl::Hdc dc = pl::BeginPaint(window, ps);
    if (!dc) return nullptr;
    pl::GetClientRect(window, client);
    pl::Hbrush brush = GetBackgroundBrush();
    pl::FillRect(dc, *client, brush ? brush : pl::GetStockBlackBrush());
    return dc;
}
