#pragma once
// Whole files as bytes, for tests that set up or check a file exactly.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// Replaces the file at path by bytes (creates it when missing).
inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The bytes of the file at path; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
