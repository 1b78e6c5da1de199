// What the sky chart uses of the telescope folder: the simulation and marker
// flags, goto, slew rate and the key slews, whether the drive is an encoder
// box and its pending target, and the connection and position reads.
#pragma once

#include "scope/drive_table.h"      // IsEncoderDrive
#include "scope/encoder_box.h"      // SetPendingScopeTarget, kNoTargetDec
#include "scope/scope_dispatch.h"   // scopeSimulation, scopeConnected, ScopeGoto, ScopeSetSlewRate, ...
#include "scope/scope_slew.h"       // ScopeKeySlewUp, ...Down, ...Left, ...Right
