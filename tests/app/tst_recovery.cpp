// The recovery copy of an unsaved sheet and the orderly end on signals, met as a user meets
// them: real program runs, some in child processes that are killed or signalled.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/process_identity.h"
#include "platform/text_file.h"
#include "sheet/recovery_copy.h"
#include "tests/app/program_driver.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/recovery_copy_keeper.h"
#include "ui/tfmlogo.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const QString kQuestion = QStringLiteral("前回、保存されていない数式がありました。復元しますか？");

// The recovery copies in folder.
std::vector<fs::path> Copies(const fs::path& folder) {
    std::vector<fs::path> copies;
    for (const RecoveryCopyEntry& entry : ListRecoveryCopies(folder.string() + "/")) {
        copies.push_back(entry.path);
    }
    return copies;
}

// A child run of the program: it types 6*7, with savePath saves the sheet there and types +1,
// makes the window 640 by 410, and then waits (a minute at most) to be ended from outside.
int ChildRun(const char* savePath) {
    drive = [savePath] {
        TFMmain* window = MainWindow();
        QTest::keyClicks(FindInput(window), QStringLiteral("6*7"));
        if (savePath[0] != '\0') {
            ScriptedDialogs dialogs;
            dialogs.AnswerSave(QString::fromLocal8Bit(savePath));
            FindAction(window, "MMactionsave")->trigger();
            QTest::keyClicks(FindInput(window), QStringLiteral("+1"));
        }
        window->resize(640, 410);
        QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
        QEventLoop().exec();  // until the program ends
    };
    return Run();
}

// A child run that finds a copy to offer at start-up (without the splash): once the question
// is open, it creates the file asking and waits, the question unanswered, until it is ended.
int QuestionRun(const char* asking) {
    drive = [asking] {
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() != nullptr, 20000);
        std::ofstream(asking) << "asked";
        QTRY_VERIFY_WITH_TIMEOUT(!MainWindow()->isVisible(), 60000);
    };
    return Run();
}

class Child {
public:
    // Starts this test program as a child run (mode --child or --question, with its argument);
    // returns once a recovery copy is in folder.
    explicit Child(const fs::path& folder, const std::string& argument = "",
                   const char* mode = "--child") {
        const std::string self = fs::read_symlink("/proc/self/exe").string();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execl(self.c_str(), self.c_str(), mode, argument.c_str(), nullptr);
            ::_exit(127);
        }
        for (auto waited = 0ms; waited < 20s && Copies(folder).empty(); waited += 20ms) {
            std::this_thread::sleep_for(20ms);
        }
    }
    ~Child() {
        if (pid_ > 0) Kill();
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Sends the signal and waits for the end; the wait status, or -1 after 20 s.
    int End(int signal) {
        ::kill(pid_, signal);
        int status = -1;
        for (auto waited = 0ms; waited < 20s; waited += 20ms) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return status;
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }
    int Kill() { return End(SIGKILL); }

private:
    pid_t pid_ = -1;
};

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void copyFollowsChangesAndNormalEndRemovesIt();
    void endSignalsEndInOrderAndKeepTheCopy_data();
    void endSignalsEndInOrderAndKeepTheCopy();
    void copyOfRunningProgramIsNeverOffered();
    void copyOfKilledProgramIsRestored();
    void endSignalsDuringTheQuestionEndInOrder();
    void staleTemporariesOfCopiesAreRemoved();
    void unwritableCopyIsToldOnce();

private:
    std::unique_ptr<TempFolder> folder_;
};

void RecoveryTest::init() {
    folder_ = std::make_unique<TempFolder>();
    setenv("TESSARIN_DATA_DIR", folder_->Path().c_str(), 1);
}

void RecoveryTest::cleanup() {
    drive = nullptr;
    folder_.reset();
}

void RecoveryTest::copyFollowsChangesAndNormalEndRemovesIt() {
    ScriptedDialogs dialogs;
    dialogs.AnswerSave(QString::fromStdString(folder_->File("saved.tsf")));
    dialogs.AnswerYesNo(true);  // quit without saving
    drive = [&] {
        TFMmain* window = MainWindow();
        QTest::keyClicks(FindInput(window), QStringLiteral("1+2"));
        QVERIFY2(Copies(folder_->Path()).empty(), "not written while a key is handled");
        QTRY_COMPARE_WITH_TIMEOUT(Copies(folder_->Path()).size(), 1, 3000);
        QCOMPARE(Lines(Copies(folder_->Path()).front()),
                 std::vector<std::string>({"000003081", "FILE=", "0=1+2"}));
        // A saved sheet needs no copy; the next change brings it back.
        FindAction(window, "MMactionsave")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(Copies(folder_->Path()).empty(), 3000);
        QTest::keyClicks(FindInput(window), QStringLiteral("+3"));
        QTRY_COMPARE_WITH_TIMEOUT(Copies(folder_->Path()).size(), 1, 3000);
        window->close();
    };
    QCOMPARE(Run(), 0);
    QCOMPARE(dialogs.Shown().size(), 2);
    QVERIFY(Copies(folder_->Path()).empty());
}

