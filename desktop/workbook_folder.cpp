#include "desktop/workbook_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace {

constexpr std::size_t kRandomLength = 6;  // QTemporaryFile's XXXXXX

bool IsWritableFolder(const std::string& path) {
    struct stat info {};
    return !path.empty() && path.front() == '/' && ::stat(path.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string CacheHome() {
    // A relative path in these variables is invalid and ignored (XDG base directories).
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return cache;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.cache";
    return {};
}

// The folder itself is made 0700; the folders above it as a user's cache folders are.
bool MakePrivateFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && IsWritableFolder(path);
}

bool IsWorkbookName(std::string_view name) {
    const std::string_view prefix = kWorkbookPrefix, suffix = kWorkbookSuffix;
    return name.size() == prefix.size() + kRandomLength + suffix.size() &&
           name.starts_with(prefix) && name.ends_with(suffix);
}

void RemoveOldWorkbooks(const std::string& folder) {
    const auto cutoff = std::chrono::system_clock::now() - std::chrono::hours(24);
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (!IsWorkbookName(it->path().filename().string())) continue;
        const std::string path = it->path().string();
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() &&
            std::chrono::system_clock::from_time_t(info.st_mtime) < cutoff) {
            ::unlink(path.c_str());
        }
    }
}

}  // namespace

std::string UsableTemporaryFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    if (tmpdir != nullptr && IsWritableFolder(tmpdir)) return tmpdir;
    return "/tmp";
}

std::string PrepareWorkbookFolder() {
    const std::string cache = CacheHome();
    if (cache.empty() || !MakePrivateFolder(cache + "/tessarin")) return UsableTemporaryFolder();
    const std::string folder = cache + "/tessarin";
    RemoveOldWorkbooks(folder);
    return folder;
}
