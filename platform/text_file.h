#pragma once
// Whole-file reading and crash-safe writing of the program's text files.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_status.h"

// Appends what can be read from the open file descriptor fd to bytes, up to its end or until
// bytes holds limit bytes; false on a read error.
bool ReadAll(int fd, std::string& bytes, std::size_t limit = SIZE_MAX);

// Reads and decodes the file at path into lines (see file_codec.h); lines are left untouched
// unless the result is Ok (Missing, Unreadable, NotText or TooLarge else). Anything but a
// regular file (a pipe, a device) is Unreadable and is neither waited for nor read. A file that
// is not text (see DecodeIfText) is NotText; one with a NUL byte in its first block (an image,
// an archive; not UTF-16) is refused so before the rest is read. A file of more than maxBytes
// is TooLarge and is not read at all.
FileStatus ReadTextFile(const std::string& path, std::vector<std::string>& lines,
                        std::size_t maxBytes = SIZE_MAX);

// Encodes lines (CR LF after each) and writes them to path, through its symbolic links. Where
// the result is indistinguishable from writing the file (a regular file with one name, whose
// owner, group, permission bits and user.* extended attributes the new file gets, in a folder
// this process may write), a
// private temporary file in the same folder is renamed over it, so that even a killed save
// leaves the old file or the new one. Otherwise (a hard link, another user's file in a shared
// folder, a folder that cannot be written) the file is written in place once the whole text is
// ready. A new file gets the mode the umask gives. Unwritable when anything failed, when path is
// not a regular file this process may write (for root too, a file without any write permission is
// read-only), or when its link must not be followed (see save_target.h); the old file is then
// unchanged.
FileStatus WriteTextFile(const std::string& path, const std::vector<std::string>& lines);

// Removes the temporary files that killed saves left in folder (".NAME.tessarin-save-XXXXXX",
// more than ten minutes old, of this user) for each file NAME that ofFile accepts. Saves do it
// for their own file; files whose names never come again need it done for them.
void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ofFile);
