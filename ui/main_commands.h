#pragma once
// The main window's menus and tool buttons, all built from one table: name, caption or hint,
// tag, tool-bar group and handler of every command.

#include <QString>

class TFMmain;

// The support web page of this build (the build setting TESSARIN_SUPPORT_ADDRESS); empty when
// the build names none.
QString SupportAddress();
// Shows address in the help menu item, which with the tool button opens it; an empty address
// hides both rather than offering a page that does not exist.
void ShowSupportAddress(TFMmain& window, const QString& address);

// Creates the menus, menu items and tool buttons of window, stores each in its member and
// connects it to its handler.
void BuildMainCommands(TFMmain& window);
