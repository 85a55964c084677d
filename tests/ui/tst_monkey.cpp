// Random use of the main window: thousands of actions drawn from everything a user can do
// (typing, keys, pastes, wheel, clicks and drags, every command, the settings dialog, the
// keypad, the lists, the file commands and the exports), and after every action the checks of
// what must always hold. The seed is printed; TESSARIN_MONKEY_SEED replays a run and
// TESSARIN_MONKEY_ACTIONS sets its length (scripts/soak.sh runs long ones).

#include <dirent.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "app/window/program.h"
#include "desktop/clipboard.h"
#include "desktop/workbook_automation.h"
#include "expr/constant_file.h"
#include "expr/format_value.h"
#include "expr/half_width.h"
#include "platform/file_codec.h"
#include "sheet/formula_file.h"
#include "tests/ui/main_window_fixture.h"
#include "tests/ui/random_dialogs.h"
#include "ui/function_pad.h"
#include "ui/help_window.h"
#include "ui/tfmpad.h"
#include "ui/tfmsetup.h"
#include "ui/tfmver.h"

namespace {

constexpr int kDefaultActions = 2500;

// Opens web pages by counting them instead of starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public slots:
    void Open(const QUrl&) { ++opened; }

public:
    int opened = 0;
};

// The names in a folder that look like the program's files: formula files, workbooks, the
// settings and constant files, and the temporaries of a crash-safe save
// (".NAME.tessarin-save-XXXXXX").
std::set<std::string> ProgramFilesIn(const std::string& folder) {
    std::set<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const std::size_t mark = name.find(".tessarin-save-");
        const std::string stem =
            name.starts_with('.') && mark != std::string::npos ? name.substr(1, mark - 1) : name;
        for (const char* suffix : {".tsf", ".xlsx", ".sts", ".clc"}) {
            if (stem.ends_with(suffix)) names.insert(name);
        }
    }
    ::closedir(dir);
    return names;
}

// The offscreen platform cannot raise, grab or make windows translucent, and says so for every
// window the actions show; those lines would bury the log.
QtMessageHandler previousHandler = nullptr;
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    previousHandler(type, context, message);
}

// Types text key by key; characters without a key of their own arrive as an input method
// sends them.
void TypeInto(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

bool SameValue(Extended a, Extended b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Stops the process when one action takes longer than any should: a hang is a finding too.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] { Watch(limit); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void Tick(const std::string& action) {
        std::lock_guard lock(mutex_);
        ++ticks_;
        action_ = action;
    }

private:
    void Watch(std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        long seen = -1;
        while (!wake_.wait_for(lock, limit, [this] { return done_; })) {
            if (ticks_ == seen) {
                std::fprintf(stderr, "monkey: no progress for %lld s in action: %s\n",
                             static_cast<long long>(limit.count()), action_.c_str());
                std::abort();
            }
            seen = ticks_;
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    long ticks_ = 0;
    std::string action_;
    std::thread thread_;
};

// One run of the program: the main window over fresh program-wide objects, with the windows
// the start-up adds, and dialogs answered at random.
struct Session {
    explicit Session(std::mt19937& random)
        : dialogs(random, QString::fromStdString(fx.folder.Path().string())) {
        TFMmain& w = fx.W();
        keypad = new TFMpad(FindPad(&w), FindInput(&w), fx.settings, &w);
        setup = new TFMsetup(fx.settings, fx.calculator, &w);
        version = new TFMver(fx.settings, &w);
        w.SetSideWindows({.keypad = [this]() -> QWidget* { return keypad; },
                          .version = [this]() -> QDialog* { return version; },
                          .setup = [this]() -> QDialog* { return setup; }});
        fx.excel.clipboard = PutClipboardText;
        AddDefaultConstants(fx.calculator.Constants);
        FindPad(&w)->FillConstList();
    }

    MainWindowFixture fx;
    RandomDialogs dialogs;
    TFMpad* keypad = nullptr;
    TFMsetup* setup = nullptr;
    TFMver* version = nullptr;
};

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomUse();
    void cleanupTestCase();

private:
    using Action = std::function<void()>;

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int oneIn) { return Pick(oneIn) == 0; }
    template <typename T>
    const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }
    void Log(const QString& text) {
        log_.push_back(text);
        if (log_.size() > 40) log_.pop_front();
        if (watchdog_) watchdog_->Tick(text.toStdString());
    }
    TFMmain& W() { return session_->fx.W(); }
    QLineEdit* Input() { return session_->fx.Input(); }

    QString RandomText(int maxPieces);
    void TypeText();
    void TypeFullWidth();
    void PressKey();
    void PressSpace();
    void Paste();
    void TurnWheel();
    void ClickGrid();
    void DragGrid();
    void RunCommand();
    void ClickToolButton();
    void OpenSettings();
    void UseKeypad();
    void ClickList();
    void SaveThenOpen();
    void CloseHelp();

    void DriveModalDialogs();
    void DriveSettings(TFMsetup& setup);
    void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::KeyboardModifiers mods);
    QPoint RandomPoint(QWidget* target, bool outsideToo);

    QString Violation();
    QString SheetViolation();
    QString FileViolation();

    std::mt19937 random_;
    std::unique_ptr<Session> session_;
    std::deque<QString> log_;
    Watchdog* watchdog_ = nullptr;
    std::vector<std::pair<int, Action>> actions_;
    CalcExpression checker_;
    UrlRecorder urls_;
    QTimer dialogDriver_;
    int settingsDrives_ = 0;

    std::string root_;
    std::vector<std::pair<std::string, std::set<std::string>>> watched_;
};

