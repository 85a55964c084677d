#pragma once
// The help window: the user guide TSRN.HLP (Markdown) from the program's folder or the
// installed data folder.

#include <QString>
#include <QWidget>

#include "ui/help_browser.h"

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the document at path; when it cannot be read the window says so and names the
    // path. True when the document was read.
    bool LoadHelpFile(const QString& path);
    // Shrinks the window so that its frame fits on the screen of mainWindow.
    void FitOnScreenOf(const QWidget* mainWindow);

    HelpBrowser* browser = nullptr;
};
