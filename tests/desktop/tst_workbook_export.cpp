// The spreadsheet export on this desktop: a real workbook is written and handed to the program
// that $TESSARIN_SPREADSHEET, the PATH or xdg-mime names; fake programs record their arguments
// and an independent reader checks the workbook.

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

#include <sys/stat.h>

#include "desktop/clipboard.h"
#include "desktop/workbook_automation.h"
#include "export/excel_control.h"
#include "tests/support/env_guard.h"
#include "tests/ui/main_window_fixture.h"

namespace {

const QString kExportText =
    "A0\t1,234.5\t1+2\r\n"
    "A1\tゼロで除算\t1/0\r\n"
    "A2\t=SUM(A1)\t-abc\r\n"
    "A3\t-0.5\t00000010\r\n";

// Prints the workbook's cells as {"C3": [type, value]}, its active cell and its selection.
const char* const kReadWorkbook = R"py(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.active
cells = {c.coordinate: [c.data_type, c.value] for row in ws.iter_rows() for c in row
         if c.value is not None}
print(json.dumps({"cells": cells, "active": ws.active_cell, "selection": ws.selected_cell,
                  "sheets": len(wb.worksheets)}))
)py";

}  // namespace

class TestWorkbookExport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportWritesWorkbook();
    void hexadecimalResultsStayText_data();
    void hexadecimalResultsStayText();
    void emptyTextOpensEmptyWorkbook();
    void programIsFound_data();
    void programIsFound();
    void noProgram_data();
    void noProgram();
    void refusedPaste_data();
    void refusedPaste();
    void workbookFolder_data();
    void workbookFolder();
    void oldWorkbooksAreRemoved();

private:
    // A program in the test's bin folder that runs body.
    void AddProgram(const QString& name, const QString& body, bool executable = true);
    // A program that records its arguments, one a line, in name.args, ending with "end".
    void AddRecorder(const QString& name);
    // The arguments name recorded, once it has run.
    QStringList RecordedArguments(const QString& name);
    QStringList Workbooks() const;
    QJsonObject ReadWorkbook(const QString& path);

    std::unique_ptr<QTemporaryDir> folder_;
    QString bin_;
    std::unique_ptr<EnvGuard> path_, tmpdir_, spreadsheet_, cache_, home_;
    std::unique_ptr<ExcelControl> control_;
};

void TestWorkbookExport::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    bin_ = folder_->filePath("bin");
    QVERIFY(QDir().mkpath(bin_));
    QVERIFY(QDir().mkpath(folder_->filePath("tmp")));
    path_ = std::make_unique<EnvGuard>("PATH");
    tmpdir_ = std::make_unique<EnvGuard>("TMPDIR");
    spreadsheet_ = std::make_unique<EnvGuard>("TESSARIN_SPREADSHEET");
    cache_ = std::make_unique<EnvGuard>("XDG_CACHE_HOME");
    home_ = std::make_unique<EnvGuard>("HOME");
    // Only the fake programs can be found, and workbooks land in the test's own folder.
    qputenv("PATH", QFile::encodeName(bin_));
    qputenv("TMPDIR", QFile::encodeName(folder_->filePath("tmp")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(folder_->filePath("cache")));
    qputenv("HOME", QFile::encodeName(folder_->filePath("home")));
    qunsetenv("TESSARIN_SPREADSHEET");

    InstallWorkbookAutomation();
    control_ = std::make_unique<ExcelControl>(PutClipboardText);
}

void TestWorkbookExport::cleanup() {
    control_.reset();
    SetAutomationFactory({});
    spreadsheet_.reset();
    cache_.reset();
    home_.reset();
    tmpdir_.reset();
    path_.reset();
    folder_.reset();
}

