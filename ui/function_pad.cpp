#include "ui/function_pad.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "desktop/colors.h"
#include "expr/calc_expression.h"
#include "expr/functions.h"
#include "settings/execute_parameter.h"
#include "ui/result_panel_colors.h"
#include "ui/sheet_input.h"

namespace {

constexpr PlatformColor kTextColor = 0xFFFFFF;

// Draws the rows as the result panel looks: white bold text on the dark panel colour.
class PadItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QPalette& palette = option.palette;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->save();
        painter->fillRect(option.rect, selected ? palette.color(QPalette::Highlight)
                                                : ToQColor(kResultPanelColor, palette));
        QFont font = option.font;
        font.setBold(true);
        painter->setFont(font);
        painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                                 : ToQColor(kTextColor, palette));
        // An entry wider than the list ends in "…"; its tip holds the whole name.
        const QString text = QFontMetrics(font).elidedText(index.data(Qt::DisplayRole).toString(),
                                                           Qt::ElideRight, option.rect.width());
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), PadList::RowHeight(option.font)};
    }
};

// Blanks and control characters at both ends removed, as the entries' names are inserted.
QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= u' ')
        ++first;
    while (last > first && text[last - 1].unicode() <= u' ')
        --last;
    return text.mid(first, last - first);
}

}  // namespace

QString ConstantEntry(const QString& constantLine) {
    const qsizetype equals = constantLine.indexOf(u'=');
    return u' ' + (equals >= 0 ? constantLine.left(equals) : QString());
}

PadList::PadList(QWidget* parent) : QListWidget(parent) {
    setFrameShape(QFrame::NoFrame);
    // Reached by Tab, never by a click, which leaves the input line its focus and selection.
    setFocusPolicy(Qt::TabFocus);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new PadItemDelegate(this));
    QPalette colours = palette();
    const QColor background = ToQColor(kResultPanelColor, colours);
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

int PadList::RowHeight(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return std::max(kItemHeight, QFontMetrics(bold).height() + 2);
}

QSize PadList::sizeHint() const {
    const QSize hint = QListWidget::sizeHint();
    return wholeHeight_ > 0 ? QSize(hint.width(), wholeHeight_) : hint;
}

int PadList::SelectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void PadList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && onMouseUp) onMouseUp();
}

void PadList::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

void PadList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool takes = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    QListWidgetItem* entry = currentItem();
    if (!takes || !entry) {
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    entry->setSelected(true);
    emit itemClicked(entry);
    if (onMouseUp) onMouseUp();
}

QStringList ShownFunctionNames() {
    QStringList names;
    for (const FunctionEntry& entry : kFunctions)
        names << QString::fromLatin1(entry.name.data(), entry.name.size()).toLower();
    return names;
}

namespace {

QStringList FunctionEntries() {
    QStringList entries{QStringLiteral(" ( )")};
    for (const QString& name : ShownFunctionNames())
        entries << QLatin1Char(' ') + name;
    return entries;
}

}  // namespace

const QStringList FunctionPad::kFunctionEntries = FunctionEntries();