void RecoveryTest::endSignalsEndInOrderAndKeepTheCopy_data() {
    QTest::addColumn<int>("signal");
    const struct {
        const char* dataTag;
        int signal;
    } rows[] = {
        {"SIGTERM", SIGTERM},
        {"SIGHUP", SIGHUP},
        {"SIGINT", SIGINT},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.signal;
}

void RecoveryTest::endSignalsEndInOrderAndKeepTheCopy() {
    QFETCH(int, signal);
    Child child(folder_->Path());
    QCOMPARE(Copies(folder_->Path()).size(), 1);
    const int status = child.End(signal);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, std::to_string(status).c_str());
    const std::vector<std::string> settings = Lines(folder_->Path() / "TSRN.sts");
    QVERIFY(Setting(settings, "QUIT") != "");
    QCOMPARE(Setting(settings, "WIDTH"), std::string("640"));
    QCOMPARE(Setting(settings, "HEIGHT"), std::string("410"));
    const std::vector<fs::path> copies = Copies(folder_->Path());
    QCOMPARE(copies.size(), 1);
    QCOMPARE(Lines(copies.front()).back(), std::string("0=6*7"));
}

void RecoveryTest::copyOfRunningProgramIsNeverOffered() {
    Child child(folder_->Path());
    const std::vector<fs::path> copies = Copies(folder_->Path());
    QCOMPARE(copies.size(), 1);
    // Any question would find no answer and fail the test.
    ScriptedDialogs dialogs;
    drive = [&] {
        // The question would come as the splash closes.
        QTRY_VERIFY_WITH_TIMEOUT(!RunWindow<TFMlogo>()->isVisible(), 5000);
        MainWindow()->close();
    };
    QCOMPARE(Run(), 0);
    QVERIFY(dialogs.Shown().isEmpty());
    QCOMPARE(Copies(folder_->Path()), copies);

    // Once the process is gone, the copy is offered; No deletes it. Without the splash the
    // question comes as soon as the window is there.
    QVERIFY(WIFSIGNALED(child.Kill()));
    const fs::path settings = folder_->Path() / "TSRN.sts";
    std::vector<std::string> lines = Lines(settings);
    for (std::string& line : lines) {
        if (line.starts_with("FLASH")) line = "FLASH    =0";
    }
    WriteTextFile(settings.string(), lines);
    // A newer copy that cannot be read is passed over and kept.
    const fs::path unreadable = folder_->Path() / RecoveryCopyName({999999999, 1});
    fs::create_directory(unreadable);
    dialogs.AnswerYesNo(false);
    drive = [] {
        QVERIFY(FindInput(MainWindow())->text().isEmpty());
        MainWindow()->close();
    };
    QCOMPARE(Run(), 0);
    QCOMPARE(dialogs.Shown().size(), 1);
    QCOMPARE(dialogs.Shown().front().text, kQuestion);
    QVERIFY(!dialogs.Shown().front().noIsDefault);
    QCOMPARE(Copies(folder_->Path()), std::vector<fs::path>{unreadable});
}

