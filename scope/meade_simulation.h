// The simulated Meade mount that answers while scopeSimulation is set: a
// position that walks a tenth of the way to its goto target at every position
// query, or moves at the slew speed while a direction is held. Right
// ascension in hours, declination in degrees; every routine returns 1.
#pragma once

// Speed by rate 0..3: 2.0, 0.5, 0.1, 0.05 degrees a query (other rates keep it).
int SimulatedMeadeRate(int rate);
// Direction 0 north adds the speed to the declination, 1 south takes it off,
// 2 east adds speed / 15 to the right ascension, 3 west takes it off.
int SimulatedMeadeStart(int direction);
// Stops where it is: the target becomes the position.
int SimulatedMeadeStop();
int SimulatedMeadeGoto(double ra, double dec);
// The position and the target become the place.
int SimulatedMeadeSync(double ra, double dec);
// One step: a held direction moves by its rate; else the position moves a
// tenth of the way to the target while more than 4 minutes of RA (1 deg of
// Dec) away, then lands on it. RA wrapped into [0, 24), Dec capped at +-90.
int SimulatedMeadeQuery(double* ra, double* dec);

// At rest at (0 h, 0 deg), speed 0.
void ResetSimulatedMeade();
