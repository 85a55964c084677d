// The whole windowed program in this process: start-up, typing, saving, closing, and the
// settings and constant files the run leaves behind; and the exception box.

#include <sys/wait.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/app/program_driver.h"
#include "tests/support/file_bytes.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/tfmlogo.h"

namespace {

// Throws from its event handling, as a faulty handler would, or as one that runs out of memory.
class Thrower : public QObject {
public:
    enum class Kind { Standard, OutOfMemory, Other } kind = Kind::Standard;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User) return QObject::event(event);
        if (kind == Kind::Standard) throw std::runtime_error("broken handler");
        if (kind == Kind::OutOfMemory) throw std::bad_alloc();
        throw 42;
    }
};

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startTypeSaveQuit();
    void secondRunReadsSettings();
    void exceptionIsShownAndProgramGoesOn();
    void opensFileNamedOnCommandLine();
    void unreadableFileOnCommandLineLeavesEmptySheet();
    void withoutDisplayEndsBeforeAnyFile();
    void filesThatCannotBeWrittenAtTheEndAreTold();

private:
    std::unique_ptr<TempFolder> folder_;
};

void ProgramTest::init() {
    folder_ = std::make_unique<TempFolder>();
    setenv("TESSARIN_DATA_DIR", folder_->Path().c_str(), 1);
}

void ProgramTest::cleanup() {
    drive = nullptr;
    folder_.reset();
}

void ProgramTest::startTypeSaveQuit() {
    const QString sheet = QString::fromStdString(folder_->File("run.tsf"));
    bool drove = false;
    QString title;
    bool splashShown = false;
    drive = [&] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<TFMlogo*>(widget) && widget->isVisible()) splashShown = true;
        }
        QVERIFY(FindPart<PadList>(FindPad(window), "LBconst")->count() > 0);
        QTest::keyClicks(FindInput(window), QStringLiteral("6*7"));
        ScriptedDialogs dialogs;
        dialogs.AnswerSave(sheet);
        FindPart<QToolButton>(window, "BTactionsave")->click();
        title = window->windowTitle();
        window->move(21, 12);
        window->resize(640, 410);
        QApplication::processEvents();
        window->close();
        drove = dialogs.Shown().size() == 1;
    };
    QCOMPARE(Run(), 0);
    QVERIFY(drove);
    QVERIFY(splashShown);
    QCOMPARE(title, QStringLiteral("Tessarin - [ run.tsf ]"));
    QCOMPARE(Lines(sheet.toStdString()), std::vector<std::string>({"000003081", "0=6*7"}));

    const std::vector<std::string> settings = Lines(folder_->Path() / "TSRN.sts");
    QCOMPARE(settings.size(), size_t(31));
    QVERIFY(Setting(settings, "QUIT") != "");
    QVERIFY(Setting(settings, "QUIT") != "(missing)");
    QCOMPARE(Setting(settings, "WIDTH"), std::string("640"));
    QCOMPARE(Setting(settings, "HEIGHT"), std::string("410"));
    QCOMPARE(Setting(settings, "LEFT"), std::string("21"));
    QCOMPARE(Setting(settings, "TOP"), std::string("12"));
    QCOMPARE(Setting(settings, "FOLDER"), folder_->Path().string() + "/");
    // The run never changed the constants: it writes no list over one another window may save.
    QVERIFY(!std::filesystem::exists(folder_->Path() / "constant.clc"));
}

void ProgramTest::secondRunReadsSettings() {
    drive = [] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        FindAction(window, "MMmodeint")->trigger();
        FindAction(window, "MMviewstat")->trigger();
        window->close();
    };
    QCOMPARE(Run(), 0);
    int cmode = -1;
    bool statusShown = true;
    drive = [&] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        cmode = FindAction(window, "MMmodeint")->isChecked() ? 1 : 0;
        statusShown = FindPart<QStatusBar>(window, "SBstatus")->isVisible();
        QVERIFY(FindAction(window, "MMview10")->isVisible());
        window->close();
    };
    QCOMPARE(Run(), 0);
    QCOMPARE(cmode, 1);
    QVERIFY(!statusShown);
}

