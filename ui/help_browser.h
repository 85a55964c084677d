#pragma once
// The help window's text view. Inline code (an option such as --comma N, a formula) never breaks
// at its hyphens or spaces, and a copy of it gives the characters to type.

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
