#include "ui/recovery_copy_keeper.h"

#include <cstdio>
#include <utility>

#include "sheet/recovery_copy.h"
#include "ui/tfmmain.h"

RecoveryCopyKeeper::RecoveryCopyKeeper(TFMmain& window, std::string path)
    : window_(window), path_(std::move(path)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopyKeeper::WriteNow);
    connect(&window_, &TFMmain::SheetChanged, this, &RecoveryCopyKeeper::SheetChanged);
}

void RecoveryCopyKeeper::SheetChanged() {
    // Not restarted by later changes: while the user keeps typing, the copy still follows
    // within a second, and the write picks up every change made until then.
    if (!stopped_ && !timer_.isActive()) timer_.start();
}

bool RecoveryCopyKeeper::WriteNow() {
    timer_.stop();
    if (stopped_) return false;
    if (window_.Modified()) {
        // A failed write is tried again after the next change; the previous copy stays whole.
        if (!WriteRecoveryCopy(path_, {window_.SheetContent(), CurrentFileName.toStdString()})) {
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
