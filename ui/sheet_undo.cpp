#include "ui/sheet_undo.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

#include "desktop/key_translation.h"
#include "ui/tfmmain.h"

namespace {

// A key that edits the input line's text in place; any other key is a command of its own
// (Ctrl+Space, Shift+Space, a paste, a menu key).
bool IsTyping(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (key.key()) {
        case Qt::Key_Space:
            return !(key.modifiers() & Qt::ShiftModifier);
        case Qt::Key_Insert:
        case Qt::Key_Escape:
            return false;
        default:
            return true;
    }
}

bool Matches(const QAction* item, const QKeyEvent& key) {
    return item->shortcuts().contains(QKeySequence(key.keyCombination()));
}

}  // namespace

SheetUndo::SheetUndo(TFMmain& window, QAction* undoItem, QAction* redoItem, QObject* input)
    : window_(window), undoItem_(undoItem), redoItem_(redoItem), input_(input) {
    undoItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoItem_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(&window_, &TFMmain::SheetChanged, this, &SheetUndo::Observe);
    // Step ends are decided by the user's own keys and clicks, whichever widget they reach.
    qApp->installEventFilter(this);
    Reset();
}

void SheetUndo::Undo() {
    Settle();
    if (history_.CanUndo()) Show(history_.Undo());
}

void SheetUndo::Redo() {
    Settle();
    if (history_.CanRedo()) Show(history_.Redo());
}

void SheetUndo::Reset() {
    seen_ = Take();
    history_.Reset(seen_);
    typing_ = false;
    UpdateItems();
}

bool SheetUndo::eventFilter(QObject* watched, QEvent* event) {
    // A key or click reaches its window object first and then its widget; the widget counts.
    if (!watched->isWidgetType()) return false;
    const bool inInput = watched == input_;
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // The input line would undo its own text; the key comes to it and is taken below.
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (inInput && (Matches(undoItem_, key) || Matches(redoItem_, key))) {
                event->accept();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (inInput && Matches(undoItem_, key)) {
                Undo();
                return true;
            }
            if (inInput && Matches(redoItem_, key)) {
                Redo();
                return true;
            }
            // A key its control ignores travels on to the containers: it counts once.
            if (IsModifierKey(key.key()) || watched != QApplication::focusWidget()) return false;
            const bool typing = inInput && IsTyping(key);
            if (!typing || !typing_) Settle();
            typing_ = typing;
            return false;
        }
        case QEvent::InputMethod:
            if (inInput && !typing_) Settle();
            typing_ = inInput;
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::Drop:
            // A left click into the input line only places the caret; the middle button and a
            // drop paste there.
            if (inInput && event->type() == QEvent::MouseButtonPress &&
                static_cast<const QMouseEvent&>(*event).button() == Qt::LeftButton) {
                return false;
            }
            Settle();
            typing_ = false;
            return false;
        default:
            return false;
    }
}

SheetState SheetUndo::Take() const {
    const FormulaFileContent content = window_.SheetContent();
    return {content.formulas, content.currentLine, window_.Modified()};
}

void SheetUndo::Observe() {
    if (showing_) return;
    const SheetState now = Take();
    // The step of the line left ends (the calculator mode's chaining moves on within one
    // key), and the next one begins at the new line.
    if (now.currentLine != seen_.currentLine) {
        history_.Record(seen_);
        SheetState moved = seen_;
        moved.currentLine = now.currentLine;
        history_.Record(moved);
    }
    // Saved as it stands: the typing up to the save is a step, and the state it reached is the
    // saved one.
    if (seen_.modified && !now.modified && now.formulas == seen_.formulas) {
        history_.Record(seen_);
        history_.MarkSaved();
    }
    seen_ = now;
    UpdateItems();
}

void SheetUndo::Settle() {
    if (showing_) return;
    seen_ = Take();
    history_.Record(seen_);
    UpdateItems();
}

void SheetUndo::Show(const SheetState& state) {
    showing_ = true;
    FormulaFileContent content = window_.SheetContent();
    content.formulas = state.formulas;
    content.currentLine = state.currentLine;
    window_.RestoreSheet(content, window_.CurrentFileName());
    window_.SetModified(state.modified);
    showing_ = false;
    seen_ = Take();
    typing_ = false;
    UpdateItems();
}

void SheetUndo::UpdateItems() {
    const bool pending = seen_.formulas != history_.Present().formulas;
    undoItem_->setEnabled(pending || history_.CanUndo());
    redoItem_->setEnabled(!pending && history_.CanRedo());
}
