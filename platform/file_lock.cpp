#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

FileLock::FileLock(const std::string& path, bool forWriting) {
    fd_ = open(path.c_str(), (forWriting ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) {
        state_ = (errno == ENOENT || errno == ENOTDIR) ? LockState::Missing : LockState::Refused;
        return;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        close(fd_);
        fd_ = -1;
        return;
    }
    state_ = LockState::Locked;
}

FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);
}
