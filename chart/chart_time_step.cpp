#include "chart/chart_time_step.h"

#include "chart/chart_clock.h"
#include "chart/chart_redraw.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"

namespace {

struct TimeStep {
    int days;
    int minutes;
};

// By the kind of word 29 (kind 0, no step, is not in the table).
constexpr TimeStep kSteps[] = {{0, 1},  {0, 2},  {0, 5},  {0, 10}, {0, 15}, {0, 60}, {0, 360}, {1, 0}, {0, 1436},
                               {2, 0},  {5, 0},  {10, 0}, {14, 0}, {29, 764}, {30, 0}, {60, 0}, {90, 0}};
constexpr int kStepKinds = static_cast<int>(sizeof kSteps / sizeof kSteps[0]);

}  // namespace

void StepChartTime(int direction, int* year, int* month, int* day, int* hour, int* minute) {
    const int kind = preferences.word[kPrefTimeStep];
    if (kind < 1 || kind > kStepKinds) return;
    const TimeStep& step = kSteps[kind - 1];
    if (step.days) AddDaysToDate(year, month, day, direction * step.days);
    if (step.minutes) AddMinutesToDateTime(year, month, day, hour, minute, direction * step.minutes);
    dateTimeFixed = 1;
    SetCurrentDateTime(*year, *month, *day, *hour, *minute, 0);
    RestartChartTime();
    RedrawSkyChart();
}
