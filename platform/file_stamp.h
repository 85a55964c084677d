#pragma once
// The state of a file as this run last saw it, to tell whether another program has written it
// since: a save over it would otherwise silently throw that program's work away.

#include <sys/types.h>

#include <optional>
#include <string>

class FileStamp {
public:
    // Remembers the file at path as it is now (nothing when it cannot be examined).
    void Take(const std::string& path);
    void Clear() { seen_.reset(); }
    // True when path is the remembered file and it has been written or replaced since; a file
    // that is gone has nothing left to overwrite.
    bool ChangedSince(const std::string& path) const;

private:
    struct State {
        std::string path;
        dev_t device;
        ino_t inode;
        off_t size;
        long long modifiedSeconds, modifiedNanoseconds;
        bool operator==(const State&) const = default;
    };
    static std::optional<State> StateOf(const std::string& path);

    std::optional<State> seen_;
};
