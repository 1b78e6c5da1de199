// The rows of the satellite list and of the search results, the details of a
// result row below the list, and the search display the form gives the
// satellite searches (its progress box and result list).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "catalog/comet_satellite_db.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "orbits/flare_peak.h"
#include "orbits/flare_search.h"
#include "orbits/satellite_geometry.h"
#include "orbits/satellite_search_display.h"
#include "orbits/screens/satellite_form_parts.h"
#include "orbits/screens/satellite_view_geometry.h"
#include "orbits/screens/satellites_form.h"
#include "platform/color.h"
#include "platform/paint.h"
#include "platform/window.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/font_set.h"
#include "ui/form_controls.h"
#include "ui/popup_list.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

SatelliteSearchDisplay previousDisplay;
bool displayInstalled = false;

void DrawAt(const char* text, const XywhRect& rect, int units) {
    DrawPlainText(text, static_cast<int>(std::strlen(text)), rect.x + ScaleX(units), rect.y + ScaleY(1));
}

// Row texts lie on the row's own fill (the highlight, a band or the list's
// colour) in the highlight text colour or the pen colour.
class RowText {
public:
    explicit RowText(int selected)
        : colour_(SetTextColorRef(selected ? GetHighlightTextColor() : GetForegroundColor())),
          transparent_(IsTextTransparent()) {
        SetTextTransparent(true);
    }
    ~RowText() {
        SetTextTransparent(transparent_);
        SetTextColorRef(colour_);
    }
    RowText(const RowText&) = delete;
    RowText& operator=(const RowText&) = delete;

private:
    pl::ColorRef colour_;
    bool transparent_;
};

struct LocalTime {
    int year, month, day, hour, minute, second;
};

LocalTime LocalTimeOf(double localJd) {
    LocalTime t{};
    JDToCalendar(localJd, &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
    return t;
}

std::string Clock(const LocalTime& t, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, t.hour, t.minute, t.second);
    return text;
}

std::string Degrees(double value) {
    if (!std::isfinite(value)) return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%ld\xB0", std::lround(value));
    return text;
}

const PassRow* ResultRow(int row) {
    const SatelliteFormState& s = satelliteFormState;
    return s.results && row >= 0 && row < s.resultCount ? &s.results[row] : nullptr;
}

// Even rows that are not selected lie on a light grey band (dark red at night).
void DrawBand(const XywhRect& rect, int row, int selected) {
    if (row % 2 != 0 || selected) return;
    const pl::ColorRef band = GetNightMode() > 0 ? pl::Rgb(40, 0, 0) : pl::Rgb(220, 220, 220);
    const pl::ColorRef kept = SetForeColor(band);
    FillRectangle(rect, 0);
    SetForeColor(kept);
}

// The area of the details: from the bottom of the result list to the strip.
XywhRect DetailsArea() {
    const SatelliteFormState& s = satelliteFormState;
    XywhRect list{0, ScaleY(46), s.screenWidth, 0};
    GetControlBounds(SatellitesFormWindow(), kSatResultList, &list);
    const int top = list.y + list.height + 1;
    return {0, top, s.screenWidth, s.screenHeight - ScaleY(22) - top};
}

// The look angles at a local Julian day, taken at universal time.
void LookAnglesAtLocal(double localJd) {
    ComputeSatelliteLookAngles(localJd - currentSite.zoneMinutes / 1440.0, satelliteFormState.elements);
}

void PassDetailTexts(const PassRow& row, SatelliteDetailTexts* out) {
    const SatelliteElements& el = *satelliteFormState.elements;
    const struct {
        const char* label;
        double jd;
    } moments[] = {{"AOS", row.riseLocalJd},
                   {"Max", row.maxLocalJd},
                   {"LOS", row.setLocalJd}};
    for (int i = 0; i < 3; ++i) {
        LookAnglesAtLocal(moments[i].jd);
        out->pieces[i][0] = std::string(moments[i].label) + ": " + Clock(LocalTimeOf(moments[i].jd), "%02dh%02dm%02d");
        out->pieces[i][1] = "Az: " + AzimuthDetailText(el.azimuth);
        out->pieces[i][2] = el.elevation > 1.0 ? "Alt: " + Degrees(el.elevation) : "";
    }
}

