// New sheet, open, save and save as: the files they read and write, their questions and
// notices, the modified state, the current file name with the title, and the dialog folder.

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>
#include <filesystem>

#include <sys/stat.h>
#include <fstream>
#include <sstream>

#include "desktop/clipboard.h"
#include "desktop/workbook_automation.h"
#include "export/automation.h"
#include "tests/support/file_bytes.h"
#include "tests/ui/main_window_fixture.h"

namespace {

const QString kReadFailure = QStringLiteral("\nファイルが読み込めません。");
const QString kWriteFailure = QStringLiteral("\nファイルが書き込めません。");

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void saveWritesHeaderAndFormulas();
    void saveDialogPresets();
    void emptySheetSavesHeaderOnly();
    void saveWithFileWritesWithoutDialog();
    void saveCancelled();
    void saveFailureKeepsModified();
    void saveOntoPipeFails();
    void openAppliesFile();
    void openDialogPresets();
    void openShortHeader();
    void openFormulaLines();
    void openUnreadableKeepsEverything_data();
    void openUnreadableKeepsEverything();
    void openUtf16File();
    void saveOverFileChangedElsewhere_data();
    void saveOverFileChangedElsewhere();
    void openEmptyFile();
    void openBadLineIndex();
    void linesLeftOutAreToldAndGuarded();
    void nameThatIsNotUtf8();
    void openQuestion_data();
    void openQuestion();
    void newSheetQuestion_data();
    void newSheetQuestion();
    void savedFileReopensInItsModes();
    void ctrlSpaceThenSaveWritesSameFile();
    void longFormulasSurviveMovesClicksAndSave();
    void exportToClipboard();
    void exportWithoutSpreadsheet();
    void exportToCellTheSpreadsheetRefuses();
};

void FileCommandsTest::saveWritesHeaderAndFormulas() {
    MainWindowFixture f;
    f.Type(QStringLiteral("1+2"));
    const QString path = f.File("sum.tsf");
    f.dialogs.AnswerSave(path);
    f.Button("BTactionsave")->click();
    QCOMPARE(ReadBytes(path.toStdString()), std::string("000003081\r\n0=1+2\r\n"));
    QCOMPARE(f.FileName(), path);
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ sum.tsf ]"));
    QVERIFY(!f.Modified());
    QVERIFY(!f.Action("MMactionsave")->isVisible());
    QVERIFY(!f.Action("MMactionren")->isVisible());
    QCOMPARE(f.settings.FOLDER, f.folder.Path().string() + "/");
}

void FileCommandsTest::saveDialogPresets() {
    MainWindowFixture f;
    f.settings.FOLDER = "/some/folder/";
    f.NameSheet(QStringLiteral("/some/folder/old.tsf"));
    f.Type(QStringLiteral("1"));
    f.dialogs.AnswerSave(QString());
    f.Action("MMactionren")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 1);
    const FileDialogSetup& setup = f.dialogs.Shown()[0].setup;
    QCOMPARE(setup.title, QString());
    QCOMPARE(setup.folder, QStringLiteral("/some/folder/"));
    QCOMPARE(setup.fileName, QStringLiteral("/some/folder/old.tsf"));
    QCOMPARE(setup.filter, QStringLiteral("数式ファイル(*.tsf)|*.tsf"));
    QCOMPARE(setup.defaultSuffix, QStringLiteral("tsf"));
}

void FileCommandsTest::emptySheetSavesHeaderOnly() {
    MainWindowFixture f([](ExecuteParameter& s) {
        s.AMODE = 1;
        s.CMODE = 1;
        s.VMODE = 1;
        s.COMMA = 4;
        s.HSIZE = 16;
        s.DEGREE = 0;
    });
    f.Go(7);
    const QString path = f.File("empty.tsf");
    f.dialogs.AnswerSave(path);
    f.Action("MMactionren")->trigger();
    QCOMPARE(ReadBytes(path.toStdString()), std::string("071114160\r\n"));
}

