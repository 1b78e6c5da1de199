#include "platform/resources.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <numbers>

namespace pl {
namespace {

constexpr int kMaxBitmapSide = 4096;

std::mutex groupsMutex;
std::vector<const ResourceGroup*> groups;

// The first entry with the id in any installed group's table.
template <typename T, typename Key>
const T* FindIn(std::span<const T> ResourceGroup::*table, Key matches) {
    std::lock_guard<std::mutex> lock(groupsMutex);
    for (const ResourceGroup* g : groups)
        for (const T& entry : g->*table)
            if (matches(entry)) return &entry;
    return nullptr;
}

template <typename T>
const T* FindById(std::span<const T> ResourceGroup::*table, int id) {
    return FindIn(table, [id](const T& entry) { return entry.id == id; });
}

bool RenderPixelMap(const BitmapTemplate& b, std::vector<uint32_t>* pixels) {
    if (b.rows.size() != static_cast<size_t>(b.height)) return false;
    for (int y = 0; y < b.height; ++y) {
        const char* row = b.rows[static_cast<size_t>(y)];
        if (!row || std::strlen(row) != static_cast<size_t>(b.width)) return false;
        for (int x = 0; x < b.width; ++x) {
            auto entry = std::find_if(b.palette.begin(), b.palette.end(),
                                      [c = row[x]](const PaletteEntry& e) { return e.key == c; });
            if (entry == b.palette.end()) return false;
            (*pixels)[static_cast<size_t>(y) * static_cast<size_t>(b.width) + static_cast<size_t>(x)] = entry->rgb;
        }
    }
    return true;
}

}  // namespace

void AddResourceGroup(const ResourceGroup& group) {
    std::lock_guard<std::mutex> lock(groupsMutex);
    if (std::find(groups.begin(), groups.end(), &group) == groups.end()) groups.push_back(&group);
}

void ClearResourceGroups() {
    std::lock_guard<std::mutex> lock(groupsMutex);
    groups.clear();
}

const DialogTemplate* FindDialogTemplate(int id) { return FindById(&ResourceGroup::dialogs, id); }
const MenuTemplate* FindMenu(int id) { return FindById(&ResourceGroup::menus, id); }
const MenuBarTemplate* FindMenuBar(int id) { return FindById(&ResourceGroup::menuBars, id); }
const AcceleratorTableTemplate* FindAcceleratorTable(int id) { return FindById(&ResourceGroup::accelerators, id); }
const BitmapTemplate* FindBitmapTemplate(int id) { return FindById(&ResourceGroup::bitmaps, id); }

const SoundTemplate* FindSound(const std::string& name) {
    return FindIn(&ResourceGroup::sounds, [&name](const SoundTemplate& s) { return name == s.name; });
}

const char* FindString(int id) {
    const StringTemplate* s = FindById(&ResourceGroup::strings, id);
    return s ? s->text : nullptr;
}

int LoadString(int id, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    const char* text = FindString(id);
    if (!text) return 0;
    size_t n = std::min(std::strlen(text), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

bool RenderBitmapTemplate(const BitmapTemplate& bitmap, std::vector<uint32_t>* pixels) {
    pixels->clear();
    if (bitmap.width < 1 || bitmap.height < 1 || bitmap.width > kMaxBitmapSide || bitmap.height > kMaxBitmapSide)
        return false;
    pixels->assign(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height), 0);
    bool ok;
    if (bitmap.generate) {
        bitmap.generate(pixels->data(), bitmap.width, bitmap.height);
        ok = true;
    } else {
        ok = RenderPixelMap(bitmap, pixels);
    }
    if (!ok) pixels->clear();
    return ok;
}

std::vector<int16_t> RenderSound(const SoundTemplate& sound, int sampleRate) {
    constexpr double kAmplitude = 8000.0;
    constexpr double kFadeSeconds = 0.004;
    std::vector<int16_t> samples;
    if (sampleRate <= 0) return samples;
    for (const ToneTemplate& tone : sound.tones) {
        long n = std::max(0L, static_cast<long>(tone.durationMs) * sampleRate / 1000);
        double fade = kFadeSeconds * sampleRate;
        for (long i = 0; i < n; ++i) {
            double v = 0.0;
            if (tone.frequencyHz > 0) {
                // A sine with its third harmonic: brighter than a pure tone, softer than a square.
                double phase = 2.0 * std::numbers::pi * tone.frequencyHz * static_cast<double>(i) / sampleRate;
                v = std::sin(phase) + std::sin(3.0 * phase) / 3.0;
                double edge = std::min(static_cast<double>(i), static_cast<double>(n - 1 - i));
                if (edge < fade) v *= edge / fade;
            }
            samples.push_back(static_cast<int16_t>(std::lround(v * kAmplitude)));
        }
    }
    return samples;
}

std::string MenuDisplayText(const char* text) {
    std::string shown;
    if (!text) return shown;
    for (const char* p = text; *p; ++p) {
        if (*p == '&') {
            if (p[1] == '&') {
                shown += '&';
                ++p;
            }
            continue;
        }
        shown += *p;
    }
    return shown;
}

std::string LabelDisplayText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        shown += text[i];
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&') ++i;
    }
    return shown;
}

int DialogUnitsToPixels(int units, double scale) { return static_cast<int>(std::lround(units * 1.75 * scale)); }

}  // namespace pl
