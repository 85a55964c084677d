#pragma once
// Menus, menu items and tool buttons built from one table: each command is one QAction, shown
// in its menu and, where the command has one, by a tool button on the tool bar; modes that
// exclude each other share a QActionGroup, so menu and tool bar can never disagree.

#include <QString>
#include <functional>
#include <vector>

#include "ui/icons.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QToolBar;

struct CommandRow {
    enum class Place {
        Menu,       // a menu of the menu bar, or with submenu one inside the menu last begun
        Item,       // an item of the menu last begun
        Separator,  // a line in the menu last begun
    };

    Place place = Place::Item;
    const char* name = "";
    QString caption;  // of a menu or an item
    QAction** action = nullptr;
    std::function<void(QAction*)> handler;
    ToolIcon icon = ToolIcon::None;
    int tag = -1;  // a mode's value, kept in the action's data(); -1 none
    bool checkable = false;
    QActionGroup* group = nullptr;
    const char* button = nullptr;     // the item's tool button, if it has one
    QString hint;                     // the tool button's tip and accessible name
    int barGroup = 0;                 // tool buttons of one group stand together
    QAction** buttonPlace = nullptr;  // where the button stands on the bar, to show or hide it
    bool submenu = false;
    bool endsSubmenu = false;  // the item is its submenu's last
};

CommandRow MenuRow(const char* name, const QString& caption, bool submenu = false);
CommandRow ItemRow(const char* name, const QString& caption, QAction** action,
                   std::function<void(QAction*)> handler, ToolIcon icon = ToolIcon::None);
CommandRow SeparatorRow();
// The item with its tool button.
CommandRow WithButton(CommandRow item, const char* button, const QString& hint, int barGroup);
// A mode's item: checkable, its value tag, one of group.
CommandRow AsMode(CommandRow item, int tag, QActionGroup* group);
CommandRow AsCheckable(CommandRow item);

// Builds the rows into window's menu bar and bar, storing each action where its row says.
void BuildCommandTable(QMainWindow& window, QToolBar& bar, const std::vector<CommandRow>& rows);
