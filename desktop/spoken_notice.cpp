#include "desktop/spoken_notice.h"

#include <QAccessible>
#include <QRect>

namespace {

// Neither object is ever on the screen: a screen reader hears the notice, nobody sees it.
class InvisibleObject : public QAccessibleInterface {
public:
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }
};

}  // namespace

class SpokenNotice::Note : public InvisibleObject {
public:
    explicit Note(QAccessible::Id barId) : barId_(barId) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::accessibleInterface(barId_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? spoken_ : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }

    void Appear(const QString& text) {
        if (text.isEmpty()) return;
        spoken_ = text;
        QAccessibleEvent appeared(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&appeared);
    }

private:
    QAccessible::Id barId_;
    QString spoken_;
};

class SpokenNotice::Bar : public InvisibleObject {
public:
    explicit Bar(QAccessibleInterface* host) : host_(host) {}

    QAccessibleInterface* parent() const override { return host_; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::accessibleInterface(noteId) : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child == QAccessible::accessibleInterface(noteId) ? 0 : -1;
    }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }

    QAccessible::Id noteId = 0;

private:
    QAccessibleInterface* host_;  // owns the notice, and so outlives the bar
};

SpokenNotice::SpokenNotice(QAccessibleInterface* host) {
    auto* bar = new Bar(host);
    barId_ = QAccessible::registerAccessibleInterface(bar);
    noteId_ = QAccessible::registerAccessibleInterface(new Note(barId_));
    bar->noteId = noteId_;
}

// Qt's cache may have deleted them already at the end of the program; an unknown id is ignored.
SpokenNotice::~SpokenNotice() {
    QAccessible::deleteAccessibleInterface(noteId_);
    QAccessible::deleteAccessibleInterface(barId_);
}

QAccessibleInterface* SpokenNotice::Holder() const {
    return QAccessible::accessibleInterface(barId_);
}

void SpokenNotice::Speak(const QString& text) {
    auto* note = static_cast<Note*>(QAccessible::accessibleInterface(noteId_));
    if (note) note->Appear(text);
}

void SpokenNotice::SpeakBelow(QAccessibleInterface* host, const QString& text) {
    const int last = host ? host->childCount() - 1 : -1;
    auto* bar = last >= 0 ? dynamic_cast<Bar*>(host->child(last)) : nullptr;
    auto* note = bar ? static_cast<Note*>(bar->child(0)) : nullptr;
    if (note) note->Appear(text);
}
