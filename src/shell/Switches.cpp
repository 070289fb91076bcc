#include "shell/Switches.h"

namespace zepo {

Switches ParseSwitches(const std::vector<std::string>& arguments) {
    Switches s;
    for (std::string arg : arguments) {
        for (char& c : arg)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (arg == "/c") s.currentFolderAsSaveFolder = true;
        else if (arg == "/a") s.writeSettings = true;
    }
    return s;
}

}  // namespace zepo
