#include "app/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line_texts.h"
#include "app/input_lines.h"
#include "app/standard_output.h"
#include "export/export_text.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "expr/format_value.h"
#include "platform/file_codec.h"
#include "platform/parse_integer.h"
#include "platform/system_info.h"
#include "platform/version.h"
#include "settings/execute_parameter.h"
#include "sheet/formula_file.h"
#include "sheet/sheet_document.h"

namespace {

struct Options {
    std::optional<std::string> formula;
    std::optional<std::string> sheetFile;
    std::optional<std::string> constantFile;
    std::optional<int> cmode, vmode, comma, hsize, degree;
};

// One to three digits, no sign, a value the setting takes.
bool ParseSetting(std::string_view text, std::int32_t ExecuteParameter::*setting, int& value) {
    if (text.empty() || text.size() > 3 || text.front() == '+' || text.front() == '-') return false;
    const std::optional<std::int32_t> v = ParseInteger(text);
    if (!v || !ExecuteParameter::ValuesOf(setting).Takes(*v)) return false;
    value = *v;
    return true;
}

// Fills options from the arguments; false on a wrong argument.
bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        int number = 0;
        if (arg == "--eval" && hasValue && !options.formula && !options.sheetFile) {
            options.formula = argv[++i];
        } else if (arg == "--sheet" && hasValue && !options.formula && !options.sheetFile) {
            options.sheetFile = argv[++i];
        } else if (arg == "--constants" && hasValue) {
            options.constantFile = argv[++i];
        } else if (arg == "--integer") {
            options.cmode = 1;
        } else if (arg == "--hex") {
            // Hexadecimal display exists only for integers.
            options.cmode = 1;
            options.vmode = 1;
        } else if (arg == "--radians") {
            options.degree = 0;
        } else if (arg == "--comma" && hasValue &&
                   ParseSetting(argv[i + 1], &ExecuteParameter::COMMA, number)) {
            options.comma = number;
            ++i;
        } else if (arg == "--hsize" && hasValue &&
                   ParseSetting(argv[i + 1], &ExecuteParameter::HSIZE, number)) {
            options.hsize = number;
            ++i;
        } else {
            return false;
        }
    }
    return options.formula || options.sheetFile;
}

void ApplyModes(const Options& options, ExecuteParameter& settings) {
    if (options.cmode) settings.CMODE = *options.cmode;
    if (options.vmode) settings.VMODE = *options.vmode;
    if (options.comma) settings.COMMA = *options.comma;
    if (options.hsize) settings.HSIZE = *options.hsize;
    if (options.degree) settings.DEGREE = *options.degree;
}

// True when path is the null device, which names no constants at all.
bool IsNullDevice(const std::string& path) {
    struct stat file {};
    struct stat null {};
    return ::stat(path.c_str(), &file) == 0 && S_ISCHR(file.st_mode) &&
           ::stat("/dev/null", &null) == 0 && file.st_rdev == null.st_rdev;
}

// Why a file given on the command line could not be read.
std::string FileFailure(const std::string& path, FileStatus read) {
    if (read == FileStatus::NotText) return Texts().notText;
    if (read == FileStatus::TooLarge) {
        char text[128];
        std::snprintf(text, sizeof text, Texts().tooLarge, kMaxFormulaFileBytes >> 20);
        return text;
    }
    if (read == FileStatus::Missing) return std::strerror(ENOENT);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
    return std::strerror(::access(path.c_str(), R_OK) != 0 ? errno : EINVAL);
}

// The user's constants (or the given file's), read only; the two defaults when empty. A file
// given on the command line that cannot be read is an error (false, with a message); the
// user's own file only missing or unreadable gives the defaults, as in the window.
bool CommandLineConstants(const Options& options, std::vector<std::string>& constants) {
    const std::string path =
        options.constantFile ? *options.constantFile : DataFolder(false) + ConstantFileName;
    const FileStatus read = LoadConstants(path, constants);
    if (options.constantFile && read != FileStatus::Ok && !IsNullDevice(path)) {
        std::fprintf(stderr, "tessarin: %s: %s: %s\n", path.c_str(), Texts().cannotReadConstants,
                     FileFailure(path, read).c_str());
        return false;
    }
    if (constants.empty()) AddDefaultConstants(constants);
    return true;
}

