#pragma once
// The main window's menus and tool buttons, all built from one table: name, caption or hint,
// tag, tool-bar group and handler of every command.

#include <QString>

class TFMmain;

// The support web page, shown in the help menu and opened by its command.
inline const QString kSupportAddress = QStringLiteral("https://tessarin.example.org/");

// Creates the menus, menu items and tool buttons of window, stores each in its member and
// connects it to its handler.
void BuildMainCommands(TFMmain& window);
