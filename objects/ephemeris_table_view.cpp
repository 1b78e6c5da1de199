// The ephemeris assistant's table on the form: the object's name, the column
// headings and a band per row between the header and the bottom row.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assistants/centered_text.h"
#include "catalog/designations.h"
#include "chart/star_labels.h"
#include "core/date_text.h"
#include "objects/ephemeris_form.h"
#include "objects/ephemeris_table.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTableFont = 2;
constexpr int kHeadingFont = 3;
constexpr int kHeader = 24;      // scale units: the title strip and its line
constexpr int kBottomRow = 24;   // scale units
constexpr int kRowMargin = 13;   // scale units added to the text height
constexpr int kSideMargin = 3;   // scale units

// The widest text a column shows, after the date column.
constexpr const char* kRiseSetSamples[] = {"00h00", "00h00", "-00", "00h00"};
constexpr const char* kPositionSamples[] = {"-00.0", "Www", "00h00m00", ("-00\xB0" "00'00"), "000", "-00"};
constexpr const char* kDateSample = "00/00/00";

pl::ColorRef Rgb(int r, int g, int b) { return static_cast<pl::ColorRef>(r | (g << 8) | (b << 16)); }

pl::ColorRef BandColour(int row) {
    const bool night = GetNightMode() != 0;
    if (row % 2 == 0) return night ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
    return night ? Rgb(GetSchemeColor() / 4, 0, 0) : Rgb(222, 230, 250);
}

int Width(const char* text, int font) {
    const int previous = SelectFont(font);
    const int width = CharsWidth(text, static_cast<int>(std::strlen(text)));
    SelectFont(previous);
    return width;
}

void Text(const std::string& text, int x, int y) { DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y); }

struct Column {
    int right;  // the right edge of its texts
    int width;
};

// The columns (the date's first): each as wide as its sample or heading, the
// spare width shared out between them.
std::vector<Column> TableColumns(int page, int width) {
    const std::vector<const char*> headings = EphemerisHeadings(page);
    const char* const* samples = page == kEphemerisPosition ? kPositionSamples : kRiseSetSamples;
    std::vector<int> widths{Width(kDateSample, kTableFont)};
    for (std::size_t i = 0; i < headings.size(); ++i)
        widths.push_back(std::max(Width(samples[i], kTableFont), Width(headings[i], kHeadingFont)));
    int used = 0;
    for (int w : widths) used += w;
    const int margin = ScaleX(kSideMargin), count = static_cast<int>(widths.size());
    const int gap = std::max(ScaleX(2), (width - 2 * margin - used) / (count - 1));
    std::vector<Column> columns;
    int x = margin;
    for (int w : widths) {
        columns.push_back(Column{x + w, w});
        x += w + gap;
    }
    return columns;
}

// A heading centred on x at any screen (DrawCenteredText starts a text at x
// less its width over the layout multiplier).
void Heading(const char* text, int centre, int y) {
    const int width = Width(text, kHeadingFont);
    DrawCenteredText(text, centre - width / 2 + width / GetScreenScale(), y);
}

void DrawTitle(const EphemerisState& s, const char* name, const char* second, int x, int y) {
    if (s.designation == kDesignationHr) {
        DrawStarName(s.number, x, y, 0);
        return;
    }
    std::string title = name;
    if (second[0]) title += std::string(", ") + second;
    Text(title, x, y);
}

void DrawRow(const std::vector<std::string>& cells, const std::vector<Column>& columns, const XywhRect& band, int row) {
    SetForeColor(BandColour(row));
    FillRectangle(band, 0);
    const int y = band.y + (band.height - CharsHeight()) / 2;
    for (std::size_t i = 0; i < cells.size() && i < columns.size(); ++i)
        Text(cells[i], columns[i].right - CharsWidth(cells[i].c_str(), static_cast<int>(cells[i].size())), y);
}

}  // namespace

void DrawEphemerisTable(int page) {
    EphemerisState& s = ephemerisState;
    SetPopupList(kEphemerisStepTrigger, kEphemerisStepList, s.ephemerisStep);
    SetPopupList(kEphemerisPageTrigger, kEphemerisPageList, page);
    char text[24];
    FormatDate(text, sizeof text, s.day, s.month, s.year);
    SetField(kEphemerisDate, text);
    std::snprintf(text, sizeof text, "%02d:%02d", s.hour, s.minute);
    SetField(kEphemerisTime, text);
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    const XywhRect area{0, ScaleY(kHeader), width, height - ScaleY(kHeader) - ScaleY(kBottomRow)};
    EraseRectangle(area);
    char name[48] = "", second[48] = "";
    if (!FetchEphemerisObject(s.designation, s.number, EphemerisRowTime(s, s.ephemerisStep, 0), &s.record, name,
                              sizeof name, second, sizeof second))
        return;
    const int previousFont = SelectFont(kTableFont);
    const bool night = GetNightMode() != 0;
    const pl::ColorRef previousText = SetTextColorRef(night ? GetForegroundColor() : Rgb(0, 0, 0));
    const pl::ColorRef previousFore = GetForeColorRef();
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    const int rowHeight = CharsHeight() + ScaleY(kRowMargin), rows = area.height / rowHeight;
    DrawTitle(s, name, second, ScaleX(kSideMargin), area.y + ScaleY(1));
    const std::vector<Column> columns = TableColumns(page, width);
    const std::vector<const char*> headings = EphemerisHeadings(page);
    for (std::size_t i = 0; i < headings.size(); ++i)
        Heading(headings[i], columns[i + 1].right - columns[i + 1].width / 2, area.y + rowHeight - ScaleY(12));
    for (int r = 0; r + 1 < rows; ++r) {
        const DateTime when = EphemerisRowTime(s, s.ephemerisStep, r);
        if (!FetchEphemerisObject(s.designation, s.number, when, &s.record, nullptr, 0, nullptr, 0)) break;
        std::vector<std::string> cells{EphemerisDateText(when)};
        for (const std::string& c : EphemerisRowTexts(page, s.record, when)) cells.push_back(c);
        DrawRow(cells, columns, XywhRect{0, area.y + (r + 1) * rowHeight, width, rowHeight}, r);
    }
    SetTextTransparent(transparent);
    SetForeColor(previousFore);
    SetTextColorRef(previousText);
    SelectFont(previousFont);
}
