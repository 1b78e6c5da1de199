#include "support/fuzz_folder.h"

#include <unistd.h>

#include <fstream>

#include "platform/files.h"

namespace {

// The process's folder, removed by the destructor of this one object.
struct ProcessFolder {
    std::filesystem::path path;
    ProcessFolder() {
        // In memory where the system has such a folder: millions of small
        // files written over each other would otherwise keep the disk busy.
        const std::filesystem::path memory = "/dev/shm";
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory(memory, error) && ::access("/dev/shm", W_OK) == 0
                ? memory
                : std::filesystem::temp_directory_path();
        path = base / ("zendavori-fuzz-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path);
        for (const char* sub : {"data", "userlists", "usercatalogs", "img"})
            std::filesystem::create_directories(path / sub);
    }
    ~ProcessFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const ProcessFolder& Folder() {
    static const ProcessFolder folder;
    return folder;
}

std::filesystem::path HostPath(const std::string& programPath) {
    std::string relative = programPath;
    for (char& c : relative)
        if (c == '\\') c = '/';
    return Folder().path / relative;
}

}  // namespace

FuzzFolder::FuzzFolder() { pl::SetProgramFolder(Folder().path.string()); }

FuzzFolder::~FuzzFolder() { pl::SetProgramFolder(""); }

const std::filesystem::path& FuzzFolder::path() const { return Folder().path; }

void FuzzFolder::Write(const std::string& programPath, const uint8_t* data, std::size_t size) const {
    // A new file rather than the old one cut: the file system would flush a
    // file that is cut and written again to the disk at once.
    Remove(programPath);
    std::ofstream(HostPath(programPath), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void FuzzFolder::Write(const std::string& programPath, const std::string& bytes) const {
    Write(programPath, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void FuzzFolder::WriteOnce(const std::string& programPath, const std::vector<uint8_t>& bytes) const {
    std::error_code error;
    if (std::filesystem::file_size(HostPath(programPath), error) == bytes.size() && !error) return;
    Write(programPath, bytes.data(), bytes.size());
}

void FuzzFolder::Remove(const std::string& programPath) const {
    std::error_code ignored;
    std::filesystem::remove(HostPath(programPath), ignored);
}

int SplitFuzzInput(const uint8_t* data, std::size_t size, const std::string& separator, std::string* parts,
                   int most) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    int count = 0;
    std::size_t start = 0;
    while (count + 1 < most) {
        std::size_t at = input.find(separator, start);
        if (at == std::string::npos) break;
        parts[count++] = input.substr(start, at - start);
        start = at + separator.size();
    }
    parts[count++] = input.substr(start);
    for (int i = count; i < most; ++i) parts[i].clear();
    return count;
}