void FileCommandsTest::saveWithFileWritesWithoutDialog() {
    MainWindowFixture f;
    const QString path = f.File("kept.tsf");
    f.Enter(0, QStringLiteral("1"));
    f.dialogs.AnswerSave(path);
    f.Action("MMactionsave")->trigger();
    f.Enter(12, QStringLiteral("A0*3"));
    f.Enter(3, QStringLiteral(" 2 "));
    QVERIFY(f.Modified());
    f.Action("MMactionsave")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QCOMPARE(ReadBytes(path.toStdString()), std::string("030003081\r\n0=1\r\n3=2\r\n12=A0*3\r\n"));
    QVERIFY(!f.Modified());
}

void FileCommandsTest::saveCancelled() {
    MainWindowFixture f;
    f.Type(QStringLiteral("5"));
    f.dialogs.AnswerSave(QString());
    f.Button("BTactionsave")->click();
    QVERIFY(f.Modified());
    QCOMPARE(f.FileName(), QString());
    QVERIFY(std::filesystem::is_empty(f.folder.Path()));
}

// A failed save keeps the sheet modified and under the name it had: the title, the recovery copy
// and the next save do not move to the name that failed.
void FileCommandsTest::saveFailureKeepsModified() {
    MainWindowFixture f;
    const std::string folderBefore = f.settings.FOLDER;
    const QString previous = f.File("previous.tsf");
    f.NameSheet(previous);
    f.Type(QStringLiteral("5"));
    const QString path = f.File("missing/out.tsf");
    f.dialogs.AnswerSave(path);
    f.dialogs.AcknowledgeNotice();
    f.Action("MMactionren")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 2);
    QCOMPARE(f.dialogs.Shown()[1].text, path + kWriteFailure);
    QCOMPARE(f.dialogs.Shown()[1].icon, NoticeIcon::Error);
    QVERIFY(f.Modified());
    QVERIFY(f.Action("MMactionsave")->isVisible());
    QCOMPARE(f.FileName(), previous);
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ previous.tsf ]"));
    QCOMPARE(f.settings.FOLDER, folderBefore);
}

// A named pipe where the file should go is no file to save into: the save fails with the
// notice and the pipe stays, not replaced by a file.
void FileCommandsTest::saveOntoPipeFails() {
    MainWindowFixture f;
    f.Type(QStringLiteral("5"));
    const QString path = f.File("pipe.tsf");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    f.dialogs.AnswerSave(path);
    f.dialogs.AcknowledgeNotice();
    f.Button("BTactionsave")->click();
    QCOMPARE(f.dialogs.Shown().size(), 2);
    QCOMPARE(f.dialogs.Shown()[1].text, path + kWriteFailure);
    QVERIFY(f.Modified());
    QVERIFY(std::filesystem::is_fifo(path.toStdString()));
}

void FileCommandsTest::openAppliesFile() {
    MainWindowFixture f;
    const QString path = f.File("hex.tsf");
    // Line 5, calculator mode, integer hexadecimal, groups of 4, 4 digits, radians.
    WriteBytes(path.toStdString(), "051114040\r\n0=255\r\n5=A0+1\r\n9=ASIN(1)*2\r\n");
    f.settings.FOLDER = "/elsewhere/";
    f.dialogs.AnswerOpen(path);
    f.Button("BTactionopen")->click();
    QCOMPARE(f.settings.AMODE, 1);
    QCOMPARE(f.settings.CMODE, 1);
    QCOMPARE(f.settings.VMODE, 1);
    QCOMPARE(f.settings.COMMA, 4);
    QCOMPARE(f.settings.HSIZE, 4);
    QCOMPARE(f.settings.DEGREE, 0);
    QCOMPARE(f.calculator.Degree, 0);
    QCOMPARE(f.Line(), 5);
    QCOMPARE(f.Input()->text(), QStringLiteral("A0+1"));
    QCOMPARE(f.Result(0), std::string("00FF"));
    QCOMPARE(f.Result(5), std::string("0100"));
    QCOMPARE(f.Value(9), Extended(3.1415926535897932385L));
    QVERIFY(f.Action("MMmodecalc")->isChecked());
    QVERIFY(f.Action("MMview16")->isVisible() && f.Action("MMview16")->isChecked());
    QVERIFY(f.Button("BTview16")->isChecked());
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ hex.tsf ]"));
    QCOMPARE(f.FileName(), path);
    QCOMPARE(f.settings.FOLDER, f.folder.Path().string() + "/");
    QVERIFY(!f.Modified());
}

