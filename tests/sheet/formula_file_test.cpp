#include "sheet/formula_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

using Lines = std::vector<std::string>;
using Formulas = std::map<int, std::string>;

// The formulas that are not empty, by line.
Formulas NonEmpty(const FormulaFileContent& content) {
    Formulas formulas;
    for (int i = 0; i < kLineCount; ++i) {
        if (!content.formulas[i].empty()) formulas[i] = content.formulas[i];
    }
    return formulas;
}

FormulaFileContent DefaultSheet() {
    FormulaFileContent content;
    content.settings.DEGREE = 1;  // the settings record's default, unlike a header's
    return content;
}

class FormulaFileTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return temp_.File(name); }
    // Reads bytes written to a file of their own.
    FormulaFileReadResult ReadFromBytes(const std::string& bytes) {
        const std::string path = PathOf("in.tsf");
        WriteBytes(path, bytes);
        return ReadFormulaFile(path);
    }

    TempFolder temp_;
};

TEST_F(FormulaFileTest, OneFormulaWritesTwoCrLfLines) {
    FormulaFileContent content = DefaultSheet();
    content.formulas[0] = "1+2";
    const std::string path = PathOf("one.tsf");
    ASSERT_EQ(WriteFormulaFile(path, content), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "000003081\r\n0=1+2\r\n");
}

TEST_F(FormulaFileTest, EmptySheetWritesHeaderOnly) {
    const std::string path = PathOf("empty.tsf");
    ASSERT_EQ(WriteFormulaFile(path, DefaultSheet()), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "000003081\r\n");
}

TEST(FormatFormulaFile, WritesEveryNonEmptyFormulaInLineOrder) {
    FormulaFileContent content;
    content.currentLine = 57;
    content.settings = {1, 1, 1, 4, 16, 1};
    content.formulas[99] = "A98";
    content.formulas[12] = "A0*3";
    content.formulas[3] = "  ";  // blanks only: not empty
    content.formulas[40] = "A1=2";
    EXPECT_EQ(FormatFormulaFile(content),
              (Lines{"571114161", "3=  ", "12=A0*3", "40=A1=2", "99=A98"}));
}

// Values a hand-edited file or settings file may carry must not widen the header.
TEST(FormatFormulaFile, OutOfRangeValuesKeepTheHeaderNineDigits) {
    FormulaFileContent content;
    content.currentLine = 150;
    content.settings = {7, -1, 2, 10, 99, 5};
    EXPECT_EQ(FormatFormulaFile(content), Lines{"991113161"});
    content.currentLine = -3;
    content.settings.HSIZE = -4;
    EXPECT_EQ(FormatFormulaFile(content), Lines{"001113011"});
}

struct HeaderCase {
    const char* name;
    std::string header;
    int currentLine;
    FormulaFileSettings settings;
};

class HeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, Decodes) {
    const HeaderCase& c = GetParam();
    const FormulaFileReadResult result = ParseFormulaFile({c.header});
    EXPECT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.currentLine, c.currentLine);
    EXPECT_EQ(result.content.settings, c.settings);
}

