#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/desktop/dialogs.h"
#include "tests/ui/scripted_dialogs.h"

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
};

void SmallWindowsTest::fileFilter_data() {
    QTest::addColumn<QString>("paired");
    QTest::addColumn<QString>("qt");
    QTest::newRow("formula files")
        << QStringLiteral("数式ファイル(*.tsf)|*.tsf") << QStringLiteral("数式ファイル(*.tsf)");
    QTest::newRow("description without pattern")
        << QStringLiteral("Text|*.txt") << QStringLiteral("Text (*.txt)");
    QTest::newRow("two pairs, several patterns")
        << QStringLiteral("数式ファイル(*.tsf)|*.tsf|すべて|*.tsf;*.txt")
        << QStringLiteral("数式ファイル(*.tsf);;すべて (*.tsf *.txt)");
    QTest::newRow("already in Qt form")
        << QStringLiteral("数式ファイル(*.tsf)") << QStringLiteral("数式ファイル(*.tsf)");
    QTest::newRow("empty") << QString() << QString();
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
    QTest::newRow("no is default") << true << QMessageBox::No;
    QTest::newRow("yes is default") << false << QMessageBox::Yes;
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

QTEST_MAIN(SmallWindowsTest)
#include "tst_small_windows.moc"