void PeakDetailTexts(const PassRow& row, SatelliteDetailTexts* out) {
    const SatelliteFormState& s = satelliteFormState;
    SetSearchedSatellite(s.elements);
    ClearFlareBodyCache();
    const double peakJd = row.peakLocalJd - currentSite.zoneMinutes / 1440.0;
    const double angle = PeakAngleAt(peakJd) * kDegreesPerRadian;
    SetSearchedSatellite(nullptr);  // the elements go with the form
    if (s.transitMode) {
        char degrees[32] = "-";
        if (std::isfinite(angle)) DegToStr(degrees, sizeof degrees, angle);
        out->pieces[0][0] = std::string("Angle: ") + degrees;
    } else {
        char decimals[32] = "-", text[64];
        if (std::isfinite(angle)) DoubleToStr(decimals, sizeof decimals, angle, 3);
        std::snprintf(text, sizeof text, "Intensity: %d (%s\xB0)", FlareIntensity(angle), decimals);
        out->pieces[0][0] = text;
    }
    ComputeSatelliteLookAngles(peakJd, s.elements);
    out->pieces[1][0] = "Alt: " + Degrees(s.elements->elevation);
    out->pieces[2][0] = "Azt: " + AzimuthDetailText(s.elements->azimuth);
}

void PrepareResults() {
    const SatelliteFormState& s = satelliteFormState;
    UseSatelliteForm();
    ShowSatelliteControls({kSatStepTrigger, kSatFovTrigger, kSatLine1Field, kSatLine2Field, kSatExport, kSatImport},
                          {kSatResultList, kSatElevationTrigger, kSatShowInSky, kSatNameTrigger, kSatModeTrigger,
                           kSatNowButton, kSatDateField, kSatTimeField});
    SetPopupList(kSatViewTrigger, kSatViewList, s.view);
    SetPopupList(kSatElevationTrigger, kSatElevationList, s.minElevationIndex);
    WriteSatelliteDateTimeFields();
    SetListItems(pl::GetDlgItem(SatellitesFormWindow(), kSatResultList), nullptr, s.resultCount);
    EraseRectangle(DetailsArea());
}

// The progress box in the middle of the work area: "Press any key to stop."
// 10 units in from its corner, the satellite's name below it; the search's
// date and time go on the line below the last text.
void ShowProgressBox(const char* nameLine, int* textX, int* textY) {
    const SatelliteFormState& s = satelliteFormState;
    UseSatelliteForm();
    const XywhRect box{(s.screenWidth - ScaleX(200)) / 2, (s.screenHeight - ScaleY(50)) / 2, ScaleX(200),
                       ScaleY(50)};
    EraseRectangle(box);
    DrawRectangleOutline(box);
    const int x = box.x + ScaleX(10);
    int y = box.y + ScaleY(10);
    DrawSatelliteLine("Press any key to stop.", x, y);
    if (nameLine && nameLine[0] != '\0') {
        y += ScaleY(13);
        DrawSatelliteLine(std::string(nameLine).substr(0, 24).c_str(), x, y);
    }
    SelectFont(0);
    *textX = x;
    *textY = y + ScaleY(13);
}

void ShowProgressText(int x, int y, const char* text) {
    UseSatelliteForm();
    DrawSatelliteLine(text, x, y);
    SelectFont(0);
}

void ShowRows(int count, bool selectFirst) {
    pl::Hwnd list = pl::GetDlgItem(SatellitesFormWindow(), kSatResultList);
    SetListItems(list, nullptr, count);
    if (selectFirst && count > 0) Set(kSatResultList, 0);
    pl::UpdateNow(list);
}

int ShowDetails(int row) {
    if (row >= 0) Set(kSatResultList, row);
    UseSatelliteForm();
    return ShowFlareDetails(row);
}

void ShowName(const char* nameLine) { SetPopupLabel(kSatNameTrigger, nameLine); }

}  // namespace

void DrawSatelliteNameRow(int row, const XywhRect& rect) {
    if (row < 0 || row >= GetSatelliteCount()) return;
    SatelliteRecord record;
    if (!GetSatelliteRecord(row, &record)) return;
    char name[kSatelliteLineSize];
    GetSatelliteLine(record.nameLine, name);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    DrawPlainText(name, static_cast<int>(std::strlen(name)), rect.x + ScaleX(2), rect.y + ScaleY(1));
    SetTextTransparent(transparent);
}

