#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/file_codec.h"
#include "platform/save_target.h"

namespace {

// Closes the descriptor when the scope ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now, reporting the error a deferred write may only show here.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// Temporaries are named ".NAME.tessarin-save-XXXXXX": only files with this mark are ever removed
// by the clean-up below, never a user's own ".NAME.backup".
constexpr std::string_view kTemporaryMark = ".tessarin-save-";
constexpr std::size_t kRandomLength = 6;  // mkstemp's XXXXXX

std::string TemporaryPrefix(const std::string& stem) {
    return "." + stem + std::string(kTemporaryMark);
}

// The part of a file's name its temporary carries: the whole name, or as much of it as leaves
// room for the mark within the longest name the folder allows, so that every file that can be
// opened can be saved. A cut keeps a UTF-8 character whole.
std::string TemporaryStem(const std::string& folder, const std::string& name) {
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t room = (longest > 0 ? static_cast<std::size_t>(longest) : 255) - 1 -
                             kTemporaryMark.size() - kRandomLength;
    if (name.size() <= room) return name;
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut);
}

// The name of the file whose temporary entry is; nullopt when entry is no temporary.
std::optional<std::string_view> TemporaryTarget(std::string_view entry) {
    const std::size_t suffix = kTemporaryMark.size() + kRandomLength;
    if (entry.size() <= suffix + 1 || entry.front() != '.') return std::nullopt;
    const std::string_view random = entry.substr(entry.size() - kRandomLength);
    for (const char c : random) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return std::nullopt;
    }
    if (entry.substr(entry.size() - suffix, kTemporaryMark.size()) != kTemporaryMark) {
        return std::nullopt;
    }
    return entry.substr(1, entry.size() - suffix - 1);
}

mode_t UmaskMode() {
    // The program has one thread, so reading the mask by setting it back at once is safe.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

// A writer killed between creating its temporary file and renaming it leaves the temporary
// behind. Those older than a few minutes are removed; newer ones may belong to a save that is
// running in another process right now. Only a plain file of this user with the mark counts.
void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ofFile) {
    namespace fs = std::filesystem;
    const auto cutoff = std::chrono::system_clock::now() - std::chrono::minutes(10);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        const std::optional<std::string_view> target = TemporaryTarget(entry);
        if (!target || !ofFile(*target)) continue;
        const std::string path = it->path().string();
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid() || info.st_nlink != 1) {
            continue;
        }
        if (std::chrono::system_clock::from_time_t(info.st_mtime) < cutoff) ::unlink(path.c_str());
    }
}

namespace {

void SyncFolder(const std::string& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

enum class RenameOutcome { Replaced, Failed, Unsuitable };

// Copies the user's extended attributes ("user.*": tags, origin, comments other programs keep
// on the file) from one open file to another; false when any of them could not be carried.
bool CopyUserAttributes(int from, int to) {
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize <= 0) return listSize == 0 || errno == ENOTSUP;
    std::string names(static_cast<std::size_t>(listSize), '\0');
    const ssize_t listed = ::flistxattr(from, names.data(), names.size());
    if (listed < 0) return false;
    names.resize(static_cast<std::size_t>(listed));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const std::string name = names.c_str() + at;
        if (!name.starts_with("user.")) continue;
        const ssize_t size = ::fgetxattr(from, name.c_str(), nullptr, 0);
        if (size < 0) return false;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t read = ::fgetxattr(from, name.c_str(), value.data(), value.size());
        if (read < 0 ||
            ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(read), 0) != 0) {
            return false;
        }
    }
    return true;
}

// Writes bytes to a new private temporary file beside the target and renames it over the
// target. old describes the file it replaces (nullptr for a new file), open as oldFd: the new
// file gets its owner, group, permission bits and user attributes, or the result is Unsuitable
// and nothing was changed.
RenameOutcome ReplaceByRename(const std::string& folder, const std::string& target,
                              const std::string& bytes, const struct stat* old, int oldFd) {
    const std::string stem = TemporaryStem(folder, NameOf(target));
    RemoveStaleTemporaries(folder, [&stem](std::string_view file) { return file == stem; });
    // Same folder as the target, so the final rename cannot cross file systems. mkstemp makes
    // it 0600: no other user can read it while it is incomplete or if this save is killed.
    std::string temp = folder + "/" + TemporaryPrefix(stem) + "XXXXXX";
    FileDescriptor file(::mkostemp(temp.data(), O_CLOEXEC));
    if (file.get() < 0) return RenameOutcome::Failed;

    struct stat made {};
    if (old != nullptr && (::fstat(file.get(), &made) != 0 ||
                           ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
                            ::fchown(file.get(), old->st_uid, old->st_gid) != 0) ||
                           !CopyUserAttributes(oldFd, file.get()))) {
        ::unlink(temp.c_str());
        return RenameOutcome::Unsuitable;
    }
    // The mode is set after fchown, which clears set-id bits. Whatever it lets other users do
    // is granted only once the file has its name: a killed save leaves no temporary that others
    // can read, at worst a whole new file that they cannot read yet.
    const mode_t mode = old != nullptr ? (old->st_mode & 07777) : UmaskMode();
    const bool written = WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0 &&
                         ::fchmod(file.get(), mode & ~mode_t{077}) == 0;
    if (!written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return RenameOutcome::Failed;
    }
    const bool opened = (mode & 077) == 0 || ::fchmod(file.get(), mode) == 0;
    SyncFolder(folder);
    return opened && file.Close() ? RenameOutcome::Replaced : RenameOutcome::Failed;
}

