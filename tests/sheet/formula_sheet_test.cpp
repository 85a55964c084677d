#include "sheet/formula_sheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/sheet/sheet_fixture.h"

namespace {

// Bit-exact comparison with the sentinel: only the 80 significant bits of a long double count.
bool IsSentinel(Extended v) {
    const Extended sentinel = ErrorValue;
    return std::memcmp(&v, &sentinel, 10) == 0;
}

struct Sheet {
    SheetObjects objects;
    RecordingSheetWindow window;
    FormulaSheet sheet{window, objects.esg, objects.calc, objects.settings};

    Sheet() { window.sheet = &sheet; }
    // Fills formulas directly, as loading a file does, then runs the given number of passes.
    void Load(const std::map<int, std::string>& formulas, int current, int passes) {
        for (const auto& [line, formula] : formulas)
            objects.Formula(line) = formula;
        objects.SelectLine(current);
        for (int i = 0; i < passes; ++i)
            sheet.RecalcAll();
        window.calls.clear();
    }
};

TEST(FormulaSheetRecalc, RingOrderFromTheCurrentLine) {
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
        for (const auto& [line, text] : r.afterChange) {
            EXPECT_EQ(s.objects.Result(line), text) << r.name << ", line " << line;
        }
        s.sheet.RecalcAll();
        for (const auto& [line, text] : r.afterPass) {
            EXPECT_EQ(s.objects.Result(line), text) << r.name << ", pass, line " << line;
        }
    }
}

TEST(FormulaSheetRecalc, RecalcAllStartsAtTheCurrentLine) {
    struct Row {
        const char* name;
        int current;
        const char* line0;  // line 0 reads line 1, whose formula changed from 1 to 7
    };
    const Row rows[] = {{"line 1 comes first", 1, "7"},
                        {"line 0 comes first", 0, "1"},
                        {"from the last line", 99, "1"},
                        {"from the middle", 50, "1"}};
    for (const Row& r : rows) {
        Sheet s;
        s.Load({{0, "A1"}, {1, "1"}}, r.current, 1);
        s.objects.Formula(1) = "7";
        s.sheet.RecalcAll();
        EXPECT_EQ(s.objects.Result(0), r.line0) << r.name;
        EXPECT_EQ(s.objects.Result(1), "7") << r.name;
    }
}

TEST(FormulaSheetRecalc, RtimeDecidesWhetherOtherLinesFollow) {
    struct Row {
        const char* name;
        int rtime;
        const char* referring;  // line 0's result after line 1 changes
    };
    const Row rows[] = {{"all lines", 1, "5"}, {"only the current line", 0, "2"}};
    for (const Row& r : rows) {
        Sheet s;
        s.Load({{0, "A1"}, {1, "2"}}, 1, 1);
        s.objects.settings.RTIME = r.rtime;
        s.sheet.ChangeCurrentFormula("5");
        EXPECT_EQ(s.objects.Result(1), "5") << r.name;
        EXPECT_EQ(s.objects.Result(0), r.referring) << r.name;
        EXPECT_EQ(s.objects.Value(0), std::stold(r.referring)) << r.name;
        s.sheet.RecalcAll();
        EXPECT_EQ(s.objects.Result(0), "5") << r.name;
    }
}

TEST(FormulaSheetRecalc, CurrentLineOutcomes) {
    struct Row {
        const char* name;
        std::string input;
        std::string stored;
        std::string result;
        bool sentinel;
        std::string digits;
    };
    const Row rows[] = {
        {"value", "1+1", "1+1", "2", false, "digits '2'"},
        {"blanks only", "   ", "   ", "", true, "digits ''"},
        {"empty", "", "", "", true, "digits ''"},
        {"blanks and tabs trimmed", "\t 2*3 \t", "\t 2*3 \t", "6", false, "digits '6'"},
        {"division by zero", "1/0", "1/0", "ゼロで除算", true, "digits 'ゼロで除算' failed"},
        {"incomplete", "1+", "1+", "式が不完全", true, "digits '式が不完全' failed"},
        {"full-width digits and plus", "１２＋３", "12+3", "15", false, "digits '15'"},
        {"grouped result", "1234*1000", "1234*1000", "1,234,000", false, "digits '1,234,000'"},
    };
    for (const Row& r : rows) {
        Sheet s;
        s.Load({}, 7, 0);
        s.objects.Result(7) = "stale";
        const int repaints = s.objects.grid.repaints;
        s.sheet.ChangeCurrentFormula(r.input);
        EXPECT_EQ(s.objects.Formula(7), r.stored) << r.name;
        EXPECT_EQ(s.objects.Result(7), r.result) << r.name;
        EXPECT_EQ(IsSentinel(s.objects.Value(7)), r.sentinel) << r.name;
        EXPECT_EQ(s.window.calls, (std::vector<std::string>{r.digits, "status"})) << r.name;
        EXPECT_GT(s.objects.grid.repaints, repaints) << r.name;
    }
}

TEST(FormulaSheetRecalc, StoresTheFullExtendedValue) {
    Sheet s;
    s.Load({{4, "1/3"}, {5, "A4*3-1"}}, 0, 1);
    EXPECT_EQ(s.objects.Value(4), 1.0L / 3);
    EXPECT_EQ(s.objects.Result(4), "0.33333333333");
    EXPECT_EQ(s.objects.Value(5), 1.0L / 3 * 3 - 1);
}

