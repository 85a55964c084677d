// A writer killed at any moment leaves each file whole: the old version or the new one, never a
// truncated or mixed one. A child process saves a formula file, the settings store and the
// constant file over and over, alternating two contents, and is killed with SIGKILL at random.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "expr/constant_file.h"
#include "settings/datafile_access.h"
#include "sheet/formula_file.h"
#include "tests/support/file_bytes.h"

namespace fs = std::filesystem;

namespace {

constexpr int kKills = 200;

// One version of all three files; version 0 is the one on disk before the writer starts.
struct Version {
    FormulaFileContent sheet;
    std::vector<std::string> settings;  // values of the store's keys, in order
    std::vector<std::string> constants;
};

Version MakeVersion(int v) {
    Version version;
    version.sheet.currentLine = 10 * v;
    version.sheet.settings.CMODE = v % 2;
    // 100 long formulas, a different length for each version, so a cut shows.
    const int count = v == 0 ? 3 : kLineCount;
    for (int i = 0; i < count; ++i) {
        std::string formula = std::to_string(v);
        while (formula.size() < static_cast<std::size_t>(200 + 40 * v))
            formula += "+" + std::to_string(i);
        version.sheet.formulas[static_cast<std::size_t>(i)] = formula;
    }
    const int keys = v == 0 ? 5 : 400;
    for (int i = 0; i < keys; ++i)
        version.settings.push_back(std::string(static_cast<std::size_t>(20 + 10 * v), 'a' + v) +
                                   std::to_string(i));
    for (int i = 0; i < 100 * v + 2; ++i)
        version.constants.push_back("K" + std::to_string(i) + "=" + std::to_string(v) + "*PI");
    return version;
}

// Nine characters, as the settings' keys are.
std::string SettingsKey(std::size_t i) {
    std::string key = "KEY" + std::to_string(i);
    key.resize(9, ' ');
    return key;
}

// The writer's temporary name for file: ".", the file's name, ".tessarin-save-" and six random
// characters.
bool IsTemporaryOf(const std::string& name, const std::string& file) {
    const std::string prefix = "." + file + ".tessarin-save-";
    return name.size() == prefix.size() + 6 && name.starts_with(prefix);
}

class Files {
public:
    explicit Files(const fs::path& folder) : folder_(folder) {}

    fs::path Sheet() const { return folder_ / "sheet.tsf"; }
    fs::path Settings() const { return folder_ / "TSRN.sts"; }
    fs::path Constants() const { return folder_ / ConstantFileName; }

    // Writes file number which (0 sheet, 1 settings, 2 constants) of the version.
    bool Write(int which, const Version& version) const {
        switch (which) {
            case 0:
                return WriteFormulaFile(Sheet().string(), version.sheet) == FileStatus::Ok;
            case 1: {
                DatafileAccess store;
                store.SetLocation(folder_.string() + "/", "TSRN.sts");
                for (std::size_t i = 0; i < version.settings.size(); ++i)
                    store.WriteString(SettingsKey(i), version.settings[i]);
                return store.Save() == FileStatus::Ok;
            }
            default:
                return SaveConstants(Constants().string(), version.constants) == FileStatus::Ok;
        }
    }
    bool WriteAll(const Version& version) const {
        return Write(0, version) && Write(1, version) && Write(2, version);
    }

private:
    fs::path folder_;
};

// The child: saves the files one after the other, alternating versions 1 and 2, until killed;
// after each save it writes a byte to progress.
[[noreturn]] void WriteForever(const Files& files, const Version (&versions)[3], int start,
                               int progress) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    for (int step = start;; ++step) {
        files.Write(step % 3, versions[1 + (step / 3) % 2]);
        [[maybe_unused]] const ssize_t told = ::write(progress, "s", 1);
    }
}

class CrashSafetyTest : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("tessarin-crash-safety-" + std::to_string(random()));
        fs::create_directories(folder_ / "live");
        fs::create_directories(folder_ / "reference");
        // New files are 0644, so a temporary made readable for others would show.
        previousMask_ = ::umask(022);
    }
    void TearDown() override {
        ::umask(previousMask_);
        fs::remove_all(folder_);
    }

    fs::path folder_;
    mode_t previousMask_ = 0;
};

