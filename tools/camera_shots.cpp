#include "tools/camera_shots.h"

#include <cstdio>

ShotsTimerState shotsTimerState{};

namespace {

std::vector<ShotSetting> settings;

}  // namespace

void AddShotSetting(ShotSetting setting) {
    if (setting.fileName.empty()) {
        char name[16];
        std::snprintf(name, sizeof name, "Shot %d", 0);
        setting.fileName = name;
    }
    if (setting.fileName.size() > kShotFileNameChars) setting.fileName.resize(kShotFileNameChars);
    if (setting.description.size() > kShotDescriptionChars) setting.description.resize(kShotDescriptionChars);
    settings.push_back(std::move(setting));
}

bool RemoveShotSetting(int row) {
    if (row < 0 || row >= static_cast<int>(settings.size())) return false;
    settings.erase(settings.begin() + row);
    return true;
}

const std::vector<ShotSetting>& ShotSettings() { return settings; }

void ReplaceShotSettings(std::vector<ShotSetting> all) { settings = std::move(all); }

void ResetCameraShots() {
    shotsTimerState = ShotsTimerState{};
    settings.clear();
}
