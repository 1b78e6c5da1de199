#include "objects/object_info_panel.h"

#include <cstdio>
#include <cstring>

#include "assistants/assistant_colors.h"
#include "assistants/jupiter_view.h"
#include "assistants/saturn_view.h"
#include "catalog/designations.h"
#include "catalog/selection_entry.h"
#include "chart/chart_symbols.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/services.h"
#include "ephemeris/jupiter_central_meridian.h"
#include "objects/current_object.h"
#include "ui/colors.h"
#include "ui/offscreen.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kPanelTop = 222;     // scale units down the form
constexpr int kBottomStrip = 22;   // scale units kept for the bottom row
constexpr int kTallerThan = 240;   // scale units of screen height
constexpr int kJupiter = 5, kSaturn = 6;
constexpr int kRedSpotColour = 2;  // the red of the moon colours
constexpr int kChartZoom = 5;

// The preference words the finder chart sets while it draws, and their values.
struct WordValue {
    int word;
    int32_t value;
};
constexpr WordValue kChartWords[] = {
    {kPrefChartType, 4},   {kPrefObjectNames, 0}, {kPrefMoreStars, 1},   {kPrefObjDrilldown, 0},
    {kPrefStarsLegend, 0}, {kPrefHideInfoBar, 1}, {kPrefHideCompass, 1}, {kPrefZoomViewFirst + kChartZoom, 0},
};
constexpr int kChartWordCount = sizeof kChartWords / sizeof kChartWords[0];

ObjectInfoChartMaker chartMaker = CreateOffscreenDib;
// The small finder chart's offscreen, made on first use, freed when the form closes.
DrawWindowRecord* chartOffscreen = nullptr;

// "Red Spot Transit :" and the next three transits over the top of the picture.
void DrawRedSpotLine(const DateTime& t, int top) {
    int hours[3], minutes[3];
    ComputeJupiterCentralMeridian(t.year, t.month, t.day, hours, minutes);
    char text[64];
    std::snprintf(text, sizeof text, "Red Spot Transit : %02dh%02d %02dh%02d %02dh%02d", ClockHour(hours[0]),
                  minutes[0], ClockHour(hours[1]), minutes[1], ClockHour(hours[2]), minutes[2]);
    pl::ColorRef colours[5];
    CopyAssistantColors(colours);
    const bool transparent = IsTextTransparent();
    SetTextTransparent(true);
    const pl::ColorRef before = SetTextColorRef(colours[kRedSpotColour]);
    DrawPlainText(text, static_cast<int>(std::strlen(text)), ScaleX(3), top);
    SetTextColorRef(before);
    SetTextTransparent(transparent);
}

// The object as a one-entry table of the sphere renderer.
SelectionEntry ChartEntry(const ObjectRecord& r) {
    SelectionEntry e{};
    std::snprintf(e.name, sizeof e.name, "%.*s", static_cast<int>(kSelectionNameSize - 1), currentObjectBlock.graphName);
    e.number = r.number;
    e.designation = static_cast<int16_t>(r.designationId);
    e.objectType = static_cast<int16_t>(r.objectType);
    e.constellation = static_cast<int16_t>(r.constellation);
    e.sourceIndex = static_cast<uint16_t>(r.number);
    e.rightAscension = r.rightAscension;
    e.declination = r.declination;
    e.size1 = static_cast<int16_t>(r.size1);
    e.size2 = static_cast<int16_t>(r.size2 > 0.0f ? r.size2 : r.size1);
    e.mag10 = static_cast<int32_t>(r.magnitude * 10.0f);
    return e;
}

// The kept offscreen at the panel's size; null, with the message, when it cannot be made.
DrawWindowRecord* ChartSurface(const XywhRect& rect) {
    if (chartOffscreen && chartOffscreen->right == rect.width && chartOffscreen->bottom == rect.height)
        return chartOffscreen;
    FreeObjectInfoChart();
    chartOffscreen = chartMaker(rect.width, rect.height, 16);
    if (!chartOffscreen) ShowInformation("Can't allocate offscreen window", "");
    return chartOffscreen;
}

void DrawFinderChart(const ObjectRecord& r, const DateTime& t, const XywhRect& rect) {
    DrawWindowRecord* surface = ChartSurface(rect);
    if (!surface) return;
    int32_t saved[kChartWordCount];
    for (int i = 0; i < kChartWordCount; ++i) {
        saved[i] = preferences.word[kChartWords[i].word];
        preferences.word[kChartWords[i].word] = kChartWords[i].value;
    }
    const DateTime keptTime = currentDateTime;
    SetChartView(0, t.year, t.month, t.day, t.hour, t.minute, t.second, 0);
    SelectionEntry e = ChartEntry(r);
    ProjectObjectList(&e, 1);
    // A body's place of date is centred where it is drawn among the J2000 stars.
    float angle = r.rightAscension * 15.0f, elevation = r.declination;
    if (IsPlaceOfDate(e.designation)) ListPlaceCentre(r.rightAscension, r.declination, e.designation, &angle, &elevation);
    DrawSkyMap(&e, 1, rect, surface, kChartZoom, angle, elevation, 0);
    currentDateTime = keptTime;
    for (int i = 0; i < kChartWordCount; ++i) preferences.word[kChartWords[i].word] = saved[i];
    SelectChartBitmapSet(1);
}

}  // namespace

XywhRect ObjectInfoPanelRect(int width, int height) {
    if (height <= ScaleY(kTallerThan)) return XywhRect{0, 0, 0, 0};
    const int top = ScaleY(kPanelTop);
    return XywhRect{0, top, width, height - ScaleY(kBottomStrip) - top};
}

void DrawObjectInfoPanel(const ObjectRecord& r, const DateTime& t) {
    int width = 0, height = 0;
    GetScreenSize(&width, &height);
    const XywhRect rect = ObjectInfoPanelRect(width, height);
    if (rect.height <= 0) return;
    const bool body = static_cast<int16_t>(r.designationId) == kDesignationPlanet;
    if (body && r.number == kJupiter) {
        ComputeJupiterMoons(width, rect.y, t.year, t.month, t.day, t.hour, t.minute, nullptr, nullptr, nullptr, 1, 1,
                            1);
        DrawRedSpotLine(t, rect.y + ScaleY(14));
    } else if (body && r.number == kSaturn) {
        DrawSaturnMoons(t.year, t.month, t.day, t.hour, t.minute, width, rect.y, kSaturnPicture, nullptr, nullptr,
                        nullptr, 1, 1);
    } else {
        DrawFinderChart(r, t, rect);
    }
}

const DrawWindowRecord* ObjectInfoChart() { return chartOffscreen; }

void FreeObjectInfoChart() {
    DeleteOffscreenWindow(chartOffscreen);
    chartOffscreen = nullptr;
}

ObjectInfoChartMaker SetObjectInfoChartMaker(ObjectInfoChartMaker maker) {
    ObjectInfoChartMaker previous = chartMaker;
    chartMaker = maker ? maker : CreateOffscreenDib;
    return previous;
}