void MonkeyTest::initTestCase() {
    previousHandler = qInstallMessageHandler(QuietOffscreenWarnings);
    // Everything the program may write goes below one folder of this run: the temporary
    // folder (workbooks, the file dialogs' folder), the home and configuration folders, and the
    // working folder. The folders a stray write would land in are watched; the system's
    // temporary folder is not, as other programs write there too (and this process's
    // temporary folder is the run's own).
    for (const QString& folder :
         {QCoreApplication::applicationDirPath(), QDir::currentPath(), QDir::homePath()}) {
        watched_.emplace_back(folder.toStdString(), ProgramFilesIn(folder.toStdString()));
    }
    std::string pattern = QDir::tempPath().toStdString() + "/tessarin-monkey-XXXXXX";
    QVERIFY(::mkdtemp(pattern.data()));
    root_ = pattern;
    for (const char* sub : {"tmp", "home", "work"})
        QVERIFY(QDir().mkpath(QString::fromStdString(root_ + "/" + sub)));
    qputenv("TMPDIR", QByteArray::fromStdString(root_ + "/tmp"));
    qputenv("HOME", QByteArray::fromStdString(root_ + "/home"));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(root_ + "/home/.config"));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(root_ + "/home/.local/share"));
    QVERIFY(QDir::setCurrent(QString::fromStdString(root_ + "/work")));

    // The spreadsheet export opens its workbook with a command that only records the path.
    const QString recorder = QString::fromStdString(root_ + "/record-spreadsheet");
    QFile script(recorder);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened-workbooks\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("TESSARIN_SPREADSHEET", recorder.toUtf8());
    InstallWorkbookAutomation();
    QDesktopServices::setUrlHandler("https", &urls_, "Open");
    QDesktopServices::setUrlHandler("http", &urls_, "Open");

    // Modal dialogs run their own event loop; this timer acts in them as the user would.
    dialogDriver_.setInterval(0);
    connect(&dialogDriver_, &QTimer::timeout, this, &MonkeyTest::DriveModalDialogs);
    dialogDriver_.start();

    actions_ = {
        {30, [this] { TypeText(); }},    {4, [this] { TypeFullWidth(); }},
        {20, [this] { PressKey(); }},    {3, [this] { PressSpace(); }},
        {4, [this] { Paste(); }},        {4, [this] { TurnWheel(); }},
        {6, [this] { ClickGrid(); }},    {3, [this] { DragGrid(); }},
        {6, [this] { RunCommand(); }},   {4, [this] { ClickToolButton(); }},
        {2, [this] { OpenSettings(); }}, {4, [this] { UseKeypad(); }},
        {3, [this] { ClickList(); }},    {1, [this] { SaveThenOpen(); }},
        {1, [this] { CloseHelp(); }},
    };
}

