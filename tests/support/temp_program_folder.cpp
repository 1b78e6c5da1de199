#include "support/temp_program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/files.h"

TempProgramFolder::TempProgramFolder(const std::string& name)
    : path_(std::filesystem::path(::testing::TempDir()) / (name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    pl::SetProgramFolder(path_.string());
}

TempProgramFolder::~TempProgramFolder() {
    pl::SetProgramFolder("");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
