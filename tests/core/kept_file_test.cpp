// Files kept for the user: a new file under a free name, never over another.
#include "core/kept_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/folder_files.h"
#include "support/temp_program_folder.h"

namespace {

namespace fs = std::filesystem;

// The names already in the folder, and those made while the new file is
// written (after its name was found free): the file takes the first name no
// file has when it is committed; every other file keeps its bytes.
TEST(KeptFile, NewFileNeverReplacesOneMadeMeanwhile) {
    const struct {
        std::vector<std::string> before, meanwhile;
        std::string given;
    } cases[] = {
        {{}, {}, "a.txt"},
        {{"a.txt", "a_2.txt"}, {}, "a_3.txt"},
        {{}, {"a.txt"}, "a_2.txt"},
        {{"a.txt"}, {"a_2.txt", "a_3.txt"}, "a_4.txt"},
        {{"a.txt"}, {"a_2.txt"}, ""},  // no name left of two
    };
    for (const auto& c : cases) {
        TempProgramFolder folder("kept_file");
        auto put = [&](const std::string& name) { std::ofstream(folder.path() / name) << "old " << name; };
        for (const std::string& name : c.before) put(name);
        std::FILE* out = OpenKeptTemporary("a.txt.tmp", "wb");
        ASSERT_NE(out, nullptr);
        std::fputs("new", out);
        for (const std::string& name : c.meanwhile) put(name);
        const int most = c.given.empty() ? 2 : 9;
        EXPECT_EQ(CommitNewKeptFile(out, "a.txt.tmp", "", "a.txt", most, true), c.given);
        for (const std::string& name : FolderFileNames(folder.path())) {
            std::ifstream in(folder.path() / name);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), name == c.given ? "new" : "old " + name);
        }
        EXPECT_FALSE(fs::exists(folder.path() / "a.txt.tmp"));
    }
}

}  // namespace