INSTANTIATE_TEST_SUITE_P(
    FormulaFile, HeaderTest,
    testing::Values(HeaderCase{"Full", "050003081", 5, {0, 0, 0, 3, 8, 1}},
                    HeaderCase{"EveryFieldSet", "991114160", 99, {1, 1, 1, 4, 16, 0}},
                    HeaderCase{"LineOnly", "17", 17, {0, 0, 0, 3, 8, 0}},
                    HeaderCase{"EmptyLine", "", 0, {0, 0, 0, 3, 8, 0}},
                    HeaderCase{"OneDigitLine", "7", 7, {0, 0, 0, 3, 8, 0}},
                    HeaderCase{"HsizeWithoutDegree", "03101012", 3, {1, 0, 1, 0, 12, 0}},
                    HeaderCase{"LettersTakeDefaults", "xx1a0b161", 0, {1, 0, 0, 3, 16, 1}},
                    HeaderCase{"SpaceIsNoDigit", " 5 1 3081", 0, {0, 1, 0, 3, 8, 1}},
                    HeaderCase{"TrailingTextIgnored", "020003081extra", 2, {0, 0, 0, 3, 8, 1}},
                    HeaderCase{"OutOfRangeBroughtIn", "009995991", 0, {1, 1, 1, 3, 16, 1}},
                    HeaderCase{"HsizeZeroBecomesOne", "000003000", 0, {0, 0, 0, 3, 1, 0}},
                    HeaderCase{
                        "NonAsciiCountsAsOneCharacter", "1あ0003081", 0, {0, 0, 0, 3, 8, 1}}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

struct FormulaLinesCase {
    const char* name;
    Lines lines;  // after the header
    Formulas formulas;
    int leftOut = 0;  // lines past the last line of the sheet
};

class FormulaLinesTest : public testing::TestWithParam<FormulaLinesCase> {};

TEST_P(FormulaLinesTest, Reads) {
    const FormulaLinesCase& c = GetParam();
    Lines lines{"000003081"};
    lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    const FormulaFileReadResult result = ParseFormulaFile(lines);
    EXPECT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(NonEmpty(result.content), c.formulas);
    EXPECT_EQ(result.linesLeftOut, c.leftOut);
}

INSTANTIATE_TEST_SUITE_P(
    FormulaFile, FormulaLinesTest,
    testing::Values(
        FormulaLinesCase{"Plain", {"0=1+2", "12=A0*3"}, {{0, "1+2"}, {12, "A0*3"}}},
        FormulaLinesCase{"FirstEqualsSplits", {"5=A1=2"}, {{5, "A1=2"}}},
        FormulaLinesCase{"InvalidIndexesSkipped",
                         {"100=1", "-1=1", "x=1", "7", "=4", " 6=1", "6 =1", "1e1=1"},
                         {},
                         1},
        FormulaLinesCase{"PastTheLastLineLeftOut", {"100=1", "150=2", "99=3"}, {{99, "3"}}, 2},
        FormulaLinesCase{"LeadingZeroIndex", {"07=1"}, {{7, "1"}}},
        FormulaLinesCase{"LastIndexKept", {"99=A98"}, {{99, "A98"}}},
        FormulaLinesCase{"HugeIndexSkipped", {"99999999999999999999=1", "4294967299=2"}, {}, 2},
        FormulaLinesCase{
            "LaterLineWins", {"3=first", "4=other", "3=second"}, {{3, "second"}, {4, "other"}}},
        FormulaLinesCase{"LaterEmptyLineEmpties", {"3=first", "3="}, {}},
        FormulaLinesCase{"NotTrimmed", {"8=  1 + 2 "}, {{8, "  1 + 2 "}}},
        FormulaLinesCase{"AnyOrder", {"9=9", "2=2"}, {{2, "2"}, {9, "9"}}},
        FormulaLinesCase{"HeaderLookalikeIsNoFormula", {"000003081"}, {}}),
    [](const testing::TestParamInfo<FormulaLinesCase>& info) {
        return std::string(info.param.name);
    });

// A file that starts with a formula has no header: that formula is left out, the header's
// fields take their defaults (none is read from the formula's characters), the rest applies.
TEST(ParseFormulaFile, FormulaInPlaceOfTheHeaderIsLeftOut) {
    const FormulaFileReadResult result = ParseFormulaFile({"0=1+2", "1=A0*2", "100=3"});
    EXPECT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.settings, FormulaFileSettings{});
    EXPECT_EQ(NonEmpty(result.content), (Formulas{{1, "A0*2"}}));
    EXPECT_EQ(result.linesLeftOut, 2);
}

TEST(ParseFormulaFile, NoLineAtAllHasNoHeader) {
    const FormulaFileReadResult result = ParseFormulaFile({});
    EXPECT_EQ(result.status, FormulaFileStatus::NoHeader);
    EXPECT_TRUE(result.EmptiesSheet());
    EXPECT_FALSE(result.AppliesContent());
    EXPECT_FALSE(result.Succeeded());
    EXPECT_TRUE(NonEmpty(result.content).empty());
}

// The formulas and settings read still apply; only the current line stays at the top.
TEST(ParseFormulaFile, LineIndexOutsideTheSheet) {
    for (const std::string header : {"-10003081", "-1", "+-0003081"}) {
        const FormulaFileReadResult result = ParseFormulaFile({header, "2=1+1", "5=A2"});
        EXPECT_EQ(result.status,
                  header == "+-0003081" ? FormulaFileStatus::Read : FormulaFileStatus::BadLineIndex)
            << header;
    }
    const FormulaFileReadResult result = ParseFormulaFile({"-1111012", "2=1+1", "5=A2"});
    EXPECT_EQ(result.status, FormulaFileStatus::BadLineIndex);
    EXPECT_TRUE(result.EmptiesSheet());
    EXPECT_TRUE(result.AppliesContent());
    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.content.currentLine, 0);
    EXPECT_EQ(result.content.settings, (FormulaFileSettings{1, 1, 1, 0, 12, 0}));
    EXPECT_EQ(NonEmpty(result.content), (Formulas{{2, "1+1"}, {5, "A2"}}));
}

TEST(ParseFormulaFile, WrittenContentReadsBack) {
    FormulaFileContent content;
    content.currentLine = 42;
    content.settings = {1, 1, 0, 4, 3, 1};
    content.formulas[0] = "1+2";
    content.formulas[42] = "A0=A1";
    content.formulas[77] = " ";
    const FormulaFileReadResult result = ParseFormulaFile(FormatFormulaFile(content));
    ASSERT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.currentLine, 42);
    EXPECT_EQ(result.content.settings, content.settings);
    EXPECT_EQ(result.content.formulas, content.formulas);
}

