#include "assistants/planet_events_view.h"

#include <cstdio>
#include <cstring>

#include "assistants/planet_assistant.h"
#include "assistants/planet_events.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/rise_set.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_list.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/planet_names.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "objects/visibility.h"
#include "objects/visibility_view.h"
#include "platform/window.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/forms.h"
#include "ui/markers.h"
#include "ui/popup_list.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kFullMoonBitmap = 6064;
constexpr int kNewMoonBitmap = 6065;
constexpr int kSolarEclipseBitmaps = 4072;  // + eclipse kind
constexpr int kLunarEclipseBitmaps = 4076;  // + eclipse kind
constexpr int kMoon = 1;

const PlannerEvent* EventOfRow(int row) {
    const int index = FirstFilteredEventIndex() + row;
    if (!plannerEvents || row < 0 || row >= FilteredEventCount() || index >= plannerEventCount) return nullptr;
    return &plannerEvents[index];
}

void Text(const char* text, int x, int y) { DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y); }

// The page's controls of form 2450, shown with the popups on their rows.
void ShowEventControls() {
    if (!PlanetAssistantControlsShown()) return;
    pl::Hwnd form = GetCurrentFormDialog();
    for (int id : {kPeriodLabel, kEventList, kPeriodTrigger, kFilterTrigger, kFilterLabel}) Show(form, id, true);
    SetPopupList(kPeriodTrigger, kPeriodList, eventPeriod);
    SetPopupList(kFilterTrigger, kFilterList, eventFilter);
}

void DrawEventIcons(const PlannerEvent& e, int iconX, int y) {
    const int sx = ScaleX(1), sy = ScaleY(1);
    const int kind = static_cast<int>(e.value);
    switch (e.kind) {
    case kEventOpposition: DrawSmallIcon(e.body1, 0, iconX + 6 * sx, y + 9 * sy); break;
    case kEventConjunction:
        DrawSmallIcon(e.body1, 0, iconX, y + 9 * sy);
        DrawSmallIcon(e.body2, 0, iconX + 15 * sx, y + 9 * sy);
        break;
    case kEventLunation: DrawBitmapMasked(e.value > 0.9f ? kFullMoonBitmap : kNewMoonBitmap, iconX, y + 2 * sy); break;
    case kEventLunarEclipse: DrawBitmapMasked(kLunarEclipseBitmaps + kind, iconX, y + 2 * sy); break;
    case kEventSolarEclipse: DrawBitmapMasked(kSolarEclipseBitmaps + kind, iconX, y + 2 * sy); break;
    default: break;
    }
}

bool KnownKind(int kind) {
    return kind == kEventOpposition || kind == kEventConjunction || kind == kEventLunation ||
           kind == kEventLunarEclipse || kind == kEventSolarEclipse;
}

// An event's instant (the list's universal-time fields) as the site's local
// civil date and time: the zone's minutes (daylight saving included) added.
AssistantDate LocalDateOf(const PlannerEvent& e) {
    const DateTime d =
        LocalFromUniversal(DateTime{e.year, e.month, e.day, e.hour, e.minute, 0}, currentSite.zoneMinutes);
    return AssistantDate{d.year, d.month, d.day, d.hour, d.minute};
}

// Rising, transit and setting (local hours) of a body on the local date of
// the event's instant `local` (local civil time): the Sun's for the date, the
// others' from their place at that instant, with the RiseSetEvent bits of the
// day's own events (DayOwnEvents). False when the body's theory does not
// cover the date.
bool EventRiseSet(int body, const AssistantDate& local, double* rise, double* transit, double* set,
                  unsigned* events) {
    *rise = *transit = *set = 0.0;
    if (body == 0) {
        ComputeSunRiseSet(local.year, local.month, local.day, rise, transit, set, nullptr, events);
        *events = DayOwnEvents(*events, *rise, *set);
        return true;
    }
    BodyPosition p{};
    if (ComputeBody(&p, body, local.year, local.month, local.day, local.hour, local.minute, 0) != 0) return false;
    ComputeRiseTransitSetFixed(local.year, local.month, local.day, currentSite.latitude, currentSite.longitude,
                               currentSite.zoneMinutes, currentSite.elevation, GetHorizonAltitude(), p.ra, p.dec,
                               rise, transit, set, events);
    return true;
}

