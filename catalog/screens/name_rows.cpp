#include "catalog/screens/name_rows.h"

#include "platform/gdi.h"
#include "platform/text.h"
#include "ui/draw_window.h"

void DrawNameTableRow(const NameTable& table, int row, const XywhRect& rect, int indent) {
    if (row < 0 || row >= table.Count()) return;
    pl::Hdc dc = GetDrawDc();
    pl::Rect text{rect.x + indent, rect.y, rect.x + rect.width, rect.y + rect.height};
    int mode = pl::SetBkMode(dc, pl::kTransparent);
    pl::DrawText(dc, table[row].data(), &text, pl::kTextSingleLine | pl::kTextVCenter);
    pl::SetBkMode(dc, mode);
}
