#include "core/preferences_file.h"

#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#include "core/crc32.h"
#include "core/kept_file.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "platform/files.h"

namespace {

constexpr uint8_t kMagic[4] = {'Z', 'D', 'P', 'F'};
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kSiteSize = 126;
constexpr std::size_t kSavedSiteSize = 28;
// A file this large is not ours whatever its header says.
constexpr std::size_t kLargestFile = std::size_t{1} << 20;

constexpr char kDefaultsUsed[] = "The saved preferences could not be read; the defaults are used.";

SavedAlignmentHook savedAlignmentHook;
bool saveFailureShown = false;
bool preferencesLoaded = false;

struct ByteWriter {
    std::vector<uint8_t> bytes;
    void U16(uint16_t v) {
        for (int i = 0; i < 2; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
    void Raw(const void* data, std::size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
};

// Reads from a span whose length the caller has checked.
struct ByteReader {
    const uint8_t* p;
    uint16_t U16() {
        uint16_t v = static_cast<uint16_t>(p[0] | p[1] << 8);
        p += 2;
        return v;
    }
    uint32_t U32() {
        uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        p += 4;
        return v;
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    float F32() { return std::bit_cast<float>(U32()); }
    void Raw(void* data, std::size_t size) {
        std::memcpy(data, p, size);
        p += size;
    }
};

void WriteSite(ByteWriter& w, const SiteRecord& s) {
    w.Raw(s.name, sizeof s.name);
    for (float f : {s.latitude, s.longitude, s.sinLatitude, s.cosLatitude}) w.F32(f);
    for (int16_t v : {s.elevation, s.zoneMinutes, s.temperature, s.pressure, s.humidity, s.skyCondition}) w.I16(v);
    for (const SavedSite& t : s.savedSites) {
        w.Raw(t.name, sizeof t.name);
        w.F32(t.latitude);
        w.F32(t.longitude);
        for (int16_t v : {t.skyCondition, t.elevation, t.zoneMinutes, t.daylightSaving}) w.I16(v);
    }
    w.I16(s.daylightSaving);
}

void ReadSite(ByteReader& r, SiteRecord& s) {
    r.Raw(s.name, sizeof s.name);
    for (float* f : {&s.latitude, &s.longitude, &s.sinLatitude, &s.cosLatitude}) *f = r.F32();
    for (int16_t* v : {&s.elevation, &s.zoneMinutes, &s.temperature, &s.pressure, &s.humidity, &s.skyCondition})
        *v = r.I16();
    for (SavedSite& t : s.savedSites) {
        r.Raw(t.name, sizeof t.name);
        t.latitude = r.F32();
        t.longitude = r.F32();
        for (int16_t* v : {&t.skyCondition, &t.elevation, &t.zoneMinutes, &t.daylightSaving}) *v = r.I16();
    }
    s.daylightSaving = r.I16();
}

static_assert(12 + 4 * 4 + 6 * 2 + 3 * kSavedSiteSize + 2 == kSiteSize);

std::vector<uint8_t> EncodePreferences() {
    ByteWriter body;
    for (int32_t word : preferences.word) body.U32(static_cast<uint32_t>(word));
    WriteSite(body, currentSite);
    uint8_t stars[kSavedAlignmentSize] = {};
    if (savedAlignmentHook.write) savedAlignmentHook.write(stars);
    body.Raw(stars, sizeof stars);
    ByteWriter file;
    file.Raw(kMagic, sizeof kMagic);
    file.U32(kPreferencesFileVersion);
    file.U32(kPreferenceWordCount);
    file.U32(Crc32(body.bytes.data(), body.bytes.size()));
    file.Raw(body.bytes.data(), body.bytes.size());
    return file.bytes;
}

// Where the words end, or 0 when the file is not a whole preferences file of
// this or a later version with at least the words this version knows.
std::size_t CheckedWordCount(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < kHeaderSize || bytes.size() > kLargestFile) return 0;
    if (std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return 0;
    ByteReader header{bytes.data() + sizeof kMagic};
    uint32_t version = header.U32(), count = header.U32(), crc = header.U32();
    if (version < kPreferencesFileVersion) return 0;
    if (version == kPreferencesFileVersion ? count != kPreferenceWordCount : count < kPreferenceWordCount) return 0;
    std::size_t body = bytes.size() - kHeaderSize;
    if (count > body / 4 || body - 4 * std::size_t{count} < kSiteSize + kSavedAlignmentSize) return 0;
    if (version == kPreferencesFileVersion && body != 4 * std::size_t{count} + kSiteSize + kSavedAlignmentSize)
        return 0;
    if (Crc32(bytes.data() + kHeaderSize, body) != crc) return 0;
    return count;
}

// Takes the words, the site and the saved star pair; false when the site (or
// a saved site) was out of range and replaced by the default.
bool TakeFile(const std::vector<uint8_t>& bytes, std::size_t count) {
    ByteReader r{bytes.data() + kHeaderSize};
    PreferencesBlock saved{};
    for (int32_t& word : saved.word) word = static_cast<int32_t>(r.U32());
    r.p = bytes.data() + kHeaderSize + 4 * count;
    SiteRecord site{};
    ReadSite(r, site);
    TakeSavedPreferences(saved);
    bool siteTaken = TakeSavedSite(site);
    if (savedAlignmentHook.read) savedAlignmentHook.read(r.p);
    else preferences.SetDouble(kPrefAlignmentSavedJd, 0.0);
    return siteTaken;
}

}  // namespace

bool SavePreferences() {
    return SaveKeptFile(kPreferencesFile, kPreferencesTemporaryFile, EncodePreferences(),
                        "Could not save the preferences.", &saveFailureShown);
}

PreferencesLoad LoadPreferences() {
    if (!pl::FileExists(kPreferencesFile)) return PreferencesLoad::Missing;
    std::vector<uint8_t> bytes;
    std::size_t count = ReadKeptFile(kPreferencesFile, kLargestFile, &bytes) ? CheckedWordCount(bytes) : 0;
    if (count == 0) {
        ShowInformation(kDefaultsUsed,
                        MoveDamagedFileAside(kPreferencesFile, kPreferencesDamagedFile) ? "" : kNotMovedAside);
        return PreferencesLoad::Damaged;
    }
    if (!TakeFile(bytes, count)) ShowInformation(kDefaultsUsed, "");
    preferencesLoaded = true;
    return PreferencesLoad::Loaded;
}

SavedAlignmentHook InstallSavedAlignmentHook(const SavedAlignmentHook& hook) {
    return std::exchange(savedAlignmentHook, hook);
}

bool PreferencesWereLoaded() { return preferencesLoaded; }

void ResetPreferencesFile() {
    saveFailureShown = false;
    preferencesLoaded = false;
}
