#pragma once
// The product's pictures: the 300 x 150 logo of the splash window and the program icon.

#include <QIcon>
#include <QPixmap>

#include "platform/version.h"

// The splash logo, 300 x 150 pixels.
QPixmap TessarinLogo();
// The program icon at size x size pixels (32 for the version window, 256 for the desktop).
QPixmap ProgramIconPixmap(int size);
// The program icon at the usual sizes, for the windows' icon.
QIcon ProgramIcon();
