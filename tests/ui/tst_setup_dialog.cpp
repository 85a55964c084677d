#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include "desktop/window_layer.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "tests/support/test_program_objects.h"
#include "tests/ui/desktop_font_sizes.h"
#include "tests/ui/window_parts.h"
#include "ui/tfmsetup.h"
#include "ui/window_settings.h"

namespace {

// The dialog over a main window of its own; the window system is said to show translucency.
struct SetupHost {
    explicit SetupHost(TestProgramObjects& objects)
        : dialog(objects.record, objects.calc, &mainWindow) {
        mainWindow.setGeometry(50, 50, 600, 400);
        dialog.transparencyAvailable = [] { return true; };
    }
    ~SetupHost() { dialog.hide(); }

    int Opacity() const { return qRound(mainWindow.windowOpacity() * 255); }

    QWidget mainWindow;
    TFMsetup dialog;
};

void TypeInto(QWidget* field, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text, {});
}

}  // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showLoadsSettings();
    void okStoresControls();
    void exportBits_data();
    void exportBits();
    void digitFieldsStoredAsNumbers_data();
    void digitFieldsStoredAsNumbers();
    void commaFieldKeys_data();
    void commaFieldKeys();
    void hexDigitsFieldKeys_data();
    void hexDigitsFieldKeys();
    void inputMethodCommitsFollowKeyRules_data();
    void inputMethodCommitsFollowKeyRules();
    void constantsEditedOnlyByOk_data();
    void constantsEditedOnlyByOk();
    void transparencyLevelKeptInRange_data();
    void transparencyLevelKeptInRange();
    void trackBarPreviewsAndNgRestores();
    void withoutTransparencyTrackBarIsFixed();
    void opacityOfLevels_data();
    void opacityOfLevels();
    void modalRunClosesByButtons();
    void captionsFitTheirControls();
};

void SetupDialogTest::showLoadsSettings() {
    TestProgramObjects objects;
    ExecuteParameter& record = objects.record;
    record.FLASH = 0;
    record.ASK = 5;
    record.RTIME = 0;
    record.RKAKKO = 1;
    record.RSUM = 0;
    record.ECELL = "C3";
    record.EOUT = 5;
    record.COMMA = 4;
    record.HSIZE = 12;
    record.DEGREE = 0;
    record.TRANS = 4;
    record.TMOST = 1;
    SetupHost host(objects);
    host.dialog.show();
    TFMsetup& d = host.dialog;
    QCOMPARE(d.windowTitle(), QStringLiteral(" 設定"));
    QVERIFY(!FindPart<QCheckBox>(&d, "CHflash")->isChecked());
    QVERIFY(FindPart<QCheckBox>(&d, "CHask")->isChecked());
    QVERIFY(!FindPart<QCheckBox>(&d, "CHrtime")->isChecked());
    QVERIFY(FindPart<QCheckBox>(&d, "CHrkakko")->isChecked());
    QVERIFY(!FindPart<QRadioButton>(&d, "RBall")->isChecked() &&
            FindPart<QRadioButton>(&d, "RBsel")->isChecked());
    QCOMPARE(FindPart<QLineEdit>(&d, "EDexpcell")->text(), QStringLiteral("C3"));
    QVERIFY(FindPart<QCheckBox>(&d, "CHexpnum")->isChecked() &&
            !FindPart<QCheckBox>(&d, "CHexpval")->isChecked() &&
            FindPart<QCheckBox>(&d, "CHexpexp")->isChecked());
    QCOMPARE(FindPart<QLineEdit>(&d, "EDketa10")->text(), QStringLiteral("4"));
    QCOMPARE(FindPart<QLineEdit>(&d, "EDketa16")->text(), QStringLiteral("12"));
    QVERIFY(!FindPart<QRadioButton>(&d, "RBdegree")->isChecked() &&
            FindPart<QRadioButton>(&d, "RBrad")->isChecked());
    QCOMPARE(FindPart<TrackBar>(&d, "TBtrans")->value(), 4);
    QVERIFY(FindPart<TrackBar>(&d, "TBtrans")->isEnabled());
    QVERIFY(FindPart<QCheckBox>(&d, "CHtmost")->isChecked());
    QCOMPARE(FindPart<QPlainTextEdit>(&d, "MMsiki")->toPlainText(),
             QStringLiteral("PI=3.1415926535897932384626433832795\nC=299792.5E+3\n"));
    QCOMPARE(d.focusWidget(), FindPart<QPushButton>(&d, "BTok"));
    QCOMPARE(d.geometry().center(), host.mainWindow.frameGeometry().center());
}

