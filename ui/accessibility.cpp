#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QWindow>

#include "desktop/grid_accessible.h"
#include "desktop/spoken_notice.h"
#include "ui/digit_display.h"
#include "ui/tfmpad.h"

namespace {

// A keypad key: a button named by its caption whose press action clicks it.
class KeyPanelAccessible : public QAccessibleWidget {
public:
    explicit KeyPanelAccessible(KeyPanel* key) : QAccessibleWidget(key, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return Key().text().simplified();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && Key().isEnabled()) emit Key().clicked();
    }

private:
    KeyPanel& Key() const { return *static_cast<KeyPanel*>(widget()); }
};

// The digit display: a text that reads as "結果" and the result, with the notice through which
// the result is spoken.
class DigitDisplayAccessible : public QAccessibleWidget {
public:
    explicit DigitDisplayAccessible(DigitDisplay* digits)
        : QAccessibleWidget(digits, QAccessible::StaticText), notice_(this) {}

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? notice_.Holder() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child == notice_.Holder() ? 0 : -1;
    }

private:
    SpokenNotice notice_;
};

// The windows a screen reader lists: Qt leaves pop-ups out, since they are menus reached from
// their menu items; the keypad, a pop-up as well, is listed with the windows.
QObjectList ListedWindows() {
    QObjectList windows;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        QAccessibleInterface* root = window->accessibleRoot();
        if (window->type() == Qt::Desktop || !root || !root->object()) continue;
        if (window->type() == Qt::Popup && !qobject_cast<TFMpad*>(root->object())) continue;
        windows.append(root->object());
    }
    return windows;
}

// The root of the program's tree: the application with its windows.
class ApplicationAccessible : public QAccessibleObject {
public:
    ApplicationAccessible() : QAccessibleObject(qApp) {}

    QWindow* window() const override { return nullptr; }
    QAccessibleInterface* parent() const override { return nullptr; }
    int childCount() const override { return static_cast<int>(ListedWindows().size()); }
    QAccessibleInterface* child(int index) const override {
        const QObjectList windows = ListedWindows();
        if (index < 0 || index >= windows.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(windows[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(ListedWindows().indexOf(child->object())) : -1;
    }
    QAccessibleInterface* focusChild() const override {
        QObject* focus = QGuiApplication::focusObject();
        return focus ? QAccessible::queryAccessibleInterface(focus) : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QGuiApplication::applicationDisplayName();
        if (t == QAccessible::Description) return QCoreApplication::applicationFilePath();
        return {};
    }
    QAccessible::Role role() const override { return QAccessible::Application; }
    QAccessible::State state() const override { return {}; }
};

QAccessibleInterface* ProgramAccessibleFactory(const QString& className, QObject* object) {
    if (object == qApp) return new ApplicationAccessible;
    if (auto* key = qobject_cast<KeyPanel*>(object)) return new KeyPanelAccessible(key);
    if (auto* pad = qobject_cast<TFMpad*>(object)) {
        return new QAccessibleWidget(pad, QAccessible::Window, QStringLiteral("キーパッド"));
    }
    if (auto* digits = qobject_cast<DigitDisplay*>(object))
        return new DigitDisplayAccessible(digits);
    return GridAccessibleFactory(className, object);
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ProgramAccessibleFactory);
        return true;
    }();
    static_cast<void>(installed);
}
