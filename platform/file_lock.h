#pragma once
// An advisory lock (flock) on an existing regular file, held while the object lives: the stand-in
// for opening a file without sharing it with other processes. Readers share the file; a writer
// has it alone.

#include <string>

class FileLock {
public:
    enum class LockState { Locked, Missing, Held, Refused };

    // Opens the file at path (for reading and writing when forWriting, which fails on a read-only
    // file) and locks it, shared for reading and exclusive for writing. While another process
    // holds a lock that excludes this one, it tries again for up to two seconds. Never creates
    // the file, never waits for a pipe and never opens anything but a regular file.
    FileLock(const std::string& path, bool forWriting);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locked: the file is ours until destruction. Missing: there is no such file. Held: another
    // process kept its lock all the while. Refused: it is no regular file or could not be opened.
    LockState State() const { return state_; }
    // The open descriptor while Locked, else -1.
    int Descriptor() const { return fd_; }

private:
    int fd_ = -1;
    LockState state_ = LockState::Refused;
};
