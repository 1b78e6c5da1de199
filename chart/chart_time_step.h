// Stepping the chart's date and time by the "Time Step" preference (word 29),
// as the hardware keys do.
#pragma once

// Moves year..minute by `direction` (+1 or -1) steps of the kind in word 29:
// 0 none (nothing happens); 1..7 1, 2, 5, 10, 15, 60 or 360 minutes; 8 one
// day; 9 one sidereal day (1436 minutes); 10..13 2, 5, 10 or 14 days; 14 a
// synodic month (29 days 764 minutes); 15..17 30, 60 or 90 days. The result
// becomes the program's date and time to the minute, fixed (it no longer
// follows the device clock, which would undo the step); the chart clock is
// forced and the chart redrawn, the moving list entries moved to that time.
void StepChartTime(int direction, int* year, int* month, int* day, int* hour, int* minute);