void FileCommandsTest::openDialogPresets() {
    MainWindowFixture f;
    f.settings.FOLDER = "/data/sheets/";
    f.dialogs.AnswerOpen(QString());
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 1);
    const FileDialogSetup& setup = f.dialogs.Shown()[0].setup;
    QCOMPARE(setup.title, QStringLiteral("数式ファイル"));
    QCOMPARE(setup.folder, QStringLiteral("/data/sheets/"));
    QCOMPARE(setup.fileName, QString());
    QCOMPARE(setup.filter, QStringLiteral("数式ファイル(*.tsf)|*.tsf"));
    QCOMPARE(setup.defaultSuffix, QStringLiteral("tsf"));
}

void FileCommandsTest::openShortHeader() {
    MainWindowFixture f([](ExecuteParameter& s) {
        s.CMODE = 1;
        s.COMMA = 0;
        s.DEGREE = 1;
    });
    const QString path = f.File("short.tsf");
    WriteBytes(path.toStdString(), "17\n17=4*4\n");
    f.dialogs.AnswerOpen(path);
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.Line(), 17);
    QCOMPARE(f.Input()->text(), QStringLiteral("4*4"));
    QCOMPARE(f.settings.AMODE, 0);
    QCOMPARE(f.settings.CMODE, 0);
    QCOMPARE(f.settings.VMODE, 0);
    QCOMPARE(f.settings.COMMA, 3);
    QCOMPARE(f.settings.HSIZE, 8);
    QCOMPARE(f.settings.DEGREE, 0);
    QVERIFY(f.dialogs.Shown().size() == 1);
}

void FileCommandsTest::openFormulaLines() {
    MainWindowFixture f;
    const QString path = f.File("lines.tsf");
    WriteBytes(path.toStdString(),
               "000003081\r\n5=A1=2\r\n100=1\r\n-1=1\r\nx=1\r\n7\r\n07=1\r\n3=1\r\n3=2\r\n"
               "99=A3\r\n");
    f.dialogs.AnswerOpen(path);
    f.dialogs.AcknowledgeNotice();  // the line past A99
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.Formula(5), std::string("A1=2"));
    QCOMPARE(f.Formula(7), std::string("1"));
    QCOMPARE(f.Formula(3), std::string("2"));
    QCOMPARE(f.Formula(99), std::string("A3"));
    QCOMPARE(f.Result(99), std::string("2"));
    QCOMPARE(f.Formula(1), std::string());
    QCOMPARE(f.Formula(0), std::string());
}

void FileCommandsTest::openUnreadableKeepsEverything_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("missing") << false << QByteArray();
    // An image, say: NUL bytes without a UTF-16 mark.
    QTest::newRow("nul bytes") << true << QByteArray("000003081\r\n0=1\0\0\x89PNG", 19);
    // 0xA0 and 0xFD start no character in any of the encodings read.
    QTest::newRow("bytes no codec takes") << true << QByteArray("000003081\r\n0=\xFD\xA0\r\n");
}

