#include "settings/datafile_access.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/file_codec.h"
#include "platform/file_lock.h"
#include "platform/parse_integer.h"
#include "platform/system_info.h"
#include "platform/text_file.h"

namespace {

// Makes line "KEY=value" with the key's ASCII letters in upper case (the bytes of other
// characters are at least 0x80 in UTF-8), in the line's own buffer when it is large enough.
void SetEntryLine(std::string& line, std::string_view key, const std::string& value) {
    line.reserve(key.size() + 1 + value.size());
    line.assign(key);
    for (char& c : line)
        c = UpperAscii(c);
    line += '=';
    line += value;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsBlankText(const std::string& text) {
    for (char c : text) {
        if (!IsBlank(c)) return false;
    }
    return true;
}

}  // namespace

DatafileAccess::DatafileAccess() : folder(ExecutableFolder()), fileName("datalist.sts") {}

void DatafileAccess::SetLocation(const std::string& newFolder, const std::string& newFileName) {
    if (!IsBlankText(newFolder)) folder = newFolder;
    if (!IsBlankText(newFileName)) fileName = newFileName;
}

FileStatus DatafileAccess::Load() {
    // A shared lock, kept while reading: other instances may read at the same time, none may
    // write.
    const FileLock lock(Path(), false);
    switch (lock.State()) {
        case FileLock::LockState::Locked:
            break;
        case FileLock::LockState::Missing:
            return FileStatus::Missing;
        case FileLock::LockState::Held:
            return FileStatus::HeldByAnother;
        case FileLock::LockState::Refused:
            return FileStatus::Unreadable;
    }
    std::string bytes;
    if (!ReadAll(lock.Descriptor(), bytes)) return FileStatus::Unreadable;
    LoadBytes(std::move(bytes));
    return FileStatus::Ok;
}

void DatafileAccess::LoadBytes(std::string bytes) {
    // The text ends at the first NUL byte; what follows it is not decoded at all. In UTF-16,
    // where most characters have a NUL byte, it ends at the first NUL character.
    if (!StartsWithUtf16Mark(bytes)) {
        const std::size_t nul = bytes.find('\0');
        if (nul != std::string::npos) bytes.resize(nul);
    }
    std::string text = DecodeFileText(bytes);
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    SetLines(SplitLines(text));
}

void DatafileAccess::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    index_.Build(lines_);
}

std::string DatafileAccess::SavedBytes() const {
    return EncodeFileLines(lines_);
}

FileStatus DatafileAccess::Save() {
    return SaveMerged([](const DatafileAccess&) {});
}

FileStatus DatafileAccess::SaveMerged(
    const std::function<void(const DatafileAccess& onDisk)>& merge) {
    // A file that does not exist yet cannot be held by anyone; the write creates it. The new
    // file replaces the old one only once it is complete.
    const FileLock lock(Path(), true);
    if (lock.State() == FileLock::LockState::Held) return FileStatus::HeldByAnother;
    if (lock.State() == FileLock::LockState::Refused) return FileStatus::Unwritable;
    DatafileAccess onDisk;
    if (lock.State() == FileLock::LockState::Locked) {
        std::string bytes;
        if (!ReadAll(lock.Descriptor(), bytes)) return FileStatus::Unreadable;
        onDisk.LoadBytes(std::move(bytes));
    }
    merge(onDisk);
    return WriteTextFile(Path(), lines_);
}

void DatafileAccess::ClearEntries() {
    SetLines({});
}

std::optional<std::string_view> DatafileAccess::Entry(std::string_view key) const {
    const std::optional<std::size_t> index = index_.Find(lines_, key);
    if (!index) return std::nullopt;
    const std::string_view line = lines_[*index];
    return line.substr(line.find('=') + 1);
}

std::string DatafileAccess::ReadString(std::string_view key,
                                       const std::string& defaultValue) const {
    const std::optional<std::string_view> value = Entry(key);
    return value ? std::string(*value) : defaultValue;
}

std::int32_t DatafileAccess::ReadInteger(std::string_view key, std::int32_t defaultValue) const {
    // Leading blanks are allowed before the number.
    std::string_view text = Entry(key).value_or("");
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return ParseInteger(text).value_or(defaultValue);
}

std::string DatafileAccess::WriteString(std::string_view key, const std::string& value) {
    if (const std::optional<std::size_t> index = index_.Find(lines_, key)) {
        SetEntryLine(lines_[*index], key, value);
    } else {
        SetEntryLine(lines_.emplace_back(), key, value);
        index_.AddLast(lines_);
    }
    return value;
}

std::int32_t DatafileAccess::WriteInteger(std::string_view key, std::int32_t value) {
    WriteString(key, std::to_string(value));
    return value;
}

void DatafileAccess::SetEntries(
    const std::vector<std::pair<std::string_view, std::string>>& entries) {
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const auto& [key, value] : entries)
        SetEntryLine(lines.emplace_back(), key, value);
    SetLines(std::move(lines));
}
