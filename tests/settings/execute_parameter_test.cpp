#include "settings/execute_parameter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/system_info.h"
#include "settings/display_modes.h"
#include "tests/support/env_guard.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kSettingsFile = "TSRN.sts";

std::string Join(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

Lines SplitCrLf(const std::string& bytes) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()) << "the last line lacks its CR LF";
    return lines;
}

// "yyyy/mm/dd hh:mm:ss": digits everywhere but the separators.
bool IsTimeText(const std::string& text) {
    const std::string shape = "dddd/dd/dd dd:dd:dd";
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

// The run-record lines as this run must write them.
Lines RunRecordLines(const std::string& start, const std::string& quit) {
    return {"COMPUTER =" + ComputerName(),
            "OSINFO   =" + OsVersionText(),
            "USER     =" + UserName(),
            "PROGRAM  =" + ExecutablePath(),
            "EXEPATH  =" + ExecutableFolder(),
            "START    =" + start,
            "QUIT     =" + quit};
}

Lines DefaultSettingLines(const std::string& folder) {
    return {"WIDTH    =600", "HEIGHT   =400", "LEFT     =0", "TOP      =0",        "RWIDTH   =28",
            "TOOL     =1",   "FUNCTION =1",   "STATUS   =1", "FLASH    =1",        "ASK      =1",
            "AMODE    =0",   "CMODE    =0",   "VMODE    =0", "RTIME    =1",        "RKAKKO   =1",
            "RSUM     =1",   "ECELL    =A1",  "EOUT     =7", "COMMA    =3",        "HSIZE    =8",
            "DEGREE   =1",   "TRANS    =0",   "TMOST    =0", "FOLDER   =" + folder};
}

Lines Concat(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The setting lines that a record's members give, in the order of the file.
Lines SettingLinesOf(const ExecuteParameter& r) {
    const auto text = [](const char* key, const std::string& value) { return key + value; };
    const auto number = [](const char* key, std::int32_t value) {
        return key + std::to_string(value);
    };
    return {number("WIDTH    =", r.WIDTH),    number("HEIGHT   =", r.HEIGHT),
            number("LEFT     =", r.LEFT),     number("TOP      =", r.TOP),
            number("RWIDTH   =", r.RWIDTH),   number("TOOL     =", r.TOOL),
            number("FUNCTION =", r.FUNCTION), number("STATUS   =", r.STATUS),
            number("FLASH    =", r.FLASH),    number("ASK      =", r.ASK),
            number("AMODE    =", r.AMODE),    number("CMODE    =", r.CMODE),
            number("VMODE    =", r.VMODE),    number("RTIME    =", r.RTIME),
            number("RKAKKO   =", r.RKAKKO),   number("RSUM     =", r.RSUM),
            text("ECELL    =", r.ECELL),      number("EOUT     =", r.EOUT),
            number("COMMA    =", r.COMMA),    number("HSIZE    =", r.HSIZE),
            number("DEGREE   =", r.DEGREE),   number("TRANS    =", r.TRANS),
            number("TMOST    =", r.TMOST),    text("FOLDER   =", r.FOLDER)};
}

class ExecuteParameterTest : public testing::Test {
protected:
    std::string SettingsPath() const { return temp.File(kSettingsFile); }
    TempFolder temp;
    // An installed program: the data folder is not the executable's folder.
    EnvGuard data{"TESSARIN_DATA_DIR", temp.Folder()};
    EnvGuard home{"HOME", temp.Folder() + "home"};
};

TEST_F(ExecuteParameterTest, FirstRunWritesAllLinesInOrder) {
    ASSERT_FALSE(DataFolderIsExecutableFolder());
    const std::string before = LocalTimeText();
    ExecuteParameter record(temp.Folder());
    const std::string after = LocalTimeText();

    ASSERT_TRUE(IsTimeText(record.START)) << record.START;
    EXPECT_LE(before, record.START);
    EXPECT_LE(record.START, after);
    EXPECT_EQ(record.QUIT, "");
    EXPECT_EQ(record.EXEPATH, ExecutableFolder());
    EXPECT_EQ(record.FOLDER, temp.Folder() + "home/");
    EXPECT_EQ(record.ECELL, "A1");
    EXPECT_EQ(ReadBytes(SettingsPath()),
              Join(Concat(RunRecordLines(record.START, ""),
                          DefaultSettingLines(temp.Folder() + "home/"))));
}

TEST_F(ExecuteParameterTest, StartWrittenWhenAskedLeavesTheFileUntilThen) {
    WriteBytes(SettingsPath(), "WIDTH    =900\r\n");
    ExecuteParameter record(temp.Folder(), ExecuteParameter::StartWrite::OnSaveStart);
    EXPECT_EQ(record.WIDTH, 900);
    EXPECT_EQ(ReadBytes(SettingsPath()), "WIDTH    =900\r\n");
    EXPECT_EQ(record.SaveStart(), FileStatus::Ok);
    Lines expected = Concat(RunRecordLines(record.START, ""), DefaultSettingLines(record.FOLDER));
    expected[std::size(RunRecordLines("", ""))] = "WIDTH    =900";
    EXPECT_EQ(ReadBytes(SettingsPath()), Join(expected));
}

TEST_F(ExecuteParameterTest, PortableCopyStartsTheFileDialogsInItsOwnFolder) {
    const EnvGuard portable("TESSARIN_DATA_DIR", ExecutableFolder());
    ASSERT_TRUE(DataFolderIsExecutableFolder());
    ExecuteParameter record(temp.Folder());
    EXPECT_EQ(record.FOLDER, record.EXEPATH);
    EXPECT_EQ(SplitCrLf(ReadBytes(SettingsPath())).back(), "FOLDER   =" + ExecutableFolder());
}

TEST_F(ExecuteParameterTest, EndWritesQuitAndTheCurrentSettingsInPlace) {
    std::string start;
    {
        ExecuteParameter record(temp.Folder());
        start = record.START;
        // As the window's closing handler and a loaded formula file would leave them.
        record.WIDTH = 1024;
        record.TOP = -20;
        record.CMODE = 1;
        record.VMODE = 1;
        record.HSIZE = 16;
        record.DEGREE = 0;
        record.ECELL = "";
        record.FOLDER = "/data/a=b/";
        // The run record is not written again: a changed member stays out of the file.
        record.USER = "someone else";
        EXPECT_EQ(
            ReadBytes(SettingsPath()),
            Join(Concat(RunRecordLines(start, ""), DefaultSettingLines(temp.Folder() + "home/"))));
        EXPECT_EQ(record.SaveAtEnd(), FileStatus::Ok);
    }
    const Lines lines = SplitCrLf(ReadBytes(SettingsPath()));
    ASSERT_EQ(lines.size(), 31u);
    const std::string quit = lines[6].substr(10);
    ASSERT_TRUE(IsTimeText(quit)) << lines[6];
    EXPECT_LE(start, quit);
    Lines expected = Concat(RunRecordLines(start, quit), DefaultSettingLines("/data/a=b/"));
    expected[7] = "WIDTH    =1024";
    expected[10] = "TOP      =-20";
    expected[18] = "CMODE    =1";
    expected[19] = "VMODE    =1";
    expected[23] = "ECELL    =";
    expected[26] = "HSIZE    =16";
    expected[27] = "DEGREE   =0";
    EXPECT_EQ(lines, expected);

    ExecuteParameter next(temp.Folder());
    EXPECT_EQ(SettingLinesOf(next), Lines(expected.begin() + 7, expected.end()));
    EXPECT_EQ(next.USER, UserName());
}

const Lines kAllChanged = {"WIDTH    =800", "HEIGHT   =500", "LEFT     =10", "TOP      =20",
                           "RWIDTH   =30",  "TOOL     =0",   "FUNCTION =0",  "STATUS   =0",
                           "FLASH    =0",   "ASK      =0",   "AMODE    =1",  "CMODE    =1",
                           "VMODE    =1",   "RTIME    =0",   "RKAKKO   =0",  "RSUM     =0",
                           "ECELL    =C3",  "EOUT     =5",   "COMMA    =4",  "HSIZE    =16",
                           "DEGREE   =0",   "TRANS    =10",  "TMOST    =1",  "FOLDER   =/srv/"};

struct FileCase {
    const char* name;
    Lines file;
    // The settings that differ from the defaults after reading, in the form of their lines.
    Lines changed;
};

class SettingsFileTest : public ExecuteParameterTest,
                         public testing::WithParamInterface<FileCase> {};

TEST_P(SettingsFileTest, ReadsTheFileAndWritesItBackClean) {
    const FileCase& c = GetParam();
    WriteBytes(SettingsPath(), Join(c.file));
    ExecuteParameter record(temp.Folder());

    Lines expected = DefaultSettingLines(temp.Folder() + "home/");
    for (const std::string& change : c.changed) {
        for (std::string& line : expected) {
            if (line.compare(0, 10, change, 0, 10) == 0) line = change;
        }
    }
    const Lines written = SplitCrLf(ReadBytes(SettingsPath()));
    EXPECT_EQ(written, Concat(RunRecordLines(record.START, ""), expected));

    EXPECT_EQ(SettingLinesOf(record), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileTest,
    testing::Values(
        FileCase{"EmptyFile", {}, {}}, FileCase{"AllChanged", kAllChanged, kAllChanged},
        FileCase{"NegativeWidth", {"WIDTH    =-5"}, {"WIDTH    =-5"}},
        FileCase{"WidthWithLetters", {"WIDTH    =800abc"}, {}},
        FileCase{"EmptyWidth", {"WIDTH    ="}, {}},
        FileCase{
            "LowerCaseKeys", {"width    =900", "Ecell    =b7"}, {"WIDTH    =900", "ECELL    =b7"}},
        FileCase{"UnpaddedKeyIgnoredAndDropped", {"WIDTH=900", "HEIGHT =300"}, {}},
        FileCase{
            "UnknownKeyDropped", {"COLOR    =5", "no equals sign", "TOP      =7"}, {"TOP      =7"}},
        FileCase{"FirstOfDuplicatesUsed", {"HEIGHT   =500", "HEIGHT   =700"}, {"HEIGHT   =500"}},
        FileCase{"FolderWithEqualsSign", {"FOLDER   =/home/a=b/c=/"}, {"FOLDER   =/home/a=b/c=/"}},
        FileCase{"EmptyTextsStayEmpty", {"ECELL    =", "FOLDER   ="}, {"ECELL    =", "FOLDER   ="}},
        FileCase{"TextsAreNotTrimmed", {"ECELL    = A1 "}, {"ECELL    = A1 "}},
        FileCase{
            "OutOfRangePassedOn",
            {"COMMA    =7", "HSIZE    =99", "TRANS    =-3", "AMODE    =2", "WIDTH    =2147483647"},
            {"COMMA    =7", "HSIZE    =99", "TRANS    =-3", "AMODE    =2", "WIDTH    =2147483647"}},
        FileCase{"RunRecordNotReadBack",
                 {"COMPUTER =elsewhere", "USER     =nobody", "START    =1999/01/01 00:00:00",
                  "QUIT     =1999/01/01 00:00:01", "EXEPATH  =/nowhere/"},
                 {}}),
    [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

// The other holder lets go while this run goes on: the defaults this run started with still never
// replace the settings it could not read.
TEST_F(ExecuteParameterTest, FileHeldByAnotherIsNeitherReadNorWritten) {
    const std::string held = Join({"WIDTH    =800", "HEIGHT   =500"});
    WriteBytes(SettingsPath(), held);
    const int fd = open(SettingsPath().c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    {
        ExecuteParameter record(temp.Folder());
        EXPECT_EQ(record.WIDTH, 600);
        EXPECT_EQ(record.HEIGHT, 400);
        EXPECT_EQ(ReadBytes(SettingsPath()), held);
        close(fd);
        record.WIDTH = 1;
        EXPECT_EQ(record.SaveAtEnd(), FileStatus::Ok);
    }
    EXPECT_EQ(ReadBytes(SettingsPath()), held);
}

// Runs body in a child process; its exit status, or -1 when it had not ended after ten seconds.
int ExitStatusOfChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    for (int waited = 0; waited < 1000; ++waited) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

// Neither a pipe (opening it would wait for a writer) nor a link into a device (reading
// /dev/zero never ends) is taken for the settings file: the run starts at once with the
// defaults and leaves it as it was.
TEST_F(ExecuteParameterTest, PipeOrDeviceInPlaceOfTheFileGivesDefaultsAndStays) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        mode_t type;
    };
    const Case cases[] = {
        {"NamedPipe", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
         S_IFIFO},
        {"LinkToDevZero",
         [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); },
         S_IFLNK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(SettingsPath());
        c.make(SettingsPath());
        const int status = ExitStatusOfChild([&] {
            ExecuteParameter record(temp.Folder());
            return record.WIDTH == 600 && record.ECELL == "A1" ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << "-1: the start hung";
        struct stat info {};
        ASSERT_EQ(lstat(SettingsPath().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, c.type);
    }
}

// Many windows started at the same moment all read the user's settings, and none writes the
// defaults over them.
TEST_F(ExecuteParameterTest, SimultaneousStartsAllReadTheSettings) {
    constexpr int kStarts = 32;
    WriteBytes(SettingsPath(), Join({"WIDTH    =800", "HEIGHT   =500"}));
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < kStarts; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            close(gate[1]);
            char byte;
            while (read(gate[0], &byte, 1) < 0) {
            }
            bool read = false;
            {
                ExecuteParameter record(temp.Folder());
                read = record.WIDTH == 800 && record.HEIGHT == 500;
            }
            _exit(read ? 0 : 1);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    close(gate[0]);
    close(gate[1]);  // all start now
    int readDefaults = 0;
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++readDefaults;
    }
    EXPECT_EQ(readDefaults, 0) << "of " << kStarts << " starts";
    const Lines lines = SplitCrLf(ReadBytes(SettingsPath()));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "WIDTH    =800"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HEIGHT   =500"), lines.end());
}

// The end cannot write the file either, and says so.
TEST_F(ExecuteParameterTest, MissingFolderGivesDefaultsAndCreatesNothing) {
    const std::string missing = temp.Folder() + "missing/";
    {
        ExecuteParameter record(missing);
        EXPECT_EQ(record.WIDTH, 600);
        EXPECT_EQ(record.ECELL, "A1");
        EXPECT_TRUE(IsTimeText(record.START));
        EXPECT_EQ(record.SaveAtEnd(), FileStatus::Unwritable);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// What Windows Notepad saves as "Unicode": a NUL byte in every ASCII character.
TEST_F(ExecuteParameterTest, Utf16FileIsRead) {
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("HEIGHT   =300\r\nWIDTH    =800\r\n"))
        bytes += std::string{c, '\0'};
    WriteBytes(SettingsPath(), bytes);
    EXPECT_EQ(ExecuteParameter(temp.Folder()).WIDTH, 800);
}

// Two windows on one data folder, in steps: window 0 or 1 sets a setting, or ends (nullptr).
TEST_F(ExecuteParameterTest, WindowsOnOneFolderKeepEachOthersChanges) {
    using R = ExecuteParameter;
    using Steps = std::vector<std::tuple<int, std::int32_t R::*, std::int32_t>>;
    const std::tuple<Steps, std::int32_t R::*, std::int32_t> cases[] = {
        {{{0, &R::CMODE, 1}, {0, nullptr, 0}, {1, nullptr, 0}}, &R::CMODE, 1},
        {{{0, &R::WIDTH, 800}, {1, &R::COMMA, 4}, {1, nullptr, 0}, {0, nullptr, 0}},
         &R::WIDTH,
         800},
        {{{0, &R::WIDTH, 800}, {1, &R::COMMA, 4}, {1, nullptr, 0}, {0, nullptr, 0}}, &R::COMMA, 4},
        {{{0, &R::HSIZE, 4}, {1, &R::HSIZE, 12}, {0, nullptr, 0}, {1, nullptr, 0}}, &R::HSIZE, 12},
        // Changed and changed back is unchanged.
        {{{0, &R::TOOL, 0}, {0, nullptr, 0}, {1, &R::TOOL, 0}, {1, &R::TOOL, 1}, {1, nullptr, 0}},
         &R::TOOL,
         0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [steps, setting, value] = cases[i];
        std::filesystem::remove(SettingsPath());
        std::unique_ptr<R> windows[] = {std::make_unique<R>(temp.Folder()),
                                        std::make_unique<R>(temp.Folder())};
        for (const auto& [window, changed, to] : steps) {
            if (changed) {
                (*windows[window]).*changed = to;
            } else {
                EXPECT_EQ(windows[window]->SaveAtEnd(), FileStatus::Ok);
            }
        }
        EXPECT_EQ(R(temp.Folder()).*setting, value) << "case " << i;
    }
}

TEST_F(ExecuteParameterTest, RecordWithoutFileTouchesNoFile) {
    {
        ExecuteParameter record;
        EXPECT_EQ(record.WIDTH, 600);
        EXPECT_EQ(record.HEIGHT, 400);
        EXPECT_EQ(record.RWIDTH, 28);
        EXPECT_EQ(record.ECELL, "A1");
        EXPECT_EQ(record.EOUT, 7);
        EXPECT_EQ(record.EXEPATH, ExecutableFolder());
        EXPECT_EQ(record.FOLDER, temp.Folder() + "home/");
        const DisplayModes modes = record.Modes();
        EXPECT_EQ(modes.cmode, 0);
        EXPECT_EQ(modes.vmode, 0);
        EXPECT_EQ(modes.comma, 3);
        EXPECT_EQ(modes.hsize, 8);
        record.WIDTH = 1;
        EXPECT_EQ(record.SaveAtEnd(), FileStatus::Ok);
    }
    EXPECT_TRUE(std::filesystem::is_empty(temp.Folder()));
}

}  // namespace
