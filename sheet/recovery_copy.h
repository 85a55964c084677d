#pragma once
// The recovery copy of a sheet with unsaved changes: a formula file in the data folder, one per
// running program (named after its process), that also records the file name the sheet had.
// A copy whose process no longer runs is left from a crash or a kill and can be restored.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_identity.h"
#include "sheet/formula_file.h"

struct RecoveryCopy {
    FormulaFileContent sheet;
    std::string fileName;  // the sheet's file (its bytes) when the copy was written; empty for none
};

// "recovery-PID-START.tsf": the process that keeps the copy.
std::string RecoveryCopyName(const ProcessIdentity& owner);
// The owner named by a file name of that form; nullopt for any other name.
std::optional<ProcessIdentity> RecoveryCopyOwner(const std::string& fileName);

// The lines of a copy: the formula file's header, the file name line "FILE=name" (a line the
// open command skips, so the copy also opens as a plain formula file), then the formulas. The
// name is kept as its bytes: its "%", CR, LF and any byte that is no part of a UTF-8 character
// are written as "%" and two hexadecimal digits (%25, %0D, %0A), so that it stays one line of
// text.
std::vector<std::string> FormatRecoveryCopy(const RecoveryCopy& copy);
// nullopt unless the lines are a complete copy: a header with a line of the sheet.
std::optional<RecoveryCopy> ParseRecoveryCopy(const std::vector<std::string>& lines);

// Written with the crash-safe save.
FileStatus WriteRecoveryCopy(const std::string& path, const RecoveryCopy& copy);
// Fills copy from the file at path; Malformed when the file is text but no copy, copy then
// untouched.
FileStatus ReadRecoveryCopy(const std::string& path, RecoveryCopy& copy);

struct RecoveryCopyEntry {
    std::string path;
    ProcessIdentity owner;
    std::chrono::system_clock::time_point written;
};

// The copies in folder (ending in "/"), in no particular order.
std::vector<RecoveryCopyEntry> ListRecoveryCopies(const std::string& folder);

// The copies left by processes that no longer run, newest first; the copies of running
// processes, this one's included, are never among them.
std::vector<RecoveryCopyEntry> OrphanedCopiesNewestFirst(
    std::vector<RecoveryCopyEntry> copies,
    const std::function<bool(const ProcessIdentity&)>& running);

// Removes what writers of copies killed mid-write left in folder: each copy has a name of its
// own, so no later save of the same name would clear its stale temporary file.
void RemoveStaleRecoveryTemporaries(const std::string& folder);
