#include "core/kept_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/services.h"
#include "platform/files.h"

namespace {

// Damaged copies of one kept file kept aside at most; past them the file stays in place.
constexpr int kMostDamagedCopies = 99;

// The folder of a program path ("userlists" of "userlists\\a.lst"); "" for
// the program folder itself.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Removes the temporaries "<folder>\\*<kind>" of a temporary whose name ends
// with `kind` (".lst.tmp"): only the program writes such names. Files only:
// whatever else stands there is left, and the save then fails on it.
void RemoveStrayTemporaries(const std::string& temporary) {
    const std::string folder = FolderOf(temporary);
    const std::string name = temporary.substr(folder.empty() ? 0 : folder.size() + 1);
    const std::size_t dot = name.rfind('.', name.size() >= 5 ? name.size() - 5 : 0);
    const std::string kind = dot == std::string::npos || dot == 0 ? name : name.substr(dot);
    const std::string prefix = folder.empty() ? std::string() : folder + "\\";
    for (const std::string& stray : pl::ListDirectory(prefix + "*" + kind)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(pl::HostPath(prefix + stray), error)) pl::RemoveFile(prefix + stray);
    }
}

// "a_<n>.txt" of "a.txt"; the name itself for n = 1.
std::string NumberedName(const std::string& name, int n) {
    if (n == 1) return name;
    const std::size_t dot = name.rfind('.');
    const std::string stem = name.substr(0, dot), extension = dot == std::string::npos ? "" : name.substr(dot);
    return stem + "_" + std::to_string(n) + extension;
}

// The temporary put on the disk and closed; false when a step fails.
bool CloseWritten(std::FILE* out, bool written) {
    if (written && (std::fflush(out) != 0 || !pl::SyncFile(out))) written = false;
    return std::fclose(out) == 0 && written;
}

}  // namespace

std::FILE* OpenKeptTemporary(const char* temporary, const char* mode) {
    RemoveStrayTemporaries(temporary);
    return pl::OpenFile(temporary, mode);
}

bool CommitKeptFile(std::FILE* out, const char* temporary, const char* file, bool written) {
    if (CloseWritten(out, written) && pl::RenameFile(temporary, file)) {
        pl::SyncFolder(FolderOf(file));
        return true;
    }
    pl::RemoveFile(temporary);
    return false;
}

std::string CommitNewKeptFile(std::FILE* out, const char* temporary, const std::string& folder,
                              const std::string& name, int most, bool written) {
    if (CloseWritten(out, written)) {
        std::string given = RenameToFreeName(temporary, folder, name, most);
        if (!given.empty()) return given;
    }
    pl::RemoveFile(temporary);
    return "";
}

bool MoveDamagedFileAside(const char* file, const char* damaged) {
    return !RenameToFreeName(file, "", damaged, kMostDamagedCopies).empty();
}

std::string RenameToFreeName(const char* file, const std::string& folder, const std::string& name, int most) {
    for (int n = 1; n <= most; ++n) {
        const std::string candidate = NumberedName(name, n);
        const pl::NewNameResult result = pl::RenameToNewName(file, folder + candidate);
        if (result == pl::NewNameResult::kFailed) break;
        if (result == pl::NewNameResult::kTaken) continue;
        pl::SyncFolder(FolderOf(folder + candidate));
        return candidate;
    }
    return "";
}

std::string WriteNewKeptFile(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes,
                             int most) {
    const std::string temporary = folder + name + ".tmp";
    std::FILE* out = OpenKeptTemporary(temporary.c_str(), "wb");
    if (!out) return "";
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return CommitNewKeptFile(out, temporary.c_str(), folder, name, most, written);
}

bool ReplaceKeptFile(const char* file, const char* temporary, const std::vector<uint8_t>& bytes) {
    std::FILE* out = OpenKeptTemporary(temporary, "wb");
    if (!out) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return CommitKeptFile(out, temporary, file, written);
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

std::string FirstFreeNumberedName(const std::string& folder, const std::string& name, int most) {
    for (int n = 1; n <= std::max(most, 1); ++n) {
        std::string numbered = NumberedName(name, n);
        if (!pl::FileExists(folder + numbered)) return numbered;
    }
    return "";
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
