#include "platform/file_stamp.h"

#include <sys/stat.h>

std::optional<FileStamp::State> FileStamp::StateOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return State{path,         info.st_dev,         info.st_ino,
                 info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

void FileStamp::Take(const std::string& path) {
    seen_ = StateOf(path);
}

bool FileStamp::ChangedSince(const std::string& path) const {
    if (!seen_ || seen_->path != path) return false;
    const std::optional<State> now = StateOf(path);
    return now && *now != *seen_;
}
