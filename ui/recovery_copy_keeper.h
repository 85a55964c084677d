#pragma once
// Keeps the recovery copy of the sheet while it has unsaved changes: written about a second after
// a change, never while a key is handled, and removed once the sheet is saved. The first copy
// that cannot be written after a change is told to the user, once a run.

#include <QObject>
#include <QTimer>
#include <string>

#include "sheet/sheet_document.h"

class QWidget;

class RecoveryCopyKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kDelayMs = 1000;

    // path: this program's copy. The keeper follows the sheet's changes until it is destroyed
    // (with window, its parent, at the latest); the copy stays unless Remove is called. A copy
    // that cannot be written is told over window.
    RecoveryCopyKeeper(const SheetDocument& sheet, QWidget* window, std::string path);

    // Brings the copy up to date at once: written while the sheet is modified, else removed.
    // False when the sheet is modified and the copy could not be written.
    bool WriteNow();
    // Removes the copy and writes no more (the program ends normally).
    void Remove();

    const std::string& Path() const { return path_; }

signals:
    // A write after a change was tried; written tells whether the copy is up to date.
    void Tried(bool written);

private:
    void WriteAfterChange();
    void DeleteCopy();

    const SheetDocument& sheet_;
    QWidget* window_;
    std::string path_;
    QTimer timer_;
    bool written_ = false;
    bool stopped_ = false;
    bool told_ = false;
    SheetDocument::Subscription subscription_;
};
