#include "ui/main_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "ui/formula_input.h"
#include "ui/icons.h"
#include "ui/tfmmain.h"

namespace {

using Handler = void (TFMmain::*)(QAction*);

enum class Place {
    Menu,       // a menu of the menu bar, or with a parent a submenu
    Item,       // an item of the menu last begun
    Separator,  // a line in the menu last begun
};

struct Command {
    Place place = Place::Item;
    const char* name = "";
    QString caption;  // of a menu or an item
    QAction** action = nullptr;
    Handler handler = nullptr;
    ToolIcon icon = ToolIcon::None;
    int tag = -1;  // a mode's value; -1 none
    bool checkable = false;
    QActionGroup* group = nullptr;  // the modes that exclude each other
    const char* button = nullptr;   // the item's tool button, if it has one
    QString hint;                   // the tool button's tip
    int barGroup = 0;               // tool buttons of one group stand together
    bool submenu = false;           // a menu inside the menu last begun
    bool endsSubmenu = false;       // the item is the submenu's last
};

Command MenuOf(const char* name, const QString& caption, bool submenu = false) {
    Command c;
    c.place = Place::Menu;
    c.name = name;
    c.caption = caption;
    c.submenu = submenu;
    return c;
}

Command Item(const char* name, const QString& caption, QAction** action, Handler handler,
             ToolIcon icon = ToolIcon::None) {
    Command c;
    c.place = Place::Item;
    c.name = name;
    c.caption = caption;
    c.action = action;
    c.handler = handler;
    c.icon = icon;
    return c;
}

// An item with its tool button.
Command WithButton(Command item, const char* button, const QString& hint, int barGroup) {
    item.button = button;
    item.hint = hint;
    item.barGroup = barGroup;
    return item;
}

// A mode's item: checked while the mode holds.
Command Mode(Command item, int tag, QActionGroup* group) {
    item.tag = tag;
    item.checkable = true;
    item.group = group;
    return item;
}

Command Checked(Command item) {
    item.checkable = true;
    return item;
}

Command Separator() {
    Command c;
    c.place = Place::Separator;
    return c;
}

}  // namespace

