// The names of the files in a folder, for tests that check what a save left.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// Sorted names of the entries of `folder`; none when it does not exist.
inline std::vector<std::string> FolderFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    if (!std::filesystem::exists(folder)) return names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
