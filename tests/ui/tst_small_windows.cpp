#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QtMath>

#include "desktop/dialogs.h"
#include "desktop/window_layer.h"
#include "platform/text_file.h"
#include "settings/execute_parameter.h"
#include "tests/support/test_program_objects.h"
#include "tests/ui/desktop_font_sizes.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/logo.h"
#include "ui/tfmlogo.h"
#include "ui/tfmver.h"

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

// Looks at the message box that the next modal loop opens and presses the given button.
void InspectNextBox(SeenBox* seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen->caption = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen->buttons << button->text();
        if (box->defaultButton()) seen->defaultButton = box->defaultButton()->text();
        box->button(press)->click();
    });
}

QString ButtonText(QMessageBox::StandardButton which) {
    QMessageBox box;
    return box.addButton(which)->text();
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    }
    return count;
}

}  // namespace

class SmallWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void fileFilter_data();
    void fileFilter();
    void confirmActionAddsQuestion();
    void askYesNoDefaults_data();
    void askYesNoDefaults();
    void noticeShowsTextWithOk();
    void scriptedDialogsAnswerInOrder();
    void scriptedDialogsFailOnUnexpectedBox();
    void stayOnTopKeepsPlaceAndVisibility_data();
    void stayOnTopKeepsPlaceAndVisibility();
    void splashShowsOnTopWithTimer();
    void splashTimerAppliesStayOnTop_data();
    void splashTimerAppliesStayOnTop();
    void splashEndsByItself();
    void versionWindowShowsRunRecord();
    void versionWindowFitsTheDesktopFont();
    void versionWindowClosesByOkAndKeys_data();
    void versionWindowClosesByOkAndKeys();
    void toolIconsAreDrawnAndDistinct();
    void logoAndProgramIconSizes();
    void helpWindowReadsBothEncodings_data();
    void helpWindowReadsBothEncodings();
    void helpWindowReportsMissingFile();
    void shippedHelpDocumentReads();
    void helpPageHasMarginAndFullTableBorders();
};

