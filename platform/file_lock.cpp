#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

// Another instance holds the settings file only while it reads or writes it, milliseconds
// unless the disk is slow to sync; two seconds cover that even on a busy machine.
constexpr int kAttempts = 200;
constexpr auto kPause = std::chrono::milliseconds(10);

}  // namespace

FileLock::FileLock(const std::string& path, bool forWriting) {
    const int operation = (forWriting ? LOCK_EX : LOCK_SH) | LOCK_NB;
    for (int attempt = 1;; ++attempt) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            if (errno == ENOENT || errno == ENOTDIR) state_ = LockState::Missing;
            return;
        }
        // Opening a device may act on it, and opening a pipe may wait for its other end.
        if (!S_ISREG(info.st_mode)) return;
        fd_ = ::open(path.c_str(),
                     (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) {
            if (errno == ENOENT || errno == ENOTDIR) state_ = LockState::Missing;
            return;
        }
        if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) break;
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        if (::flock(fd_, operation) == 0) {
            // A writer that replaced the file between the open and the lock left this one the
            // old file, which nobody reads any more: the lock is taken again on the new one.
            struct stat named {};
            if (::stat(path.c_str(), &named) == 0 && named.st_ino == info.st_ino &&
                named.st_dev == info.st_dev) {
                state_ = LockState::Locked;
                return;
            }
        } else if (errno != EWOULDBLOCK) {
            break;
        }
        if (attempt == kAttempts) {
            state_ = LockState::Held;
            break;
        }
        // Opened anew each time: a writer that replaced the file has left the new one free.
        ::close(fd_);
        fd_ = -1;
        std::this_thread::sleep_for(kPause);
    }
    ::close(fd_);
    fd_ = -1;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}
