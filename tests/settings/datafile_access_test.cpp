#include "settings/datafile_access.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/system_info.h"
#include "tests/support/env_guard.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using Lines = std::vector<std::string>;

// The store with its lines and location open to the test.
class Store : public DatafileAccess {
public:
    using DatafileAccess::fileName;
    using DatafileAccess::folder;
    using DatafileAccess::Lines;
    using DatafileAccess::SetLines;
};

Store StoreWith(const Lines& lines) {
    Store store;
    store.SetLines(lines);
    return store;
}

// Another holder of the file: an open of its own with an exclusive lock (a writer) or a shared
// one (a reader) on it.
class OtherHolder {
public:
    explicit OtherHolder(const std::string& path) : fd_(open(path.c_str(), O_RDONLY)) {}
    ~OtherHolder() {
        if (fd_ >= 0) close(fd_);
    }
    bool Lock() { return fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) == 0; }
    bool LockShared() { return fd_ >= 0 && flock(fd_, LOCK_SH | LOCK_NB) == 0; }

private:
    int fd_;
};

struct ReadCase {
    const char* name;
    Lines lines;
    std::string key;
    std::string expected;
};

class ReadStringTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadStringTest, FindsTheFirstMatchingKey) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(StoreWith(c.lines).ReadString(c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReadStringTest,
    testing::Values(
        ReadCase{"EmptyStore", {}, "WIDTH    ", "<default>"},
        ReadCase{"PaddedKey", {"WIDTH    =800"}, "WIDTH    ", "800"},
        ReadCase{"LowerCaseKeyMatchesUpperLine", {"WIDTH    =800"}, "width    ", "800"},
        ReadCase{"LowerCaseLineMatches", {"width    =800"}, "WIDTH    ", "800"},
        ReadCase{"MixedCaseLineMatches", {"WiDtH    =800"}, "wIdTh    ", "800"},
        ReadCase{"UnpaddedLineDoesNotMatchPaddedKey", {"WIDTH=800"}, "WIDTH    ", "<default>"},
        ReadCase{"PaddedLineDoesNotMatchUnpaddedKey", {"WIDTH    =800"}, "WIDTH", "<default>"},
        ReadCase{"LeadingBlankIsSignificant", {" WIDTH=800"}, "WIDTH", "<default>"},
        ReadCase{"SameTrailingBlanksMatch", {"KEY  =1", "KEY =2"}, "key ", "2"},
        ReadCase{"ValueKeepsEveryEqualsSign", {"FOLDER   =/a=b/c=/"}, "FOLDER   ", "/a=b/c=/"},
        ReadCase{"ValueIsNotTrimmed", {"ECELL    =  B2  "}, "ECELL    ", "  B2  "},
        ReadCase{"EmptyValueIsNotTheDefault", {"ECELL    ="}, "ECELL    ", ""},
        ReadCase{"FirstOfTwoEntries", {"HEIGHT   =500", "HEIGHT   =700"}, "HEIGHT   ", "500"},
        ReadCase{"LineWithoutEqualsIsSkipped", {"WIDTH", "WIDTH=3"}, "WIDTH", "3"},
        ReadCase{"KeyEndsAtTheFirstEquals", {"A=B=C"}, "A=B", "<default>"},
        ReadCase{"EmptyKey", {"x", "=empty key"}, "", "empty key"},
        ReadCase{"OtherLettersKeepTheirCase",
                 {"\xC3\xA4"
                  "B=1"},
                 "\xC3\xA4"
                 "b",
                 "1"},
        ReadCase{"OnlyAsciiLettersFoldCase",
                 {"\xC3\x84"
                  "B=1"},
                 "\xC3\xA4"
                 "b",
                 "<default>"}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

struct IntegerCase {
    const char* name;
    std::string value;
    std::int32_t expected;
};

class ReadIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ReadIntegerTest, ConvertsTheWholeValueOrGivesTheDefault) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(StoreWith({"WIDTH    =" + c.value}).ReadInteger("WIDTH    ", 600), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadIntegerTest,
    testing::Values(IntegerCase{"Plain", "800", 800}, IntegerCase{"Negative", "-5", -5},
                    IntegerCase{"PlusSign", "+7", 7}, IntegerCase{"LeadingZeros", "007", 7},
                    IntegerCase{"Zero", "0", 0}, IntegerCase{"LeadingBlanks", "   42", 42},
                    IntegerCase{"BlanksBeforeSign", "  -42", -42},
                    IntegerCase{"Largest", "2147483647", 2147483647},
                    IntegerCase{"Smallest", "-2147483648", INT32_MIN},
                    IntegerCase{"Empty", "", 600}, IntegerCase{"TrailingLetters", "800abc", 600},
                    IntegerCase{"TrailingBlank", "42 ", 600},
                    IntegerCase{"BlankAfterSign", "- 5", 600},
                    IntegerCase{"InnerBlank", "1 2", 600}, IntegerCase{"SignOnly", "-", 600},
                    IntegerCase{"Hexadecimal", "0x10", 600}, IntegerCase{"Fraction", "1.5", 600},
                    IntegerCase{"FullWidthDigit", "\xEF\xBC\x91", 600},
                    IntegerCase{"JustTooLarge", "2147483648", 600},
                    IntegerCase{"JustTooSmall", "-2147483649", 600},
                    IntegerCase{"FarTooLarge", "99999999999999999999999", 600}),
    [](const testing::TestParamInfo<IntegerCase>& info) { return info.param.name; });

TEST(ReadIntegerTest, MissingKeyGivesTheDefault) {
    EXPECT_EQ(StoreWith({"HEIGHT   =1"}).ReadInteger("WIDTH    ", -9), -9);
}

struct WriteCase {
    const char* name;
    Lines before;
    std::string key;
    std::string value;
    Lines after;
};

class WriteStringTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteStringTest, ReplacesTheFirstMatchOrAppends) {
    const WriteCase& c = GetParam();
    Store store = StoreWith(c.before);
    EXPECT_EQ(store.WriteString(c.key, c.value), c.value);
    EXPECT_EQ(store.Lines(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, WriteStringTest,
    testing::Values(
        WriteCase{"AppendsToEmptyStore", {}, "WIDTH    ", "600", {"WIDTH    =600"}},
        WriteCase{"StoresTheKeyUpperCased", {}, "ecell    ", "a1", {"ECELL    =a1"}},
        WriteCase{"AppendsAtTheEnd", {"A=1", "B=2"}, "C", "3", {"A=1", "B=2", "C=3"}},
        WriteCase{"ReplacesInPlace", {"A=1", "B=2", "C=3"}, "B", "x", {"A=1", "B=x", "C=3"}},
        WriteCase{"ReplacesLowerCaseLine", {"a=1", "b=2"}, "b", "9", {"a=1", "B=9"}},
        WriteCase{
            "ReplacesOnlyTheFirstOfTwo", {"H=1", "X=0", "H=2"}, "H", "5", {"H=5", "X=0", "H=2"}},
        WriteCase{"PaddedKeyDoesNotReplaceUnpaddedLine",
                  {"WIDTH=1"},
                  "WIDTH    ",
                  "2",
                  {"WIDTH=1", "WIDTH    =2"}},
        WriteCase{"LineWithoutEqualsIsKept", {"WIDTH"}, "WIDTH", "4", {"WIDTH", "WIDTH=4"}},
        WriteCase{"EmptyValue", {"QUIT     =x"}, "QUIT     ", "", {"QUIT     ="}},
        WriteCase{"ValueWithEqualsSign", {}, "FOLDER   ", "/a=b/", {"FOLDER   =/a=b/"}}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(WriteIntegerTest, WritesPlainDecimal) {
    Store store;
    EXPECT_EQ(store.WriteInteger("A", -5), -5);
    EXPECT_EQ(store.WriteInteger("B", 0), 0);
    EXPECT_EQ(store.WriteInteger("C", INT32_MIN), INT32_MIN);
    EXPECT_EQ(store.WriteInteger("D", 2147483647), 2147483647);
    EXPECT_EQ(store.Lines(), (Lines{"A=-5", "B=0", "C=-2147483648", "D=2147483647"}));
    EXPECT_EQ(store.ReadInteger("c", 1), INT32_MIN);
}

// Thousands of keys, in both cases, repeated, and added one by one past the size the lookup
// started with: each key still finds its first entry.
TEST(DatafileAccessTest, ManyKeysFindTheirFirstEntry) {
    Lines lines;
    for (int i = 0; i < 2000; ++i)
        lines.push_back("k" + std::to_string(i) + "=first");
    lines.push_back("no entry");
    for (int i = 0; i < 2000; i += 3)
        lines.push_back("K" + std::to_string(i) + "=second");
    Store store = StoreWith(lines);
    for (int i = 0; i < 3000; i += 7) {
        const std::string key = "K" + std::to_string(i);
        if (i >= 2000) {
            EXPECT_EQ(store.WriteString(key, "added"), "added");
        }
        EXPECT_EQ(store.ReadString(key, "<none>"), i < 2000 ? "first" : "added") << key;
    }
    EXPECT_EQ(store.WriteString("k3", "new"), "new");
    EXPECT_EQ(store.Lines()[3], "K3=new");
    EXPECT_EQ(store.Lines().size(), lines.size() + (3000 - 2002) / 7 + 1);
}

// Setting the entries at once replaces every line, and the keys are looked up among the new ones.
TEST(DatafileAccessTest, SetEntriesReplacesEveryLine) {
    Store store = StoreWith({"A=1", "B=2"});
    ASSERT_EQ(store.ReadString("A", ""), "1");
    store.SetEntries({{"b", "x"}, {"C", ""}});
    EXPECT_EQ(store.Lines(), (Lines{"B=x", "C="}));
    EXPECT_EQ(store.ReadString("A", "<none>"), "<none>");
    EXPECT_EQ(store.ReadString("b", "<none>"), "x");
}

// A store starts beside the executable and creates nothing there; the settings record moves it.
TEST(DatafileAccessTest, StartsEmptyBesideTheExecutable) {
    TempFolder temp;
    const EnvGuard data("TESSARIN_DATA_DIR", temp.Folder() + "never-made/");
    Store store;
    EXPECT_TRUE(store.Lines().empty());
    EXPECT_EQ(store.folder, ExecutableFolder());
    EXPECT_EQ(store.fileName, "datalist.sts");
    EXPECT_EQ(store.Path(), ExecutableFolder() + "datalist.sts");
    EXPECT_FALSE(std::filesystem::exists(temp.Folder() + "never-made"));
}

struct LocationCase {
    const char* name;
    std::string folder;
    std::string fileName;
    std::string expectedFolder;
    std::string expectedFileName;
};

class SetLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(SetLocationTest, BlankArgumentsKeepTheirValue) {
    const LocationCase& c = GetParam();
    Store store;
    store.folder = "/old/";
    store.fileName = "old.sts";
    store.SetLocation(c.folder, c.fileName);
    EXPECT_EQ(store.folder, c.expectedFolder);
    EXPECT_EQ(store.fileName, c.expectedFileName);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SetLocationTest,
    testing::Values(LocationCase{"BothEmpty", "", "", "/old/", "old.sts"},
                    LocationCase{"BothBlank", "   ", " ", "/old/", "old.sts"},
                    LocationCase{"TabIsBlank", "\t", "\t ", "/old/", "old.sts"},
                    LocationCase{"FileNameOnly", "", "TSRN.sts", "/old/", "TSRN.sts"},
                    LocationCase{"FolderOnly", "/new/", " ", "/new/", "old.sts"},
                    LocationCase{"StoredUntrimmed", " /new/ ", " a.sts", " /new/ ", " a.sts"}),
    [](const testing::TestParamInfo<LocationCase>& info) { return info.param.name; });

struct LoadCase {
    const char* name;
    std::string bytes;
    Lines expected;
};

class LoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadTest, ReadsTheLinesOfTheFile) {
    const LoadCase& c = GetParam();
    TempFolder temp;
    WriteBytes(temp.File("TSRN.sts"), c.bytes);
    Store store = StoreWith({"OLD=1"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    ASSERT_EQ(store.Load(), FileStatus::Ok);
    EXPECT_EQ(store.Lines(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTest,
    testing::Values(LoadCase{"EmptyFileEmptiesTheStore", "", {}},
                    LoadCase{"CrLf", "A=1\r\nB=2\r\n", {"A=1", "B=2"}},
                    LoadCase{"LoneCrAndLoneLf", "A=1\rB=2\nC=3", {"A=1", "B=2", "C=3"}},
                    LoadCase{"EmptyLinesStay", "A=1\r\n\r\n\nB=2\r\n", {"A=1", "", "", "B=2"}},
                    LoadCase{"LfCrIsTwoLineEnds", "A=1\n\rB=2", {"A=1", "", "B=2"}},
                    LoadCase{
                        "NulEndsTheText", std::string("A=1\r\nB=2\0C=3\r\n", 15), {"A=1", "B=2"}},
                    LoadCase{"NulFirst", std::string("\0A=1\r\n", 6), {}},
                    LoadCase{"BytesAfterNulAreIgnored",
                             std::string("A=\xC3\xA9\r\n\0\x81\xFF\xFE", 10),
                             {"A=\xC3\xA9"}},
                    LoadCase{"ShiftJis",
                             "FOLDER   =/\x83z\x81[\x83\x80/\r\n",
                             {"FOLDER   =/\xE3\x83\x9B\xE3\x83\xBC\xE3\x83\xA0/"}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST(LoadTest, MissingFileFailsAndKeepsTheLines) {
    TempFolder temp;
    Store store = StoreWith({"A=1"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    EXPECT_EQ(store.Load(), FileStatus::Missing);
    EXPECT_EQ(store.Lines(), Lines{"A=1"});
    store.SetLocation(temp.Folder() + "gone/", "");
    EXPECT_NE(store.Load(), FileStatus::Ok);
    EXPECT_EQ(store.Lines(), Lines{"A=1"});
}

TEST(LoadTest, DirectoryFailsAndKeepsTheLines) {
    TempFolder temp;
    std::filesystem::create_directory(temp.File("TSRN.sts"));
    Store store = StoreWith({"A=1"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    EXPECT_NE(store.Load(), FileStatus::Ok);
    EXPECT_EQ(store.Lines(), Lines{"A=1"});
}

TEST(LoadTest, FileHeldByAnotherFailsAndKeepsTheLines) {
    TempFolder temp;
    WriteBytes(temp.File("TSRN.sts"), "A=2\r\n");
    Store store = StoreWith({"A=1"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    {
        OtherHolder other(temp.File("TSRN.sts"));
        ASSERT_TRUE(other.Lock());
        EXPECT_EQ(store.Load(), FileStatus::HeldByAnother);
        EXPECT_EQ(store.Lines(), Lines{"A=1"});
    }
    EXPECT_EQ(store.Load(), FileStatus::Ok);
    EXPECT_EQ(store.Lines(), Lines{"A=2"});
}

// Two instances reading the file at the same time both read it; a writer waits for the reader.
TEST(LoadTest, ReadersShareTheFile) {
    TempFolder temp;
    WriteBytes(temp.File("TSRN.sts"), "A=2\r\n");
    Store store = StoreWith({"A=new"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    OtherHolder reader(temp.File("TSRN.sts"));
    ASSERT_TRUE(reader.LockShared());
    EXPECT_EQ(store.Load(), FileStatus::Ok);
    EXPECT_EQ(store.Lines(), Lines{"A=2"});
    store.SetLines({"A=new"});
    EXPECT_NE(store.Save(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(temp.File("TSRN.sts")), "A=2\r\n");
}

TEST(SaveTest, WritesEveryLineWithCrLf) {
    TempFolder temp;
    Store store = StoreWith({"WIDTH    =600", "", "FOLDER   =/a=b/"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    ASSERT_EQ(store.Save(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(temp.File("TSRN.sts")), "WIDTH    =600\r\n\r\nFOLDER   =/a=b/\r\n");

    store.SetLines({"A=1"});
    ASSERT_EQ(store.Save(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(temp.File("TSRN.sts")), "A=1\r\n");
    store.ClearEntries();
    ASSERT_EQ(store.Save(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(temp.File("TSRN.sts")), "");
    // Nothing but the file itself is left behind in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.Folder()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(SaveTest, FileHeldByAnotherFailsAndStaysUnchanged) {
    TempFolder temp;
    WriteBytes(temp.File("TSRN.sts"), "A=old\r\n");
    Store store = StoreWith({"A=new"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    {
        OtherHolder other(temp.File("TSRN.sts"));
        ASSERT_TRUE(other.Lock());
        EXPECT_EQ(store.Save(), FileStatus::HeldByAnother);
        EXPECT_EQ(ReadBytes(temp.File("TSRN.sts")), "A=old\r\n");
    }
    EXPECT_EQ(store.Save(), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(temp.File("TSRN.sts")), "A=new\r\n");
}

TEST(SaveTest, VanishedFolderFailsWithoutCreatingAnything) {
    TempFolder temp;
    Store store = StoreWith({"A=1"});
    store.SetLocation(temp.Folder() + "gone/", "TSRN.sts");
    EXPECT_NE(store.Save(), FileStatus::Ok);
    EXPECT_FALSE(std::filesystem::exists(temp.File("gone")));
}

TEST(SaveTest, DirectoryInThePlaceOfTheFileFailsAndStays) {
    TempFolder temp;
    std::filesystem::create_directory(temp.File("TSRN.sts"));
    WriteBytes(temp.File("TSRN.sts/inside"), "x");
    Store store = StoreWith({"A=1"});
    store.SetLocation(temp.Folder(), "TSRN.sts");
    EXPECT_NE(store.Save(), FileStatus::Ok);
    EXPECT_TRUE(std::filesystem::is_directory(temp.File("TSRN.sts")));
    EXPECT_EQ(ReadBytes(temp.File("TSRN.sts/inside")), "x");
}

}  // namespace
