// The table views of the orbit assistant: the ephemeris table of the current
// record from the form's date on, and the Best Dates and Brightest lists of
// every record with the taking-up of one of their rows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "objects/visibility_view.h"
#include "assistants/centered_text.h"
#include "orbits/comet_lists.h"
#include "orbits/comet_position.h"
#include "orbits/orbit_assistant_state.h"
#include "orbits/screens/orbit_assistant_form.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/form_controls.h"
#include "ui/font_set.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kNameCharacters = 21;
constexpr pl::ColorRef kDayBand = pl::Rgb(224, 232, 240);
constexpr pl::ColorRef kNightBand = pl::Rgb(48, 0, 0);

std::vector<OrbitEphemerisRow> lastRows;

int Width(const char* text) { return CharsWidth(text, static_cast<int>(std::strlen(text))); }

void DrawText(const std::string& text, int x, int y) {
    DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y);
}

// Right-aligned so that the text ends at `edge`.
void DrawRight(const std::string& text, int edge, int y) { DrawText(text, edge - Width(text.c_str()), y); }

// The right edges of the columns, from the widths of their template texts.
struct Columns {
    int edge[7];
};

Columns TableColumns() {
    Columns c{};
    c.edge[0] = Width("00/00/000") + 1;
    c.edge[1] = c.edge[0] + Width(" 00h00");
    c.edge[2] = c.edge[1] + Width(" -00h00");
    c.edge[3] = c.edge[2] + Width("-0.00 ");
    c.edge[4] = c.edge[3] + Width("  180\xB0");  // room for the degree sign of 100 and more
    c.edge[5] = c.edge[4] + Width(" Www") - ScaleX(3);
    c.edge[6] = c.edge[5] + Width(" 0000.00") - ScaleX(10);
    return c;
}

void DrawHeaders(const Columns& c, int y) {
    static constexpr const char* kHeaders[] = {"Date", "Ra", "Dec", "Mag ", "Elon", "Cnst", "Dist"};
    int left = 1;
    for (int k = 0; k < 7; ++k) {
        DrawCenteredText(kHeaders[k], (left + c.edge[k]) / 2, y);
        left = c.edge[k];
    }
}

// The day's altitude bar of a row, right of the distance column.
void DrawRowGraph(const OrbitEphemerisRow& row, int x, int y) {
    const SiteRecord& s = currentSite;
    // The bar's hour cells are width / 25 + 1 wide and its last "0h" label
    // starts 5 units before the 24th: the width leaves that label inside the
    // room up to 5 units from the right edge.
    const int room = OrbitDrawArea().width - ScaleX(5) - x;
    const int cell = (room - 24 - Width("0h") + 5 * ScaleX(1)) / 24;
    const int width = 25 * cell;
    if (cell <= 0 || !row.valid) return;
    double rise = 0, transit = 0, set = 0;
    unsigned events = 0;
    ComputeRiseTransitSetFixed(row.year, row.month, row.day, s.latitude, s.longitude, s.zoneMinutes, s.elevation,
                               GetHorizonAltitude(), row.rightAscension, row.declination, &rise, &transit, &set,
                               &events);
    const OrbitFormTime& t = orbitFormTime;
    DrawAltitudeGraph24h(x, y, width, ScaleY(13), static_cast<float>(t.hour + t.minute / 60.0),
                         static_cast<float>(rise), static_cast<float>(transit), static_cast<float>(set), events);
}

// The longest start of `text` that is at most `room` pixels wide.
std::string Clipped(const std::string& text, int room) {
    return text.substr(0, static_cast<std::size_t>(CharsFitting(text.c_str(), static_cast<int>(text.size()), room)));
}

