// Any lines as a formula file: parsing never throws, yields a line of the sheet and settings in
// their ranges, and what it read survives being written and read again, in memory (any formula)
// and through a real file (formulas as a file can hold them: without line ends).

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/file_codec.h"
#include "sheet/formula_file.h"

namespace {

std::string Describe(const FormulaFileContent& c) {
    std::string s = "line " + std::to_string(c.currentLine) + " header " +
                    std::to_string(c.settings.AMODE) + std::to_string(c.settings.CMODE) +
                    std::to_string(c.settings.VMODE) + std::to_string(c.settings.COMMA) + "/" +
                    std::to_string(c.settings.HSIZE) + "/" + std::to_string(c.settings.DEGREE);
    for (int i = 0; i < kFormulaFileLines; ++i) {
        if (!c.formulas[i].empty()) s += "\n  " + std::to_string(i) + "=" + Escaped(c.formulas[i]);
    }
    return s;
}

bool SameContent(const FormulaFileContent& a, const FormulaFileContent& b) {
    return a.currentLine == b.currentLine && a.settings == b.settings && a.formulas == b.formulas;
}

void CheckParsed(const std::vector<std::string>& lines, const FormulaFileReadResult& result,
                 const std::string& input) {
    const FormulaFileContent& c = result.content;
    FUZZ_CHECK(result.status != FormulaFileStatus::Unreadable, Escaped(input));
    FUZZ_CHECK((result.status == FormulaFileStatus::NoHeader) == lines.empty(), Escaped(input));
    FUZZ_CHECK(c.currentLine >= 0 && c.currentLine < kFormulaFileLines, Describe(c));
    FUZZ_CHECK(result.Succeeded() || c.currentLine == 0, Describe(c));
    for (int flag : {c.settings.AMODE, c.settings.CMODE, c.settings.VMODE, c.settings.DEGREE})
        FUZZ_CHECK(flag == 0 || flag == 1, Describe(c));
    FUZZ_CHECK(c.settings.COMMA == 0 || c.settings.COMMA == 3 || c.settings.COMMA == 4,
               Describe(c));
    FUZZ_CHECK(c.settings.HSIZE >= 1 && c.settings.HSIZE <= 16, Describe(c));
    // With fewer than two lines there is no formula at all.
    if (lines.size() < 2) {
        for (const std::string& formula : c.formulas)
            FUZZ_CHECK(formula.empty(), Describe(c));
    }
}

// What was read, written as a file's lines and read again, is the same.
void CheckRoundTrip(const FormulaFileReadResult& result) {
    if (!result.AppliesContent()) return;
    const FormulaFileReadResult again = ParseFormulaFile(FormatFormulaFile(result.content));
    FUZZ_CHECK(again.status == FormulaFileStatus::Read, Describe(result.content));
    FUZZ_CHECK(SameContent(again.content, result.content),
               Describe(result.content) + "\nbecame\n" + Describe(again.content));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Lines cut at LF only, so that formulas may hold CR, NUL and bytes that are no UTF-8.
    std::vector<std::string> raw;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        raw.push_back(bytes.substr(start, end - start));
    if (start < bytes.size()) raw.push_back(bytes.substr(start));
    const FormulaFileReadResult parsedRaw = ParseFormulaFile(raw);
    CheckParsed(raw, parsedRaw, bytes);
    CheckRoundTrip(parsedRaw);

    // The same bytes as a file: decoded and split as the reader does, then written and read.
    const std::vector<std::string> lines = SplitLines(DecodeFileText(bytes));
    const FormulaFileReadResult parsed = ParseFormulaFile(lines);
    CheckParsed(lines, parsed, bytes);
    CheckRoundTrip(parsed);

    const std::string in = (ScratchFolder() / "in.tsf").string();
    std::ofstream(in, std::ios::binary | std::ios::trunc) << bytes;
    FormulaFileReadResult fromFile;
    ReadFormulaFile(in, fromFile);
    FUZZ_CHECK(fromFile.status == parsed.status && SameContent(fromFile.content, parsed.content),
               Escaped(bytes));

    if (parsed.AppliesContent()) {
        const std::string out = (ScratchFolder() / "out.tsf").string();
        FUZZ_CHECK(WriteFormulaFile(out, parsed.content), Describe(parsed.content));
        FormulaFileReadResult reread;
        FUZZ_CHECK(ReadFormulaFile(out, reread), Describe(parsed.content));
        FUZZ_CHECK(SameContent(reread.content, parsed.content),
                   Describe(parsed.content) + "\nbecame\n" + Describe(reread.content));
    }
    return 0;
}
