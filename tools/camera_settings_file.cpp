#include "tools/camera_settings_file.h"

#include <cstring>
#include <string>

#include "catalog/record_db.h"
#include "core/crc32.h"
#include "core/kept_file.h"
#include "core/services.h"
#include "platform/files.h"

namespace {

constexpr uint8_t kMagic[4] = {'Z', 'D', 'S', 'H'};
constexpr uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 16;
// A file this large is not ours whatever its header says.
constexpr std::size_t kLargestFile = std::size_t{1} << 20;

bool saveFailureShown = false;

struct Writer {
    std::vector<uint8_t> bytes;
    void U8(uint8_t v) { bytes.push_back(v); }
    void U16(uint16_t v) {
        bytes.resize(bytes.size() + 2);
        StoreU16(bytes.data(), bytes.size() - 2, v);
    }
    void U32(uint32_t v) {
        bytes.resize(bytes.size() + 4);
        StoreU32(bytes.data(), bytes.size() - 4, v);
    }
    void Text(const std::string& text, std::size_t limit, bool wide) {
        const std::size_t n = std::min(strnlen(text.c_str(), text.size()), limit);
        if (wide) U16(static_cast<uint16_t>(n));
        else U8(static_cast<uint8_t>(n));
        bytes.insert(bytes.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    }
};

// Reads within `size` bytes; every read fails once one has run past them.
struct Reader {
    const uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool ok = true;
    bool Take(std::size_t n) {
        ok = ok && n <= size - at;
        return ok;
    }
    uint32_t U32() {
        if (!Take(4)) return 0;
        at += 4;
        return LoadU32(data, at - 4);
    }
    // A text of at most `limit` bytes with no NUL among them.
    std::string Text(std::size_t limit, bool wide) {
        if (!Take(wide ? 2 : 1)) return {};
        const std::size_t n = wide ? LoadU16(data, at) : data[at];
        at += wide ? 2 : 1;
        if (n > limit || !Take(n) || std::memchr(data + at, 0, n)) {
            ok = false;
            return {};
        }
        at += n;
        return std::string(reinterpret_cast<const char*>(data + at - n), n);
    }
};

bool ReadSetting(Reader& r, ShotSetting* s) {
    s->date = r.Text(kShotTextChars, false);
    s->time = r.Text(kShotTextChars, false);
    s->shots = static_cast<int32_t>(r.U32());
    s->exposureSeconds = static_cast<int32_t>(r.U32());
    s->delaySeconds = static_cast<int32_t>(r.U32());
    s->isoRow = static_cast<int32_t>(r.U32());
    s->fileName = r.Text(kShotFileNameChars, false);
    s->description = r.Text(kShotDescriptionChars, true);
    return r.ok && s->isoRow >= 0 && s->isoRow < kIsoRows;
}

}  // namespace

std::vector<uint8_t> EncodeShotSettings(const std::vector<ShotSetting>& settings) {
    Writer body;
    const std::size_t count = std::min(settings.size(), static_cast<std::size_t>(kMaxShotSettings));
    for (std::size_t i = 0; i < count; ++i) {
        const ShotSetting& s = settings[i];
        body.Text(s.date, kShotTextChars, false);
        body.Text(s.time, kShotTextChars, false);
        for (int32_t v : {s.shots, s.exposureSeconds, s.delaySeconds, s.isoRow}) body.U32(static_cast<uint32_t>(v));
        body.Text(s.fileName, kShotFileNameChars, false);
        body.Text(s.description, kShotDescriptionChars, true);
    }
    Writer file;
    file.bytes.assign(kMagic, kMagic + sizeof kMagic);
    file.U32(kVersion);
    file.U32(static_cast<uint32_t>(count));
    file.U32(Crc32(body.bytes.data(), body.bytes.size()));
    file.bytes.insert(file.bytes.end(), body.bytes.begin(), body.bytes.end());
    return file.bytes;
}

bool DecodeShotSettings(const uint8_t* data, std::size_t size, std::vector<ShotSetting>* settings) {
    settings->clear();
    if (!data || size < kHeaderSize || size > kLargestFile || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return false;
    const uint32_t version = LoadU32(data, 4), count = LoadU32(data, 8), crc = LoadU32(data, 12);
    if (version != kVersion || count > kMaxShotSettings || Crc32(data + kHeaderSize, size - kHeaderSize) != crc)
        return false;
    Reader r{data + kHeaderSize, size - kHeaderSize};
    std::vector<ShotSetting> read(count);
    for (ShotSetting& s : read)
        if (!ReadSetting(r, &s)) return false;
    if (r.at != r.size) return false;
    *settings = std::move(read);
    return true;
}

bool SaveShotSettings() {
    return SaveKeptFile(kShotSettingsFile, kShotSettingsTemporaryFile, EncodeShotSettings(ShotSettings()),
                        "Could not save the camera settings.", &saveFailureShown);
}

ShotSettingsLoad LoadShotSettings() {
    ReplaceShotSettings({});
    if (!pl::FileExists(kShotSettingsFile)) return ShotSettingsLoad::Missing;
    std::vector<uint8_t> bytes;
    std::vector<ShotSetting> settings;
    if (!ReadKeptFile(kShotSettingsFile, kLargestFile, &bytes) ||
        !DecodeShotSettings(bytes.data(), bytes.size(), &settings)) {
        if (MoveDamagedFileAside(kShotSettingsFile, kShotSettingsDamagedFile))
            ShowInformation("The saved camera settings could not be read; they were moved aside.", "");
        else
            ShowInformation("The saved camera settings could not be read.", kNotMovedAside);
        return ShotSettingsLoad::Damaged;
    }
    ReplaceShotSettings(std::move(settings));
    return ShotSettingsLoad::Loaded;
}

void ResetShotSettingsFile() { saveFailureShown = false; }
