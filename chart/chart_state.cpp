#include "chart/chart_state.h"

ChartTimeRecord chartTimeRecord{};

void InvalidateHorizonProjection() { chartTimeRecord.horizonProjectionReady = 0; }
