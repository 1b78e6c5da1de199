#include "scope/encoder_simulation.h"

#include <cmath>

#include "core/preferences.h"
#include "scope/scope_dispatch.h"

SimulatedEncoder simulatedEncoder{};

namespace {

int StepOf(int resolutionWord) {
    return static_cast<int>(std::fabs(static_cast<double>(preferences.word[resolutionWord])) * simulatedEncoder.speed / 360.0);
}

}  // namespace

int SetSlewRateSim(int rate) {
    static constexpr double kSpeeds[] = {2.0, 0.5, 0.1, 0.05};
    simulatedEncoder.azStep = simulatedEncoder.altStep = 0;
    if (rate >= 0 && rate < 4) simulatedEncoder.speed = kSpeeds[rate];
    return scopeSimulation ? 1 : 0;
}

int StartSlewSim(int direction) {
    switch (direction) {
    case 0: simulatedEncoder.altStep = StepOf(kPrefEncoderStepsAlt); break;
    case 1: simulatedEncoder.altStep = -StepOf(kPrefEncoderStepsAlt); break;
    case 2: simulatedEncoder.azStep = StepOf(kPrefEncoderStepsAz); break;
    case 3: simulatedEncoder.azStep = -StepOf(kPrefEncoderStepsAz); break;
    default: break;
    }
    return 1;
}

int StopSlewSim(int) {
    simulatedEncoder.speed = 0.0;
    simulatedEncoder.azStep = simulatedEncoder.altStep = 0;
    return 0;
}

int AbortSim() { return 1; }

void ResetSimulatedEncoder() { simulatedEncoder = SimulatedEncoder{}; }
