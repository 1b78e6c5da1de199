#include "chart/chart_colours.h"

#include <initializer_list>

#include "chart/chart_symbols.h"
#include "core/preferences.h"
#include "ui/colors.h"

namespace {

constexpr ChartColours kStartColours = {
    {{0, 255, 255, 255}, {1, 102, 0, 204}, {2, 153, 153, 153}, {3, 102, 102, 153}, {4, 203, 203, 90},
     {5, 204, 204, 0}, {6, 255, 0, 0}},
    {7, 0, 0, 0},
    {8, 0, 0, 0}};

void Set(ChartColour& c, uint8_t red, uint8_t green, uint8_t blue) {
    c.red = red;
    c.green = green;
    c.blue = blue;
}

// Colour scheme: background, text and pointer colours and the bitmap set.
void ApplyScheme(int scheme, bool night, int* bitmapSet) {
    ChartColour* e = chartColours.entry;
    switch (scheme) {
        case 0:
        case 1:
            if (scheme == 0) Set(chartColours.background, 0, 0, 0);
            else Set(chartColours.background, 21, 21, 70);
            Set(e[4], 187, 187, 153);
            Set(e[5], 204, 204, 0);
            *bitmapSet = SelectChartBitmapSet(0);
            break;
        case 2:
            Set(chartColours.background, 255, 255, 255);
            Set(e[3], 153, 153, 153);
            *bitmapSet = SelectChartBitmapSet(1);
            if (night) {
                Set(e[4], 203, 203, 90);
                Set(e[5], 204, 204, 0);
            } else {
                Set(e[4], 0, 0, 0);
                Set(e[5], 0, 0, 0);
            }
            break;
        default:
            break;
    }
}

void ApplyLineColour(int lineColour) {
    static constexpr uint8_t kLines[4][3] = {{102, 0, 204}, {102, 0, 0}, {102, 102, 102}, {0, 0, 0}};
    if (lineColour < 0 || lineColour > 3) return;
    Set(chartColours.entry[1], kLines[lineColour][0], kLines[lineColour][1], kLines[lineColour][2]);
}

void ApplyNight() {
    ChartColour* e = chartColours.entry;
    Set(chartColours.background, 0, 0, 0);
    Set(e[0], 255, 0, 0);
    Set(e[1], 153, 0, 0);
    Set(e[3], 102, 0, 0);
    Set(e[6], 153, 0, 0);
    for (int i : {2, 4, 5}) Set(e[i], e[i].red, 0, 0);
}

}  // namespace

ChartColours chartColours = kStartColours;

int SetChartColours() {
    ChartColour* e = chartColours.entry;
    Set(e[3], 51, 51, 102);
    Set(e[2], 153, 153, 153);
    Set(e[0], 255, 255, 255);
    e[6].red = 255;
    const bool night = GetNightMode() != 0;
    int bitmapSet = chartBitmapSet;
    ApplyScheme(preferences.word[kPrefChartBackground], night, &bitmapSet);
    ApplyLineColour(preferences.word[kPrefLineColor]);
    if (night) {
        ApplyNight();
        bitmapSet = SelectChartBitmapSet(0);
    }
    return bitmapSet;
}

void ResetChartColours() { chartColours = kStartColours; }
