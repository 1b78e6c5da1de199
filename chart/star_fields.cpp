#include "chart/star_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "catalog/object_catalog.h"
#include "catalog/stellar_catalog.h"
#include "chart/chart_screen_lists.h"
#include "chart/chart_symbols.h"
#include "chart/horizon_projection.h"
#include "chart/object_icons.h"
#include "chart/view_region.h"
#include "core/preferences.h"
#include "core/services.h"
#include "ui/input_polling.h"
#include "ui/preference_values.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kSecondsToUnits = 0.000277777777;
constexpr float kLowestFieldLimit = 5.5f;
constexpr int kStarsKept = kChartStarListCapacity - 1;
constexpr int kObjectsKept = kChartObjectListCapacity - 1;

// A packed star's bytes: right ascension h m s at 4..6, declination d m s at
// 7..9 (each signed), magnitude x 16 at 10, colour at 11.
int8_t Byte(const uint8_t* star, int k) { return static_cast<int8_t>(star[k]); }
int MagnitudeCode(const uint8_t* star) { return star[10]; }

int StarLimitCode(int zoom, float* limit) {
    float objectLimit;
    GetZoomMagnitudeLimits(zoom, limit, &objectLimit);
    return *limit < 0 ? 0 : static_cast<int>(*limit * 16);
}

// Appends to the star list, up to what it keeps.
struct StarList {
    ChartStarEntry* entries;
    int count = 0;
    void Add(int32_t id, int x, int y) {
        if (count < kStarsKept) entries[count++] = {id, static_cast<int16_t>(x), static_cast<int16_t>(y)};
    }
    void End() const { entries[count].id = kStarListEnd; }
};

// Before a record: the busy step every 80 stars kept, and every 40 (from 10)
// whether the user asked to stop: an arrow key not held at the start, the pen.
bool Interrupted(int kept, bool arrowAtStart) {
    if (kept % 80 == 0) StepBusyIndicator(1);
    if (kept % 40 != 10) return false;
    if (IsArrowKeyDown() && !arrowAtStart) return true;
    int x, y, down;
    GetPenState(&x, &y, &down);
    return down != 0;
}

// Every star of records first..last with its position in the file, stopped
// early as Interrupted says; the busy indicator is ended afterwards.
template <typename Visit>
void ForEachStar(int first, int last, const StarList& list, Visit visit) {
    const int perRecord = GetStellarStarsPerRecord();
    const bool arrowAtStart = IsArrowKeyDown();
    for (int r = first; r <= last && !Interrupted(list.count, arrowAtStart); ++r) {
        const uint8_t* record = GetStellarRecord(r);
        if (!record) {
            ShowInformation("Can't get stellar record", "");
            continue;
        }
        for (int k = 0; k < perRecord; ++k) visit(record + k * kPackedStarSize, k + perRecord * r);
    }
    EndBusyIndicator(1);
}

// Records a..b of the band, a lowered by one: the record search lands on either
// side of a declination, and the record below may hold the band's first stars.
bool RecordRange(int a, int b, int* first, int* last) {
    if (a < 0 || b < 0) return false;
    if (a > b) std::swap(a, b);
    *first = std::max(a - 1, 0);
    *last = b;
    return true;
}

// Right-ascension half-window (hours) of the horizon chart by zoom and |dec|.
double HalfWindow(int zoom, double absDec) {
    switch (zoom) {
        case 5: return absDec < 70 ? 4 : 24;
        case 6: return absDec < 70 ? 2 : 24;
        case 7: return absDec < 70 ? 1 : 24;
        case 8: return absDec < 70 ? 0.5 : 24;
        case 9: return absDec < 75 ? 0.25 : 24;
        default: return absDec < 80 ? 0.1 : 24;
    }
}

