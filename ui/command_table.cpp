#include "ui/command_table.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

CommandRow MenuRow(const char* name, const QString& caption, bool submenu) {
    CommandRow row;
    row.place = CommandRow::Place::Menu;
    row.name = name;
    row.caption = caption;
    row.submenu = submenu;
    return row;
}

CommandRow ItemRow(const char* name, const QString& caption, QAction** action,
                   std::function<void(QAction*)> handler, ToolIcon icon) {
    CommandRow row;
    row.name = name;
    row.caption = caption;
    row.action = action;
    row.handler = std::move(handler);
    row.icon = icon;
    return row;
}

CommandRow SeparatorRow() {
    CommandRow row;
    row.place = CommandRow::Place::Separator;
    return row;
}

CommandRow WithButton(CommandRow item, const char* button, const QString& hint, int barGroup) {
    item.button = button;
    item.hint = hint;
    item.barGroup = barGroup;
    return item;
}

CommandRow AsMode(CommandRow item, int tag, QActionGroup* group) {
    item.tag = tag;
    item.checkable = true;
    item.group = group;
    return item;
}

CommandRow AsCheckable(CommandRow item) {
    item.checkable = true;
    return item;
}

void BuildCommandTable(QMainWindow& window, QToolBar& bar, const std::vector<CommandRow>& rows) {
    QMenu* topMenu = nullptr;
    QMenu* menu = nullptr;
    int lastBarGroup = -1;
    for (const CommandRow& row : rows) {
        if (row.place == CommandRow::Place::Menu) {
            menu = row.submenu ? topMenu->addMenu(row.caption)
                               : window.menuBar()->addMenu(row.caption);
            menu->setObjectName(QString::fromLatin1(row.name));
            if (!row.submenu) topMenu = menu;
            continue;
        }
        if (row.place == CommandRow::Place::Separator) {
            menu->addSeparator();
            continue;
        }
        auto* action = new QAction(row.caption, &window);
        action->setObjectName(QString::fromLatin1(row.name));
        if (row.tag >= 0) action->setData(row.tag);
        action->setCheckable(row.checkable);
        if (row.group) row.group->addAction(action);
        if (row.icon != ToolIcon::None) action->setIcon(ToolIconPicture(row.icon));
        menu->addAction(action);
        if (row.endsSubmenu) menu = topMenu;
        QObject::connect(action, &QAction::triggered, &window,
                         [action, handler = row.handler] { handler(action); });
        *row.action = action;
        if (!row.button) continue;
        // The button shows the action's state; only the menu item follows its visibility, so
        // that the save button stays on the bar while the menu hides the save items. Menus show
        // no tips: the action's tip is the button's.
        if (lastBarGroup >= 0 && row.barGroup != lastBarGroup) bar.addSeparator();
        lastBarGroup = row.barGroup;
        action->setToolTip(row.hint);
        auto* button = new QToolButton(&bar);
        button->setObjectName(QString::fromLatin1(row.button));
        button->setDefaultAction(action);
        button->setIconSize(bar.iconSize());
        button->setAccessibleName(row.hint);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        QAction* place = bar.addWidget(button);
        if (row.buttonPlace) *row.buttonPlace = place;
    }
}
