#include "assistants/planet_assistant.h"

#include "platform/window.h"
#include "ui/forms.h"

AssistantDate assistantDate{2000, 1, 1, 0, 0};
int32_t assistantPage = kPageEcliptic;
int32_t chartQuantity = kChartElongation;
int32_t eventPeriod = 0;
int32_t eventFilter = 0;
int32_t animating = 0;
XywhRect chartRect{};
int32_t formWidth = 240;
int32_t formHeight = 320;

void ResetPlanetAssistantState() {
    assistantDate = AssistantDate{2000, 1, 1, 0, 0};
    assistantPage = kPageEcliptic;
    chartQuantity = kChartElongation;
    eventPeriod = eventFilter = animating = 0;
    chartRect = XywhRect{};
    formWidth = 240;
    formHeight = 320;
}

bool PlanetAssistantControlsShown() {
    pl::Hwnd form = GetCurrentFormDialog();
    return form && pl::GetDlgItem(form, kEventList);
}