void DrawPassResultRow(int row, const XywhRect& rect, int selected) {
    if (satelliteFormState.view != kSatelliteViewPass) return DrawSearchResultRow(row, rect, selected);
    const PassRow* r = ResultRow(row);
    if (!r) return;
    DrawBand(rect, row, selected);
    const RowText text(selected);
    const LocalTime rise = LocalTimeOf(r->riseLocalJd), set = LocalTimeOf(r->setLocalJd);
    char date[16], elevation[16], duration[24];
    std::snprintf(date, sizeof date, "%02d/%02d", rise.day, rise.month);
    std::snprintf(elevation, sizeof elevation, "%d\xB0", r->maxElevation);
    // Seconds in two digits: "10m1" read as a cut "10m12".
    std::snprintf(duration, sizeof duration, "%dm%02d", r->durationSeconds / 60, r->durationSeconds % 60);
    DrawAt(date, rect, 2);
    DrawAt(Clock(rise, "%02d:%02d:%02d").c_str(), rect, 42);
    DrawAt(Clock(set, "%02d:%02d:%02d").c_str(), rect, 97);
    DrawAt(elevation, rect, 154);
    DrawAt(duration, rect, 178);
}

void DrawSearchResultRow(int row, const XywhRect& rect, int selected) {
    const SatelliteFormState& s = satelliteFormState;
    const PassRow* r = ResultRow(row);
    if (!r) return;
    DrawBand(rect, row, selected);
    const RowText text(selected);
    DrawAt(r->name, rect, 2);
    if (!s.flareMode && !s.transitMode) {
        char elevation[16];
        std::snprintf(elevation, sizeof elevation, "%d\xB0", r->maxElevation);
        DrawAt(Clock(LocalTimeOf(r->maxLocalJd), "%02d:%02d:%02d").c_str(), rect, 127);
        DrawAt(elevation, rect, 185);
        return;
    }
    const LocalTime peak = LocalTimeOf(r->peakLocalJd);
    char date[16];
    FormatDateShort(date, sizeof date, peak.day, peak.month, peak.year);
    DrawAt((date + Clock(peak, " %02d:%02d:%02d")).c_str(), rect, 107);
}

SatelliteDetailTexts FlareDetailTexts(const PassRow& row) {
    SatelliteFormState& s = satelliteFormState;
    SatelliteDetailTexts texts;
    if (!s.record || !s.elements || !GetSatelliteRecord(row.satelliteIndex, s.record)) return texts;
    if (!InitSatelliteElements(s.record, s.elements)) return texts;  // a damaged record is placed nowhere
    if (s.view == kSatelliteViewPass || s.view == kSatelliteViewNext) PassDetailTexts(row, &texts);
    else PeakDetailTexts(row, &texts);
    return texts;
}

// Three lines 13 units apart between the result list and the bottom strip,
// their pieces at 2, 90 and 170 units.
int ShowFlareDetails(int row) {
    const PassRow* r = ResultRow(row);
    if (!r) return 0;
    const SatelliteDetailTexts texts = FlareDetailTexts(*r);
    const XywhRect area = DetailsArea();
    EraseRectangle(area);
    SetTextColorRef(GetForegroundColor());
    SetBackColor(GetBackgroundColor());
    const int columns[] = {2, 90, 170};
    for (int line = 0; line < 3; ++line)
        for (int i = 0; i < 3; ++i)
            if (!texts.pieces[line][i].empty())
                DrawSatelliteLine(texts.pieces[line][i].c_str(), ScaleX(columns[i]), area.y + ScaleY(2 + 13 * line));
    SelectFont(0);
    return 1;
}

void InstallSatelliteFormSearchDisplay() {
    SatelliteSearchDisplay display;
    display.prepare = PrepareResults;
    display.showSatelliteName = ShowName;
    display.showProgressBox = ShowProgressBox;
    display.showProgressText = ShowProgressText;
    display.showRows = ShowRows;
    display.showDetails = ShowDetails;
    SatelliteSearchDisplay previous = InstallSatelliteSearchDisplay(display);
    if (!displayInstalled) previousDisplay = previous;
    displayInstalled = true;
}

void RemoveSatelliteSearchDisplay() {
    if (!displayInstalled) return;
    InstallSatelliteSearchDisplay(previousDisplay);
    displayInstalled = false;
}
