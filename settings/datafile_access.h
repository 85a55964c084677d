#pragma once
// A small text file of KEY=VALUE lines kept in memory, read and written entry by entry.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_status.h"
#include "settings/key_index.h"

class DatafileAccess {
public:
    // lines empty; folder the executable's folder; file name "datalist.sts".
    DatafileAccess();

    // Each argument replaces the current value only when it is not blank.
    void SetLocation(const std::string& folder, const std::string& fileName);
    // Missing, HeldByAnother (another process held the file all the while) or Unreadable leave
    // the entries as they were.
    FileStatus Load();
    // Unless Ok, the old file stays whole.
    FileStatus Save();
    // Save, after merge has made the entries from the file as it stands now (read under the
    // writer's lock, so no other process writes between the read and the write; empty when
    // there is no file yet). Another process's changes since Load are not lost unless merge
    // replaces them.
    FileStatus SaveMerged(const std::function<void(const DatafileAccess& onDisk)>& merge);
    void ClearEntries();

    // The entries as read from a file holding bytes, and the bytes Save writes: the file's
    // content without the file.
    void LoadBytes(std::string bytes);
    std::string SavedBytes() const;

    // The value of the first entry of key (the text after its first "="), viewed in place
    // until the entries change; nothing when no line has the key.
    std::optional<std::string_view> Entry(std::string_view key) const;
    std::string ReadString(std::string_view key, const std::string& defaultValue) const;
    std::int32_t ReadInteger(std::string_view key, std::int32_t defaultValue) const;
    std::string WriteString(std::string_view key, const std::string& value);
    // The entries become exactly these, in this order (their keys distinct): what ClearEntries
    // and a WriteString of each would leave, without looking a key up.
    void SetEntries(const std::vector<std::pair<std::string_view, std::string>>& entries);
    std::int32_t WriteInteger(std::string_view key, std::int32_t value);

    std::string Path() const { return folder + fileName; }

protected:
    // The lines as the file has them, and new ones in their place.
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);

    std::string folder;
    std::string fileName;

private:
    std::vector<std::string> lines_;
    KeyIndex index_;  // of lines_, kept with them
};
