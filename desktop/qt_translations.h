#pragma once
// Qt's own texts (file dialogs, message-box buttons, context menus) and formats (the dates and
// sizes of the file dialogs) in Japanese, whatever the system locale is, since the program's own
// interface is Japanese.

#include <QString>

class QCoreApplication;

// Makes Qt's idea of the system locale Japanese. Call before the application object exists:
// Qt reads the system locale from the environment once, and the environment is restored at
// once, so the C library and the programs the window starts keep the user's locale.
void UseJapaneseSystemLocale();

// Makes Japanese the default locale and installs Qt's Japanese translation from folder (by
// default Qt's translations folder), with the few texts it lacks. False when the translation
// is missing there: Qt's texts then stay English, which is no error.
bool InstallJapaneseQtTexts(QCoreApplication& application, const QString& folder = QString());
