#include "ui/help_browser.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <vector>

namespace {

// A word joiner forbids a line break on either side without taking room; a no-break space is a
// space that does the same.
constexpr QChar kWordJoiner(0x2060);

QString Unbreakable(const QString& code) {
    QString joined;
    for (qsizetype i = 0; i < code.size(); ++i) {
        if (i > 0) joined += kWordJoiner;
        joined += code[i] == QLatin1Char(' ') ? QChar(QChar::Nbsp) : code[i];
    }
    return joined;
}

QString AsTyped(QString text) {
    return text.remove(kWordJoiner).replace(QChar(QChar::Nbsp), QLatin1Char(' '));
}

struct CodeSpan {
    int position;
    int length;
    QTextCharFormat format;
};

// Inline code is set in the fixed-pitch font; code blocks already keep their lines.
void KeepCodeSpansWhole(QTextDocument* document) {
    std::vector<CodeSpan> spans;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().nonBreakableLines()) continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().fontFixedPitch())
                spans.push_back({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    // From the end, so the positions of the spans still to do stay valid.
    QTextCursor cursor(document);
    for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
        cursor.setPosition(span->position);
        cursor.setPosition(span->position + span->length, QTextCursor::KeepAnchor);
        cursor.insertText(Unbreakable(cursor.selectedText()), span->format);
    }
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {}

void HelpBrowser::ShowMarkdown(const QString& markdown) {
    setMarkdown(markdown);
    KeepCodeSpansWhole(document());
}

QMimeData* HelpBrowser::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(AsTyped(textCursor().selection().toPlainText()));
    return data;
}
