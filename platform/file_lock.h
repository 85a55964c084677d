#pragma once
// An exclusive advisory lock (flock) on an existing file, held while the object lives: the
// stand-in for opening a file without sharing it with other processes.

#include <string>

class FileLock {
public:
    enum class LockState { Locked, Missing, Refused };

    // Opens the file at path (for writing when forWriting, which fails on a directory or a
    // read-only file) and locks it without waiting. Never creates the file.
    FileLock(const std::string& path, bool forWriting);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locked: the file is ours until destruction. Missing: there is no such file. Refused: it
    // could not be opened, or another open of it holds the lock.
    LockState State() const { return state_; }
    // The open descriptor while Locked, else -1.
    int Descriptor() const { return fd_; }

private:
    int fd_ = -1;
    LockState state_ = LockState::Refused;
};
