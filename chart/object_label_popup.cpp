#include "chart/object_label_popup.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog/stars.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_colours.h"
#include "chart/chart_marks.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_state.h"
#include "chart/chart_status.h"
#include "chart/hit_tests.h"
#include "chart/save_under.h"
#include "chart/sphere_projection.h"
#include "chart/star_labels.h"
#include "core/preferences.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr int kTychoStarCount = 140000;

// What a search found: its label (or a bright star to label) and its place.
struct Hit {
    char text[40] = "";
    int brightStar = -1;
    Fix24Angle ra = 0, dec = 0;
};

bool ObjectHit(const SelectionEntry* objects, int count, const XywhRect& rect, int x, int y, int r, Hit* hit) {
    int i = FindObjectInSquare(objects, count, rect.x, rect.y, x, y, r);
    if (i < 0) return false;
    std::snprintf(hit->text, sizeof hit->text, "%.*s", static_cast<int>(kSelectionNameSize - 1), objects[i].name);
    hit->ra = static_cast<Fix24Angle>(objects[i].rightAscension * kFixPerHour);
    hit->dec = static_cast<Fix24Angle>(objects[i].declination * kFixPerDegree);
    return true;
}

// A drill-down object: its designation, or the cross-referenced one, and it
// becomes the chart's selection.
bool DrilldownHit(int x, int y, int r, Hit* hit) {
    if (preferences.word[kPrefObjDrilldown] == 0) return false;
    int i = FindPointInScreenList16(x, y, r * GetScreenScale());
    ObjectRecord record;
    if (i < 0 || !GetObjectRecord(chartScreenLists.objects[i].record, &record)) return false;
    int ids[1] = {0};
    int32_t numbers[1] = {0};
    if (FindCrossReference(static_cast<int16_t>(record.designationId), record.number, ids, numbers, 1, nullptr, 0) &&
        ids[0] > 0) {
        record.designationId = static_cast<uint32_t>(ids[0]);
        record.number = numbers[0];
    }
    std::snprintf(hit->text, sizeof hit->text, "%s%d", DesignationPrefix(static_cast<int16_t>(record.designationId)),
                  record.number);
    SetChartState16(&record);
    hit->ra = chartScreenLists.objects[i].rightAscension;
    hit->dec = chartScreenLists.objects[i].declination;
    return true;
}

bool BrightStarHit(const XywhRect& rect, int x, int y, int r, Hit* hit) {
    int i = FindNearestBrightStar(rect.x, rect.y, x, y, r);
    if (i < 0) return false;
    hit->brightStar = i;
    hit->ra = brightStarTable[i].rightAscension;
    hit->dec = brightStarTable[i].declination;
    return true;
}

bool CatalogueStarHit(int x, int y, int r, Hit* hit) {
    int i = FindPointInScreenList8(x, y, r);
    UnpackedStar star;
    uint32_t id = i < 0 ? 0 : GetHipparcosRecord(chartScreenLists.stars[i].id, &star);
    if (id == 0) return false;
    if (GetHipparcosStarCount() >= kTychoStarCount)
        FormatTychoDesignation(hit->text, sizeof hit->text, id);
    else
        std::snprintf(hit->text, sizeof hit->text, "%s%lu", DesignationPrefix(kDesignationHip),
                      static_cast<unsigned long>(id));
    hit->ra = star.rightAscension;
    hit->dec = star.declination;
    return true;
}

bool Search(const SelectionEntry* objects, int count, const XywhRect& rect, int x, int y, int r, Hit* hit) {
    return ObjectHit(objects, count, rect, x, y, r, hit) || DrilldownHit(x, y, r, hit) ||
           BrightStarHit(rect, x, y, r, hit) || CatalogueStarHit(x, y, r, hit);
}

void DrawLabel(const Hit& hit, int x, int y) {
    const int tx = x + ScaleX(10), ty = y + ScaleY(10);
    DrawLine(x, y, tx, ty);
    if (hit.brightStar >= 0) {
        const StarRecord& s = brightStarTable[hit.brightStar];
        DrawStarLabel(s.flamsteed, s.bayer, s.superscript, s.constellation, s.hr, tx, ty, 1);
    } else {
        DrawPlainText(hit.text, static_cast<int>(std::strlen(hit.text)), tx, ty);
    }
    DrawTargetMark(x, y);
}

}  // namespace

int ShowObjectLabelPopup(const SelectionEntry* objects, int count, const XywhRect& rect, int x, int y) {
    DrawWindowRecord* window = GetDrawWindow();
    if (chartStatusBox.bitmap && window) {
        const pl::Rect clip{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
        RestoreStatusBox(chartStatusBox.x, chartStatusBox.y, &clip, window);
    }
    Hit hit;
    if (!Search(objects, count, rect, x, y, 1, &hit) && !Search(objects, count, rect, x, y, 3, &hit)) return 0;
    const int s = GetScreenScale();
    SaveStatusBox(nullptr, x - 8 * s, y - 8 * s);
    const pl::ColorRef ink = ChartColourRef(chartColours.entry[GetNightMode() != 0 ? 1 : 5]);
    SetForeColor(ink);
    SetTextColorRef(ink);
    SetBackColor(ChartColourRef(chartColours.background));
    const bool transparent = IsTextTransparent();
    SetTextTransparent(false);
    int previousFont = SelectFont(4);
    DrawLabel(hit, x, y);
    SelectFont(previousFont);
    SetTextTransparent(transparent);
    DrawSkyMapPlaceStatus(rect, hit.ra, hit.dec);
    return 1;
}
