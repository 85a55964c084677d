#pragma once
// Whole-file reading and crash-safe writing of the program's text files.

#include <string>
#include <vector>

enum class ReadResult { Read, Missing, Unreadable };

// Reads and decodes the file at path into lines (see file_codec.h); lines are left untouched
// unless the result is Read.
ReadResult ReadTextFile(const std::string& path, std::vector<std::string>& lines);

// Encodes lines (CR LF after each) and writes them to a temporary file in the same folder,
// which is then renamed over path: a failure never leaves a truncated or half-written file.
// False when anything failed; the old file is then unchanged.
bool WriteTextFile(const std::string& path, const std::vector<std::string>& lines);