// The distance with as many of its 3 decimals as leave a space before it in
// its column (10 AU and more lose decimals instead of running into the
// constellation, "Oct51.762").
std::string FittingDistance(const OrbitEphemerisRow& row, const std::string& text, int room) {
    if (!row.valid || Width(text.c_str()) <= room) return text;
    for (int decimals = 2; decimals >= 0; --decimals) {
        char shorter[32];
        DoubleToStr(shorter, sizeof shorter, row.delta, decimals);
        if (Width(shorter) <= room || decimals == 0) return Clipped(shorter, room);
    }
    return text;
}

void DrawRow(const OrbitEphemerisRow& row, const Columns& c, int y) {
    OrbitEphemerisTexts t = OrbitEphemerisRowTexts(row);
    t.distance = FittingDistance(row, t.distance, c.edge[6] - c.edge[5] - Width(" "));
    DrawRight(t.date, c.edge[0], y);
    DrawRight(t.rightAscension, c.edge[1], y);
    DrawRight(t.declination, c.edge[2], y);
    DrawRight(t.magnitude, c.edge[3], y);
    DrawRight(t.elongation, c.edge[4], y);
    DrawRight(t.constellation, c.edge[5], y);
    DrawRight(t.distance, c.edge[6], y);
}

void FillBand(const XywhRect& band) {
    const pl::ColorRef saved = SetForeColor(GetNightMode() > 0 ? kNightBand : kDayBand);
    FillRectangle(band, 0);
    SetForeColor(saved);
}

// Fills list 2547 with the rows built and makes the first row's record the
// current one.
void ShowListRows(int count) {
    pl::Hwnd form = OrbitFormWindow();
    if (!form) return;
    SetListItems(pl::GetDlgItem(form, kOrbitMagList), nullptr, count > 0 ? count : 0);
    if (count > 0 && CometMagList) {
        orbitCometIndex = CometMagList[0].index;
        SetPopupList(kOrbitRecordTrigger, kOrbitRecordList, orbitCometIndex);
        CometRecord record{};
        if (GetCometData(orbitCometIndex, &record)) {
            char name[sizeof record.name + 1] = "";
            std::memcpy(name, record.name, sizeof record.name);
            SetPopupLabel(kOrbitRecordTrigger, name);
        }
    }
    WriteOrbitDateTimeFields();
}

double FormTimeAsUniversal() {
    const OrbitFormTime& t = orbitFormTime;
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, 0, 0);
}

// A row's date and time in local civil time: a Best Dates row holds the
// universal time of the least Earth distance, moved by the site's zone
// (daylight saving included); a Brightest row the form's own date and time.
OrbitFormTime RowLocalTime(const CometMagEntry& e) {
    DateTime t{e.year, e.month, e.day, e.hour, e.minute, 0};
    if (orbitAssistantView == kOrbitViewBestDates) t = LocalFromUniversal(t, currentSite.zoneMinutes);
    return OrbitFormTime{t.year, t.month, t.day, t.hour, t.minute, t.second};
}

}  // namespace

const std::vector<OrbitEphemerisRow>& LastOrbitEphemerisRows() { return lastRows; }
void ClearLastOrbitEphemerisRows() { lastRows.clear(); }

void DrawOrbitEphemeris() {
    lastRows.clear();
    WriteOrbitDateTimeFields();
    CometRecord record{};
    if (!ReadOrbitRecord(orbitCometIndex, &record)) return;
    const XywhRect area = OrbitDrawArea();
    const int step = ScaleY(15);
    SelectFont(0);
    const Columns c = TableColumns();
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    int y = area.y + ScaleY(2);
    DrawHeaders(c, y);
    y += step;
    OrbitFormTime t = orbitFormTime;
    const bool graphs = area.width > ScaleX(240);
    for (int row = 0; y + step <= area.y + area.height; ++row, y += step) {
        if (row % 2 == 1) FillBand({area.x, y - ScaleY(1), area.width, step});
        const OrbitEphemerisRow r =
            ComputeOrbitEphemerisRow(record, t.year, t.month, t.day, t.hour, t.minute, currentSite.zoneMinutes);
        lastRows.push_back(r);
        DrawRow(r, c, y);
        if (graphs) DrawRowGraph(r, c.edge[6] + ScaleX(3), y);
        AddDaysToDate(&t.year, &t.month, &t.day, OrbitStepDays());
    }
    SetTextTransparent(transparent);
}

