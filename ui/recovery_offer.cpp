#include "ui/recovery_offer.h"

#include <cstdio>

#include "desktop/dialogs.h"
#include "platform/process_identity.h"
#include "ui/file_commands.h"
#include "ui/recovery_copy_keeper.h"
#include "ui/tfmmain.h"

std::vector<RecoveryCopyEntry> OfferableRecoveryCopies(const std::string& folder) {
    return OrphanedCopiesNewestFirst(ListRecoveryCopies(folder), ProcessIsRunning);
}

void OfferRecoveryCopy(TFMmain& window, RecoveryCopyKeeper& keeper, const std::string& folder,
                       const std::function<bool()>& ending) {
    for (const RecoveryCopyEntry& entry : OfferableRecoveryCopies(folder)) {
        RecoveryCopy copy;
        if (ReadRecoveryCopy(entry.path, copy) != FileStatus::Ok) continue;
        const bool restore = CurrentDialogs().AskYesNo(
            &window, QStringLiteral("前回、保存されていない数式がありました。復元しますか？"),
            false);
        if (ending()) return;
        if (restore) {
            window.Files().Restore(copy.sheet, copy.fileName);
            // The old copy goes only once this run's copy holds the sheet.
            if (!keeper.WriteNow()) return;
        }
        std::remove(entry.path.c_str());
        return;
    }
}