FunctionPad::FunctionPad(SheetInput& input, const ExecuteParameter& settings,
                         const CalcExpression& calculator, QWidget* parent)
    : QWidget(parent), input_(input), settings_(settings), calculator_(calculator) {
    setObjectName(QStringLiteral("PLpad"));

    LBfunc = new PadList(this);
    LBfunc->setObjectName(QStringLiteral("LBfunc"));
    LBfunc->setAccessibleName(QStringLiteral("ファンクション"));
    // Only a screen too low for the whole list at the desktop's font needs the scroll bar.
    LBfunc->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    LBfunc->addItems(kFunctionEntries);
    LBfunc->onMouseUp = [this] { LBfuncMouseUp(); };
    connect(LBfunc, &QListWidget::itemClicked, this, [this] { LBfuncClick(); });

    LBconst = new PadList(this);
    LBconst->setObjectName(QStringLiteral("LBconst"));
    LBconst->setAccessibleName(QStringLiteral("定数"));
    LBconst->setEnabled(false);
    LBconst->onMouseUp = [this] { LBconstMouseUp(); };
    connect(LBconst, &QListWidget::itemClicked, this, [this] { LBconstClick(); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(LBfunc);
    column->addWidget(LBconst, 1);
    FitToFont();
}

void FunctionPad::FitToFont() {
    QFont bold = LBfunc->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int widest = 0;
    for (const QString& entry : kFunctionEntries)
        widest = std::max(widest, metrics.horizontalAdvance(entry));
    // Two pixels keep the last letter off the edge.
    const int width = std::max(kWidth, widest + 2);
    const int rows = static_cast<int>(kFunctionEntries.size());
    const int height = rows * PadList::RowHeight(LBfunc->font()) + kFunctionListHeight -
                       rows * PadList::kItemHeight;
    textWidth_ = width;
    LBfunc->SetWholeHeight(height);
    // The list may shrink to three rows and scroll, so a large font on a low screen never
    // holds the main window taller than the screen.
    LBfunc->setMinimumHeight(std::min(height, 3 * PadList::RowHeight(LBfunc->font())));
    LBfunc->setMaximumHeight(height);
    LBfunc->resize(LBfunc->width(), height);
    FitWidth();
}

void FunctionPad::FitWidth() {
    const bool scrolls = LBfunc->height() < LBfunc->WholeHeight();
    const int width = textWidth_ + (scrolls ? LBfunc->verticalScrollBar()->sizeHint().width() : 0);
    setFixedWidth(width);
    LBfunc->setFixedWidth(width);
}

void FunctionPad::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitWidth();
}

void FunctionPad::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) FitToFont();
}

void FunctionPad::FillConstList() {
    LBconst->clear();
    for (const std::string& line : calculator_.Constants) {
        auto* item = new QListWidgetItem(ConstantEntry(QString::fromStdString(line)), LBconst);
        item->setToolTip(item->text().trimmed());
    }
    LBconst->setEnabled(LBconst->count() > 0);
}

int FunctionPad::FunctionEntryCount() const {
    return LBfunc->count();
}

int FunctionPad::ConstantEntryCount() const {
    return LBconst->count();
}

QStringList FunctionPad::ConstantEntries() const {
    QStringList entries;
    for (int row = 0; row < LBconst->count(); ++row)
        entries << LBconst->item(row)->text();
    return entries;
}

void FunctionPad::InsertFunction(int row) {
    if (row < 0 || row >= LBfunc->count()) return;
    // The parenthesis entry always comes as a pair; a function does while RKAKKO is on.
    if (row == 0) {
        input_.Insert(QStringLiteral("("), true);
    } else {
        input_.Insert(TrimBlanks(LBfunc->item(row)->text()) + u'(', settings_.RKAKKO != 0);
    }
    Inserted(LBfunc);
}

void FunctionPad::InsertConstant(int row) {
    if (row < 0 || row >= LBconst->count()) return;
    input_.Insert(TrimBlanks(LBconst->item(row)->text()), false);
    Inserted(LBconst);
}

void FunctionPad::FollowInTabOrder(QWidget* previous) {
    setTabOrder(previous, LBfunc);
    setTabOrder(LBfunc, LBconst);
}

void FunctionPad::LBfuncClick() {
    InsertFunction(LBfunc->SelectedRow());
}

void FunctionPad::LBconstClick() {
    InsertConstant(LBconst->SelectedRow());
}

void FunctionPad::Inserted(PadList* list) {
    list->clearSelection();
    list->setCurrentRow(-1);
}

void FunctionPad::LBfuncMouseUp() {
    input_.Focus();
}

void FunctionPad::LBconstMouseUp() {
    input_.Focus();
}
