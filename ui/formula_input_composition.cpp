// What the input line takes from input methods: what they commit is reported, and a composition
// shown is committed before anything else acts.

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "desktop/key_translation.h"

#include "ui/formula_input.h"

QVariant FormulaInput::inputMethodQuery(Qt::InputMethodQuery query) const {
    // The line edit answers this itself, whatever the widget's attribute says; the framework
    // asks it before it lets the input method see a key.
    if (query == Qt::ImEnabled) return testAttribute(Qt::WA_InputMethodEnabled) && !isReadOnly();
    return QLineEdit::inputMethodQuery(query);
}

namespace {

// Whether an event must find the composition committed before it acts.
bool CommitsComposition(const QWidget* line, const QObject* watched, const QEvent& event) {
    switch (event.type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return true;
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
            // The input method passes on the Shift of a shifted character it composes.
            return !IsModifierKey(static_cast<const QKeyEvent&>(event).key());
        case QEvent::FocusOut:
            return watched == line;
        case QEvent::WindowDeactivate:
            return watched == line->window();
        default:
            return false;
    }
}

}  // namespace

bool FormulaInput::eventFilter(QObject* watched, QEvent* event) {
    if (Composing() && CommitsComposition(this, watched, *event)) CommitComposition();
    return QLineEdit::eventFilter(watched, event);
}

void FormulaInput::inputMethodEvent(QInputMethodEvent* event) {
    // Only while a composition is shown does the line watch what happens elsewhere.
    const auto watch = [this] {
        if (Composing() == watchingComposition_) return;
        watchingComposition_ = Composing();
        if (watchingComposition_) {
            qApp->installEventFilter(this);
        } else {
            qApp->removeEventFilter(this);
        }
    };
    if (isReadOnly() || event->commitString().isEmpty()) {
        composing_ = event->preeditString();
        QLineEdit::inputMethodEvent(event);
        watch();
        return;
    }
    // The composition shown goes first, so that the committed text meets the line as it is.
    QInputMethodEvent clear;
    QLineEdit::inputMethodEvent(&clear);
    composing_.clear();
    watch();
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
    watch();
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
