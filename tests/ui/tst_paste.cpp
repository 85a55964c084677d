// Pasting and dropping into the input line: every way in keeps line breaks out of the
// formulas, and a column of lines fills the lines below the current one.

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include "tests/ui/main_window_fixture.h"

namespace {

enum class Route { Keys, Menu, Selection, Drop };

// The sheet's formulas that are not empty, as "line=formula" joined by "|".
QString Formulas(MainWindowFixture& f) {
    QStringList lines;
    for (int line = 0; line < 100; ++line) {
        if (!f.Formula(line).empty())
            lines << QStringLiteral("%1=%2").arg(line).arg(QString::fromStdString(f.Formula(line)));
    }
    return lines.join(QLatin1Char('|'));
}

void Paste(MainWindowFixture& f, Route route, const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    QLineEdit* input = f.Input();
    switch (route) {
        case Route::Keys:
            clipboard->setText(text);
            QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
            break;
        case Route::Menu: {
            clipboard->setText(text);
            QTimer::singleShot(0, input, [] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu);
                for (QAction* action : menu->actions()) {
                    if (action->text().contains(QStringLiteral("Paste"))) action->trigger();
                }
                menu->close();
            });
            const QPoint at = input->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, input->mapToGlobal(at));
            QApplication::sendEvent(input, &event);
            break;
        }
        case Route::Selection: {
            clipboard->setText(text, QClipboard::Selection);
            const QPoint end(input->width() - 4, input->height() / 2);
            QTest::mouseClick(input, Qt::MiddleButton, Qt::NoModifier, end);
            break;
        }
        case Route::Drop: {
            QMimeData data;
            data.setText(text);
            const QPoint end(input->width() - 4, input->height() / 2);
            QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(input, &enter);
            QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(input, &drop);
            break;
        }
    }
}

}  // namespace

Q_DECLARE_METATYPE(Route)

class PasteTest : public QObject {
    Q_OBJECT

private slots:
    void everyRouteFillsLines_data();
    void everyRouteFillsLines();
    void fill_data();
    void fill();
    void longLinesTakenWhole();
    void tooLongLineRefused();
};