TEST(FormulaSheetRecalc, EmptyLinesOtherThanTheCurrentAreSkipped) {
    Sheet s;
    s.Load({{3, " \t\r\n "}}, 0, 0);
    s.objects.Result(3) = "untouched";
    s.objects.calc.ErrorCode = 12345;
    s.sheet.RecalcLine(3);
    EXPECT_EQ(s.objects.Result(3), "untouched");
    EXPECT_EQ(s.objects.calc.ErrorCode, 12345) << "the evaluator must not run";
    EXPECT_TRUE(s.window.calls.empty());
}

TEST(FormulaSheetRecalc, FailingLineGivesNoValueToItsReaders) {
    Sheet s;
    s.Load({{0, "SQRT(-1)"}, {1, "A0+1"}, {2, "5"}}, 0, 1);
    EXPECT_EQ(s.objects.Result(0), "SQRTの引数が不正");
    EXPECT_TRUE(IsSentinel(s.objects.Value(0)));
    EXPECT_EQ(s.objects.Result(1), "? A0");
    EXPECT_TRUE(IsSentinel(s.objects.Value(1)));
    EXPECT_EQ(s.objects.Result(2), "5");
}

TEST(FormulaSheetRecalc, CircularPairEndsAfterOnePass) {
    struct Row {
        const char* name;
        std::string line1Before;  // line 1's formula for the first pass
        const char* result0;
        const char* result1;
    };
    const Row rows[] = {
        {"from empty lines", "A0", "? A1", "? A0"},
        {"from earlier values", "5", "5", "5"},
    };
    for (const Row& r : rows) {
        Sheet s;
        s.Load({{0, "A1"}, {1, r.line1Before}}, 1, 1);
        s.objects.Formula(1) = "A0";
        s.sheet.RecalcAll();  // returns: one pass, no repetition until values settle
        EXPECT_EQ(s.objects.Result(0), r.result0) << r.name;
        EXPECT_EQ(s.objects.Result(1), r.result1) << r.name;
    }
}

TEST(FormulaSheetClear, SelectedLinesTenToTwelve) {
    Sheet s;
    std::map<int, std::string> formulas;
    for (int line = 9; line <= 13; ++line)
        formulas[line] = std::to_string(line);
    formulas[14] = "A11";
    s.Load(formulas, 10, 1);
    s.window.inputText = "10";
    s.objects.grid.selection = {2, 10, 2, 12};
    EXPECT_EQ(s.objects.Result(14), "11");

    s.sheet.ClearSelectedLines();
    for (int line = 10; line <= 12; ++line) {
        EXPECT_EQ(s.objects.Formula(line), "") << line;
        EXPECT_EQ(s.objects.Result(line), "") << line;
        EXPECT_TRUE(IsSentinel(s.objects.Value(line))) << line;
    }
    for (int line : {9, 13}) {
        EXPECT_EQ(s.objects.Formula(line), std::to_string(line)) << line;
        EXPECT_EQ(s.objects.Result(line), std::to_string(line)) << line;
    }
    EXPECT_EQ(s.objects.Result(14), "? A11") << "recalculated after clearing";
    EXPECT_EQ(s.objects.esg.CellAt(0, 11)->text, "A11") << "labels stay";
    // The emptied input line stores the empty formula; the refresh then recalculates.
    const std::vector<std::string> expected = {"input ''", "digits ''", "status", "refresh recalc",
                                               "digits ''"};
    EXPECT_EQ(s.window.calls, expected);
}

TEST(FormulaSheetClear, AllLines) {
    Sheet s;
    s.Load({{0, "1"}, {50, "2"}, {99, "3"}}, 50, 1);
    s.sheet.ClearAllLines();
    for (int line = 0; line < 100; ++line) {
        EXPECT_EQ(s.objects.Formula(line), "") << line;
        EXPECT_EQ(s.objects.Result(line), "") << line;
        EXPECT_TRUE(IsSentinel(s.objects.Value(line))) << line;
    }
    EXPECT_EQ(s.objects.esg.CellAt(0, 99)->text, "A99");
    EXPECT_TRUE(s.window.calls.empty()) << "nothing is recalculated or shown";
}

TEST(HalfWidth, FoldsTheFullWidthTable) {
    struct Row {
        const char* name;
        std::string in;
        std::string out;
    };
    const Row rows[] = {
        {"digits and plus", "１２＋３", "12+3"},
        {"multiplication sign stays", "２×３", "2×3"},
        {"ideographic space and parentheses", "　（１）", " (1)"},
        {"operators", "＊／－", "*/-"},
        {"letter ends", "ＡＺａｚ", "AZaz"},
        {"full row", "０１２３４５６７８９ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ",
         "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"small letters", "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ",
         "abcdefghijklmnopqrstuvwxyz"},
        {"neighbours outside the table", "＝＠［｀｛，", "＝＠［｀｛，"},
        {"minus sign is not the full-width hyphen-minus", "−", "−"},
        {"other scripts stay", "é日本ｱ", "é日本ｱ"},
        {"four-byte character stays",
         "\xF0\x9F\x98\x80"
         "１",
         "\xF0\x9F\x98\x80"
         "1"},
        {"stray lead byte is kept",
         "\xE3"
         "１",
         "\xE3"
         "1"},
        {"cut sequence at the end", "1\xEF\xBC", "1\xEF\xBC"},
        {"stray continuation bytes", "\x90\x91", "\x90\x91"},
        {"ascii untouched", " sin(A1)*2 ", " sin(A1)*2 "},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ToHalfWidth(r.in), r.out) << r.name;
}

}  // namespace
