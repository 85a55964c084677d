#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "expr/format_value.h"
#include "platform/file_codec.h"
#include "settings/execute_parameter.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

using namespace std::string_literals;

namespace {

// The settings file as the record wrote it, line by line.
std::vector<std::string> WrittenLines(const TempFolder& folder) {
    return SplitLines(DecodeFileText(ReadBytes(folder.File("TSRN.sts"))));
}

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines) {
        if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    }
    return "(missing)";
}

// Values outside the settings' ranges are read and written back as they are, and the
// formatting takes them without a crash or a text longer than the display.
TEST(ExecuteParameterRobustnessTest, OutOfRangeValuesAreKeptAndUsable) {
    TempFolder folder;
    WriteBytes(folder.File("TSRN.sts"),
               "HSIZE    =99\r\nCOMMA    =7\r\nTRANS    =-3\r\nWIDTH    =-5\r\n"
               "CMODE    =1\r\nVMODE    =1\r\n");
    {
        ExecuteParameter settings(folder.Folder());
        EXPECT_EQ(settings.HSIZE, 99);
        EXPECT_EQ(settings.COMMA, 7);
        EXPECT_EQ(settings.TRANS, -3);
        EXPECT_EQ(settings.WIDTH, -5);

        // Hexadecimal: 16 digits at most.
        EXPECT_EQ(FormatValue(255, settings.Modes()).size(), 16u);
        settings.VMODE = 0;
        EXPECT_EQ(FormatValue(123456789012345.0L, settings.Modes()), "1,2345678,9012345");
        settings.CMODE = 0;
        EXPECT_EQ(FormatValue(-1234567.891L, settings.Modes()), "-1234567.891");
    }
    const std::vector<std::string> lines = WrittenLines(folder);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(ValueOf(lines, "HSIZE    "), "99");
    EXPECT_EQ(ValueOf(lines, "COMMA    "), "7");
    EXPECT_EQ(ValueOf(lines, "TRANS    "), "-3");
    EXPECT_EQ(ValueOf(lines, "WIDTH    "), "-5");
}

struct IntegerCase {
    const char* name;
    std::string value;  // as it stands in the file
    std::int32_t read;  // WIDTH as read (default 600)
};

class IntegerEdgeTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerEdgeTest, ReadsOrFallsBack) {
    TempFolder folder;
    WriteBytes(folder.File("TSRN.sts"), "WIDTH    =" + GetParam().value + "\r\n");
    ExecuteParameter settings(folder.Folder());
    EXPECT_EQ(settings.WIDTH, GetParam().read);
    EXPECT_EQ(ValueOf(WrittenLines(folder), "WIDTH    "), std::to_string(GetParam().read));
}

INSTANTIATE_TEST_SUITE_P(
    Robustness, IntegerEdgeTest,
    testing::Values(IntegerCase{"Largest", "2147483647", INT_MAX},
                    IntegerCase{"Smallest", "-2147483648", INT_MIN},
                    IntegerCase{"BeyondLargest", "2147483648", 600},
                    IntegerCase{"BeyondSmallest", "-2147483649", 600},
                    IntegerCase{"ManyDigits", std::string(5000, '9'), 600},
                    IntegerCase{"LeadingZeros", std::string(5000, '0') + "7", 7},
                    IntegerCase{"SignOnly", "-", 600}, IntegerCase{"TrailingBlank", "800 ", 600},
                    IntegerCase{"Nul", "8\0"s + "00", 8}),
    [](const testing::TestParamInfo<IntegerCase>& info) { return info.param.name; });

// The text ends at the first NUL byte: what follows is not read and is dropped.
TEST(ExecuteParameterRobustnessTest, NulByteEndsTheText) {
    TempFolder folder;
    WriteBytes(folder.File("TSRN.sts"), "WIDTH    =640\r\n\0HEIGHT   =480\r\n"s);
    ExecuteParameter settings(folder.Folder());
    EXPECT_EQ(settings.WIDTH, 640);
    EXPECT_EQ(settings.HEIGHT, 400);
    EXPECT_EQ(WrittenLines(folder).size(), 31u);
}

// Megabytes of junk: the settings take their defaults and the file is rewritten as 31 lines.
TEST(ExecuteParameterRobustnessTest, LargeFileOfJunk) {
    TempFolder folder;
    std::string junk;
    for (int i = 0; junk.size() < 5'000'000; ++i)
        junk += "JUNK" + std::to_string(i) + "=\xFF\x80" + std::string(80, 'x') + "\n";
    junk += "ECELL    =B7\n";
    WriteBytes(folder.File("TSRN.sts"), junk);
    ExecuteParameter settings(folder.Folder());
    EXPECT_EQ(settings.ECELL, "B7");
    EXPECT_EQ(settings.WIDTH, 600);
    EXPECT_EQ(WrittenLines(folder).size(), 31u);
}

// A folder in place of the settings file: defaults, and the folder is left as it is.
TEST(ExecuteParameterRobustnessTest, FolderInsteadOfFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("TSRN.sts"));
    {
        ExecuteParameter settings(folder.Folder());
        EXPECT_EQ(settings.WIDTH, 600);
        EXPECT_EQ(settings.HSIZE, 8);
        EXPECT_EQ(settings.SaveAtEnd(), FileStatus::Unwritable);
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("TSRN.sts")));
}

}  // namespace
