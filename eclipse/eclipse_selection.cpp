#include <cmath>
#include <cstdio>
#include <string>

#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "eclipse/eclipse_map_view.h"
#include "eclipse/eclipse_summary_view.h"
#include "eclipse/solar_eclipse_views.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

int currentEclipseView = kEclipseListView;
int viewHour = 0, viewMinute = 0, viewSecond = 0;
double typedLatitude = 0, typedLongitude = 0;
double observerLatitude = 0, observerLongitude = 0;
LocalEclipseResult localResult{};
bool localResultComputed = false;
LocalEclipseResult umbraResult{};
double greatestLatitude = 0, greatestLongitude = 0;
bool observerCircumstancesComputed = false;
bool observerSeesNoEclipse = false;
XywhRect viewRect{};
int screenWidth = 0, screenHeight = 0;
DrawWindowRecord* savedViewBits = nullptr;
int mapRecentre = -1;
int mapPositionCount = 0;
int globeLongitude = 0, globeLatitude = 0;

namespace {

constexpr int kEclipseList = 2704;
constexpr int kMapButton = 2721;

// The nearest whole degree in 0..359.
int WholeDegrees(double degrees) { return (static_cast<int>(std::lround(degrees)) % 360 + 360) % 360; }

void SelectRecord(int row) {
    ForgetLocalCircumstances();
    mapPositionCount = 0;
    mapRecentre = -1;
    selectedEclipse = row;
    EclipseEvent& e = eclipseList[row];
    pl::Hwnd form = GetCurrentFormDialog();
    Show(form, kMapButton, e.type != 0);
    if (e.type != 0) {
        if (e.closestSeparation < 0) FindSolarGreatestEclipse(&e);
        PrepareSolarEclipse(&e, &greatestLatitude, &greatestLongitude);
        // Until the umbra of a time is computed, its point is the place of greatest eclipse.
        umbraResult.pointLatitude = greatestLatitude;
        umbraResult.pointLongitude = greatestLongitude;
        globeLongitude = WholeDegrees(greatestLongitude);
        globeLatitude = WholeDegrees(greatestLatitude);
    } else if (e.closestSeparation < 0) {
        CompleteLunarEclipse(&e);
    }
    observerLatitude = greatestLatitude;
    observerLongitude = greatestLongitude;
    viewHour = e.hour;
    viewMinute = e.minute;
    viewSecond = e.second;
}

// Text of a list row, without a background of its own: the row's fill stays
// behind it (the highlight for the selected row).
void DrawRowText(const char* text, int x, int y) {
    DrawPlainText(text, static_cast<int>(std::string(text).size()), x, y);
}

}  // namespace

void ResetEclipseForm() {
    FreeEclipseList();
    listStartYear = -1, listStartMonth = 1, listStartDay = 1, selectedEclipse = -1;
    currentEclipseView = kEclipseListView;
    viewHour = viewMinute = viewSecond = 0;
    typedLatitude = typedLongitude = observerLatitude = observerLongitude = 0;
    localResult = umbraResult = LocalEclipseResult{};
    localResultComputed = false;
    greatestLatitude = greatestLongitude = 0;
    observerCircumstancesComputed = observerSeesNoEclipse = false;
    FreeEclipseMap();
    mapRecentre = -1, mapPanX = mapPanY = 0, mapDragging = 0;
    globeLongitude = globeLatitude = 0, globeRotating = 0;
}

void ForgetLocalCircumstances() {
    localResultComputed = false;
    observerCircumstancesComputed = observerSeesNoEclipse = false;
}

void CompleteSelectedEclipse() {
    if (!eclipseList || eclipseCount < 1) return;
    if (Get(kEclipseList) < 0) Set(kEclipseList, 0);
    int row = Get(kEclipseList);
    if (row >= eclipseCount) row = -1;
    if (row >= 0 && row != selectedEclipse) SelectRecord(row);
    if (selectedEclipse < 0) selectedEclipse = 0;
    DrawEclipseSummary(eclipseList, selectedEclipse, &greatestLatitude, &greatestLongitude, screenWidth, screenHeight);
    const EclipseEvent& e = eclipseList[selectedEclipse];
    // A place set in Info gives way to the best place, with the time of greatest eclipse (at the
    // place's time the umbra may miss the Earth); circumstances belong to the place they were
    // found for. Else a solar observer stays the place whose circumstances Info shows.
    if (observerCircumstancesComputed &&
        (observerLatitude != greatestLatitude || observerLongitude != greatestLongitude)) {
        ForgetLocalCircumstances();
        viewHour = e.hour, viewMinute = e.minute, viewSecond = e.second;
    } else if (e.type != 0) {
        return;
    }
    observerLatitude = greatestLatitude;
    observerLongitude = greatestLongitude;
}

void DrawEclipseRow(int16_t row, const XywhRect& rect, int selected, int) {
    if (eclipseCount < 1 || !eclipseList || row < 0 || row >= eclipseCount) return;
    const EclipseEvent& e = eclipseList[row];
    char text[48];
    if (e.type == 1 || e.type == 0)
        std::snprintf(text, sizeof text, "%04d/%02d/%02d %s", e.year, e.month, e.day, e.type == 1 ? "Sun" : "Moon");
    else
        std::snprintf(text, sizeof text, "Unknown event");
    const pl::ColorRef previousColour = SetTextColorRef(selected ? GetHighlightTextColor() : GetForegroundColor());
    const bool previousMode = IsTextTransparent();
    SetTextTransparent(true);
    DrawRowText(text, rect.x + 2, rect.y);
    if (e.type == 1 || e.type == 0) DrawRowText(EclipseKindName(e.kind), rect.x + ScaleX(105), rect.y);
    SetTextTransparent(previousMode);
    SetTextColorRef(previousColour);
    if (e.type != 1 && e.type != 0) return;
    if (GetScreenScale() <= 1) return;
    int kind = static_cast<int>(e.kind);
    if (e.type == 1) DrawBitmapTransparent(4072 + kind, rect.x + ScaleX(200), rect.y + 2);
    else DrawBitmapTransparent(4076 + kind, rect.x + ScaleX(200), rect.y + ScaleY(2));
}
