// The text floor for bench/startup-peers: a plain Qt main window showing the program's first
// frame (its Japanese menus, a tool bar of sixteen buttons, the dark result panel with a bold
// input line, a sheet of 100 labelled lines in the desktop's fixed-pitch font at 12 pixels, the
// function and constant lists and the status bar's three panels) with Qt's own widgets, in the
// faces fontconfig answers first and with no choice of its own: what that frame costs in Qt.

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const char* const kMenus[][8] = {
    {"操作(&A)", "新規(&N)...", "ファイルを開く(&O)...", "上書き保存(&S)...", "別名で保存(&A)...",
     "式の再計算(&R)", "エクスポート(&E)", "Tessarin 終了(&X)"},
    {"編集(&E)", "元に戻す(&U)", "やり直し(&R)"},
    {"モード(&M)", "数式(&F)", "電卓(&C)", "実数(&R)", "整数(&I)"},
    {"表示(&V)", "１０進数(&D)", "１６進数(&H)", "ツール(&T)", "ファンクション(&F)",
     "ステータス(&S)", "設定(&S)..."},
    {"ヘルプ(&H)", "Tessarin ヘルプ(&H)...", "バージョン情報(&V)..."},
};

QListWidget* DarkList(const QStringList& entries, const QFont& font) {
    auto* list = new QListWidget;
    list->setFont(font);
    list->addItems(entries);
    QPalette colours = list->palette();
    colours.setColor(QPalette::Base, QColor(49, 49, 49));
    colours.setColor(QPalette::Text, Qt::white);
    list->setPalette(colours);
    list->setFixedWidth(44);
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("TextFloor"));
    window.resize(600, 400);
    for (const auto& menu : kMenus) {
        QMenu* items = window.menuBar()->addMenu(QString::fromUtf8(menu[0]));
        for (int i = 1; i < 8 && menu[i]; ++i)
            items->addAction(QString::fromUtf8(menu[i]));
    }
    // Sixteen tool buttons with pictures drawn at the size shown, as the program draws its own.
    QToolBar* tools = window.addToolBar(QString());
    tools->setIconSize(QSize(16, 16));
    for (int i = 0; i < 16; ++i) {
        QPixmap picture(16, 16);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setBrush(QColor::fromHsv(i * 22, 160, 200));
        painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
        painter.end();
        tools->addAction(QIcon(picture), QString());
    }

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* panel = new QWidget;
    panel->setAutoFillBackground(true);
    QPalette dark = panel->palette();
    dark.setColor(QPalette::Window, QColor(49, 49, 49));
    panel->setPalette(dark);
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->addStretch(1);
    auto* input = new QLineEdit;
    QFont bold = input->font();
    bold.setBold(true);
    input->setFont(bold);
    panelRow->addWidget(input, 1);
    column->addWidget(panel);

    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    auto* sheet = new QTableWidget(100, 3);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(12);
    fixed.setBold(true);
    sheet->setFont(fixed);
    sheet->horizontalHeader()->hide();
    sheet->verticalHeader()->hide();
    for (int line = 0; line < 100; ++line)
        sheet->setItem(line, 0, new QTableWidgetItem(QStringLiteral("A%1").arg(line)));
    row->addWidget(sheet, 1);
    auto* lists = new QVBoxLayout;
    lists->addWidget(
        DarkList({QStringLiteral(" ( )"), QStringLiteral(" sin"), QStringLiteral(" cos"),
                  QStringLiteral(" tan"), QStringLiteral(" asin"), QStringLiteral(" acos"),
                  QStringLiteral(" atan"), QStringLiteral(" log"), QStringLiteral(" log10"),
                  QStringLiteral(" sqrt")},
                 bold));
    lists->addWidget(DarkList({QStringLiteral("PI"), QStringLiteral("C")}, bold));
    row->addLayout(lists);
    column->addLayout(row, 1);
    window.setCentralWidget(central);
    for (const char* text : {" Sum ", " Avg. ", " n "}) {
        auto* label = new QLabel(QString::fromLatin1(text));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        window.statusBar()->addWidget(label);
    }
    window.show();
    return application.exec();
}
