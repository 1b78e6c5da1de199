#include "support/catalog_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/files.h"

namespace fixture {

CatalogFolder::CatalogFolder() {
    char pattern[] = "/tmp/zendavori-catalog-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    std::filesystem::create_directory(root_ + "/data");
    std::filesystem::create_directory(root_ + "/usercatalogs");
    pl::SetProgramFolder(root_);
}

CatalogFolder::~CatalogFolder() {
    pl::SetProgramFolder("");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void CatalogFolder::WriteDb(const std::string& programPath, uint32_t version, uint32_t recordSize,
                            const std::vector<Bytes>& records, int64_t count) const {
    WriteRaw(programPath, RecordDbBytes(version, recordSize, records, count));
}

void CatalogFolder::WriteFullDb(const std::string& programPath, uint32_t version, uint32_t recordSize,
                                const std::vector<Bytes>& records, int64_t count) const {
    WriteDb(programPath, version, recordSize, records, count);
    const uint64_t full = 16 + static_cast<uint64_t>(count) * recordSize;
    if (std::filesystem::file_size(HostFile(programPath)) < full) Resize(programPath, full);
}

void CatalogFolder::Resize(const std::string& programPath, uint64_t bytes) const {
    std::filesystem::resize_file(HostFile(programPath), bytes);
}

std::string CatalogFolder::HostFile(const std::string& programPath) const {
    std::string path = root_ + "/" + programPath;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

void CatalogFolder::Remove(const std::string& programPath) const { std::remove(HostFile(programPath).c_str()); }

void CatalogFolder::WriteRaw(const std::string& programPath, const Bytes& bytes) const {
    std::string path = HostFile(programPath);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace fixture
