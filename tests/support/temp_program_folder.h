// A fresh program folder in the test's temporary directory, made the program
// folder while the object lives, then removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

class TempProgramFolder {
public:
    // `name` keeps the folders of different test programs apart.
    explicit TempProgramFolder(const std::string& name);
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
