#pragma once
// File paths as the system names them and as the windows show them. A name need not be UTF-8 (a
// file unpacked from a zip made on Windows may have a CP932 name): the program keeps every path
// as its bytes, and a window shows a byte that holds no character as a replacement mark.

#include <QString>
#include <string>

// What a dialog or a drop gave, as the system's bytes. Qt shows a name that is not UTF-8 with
// replacement marks, which no longer name the file: such a path is looked up in its folder,
// entry by entry, as Qt would show each.
std::string SystemPath(const QString& path);
// A path for the windows to show.
QString ShownPath(const std::string& path);

class QMimeData;
// The first local file among dragged data, as the system names it; empty when it holds none.
std::string DroppedFile(const QMimeData& data);
