// What the input line takes from input methods, and the ")" that parenthesis completion
// inserts ahead of the caret.

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

#include "ui/formula_input.h"

QVariant FormulaInput::inputMethodQuery(Qt::InputMethodQuery query) const {
    // The line edit answers this itself, whatever the widget's attribute says; the framework
    // asks it before it lets the input method see a key.
    if (query == Qt::ImEnabled) return testAttribute(Qt::WA_InputMethodEnabled) && !isReadOnly();
    return QLineEdit::inputMethodQuery(query);
}

void FormulaInput::inputMethodEvent(QInputMethodEvent* event) {
    if (isReadOnly() || event->commitString().isEmpty()) {
        composing_ = event->preeditString();
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The composition shown goes first, so that the committed text meets the line as it is.
    QInputMethodEvent clear;
    QLineEdit::inputMethodEvent(&clear);
    composing_.clear();
    emit Committed(event->commitString());

    if (event->preeditString().isEmpty()) return;
    // A new composition may start with the commit; its selection would address the old text.
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type != QInputMethodEvent::Selection) attributes.append(attribute);
    }
    QInputMethodEvent rest(event->preeditString(), attributes);
    composing_ = rest.preeditString();
    QLineEdit::inputMethodEvent(&rest);
}

void FormulaInput::CommitComposition() {
    if (!Composing()) return;
    QInputMethod* inputMethod = QGuiApplication::inputMethod();
    const bool focused = QGuiApplication::focusObject() == this;
    if (focused) inputMethod->commit();
    if (!Composing()) return;
    // Without focus, or with a framework that keeps its composition, the line commits what it
    // shows, and the input method drops its own copy, which it would commit again later.
    QInputMethodEvent commit;
    commit.setCommitString(composing_);
    inputMethodEvent(&commit);
    inputMethod->reset();
}

void FormulaInput::RememberCompletedClose(int position) {
    if (cursorPosition() != position || text().mid(position - 1, 2) != QStringLiteral("()")) return;
    completedTails_.push_back(text().mid(position));
}

bool FormulaInput::StepOverCompletedClose() {
    const QString& all = text();
    // Typing before a pending ")" leaves the line ending with its tail; anything else ends it.
    while (!completedTails_.empty() && !all.endsWith(completedTails_.back()))
        completedTails_.pop_back();
    if (completedTails_.empty() || hasSelectedText()) return false;
    if (all.size() - cursorPosition() != completedTails_.back().size()) return false;
    completedTails_.pop_back();
    cursorForward(false);
    return true;
}