TEST_F(FormulaFileTest, MissingFileIsUnreadable) {
    FormulaFileReadResult result = ReadFormulaFile(PathOf("none.tsf"));
    EXPECT_EQ(result.status, FormulaFileStatus::Unreadable);
    EXPECT_EQ(result.file, FileStatus::Missing);
    EXPECT_FALSE(result.EmptiesSheet());
    EXPECT_FALSE(result.AppliesContent());
    EXPECT_TRUE(NonEmpty(result.content).empty());

    result = ReadFormulaFile(temp_.Folder());
    EXPECT_EQ(result.status, FormulaFileStatus::Unreadable);
    EXPECT_EQ(result.file, FileStatus::Unreadable);
}

TEST_F(FormulaFileTest, EmptyFileHasNoHeader) {
    EXPECT_EQ(ReadFromBytes("").status, FormulaFileStatus::NoHeader);
    // A single line end is an empty header: every default, no error.
    const FormulaFileReadResult result = ReadFromBytes("\r\n");
    EXPECT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.settings, FormulaFileSettings{});
}

TEST_F(FormulaFileTest, AcceptsEveryLineEnd) {
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const FormulaFileReadResult result =
            ReadFromBytes("170003081" + end + "3=1+2" + end + end + "5=A3");
        EXPECT_EQ(result.status, FormulaFileStatus::Read);
        EXPECT_EQ(result.content.currentLine, 17);
        EXPECT_EQ(NonEmpty(result.content), (Formulas{{3, "1+2"}, {5, "A3"}}));
    }
}

// "ソフト" in CP932: its second byte is 0x5C, the backslash, which must survive as it is.
TEST_F(FormulaFileTest, JapaneseFormulaRoundTripsByteForByte) {
    const std::string bytes = "030003081\r\n3=\x83\x5C\x83\x74\x83\x67*2\r\n";
    const std::string path = PathOf("cp932.tsf");
    WriteBytes(path, bytes);
    const FormulaFileReadResult result = ReadFormulaFile(path);
    ASSERT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.formulas[3], "ソフト*2");
    ASSERT_EQ(WriteFormulaFile(path, result.content), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(FormulaFileTest, LargeFileReadsWhole) {
    std::string bytes = "000003081\r\n";
    const std::string longFormula(10 * 1024 * 1024, '7');
    bytes += "4=" + longFormula + "\r\n";
    for (int i = 0; i < 100000; ++i)
        bytes += std::to_string(i % 150) + "=" + std::to_string(i) + "\r\n";
    const FormulaFileReadResult result = ReadFromBytes(bytes);
    ASSERT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.formulas[4], "99904");  // the last line for index 4
    EXPECT_EQ(result.content.formulas[99], "99999");

    const FormulaFileReadResult single = ReadFromBytes("000003081\r\n4=" + longFormula);
    EXPECT_EQ(single.content.formulas[4].size(), longFormula.size());
}

TEST_F(FormulaFileTest, EveryControlCharacterButALineBreakOrNulRoundTripsByteForByte) {
    std::string controls;
    for (char c = 1; c < 0x20; ++c) {
        if (c != '\r' && c != '\n') controls += c;
    }
    controls += "\x7F\u0085\u2028";  // DEL, NEL and the line separator are no line ends here
    FormulaFileContent content = DefaultSheet();
    content.formulas[2] = controls;
    const std::string path = PathOf("controls.tsf");
    ASSERT_EQ(WriteFormulaFile(path, content), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(path),
              "\xEF\xBB\xBF"
              "000003081\r\n2=" +
                  controls + "\r\n");
    const FormulaFileReadResult result = ReadFormulaFile(path);
    ASSERT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.formulas, content.formulas);
}

TEST_F(FormulaFileTest, FormulaWithALineBreakIsRefusedAndTheFileKept) {
    const std::string path = PathOf("kept.tsf");
    for (const std::string& formula : {"1\r\n5=2"s, "1\n5=2"s, "1\r5=2"s, "\n"s, "1\0"s}) {
        WriteBytes(path, "000003081\r\n0=1\r\n");
        FormulaFileContent content = DefaultSheet();
        content.formulas[0] = formula;
        EXPECT_NE(WriteFormulaFile(path, content), FileStatus::Ok);
        EXPECT_EQ(ReadBytes(path), "000003081\r\n0=1\r\n");
    }
}

TEST_F(FormulaFileTest, FailedWriteKeepsTheOldFile) {
    const std::string path = PathOf("kept.tsf");
    WriteBytes(path, "000003081\r\n0=1\r\n");
    FormulaFileContent content = DefaultSheet();
    content.formulas[0] = std::string(4096, '9');

    // A file-size limit makes the write fail halfway, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteFormulaFile(path, content) == FileStatus::Ok;
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "000003081\r\n0=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp_.Folder()), fs::directory_iterator()), 1);

    EXPECT_NE(WriteFormulaFile(PathOf("no/such/folder.tsf"), content), FileStatus::Ok);
}

}  // namespace