// A body's line of the panel: its bar for the local date of the event's
// instant `local` (local civil time), with that instant marked.
void DrawBodyLine(int body, const AssistantDate& local, int y) {
    const int sx = ScaleX(1), sy = ScaleY(1);
    DrawSmallIcon(body, 0, 10 * sx, y + 6 * sy);
    DrawLabelText(planetNameTable[body], static_cast<int>(std::strlen(planetNameTable[body])), 20 * sx, y);
    double rise = 0, transit = 0, set = 0;
    unsigned events = 0;
    if (!EventRiseSet(body, local, &rise, &transit, &set, &events)) return;
    const pl::ColorRef previous = SetForeColor(GetBackgroundColor());
    DrawAltitudeGraph24h(80 * sx, y, formWidth - 90 * sx, 13 * sy + 4,
                         static_cast<float>(local.hour + local.minute / 60.0), static_cast<float>(rise),
                         static_cast<float>(transit), static_cast<float>(set), events);
    SetForeColor(previous);
}

}  // namespace

void PlanetEventRowText(int index, char* text, int size) {
    if (!plannerEvents || index < 0 || index >= plannerEventCount) {
        std::snprintf(text, static_cast<std::size_t>(size), "%s", "");
        return;
    }
    const PlannerEvent& e = plannerEvents[index];
    const std::size_t n = static_cast<std::size_t>(size);
    const bool inner = e.body1 == 2 || e.body1 == 3;
    char angle[32];
    switch (e.kind) {
    case kEventOpposition:
        std::snprintf(text, n, inner ? "%04d/%02d/%02d Inf. Conj." : "%04d/%02d/%02d Opp. ", e.year, e.month, e.day);
        break;
    case kEventConjunction:
        DegToStr(angle, sizeof angle, e.value);
        std::snprintf(text, n, "%04d/%02d/%02d Conj. %s", e.year, e.month, e.day, angle);
        break;
    case kEventLunation:
        std::snprintf(text, n, e.value > 0.9f ? "%04d/%02d/%02d Full Moon" : "%04d/%02d/%02d New Moon", e.year,
                      e.month, e.day);
        break;
    case kEventLunarEclipse:
    case kEventSolarEclipse:
        std::snprintf(text, n, e.kind == kEventLunarEclipse ? "%04d/%02d/%02d %s lunar eclipse"
                                                            : "%04d/%02d/%02d %s solar eclipse",
                      e.year, e.month, e.day, EclipseKindName(e.value));
        break;
    default: std::snprintf(text, n, "%s", "Unknown event"); break;
    }
}

void SearchPlanetEvents() {
    const int sy = ScaleY(1);
    EraseRectangle(XywhRect{0, 24 * sy, formWidth, formHeight - 22 * sy - 24 * sy});
    ShowEventControls();
    if (plannerEventCount == 0)
        RunPlanetEventSearch(assistantDate.year, assistantDate.month, assistantDate.day, EventPeriodDays(eventPeriod));
    else
        SortPlanetEvents();
    ShowPlanetEventDetail();
}

void DrawPlanetEventRow(int16_t row, const XywhRect& rect, int, int) {
    const PlannerEvent* e = EventOfRow(row);
    if (!e) return;
    char text[64];
    PlanetEventRowText(static_cast<int>(e - plannerEvents), text, sizeof text);
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    if (KnownKind(e->kind)) Text(text, rect.x + 2, rect.y + ScaleY(2));
    else DrawLabelText(text, static_cast<int>(std::strlen(text)), rect.x + 2, rect.y + ScaleY(2));
    SetTextTransparent(wasTransparent);
    DrawEventIcons(*e, rect.x + formWidth - ScaleX(50), rect.y);
}

void ShowPlanetEventDetail() {
    int row = -1;
    if (PlanetAssistantControlsShown()) row = Get(kEventList);
    DrawPlanetEventDetail(row);
}

void DrawPlanetEventDetail(int row) {
    const int sy = ScaleY(1), lineStep = 13 * sy + 5;
    const int top = formHeight - 22 * sy - 3 * (13 * sy + 5 * sy);
    EraseRectangle(XywhRect{0, top, formWidth, 90 * sy});
    const PlannerEvent* found = EventOfRow(row);
    if (!found) return;
    const PlannerEvent e = *found;
    assistantDate = LocalDateOf(e);
    ShowAssistantDateField();
    ShowAssistantTimeField();
    const bool wasTransparent = IsTextTransparent();
    SetTextTransparent(true);
    DrawBodyLine(0, assistantDate, top);
    DrawBodyLine(e.body1 != 0 ? e.body1 : kMoon, assistantDate, top + lineStep);
    if (e.body2 != 0) DrawBodyLine(e.body2, assistantDate, top + 2 * lineStep);
    SetTextTransparent(wasTransparent);
}
