#include "assistants/planet_assistant.h"

#include <cstdio>

#include "core/date_text.h"
#include "platform/window.h"
#include "ui/control_access.h"
#include "ui/forms.h"
#include "ui/offscreen.h"

AssistantDate assistantDate{2000, 1, 1, 0, 0};
int32_t assistantPage = kPageEcliptic;
int32_t chartQuantity = kChartElongation;
int32_t eventPeriod = 0;
int32_t eventFilter = 0;
int32_t animating = 0;
XywhRect chartRect{};
int32_t formWidth = 240;
int32_t formHeight = 320;
int32_t savedAssistantDate[3] = {-1, -1, -1};
int32_t skyViewZoom = 0;
int32_t skyViewStep = 0;
float skyViewCentre[2] = {0.0f, 0.0f};
int32_t skyViewPoint[2] = {0, 0};
int32_t skyViewDragged = 1;
SelectionEntry* skyObjects = nullptr;
int32_t skyObjectCount = 0;
DrawWindowRecord* assistantSurface = nullptr;

void ResetPlanetAssistantState() {
    assistantDate = AssistantDate{2000, 1, 1, 0, 0};
    assistantPage = kPageEcliptic;
    chartQuantity = kChartElongation;
    eventPeriod = eventFilter = animating = 0;
    chartRect = XywhRect{};
    formWidth = 240;
    formHeight = 320;
    savedAssistantDate[0] = savedAssistantDate[1] = savedAssistantDate[2] = -1;
    skyViewZoom = skyViewStep = 0;
    skyViewCentre[0] = skyViewCentre[1] = 0.0f;
    skyViewPoint[0] = skyViewPoint[1] = 0;
    skyViewDragged = 1;
    delete[] skyObjects;
    skyObjects = nullptr;
    skyObjectCount = 0;
    DeleteOffscreenWindow(assistantSurface);
    assistantSurface = nullptr;
}

bool PlanetAssistantControlsShown() {
    pl::Hwnd form = GetCurrentFormDialog();
    return form && pl::GetDlgItem(form, kEventList);
}

void ShowAssistantDateField() {
    if (!PlanetAssistantControlsShown()) return;
    char text[32];
    FormatDate(text, sizeof text, assistantDate.day, assistantDate.month, assistantDate.year);
    SetField(kAssistantDateField, text);
}

void ShowAssistantTimeField() {
    if (!PlanetAssistantControlsShown()) return;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", assistantDate.hour, assistantDate.minute);
    SetField(kAssistantTimeField, text);
}
