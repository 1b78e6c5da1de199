// The scripts read their source data from a path given to them or found from
// their own place in the checkout, never from a folder of one machine: no line
// starts with "/", and none names "/home", "/root", "/work" or "/tmp/" after a
// quote, a parenthesis, "=" or a space ("/tmp/X..." is a temporary-name pattern).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

TEST(ScriptPaths, ScriptsNameNoMachinePath) {
    const std::filesystem::path scripts = std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "scripts";
    const std::regex machinePath(R"(^/|["'(= ]/(home|root|work|tmp/[^X]))");
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scripts)) {
        if (!entry.is_regular_file() || entry.path().string().find("__pycache__") != std::string::npos) continue;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number)
            if (std::regex_search(line, machinePath))
                found.push_back(std::filesystem::relative(entry.path(), scripts).string() + ":" +
                                std::to_string(number) + ": " + line);
    }
    EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
}

}  // namespace