void TestWorkbookExport::AddProgram(const QString& name, const QString& body, bool executable) {
    QFile file(bin_ + "/" + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(("#!/bin/sh\n" + body + "\n").toUtf8());
    file.close();
    if (executable) {
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
}

void TestWorkbookExport::AddRecorder(const QString& name) {
    // Shell built-ins only: the PATH holds nothing but the fake programs.
    AddProgram(name, "{ printf '%s\\n' \"$@\"; printf 'end\\n'; } > '" + folder_->filePath(name) +
                         ".args'");
}

QStringList TestWorkbookExport::RecordedArguments(const QString& name) {
    QFile file(folder_->filePath(name + ".args"));
    QString text;
    const auto finished = [&]() {
        if (!file.open(QIODevice::ReadOnly)) return false;
        text = QString::fromUtf8(file.readAll());
        file.close();
        return text.endsWith("end\n");
    };
    if (!QTest::qWaitFor(finished, 10000)) return {"not run"};
    QStringList arguments = text.split('\n');
    arguments.removeLast();  // after "end"
    arguments.removeLast();  // "end"
    return arguments;
}

QStringList TestWorkbookExport::Workbooks() const {
    QStringList names =
        QDir(folder_->filePath("cache/tessarin")).entryList({"*.xlsx"}, QDir::Files);
    names.sort();  // the folder's own order depends on the locale
    return names;
}

QJsonObject TestWorkbookExport::ReadWorkbook(const QString& path) {
    QProcess python;
    python.start("/usr/bin/python3", {"-c", kReadWorkbook, path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

void TestWorkbookExport::exportWritesWorkbook() {
    AddRecorder("calc");
    qputenv("TESSARIN_SPREADSHEET", QFile::encodeName("\"" + bin_ + "/calc\" --new"));

    QVERIFY(ExportToSpreadsheet(*control_, "C3", kExportText.toStdString()));

    const QStringList arguments = RecordedArguments("calc");
    QCOMPARE(arguments.size(), 2);
    QCOMPARE(arguments[0], "--new");
    const QString workbook = arguments[1];
    QCOMPARE(QFileInfo(workbook).absolutePath(), folder_->filePath("cache/tessarin"));
    QVERIFY(workbook.endsWith(".xlsx"));
    QCOMPARE(Workbooks().size(), 1);

    const QJsonObject read = ReadWorkbook(workbook);
    const QJsonObject expected = QJsonDocument::fromJson(R"json({
        "C3": ["s", "A0"], "D3": ["n", 1234.5], "E3": ["s", "1+2"],
        "C4": ["s", "A1"], "D4": ["s", "ゼロで除算"], "E4": ["s", "1/0"],
        "C5": ["s", "A2"], "D5": ["s", "=SUM(A1)"], "E5": ["s", "-abc"],
        "C6": ["s", "A3"], "D6": ["n", -0.5], "E6": ["s", "00000010"]})json")
                                     .object();
    QCOMPARE(QJsonDocument(read["cells"].toObject()).toJson(), QJsonDocument(expected).toJson());
    QCOMPARE(read["active"].toString(), "C3");
    QCOMPARE(read["selection"].toString(), "C3");
    QCOMPARE(read["sheets"].toInt(), 1);

    QCOMPARE(QGuiApplication::clipboard()->text(), kExportText);
}

void TestWorkbookExport::hexadecimalResultsStayText_data() {
    QTest::addColumn<int>("vmode");
    QTest::addColumn<int>("hsize");
    QTest::addColumn<QString>("results");  // the cells C2..C5 as JSON
    const struct {
        const char* dataTag;
        int vmode;
        int hsize;
        QString results;
    } rows[] = {
        {"four digits", 1, 4, R"(["s", "2345"], ["s", "1E10"], ["s", "0123"], ["s", "0010"])"},
        {"eight digits", 1, 8,
         R"(["s", "00002345"], ["s", "00001E10"], ["s", "00000123"], ["s", "00000010"])"},
        {"decimal stays numbers", 0, 8, R"(["n", 9029], ["n", 7696], ["n", 291], ["n", 16])"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.vmode << row.hsize << row.results;
}

// Integer display, typed and exported through the window: hexadecimal results reach the
// workbook exactly as shown, never read as decimal numbers.
void TestWorkbookExport::hexadecimalResultsStayText() {
    QFETCH(int, vmode);
    QFETCH(int, hsize);
    QFETCH(QString, results);
    AddRecorder("calc");
    qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(bin_ + "/calc"));
    MainWindowFixture f([&](ExecuteParameter& p) {
        p.CMODE = 1;
        p.VMODE = vmode;
        p.HSIZE = hsize;
        p.ECELL = "B2";
    });
    f.excel.clipboard = PutClipboardText;
    const QStringList formulas{"H2345", "H1E10", "H0123", "H10"};
    for (int line = 0; line < formulas.size(); ++line)
        f.Enter(line, formulas[line]);

    f.Action("MMactionexpexcel")->trigger();

    const QStringList arguments = RecordedArguments("calc");
    QCOMPARE(arguments.size(), 1);
    const QJsonArray shown = QJsonDocument::fromJson(("[" + results + "]").toUtf8()).array();
    QJsonObject expected;
    for (int line = 0; line < formulas.size(); ++line) {
        const QString row = QString::number(line + 2);
        expected["B" + row] = QJsonArray{"s", "A" + QString::number(line)};
        expected["C" + row] = shown[line];
        expected["D" + row] = QJsonArray{"s", formulas[line]};
    }
    QCOMPARE(QJsonDocument(ReadWorkbook(arguments[0])["cells"].toObject()).toJson(),
             QJsonDocument(expected).toJson());
}

// No line qualifies: the workbook opens empty, the cell still selected.
void TestWorkbookExport::emptyTextOpensEmptyWorkbook() {
    AddRecorder("calc");
    qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(bin_ + "/calc"));
    PutClipboardText("before");

    QVERIFY(ExportToSpreadsheet(*control_, "$b$2", ""));

    const QStringList arguments = RecordedArguments("calc");
    QCOMPARE(arguments.size(), 1);
    const QJsonObject read = ReadWorkbook(arguments[0]);
    QVERIFY(read["cells"].toObject().isEmpty());
    QCOMPARE(read["active"].toString(), "B2");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void TestWorkbookExport::programIsFound_data() {
    QTest::addColumn<QStringList>("recorders");
    QTest::addColumn<QString>("otherPrograms");  // name=output of a fake xdg-mime
    QTest::addColumn<QString>("chosen");         // $TESSARIN_SPREADSHEET, "BIN" for the folder
    QTest::addColumn<QString>("recorder");       // the one expected to run
    QTest::addColumn<QStringList>("leading");    // its arguments before the workbook
    const struct {
        const char* dataTag;
        QStringList recorders;
        const char* otherPrograms;
        const char* chosen;
        const char* recorder;
        QStringList leading;
    } rows[] = {
        {"chosen by path", QStringList{"calc", "soffice"}, "", "BIN/calc", "calc", QStringList{}},
        {"chosen by name", QStringList{"calc", "soffice"}, "", "calc --x \"a b\"", "calc",
         QStringList{"--x", "a b"}},
        {"soffice first", QStringList{"soffice", "libreoffice", "xdg-open"},
         "xdg-mime=calc.desktop", "", "soffice", QStringList{"--calc"}},
        {"libreoffice", QStringList{"libreoffice", "xdg-open"}, "xdg-mime=calc.desktop", "",
         "libreoffice", QStringList{"--calc"}},
        {"desktop default", QStringList{"xdg-open"}, "xdg-mime=libreoffice-calc.desktop", "",
         "xdg-open", QStringList{}},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag)
            << row.recorders << row.otherPrograms << row.chosen << row.recorder << row.leading;
}

void TestWorkbookExport::programIsFound() {
    QFETCH(QStringList, recorders);
    QFETCH(QString, otherPrograms);
    QFETCH(QString, chosen);
    QFETCH(QString, recorder);
    QFETCH(QStringList, leading);
    for (const QString& name : recorders)
        AddRecorder(name);
    if (otherPrograms.startsWith("xdg-mime=")) {
        AddProgram("xdg-mime", "printf '%s\\n' '" + otherPrograms.mid(9) + "'");
    }
    if (!chosen.isEmpty()) {
        qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(chosen.replace("BIN", bin_)));
    }

    QVERIFY(ExportToSpreadsheet(*control_, "A1", "1\r\n"));

    const QStringList arguments = RecordedArguments(recorder);
    QCOMPARE(arguments.mid(0, arguments.size() - 1), leading);
    QCOMPARE(QStringList{QFileInfo(arguments.last()).fileName()}, Workbooks());
    for (const QString& other : recorders) {
        if (other != recorder)
            QVERIFY2(!QFile::exists(folder_->filePath(other + ".args")), qPrintable(other));
    }
}

void TestWorkbookExport::noProgram_data() {
    QTest::addColumn<QString>("xdgMime");  // body of a fake xdg-mime, empty for none
    QTest::addColumn<bool>("xdgOpen");
    QTest::addColumn<QString>("chosen");
    const struct {
        const char* dataTag;
        const char* xdgMime;
        bool xdgOpen;
        const char* chosen;
    } rows[] = {
        {"nothing on the PATH", "", false, ""},
        {"no xdg-mime", "", true, ""},
        {"xdg-mime names nothing", "exit 0", true, ""},
        {"xdg-mime prints blanks", "printf ' \\n'", true, ""},
        {"xdg-mime fails", "printf 'calc.desktop\\n'; exit 1", true, ""},
        {"no xdg-open", "printf 'calc.desktop\\n'", false, ""},
        {"chosen program missing", "printf 'calc.desktop\\n'", true, "BIN/missing"},
        {"chosen file not executable", "", false, "BIN/plain"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.xdgMime << row.xdgOpen << row.chosen;
}

// The notice case: StartExcel gives 0 and nothing else happens, the clipboard included.
void TestWorkbookExport::noProgram() {
    QFETCH(QString, xdgMime);
    QFETCH(bool, xdgOpen);
    QFETCH(QString, chosen);
    if (!xdgMime.isEmpty()) AddProgram("xdg-mime", xdgMime);
    if (xdgOpen) AddRecorder("xdg-open");
    AddProgram("plain", "exit 0", false);
    if (!chosen.isEmpty()) {
        qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(chosen.replace("BIN", bin_)));
    }
    PutClipboardText("before");

    QVERIFY(!FindSpreadsheetCommand());
    QCOMPARE(control_->StartExcel(1), 0);
    QVERIFY(!ExportToSpreadsheet(*control_, "A1", "1\r\n"));

    QCOMPARE(QGuiApplication::clipboard()->text(), "before");
    QVERIFY(Workbooks().isEmpty());
}

void TestWorkbookExport::refusedPaste_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    const struct {
        const char* dataTag;
        const char* cell;
        const char* text;
        const char* error;
    } rows[] = {
        {"no such column", "XFE1", "1\r\n", "セル参照が不正です: XFE1"},
        {"not a cell", "A1:B2", "1\r\n", "セル参照が不正です: A1:B2"},
        {"past the last column", "XFD1", "1\t2\r\n",
         "貼り付ける範囲がワークシートに収まりません。"},
        {"past the last row", "A1048576", "1\r\n2\r\n",
         "貼り付ける範囲がワークシートに収まりません。"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.cell << row.text << row.error;
}

// A failure after the start reaches the caller with its text; no workbook is shown.
void TestWorkbookExport::refusedPaste() {
    QFETCH(QString, cell);
    QFETCH(QString, text);
    QFETCH(QString, error);
    AddRecorder("calc");
    qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(bin_ + "/calc"));

    QString thrown;
    try {
        ExportToSpreadsheet(*control_, cell.toStdString(), text.toStdString());
    } catch (const std::runtime_error& e) {
        thrown = QString::fromUtf8(e.what());
    }
    QCOMPARE(thrown, error);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QVERIFY(Workbooks().isEmpty());
    QVERIFY(!QFile::exists(folder_->filePath("calc.args")));
}

void TestWorkbookExport::workbookFolder_data() {
    QTest::addColumn<QString>("cacheHome");  // "-" unset; "F/" the test's folder
    QTest::addColumn<QString>("tmpdir");
    QTest::addColumn<QString>("folder");  // where the workbook is written

    QTest::newRow("default cache") << "-"
                                   << "F/tmp"
                                   << "F/home/.cache/tessarin";
    QTest::newRow("relative cache home is ignored") << "cache"
                                                    << "F/tmp"
                                                    << "F/home/.cache/tessarin";
    QTest::newRow("cache cannot be made") << "F/file"
                                          << "F/tmp"
                                          << "F/tmp";
    QTest::newRow("cache cannot be made, no TMPDIR") << "F/file"
                                                     << "F/missing"
                                                     << "/tmp";
}

// The workbook goes to the program's own cache folder, made for this user alone; only where
// that cannot be made, to a temporary folder that exists.
void TestWorkbookExport::workbookFolder() {
    QFETCH(QString, cacheHome);
    QFETCH(QString, tmpdir);
    QFETCH(QString, folder);
    const auto inTest = [&](QString path) { return path.replace("F/", folder_->path() + "/"); };
    QFile file(folder_->filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    if (cacheHome == "-") {
        qunsetenv("XDG_CACHE_HOME");
    } else {
        qputenv("XDG_CACHE_HOME", QFile::encodeName(inTest(cacheHome)));
    }
    qputenv("TMPDIR", QFile::encodeName(inTest(tmpdir)));
    AddRecorder("calc");
    qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(bin_ + "/calc"));

    QVERIFY(ExportToSpreadsheet(*control_, "A1", "1\r\n"));

    const QStringList arguments = RecordedArguments("calc");
    QCOMPARE(arguments.size(), 1);
    QFile::remove(arguments[0]);
    QCOMPARE(QFileInfo(arguments[0]).absolutePath(), inTest(folder));
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(inTest(folder)).constData(), &info), 0);
    if (folder.endsWith("tessarin")) QCOMPARE(info.st_mode & 0777, 0700u);
}

// Workbooks that earlier exports left more than a day ago are removed; newer ones and files the
// program did not make stay.
void TestWorkbookExport::oldWorkbooksAreRemoved() {
    const QString folder = folder_->filePath("cache/tessarin");
    QVERIFY(QDir().mkpath(folder));
    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        const char* name;
        int hoursOld;
    } files[] = {{"tessarin-Ab12Cd.xlsx", 25},
                 {"tessarin-Xy34Zw.xlsx", 23},
                 {"notes.xlsx", 48},
                 {"tessarin-2024.xlsx", 48}};
    for (const auto& f : files) {
        QFile file(folder + "/" + f.name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(now.addSecs(-3600 * f.hoursOld), QFile::FileModificationTime));
    }
    AddRecorder("calc");
    qputenv("TESSARIN_SPREADSHEET", QFile::encodeName(bin_ + "/calc"));

    QVERIFY(ExportToSpreadsheet(*control_, "A1", "1\r\n"));

    const QStringList arguments = RecordedArguments("calc");
    QCOMPARE(arguments.size(), 1);
    QStringList expected{"notes.xlsx", "tessarin-2024.xlsx", "tessarin-Xy34Zw.xlsx",
                         QFileInfo(arguments[0]).fileName()};
    expected.sort();
    QCOMPARE(Workbooks(), expected);
}

QTEST_MAIN(TestWorkbookExport)
#include "tst_workbook_export.moc"
