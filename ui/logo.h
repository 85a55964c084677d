#pragma once
// The product's pictures: the 300 x 150 logo of the splash window and the program icon.

#include <QIcon>
#include <QPixmap>

#include "platform/version.h"

// A transparent picture of size pixels drawn for a screen with ratio device pixels to a pixel
// (2 at 200%), so that it shows sharp there; its painter draws in pixels.
QPixmap SharpPixmap(QSize size, qreal ratio);
// The splash logo, 300 x 150 pixels, for a screen with that device pixel ratio.
QPixmap TessarinLogo(qreal ratio = 1.0);
// The program icon at size x size pixels (32 for the version window, 256 for the desktop), for
// a screen with that device pixel ratio.
QPixmap ProgramIconPixmap(int size, qreal ratio = 1.0);
// The program icon for the windows, drawn at each size when it is first asked for.
QIcon ProgramIcon();
