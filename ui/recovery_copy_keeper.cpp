#include "ui/recovery_copy_keeper.h"

#include <QFileInfo>
#include <QWidget>
#include <cstdio>
#include <utility>

#include "desktop/dialogs.h"
#include "sheet/recovery_copy.h"

RecoveryCopyKeeper::RecoveryCopyKeeper(const SheetDocument& sheet, QWidget* window,
                                       std::string path)
    : QObject(window), sheet_(sheet), window_(window), path_(std::move(path)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopyKeeper::WriteAfterChange);
    subscription_ = sheet_.Observe([this](const SheetChange& change) {
        // What the copy holds: the formulas, the current line, the file name and the mark.
        const bool copied = change.firstLine <= change.lastLine || change.currentLine ||
                            change.modified || change.file;
        // Not restarted by later changes: while the user keeps typing, the copy still follows
        // within a second, and the write picks up every change made until then.
        if (copied && !stopped_ && !timer_.isActive()) timer_.start();
    });
}

void RecoveryCopyKeeper::WriteAfterChange() {
    const bool written = WriteNow();
    emit Tried(written);
    if (written || stopped_ || told_) return;
    // Once a run: the copy is tried again after every change, and a box at each try would
    // break into the typing again and again.
    told_ = true;
    const QString folder = QFileInfo(QString::fromStdString(path_)).absolutePath();
    CurrentDialogs().ShowNotice(
        window_,
        QStringLiteral("復元用のコピーを書き込めません。\n%1\n"
                       "保存していない数式は、異常終了すると復元できません。")
            .arg(folder),
        NoticeIcon::Warning);
}

bool RecoveryCopyKeeper::WriteNow() {
    timer_.stop();
    if (stopped_) return false;
    if (sheet_.IsModified()) {
        // A failed write is tried again after the next change; the previous copy stays whole.
        if (WriteRecoveryCopy(path_, {sheet_.Content(), sheet_.FileName()}) != FileStatus::Ok) {
            return false;
        }
        written_ = true;
    } else if (written_) {
        DeleteCopy();
    }
    return true;
}

void RecoveryCopyKeeper::Remove() {
    timer_.stop();
    stopped_ = true;
    DeleteCopy();
}

void RecoveryCopyKeeper::DeleteCopy() {
    std::remove(path_.c_str());
    written_ = false;
}
