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
using MenuMember = QMenu* TFMmain::*;
using ActionMember = QAction* TFMmain::*;

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
    MenuMember menu = nullptr;
    MenuMember parent = nullptr;
    ActionMember action = nullptr;
    int tag = -1;  // paired items and buttons carry their value; -1 none
    bool checkable = false;
    int group = 0;
    Handler handler = nullptr;
    ToolIcon icon = ToolIcon::None;
};

Command Menu(const char* name, const QString& caption, MenuMember menu,
             MenuMember parent = nullptr) {
    return {Place::Menu, name, caption, menu, parent};
}

Command Item(const char* name, const QString& caption, MenuMember parent, ActionMember action,
             Handler handler, int tag = -1, bool checkable = false,
             ToolIcon icon = ToolIcon::None) {
    return {Place::Item, name, caption, nullptr, parent, action, tag, checkable, 0, handler, icon};
}

Command Separator(MenuMember parent) {
    return {Place::Separator, "", QString(), nullptr, parent};
}

Command Button(const char* name, const QString& hint, ActionMember action, int group,
               Handler handler, ToolIcon icon, int tag = -1, bool checkable = false) {
    return {Place::Button, name,      hint,  nullptr, nullptr, action,
            tag,           checkable, group, handler, icon};
}

std::vector<Command> CommandTable() {
    using W = TFMmain;
    return {
        Menu("MMaction", QStringLiteral("操作(&A)"), &W::MMaction),
        Item("MMactionnew", QStringLiteral("新規(&N)..."), &W::MMaction, &W::MMactionnew,
             &W::MMactionnewClick, -1, false, ToolIcon::New),
        Item("MMactionload", QStringLiteral("ファイルを開く(&O)..."), &W::MMaction,
             &W::MMactionload, &W::MMactionloadClick, -1, false, ToolIcon::Open),
        Item("MMactionsave", QStringLiteral("上書き保存(&S)..."), &W::MMaction, &W::MMactionsave,
             &W::MMactionsaveClick, -1, false, ToolIcon::Save),
        Item("MMactionren", QStringLiteral("別名で保存(&A)..."), &W::MMaction, &W::MMactionren,
             &W::MMactionrenClick),
        Separator(&W::MMaction),
        Item("MMactionrecal", QStringLiteral("式の再計算(&R)"), &W::MMaction, &W::MMactionrecal,
             &W::MMactionrecalClick, -1, false, ToolIcon::Recalculate),
        Separator(&W::MMaction),
        Menu("MMactionexp", QStringLiteral("エクスポート(&E)"), &W::MMactionexp, &W::MMaction),
        Item("MMactionexpexcel", QStringLiteral("Excel(&E)"), &W::MMactionexp, &W::MMactionexpexcel,
             &W::MMactionexpexcelClick, -1, false, ToolIcon::ExportExcel),
        Item("MMactionexpclip", QStringLiteral("クリップボード(&C)"), &W::MMactionexp,
             &W::MMactionexpclip, &W::MMactionexpclipClick, -1, false, ToolIcon::ExportClipboard),
        Separator(&W::MMaction),
        Item("MMactionexit", QStringLiteral("Tessarin 終了(&X)"), &W::MMaction, &W::MMactionexit,
             &W::MMactionexitClick),

        Menu("MMedit", QStringLiteral("編集(&E)"), &W::MMedit),
        Item("MMeditundo", QStringLiteral("元に戻す(&U)"), &W::MMedit, &W::MMeditundo,
             &W::MMeditundoClick),
        Item("MMeditredo", QStringLiteral("やり直し(&R)"), &W::MMedit, &W::MMeditredo,
             &W::MMeditredoClick),

        Menu("MMmode", QStringLiteral("モード(&M)"), &W::MMmode),
        Item("MMmodeform", QStringLiteral("数式(&F)"), &W::MMmode, &W::MMmodeform,
             &W::MMmodeformClick, 0, true),
        Item("MMmodecalc", QStringLiteral("電卓(&C)"), &W::MMmode, &W::MMmodecalc,
             &W::MMmodeformClick, 1, true),
        Separator(&W::MMmode),
        Item("MMmodereal", QStringLiteral("実数(&R)"), &W::MMmode, &W::MMmodereal,
             &W::MMmoderealClick, 0, true),
        Item("MMmodeint", QStringLiteral("整数(&I)"), &W::MMmode, &W::MMmodeint,
             &W::MMmoderealClick, 1, true),

        Menu("MMview", QStringLiteral("表示(&V)"), &W::MMview),
        Item("MMview10", QStringLiteral("１０進数(&D)"), &W::MMview, &W::MMview10,
             &W::MMview10Click, 0, true),
        Item("MMview16", QStringLiteral("１６進数(&H)"), &W::MMview, &W::MMview16,
             &W::MMview10Click, 1, true),
        Separator(&W::MMview),
        Item("MMviewtool", QStringLiteral("ツール(&T)"), &W::MMview, &W::MMviewtool,
             &W::MMviewtoolClick, -1, true),
        Item("MMviewfunc", QStringLiteral("ファンクション(&F)"), &W::MMview, &W::MMviewfunc,
             &W::MMviewfuncClick, -1, true),
        Item("MMviewstat", QStringLiteral("ステータス(&S)"), &W::MMview, &W::MMviewstat,
             &W::MMviewstatClick, -1, true),
        Separator(&W::MMview),
        Item("MMviewsetup", QStringLiteral("設定(&S)..."), &W::MMview, &W::MMviewsetup,
             &W::MMviewsetupClick, -1, false, ToolIcon::Settings),

        Menu("MMhelp", QStringLiteral("ヘルプ(&H)"), &W::MMhelp),
        Item("MMhelphelp", QStringLiteral("Tessarin ヘルプ(&H)..."), &W::MMhelp, &W::MMhelphelp,
             &W::MMhelphelpClick, -1, false, ToolIcon::Help),
        Item("MMhelpwww", QString(), &W::MMhelp, &W::MMhelpwww, &W::MMhelpwwwClick, -1, false,
             ToolIcon::Web),
        Separator(&W::MMhelp),
        Item("MMhelpver", QStringLiteral("バージョン情報(&V)..."), &W::MMhelp, &W::MMhelpver,
             &W::MMhelpverClick, -1, false, ToolIcon::Version),

        Button("BTactionnew", QStringLiteral("新規"), &W::BTactionnew, 0, &W::MMactionnewClick,
               ToolIcon::New),
        Button("BTactionopen", QStringLiteral("ファイルを開く"), &W::BTactionopen, 0,
               &W::MMactionloadClick, ToolIcon::Open),
        Button("BTactionsave", QStringLiteral("数式の保存"), &W::BTactionsave, 0,
               &W::MMactionsaveClick, ToolIcon::Save),
        Button("BTactionexpexcel", QStringLiteral("Excelへエクスポート"), &W::BTactionexpexcel, 1,
               &W::MMactionexpexcelClick, ToolIcon::ExportExcel),
        Button("ToolButton1", QStringLiteral("クリップボードへエクスポート"), &W::ToolButton1, 1,
               &W::MMactionexpclipClick, ToolIcon::ExportClipboard),
        Button("BTmodeform", QStringLiteral("数式モード"), &W::BTmodeform, 2, &W::BTmodeformClick,
               ToolIcon::FormulaMode, 0, true),
        Button("BTmodecalc", QStringLiteral("電卓モード"), &W::BTmodecalc, 2, &W::BTmodeformClick,
               ToolIcon::CalculatorMode, 1, true),
        Button("BTmodereal", QStringLiteral("実数で計算"), &W::BTmodereal, 3, &W::BTmoderealClick,
               ToolIcon::Real, 0, true),
        Button("BTmodeint", QStringLiteral("整数で計算"), &W::BTmodeint, 3, &W::BTmoderealClick,
               ToolIcon::Integer, 1, true),
        Button("BTview10", QStringLiteral("１０進数で表示"), &W::BTview10, 4, &W::BTview10Click,
               ToolIcon::Decimal, 0, true),
        Button("BTview16", QStringLiteral("１６進数で表示"), &W::BTview16, 4, &W::BTview10Click,
               ToolIcon::Hexadecimal, 1, true),
        Button("BTviewtool", QStringLiteral("ツールの表示"), &W::BTviewtool, 5, &W::MMviewtoolClick,
               ToolIcon::ToolBar, -1, true),
        Button("BTviewfunc", QStringLiteral("ファンクションの表示"), &W::BTviewfunc, 5,
               &W::MMviewfuncClick, ToolIcon::FunctionPad, -1, true),
        Button("BTviewstat", QStringLiteral("ステータスの表示"), &W::BTviewstat, 5,
               &W::MMviewstatClick, ToolIcon::StatusBar, -1, true),
        Button("BThelphelp", QStringLiteral("ヘルプの表示"), &W::BThelphelp, 6, &W::MMhelphelpClick,
               ToolIcon::Help),
        Button("BThelpwww", QStringLiteral("サポートウェブページの表示"), &W::BThelpwww, 6,
               &W::MMhelpwwwClick, ToolIcon::Web),
    };
}

}  // namespace

