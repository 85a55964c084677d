// Any bytes as a constant file: loading never fails on content, the lines hold no line ends,
// and saving then loading again gives back exactly the same list.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "expr/constant_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = (ScratchFolder() / ConstantFileName).string();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    std::vector<std::string> loaded;
    FUZZ_CHECK(LoadConstants(path, loaded) == ReadResult::Read, Escaped(bytes));
    for (const std::string& line : loaded) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, Escaped(line));
    }

    FUZZ_CHECK(SaveConstants(path, loaded), Escaped(bytes));
    std::vector<std::string> reloaded{"left over"};
    FUZZ_CHECK(LoadConstants(path, reloaded) == ReadResult::Read, Escaped(bytes));
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
