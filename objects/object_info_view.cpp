// What form 112 draws of its object: the field texts, the gauge, the year
// chart, the symbol, the 24-hour bar and the lower panel; and the rows of its
// object list.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/object_lookup.h"
#include "chart/chart_symbols.h"
#include "chart/object_icons.h"
#include "chart/star_labels.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "objects/current_object.h"
#include "objects/object_info.h"
#include "objects/object_info_form.h"
#include "objects/object_info_panel.h"
#include "objects/selected_object.h"
#include "objects/selection_search.h"
#include "objects/visibility_view.h"
#include "platform/text.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/markers.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kTypePlanet = 27;
constexpr int kTypeStar = 30;
// Design pixels of the 240 x 320 layout.
constexpr int kYearX = 98, kYearY = 202, kYearWidth = 130, kYearHeight = 15;
constexpr int kBarX = 98, kBarY = 187, kBarWidth = 120, kBarHeight = 15;
constexpr int kSymbolX = 118, kSymbolY = 65;
constexpr int kRowIconX = 6, kRowNameX = 15, kRowSecondX = 69;

// The date of field 1108 and the time of field 1109; false when the time does not read.
bool FormDateTime(DateTime* t) {
    char text[32] = "";
    GetField(kInfoDate, text, sizeof text);
    *t = currentDateTime;
    ParseDate(text, &t->day, &t->month, &t->year);
    GetField(kInfoTime, text, sizeof text);
    int32_t hour = 0, minute = 0, second = 0;
    if (ParseSexagesimal(text, ':', &hour, &minute, &second) != 1) return false;
    t->hour = hour, t->minute = minute, t->second = second;
    return true;
}

void DrawYear(const ObjectRecord& r, const DateTime& t) {
    const int previous = GetScreenScale() > 1 ? SelectFont(4) : -1;
    DrawYearChart(ScaleX(kYearX), ScaleY(kYearY), ScaleX(kYearWidth), ScaleY(kYearHeight), t.year, t.month, t.day,
                  r.rightAscension, r.declination);
    if (previous >= 0) SelectFont(previous);
}

void DrawSymbol(const ObjectRecord& r) {
    const int type = static_cast<int16_t>(r.objectType);
    if (type == kTypePlanet) DrawSmallIcon(r.number, 0, ScaleX(kSymbolX), ScaleY(kSymbolY));
    else DrawObjectSymbol(type, r.number, 1, ScaleX(kSymbolX), ScaleY(kSymbolY));
}

void SetPlace(const ObjectInfoPlace& p) {
    SetField(kInfoRa, p.ra.c_str());
    SetField(kInfoDec, p.dec.c_str());
    SetField(kInfoAz, p.azimuth.c_str());
    SetField(kInfoAlt, p.altitude.c_str());
}

void Text(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

}  // namespace

void DrawObjectInfo(const ObjectRecord* rec) {
    if (!rec) return;
    const ObjectRecord& r = *rec;
    CurrentObjectBlock& b = currentObjectBlock;
    const float limit = SelectionScopeLimit();
    const ObjectInfoLabels labels = ObjectInfoFieldLabels(static_cast<int16_t>(r.objectType));
    SetField(kInfoSizeLabel, labels.size);
    SetField(kInfoMagnitudeLabel, labels.magnitude);
    SetField(kInfoEyepieceLabel, labels.eyepiece);
    DrawDifficultyGauge(kInfoGauge, ObjectInfoGauge(b.tab, r, limit));
    DateTime when{};
    const bool timeRead = FormDateTime(&when);
    DrawYear(r, when);
    if (!timeRead) return;
    SetPlace(ComputeObjectInfoPlace(r, when));
    const ObjectInfoRiseSet events = ComputeObjectInfoRiseSet(r, when);
    b.rise = events.rise, b.transit = events.transit, b.set = events.set;
    const ObjectInfoTexts texts = ComputeObjectInfoTexts(b.tab, r, limit);
    SetField(kInfoConstellation, texts.constellation.c_str());
    SetField(kInfoTypeName, texts.typeName.c_str());
    SetField(kInfoTypeCode, texts.typeCode.c_str());
    DrawSymbol(r);
    SetField(kInfoMagnitude, texts.magnitude.c_str());
    SetField(kInfoDistance, texts.distance.c_str());
    const float now = static_cast<float>(when.hour + when.minute / 60.0 + when.second / 3600.0);
    DrawAltitudeGraph24h(ScaleX(kBarX), ScaleY(kBarY), ScaleX(kBarWidth), ScaleY(kBarHeight), now,
                         static_cast<float>(b.rise), static_cast<float>(b.transit), static_cast<float>(b.set),
                         events.events);
    SetField(kInfoEyepiece, texts.eyepiece.c_str());
    SetField(kInfoSize, texts.size.c_str());
    DrawObjectInfoPanel(r, when);
}

void DrawObjectInfoRow(int row, const XywhRect& rect) {
    const int tab = currentObjectBlock.tab;
    ObjectRecord r{};
    char first[48] = "", second[48] = "";
    const int x = rect.x + ScaleX(kRowIconX);
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), "Ap", &size);
    const int textY = rect.y + (rect.height - size.height) / 2;
    if (tab == kTabFinder) {
        GetSelectedObjectName(first);
        Text(first, rect.x + ScaleX(kRowNameX), textY);
        return;
    }
    if (tab < 0 || tab > kTabFinder ||
        !GetObjectByKind(objectInfoTabs[tab].designation, row, &r, first, sizeof first, second, sizeof second, 0,
                         nullptr))
        return;
    const int type = static_cast<int16_t>(r.objectType), y = rect.y + ScaleY(kRowIconX);
    if (type == kTypeStar) DrawObjectIcon(nullptr, 0, std::clamp(static_cast<int>(r.magnitude), 0, 12), r.classCode, x, y);
    else DrawObjectSymbol(type, r.number, 1, x, y);
    if (static_cast<int16_t>(r.designationId) == kDesignationHr)
        DrawStarName(r.number, rect.x + ScaleX(kRowNameX), textY, 0);
    else
        Text(first, rect.x + ScaleX(kRowNameX), textY);
    if (second[0]) Text(second, rect.x + ScaleX(kRowSecondX), textY);
}
