#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/platform/as_nobody.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class TextFileTest : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return temp_.File(name); }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp_.Folder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder temp_;
};

using Lines = std::vector<std::string>;

TEST_F(TextFileTest, MissingFileLeavesLinesUntouched) {
    Lines lines{"kept"};
    EXPECT_EQ(ReadTextFile(PathOf("none.sts"), lines), FileStatus::Missing);
    EXPECT_EQ(ReadTextFile(PathOf("none/inside.sts"), lines), FileStatus::Missing);
    EXPECT_EQ(lines, Lines{"kept"});
}

TEST_F(TextFileTest, DirectoryIsUnreadable) {
    fs::create_directory(PathOf("dir"));
    Lines lines{"kept"};
    EXPECT_EQ(ReadTextFile(PathOf("dir"), lines), FileStatus::Unreadable);
    EXPECT_EQ(lines, Lines{"kept"});
}

TEST_F(TextFileTest, FileWithoutReadPermissionIsUnreadable) {
    const std::string path = PathOf("locked.sts");
    WriteBytes(path, "A=1\r\n");
    fs::permissions(path, fs::perms::none);
    EXPECT_TRUE(RunAsNobody([&] {
        Lines lines;
        return ReadTextFile(path, lines) == FileStatus::Unreadable;
    }));
}

// The settings, constant, formula and help files are all read here: a pipe is not waited for and
// a device is not read (/dev/zero never ends).
TEST_F(TextFileTest, PipeOrDeviceIsUnreadableWithoutWaiting) {
    ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", PathOf("zero"));
    for (const char* name : {"pipe", "zero"}) {
        Lines lines{"kept"};
        EXPECT_EQ(ReadTextFile(PathOf(name), lines), FileStatus::Unreadable) << name;
        EXPECT_EQ(lines, Lines{"kept"});
    }
}

// Temporaries of writers killed long ago are cleared by the next save; a recent one (another
// save may be running), those of other files and the user's own dot files stay.
TEST_F(TextFileTest, SaveRemovesOnlyStaleTemporariesOfItsOwnFile) {
    const auto age = [&](const std::string& name, std::chrono::minutes minutes) {
        WriteBytes(PathOf(name), "partial");
        fs::last_write_time(PathOf(name), fs::file_time_type::clock::now() - minutes);
    };
    const std::chrono::minutes hour(60);
    age(".a.sts.tessarin-save-Ab12Cd", hour);
    age(".a.sts.tessarin-save-Xy34Zw", std::chrono::minutes(1));
    age(".b.sts.tessarin-save-Ab12Cd", hour);
    age(".a.sts.tessarin-save-Ab12C-", hour);
    age(".a.sts.backup", hour);
    age(".a.sts.240101", hour);
    age(".a.sts.Ab12Cd", hour);
    ASSERT_EQ(WriteTextFile(PathOf("a.sts"), {"new"}), FileStatus::Ok);
    EXPECT_EQ(FolderEntries(),
              (std::vector<std::string>{
                  ".a.sts.240101", ".a.sts.Ab12Cd", ".a.sts.backup", ".a.sts.tessarin-save-Ab12C-",
                  ".a.sts.tessarin-save-Xy34Zw", ".b.sts.tessarin-save-Ab12Cd", "a.sts"}));
}

// The temporary file's name adds to the name: a name near the file system's limit (ASCII or
// three-byte characters, which a cut must not split) is saved through a shorter one.
TEST_F(TextFileTest, EveryNameThatCanBeOpenedCanBeSaved) {
    std::string japanese;
    for (int i = 0; i < 85; ++i)
        japanese += "予";  // 255 bytes
    for (const std::string& name :
         {std::string(233, 'a'), std::string(234, 'b'), std::string(255, 'c'), japanese}) {
        const std::string path = PathOf(name);
        WriteBytes(path, "old\r\n");
        EXPECT_EQ(WriteTextFile(path, {"new"}), FileStatus::Ok) << name.size();
        EXPECT_EQ(ReadBytes(path), "new\r\n") << name.size();
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{name});
        fs::remove(path);
    }
}

