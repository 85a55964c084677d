#pragma once
// The main window's menus and tool buttons are built from one table (name, caption or hint,
// tag, tool-bar group and handler of every command) in main_commands.cpp, beside this.

#include <QString>

// The support web page of this build (the build setting TESSARIN_SUPPORT_ADDRESS); empty when
// the build names none.
QString SupportAddress();
