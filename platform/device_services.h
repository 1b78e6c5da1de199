// Small services of the device: sounds played by name from the resources,
// the system idle timer that keeps the device awake, and the wait cursor.
// Each call is recorded so that tests can read what the program asked for;
// a backend that can play sound or show a cursor installs an output for it
// (the headless backend installs none, so nothing is heard or seen).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pl {

constexpr int kSoundSampleRate = 22050;

// Plays the sound resource `name` (platform/resources.h). Asynchronous calls
// return at once; otherwise the call returns when the sound has been played.
// False when there is no such sound.
bool PlaySound(const std::string& name, bool async);

// Holds off the device's sleep for another idle period.
void SystemIdleTimerReset();

// Shows (true) or hides the system wait cursor.
void SetWaitCursor(bool on);
bool IsWaitCursorShown();

// What a backend plays and shows. The sound output takes mono 16-bit samples
// at kSoundSampleRate and returns false when it cannot play them; with `wait`
// it returns when they have been heard.
using SoundOutput = bool (*)(const int16_t* samples, size_t count, bool wait);
using CursorOutput = void (*)(bool wait);
void SetSoundOutput(SoundOutput output);
void SetCursorOutput(CursorOutput output);

// Records for tests.
struct SoundRecord {
    std::string name;
    bool async = false;
    bool found = false;   // the resource exists
    bool played = false;  // an output took it
};
std::vector<SoundRecord> SoundLog();
int IdleTimerResetCount();
// Clears the records and the wait cursor (the outputs stay).
void ResetDeviceServices();

}  // namespace pl
