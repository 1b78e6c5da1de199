#include "chart/chart_label.h"

#include <cstring>

#include "platform/text_log.h"
#include "ui/draw_window.h"
#include "ui/text_drawing.h"

void DrawChartLabel(const char* text, int x, int y, int limit) {
    if (!text) return;
    const pl::TextLogExemption onTheChart;
    const int left = x >= limit ? x + ScaleX(5) : x - ScaleX(20);
    DrawLabelText(text, static_cast<int>(std::strlen(text)), left, y - ScaleY(3));
}
