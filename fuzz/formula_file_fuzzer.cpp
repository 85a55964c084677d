// Any lines as a formula file: parsing never throws, yields a line of the sheet and settings in
// their ranges, and what it read survives being written and read again, in memory (any formula)
// as the file's bytes, and through a real file (formulas as a file can hold them: without line
// ends). And any sheet of formulas made of every control character and a few others: written
// and read back equal through a real file, or refused when a formula holds CR or LF, the old
// file kept. The real files are this target's alone: the settings-file and constant-file
// targets work on the file's bytes in memory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/file_codec.h"
#include "sheet/formula_file.h"
#include "tests/support/file_bytes.h"

namespace {

std::string Describe(const FormulaFileContent& c) {
    std::string s = "line " + std::to_string(c.currentLine) + " header " +
                    std::to_string(c.settings.AMODE) + std::to_string(c.settings.CMODE) +
                    std::to_string(c.settings.VMODE) + std::to_string(c.settings.COMMA) + "/" +
                    std::to_string(c.settings.HSIZE) + "/" + std::to_string(c.settings.DEGREE);
    for (int i = 0; i < kLineCount; ++i) {
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
    FUZZ_CHECK(c.currentLine >= 0 && c.currentLine < kLineCount, Describe(c));
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

// Every control character but CR and LF, DEL, the Unicode line ends that are no line ends of
// the file, a byte-order mark, and characters of formulas: ASCII, Japanese, and U+301C that
// CP932 lacks.
const std::vector<std::string>& Palette() {
    static const std::vector<std::string> palette = [] {
        std::vector<std::string> p;
        for (char c = 0; c < 0x20; ++c) {
            if (c != '\r' && c != '\n') p.emplace_back(1, c);
        }
        for (const char* s : {"\x7F", "\u0085", "\u2028", "\u2029", "\uFEFF", "1", "+", "=", "A",
                              " ", "\u3042", "\uFF5E", "\u301C"})
            p.emplace_back(s);
        return p;
    }();
    return palette;
}

// A sheet whose formulas the bytes pick, line after line: 0xFE is CR, 0xFF LF, any other byte
// an entry of the palette.
FormulaFileContent PaletteSheet(const std::string& bytes) {
    FormulaFileContent content;
    content.currentLine = static_cast<int>(bytes.size() % kLineCount);
    content.settings.DEGREE = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto pick = static_cast<unsigned char>(bytes[i]);
        std::string& formula = content.formulas[(i / 3) % kLineCount];
        if (pick >= 0xFE) {
            formula += pick == 0xFE ? '\r' : '\n';
        } else {
            formula += Palette()[pick % Palette().size()];
        }
    }
    return content;
}

// A line break or a NUL: the writer refuses such a sheet (the file would not read back).
bool HoldsLineBreakOrNul(const FormulaFileContent& content) {
    for (const std::string& formula : content.formulas) {
        if (formula.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return true;
    }
    return false;
}

void CheckPaletteSheet(const std::string& bytes) {
    const FormulaFileContent content = PaletteSheet(bytes);
    const std::string path = (ScratchFolder() / "palette.tsf").string();
    const std::string old = "000003081\r\n0=1\r\n";
    WriteBytes(path, old);
    if (HoldsLineBreakOrNul(content)) {
        FUZZ_CHECK(WriteFormulaFile(path, content) != FileStatus::Ok, Describe(content));
        FUZZ_CHECK(ReadBytes(path) == old, Describe(content));
        return;
    }
    FUZZ_CHECK(WriteFormulaFile(path, content) == FileStatus::Ok, Describe(content));
    const FormulaFileReadResult reread = ReadFormulaFile(path);
    FUZZ_CHECK(reread.status == FormulaFileStatus::Read, Describe(content));
    FUZZ_CHECK(SameContent(reread.content, content),
               Describe(content) + "\nbecame\n" + Describe(reread.content));
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
    const std::vector<std::string> lines = DecodeFileLines(bytes);
    const FormulaFileReadResult parsed = ParseFormulaFile(lines);
    CheckParsed(lines, parsed, bytes);
    CheckRoundTrip(parsed);
    if (parsed.AppliesContent()) {
        // The file's bytes as the writer encodes them, read back as the reader decodes them.
        const FormulaFileReadResult fromBytes =
            ParseFormulaFile(DecodeFileLines(EncodeFileLines(FormatFormulaFile(parsed.content))));
        FUZZ_CHECK(SameContent(fromBytes.content, parsed.content),
                   Describe(parsed.content) + "\nbecame\n" + Describe(fromBytes.content));
    }

    // Real files for one input in eight, chosen by its bytes so that a finding replays: the
    // file layer costs more than everything else here.
    unsigned sum = 0;
    for (unsigned char c : bytes)
        sum += c;
    if (sum % 8 != 0) return 0;
    if (parsed.AppliesContent() && !HoldsLineBreakOrNul(parsed.content)) {
        const std::string out = (ScratchFolder() / "out.tsf").string();
        FUZZ_CHECK(WriteFormulaFile(out, parsed.content) == FileStatus::Ok,
                   Describe(parsed.content));
        const FormulaFileReadResult reread = ReadFormulaFile(out);
        FUZZ_CHECK(reread.status == FormulaFileStatus::Read, Describe(parsed.content));
        FUZZ_CHECK(SameContent(reread.content, parsed.content),
                   Describe(parsed.content) + "\nbecame\n" + Describe(reread.content));
    }
    CheckPaletteSheet(bytes);
    return 0;
}
