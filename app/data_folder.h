// Where the archives are. The program opens every archive by its plain name in
// the working folder, so start-up changes into the data folder before the first
// archive is opened, and nothing else needs to know where it is.
//
// The folder is, in this order: the one given with --data; else $QUILLMEAD_DATA;
// else the first of these that holds the desk's archive: the installation's
// share folder (found from the program's own folder, so a copy installed under
// any prefix or DESTDIR finds its own), the program's folder, its "data"
// subfolder (the build tree), the working folder. When none holds it, the
// installation's share folder is the one named in the error.
#pragma once
#include <string>
#include <vector>

// The files a data folder must hold, in the order they are checked.
std::vector<std::string> requiredDataFiles();
// The first required file missing from folder; "" when all are there.
std::string firstMissingDataFile(const std::string& folder);

struct DataFolderPlaces {
    std::string given;          // --data, "" when not given
    std::string environment;    // $QUILLMEAD_DATA, "" when unset
    std::string programFolder;  // the folder of the running program, "" when unknown
    std::string workingFolder;
};
// The folder chosen from places, by the order above; not checked beyond the
// desk's archive.
std::string chooseDataFolder(const DataFolderPlaces& places);
// The places of this process.
DataFolderPlaces currentDataFolderPlaces(const std::string& given);
// path taken from the working folder, normalised.
std::string absolutePath(const std::string& path);
// a/b/../c -> a/c, no "." parts or doubled slashes; lexical only.
std::string normalPath(const std::string& path);

// Chooses the data folder, checks it and changes into it. On failure writes one
// line on stderr naming the folder and the first missing file, and returns false.
// chosen, when given, receives the folder chosen (also on failure).
bool enterDataFolder(const std::string& given, std::string* chosen = nullptr);
