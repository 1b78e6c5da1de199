#include "support/fuzz_corpus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

int ReplayFuzzCorpus(const std::string& target, int (*entry)(const uint8_t*, std::size_t)) {
    int files = 0;
    for (const auto& input : std::filesystem::directory_iterator(std::filesystem::path(ZENDAVORI_SOURCE_DIR) /
                                                                 "fuzz/corpus" / target)) {
        std::ifstream in(input.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(entry(bytes.data(), bytes.size()), 0) << target << "/" << input.path().filename().string();
        ++files;
    }
    return files;
}
