#include "platform/save_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

// The kernel's own limit on links followed in one path.
constexpr int kMaxLinks = 40;

bool MayFollow(const struct stat& link, const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == info.st_uid;
}

std::optional<std::string> ReadLink(const std::string& path, std::size_t size) {
    std::vector<char> text(size + 1);
    const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
    // A link that grew since lstat is changing under us: not followed.
    if (length < 0 || static_cast<std::size_t>(length) >= text.size()) return std::nullopt;
    return std::string(text.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> ResolveSaveTarget(const std::string& path) {
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        const std::string folder = FolderOf(current);
        if (!MayFollow(info, folder)) return std::nullopt;
        const std::optional<std::string> to =
            ReadLink(current, static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096));
        if (!to || to->empty()) return std::nullopt;
        current = (*to)[0] == '/' ? *to : folder + "/" + *to;
    }
    return std::nullopt;
}
