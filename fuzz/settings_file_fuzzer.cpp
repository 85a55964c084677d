// Any bytes as the settings file: the settings record reads what it can, writes the file back
// as exactly its 31 lines in their fixed order, and a second start reads the same settings
// from the file the first one wrote. The record works on the file's bytes in memory: reading
// and writing the file itself is the text file layer, which the formula-file target runs.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/system_info.h"
#include "settings/execute_parameter.h"

namespace {

const char* const kKeys[] = {
    "COMPUTER ", "OSINFO   ", "USER     ", "PROGRAM  ", "EXEPATH  ", "START    ", "QUIT     ",
    "WIDTH    ", "HEIGHT   ", "LEFT     ", "TOP      ", "RWIDTH   ", "TOOL     ", "FUNCTION ",
    "STATUS   ", "FLASH    ", "ASK      ", "AMODE    ", "CMODE    ", "VMODE    ", "RTIME    ",
    "RKAKKO   ", "RSUM     ", "ECELL    ", "EOUT     ", "COMMA    ", "HSIZE    ", "DEGREE   ",
    "TRANS    ", "TMOST    ", "FOLDER   "};

// The settings record with the lines it holds open to the checks.
class Record : public ExecuteParameter {
public:
    using DatafileAccess::Lines;
};

void CheckWrittenLines(const std::vector<std::string>& lines, const std::string& input) {
    FUZZ_CHECK(lines.size() == 31, Escaped(input) + ": " + std::to_string(lines.size()) + " lines");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view key = kKeys[i];
        FUZZ_CHECK(lines[i].starts_with(key) && lines[i].size() > key.size() &&
                       lines[i][key.size()] == '=',
                   "line " + std::to_string(i + 1) + ": " + Escaped(lines[i]));
    }
}

// The settings a start reads from the file.
struct Settings {
    std::vector<std::int32_t> integers;
    std::string ecell, folder;

    explicit Settings(const ExecuteParameter& p)
        : integers{p.WIDTH, p.HEIGHT, p.LEFT,  p.TOP,    p.RWIDTH, p.TOOL,  p.FUNCTION, p.STATUS,
                   p.FLASH, p.ASK,    p.AMODE, p.CMODE,  p.VMODE,  p.RTIME, p.RKAKKO,   p.RSUM,
                   p.EOUT,  p.COMMA,  p.HSIZE, p.DEGREE, p.TRANS,  p.TMOST},
          ecell(p.ECELL),
          folder(p.FOLDER) {}
    bool operator==(const Settings&) const = default;

    std::string Text() const {
        std::string s;
        for (std::int32_t value : integers)
            s += std::to_string(value) + ";";
        return s + "ECELL=" + Escaped(ecell) + ";FOLDER=" + Escaped(folder);
    }
};

}  // namespace

// The target runs as a portable copy, whose settings live beside the program: the default of
// FOLDER is then found without asking the file system at every start.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TESSARIN_DATA_DIR", ExecutableFolder().c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // A start on the file, then its end.
    Record first;
    first.LoadBytes(bytes);
    first.ReadSettings();
    first.RecordStart();
    CheckWrittenLines(first.Lines(), bytes);
    const Settings settings(first);
    first.RecordQuit();

    // The next start, on the file the first one left: every line came back as written.
    Record again;
    again.LoadBytes(first.SavedBytes());
    FUZZ_CHECK(again.Lines() == first.Lines(), Escaped(bytes) + ": the file read back differs");
    CheckWrittenLines(again.Lines(), bytes);
    again.ReadSettings();
    FUZZ_CHECK(Settings(again) == settings, Escaped(bytes) + "\nfirst:  " + settings.Text() +
                                                "\nsecond: " + Settings(again).Text());
    return 0;
}
