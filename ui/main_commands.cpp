#include "ui/main_commands.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <vector>

#include "ui/icons.h"
#include "ui/tfmmain.h"

namespace {

using Handler = void (TFMmain::*)(QAction*);
// Where the window keeps a menu or an action; a parent menu's place is filled by an earlier row.
using MenuSlot = QMenu**;
using ActionSlot = QAction**;

enum class Place {
    Menu,       // a menu; with a parent menu a submenu
    Item,       // a menu item of the parent menu
    Separator,  // a line in the parent menu
    Button,     // a tool button; a new group starts after a separator
};

struct Command {
    Place place;
    const char* name;
    QString text;  // the caption of a menu or item, the hint of a tool button
    MenuSlot menu = nullptr;
    MenuSlot parent = nullptr;
    ActionSlot action = nullptr;
    int tag = -1;  // paired items and buttons carry their value; -1 none
    bool checkable = false;
    int group = 0;
    Handler handler = nullptr;
    ToolIcon icon = ToolIcon::None;
};

Command Menu(const char* name, const QString& caption, MenuSlot menu, MenuSlot parent = nullptr) {
    return {Place::Menu, name, caption, menu, parent};
}

Command Item(const char* name, const QString& caption, MenuSlot parent, ActionSlot action,
             Handler handler, int tag = -1, bool checkable = false,
             ToolIcon icon = ToolIcon::None) {
    return {Place::Item, name, caption, nullptr, parent, action, tag, checkable, 0, handler, icon};
}

Command Separator(MenuSlot parent) {
    return {Place::Separator, "", QString(), nullptr, parent};
}

Command Button(const char* name, const QString& hint, ActionSlot action, int group, Handler handler,
               ToolIcon icon, int tag = -1, bool checkable = false) {
    return {Place::Button, name,      hint,  nullptr, nullptr, action,
            tag,           checkable, group, handler, icon};
}

}  // namespace

