#pragma once
// Which installed font families the windows use: fonts are named only as preferences, and
// whatever is installed serves when none of them is.

#include <QFont>
#include <QString>
#include <QStringList>

// The family of font when it is truly fixed-pitch (every digit, sign and blank one width) and
// its "." and "," differ plainly, else the first installed fixed-pitch family of those, else
// font's own fixed-pitch family or one that writes Japanese. Japanese text in a Latin family
// comes from Qt's font fallback.
QString FixedPitchFamily(const QFont& font);
// The installed families of preferred, in their order, followed by every other installed family
// that writes Japanese (only fixed-pitch ones when fixedPitch), for QFont::setFamilies.
QStringList JapaneseFamilies(const QStringList& preferred, bool fixedPitch = false);
