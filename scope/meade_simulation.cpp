#include "scope/meade_simulation.h"

#include <cmath>

namespace {

struct SimulatedMount {
    double raRate;     // hours a query while a direction is held
    double decRate;    // degrees a query
    double slewSpeed;  // degrees a query, chosen by the rate
    double currentRa, currentDec;
    double targetRa, targetDec;
};

SimulatedMount mount{};

// One step of an axis toward its target: a tenth of the way while further
// than `threshold`, else onto it.
double Approach(double current, double target, double threshold) {
    double difference = target - current;
    if (std::fabs(difference) > threshold) return current + difference / 10.0;
    return target;
}

}  // namespace

int SimulatedMeadeRate(int rate) {
    static constexpr double kSpeeds[] = {2.0, 0.5, 0.1, 0.05};
    if (rate >= 0 && rate < 4) mount.slewSpeed = kSpeeds[rate];
    return 1;
}

int SimulatedMeadeStart(int direction) {
    switch (direction) {
    case 0: mount.decRate = mount.slewSpeed; break;
    case 1: mount.decRate = -mount.slewSpeed; break;
    case 2: mount.raRate = mount.slewSpeed / 15.0; break;
    case 3: mount.raRate = -mount.slewSpeed / 15.0; break;
    default: break;
    }
    return 1;
}

int SimulatedMeadeStop() {
    mount.targetRa = mount.currentRa;
    mount.targetDec = mount.currentDec;
    mount.raRate = mount.decRate = 0.0;
    return 1;
}

int SimulatedMeadeGoto(double ra, double dec) {
    mount.raRate = mount.decRate = 0.0;
    mount.targetRa = ra;
    mount.targetDec = dec;
    return 1;
}

int SimulatedMeadeSync(double ra, double dec) {
    mount.currentRa = mount.targetRa = ra;
    mount.currentDec = mount.targetDec = dec;
    mount.raRate = mount.decRate = 0.0;
    return 1;
}

int SimulatedMeadeQuery(double* ra, double* dec) {
    if (mount.raRate != 0.0) mount.currentRa += mount.raRate;
    else mount.currentRa = Approach(mount.currentRa, mount.targetRa, 1.0 / 15.0);
    if (mount.currentRa >= 24.0) mount.currentRa -= 24.0;
    else if (mount.currentRa < 0.0) mount.currentRa += 24.0;
    if (mount.decRate != 0.0) mount.currentDec += mount.decRate;
    else mount.currentDec = Approach(mount.currentDec, mount.targetDec, 1.0);
    if (mount.currentDec >= 90.0) mount.currentDec = 90.0;
    else if (mount.currentDec < -90.0) mount.currentDec = -90.0;
    *ra = mount.currentRa;
    *dec = mount.currentDec;
    return 1;
}

void ResetSimulatedMeade() { mount = SimulatedMount{}; }