void TFMmain::BuildCommands() {
    using W = TFMmain;
    auto* inputModes = new QActionGroup(this);
    auto* displayModes = new QActionGroup(this);
    baseGroup = new QActionGroup(this);
    // In real mode neither base is offered, so neither is checked.
    baseGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    Command endOfExport =
        Item("MMactionexpclip", QStringLiteral("クリップボード(&C)"), &MMactionexpclip,
             &W::MMactionexpclipClick, ToolIcon::ExportClipboard);
    endOfExport.endsSubmenu = true;

    const std::vector<Command> table = {
        MenuOf("MMaction", QStringLiteral("操作(&A)")),
        WithButton(Item("MMactionnew", QStringLiteral("新規(&N)..."), &MMactionnew,
                        &W::MMactionnewClick, ToolIcon::New),
                   "BTactionnew", QStringLiteral("新規"), 0),
        WithButton(Item("MMactionload", QStringLiteral("ファイルを開く(&O)..."), &MMactionload,
                        &W::MMactionloadClick, ToolIcon::Open),
                   "BTactionopen", QStringLiteral("ファイルを開く"), 0),
        WithButton(Item("MMactionsave", QStringLiteral("上書き保存(&S)..."), &MMactionsave,
                        &W::MMactionsaveClick, ToolIcon::Save),
                   "BTactionsave", QStringLiteral("数式の保存"), 0),
        Item("MMactionren", QStringLiteral("別名で保存(&A)..."), &MMactionren,
             &W::MMactionrenClick),
        Separator(),
        Item("MMactionrecal", QStringLiteral("式の再計算(&R)"), &MMactionrecal,
             &W::MMactionrecalClick, ToolIcon::Recalculate),
        Separator(),
        MenuOf("MMactionexp", QStringLiteral("エクスポート(&E)"), true),
        WithButton(Item("MMactionexpexcel", QStringLiteral("Excel(&E)"), &MMactionexpexcel,
                        &W::MMactionexpexcelClick, ToolIcon::ExportExcel),
                   "BTactionexpexcel", QStringLiteral("Excelへエクスポート"), 1),
        WithButton(endOfExport, "ToolButton1", QStringLiteral("クリップボードへエクスポート"), 1),
        Separator(),
        Item("MMactionexit", QStringLiteral("Tessarin 終了(&X)"), &MMactionexit,
             &W::MMactionexitClick),

        MenuOf("MMedit", QStringLiteral("編集(&E)")),
        Item("MMeditundo", QStringLiteral("元に戻す(&U)"), &MMeditundo, &W::MMeditundoClick),
        Item("MMeditredo", QStringLiteral("やり直し(&R)"), &MMeditredo, &W::MMeditredoClick),

        MenuOf("MMmode", QStringLiteral("モード(&M)")),
        WithButton(Mode(Item("MMmodeform", QStringLiteral("数式(&F)"), &MMmodeform,
                             &W::MMmodeformClick, ToolIcon::FormulaMode),
                        0, inputModes),
                   "BTmodeform", QStringLiteral("数式モード"), 2),
        WithButton(Mode(Item("MMmodecalc", QStringLiteral("電卓(&C)"), &MMmodecalc,
                             &W::MMmodeformClick, ToolIcon::CalculatorMode),
                        1, inputModes),
                   "BTmodecalc", QStringLiteral("電卓モード"), 2),
        Separator(),
        WithButton(Mode(Item("MMmodereal", QStringLiteral("実数(&R)"), &MMmodereal,
                             &W::MMmoderealClick, ToolIcon::Real),
                        0, displayModes),
                   "BTmodereal", QStringLiteral("実数で計算"), 3),
        WithButton(Mode(Item("MMmodeint", QStringLiteral("整数(&I)"), &MMmodeint,
                             &W::MMmoderealClick, ToolIcon::Integer),
                        1, displayModes),
                   "BTmodeint", QStringLiteral("整数で計算"), 3),

        MenuOf("MMview", QStringLiteral("表示(&V)")),
        WithButton(Mode(Item("MMview10", QStringLiteral("１０進数(&D)"), &MMview10,
                             &W::MMview10Click, ToolIcon::Decimal),
                        0, baseGroup),
                   "BTview10", QStringLiteral("１０進数で表示"), 4),
        WithButton(Mode(Item("MMview16", QStringLiteral("１６進数(&H)"), &MMview16,
                             &W::MMview10Click, ToolIcon::Hexadecimal),
                        1, baseGroup),
                   "BTview16", QStringLiteral("１６進数で表示"), 4),
        Separator(),
        WithButton(Checked(Item("MMviewtool", QStringLiteral("ツール(&T)"), &MMviewtool,
                                &W::MMviewtoolClick, ToolIcon::ToolBar)),
                   "BTviewtool", QStringLiteral("ツールの表示"), 5),
        WithButton(Checked(Item("MMviewfunc", QStringLiteral("ファンクション(&F)"), &MMviewfunc,
                                &W::MMviewfuncClick, ToolIcon::FunctionPad)),
                   "BTviewfunc", QStringLiteral("ファンクションの表示"), 5),
        WithButton(Checked(Item("MMviewstat", QStringLiteral("ステータス(&S)"), &MMviewstat,
                                &W::MMviewstatClick, ToolIcon::StatusBar)),
                   "BTviewstat", QStringLiteral("ステータスの表示"), 5),
        Separator(),
        Item("MMviewsetup", QStringLiteral("設定(&O)..."), &MMviewsetup, &W::MMviewsetupClick,
             ToolIcon::Settings),

        MenuOf("MMhelp", QStringLiteral("ヘルプ(&H)")),
        WithButton(Item("MMhelphelp", QStringLiteral("Tessarin ヘルプ(&H)..."), &MMhelphelp,
                        &W::MMhelphelpClick, ToolIcon::Help),
                   "BThelphelp", QStringLiteral("ヘルプの表示"), 6),
        WithButton(Item("MMhelpwww", QString(), &MMhelpwww, &W::MMhelpwwwClick, ToolIcon::Web),
                   "BThelpwww", QStringLiteral("サポートウェブページの表示"), 6),
        Separator(),
        Item("MMhelpver", QStringLiteral("バージョン情報(&V)..."), &MMhelpver, &W::MMhelpverClick,
             ToolIcon::Version),
    };

    QMenu* topMenu = nullptr;
    QMenu* menu = nullptr;
    int lastBarGroup = -1;
    for (const Command& command : table) {
        if (command.place == Place::Menu) {
            menu = command.submenu ? topMenu->addMenu(command.caption)
                                   : menuBar()->addMenu(command.caption);
            menu->setObjectName(QString::fromLatin1(command.name));
            if (!command.submenu) topMenu = menu;
            continue;
        }
        if (command.place == Place::Separator) {
            menu->addSeparator();
            continue;
        }
        auto* action = new QAction(command.caption, this);
        action->setObjectName(QString::fromLatin1(command.name));
        if (command.tag >= 0) action->setData(command.tag);
        action->setCheckable(command.checkable);
        if (command.group) command.group->addAction(action);
        if (command.icon != ToolIcon::None) action->setIcon(ToolIconPicture(command.icon));
        menu->addAction(action);
        if (command.endsSubmenu) menu = topMenu;
        const Handler handler = command.handler;
        connect(action, &QAction::triggered, this, [this, action, handler] {
            // A command acts on the sheet with the input method's composition in it.
            EDcalc->CommitComposition();
            (this->*handler)(action);
        });
        *command.action = action;
        if (!command.button) continue;
        // The button shows the action's state; only the menu item follows its visibility, so
        // that the save button stays on the bar while the menu hides the save items.
        if (lastBarGroup >= 0 && command.barGroup != lastBarGroup) TBtool->addSeparator();
        lastBarGroup = command.barGroup;
        // Menus show no tips: the action's tip is its button's.
        action->setToolTip(command.hint);
        auto* button = new QToolButton(TBtool);
        button->setObjectName(QString::fromLatin1(command.button));
        button->setDefaultAction(action);
        button->setIconSize(TBtool->iconSize());
        button->setAccessibleName(command.hint);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        QAction* place = TBtool->addWidget(button);
        if (action == MMhelpwww) BThelpwww = place;
    }
    MMeditundo->setShortcuts(QKeySequence::Undo);
    QList<QKeySequence> redo = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redo.contains(key)) redo << key;
    }
    MMeditredo->setShortcuts(redo);
    // F9 recalculates, as in spreadsheets; no input method and no other command uses it.
    MMactionrecal->setShortcut(QKeySequence(Qt::Key_F9));
    ShowSupportAddress(SupportAddress());
}

QString SupportAddress() {
    return QStringLiteral(TESSARIN_SUPPORT_ADDRESS);
}

void TFMmain::ShowSupportAddress(const QString& address) {
    supportAddress = address;
    MMhelpwww->setText(address + QStringLiteral(" (&W)..."));
    MMhelpwww->setVisible(!address.isEmpty());
    BThelpwww->setVisible(!address.isEmpty());
}
