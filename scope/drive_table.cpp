#include "scope/drive_table.h"

#include <array>

#include "core/preferences.h"

namespace {

using enum DriveFamily;

constexpr DriveInfo kDrives[] = {
    {0, "None", kNone, false},
    {1, "AAM Skyvector", kEncoder, true},
    {2, "AutoStar", kMeade, false},
    {3, "BBox", kEncoder, true},
    {4, "Vorlanx", kEncoder, true},
    {5, "LX200", kMeade, false},
    {6, "Magelan-I", kMeade, false},
    {7, "Magelan-II", kMeade, false},
    {8, "Nexstar 5&8", kNexStar, false},
    {9, "NexStar old GT", kNexStar, false},
    {10, "NexStarGPS,GT,CGE", kNexStar, false},
    {11, "NGC-Max", kEncoder, true},
    {12, "Ouranos", kEncoder, true},
    {13, "ServoCat", kServoCat, false},
    {14, "Takahashi", kTakahashi, false},
    {15, "Ultima2000", kNexStar, false},
    {16, "Intelliscope", kEncoder, true},
    {17, "Losmandy", kMeade, false},
    {18, "SiderealTech", kSiderealTech, false},
    {19, "SkyCommander", kSkyCommander, false},
    {20, "SkyScan EQ6", kNexStar, false},
    {21, "SkyWizard", kEncoder, false},
    {22, "SkyWizard", kEncoder, true},
    {100, "PowerFlex", kUnsupported, false},
    {101, "Dynastar", kUnsupported, false},
};

constexpr std::size_t kListedDrives = 21;

constexpr auto kListNames = [] {
    std::array<const char*, kListedDrives> names{};
    for (std::size_t i = 0; i < kListedDrives; ++i) names[i] = kDrives[i].name;
    return names;
}();

const DriveInfo* FindDrive(int id) {
    for (const DriveInfo& d : kDrives)
        if (d.id == id) return &d;
    return nullptr;
}

}  // namespace

std::span<const DriveInfo> DriveTable() { return kDrives; }

std::span<const char* const> DriveListNames() { return kListNames; }

DriveFamily GetDriveFamily(int id) {
    const DriveInfo* d = FindDrive(id);
    return d ? d->family : kNone;
}

bool DriveHasEncoders(int id) {
    const DriveInfo* d = FindDrive(id);
    return d && d->hasEncoders;
}

int IsEncoderDrive() { return DriveHasEncoders(preferences.word[kPrefDriveId]) ? 1 : 0; }
