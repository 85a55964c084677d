#include "expr/constant_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
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

// Two windows' runs on one constant file: what the later one to end leaves, given the list it
// started and ended with and the file as the other one left it.
TEST(MergeConstantChangesTest, EachRunKeepsTheOthersChanges) {
    using L = std::vector<std::string>;
    const std::tuple<const char*, L, L, L, L> cases[] = {
        {"BothChanged", {"P=1"}, {"P=1", "B=2"}, {"P=2", "A=1"}, {"P=2", "A=1", "B=2"}},
        {"SameNameTheLaterWins", {"P=1"}, {"P=3"}, {"P=2"}, {"P=3"}},
        {"RemovedHere", {"P=1", "C=1"}, {"C=1"}, {"P=1", "C=1", "A=1"}, {"C=1", "A=1"}},
        {"RemovedThere", {"P=1", "C=1"}, {"P=1", "C=1", "B=2"}, {"C=1"}, {"C=1", "B=2"}},
        {"ChangedHereRemovedThere", {"P=1", "C=1"}, {"P=3", "C=1"}, {"C=1"}, {"C=1", "P=3"}},
        // The file's order, a new name at the end.
        {"Order", {"P=1", "C=1"}, {"B=2", "C=1", "P=1"}, {"C=1", "P=1"}, {"C=1", "P=1", "B=2"}},
        {"NamesInAnyCase", {"p=1"}, {"P=3"}, {"P=2", "K=1"}, {"P=3", "K=1"}},
        {"RepeatedName", {"X=1", "x=2"}, {"X=1"}, {"K=1", "X=1", "x=2"}, {"K=1", "X=1"}},
        {"NoEqualsByItsText", {"NOTE"}, {"NOTE", "MEMO"}, {"K=1", "NOTE"}, {"K=1", "NOTE", "MEMO"}},
    };
    for (const auto& [name, start, end, disk, merged] : cases)
        EXPECT_EQ(MergeConstantChanges(start, end, disk), merged) << name;
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
    CalcExpression calc(path_);
    calc.Constants.clear();
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Ok);
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
        CalcExpression windows[] = {CalcExpression(path_), CalcExpression(path_)};
        if (!first.empty()) windows[0].Constants = first;
        if (!second.empty()) windows[1].Constants = second;
        for (const int window : firstEndsFirst ? std::array{0, 1} : std::array{1, 0})
            EXPECT_EQ(windows[window].SaveConstantChanges(), FileStatus::Ok);
        EXPECT_EQ(ReadBytes(), file);
    }
}

// Blank lines are no entries of the list: a file of them holds no constants, and the list
// starts with the two defaults.
TEST_F(ConstantFileTest, OnlyAnEmptyLineIsNoConstant) {
    WriteBytes("\r\n");
    CalcExpression calc(path_);
    std::vector<std::string> defaults;
    AddDefaultConstants(defaults);
    EXPECT_EQ(calc.Constants, defaults);
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(), "\r\n");
}

// Two windows started before the file existed: each one's constant stays, beside the defaults
// the file did not hold.
TEST_F(ConstantFileTest, WindowsStartedWithoutAFileKeepBothConstants) {
    CalcExpression windows[] = {CalcExpression(path_), CalcExpression(path_)};
    windows[0].Constants.push_back("KA=1");
    windows[1].Constants.push_back("KB=2");
    for (CalcExpression& window : windows)
        EXPECT_EQ(window.SaveConstantChanges(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(),
              "PI=3.1415926535897932384626433832795\r\nC=299792.5E+3\r\n"
              "KA=1\r\nKB=2\r\n");
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
    CalcExpression calc(path_);
    ASSERT_EQ(calc.Constants, std::vector<std::string>{"円=100"});
    calc.Calculate("円*2");
    EXPECT_EQ(calc.ResultValue, 200);
    calc.Constants.push_back("角=2");
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(), "\x89\x7E=100\r\n\x8A\x70=2\r\n");
}

TEST_F(ConstantFileTest, EditedListIsSaved) {
    WriteBytes("A=1\r\n");
    CalcExpression calc(path_);
    calc.Constants = {"B=2", "", "no definition"};
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(), "B=2\r\n\r\nno definition\r\n");
}

// A link that points at itself exists but cannot be opened; saving would replace the link. The
// changes are not saved, and the end says why.
TEST_F(ConstantFileTest, UnreadableFileIsNotOverwritten) {
    fs::create_symlink(path_, path_);
    CalcExpression calc(path_);
    calc.Constants = {"X=1"};
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Unreadable);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(fs::read_symlink(path_), fs::path(path_));
}

TEST_F(ConstantFileTest, FolderInPlaceOfFileIsLeftAlone) {
    fs::create_directory(path_);
    CalcExpression calc(path_);
    calc.Constants = {"X=1"};
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Unreadable);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(ConstantFileTest, EvaluatorWithoutFileWritesNothing) {
    const fs::path previous = fs::current_path();
    fs::current_path(folder_);
    CalcExpression calc;
    calc.Constants = {"X=1"};
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Ok);
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(ConstantFileTest, UnwritableFolderIsTold) {
    const std::string inside = (folder_ / "missing" / ConstantFileName).string();
    CalcExpression calc(inside);
    calc.Constants = {"X=1"};
    EXPECT_EQ(calc.SaveConstantChanges(), FileStatus::Unwritable);
    EXPECT_FALSE(fs::exists(inside));
}

}  // namespace
