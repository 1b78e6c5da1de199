// The slews of the simulated encoder mount, used by the dispatcher for drives
// without motors while scopeSimulation is set: each position query of the
// encoder driver adds the steps below to the simulated counts.
#pragma once

struct SimulatedEncoder {
    double speed;  // degrees a query: 2.0, 0.5, 0.1, 0.05 by rate
    int azStep;    // counts added per query
    int altStep;
    int azCount;   // simulated counts
    int altCount;
};

extern SimulatedEncoder simulatedEncoder;

// Stops both axes and takes the speed of rate 0..3 (other rates keep it).
// Returns 1 while simulating, else 0.
int SetSlewRateSim(int rate);
// Direction 0 and 1 move the altitude count by +- |word 12| x speed / 360 a
// query, 2 and 3 the azimuth count by +- |word 11| x speed / 360. Returns 1.
int StartSlewSim(int direction);
// Speed and steps 0 (the next slew needs a new rate). Returns 0.
int StopSlewSim(int direction);
// Returns 1, nothing else.
int AbortSim();

// One position query of the simulated mount: each count moves by its step and
// is kept within half a turn of its resolution's magnitude (|word 11| for the
// azimuth, |word 12| for the altitude) by whole turns.
void StepSimulatedEncoder(int* azCount, int* altCount);

void ResetSimulatedEncoder();
