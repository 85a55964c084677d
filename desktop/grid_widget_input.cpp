// The grid widget's answers to the user: the pointer (selection, auto-scroll), the wheel, the
// keys, the in-place editor and the focus. The structure, geometry and painting are in
// grid_widget.cpp.

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "desktop/grid_widget.h"
#include "desktop/key_translation.h"

namespace {

constexpr int kWheelNotch = 120;

MouseButton ToMouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::Left;
    }
}

bool IsForwardedButton(Qt::MouseButton button) {
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

}  // namespace

GridWidget::Cell GridWidget::ScrollingCellNear(QPoint pos) const {
    return Cell{ColumnAxis().ScrollingNear(pos.x()), RowAxis().ScrollingNear(pos.y())};
}

bool GridWidget::IsOutsideScrollingArea(QPoint pos) const {
    return pos.x() < ColumnAxis().FixedExtent() || pos.x() >= viewport()->width() ||
           pos.y() < RowAxis().FixedExtent() || pos.y() >= viewport()->height();
}

void GridWidget::ExtendSelectionTo(QPoint pos) {
    const Cell cell = ScrollingCellNear(pos);
    if (!IsSelectable(cell.col, cell.row)) return;
    if (!rangeSelect_) {
        if (cell.col != col_ || cell.row != row_) MoveCurrent(cell.col, cell.row, false);
        return;
    }
    if (cell.col == extent_.col && cell.row == extent_.row) return;
    extent_ = cell;
    viewport()->update();
}

void GridWidget::AutoScroll() {
    if (!selecting_ || !IsOutsideScrollingArea(lastMousePos_)) {
        autoScrollTimer_.stop();
        return;
    }
    const auto step = [](int pos, int low, int high) {
        if (pos < low) return -1;
        return pos >= high ? 1 : 0;
    };
    SetTopLeft(leftCol_ + step(lastMousePos_.x(), ColumnAxis().FixedExtent(), viewport()->width()),
               topRow_ + step(lastMousePos_.y(), RowAxis().FixedExtent(), viewport()->height()));
    ExtendSelectionTo(lastMousePos_);
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
    if (!enabled_) return;
    CommitEditor();
    const QPoint pos = event->position().toPoint();
    const ShiftState shift = ToShiftState(event->modifiers());
    lastMousePos_ = pos;
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        selecting_ = false;
        int col = -1;
        int row = -1;
        if (MouseToCell(pos.x(), pos.y(), col, row) && IsSelectable(col, row)) {
            if (rangeSelect_ && shift.shift) {
                anchor_ = {col_, row_};
                extent_ = {col, row};
                selecting_ = true;
                viewport()->update();
            } else {
                selecting_ = MoveCurrent(col, row, false);
            }
        }
    }
    if (OnMouseDown && IsForwardedButton(event->button())) {
        OnMouseDown(ToMouseButton(event->button()), shift, pos.x(), pos.y());
    }
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!enabled_) return;
    const QPoint pos = event->position().toPoint();
    lastMousePos_ = pos;
    if (selecting_) {
        ExtendSelectionTo(pos);
        if (!IsOutsideScrollingArea(pos)) {
            autoScrollTimer_.stop();
        } else if (!autoScrollTimer_.isActive()) {
            autoScrollTimer_.start();
        }
    }
    if (OnMouseMove) OnMouseMove(ToShiftState(event->modifiers()), pos.x(), pos.y());
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool endsSelection = selecting_ && event->button() == Qt::LeftButton;
    if (endsSelection) {
        selecting_ = false;
        autoScrollTimer_.stop();
    }
    if (!enabled_) return;
    if (endsSelection) {
        ExtendSelectionTo(pos);
        if (OnClick) OnClick();
    }
    if (OnMouseUp && IsForwardedButton(event->button())) {
        OnMouseUp(ToMouseButton(event->button()), ToShiftState(event->modifiers()), pos.x(),
                  pos.y());
    }
}

void GridWidget::wheelEvent(QWheelEvent* event) {
    if (!wheelScrolls_) {
        event->ignore();
        return;
    }
    event->accept();
    if (!enabled_) return;
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    if (notches != 0) SetTopLeft(leftCol_, topRow_ - notches * QApplication::wheelScrollLines());
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!enabled_) return;
    int key = ToVirtualKey(*event);
    const ShiftState shift = ToShiftState(event->modifiers());
    if (key != 0 && OnKeyDown) {
        OnKeyDown(key, shift);
        if (key == 0) return;
    }
    if (key == 0 || !HandleGridKey(key, shift)) event->ignore();
}

bool GridWidget::HandleGridKey(int key, ShiftState shift) {
    const int far = colCount_ + rowCount_;
    const bool extend = shift.shift && rangeSelect_;
    switch (key) {
        case VK_RETURN:
        case VK_F2:
            if (!editing_ || editorOpen_) return false;
            OpenEditor();
            return true;
        case VK_LEFT:
            MoveByKey(-1, 0, extend);
            return true;
        case VK_RIGHT:
            MoveByKey(1, 0, extend);
            return true;
        case VK_UP:
            MoveByKey(0, -1, extend);
            return true;
        case VK_DOWN:
            MoveByKey(0, 1, extend);
            return true;
        case VK_PRIOR:
            MoveByKey(0, -RowAxis().FullyShown(), extend);
            return true;
        case VK_NEXT:
            MoveByKey(0, RowAxis().FullyShown(), extend);
            return true;
        case VK_HOME:
        case VK_END: {
            const int direction = key == VK_HOME ? -1 : 1;
            // Home and End go along the row; in a grid that has only one column to go to (or
            // selects whole rows) they go along the column instead, and with Ctrl to the corner.
            const bool alongColumn = rowSelect_ || ColumnAxis().ShownScrolling() <= 1;
            if (shift.ctrl) {
                MoveByKey(direction * far, direction * far, extend);
            } else if (alongColumn) {
                MoveByKey(0, direction * far, extend);
            } else {
                MoveByKey(direction * far, 0, extend);
            }
            return true;
        }
        default:
            return false;
    }
}

