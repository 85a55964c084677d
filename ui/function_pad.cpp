#include "ui/function_pad.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "expr/calc_expression.h"
#include "platform/desktop/colors.h"
#include "settings/execute_parameter.h"
#include "ui/result_panel_colors.h"

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
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), PadList::kItemHeight};
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

void PlaceCaret(QLineEdit* line) {
    const qsizetype pair = line->text().indexOf(QStringLiteral("()"));
    line->setCursorPosition(pair >= 0 ? static_cast<int>(pair) + 1 : line->text().size());
}

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

int PadList::SelectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void PadList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && onMouseUp) onMouseUp();
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

const QStringList FunctionPad::kFunctionEntries = {
    QStringLiteral(" ( )"),  QStringLiteral(" sin"),  QStringLiteral(" cos"),
    QStringLiteral(" tan"),  QStringLiteral(" asin"), QStringLiteral(" acos"),
    QStringLiteral(" atan"), QStringLiteral(" log"),  QStringLiteral(" log10"),
    QStringLiteral(" sqrt"),
};

FunctionPad::FunctionPad(QLineEdit* EDcalc, QWidget* parent) : QWidget(parent), EDcalc_(EDcalc) {
    setObjectName(QStringLiteral("PLpad"));
    setFixedWidth(kWidth);

    LBfunc = new PadList(this);
    LBfunc->setObjectName(QStringLiteral("LBfunc"));
    LBfunc->setAccessibleName(QStringLiteral("ファンクション"));
    LBfunc->setFixedSize(kWidth, kFunctionListHeight);
    LBfunc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
}

void FunctionPad::FillConstList() {
    LBconst->clear();
    if (calcExpression) {
        for (const std::string& line : calcExpression->Constants)
            LBconst->addItem(ConstantEntry(QString::fromStdString(line)));
    }
    LBconst->setEnabled(LBconst->count() > 0);
}

void FunctionPad::LBfuncClick() {
    const int row = LBfunc->SelectedRow();
    if (row < 0) return;
    const QString text =
        row == 0 ? QStringLiteral("(") : TrimBlanks(LBfunc->item(row)->text()) + u'(';
    EDcalc_->insert(text);
    const bool complete = executeParameter && executeParameter->RKAKKO != 0;
    if (row == 0 || complete) {
        EDcalc_->insert(QStringLiteral(")"));
        PlaceCaret(EDcalc_);
    }
    Inserted(LBfunc);
}

void FunctionPad::LBconstClick() {
    const int row = LBconst->SelectedRow();
    if (row < 0) return;
    EDcalc_->insert(TrimBlanks(LBconst->item(row)->text()));
    Inserted(LBconst);
}

void FunctionPad::Inserted(PadList* list) {
    list->clearSelection();
    list->setCurrentRow(-1);
    if (modified_) modified_();
}

void FunctionPad::LBfuncMouseUp() {
    EDcalc_->setFocus(Qt::OtherFocusReason);
}

void FunctionPad::LBconstMouseUp() {
    EDcalc_->setFocus(Qt::OtherFocusReason);
}
