#include "expr/constant_file.h"

#include <map>
#include <set>

#include "expr/half_width.h"
#include "platform/file_codec.h"
#include "platform/file_lock.h"

namespace {

// Reads one character of a name at pos, advancing pos, folded so that a, A, ａ and Ａ compare
// equal. Any other byte stands for itself; UTF-8 sequences never contain ASCII bytes.
int FoldedChar(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = byte(pos);
    if (c == 0xEF && pos + 2 < s.size()) {
        const unsigned char c1 = byte(pos + 1), c2 = byte(pos + 2);
        // U+FF21..U+FF3A (Ａ..Ｚ) and U+FF41..U+FF5A (ａ..ｚ).
        if (c1 == 0xBC && c2 >= 0xA1 && c2 <= 0xBA) {
            pos += 3;
            return 'A' + (c2 - 0xA1);
        }
        if (c1 == 0xBD && c2 >= 0x81 && c2 <= 0x9A) {
            pos += 3;
            return 'A' + (c2 - 0x81);
        }
    }
    ++pos;
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// What a line is merged by: its name as lookups compare it, or for a line without "=" the whole
// line, marked with a line end no name holds.
std::string MergeKey(std::string_view line) {
    const std::size_t equal = line.find('=');
    if (equal == std::string_view::npos) return "\n" + std::string(line);
    const std::string_view name = line.substr(0, equal);
    std::string key;
    for (std::size_t i = 0; i < name.size();)
        key.push_back(static_cast<char>(FoldedChar(name, i)));
    return key;
}

using LinesByName = std::map<std::string, std::vector<std::string>>;

LinesByName ByName(const std::vector<std::string>& lines) {
    LinesByName byName;
    for (const std::string& line : lines)
        byName[MergeKey(line)].push_back(line);
    return byName;
}

const std::vector<std::string>& LinesOf(const LinesByName& byName, const std::string& key) {
    static const std::vector<std::string> none;
    const auto found = byName.find(key);
    return found == byName.end() ? none : found->second;
}

bool IsBlankLine(std::string_view line) {
    return ToHalfWidth(line).find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

std::string_view ConstantName(std::string_view line) {
    const std::size_t equal = line.find('=');
    return equal == std::string_view::npos ? std::string_view{} : line.substr(0, equal);
}

bool SameConstantName(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldedChar(a, i) != FoldedChar(b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

std::optional<std::string_view> LookupConstant(const std::vector<std::string>& constants,
                                               std::string_view name) {
    // One pass per line: the folded characters are compared up to the line's first "=", which
    // no folded character contains, and the name matches when both end there.
    for (const std::string& line : constants) {
        const std::string_view text(line);
        std::size_t i = 0, j = 0;
        bool same = true;
        while (same && j < name.size() && i < text.size() && text[i] != '=')
            same = FoldedChar(text, i) == FoldedChar(name, j);
        if (same && j == name.size() && i < text.size() && text[i] == '=') {
            return text.substr(i + 1);
        }
    }
    return std::nullopt;
}

std::vector<std::string> ConstantsAsRead(const std::vector<std::string>& lines) {
    std::vector<std::string> constants;
    constants.reserve(lines.size());
    for (const std::string& line : lines) {
        if (IsBlankLine(line)) continue;
        const std::size_t equal = line.find('=');
        if (equal == std::string::npos) {
            constants.push_back(line);
        } else {
            constants.push_back(line.substr(0, equal + 1) +
                                ToHalfWidth(std::string_view(line).substr(equal + 1)));
        }
    }
    return constants;
}

FileStatus LoadConstants(const std::string& path, std::vector<std::string>& constants) {
    constants.clear();
    std::vector<std::string> lines;
    const FileStatus read = ReadTextFile(path, lines);
    if (read == FileStatus::Ok) constants = ConstantsAsRead(lines);
    return read;
}

FileStatus SaveConstants(const std::string& path, const std::vector<std::string>& constants) {
    return WriteTextFile(path, constants);
}

void AddDefaultConstants(std::vector<std::string>& constants) {
    constants.emplace_back("PI=3.1415926535897932384626433832795");
    constants.emplace_back("C=299792.5E+3");
}

std::vector<std::string> MergeConstantChanges(const std::vector<std::string>& atStart,
                                              const std::vector<std::string>& atEnd,
                                              const std::vector<std::string>& onDisk) {
    const LinesByName started = ByName(atStart);
    const LinesByName ended = ByName(atEnd);
    const auto changed = [&](const std::string& key) {
        return LinesOf(started, key) != LinesOf(ended, key);
    };
    std::vector<std::string> merged;
    std::set<std::string> placed;  // the names whose lines this run has put in
    const auto place = [&](const std::string& key) {
        if (!placed.insert(key).second) return;
        const std::vector<std::string>& lines = LinesOf(ended, key);
        merged.insert(merged.end(), lines.begin(), lines.end());
    };
    for (const std::string& line : onDisk) {
        const std::string key = MergeKey(line);
        if (changed(key)) {
            place(key);
        } else {
            merged.push_back(line);
        }
    }
    for (const std::string& line : atEnd) {
        const std::string key = MergeKey(line);
        if (changed(key)) place(key);
    }
    return merged;
}

FileStatus SaveConstantChanges(const std::string& path, const std::vector<std::string>& atStart,
                               const std::vector<std::string>& atEnd) {
    if (atStart == atEnd) return FileStatus::Ok;
    // No other instance writes between this read and the write.
    const FileLock lock(path, true);
    std::vector<std::string> onDisk;
    switch (lock.State()) {
        case FileLock::LockState::Locked: {
            std::string bytes;
            if (!ReadAll(lock.Descriptor(), bytes)) return FileStatus::Unreadable;
            const std::optional<std::string> text = DecodeIfText(bytes);
            if (!text) return FileStatus::NotText;
            onDisk = ConstantsAsRead(SplitLines(*text));
            break;
        }
        case FileLock::LockState::Missing:
            break;
        case FileLock::LockState::Held:
            return FileStatus::HeldByAnother;
        case FileLock::LockState::Refused:
            return FileStatus::Unwritable;
    }
    if (onDisk.empty()) AddDefaultConstants(onDisk);
    return SaveConstants(path, MergeConstantChanges(atStart, atEnd, onDisk));
}
