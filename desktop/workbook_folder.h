#pragma once
// Where the workbooks handed to the spreadsheet program are written, and their clean-up.

#include <string>

// The program's own folder for workbooks, $XDG_CACHE_HOME/tessarin/ (default ~/.cache/tessarin/),
// created readable by this user only; when it cannot be made, the temporary folder. Workbooks
// that earlier exports left there more than a day ago are removed first: the spreadsheet program
// has long opened them. No trailing "/".
std::string PrepareWorkbookFolder();

// $TMPDIR when it names a folder this user may write into, else /tmp.
std::string UsableTemporaryFolder();

// The name pattern of the workbooks, for QTemporaryFile and for the clean-up.
inline constexpr const char* kWorkbookPrefix = "tessarin-";
inline constexpr const char* kWorkbookSuffix = ".xlsx";