void MonkeyTest::cleanupTestCase() {
    dialogDriver_.stop();
    session_.reset();
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("http");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void MonkeyTest::randomUse() {
    const QByteArray seedText = qgetenv("TESSARIN_MONKEY_SEED");
    const unsigned seed = seedText.isEmpty() ? std::random_device()() : seedText.toUInt();
    const QByteArray countText = qgetenv("TESSARIN_MONKEY_ACTIONS");
    const int count = countText.isEmpty() ? kDefaultActions : countText.toInt();
    std::printf("monkey: seed %u, %d actions (replay: TESSARIN_MONKEY_SEED=%u)\n", seed, count,
                seed);
    std::fflush(stdout);
    random_.seed(seed);
    session_ = std::make_unique<Session>(random_);

    int totalWeight = 0;
    for (const auto& action : actions_)
        totalWeight += action.first;
    Watchdog watchdog(std::chrono::seconds(120));
    watchdog_ = &watchdog;
    int restarts = 0;
    for (int i = 1; i <= count; ++i) {
        int roll = Pick(totalWeight);
        for (const auto& [weight, action] : actions_) {
            if (roll < weight) {
                action();
                break;
            }
            roll -= weight;
        }
        QCoreApplication::processEvents();
        // The exit command ends the run; the user starts the program again.
        if (!W().isVisible()) {
            Log("restart");
            ++restarts;
            session_.reset();
            session_ = std::make_unique<Session>(random_);
        }
        QString violation = Violation();
        if (QTest::currentTestFailed()) violation = QStringLiteral("the check above failed");
        if (!violation.isEmpty()) {
            watchdog_ = nullptr;
            QString message = QStringLiteral("seed %1, action %2: %3\nlast actions:")
                                  .arg(seed)
                                  .arg(i)
                                  .arg(violation);
            for (const QString& line : log_)
                message += "\n  " + line;
            message +=
                QStringLiteral("\nreplay: TESSARIN_MONKEY_SEED=%1 TESSARIN_MONKEY_ACTIONS=%2")
                    .arg(seed)
                    .arg(i);
            QFAIL(qPrintable(message));
        }
    }
    watchdog_ = nullptr;
    std::printf("monkey: %d actions, %d restarts, %d boxes, %d web pages\n", count, restarts,
                session_->dialogs.Boxes(), urls_.opened);
    session_.reset();
    // Files left behind outside the run's folder after everything has ended.
    const QString files = FileViolation();
    QVERIFY2(files.isEmpty(), qPrintable(files));
}

// Formula-like pieces and random characters, the way a user types and mistypes.
QString MonkeyTest::RandomText(int maxPieces) {
    static const std::vector<QString> pieces = {
        "1",    "7",     "42",    "0.5",  "3.14159", "1e300", "99999999999999999999",
        "+",    "-",     "*",     "/",    "^",       "(",     ")",
        "sin(", "cos(",  "sqrt(", "log(", "pi",      "PI",    "c",
        "a1",   "A0",    "a99",   "a100", ",",       ".",     "=",
        "x",    "h",     "HFF",   "%",    "!",       " ",     "tan(90",
        "1/0",  "-(-1)", "2^99",  "e-5",  "#1",      "@",     "\\",
        "'"};
    QString text;
    for (int i = 0, n = 1 + Pick(maxPieces); i < n; ++i) {
        if (Chance(4)) {
            text += QChar(32 + Pick(95));
        } else {
            text += OneOf(pieces);
        }
    }
    return text;
}

void MonkeyTest::TypeText() {
    QString text = RandomText(4);
    if (Chance(3)) text = text.toLower();
    Log("type \"" + text + "\"");
    QTest::keyClicks(Input(), text);
}

void MonkeyTest::TypeFullWidth() {
    static const std::vector<QString> characters = {"１", "２", "０", "＋", "－", "＊", "／",
                                                    "（", "）", "Ａ", "ａ", "　", "あ", "漢"};
    const QString character = OneOf(characters);
    Log("type full-width " + character);
    session_->fx.TypeCharacter(character);
}

void MonkeyTest::PressKey() {
    struct KeyChoice {
        Qt::Key key;
        const char* name;
    };
    static const std::vector<KeyChoice> keys = {
        {Qt::Key_Return, "Return"},
        {Qt::Key_Enter, "Enter"},
        {Qt::Key_Up, "Up"},
        {Qt::Key_Down, "Down"},
        {Qt::Key_Left, "Left"},
        {Qt::Key_Right, "Right"},
        {Qt::Key_Home, "Home"},
        {Qt::Key_End, "End"},
        {Qt::Key_PageUp, "PageUp"},
        {Qt::Key_PageDown, "PageDown"},
        {Qt::Key_Backspace, "Backspace"},
        {Qt::Key_Delete, "Delete"},
        {Qt::Key_Tab, "Tab"},
        {Qt::Key_Escape, "Escape"},
        {Qt::Key_Insert, "Insert"},
        {Qt::Key_F1, "F1"},
    };
    if (Chance(4)) {
        // A control character: Ctrl with a letter (Ctrl+Z undoes, Ctrl+A selects all, ...).
        const int letter = Pick(26);
        Log(QStringLiteral("key Ctrl+%1").arg(QChar('A' + letter)));
        QTest::keyClick(Input(), static_cast<Qt::Key>(Qt::Key_A + letter), Qt::ControlModifier);
        return;
    }
    if (Chance(6)) {
        // A control character as text, as a terminal or an input method may send.
        const QChar control(1 + Pick(31));
        Log(QStringLiteral("control character %1").arg(control.unicode()));
        QTest::sendKeyEvent(QTest::Click, Input(), Qt::Key_unknown, QString(control),
                            Qt::NoModifier);
        return;
    }
    const KeyChoice& choice = OneOf(keys);
    const Qt::KeyboardModifiers modifiers =
        Chance(5) ? (Chance(2) ? Qt::ShiftModifier : Qt::ControlModifier) : Qt::NoModifier;
    Log(QStringLiteral("key %1 (modifiers %2)").arg(choice.name).arg(int(modifiers)));
    QTest::keyClick(Input(), choice.key, modifiers);
}

void MonkeyTest::PressSpace() {
    static const std::vector<Qt::KeyboardModifiers> modifiers = {
        Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
        Qt::ShiftModifier | Qt::ControlModifier};
    const Qt::KeyboardModifiers chosen = OneOf(modifiers);
    Log(QStringLiteral("Space (modifiers %1)").arg(int(chosen)));
    QTest::keyClick(Input(), Qt::Key_Space, chosen);
}

void MonkeyTest::Paste() {
    // Text from a line, from a column (lines below fill) or from a table of a spreadsheet.
    QString text = RandomText(8);
    for (int i = 0, rows = Chance(3) ? Pick(4) : 0; i < rows; ++i)
        text += (Chance(2) ? "\r\n" : "\n") + RandomText(3);
    if (Chance(4)) text += "\t" + RandomText(2);
    QGuiApplication::clipboard()->setText(text);
    const bool shiftInsert = Chance(3);
    Log(QStringLiteral("paste \"%1\" with %2").arg(text, shiftInsert ? "Shift+Insert" : "Ctrl+V"));
    if (shiftInsert) {
        QTest::keyClick(Input(), Qt::Key_Insert, Qt::ShiftModifier);
    } else {
        QTest::keyClick(Input(), Qt::Key_V, Qt::ControlModifier);
    }
}

void MonkeyTest::TurnWheel() {
    TFMmain& w = W();
    const std::vector<QWidget*> targets = {FindGrid(&w)->viewport(), FindInput(&w),
                                           FindPart<QWidget>(&w, "PLresult"), &w};
    QWidget* target = OneOf(targets);
    static const std::vector<int> deltas = {120, -120, 240, -240, 40, -40, 360, -360};
    const int delta = OneOf(deltas);
    Log(QStringLiteral("wheel %1 over %2").arg(delta).arg(target->objectName()));
    session_->fx.Wheel(target, delta);
}

QPoint MonkeyTest::RandomPoint(QWidget* target, bool outsideToo) {
    const int margin = outsideToo ? 40 : 0;
    return QPoint(Pick(target->width() + 2 * margin) - margin,
                  Pick(target->height() + 2 * margin) - margin);
}

void MonkeyTest::SendMouse(QWidget* target, QEvent::Type type, QPoint pos,
                           Qt::KeyboardModifiers mods) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, mods);
    QApplication::sendEvent(target, &event);
}