QString SupportAddress() {
    return QStringLiteral(TESSARIN_SUPPORT_ADDRESS);
}

void ShowSupportAddress(TFMmain& window, const QString& address) {
    window.supportAddress = address;
    window.MMhelpwww->setText(address + QStringLiteral(" (&W)..."));
    window.MMhelpwww->setVisible(!address.isEmpty());
    window.BThelpwww->setVisible(!address.isEmpty());
}

void BuildMainCommands(TFMmain& window) {
    int lastGroup = -1;
    for (const Command& command : CommandTable()) {
        QMenu* parent = command.parent ? window.*command.parent : nullptr;
        switch (command.place) {
            case Place::Menu: {
                QMenu* menu = parent ? parent->addMenu(command.text)
                                     : window.menuBar()->addMenu(command.text);
                menu->setObjectName(QString::fromLatin1(command.name));
                window.*command.menu = menu;
                continue;
            }
            case Place::Separator:
                parent->addSeparator();
                continue;
            case Place::Item:
            case Place::Button:
                break;
        }
        auto* action = new QAction(command.text, &window);
        action->setObjectName(QString::fromLatin1(command.name));
        if (command.tag >= 0) action->setData(command.tag);
        action->setCheckable(command.checkable);
        if (command.icon != ToolIcon::None) action->setIcon(ToolIconPicture(command.icon));
        if (command.place == Place::Item) {
            parent->addAction(action);
        } else {
            if (lastGroup >= 0 && command.group != lastGroup) window.TBtool->addSeparator();
            lastGroup = command.group;
            action->setToolTip(command.text);
            window.TBtool->addAction(action);
        }
        if (command.handler) {
            const Handler handler = command.handler;
            QObject::connect(action, &QAction::triggered, &window, [&window, action, handler] {
                // A command acts on the sheet with the composition in it.
                window.EDcalc->CommitComposition();
                (window.*handler)(action);
            });
        }
        window.*command.action = action;
    }
    // F9 recalculates, as in spreadsheets; no input method and no other command uses it.
    window.MMactionrecal->setShortcut(QKeySequence(Qt::Key_F9));
    ShowSupportAddress(window, SupportAddress());
}
