// The night-mode dialog (1999): the red night colours switched at once, and
// the current form opened again in the new colours.
#pragma once

// Runs the dialog over the current form, then reopens that form.
void RunNightModeDialog();
