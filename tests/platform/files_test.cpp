// The program folder and its files: backslash paths, case-insensitive lookup,
// listings with wildcards, folders, removal and renaming.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    FilesTest() {
        char pattern[] = "/tmp/zendavori-files-XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "data");
        fs::create_directories(root / "userlists");
        Write("data/zendavori_obj_18k.ppc", "objects");
        for (const char* name : {"last_list.lst", "Messier.LST", "notes.txt", "a.lst.bak", "noext"})
            Write(std::string("userlists/") + name, name);
        pl::SetProgramFolder(root.string());
    }
    ~FilesTest() override {
        pl::SetProgramFolder("");
        fs::remove_all(root);
    }

    void Write(const std::string& relative, const std::string& text) { std::ofstream(root / relative) << text; }

    static std::string ReadAll(std::FILE* f) {
        std::string text;
        if (!f) return "<missing>";
        char buf[64];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        std::fclose(f);
        return text;
    }

    fs::path root;
};

// In the program's notation with a trailing backslash: the folder set, else
// ZENDAVORI_HOME, else the executable's folder.
TEST_F(FilesTest, ProgramPathComesFromTheSettingTheEnvironmentOrTheExecutable) {
    std::string path = pl::ProgramPath();
    EXPECT_EQ('\\', path.back());
    EXPECT_EQ(std::string::npos, path.find('/'));
    EXPECT_EQ("objects", ReadAll(pl::OpenFile(path + "data\\zendavori_obj_18k.ppc", "rb")));
    pl::SetProgramFolder("");
    setenv("ZENDAVORI_HOME", root.c_str(), 1);
    EXPECT_EQ(path, pl::ProgramPath());
    unsetenv("ZENDAVORI_HOME");
    std::string exeFolder = fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
    std::replace(exeFolder.begin(), exeFolder.end(), '/', '\\');
    EXPECT_EQ(exeFolder, pl::ProgramPath());
}

// ZENDAVORI_HOME=home (or a relative folder set otherwise) is taken from the
// working directory, not read as a path from the root with its first letter lost.
TEST_F(FilesTest, RelativeProgramFolderWasResolvedAgainstTheRootDroppingItsFirstLetter) {
    fs::path cwd = fs::current_path();
    fs::current_path(root.parent_path());
    pl::SetProgramFolder("");
    setenv("ZENDAVORI_HOME", root.filename().c_str(), 1);
    std::string path = pl::ProgramPath();
    std::string text = ReadAll(pl::OpenFile(path + "data\\zendavori_obj_18k.ppc", "rb"));
    std::vector<std::string> listed = pl::ListDirectory("userlists\\*.txt");
    unsetenv("ZENDAVORI_HOME");
    fs::current_path(cwd);
    EXPECT_EQ('\\', path.front());
    EXPECT_EQ("objects", text);
    EXPECT_EQ(std::vector<std::string>{"notes.txt"}, listed);
}

TEST_F(FilesTest, PathsOpenTheSameFileWhateverTheCase) {
    EXPECT_EQ("objects", ReadAll(pl::OpenFile("data\\zendavori_obj_18k.ppc", "rb")));
    EXPECT_EQ("objects", ReadAll(pl::OpenFile("DATA\\Zendavori_Obj_18k.ppc", "rb")));
    EXPECT_EQ(nullptr, pl::OpenFile("data\\zendavori_obj_1k.ppc", "rb"));
    EXPECT_TRUE(pl::FileExists("Data\\ZENDAVORI_OBJ_18K.PPC"));
    // A new file goes into the folder that exists in another case.
    std::FILE* f = pl::OpenFile("USERLISTS\\New.lst", "wb");
    ASSERT_NE(nullptr, f);
    std::fclose(f);
    EXPECT_TRUE(fs::exists(root / "userlists" / "New.lst"));
}

TEST_F(FilesTest, ListingMatchesWildcardsWithoutRegardToCase) {
    EXPECT_EQ((std::vector<std::string>{"Messier.LST", "last_list.lst"}), pl::ListDirectory("userlists\\*.lst"));
    EXPECT_EQ((std::vector<std::string>{"notes.txt"}), pl::ListDirectory("userlists\\*.txt"));
    EXPECT_EQ(5u, pl::ListDirectory(pl::ProgramPath() + "userlists\\*.*").size());
    EXPECT_EQ((std::vector<std::string>{"a.lst.bak"}), pl::ListDirectory("userlists\\?.lst.*"));
    EXPECT_TRUE(pl::ListDirectory("nowhere\\*.lst").empty());
}

TEST_F(FilesTest, FoldersRemovalAndRenaming) {
    EXPECT_TRUE(pl::MakeDirectory("userlogs"));
    EXPECT_TRUE(pl::MakeDirectory("userlogs"));  // already there
    EXPECT_TRUE(fs::is_directory(root / "userlogs"));
    EXPECT_TRUE(pl::RenameFile("userlists\\notes.txt", "userlists\\last_list.lst"));
    EXPECT_EQ("notes.txt", ReadAll(pl::OpenFile("userlists\\last_list.lst", "rb")));
    EXPECT_FALSE(pl::FileExists("userlists\\notes.txt"));
    EXPECT_TRUE(pl::RemoveFile("USERLISTS\\LAST_LIST.LST"));
    EXPECT_FALSE(pl::RemoveFile("userlists\\last_list.lst"));
}

// A rename to a new name: done when no entry has the name (in any case),
// else nothing changes; a missing source fails.
TEST_F(FilesTest, RenameToANewNameNeverReplaces) {
    const struct {
        const char* from;
        const char* to;
        pl::NewNameResult result;
    } cases[] = {
        {"userlists\\notes.txt", "userlists\\NOTES.TXT", pl::NewNameResult::kTaken},
        {"userlists\\notes.txt", "userlists\\last_list.lst", pl::NewNameResult::kTaken},
        {"userlists\\missing.txt", "userlists\\new.txt", pl::NewNameResult::kFailed},
        {"userlists\\notes.txt", "userlists\\new.txt", pl::NewNameResult::kRenamed},
    };
    for (const auto& c : cases) EXPECT_EQ(pl::RenameToNewName(c.from, c.to), c.result) << c.to;
    EXPECT_EQ("notes.txt", ReadAll(pl::OpenFile("userlists\\new.txt", "rb")));
    EXPECT_EQ("last_list.lst", ReadAll(pl::OpenFile("userlists\\last_list.lst", "rb")));
    EXPECT_FALSE(pl::FileExists("userlists\\notes.txt"));
}

// A written stream and the folder it is in are put on the disk; a folder that
// is not there cannot be.
TEST_F(FilesTest, FilesAndFoldersAreSynchronised) {
    std::FILE* f = pl::OpenFile("userlists\\synced.lst", "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite("list", 1, 4, f), 4u);
    EXPECT_TRUE(pl::SyncFile(f));
    EXPECT_EQ(fs::file_size(root / "userlists" / "synced.lst"), 4u);  // on the file before it is closed
    std::fclose(f);
    EXPECT_TRUE(pl::SyncFolder(""));
    EXPECT_TRUE(pl::SyncFolder("USERLISTS"));
    EXPECT_FALSE(pl::SyncFolder("nowhere"));
    EXPECT_FALSE(pl::SyncFolder("userlists\\synced.lst"));  // a file, not a folder
}

}  // namespace
