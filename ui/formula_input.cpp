#include "ui/formula_input.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <limits>
#include <memory>

namespace {

// The edit control's own rule for a key that types its text: printable (or a format or
// private-use character), and not a Ctrl shortcut.
bool TypesText(const QKeyEvent& event) {
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

}  // namespace

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

QString FormulaInput::Typeable(const QString& text, qsizetype room) {
    if (room >= text.size()) return text;
    if (room <= 0) return QString();
    if (text.at(room - 1).isHighSurrogate()) --room;
    return text.left(room);
}

qsizetype FormulaInput::Room() const {
    return TypingLimit - (text().size() - selectedText().size());
}

void FormulaInput::InsertTyped(const QString& text) {
    const qsizetype room = Room();
    if (!text.isEmpty() && room <= 0) return;
    insert(Typeable(text, room));
}

void FormulaInput::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        if (!isReadOnly()) emit Pasted(QGuiApplication::clipboard()->text());
        return;
    }
    if (TypesText(*event) && event->text().size() > Room()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
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
