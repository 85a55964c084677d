#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/desktop/grid_accessible.h"
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

QAccessibleInterface* ProgramAccessibleFactory(const QString& className, QObject* object) {
    if (auto* key = qobject_cast<KeyPanel*>(object)) return new KeyPanelAccessible(key);
    if (auto* pad = qobject_cast<TFMpad*>(object)) {
        return new QAccessibleWidget(pad, QAccessible::Window, QStringLiteral("キーパッド"));
    }
    if (auto* digits = qobject_cast<DigitDisplay*>(object)) {
        return new QAccessibleWidget(digits, QAccessible::StaticText);
    }
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
