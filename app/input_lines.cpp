#include "app/input_lines.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t kBlock = 1 << 16;

}  // namespace

bool InputLines::Next(std::string& line) {
    for (;;) {
        // Only bytes not searched before are searched: a line longer than one block is
        // searched once in all, not once per block.
        const std::size_t from = std::max(start_, searched_);
        if (const void* newline = std::memchr(buffer_.data() + from, '\n', buffer_.size() - from)) {
            const char* begin = buffer_.data() + start_;
            const auto length = static_cast<std::size_t>(static_cast<const char*>(newline) - begin);
            line.assign(begin, length);
            start_ += length + 1;
            return true;
        }
        searched_ = buffer_.size();
        if (!ended_ && Fill()) continue;
        ended_ = true;
        if (start_ == buffer_.size()) return false;
        line.assign(buffer_, start_);
        start_ = buffer_.size();
        return true;
    }
}

bool InputLines::Fill() {
    // Drop what has been handed out, so the buffer holds at most one line and one block.
    buffer_.erase(0, start_);
    searched_ -= start_;
    start_ = 0;
    if (beforeRead_) beforeRead_();
    const std::size_t used = buffer_.size();
    buffer_.resize(used + kBlock);
    ssize_t n;
    do {
        n = ::read(fd_, buffer_.data() + used, kBlock);
    } while (n < 0 && errno == EINTR);
    buffer_.resize(used + (n > 0 ? static_cast<std::size_t>(n) : 0));
    if (n < 0) failed_ = true;
    return n > 0;
}
