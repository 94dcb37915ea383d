// What the operating system provides: the folder for the settings file.
#pragma once
#include <string>

// The folder that holds the settings file, created when missing; "" when none can be had.
std::string settingsFolder();
// The settings file's full path, "" when there is no folder.
std::string defaultSettingsPath();
