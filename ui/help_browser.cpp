#include "ui/help_browser.h"

#include <QFontDatabase>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <vector>

#include "desktop/font_choice.h"

namespace {

// A non-breaking hyphen and a no-break space look like the hyphen and the space but allow no line
// break beside them; the fixed-pitch font has both.
constexpr QChar kNonBreakingHyphen(0x2011);

QString Unbreakable(QString code) {
    return code.replace(QLatin1Char('-'), kNonBreakingHyphen)
        .replace(QLatin1Char(' '), QChar(QChar::Nbsp));
}

QString AsTyped(QString text) {
    return text.replace(kNonBreakingHyphen, QLatin1Char('-'))
        .replace(QChar(QChar::Nbsp), QLatin1Char(' '));
}

struct CodeSpan {
    int position;
    int length;
    QTextCharFormat format;
};

// Inline code is set in the fixed-pitch font, with the grid's face before it, since code holds
// numbers (-3.5, 1.5E3); code blocks already keep their lines.
void KeepCodeSpansWhole(QTextDocument* document) {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QStringList families = {GridFamily(fixed), fixed.family()};
    std::vector<CodeSpan> spans;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().nonBreakableLines()) continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().fontFixedPitch())
                spans.push_back({fragment.position(), fragment.length(), fragment.charFormat()});
        }
    }
    // The characters are replaced one for one, so the positions found above stay valid.
    QTextCursor cursor(document);
    for (const CodeSpan& span : spans) {
        cursor.setPosition(span.position);
        cursor.setPosition(span.position + span.length, QTextCursor::KeepAnchor);
        QTextCharFormat format = span.format;
        format.setFontFamilies(families);
        cursor.insertText(Unbreakable(cursor.selectedText()), format);
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