void SetupDialogTest::okStoresControls() {
    TestProgramObjects objects;
    SetupHost host(objects);
    TFMsetup& d = host.dialog;
    d.show();
    FindPart<QCheckBox>(&d, "CHflash")->setChecked(false);
    FindPart<QCheckBox>(&d, "CHask")->setChecked(false);
    FindPart<QCheckBox>(&d, "CHrtime")->setChecked(false);
    FindPart<QCheckBox>(&d, "CHrkakko")->setChecked(false);
    FindPart<QRadioButton>(&d, "RBsel")->setChecked(true);
    FindPart<QLineEdit>(&d, "EDexpcell")->setText("not a cell");
    FindPart<QLineEdit>(&d, "EDketa10")->setText("0");
    FindPart<QLineEdit>(&d, "EDketa16")->setText("16");
    FindPart<QRadioButton>(&d, "RBrad")->setChecked(true);
    FindPart<TrackBar>(&d, "TBtrans")->setValue(7);
    FindPart<QCheckBox>(&d, "CHtmost")->setChecked(true);
    objects.calc.Degree = 1;

    FindPart<QPushButton>(&d, "BTok")->click();

    const ExecuteParameter& record = objects.record;
    QCOMPARE(record.FLASH + record.ASK + record.RTIME + record.RKAKKO + record.RSUM, 0);
    QCOMPARE(record.ECELL, std::string("not a cell"));
    QCOMPARE(record.COMMA, 0);
    QCOMPARE(record.HSIZE, 16);
    QCOMPARE(record.DEGREE, 0);
    QCOMPARE(objects.calc.Degree, 0);
    QCOMPARE(record.TRANS, 7);
    QCOMPARE(record.TMOST, 1);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.isVisible());
}

void SetupDialogTest::exportBits_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QList<bool>>("boxes");  // number, result, formula; empty: left as shown
    QTest::addColumn<int>("expected");
    const struct {
        const char* dataTag;
        int stored;
        QList<bool> boxes;
        int expected;
    } rows[] = {
        {"all three kept", 7, QList<bool>{}, 7},
        {"all cleared", 7, QList<bool>{false, false, false}, 0},
        {"result only", 0, QList<bool>{false, true, false}, 2},
        {"bits above 4 lost", 0x7D, QList<bool>{}, 5},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.stored << row.boxes << row.expected;
}

void SetupDialogTest::exportBits() {
    QFETCH(int, stored);
    QFETCH(QList<bool>, boxes);
    QFETCH(int, expected);
    TestProgramObjects objects;
    objects.record.EOUT = stored;
    SetupHost host(objects);
    host.dialog.show();
    if (!boxes.isEmpty()) {
        FindPart<QCheckBox>(&host.dialog, "CHexpnum")->setChecked(boxes[0]);
        FindPart<QCheckBox>(&host.dialog, "CHexpval")->setChecked(boxes[1]);
        FindPart<QCheckBox>(&host.dialog, "CHexpexp")->setChecked(boxes[2]);
    }
    FindPart<QPushButton>(&host.dialog, "BTok")->click();
    QCOMPARE(objects.record.EOUT, expected);
}

