#pragma once
// Lines of a file descriptor (standard input), read in large blocks. Before every read that
// may wait for more input the caller's hook runs, so a program on the other end of a pipe gets
// the answers to what it has written before it writes more.

#include <functional>
#include <string>
#include <utility>

class InputLines {
public:
    InputLines(int fd, std::function<void()> beforeRead)
        : fd_(fd), beforeRead_(std::move(beforeRead)) {}

    // The next line without its "\n" (a "\r" before it stays); false at the end of the input,
    // or on a read error. A last line without "\n" counts when it is not empty.
    bool Next(std::string& line);
    // A read failed (the lines before the failure were handed out).
    bool Failed() const { return failed_; }

private:
    // Appends what one read gives; false at the end or on an error.
    bool Fill();

    int fd_;
    std::function<void()> beforeRead_;
    std::string buffer_;
    std::size_t start_ = 0;     // first byte of buffer_ not handed out yet
    std::size_t searched_ = 0;  // bytes of buffer_ before this hold no line end
    bool ended_ = false;
    bool failed_ = false;
};
