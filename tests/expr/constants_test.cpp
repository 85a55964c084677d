#include "expr/constant_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "expr/calc_expression.h"
#include "tests/support/file_bytes.h"

namespace fs = std::filesystem;

namespace {

struct NameRow {
    const char* name;
    std::string a, b;
    bool same;
};

class SameConstantNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(SameConstantNameTest, Compare) {
    const NameRow& row = GetParam();
    EXPECT_EQ(SameConstantName(row.a, row.b), row.same);
    EXPECT_EQ(SameConstantName(row.b, row.a), row.same);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SameConstantNameTest,
    testing::Values(
        NameRow{"Equal", "PI", "PI", true}, NameRow{"AsciiCase", "pi", "PI", true},
        NameRow{"MixedCase", "TwoPi", "TWOPI", true}, NameRow{"FullWidthUpper", "ＰＩ", "PI", true},
        NameRow{"FullWidthLower", "ｐｉ", "PI", true},
        NameRow{"FullWidthBothCases", "ｐＩ", "Ｐｉ", true},
        NameRow{"FullWidthEdges", "ＡＺａｚ", "azAZ", true}, NameRow{"Prefix", "PI", "PI2", false},
        NameRow{"Empty", "", "", true}, NameRow{"EmptyAndName", "", "X", false},
        NameRow{"DigitsNotFolded", "１", "1", false}, NameRow{"KanjiExact", "円", "円", true},
        NameRow{"KanjiDiffer", "円", "角", false}, NameRow{"NonLetterAscii", "[", "{", false},
        NameRow{"TruncatedSequence", "\xEF\xBC", "\xEF\xBC", true},
        NameRow{"TruncatedAgainstLetter", "\xEF\xBC", "A", false}),
    [](const testing::TestParamInfo<NameRow>& info) { return std::string(info.param.name); });

struct LookupRow {
    const char* name;
    std::vector<std::string> constants;
    std::string wanted;
    std::optional<std::string> value;
};

class LookupConstantTest : public testing::TestWithParam<LookupRow> {};

TEST_P(LookupConstantTest, Lookup) {
    const LookupRow& row = GetParam();
    const auto value = LookupConstant(row.constants, row.wanted);
    ASSERT_EQ(value.has_value(), row.value.has_value());
    if (value) {
        EXPECT_EQ(std::string(*value), *row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LookupConstantTest,
    testing::Values(LookupRow{"Found", {"PI=3.14", "C=1"}, "C", "1"},
                    LookupRow{"FirstWins", {"pi=1", "PI=2"}, "PI", "1"},
                    LookupRow{"NoEqualsNeverMatches", {"PI", "X=1"}, "PI", std::nullopt},
                    LookupRow{"EmptyLineNeverMatches", {""}, "", std::nullopt},
                    LookupRow{"EmptyNameMatchesEmpty", {"=5"}, "", "5"},
                    LookupRow{"ValueKeepsLaterEquals", {"X=a=b"}, "X", "a=b"},
                    LookupRow{"EmptyValue", {"X="}, "X", ""},
                    LookupRow{"BlanksKept", {"X = 1"}, "X ", " 1"},
                    LookupRow{"NameWithBlankDiffers", {"X =1"}, "X", std::nullopt},
                    LookupRow{"FullWidthName", {"ＴＡＸ=1.1"}, "tax", "1.1"},
                    LookupRow{"JapaneseName", {"円=100"}, "円", "100"},
                    LookupRow{"EmptyList", {}, "PI", std::nullopt},
                    LookupRow{"LastCharacterDiffers", {"PI=1", "PX=2"}, "PX", "2"},
                    LookupRow{"NameLongerThanLines", {"P=1", "PI=2"}, "PIX", std::nullopt},
                    LookupRow{"NameShorterThanLine", {"PIX=1"}, "PI", std::nullopt},
                    LookupRow{"NameHoldingEquals", {"X=1"}, "X=1", std::nullopt},
                    LookupRow{"CutFullWidthBeforeEquals", {"\xEF\xBC=1"}, "\xEF\xBC", "1"}),
    [](const testing::TestParamInfo<LookupRow>& info) { return std::string(info.param.name); });

// What the constant file and the settings dialog's memo give the list.
TEST(ConstantsAsReadTest, BlankLinesLeftOutAndValuesFolded) {
    using Lines = std::vector<std::string>;
    const std::tuple<const char*, Lines, Lines> cases[] = {
        {"BlankLinesAreNoEntries", {"", "K=1", " ", "\t", "\u3000", ""}, {"K=1"}},
        {"FullWidthValue", {"KK=１２"}, {"KK=12"}},
        {"FullWidthFormulaValue", {"TWOPI=２＊PI", "H=ＨＦＦ"}, {"TWOPI=2*PI", "H=HFF"}},
        {"NameKeptAsTyped", {"ＫＫ=１２"}, {"ＫＫ=12"}},
        {"OnlyTheFirstEqualsSeparates", {"X=１=２"}, {"X=1=2"}},
        {"LineWithoutEqualsKept", {"ＮＯＴＥ"}, {"ＮＯＴＥ"}},
    };
    for (const auto& [name, lines, constants] : cases)
        EXPECT_EQ(ConstantsAsRead(lines), constants) << name;
}

TEST(ConstantNameTest, TextBeforeFirstEquals) {
    EXPECT_EQ(ConstantName("PI=3=4"), "PI");
    EXPECT_EQ(ConstantName("PI"), "");
    EXPECT_EQ(ConstantName("=1"), "");
}

// A fresh folder per test, removed afterwards.
class ConstantFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("tessarin-constants-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        path_ = (folder_ / ConstantFileName).string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    void WriteBytes(const std::string& bytes) { ::WriteBytes(path_, bytes); }
    std::string ReadBytes() { return ::ReadBytes(path_); }

    fs::path folder_;
    std::string path_;
};

TEST_F(ConstantFileTest, EmptiedListWritesEmptyFile) {
    WriteBytes("A=1\r\n");
    {
        CalcExpression calc(path_);
        calc.Constants.clear();
    }
    EXPECT_EQ(ReadBytes(), "");
}

// Two windows on one data folder: a window that never touched the constants does not write its
// old list over the one another window saved. Lists given replace a window's; the last ends last.
TEST_F(ConstantFileTest, OnlyAWindowThatChangedTheListWritesIt) {
    using List = std::vector<std::string>;
    for (const auto& [first, second, firstEndsFirst, file] :
         {std::tuple{List{}, List{}, true, "K=1\n"},
          {List{"K=2"}, List{}, true, "K=2\r\n"},
          {List{}, List{"K=3"}, true, "K=3\r\n"},
          {List{"K=2"}, List{"K=3"}, false, "K=2\r\n"}}) {
        WriteBytes("K=1\n");
        auto windows = std::pair{std::make_unique<CalcExpression>(path_),
                                 std::make_unique<CalcExpression>(path_)};
        if (!first.empty()) windows.first->Constants = first;
        if (!second.empty()) windows.second->Constants = second;
        if (firstEndsFirst) windows.first.reset();
        windows.second.reset();
        windows.first.reset();
        EXPECT_EQ(ReadBytes(), file);
    }
}

// Blank lines are no entries of the list: a file of them holds no constants, and the list
// starts with the two defaults.
TEST_F(ConstantFileTest, OnlyAnEmptyLineIsNoConstant) {
    WriteBytes("\r\n");
    {
        CalcExpression calc(path_);
        std::vector<std::string> defaults;
        AddDefaultConstants(defaults);
        EXPECT_EQ(calc.Constants, defaults);
    }
    EXPECT_EQ(ReadBytes(), "\r\n");
}

TEST_F(ConstantFileTest, LoadedConstantsAreUsedFirstDefinitionWinning) {
    WriteBytes("pi=1\r\nPI=2\rK=1,000\r\nNOTE\r\n");
    CalcExpression calc(path_);
    EXPECT_EQ(calc.Constants.size(), 4u);
    calc.Calculate("PI+K");
    EXPECT_EQ(calc.ErrorCode, 0);
    EXPECT_EQ(calc.ResultValue, 1001);
    calc.Calculate("NOTE");
    EXPECT_EQ(calc.ErrorText, "? NOTE");
}

TEST_F(ConstantFileTest, ShiftJisNamesRoundTrip) {
    WriteBytes("\x89\x7E=100\r\n");  // 円=100 in CP932
    {
        CalcExpression calc(path_);
        ASSERT_EQ(calc.Constants, std::vector<std::string>{"円=100"});
        calc.Calculate("円*2");
        EXPECT_EQ(calc.ResultValue, 200);
    }
    EXPECT_EQ(ReadBytes(), "\x89\x7E=100\r\n");
}

TEST_F(ConstantFileTest, EditedListIsSaved) {
    WriteBytes("A=1\r\n");
    {
        CalcExpression calc(path_);
        calc.Constants = {"B=2", "", "no definition"};
    }
    EXPECT_EQ(ReadBytes(), "B=2\r\n\r\nno definition\r\n");
}

// A link that points at itself exists but cannot be opened; saving would replace the link.
TEST_F(ConstantFileTest, UnreadableFileIsNotOverwritten) {
    fs::create_symlink(path_, path_);
    {
        CalcExpression calc(path_);
        calc.Constants = {"X=1"};
    }
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(fs::read_symlink(path_), fs::path(path_));
}

TEST_F(ConstantFileTest, FolderInPlaceOfFileIsLeftAlone) {
    fs::create_directory(path_);
    {
        CalcExpression calc(path_);
        calc.Constants = {"X=1"};
    }
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(ConstantFileTest, EvaluatorWithoutFileWritesNothing) {
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    {
        CalcExpression calc;
        calc.Constants = {"X=1"};
    }
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(ConstantFileTest, UnwritableFolderIsSilent) {
    const std::string inside = (folder_ / "missing" / ConstantFileName).string();
    {
        CalcExpression calc(inside);
        calc.Constants = {"X=1"};
    }
    EXPECT_FALSE(fs::exists(inside));
}

}  // namespace
