#include "platform/system_info.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string ReadWholeFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A folder that exists (created when missing) with a trailing "/"; empty when it cannot be made.
std::string EnsureFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) return {};
    return WithTrailingSlash(folder);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* entry = getpwuid(geteuid());
    if (entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    return "/";
}

std::string PrettyNameOf(const std::string& osRelease) {
    std::istringstream in(osRelease);
    const std::string key = "PRETTY_NAME=";
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return {};
}

}  // namespace

std::string ComputerName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

// The user, the system and the executable stay the same for the life of the process; the
// settings record asks at every start and end, so each is looked up once.
std::string UserName() {
    static const std::string name = [] {
        const passwd* entry = getpwuid(geteuid());
        return entry == nullptr || entry->pw_name == nullptr ? std::string() : entry->pw_name;
    }();
    return name;
}

std::string FormatOsVersion(const std::string& kernelRelease, const std::string& osRelease) {
    // "6.1.0-18-amd64": the numbers that are missing or unreadable count as 0.
    int numbers[3] = {0, 0, 0};
    const char* cursor = kernelRelease.c_str();
    for (int& number : numbers) {
        char* end = nullptr;
        const long value = std::strtol(cursor, &end, 10);
        if (end == cursor || *cursor == '-' || *cursor == '+' || *cursor == ' ') break;
        number = static_cast<int>(value);
        if (*end != '.') break;
        cursor = end + 1;
    }
    char text[1024];
    std::snprintf(text, sizeof text, "MJ:%d MI:%d BN:%d PD:%d OT:%s", numbers[0], numbers[1],
                  numbers[2], 0, PrettyNameOf(osRelease).c_str());
    return text;
}

std::string OsVersionText() {
    static const std::string text = [] {
        utsname system{};
        const std::string release = uname(&system) == 0 ? system.release : "";
        return FormatOsVersion(release, ReadWholeFile("/etc/os-release"));
    }();
    return text;
}

const std::string& ExecutablePath() {
    static const std::string path = [] {
        std::error_code error;
        const fs::path link = fs::read_symlink("/proc/self/exe", error);
        return error ? std::string() : link.string();
    }();
    return path;
}

const std::string& ExecutableFolder() {
    static const std::string folder = [] {
        const std::string& path = ExecutablePath();
        const auto slash = path.rfind('/');
        return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
    }();
    return folder;
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

namespace {

// True for the folders where a system installs programs (/usr/bin, /usr/local/bin, ...).
bool IsSystemProgramFolder(const std::string& folder) {
    for (const char* system : {"/bin/", "/sbin/", "/usr/bin/", "/usr/sbin/", "/usr/games/",
                               "/usr/local/bin/", "/usr/local/sbin/", "/usr/local/games/"}) {
        if (folder == system) return true;
    }
    return false;
}

}  // namespace

std::string ChooseDataFolder(const DataFolderFacts& facts) {
    if (!facts.dataDirVariable.empty()) return WithTrailingSlash(facts.dataDirVariable);
    const bool installed =
        facts.helpInSharedFolder || IsSystemProgramFolder(facts.executableFolder);
    if (!installed && facts.executableFolderWritable) return facts.executableFolder;
    const std::string base = !facts.configHomeVariable.empty()
                                 ? WithTrailingSlash(facts.configHomeVariable)
                                 : WithTrailingSlash(facts.home) + ".config/";
    return base + "tessarin/";
}

std::string DataFolder(bool create) {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    const std::string& executableFolder = ExecutableFolder();
    // Whether the program is installed cannot change while it runs.
    static const bool helpInSharedFolder = [&] {
        std::error_code error;
        return fs::exists(executableFolder + TESSARIN_SHARED_DATA_DIR + "TSRN.HLP", error);
    }();
    const DataFolderFacts facts{variable("TESSARIN_DATA_DIR"),
                                executableFolder,
                                helpInSharedFolder,
                                access(executableFolder.c_str(), W_OK) == 0,
                                variable("XDG_CONFIG_HOME"),
                                HomeFolder()};
    const std::string folder = ChooseDataFolder(facts);
    if (!create || folder == executableFolder) return folder;
    const std::string made = EnsureFolder(folder);
    return made.empty() ? folder : made;
}

bool DataFolderIsExecutableFolder() {
    // The same text is the same folder; only different texts need the file system's answer.
    const std::string dataFolder = DataFolder(false);
    const std::string& executableFolder = ExecutableFolder();
    if (dataFolder == executableFolder) return true;
    std::error_code error;
    const fs::path data = fs::weakly_canonical(dataFolder, error);
    if (error) return false;
    const fs::path executable = fs::weakly_canonical(executableFolder, error);
    if (error) return false;
    return data == executable;
}

std::string HelpDocumentPath(const std::string& programFolder,
                             const std::string& sharedDataFolder) {
    const std::string beside = programFolder + "TSRN.HLP";
    const std::string installed = programFolder + sharedDataFolder + "TSRN.HLP";
    std::error_code error;
    if (!fs::exists(beside, error) && fs::exists(installed, error)) {
        return fs::weakly_canonical(installed, error).string();
    }
    return beside;
}

std::string UserHomeFolder() {
    return WithTrailingSlash(HomeFolder());
}
