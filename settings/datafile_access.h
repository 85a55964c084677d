#pragma once
// A small text file of KEY=VALUE lines kept in memory, read and written entry by entry.

#include <cstdint>
#include <string>
#include <vector>

class DatafileAccess {
public:
    // lines empty; folder the executable's folder; file name "datalist.sts".
    DatafileAccess();

    // Each argument replaces the current value only when it is not blank.
    void SetLocation(const std::string& folder, const std::string& fileName);
    bool Load();  // false when the file is missing, locked by another process or unreadable
    // True when the last Load failed because another process held the file all the while.
    bool HeldByAnother() const { return heldByAnother_; }
    bool Save();  // false when it could not be written; the old file then stays whole
    void ClearEntries();

    // The entries as read from a file holding bytes, and the bytes Save writes: the file's
    // content without the file.
    void LoadBytes(std::string bytes);
    std::string SavedBytes() const;

    bool HasEntry(const std::string& key) const;
    std::string ReadString(const std::string& key, const std::string& defaultValue) const;
    std::int32_t ReadInteger(const std::string& key, std::int32_t defaultValue) const;
    std::string WriteString(const std::string& key, const std::string& value);
    std::int32_t WriteInteger(const std::string& key, std::int32_t value);

    std::string Path() const { return folder + fileName; }

protected:
    std::vector<std::string> lines;
    std::string folder;
    std::string fileName;

private:
    bool heldByAnother_ = false;
};
