// Any bytes as a constant file: loading never fails on content, the lines hold no line ends,
// and saving then loading again gives back exactly the same list. The list goes through the
// file's bytes in memory, as the load and the save encode them: reading and writing the file
// itself is the text file layer, which the formula-file target runs.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/file_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> loaded = DecodeFileLines(bytes);
    for (const std::string& line : loaded) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, Escaped(line));
    }

    const std::vector<std::string> reloaded = DecodeFileLines(EncodeFileLines(loaded));
    FUZZ_CHECK(reloaded.size() == loaded.size(),
               Escaped(bytes) + ": " + std::to_string(loaded.size()) + " lines, then " +
                   std::to_string(reloaded.size()));
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        FUZZ_CHECK(reloaded[i] == loaded[i], "line " + std::to_string(i) + " \"" +
                                                 Escaped(loaded[i]) + "\" came back as \"" +
                                                 Escaped(reloaded[i]) + "\"");
    }
    return 0;
}
