#include "platform/system_info.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/env_guard.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace {

struct OsCase {
    const char* name;
    std::string release;
    std::string osRelease;
    std::string expected;
};

class FormatOsVersionTest : public testing::TestWithParam<OsCase> {};

TEST_P(FormatOsVersionTest, TakesKernelNumbersAndPrettyName) {
    const OsCase& c = GetParam();
    EXPECT_EQ(FormatOsVersion(c.release, c.osRelease), c.expected);
}

const char* const kDebian =
    "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\nID=debian\n";

INSTANTIATE_TEST_SUITE_P(
    Systems, FormatOsVersionTest,
    testing::Values(
        OsCase{"Debian", "6.1.0-18-amd64", kDebian,
               "MJ:6 MI:1 BN:0 PD:0 OT:Debian GNU/Linux 12 (bookworm)"},
        OsCase{"PatchNumber", "5.15.153-generic", kDebian,
               "MJ:5 MI:15 BN:153 PD:0 OT:Debian GNU/Linux 12 (bookworm)"},
        OsCase{"PatchWithPlus", "6.6.31+rpt-rpi-v8", "", "MJ:6 MI:6 BN:31 PD:0 OT:"},
        OsCase{"NoPatch", "4.19", "PRETTY_NAME=Alpine", "MJ:4 MI:19 BN:0 PD:0 OT:Alpine"},
        OsCase{"EmptyRelease", "", "", "MJ:0 MI:0 BN:0 PD:0 OT:"},
        OsCase{"NoPrettyName", "6.1.0", "NAME=Debian\nID=debian\n", "MJ:6 MI:1 BN:0 PD:0 OT:"},
        OsCase{"PrettyNameLaterInTheFile", "6.1.0", "NAME=x\nPRETTY_NAME=\"Fedora 40\"\n",
               "MJ:6 MI:1 BN:0 PD:0 OT:Fedora 40"},
        OsCase{"SingleQuotes", "6.1.0", "PRETTY_NAME='Arch Linux'",
               "MJ:6 MI:1 BN:0 PD:0 OT:Arch Linux"},
        OsCase{"CrLfFile", "6.1.0", "PRETTY_NAME=\"Mint 21\"\r\n",
               "MJ:6 MI:1 BN:0 PD:0 OT:Mint 21"},
        OsCase{"SimilarKeyIgnored", "6.1.0", "PRETTY_NAME_X=\"no\"\nXPRETTY_NAME=\"no\"\n",
               "MJ:6 MI:1 BN:0 PD:0 OT:"},
        OsCase{"UnbalancedQuoteKept", "6.1.0", "PRETTY_NAME=\"Odd",
               "MJ:6 MI:1 BN:0 PD:0 OT:\"Odd"}),
    [](const testing::TestParamInfo<OsCase>& info) { return info.param.name; });

TEST(SystemInfoTest, OsVersionTextHasTheFiveFields) {
    const std::string text = OsVersionText();
    int major = 0, minor = -1, build = -1, platform = -1, end = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "MJ:%d MI:%d BN:%d PD:%d OT:%n", &major, &minor, &build,
                          &platform, &end),
              4)
        << text;
    EXPECT_GT(end, 0) << text;
    EXPECT_GE(major, 1);
    EXPECT_GE(minor, 0);
    EXPECT_GE(build, 0);
    EXPECT_EQ(platform, 0);
}

TEST(SystemInfoTest, ComputerNameIsTheHostName) {
    std::string host = ReadBytes("/proc/sys/kernel/hostname");
    if (!host.empty() && host.back() == '\n') host.pop_back();
    EXPECT_EQ(ComputerName(), host);
}

TEST(SystemInfoTest, UserNameIsTheEffectiveUser) {
    const std::string name = UserName();
    ASSERT_FALSE(name.empty());
    const passwd* entry = getpwnam(name.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->pw_uid, geteuid());
}

