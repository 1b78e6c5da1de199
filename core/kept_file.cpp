#include "core/kept_file.h"

#include <cstdio>

#include "core/services.h"
#include "platform/files.h"

bool ReplaceKeptFile(const char* file, const char* temporary, const std::vector<uint8_t>& bytes) {
    std::FILE* out = pl::OpenFile(temporary, "wb");
    if (!out) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fflush(out) != 0 || !pl::SyncFile(out)) written = false;
    if (std::fclose(out) != 0) written = false;
    if (written && pl::RenameFile(temporary, file)) {
        pl::SyncFolder("");
        return true;
    }
    pl::RemoveFile(temporary);
    return false;
}

bool SaveKeptFile(const char* file, const char* temporary, const std::vector<uint8_t>& bytes, const char* failure,
                  bool* told) {
    const bool saved = ReplaceKeptFile(file, temporary, bytes);
    if (saved) {
        *told = false;
    } else if (!*told) {
        *told = true;
        ShowInformation(failure, "");
    }
    return saved;
}

bool ReadKeptFile(const char* file, std::size_t largest, std::vector<uint8_t>* bytes) {
    std::FILE* in = pl::OpenFile(file, "rb");
    if (!in) return false;
    uint8_t chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0 && bytes->size() <= largest)
        bytes->insert(bytes->end(), chunk, chunk + n);
    std::fclose(in);
    return true;
}
