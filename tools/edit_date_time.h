// The one modal operation through which every screen lets the user pick a
// date and time.
#pragma once

// Runs the date and time form on six local-time variables; returns 1 when it
// closes (the variables changed only by "Ok").
int EditDateTime(int* year, int* month, int* day, int* hour, int* minute, int* second);