void ProgramTest::exceptionIsShownAndProgramGoesOn() {
    QStringList texts;
    bool stillRunning = false;
    drive = [&] {
        ScriptedDialogs dialogs;
        Thrower thrower;
        for (const Thrower::Kind kind :
             {Thrower::Kind::Standard, Thrower::Kind::OutOfMemory, Thrower::Kind::Other}) {
            dialogs.AcknowledgeNotice();
            thrower.kind = kind;
            QEvent event(QEvent::User);
            QApplication::sendEvent(&thrower, &event);
        }
        for (const ScriptedDialogs::Box& box : dialogs.Shown()) {
            QCOMPARE(box.icon, NoticeIcon::Error);
            texts << box.text;
        }
        TFMmain* window = MainWindow();
        stillRunning = window && window->isVisible();
        window->close();
    };
    QCOMPARE(Run(), 0);
    QVERIFY(stillRunning);
    QCOMPARE(texts, QStringList({QStringLiteral("broken handler"),
                                 QStringLiteral("メモリが足りません。"), QString()}));
}

// The name, relative and not UTF-8 (CP932 from a Windows zip), is taken as its bytes.
void ProgramTest::opensFileNamedOnCommandLine() {
    const std::string name = "given\x8c\x76.tsf";
    std::ofstream(folder_->Path() / name) << "030113081\r\n3=H10+1\r\n";
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(folder_->Path().string()));
    QString title, input;
    int cmode = -1;
    drive = [&] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        title = window->windowTitle();
        input = FindInput(window)->text();
        cmode = FindAction(window, "MMmodeint")->isChecked() ? 1 : 0;
        window->close();
    };
    ScriptedDialogs dialogs;
    QCOMPARE(Run(name.c_str()), 0);
    QDir::setCurrent(previous);
    QVERIFY(dialogs.Shown().isEmpty());
    QCOMPARE(title, QStringLiteral("Tessarin - [ given\uFFFDv.tsf ]"));
    QCOMPARE(input, QStringLiteral("H10+1"));
    QCOMPARE(Setting(Lines(folder_->Path() / "TSRN.sts"), "FOLDER"),
             folder_->Path().string() + "/");
    QCOMPARE(cmode, 1);
}

void ProgramTest::unreadableFileOnCommandLineLeavesEmptySheet() {
    const std::string missing = (folder_->Path() / "missing.tsf").string();
    QString title;
    bool empty = false;
    drive = [&] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        title = window->windowTitle();
        empty = true;
        for (int line = 0; line < 100; ++line)
            empty = empty && FindGrid(window)->shownText(2, line).empty();
        window->close();
    };
    ScriptedDialogs dialogs;
    dialogs.AcknowledgeNotice();
    QCOMPARE(Run(missing), 0);
    QCOMPARE(dialogs.Shown().size(), 1);
    QCOMPARE(dialogs.Shown().first().text,
             QString::fromStdString(missing) + QStringLiteral("\nファイルが読み込めません。"));
    QCOMPARE(title, QStringLiteral("Tessarin"));
    QVERIFY(empty);
}

// The real program, with no display named in its environment: a message, status 1, and the
// data folder as it was, not even the settings file rewritten.
void ProgramTest::withoutDisplayEndsBeforeAnyFile() {
    const std::filesystem::path settings = folder_->Path() / "TSRN.sts";
    std::ofstream(settings) << "FLASH    =0\r\n";
    const auto written = std::filesystem::last_write_time(settings);
    const std::string error = folder_->File("stderr");
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
        "TESSARIN_DATA_DIR='" +
        folder_->Path().string() + "' '" + TESSARIN_BINARY + "' 2>'" + error + "'";
    const int status = std::system(command.c_str());
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 1, std::to_string(status).c_str());
    const std::string message = ReadBytes(error);
    QVERIFY2(message.find("DISPLAY") != std::string::npos, message.c_str());
    // The settings file and the message: nothing else.
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder_->Path()), {}), 2);
    QVERIFY(std::filesystem::last_write_time(settings) == written);
}

// A folder took the settings file's place during the run: once the window is gone, the
// program's notice says that the file could not be written.
void ProgramTest::filesThatCannotBeWrittenAtTheEndAreTold() {
    const std::filesystem::path settings = folder_->Path() / "TSRN.sts";
    drive = [&] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        std::filesystem::remove(settings);
        std::filesystem::create_directory(settings);
        window->close();
    };
    ScriptedDialogs dialogs;
    dialogs.AcknowledgeNotice();
    QCOMPARE(Run(), 0);
    QCOMPARE(dialogs.Shown().size(), 1);
    QCOMPARE(dialogs.Shown().first().icon, NoticeIcon::Error);
    QCOMPARE(dialogs.Shown().first().text, QString::fromStdString(settings.string()) +
                                               QStringLiteral("\nファイルが書き込めません。"));
}

QTEST_APPLESS_MAIN(ProgramTest)
#include "tst_program.moc"