void TFMmain::BuildCommands() {
    using W = TFMmain;
    const std::vector<Command> table = {
        Menu("MMaction", QStringLiteral("操作(&A)"), &MMaction),
        Item("MMactionnew", QStringLiteral("新規(&N)..."), &MMaction, &MMactionnew,
             &W::MMactionnewClick, -1, false, ToolIcon::New),
        Item("MMactionload", QStringLiteral("ファイルを開く(&O)..."), &MMaction, &MMactionload,
             &W::MMactionloadClick, -1, false, ToolIcon::Open),
        Item("MMactionsave", QStringLiteral("上書き保存(&S)..."), &MMaction, &MMactionsave,
             &W::MMactionsaveClick, -1, false, ToolIcon::Save),
        Item("MMactionren", QStringLiteral("別名で保存(&A)..."), &MMaction, &MMactionren,
             &W::MMactionrenClick),
        Separator(&MMaction),
        Item("MMactionrecal", QStringLiteral("式の再計算(&R)"), &MMaction, &MMactionrecal,
             &W::MMactionrecalClick, -1, false, ToolIcon::Recalculate),
        Separator(&MMaction),
        Menu("MMactionexp", QStringLiteral("エクスポート(&E)"), &MMactionexp, &MMaction),
        Item("MMactionexpexcel", QStringLiteral("Excel(&E)"), &MMactionexp, &MMactionexpexcel,
             &W::MMactionexpexcelClick, -1, false, ToolIcon::ExportExcel),
        Item("MMactionexpclip", QStringLiteral("クリップボード(&C)"), &MMactionexp,
             &MMactionexpclip, &W::MMactionexpclipClick, -1, false, ToolIcon::ExportClipboard),
        Separator(&MMaction),
        Item("MMactionexit", QStringLiteral("Tessarin 終了(&X)"), &MMaction, &MMactionexit,
             &W::MMactionexitClick),

        Menu("MMedit", QStringLiteral("編集(&E)"), &MMedit),
        Item("MMeditundo", QStringLiteral("元に戻す(&U)"), &MMedit, &MMeditundo,
             &W::MMeditundoClick),
        Item("MMeditredo", QStringLiteral("やり直し(&R)"), &MMedit, &MMeditredo,
             &W::MMeditredoClick),

        Menu("MMmode", QStringLiteral("モード(&M)"), &MMmode),
        Item("MMmodeform", QStringLiteral("数式(&F)"), &MMmode, &MMmodeform, &W::MMmodeformClick, 0,
             true),
        Item("MMmodecalc", QStringLiteral("電卓(&C)"), &MMmode, &MMmodecalc, &W::MMmodeformClick, 1,
             true),
        Separator(&MMmode),
        Item("MMmodereal", QStringLiteral("実数(&R)"), &MMmode, &MMmodereal, &W::MMmoderealClick, 0,
             true),
        Item("MMmodeint", QStringLiteral("整数(&I)"), &MMmode, &MMmodeint, &W::MMmoderealClick, 1,
             true),

        Menu("MMview", QStringLiteral("表示(&V)"), &MMview),
        Item("MMview10", QStringLiteral("１０進数(&D)"), &MMview, &MMview10, &W::MMview10Click, 0,
             true),
        Item("MMview16", QStringLiteral("１６進数(&H)"), &MMview, &MMview16, &W::MMview10Click, 1,
             true),
        Separator(&MMview),
        Item("MMviewtool", QStringLiteral("ツール(&T)"), &MMview, &MMviewtool, &W::MMviewtoolClick,
             -1, true),
        Item("MMviewfunc", QStringLiteral("ファンクション(&F)"), &MMview, &MMviewfunc,
             &W::MMviewfuncClick, -1, true),
        Item("MMviewstat", QStringLiteral("ステータス(&S)"), &MMview, &MMviewstat,
             &W::MMviewstatClick, -1, true),
        Separator(&MMview),
        Item("MMviewsetup", QStringLiteral("設定(&S)..."), &MMview, &MMviewsetup,
             &W::MMviewsetupClick, -1, false, ToolIcon::Settings),

        Menu("MMhelp", QStringLiteral("ヘルプ(&H)"), &MMhelp),
        Item("MMhelphelp", QStringLiteral("Tessarin ヘルプ(&H)..."), &MMhelp, &MMhelphelp,
             &W::MMhelphelpClick, -1, false, ToolIcon::Help),
        Item("MMhelpwww", QString(), &MMhelp, &MMhelpwww, &W::MMhelpwwwClick, -1, false,
             ToolIcon::Web),
        Separator(&MMhelp),
        Item("MMhelpver", QStringLiteral("バージョン情報(&V)..."), &MMhelp, &MMhelpver,
             &W::MMhelpverClick, -1, false, ToolIcon::Version),

        Button("BTactionnew", QStringLiteral("新規"), &BTactionnew, 0, &W::MMactionnewClick,
               ToolIcon::New),
        Button("BTactionopen", QStringLiteral("ファイルを開く"), &BTactionopen, 0,
               &W::MMactionloadClick, ToolIcon::Open),
        Button("BTactionsave", QStringLiteral("数式の保存"), &BTactionsave, 0,
               &W::MMactionsaveClick, ToolIcon::Save),
        Button("BTactionexpexcel", QStringLiteral("Excelへエクスポート"), &BTactionexpexcel, 1,
               &W::MMactionexpexcelClick, ToolIcon::ExportExcel),
        Button("ToolButton1", QStringLiteral("クリップボードへエクスポート"), &ToolButton1, 1,
               &W::MMactionexpclipClick, ToolIcon::ExportClipboard),
        Button("BTmodeform", QStringLiteral("数式モード"), &BTmodeform, 2, &W::BTmodeformClick,
               ToolIcon::FormulaMode, 0, true),
        Button("BTmodecalc", QStringLiteral("電卓モード"), &BTmodecalc, 2, &W::BTmodeformClick,
               ToolIcon::CalculatorMode, 1, true),
        Button("BTmodereal", QStringLiteral("実数で計算"), &BTmodereal, 3, &W::BTmoderealClick,
               ToolIcon::Real, 0, true),
        Button("BTmodeint", QStringLiteral("整数で計算"), &BTmodeint, 3, &W::BTmoderealClick,
               ToolIcon::Integer, 1, true),
        Button("BTview10", QStringLiteral("１０進数で表示"), &BTview10, 4, &W::BTview10Click,
               ToolIcon::Decimal, 0, true),
        Button("BTview16", QStringLiteral("１６進数で表示"), &BTview16, 4, &W::BTview10Click,
               ToolIcon::Hexadecimal, 1, true),
        Button("BTviewtool", QStringLiteral("ツールの表示"), &BTviewtool, 5, &W::MMviewtoolClick,
               ToolIcon::ToolBar, -1, true),
        Button("BTviewfunc", QStringLiteral("ファンクションの表示"), &BTviewfunc, 5,
               &W::MMviewfuncClick, ToolIcon::FunctionPad, -1, true),
        Button("BTviewstat", QStringLiteral("ステータスの表示"), &BTviewstat, 5,
               &W::MMviewstatClick, ToolIcon::StatusBar, -1, true),
        Button("BThelphelp", QStringLiteral("ヘルプの表示"), &BThelphelp, 6, &W::MMhelphelpClick,
               ToolIcon::Help),
        Button("BThelpwww", QStringLiteral("サポートウェブページの表示"), &BThelpwww, 6,
               &W::MMhelpwwwClick, ToolIcon::Web),
    };

    int lastGroup = -1;
    for (const Command& command : table) {
        QMenu* parent = command.parent ? *command.parent : nullptr;
        switch (command.place) {
            case Place::Menu: {
                QMenu* menu =
                    parent ? parent->addMenu(command.text) : menuBar()->addMenu(command.text);
                menu->setObjectName(QString::fromLatin1(command.name));
                *command.menu = menu;
                continue;
            }
            case Place::Separator:
                parent->addSeparator();
                continue;
            case Place::Item:
            case Place::Button:
                break;
        }
        auto* action = new QAction(command.text, this);
        action->setObjectName(QString::fromLatin1(command.name));
        if (command.tag >= 0) action->setData(command.tag);
        action->setCheckable(command.checkable);
        if (command.icon != ToolIcon::None) action->setIcon(ToolIconPicture(command.icon));
        if (command.place == Place::Item) {
            parent->addAction(action);
        } else {
            if (lastGroup >= 0 && command.group != lastGroup) TBtool->addSeparator();
            lastGroup = command.group;
            action->setToolTip(command.text);
            TBtool->addAction(action);
        }
        if (command.handler) {
            const Handler handler = command.handler;
            connect(action, &QAction::triggered, this, [this, action, handler] {
                // A command acts on the sheet with the composition in it.
                EDcalc->CommitComposition();
                (this->*handler)(action);
            });
        }
        *command.action = action;
    }
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