void PasteTest::everyRouteFillsLines_data() {
    QTest::addColumn<Route>("route");
    const struct {
        const char* dataTag;
        Route route;
    } rows[] = {
        {"Ctrl+V", Route::Keys},
        {"context menu", Route::Menu},
        {"X11 selection", Route::Selection},
        {"drop", Route::Drop},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.route;
}

void PasteTest::everyRouteFillsLines() {
    QFETCH(Route, route);
    MainWindowFixture f;
    if (route == Route::Selection && !QGuiApplication::clipboard()->supportsSelection())
        QSKIP("this platform has no selection clipboard");
    f.Enter(5, QStringLiteral("9"));
    f.Enter(4, QStringLiteral("2*"));
    f.dialogs.AnswerYesNo(true);
    Paste(f, route, QStringLiteral("3\r\nA4+1\n7\r"));
    QCOMPARE(Formulas(f), QStringLiteral("4=2*3|5=A4+1|6=7"));
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QCOMPARE(f.dialogs.Shown().front().text,
             QStringLiteral("A5～A6 の数式を置き換えます。よろしいですか？"));
    QVERIFY(f.dialogs.Shown().front().noIsDefault);
    QCOMPARE(f.Line(), 4);
    QCOMPARE(f.Input()->text(), QStringLiteral("2*3"));
    QCOMPARE(f.Result(5), std::string("7"));
    QVERIFY(f.Modified() && f.Action("MMactionsave")->isVisible());
}

void PasteTest::fill_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("before");  // formulas as Formulas() shows them; line's own last
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<int>("answer");  // -1: no question expected, 0: No, 1: Yes
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QString>("after");
    const struct {
        const char* dataTag;
        int line;
        const char* before;
        const char* pasted;
        int answer;
        const char* question;
        const char* notice;
        const char* after;
    } rows[] = {
        {"one line with its line end goes in at the caret", 2, "3=8|2=1+", "7\r\n", -1, "", "",
         "2=1+7|3=8"},
        {"empty lines below: no question", 0, "", "1\n\n2", -1, "", "", "0=1|2=2"},
        {"an empty pasted line empties its line", 0, "1=5|0=", "1\n\n", 1,
         "A1 の数式を置き換えます。よろしいですか？", "", "0=1"},
        {"No changes nothing", 0, "9=5|0=4", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10", 0,
         "A1～A9 の数式を置き換えます。よろしいですか？", "", "0=4|9=5"},
        {"lines beyond A99 are dropped with a notice", 97, "", "1\n2\n3\n4\n5", -1, "",
         "A99 を超える 2 行は貼り付けませんでした。", "97=1|98=2|99=3"},
        {"on the last line only the first line goes in", 99, "", "1\n2", -1, "",
         "A99 を超える 1 行は貼り付けませんでした。", "99=1"},
        {"exported rows give their formulas", 0, "", "A0\t3\t1+2\r\nA1\t6\tA0*2\r\n", -1, "", "",
         "0=1+2|1=A0*2"},
        {"control characters never enter", 0, "",
         "1\x01+2\x1B\n\x7F"
         "3",
         -1, "", "", "0=1+2|1=3"},
        {"full-width lines below fold as typed ones", 0, "", "1\n２＋３", -1, "", "", "0=1|1=2+3"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.line << row.before << row.pasted << row.answer
                                   << row.question << row.notice << row.after;
}

void PasteTest::fill() {
    QFETCH(int, line);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(QString, notice);
    QFETCH(QString, after);
    MainWindowFixture f;
    for (const QString& entry : before.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const int equals = static_cast<int>(entry.indexOf(QLatin1Char('=')));
        f.Go(entry.left(equals).toInt());
        f.sheet.ChangeCurrentFormula(entry.mid(equals + 1).toStdString());
    }
    f.Go(line);
    f.Input()->end(false);
    if (answer >= 0) f.dialogs.AnswerYesNo(answer == 1);
    if (!notice.isEmpty()) f.dialogs.AcknowledgeNotice();
    Paste(f, Route::Keys, pasted);
    QCOMPARE(Formulas(f), after);
    QCOMPARE(f.dialogs.Pending(), 0);
    if (answer >= 0) QCOMPARE(f.dialogs.Shown().front().text, question);
    if (!notice.isEmpty()) {
        QCOMPARE(f.dialogs.Shown().back().text, notice);
        QCOMPARE(f.dialogs.Shown().back().icon, NoticeIcon::Information);
    }
    QCOMPARE(f.Line(), line);
}

void PasteTest::longLinesTakenWhole() {
    // Beyond the typing limit, at the caret and below it, as a file gives them.
    MainWindowFixture f;
    const QString sum = QStringLiteral("1.111111111+").repeated(27) + u'1';
    const QString lines[] = {sum, u'(' + sum + QStringLiteral(")*2")};
    Paste(f, Route::Drop, lines[0] + u'\n' + lines[1]);
    QCOMPARE(QString::fromStdString(f.Formula(0)), lines[0]);
    QCOMPARE(QString::fromStdString(f.Formula(1)), lines[1]);
    QCOMPARE(f.Result(0), std::string("30.999999997"));
}

void PasteTest::tooLongLineRefused() {
    MainWindowFixture f;
    f.Enter(3, QStringLiteral("7"));
    f.dialogs.AcknowledgeNotice();
    Paste(f, Route::Keys, QStringLiteral("1\n") + QString(1'000'001, u'1'));
    QCOMPARE(Formulas(f), QStringLiteral("3=7"));
    QCOMPARE(f.dialogs.Shown().size(), 1);
    QCOMPARE(
        f.dialogs.Shown().front().text,
        QStringLiteral("A4 に貼り付ける行は 1000000 文字を超えるので、貼り付けませんでした。"));
}

QTEST_MAIN(PasteTest)
#include "tst_paste.moc"
