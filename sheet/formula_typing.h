#pragma once
// What a character typed into the input line does: lower case becomes upper case, blanks are
// refused, "(" completes to "()" and a ")" typed before the completed one steps over it, a
// formula cannot begin with ) ^ * / +, Return moves to the next line, and in calculator mode an
// operator typed at the end of a line with a value moves to the next line, where it follows the
// label of the line before. Typing adds at most up to kTypingLimit characters to a line.
//
// Texts and positions count UTF-16 units, as the input line does.

#include <string>
#include <string_view>
#include <vector>

// The input line as typing meets it.
struct TypedLine {
    std::u16string text;
    int caret = 0;
    int selectionStart = 0;  // where the selection begins; selectionLength 0 for none
    int selectionLength = 0;
};

// What typing needs to know of the sheet and the modes.
struct TypingContext {
    int line = 0;                     // the current line
    bool calculatorMode = false;      // AMODE 1
    bool completeParentheses = true;  // RKAKKO
    bool nextLineEmpty = true;        // the next line has no formula
    bool lineHasValue = false;        // the current line has a value
};

struct TypingResult {
    bool toNextLine = false;  // the next line becomes current first
    bool edits = false;       // then the line becomes text, with the caret at caret
    std::u16string text;
    int caret = 0;
};

class FormulaTyping {
public:
    static constexpr int kTypingLimit = 300;

    // What character does to line; neither a move nor an edit when it is refused.
    TypingResult Type(const TypedLine& line, char32_t character, const TypingContext& context);
    // The line gets another formula: no completed ")" is pending any more.
    void Forget() { completedTails_.clear(); }

    // Text inserted at the caret in place of the selection; with limited, cut to the room the
    // typing limit leaves (nothing at all when there is none, never half a surrogate pair).
    static TypingResult Insert(const TypedLine& line, std::u16string_view text, bool limited);
    // The caret's place after the program put a text in: inside the first "()", else the end.
    static int CaretPlace(std::u16string_view text);
    // The characters an input method committed, as typing takes them: folded to half width,
    // the minus sign as "-", control characters dropped.
    static std::u32string Committed(std::u16string_view text);

private:
    bool StepsOverClose(const TypedLine& line);

    // The text right of the caret just after each completion still pending, innermost last:
    // while only the text before it changes, the line keeps ending with it.
    std::vector<std::u16string> completedTails_;
};
