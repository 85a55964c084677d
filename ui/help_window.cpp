#include "ui/help_window.h"

#include <QTextFrame>
#include <QTextTable>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "desktop/font_choice.h"
#include "platform/text_file.h"
#include "ui/logo.h"
#include "ui/window_placement.h"

namespace {

// Room around the text, in device-independent pixels, so it scales with the screen.
constexpr int kPageMargin = 18;
constexpr QSize kDefaultSize(640, 560);

// Markdown comes without page margins and its tables without cell padding; give the page room
// and the tables padding and thin rules on every side. Collapsed borders draw each rule once,
// the outer right and bottom ones included.
void LayOutDocument(QTextDocument* document) {
    document->setDocumentMargin(kPageMargin);
    for (QTextFrame* frame : document->rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        QTextTableFormat format = table->format();
        format.setCellPadding(4);
        format.setCellSpacing(0);
        format.setBorderCollapse(true);
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(190, 196, 205));
        table->setFormat(format);
    }
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tessarin ヘルプ"));
    setWindowIcon(ProgramIcon());
    browser = new HelpBrowser(this);
    browser->setOpenExternalLinks(true);
    // The guide's numbers (0.5, 1500) read as numbers in its body text too.
    UseNumberFace(browser);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(kDefaultSize.boundedTo(ClientRoomOnScreenOf(this, nullptr)));
}

void HelpWindow::FitOnScreenOf(const QWidget* mainWindow) {
    // At a large scale factor or on a small screen the window, frame included, still fits.
    resize(size().boundedTo(ClientRoomOnScreenOf(this, mainWindow)));
}

bool HelpWindow::LoadHelpFile(const QString& path) {
    std::vector<std::string> lines;
    if (ReadTextFile(path.toStdString(), lines) != FileStatus::Ok) {
        browser->setMarkdown(
            QStringLiteral("# Tessarin ヘルプ\n\nヘルプファイルを読み込めません。\n\n`") + path +
            QStringLiteral("`\n"));
        LayOutDocument(browser->document());
        return false;
    }
    QString text;
    for (const std::string& line : lines)
        text += QString::fromStdString(line) + QLatin1Char('\n');
    browser->ShowMarkdown(text);
    LayOutDocument(browser->document());
    return true;
}