TEST_F(TextFileTest, ReadsEveryLineEndAndEncoding) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"Empty", "", {}},
        {"Cp932CrLf", "\x89\x7E=1\r\nB=2\r\n", {"円=1", "B=2"}},
        {"LoneLfAndLastLineWithoutEnd", "A\nB", {"A", "B"}},
        {"LoneCr", "A\rB\r", {"A", "B"}},
        {"Utf8WithBom", "\xEF\xBB\xBF\u301C\r\n", {"\u301C"}},
        // An image or an archive is no text: the lines stay as they were.
        {"NulBytesAreNoText", std::string("A\0=1\r\n", 6), {"stale"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf("read.txt");
        WriteBytes(path, c.bytes);
        Lines lines{"stale"};
        EXPECT_EQ(ReadTextFile(path, lines),
                  c.lines == Lines{"stale"} ? FileStatus::NotText : FileStatus::Ok);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(TextFileTest, WritesCp932OrUtf8WithBomAndReadsBack) {
    struct Case {
        const char* name;
        Lines lines;
        std::string bytes;
    };
    const Case cases[] = {
        {"NoLines", {}, ""},
        {"Cp932", {"円=1", "①～－\\"}, "\x89\x7E=1\r\n\x87\x40\x81\x60\x81\x7C\\\r\n"},
        {"WaveDashKeepsUtf8",
         {"A", "\u301C"},
         "\xEF\xBB\xBF"
         "A\r\n\u301C\r\n"},
        {"AccentKeepsUtf8",
         {"FOLDER=/home/é/"},
         "\xEF\xBB\xBF"
         "FOLDER=/home/é/\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf("write.txt");
        ASSERT_EQ(WriteTextFile(path, c.lines), FileStatus::Ok);
        EXPECT_EQ(ReadBytes(path), c.bytes);
        Lines back;
        EXPECT_EQ(ReadTextFile(path, back), FileStatus::Ok);
        EXPECT_EQ(back, c.lines);
        EXPECT_EQ(FolderEntries(), Lines{"write.txt"});
    }
}

TEST_F(TextFileTest, MissingFolderFailsWithoutCreatingAnything) {
    EXPECT_NE(WriteTextFile(PathOf("absent/file.txt"), {"A"}), FileStatus::Ok);
    EXPECT_TRUE(FolderEntries().empty());
}

TEST_F(TextFileTest, DirectoryTargetFailsAndLeavesNoTemporaryFile) {
    fs::create_directory(PathOf("target"));
    WriteBytes(PathOf("target/inside.txt"), "inside");
    EXPECT_NE(WriteTextFile(PathOf("target"), {"A"}), FileStatus::Ok);
    EXPECT_TRUE(fs::is_directory(PathOf("target")));
    EXPECT_EQ(ReadBytes(PathOf("target/inside.txt")), "inside");
    EXPECT_EQ(FolderEntries(), Lines{"target"});
}

// Replaced by rename or, for a file with a second name, written in place: either way a failed
// write leaves the old file whole and nothing beside it.
TEST_F(TextFileTest, FailedWriteLeavesOldFileWhole) {
    for (const bool hardLinked : {false, true}) {
        SCOPED_TRACE(hardLinked ? "hard-linked" : "single");
        const std::string path = PathOf("TSRN.sts");
        WriteBytes(path, "OLD=1\r\n");
        if (hardLinked) fs::create_hard_link(path, PathOf("other.sts"));
        // A file-size limit makes the write fail halfway, as a full disk would.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 100;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = WriteTextFile(path, Lines(50, std::string(40, 'x'))) == FileStatus::Ok;
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);

        EXPECT_FALSE(written);
        EXPECT_EQ(ReadBytes(path), "OLD=1\r\n");
        const Lines left = hardLinked ? Lines{"TSRN.sts", "other.sts"} : Lines{"TSRN.sts"};
        EXPECT_EQ(FolderEntries(), left);
        fs::remove(PathOf("other.sts"));
    }
}

TEST_F(TextFileTest, OverwriteKeepsPermissionBits) {
    const std::string path = PathOf("constant.clc");
    WriteBytes(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(WriteTextFile(path, {"PI=3"}), FileStatus::Ok);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(TextFileTest, NewFileFollowsUmask) {
    const mode_t previous = umask(027);
    const bool written = WriteTextFile(PathOf("new.txt"), {"A"}) == FileStatus::Ok;
    umask(previous);
    ASSERT_TRUE(written);
    struct stat info {};
    ASSERT_EQ(stat(PathOf("new.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Tags and origins other programs keep on the file survive the save that replaces it.
TEST_F(TextFileTest, SaveKeepsUserAttributes) {
    const std::string path = PathOf("tagged.tsf");
    WriteBytes(path, "old");
    if (setxattr(path.c_str(), "user.xdg.tags", "budget", 6, 0) != 0) {
        GTEST_SKIP() << "this file system keeps no user attributes";
    }
    ASSERT_EQ(WriteTextFile(path, {"A=1"}), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "A=1\r\n");
    char value[16] = {};
    EXPECT_EQ(getxattr(path.c_str(), "user.xdg.tags", value, sizeof value), 6);
    EXPECT_STREQ(value, "budget");
}

// Also as root, whom no permission stops.
TEST_F(TextFileTest, FileWithoutWritePermissionIsNotWritten) {
    const std::string path = PathOf("kept.tsf");
    WriteBytes(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    EXPECT_NE(WriteTextFile(path, {"A=1"}), FileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST_F(TextFileTest, SymbolicLinkIsWrittenThrough) {
    fs::create_directory(PathOf("real"));
    WriteBytes(PathOf("real/TSRN.sts"), "old");
    fs::create_symlink(PathOf("real/TSRN.sts"), PathOf("link.sts"));
    ASSERT_EQ(WriteTextFile(PathOf("link.sts"), {"A=1"}), FileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(PathOf("link.sts")));
    EXPECT_EQ(ReadBytes(PathOf("real/TSRN.sts")), "A=1\r\n");
}

}  // namespace
