// Catalogue files written by tests: a temporary program folder (with "data" and
// "usercatalogs") that is the program folder while the object lives, filled with
// the record encoders of catalog/record_writer.h, so tests never depend on real
// catalogue files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/record_writer.h"

namespace fixture {

using namespace record_writer;

class CatalogFolder {
public:
    CatalogFolder();
    ~CatalogFolder();
    CatalogFolder(const CatalogFolder&) = delete;
    CatalogFolder& operator=(const CatalogFolder&) = delete;

    // Host path of the folder.
    const std::string& root() const { return root_; }

    // A record database: the 16-byte header {version, 0, count, recordSize} and the
    // records, each zero-padded or cut to recordSize. count < 0 writes the number
    // of records given.
    void WriteDb(const std::string& programPath, uint32_t version, uint32_t recordSize,
                 const std::vector<Bytes>& records, int64_t count = -1) const;

    // A record database that holds `count` records (or the records given, when
    // more): the given ones, then zero records. The file is only lengthened, so a
    // large count costs no writing.
    void WriteFullDb(const std::string& programPath, uint32_t version, uint32_t recordSize,
                     const std::vector<Bytes>& records, int64_t count) const;

    // Cuts a file to `bytes` bytes (or lengthens it with zeros): a file cut
    // after it was opened.
    void Resize(const std::string& programPath, uint64_t bytes) const;

    // Any bytes (damaged files), its folders made as needed.
    void WriteRaw(const std::string& programPath, const Bytes& bytes) const;

    void Remove(const std::string& programPath) const;

private:
    std::string HostFile(const std::string& programPath) const;

    std::string root_;
};

}  // namespace fixture
