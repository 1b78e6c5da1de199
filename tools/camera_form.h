// The camera control form (5300): a series of timed exposures with a camera
// whose shutter release is wired to a serial port. Opening the port starts an
// exposure and closing it ends it; a 500 ms window timer counts the seconds
// and shows the progress in the title strip. The series runs only while the
// form is open.
#pragma once

#include "platform/types.h"

constexpr int kCameraForm = 5300;
constexpr int kCameraTitle = 8000;
constexpr int kCameraHelp = 5316;
constexpr int kShotsField = 5303;
constexpr int kExposureField = 5304;
constexpr int kDelayField = 5305;
constexpr int kIsoTrigger = 5313;
constexpr int kIsoList = 5314;
constexpr int kShotDateField = 5306;
constexpr int kShotTimeField = 5312;
constexpr int kShotFileField = 5308;
constexpr int kShotDescriptionField = 5309;
constexpr int kShotSettingsList = 5317;
constexpr int kCameraOk = 5315;
constexpr int kCameraStart = 5301;
constexpr int kCameraStop = 5302;
constexpr int kCameraClear = 5318;
constexpr int kCameraSave = 5310;
constexpr int kCameraDelete = 5311;
constexpr int kShotsTimer = 1;
constexpr int kShotsTimerPeriodMs = 500;

// Starts one exposure: with shots left and a camera port (preference word
// 133, "No camera port selected." when negative), the first exposure of a
// series takes the shared port (tools/shared_port.h); the port opens at 9600
// baud with its control lines raised (SetSerialLineParams(208)), Stop replaces
// Start, Ok, Save, Del and Clear, "Shot %d/%d" shows, and "startTimer" plays.
// A port that cannot be opened ends the series with the serial layer's message.
void StartShotsTimer();

// Ends the running exposure: one shot less (none left: the series ends, the
// buttons come back and the shared port is given back), the port closes and
// "stopTimer" plays.
void StopShotsTimer();

// The timer's work: keeps the device awake while the shutter is open, ends
// the exposure and starts the next one when their seconds are reached, and
// shows "Wait %ds", "All done" and the seconds left of the exposure.
void ShotsTimerTick();

// Erases the status strip at (100, 7), 75 x 14 design units, of the title strip.
void ClearShotsStatus();

// The texts the status strip shows now: at x 100 ("Shot 1/3", "Wait 4s",
// "All done") and at x 160 ("2s "); empty after ClearShotsStatus.
const char* ShotsStatusShown();
const char* ShotsSecondsShown();

pl::LResult CameraFormProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
