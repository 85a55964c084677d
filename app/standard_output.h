#pragma once
// Standard output with every write checked: a full disk, a closed descriptor or a reader that
// went away (with SIGPIPE ignored) is noticed at the write that fails, not lost in a buffer.

#include <string_view>

class StandardOutput {
public:
    // Writes all of bytes unless an earlier write failed; false once any write has failed.
    bool Write(std::string_view bytes);
    bool Failed() const { return error_ != 0; }
    // Prints "tessarin: ", the message and the system's reason for the failure to standard error.
    void ReportFailure(const char* message) const;

private:
    int error_ = 0;  // errno of the failed write
};