// Evaluates each formula as line A0 of an empty sheet and prints its result text (empty for an
// empty formula); false when any formula failed. Reading stops as soon as the results can no
// longer be written.
int RunEval(const std::string& formula, CalcExpression& calc, const ExecuteParameter& settings) {
    // Only line A0 is ever written, so the sheet is otherwise empty for every formula.
    SheetDocument sheet(calc, settings);
    StandardOutput output;
    std::string out;
    bool ok = true;
    const auto evaluate = [&](const std::string& text) {
        // Full-width characters fold as the input line folds them.
        sheet.ChangeCurrentFormula(text);
        out += sheet.Result(0);
        out += '\n';
        ok = ok && !sheet.Failed(0);
    };
    const auto flush = [&] {
        output.Write(out);
        out.clear();
    };
    bool readFailed = false;
    if (formula == "-") {
        // The answers so far go out before every read that may wait, so a program talking to
        // this one through pipes gets each answer before it writes the next formula.
        InputLines input(STDIN_FILENO, flush);
        std::string line;
        while (!output.Failed() && input.Next(line))
            evaluate(line);
        readFailed = input.Failed();
    } else {
        evaluate(formula);
    }
    flush();
    if (output.Failed()) {
        output.ReportFailure(Texts().cannotWrite);
        return 1;
    }
    if (readFailed) {
        std::fprintf(stderr, "%s\n%s\n", Texts().standardInput, Texts().cannotReadFile);
        return 1;
    }
    return ok ? 0 : 1;
}

// Reads all of standard input: Unreadable on a read error, TooLarge beyond the largest formula
// file (an endless stream stops there).
FileStatus ReadStandardInput(std::string& bytes) {
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        if (bytes.size() + n > kMaxFormulaFileBytes) return FileStatus::TooLarge;
        bytes.append(buffer, n);
    }
    return std::ferror(stdin) ? FileStatus::Unreadable : FileStatus::Ok;
}

// Reads a formula file (or standard input for "-") as the open command does.
FormulaFileReadResult ReadSheetFile(const std::string& file) {
    if (file != "-") return ReadFormulaFile(file);
    FormulaFileReadResult refused;
    std::string bytes;
    refused.file = ReadStandardInput(bytes);
    if (refused.file != FileStatus::Ok) return refused;
    const std::optional<std::string> text = DecodeIfText(bytes);
    if (!text) {
        refused.file = FileStatus::NotText;
        return refused;
    }
    return ParseFormulaFile(SplitLines(*text));
}

// The export text (CR LF after each line, as the clipboard takes it) with the line ends a
// program reading standard output expects.
std::string WithLfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\r') out += c;
    }
    return out;
}

// Writes text to standard output; the exit status (1 with a message when it cannot be written).
int Print(std::string_view text) {
    StandardOutput output;
    if (output.Write(text)) return 0;
    output.ReportFailure(Texts().cannotWrite);
    return 1;
}

// Loads a formula file, recalculates it once in ring order from its current line and prints
// the export text of all three columns.
int RunSheet(const std::string& file, const Options& options, CalcExpression& calc,
             ExecuteParameter& settings) {
    const FormulaFileReadResult read = ReadSheetFile(file);
    const char* const name = file == "-" ? Texts().standardInput : file.c_str();
    // As the open command: a header whose line index is no line of the sheet is reported, and
    // the formulas still load with line 0 current. A refused file says why.
    if (!read.Succeeded()) std::fprintf(stderr, "%s\n%s\n", name, Texts().cannotReadFile);
    // Standard input that could not be read has no file to look at for the reason.
    if (read.file != FileStatus::Ok && (file != "-" || read.file != FileStatus::Unreadable))
        std::fprintf(stderr, "%s\n", FileFailure(file, read.file).c_str());
    if (read.linesLeftOut > 0) {
        std::fprintf(stderr, "%s\n", name);
        std::fprintf(stderr, Texts().linesLeftOut, read.linesLeftOut);
        std::fputc('\n', stderr);
    }
    if (!read.AppliesContent()) return 1;
    ApplyFormulaFileSettings(read.content.settings, settings);
    ApplyModes(options, settings);  // a mode given on the command line wins over the file's

    SheetDocument sheet(calc, settings);
    sheet.Load(read.content, file, {});
    return Print(WithLfLineEnds(BuildExportText(sheet, 7)));
}

}  // namespace

bool StartsWindow(int argc, char** argv) {
    return argc == 1 || (argc == 2 && argv[1][0] != '\0' && argv[1][0] != '-');
}

int RunCommandLine(int argc, char** argv) {
    const std::string_view first = argv[1];
    if (argc == 2 && first == "--help") return Print(Texts().usage);
    if (argc == 2 && first == "--version") {
        return Print(std::string("Tessarin ") + kProductVersion + "\n");
    }
    Options options;
    if (!ParseArguments(argc, argv, options)) {
        std::fputs(Texts().usage, stderr);
        return 2;
    }

    ExecuteParameter settings;
    ApplyModes(options, settings);
    CalcExpression evaluator;
    if (!CommandLineConstants(options, evaluator.Constants)) return 1;
    return options.formula ? RunEval(*options.formula, evaluator, settings)
                           : RunSheet(*options.sheetFile, options, evaluator, settings);
}