void BuildBestDatesList() { ShowListRows(CollectBestDates(FormTimeAsUniversal())); }

void BuildBrightestList() {
    const OrbitFormTime& t = orbitFormTime;
    ShowListRows(CollectBrightest(FormTimeAsUniversal(), t.year, t.month, t.day, t.hour, t.minute));
}

void DrawCometMagRow(int row, const XywhRect& rect) {
    if (row < 0 || row >= cometMagCount || !CometMagList) return;
    const CometMagEntry& e = CometMagList[row];
    CometRecord record{};
    if (!GetCometData(e.index, &record)) return;
    const bool best = orbitAssistantView == kOrbitViewBestDates;
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    const int y = rect.y + ScaleY(1);
    int nameX = rect.x + 2;
    if (best) {
        char date[32];
        FormatDate(date, sizeof date, e.day, e.month, e.year);
        DrawText(date, rect.x + 1, y);
        // A four-digit year is wider than the template date: the name keeps clear of it.
        nameX = rect.x + std::max(Width("00/00/000") + ScaleX(1), 1 + Width(date) + ScaleX(4));
    }
    const std::string name(record.name, strnlen(record.name, sizeof record.name));
    char magnitude[32];
    DoubleToStr(magnitude, sizeof magnitude, e.magnitude, 1);
    const int edge = nameX + Width("AAAAAAAAAAAAAAA") + Width("-00h00") + (best ? 0 : ScaleX(50));
    // The name stops a space before the magnitude rather than run under it.
    const int room = edge - Width(magnitude) - Width(" ") - nameX;
    DrawText(Clipped(best ? name.substr(0, kNameCharacters) : name, room), nameX, y);
    DrawRight(magnitude, edge, y);
    SetTextTransparent(transparent);
}

void TakeUpCometRow(int row) {
    if (row < 0 || row >= cometMagCount || !CometMagList) return;
    const CometMagEntry e = CometMagList[row];
    CometRecord record{};
    if (!ReadOrbitRecord(e.index, &record)) return;
    orbitCometIndex = e.index;
    GetCometData(e.index, &orbitWorkRecord);
    SetPopupList(kOrbitRecordTrigger, kOrbitRecordList, e.index);
    char name[sizeof record.name + 1] = "";
    std::memcpy(name, record.name, sizeof record.name);
    SetPopupLabel(kOrbitRecordTrigger, name);
    float ra = 0, dec = 0, delta = 0, r = 0, elongation = 0, phase = 0;
    const double jd = JulianDayFromDateTime(e.year, e.month, e.day, 0, 0, 0, 0);
    const int solved = ComputeCometPosition(&record, jd, record.year, &ra, &dec, &delta, &r, &elongation, &phase);
    ClearOrbitSkyCentre();
    const OrbitFormTime local = RowLocalTime(e);
    OrbitFormTime& t = orbitFormTime;
    // The whole instant, so that the form's views and its time field agree.
    t.year = local.year, t.month = local.month, t.day = local.day, t.hour = local.hour, t.minute = local.minute;
    char date[32], time[16];
    FormatDate(date, sizeof date, t.day, t.month, t.year);
    std::snprintf(time, sizeof time, "%02d:%02d", t.hour, t.minute);
    SetField(kOrbitDateField, date);
    SetField(kOrbitTimeField, time);
    char distance[32] = "-";
    if (solved) DoubleToStr(distance, sizeof distance, delta, 3);
    const std::string text = std::string("Earth: ") + distance + " (AU)   ";
    SelectFont(0);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(false);
    DrawText(text, 1, OrbitDrawArea().y + OrbitDrawArea().height + ScaleY(22) - ScaleY(35));
    SetTextTransparent(transparent);
}
