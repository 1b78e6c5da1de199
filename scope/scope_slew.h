// Slewing while a key (or the stylus) is held: the slew starts, runs while
// the arrow keys stay as they were, and stops when they change. Directions
// 0..3 are north, south, east, west (ScopeStartSlew). The loop keeps the UI
// thread: no messages are dispatched until it ends.
#pragma once

#include <cstdint>

// The refresh period of the running slew, ms: 125, or 2000 for Takahashi,
// whose controller needs its motion command again at each refresh.
extern int slewRefreshPeriod;
// 1 on the poll at which a refresh fell due (Takahashi then re-sends the
// motion command), 0 on the others.
extern uint8_t takahashiResend;

// Called every refresh period while the slew runs (125 ms, 2000 ms for
// Takahashi), e.g. to read and draw the position.
using SlewRefresh = void (*)(int direction);

// Starts the slew, then while the arrow-key state stays as first read: every
// refresh period calls `refresh` (may be null; one that outlasts the period
// is followed by a whole period without one) and, for Takahashi, sends the
// start again; without `keyStarted` the stylus is read and a lifted stylus
// ends the loop. A slew started by a key that is already released stops at
// once. Then the slew stops and queued key events are dropped.
void RunSlewLoop(int direction, bool keyStarted, SlewRefresh refresh);

// The sky chart's scope keys: slews north, south, west and east at the
// current rate while the key is held.
void ScopeKeySlewUp();
void ScopeKeySlewDown();
void ScopeKeySlewLeft();
void ScopeKeySlewRight();
