#include "platform/device_services.h"

#include <mutex>

#include "platform/resources.h"

namespace pl {
namespace {

std::mutex servicesMutex;
std::vector<SoundRecord> soundLog;
int idleResets = 0;
bool waitCursor = false;
SoundOutput soundOutput = nullptr;
CursorOutput cursorOutput = nullptr;

}  // namespace

bool PlaySound(const std::string& name, bool async) {
    const SoundTemplate* sound = FindSound(name);
    SoundOutput output;
    {
        std::lock_guard<std::mutex> lock(servicesMutex);
        output = soundOutput;
    }
    bool played = false;
    if (sound && output) {
        std::vector<int16_t> samples = RenderSound(*sound, kSoundSampleRate);
        played = output(samples.data(), samples.size(), !async);
    }
    std::lock_guard<std::mutex> lock(servicesMutex);
    soundLog.push_back({name, async, sound != nullptr, played});
    return sound != nullptr;
}

void SystemIdleTimerReset() {
    std::lock_guard<std::mutex> lock(servicesMutex);
    ++idleResets;
}

void SetWaitCursor(bool on) {
    CursorOutput output;
    {
        std::lock_guard<std::mutex> lock(servicesMutex);
        waitCursor = on;
        output = cursorOutput;
    }
    if (output) output(on);
}

bool IsWaitCursorShown() {
    std::lock_guard<std::mutex> lock(servicesMutex);
    return waitCursor;
}

void SetSoundOutput(SoundOutput output) {
    std::lock_guard<std::mutex> lock(servicesMutex);
    soundOutput = output;
}

void SetCursorOutput(CursorOutput output) {
    std::lock_guard<std::mutex> lock(servicesMutex);
    cursorOutput = output;
}

std::vector<SoundRecord> SoundLog() {
    std::lock_guard<std::mutex> lock(servicesMutex);
    return soundLog;
}

int IdleTimerResetCount() {
    std::lock_guard<std::mutex> lock(servicesMutex);
    return idleResets;
}

void ResetDeviceServices() {
    std::lock_guard<std::mutex> lock(servicesMutex);
    soundLog.clear();
    idleResets = 0;
    waitCursor = false;
}

}  // namespace pl
