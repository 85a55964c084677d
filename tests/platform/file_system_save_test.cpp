// Saves into a real file system as another user meets it: read-only files, files of other users
// and groups, hard links, planted and dangling links, pipes, sockets and devices. Each save runs
// in a child process as the user nobody, as CI runs the tests as root, whom no permission stops.

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "expr/constant_file.h"
#include "settings/datafile_access.h"
#include "sheet/formula_file.h"
#include "tests/platform/as_nobody.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 12345;  // neither nobody nor root, and owning nothing else

enum class Writer { Formula, Settings, Constants };

bool Save(Writer writer, const std::string& path) {
    switch (writer) {
        case Writer::Formula: {
            FormulaFileContent content;
            content.formulas[0] = "1+2";
            return WriteFormulaFile(path, content) == FileStatus::Ok;
        }
        case Writer::Settings: {
            DatafileAccess store;
            const fs::path location(path);
            store.SetLocation(location.parent_path().string() + "/", location.filename().string());
            store.WriteString("A", "new");
            return store.Save() == FileStatus::Ok;
        }
        default:
            return SaveConstants(path, {"K=new"}) == FileStatus::Ok;
    }
}

// What a save by this writer leaves in a file.
std::string SavedBytes(Writer writer, const TempFolder& scratch) {
    const std::string path = scratch.File("reference");
    EXPECT_TRUE(Save(writer, path));
    const std::string bytes = ReadBytes(path);
    fs::remove(path);
    return bytes;
}

struct Nobody {
    uid_t uid;
    gid_t gid;
};

// Inside the test's folder: "d" is the folder saved into, "e" another folder; the save goes to
// d/f, through a link where the case makes one, and the file it really reaches is real.
struct Scene {
    std::string root;
    Nobody nobody;
    std::string d() const { return root + "d"; }
    std::string e() const { return root + "e"; }

    void Folder(const std::string& path, uid_t uid, mode_t mode) const {
        fs::create_directory(path);
        ASSERT_EQ(::chown(path.c_str(), uid, uid == nobody.uid ? nobody.gid : 0), 0);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    }
    void File(const std::string& path, uid_t uid, gid_t gid, mode_t mode) const {
        WriteBytes(path, "old\r\n");
        ASSERT_EQ(::chown(path.c_str(), uid, gid), 0);
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    }
    void Link(const std::string& to, const std::string& path, uid_t uid) const {
        fs::create_symlink(to, path);
        ASSERT_EQ(::lchown(path.c_str(), uid, 0), 0);
    }
};

struct Case {
    const char* name;
    std::function<void(const Scene&)> setup;
    std::string save;  // the path saved to, below the test's folder
    std::string real;  // the file the save reaches
    bool saved;
};

mode_t TypeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.insert(it->path().filename().string());
    return names;
}

