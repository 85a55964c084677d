// Any bytes as the settings file: the settings record reads what it can, writes the file back
// as exactly its 31 lines in their fixed order, and a second start reads the same settings
// from the file the first one wrote. The record works on the file's bytes in memory: reading
// and writing the file itself is the text file layer, which the formula-file target runs.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/file_codec.h"
#include "settings/execute_parameter.h"

namespace {

const char* const kKeys[] = {
    "COMPUTER ", "OSINFO   ", "USER     ", "PROGRAM  ", "EXEPATH  ", "START    ", "QUIT     ",
    "WIDTH    ", "HEIGHT   ", "LEFT     ", "TOP      ", "RWIDTH   ", "TOOL     ", "FUNCTION ",
    "STATUS   ", "FLASH    ", "ASK      ", "AMODE    ", "CMODE    ", "VMODE    ", "RTIME    ",
    "RKAKKO   ", "RSUM     ", "ECELL    ", "EOUT     ", "COMMA    ", "HSIZE    ", "DEGREE   ",
    "TRANS    ", "TMOST    ", "FOLDER   "};

void CheckWrittenFile(const std::string& written, const std::string& input) {
    const std::vector<std::string> lines = DecodeFileLines(written);
    FUZZ_CHECK(lines.size() == 31, Escaped(input) + ": " + std::to_string(lines.size()) + " lines");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i].starts_with(std::string(kKeys[i]) + "="),
                   "line " + std::to_string(i + 1) + ": " + Escaped(lines[i]));
    }
}

// The settings a start reads from the file, as one comparable text.
std::string Settings(const ExecuteParameter& p) {
    std::string s;
    for (std::int32_t value :
         {p.WIDTH, p.HEIGHT, p.LEFT,  p.TOP,    p.RWIDTH, p.TOOL,  p.FUNCTION, p.STATUS,
          p.FLASH, p.ASK,    p.AMODE, p.CMODE,  p.VMODE,  p.RTIME, p.RKAKKO,   p.RSUM,
          p.EOUT,  p.COMMA,  p.HSIZE, p.DEGREE, p.TRANS,  p.TMOST}) {
        s += std::to_string(value) + ";";
    }
    return s + "ECELL=" + Escaped(p.ECELL) + ";FOLDER=" + Escaped(p.FOLDER);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // A start on the file, then its end.
    ExecuteParameter first;
    first.LoadBytes(bytes);
    first.ReadSettings();
    first.RecordStart();
    CheckWrittenFile(first.SavedBytes(), bytes);
    const std::string settings = Settings(first);
    first.RecordQuit();
    const std::string written = first.SavedBytes();
    CheckWrittenFile(written, bytes);

    // The next start, on the file the first one left.
    ExecuteParameter again;
    again.LoadBytes(written);
    again.ReadSettings();
    FUZZ_CHECK(Settings(again) == settings,
               Escaped(bytes) + "\nfirst:  " + settings + "\nsecond: " + Settings(again));
    return 0;
}