TEST_F(CrashSafetyTest, KilledWriterLeavesEveryFileWhole) {
    const Version versions[3] = {MakeVersion(0), MakeVersion(1), MakeVersion(2)};

    // The exact bytes of each version of each file, as a writer that is not killed leaves them.
    std::vector<std::set<std::string>> complete(3);
    for (int v = 0; v < 3; ++v) {
        const fs::path reference = folder_ / "reference" / std::to_string(v);
        fs::create_directories(reference);
        const Files files(reference);
        ASSERT_TRUE(files.WriteAll(versions[v]));
        complete[0].insert(ReadBytes(files.Sheet()));
        complete[1].insert(ReadBytes(files.Settings()));
        complete[2].insert(ReadBytes(files.Constants()));
    }
    for (const auto& bytes : complete)
        ASSERT_EQ(bytes.size(), 3u) << "the three versions must differ";

    const fs::path live = folder_ / "live";
    const Files files(live);
    // Each kill lands after the child's first save, within about two rounds of the three saves,
    // however long a round takes on this machine (the sanitizers and a loaded machine make it
    // many times slower), so that the writer both completes saves and is caught inside them.
    const auto roundStart = std::chrono::steady_clock::now();
    ASSERT_TRUE(files.WriteAll(versions[0]));
    const auto round = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - roundStart);
    const auto killWithin = std::max<long>(6000, 2 * round.count());
    const std::string names[3] = {"sheet.tsf", "TSRN.sts", ConstantFileName};

    std::mt19937 random(20240607);
    std::set<int> seenVersions[3];
    std::size_t temporaries = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteForever(files, versions, kill % 6, progress[1]);
        ::close(progress[1]);
        char saved = 0;
        const ssize_t firstSave = ::read(progress[0], &saved, 1);
        ::close(progress[0]);
        ASSERT_EQ(firstSave, 1) << "the writer ended before its first save";
        std::this_thread::sleep_for(std::chrono::microseconds(random() % killWithin));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const fs::path paths[3] = {files.Sheet(), files.Settings(), files.Constants()};
        for (int f = 0; f < 3; ++f) {
            const std::string bytes = ReadBytes(paths[f]);
            ASSERT_EQ(complete[f].count(bytes), 1u)
                << names[f] << " after kill " << kill << " is no complete version (" << bytes.size()
                << " bytes)";
            for (int v = 0; v < 3; ++v) {
                if (bytes == ReadBytes(folder_ / "reference" / std::to_string(v) / names[f]))
                    seenVersions[f].insert(v);
            }
        }

        // Only a temporary file of the writer may be left beside them, one per kill at most:
        // a dot file named after the file it was to replace, never the file's own name.
        std::size_t now = 0;
        for (const auto& entry : fs::directory_iterator(live)) {
            const std::string name = entry.path().filename().string();
            if (name == names[0] || name == names[1] || name == names[2]) continue;
            EXPECT_TRUE(IsTemporaryOf(name, names[0]) || IsTemporaryOf(name, names[1]) ||
                        IsTemporaryOf(name, names[2]))
                << "unexpected file " << name;
            // The files are 0644; what a killed save left is readable by its owner alone.
            EXPECT_EQ(fs::status(entry.path()).permissions() &
                          (fs::perms::group_all | fs::perms::others_all),
                      fs::perms::none)
                << name;
            ++now;
        }
        ASSERT_LE(now, temporaries + 1) << "after kill " << kill;
        temporaries = now;
    }

    // The writer really did replace the files while it was being killed.
    for (int f = 0; f < 3; ++f)
        EXPECT_GE(seenVersions[f].size(), 2u) << names[f];

    // The real readers take the files as they are.
    EXPECT_EQ(ReadFormulaFile(files.Sheet().string()).status, FormulaFileStatus::Read);
    std::vector<std::string> constants;
    EXPECT_EQ(LoadConstants(files.Constants().string(), constants), FileStatus::Ok);
    EXPECT_TRUE(constants == versions[0].constants || constants == versions[1].constants ||
                constants == versions[2].constants);
    RecordProperty("temporaries_left", static_cast<int>(temporaries));
    std::printf("%zu temporary files left by %d killed writers\n", temporaries, kKills);
}

}  // namespace
