#include "settings/datafile_access.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/file_codec.h"
#include "platform/file_lock.h"
#include "platform/parse_integer.h"
#include "platform/system_info.h"
#include "platform/text_file.h"

namespace {

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only ASCII letters change case; the bytes of other characters are at least 0x80 in UTF-8.
std::string UpperKey(const std::string& key) {
    std::string upper = key;
    for (char& c : upper)
        c = UpperAscii(c);
    return upper;
}

bool SameKey(const std::string& line, std::size_t keyLength, const std::string& upperKey) {
    if (keyLength != upperKey.size()) return false;
    for (std::size_t i = 0; i < keyLength; ++i) {
        if (UpperAscii(line[i]) != upperKey[i]) return false;
    }
    return true;
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

bool DatafileAccess::Load() {
    // A shared lock, kept while reading: other instances may read at the same time, none may
    // write.
    const FileLock lock(Path(), false);
    heldByAnother_ = lock.State() == FileLock::LockState::Held;
    if (lock.State() != FileLock::LockState::Locked) return false;
    std::string bytes;
    if (!ReadAll(lock.Descriptor(), bytes)) return false;
    LoadBytes(std::move(bytes));
    return true;
}

void DatafileAccess::LoadBytes(std::string bytes) {
    // The text ends at the first NUL byte; what follows it is not decoded at all.
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos) bytes.resize(nul);
    lines = DecodeFileLines(bytes);
}

std::string DatafileAccess::SavedBytes() const {
    return EncodeFileLines(lines);
}

bool DatafileAccess::Save() {
    // A file that does not exist yet cannot be held by anyone; the write creates it. The new
    // file replaces the old one only once it is complete.
    const FileLock lock(Path(), true);
    if (lock.State() == FileLock::LockState::Held || lock.State() == FileLock::LockState::Refused) {
        return false;
    }
    return WriteTextFile(Path(), lines);
}

void DatafileAccess::ClearEntries() {
    lines.clear();
}

// The index of the first line whose key (the text before its first "=") matches, or -1.
static std::ptrdiff_t FindEntry(const std::vector<std::string>& lines, const std::string& key) {
    const std::string upperKey = UpperKey(key);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t equals = lines[i].find('=');
        if (equals != std::string::npos && SameKey(lines[i], equals, upperKey)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

bool DatafileAccess::HasEntry(const std::string& key) const {
    return FindEntry(lines, key) >= 0;
}

std::string DatafileAccess::ReadString(const std::string& key,
                                       const std::string& defaultValue) const {
    const std::ptrdiff_t index = FindEntry(lines, key);
    if (index < 0) return defaultValue;
    const std::string& line = lines[static_cast<std::size_t>(index)];
    return line.substr(line.find('=') + 1);
}

std::int32_t DatafileAccess::ReadInteger(const std::string& key, std::int32_t defaultValue) const {
    // Leading blanks are allowed before the number.
    const std::string value = ReadString(key, "");
    std::string_view text = value;
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return ParseInteger(text).value_or(defaultValue);
}

std::string DatafileAccess::WriteString(const std::string& key, const std::string& value) {
    std::string line = UpperKey(key) + "=" + value;
    const std::ptrdiff_t index = FindEntry(lines, key);
    if (index < 0) {
        lines.push_back(std::move(line));
    } else {
        lines[static_cast<std::size_t>(index)] = std::move(line);
    }
    return value;
}

std::int32_t DatafileAccess::WriteInteger(const std::string& key, std::int32_t value) {
    WriteString(key, std::to_string(value));
    return value;
}
