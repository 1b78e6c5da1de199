// The camera shots timer's state and the exposure settings the user stores
// on the camera form. A series of exposures runs on whole seconds of
// GetSeconds (the tick count over 1000): the shutter is open while the
// camera's serial port is open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ShotsTimerState {
    int32_t now;              // second of the last tick
    int32_t exposureEnd;      // second at which the running exposure ends
    int32_t exposureSeconds;  // exposure time
    int32_t shotsLeft;        // shots still to take, counting the running one
    int32_t shotsTotal;       // shots of the series
    int32_t delaySeconds;     // pause after each exposure
    int32_t nextStart;        // second at which the next exposure starts
    uint8_t exposing;         // the shutter (the port) is open
    uint8_t running;          // a series is in progress
};

extern ShotsTimerState shotsTimerState;

// A target second is reached at it or at any later second, so a tick that
// comes late (the device busy for more than a second) still ends the
// exposure or starts the next one.
inline bool SecondReached(int32_t now, int32_t target) { return now >= target; }

// Stored exposure settings, kept between runs (tools/camera_settings_file.h).
constexpr int kShotFileNameChars = 19;
constexpr int kShotDescriptionChars = 299;
struct ShotSetting {
    std::string date;  // the date and time fields as shown
    std::string time;
    int32_t shots = 0;
    int32_t exposureSeconds = 0;
    int32_t delaySeconds = 0;
    int32_t isoRow = 0;
    std::string fileName;     // at most kShotFileNameChars
    std::string description;  // at most kShotDescriptionChars
};

// Appends a setting: the file name and the description are cut to their
// lengths, and an empty file name becomes "Shot 0".
void AddShotSetting(ShotSetting setting);
// Removes row `row`; false when there is no such row.
bool RemoveShotSetting(int row);
const std::vector<ShotSetting>& ShotSettings();
// Replaces every stored setting (the settings read back from their file).
void ReplaceShotSettings(std::vector<ShotSetting> all);

// Back to the start of a run: no series, no stored settings (tests).
void ResetCameraShots();
