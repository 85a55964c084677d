#include "sheet/sheet_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"

namespace {

// Bit-exact comparison with the sentinel: only the 80 significant bits of a long double count.
bool IsSentinel(Extended v) {
    const Extended sentinel = ErrorValue;
    return std::memcmp(&v, &sentinel, 10) == 0;
}

// A sheet over its own settings and evaluator, counting what it tells its observer.
struct Sheet {
    ExecuteParameter settings;
    CalcExpression calc;
    SheetDocument sheet{calc, settings};
    std::vector<SheetChange> changes;
    SheetDocument::Subscription subscription =
        sheet.Observe([this](const SheetChange& change) { changes.push_back(change); });

    // The formulas as a file holds them, recalculated in the given number of passes.
    void Load(const std::map<int, std::string>& formulas, int current, int passes = 1) {
        FormulaFileContent content;
        for (const auto& [line, formula] : formulas)
            content.formulas[line] = formula;
        content.currentLine = current;
        sheet.Load(content, "sheet.tsf", {});
        for (int i = 1; i < passes; ++i)
            sheet.RecalcAll();
        changes.clear();
    }
    void Type(int line, const std::string& formula) {
        sheet.MoveTo(line);
        sheet.ChangeCurrentFormula(formula);
    }
    // Lines 0..2 as "formula|formula|formula".
    std::string FirstLines() const {
        return sheet.Formula(0) + "|" + sheet.Formula(1) + "|" + sheet.Formula(2);
    }
};

TEST(SheetRecalc, RingOrderFromTheCurrentLine) {
    struct Row {
        const char* name;
        std::map<int, std::string> formulas;
        int current;
        std::string change;
        std::map<int, std::string> afterChange;
        std::map<int, std::string> afterPass;
    };
    const Row rows[] = {
        {"a later line is read before it changes",
         {{3, "A4"}, {4, "A5"}, {5, "1"}},
         5,
         "2",
         {{3, "1"}, {4, "2"}, {5, "2"}},
         {{3, "2"}, {4, "2"}, {5, "2"}}},
        {"the ring wraps from line 99 to line 0",
         {{0, "A99"}, {98, "A0"}, {99, "1"}},
         99,
         "7",
         {{0, "7"}, {98, "7"}, {99, "7"}},
         {{0, "7"}, {98, "7"}, {99, "7"}}},
        {"lines before the current one come last",
         {{0, "A1*10"}, {1, "A2"}, {2, "3"}},
         2,
         "4",
         {{0, "30"}, {1, "4"}, {2, "4"}},
         {{0, "40"}, {1, "4"}, {2, "4"}}},
    };
    for (const Row& r : rows) {
        Sheet s;
        s.Load(r.formulas, r.current, 2);
        s.sheet.ChangeCurrentFormula(r.change);
        for (const auto& [line, text] : r.afterChange)
            EXPECT_EQ(s.sheet.Result(line), text) << r.name << ", line " << line;
        s.sheet.RecalcAll();
        for (const auto& [line, text] : r.afterPass)
            EXPECT_EQ(s.sheet.Result(line), text) << r.name << ", pass, line " << line;
    }
}

// Line 0 reads line 1: it sees line 1's value only when line 1 comes first in the pass.
TEST(SheetRecalc, OnePassStartsAtTheCurrentLine) {
    const struct {
        int current;
        const char* line0;
    } rows[] = {{1, "7"}, {0, "? A1"}, {99, "? A1"}, {50, "? A1"}};
    for (const auto& r : rows) {
        Sheet s;
        s.Load({{0, "A1"}, {1, "7"}}, r.current);
        EXPECT_EQ(s.sheet.Result(0), r.line0) << r.current;
        EXPECT_EQ(s.sheet.Result(1), "7") << r.current;
    }
}

TEST(SheetRecalc, RtimeDecidesWhetherOtherLinesFollow) {
    const struct {
        int rtime;
        const char* referring;  // line 0's result after line 1 changes
    } rows[] = {{1, "5"}, {0, "2"}};
    for (const auto& r : rows) {
        Sheet s;
        s.Load({{0, "A1"}, {1, "2"}}, 1);
        s.settings.RTIME = r.rtime;
        s.sheet.ChangeCurrentFormula("5");
        EXPECT_EQ(s.sheet.Result(1), "5") << r.rtime;
        EXPECT_EQ(s.sheet.Result(0), r.referring) << r.rtime;
        EXPECT_EQ(s.sheet.Value(0), std::stold(r.referring)) << r.rtime;
        s.sheet.RecalcAll();
        EXPECT_EQ(s.sheet.Result(0), "5") << r.rtime;
    }
}

TEST(SheetRecalc, CurrentLineOutcomes) {
    const struct {
        const char* name;
        std::string input;
        std::string stored;
        std::string result;
        bool failed;
        bool sentinel;
    } rows[] = {
        {"value", "1+1", "1+1", "2", false, false},
        {"blanks only", "   ", "   ", "", false, true},
        {"blanks and tabs trimmed", "\t 2*3 \t", "\t 2*3 \t", "6", false, false},
        {"division by zero", "1/0", "1/0", "ゼロで除算", true, true},
        {"incomplete", "1+", "1+", "式が不完全", true, true},
        {"full-width digits and plus", "１２＋３", "12+3", "15", false, false},
        {"grouped result", "1234*1000", "1234*1000", "1,234,000", false, false},
    };
    for (const auto& r : rows) {
        Sheet s;
        s.Load({{7, "9"}}, 7);
        s.sheet.ChangeCurrentFormula(r.input);
        EXPECT_EQ(s.sheet.Formula(7), r.stored) << r.name;
        EXPECT_EQ(s.sheet.Result(7), r.result) << r.name;
        EXPECT_EQ(s.sheet.Failed(7), r.failed) << r.name;
        EXPECT_EQ(IsSentinel(s.sheet.Value(7)), r.sentinel) << r.name;
        ASSERT_EQ(s.changes.size(), 1u) << r.name;
        EXPECT_TRUE(s.changes[0].Touches(7)) << r.name;
    }
}

TEST(SheetRecalc, ValuesAndFailures) {
    Sheet s;
    s.Load({{0, "SQRT(-1)"}, {1, "A0+1"}, {2, "5"}, {4, "1/3"}, {5, "A4*3-1"}}, 0);
    EXPECT_EQ(s.sheet.Value(4), 1.0L / 3) << "the full extended value is kept";
    EXPECT_EQ(s.sheet.Result(4), "0.33333333333");
    EXPECT_EQ(s.sheet.Value(5), 1.0L / 3 * 3 - 1);
    EXPECT_EQ(s.sheet.Result(0), "SQRTの引数が不正");
    EXPECT_TRUE(IsSentinel(s.sheet.Value(0)));
    EXPECT_EQ(s.sheet.Result(1), "? A0") << "a failed line gives its readers no value";
    EXPECT_EQ(s.sheet.Result(2), "5");

    // A line of blanks other than the current one is never evaluated.
    s.Load({{3, " \t\r\n "}}, 0);
    s.calc.ErrorCode = 12345;
    s.sheet.RecalcLine(3);
    EXPECT_EQ(s.calc.ErrorCode, 12345);
}

// Two lines reading each other finish after one pass; neither loops.
TEST(SheetRecalc, CircularPairEndsAfterOnePass) {
    Sheet s;
    s.Load({{0, "A1"}, {1, "A0"}}, 1);
    EXPECT_EQ(s.sheet.Result(0), "? A1");
    EXPECT_EQ(s.sheet.Result(1), "? A0");
}

// The angle unit reaches the evaluator with every recalculation.
TEST(SheetRecalc, AngleUnitFollowsTheSettings) {
    Sheet s;
    s.Load({{0, "SIN(90)"}}, 0);
    EXPECT_EQ(s.sheet.Result(0), "1");
    s.settings.DEGREE = 0;
    s.sheet.RecalcAll();
    EXPECT_EQ(s.sheet.Result(0), "0.8939966636");
}

TEST(SheetClear, SelectedLinesTenToTwelve) {
    Sheet s;
    std::map<int, std::string> formulas;
    for (int line = 9; line <= 13; ++line)
        formulas[line] = std::to_string(line);
    formulas[14] = "A11";
    s.Load(formulas, 10);
    s.sheet.Select({10, 12});
    EXPECT_EQ(s.sheet.Result(14), "11");

    s.sheet.ClearSelectedLines();
    for (int line = 10; line <= 12; ++line) {
        EXPECT_EQ(s.sheet.Formula(line), "") << line;
        EXPECT_EQ(s.sheet.Result(line), "") << line;
        EXPECT_TRUE(IsSentinel(s.sheet.Value(line))) << line;
    }
    for (int line : {9, 13})
        EXPECT_EQ(s.sheet.Result(line), std::to_string(line)) << line;
    EXPECT_EQ(s.sheet.Result(14), "? A11") << "recalculated after clearing";
    EXPECT_FALSE(s.sheet.IsModified()) << "clearing leaves the modified mark";
}

// Every command tells its observers once, and only when something changed.
TEST(SheetChanges, OneNotificationPerCommand) {
    const struct {
        const char* name;
        std::function<void(SheetDocument&)> command;
        std::size_t notifications;
    } rows[] = {
        {"typing", [](SheetDocument& d) { d.ChangeCurrentFormula("5"); }, 1},
        {"the same formula again", [](SheetDocument& d) { d.ChangeCurrentFormula("1"); }, 0},
        {"a move", [](SheetDocument& d) { d.MoveTo(40); }, 1},
        {"a move to the current line", [](SheetDocument& d) { d.MoveTo(0); }, 0},
        {"a selection",
         [](SheetDocument& d) {
             d.Select({0, 5});
         },
         1},
        {"a paste",
         [](SheetDocument& d) {
             d.PasteLines("3", std::vector<std::string>{"4", "5"});
         },
         1},
        {"clearing the selection", [](SheetDocument& d) { d.ClearSelectedLines(); }, 1},
        {"emptying the sheet", [](SheetDocument& d) { d.EmptySheet(); }, 1},
        {"a recalculation", [](SheetDocument& d) { d.RecalcAll(); }, 1},
        {"undo", [](SheetDocument& d) { d.Undo(); }, 1},
        {"saving", [](SheetDocument& d) { d.MarkSaved(); }, 1},
    };
    for (const auto& row : rows) {
        Sheet s;
        s.Type(1, "2");
        s.Type(0, "1");
        s.changes.clear();
        row.command(s.sheet);
        EXPECT_EQ(s.changes.size(), row.notifications) << row.name;
    }
}

// How the sheet stands against its file after each kind of change.
TEST(SheetChanges, ModifiedMarkByKindOfChange) {
    const struct {
        const char* name;
        std::function<void(SheetDocument&)> command;
        Modified mark;
    } rows[] = {
        {"typing", [](SheetDocument& d) { d.ChangeCurrentFormula("5"); }, Modified::Typed},
        {"a list insertion",
         [](SheetDocument& d) { d.ChangeCurrentFormula("SIN()", FormulaEdit::Insertion); },
         Modified::Inserted},
        {"the clear button",
         [](SheetDocument& d) { d.ChangeCurrentFormula("", FormulaEdit::Clearing); }, Modified::No},
        {"clearing the selection", [](SheetDocument& d) { d.ClearSelectedLines(); }, Modified::No},
        {"a paste", [](SheetDocument& d) { d.PasteLines("7", {}); }, Modified::Typed},
        {"a recalculation", [](SheetDocument& d) { d.RecalcAll(); }, Modified::No},
    };
    for (const auto& row : rows) {
        Sheet s;
        s.Load({{0, "1"}}, 0);
        row.command(s.sheet);
        EXPECT_EQ(s.sheet.ModifiedMark(), row.mark) << row.name;
    }
}

TEST(SheetHistoryOfCommands, StepsBackAndForth) {
    struct Step {
        char key;  // z undo, y redo
        const char* sheet;
        bool modified;
        int line;
    };
    const struct {
        const char* name;
        std::function<void(SheetDocument&)> changes;
        std::vector<Step> steps;
    } rows[] = {
        {"emptying the sheet",
         [](SheetDocument& d) {
             d.ChangeCurrentFormula("1+2");
             d.MoveTo(1);
             d.ChangeCurrentFormula("A0*4");
             d.EmptySheet();
         },
         {{'z', "1+2|A0*4|", true, 1}, {'y', "||", false, 0}, {'z', "1+2|A0*4|", true, 1}}},
        {"a pasted column after typing in its first line",
         [](SheetDocument& d) {
             d.MoveTo(1);
             d.ChangeCurrentFormula("7");
             d.MoveTo(0);
             d.ChangeCurrentFormula("1");
             d.PasteLines("15", std::vector<std::string>{"6", "8"});
         },
         {{'z', "1|7|", true, 0},
          {'z', "|7|", true, 0},
          {'z', "||", false, 1},
          {'y', "|7|", true, 1}}},
        {"typing across lines, and typing that came back to where it began",
         [](SheetDocument& d) {
             for (const char* formula : {"12", "A0+1", "A1*2"}) {
                 d.ChangeCurrentFormula(formula);
                 d.MoveTo(d.CurrentLine() + 1);
             }
             d.ChangeCurrentFormula("9");
             d.ChangeCurrentFormula("");
         },
         {{'z', "12|A0+1|", true, 2}, {'z', "12||", true, 1}, {'y', "12|A0+1|", true, 1}}},
        {"past the saved state and back",
         [](SheetDocument& d) {
             d.ChangeCurrentFormula("1");
             d.MoveTo(1);
             d.ChangeCurrentFormula("2");
             d.MarkSaved("saved.tsf", {});
             d.ChangeCurrentFormula("23");
         },
         {{'z', "1|2|", false, 1},
          {'z', "1||", true, 1},
          {'y', "1|2|", false, 1},
          {'y', "1|23|", true, 1}}},
    };
    for (const auto& row : rows) {
        Sheet s;
        row.changes(s.sheet);
        for (const Step& step : row.steps) {
            if (step.key == 'z') {
                ASSERT_TRUE(s.sheet.CanUndo()) << row.name;
                s.sheet.Undo();
                EXPECT_TRUE(s.sheet.CanRedo()) << row.name;
            } else {
                ASSERT_TRUE(s.sheet.CanRedo()) << row.name;
                s.sheet.Redo();
            }
            EXPECT_EQ(s.FirstLines(), step.sheet) << row.name << " " << step.key;
            EXPECT_EQ(s.sheet.IsModified(), step.modified) << row.name << " " << step.key;
            EXPECT_EQ(s.sheet.CurrentLine(), step.line) << row.name << " " << step.key;
            for (int line = 0; line < 3; ++line)
                EXPECT_EQ(s.sheet.Formula(line).empty(), s.sheet.Result(line).empty()) << row.name;
        }
    }
}

// Loading, restoring and a new sheet begin a new history: no undo pairs one file's name with
// another sheet's lines, and restored work never comes to look saved.
TEST(SheetHistoryOfCommands, NewSheetsBeginAfresh) {
    const struct {
        const char* name;
        std::function<void(SheetDocument&, const FormulaFileContent&)> start;
        bool modified;
        const char* file;
    } rows[] = {
        {"restore", [](SheetDocument& d, const FormulaFileContent& c) { d.Restore(c, "kept.tsf"); },
         true, "kept.tsf"},
        {"load", [](SheetDocument& d, const FormulaFileContent& c) { d.Load(c, "opened.tsf", {}); },
         false, "opened.tsf"},
        {"new sheet", [](SheetDocument& d, const FormulaFileContent&) { d.NewSheet(); }, false, ""},
    };
    for (const auto& row : rows) {
        Sheet s;
        s.Type(0, "1");
        s.Type(1, "2");
        FormulaFileContent content;
        content.formulas[5] = "8";
        content.currentLine = 5;
        row.start(s.sheet, content);
        EXPECT_FALSE(s.sheet.CanUndo()) << row.name;
        s.sheet.Undo();
        EXPECT_EQ(s.sheet.IsModified(), row.modified) << row.name;
        EXPECT_EQ(s.sheet.FileName(), row.file) << row.name;
        EXPECT_EQ(s.FirstLines(), "||") << row.name;
    }
}

}  // namespace
