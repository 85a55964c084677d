#pragma once
// The formula file (*.tsf): a nine-digit header with the current line and six settings, then
// one "k=formula" line per line of the sheet whose formula is not empty. Formatting and parsing
// work on lines of text; the two file helpers add the codec and crash-safe writing.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_status.h"
#include "settings/execute_parameter.h"
#include "sheet/line_count.h"

// The settings a formula file carries, with the values a header gives when a field is unreadable
// (the two digit counts fall back to their settings' defaults).
struct FormulaFileSettings {
    int AMODE = 0;
    int CMODE = 0;
    int VMODE = 0;
    int COMMA = ExecuteParameter::DefaultOf(&ExecuteParameter::COMMA);
    int HSIZE = ExecuteParameter::DefaultOf(&ExecuteParameter::HSIZE);
    int DEGREE = 0;

    bool operator==(const FormulaFileSettings&) const = default;
};

// What a formula file holds: the current line, the settings and the 100 formulas.
struct FormulaFileContent {
    int currentLine = 0;
    FormulaFileSettings settings;
    std::array<std::string, kLineCount> formulas;
};

// The largest formula file read: far more than 100 lines can hold (a pasted line may have a
// million characters). A larger file is refused before it is read.
constexpr std::size_t kMaxFormulaFileBytes = std::size_t{256} << 20;

enum class FormulaFileStatus {
    Read,          // everything read
    Unreadable,    // the file could not be opened or read: leave the sheet as it is
    NoHeader,      // the file has no line at all: the sheet is emptied, nothing else applies
    BadLineIndex,  // the header's line index is no line of the sheet: settings and formulas
                   // apply, the current line is 0
};

struct FormulaFileReadResult {
    FormulaFileStatus status = FormulaFileStatus::Unreadable;
    // Why the file was Unreadable (Missing, Unreadable, NotText, TooLarge); Ok otherwise.
    FileStatus file = FileStatus::Ok;
    // currentLine is 0 unless the status is Read; formulas and settings are those read so far
    // (all empty and the defaults when nothing was read).
    FormulaFileContent content;
    // Lines of the file the sheet cannot hold, which were left out: formulas for lines past A99,
    // and a formula on the first line, where the header belongs (the header's fields then take
    // their defaults). A save would not write them again.
    int linesLeftOut = 0;

    bool Succeeded() const { return status == FormulaFileStatus::Read; }
    // The sheet is emptied before the result is applied: every status but Unreadable.
    bool EmptiesSheet() const { return status != FormulaFileStatus::Unreadable; }
    // The header's settings and the formulas replace the current ones.
    bool AppliesContent() const {
        return status == FormulaFileStatus::Read || status == FormulaFileStatus::BadLineIndex;
    }
};

// The lines of the file, without line ends: the header, then "k=formula" in line order for every
// formula that is not empty (a formula of blanks is written). Values that do not fit their
// header field are brought into the settings' ranges first, so the header is always nine digits.
std::vector<std::string> FormatFormulaFile(const FormulaFileContent& content);

// Reads the lines of a file (status Read, NoHeader or BadLineIndex). Header fields beyond the
// end of the line or not an integer take their defaults; values outside the settings' ranges
// are brought into them. Formula lines without "=", or whose index is not an integer in 0..99,
// are skipped, and counted in linesLeftOut when the index is above 99; a later line for the
// same index replaces an earlier one.
FormulaFileReadResult ParseFormulaFile(const std::vector<std::string>& lines);

// The file's settings become the program's.
void ApplyFormulaFileSettings(const FormulaFileSettings& settings, ExecuteParameter& record);

// Reads and parses the file at path (its bytes, whatever their encoding). A file larger than
// kMaxFormulaFileBytes, or with a NUL byte in its first block, is refused before it is read.
[[nodiscard]] FormulaFileReadResult ReadFormulaFile(const std::string& path);

// Writes the file at path (CR LF line ends, CP932 or UTF-8 with a byte-order mark when CP932
// cannot hold a character). The file is replaced whole or not at all; Unwritable on failure. A
// formula holding CR or LF cannot be one line of the file and would come back as other lines, and
// one holding NUL would make the file no text, so such a sheet is refused and the file left as it
// was (the window never holds one).
FileStatus WriteFormulaFile(const std::string& path, const FormulaFileContent& content);