void RecoveryTest::copyOfKilledProgramIsRestored() {
    const fs::path saved = folder_->Path() / "kept.tsf";
    {
        Child child(folder_->Path(), saved.string());
        QVERIFY(WIFSIGNALED(child.Kill()));
    }
    const std::string folderSetting = Setting(Lines(folder_->Path() / "TSRN.sts"), "FOLDER");
    ScriptedDialogs dialogs;
    dialogs.AnswerYesNo(true);  // restore
    dialogs.AnswerYesNo(true);  // quit without saving
    drive = [&] {
        TFMmain* window = MainWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!dialogs.Shown().isEmpty(), 3000);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<TFMlogo*>(widget)) QVERIFY2(!widget->isVisible(), "after the splash");
        }
        QCOMPARE(window->windowTitle(), QStringLiteral("Tessarin - [ kept.tsf ]"));
        QVERIFY(FindAction(window, "MMactionsave")->isVisible());
        QCOMPARE(FindInput(window)->text(), QStringLiteral("6*7+1"));
        // The killed run's copy has given way to this run's.
        const std::vector<fs::path> copies = Copies(folder_->Path());
        QCOMPARE(copies.size(), 1);
        QVERIFY(RecoveryCopyOwner(copies.front().filename().string()) == CurrentProcess());
        // Undo never reaches behind the restore: the work stays, unsaved, and so does its copy.
        QVERIFY(!FindAction(window, "MMeditundo")->isEnabled());
        QTest::keyClick(FindInput(window), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(FindInput(window)->text(), QStringLiteral("6*7+1"));
        QVERIFY(FindAction(window, "MMactionsave")->isVisible());
        window->close();
    };
    QCOMPARE(Run(), 0);
    QCOMPARE(dialogs.Shown().size(), 2);
    QCOMPARE(dialogs.Shown().front().text, kQuestion);
    QVERIFY(Copies(folder_->Path()).empty());
    // The restored sheet kept the folder setting.
    QCOMPARE(Setting(Lines(folder_->Path() / "TSRN.sts"), "FOLDER"), folderSetting);
}

// SIGTERM stands for the three end signals, which take one road.
void RecoveryTest::endSignalsDuringTheQuestionEndInOrder() {
    const fs::path orphan = folder_->Path() / RecoveryCopyName({999999999, 1});
    QVERIFY(WriteTextFile(orphan.string(), {"000003081", "FILE=", "0=6*7"}) == FileStatus::Ok);
    QVERIFY(WriteTextFile((folder_->Path() / "TSRN.sts").string(), {"FLASH    =0"}) ==
            FileStatus::Ok);
    const fs::path asking = folder_->Path() / "asking";
    Child child(folder_->Path(), asking.string(), "--question");
    for (auto waited = 0ms; waited < 20s && !fs::exists(asking); waited += 20ms) {
        std::this_thread::sleep_for(20ms);
    }
    QVERIFY(fs::exists(asking));
    const int status = child.End(SIGTERM);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, std::to_string(status).c_str());
    QVERIFY(Setting(Lines(folder_->Path() / "TSRN.sts"), "QUIT") != "");
    QCOMPARE(Copies(folder_->Path()), std::vector<fs::path>{orphan});
}

void RecoveryTest::staleTemporariesOfCopiesAreRemoved() {
    const struct {
        const char* name;
        std::chrono::minutes age;
        bool kept;
    } rows[] = {
        {".recovery-999999999-1.tsf.tessarin-save-Ab12Cd", 60min, false},
        {".recovery-999999999-1.tsf.tessarin-save-Xy34Zw", 1min, true},  // may be writing now
        {".notes.tsf.tessarin-save-Ab12Cd", 60min, true},  // its own file's next save clears it
    };
    for (const auto& row : rows) {
        const fs::path path = folder_->Path() / row.name;
        std::ofstream(path) << std::string(4096, 'x');
        fs::last_write_time(path, fs::file_time_type::clock::now() - row.age);
    }
    QCOMPARE(Run(), 0);
    for (const auto& row : rows)
        QVERIFY2(fs::exists(folder_->Path() / row.name) == row.kept, row.name);
}

void RecoveryTest::unwritableCopyIsToldOnce() {
    // A folder where the copy would go: no copy can be written there, whoever runs the test.
    fs::create_directory(folder_->Path() / RecoveryCopyName(CurrentProcess()));
    ScriptedDialogs dialogs;
    dialogs.AcknowledgeNotice();
    dialogs.AnswerYesNo(true);  // quit without saving
    drive = [&] {
        TFMmain* window = MainWindow();
        QTest::keyClicks(FindInput(window), QStringLiteral("1+2"));
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.Shown().size(), 1, 3000);
        QCOMPARE(dialogs.Shown().front().kind, ScriptedDialogs::Kind::Notice);
        // The next change is tried again, and fails again, without another box.
        QSignalSpy tried(window->findChild<RecoveryCopyKeeper*>(), &RecoveryCopyKeeper::Tried);
        QTest::keyClicks(FindInput(window), QStringLiteral("+3"));
        QVERIFY(tried.wait(4 * RecoveryCopyKeeper::kDelayMs));
        QCOMPARE(tried.front().front().toBool(), false);
        QCOMPARE(dialogs.Shown().size(), 1);
        window->close();
    };
    QCOMPARE(Run(), 0);
    QCOMPARE(dialogs.Shown().size(), 2);
}

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return ChildRun(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--question") == 0) return QuestionRun(argv[2]);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
