#include "chart/star_labels.h"

#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog/stars.h"
#include "ui/font_set.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kNameSize = 20;

// Draws at *x in the label's style and moves *x past the text.
void DrawPiece(const char* text, int* x, int y, int bold) {
    int length = static_cast<int>(std::strlen(text));
    if (bold)
        DrawLabelText(text, length, *x, y);
    else
        DrawPlainText(text, length, *x, y);
    *x += CharsWidth(text, length);
}

// Entry 1..1645 of brightStarTable with this HR number, or -1.
int FindBrightStarByHr(int hr) {
    int lo = 1, hi = kBrightStarCount - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        if (brightStarTable[mid].hr == hr) return mid;
        if (hr < brightStarTable[mid].hr)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return -1;
}

void DrawDesignation(int flamsteed, int greek, int superscript, int constellation, int hr, int x, int y, int bold) {
    int font = bold ? 4 : 0;
    char text[24];
    if (flamsteed != 0) {
        std::snprintf(text, sizeof text, "%d", flamsteed & 0xFF);
        DrawPiece(text, &x, y, bold);
    }
    if (greek != 0) {
        char letter = static_cast<char>(greek);
        DrawSymbolChar(letter, x, y);
        SelectFont(font);
        x += CharsWidth(&letter, 1);
    }
    if (superscript != 0) {
        std::snprintf(text, sizeof text, "%d", superscript);
        DrawPiece(text, &x, y, bold);
    }
    if (greek != 0 || flamsteed != 0)
        std::snprintf(text, sizeof text, " %s", ConstellationAbbreviation(constellation));
    else
        std::snprintf(text, sizeof text, "HR%d", hr);
    DrawPiece(text, &x, y, bold);
}

}  // namespace

void DrawStarName(int hr, int x, int y, int bold) {
    LoadStarCatalog(bold);
    int i = FindBrightStarByHr(hr);
    if (i < 0) {
        char text[16];
        int length = std::snprintf(text, sizeof text, "HR%d", hr);
        DrawPlainText(text, length, x, y);
        return;
    }
    const StarRecord& s = brightStarTable[i];
    DrawStarLabel(s.flamsteed, s.bayer, s.superscript, s.constellation, s.hr, x, y, bold);
}

void DrawStarLabel(int flamsteed, int greek, int superscript, int constellation, int hr, int x, int y, int bold) {
    int previous = SelectFont(bold ? 4 : 0);
    char name[kNameSize] = "";
    if (FindCrossReference(kDesignationHr, hr, nullptr, nullptr, 0, name, kNameSize) && name[0] != '\0') {
        DrawPiece(name, &x, y, bold);
    } else {
        DrawDesignation(flamsteed, greek, superscript, constellation, hr, x, y, bold);
    }
    SelectFont(previous);
}
