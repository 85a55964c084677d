#pragma once
// The start-up question that brings back the sheet of a run that ended without saving it.

#include <functional>
#include <string>
#include <vector>

#include "sheet/recovery_copy.h"

class RecoveryCopyKeeper;
class TFMmain;

// The copies in folder that start-up may offer: those of processes that no longer run, newest
// first.
std::vector<RecoveryCopyEntry> OfferableRecoveryCopies(const std::string& folder);

// Asks about the newest copy that can be read. Yes restores it into the window as unsaved work
// and the keeper takes it over (the old copy goes once the keeper's copy is written); No deletes
// it. A copy that cannot be read is kept. ending tells whether the program is ending: a signal
// that ends the program while the question is open leaves the copy as it is.
void OfferRecoveryCopy(TFMmain& window, RecoveryCopyKeeper& keeper, const std::string& folder,
                       const std::function<bool()>& ending);
