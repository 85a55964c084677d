#include "sheet/formula_typing.h"

#include <algorithm>

#include "expr/half_width.h"
#include "sheet/line_count.h"

namespace {

bool IsOperator(char32_t c) {
    return c == '^' || c == '*' || c == '/' || c == '+' || c == '-';
}

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::u16string Utf16Of(char32_t c) {
    if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

std::u16string LabelOf(int line) {
    const std::string label = "A" + std::to_string(line);
    return std::u16string(label.begin(), label.end());
}

}  // namespace

TypingResult FormulaTyping::Insert(const TypedLine& line, std::u16string_view text, bool limited) {
    const int start = line.selectionLength > 0 ? line.selectionStart : line.caret;
    const int end = line.selectionLength > 0 ? start + line.selectionLength : line.caret;
    if (limited) {
        const int room =
            FormulaTyping::kTypingLimit - (int(line.text.size()) - line.selectionLength);
        if (room <= 0 && !text.empty()) return {};
        if (room < int(text.size())) {
            std::size_t keep = std::max(room, 0);
            if (keep > 0 && IsHighSurrogate(text[keep - 1])) --keep;
            text = text.substr(0, keep);
        }
    }
    TypingResult result;
    result.edits = true;
    result.text = line.text.substr(0, start);
    result.text += text;
    result.text += line.text.substr(end);
    result.caret = start + int(text.size());
    return result;
}

int FormulaTyping::CaretPlace(std::u16string_view text) {
    const std::size_t pair = text.find(u"()");
    return pair == std::u16string_view::npos ? int(text.size()) : int(pair) + 1;
}

std::u32string FormulaTyping::Committed(std::u16string_view text) {
    std::u32string characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (const char half = HalfWidthOf(c)) c = static_cast<unsigned char>(half);
        // Mozc converts the minus key of a number to the minus sign.
        if (c == U'\u2212') c = '-';
        if (c < 0x20 || c == 0x7F) continue;
        characters.push_back(c);
    }
    return characters;
}

bool FormulaTyping::StepsOverClose(const TypedLine& line) {
    const std::u16string& text = line.text;
    const auto endsWith = [&text](const std::u16string& tail) {
        return text.size() >= tail.size() &&
               text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    };
    // Typing before a pending ")" leaves the line ending with its tail; anything else ends it.
    while (!completedTails_.empty() && !endsWith(completedTails_.back()))
        completedTails_.pop_back();
    if (completedTails_.empty() || line.selectionLength > 0) return false;
    if (int(text.size()) - line.caret != int(completedTails_.back().size())) return false;
    completedTails_.pop_back();
    return true;
}

TypingResult FormulaTyping::Type(const TypedLine& line, char32_t character,
                                 const TypingContext& context) {
    if (character == 0) return {};
    // Japanese and other characters beyond ASCII go in as they are.
    if (character >= 128) return Insert(line, Utf16Of(character), true);
    const char32_t up =
        (character >= 'a' && character <= 'z') ? character - ('a' - 'A') : character;
    if (up == ' ') return {};
    if (up == '\r') {
        TypingResult result;
        result.toNextLine = context.line < kLastLine;
        return result;
    }
    if (up == ')' && StepsOverClose(line)) {
        return {false, true, line.text, line.caret + 1};
    }
    if (up == '(' && context.completeParentheses) {
        const int at = line.selectionLength > 0 ? line.selectionStart : line.caret;
        TypingResult result = Insert(line, u"()", true);
        if (!result.edits) return result;
        result.caret = CaretPlace(result.text);
        if (result.caret == at + 1 && result.text.compare(at, 2, u"()") == 0)
            completedTails_.push_back(result.text.substr(result.caret));
        return result;
    }
    TypedLine typed = line;
    TypingResult result;
    if (context.calculatorMode && IsOperator(up)) {
        // At the end of a line with a value, an operator continues the calculation below.
        const int start = line.selectionLength > 0 ? line.selectionStart : line.caret;
        if (context.line < kLastLine && context.nextLineEmpty && start == int(line.text.size()) &&
            context.lineHasValue) {
            result.toNextLine = true;
            typed = TypedLine{};
        }
        const int current = result.toNextLine ? context.line + 1 : context.line;
        if (typed.text.empty() && current > 0) {
            typed.text = LabelOf(current - 1);
            typed.caret = int(typed.text.size());
        }
    }
    if (!context.calculatorMode && typed.text.empty() &&
        std::u32string_view(U")^*/+").find(up) != std::u32string_view::npos) {
        return {};
    }
    const TypingResult inserted = Insert(typed, Utf16Of(up), true);
    if (!inserted.edits && !result.toNextLine && typed.text == line.text) return {};
    result.edits = true;
    result.text = inserted.edits ? inserted.text : typed.text;
    result.caret = inserted.edits ? inserted.caret : typed.caret;
    return result;
}
