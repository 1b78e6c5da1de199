// Splitting angles and hours into the parts that the angle fields show.
#pragma once

// Adds half a second (1/7200) and splits into whole units, minutes and seconds,
// each truncated: 10.99999 gives 11, 0, 0. A value that is not a number gives
// 0, 0, 0; one past the int range its nearest int and 0, 0.
void SplitDegreesToDms(double value, int* whole, int* minutes, int* seconds);
