#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "expr/calc_expression.h"
#include "sheet/formula_file.h"
#include "tests/support/file_bytes.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class FormulaFileRobustnessTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tessarin-tsf-robust-" + std::to_string(random()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = PathOf(name);
        WriteBytes(path, bytes);
        return path;
    }

    fs::path folder_;
};

// 10 MB of formula lines: every line is read, the last line for an index wins.
TEST_F(FormulaFileRobustnessTest, TenMegabytesOfLines) {
    std::string bytes = "420003081\r\n";
    const std::string formula = "1+" + std::string(96, '2');  // 98 characters
    int lines = 0;
    while (bytes.size() < 10'000'000) {
        bytes +=
            std::to_string(lines % kLineCount) + "=" + formula + std::to_string(lines) + "\r\n";
        ++lines;
    }
    const FormulaFileReadResult result = ReadFormulaFile(Write("big.tsf", bytes));
    ASSERT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.currentLine, 42);
    for (int k = 0; k < kLineCount; ++k) {
        // The last line written for index k.
        const int last = (lines - 1) - ((lines - 1 - k) % kLineCount);
        ASSERT_EQ(result.content.formulas[k], formula + std::to_string(last)) << k;
    }
}

// One formula of 10 MB is kept whole and written back whole.
TEST_F(FormulaFileRobustnessTest, TenMegabyteFormula) {
    const std::string formula(10'000'000, '7');
    const FormulaFileReadResult result =
        ReadFormulaFile(Write("long.tsf", "000003081\r\n5=" + formula + "\r\n"));
    ASSERT_EQ(result.status, FormulaFileStatus::Read);
    EXPECT_EQ(result.content.formulas[5], formula);

    const std::string copy = PathOf("copy.tsf");
    ASSERT_EQ(WriteFormulaFile(copy, result.content), FileStatus::Ok);
    EXPECT_EQ(fs::file_size(copy), 11u + 2u + formula.size() + 2u);
}

// NUL bytes are characters like any other: in the header they make a field unreadable, in a
// formula they stay (and make it fail as an undefined name), and saving keeps them.
// NUL bytes without a UTF-16 mark (an image, an archive): no formula file, whatever else it holds.
TEST_F(FormulaFileRobustnessTest, NulBytesAreNoText) {
    for (const std::string& bytes :
         {"07\0"s + "103\0"s + "81\r\n3=1\0+2\r\n"s, std::string(4096, '\0')}) {
        const FormulaFileReadResult result = ReadFormulaFile(Write("nul.tsf", bytes));
        EXPECT_EQ(result.status, FormulaFileStatus::Unreadable);
        EXPECT_EQ(result.file, FileStatus::NotText);
    }
}

// A file far larger than any sheet (a disk image chosen by mistake) is refused by its size,
// before anything of it is read.
TEST_F(FormulaFileRobustnessTest, FileLargerThanAnySheetIsRefusedUnread) {
    const std::string path = PathOf("image.tsf");
    fs::resize_file(Write("image.tsf", "000003081\r\n"), kMaxFormulaFileBytes + 1);
    const FormulaFileReadResult result = ReadFormulaFile(path);
    EXPECT_EQ(result.status, FormulaFileStatus::Unreadable);
    EXPECT_EQ(result.file, FileStatus::TooLarge);
}

// A folder where the file should be: reported as unreadable, and it cannot be overwritten.
TEST_F(FormulaFileRobustnessTest, FolderInsteadOfFile) {
    const std::string path = PathOf("folder.tsf");
    fs::create_directory(path);
    EXPECT_EQ(ReadFormulaFile(path).status, FormulaFileStatus::Unreadable);
    EXPECT_NE(WriteFormulaFile(path, FormulaFileContent{}), FileStatus::Ok);
    EXPECT_TRUE(fs::is_directory(path));
}

}  // namespace
