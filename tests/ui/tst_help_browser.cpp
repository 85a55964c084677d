#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QtMath>

#include "ui/help_browser.h"

// The help text's inline code stays on one line wherever the window's width puts the break.
class HelpBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void codeSpansNeverBreak();
};

void HelpBrowserTest::codeSpansNeverBreak() {
    // An option with its value, a command, a formula.
    for (const char* code : {"--comma N", "tessarin --sheet budget.tsf", "2*-3+SQRT(A1)"}) {
        HelpBrowser browser;
        // Japanese punctuation before the span leaves no break opportunity in front of it.
        browser.ShowMarkdown(
            QStringLiteral("表示の区切り、`%1`、桁数を指定します。").arg(QString::fromUtf8(code)));
        QTextDocument* document = browser.document();
        const QTextBlock block = document->firstBlock();
        int first = -1;
        int last = -1;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (!it.fragment().charFormat().fontFixedPitch()) continue;
            first = it.fragment().position() - block.position();
            last = first + it.fragment().length() - 1;
        }
        QVERIFY2(first >= 0, code);
        // Every width at which the span with the punctuation it adjoins fits on a line, up to one
        // that holds the whole text.
        document->setTextWidth(4000);
        document->size();
        const QTextLine line = block.layout()->lineAt(0);
        const qreal spanWidth = line.cursorToX(last + 2) - line.cursorToX(first - 1);
        for (int width = qCeil(spanWidth) + 20; width <= qCeil(line.naturalTextWidth()) + 20;
             width += 2) {
            document->setTextWidth(width);
            document->size();
            const QTextLayout* layout = block.layout();
            QVERIFY2(
                layout->lineForTextPosition(first).lineNumber() ==
                    layout->lineForTextPosition(last).lineNumber(),
                qPrintable(
                    QStringLiteral("%1 at %2 pixels").arg(QString::fromUtf8(code)).arg(width)));
        }
    }
}

QTEST_MAIN(HelpBrowserTest)
#include "tst_help_browser.moc"
