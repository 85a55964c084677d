#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "platform/file_codec.h"

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
    // Closes now, reporting the error a deferred write may only show here.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool ReadAll(int fd, std::string& bytes) {
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) return true;
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

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

// A symbolic link (a settings file kept in a dotfile repository) is written through, not
// replaced by a plain file.
std::string ResolveTarget(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved.string();
}

mode_t NewFileMode(const std::string& target) {
    struct stat info;
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    // The program has one thread, so reading the mask by setting it back at once is safe.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A writer killed between creating its temporary file and renaming it leaves the temporary
// behind. Those older than a few minutes are removed; newer ones may belong to a save that is
// running in another process right now.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
    namespace fs = std::filesystem;
    const std::string prefix = "." + name + ".";
    const auto cutoff = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        std::error_code ignored;
        if (it->is_regular_file(ignored) && it->last_write_time(ignored) < cutoff) {
            fs::remove(it->path(), ignored);
        }
    }
}

void SyncFolder(const std::string& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

ReadResult ReadTextFile(const std::string& path, std::vector<std::string>& lines) {
    // Non-blocking, so that a named pipe in place of the file cannot stall the program.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Missing : ReadResult::Unreadable;
    }
    struct stat info;
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadResult::Unreadable;
    ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
    std::string bytes;
    if (!ReadAll(file.get(), bytes)) return ReadResult::Unreadable;
    lines = DecodeFileLines(bytes);
    return ReadResult::Read;
}

bool WriteTextFile(const std::string& path, const std::vector<std::string>& lines) {
    const std::string target = ResolveTarget(path);
    const std::filesystem::path targetPath(target);
    std::string folder = targetPath.parent_path().string();
    if (folder.empty()) folder = ".";
    RemoveStaleTemporaries(folder, targetPath.filename().string());
    // Same folder as the target, so the final rename cannot cross file systems.
    std::string temp = folder + "/." + targetPath.filename().string() + ".XXXXXX";
    FileDescriptor file(::mkstemp(temp.data()));
    if (file.get() < 0) return false;

    const bool written = ::fchmod(file.get(), NewFileMode(target)) == 0 &&
                         WriteAll(file.get(), EncodeFileLines(lines)) && ::fsync(file.get()) == 0;
    if (!file.Close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}