// The rectangle's centre, corners and edge midpoints read back: the largest
// whole-degree distance from the centre declination, and in *extent the
// largest right-ascension distance (hours).
int BandHalfHeight(const pl::Rect& b, double raC, double decC, double* extent) {
    const int xs[3] = {b.left, (b.left + b.right) / 2, b.right};
    const int ys[3] = {b.top, (b.top + b.bottom) / 2, b.bottom};
    int h = 0;
    *extent = 0;
    for (int x : xs)
        for (int y : ys) {
            float ra, dec;
            ChartPointToRaDec(x, y, &ra, &dec);
            h = std::max(h, static_cast<int>(std::fabs(dec - decC)));
            *extent = std::max(*extent, std::fabs(std::remainder(ra - raC, 24.0)));
        }
    return h;
}

bool Holds(const RaMinuteWindow& w, int minutes) { return w.all || (minutes > w.low && minutes < w.high); }

bool ProjectHorizonStar(const uint8_t* star, const FieldView& view, float lstHours, bool integer, int* x, int* y) {
    if (integer) {
        UnpackedStar u;
        UnpackStar(star, &u);
        return PlaceInView(view, u.rightAscension, u.declination, x, y);
    }
    double hours = Byte(star, 4) + (Byte(star, 5) * 60 + Byte(star, 6)) * kSecondsToUnits;
    double degrees = Byte(star, 7) + (Byte(star, 8) * 60 + Byte(star, 9)) * kSecondsToUnits;
    int32_t a, b;
    return ProjectRaDecToHorizon(lstHours, static_cast<float>(hours), static_cast<float>(degrees), &a, &b) &&
           PairInView(view, a, b, x, y);
}

// A packed star's place with the rounded units of the sphere reader.
Fix24Angle RoundedRa(const uint8_t* s) { return Byte(s, 4) * 4392265 + Byte(s, 5) * 73204 + Byte(s, 6) * 1220; }
Fix24Angle RoundedDec(const uint8_t* s) { return Byte(s, 7) * 292818 + Byte(s, 8) * 4880 + Byte(s, 9) * 81; }

}  // namespace

RaMinuteWindow StarFieldRaWindow(int zoom, double centreRaHours, double centreDecDeg, double extentHours) {
    double w = HalfWindow(zoom, std::fabs(centreDecDeg));
    if (extentHours > w && extentHours < 6) w = extentHours;
    if (w >= 24 || centreRaHours - w < 0 || centreRaHours + w > 24) return {true, 0, 0};
    return {false, static_cast<int>((centreRaHours - w) * 60), static_cast<int>((centreRaHours + w) * 60)};
}

int LoadStarFieldForChart(const pl::Rect& bounds, int zoom, float lstHours, float centreRaHours, float centreDecDeg,
                          int integerPath) {
    if (chartScreenLists.stars) chartScreenLists.stars[0].id = kStarListEnd;
    float limit;
    int limitCode = StarLimitCode(zoom, &limit);
    if (!IsStellarCatalogOpen() || !chartScreenLists.stars || limit < kLowestFieldLimit) return 0;
    double extent;
    int h = BandHalfHeight(bounds, centreRaHours, centreDecDeg, &extent);
    const RaMinuteWindow minutes = StarFieldRaWindow(zoom, centreRaHours, centreDecDeg, extent);
    if (h < 2) ++h;
    int first, last;
    if (!RecordRange(FindStellarRecordByDec(std::max(centreDecDeg - h, -90.0f)),
                     FindStellarRecordByDec(std::min(centreDecDeg + h, 90.0f)), &first, &last))
        return 0;
    const FieldView view = HorizonFieldView(bounds, static_cast<Fix24Angle>(lstHours * 4392264.877774095));
    const bool integer = integerPath != 0 && zoom <= 11;
    const int sizeAdjust = GetScreenScale() == 1 ? 1 : 0;
    StarList list{chartScreenLists.stars};
    ForEachStar(first, last, list, [&](const uint8_t* star, int32_t position) {
        int x, y;
        if (MagnitudeCode(star) > limitCode || !Holds(minutes, Byte(star, 4) * 60 + Byte(star, 5)) ||
            !ProjectHorizonStar(star, view, lstHours, integer, &x, &y))
            return;
        DrawObjectIcon(nullptr, zoom, MagnitudeCode(star) / 16 + sizeAdjust, Byte(star, 11), x, y);
        list.Add(position, x, y);
    });
    FlushKeyEvents();
    FlushPenEvents();
    list.End();
    return list.count;
}

