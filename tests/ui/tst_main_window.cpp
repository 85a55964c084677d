// The main window: its menus and tool buttons, layout, modes and views, the refresh, the title,
// closing and the key preview.

#include <QDesktopServices>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "desktop/window_layer.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"
#include "ui/help_window.h"
#include "ui/main_commands.h"

namespace {

// The actions of a menu or tool bar by object name, with "|" for each separator.
QStringList Names(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            names << QStringLiteral("|");
        } else if (action->menu()) {
            names << action->menu()->objectName();
        } else {
            names << action->objectName();
        }
    }
    return names;
}

// The tool bar's buttons by object name, with "|" for each separator.
QStringList ButtonNames(const QToolBar& bar) {
    QStringList names;
    for (QAction* action : bar.actions())
        names << (action->isSeparator() ? QStringLiteral("|")
                                        : bar.widgetForAction(action)->objectName());
    return names;
}

}  // namespace

// Receives the addresses the window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& url) { opened << url; }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menuOrder();
    void accessKeysDifferWithinAMenu();
    void menuAccessKeysFromTheInputLine();
    void toolButtonsAreTheMenuCommands();
    void toolBarOrder();
    void layout();
    void startState();
    void constantsOnlyAddedToEmptyList();
    void baseItemsFollowIntegerMode_data();
    void baseItemsFollowIntegerMode();
    void modeSwitchRecalculation_data();
    void modeSwitchRecalculation();
    void viewToggles_data();
    void viewToggles();
    void formulaColumnFillsGrid();
    void resultColumnGivesWay();
    void title_data();
    void title();
    void closeQuestion_data();
    void closeQuestion();
    void closeStoresBounds();
    void escapeShowsKeypad();
    void clearButtonEmptiesLine();
    void transparency_data();
    void transparency();
    void supportAddressOpens();
    void helpAndVersionWindows();
};

void MainWindowTest::menuOrder() {
    MainWindowFixture f;
    QCOMPARE(Names(f.W().menuBar()->actions()),
             QStringList({"MMaction", "MMedit", "MMmode", "MMview", "MMhelp"}));
    QCOMPARE(f.Menu("MMaction")->title(), QStringLiteral("操作(&A)"));
    QCOMPARE(f.Menu("MMactionexp")->title(), QStringLiteral("エクスポート(&E)"));
    QCOMPARE(f.Menu("MMmode")->title(), QStringLiteral("モード(&M)"));
    QCOMPARE(f.Menu("MMview")->title(), QStringLiteral("表示(&V)"));
    QCOMPARE(f.Menu("MMhelp")->title(), QStringLiteral("ヘルプ(&H)"));
    QCOMPARE(Names(f.Menu("MMaction")->actions()),
             QStringList({"MMactionnew", "MMactionload", "MMactionsave", "MMactionren", "|",
                          "MMactionrecal", "|", "MMactionexp", "|", "MMactionexit"}));
    QCOMPARE(Names(f.Menu("MMactionexp")->actions()),
             QStringList({"MMactionexpexcel", "MMactionexpclip"}));
    QCOMPARE(Names(f.Menu("MMview")->actions()),
             QStringList({"MMview10", "MMview16", "|", "MMviewtool", "MMviewfunc", "MMviewstat",
                          "|", "MMviewsetup"}));
}

// Within a menu every item has an access key of its own.
void MainWindowTest::accessKeysDifferWithinAMenu() {
    MainWindowFixture f;
    for (const QMenu* menu : f.W().findChildren<QMenu*>()) {
        QStringList keys;
        for (const QAction* action : menu->actions()) {
            const QString text = action->menu() ? action->menu()->title() : action->text();
            const qsizetype amp = text.indexOf(u'&');
            if (action->isSeparator() || amp < 0) continue;
            const QString key = text.mid(amp + 1, 1).toUpper();
            QVERIFY2(!keys.contains(key), qPrintable(menu->objectName() + u' ' + text));
            keys << key;
        }
    }
}

// Each tool button is its menu item's command: one action, so their states cannot part.
void MainWindowTest::toolButtonsAreTheMenuCommands() {
    MainWindowFixture f;
    const QList<QToolButton*> buttons = f.Part<QToolBar>("TBtool")->findChildren<QToolButton*>();
    int commands = 0;
    for (const QToolButton* button : buttons) {
        const QAction* action = button->defaultAction();
        if (!action) continue;  // the tool bar's own extension button
        ++commands;
        QVERIFY2(action->objectName().startsWith(QStringLiteral("MM")),
                 qPrintable(button->objectName()));
        QVERIFY(!action->icon().isNull());
        QVERIFY(!button->toolTip().isEmpty() && button->toolTip() == button->accessibleName());
    }
    QCOMPARE(commands, 16);
}

