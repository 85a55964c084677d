#include "ui/help_window.h"

#include <QTextBrowser>
#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "ui/logo.h"

namespace {

// Markdown tables come without cell padding; give them room and thin rules.
void SpaceOutTables(QTextDocument* document) {
    for (QTextFrame* frame : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        QTextTableFormat format = table->format();
        format.setCellPadding(4);
        format.setCellSpacing(-1);
        format.setBorder(1);
        format.setBorderBrush(QColor(190, 196, 205));
        table->setFormat(format);
    }
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tessarin ヘルプ"));
    setWindowIcon(ProgramIcon());
    browser = new QTextBrowser(this);
    browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(640, 560);
}

bool HelpWindow::LoadHelpFile(const QString& path) {
    std::vector<std::string> lines;
    if (ReadTextFile(path.toStdString(), lines) != ReadResult::Read) {
        browser->setMarkdown(
            QStringLiteral("# Tessarin ヘルプ\n\nヘルプファイルを読み込めません。\n\n`") + path +
            QStringLiteral("`\n"));
        return false;
    }
    QString text;
    for (const std::string& line : lines)
        text += QString::fromStdString(line) + QLatin1Char('\n');
    browser->setMarkdown(text);
    SpaceOutTables(browser->document());
    return true;
}
