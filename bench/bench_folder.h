// The benchmark process's own folder under the temporary directory: made
// unique when first asked for (a name no other process holds, created
// atomically) and removed with everything in it when the process exits, so
// that two benchmark processes at once never build their data in the same
// place nor delete each other's.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace bench_folder_detail {

struct ProcessFolder {
    std::filesystem::path path;
    ProcessFolder() {
        std::random_device seed;
        std::mt19937_64 random((static_cast<uint64_t>(seed()) << 32) ^ seed());
        const std::filesystem::path temporary = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            char name[40];
            std::snprintf(name, sizeof name, "zendavori-bench-%016llx",
                          static_cast<unsigned long long>(random()));
            std::error_code error;
            if (std::filesystem::create_directory(temporary / name, error)) {
                path = temporary / name;
                return;
            }
        }
        std::fprintf(stderr, "no folder of its own for the benchmark under %s\n", temporary.c_str());
        std::exit(1);
    }
    ~ProcessFolder() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    ProcessFolder(const ProcessFolder&) = delete;
    ProcessFolder& operator=(const ProcessFolder&) = delete;
};

}  // namespace bench_folder_detail

// Folder `name` inside the process's own folder (not created).
inline std::filesystem::path BenchFolder(const std::string& name) {
    static const bench_folder_detail::ProcessFolder folder;
    return folder.path / name;
}
