#pragma once
// The help window's text view. Inline code (an option such as --comma, a formula, a command) is
// set as one word that never breaks across lines, and a copy of it gives the characters to type.

#include <QTextBrowser>

class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // Shows the Markdown text with each inline code span kept whole.
    void ShowMarkdown(const QString& markdown);

protected:
    QMimeData* createMimeDataFromSelection() const override;
};
