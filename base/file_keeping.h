// Keeping a user's file safe when it has to be replaced: where a link really
// points, and copies of a damaged file that never replace an earlier copy.
#pragma once
#include <string>

// The file that writing to path must replace: path itself, or, when path is a
// symbolic link (or a chain of them), the file it finally names, even when that
// does not exist yet. A replacement written there keeps the link working.
// Relative link targets are taken from the link's folder. A chain that loops or
// runs deeper than 40 links gives path itself.
std::string linkTargetOf(const std::string& path);

// True when path is a symbolic link whose target (through any chain) is
// missing. Windows: false.
bool isDanglingLink(const std::string& path);

// The book's real file: linkTargetOf(path) with the links of its folder
// resolved too, so that every path to one file gives one name. The folder as
// given when it cannot be resolved (it is missing). Windows: path itself.
std::string realFileOf(const std::string& path);

// Moves the file at path to the first free name of path + ".damaged",
// path + ".damaged-2", path + ".damaged-3", ... (at most 999); an existing copy is
// never replaced. Returns the name used, "" when the file could not be moved
// (it is then left where it was).
std::string moveToFreeDamagedName(const std::string& path);
// The n-th of those names (1 is path + ".damaged").
std::string damagedCopyName(const std::string& path, int n);
