#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace pl {
namespace {

std::mutex folderMutex;
std::string overrideFolder;
long writeBudget = -1;  // FailWritesAfter

std::string ExecutableFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A relative folder is taken from the working directory: paths are walked
// from the root.
std::string Absolute(const std::string& folder) {
    if (!folder.empty() && folder[0] == '/') return folder;
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return "/" + folder;
    std::string cwd = buf;
    if (folder.empty() || folder == ".") return cwd;
    return (cwd == "/" ? "" : cwd) + "/" + folder;
}

std::string HostFolder() {
    std::string folder;
    {
        std::lock_guard<std::mutex> lock(folderMutex);
        folder = overrideFolder;
    }
    if (folder.empty()) {
        const char* home = std::getenv("ZENDAVORI_HOME");
        folder = home && *home ? home : ExecutableFolder();
    }
    return Absolute(folder);
}

bool Exists(const std::string& hostPath) {
    struct stat st;
    return ::stat(hostPath.c_str(), &st) == 0;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Finds `name` in `folder` without regard to case; empty when there is none.
// Of several entries differing only in case the first in byte order is taken.
std::string MatchNoCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return {};
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        if (EqualNoCase(e->d_name, name) && (found.empty() || found > e->d_name)) found = e->d_name;
    }
    ::closedir(dir);
    return found;
}

// A stream whose writes fail after a byte budget (FailWritesAfter).
struct LimitedFile {
    std::FILE* inner;
    long budget;
};

ssize_t LimitedRead(void* cookie, char* buf, size_t size) {
    return static_cast<ssize_t>(std::fread(buf, 1, size, static_cast<LimitedFile*>(cookie)->inner));
}

ssize_t LimitedWrite(void* cookie, const char* buf, size_t size) {
    auto* f = static_cast<LimitedFile*>(cookie);
    size_t n = std::min(size, static_cast<size_t>(std::max(0L, f->budget)));
    size_t written = n ? std::fwrite(buf, 1, n, f->inner) : 0;
    f->budget -= static_cast<long>(written);
    return static_cast<ssize_t>(written);  // fewer than asked: the write failed
}

int LimitedSeek(void* cookie, off64_t* offset, int whence) {
    auto* f = static_cast<LimitedFile*>(cookie);
    if (fseeko(f->inner, *offset, whence) != 0) return -1;
    *offset = ftello(f->inner);
    return 0;
}

int LimitedClose(void* cookie) {
    auto* f = static_cast<LimitedFile*>(cookie);
    int result = std::fclose(f->inner);
    delete f;
    return result;
}

std::FILE* WrapWithBudget(std::FILE* inner, long budget) {
    auto* cookie = new LimitedFile{inner, budget};
    std::FILE* f = fopencookie(cookie, "r+", {LimitedRead, LimitedWrite, LimitedSeek, LimitedClose});
    if (f) {
        std::setvbuf(f, nullptr, _IONBF, 0);  // the failure shows in the fwrite that meets it
        return f;
    }
    delete cookie;
    return inner;
}

bool WildcardMatch(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*pattern == '*') return WildcardMatch(pattern + 1, text) || (*text && WildcardMatch(pattern, text + 1));
    if (*text == '\0') return false;
    if (*pattern != '?' &&
        std::tolower(static_cast<unsigned char>(*pattern)) != std::tolower(static_cast<unsigned char>(*text)))
        return false;
    return WildcardMatch(pattern + 1, text + 1);
}

}  // namespace

std::string ProgramPath() {
    std::string folder = HostFolder();
    std::replace(folder.begin(), folder.end(), '/', '\\');
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

void SetProgramFolder(const std::string& hostFolder) {
    std::lock_guard<std::mutex> lock(folderMutex);
    overrideFolder = hostFolder;
}

std::string HostPath(const std::string& programPath) {
    std::string path = programPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || path[0] != '/') path = HostFolder() + "/" + path;
    // Walk the components, keeping each one as written when it exists.
    std::string result;
    size_t pos = 1;
    bool missing = false;
    while (pos <= path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        std::string part = path.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty() || part == ".") continue;
        std::string candidate = result + "/" + part;
        if (!missing && !Exists(candidate)) {
            std::string match = MatchNoCase(result, part);
            if (!match.empty()) candidate = result + "/" + match;
            else missing = true;
        }
        result = candidate;
    }
    return result.empty() ? "/" : result;
}

std::FILE* OpenFile(const std::string& programPath, const char* mode) {
    std::FILE* f = std::fopen(HostPath(programPath).c_str(), mode);
    if (!f || !std::strpbrk(mode, "wa+")) return f;
    long budget;
    {
        std::lock_guard<std::mutex> lock(folderMutex);
        budget = writeBudget;
        writeBudget = -1;
    }
    return budget < 0 ? f : WrapWithBudget(f, budget);
}

int64_t FileSize(std::FILE* file) {
    struct stat info;
    const int fd = ::fileno(file);
    return fd >= 0 && ::fstat(fd, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

std::size_t ReadAt(std::FILE* file, void* buffer, std::size_t size, int64_t offset) {
    const int fd = ::fileno(file);
    if (fd < 0 || offset < 0) return 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return 0;
    }
}

void FailWritesAfter(long bytes) {
    std::lock_guard<std::mutex> lock(folderMutex);
    writeBudget = bytes;
}

bool FileExists(const std::string& programPath) { return Exists(HostPath(programPath)); }

bool MakeDirectory(const std::string& programPath) {
    std::string host = HostPath(programPath);
    return ::mkdir(host.c_str(), 0755) == 0 || Exists(host);
}

bool RemoveFile(const std::string& programPath) { return std::remove(HostPath(programPath).c_str()) == 0; }

bool RenameFile(const std::string& fromProgramPath, const std::string& toProgramPath) {
    return std::rename(HostPath(fromProgramPath).c_str(), HostPath(toProgramPath).c_str()) == 0;
}

NewNameResult RenameToNewName(const std::string& fromProgramPath, const std::string& toProgramPath) {
    const std::string from = HostPath(fromProgramPath), to = HostPath(toProgramPath);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return NewNameResult::kRenamed;
    if (errno == EEXIST) return NewNameResult::kTaken;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return NewNameResult::kFailed;
    // A file system without the no-replace rename: a hard link, which fails on
    // an existing name, then the old name removed.
    if (::link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? NewNameResult::kTaken : NewNameResult::kFailed;
    ::unlink(from.c_str());
    return NewNameResult::kRenamed;
}

bool SyncFile(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    int fd = ::fileno(file);
    return fd < 0 || ::fsync(fd) == 0;  // a stream without a descriptor (tests' failing writes) has no more to do
}

bool SyncFolder(const std::string& programFolder) {
    int fd = ::open(HostPath(programFolder).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

std::vector<std::string> ListDirectory(const std::string& programPattern) {
    std::string pattern = programPattern;
    std::replace(pattern.begin(), pattern.end(), '\\', '/');
    size_t slash = pattern.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash);
    std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (mask == "*.*") mask = "*";  // the handheld's "all files", dotted or not
    std::vector<std::string> names;
    DIR* dir = ::opendir(HostPath(folder).c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        if (WildcardMatch(mask.c_str(), name.c_str())) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace pl
