#include "ui/main_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <vector>

#include "ui/command_table.h"
#include "ui/formula_input.h"
#include "ui/tfmmain.h"

void TFMmain::BuildCommands() {
    using W = TFMmain;
    // A command acts on the sheet with the input method's composition in it.
    const auto run = [this](void (W::*handler)(QAction*)) {
        return [this, handler](QAction* action) {
            EDcalc->CommitComposition();
            (this->*handler)(action);
        };
    };
    auto* inputModes = new QActionGroup(this);
    auto* displayModes = new QActionGroup(this);
    baseGroup = new QActionGroup(this);
    // In real mode neither base is offered, so neither is checked.
    baseGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    CommandRow endOfExport =
        ItemRow("MMactionexpclip", QStringLiteral("クリップボード(&C)"), &MMactionexpclip,
                run(&W::MMactionexpclipClick), ToolIcon::ExportClipboard);
    endOfExport.endsSubmenu = true;
    CommandRow web = WithButton(
        ItemRow("MMhelpwww", QString(), &MMhelpwww, run(&W::MMhelpwwwClick), ToolIcon::Web),
        "BThelpwww", QStringLiteral("サポートウェブページの表示"), 6);
    web.buttonPlace = &BThelpwww;

    const std::vector<CommandRow> table = {
        MenuRow("MMaction", QStringLiteral("操作(&A)")),
        WithButton(ItemRow("MMactionnew", QStringLiteral("新規(&N)..."), &MMactionnew,
                           run(&W::MMactionnewClick), ToolIcon::New),
                   "BTactionnew", QStringLiteral("新規"), 0),
        WithButton(ItemRow("MMactionload", QStringLiteral("ファイルを開く(&O)..."), &MMactionload,
                           run(&W::MMactionloadClick), ToolIcon::Open),
                   "BTactionopen", QStringLiteral("ファイルを開く"), 0),
        WithButton(ItemRow("MMactionsave", QStringLiteral("上書き保存(&S)..."), &MMactionsave,
                           run(&W::MMactionsaveClick), ToolIcon::Save),
                   "BTactionsave", QStringLiteral("数式の保存"), 0),
        ItemRow("MMactionren", QStringLiteral("別名で保存(&A)..."), &MMactionren,
                run(&W::MMactionrenClick)),
        SeparatorRow(),
        ItemRow("MMactionrecal", QStringLiteral("式の再計算(&R)"), &MMactionrecal,
                run(&W::MMactionrecalClick), ToolIcon::Recalculate),
        SeparatorRow(),
        MenuRow("MMactionexp", QStringLiteral("エクスポート(&E)"), true),
        WithButton(ItemRow("MMactionexpexcel", QStringLiteral("Excel(&E)"), &MMactionexpexcel,
                           run(&W::MMactionexpexcelClick), ToolIcon::ExportExcel),
                   "BTactionexpexcel", QStringLiteral("Excelへエクスポート"), 1),
        WithButton(endOfExport, "ToolButton1", QStringLiteral("クリップボードへエクスポート"), 1),
        SeparatorRow(),
        ItemRow("MMactionexit", QStringLiteral("Tessarin 終了(&X)"), &MMactionexit,
                run(&W::MMactionexitClick)),

        MenuRow("MMedit", QStringLiteral("編集(&E)")),
        ItemRow("MMeditundo", QStringLiteral("元に戻す(&U)"), &MMeditundo,
                run(&W::MMeditundoClick)),
        ItemRow("MMeditredo", QStringLiteral("やり直し(&R)"), &MMeditredo,
                run(&W::MMeditredoClick)),

        MenuRow("MMmode", QStringLiteral("モード(&M)")),
        WithButton(AsMode(ItemRow("MMmodeform", QStringLiteral("数式(&F)"), &MMmodeform,
                                  run(&W::MMmodeformClick), ToolIcon::FormulaMode),
                          0, inputModes),
                   "BTmodeform", QStringLiteral("数式モード"), 2),
        WithButton(AsMode(ItemRow("MMmodecalc", QStringLiteral("電卓(&C)"), &MMmodecalc,
                                  run(&W::MMmodeformClick), ToolIcon::CalculatorMode),
                          1, inputModes),
                   "BTmodecalc", QStringLiteral("電卓モード"), 2),
        SeparatorRow(),
        WithButton(AsMode(ItemRow("MMmodereal", QStringLiteral("実数(&R)"), &MMmodereal,
                                  run(&W::MMmoderealClick), ToolIcon::Real),
                          0, displayModes),
                   "BTmodereal", QStringLiteral("実数で計算"), 3),
        WithButton(AsMode(ItemRow("MMmodeint", QStringLiteral("整数(&I)"), &MMmodeint,
                                  run(&W::MMmoderealClick), ToolIcon::Integer),
                          1, displayModes),
                   "BTmodeint", QStringLiteral("整数で計算"), 3),

        MenuRow("MMview", QStringLiteral("表示(&V)")),
        WithButton(AsMode(ItemRow("MMview10", QStringLiteral("１０進数(&D)"), &MMview10,
                                  run(&W::MMview10Click), ToolIcon::Decimal),
                          0, baseGroup),
                   "BTview10", QStringLiteral("１０進数で表示"), 4),
        WithButton(AsMode(ItemRow("MMview16", QStringLiteral("１６進数(&H)"), &MMview16,
                                  run(&W::MMview10Click), ToolIcon::Hexadecimal),
                          1, baseGroup),
                   "BTview16", QStringLiteral("１６進数で表示"), 4),
        SeparatorRow(),
        WithButton(AsCheckable(ItemRow("MMviewtool", QStringLiteral("ツール(&T)"), &MMviewtool,
                                       run(&W::MMviewtoolClick), ToolIcon::ToolBar)),
                   "BTviewtool", QStringLiteral("ツールの表示"), 5),
        WithButton(
            AsCheckable(ItemRow("MMviewfunc", QStringLiteral("ファンクション(&F)"), &MMviewfunc,
                                run(&W::MMviewfuncClick), ToolIcon::FunctionPad)),
            "BTviewfunc", QStringLiteral("ファンクションの表示"), 5),
        WithButton(AsCheckable(ItemRow("MMviewstat", QStringLiteral("ステータス(&S)"), &MMviewstat,
                                       run(&W::MMviewstatClick), ToolIcon::StatusBar)),
                   "BTviewstat", QStringLiteral("ステータスの表示"), 5),
        SeparatorRow(),
        ItemRow("MMviewsetup", QStringLiteral("設定(&O)..."), &MMviewsetup,
                run(&W::MMviewsetupClick), ToolIcon::Settings),

        MenuRow("MMhelp", QStringLiteral("ヘルプ(&H)")),
        WithButton(ItemRow("MMhelphelp", QStringLiteral("Tessarin ヘルプ(&H)..."), &MMhelphelp,
                           run(&W::MMhelphelpClick), ToolIcon::Help),
                   "BThelphelp", QStringLiteral("ヘルプの表示"), 6),
        web,
        SeparatorRow(),
        ItemRow("MMhelpver", QStringLiteral("バージョン情報(&V)..."), &MMhelpver,
                run(&W::MMhelpverClick), ToolIcon::Version),
    };

    BuildCommandTable(*this, *TBtool, table);
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