bool HasAccessControlList(int fd) {
    return ::fgetxattr(fd, "system.posix_acl_access", nullptr, 0) >= 0;
}

// A replacement is indistinguishable from writing the file only for a file with one name, no
// access control list, in a folder this process may write.
bool RenameKeepsTheFile(const std::string& folder, int fd, const struct stat& info) {
    return info.st_nlink == 1 && !HasAccessControlList(fd) &&
           ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool ReadAt(int fd, std::size_t size, std::string& bytes) {
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count =
            ::pread(fd, bytes.data() + done, size - done, static_cast<off_t>(done));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}

bool WriteAt(int fd, std::string_view bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

FileStatus Written(bool written) {
    return written ? FileStatus::Ok : FileStatus::Unwritable;
}

// Writes the whole text into the existing file. Room for it is taken first where the file
// system allows, so that a full disk stops the save before the old text is touched; should a
// write still fail, the old text (when it could be read) is put back.
bool WriteInPlace(int fd, const std::optional<std::string>& old, const std::string& bytes) {
    if (!bytes.empty() && ::fallocate(fd, 0, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP) {
        return false;
    }
    if (WriteAt(fd, bytes)) return true;
    if (old) WriteAt(fd, *old);
    return false;
}

}  // namespace

bool ReadAll(int fd, std::string& bytes, std::size_t limit) {
    char buffer[65536];
    while (bytes.size() < limit) {
        const ssize_t count = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
        if (count == 0) return true;
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

namespace {

// The bytes read first: a file with a NUL among them is no text of ours, whatever its size.
constexpr std::size_t kFirstBlock = 65536;

}  // namespace

FileStatus ReadTextFile(const std::string& path, std::vector<std::string>& lines,
                        std::size_t maxBytes) {
    // Opening a device may act on it: anything but a regular file is refused before that.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return FileStatus::Unreadable;
    // Non-blocking, so that a named pipe in place of the file cannot stall the program.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? FileStatus::Missing : FileStatus::Unreadable;
    }
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileStatus::Unreadable;
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return FileStatus::TooLarge;
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    // The first block alone: a NUL byte there refuses the file before the rest is read. The rest
    // up to one byte past the limit, for a file that grew since it was measured.
    const std::size_t limit = maxBytes == SIZE_MAX ? SIZE_MAX : maxBytes + 1;
    std::string bytes;
    if (!ReadAll(file.get(), bytes, std::min(kFirstBlock, limit))) return FileStatus::Unreadable;
    if (!StartsWithUtf16Mark(bytes) && bytes.find('\0') != std::string::npos)
        return FileStatus::NotText;
    if (!ReadAll(file.get(), bytes, limit)) return FileStatus::Unreadable;
    if (bytes.size() > maxBytes) return FileStatus::TooLarge;
    const std::optional<std::string> text = DecodeIfText(bytes);
    if (!text) return FileStatus::NotText;
    lines = SplitLines(*text);
    return FileStatus::Ok;
}

FileStatus WriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    const std::optional<std::string> resolved = ResolveSaveTarget(path);
    if (!resolved) return FileStatus::Unwritable;
    const std::string& target = *resolved;
    const std::string folder = FolderOf(target);
    const std::string bytes = EncodeFileLines(lines);

    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) {
        return Written(errno == ENOENT && ReplaceByRename(folder, target, bytes, nullptr, -1) ==
                                              RenameOutcome::Replaced);
    }
    // Only a regular file is ever written: a device, a pipe or a socket is left alone, and
    // checked before opening, which may act on a device.
    if (!S_ISREG(info.st_mode)) return FileStatus::Unwritable;
    // A file this process may not write is not replaced either.
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    FileDescriptor file(::open(target.c_str(), O_RDWR | flags));
    if (file.get() < 0 && errno == EACCES) file.Reset(::open(target.c_str(), O_WRONLY | flags));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileStatus::Unwritable;
    // No permission stops root: a file nobody may write is read-only for root too.
    if (::geteuid() == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return FileStatus::Unwritable;

    if (RenameKeepsTheFile(folder, file.get(), info)) {
        const RenameOutcome outcome = ReplaceByRename(folder, target, bytes, &info, file.get());
        if (outcome != RenameOutcome::Unsuitable)
            return Written(outcome == RenameOutcome::Replaced);
    }
    std::optional<std::string> old(std::in_place);
    if (!ReadAt(file.get(), static_cast<std::size_t>(info.st_size), *old)) old.reset();
    return Written(WriteInPlace(file.get(), old, bytes) && file.Close());
}