TEST(SystemInfoTest, ExecutableFolderHoldsTheRunningProgram) {
    const std::string path = ExecutablePath();
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(path.substr(0, folder.size()), folder);
    EXPECT_EQ(path.substr(folder.size()), "core_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

TEST(SystemInfoTest, LocalTimeTextIsDateAndTime) {
    const std::string text = LocalTimeText();
    ASSERT_EQ(text.size(), 19u) << text;
    int year = 0, month = 0, day = 0, hour = -1, minute = -1, second = -1;
    ASSERT_EQ(std::sscanf(text.c_str(), "%4d/%2d/%2d %2d:%2d:%2d", &year, &month, &day, &hour,
                          &minute, &second),
              6)
        << text;
    EXPECT_EQ(text[4], '/');
    EXPECT_EQ(text[7], '/');
    EXPECT_EQ(text[10], ' ');
    EXPECT_EQ(text[13], ':');
    EXPECT_EQ(text[16], ':');
    EXPECT_GE(year, 2000);
    EXPECT_TRUE(month >= 1 && month <= 12 && day >= 1 && day <= 31) << text;
    EXPECT_TRUE(hour <= 23 && minute <= 59 && second <= 60 && second >= 0) << text;
}

TEST(DataFolderTest, VariableNamesTheFolderAndItIsCreated) {
    TempFolder temp;
    const std::string wanted = temp.Folder() + "new/sub";
    const EnvGuard data("TESSARIN_DATA_DIR", wanted);
    EXPECT_EQ(DataFolder(), wanted + "/");
    EXPECT_TRUE(std::filesystem::is_directory(wanted));
    EXPECT_FALSE(DataFolderIsExecutableFolder());
}

TEST(DataFolderTest, VariableNamingTheExecutableFolderIsAPortableCopy) {
    std::string folder = ExecutableFolder();
    const EnvGuard data("TESSARIN_DATA_DIR", folder);
    EXPECT_EQ(DataFolder(), folder);
    EXPECT_TRUE(DataFolderIsExecutableFolder());
    folder.pop_back();
    const EnvGuard withoutSlash("TESSARIN_DATA_DIR", folder);
    EXPECT_TRUE(DataFolderIsExecutableFolder());
}

TEST(DataFolderTest, EmptyVariableIsNotSet) {
    TempFolder temp;
    const EnvGuard data("TESSARIN_DATA_DIR", std::string());
    const EnvGuard config("XDG_CONFIG_HOME", temp.Folder() + "config");
    // The executable's folder when it can be written, else the configuration folder.
    if (access(ExecutableFolder().c_str(), W_OK) == 0) {
        EXPECT_EQ(DataFolder(), ExecutableFolder());
        EXPECT_TRUE(DataFolderIsExecutableFolder());
    } else {
        EXPECT_EQ(DataFolder(), temp.Folder() + "config/tessarin/");
        EXPECT_TRUE(std::filesystem::is_directory(temp.Folder() + "config/tessarin"));
        EXPECT_FALSE(DataFolderIsExecutableFolder());
    }
}

TEST(DataFolderTest, InstalledProgramsNeverWriteBesideThemselves) {
    // Variable, executable's folder, help document installed, folder writable, configuration.
    const std::pair<DataFolderFacts, std::string> cases[] = {
        {{"", "/opt/calc/", false, true, "", "/u"}, "/opt/calc/"},  // portable copy
        {{"", "/opt/calc/", false, false, "", "/u"}, "/u/.config/tessarin/"},
        {{"", "/opt/calc/bin/", true, true, "", "/u"}, "/u/.config/tessarin/"},
        {{"", "/usr/bin/", false, true, "", "/root"}, "/root/.config/tessarin/"},  // root
        {{"", "/usr/local/bin/", false, true, "/cfg", "/root"}, "/cfg/tessarin/"},
        {{"", "/usr/src/calc/build/", false, true, "", "/u"}, "/usr/src/calc/build/"},
        {{"/data", "/usr/bin/", true, true, "/cfg", "/u"}, "/data/"},
    };
    for (const auto& [facts, folder] : cases)
        EXPECT_EQ(ChooseDataFolder(facts), folder) << facts.executableFolder;
}

}  // namespace

TEST(HelpDocumentTest, BesideTheProgramElseInstalledDataFolder) {
    TempFolder temp;
    const std::string program = temp.Folder() + "bin/";
    const std::string installed = temp.Folder() + "share/tessarin/TSRN.HLP";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(temp.Folder() + "share/tessarin");
    // Neither: the place beside the program, which the help window names as missing.
    EXPECT_EQ(HelpDocumentPath(program, "../share/tessarin/"), program + "TSRN.HLP");
    std::ofstream(installed) << "# installed\n";
    EXPECT_EQ(HelpDocumentPath(program, "../share/tessarin/"), installed);
    std::ofstream(program + "TSRN.HLP") << "# beside\n";
    EXPECT_EQ(HelpDocumentPath(program, "../share/tessarin/"), program + "TSRN.HLP");
}
