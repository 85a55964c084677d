#include "sheet/formula_typing.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string U16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// Types each character into line as the input line does, on a line that stays current.
TypedLine TypeAll(FormulaTyping& typing, TypedLine line, const std::u32string& typed,
                  const TypingContext& context) {
    for (const char32_t c : typed) {
        const TypingResult result = typing.Type(line, c, context);
        if (result.edits) line = {result.text, result.caret, result.caret, 0};
    }
    return line;
}

TypedLine AtEnd(const std::string& text) {
    const int end = int(text.size());
    return {U16(text), end, end, 0};
}

TEST(FormulaTyping, CharacterRules) {
    const struct {
        const char* name;
        bool calculator;
        bool complete;
        const char* start;  // caret at the end
        const char32_t* typed;
        const char16_t* text;
        int caret;
    } rows[] = {
        {"lower case becomes upper", false, true, "", U"a", u"A", 1},
        {"blanks are refused", false, true, "", U"1 + 2", u"1+2", 3},
        {"parenthesis completes", false, true, "", U"sin(", u"SIN()", 4},
        {"parenthesis alone", false, false, "", U"sin(", u"SIN(", 4},
        {"caret into first pair", false, true, "()+", U"(", u"()+()", 1},
        {"close steps over the completed one", false, true, "", U"sin(30)", u"SIN(30)", 7},
        {"nested closes step over in turn", false, true, "", U"sin(cos(1))+1", u"SIN(COS(1))+1",
         13},
        {"a close the completion did not insert goes in", false, true, "", U"(1)2)", u"(1)2)", 5},
        {"closes without completion go in", false, false, "", U"sin(30)", u"SIN(30)", 7},
        {"formula cannot start with * ) ^ / +", false, true, "", U"*)^/+", u"", 0},
        {"formula may start with -", false, true, "", U"-5", u"-5", 2},
        {"formula may start with (", false, false, "", U"(", u"(", 1},
        {"operators after an operand", false, true, "", U"2*3/4^5+1", u"2*3/4^5+1", 9},
        {"calculator mode on line 0 takes +", true, true, "", U"+", u"+", 1},
        {"characters beyond ASCII go in unchanged", false, true, "", U"あｱ１", u"あｱ１", 3},
    };
    for (const auto& row : rows) {
        FormulaTyping typing;
        TypingContext context;
        context.calculatorMode = row.calculator;
        context.completeParentheses = row.complete;
        const TypedLine line = TypeAll(typing, AtEnd(row.start), row.typed, context);
        EXPECT_EQ(line.text, row.text) << row.name;
        EXPECT_EQ(line.caret, row.caret) << row.name;
    }
}

TEST(FormulaTyping, CalculatorModeAdvancesAndChains) {
    const struct {
        const char* name;
        int line;
        const char* formula;
        bool hasValue;
        bool nextEmpty;
        bool caretAtEnd;
        char32_t typed;
        bool toNext;
        const char* text;
    } rows[] = {
        {"advance and chain", 0, "12", true, true, true, '+', true, "A0+"},
        {"every operator advances", 4, "3", true, true, true, '^', true, "A4^"},
        {"failing line stays", 0, "1/0", false, true, true, '+', false, "1/0+"},
        {"empty line chains the line before", 6, "", false, true, true, '*', false, "A5*"},
        {"line 99 stays", 99, "12", true, true, true, '+', false, "12+"},
        {"next line taken", 0, "12", true, false, true, '-', false, "12-"},
        {"caret inside", 0, "12", true, true, false, '+', false, "1+2"},
        {"parenthesis does not advance", 0, "12", true, true, true, '(', false, "12()"},
    };
    for (const auto& row : rows) {
        FormulaTyping typing;
        const TypingContext context{row.line, true, true, row.nextEmpty, row.hasValue};
        TypedLine line = AtEnd(row.formula);
        if (!row.caretAtEnd) line.caret = line.selectionStart = line.caret - 1;
        const TypingResult result = typing.Type(line, row.typed, context);
        EXPECT_EQ(result.toNextLine, row.toNext) << row.name;
        EXPECT_TRUE(result.edits) << row.name;
        EXPECT_EQ(result.text, U16(row.text)) << row.name;
    }
}

// Return moves on below the last line only; typing stops at the limit, whatever was loaded.
TEST(FormulaTyping, ReturnAndTheTypingLimit) {
    FormulaTyping typing;
    TypingContext context;
    context.line = 42;
    EXPECT_TRUE(typing.Type(AtEnd("1"), '\r', context).toNextLine);
    context.line = 99;
    const TypingResult last = typing.Type(AtEnd("1"), '\r', context);
    EXPECT_FALSE(last.toNextLine || last.edits);

    const std::string ones(320, '1');
    EXPECT_FALSE(typing.Type(AtEnd(ones), '2', context).edits);
    TypedLine selected = AtEnd(ones);
    selected.selectionStart = 0;
    selected.selectionLength = 21;
    const TypingResult replaced = typing.Type(selected, '2', context);
    EXPECT_EQ(replaced.text, u"2" + U16(std::string(299, '1')));
    const TypingResult cut = FormulaTyping::Insert(AtEnd(std::string(299, '1')), u"()", true);
    EXPECT_EQ(cut.text, U16(std::string(299, '1') + "("));
}

TEST(FormulaTyping, CommittedTextIsTakenAsTyped) {
    EXPECT_EQ(FormulaTyping::Committed(u"１２＋３\u2212４\t　"), U"12+3-4 ");
    EXPECT_EQ(FormulaTyping::Committed(u"\U0001F600"), U"\U0001F600");
}

}  // namespace