void FileCommandsTest::openUnreadableKeepsEverything() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    MainWindowFixture f;
    const QString previous = f.File("previous.tsf");
    f.Type(QStringLiteral("42"));
    f.dialogs.AnswerSave(previous);
    f.Button("BTactionsave")->click();
    const std::string folderBefore = f.settings.FOLDER;
    const QString other = f.File("other.tsf");
    if (exists) WriteBytes(other.toStdString(), bytes.toStdString());
    f.dialogs.AnswerOpen(other);
    f.dialogs.AcknowledgeNotice();
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 3);
    QCOMPARE(f.dialogs.Shown()[2].text, other + kReadFailure);
    QCOMPARE(f.dialogs.Shown()[2].icon, NoticeIcon::Error);
    QCOMPARE(f.Formula(0), std::string("42"));
    QCOMPARE(f.FileName(), previous);
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ previous.tsf ]"));
    QCOMPARE(f.settings.FOLDER, folderBefore);
    // A following save writes the file that was shown, not the one that failed.
    f.Type(QStringLiteral("0"));
    f.Button("BTactionsave")->click();
    QCOMPARE(ReadBytes(previous.toStdString()), std::string("000003081\r\n0=420\r\n"));
    QCOMPARE(std::filesystem::exists(other.toStdString()), exists);
    if (exists) QCOMPARE(ReadBytes(other.toStdString()), bytes.toStdString());
}

// What Windows Notepad saves as "Unicode".
void FileCommandsTest::openUtf16File() {
    MainWindowFixture f;
    const QString path = f.File("notepad.tsf");
    const QString text = QStringLiteral("010003081\r\n0=2*3\r\n1=A0+1 \u5186\r\n");
    WriteBytes(
        path.toStdString(),
        "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    f.dialogs.AnswerOpen(path);
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.Formula(0), std::string("2*3"));
    QCOMPARE(f.Formula(1), std::string("A0+1 \u5186"));
    QCOMPARE(f.FileName(), path);
}

void FileCommandsTest::saveOverFileChangedElsewhere_data() {
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("undoFirst");
    QTest::newRow("yes") << true << false;
    QTest::newRow("no") << false << false;
    // Undo puts formulas back; the file is still the one opened.
    QTest::newRow("no, after an undo") << false << true;
}

void FileCommandsTest::saveOverFileChangedElsewhere() {
    QFETCH(bool, overwrite);
    QFETCH(bool, undoFirst);
    MainWindowFixture f;
    const QString path = f.File("shared.tsf");
    WriteBytes(path.toStdString(), "000003081\r\n0=1\r\n");
    f.dialogs.AnswerOpen(path);
    f.Action("MMactionload")->trigger();
    f.Type(QStringLiteral("2"));
    if (undoFirst) {
        f.Key(Qt::Key_Return);
        f.Type(QStringLiteral("5"));
        f.Key(Qt::Key_Z, Qt::ControlModifier);
    }
    // Another program writes the file meanwhile (the size differs, whatever the clock says).
    const std::string theirs = "000003081\r\n0=1000\r\n";
    WriteBytes(path.toStdString(), theirs);
    f.dialogs.ClearShown();
    f.dialogs.AnswerYesNo(overwrite);
    f.Action("MMactionsave")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QCOMPARE(
        f.dialogs.Shown()[0].text,
        QStringLiteral("ファイルは他のプログラムによって変更されています。\n上書きしますか？"));
    QVERIFY(f.dialogs.Shown()[0].noIsDefault);
    QCOMPARE(ReadBytes(path.toStdString()),
             overwrite ? std::string("000003081\r\n0=12\r\n") : theirs);
    QCOMPARE(f.Modified(), !overwrite);
    QCOMPARE(f.Formula(0), std::string("12"));
}

void FileCommandsTest::openEmptyFile() {
    MainWindowFixture f;
    f.Enter(4, QStringLiteral("9"));
    f.sheet.MarkSaved();
    const QString path = f.File("empty.tsf");
    WriteBytes(path.toStdString(), "");
    f.dialogs.AnswerOpen(path);
    f.dialogs.AcknowledgeNotice();
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.dialogs.Shown().last().text, path + kReadFailure);
    QCOMPARE(f.Formula(4), std::string());
    QCOMPARE(f.Line(), 0);
    QCOMPARE(f.FileName(), path);
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ empty.tsf ]"));
}

