// The scripts read their source data from a path given to them or found from
// their own place in the checkout, never from a folder of one machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

// A line naming an absolute path of a machine: one that starts with "/", or
// "/home", "/root", "/work" or "/tmp/" after a quote, a parenthesis, "=" or a
// space ("/tmp/X..." is a temporary-name pattern, not a folder).
bool NamesMachinePath(const std::string& line) {
    static const std::regex path(R"(^/|["'(= ]/(home|root|work|tmp/[^X]))");
    return std::regex_search(line, path);
}

// "file:line: text" of each such line in the files under `folder`.
std::vector<std::string> MachinePaths(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().string().find("__pycache__") != std::string::npos) continue;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number)
            if (NamesMachinePath(line))
                found.push_back(std::filesystem::relative(entry.path(), folder).string() + ":" +
                                std::to_string(number) + ": " + line);
    }
    return found;
}

TEST(ScriptPaths, LinesThatNameAMachinePath) {
    const struct {
        const char* line;
        bool machine;
    } cases[] = {
        {R"(SRC = sys.argv[1] if len(sys.argv) > 1 else "/work/shared/data/x.csv")", true},
        {"    list (J2000 places from /work/shared/data/stars.csv)", true},
        {"STARS = '/home/someone/stars.csv'", true},
        {"open(/root/x)", true},
        {"/usr/bin/python3 scripts/x.py", true},
        {R"(tmp=$(mktemp -d /tmp/XXXXXX))", false},
        {R"(OUT = "tests/reference/")", false},
        {"#!/usr/bin/python3", false},
        {"  /usr/bin/python3 scripts/reference/x.py", false},
        {R"(SRC = source("x.csv"))", false},
    };
    for (const auto& c : cases) EXPECT_EQ(NamesMachinePath(c.line), c.machine) << c.line;
}

TEST(ScriptPaths, ScriptsNameNoMachinePath) {
    const std::vector<std::string> found = MachinePaths(std::filesystem::path(ZENDAVORI_SOURCE_DIR) / "scripts");
    EXPECT_TRUE(found.empty()) << ::testing::PrintToString(found);
}

}  // namespace
