// The busy indicator of long computations: the system wait cursor, or an
// animated icon (bitmaps 6081 to 6090 in turn) in a box of 40 x scaleX pixels
// at the centre of the draw window, with the screen under it put back at the
// end. The computation folders call StepBusyIndicator and EndBusyIndicator
// through the service hooks of core/services.h.
#pragma once

#include "core/services.h"

// Installs the indicator as the busy services, keeping the other services;
// returns the services it replaced.
ServiceHooks InstallBusyIndicator();

// 1: the wait cursor; 0: the animated icon.
void SetModeFlag(int flag);

// Ends any indication without restoring and goes back to the animated icon
// and its first frame (tests).
void ResetBusyIndicator();