TEST(FileSystemSaveTest, EveryWriterKeepsWhatTheFileSystemPromises) {
    if (::geteuid() != 0) GTEST_SKIP() << "files of other users can only be made as root";
    const passwd* user = ::getpwnam("nobody");
    ASSERT_NE(user, nullptr);
    const Nobody nobody{user->pw_uid, user->pw_gid};
    const uid_t n = nobody.uid;

    const Case cases[] = {
        {"ReadOnlyOwnFile",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0755);
             s.File(s.d() + "/f", n, nobody.gid, 0444);
         },
         "d/f", "d/f", false},
        {"OtherUsersFileInSharedFolder",
         [&](const Scene& s) {
             s.Folder(s.d(), 0, 0777);
             s.File(s.d() + "/f", 0, 0, 0644);
         },
         "d/f", "d/f", false},
        {"OtherUsersWritableFileKeepsItsOwner",
         [&](const Scene& s) {
             s.Folder(s.d(), 0, 0777);
             s.File(s.d() + "/f", 0, 0, 0666);
         },
         "d/f", "d/f", true},
        {"WritableFileInReadOnlyFolder",
         [&](const Scene& s) {
             s.Folder(s.d(), 0, 0755);
             s.File(s.d() + "/f", n, nobody.gid, 0640);
         },
         "d/f", "d/f", true},
        {"FileOfAnotherGroupKeepsItsGroup",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0755);
             s.File(s.d() + "/f", n, 0, 0664);
         },
         "d/f", "d/f", true},
        {"HardLinkStaysOneFile",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0755);
             s.File(s.d() + "/f", n, nobody.gid, 0600);
             fs::create_hard_link(s.d() + "/f", s.d() + "/g");
         },
         "d/f", "d/g", true},
        {"OwnLinkInStickyFolderIsFollowed",
         [&](const Scene& s) {
             s.Folder(s.d(), 0, 01777);
             s.Folder(s.e(), n, 0755);
             s.File(s.e() + "/f", n, nobody.gid, 0644);
             s.Link("../e/f", s.d() + "/f", n);
         },
         "d/f", "e/f", true},
        {"PlantedLinkInStickyFolderIsNotFollowed",
         [&](const Scene& s) {
             s.Folder(s.d(), 0, 01777);
             s.Folder(s.e(), n, 0755);
             s.File(s.e() + "/f", n, nobody.gid, 0644);
             s.Link(s.e() + "/f", s.d() + "/f", kOtherUser);
         },
         "d/f", "e/f", false},
        {"DanglingLinkCreatesItsTarget",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0755);
             s.Link("new", s.d() + "/f", n);
         },
         "d/f", "d/new", true},
        {"NamedPipe",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0755);
             ASSERT_EQ(::mkfifo((s.d() + "/f").c_str(), 0666), 0);
         },
         "d/f", "d/f", false},
        {"Socket",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0755);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const std::string path = s.d() + "/f";
             ASSERT_LT(path.size(), sizeof address.sun_path);
             path.copy(address.sun_path, path.size());
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             ::close(fd);
             ASSERT_EQ(::chown(path.c_str(), n, nobody.gid), 0);
         },
         "d/f", "d/f", false},
        {"LinkToDevice",
         [&](const Scene& s) {
             s.Folder(s.d(), n, 0777);
             s.Link("/dev/null", s.d() + "/f", n);
         },
         "d/f", "d/f", false},
    };

    const Writer writers[] = {Writer::Formula, Writer::Settings, Writer::Constants};
    std::string savedBytes[3];
    {
        const TempFolder scratch;
        for (const Writer writer : writers)
            savedBytes[static_cast<int>(writer)] = SavedBytes(writer, scratch);
    }
    for (const Writer writer : writers) {
        const std::string& newBytes = savedBytes[static_cast<int>(writer)];
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " writer " +
                         std::to_string(static_cast<int>(writer)));
            const TempFolder temp;
            const Scene scene{temp.Folder(), nobody};
            c.setup(scene);
            if (testing::Test::HasFatalFailure()) return;
            const std::string save = temp.File(c.save), real = temp.File(c.real);
            struct stat before {};
            const bool existed = ::stat(real.c_str(), &before) == 0;
            // Reading a pipe would wait for a writer.
            const bool regular = !existed || S_ISREG(before.st_mode);
            const std::string oldBytes = existed && regular ? ReadBytes(real) : "";
            const mode_t saveType = TypeOf(save);
            const std::set<std::string> folderBefore = Entries(scene.d());

            EXPECT_EQ(RunAsNobody([&] { return Save(writer, save); }), c.saved);

            EXPECT_EQ(TypeOf(save), saveType) << "the saved path is still what it was";
            std::set<std::string> folderExpected = folderBefore;
            if (c.saved && !existed && fs::path(real).parent_path() == fs::path(scene.d()))
                folderExpected.insert(fs::path(real).filename().string());
            EXPECT_EQ(Entries(scene.d()), folderExpected) << "no temporary file is left";
            if (regular) {
                EXPECT_EQ(ReadBytes(real), c.saved ? newBytes : oldBytes);
            }
            struct stat after {};
            if (!c.saved || ::stat(real.c_str(), &after) != 0) continue;
            const struct stat expected = existed ? before : [&] {
                struct stat made {};
                made.st_uid = nobody.uid;
                made.st_gid = nobody.gid;
                made.st_mode = S_IFREG | 0644;
                made.st_nlink = 1;
                return made;
            }();
            EXPECT_EQ(after.st_uid, expected.st_uid);
            EXPECT_EQ(after.st_gid, expected.st_gid);
            EXPECT_EQ(after.st_mode, expected.st_mode);
            EXPECT_EQ(after.st_nlink, expected.st_nlink);
        }
    }
}

}  // namespace
