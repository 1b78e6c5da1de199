#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <mutex>

#include "platform/files.h"

namespace pl {
namespace {

std::mutex lockMutex;
int lockFd = -1;

constexpr const char* kLockFile = ".zendavori.lock";

}  // namespace

bool AcquireInstanceLock() {
    std::lock_guard<std::mutex> guard(lockMutex);
    if (lockFd >= 0) return false;
    int fd = ::open(HostPath(kLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return true;  // a folder that cannot hold the lock does not stop the program
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd = fd;
    return true;
}

void ReleaseInstanceLock() {
    std::lock_guard<std::mutex> guard(lockMutex);
    if (lockFd < 0) return;
    ::flock(lockFd, LOCK_UN);
    ::close(lockFd);
    lockFd = -1;
}

}  // namespace pl
