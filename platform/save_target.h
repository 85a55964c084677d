#pragma once
// Where a save through a path really writes: the path with its symbolic links followed.

#include <optional>
#include <string>

// Follows the symbolic links of the last component of path to the file they name, which need
// not exist yet (a dangling link creates its target). nullopt when a link must not be followed:
// a link in a world-writable sticky folder (such as /tmp) that belongs neither to this user nor
// to the folder's owner may have been planted by another user, as the kernel's
// protected-symlinks rule says; also for a loop of links.
std::optional<std::string> ResolveSaveTarget(const std::string& path);

// The folder part of path ("." for a bare name) and its last component.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);
