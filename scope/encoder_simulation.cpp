#include "scope/encoder_simulation.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/preferences.h"
#include "scope/scope_dispatch.h"

SimulatedEncoder simulatedEncoder{};

namespace {

int StepOf(int resolutionWord) {
    return static_cast<int>(std::fabs(static_cast<double>(preferences.word[resolutionWord])) * simulatedEncoder.speed / 360.0);
}

// Adds the step and keeps the count within half a turn of the resolution,
// as a box's own counter wraps.
int Advance(int count, int step, int resolutionWord) {
    int64_t turn = std::llabs(int64_t{preferences.word[resolutionWord]});
    int64_t c = int64_t{count} + step;
    if (turn > 0 && 2 * c > turn) c -= turn;
    if (turn > 0 && 2 * c < -turn) c += turn;
    return static_cast<int>(c);
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

void StepSimulatedEncoder(int* azCount, int* altCount) {
    simulatedEncoder.azCount = Advance(simulatedEncoder.azCount, simulatedEncoder.azStep, kPrefEncoderStepsAz);
    simulatedEncoder.altCount = Advance(simulatedEncoder.altCount, simulatedEncoder.altStep, kPrefEncoderStepsAlt);
    *azCount = simulatedEncoder.azCount;
    *altCount = simulatedEncoder.altCount;
}

void ResetSimulatedEncoder() { simulatedEncoder = SimulatedEncoder{}; }