void FileCommandsTest::openBadLineIndex() {
    MainWindowFixture f;
    const std::string folderBefore = f.settings.FOLDER;
    const QString path = f.File("bad.tsf");
    WriteBytes(path.toStdString(), "-11103081\r\n0=7\r\n1=A0*2\r\n");
    f.Go(6);
    f.dialogs.AnswerOpen(path);
    f.dialogs.AcknowledgeNotice();
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.dialogs.Shown().last().text, path + kReadFailure);
    QCOMPARE(f.Line(), 0);
    QCOMPARE(f.Formula(1), std::string("A0*2"));
    QCOMPARE(f.Result(1), std::string("14"));
    QCOMPARE(f.Input()->text(), QStringLiteral("7"));
    QCOMPARE(f.settings.CMODE, 1);
    QCOMPARE(f.settings.FOLDER, folderBefore);
}

// Lines the sheet cannot hold are told on open, and a plain save asks before it writes over them;
// a save elsewhere does not.
void FileCommandsTest::linesLeftOutAreToldAndGuarded() {
    MainWindowFixture f;
    const QString path = f.File("long.tsf");
    const std::string bytes = "000003081\r\n0=1\r\n100=2\r\n150=3\r\n";
    WriteBytes(path.toStdString(), bytes);
    f.dialogs.AnswerOpen(path);
    f.dialogs.AcknowledgeNotice();
    f.Action("MMactionload")->trigger();
    QVERIFY(f.dialogs.Shown().back().text.contains(QStringLiteral("シートに入らない 2 行")));
    f.Type(QStringLiteral("0"));
    f.dialogs.AnswerYesNo(false);
    f.Button("BTactionsave")->click();
    QCOMPARE(ReadBytes(path.toStdString()), bytes);
    QVERIFY(f.Modified());
    const QString other = f.File("other.tsf");
    f.dialogs.AnswerSave(other);
    f.Action("MMactionren")->trigger();
    QCOMPARE(ReadBytes(other.toStdString()), std::string("000003081\r\n0=10\r\n"));
    QCOMPARE(f.dialogs.Pending(), 0);
}

