#include "ui/formula_input.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <limits>
#include <memory>

#include "desktop/file_names.h"
#include "sheet/formula_typing.h"

FormulaInput::FormulaInput(QWidget* parent) : QLineEdit(parent) {
    // The control itself cuts whatever it holds to its maximum length, texts set by the program
    // included; the typing limit is kept here instead.
    setMaxLength(std::numeric_limits<int>::max());
    // Formulas read left to right. Until it is told a direction the control asks its text at
    // every caret blink, scanning all of it; the direction key is its one way to be told.
    QKeyEvent leftToRight(QEvent::KeyPress, Qt::Key_Direction_L, Qt::NoModifier);
    QLineEdit::keyPressEvent(&leftToRight);
    // Formulas are typed in ASCII: the input method stays closed where the framework asks the
    // control, and is told that Latin text without prediction is wanted where it asks the hints.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText |
                        Qt::ImhNoAutoUppercase);
}

bool FormulaInput::TypesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format) return true;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier ||
        modifiers == (Qt::ShiftModifier | Qt::ControlModifier)) {
        return false;
    }
    return c.isPrint() || c.category() == QChar::Other_PrivateUse || c.isHighSurrogate();
}

void FormulaInput::PlaceCaret() {
    setCursorPosition(FormulaTyping::CaretPlace(text().toStdU16String()));
}

bool FormulaInput::event(QEvent* event) {
    // The control would undo its own text; the window's commands undo the sheet.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
    }
    return QLineEdit::event(event);
}

void FormulaInput::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        if (!isReadOnly()) emit Pasted(QGuiApplication::clipboard()->text());
        return;
    }
    // Typing stops at the limit; a longer text the program set may be shortened, not lengthened.
    const qsizetype kept = text().size() - selectedText().size();
    if (TypesText(*event) && kept + event->text().size() > FormulaTyping::kTypingLimit) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FormulaInput::focusInEvent(QFocusEvent* event) {
    // The control's own focus handling may select the text; the caret rule wins.
    QLineEdit::focusInEvent(event);
    PlaceCaret();
}

void FormulaInput::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        // The standard paste would insert line breaks and ignore the typing limit.
        const bool paste = disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) |
                           disconnect(action, &QAction::triggered, this, &QLineEdit::paste);
        if (paste) {
            connect(action, &QAction::triggered, this,
                    [this] { emit Pasted(QGuiApplication::clipboard()->text()); });
        }
    }
    menu->exec(event->globalPos());
}

void FormulaInput::mouseReleaseEvent(QMouseEvent* event) {
    dragAnchor_ = -1;
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        // The press has put the caret under the pointer.
        deselect();
        event->accept();
        emit Pasted(clipboard->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FormulaInput::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    // A file is opened, not pasted as its address.
    if (const std::string file = data ? DroppedFile(*data) : std::string(); !file.empty()) {
        event->acceptProposedAction();
        emit FileDropped(file);
        return;
    }
    // A move inside the line keeps its own characters; the control does that well.
    if (event->source() == this || isReadOnly() || !data || !data->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    // The drop caret the drag showed goes, as when the control takes a drop itself.
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
    deselect();
    setCursorPosition(PositionAt(event->position().toPoint()));
    event->acceptProposedAction();
    emit Pasted(data->text());
}
