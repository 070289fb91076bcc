#pragma once
// The command-line switches: "/c" makes the current folder the save folder, "/a" lets the
// tool settings dialog write the settings file. Whole arguments, ASCII case ignored.

#include <string>
#include <vector>

namespace zepo {

struct Switches {
    bool currentFolderAsSaveFolder = false;  // /c
    bool writeSettings = false;              // /a
};

// `arguments` without the program name.
Switches ParseSwitches(const std::vector<std::string>& arguments);

}  // namespace zepo
