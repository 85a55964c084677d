#pragma once
// What every fuzz target shares: a private scratch folder for the files a target writes, and a
// check that reports a broken property with the input's context and stops the run.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// Aborts with a message, so libFuzzer records the input as a finding.
#define FUZZ_CHECK(condition, message)                                                     \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: %s failed: %s\n", __FILE__, __LINE__, #condition, \
                         std::string(message).c_str());                                    \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

// A folder of this process's own, created on first use and removed at exit. $TMPDIR decides
// where it lives (scripts/fuzz.sh points it at a memory file system when there is one).
inline const std::filesystem::path& ScratchFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            path = std::filesystem::temp_directory_path() /
                   ("tessarin-fuzz-" + std::to_string(::getpid()));
            std::filesystem::remove_all(path);
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code error;
            std::filesystem::remove_all(path, error);
        }
    };
    static const Folder folder;
    return folder.path;
}

// The text with control bytes and non-ASCII bytes shown as \xNN, for messages.
inline std::string Escaped(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}