void MonkeyTest::ClickGrid() {
    QWidget* viewport = FindGrid(&W())->viewport();
    const QPoint pos = RandomPoint(viewport, false);
    const Qt::KeyboardModifiers mods =
        Chance(4) ? (Chance(2) ? Qt::ShiftModifier : Qt::ControlModifier) : Qt::NoModifier;
    const bool twice = Chance(6);
    Log(QStringLiteral("click grid at %1,%2 (modifiers %3)%4")
            .arg(pos.x())
            .arg(pos.y())
            .arg(int(mods))
            .arg(twice ? " twice" : ""));
    SendMouse(viewport, QEvent::MouseButtonPress, pos, mods);
    SendMouse(viewport, QEvent::MouseButtonRelease, pos, mods);
    if (twice) {
        SendMouse(viewport, QEvent::MouseButtonDblClick, pos, mods);
        SendMouse(viewport, QEvent::MouseButtonRelease, pos, mods);
    }
}

void MonkeyTest::DragGrid() {
    QWidget* viewport = FindGrid(&W())->viewport();
    QPoint pos = RandomPoint(viewport, false);
    QString path = QStringLiteral("drag grid %1,%2").arg(pos.x()).arg(pos.y());
    SendMouse(viewport, QEvent::MouseButtonPress, pos, Qt::NoModifier);
    for (int i = 0, n = 1 + Pick(5); i < n; ++i) {
        pos = RandomPoint(viewport, true);
        path += QStringLiteral(" %1,%2").arg(pos.x()).arg(pos.y());
        SendMouse(viewport, QEvent::MouseMove, pos, Qt::NoModifier);
    }
    Log(path);
    SendMouse(viewport, QEvent::MouseButtonRelease, pos, Qt::NoModifier);
}