void MainWindowTest::toolBarOrder() {
    MainWindowFixture f;
    QCOMPARE(ButtonNames(*f.Part<QToolBar>("TBtool")), QStringList({"BTactionnew",
                                                                    "BTactionopen",
                                                                    "BTactionsave",
                                                                    "|",
                                                                    "BTactionexpexcel",
                                                                    "ToolButton1",
                                                                    "|",
                                                                    "BTmodeform",
                                                                    "BTmodecalc",
                                                                    "|",
                                                                    "BTmodereal",
                                                                    "BTmodeint",
                                                                    "|",
                                                                    "BTview10",
                                                                    "BTview16",
                                                                    "|",
                                                                    "BTviewtool",
                                                                    "BTviewfunc",
                                                                    "BTviewstat",
                                                                    "|",
                                                                    "BThelphelp",
                                                                    "BThelpwww"}));
    QCOMPARE(f.Part<QToolButton>("BTclear")->toolTip(), QStringLiteral("式の消去"));
    QCOMPARE(f.Part<QToolButton>("BTrecal")->toolTip(), QStringLiteral("式の再計算"));
}

void MainWindowTest::layout() {
    MainWindowFixture f;
    QVERIFY(f.Input()->font().bold());
    QVERIFY(!f.Input()->testAttribute(Qt::WA_InputMethodEnabled));
    QVERIFY(f.Pad()->width() >= 44);
    QCOMPARE(f.Pad()->parentWidget(), f.Part<QWidget>("PLbase"));
    QCOMPARE(f.Grid()->parentWidget(), f.Part<QWidget>("PLbase"));
    QVERIFY(f.Pad()->x() >= f.Grid()->x() + f.Grid()->width());
    // The panels hold the longest sum and average whole.
    const QString longest = QStringLiteral(" Avg. -1.2345678901E+4931");
    for (int i = 0; i < 2; ++i) {
        QVERIFY(f.StatusPanel(i)->contentsRect().width() >=
                f.StatusPanel(i)->fontMetrics().horizontalAdvance(longest));
    }
    QCOMPARE(f.Part<QWidget>("PLresult")->palette().color(QPalette::Window), QColor(49, 49, 49));

    QCOMPARE(f.Grid()->ColCount(), 3);
    QCOMPARE(f.Grid()->RowCount(), 100);
    QCOMPARE(f.Grid()->FixedCols(), 2);
    QCOMPARE(f.Grid()->FixedRows(), 0);
    QVERIFY(f.Grid()->RangeSelect());
    QCOMPARE(f.Grid()->Font().pixelHeight, 12);
    QVERIFY(f.Grid()->Font().bold);
    for (int line : {0, 9, 99}) {
        QCOMPARE(f.grid.CellAt(0, line)->text, "A" + std::to_string(line));
        QCOMPARE(f.grid.CellAt(1, line)->align, 2);
        QCOMPARE(f.grid.CellAt(2, line)->align, 0);
    }
    // Column 0 holds five characters, column 1 RWIDTH (28) of the grid font.
    const int blank = f.grid.charWidth;
    QVERIFY(blank > 0);
    QCOMPARE(f.Grid()->ColWidth(0), 5 * blank + 10);
    QCOMPARE(f.Grid()->ColWidth(1), 28 * blank + 10);
}

void MainWindowTest::startState() {
    MainWindowFixture f([](ExecuteParameter& s) { s.DEGREE = 0; });
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin"));
    QVERIFY(!f.Modified());
    QVERIFY(!f.Action("MMactionsave")->isVisible());
    QVERIFY(!f.Action("MMactionren")->isVisible());
    QCOMPARE(f.Line(), 0);
    QCOMPARE(f.Input()->text(), QString());
    QCOMPARE(f.calculator.Constants,
             std::vector<std::string>({"PI=3.1415926535897932384626433832795", "C=299792.5E+3"}));
    QCOMPARE(f.Panel(0), QStringLiteral(" Sum "));
    QCOMPARE(f.Panel(1), QStringLiteral(" Avg. "));
    QCOMPARE(f.Panel(2), QStringLiteral(" n "));
    QCOMPARE(f.Digits()->GlyphAt(0), -1);
    QCOMPARE(QApplication::focusWidget(), f.Input());
}

