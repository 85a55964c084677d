#include "sheet/recovery_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(RecoveryCopyOwner, ReadsBackTheNameOfItsProcess) {
    const ProcessIdentity owner{4321, 98765};
    EXPECT_EQ(RecoveryCopyName(owner), "recovery-4321-98765.tsf");
    EXPECT_EQ(RecoveryCopyOwner(RecoveryCopyName(owner)), owner);
    EXPECT_EQ(RecoveryCopyOwner(RecoveryCopyName({2147483647, 0})),
              (ProcessIdentity{2147483647, 0}));

    for (const char* other : {"recovery-4321.tsf", "recovery--98765.tsf", "recovery-0-1.tsf",
                              "recovery-2147483648-1.tsf", "recovery-12-3x.tsf",
                              "recovery-12-3.tsf.bak", ".recovery-12-3.tsf.Ab1cDe", "budget.tsf",
                              "Recovery-12-3.tsf", "recovery-.tsf", "recovery-+1-2.tsf"}) {
        EXPECT_EQ(RecoveryCopyOwner(other), std::nullopt) << other;
    }
}

RecoveryCopy Sample(const std::string& fileName) {
    RecoveryCopy copy;
    copy.sheet.currentLine = 12;
    copy.sheet.settings = {1, 1, 1, 4, 16, 0};
    copy.sheet.formulas[0] = "1+2";
    copy.sheet.formulas[12] = "A0*3";
    copy.fileName = fileName;
    return copy;
}

TEST(RecoveryCopyFormat, FileNameLineFollowsTheHeaderAndOpensAsAPlainFormulaFile) {
    const Lines lines = FormatRecoveryCopy(Sample("/home/u/予算.tsf"));
    EXPECT_EQ(lines, (Lines{"121114160", "FILE=/home/u/予算.tsf", "0=1+2", "12=A0*3"}));
    const FormulaFileReadResult plain = ParseFormulaFile(lines);
    EXPECT_TRUE(plain.Succeeded());
    EXPECT_EQ(plain.content.formulas, Sample("").sheet.formulas);
}

TEST(RecoveryCopyFormat, EveryFileNameComesBackUnchanged) {
    for (const std::string name : {"", "/tmp/a.tsf", "/tmp/100%.tsf", "/tmp/%0A%25.tsf",
                                   "/tmp/two\nlines\r.tsf", "/tmp/FILE=x.tsf", "/tmp/tail%"}) {
        const Lines lines = FormatRecoveryCopy(Sample(name));
        ASSERT_EQ(lines.size(), 4u) << name;
        const std::optional<RecoveryCopy> copy = ParseRecoveryCopy(lines);
        ASSERT_TRUE(copy) << name;
        EXPECT_EQ(copy->fileName, name);
        EXPECT_EQ(copy->sheet.currentLine, 12);
        EXPECT_EQ(copy->sheet.settings, Sample(name).sheet.settings);
        EXPECT_EQ(copy->sheet.formulas, Sample(name).sheet.formulas);
    }
    EXPECT_EQ(ParseRecoveryCopy({"-50003081", "FILE=", "0=1"}), std::nullopt) << "no sheet line";
}

// The sheet's file name is kept as its bytes through the copy's file, also a name that is no
// UTF-8 (CP932 from a Windows archive, a stray byte).
TEST(RecoveryCopyFiles, FileNameComesBackAsItsBytes) {
    TempFolder temp;
    const std::string path = temp.Folder() + RecoveryCopyName({77, 5});
    for (const std::string name : {"/tmp/é.tsf", "/tmp/\x8C\x76\x8E\x5A.tsf", "/tmp/\xFF%41.tsf"}) {
        ASSERT_EQ(WriteRecoveryCopy(path, Sample(name)), FileStatus::Ok);
        RecoveryCopy read;
        ASSERT_EQ(ReadRecoveryCopy(path, read), FileStatus::Ok) << name;
        EXPECT_EQ(read.fileName, name);
    }
}

TEST(RecoveryCopyFiles, WrittenReadAndListedByOwner) {
    TempFolder temp;
    const std::string path = temp.Folder() + RecoveryCopyName({77, 5});
    ASSERT_EQ(WriteRecoveryCopy(path, Sample("/tmp/é.tsf")), FileStatus::Ok);
    RecoveryCopy read;
    ASSERT_EQ(ReadRecoveryCopy(path, read), FileStatus::Ok);
    EXPECT_EQ(read.fileName, "/tmp/é.tsf");

    WriteBytes(temp.File("budget.tsf"), "000003081\r\n");
    WriteBytes(temp.File(".recovery-78-5.tsf.Ab1cDe"), "000003081\r\n");  // a save cut short
    fs::create_directory(temp.File(RecoveryCopyName({79, 5})));
    std::vector<RecoveryCopyEntry> copies = ListRecoveryCopies(temp.Folder());
    ASSERT_EQ(copies.size(), 2u);
    std::sort(copies.begin(), copies.end(),
              [](const auto& a, const auto& b) { return a.owner.pid < b.owner.pid; });
    EXPECT_EQ(copies[0].path, path);
    EXPECT_EQ(copies[0].owner, (ProcessIdentity{77, 5}));
    EXPECT_EQ(copies[1].owner, (ProcessIdentity{79, 5}));
    EXPECT_EQ(ReadRecoveryCopy(copies[1].path, read), FileStatus::Unreadable)
        << "a folder cannot be read";
    EXPECT_EQ(ReadRecoveryCopy(temp.File("missing.tsf"), read), FileStatus::Missing);
    WriteBytes(temp.File("notes.txt"), "-50003081\r\nFILE=\r\n");  // no line of the sheet
    EXPECT_EQ(ReadRecoveryCopy(temp.File("notes.txt"), read), FileStatus::Malformed);
    EXPECT_EQ(read.fileName, "/tmp/é.tsf") << "a failed read leaves the copy as it was";
    EXPECT_TRUE(ListRecoveryCopies(temp.File("missing/")).empty());
}

TEST(OrphanedCopiesNewestFirst, SkipsRunningOwnersAndOrdersByTime) {
    using std::chrono::seconds;
    const std::chrono::system_clock::time_point t0{};
    const auto copy = [&](const char* path, long pid, int second) {
        return RecoveryCopyEntry{path, {pid, 1}, t0 + seconds(second)};
    };
    const std::vector<RecoveryCopyEntry> copies = {
        copy("/d/old", 10, 1),         copy("/d/running-new", 11, 9), copy("/d/new", 12, 5),
        copy("/d/same-time-b", 13, 3), copy("/d/same-time-a", 14, 3),
    };
    const auto running = [](const ProcessIdentity& owner) { return owner.pid == 11; };
    std::vector<std::string> order;
    for (const RecoveryCopyEntry& entry : OrphanedCopiesNewestFirst(copies, running)) {
        order.push_back(entry.path);
    }
    EXPECT_EQ(order, (Lines{"/d/new", "/d/same-time-a", "/d/same-time-b", "/d/old"}));
    EXPECT_TRUE(
        OrphanedCopiesNewestFirst(copies, [](const ProcessIdentity&) { return true; }).empty());
}

}  // namespace