void SmallWindowsTest::fileFilter_data() {
    QTest::addColumn<QString>("paired");
    QTest::addColumn<QString>("qt");
    const struct {
        const char* dataTag;
        QString paired;
        QString qt;
    } rows[] = {
        {"formula files", QStringLiteral("数式ファイル(*.tsf)|*.tsf"),
         QStringLiteral("数式ファイル(*.tsf)")},
        {"description without pattern", QStringLiteral("Text|*.txt"),
         QStringLiteral("Text (*.txt)")},
        {"two pairs, several patterns",
         QStringLiteral("数式ファイル(*.tsf)|*.tsf|すべて|*.tsf;*.txt"),
         QStringLiteral("数式ファイル(*.tsf);;すべて (*.tsf *.txt)")},
        {"already in Qt form", QStringLiteral("数式ファイル(*.tsf)"),
         QStringLiteral("数式ファイル(*.tsf)")},
        {"empty", QString(), QString()},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.paired << row.qt;
}

void SmallWindowsTest::fileFilter() {
    QFETCH(QString, paired);
    QFETCH(QString, qt);
    QCOMPARE(QtFileFilter(paired), qt);
}

void SmallWindowsTest::confirmActionAddsQuestion() {
    SeenBox seen;
    InspectNextBox(&seen, QMessageBox::Yes);
    const bool yes = CurrentDialogs().ConfirmAction(
        nullptr, QStringLiteral(" 全ての数式を消去します。\n"), NoticeIcon::Question);
    QVERIFY(yes);
    QCOMPARE(seen.caption, QStringLiteral("Tessarin"));
    QCOMPARE(seen.text, QStringLiteral(" 全ての数式を消去します。\n よろしいですか？"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons.size(), 2);

    InspectNextBox(&seen, QMessageBox::No);
    QVERIFY(!CurrentDialogs().ConfirmAction(nullptr, QStringLiteral("x"), NoticeIcon::Warning));
    QCOMPARE(seen.icon, QMessageBox::Warning);
}

void SmallWindowsTest::askYesNoDefaults_data() {
    QTest::addColumn<bool>("noIsDefault");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    const struct {
        const char* dataTag;
        bool noIsDefault;
        QMessageBox::StandardButton defaultButton;
    } rows[] = {
        {"no is default", true, QMessageBox::No},
        {"yes is default", false, QMessageBox::Yes},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.noIsDefault << row.defaultButton;
}

void SmallWindowsTest::askYesNoDefaults() {
    QFETCH(bool, noIsDefault);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    SeenBox seen;
    InspectNextBox(&seen, QMessageBox::Yes);
    const QString text = QStringLiteral("数式を保存していません。\n終了しますか？");
    QVERIFY(CurrentDialogs().AskYesNo(nullptr, text, noIsDefault));
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.caption, QStringLiteral("Tessarin"));
    QCOMPARE(seen.defaultButton, ButtonText(defaultButton));
    QCOMPARE(seen.buttons.size(), 2);
}

void SmallWindowsTest::noticeShowsTextWithOk() {
    SeenBox seen;
    InspectNextBox(&seen, QMessageBox::Ok);
    CurrentDialogs().ShowNotice(nullptr, QStringLiteral("Excelを起動できません。"),
                                NoticeIcon::Error);
    QCOMPARE(seen.text, QStringLiteral("Excelを起動できません。"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QStringList{ButtonText(QMessageBox::Ok)});
}

void SmallWindowsTest::scriptedDialogsAnswerInOrder() {
    ScriptedDialogs scripted;
    QCOMPARE(&CurrentDialogs(), static_cast<Dialogs*>(&scripted));
    scripted.AnswerConfirm(false);
    scripted.AnswerSave(QStringLiteral("/tmp/x.tsf"));
    scripted.AnswerYesNo(true);
    QVERIFY(!CurrentDialogs().ConfirmAction(nullptr, QStringLiteral("a"), NoticeIcon::Question));
    FileDialogSetup setup;
    setup.title = QStringLiteral("保存");
    QCOMPARE(CurrentDialogs().SaveFileName(nullptr, setup), QStringLiteral("/tmp/x.tsf"));
    QVERIFY(CurrentDialogs().AskYesNo(nullptr, QStringLiteral("b"), true));
    QCOMPARE(scripted.Pending(), 0);
    QCOMPARE(scripted.Shown().size(), 3);
    QCOMPARE(scripted.Shown()[0].kind, ScriptedDialogs::Kind::Confirm);
    QCOMPARE(scripted.Shown()[1].setup.title, QStringLiteral("保存"));
    QVERIFY(scripted.Shown()[2].noIsDefault);
    QVERIFY(scripted.Unexpected().isEmpty());
}

void SmallWindowsTest::scriptedDialogsFailOnUnexpectedBox() {
    {
        ScriptedDialogs scripted;
        scripted.AnswerOpen(QStringLiteral("/tmp/a.tsf"));
        // A box of another kind than the queued answer is unexpected and gets No.
        QEXPECT_FAIL("", "an unscripted box fails the test", Continue);
        QVERIFY(!CurrentDialogs().AskYesNo(nullptr, QStringLiteral("終了しますか？"), true));
        QCOMPARE(scripted.Unexpected().size(), 1);
        QVERIFY(scripted.Unexpected()[0].contains(QStringLiteral("終了しますか？")));
        QCOMPARE(scripted.Pending(), 1);
    }
    // Leaving the scope restores the real dialogs.
    QVERIFY(dynamic_cast<ScriptedDialogs*>(&CurrentDialogs()) == nullptr);
}

void SmallWindowsTest::stayOnTopKeepsPlaceAndVisibility_data() {
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("onTop");
    const struct {
        const char* dataTag;
        bool visible;
        bool onTop;
    } rows[] = {
        {"visible, onto the top", true, true},
        {"visible, off the top", true, false},
        {"hidden, onto the top", false, true},
        {"hidden, off the top", false, false},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.visible << row.onTop;
}

void SmallWindowsTest::stayOnTopKeepsPlaceAndVisibility() {
    QFETCH(bool, visible);
    QFETCH(bool, onTop);
    QWidget window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, !onTop);
    window.setGeometry(120, 90, 400, 250);
    if (visible) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    const QRect before = window.geometry();
    ApplyStayOnTop(&window, onTop);
    QCOMPARE(IsStayOnTop(&window), onTop);
    QCOMPARE(window.isVisible(), visible);
    QCOMPARE(window.geometry(), before);
    // Applying the same layer again changes nothing.
    ApplyStayOnTop(&window, onTop);
    QCOMPARE(IsStayOnTop(&window), onTop);
    QCOMPARE(window.isVisible(), visible);
}

void SmallWindowsTest::splashShowsOnTopWithTimer() {
    TestProgramObjects objects;
    QMainWindow mainWindow;
    mainWindow.setGeometry(200, 100, 740, 500);
    TFMlogo splash(objects.record, &mainWindow);
    QCOMPARE(FindPart<QTimer>(&splash, "TMtimer")->interval(), 1000);
    QVERIFY(!FindPart<QTimer>(&splash, "TMtimer")->isActive());
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));

    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(FindPart<QLabel>(&splash, "IMlogo")->pixmap().size(), QSize(300, 150));
    QVERIFY(IsStayOnTop(&splash));
    QVERIFY(FindPart<QTimer>(&splash, "TMtimer")->isActive());
    QCOMPARE(splash.size(), QSize(300, 150));
    QCOMPARE(splash.geometry().center(), mainWindow.frameGeometry().center());
    QSignalSpy finished(&splash, &TFMlogo::finished);
    QVERIFY(finished.wait(5000));
}

void SmallWindowsTest::splashTimerAppliesStayOnTop_data() {
    QTest::addColumn<int>("tmost");
    QTest::addColumn<bool>("mainOnTopBefore");
    QTest::addColumn<bool>("expected");
    const struct {
        const char* dataTag;
        int tmost;
        bool mainOnTopBefore;
        bool expected;
    } rows[] = {
        {"TMOST 1 puts the main window on top", 1, false, true},
        {"TMOST 0 takes it off the top", 0, true, false},
        {"TMOST 0 leaves a normal window normal", 0, false, false},
        {"any non-zero TMOST is on", 5, false, true},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.tmost << row.mainOnTopBefore << row.expected;
}

void SmallWindowsTest::splashTimerAppliesStayOnTop() {
    QFETCH(int, tmost);
    QFETCH(bool, mainOnTopBefore);
    QFETCH(bool, expected);
    TestProgramObjects objects;
    objects.record.TMOST = tmost;
    QMainWindow mainWindow;
    mainWindow.setWindowFlag(Qt::WindowStaysOnTopHint, mainOnTopBefore);
    mainWindow.setGeometry(150, 120, 600, 400);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    TFMlogo splash(objects.record, &mainWindow);
    splash.show();
    QVERIFY(FindPart<QTimer>(&splash, "TMtimer")->isActive());

    QSignalSpy finished(&splash, &TFMlogo::finished);
    QVERIFY(finished.wait(5000));
    QVERIFY(!splash.isVisible());
    QVERIFY(!FindPart<QTimer>(&splash, "TMtimer")->isActive());
    QCOMPARE(IsStayOnTop(&mainWindow), expected);
    QVERIFY(mainWindow.isVisible());
    QCOMPARE(mainWindow.geometry(), QRect(150, 120, 600, 400));
}

void SmallWindowsTest::splashEndsByItself() {
    TestProgramObjects objects;
    objects.record.TMOST = 1;
    QMainWindow mainWindow;
    mainWindow.show();
    TFMlogo splash(objects.record, &mainWindow);
    splash.show();
    QVERIFY(splash.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 5000);
    QVERIFY(!FindPart<QTimer>(&splash, "TMtimer")->isActive());
    QVERIFY(IsStayOnTop(&mainWindow));
}

void SmallWindowsTest::versionWindowShowsRunRecord() {
    TestProgramObjects objects;
    objects.record.COMPUTER = "calc-host-01";
    objects.record.USER = "山田 太郎";
    QMainWindow mainWindow;
    mainWindow.setGeometry(100, 100, 740, 500);
    TFMver version(objects.record, &mainWindow);
    QCOMPARE(version.windowTitle(), QStringLiteral(" バージョン情報"));
    QCOMPARE(version.size(), QSize(365, 85));
    QVERIFY(FindPart<QLabel>(&version, "LLver")->text().contains(QStringLiteral("Tessarin")));
    QVERIFY(FindPart<QLabel>(&version, "LLver")->text().contains(QStringLiteral("1.25")));
    QVERIFY(FindPart<QLabel>(&version, "LLver")->font().bold());
    QCOMPARE(FindPart<QLabel>(&version, "LLcomputer")->text(), QStringLiteral("Computer"));
    QCOMPARE(FindPart<QLabel>(&version, "LLuser")->text(), QStringLiteral("User"));

    version.show();
    QVERIFY(QTest::qWaitForWindowExposed(&version));
    QCOMPARE(FindPart<QLabel>(&version, "IMicon")->pixmap().deviceIndependentSize(),
             QSizeF(32, 32));
    QCOMPARE(FindPart<QLabel>(&version, "LLcomputername")->text(), QStringLiteral("calc-host-01"));
    QCOMPARE(FindPart<QLabel>(&version, "LLusername")->text(), QStringLiteral("山田 太郎"));
    QCOMPARE(version.focusWidget(), FindPart<QPushButton>(&version, "BTok"));
    // Centred, give or take the window frame.
    QVERIFY((version.frameGeometry().center() - mainWindow.frameGeometry().center())
                .manhattanLength() <= 8);
    FindPart<QPushButton>(&version, "BTok")->click();
    QVERIFY(!version.isVisible());

    // Every opening shows the record as it is.
    objects.record.USER = "suzuki";
    version.show();
    QCOMPARE(FindPart<QLabel>(&version, "LLusername")->text(), QStringLiteral("suzuki"));
    QCOMPARE(FindPart<QLabel>(&version, "LLcomputername")->text(), QStringLiteral("calc-host-01"));
    version.hide();
}

// "Version 1.25" and the other captions show whole at any desktop font size.
void SmallWindowsTest::versionWindowFitsTheDesktopFont() {
    AtDesktopFontSizes({0, 16, 20}, [&](int points) {
        TestProgramObjects objects;
        TFMver version(objects.record);
        version.show();
        for (QLabel* label :
             {FindPart<QLabel>(&version, "LLver"), FindPart<QLabel>(&version, "LLcomputer"),
              FindPart<QLabel>(&version, "LLuser")}) {
            const QString name = label->objectName() + u' ' + QString::number(points);
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
            QVERIFY2(label->geometry().bottom() < version.height(), qPrintable(name));
        }
    });
}

void SmallWindowsTest::versionWindowClosesByOkAndKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    const struct {
        const char* dataTag;
        int key;
        int result;
    } rows[] = {
        {"Enter", int(Qt::Key_Return), int(QDialog::Accepted)},
        {"Escape", int(Qt::Key_Escape), int(QDialog::Rejected)},
        {"OK button", 0, int(QDialog::Accepted)},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.key << row.result;
}

void SmallWindowsTest::versionWindowClosesByOkAndKeys() {
    QFETCH(int, key);
    QFETCH(int, result);
    TestProgramObjects objects;
    TFMver version(objects.record);
    QTimer::singleShot(0, [&version, key] {
        if (key == 0) {
            QTest::mouseClick(FindPart<QPushButton>(&version, "BTok"), Qt::LeftButton);
        } else {
            QTest::keyClick(version.focusWidget() ? version.focusWidget() : &version, Qt::Key(key));
        }
    });
    QTimer::singleShot(3000, &version, [&version] { version.done(-1); });
    // A box that ignored the key would be ended by the timer with -1.
    QCOMPARE(version.exec(), result);
    QVERIFY(!version.isVisible());
}

void SmallWindowsTest::toolIconsAreDrawnAndDistinct() {
    QVERIFY(ToolIconPicture(ToolIcon::None).isNull());
    for (const int size : {16, 24}) {
        QList<QImage> images;
        for (const ToolIcon icon : kAllToolIcons) {
            const QImage image = ToolIconPixmap(icon, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // A recognisable picture covers a fair part of its square.
            QVERIFY2(OpaquePixels(image) > size * size / 5,
                     qPrintable(QStringLiteral("icon %1 at %2 px").arg(int(icon)).arg(size)));
            for (const QImage& other : images)
                QVERIFY(image != other);
            images << image;
        }
    }
    const QIcon icon = ToolIconPicture(ToolIcon::Save);
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(icon.availableSizes().contains(QSize(24, 24)));
}

void SmallWindowsTest::logoAndProgramIconSizes() {
    const QImage logo = TessarinLogo().toImage();
    QCOMPARE(logo.size(), QSize(300, 150));
    QCOMPARE(OpaquePixels(logo), 300 * 150);
    for (const int size : {32, 256}) {
        const QImage icon = ProgramIconPixmap(size).toImage();
        QCOMPARE(icon.size(), QSize(size, size));
        // Transparent corners around the rounded body, solid in the middle.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }
    // A size the icon does not list is still drawn sharp when a desktop asks for it.
    QCOMPARE(ProgramIcon().pixmap(QSize(256, 256)).size(), QSize(256, 256));
}

void SmallWindowsTest::helpWindowReadsBothEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("body");
    const struct {
        const char* dataTag;
        QByteArray bytes;
        const char* body;
    } rows[] = {
        {"CP932", QByteArray("# Help\r\n\r\n\x90\x94\x8E\xAE\r\n"), "数式"},
        {"UTF-8 with mark",
         QByteArray("\xEF\xBB\xBF# Help\n\n\xE6\x95\xB0\xE5\xBC\x8F \xE3\x80\x9C\n"), "数式 〜"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.bytes << row.body;
}

void SmallWindowsTest::helpWindowReadsBothEncodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, body);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("TSRN.HLP"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    HelpWindow help;
    QVERIFY(help.LoadHelpFile(path));
    const QTextDocument* document = help.browser->document();
    QCOMPARE(document->firstBlock().text(), QStringLiteral("Help"));
    QCOMPARE(document->firstBlock().blockFormat().headingLevel(), 1);
    QVERIFY2(document->toPlainText().contains(body), qPrintable(document->toPlainText()));
}

void SmallWindowsTest::helpWindowReportsMissingFile() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("TSRN.HLP"));
    HelpWindow help;
    QCOMPARE(help.windowTitle(), QStringLiteral("Tessarin ヘルプ"));
    QVERIFY(!help.LoadHelpFile(path));
    QVERIFY(help.browser->toPlainText().contains(path));
}

void SmallWindowsTest::shippedHelpDocumentReads() {
    const QString path = QStringLiteral(TESSARIN_SOURCE_DIR "/resources/TSRN.HLP");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Stored as UTF-8 with the mark, so the file codec does not read it as CP932.
    QVERIFY(file.read(3) == QByteArray("\xEF\xBB\xBF"));
    HelpWindow help;
    QVERIFY(help.LoadHelpFile(path));
    const QTextDocument* document = help.browser->document();
    QCOMPARE(document->firstBlock().text(), QStringLiteral("Tessarin ヘルプ"));
    // What a reader copies is what the program takes: options and formulas as typed.
    help.browser->selectAll();
    help.browser->copy();
    const QString text = QGuiApplication::clipboard()->text();
    for (const char* topic : {"A0", "A99", "2^3^2", "SQRT", "--eval", "--sheet", "*.tsf",
                              "Ctrl+Space", "Shift+Space", "Esc", "constant.clc", "TSRN.sts"}) {
        QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
    }
}

void SmallWindowsTest::helpPageHasMarginAndFullTableBorders() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("TSRN.HLP"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("| a | b |\n|---|---|\n| 1 | 2 |\n");
    file.close();
    HelpWindow help;
    QVERIFY(help.LoadHelpFile(path));
    help.resize(400, 300);
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    const QImage page = help.browser->viewport()->grab().toImage();

    // The table is the box around everything drawn; each of its four edges is a rule.
    const auto isInk = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 230; };
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (isInk(x, y)) box |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(box.width() > 20 && box.height() > 20);
    const auto inkAlong = [&](QPoint from, QPoint step, int length) {
        int ink = 0;
        for (int i = 0; i < length; ++i)
            ink += isInk(from.x() + i * step.x(), from.y() + i * step.y());
        return ink * 100 / length;
    };
    QCOMPARE(inkAlong(box.topLeft(), {1, 0}, box.width()), 100);
    QCOMPARE(inkAlong(box.bottomLeft(), {1, 0}, box.width()), 100);
    QCOMPARE(inkAlong(box.topLeft(), {0, 1}, box.height()), 100);
    QCOMPARE(inkAlong(box.topRight(), {0, 1}, box.height()), 100);
    // The page keeps a margin around it.
    QVERIFY2(box.left() >= 10 && box.top() >= 10,
             qPrintable(QStringLiteral("%1, %2").arg(box.left()).arg(box.top())));
}

QTEST_MAIN(SmallWindowsTest)
#include "tst_small_windows.moc"