int LoadStarFieldForChart2(const pl::Rect& bounds, int zoom, int originX, int originY) {
    if (chartScreenLists.stars) chartScreenLists.stars[0].id = kStarListEnd;
    float limit;
    int limitCode = StarLimitCode(zoom, &limit);
    if (!IsStellarCatalogOpen() || !chartScreenLists.stars || limit < kLowestFieldLimit) return 0;
    const SkyRegion region = RegionOfRect(bounds, true);
    int first, last;
    if (!RecordRange(FindStellarRecordByDec(region.decLowest), FindStellarRecordByDec(region.decHighest), &first,
                     &last))
        return 0;
    const FieldView view = SphereFieldView(bounds);
    StarList list{chartScreenLists.stars};
    ForEachStar(first, last, list, [&](const uint8_t* star, int32_t position) {
        int x, y;
        if (MagnitudeCode(star) > limitCode || !RegionHoldsRa(region, RoundedRa(star)) ||
            !PlaceInView(view, RoundedRa(star), RoundedDec(star), &x, &y))
            return;
        DrawObjectIcon(nullptr, zoom, MagnitudeCode(star) / 16, Byte(star, 11), x, y);
        list.Add(position, x + originX, y + originY);
    });
    list.End();
    return list.count;
}

int LoadObjectFieldForChart(const pl::Rect& bounds, int zoom, Fix24Angle lst, int sphere, int originX, int originY) {
    ChartObjectEntry* list = chartScreenLists.objects;
    if (list) list[0].record = kObjectListEnd;
    if (!objectIndexDb || !list) return 0;
    float starLimit, objectLimit;
    GetZoomMagnitudeLimits(zoom, &starLimit, &objectLimit);
    const int limit = objectLimit < 0 ? 0 : static_cast<int>(objectLimit * 10);
    const SkyRegion region = RegionOfRect(bounds, sphere != 0);
    int first, last;
    if (!RecordRange(FindObjectIndexRecord(static_cast<int32_t>(region.decLowest * kFixPerDegree)),
                     FindObjectIndexRecord(static_cast<int32_t>(region.decHighest * kFixPerDegree)), &first, &last))
        return 0;
    const FieldView view = sphere ? SphereFieldView(bounds) : HorizonFieldView(bounds, lst);
    const bool names = preferences.word[kPrefObjectNames] != 0;
    int count = 0;
    for (int r = first; r <= last; ++r) {
        ObjectIndexEntry entries[kObjectIndexEntries];
        if (!GetObjectIndexRecord(r, entries)) {
            ShowInformation("Can't get stellar record", "");
            continue;
        }
        for (const ObjectIndexEntry& e : entries) {
            int x, y;
            if (e.objectRecord < 0 || e.objectType < 0 || e.objectType >= kObjectTypeCount ||
                objectTypeTable[e.objectType].shown == 0 || e.magnitude10 > limit ||
                !RegionHoldsRa(region, e.rightAscension) || !PlaceInView(view, e.rightAscension, e.declination, &x, &y))
                continue;
            if (count < kObjectsKept)
                list[count++] = {static_cast<uint16_t>(e.objectRecord), static_cast<uint16_t>(e.objectType),
                                 e.rightAscension, e.declination, static_cast<int16_t>(x + originX),
                                 static_cast<int16_t>(y + originY)};
            DrawObjectSymbol(e.objectType, 0, 1, x, y);
            if (!names) continue;
            char text[32];
            int length = std::snprintf(text, sizeof text, "%s%ld", DesignationPrefix(e.designationId),
                                       static_cast<long>(e.number));
            DrawLabelText(text, std::min(length, static_cast<int>(sizeof text) - 1), x + 6, y);
        }
    }
    EndBusyIndicator(1);
    list[count].record = kObjectListEnd;
    return count;
}
