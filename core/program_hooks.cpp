#include "core/program_hooks.h"

#include <utility>

namespace {

HorizonProjectionHook horizonProjectionHook = nullptr;
ChartScreenListHook chartScreenListHook = nullptr;
FoundObjectHook foundObjectHook = nullptr;
CometPlaceHook cometPlaceHook = nullptr;
StopKeyHook stopKeyHook = nullptr;
FormCanOpenHook formCanOpenHook = nullptr;

}  // namespace

void InvalidateHorizonProjection() {
    if (horizonProjectionHook) horizonProjectionHook();
}

void MarkChartScreenListEmpty() {
    if (chartScreenListHook) chartScreenListHook();
}

void SetFoundObject(const ObjectRecord& record, int index) {
    if (foundObjectHook) foundObjectHook(record, index);
}

bool ComputeCometPlace(CometRecord* comet, double jd, int equinoxYear, CometPlace* place) {
    return cometPlaceHook && cometPlaceHook(comet, jd, equinoxYear, place);
}

bool IsSearchStopKeyDown() { return stopKeyHook && stopKeyHook(); }

bool FormCanOpen(int formId) { return !formCanOpenHook || formCanOpenHook(formId); }

HorizonProjectionHook InstallHorizonProjectionHook(HorizonProjectionHook hook) {
    return std::exchange(horizonProjectionHook, hook);
}

ChartScreenListHook InstallChartScreenListHook(ChartScreenListHook hook) {
    return std::exchange(chartScreenListHook, hook);
}

FoundObjectHook InstallFoundObjectHook(FoundObjectHook hook) { return std::exchange(foundObjectHook, hook); }

CometPlaceHook InstallCometPlaceHook(CometPlaceHook hook) { return std::exchange(cometPlaceHook, hook); }

StopKeyHook InstallStopKeyHook(StopKeyHook hook) { return std::exchange(stopKeyHook, hook); }

FormCanOpenHook InstallFormCanOpenHook(FormCanOpenHook hook) { return std::exchange(formCanOpenHook, hook); }
