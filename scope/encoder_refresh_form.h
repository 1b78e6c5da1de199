// The refresh rate of the scope control form's encoder read-out: popup list
// 2304 with its trigger 2305, and window timer 1 of the form.
#pragma once

// The rows of the refresh popup in their shown order, and their periods (ms).
constexpr int kEncoderRefreshRowCount = 7;
extern const char* const kEncoderRefreshRows[kEncoderRefreshRowCount];
extern const int kEncoderRefreshPeriods[kEncoderRefreshRowCount];

// The chosen period (ms) and its row; 0 until a row is chosen.
extern int encoderRefreshPeriod;
extern int encoderRefreshIndex;

// Takes the selected row of list 2304 of the open form (GetCurrentFormWindow):
// keeps the row and its period, shows the row's text on trigger 2305 and
// starts timer 1 of the form again with the period. A row outside 0..6
// changes nothing.
void SetEncoderRefreshRate();