void MainWindowTest::constantsOnlyAddedToEmptyList() {
    MainWindowFixture f;
    const std::vector<std::string> mine = {"E=2.718281828459045"};
    f.calculator.Constants = mine;
    f.window = f.NewWindow();
    QCOMPARE(f.calculator.Constants, mine);
}

void MainWindowTest::baseItemsFollowIntegerMode_data() {
    QTest::addColumn<int>("cmode");
    QTest::addColumn<int>("vmode");
    const struct {
        const char* dataTag;
        int cmode;
        int vmode;
    } rows[] = {
        {"real, decimal", 0, 0},
        {"real, hexadecimal", 0, 1},
        {"integer, decimal", 1, 0},
        {"integer, hexadecimal", 1, 1},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.cmode << row.vmode;
}

void MainWindowTest::baseItemsFollowIntegerMode() {
    QFETCH(int, cmode);
    QFETCH(int, vmode);
    MainWindowFixture f([vmode](ExecuteParameter& s) { s.VMODE = vmode; });
    QAction* item = cmode == 1 ? f.Action("MMmodeint") : f.Action("MMmodereal");
    item->trigger();
    const bool integer = cmode == 1;
    QCOMPARE(f.settings.CMODE, cmode);
    QCOMPARE(f.Action("MMmodereal")->isChecked(), !integer);
    QCOMPARE(f.Action("MMmodeint")->isChecked(), integer);
    QCOMPARE(f.Button("BTmodereal")->isChecked(), !integer);
    QCOMPARE(f.Button("BTmodeint")->isChecked(), integer);
    QCOMPARE(f.Action("MMview10")->isVisible(), integer);
    QCOMPARE(f.Action("MMview16")->isVisible(), integer);

    QCOMPARE(f.Button("BTview10")->isEnabled(), integer);
    QCOMPARE(f.Button("BTview16")->isEnabled(), integer);
    QCOMPARE(f.Button("BTview10")->isChecked(), integer && vmode == 0);
    QCOMPARE(f.Button("BTview16")->isChecked(), integer && vmode == 1);
}

void MainWindowTest::modeSwitchRecalculation_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("recalculates");
    const struct {
        const char* dataTag;
        const char* command;
        bool recalculates;
    } rows[] = {
        {"calculator mode", "MMmodecalc", false}, {"formula mode", "MMmodeform", false},
        {"integer", "MMmodeint", true},           {"real", "MMmodereal", true},
        {"hexadecimal", "MMview16", true},        {"decimal", "MMview10", true},
        {"tool bar view", "MMviewtool", false},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.command << row.recalculates;
}

void MainWindowTest::modeSwitchRecalculation() {
    QFETCH(QString, command);
    QFETCH(bool, recalculates);
    // Without recalculation on every edit, line 1 keeps an old value until a full pass.
    MainWindowFixture f([](ExecuteParameter& s) {
        s.RTIME = 0;
        s.CMODE = 1;
    });
    f.Enter(0, QStringLiteral("1"));
    f.Enter(1, QStringLiteral("A0"));
    f.Go(0);
    f.Key(Qt::Key_Backspace);
    f.Type(QStringLiteral("2"));
    QCOMPARE(f.Result(1), std::string("1"));
    f.W().findChild<QAction*>(command)->trigger();
    QCOMPARE(f.Value(1), recalculates ? Extended(2) : Extended(1));
}

void MainWindowTest::viewToggles_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    const struct {
        const char* dataTag;
        const char* command;
        const char* item;
        const char* button;
        const char* panel;
    } rows[] = {
        {"tool bar by menu", "MMviewtool", "MMviewtool", "BTviewtool", "PLtool"},
        {"tool bar by button", "BTviewtool", "MMviewtool", "BTviewtool", "PLtool"},
        {"function pad", "BTviewfunc", "MMviewfunc", "BTviewfunc", "PLpad"},
        {"status bar", "MMviewstat", "MMviewstat", "BTviewstat", "SBstatus"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.command << row.item << row.button << row.panel;
}

void MainWindowTest::viewToggles() {
    QFETCH(QString, command);
    QFETCH(QString, item);
    QFETCH(QString, button);
    QFETCH(QString, panel);
    MainWindowFixture f;
    QAction* itemAction = f.Action(qPrintable(item));
    QToolButton* buttonWidget = f.Button(qPrintable(button));
    auto* panelWidget = f.W().findChild<QWidget*>(panel);
    QVERIFY(panelWidget);
    const auto toggle = [&] {
        if (command == button) {
            buttonWidget->click();
        } else {
            itemAction->trigger();
        }
    };
    QVERIFY(panelWidget->isVisible());
    toggle();
    QVERIFY(!panelWidget->isVisible());
    QVERIFY(!itemAction->isChecked());
    QVERIFY(!buttonWidget->isChecked());
    toggle();
    QVERIFY(panelWidget->isVisible());
    QVERIFY(itemAction->isChecked());
    QVERIFY(buttonWidget->isChecked());
    QCOMPARE(f.settings.TOOL + f.settings.FUNCTION + f.settings.STATUS, 3);
}

void MainWindowTest::formulaColumnFillsGrid() {
    MainWindowFixture f;
    for (const QSize size : {QSize(700, 450), QSize(900, 500)}) {
        f.W().resize(size);
        QApplication::processEvents();
        QCOMPARE(f.Grid()->ColWidth(2),
                 f.Grid()->width() - f.Grid()->ColWidth(0) - f.Grid()->ColWidth(1) - 24);
    }
    // Hiding the pad panel widens the grid, and the formula column with it.
    const int before = f.Grid()->ColWidth(2);
    f.Action("MMviewfunc")->trigger();
    QApplication::processEvents();
    QCOMPARE(f.Grid()->ColWidth(2), before + 44);
}

// A result column wider than the window (a hand-edited RWIDTH) leaves the formula column its
// default ten characters.
void MainWindowTest::resultColumnGivesWay() {
    MainWindowFixture f([](ExecuteParameter& s) { s.RWIDTH = 1000; });
    QApplication::processEvents();
    QCOMPARE(f.Grid()->ColWidth(2), 10 * f.grid.charWidth + 10);
    QCOMPARE(f.Grid()->ColWidth(0) + f.Grid()->ColWidth(1) + f.Grid()->ColWidth(2) + 24,
             f.Grid()->width());
}

void MainWindowTest::title_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    const struct {
        const char* dataTag;
        QString file;
        const char* title;
    } rows[] = {
        {"no file", QString(), "Tessarin"},
        {"path", "/home/user/data/budget.tsf", "Tessarin - [ budget.tsf ]"},
        {"japanese name", "/tmp/家計簿.tsf", "Tessarin - [ 家計簿.tsf ]"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.file << row.title;
}

void MainWindowTest::title() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    QCOMPARE(TFMmain::TitleFor(file), title);
}

void MainWindowTest::closeQuestion_data() {
    QTest::addColumn<int>("ask");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("closes");
    const struct {
        const char* dataTag;
        int ask;
        bool typed;
        bool asked;
        bool yes;
        bool closes;
    } rows[] = {
        {"modified, answer no", 1, true, true, false, false},
        {"modified, answer yes", 1, true, true, true, true},
        {"not modified", 1, false, false, false, true},
        {"ask off", 0, true, false, false, true},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.ask << row.typed << row.asked << row.yes << row.closes;
}

void MainWindowTest::closeQuestion() {
    QFETCH(int, ask);
    QFETCH(bool, typed);
    QFETCH(bool, asked);
    QFETCH(bool, yes);
    QFETCH(bool, closes);
    MainWindowFixture f([ask](ExecuteParameter& s) { s.ASK = ask; });
    QSignalSpy closed(&f.W(), &TFMmain::Closed);
    if (typed) f.Type(QStringLiteral("1+2"));
    if (asked) f.dialogs.AnswerYesNo(yes);
    f.Action("MMactionexit")->trigger();
    QCOMPARE(f.dialogs.Shown().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(f.dialogs.Shown()[0].text,
                 QStringLiteral("数式を保存していません。\n終了しますか？"));
        QVERIFY(f.dialogs.Shown()[0].noIsDefault);
    }
    QCOMPARE(f.W().isVisible(), !closes);
    QCOMPARE(closed.size(), closes ? 1 : 0);
}

void MainWindowTest::closeStoresBounds() {
    MainWindowFixture f([](ExecuteParameter& s) { s.ASK = 0; });
    f.W().move(33, 44);
    f.W().resize(655, 433);
    QApplication::processEvents();
    f.W().close();
    QCOMPARE(f.settings.WIDTH, f.W().width());
    QCOMPARE(f.settings.HEIGHT, f.W().height());
    QCOMPARE(f.settings.LEFT, f.W().x());
    QCOMPARE(f.settings.TOP, f.W().y());
    QCOMPARE(f.settings.WIDTH, 655);
    QCOMPARE(f.settings.HEIGHT, 433);
}

void MainWindowTest::escapeShowsKeypad() {
    MainWindowFixture f;
    QWidget keypad;
    TFMmain::SideWindows windows;
    windows.keypad = [&] { return &keypad; };
    f.W().SetSideWindows(windows);
    f.Type(QStringLiteral("12"));
    f.Key(Qt::Key_Escape);
    QVERIFY(keypad.isVisible());
    QCOMPARE(f.Input()->text(), QStringLiteral("12"));
    keypad.hide();
    QTest::keyClick(f.Grid(), Qt::Key_Escape);
    QVERIFY(keypad.isVisible());
}

void MainWindowTest::clearButtonEmptiesLine() {
    MainWindowFixture f;
    f.Enter(3, QStringLiteral("4*5"));
    QCOMPARE(f.Result(3), std::string("20"));
    f.sheet.MarkSaved();
    f.Part<QToolButton>("BTclear")->click();
    QCOMPARE(f.Input()->text(), QString());
    QCOMPARE(f.Formula(3), std::string());
    QCOMPARE(f.Result(3), std::string());
    QCOMPARE(f.Value(3), ErrorValue);
    QVERIFY(!f.Modified());
}

void MainWindowTest::transparency_data() {
    QTest::addColumn<int>("trans");
    QTest::addColumn<int>("alpha");
    const struct {
        const char* dataTag;
        int trans;
        int alpha;
    } rows[] = {
        {"off", 0, 255},
        {"3", 3, 204},
        {"10", 10, 85},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.trans << row.alpha;
}

void MainWindowTest::transparency() {
    QFETCH(int, trans);
    QFETCH(int, alpha);
    MainWindowFixture f([trans](ExecuteParameter& s) { s.TRANS = trans; });
    QCOMPARE(qRound(f.W().windowOpacity() * 255), alpha);
}

void MainWindowTest::supportAddressOpens() {
    MainWindowFixture f;
    // The build's own setting decides at start-up.
    QCOMPARE(f.Action("MMhelpwww")->isVisible(), !SupportAddress().isEmpty());
    QCOMPARE(f.Button("BThelpwww")->isVisible(), !SupportAddress().isEmpty());

    f.W().ShowSupportAddress(QStringLiteral("https://support.test/"));
    QCOMPARE(f.Action("MMhelpwww")->text(), QStringLiteral("https://support.test/ (&W)..."));
    QVERIFY(f.Action("MMhelpwww")->isVisible());
    QTRY_VERIFY(f.Button("BThelpwww")->isVisible());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
    f.Button("BThelpwww")->click();
    f.Action("MMhelpwww")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.opened, QList<QUrl>(2, QUrl(QStringLiteral("https://support.test/"))));

    f.W().ShowSupportAddress(QString());
    QVERIFY(!f.Action("MMhelpwww")->isVisible());
    QTRY_VERIFY(!f.Button("BThelpwww")->isVisible());
}

void MainWindowTest::helpAndVersionWindows() {
    MainWindowFixture f;
    QVERIFY(!f.W().Help());
    f.Button("BThelphelp")->click();
    QVERIFY(f.W().Help());
    QVERIFY(f.W().Help()->isVisible());
    QVERIFY(!IsStayOnTop(f.W().Help()));
    // With stay-on-top, the help window opens above the main window.
    f.W().Help()->close();
    f.settings.TMOST = 1;
    f.Button("BThelphelp")->click();
    QVERIFY(IsStayOnTop(f.W().Help()));
    QVERIFY(f.W().Help()->isVisible());
    QDialog version;
    TFMmain::SideWindows windows;
    windows.version = [&] { return &version; };
    f.W().SetSideWindows(windows);
    bool shownModally = false;
    QTimer::singleShot(0, &version, [&] {
        shownModally = version.isVisible() && version.isModal();
        version.accept();
    });
    f.Action("MMhelpver")->trigger();
    QVERIFY(shownModally);
}

// Alt with a menu's access key opens that menu even while the input line has the focus; the
// letter is not typed into the formula.
void MainWindowTest::menuAccessKeysFromTheInputLine() {
    MainWindowFixture f;
    TFMmain& w = *f.window;
    FindInput(&w)->setFocus();
    QTest::keyClick(FindInput(&w), Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(FindMenu(&w, "MMmode")->isVisible());
    QCOMPARE(FindInput(&w)->text(), QString());
    FindMenu(&w, "MMmode")->close();
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