// A name that is not UTF-8 (CP932 from a Windows zip), which the dialog shows with replacement
// marks: opened, shown with the marks, and saved back to the same file.
void FileCommandsTest::nameThatIsNotUtf8() {
    MainWindowFixture f;
    const std::string name = f.folder.File("\x8c\x76\x8e\x5a.tsf");
    WriteBytes(name, "000003081\r\n0=6*7\r\n");
    f.dialogs.AnswerOpen(QFile::decodeName(QByteArray::fromStdString(name)));
    f.Action("MMactionload")->trigger();
    QCOMPARE(f.Result(0), std::string("42"));
    QCOMPARE(f.sheet.FileName(), name);
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ \uFFFDv\uFFFDZ.tsf ]"));
    f.Type(QStringLiteral("+1"));
    f.Button("BTactionsave")->click();
    QCOMPARE(ReadBytes(name), std::string("000003081\r\n0=6*7+1\r\n"));

    // Dropped on the input line, the file opens as its bytes too, not pasted as an address.
    f.Type(QStringLiteral("0"));
    WriteBytes(name, "000003081\r\n0=2+3\r\n");
    QMimeData data;
    data.setUrls(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(name).toPercentEncoding("/"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Input(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    f.dialogs.AnswerConfirm(true);
    QApplication::sendEvent(f.Input(), &drop);
    QCOMPARE(f.Formula(0), std::string("2+3"));
    QCOMPARE(f.sheet.FileName(), name);
}

void FileCommandsTest::openQuestion_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("opens");
    const struct {
        const char* dataTag;
        bool modified;
        bool yes;
        bool opens;
    } rows[] = {
        {"modified, yes", true, true, true},
        {"modified, no", true, false, false},
        {"saved", false, false, true},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.modified << row.yes << row.opens;
}

void FileCommandsTest::openQuestion() {
    QFETCH(bool, modified);
    QFETCH(bool, yes);
    QFETCH(bool, opens);
    MainWindowFixture f;
    const QString path = f.File("q.tsf");
    WriteBytes(path.toStdString(), "000003081\r\n0=3\r\n");
    f.Type(QStringLiteral("8"));
    if (!modified) f.sheet.MarkSaved();
    if (modified) f.dialogs.AnswerConfirm(yes);
    if (opens) f.dialogs.AnswerOpen(path);
    f.Action("MMactionload")->trigger();
    if (modified) {
        QCOMPARE(f.dialogs.Shown()[0].text,
                 QStringLiteral(" 全ての数式を消去して読み込みます。\n"));
        QCOMPARE(f.dialogs.Shown()[0].icon, NoticeIcon::Question);
    }
    QCOMPARE(f.Formula(0), std::string(opens ? "3" : "8"));
    QCOMPARE(f.dialogs.Pending(), 0);
}

void FileCommandsTest::newSheetQuestion_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("clears");
    const struct {
        const char* dataTag;
        bool modified;
        bool yes;
        bool clears;
    } rows[] = {
        {"modified, yes", true, true, true},
        {"modified, no", true, false, false},
        {"saved", false, false, true},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.modified << row.yes << row.clears;
}

void FileCommandsTest::newSheetQuestion() {
    QFETCH(bool, modified);
    QFETCH(bool, yes);
    QFETCH(bool, clears);
    MainWindowFixture f;
    f.NameSheet(f.File("named.tsf"));
    f.Enter(3, QStringLiteral("8"));
    if (!modified) f.sheet.MarkSaved();
    if (modified) f.dialogs.AnswerConfirm(yes);
    f.Button("BTactionnew")->click();
    if (modified) {
        QCOMPARE(f.dialogs.Shown()[0].text, QStringLiteral(" 全ての数式を消去します。\n"));
        QCOMPARE(f.dialogs.Shown()[0].icon, NoticeIcon::Question);
    }
    QCOMPARE(f.Formula(3), std::string(clears ? "" : "8"));
    QCOMPARE(f.Value(3), clears ? ErrorValue : Extended(8));
    QCOMPARE(f.Line(), clears ? 0 : 3);
    QCOMPARE(f.FileName().isEmpty(), clears);
    QCOMPARE(f.W().windowTitle(),
             clears ? QStringLiteral("Tessarin") : QStringLiteral("Tessarin - [ named.tsf ]"));
    QCOMPARE(f.Modified(), !clears && modified);
}

void FileCommandsTest::savedFileReopensInItsModes() {
    MainWindowFixture f;
    f.Action("MMmodeint")->trigger();
    f.Button("BTview16")->click();
    f.Enter(0, QStringLiteral("H7F"));
    f.Enter(2, QStringLiteral("A0*2"));
    const QString path = f.File("modes.tsf");
    f.dialogs.AnswerSave(path);
    f.Button("BTactionsave")->click();
    const std::string hexResult = f.Result(2);
    f.Action("MMmodereal")->trigger();
    f.Button("BTactionnew")->click();
    QCOMPARE(f.settings.CMODE, 0);
    f.dialogs.AnswerOpen(path);
    f.Button("BTactionopen")->click();
    QCOMPARE(f.settings.CMODE, 1);
    QCOMPARE(f.settings.VMODE, 1);
    QVERIFY(f.Button("BTmodeint")->isChecked());
    QCOMPARE(f.Line(), 2);
    QCOMPARE(f.Result(2), hexResult);
    QVERIFY(hexResult.ends_with("FE"));
}

void FileCommandsTest::ctrlSpaceThenSaveWritesSameFile() {
    MainWindowFixture f;
    const QString path = f.File("same.tsf");
    WriteBytes(path.toStdString(), "000003081\r\n0=1\r\n");
    f.dialogs.AnswerOpen(path);
    f.Button("BTactionopen")->click();
    f.Key(Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!f.Modified());
    QVERIFY(!f.Action("MMactionsave")->isVisible());
    f.Type(QStringLiteral("6"));
    QVERIFY(f.Action("MMactionsave")->isVisible());
    f.Action("MMactionsave")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QCOMPARE(ReadBytes(path.toStdString()), std::string("000003081\r\n0=6\r\n"));
}

void FileCommandsTest::longFormulasSurviveMovesClicksAndSave() {
    MainWindowFixture f;
    // 320 characters each, longer than typing may make.
    std::string first = "100000000000", second = "200000000000";
    for (int i = 0; i < 28; ++i) {
        first += "+1000000000";
        second += "+2000000000";
    }
    const std::string bytes = "030003081\r\n3=" + first + "\r\n7=" + second + "\r\n8=A3+A7\r\n";
    const QString path = f.File("long.tsf");
    WriteBytes(path.toStdString(), bytes);
    f.dialogs.AnswerOpen(path);
    f.Button("BTactionopen")->click();
    QCOMPARE(f.Input()->text().size(), 320);
    for (int i = 0; i < 4; ++i)
        f.Key(Qt::Key_Down);
    f.Pick(3);
    f.Pick(7);
    f.Key(Qt::Key_Up);
    f.Pick(3);
    QCOMPARE(f.Formula(3), first);
    QCOMPARE(f.Formula(7), second);
    QCOMPARE(f.Result(3), std::string("128,000,000,000"));
    QCOMPARE(f.Result(7), std::string("256,000,000,000"));
    QCOMPARE(f.Result(8), std::string("384,000,000,000"));
    f.dialogs.AnswerSave(path);
    f.Action("MMactionren")->trigger();
    QCOMPARE(ReadBytes(path.toStdString()), bytes);
}

void FileCommandsTest::exportToClipboard() {
    MainWindowFixture f;
    f.Enter(0, QStringLiteral("1+1"));
    f.Enter(2, QStringLiteral("1/0"));
    f.Button("ToolButton1")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("A0\t2\t1+1\r\nA2\tゼロで除算\t1/0\r\n"));
}

void FileCommandsTest::exportWithoutSpreadsheet() {
    MainWindowFixture f;
    const AutomationFactory before = SetAutomationFactory([](const std::string&) -> AutomationRef {
        throw std::runtime_error("no spreadsheet program");
    });
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    f.Enter(0, QStringLiteral("1"));
    f.dialogs.AcknowledgeNotice();
    f.Button("BTactionexpexcel")->click();
    SetAutomationFactory(before);
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QCOMPARE(f.dialogs.Shown()[0].text, QStringLiteral("Excelを起動できません。"));
    QCOMPARE(f.dialogs.Shown()[0].icon, NoticeIcon::Error);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
}

// A cell the spreadsheet refuses is told in a notice; nothing is thrown through the click.
void FileCommandsTest::exportToCellTheSpreadsheetRefuses() {
    MainWindowFixture f([](ExecuteParameter& p) { p.ECELL = "A0"; });
    f.excel.clipboard = PutClipboardText;
    qputenv("TESSARIN_SPREADSHEET", "true");
    const AutomationFactory before = SetAutomationFactory({});
    InstallWorkbookAutomation();
    f.Enter(0, QStringLiteral("1"));
    f.dialogs.AcknowledgeNotice();
    QTest::mouseClick(f.Button("BTactionexpexcel"), Qt::LeftButton);
    SetAutomationFactory(before);
    qunsetenv("TESSARIN_SPREADSHEET");
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QVERIFY(f.dialogs.Shown()[0].text.contains(QStringLiteral("A0")));
    QCOMPARE(f.dialogs.Shown()[0].icon, NoticeIcon::Error);
}

QTEST_MAIN(FileCommandsTest)
#include "tst_file_commands.moc"
