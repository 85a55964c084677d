#pragma once
// The named constants: NAME=VALUE lines, their case-insensitive lookup and the constant file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

// File name of the constant list, in the folder of the program's data files.
inline constexpr const char* ConstantFileName = "constant.clc";

// The text before the first "=" of a line; empty for a line without "=".
std::string_view ConstantName(std::string_view line);

// Names are equal when they differ only in the case of ASCII letters; full-width Latin letters
// count as their ASCII counterparts.
bool SameConstantName(std::string_view a, std::string_view b);

// The value (the text after the first "=") of the first line whose name equals name; lines
// without "=" never match.
std::optional<std::string_view> LookupConstant(const std::vector<std::string>& constants,
                                               std::string_view name);

// The list as lines read from the file or typed into the settings dialog give it: blank lines,
// which define nothing, are left out, and the full-width forms in a value are folded as in a
// formula (the value is put into formulas as written).
std::vector<std::string> ConstantsAsRead(const std::vector<std::string>& lines);

// Fills constants from the file at path, as ConstantsAsRead gives them (emptied first; stays
// empty unless the result is Ok).
FileStatus LoadConstants(const std::string& path, std::vector<std::string>& constants);
// Writes constants to the file at path, one line each with CR LF.
FileStatus SaveConstants(const std::string& path, const std::vector<std::string>& constants);

// The list a run that started with atStart and ends with atEnd leaves on a file that holds
// onDisk now (another run may have written it meanwhile). Name by name: where the run added,
// changed or removed the lines of a name, its lines count, otherwise the file's. The file's
// order stays; names only the run has come at the end, in its order. Names compare as lookups
// do; a line without "=" is a name of its own.
std::vector<std::string> MergeConstantChanges(const std::vector<std::string>& atStart,
                                              const std::vector<std::string>& atEnd,
                                              const std::vector<std::string>& onDisk);

// Writes the run's changes (see MergeConstantChanges) onto the file at path as it is now, read
// and written under the writer's lock; a file with no list counts as the two defaults, as a
// start reads it. Ok without writing when the run changed nothing. The file stays as it was
// unless the result is Ok.
FileStatus SaveConstantChanges(const std::string& path, const std::vector<std::string>& atStart,
                               const std::vector<std::string>& atEnd);

// The two constants a list starts with when it has no lines at all.
void AddDefaultConstants(std::vector<std::string>& constants);