void MonkeyTest::RunCommand() {
    TFMmain& w = W();
    const std::vector<QAction*> commands = {
        FindAction(&w, "MMactionnew"),      FindAction(&w, "MMactionload"),
        FindAction(&w, "MMactionsave"),     FindAction(&w, "MMactionren"),
        FindAction(&w, "MMactionexpexcel"), FindAction(&w, "MMactionexpclip"),
        FindAction(&w, "MMactionexit"),     FindAction(&w, "MMmodeform"),
        FindAction(&w, "MMmodecalc"),       FindAction(&w, "MMmodereal"),
        FindAction(&w, "MMmodeint"),        FindAction(&w, "MMview10"),
        FindAction(&w, "MMview16"),         FindAction(&w, "MMviewtool"),
        FindAction(&w, "MMviewfunc"),       FindAction(&w, "MMviewstat"),
        FindAction(&w, "MMviewsetup"),      FindAction(&w, "MMhelphelp"),
        FindAction(&w, "MMhelpwww"),        FindAction(&w, "MMhelpver")};
    QAction* command = OneOf(commands);
    // Hidden items (save while the sheet is unchanged) cannot be chosen from the menu.
    if (!command->isVisible() || !command->isEnabled()) return;
    Log("menu " + command->objectName() + " " + command->text());
    // Through the event loop, as a click on the item arrives: what the command throws is shown
    // by the application object.
    QMetaObject::invokeMethod(command, &QAction::trigger, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

void MonkeyTest::ClickToolButton() {
    TFMmain& w = W();
    std::vector<QWidget*> buttons = {FindPart<QToolButton>(&w, "BTclear"),
                                     FindPart<QToolButton>(&w, "BTrecal")};
    for (QAction* action : FindPart<QToolBar>(&w, "TBtool")->actions()) {
        if (QWidget* button = FindPart<QToolBar>(&w, "TBtool")->widgetForAction(action))
            buttons.push_back(button);
    }
    QWidget* button = OneOf(buttons);
    if (!button->isVisible() || !button->isEnabled()) return;
    Log("tool button " + button->objectName() + " " + button->toolTip());
    QTest::mouseClick(button, Qt::LeftButton);
}

void MonkeyTest::OpenSettings() {
    Log("settings dialog");
    settingsDrives_ = 0;
    QMetaObject::invokeMethod(FindAction(&W(), "MMviewsetup"), &QAction::trigger,
                              Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

void MonkeyTest::DriveModalDialogs() {
    if (!session_) return;
    if (session_->setup->isVisible()) {
        DriveSettings(*session_->setup);
    } else if (session_->version->isVisible()) {
        session_->version->accept();
    }
}

void MonkeyTest::DriveSettings(TFMsetup& s) {
    // A dialog that refuses OK twice is cancelled.
    if (++settingsDrives_ > 2) {
        Log("  NG");
        FindPart<QPushButton>(&s, "BTng")->click();
        return;
    }
    std::vector<QAbstractButton*> boxes;
    for (const char* name : {"CHflash", "CHask", "CHrtime", "CHrkakko", "RBall", "RBsel",
                             "CHexpnum", "CHexpval", "CHexpexp", "RBdegree", "RBrad", "CHtmost"})
        boxes.push_back(FindPart<QAbstractButton>(&s, name));
    static const std::vector<QString> cells = {"A1", "B2", "AA10", "XFD1048576", "A0",
                                               "",   "1A", "ｂ３", "IV65536",    "A1048577"};
    static const std::vector<QString> digits = {"1", "8", "16", "17", "0", "99", "", "x", "-3"};
    for (int i = 0, n = Pick(6); i < n; ++i) {
        switch (Pick(7)) {
            case 0:
            case 1: {
                QAbstractButton* box = OneOf(boxes);
                Log("  click " + box->objectName());
                box->click();
                break;
            }
            case 2: {
                const QString cell = OneOf(cells);
                Log("  export cell " + cell);
                QLineEdit* field = FindPart<QLineEdit>(&s, "EDexpcell");
                field->selectAll();
                TypeInto(field, cell);
                if (cell.isEmpty()) field->clear();
                break;
            }
            case 3:
            case 4: {
                QLineEdit* field = FindPart<QLineEdit>(&s, Chance(2) ? "EDketa10" : "EDketa16");
                const QString typed = OneOf(digits);
                Log("  digits " + field->objectName() + " " + typed);
                field->selectAll();
                QTest::keyClick(field, Qt::Key_Backspace);
                TypeInto(field, typed);
                break;
            }
            case 5: {
                TrackBar* trans = FindPart<TrackBar>(&s, "TBtrans");
                const int value = trans->minimum() + Pick(trans->maximum() - trans->minimum() + 1);
                Log(QStringLiteral("  transparency %1").arg(value));
                trans->setValue(value);
                break;
            }
            default: {
                static const std::vector<QString> constants = {
                    "X=3",  "K2=2*PI",  "ａ=1",
                    "PI=3", "R=A1",     "S=S+1",
                    "=5",   "NOEQUALS", "LONG=123456789012345678901234567890",
                    "H=HFF"};
                if (Chance(4)) {
                    Log("  constants cleared");
                    FindPart<QPlainTextEdit>(&s, "MMsiki")->clear();
                } else {
                    const QString line = OneOf(constants);
                    Log("  constant " + line);
                    FindPart<QPlainTextEdit>(&s, "MMsiki")->appendPlainText(line);
                }
                break;
            }
        }
    }
    if (Chance(3)) {
        Log("  NG");
        FindPart<QPushButton>(&s, "BTng")->click();
    } else {
        Log("  OK");
        FindPart<QPushButton>(&s, "BTok")->click();
    }
}

void MonkeyTest::UseKeypad() {
    TFMpad* keypad = session_->keypad;
    if (!keypad->isVisible()) {
        Log("key Escape (keypad)");
        QTest::keyClick(Input(), Qt::Key_Escape);
        return;
    }
    switch (Pick(4)) {
        case 0: {
            const QChar key =
                QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz+-*/ .")[Pick(42)];
            Log(QStringLiteral("keypad key %1").arg(key));
            QTest::keyClick(keypad, key.toLatin1());
            break;
        }
        case 1: {
            KeyPanel* panel =
                Chance(3)
                    ? FindKeypadKey(keypad, Pick(TFMpad::kFunctionKeys))
                    : FindKeypadKey(keypad, TFMpad::kFunctionKeys + Pick(TFMpad::kConstantKeys));
            Log("keypad click " + panel->text());
            QTest::mouseClick(panel, Qt::LeftButton);
            break;
        }
        case 2:
            Log("keypad click outside");
            QTest::mousePress(keypad, Qt::LeftButton, {}, QPoint(-10, 300));
            break;
        default:
            Log("keypad Escape");
            QTest::keyClick(keypad, Qt::Key_Escape);
            break;
    }
}

void MonkeyTest::ClickList() {
    FunctionPad* pad = FindPad(&W());
    QListWidget* list = FindPart<QListWidget>(pad, Chance(2) ? "LBfunc" : "LBconst");
    if (!list->isVisible() || !list->isEnabled() || list->count() == 0) return;
    QListWidgetItem* item = list->item(Pick(list->count()));
    list->scrollToItem(item);
    const QPoint center = list->visualItemRect(item).center();
    Log("list " + list->objectName() + " click " + item->text());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, center);
}

void MonkeyTest::CloseHelp() {
    if (HelpWindow* help = W().Help(); help && help->isVisible()) {
        Log("close help");
        help->close();
    }
}

// Save as a new file, open it again: the same formulas, current line and settings come back.
void MonkeyTest::SaveThenOpen() {
    Log("save as, then open");
    MainWindowFixture& fx = session_->fx;
    std::array<std::string, kLineCount> formulas;
    for (int k = 0; k < kLineCount; ++k)
        formulas[k] = fx.Formula(k);
    const int line = fx.Line();
    const ExecuteParameter& p = fx.settings;
    const FormulaFileSettings settings{p.AMODE, p.CMODE, p.VMODE, p.COMMA, p.HSIZE, p.DEGREE};

    const QString path = QString::fromStdString(fx.folder.Path().string()) + "/round-trip.tsf";
    const int notices = session_->dialogs.Notices();
    session_->dialogs.QueuePath(path);
    FindAction(&W(), "MMactionren")->trigger();
    QVERIFY2(session_->dialogs.Notices() == notices, "the save showed a notice");
    QVERIFY2(!fx.Modified(), "the sheet is still modified after the save");
    session_->dialogs.QueuePath(path);
    FindAction(&W(), "MMactionload")->trigger();
    QVERIFY2(session_->dialogs.Notices() == notices, "the open showed a notice");

    for (int k = 0; k < kLineCount; ++k) {
        QVERIFY2(fx.Formula(k) == formulas[k],
                 qPrintable(QStringLiteral("line %1 came back as \"%2\", was \"%3\"")
                                .arg(k)
                                .arg(QString::fromStdString(fx.Formula(k)),
                                     QString::fromStdString(formulas[k]))));
    }
    QCOMPARE(fx.Line(), line);
    const FormulaFileSettings reopened{p.AMODE, p.CMODE, p.VMODE, p.COMMA, p.HSIZE, p.DEGREE};
    QVERIFY2(reopened == settings, "the settings changed through the file");
}

QString MonkeyTest::Violation() {
    if (QString sheet = SheetViolation(); !sheet.isEmpty()) return sheet;
    // Listing the watched folders costs more than an action: every few actions is enough.
    static int calls = 0;
    return ++calls % 10 == 0 ? FileViolation() : QString();
}

QString MonkeyTest::SheetViolation() {
    MainWindowFixture& fx = session_->fx;
    const int line = fx.Line();
    if (line < 0 || line >= kLineCount) {
        return QStringLiteral("current line %1").arg(line);
    }
    const std::string shown = ToHalfWidth(Input()->text().toStdString());
    if (shown != fx.Formula(line)) {
        return QStringLiteral("the input line shows \"%1\", line %2 holds \"%3\"")
            .arg(Input()->text())
            .arg(line)
            .arg(QString::fromStdString(fx.Formula(line)));
    }

    // What a save writes reads back as the same sheet.
    FormulaFileContent content;
    content.currentLine = line;
    const ExecuteParameter& p = session_->fx.settings;
    content.settings = {p.AMODE, p.CMODE, p.VMODE, p.COMMA, p.HSIZE, p.DEGREE};
    for (int k = 0; k < kLineCount; ++k)
        content.formulas[k] = fx.Formula(k);
    const FormulaFileReadResult reread =
        ParseFormulaFile(DecodeFileLines(EncodeFileLines(FormatFormulaFile(content))));
    if (!reread.Succeeded() || reread.content.currentLine != line ||
        !(reread.content.settings == content.settings) ||
        reread.content.formulas != content.formulas) {
        return QStringLiteral("the sheet as saved reads back differently");
    }

    // Each line recalculated on its own with the values the sheet holds. A line whose result
    // depends on other lines' values is left out: with live recalculation off, or a reference
    // to a line later in the pass, it shows an older value by design.
    const CalcExpression& calc = session_->fx.calculator;
    checker_.Constants = calc.Constants;
    checker_.Degree = p.DEGREE;
    checker_.MaxExpansions = calc.MaxExpansions;
    for (int k = 0; k < kLineCount; ++k) {
        const std::string formula = fx.Formula(k);
        const std::string result = fx.Result(k);
        const Extended stored = calc.LineValues.values[k];
        const bool blank = std::all_of(formula.begin(), formula.end(),
                                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
        if (blank) {
            if (!result.empty() || stored != ErrorValue) {
                return QStringLiteral("line %1 without formula shows \"%2\"")
                    .arg(k)
                    .arg(QString::fromStdString(result));
            }
            continue;
        }
        std::string texts[3];
        Extended values[3];
        for (int pass = 0; pass < 3; ++pass) {
            checker_.LineValues = calc.LineValues;
            if (pass > 0) checker_.LineValues.values.fill(pass == 1 ? 7.25L : ErrorValue);
            checker_.Calculate(formula);
            const bool failed = checker_.ErrorCode != 0;
            values[pass] = failed ? ErrorValue : checker_.ResultValue;
            texts[pass] =
                failed ? checker_.ErrorText : FormatValue(checker_.ResultValue, p.Modes());
        }
        if (texts[1] != texts[0] || texts[2] != texts[0]) continue;
        if (result != texts[0] || !SameValue(stored, values[0])) {
            return QStringLiteral("line %1 \"%2\" shows \"%3\", recalculated \"%4\"")
                .arg(k)
                .arg(QString::fromStdString(formula), QString::fromStdString(result),
                     QString::fromStdString(texts[0]));
        }
    }
    return QString();
}

QString MonkeyTest::FileViolation() {
    for (const auto& [folder, before] : watched_) {
        for (const std::string& name : ProgramFilesIn(folder)) {
            if (!before.count(name)) {
                return QString::fromStdString(
                    "a file was written outside the run's folder: " + folder + "/" + name);
            }
        }
    }
    return QString();
}

int main(int argc, char** argv) {
    // The program's application object: what a command throws becomes a notice, as in use.
    TessarinApplication application(argc, argv);
    MonkeyTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