void GridWidget::SelectRows(int anchorRow, int extentRow) {
    if (!rangeSelect_) return;
    anchor_ = {col_, std::clamp(anchorRow, fixedRows_, rowCount_ - 1)};
    extent_ = {col_, std::clamp(extentRow, fixedRows_, rowCount_ - 1)};
    ScrollIntoView(extent_.col, extent_.row);
    viewport()->update();
}

void GridWidget::MoveByKey(int cols, int rows, bool extend) {
    const Cell from = extend ? extent_ : Cell{col_, row_};
    const Cell to{ColumnAxis().Step(from.col, cols), RowAxis().Step(from.row, rows)};
    if (extend) {
        extent_ = to;
        ScrollIntoView(to.col, to.row);
        viewport()->update();
    } else if (to.col != col_ || to.row != row_) {
        MoveCurrent(to.col, to.row, true);
    } else if (anchor_.col != col_ || anchor_.row != row_ || extent_.col != col_ ||
               extent_.row != row_) {
        CollapseSelection();
        viewport()->update();
    }
}

void GridWidget::OpenEditor() {
    if (!editing_ || editorOpen_ || !IsSelectable(col_, row_)) return;
    ScrollIntoView(col_, row_);
    const GridRect rect = CellRect(col_, row_);
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    std::string text = Cells(col_, row_);
    if (OnGetEditText) OnGetEditText(col_, row_, text);
    editCell_ = {col_, row_};
    editorOpen_ = true;
    editor_->setFont(ToQFont(font_));
    editor_->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    editor_->setText(QString::fromStdString(text));
    editor_->selectAll();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

void GridWidget::CommitEditor() {
    if (!editorOpen_) return;
    const std::string text = editor_->text().toStdString();
    const Cell cell = editCell_;
    CloseEditor();
    SetCells(cell.col, cell.row, text);
    if (OnSetEditText) OnSetEditText(cell.col, cell.row, text);
}

void GridWidget::CancelEditor() {
    if (editorOpen_) CloseEditor();
}

void GridWidget::CloseEditor() {
    editorOpen_ = false;
    // Take the focus back before hiding, or Qt would hand it to the next widget in the window.
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor_->hide();
    viewport()->update();
}

void GridWidget::UpdateFocusWithin(QFocusEvent* event) {
    // Leaving the window (another window, a pop-up menu) does not count as leaving the grid;
    // passing the focus between the grid and its editor neither.
    if (event->lostFocus() && (event->reason() == Qt::ActiveWindowFocusReason ||
                               event->reason() == Qt::PopupFocusReason)) {
        return;
    }
    const QWidget* focus = QApplication::focusWidget();
    const bool within = focus && (focus == this || isAncestorOf(focus));
    if (within == focusWithin_) return;
    focusWithin_ = within;
    viewport()->update();
    if (within && OnEnter) OnEnter();
    if (!within && OnExit) OnExit();
}

void GridWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    UpdateFocusWithin(event);
}

void GridWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    UpdateFocusWithin(event);
}

void GridWidget::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) canvas_.SetPalette(palette());
}

bool GridWidget::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    int col = 0;
    int row = 0;
    const QString tip = cellToolTip && MouseToCell(help->pos().x(), help->pos().y(), col, row)
                            ? cellToolTip(col, row)
                            : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), tip, viewport());
    }
    return true;
}

bool GridWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_) return QAbstractScrollArea::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* keyEvent = static_cast<QKeyEvent*>(event);
            int key = ToVirtualKey(*keyEvent);
            const ShiftState shift = ToShiftState(keyEvent->modifiers());
            if (key != 0 && OnKeyDown) {
                OnKeyDown(key, shift);
                if (key == 0) return true;
            }
            switch (key) {
                case VK_RETURN:
                    CommitEditor();
                    return true;
                case VK_ESCAPE:
                    CancelEditor();
                    return true;
                case VK_UP:
                case VK_DOWN:
                case VK_PRIOR:
                case VK_NEXT:
                    CommitEditor();
                    HandleGridKey(key, shift);
                    return true;
                default:
                    return false;
            }
        }
        case QEvent::FocusIn:
            UpdateFocusWithin(static_cast<QFocusEvent*>(event));
            return false;
        case QEvent::FocusOut: {
            auto* focusEvent = static_cast<QFocusEvent*>(event);
            UpdateFocusWithin(focusEvent);
            if (focusEvent->reason() != Qt::ActiveWindowFocusReason &&
                focusEvent->reason() != Qt::PopupFocusReason) {
                CommitEditor();
            }
            return false;
        }
        default:
            return false;
    }
}
