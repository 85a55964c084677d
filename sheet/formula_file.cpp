#include "sheet/formula_file.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/parse_integer.h"
#include "platform/text_file.h"
#include "settings/execute_parameter.h"

namespace {

// The characters first .. first+count-1 (counted from 0) of a UTF-8 line, as far as the line
// reaches; fields are located by character, so a stray non-ASCII character shifts nothing.
std::string_view CharacterField(std::string_view line, std::size_t first, std::size_t count) {
    std::size_t index = 0;
    std::size_t begin = line.size();
    std::size_t end = line.size();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;
        if (index == first) begin = i;
        if (index == first + count) {
            end = i;
            break;
        }
        ++index;
    }
    return begin < end ? line.substr(begin, end - begin) : std::string_view();
}

int FieldOrDefault(std::string_view header, std::size_t first, std::size_t count, int fallback) {
    return ParseInteger(CharacterField(header, first, count)).value_or(fallback);
}

// The values the settings take; a flag's "on" is kept as 1.
FormulaFileSettings Normalized(FormulaFileSettings settings) {
    using P = ExecuteParameter;
    settings.AMODE = P::ValuesOf(&P::AMODE).Within(settings.AMODE);
    settings.CMODE = P::ValuesOf(&P::CMODE).Within(settings.CMODE);
    settings.VMODE = P::ValuesOf(&P::VMODE).Within(settings.VMODE);
    settings.COMMA = P::ValuesOf(&P::COMMA).Within(settings.COMMA);
    settings.HSIZE = P::ValuesOf(&P::HSIZE).Within(settings.HSIZE);
    settings.DEGREE = P::ValuesOf(&P::DEGREE).Within(settings.DEGREE);
    return settings;
}

// An index of digits only that names a line after the last one (too large for any integer too).
bool IsPastLastLine(std::string_view index) {
    if (index.empty() || index.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const std::optional<std::int32_t> value = ParseInteger(index);
    return !value || *value >= kLineCount;
}

}  // namespace

std::vector<std::string> FormatFormulaFile(const FormulaFileContent& content) {
    const FormulaFileSettings settings = Normalized(content.settings);
    char header[32];
    std::snprintf(header, sizeof header, "%02d%d%d%d%d%02d%d",
                  std::clamp(content.currentLine, 0, kLastLine), settings.AMODE, settings.CMODE,
                  settings.VMODE, settings.COMMA, settings.HSIZE, settings.DEGREE);
    std::vector<std::string> lines{header};
    for (int i = 0; i < kLineCount; ++i) {
        const std::string& formula = content.formulas[static_cast<std::size_t>(i)];
        if (!formula.empty()) lines.push_back(std::to_string(i) + "=" + formula);
    }
    return lines;
}

FormulaFileReadResult ParseFormulaFile(const std::vector<std::string>& lines) {
    FormulaFileReadResult result;
    if (lines.empty()) {
        result.status = FormulaFileStatus::NoHeader;
        return result;
    }
    // A formula where the header belongs is no header: its fields would read digits of the
    // formula.
    const bool formulaFirst = lines.front().find('=') != std::string::npos;
    if (formulaFirst) ++result.linesLeftOut;
    const std::string_view header = formulaFirst ? std::string_view() : lines.front();
    const int currentLine = FieldOrDefault(header, 0, 2, 0);
    FormulaFileSettings& settings = result.content.settings;
    const FormulaFileSettings defaults;
    settings.AMODE = FieldOrDefault(header, 2, 1, defaults.AMODE);
    settings.CMODE = FieldOrDefault(header, 3, 1, defaults.CMODE);
    settings.VMODE = FieldOrDefault(header, 4, 1, defaults.VMODE);
    settings.COMMA = FieldOrDefault(header, 5, 1, defaults.COMMA);
    settings.HSIZE = FieldOrDefault(header, 6, 2, defaults.HSIZE);
    settings.DEGREE = FieldOrDefault(header, 8, 1, defaults.DEGREE);
    settings = Normalized(settings);

    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string_view indexText = std::string_view(line).substr(0, equals);
        const std::optional<std::int32_t> index = ParseInteger(indexText);
        if (!index || *index < 0 || *index >= kLineCount) {
            if (IsPastLastLine(indexText)) ++result.linesLeftOut;
            continue;
        }
        result.content.formulas[static_cast<std::size_t>(*index)] = line.substr(equals + 1);
    }

    if (currentLine < 0 || currentLine >= kLineCount) {
        result.status = FormulaFileStatus::BadLineIndex;
    } else {
        result.status = FormulaFileStatus::Read;
        result.content.currentLine = currentLine;
    }
    return result;
}

FormulaFileReadResult ReadFormulaFile(const std::string& path) {
    std::vector<std::string> lines;
    const FileStatus read = ReadTextFile(path, lines, kMaxFormulaFileBytes);
    if (read != FileStatus::Ok) {
        FormulaFileReadResult refused;
        refused.file = read;
        return refused;
    }
    return ParseFormulaFile(lines);
}

FileStatus WriteFormulaFile(const std::string& path, const FormulaFileContent& content) {
    for (const std::string& formula : content.formulas) {
        if (formula.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
            return FileStatus::Unwritable;
        }
    }
    return WriteTextFile(path, FormatFormulaFile(content));
}

void ApplyFormulaFileSettings(const FormulaFileSettings& settings, ExecuteParameter& record) {
    record.AMODE = settings.AMODE;
    record.CMODE = settings.CMODE;
    record.VMODE = settings.VMODE;
    record.COMMA = settings.COMMA;
    record.HSIZE = settings.HSIZE;
    record.DEGREE = settings.DEGREE;
}
