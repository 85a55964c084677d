#include "desktop/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

void PutClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text));
}
