#include "app/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool StandardOutput::Write(std::string_view bytes) {
    while (!Failed() && !bytes.empty()) {
        const ssize_t count = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            error_ = count < 0 ? errno : ENOSPC;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return !Failed();
}

void StandardOutput::ReportFailure(const char* message) const {
    std::fprintf(stderr, "tessarin: %s: %s\n", message, std::strerror(error_));
}
