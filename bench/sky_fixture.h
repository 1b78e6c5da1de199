// The sky of the chart benchmarks: random places uniform on the sphere (fixed
// seeds), a stellar file of packed stars sorted by declination, figure lines
// between random bright stars, the 1646 bright stars (magnitudes -1.5 .. 6.5)
// and 110 observing-list entries of Messier kinds.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"

constexpr int kStarsPerRecord = 42;
constexpr int kFigureLines = 650;
constexpr int kListEntries = 110;

using Bytes = record_writer::Bytes;

struct Place {
    double hours, degrees;
};

inline Place RandomPlace(std::mt19937& rng) {
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    return {24 * uniform(rng), std::asin(2 * uniform(rng) - 1) * 180 / M_PI};
}

// Degrees, minutes, seconds of a value, each carrying its sign.
inline void Sexagesimal(double v, int8_t out[3]) {
    double a = std::fabs(v);
    int whole = static_cast<int>(a), minutes = static_cast<int>((a - whole) * 60);
    int seconds = static_cast<int>(((a - whole) * 60 - minutes) * 60);
    int sign = v < 0 ? -1 : 1;
    out[0] = static_cast<int8_t>(sign * whole);
    out[1] = static_cast<int8_t>(sign * minutes);
    out[2] = static_cast<int8_t>(sign * seconds);
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// `count` stars with magnitudes drawn by `magnitude`, ids 1..count, as the file at `path`.
inline void WriteStellarFile(const std::filesystem::path& path, int count,
                             const std::function<double(std::mt19937&)>& magnitude) {
    std::mt19937 rng(110000);
    std::vector<std::pair<double, record_writer::PackedStarFile>> stars;
    for (int i = 0; i < count; ++i) {
        Place p = RandomPlace(rng);
        record_writer::PackedStarFile s;
        s.id = static_cast<uint32_t>(i + 1);
        Sexagesimal(p.hours, s.ra);
        Sexagesimal(p.degrees, s.dec);
        s.magnitude16 = static_cast<uint8_t>(magnitude(rng) * 16);
        s.colour = static_cast<int8_t>(i % 15 - 3);
        stars.emplace_back(p.degrees, s);
    }
    std::sort(stars.begin(), stars.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Bytes> records;
    for (size_t i = 0; i < stars.size(); i += kStarsPerRecord) {
        std::vector<record_writer::PackedStarFile> chunk;
        for (size_t k = i; k < std::min(i + kStarsPerRecord, stars.size()); ++k) chunk.push_back(stars[k].second);
        records.push_back(record_writer::StellarRecordBytes(chunk, kStarsPerRecord));
    }
    WriteFile(path, record_writer::RecordDbBytes(1, kStarsPerRecord * 12, records));
}

inline void WriteFigureLines(const std::filesystem::path& data) {
    std::mt19937 rng(650);
    std::uniform_int_distribution<int> star(0, kBrightStarCount - 1);
    std::vector<Bytes> lines;
    for (int i = 0; i < kFigureLines; ++i) {
        int16_t a = static_cast<int16_t>(star(rng));
        int16_t b = static_cast<int16_t>(std::min(a + 1 + i % 3, kBrightStarCount - 1));
        lines.push_back(record_writer::ConstellationLineBytes(0, static_cast<int16_t>(i / 8), a, b));
    }
    WriteFile(data / "zendavori_constellation.ppc", record_writer::RecordDbBytes(1, 8, lines));
}

// The bright-star table filled with random stars (the table is marked loaded).
inline void FillBrightStars() {
    ResetStarCatalog();
    LoadStarCatalog(0);  // no default-star file: the table below is the sky
    std::mt19937 rng(1646);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    for (int i = 0; i < kBrightStarCount; ++i) {
        StarRecord& s = brightStarTable[i];
        Place p = RandomPlace(rng);
        s = StarRecord{};
        s.hr = static_cast<int16_t>(i + 1);
        s.rightAscension = static_cast<int32_t>(p.hours * 4392264.877774095);
        s.declination = static_cast<int32_t>(p.degrees * 292817.65851827303);
        s.magnitude16 = static_cast<int16_t>((-1.5 + 8 * std::sqrt(uniform(rng))) * 16);
        s.colour = static_cast<int16_t>(i % 17 - 3);
        s.bayer = static_cast<int8_t>(i % 3 == 0 ? 'a' + i % 24 : 0);
        s.flamsteed = static_cast<uint8_t>(i % 2 ? i % 90 : 0);
        s.hidden = 1;
    }
}

inline void FillList() {
    AllocSelectionList();
    std::mt19937 rng(110);
    const int types[] = {2, 6, 16, 25, 16, 6, 31, 19};
    for (int i = 0; i < kListEntries; ++i) {
        SelectionEntry& e = selectionList[i];
        Place p = RandomPlace(rng);
        std::snprintf(e.name, sizeof e.name, "M%d", i + 1);
        e.number = i + 1;
        e.sourceIndex = static_cast<uint16_t>(i);
        e.designation = 40;
        e.objectType = static_cast<int16_t>(types[i % 8]);
        e.rightAscension = static_cast<float>(p.hours);
        e.declination = static_cast<float>(p.degrees);
        e.size1 = static_cast<int16_t>(5 + i % 60);
        e.size2 = static_cast<int16_t>(3 + i % 20);
        e.source = 2;
        e.smallCode = static_cast<uint8_t>(i * 7 % 180);
        e.mag10 = 40 + i % 60;
    }
    selectionCount = kListEntries;
    selectionShownCount = FilterSelectionByClass(0, selectionList, kListEntries);
}
