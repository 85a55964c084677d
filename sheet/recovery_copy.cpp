#include "sheet/recovery_copy.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <utility>

#include "platform/file_codec.h"
#include "platform/text_file.h"

namespace {

namespace fs = std::filesystem;

const std::string kPrefix = "recovery-";
const std::string kSuffix = ".tsf";
const std::string kFileKey = "FILE=";

std::optional<unsigned long long> Number(std::string_view text) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    unsigned long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned long long>(c - '0');
    }
    return value;
}

// The name as one line of UTF-8 text: "%", CR, LF and every byte that is not part of a UTF-8
// character (a name unpacked from an archive made on another system) become "%" and two
// hexadecimal digits.
std::string EscapeName(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    while (!name.empty()) {
        const std::size_t length = Utf8SequenceLength(name);
        const char c = name.front();
        if (length == 0 || c == '%' || c == '\r' || c == '\n') {
            const auto byte = static_cast<unsigned char>(c);
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
            name.remove_prefix(1);
        } else {
            escaped += name.substr(0, length);
            name.remove_prefix(length);
        }
    }
    return escaped;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string UnescapeName(std::string_view escaped) {
    std::string name;
    while (!escaped.empty()) {
        if (escaped.size() >= 3 && escaped[0] == '%' && HexDigit(escaped[1]) >= 0 &&
            HexDigit(escaped[2]) >= 0) {
            name += static_cast<char>(HexDigit(escaped[1]) * 16 + HexDigit(escaped[2]));
            escaped.remove_prefix(3);
        } else {
            name += escaped.front();
            escaped.remove_prefix(1);
        }
    }
    return name;
}

// The system clock's time of a file's last write (the file clock has no portable epoch).
std::chrono::system_clock::time_point WriteTime(const fs::directory_entry& entry) {
    std::error_code error;
    const fs::file_time_type written = entry.last_write_time(error);
    if (error) return {};
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
}

}  // namespace

std::string RecoveryCopyName(const ProcessIdentity& owner) {
    return kPrefix + std::to_string(owner.pid) + "-" + std::to_string(owner.startTicks) + kSuffix;
}

std::optional<ProcessIdentity> RecoveryCopyOwner(const std::string& fileName) {
    const std::string_view name(fileName);
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    const std::string_view numbers =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const std::size_t dash = numbers.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const std::optional<unsigned long long> pid = Number(numbers.substr(0, dash));
    const std::optional<unsigned long long> start = Number(numbers.substr(dash + 1));
    if (!pid || !start || *pid == 0 || *pid > 0x7FFFFFFF) return std::nullopt;
    return ProcessIdentity{static_cast<long>(*pid), *start};
}

std::vector<std::string> FormatRecoveryCopy(const RecoveryCopy& copy) {
    std::vector<std::string> lines = FormatFormulaFile(copy.sheet);
    lines.insert(lines.begin() + 1, kFileKey + EscapeName(copy.fileName));
    return lines;
}

std::optional<RecoveryCopy> ParseRecoveryCopy(const std::vector<std::string>& lines) {
    const FormulaFileReadResult result = ParseFormulaFile(lines);
    if (!result.Succeeded()) return std::nullopt;
    RecoveryCopy copy{result.content, {}};
    for (std::size_t n = 1; n < lines.size(); ++n) {
        if (std::string_view(lines[n]).starts_with(kFileKey)) {
            copy.fileName = UnescapeName(std::string_view(lines[n]).substr(kFileKey.size()));
            break;
        }
    }
    return copy;
}

FileStatus WriteRecoveryCopy(const std::string& path, const RecoveryCopy& copy) {
    return WriteTextFile(path, FormatRecoveryCopy(copy));
}

FileStatus ReadRecoveryCopy(const std::string& path, RecoveryCopy& copy) {
    std::vector<std::string> lines;
    if (const FileStatus read = ReadTextFile(path, lines); read != FileStatus::Ok) return read;
    std::optional<RecoveryCopy> parsed = ParseRecoveryCopy(lines);
    if (!parsed) return FileStatus::Malformed;
    copy = std::move(*parsed);
    return FileStatus::Ok;
}

std::vector<RecoveryCopyEntry> ListRecoveryCopies(const std::string& folder) {
    std::vector<RecoveryCopyEntry> copies;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (const auto owner = RecoveryCopyOwner(it->path().filename().string())) {
            copies.push_back({it->path().string(), *owner, WriteTime(*it)});
        }
    }
    return copies;
}

std::vector<RecoveryCopyEntry> OrphanedCopiesNewestFirst(
    std::vector<RecoveryCopyEntry> copies,
    const std::function<bool(const ProcessIdentity&)>& running) {
    std::erase_if(copies, [&](const RecoveryCopyEntry& copy) { return running(copy.owner); });
    // Copies written in the same instant come in the order of their names, so the choice
    // does not depend on the order of the folder.
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopyEntry& a, const RecoveryCopyEntry& b) {
                  return a.written != b.written ? a.written > b.written : a.path < b.path;
              });
    return copies;
}

void RemoveStaleRecoveryTemporaries(const std::string& folder) {
    RemoveStaleTemporaries(folder, [](std::string_view name) {
        return RecoveryCopyOwner(std::string(name)).has_value();
    });
}