void SetupDialogTest::digitFieldsStoredAsNumbers_data() {
    QTest::addColumn<QString>("comma");
    QTest::addColumn<QString>("hexDigits");
    QTest::addColumn<int>("COMMA");
    QTest::addColumn<int>("HSIZE");
    const struct {
        const char* dataTag;
        const char* comma;
        const char* hexDigits;
        int COMMA;
        int HSIZE;
    } rows[] = {
        {"empty fields", "", "", 3, 8},       {"pasted text", "x", "1a", 3, 8},
        {"no range check", "7", "61", 7, 61}, {"full-width digits", "４", "１６", 3, 8},
        {"signed", "-", "-5", 3, -5},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.comma << row.hexDigits << row.COMMA << row.HSIZE;
}

void SetupDialogTest::digitFieldsStoredAsNumbers() {
    QFETCH(QString, comma);
    QFETCH(QString, hexDigits);
    QFETCH(int, COMMA);
    QFETCH(int, HSIZE);
    TestProgramObjects objects;
    SetupHost host(objects);
    host.dialog.show();
    FindPart<QLineEdit>(&host.dialog, "EDketa10")->setText(comma);
    FindPart<QLineEdit>(&host.dialog, "EDketa16")->setText(hexDigits);
    FindPart<QPushButton>(&host.dialog, "BTok")->click();
    QCOMPARE(objects.record.COMMA, COMMA);
    QCOMPARE(objects.record.HSIZE, HSIZE);
}

void SetupDialogTest::commaFieldKeys_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    const struct {
        const char* dataTag;
        const char* before;
        const char* typed;
        const char* after;
    } rows[] = {
        {"5 refused", "", "5", ""},         {"0 taken", "", "0", "0"},
        {"3 taken", "", "3", "3"},          {"4 taken", "", "4", "4"},
        {"letter refused", "", "a", ""},    {"full-width 3 refused", "", "３", ""},
        {"Backspace works", "3", "\b", ""}, {"one character at most", "3", "4", "3"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.before << row.typed << row.after;
}

void SetupDialogTest::commaFieldKeys() {
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    TestProgramObjects objects;
    SetupHost host(objects);
    host.dialog.show();
    QLineEdit* field = FindPart<QLineEdit>(&host.dialog, "EDketa10");
    field->setText(before);
    field->setCursorPosition(before.size());
    if (typed == QLatin1String("\b")) {
        QTest::keyClick(field, Qt::Key_Backspace);
    } else {
        TypeInto(field, typed);
    }
    QCOMPARE(field->text(), after);
}

void SetupDialogTest::hexDigitsFieldKeys_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");  // -1: the whole text selected
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    const struct {
        const char* dataTag;
        const char* before;
        int caret;
        const char* typed;
        const char* after;
    } rows[] = {
        {"1 then 6 gives 16", "1", 1, "6", "16"},
        {"1 then 7 refused", "1", 1, "7", "1"},
        {"empty refuses 0", "", 0, "0", ""},
        {"empty takes 9", "", 0, "9", "9"},
        {"selected 8 refuses 1", "8", -1, "1", "8"},
        {"candidate appends at the end", "1", 0, "6", "61"},
        {"blank refused", "1", 1, " ", "1"},
        {"full-width digit refused", "", 0, "５", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.before << row.caret << row.typed << row.after;
}

void SetupDialogTest::hexDigitsFieldKeys() {
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    TestProgramObjects objects;
    SetupHost host(objects);
    host.dialog.show();
    QLineEdit* field = FindPart<QLineEdit>(&host.dialog, "EDketa16");
    field->setText(before);
    if (caret < 0) {
        field->selectAll();
    } else {
        field->setCursorPosition(caret);
    }
    TypeInto(field, typed);
    QCOMPARE(field->text(), after);
}

void SetupDialogTest::inputMethodCommitsFollowKeyRules_data() {
    QTest::addColumn<bool>("hex");  // EDketa16, else EDketa10
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("after");
    const struct {
        const char* dataTag;
        bool hex;
        const char* before;
        const char* committed;
        const char* after;
    } rows[] = {
        {"comma takes 4", false, "", "4", "4"},
        {"comma refuses full-width 4", false, "", "４", ""},
        {"digits take 6 after 1", true, "1", "6", "16"},
        {"digits refuse 0 when empty", true, "", "0", ""},
        {"digits refuse 7 after 1", true, "1", "7", "1"},
        {"digits refuse two at once", true, "", "12", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.hex << row.before << row.committed << row.after;
}

void SetupDialogTest::inputMethodCommitsFollowKeyRules() {
    QFETCH(bool, hex);
    QFETCH(QString, before);
    QFETCH(QString, committed);
    QFETCH(QString, after);
    TestProgramObjects objects;
    SetupHost host(objects);
    host.dialog.show();
    QLineEdit* field = hex ? FindPart<QLineEdit>(&host.dialog, "EDketa16")
                           : FindPart<QLineEdit>(&host.dialog, "EDketa10");
    field->setText(before);
    field->setCursorPosition(before.size());
    QInputMethodEvent commit;
    commit.setCommitString(committed);
    QApplication::sendEvent(field, &commit);
    QCOMPARE(field->text(), after);
}

void SetupDialogTest::constantsEditedOnlyByOk_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<std::vector<std::string>>("constants");

    const std::vector<std::string> unchanged = {"PI=3.1415926535897932384626433832795",
                                                "C=299792.5E+3"};
    QTest::newRow("edited, OK") << "PI=3.14\nC=3E8\n"
                                << true << std::vector<std::string>{"PI=3.14", "C=3E8"};
    QTest::newRow("edited, NG") << "PI=3.14\n" << false << unchanged;
    QTest::newRow("last line without a break")
        << "A=1\n B = 2" << true << std::vector<std::string>{"A=1", " B = 2"};
    QTest::newRow("empty lines left out") << "\nA=1\n\n" << true << std::vector<std::string>{"A=1"};
    QTest::newRow("full-width value folded")
        << QStringLiteral("KK=１２\n") << true << std::vector<std::string>{"KK=12"};
    QTest::newRow("memo emptied") << "" << true << std::vector<std::string>{};
}

void SetupDialogTest::constantsEditedOnlyByOk() {
    QFETCH(QString, memo);
    QFETCH(bool, ok);
    QFETCH(std::vector<std::string>, constants);
    TestProgramObjects objects;
    SetupHost host(objects);
    host.dialog.show();
    FindPart<QPlainTextEdit>(&host.dialog, "MMsiki")->setPlainText(memo);
    if (ok) {
        FindPart<QPushButton>(&host.dialog, "BTok")->click();
    } else {
        FindPart<QPushButton>(&host.dialog, "BTng")->click();
    }
    QCOMPARE(objects.calc.Constants, constants);

    // Shown again, the memo gives back exactly the stored lines.
    host.dialog.show();
    FindPart<QPushButton>(&host.dialog, "BTok")->click();
    QCOMPARE(objects.calc.Constants, constants);
}

void SetupDialogTest::transparencyLevelKeptInRange_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    const struct {
        const char* dataTag;
        int stored;
        int shown;
    } rows[] = {
        {"12 shown as 10", 12, 10},
        {"negative shown as 0", -3, 0},
        {"in range", 6, 6},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.stored << row.shown;
}

void SetupDialogTest::transparencyLevelKeptInRange() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    TestProgramObjects objects;
    objects.record.TRANS = stored;
    SetupHost host(objects);
    host.dialog.show();
    QCOMPARE(FindPart<TrackBar>(&host.dialog, "TBtrans")->value(), shown);
    QCOMPARE(FindPart<TrackBar>(&host.dialog, "TBtrans")->SelStart(), shown);
    QCOMPARE(host.Opacity(), OpacityOfLevel(shown));
    FindPart<QPushButton>(&host.dialog, "BTok")->click();
    QCOMPARE(objects.record.TRANS, shown);
}

void SetupDialogTest::trackBarPreviewsAndNgRestores() {
    TestProgramObjects objects;
    objects.record.TRANS = 2;
    SetupHost host(objects);
    ApplyWindowSettings(&host.mainWindow, objects.record);
    QCOMPARE(host.Opacity(), 221);
    host.dialog.show();

    QTest::keyClick(FindPart<TrackBar>(&host.dialog, "TBtrans"), Qt::Key_Right);
    QCOMPARE(FindPart<TrackBar>(&host.dialog, "TBtrans")->value(), 3);
    QCOMPARE(FindPart<TrackBar>(&host.dialog, "TBtrans")->SelStart(), 3);
    QCOMPARE(host.Opacity(), 204);
    FindPart<TrackBar>(&host.dialog, "TBtrans")->setValue(0);
    QCOMPARE(host.mainWindow.windowOpacity(), 1.0);
    FindPart<TrackBar>(&host.dialog, "TBtrans")->setValue(10);
    QCOMPARE(host.Opacity(), 85);

    FindPart<QCheckBox>(&host.dialog, "CHtmost")->setChecked(true);
    FindPart<QPushButton>(&host.dialog, "BTng")->click();
    QCOMPARE(objects.record.TRANS, 2);
    ApplyWindowSettings(&host.mainWindow, objects.record);
    QCOMPARE(host.Opacity(), 221);
    QVERIFY(!IsStayOnTop(&host.mainWindow));

    objects.record.TMOST = 1;
    ApplyWindowSettings(&host.mainWindow, objects.record);
    QVERIFY(IsStayOnTop(&host.mainWindow));
    QCOMPARE(host.mainWindow.geometry(), QRect(50, 50, 600, 400));
}

void SetupDialogTest::withoutTransparencyTrackBarIsFixed() {
    TestProgramObjects objects;
    objects.record.TRANS = 4;
    SetupHost host(objects);
    host.dialog.transparencyAvailable = [] { return false; };
    host.dialog.show();
    QVERIFY(!FindPart<TrackBar>(&host.dialog, "TBtrans")->isEnabled());
    QVERIFY(!FindPart<TrackBar>(&host.dialog, "TBtrans")->SliderVisible());
    QCOMPARE(FindPart<TrackBar>(&host.dialog, "TBtrans")->value(), 4);
    FindPart<QPushButton>(&host.dialog, "BTok")->click();
    QCOMPARE(objects.record.TRANS, 4);
}

void SetupDialogTest::opacityOfLevels_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("opacity");
    const struct {
        const char* dataTag;
        int level;
        int opacity;
    } rows[] = {
        {"opaque", 0, 255},          {"one step", 1, 238},         {"most transparent", 10, 85},
        {"above the range", 40, 85}, {"below the range", -2, 255},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.level << row.opacity;
}

void SetupDialogTest::opacityOfLevels() {
    QFETCH(int, level);
    QFETCH(int, opacity);
    QCOMPARE(OpacityOfLevel(level), opacity);
    QWidget window;
    ApplyTransparency(&window, level);
    QCOMPARE(qRound(window.windowOpacity() * 255), opacity);
}

void SetupDialogTest::modalRunClosesByButtons() {
    TestProgramObjects objects;
    SetupHost host(objects);
    QWidget* focused = nullptr;
    QTimer::singleShot(0, &host.dialog, [&] {
        focused = host.dialog.focusWidget();
        FindPart<QCheckBox>(&host.dialog, "CHask")->setChecked(false);
        FindPart<QPushButton>(&host.dialog, "BTok")->click();
    });
    QCOMPARE(host.dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(focused, FindPart<QPushButton>(&host.dialog, "BTok"));
    QCOMPARE(objects.record.ASK, 0);

    QTimer::singleShot(0, &host.dialog, [&] {
        FindPart<QCheckBox>(&host.dialog, "CHask")->setChecked(true);
        QTest::keyClick(FindPart<QPushButton>(&host.dialog, "BTng"), Qt::Key_Escape);
    });
    QCOMPARE(host.dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(objects.record.ASK, 0);
}

// At the desktop's font size, every caption shows whole inside its control, no two controls
// overlap, the constant memo keeps its lines, and the dialog fits the screen with OK and NG within
// reach.
void SetupDialogTest::captionsFitTheirControls() {
    AtDesktopFontSizes({0, 14, 16}, [&](int points) {
        TestProgramObjects objects;
        SetupHost host(objects);
        TFMsetup& d = host.dialog;
        d.show();
        const QByteArray size = QByteArray::number(points);
        QCOMPARE(d.font().pointSize(), QApplication::font().pointSize());
        QVERIFY2(d.screen()->availableGeometry().size().boundedTo(d.size()) == d.size(), size);
        auto* scroller = d.findChild<QScrollArea*>();
        QWidget* content = scroller->widget();
        QVERIFY2(content->width() >= content->minimumSizeHint().width(), size);
        QVERIFY2(content->height() >= content->minimumSizeHint().height(), size);
        // However large the font, the constant memo shows as many lines as at the usual one.
        QVERIFY2(FindPart<QPlainTextEdit>(&d, "MMsiki")->viewport()->height() >=
                     TFMsetup::kMemoLines *
                         FindPart<QPlainTextEdit>(&d, "MMsiki")->fontMetrics().lineSpacing(),
                 size);
        for (QPushButton* button :
             {FindPart<QPushButton>(&d, "BTok"), FindPart<QPushButton>(&d, "BTng")}) {
            scroller->ensureWidgetVisible(button);
            QVERIFY2(!button->visibleRegion().isEmpty(), size);
        }

        QList<QWidget*> controls;
        for (QWidget* child : content->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child) ||
                qobject_cast<QLineEdit*>(child) || child == FindPart<TrackBar>(&d, "TBtrans") ||
                child == FindPart<QPlainTextEdit>(&d, "MMsiki"))
                controls << child;
        }
        QCOMPARE(controls.size(), 27);
        for (QWidget* control : controls) {
            const QString name = control->objectName() + u' ' + QString::fromLatin1(size);
            const QRect place(control->mapTo(content, QPoint(0, 0)), control->size());
            QVERIFY2(content->rect().contains(place), qPrintable(name));
            if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)) {
                QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
            }
            for (QWidget* other : controls) {
                const QRect otherPlace(other->mapTo(content, QPoint(0, 0)), other->size());
                QVERIFY2(other == control || !place.intersects(otherPlace),
                         qPrintable(name + " / " + other->objectName()));
            }
        }
        for (QGroupBox* group : d.findChildren<QGroupBox*>()) {
            const QFontMetrics metrics(group->font());
            QVERIFY2(metrics.horizontalAdvance(group->title()) < group->width() - 16,
                     qPrintable(group->objectName()));
        }
    });
}

QTEST_MAIN(SetupDialogTest)
#include "tst_setup_dialog.moc"
