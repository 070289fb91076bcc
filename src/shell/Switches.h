#pragma once
// The command-line switches: "/c" makes the current folder the save folder, "/a" lets the
// tool settings dialog write the settings file. Whole arguments, ASCII case ignored. A card
// file named on the command line (what the file manager's "open with" passes) is opened at
// start-up instead of asking for one.

#include <filesystem>
#include <string>
#include <vector>

namespace zepo {

struct Switches {
    bool currentFolderAsSaveFolder = false;  // /c
    bool writeSettings = false;              // /a
    std::filesystem::path card;              // the first argument ending in ".zep", absolute
};

// `arguments` without the program name.
Switches ParseSwitches(const std::vector<std::string>& arguments);

}  // namespace zepo
