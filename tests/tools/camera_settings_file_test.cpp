// The camera settings kept in "zendavori.shots": the seed files of
// scripts/reference/shot_settings_seeds.py, written by hand from the file's
// layout, read or refused; a save that fails keeps the last good file; every
// saved input of the fuzz target passes its checks.
#include "tools/camera_settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/recording_services.h"
#include "support/shot_settings_entry.h"
#include "support/temp_program_folder.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::filesystem::path kCorpus = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus/shot_settings";

Bytes Seed(const char* name) {
    std::ifstream in(kCorpus / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Which seeds read, and what the good ones hold.
TEST(CameraSettingsFile, SeedsReadOrRefused) {
    const struct {
        const char* seed;
        int settings;  // -1: refused
    } cases[] = {
        {"two_settings", 2},           {"no_settings", 0},          {"longest_texts", 1},
        {"name_too_long", -1},         {"iso_row_six", -1},         {"nul_in_name", -1},
        {"count_beyond_the_bytes", -1}, {"count_over_the_limit", -1}, {"bytes_left_over", -1},
        {"wrong_crc", -1},             {"version_two", -1},         {"header_only_cut", -1},
    };
    for (const auto& c : cases) {
        const Bytes bytes = Seed(c.seed);
        ASSERT_FALSE(bytes.empty()) << c.seed;
        std::vector<ShotSetting> settings(1);
        EXPECT_EQ(DecodeShotSettings(bytes.data(), bytes.size(), &settings), c.settings >= 0) << c.seed;
        EXPECT_EQ(static_cast<int>(settings.size()), std::max(c.settings, 0)) << c.seed;
        if (c.settings >= 0) {
            EXPECT_EQ(EncodeShotSettings(settings), bytes) << c.seed;
        }
    }
    std::vector<ShotSetting> s;
    const Bytes two = Seed("two_settings");
    ASSERT_TRUE(DecodeShotSettings(two.data(), two.size(), &s));
    EXPECT_EQ((std::vector<std::string>{s[0].date, s[0].time, s[0].fileName, s[0].description, s[1].fileName}),
              (std::vector<std::string>{"05/03/2024", "21:10:00", "M42 set", "Orion, 3 of 30 s", "Shot 0"}));
    EXPECT_EQ((std::vector<int>{s[0].shots, s[0].exposureSeconds, s[0].delaySeconds, s[0].isoRow, s[1].isoRow}),
              (std::vector<int>{3, 30, 5, 2, 4}));
    const Bytes longest = Seed("longest_texts");
    ASSERT_TRUE(DecodeShotSettings(longest.data(), longest.size(), &s));
    EXPECT_EQ((std::vector<int>{s[0].shots, s[0].exposureSeconds, s[0].delaySeconds}),
              (std::vector<int>{-1, 2147483647, -2147483647 - 1}));
}

// A save on a full disk keeps the last good file and is told once until a
// save succeeds again.
TEST(CameraSettingsFile, FailedSaveKeepsTheLastGoodFile) {
    TempProgramFolder folder("shot_settings_save");
    RecordingServices services;
    ResetCameraShots();
    ResetShotSettingsFile();
    AddShotSetting(ShotSetting{"05/03/2024", "21:10", 3, 30, 5, 2, "M42", "Orion"});
    ASSERT_TRUE(SaveShotSettings());
    const Bytes good = EncodeShotSettings(ShotSettings());
    AddShotSetting(ShotSetting{});
    for (int attempt = 0; attempt < 2; ++attempt) {
        pl::FailWritesAfter(20);
        EXPECT_FALSE(SaveShotSettings());
    }
    pl::FailWritesAfter(-1);
    std::ifstream in(folder.path() / kShotSettingsFile, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), good);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / kShotSettingsTemporaryFile));
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Could not save the camera settings."});
    EXPECT_TRUE(SaveShotSettings());
    EXPECT_EQ(LoadShotSettings(), ShotSettingsLoad::Loaded);
    EXPECT_EQ(ShotSettings().size(), 2u);
    ResetCameraShots();
}

// Every saved input of the fuzz target (the seeds and any input that ever
// found a fault) passes its checks.
TEST(CameraSettingsFile, EverySavedFuzzInputPassesTheChecks) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(RunShotSettings(bytes.data(), bytes.size()), 0) << entry.path().filename();
        ++files;
    }
    EXPECT_GE(files, 12);
    ResetCameraShots();
}

}  // namespace
