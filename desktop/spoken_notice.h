#pragma once
// Speaks a short text through a screen reader while the focus stays where it is. The AT-SPI
// bridge of Qt 6.4 reports a changed name or description without its new text, and Orca 43
// follows live regions only in web pages; what Orca does speak as it appears, with nothing
// added, is a notification inside a status bar. The notice is such a pair of accessible
// objects, hung below a host object as its last child: a status bar that is not showing, so that
// flat review passes it by, holding one notification that appears with each text spoken.

#include <QAccessible>
#include <QString>

class SpokenNotice {
public:
    // host: the accessible object the notice hangs below; it lists Holder() as its last child.
    explicit SpokenNotice(QAccessibleInterface* host);
    ~SpokenNotice();
    SpokenNotice(const SpokenNotice&) = delete;
    SpokenNotice& operator=(const SpokenNotice&) = delete;

    QAccessibleInterface* Holder() const;
    // The text becomes the notification's name, and the notification appears.
    void Speak(const QString& text);
    // Speaks through the notice a host keeps as its last child; nothing for another host.
    static void SpeakBelow(QAccessibleInterface* host, const QString& text);

private:
    class Bar;
    class Note;
    QAccessible::Id barId_ = 0;
    QAccessible::Id noteId_ = 0;
};
