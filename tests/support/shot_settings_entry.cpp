#include "support/shot_settings_entry.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/recording_services.h"
#include "support/temp_program_folder.h"
#include "tools/camera_settings_file.h"

namespace {

bool WithinLimits(const ShotSetting& s) {
    return s.date.size() <= kShotTextChars && s.time.size() <= kShotTextChars &&
           s.fileName.size() <= kShotFileNameChars && s.description.size() <= kShotDescriptionChars &&
           s.isoRow >= 0 && s.isoRow < kIsoRows;
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int RunShotSettings(const uint8_t* data, std::size_t size) {
    TempProgramFolder folder("shot_settings");
    std::ofstream(folder.path() / kShotSettingsFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    RecordingServices services;
    const std::vector<uint8_t> input(data, data + size);
    if (LoadShotSettings() == ShotSettingsLoad::Loaded) {
        if (ShotSettings().size() > kMaxShotSettings) return 1;
        for (const ShotSetting& s : ShotSettings())
            if (!WithinLimits(s)) return 1;
        return EncodeShotSettings(ShotSettings()) == input ? 0 : 2;
    }
    const bool aside = !std::filesystem::exists(folder.path() / kShotSettingsFile) &&
                       FileBytes(folder.path() / kShotSettingsDamagedFile) == input;
    return ShotSettings().empty() && aside && services.messages.size() == 1 ? 0 : 3;
}
