#include "chart/chart_picks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_form_controls.h"
#include "chart/chart_redraw.h"
#include "chart/chart_state.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "objects/selection_add.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixToHours = 12.0 / M_PI / 16777216.0;
constexpr double kFixToDegrees = 180.0 / M_PI / 16777216.0;
constexpr double kDegToRad = M_PI / 180.0;
constexpr uint32_t kTypeStar = 30;
constexpr int kBlinkPause = -3;

double ChartJulianDay() {
    const DateTime& t = currentDateTime;
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
}

double Haversine(double angle) { return (1.0 - std::cos(angle)) / 2.0; }

}  // namespace

ObjectRecord BrightStarPickRecord(int index) {
    const StarRecord& s = brightStarTable[index];
    ObjectRecord r{};
    BrightStarName name{};
    const int named = FindBrightStarNameByHr(s.hr, &name);
    if (named >= 0) {
        r.number = named;
        r.designationId = kDesignationBrightStar;
        SetObjectRecordName(&r, name.name);
    } else {
        r.number = s.hr;
        r.designationId = kDesignationHr;
    }
    r.rightAscension = static_cast<float>(s.rightAscension * kFixToHours);
    r.declination = static_cast<float>(s.declination * kFixToDegrees);
    r.constellation = static_cast<uint32_t>(s.constellation);
    r.objectType = kTypeStar;
    r.magnitude = static_cast<float>(s.magnitude16) / 16.0f;
    r.classCode = s.colour;
    return r;
}

bool CatalogueStarPickRecord(int position, int tychoFromStars, ObjectRecord* record) {
    UnpackedStar star{};
    const uint32_t id = GetHipparcosRecord(position, &star);
    if (id == 0) return false;
    ObjectRecord r{};
    r.number = static_cast<int32_t>(id);
    r.rightAscension = static_cast<float>(star.rightAscension * kFixToHours);
    r.declination = static_cast<float>(star.declination * kFixToDegrees);
    r.constellation = static_cast<uint32_t>(FindConstellation(r.rightAscension, r.declination, ChartJulianDay()));
    r.objectType = kTypeStar;
    r.magnitude = static_cast<float>(star.magnitude) / 16.0f;
    r.classCode = star.colour;
    if (GetHipparcosStarCount() < tychoFromStars) {
        r.designationId = kDesignationHip;
        std::snprintf(r.name, sizeof r.name, "%s%lu", DesignationPrefix(kDesignationHip),
                      static_cast<unsigned long>(id));
    } else {
        r.designationId = kDesignationTycho;
        FormatTychoDesignation(r.name, sizeof r.name, id);
    }
    *record = r;
    return true;
}

bool DrilldownPickRecord(int index, ObjectRecord* record) {
    ObjectRecord r{};
    if (!GetObjectRecord(index, &r)) return false;
    int ids[1] = {0};
    int32_t numbers[1] = {0};
    if (FindCrossReference(static_cast<int16_t>(r.designationId), r.number, ids, numbers, 1, nullptr, 0) &&
        ids[0] > 0) {
        r.designationId = static_cast<uint32_t>(ids[0]);
        r.number = numbers[0];
    }
    const int designation = static_cast<int16_t>(r.designationId);
    if (designation == kDesignationMessier || designation == kDesignationCaldwell) --r.number;
    *record = r;
    return true;
}

ObjectRecord SkyPointRecord(double raHours, double decDegrees, int number) {
    ObjectRecord r{};
    r.number = number;
    r.rightAscension = static_cast<float>(raHours);
    r.declination = static_cast<float>(decDegrees);
    r.size1 = 16.0f;
    return r;
}

int AddPickToSelection(const ObjectRecord& record) {
    AddObjectToSelection(&record, -1);
    RefreshChartObjectList();
    ShowChartObjectRow(selectionCurrentRow);
    return CurrentSelectionEntry();
}

double ChartPickDistance(double ra1Hours, double dec1Deg, double ra2Hours, double dec2Deg) {
    const double d1 = dec1Deg * kDegToRad, d2 = dec2Deg * kDegToRad;
    const double h = Haversine(d2 - d1) + std::cos(d1) * std::cos(d2) * Haversine((ra2Hours - ra1Hours) * 15.0 * kDegToRad);
    return 2.0 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0))) / kDegToRad;
}

void DrawPickDistance(double ra1Hours, double dec1Deg, int x, int y) {
    char text[24];
    DegToStr(text, sizeof text,
             ChartPickDistance(ra1Hours, dec1Deg, chartSelection.rightAscension, chartSelection.declination));
    const bool scaled = displayScale.scaleX > 1.0;
    const int font = scaled ? SelectFont(4) : GetCurrentFontId();
    SetTextColorRef(chartRecord.palette.text);
    DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y);
    if (scaled) SelectFont(font);
    blinkPhase = kBlinkPause;
}
