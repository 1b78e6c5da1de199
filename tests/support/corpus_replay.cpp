#include "support/corpus_replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int ReplayCorpus(const char* sourceDir, const char* target, FuzzEntry entry) {
    const std::filesystem::path folder = std::filesystem::path(sourceDir) / "fuzz/corpus" / target;
    int files = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(file.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(entry(bytes.data(), bytes.size()), 0) << target << "/" << file.path().filename();
        ++files;
    }
    return files;
}
