// The camera form's stored exposure settings kept between runs in
// "zendavori.shots" of the program folder, written through a temporary file
// and a rename, read back at start-up.
//
// Layout, every number little-endian:
//   offset  size
//        0     4  magic "ZDSH"
//        4     4  format version, 1
//        8     4  setting count n (at most kMaxShotSettings)
//       12     4  CRC-32 (core/crc32.h) of every byte after the header
//       16        n settings, each:
//                   u8 length + the date text (at most 15 bytes, no NUL)
//                   u8 length + the time text (at most 15 bytes, no NUL)
//                   i32 shots, i32 exposure seconds, i32 delay seconds, i32 ISO row (0..5)
//                   u8 length + the file name (at most 19 bytes, no NUL)
//                   u16 length + the description (at most 299 bytes, no NUL)
// Nothing may follow the last setting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/camera_shots.h"

constexpr char kShotSettingsFile[] = "zendavori.shots";
constexpr char kShotSettingsTemporaryFile[] = "zendavori.shots.tmp";
constexpr char kShotSettingsDamagedFile[] = "zendavori.shots.bad";
constexpr int kMaxShotSettings = 1000;
constexpr int kShotTextChars = 15;  // the date and time texts
constexpr int kIsoRows = 6;

std::vector<uint8_t> EncodeShotSettings(const std::vector<ShotSetting>& settings);

// The settings of a whole file; false, leaving `settings` empty, for bytes
// that are not such a file (short, foreign, another version, a count or a
// length beyond its limit or beyond the bytes, a failed CRC, bytes left over).
bool DecodeShotSettings(const uint8_t* data, std::size_t size, std::vector<ShotSetting>* settings);

// Writes the stored settings (ShotSettings()). True when the file was
// replaced; otherwise the previous file is left whole and "Could not save the
// camera settings." is shown, once until a save succeeds again.
bool SaveShotSettings();

enum class ShotSettingsLoad {
    Loaded,   // the stored settings are the file's
    Missing,  // no file: no settings, nothing said
    Damaged   // not a settings file: no settings, the file moved to
              // zendavori.shots.bad and "The saved camera settings could not
              // be read; they were moved aside." shown
};

// Replaces the stored settings by the file's (start-up).
ShotSettingsLoad LoadShotSettings();

// Forgets that a failed save was reported (tests).
void ResetShotSettingsFile();
