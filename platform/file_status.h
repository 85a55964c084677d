#pragma once
// How an operation on one of the program's files ended: every file operation reports this way.

enum class FileStatus {
    Ok,             // read or written whole
    Missing,        // there is no such file
    Unreadable,     // it could not be opened or read, or is no regular file
    NotText,        // it holds bytes no text encoding takes
    TooLarge,       // it is far larger than any file of its kind, and was not read
    Malformed,      // it is text, but not of the kind expected
    HeldByAnother,  // another running instance kept it locked all the while
    Unwritable,     // it could not be written; the old file stays as it was
};
