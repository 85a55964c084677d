#pragma once
// Checks run at several desktop font sizes, as a user's desktop settings set them.

#include <QApplication>
#include <QFont>
#include <QScopeGuard>
#include <QTest>
#include <initializer_list>

// Calls check(points) with the application font at each point size (0: the desktop's own),
// until a check fails; the desktop's font comes back afterwards.
template <typename Check>
void AtDesktopFontSizes(std::initializer_list<int> sizes, Check check) {
    const QFont desktopFont = QApplication::font();
    const auto restore = qScopeGuard([&desktopFont] { QApplication::setFont(desktopFont); });
    for (const int points : sizes) {
        QFont font = desktopFont;
        if (points > 0) font.setPointSize(points);
        QApplication::setFont(font);
        check(points);
        if (QTest::currentTestFailed()) return;
    }
}
