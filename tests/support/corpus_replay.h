// Replays the saved inputs of a fuzz target (fuzz/corpus/<name>: the seeds
// and every input that ever found a fault) through its entry, so that a fault
// found once stays found: each file must make the entry return 0. For test
// programs (they define ZENDAVORI_SOURCE_DIR).
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/recording_window.h"

using FuzzEntry = int (*)(const uint8_t* data, std::size_t size);

// Fails the running test for each input whose entry result is not 0, and
// when the folder holds fewer than `minimumFiles` inputs.
inline void ReplayCorpus(const char* name, FuzzEntry entry, int minimumFiles) {
    testwin::VirtualClock clock;
    std::filesystem::path folder = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "fuzz/corpus" / name;
    int files = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(file.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(entry(bytes.data(), bytes.size()), 0) << file.path().filename();
        ++files;
    }
    EXPECT_GE(files, minimumFiles);
}
